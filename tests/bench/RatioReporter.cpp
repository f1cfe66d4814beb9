#include "bench/RatioReporter.h"

#include <cstdio>

void RatioReporter::ReportRuns(const std::vector<Run>& runs) {
    std::vector<Run> aggregates;
    for (const Run& run : runs) {
        if (run.run_type == Run::RT_Aggregate) aggregates.push_back(run);
        if (run.run_type != Run::RT_Iteration || run.error_occurred || run.iterations <= 0)
            continue;
        const std::string name = run.benchmark_name();
        const double perIteration = run.real_accumulated_time / static_cast<double>(run.iterations);
        const auto known = fastest_.find(name);
        if (known != fastest_.end() && perIteration >= known->second) continue;
        fastest_[name] = perIteration;
        for (const auto& counter : run.counters) counters_[name][counter.first] = counter.second.value;
    }
    // Of repeated runs only their statistics are shown.
    ConsoleReporter::ReportRuns(aggregates.empty() ? runs : aggregates);
}

std::string RatioReporter::timeText(double seconds) {
    char text[32];
    if (seconds >= 1e-3) {
        std::snprintf(text, sizeof text, "%.2f ms", seconds * 1e3);
    } else if (seconds >= 1e-6) {
        std::snprintf(text, sizeof text, "%.2f us", seconds * 1e6);
    } else {
        std::snprintf(text, sizeof text, "%.1f ns", seconds * 1e9);
    }
    return text;
}

void RatioReporter::printRatio(const Ratio& ratio) {
    const auto measured = fastest_.find(ratio.measured);
    const auto reference = fastest_.find(ratio.reference);
    // A filter may have left either out.
    if (measured == fastest_.end() || reference == fastest_.end() || reference->second <= 0) return;
    const double value = measured->second / reference->second;
    char goal[16] = "-";
    if (ratio.goal > 0) std::snprintf(goal, sizeof goal, "%.1fx", ratio.goal);
    const bool missed = ratio.goal > 0 && value > ratio.goal;
    if (missed) allMet_ = false;
    std::printf("%-56s %11s %11s %7.2fx %6s%s\n", ratio.figure.c_str(),
                timeText(measured->second).c_str(), timeText(reference->second).c_str(), value, goal,
                missed ? "  MISSED" : "");
}

void RatioReporter::printCounterGoal(const CounterGoal& goal) {
    const auto named = counters_.find(goal.benchmark);
    if (named == counters_.end()) return;
    const auto counter = named->second.find(goal.counter);
    if (counter == named->second.end()) return;
    const bool missed = goal.goal > 0 && counter->second > goal.goal;
    if (missed) allMet_ = false;
    char limit[16] = "-";
    if (goal.goal > 0) std::snprintf(limit, sizeof limit, "%.1fx", goal.goal);
    std::printf("%-56s %11s %11s %7.2fx %6s%s\n", goal.figure.c_str(), "", "", counter->second, limit,
                missed ? "  MISSED" : "");
}

void RatioReporter::Finalize() {
    ConsoleReporter::Finalize();
    std::printf("\n%-56s %11s %11s %8s %6s\n", "Figure", "measured", "reference", "ratio", "goal");
    for (const Ratio& ratio : ratios_) printRatio(ratio);
    for (const CounterGoal& goal : counterGoals_) printCounterGoal(goal);
    std::fflush(stdout);
}
