#pragma once

#include <benchmark/benchmark.h>

#include <map>
#include <string>
#include <vector>

// Prints as usual and keeps each result's rate (the counter named rate) for the summary: with
// repetitions the median stands for the benchmark, single runs stand for themselves.
class SummaryReporter : public benchmark::ConsoleReporter
{
public:
    explicit SummaryReporter(std::string rate) : rate_(std::move(rate)) {}

    std::map<std::string, double> rates_;

    void ReportRuns(const std::vector<Run>& runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const auto& run : runs) {
            const auto it = run.counters.find(rate_);
            if (it == run.counters.end())
                continue;
            if (run.run_type == Run::RT_Aggregate ? run.aggregate_name == "median" : run.repetitions <= 1)
                rates_[run.run_name.str()] = it->second.value;
        }
    }

private:
    std::string rate_;
};
