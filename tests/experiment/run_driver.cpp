// Not a test: performs one run, as "Run Sorts" would, for bench/run_memory.sh to measure.
// Usage: experiment_run_driver LOWER UPPER POINTS ITERATIONS random|ordered|reverse
// Needs DISPLAY (the browser measures its line); the control window is never shown.
#include <FL/Fl_Round_Button.H>
#include <FL/Fl_Value_Input.H>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "SortGraph.h"
#include "controlWindow.h"
#include "experiment.h"
#include "globals.h"

int main(int argc, char** argv) {
    if (argc != 6) {
        std::fprintf(stderr, "usage: %s LOWER UPPER POINTS ITERATIONS random|ordered|reverse\n",
                     argv[0]);
        return 2;
    }
    const double lower = std::atof(argv[1]), upper = std::atof(argv[2]);
    const double points = std::atof(argv[3]), iterations = std::atof(argv[4]);
    fillShellGaps();
    buildControlWindow(run, nullptr);
    kestrova::keyMin->value(lower);
    kestrova::keyMax->value(upper);
    kestrova::numDataPts->value(points);
    kestrova::numLoopInput->value(iterations);
    Fl_Round_Button* order = std::strcmp(argv[5], "random") == 0    ? kestrova::random
                             : std::strcmp(argv[5], "ordered") == 0 ? kestrova::ordered
                                                                    : kestrova::rOrdered;
    order->setonly();

    const auto start = std::chrono::steady_clock::now();
    run(nullptr);
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::fprintf(stderr, "run: %.3f s; estimated peak of the run: %.1f MiB\n", seconds,
                 upper > lower && iterations >= 1.0
                     ? runMemoryEstimate(lower, upper, points, iterations) / (1024.0 * 1024.0)
                     : 0.0);
    for (SortGraph* sg : kestrova::sortGraphs)
        delete sg;
    return 0;
}
