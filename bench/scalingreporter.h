#ifndef VORPEN_SCALINGREPORTER_H
#define VORPEN_SCALINGREPORTER_H

#include <benchmark/benchmark.h>

#include <map>
#include <string>

// Prints what the console reporter prints and keeps the median CPU time and x_floor of every
// size of a series; summary() then prints the time of eight times a size over the time of the
// size (1,000, 2,000 and 4,000) and x_floor at 16,000, against their goals.
class ScalingReporter : public benchmark::ConsoleReporter
{
public:
    void ReportRuns(const std::vector<Run> &runs) override;
    // Returns the number of goals missed.
    int summary(std::ostream &out) const;

private:
    struct Median
    {
        double cpu = 0;
        double floorRatio = 0;
    };
    std::map<std::string, std::map<long, Median>> series;
};

#endif
