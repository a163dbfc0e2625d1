#include <GL/gl.h>

#include <climits>
#include <cmath>
#include <cstdint>
#include <vector>

#include "SortGraph.h"
#include "TextGenerator.h"

namespace {

struct Series {
    std::vector<double> SortGraph::*times;
    const char* name;
    GLfloat r, g, b;
};

// In sort index order, which is also the legend's order from the top down.
const Series kSeries[] = {
    {&SortGraph::isTimes, "Insertion Sort", 0.0f, 0.9f, 0.0f},
    {&SortGraph::bisTimes, "Binary Insertion Sort", 0.0f, 0.0f, 0.9f},
    {&SortGraph::ssTimes, "Shell Sort", 0.9f, 0.45f, 0.0f},
    {&SortGraph::msTimes, "Merge Sort", 0.9f, 0.0f, 0.0f},
    {&SortGraph::qsTimes, "Quick Sort", 0.75f, 0.0f, 0.95f},
};

// The time axis between its bottom and top bound, in the unit of its labels.
struct TimeAxis {
    double base;  // value at y = 60
    double span;  // value at y = h - 60 minus base; 0 when the bounds give no scale
};

// Linear: from minTime to maxTime, in whatever order the recording rule left them. Log10: from
// minNonZeroTime to maxTime. Bounds that give no span (equal, or without a logarithm) leave a
// flat axis at the bottom bound instead of dividing by zero.
TimeAxis timeAxis(const SortGraph& g) {
    if (!g.logScale) return {g.minTime, g.maxTime - g.minTime};
    if (g.minNonZeroTime > 0.0 && g.maxTime > 0.0 && g.minNonZeroTime != g.maxTime) {
        const double base = std::log10(g.minNonZeroTime);
        return {base, std::log10(g.maxTime) - base};
    }
    if (g.minNonZeroTime > 0.0) return {std::log10(g.minNonZeroTime), 0.0};
    if (g.maxTime > 0.0) return {std::log10(g.maxTime), 0.0};
    return {0.0, 0.0};
}

// Height of a time above y = 60, for a plot area of the given height.
double timeHeight(const SortGraph& g, const TimeAxis& axis, double t, int area) {
    // Minus infinity sits one pixel above the x axis, clear of its own tick on the axis.
    if (g.logScale && t == 0.0) return -19.0;
    if (axis.span == 0.0) return 0.0;
    return ((g.logScale ? std::log10(t) : t) - axis.base) / axis.span * area;
}

}  // namespace

void SortGraph::draw(int w, int h, TextGenerator* text) {
    const int n = static_cast<int>(keySizes.size());
    // With a single size there is no step between sizes: everything stands at x = 80.
    const int dx = n > 1 ? (w - 140) / (n - 1) : 0;
    const int dy = (h - 120) / 4;
    const int lx = (w - 140) / 9;
    const TimeAxis axis = timeAxis(*this);

    glColor3f(0.0f, 0.0f, 0.0f);
    glLineWidth(2.0f);
    glBegin(GL_LINES);
    glVertex2i(60, 40);
    glVertex2i(60, h - 40);
    glVertex2i(60, 40);
    glVertex2i(w - 40, 40);
    for (int i = 0; i < n; ++i) {
        glVertex2i(80 + i * dx, 40);
        glVertex2i(80 + i * dx, 35);
    }
    for (int j = 0; j < 5; ++j) {
        glVertex2i(55, 60 + j * dy);
        glVertex2i(60, 60 + j * dy);
    }
    if (logScale) {
        glVertex2i(55, 40);
        glVertex2i(60, 40);
    }
    glEnd();

    text->glDrawText(w / 2 - 24, 6, w, h, "File Size");
    text->glDrawText(6, h - 18, w, h, logScale ? "Time: log10(Seconds)" : "Time: Seconds");
    // Without a size there is nothing to label on the size axis.
    if (n > 0) {
        const std::uint32_t first = keySizes.front();
        const std::uint32_t kStep = (keySizes.back() - first) / 9;
        for (std::uint32_t i = 0; i < 10; ++i) {
            // Printed through %d as a signed value, so a size beyond INT_MAX reads negative.
            text->glDrawText(80 + static_cast<int>(i) * lx, 21, w, h, "%d",
                             static_cast<int>(first + i * kStep));
        }
    }
    const double step = axis.span * 0.25;
    for (int j = 0; j < 5; ++j) {
        text->glDrawText(6, 60 + j * dy, w, h, "%f", axis.base + j * step);
    }
    if (logScale) text->glDrawText(6, 40, w, h, "-Infinity");
    for (int k = 0; k < 5; ++k) {
        text->glDrawText(85, h - 60 - 15 * k, w, h, "%s", kSeries[k].name);
    }

    for (int k = 0; k < 5; ++k) {
        const Series& s = kSeries[k];
        glColor3f(s.r, s.g, s.b);
        glBegin(GL_LINES);
        glVertex2i(75, h - 60 - 15 * k);
        glVertex2i(83, h - 60 - 15 * k);
        glEnd();
        const std::vector<double>& times = this->*s.times;
        glBegin(GL_LINE_STRIP);
        for (int i = 0; i < static_cast<int>(times.size()); ++i) {
            glVertex2d(80 + i * dx, 60 + timeHeight(*this, axis, times[i], h - 120));
        }
        glEnd();
    }
}

double SortGraph::getTime(double y, double h) {
    if (y < 60 || y > h - 60) return -1000.0;
    // A window 120 pixels high has the one row y = 60 as its plot area.
    const double f = h > 120 ? (y - 60) / (h - 120) : 0.0;
    const TimeAxis axis = timeAxis(*this);
    return axis.span * f + axis.base;
}

int SortGraph::getKey(double x, double w) {
    if (x < 80 || x > w - 60 || keySizes.empty()) return -1;
    const double first = keySizes.front();
    const double difference = static_cast<std::uint32_t>(keySizes.back() - keySizes.front());
    const double f = w > 140 ? (x - 80) / (w - 140) : 0.0;
    const double key = f * difference + first;
    // Only sizes beyond INT_MAX get here out of range; they convert as the x86 instruction
    // does, to INT_MIN, which the viewer takes as no read-out.
    return key < 2147483648.0 ? static_cast<int>(key) : INT_MIN;
}
