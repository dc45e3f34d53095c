#pragma once
// Prints the goals of a benchmark program as ratios of medians measured in the same run.
#include <string>
#include <vector>

struct BenchGoal {
    std::string ours;      // benchmark name of the project's code
    std::string baseline;  // benchmark name of the baseline
    double limit;          // the goal: ours / baseline at most this
};

// Runs the benchmarks selected on the command line and prints every goal whose two
// benchmarks both ran. Returns the process exit code.
int RunWithGoals(int argc, char** argv, const std::vector<BenchGoal>& goals);
