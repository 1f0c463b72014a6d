#pragma once

// Keeps the time per iteration of every benchmark of a run, so a program can
// print its figure as a ratio against a baseline measured in the same run.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>

namespace tf::bench {

class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override
    {
        for (const Run& run : runs)
            if (run.run_type == Run::RT_Iteration && run.iterations > 0) {
                m_times[run.benchmark_name()] = run.GetAdjustedRealTime();
                m_cpuTimes[run.benchmark_name()] = run.GetAdjustedCPUTime();
            }
        ConsoleReporter::ReportRuns(runs);
    }

    enum class Clock { Real, Cpu };

    double time(const std::string& name, Clock clock = Clock::Real) const
    {
        const auto& times = clock == Clock::Real ? m_times : m_cpuTimes;
        const auto found = times.find(name);
        return found == times.end() ? 0.0 : found->second;
    }

    // "label: 1.234 (measured / baseline)"; returns the ratio, 0 when either
    // is missing. CPU time suits single-threaded work on a busy machine; real
    // time is the figure for anything that runs in parallel or waits.
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
    std::map<std::string, double> m_times;
    std::map<std::string, double> m_cpuTimes;
};

} // namespace tf::bench
