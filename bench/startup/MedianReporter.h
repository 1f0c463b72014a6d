#pragma once

// Keeps each benchmark's time per iteration (the median of its repetitions
// when it is repeated) so that the window benchmarks can print a ratio
// against a baseline measured in the same run.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>
#include <vector>

namespace tf::bench {

class MedianReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override
    {
        for (const Run& run : runs) {
            if (run.error_occurred)
                continue;
            const std::string& name = run.run_name.function_name;
            if (run.run_type == Run::RT_Aggregate && run.aggregate_name == "median")
                m_times[name] = {run.GetAdjustedRealTime(), true};
            else if (run.run_type == Run::RT_Iteration && !m_times[name].median)
                m_times[name].time = run.GetAdjustedRealTime();
        }
        ConsoleReporter::ReportRuns(runs);
    }

    // Real time per iteration in the benchmark's unit, 0 when it did not run.
    double time(const std::string& name) const
    {
        const auto found = m_times.find(name);
        return found == m_times.end() ? 0 : found->second.time;
    }

    void printRatio(const char* label, const std::string& measured, const std::string& baseline,
                    double aim = 0) const
    {
        const double a = time(measured), b = time(baseline);
        if (a <= 0 || b <= 0)
            return;
        std::printf("%s: %.3f (%s %.1f against %s %.1f, real time in the run's unit)%s\n", label, a / b,
                    measured.c_str(), a, baseline.c_str(), b,
                    aim > 0 ? (a / b <= aim ? "  [within aim]" : "  [over aim]") : "");
    }

private:
    struct Entry {
        double time = 0;
        bool median = false;
    };
    std::map<std::string, Entry> m_times;
};

} // namespace tf::bench
