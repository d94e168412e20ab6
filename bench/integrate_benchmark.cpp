// One whole Integrate call against the same arithmetic as a bare double loop. The
// tagged values must cost little on top: bench/measure_integrate_cost.sh holds the
// call to at most 1.2 times the loop in instructions (GCC) and 1.5 in time.

#include "host/runtime/number_locale.h"
#include "numeric/integrate.h"
#include "tests/support/plain_double_integration.h"
#include "tests/support/recording_boxes.h"

#include <QString>
#include <benchmark/benchmark.h>

namespace {

using dorvek::host::NumberLocale;
using dorvek::test::RecordingBoxes;

// Kept out of line so that callgrind can count each case on its own (--toggle-collect).
[[gnu::noinline]] void runIntegrateCall(RecordingBoxes& boxes) {
    dorvek::numeric::Integrate(boxes, NumberLocale::withComma());
}

// Integrate's twelve steps on plain doubles: the same operations in the same order,
// the same exp calls, without reading or writing any text.
[[gnu::noinline]] double runBareLoop(double A, double B) {
    return dorvek::test::plainDoubleProbability(A, B);
}

void IntegrateCall(benchmark::State& state) {
    for (auto _ : state) {
        // Fresh boxes each time, so their record of calls does not grow with the run.
        RecordingBoxes boxes(QStringLiteral("-5,00"), QStringLiteral("5,00"));
        runIntegrateCall(boxes);
        benchmark::DoNotOptimize(boxes.resultText());
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
