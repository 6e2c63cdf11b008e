// How long one answer to Enter takes: the whole chain of a field, the gauge included, and
// the numeric text rules it is made of; for every window its largest chain, found by trying
// each field. Run: build with -DMEZURA_BENCH=ON, then ./build/bench/mezura_bench
#include "framework/app.h"
#include "framework/numtext.h"
#include "framework/window.h"
#include "largest_chain.h"
#include "windows/catalog.h"

#include <benchmark/benchmark.h>

namespace {

void enterIn(benchmark::State& state, const char* window, const char* field, const char* text)
{
    mezura::QuietHost host{2026};
    mezura::App app(host, mezura::windowTable());
    mezura::ConversionWindow& w = app.window(window);
    const int index = w.fieldIndex(field);
    for (auto _ : state) {
        w.typeText(index, text);
        w.keyPress(index, 13);
        benchmark::DoNotOptimize(w.text(0));
    }
}

void BM_EnterLengthInch(benchmark::State& state)
{
    enterIn(state, "length", "txtI1", "1");
}
void BM_EnterLengthNauticalMile(benchmark::State& state)
{
    enterIn(state, "length", "txtS7", "1");
}
void BM_EnterSquareTsubo(benchmark::State& state)
{
    enterIn(state, "square", "txtS3", "1");
}
void BM_EnterTempCelsius(benchmark::State& state)
{
    enterIn(state, "temp", "txtCels", "100");
}
void BM_EnterYear(benchmark::State& state)
{
    enterIn(state, "year", "txtW1", "1989");
}

void BM_NumberText(benchmark::State& state)
{
    double value = 0.0833333333333333;
    for (auto _ : state) {
        benchmark::DoNotOptimize(mezura::numberText(value));
        value += 1e-9;
    }
}

void BM_NumberParse(benchmark::State& state)
{
    for (auto _ : state) {
        benchmark::DoNotOptimize(mezura::parseNumber(" 1.23456789012346E+15"));
    }
}

void BM_DigitLimiter(benchmark::State& state)
{
    for (auto _ : state) {
        benchmark::DoNotOptimize(mezura::setCol(1.578282828e-05, 6));
    }
}

} // namespace

BENCHMARK(BM_EnterLengthInch);
BENCHMARK(BM_EnterLengthNauticalMile);
BENCHMARK(BM_EnterSquareTsubo);
BENCHMARK(BM_EnterTempCelsius);
BENCHMARK(BM_EnterYear);
BENCHMARK(BM_NumberText);
BENCHMARK(BM_NumberParse);
BENCHMARK(BM_DigitLimiter);

int main(int argc, char** argv)
{
    // One benchmark per window: the chain of its field whose Enter writes the most fields,
    // named with that field and the count ("EnterLargest/cubic/txtC1/40").
    for (const mezura::WindowRow& row : mezura::windowTable().windows) {
        const mezura::bench::LargestChain chain = mezura::bench::largestChain(row);
        const std::string name =
            "EnterLargest/" + row.frame.name + "/" + chain.field + "/" + std::to_string(chain.rewritten);
        benchmark::RegisterBenchmark(name.c_str(),
                                     [window = row.frame.name, field = chain.field](benchmark::State& state) {
                                         enterIn(state, window.c_str(), field.c_str(), "1");
                                     });
    }
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
