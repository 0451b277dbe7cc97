#include "bench/scalingreporter.h"

#include <iomanip>
#include <ostream>

namespace {

const double eightfoldGoal = 9.0;
const double floorGoal = 12.0;
const long floorSize = 16000;

} // namespace

void ScalingReporter::ReportRuns(const std::vector<Run> &runs)
{
    ConsoleReporter::ReportRuns(runs);
    for (const Run &run : runs) {
        if (run.aggregate_name != "median" || run.error_occurred)
            continue;
        Median &median = series[run.run_name.function_name][std::stol(run.run_name.args)];
        median.cpu = run.GetAdjustedCPUTime();
        const auto floor = run.counters.find("x_floor");
        if (floor != run.counters.end())
            median.floorRatio = floor->second.value;
    }
}

int ScalingReporter::summary(std::ostream &out) const
{
    int missed = 0;
    out << "\nMedian CPU time of 8N over N (goal <= " << eightfoldGoal << "), x_floor at "
        << floorSize << " (goal <= " << floorGoal << "):\n";
    for (const auto &entry : series) {
        const std::map<long, Median> &sizes = entry.second;
        out << "  " << std::left << std::setw(34) << entry.first << std::right;
        for (const long n : {1000L, 2000L, 4000L}) {
            const auto small = sizes.find(n);
            const auto large = sizes.find(8 * n);
            if (small == sizes.end() || large == sizes.end() || small->second.cpu <= 0)
                continue;
            const double ratio = large->second.cpu / small->second.cpu;
            missed += ratio <= eightfoldGoal ? 0 : 1;
            out << "  " << 8 * n << "/" << n << " " << std::fixed << std::setprecision(1) << ratio
                << (ratio <= eightfoldGoal ? "" : " MISSED");
        }
        const auto atFloorSize = sizes.find(floorSize);
        if (atFloorSize != sizes.end() && atFloorSize->second.floorRatio > 0) {
            const double floorRatio = atFloorSize->second.floorRatio;
            missed += floorRatio <= floorGoal ? 0 : 1;
            out << "  x_floor " << floorSize << " " << std::fixed << std::setprecision(1)
                << floorRatio << (floorRatio <= floorGoal ? "" : " MISSED");
        }
        out << "\n";
    }
    return missed;
}
