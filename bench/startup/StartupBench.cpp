// Start-up of the window program, from the process start to its main
// window being mapped on the X server, against a bare Qt window program
// started the same way. Needs an X display (run.sh starts Xvfb).
//
// The machine is shared, so its load drifts: the three programs' runs are
// repeated and randomly interleaved, and the medians compared.
//
// The programs are watched from outside: this process listens for the map
// events of top-level windows and reads each one's title, so the window
// program carries no measuring code of its own.

#include "platform/Product.h"

#include "bench/RatioReporter.h"

#include <benchmark/benchmark.h>
#include <xcb/xcb.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <optional>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace fs = std::filesystem;

namespace {

const std::string kMainTitle = tf::kMainCaption.toStdString();
const std::string kErrorBoxTitle = tf::kProductName.toStdString(); // a start-up error box (e.g. no Start.jpg)
constexpr const char* kBareTitle = "Bare Window";
constexpr auto kTimeout = std::chrono::seconds(20);

fs::path g_binFolder;

class XWatcher {
public:
    XWatcher()
    {
        m_connection = xcb_connect(nullptr, nullptr);
        if (xcb_connection_has_error(m_connection))
            return;
        m_root = xcb_setup_roots_iterator(xcb_get_setup(m_connection)).data->root;
        const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
        xcb_change_window_attributes(m_connection, m_root, XCB_CW_EVENT_MASK, &mask);
        m_netWmName = Atom("_NET_WM_NAME");
        m_utf8 = Atom("UTF8_STRING");
        xcb_flush(m_connection);
        m_ok = true;
    }
    ~XWatcher() { xcb_disconnect(m_connection); }
    bool ok() const { return m_ok; }

    // The title of the next top-level window mapped, or nothing on timeout.
    std::optional<std::string> nextMappedTitle(std::chrono::steady_clock::time_point deadline)
    {
        while (std::chrono::steady_clock::now() < deadline) {
            xcb_generic_event_t* event = xcb_poll_for_event(m_connection);
            if (!event) {
                usleep(200);
                continue;
            }
            std::optional<std::string> title;
            if ((event->response_type & 0x7f) == XCB_MAP_NOTIFY)
                title = Title(reinterpret_cast<xcb_map_notify_event_t*>(event)->window);
            std::free(event);
            if (title)
                return title;
        }
        return std::nullopt;
    }

private:
    xcb_atom_t Atom(const char* name)
    {
        const auto cookie = xcb_intern_atom(m_connection, 0, uint16_t(std::strlen(name)), name);
        xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(m_connection, cookie, nullptr);
        const xcb_atom_t atom = reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
        std::free(reply);
        return atom;
    }

    std::string Title(xcb_window_t window)
    {
        const auto cookie = xcb_get_property(m_connection, 0, window, m_netWmName, m_utf8, 0, 256);
        xcb_get_property_reply_t* reply = xcb_get_property_reply(m_connection, cookie, nullptr);
        std::string title;
        if (reply)
            title.assign(static_cast<const char*>(xcb_get_property_value(reply)),
                         size_t(xcb_get_property_value_length(reply)));
        std::free(reply);
        return title;
    }

    xcb_connection_t* m_connection = nullptr;
    xcb_window_t m_root = 0;
    xcb_atom_t m_netWmName = 0;
    xcb_atom_t m_utf8 = 0;
    bool m_ok = false;
};

pid_t Start(const fs::path& program, const char* argument)
{
    const std::string path = program.string();
    char* argv[] = {const_cast<char*>(path.c_str()), const_cast<char*>(argument), nullptr};
    pid_t pid = 0;
    if (posix_spawn(&pid, path.c_str(), nullptr, nullptr, argv, environ) != 0)
        return -1;
    return pid;
}

void Stop(pid_t pid)
{
    kill(pid, SIGTERM);
    waitpid(pid, nullptr, 0);
}

// One start per iteration, timed until the window titled title is mapped.
// One connection for the whole run: an X server resets when its last
// client leaves, and a connection made during the reset fails.
XWatcher& Watcher()
{
    static XWatcher watcher;
    return watcher;
}

void MeasureStartup(benchmark::State& state, const fs::path& program, const std::string& title,
                    const char* argument = nullptr)
{
    XWatcher& watcher = Watcher();
    if (!watcher.ok()) {
        state.SkipWithError("no X display (run under xvfb-run, see run.sh)");
        return;
    }
    for (auto _ : state) {
        const auto started = std::chrono::steady_clock::now();
        const pid_t pid = Start(program, argument);
        if (pid < 0) {
            state.SkipWithError(("cannot start " + program.string()).c_str());
            return;
        }
        std::optional<std::string> mapped;
        while ((mapped = watcher.nextMappedTitle(started + kTimeout)) && *mapped != title
               && *mapped != kErrorBoxTitle) {
        }
        const auto shown = std::chrono::steady_clock::now();
        Stop(pid);
        if (!mapped || *mapped != title) {
            state.SkipWithError(mapped ? "the program showed an error box at start-up"
                                       : "the window did not appear in time");
            return;
        }
        state.SetIterationTime(std::chrono::duration<double>(shown - started).count());
    }
}

void BM_BareWindowStartup(benchmark::State& state)
{
    MeasureStartup(state, g_binFolder / "bare_window", kBareTitle);
}
BENCHMARK(BM_BareWindowStartup)->UseManualTime()->Iterations(3)->Unit(benchmark::kMillisecond);

void BM_BareTextWindowStartup(benchmark::State& state)
{
    MeasureStartup(state, g_binFolder / "bare_window", kBareTitle, "--text");
}
BENCHMARK(BM_BareTextWindowStartup)->UseManualTime()->Iterations(3)->Unit(benchmark::kMillisecond);

void BM_TessaformStartup(benchmark::State& state)
{
    MeasureStartup(state, g_binFolder / "tessaform", kMainTitle);
}
BENCHMARK(BM_TessaformStartup)->UseManualTime()->Iterations(3)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    g_binFolder = fs::canonical("/proc/self/exe").parent_path();
    std::vector<char*> arguments(argv, argv + argc);
    std::string repetitions = "--benchmark_repetitions=7";
    std::string interleave = "--benchmark_enable_random_interleaving=true";
    if (argc == 1) {
        arguments.push_back(repetitions.data());
        arguments.push_back(interleave.data());
    }
    int count = int(arguments.size());
    benchmark::Initialize(&count, arguments.data());
    Watcher();
    tf::bench::RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.printRatio("start-up until the main window is shown, against a bare Qt window",
                        "BM_TessaformStartup", "BM_BareWindowStartup", 1.5);
    reporter.printRatio("the same, against a bare window with one line of Japanese text",
                        "BM_TessaformStartup", "BM_BareTextWindowStartup");
    benchmark::Shutdown();
    return 0;
}
