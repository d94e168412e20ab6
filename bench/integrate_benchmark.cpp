// One whole Integrate call against the same arithmetic as a bare double loop. The
// tagged values must cost little on top: the call may take at most 1.5 times the
// loop. bench/measure_integrate_instructions.sh counts instructions for the same pair.

#include "host/runtime/number_locale.h"
#include "numeric/integrate.h"
#include "numeric/probability_boxes.h"

#include <QString>
#include <benchmark/benchmark.h>
#include <cmath>
#include <numbers>

namespace {

using dorvek::host::NumberLocale;

class FixedBoxes : public dorvek::numeric::ProbabilityBoxes {
public:
    QString lowerBoundText() override { return QStringLiteral("-5,00"); }
    QString upperBoundText() override { return QStringLiteral("5,00"); }
    void setResultText(const QString& text) override { result = text; }

    QString result;
};

// Kept out of line so that callgrind can count each case on its own (--toggle-collect).
[[gnu::noinline]] void runIntegrateCall(FixedBoxes& boxes) {
    dorvek::numeric::Integrate(boxes, NumberLocale::withComma());
}

// Integrate's twelve steps on plain doubles: the same operations in the same order,
// the same exp calls, without reading or writing any text.
[[gnu::noinline]] double runBareLoop(double A, double B) {
    const int N = 10000;
    double S = 0.0;
    const double H = (B - A) / N;
    double X = A;
    for (int i = 1; i <= N - 1; ++i) {
        X = X + H;
        S = S + 1.0 / std::exp(X * X / 2);
    }
    const double C = 1.0 / std::sqrt(2.0 * std::numbers::pi);
    const double FA = 1.0 / std::exp(A * A / 2);
    const double FB = 1.0 / std::exp(B * B / 2);
    return (C * (H / 2)) * ((FA + FB) + 2.0 * S);
}

void IntegrateCall(benchmark::State& state) {
    FixedBoxes boxes;
    for (auto _ : state) {
        runIntegrateCall(boxes);
        benchmark::DoNotOptimize(boxes.result);
    }
}

void BareDoubleLoop(benchmark::State& state) {
    double A = -5.0;
    double B = 5.0;
    for (auto _ : state) {
        // Hidden from the optimiser, as the bounds read from text are.
        benchmark::DoNotOptimize(A);
        benchmark::DoNotOptimize(B);
        double P = runBareLoop(A, B);
        benchmark::DoNotOptimize(P);
    }
}

BENCHMARK(IntegrateCall)->Unit(benchmark::kMicrosecond);
BENCHMARK(BareDoubleLoop)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
