// readWeight and formatWeight beside std::from_chars and std::to_chars on the
// same inputs, which are the floor for such conversions. Prints the times and
// the ratios to the floor.
#include "weight.h"

#include <QLocale>
#include <QString>

#include <benchmark/benchmark.h>

#include <charconv>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

namespace {

const std::vector<std::string> kTexts = {"85.5", "70", "72.03999999999999",
                                         "1.7976931348623157e308", "0.000123456789"};
const std::vector<double> kValues = {76.2, 82, 72.03999999999999, 1.7976931348623157e308,
                                     0.000123456789};

void readWeightBench(benchmark::State& state)
{
    std::vector<QString> texts;
    for (const std::string& text : kTexts)
        texts.push_back(QString::fromStdString(text));
    for (auto _ : state)
        for (const QString& text : texts)
            benchmark::DoNotOptimize(readWeight(text));
}

void fromCharsBench(benchmark::State& state)
{
    for (auto _ : state)
        for (const std::string& text : kTexts) {
            double value = 0;
            std::from_chars(text.data(), text.data() + text.size(), value);
            benchmark::DoNotOptimize(value);
        }
}

void formatWeightBench(benchmark::State& state)
{
    const QLocale italian(QLocale::Italian, QLocale::Italy);
    for (auto _ : state)
        for (double value : kValues)
            benchmark::DoNotOptimize(formatWeight(value, italian));
}

void toCharsBench(benchmark::State& state)
{
    char buffer[64];
    for (auto _ : state)
        for (double value : kValues) {
            auto end = std::to_chars(buffer, buffer + sizeof buffer, value,
                                     std::chars_format::general, 15);
            benchmark::DoNotOptimize(end.ptr);
        }
}

BENCHMARK(readWeightBench);
BENCHMARK(fromCharsBench);
BENCHMARK(formatWeightBench);
BENCHMARK(toCharsBench);

// Keeps each benchmark's time per iteration, for the ratios.
class Reporter : public benchmark::ConsoleReporter {
public:
    Reporter()
        : ConsoleReporter(OO_Tabular)
    {
    }

    std::map<std::string, double> nanoseconds;

    void ReportRuns(const std::vector<Run>& runs) override
    {
        for (const Run& run : runs)
            nanoseconds[run.benchmark_name()] = run.GetAdjustedRealTime();
        ConsoleReporter::ReportRuns(runs);
    }
};

} // namespace

int main(int argc, char* argv[])
{
    benchmark::Initialize(&argc, argv);
    Reporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    auto ratio = [&](const char* ours, const char* floor) {
        std::printf("%s / %s: %.1f\n", ours, floor,
                    reporter.nanoseconds[ours] / reporter.nanoseconds[floor]);
    };
    ratio("readWeightBench", "fromCharsBench");
    ratio("formatWeightBench", "toCharsBench");
    benchmark::Shutdown();
    return 0;
}
