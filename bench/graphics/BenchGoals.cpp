#include "BenchGoals.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>

namespace {

// Keeps the median real time of each benchmark (or its single run without repetitions).
class GoalReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override
    {
        for (const Run& run : runs) {
            std::string name = run.run_name.str();
            // Names carry "/real_time" when measured in real time; goals use the bare name.
            if (const auto at = name.rfind("/real_time"); at != std::string::npos && at + 10 == name.size())
                name.erase(at);
            if (run.run_type == Run::RT_Aggregate && run.aggregate_name == "median")
                medians_[name] = run.GetAdjustedRealTime();
            else if (run.run_type == Run::RT_Iteration && !medians_.count(name))
                singles_[name] = run.GetAdjustedRealTime();
        }
        ConsoleReporter::ReportRuns(runs);
    }

    bool Time(const std::string& name, double& time) const
    {
        if (auto it = medians_.find(name); it != medians_.end())
            return time = it->second, true;
        if (auto it = singles_.find(name); it != singles_.end())
            return time = it->second, true;
        return false;
    }

private:
    std::map<std::string, double> medians_, singles_;
};

} // namespace

int RunWithGoals(int argc, char** argv, const std::vector<BenchGoal>& goals)
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    GoalReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();

    std::printf("\nGoals (ratio of medians, ours / baseline):\n");
    for (const BenchGoal& goal : goals) {
        double ours = 0, baseline = 0;
        if (!reporter.Time(goal.ours, ours) || !reporter.Time(goal.baseline, baseline) || baseline <= 0) {
            std::printf("  %-34s vs %-34s  skipped (not run or baseline missing)\n", goal.ours.c_str(),
                        goal.baseline.c_str());
            continue;
        }
        const double ratio = ours / baseline;
        std::printf("  %-34s vs %-34s  %6.2fx  (goal <= %.2fx)  %s\n", goal.ours.c_str(), goal.baseline.c_str(),
                    ratio, goal.limit, ratio <= goal.limit ? "met" : "NOT MET");
    }
    return 0;
}
