// Cost of one repaint of the graph window: the whole plot of a record at 600 x 300, rendered
// offscreen by Mesa's llvmpipe, up to glFinish. Arguments: points per series, log scale (1) or
// linear (0).
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>

#include "OffscreenGL.h"
#include "SortGraph.h"
#include "TextGenerator.h"

namespace {

void drawPlot(benchmark::State& state) {
    const int points = static_cast<int>(state.range(0));
    OffscreenGL gl(600, 300);
    if (!gl.ok()) {
        state.SkipWithError(gl.error().c_str());
        return;
    }
    TextGenerator text("Arial", 12);
    char* title = new char[200];
    std::snprintf(title, 200, "Sort Times for Randomly Ordered Files in Range %d to %d", 100,
                  100 * points);
    SortGraph graph(title);
    graph.logScale = state.range(1) != 0;
    for (int i = 1; i <= points; ++i) {
        const double n = 100.0 * i;
        graph.addKeySize(static_cast<unsigned>(n));
        graph.addisTime(1.1e-9 * n * n);
        graph.addbisTime(0.55e-9 * n * n);
        graph.addssTime(2e-11 * n * n + 6e-8 * n);
        graph.addmsTime(9e-8 * n * std::log2(n));
        graph.addqsTime(5e-8 * n * std::log2(n));
    }
    for (auto _ : state) {
        gl.beginFrame();
        graph.draw(gl.width(), gl.height(), &text);
        glFinish();
    }
}

BENCHMARK(drawPlot)
    ->ArgNames({"points", "log"})
    ->Args({1000, 1})
    ->Args({1000, 0})
    ->Args({10, 1})
    ->Unit(benchmark::kMicrosecond)
    ->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
