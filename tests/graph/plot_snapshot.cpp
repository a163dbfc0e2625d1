// Renders a plausible record at 600 x 300, once per time axis, into PREFIX-log.ppm and
// PREFIX-linear.ppm, for a person to look at: sloped lines differ between Mesa drivers, so no
// test compares whole pictures.
// Usage: plot_snapshot PREFIX
#include <cmath>
#include <cstdio>
#include <string>

#include "OffscreenGL.h"
#include "SortGraph.h"
#include "TextGenerator.h"

namespace {

// Seconds per sort as a run with 4 repetitions and a 1 ms clock would record them.
double measured(double seconds) {
    return std::floor(seconds * 4000.0) / 4000.0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s PREFIX\n", argv[0]);
        return 2;
    }
    OffscreenGL gl(600, 300);
    if (!gl.ok()) {
        std::fprintf(stderr, "no offscreen OpenGL: %s\n", gl.error().c_str());
        return 1;
    }
    char* title = new char[200];
    std::snprintf(title, 200, "Sort Times for Randomly Ordered Files in Range %d to %d", 1000,
                  10000);
    SortGraph graph(title);
    for (int size = 1000; size <= 10000; size += 1000) {
        const double n = size;
        const double nLogN = n * std::log2(n);
        graph.addKeySize(static_cast<unsigned>(size));
        graph.addisTime(measured(1.1e-9 * n * n));
        graph.addbisTime(measured(0.55e-9 * n * n));
        graph.addssTime(measured(2e-11 * n * n + 6e-8 * n));
        graph.addmsTime(measured(9e-8 * nLogN));
        graph.addqsTime(measured(5e-8 * nLogN));
    }
    TextGenerator text("Arial", 12);
    for (const bool logScale : {true, false}) {
        graph.logScale = logScale;
        gl.beginFrame();
        graph.draw(gl.width(), gl.height(), &text);
        const std::string path = std::string(argv[1]) + (logScale ? "-log.ppm" : "-linear.ppm");
        if (!gl.read().writePpm(path)) {
            std::fprintf(stderr, "cannot write %s\n", path.c_str());
            return 1;
        }
        std::printf("%s\n", path.c_str());
    }
    return 0;
}
