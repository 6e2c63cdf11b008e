// How long one answer to Enter takes: the whole chain of a field, the gauge included, and
// the numeric text rules it is made of. Run: build with -DMEZURA_BENCH=ON, then
// ./build/bench/mezura_bench
#include "framework/app.h"
#include "framework/numtext.h"
#include "framework/window.h"
#include "windows/catalog.h"

#include <benchmark/benchmark.h>

namespace {

class QuietHost : public mezura::Host {
public:
    void beep(const mezura::Form&) override {}
    void openHelp(int) override {}
    void reportError(const mezura::Form&, const std::string&) override {}
    void showPopup(const mezura::Form&) override {}
    void bringToFront(const mezura::Form&) override {}
    void quit() override {}
    int currentYear() override { return 2026; }
};

void enterIn(benchmark::State& state, const char* window, const char* field, const char* text)
{
    QuietHost host;
    mezura::App app(host, mezura::windowTable());
    mezura::ConversionWindow& w = app.window(window);
    const int index = w.fieldIndex(field);
    for (auto _ : state) {
        w.typeText(index, text);
        w.keyPress(index, 13);
        benchmark::DoNotOptimize(w.text(0));
    }
}

void BM_EnterLengthInch(benchmark::State& state) { enterIn(state, "length", "txtI1", "1"); }
void BM_EnterLengthNauticalMile(benchmark::State& state) { enterIn(state, "length", "txtS7", "1"); }
void BM_EnterSquareTsubo(benchmark::State& state) { enterIn(state, "square", "txtS3", "1"); }
void BM_EnterTempCelsius(benchmark::State& state) { enterIn(state, "temp", "txtCels", "100"); }
void BM_EnterYear(benchmark::State& state) { enterIn(state, "year", "txtW1", "1989"); }

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
BENCHMARK_MAIN();
