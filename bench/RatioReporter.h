#pragma once

// Keeps the time per iteration of every benchmark of a run, so a program can
// print its figure as a ratio against a baseline measured in the same run.
// With --benchmark_repetitions the medians are used.

#include "platform/Fonts.h"
#include "support/TestPaths.h"

#include <QGuiApplication>
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>

namespace tf::bench {

// Drawing and measuring text needs a Gui application; benchmarks never need
// a display, but keep one that the caller chose.
template <typename Application = QGuiApplication>
class OffscreenApplication {
public:
    OffscreenApplication(int& argc, char** argv)
        : m_application(PrepareOffscreen(argc), argv)
    {
        InstallFontSubstitutions();
    }

private:
    static int& PrepareOffscreen(int& argc)
    {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        return argc;
    }

    Application m_application;
};

// The shared skin a benchmark measures on; says so and gives nothing when
// ../shared is absent, as in a user's clone.
inline std::optional<std::filesystem::path> SkinToMeasure(const char* name)
{
    auto skin = tf::test::SharedSkin(name);
    if (!skin)
        std::printf("../shared/skins/%s is absent; nothing to measure\n", name);
    return skin;
}

class RatioReporter : public benchmark::ConsoleReporter {
public:
    enum class Clock { Real, Cpu };

    void ReportRuns(const std::vector<Run>& runs) override
    {
        for (const Run& run : runs) {
            if (run.error_occurred)
                continue;
            // The name with its run options ("min_time:2.000", "real_time")
            // left out, so callers name it as they registered it.
            std::string name = run.run_name.function_name;
            if (!run.run_name.args.empty())
                name += "/" + run.run_name.args;
            const bool median = run.run_type == Run::RT_Aggregate && run.aggregate_name == "median";
            if (median)
                m_medians.insert(name);
            if (median || (run.run_type == Run::RT_Iteration && run.iterations > 0 && !m_medians.count(name)))
                m_times[name] = {run.GetAdjustedRealTime(), run.GetAdjustedCPUTime()};
        }
        ConsoleReporter::ReportRuns(runs);
    }

    // Runs every benchmark the command line selects and reports them here.
    RatioReporter& runAll()
    {
        benchmark::RunSpecifiedBenchmarks(this);
        return *this;
    }

    // Time per iteration, by the benchmark's name without its arguments
    // (e.g. "BatchBench/2" keeps its argument), 0 when it did not run.
    double time(const std::string& name, Clock clock = Clock::Real) const
    {
        const auto found = m_times.find(name);
        if (found == m_times.end())
            return 0.0;
        return clock == Clock::Real ? found->second.Real : found->second.Cpu;
    }

    // Prints "label: ratio (...)" and returns the ratio, 0 when either time
    // is missing. CPU time suits single-threaded work on a busy machine;
    // real time is the figure for anything that runs in parallel or waits.
    double printRatio(const std::string& label, const std::string& measured, const std::string& baseline,
                      double aim = 0, Clock clock = Clock::Real) const
    {
        const double a = time(measured, clock), b = time(baseline, clock);
        if (a <= 0 || b <= 0)
            return 0;
        std::printf("%s: %.3f (%s time: %s %.1f against %s %.1f, in the run's time unit)%s\n", label.c_str(),
                    a / b, clock == Clock::Real ? "real" : "CPU", measured.c_str(), a, baseline.c_str(), b,
                    aim > 0 ? (a / b <= aim ? "  [within aim]" : "  [over aim]") : "");
        return a / b;
    }

private:
    struct Times {
        double Real = 0;
        double Cpu = 0;
    };
    std::map<std::string, Times> m_times;
    std::set<std::string> m_medians;
};

// The main of a benchmark program: Qt without a display, Google Benchmark's
// options, prepare() (false when there is nothing to measure), every
// benchmark, then report() with their times.
inline int RunBenchmarks(int& argc, char** argv, const std::function<void(const RatioReporter&)>& report,
                         const std::function<bool()>& prepare = [] { return true; })
{
    OffscreenApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (!prepare())
        return 0;
    RatioReporter reporter;
    reporter.runAll();
    report(reporter);
    benchmark::Shutdown();
    return 0;
}

} // namespace tf::bench
