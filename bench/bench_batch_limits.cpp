// What a batch of the converter costs at its edges, measured on the real
// program (build/bin/tessaform-cli) as a user runs it:
// - the peak memory of the largest skins the limits allow (every bitmap of
//   the source table at the decode limit, 4096 x 4096) at -j 4 and -j 16,
//   against the aim of 256 MiB;
// - the peak memory of a batch of 1,000 real skins against one of 100 (a
//   batch flat in memory gives 1.0);
// - how soon 16,000 skins of one name start converting: the time to the
//   first skin's line, against a run of that one skin alone.
// Not a Google Benchmark: each figure is one run of a child process (Linux).

#include "bench/LoadAverage.h"
#include "platform/FileSystem.h"
#include "skin/SkinState.h"
#include "support/BmpBuilder.h"
#include "support/TestPaths.h"
#include "support/ZipWriter.h"

#include <QCoreApplication>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

using tf::bench::LoadAverage;

struct Run {
    double PeakMiB = 0;
    double FirstLineSeconds = 0;
    double TotalSeconds = 0;
    int ExitCode = -1;
};

// Runs the converter with its output into a pipe and takes its peak memory
// from wait4; with stopAfterFirstLine, ends it once it has said its first
// line.
Run RunConverter(const std::vector<std::string>& arguments, bool stopAfterFirstLine = false)
{
    const std::string program = (tf::test::BinFolder() / "tessaform-cli").string();
    std::vector<char*> argv{const_cast<char*>(program.c_str())};
    for (const std::string& argument : arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    int output[2];
    if (pipe(output) != 0)
        return {};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, output[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, output[0]);
    Run run;
    const auto start = std::chrono::steady_clock::now();
    pid_t child = 0;
    if (posix_spawn(&child, program.c_str(), &actions, nullptr, argv.data(), environ) != 0)
        return {};
    posix_spawn_file_actions_destroy(&actions);
    close(output[1]);
    char block[4096];
    bool lineSeen = false;
    for (ssize_t got; (got = read(output[0], block, sizeof block)) > 0;) {
        if (!lineSeen && std::memchr(block, '\n', size_t(got))) {
            lineSeen = true;
            run.FirstLineSeconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
            if (stopAfterFirstLine)
                kill(child, SIGKILL);
        }
    }
    close(output[0]);
    int status = 0;
    rusage usage{};
    wait4(child, &status, 0, &usage);
    run.TotalSeconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    run.ExitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    run.PeakMiB = double(usage.ru_maxrss) / 1024.0;
    return run;
}

fs::path LargestSkin(const fs::path& folder, int index)
{
    static const std::string bitmap = tf::test::BmpBuilder(4096, 4096, 1).build();
    const fs::path archive = folder / ("largest" + std::to_string(index) + ".wsz");
    tf::test::ZipWriter zip(archive);
    for (std::string_view name : tf::kSourceFileTable)
        if (name.ends_with(".bmp"))
            zip.addFile(std::string(name), bitmap);
    return archive;
}

std::vector<std::string> Repeated(const fs::path& archive, int count, const std::string& out, int jobs)
{
    std::vector<std::string> arguments{"convert"};
    arguments.insert(arguments.end(), size_t(count), archive.string());
    arguments.insert(arguments.end(), {"-o", out, "-j", std::to_string(jobs)});
    return arguments;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    const tf::test::TempFolder temp;
    const auto real = tf::test::SharedSkin("base-2.91.wsz");
    if (!real) {
        std::printf("../shared/skins/base-2.91.wsz is absent; nothing to measure\n");
        return 0;
    }
    const std::string out = (temp / "out").string();
    std::printf("load average at the start: %s\n", LoadAverage().c_str());

    const Run alone = RunConverter(Repeated(*real, 1, out + "/alone", 1));
    const Run many = RunConverter(Repeated(*real, 16000, out + "/many", 2), true);
    std::printf("16000 skins of one name: the first done after %.3f s, one skin alone takes %.3f s: %.3f s to start "
                "(aim: under 1)\n",
                many.FirstLineSeconds, alone.TotalSeconds, many.FirstLineSeconds - alone.TotalSeconds);

    const Run hundred = RunConverter(Repeated(*real, 100, out + "/100", 2));
    const Run thousand = RunConverter(Repeated(*real, 1000, out + "/1000", 2));
    std::printf("peak memory of 1000 skins against 100 at -j 2: %.3f (%.1f MiB against %.1f MiB; %.1f s, %.1f s)  "
                "[aim: flat, 1.0]\n",
                thousand.PeakMiB / hundred.PeakMiB, thousand.PeakMiB, hundred.PeakMiB, thousand.TotalSeconds,
                hundred.TotalSeconds);
    fs::remove_all(temp / "out");

    for (const int jobs : {4, 16}) {
        std::vector<std::string> arguments{"convert"};
        for (int i = 0; i < jobs / 2; ++i)
            arguments.push_back(LargestSkin(temp.path(), i).string());
        arguments.insert(arguments.end(), {"-o", out + "/largest" + std::to_string(jobs), "-j", std::to_string(jobs)});
        const Run largest = RunConverter(arguments);
        std::printf("peak memory of %d of the largest skins at -j %d: %.1f MiB (exit %d, %.1f s)  [aim: under 256]\n",
                    jobs / 2, jobs, largest.PeakMiB, largest.ExitCode, largest.TotalSeconds);
    }
    std::printf("load average at the end: %s\n", LoadAverage().c_str());
    return 0;
}
