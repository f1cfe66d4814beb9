// The console report of Google Benchmark, followed by the table of ratios:
// each figure of the program's own code divided by its reference measured
// in the same run, beside its goal; then the counters that have goals of
// their own. Of repeated runs of one benchmark the fastest counts (the
// machine is shared, and interference only ever slows a run down), and the
// console shows their statistics only.
#pragma once

#include <benchmark/benchmark.h>

#include <map>
#include <string>
#include <vector>

class RatioReporter : public benchmark::ConsoleReporter {
public:
    struct Ratio {
        std::string figure;     // what is compared, for the table
        std::string measured;   // benchmark name of the program's code
        std::string reference;  // benchmark name of the reference
        double goal;            // the ratio to stay within; 0: none, shown only
    };
    struct CounterGoal {
        std::string figure;
        std::string benchmark;
        std::string counter;
        double goal;  // the counter's value must not exceed it; 0: none, shown only
    };

    RatioReporter(std::vector<Ratio> ratios, std::vector<CounterGoal> counterGoals)
        : ratios_(std::move(ratios)), counterGoals_(std::move(counterGoals)) {}

    void ReportRuns(const std::vector<Run>& runs) override;
    void Finalize() override;

    // False once a goal that was run was missed.
    bool allGoalsMet() const { return allMet_; }

private:
    static std::string timeText(double seconds);
    void printRatio(const Ratio& ratio);
    void printCounterGoal(const CounterGoal& goal);

    std::vector<Ratio> ratios_;
    std::vector<CounterGoal> counterGoals_;
    std::map<std::string, double> fastest_;  // seconds per iteration
    std::map<std::string, std::map<std::string, double>> counters_;
    bool allMet_ = true;
};
