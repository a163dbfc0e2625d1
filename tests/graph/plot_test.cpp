#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "GraphTest.h"
#include "SortGraph.h"

namespace {

using Sizes = std::vector<std::uint32_t>;

struct Colour {
    int r, g, b;
};
// The series colours as an 8-bit framebuffer holds them, in sort index order.
constexpr Colour kSeriesColours[5] = {
    {0, 230, 0}, {0, 0, 230}, {230, 115, 0}, {230, 0, 0}, {191, 0, 242}};
constexpr Colour kBlack = {0, 0, 0};

bool near(const Pixel& p, const Colour& c) {
    return std::abs(p.r - c.r) <= 1 && std::abs(p.g - c.g) <= 1 && std::abs(p.b - c.b) <= 1;
}

std::vector<double>& series(SortGraph& g, int k) {
    std::vector<double>* all[5] = {&g.isTimes, &g.bisTimes, &g.ssTimes, &g.msTimes, &g.qsTimes};
    return *all[k];
}

// A record with the given sizes; series k holds times[k] at every size (no times when empty).
// The bounds are set as given, not by the recording rule, so that each case says what it means.
struct Record {
    Sizes sizes;
    std::vector<double> times;  // one per series, or none
    double minTime, minNonZeroTime, maxTime;
    bool logScale;
};

std::unique_ptr<SortGraph> make(const Record& r) {
    char* title = new char[200];
    std::strcpy(title, "test record");
    auto g = std::make_unique<SortGraph>(title);
    g->keySizes = r.sizes;
    for (int k = 0; k < 5 && !r.times.empty(); ++k) {
        series(*g, k).assign(r.sizes.size(), r.times[k]);
    }
    g->minTime = r.minTime;
    g->minNonZeroTime = r.minNonZeroTime;
    g->maxTime = r.maxTime;
    g->logScale = r.logScale;
    return g;
}

const Sizes kTenSizes = {1000, 2000, 3000, 4000, 5000, 6000, 7000, 8000, 9000, 10000};

class PlotTest : public GraphTest {
protected:
    static Image plot(SortGraph& g) {
        g.draw(kWidth, kHeight, text);
        return gl->read();
    }

    // Every pixel of `box` is `colour` (within one step of rounding), or background when null.
    static ::testing::AssertionResult all(const Image& image, const Box& box,
                                          const Colour* colour) {
        for (int y = box.bottom; y <= box.top; ++y) {
            for (int x = box.left; x <= box.right; ++x) {
                const Pixel& p = image.at(x, y);
                if (colour != nullptr ? !near(p, *colour) : isInk(p)) {
                    return ::testing::AssertionFailure()
                           << "pixel (" << x << ", " << y << ") is (" << int(p.r) << ", "
                           << int(p.g) << ", " << int(p.b) << ")";
                }
            }
        }
        return ::testing::AssertionSuccess();
    }
    static ::testing::AssertionResult allBlack(const Image& image, const Box& box) {
        return all(image, box, &kBlack);
    }
    static ::testing::AssertionResult allBlank(const Image& image, const Box& box) {
        return all(image, box, nullptr);
    }
};

// Lines of width 2 on integer coordinates: a horizontal one at y covers rows y - 1 and y, a
// vertical one at x columns x - 1 and x. The checks leave a pixel of slack at the ends.
TEST_F(PlotTest, AxesAndTicksStandWhereTheLayoutPutsThem) {
    for (const bool logScale : {true, false}) {
        SCOPED_TRACE(logScale ? "log scale" : "linear scale");
        gl->beginFrame();
        auto g = make({kTenSizes, {}, 0.0, 0.0001, 1.0, logScale});
        const Image image = plot(*g);

        EXPECT_TRUE(allBlack(image, {61, 39, 558, 40})) << "x axis";
        EXPECT_TRUE(allBlank(image, {62, 41, 570, 43})) << "above the x axis";
        EXPECT_TRUE(allBlank(image, {561, 35, 599, 45})) << "after the x axis";
        EXPECT_TRUE(allBlack(image, {59, 41, 60, 258})) << "y axis";
        EXPECT_TRUE(allBlank(image, {61, 42, 63, 280})) << "right of the y axis";
        EXPECT_TRUE(allBlank(image, {57, 261, 63, 272})) << "above the y axis";
        for (int i = 0; i < 10; ++i) {
            SCOPED_TRACE(::testing::Message() << "size tick " << i);
            const int x = 80 + 51 * i;
            EXPECT_TRUE(allBlack(image, {x - 1, 35, x, 38}));
            EXPECT_TRUE(allBlank(image, {x - 1, 30, x, 34}));
            EXPECT_TRUE(allBlank(image, {x + 2, 35, x + 10, 38}));
            EXPECT_TRUE(allBlank(image, {x - 10, 35, x - 3, 38}));
        }
        for (int j = 0; j < 5; ++j) {
            SCOPED_TRACE(::testing::Message() << "time tick " << j);
            const int y = 60 + 45 * j;
            EXPECT_TRUE(allBlack(image, {55, y - 1, 58, y}));
            EXPECT_TRUE(allBlank(image, {55, y - 6, 58, y - 3}));
        }
        // Minus infinity has its tick on the x axis, on the log scale only.
        if (logScale) {
            EXPECT_TRUE(allBlack(image, {55, 39, 58, 40}));
        } else {
            EXPECT_TRUE(allBlank(image, {54, 36, 58, 43}));
            EXPECT_TRUE(allBlank(image, {0, 30, 58, 52})) << "no -Infinity label";
        }
    }
}

TEST_F(PlotTest, LegendSwatchesHaveTheSeriesColoursAndAllElseIsBlack) {
    for (const bool logScale : {true, false}) {
        SCOPED_TRACE(logScale ? "log scale" : "linear scale");
        gl->beginFrame();
        auto g = make({kTenSizes, {}, 0.0, 0.0001, 1.0, logScale});
        const Image image = plot(*g);
        std::vector<Box> swatches;
        for (int k = 0; k < 5; ++k) {
            SCOPED_TRACE(::testing::Message() << "series " << k);
            const int y = kHeight - 60 - 15 * k;
            swatches.push_back({75, y - 1, 82, y});
            EXPECT_TRUE(all(image, swatches.back(), &kSeriesColours[k]));
            EXPECT_TRUE(allBlank(image, {72, y - 1, 74, y}));
            EXPECT_TRUE(allBlank(image, {83, y - 1, 83, y}));
        }
        for (int y = 0; y < kHeight; ++y) {
            for (int x = 0; x < kWidth; ++x) {
                bool swatch = false;
                for (const Box& b : swatches) {
                    swatch |= x >= b.left && x <= b.right && y >= b.bottom && y <= b.top;
                }
                const Pixel& p = image.at(x, y);
                if (!swatch && isInk(p)) {
                    ASSERT_TRUE(near(p, kBlack)) << "pixel (" << x << ", " << y << ")";
                }
            }
        }
    }
}

// Every label, drawn alone at the position the layout gives it, must show black in the plot,
// and texts of the other scale must not.
TEST_F(PlotTest, LabelsSayWhatTheScaleSaysWhereTheLayoutPutsThem) {
    struct Label {
        std::string text;
        int x, y;
    };
    auto sizeLabels = [](std::uint32_t first, std::uint32_t step) {
        std::vector<Label> labels;
        for (std::uint32_t i = 0; i < 10; ++i) {
            labels.push_back({std::to_string(static_cast<int>(first + i * step)),
                              80 + 51 * static_cast<int>(i), 21});
        }
        return labels;
    };
    auto timeLabels = [](std::vector<std::string> texts) {
        std::vector<Label> labels;
        for (int j = 0; j < 5; ++j)
            labels.push_back({texts[j], 6, 60 + 45 * j});
        return labels;
    };
    struct Case {
        const char* name;
        Record record;
        std::vector<std::vector<Label>> shown;
        std::vector<Label> notShown;
    };
    const std::vector<Label> legend = {{"Insertion Sort", 85, 240},
                                       {"Binary Insertion Sort", 85, 225},
                                       {"Shell Sort", 85, 210},
                                       {"Merge Sort", 85, 195},
                                       {"Quick Sort", 85, 180}};
    const Case cases[] = {
        {"log scale",
         {kTenSizes, {}, 0.0, 0.0001, 1.0, true},
         {legend,
          sizeLabels(1000, 1000),
          timeLabels({"-4.000000", "-3.000000", "-2.000000", "-1.000000", "0.000000"}),
          {{"File Size", 276, 6}, {"Time: log10(Seconds)", 6, 282}, {"-Infinity", 6, 40}}},
         {{"Time: Seconds", 6, 282}}},
        {"linear scale",
         {kTenSizes, {}, 0.0, 0.0001, 1.0, false},
         {legend,
          sizeLabels(1000, 1000),
          timeLabels({"0.000000", "0.250000", "0.500000", "0.750000", "1.000000"}),
          {{"File Size", 276, 6}, {"Time: Seconds", 6, 282}}},
         {{"Time: log10(Seconds)", 6, 282}, {"-Infinity", 6, 40}}},
        {"size step truncated",
         {{1000, 5000, 9999}, {}, 0.0, 0.0001, 1.0, false},
         {sizeLabels(1000, 999)},
         {{"10000", 80 + 51 * 9, 21}}},
        {"sizes beyond INT_MAX print as signed",
         {{3000000000u, 3000000009u}, {}, 0.0, 0.0001, 1.0, false},
         {sizeLabels(3000000000u, 1)},
         {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        gl->beginFrame();
        auto g = make(c.record);
        const Image image = plot(*g);
        auto shows = [&](const Label& label) {
            gl->beginFrame();
            text->glDrawText(label.x, label.y, kWidth, kHeight, "%s", label.text.c_str());
            const Image alone = gl->read();
            int ink = 0;
            for (std::size_t i = 0; i < alone.pixels.size(); ++i) {
                if (!isInk(alone.pixels[i])) continue;
                ++ink;
                if (!near(image.pixels[i], kBlack)) return false;
            }
            return ink > 0;
        };
        for (const auto& group : c.shown) {
            for (const Label& label : group)
                EXPECT_TRUE(shows(label)) << label.text;
        }
        for (const Label& label : c.notShown)
            EXPECT_FALSE(shows(label)) << label.text;
    }
}

// Constant series draw flat lines, so their height can be checked without depending on how a
// driver rasterises slopes. The times are those that land on the five time ticks.
TEST_F(PlotTest, CurvesRunFromTheFirstToTheLastSizeAtTheirTimesHeight) {
    struct Case {
        const char* name;
        Record record;
        std::array<int, 5> y;
    };
    const Case cases[] = {
        {"linear scale",
         {kTenSizes, {0.0, 0.25, 0.5, 0.75, 1.0}, 0.0, 0.25, 1.0, false},
         {60, 105, 150, 195, 240}},
        {"log scale, a time of 0 one pixel above the axis",
         {kTenSizes, {0.0, 0.01, 0.1, 1.0, 10.0}, 0.0, 0.001, 10.0, true},
         {41, 105, 150, 195, 240}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        gl->beginFrame();
        auto g = make(c.record);
        const Image image = plot(*g);
        for (int k = 0; k < 5; ++k) {
            SCOPED_TRACE(::testing::Message() << "series " << k);
            const int y = c.y[k];
            const Colour& colour = kSeriesColours[k];
            EXPECT_TRUE(all(image, {250, y - 1, 537, y}, &colour));
            EXPECT_FALSE(near(image.at(400, y + 1), colour));
            EXPECT_FALSE(near(image.at(400, y - 2), colour));
            EXPECT_FALSE(near(image.at(541, y), colour)) << "the last size stands at x = 539";
        }
    }
}

// Records the formulas cannot lay out: drawn without a GL error; with fewer than two sizes
// everything stands at x = 80; bounds without a span give a flat scale: curves on the bottom of
// the plot (a time of 0 on the log scale keeps its place at minus infinity), every time label
// the bottom value, which getTime gives for the whole plot. Bounds in the wrong order are no
// such case.
TEST_F(PlotTest, RecordsWithoutAScaleStillDraw) {
    struct Case {
        const char* name;
        Record record;
        int curveY;             // 0: no curve to see
        const char* timeLabel;  // a flat scale: all five labels and getTime read this
        double time;            // getTime in the middle of the plot
        int key;                // getKey in the middle of the plot
        std::vector<int> ticks;
    };
    const std::vector<int> tenTicks = {80, 131, 182, 233, 284, 335, 386, 437, 488, 539};
    const Case cases[] = {
        {"no size", {{}, {}, 3000.0, 3000.0, 0.0, true}, 0, "3.477121", std::log10(3000.0), -1, {}},
        {"one size",
         {{5000}, {0.5, 0.5, 0.5, 0.5, 0.5}, 0.5, 0.5, 0.5, true},
         0,
         "-0.301030",
         std::log10(0.5),
         5000,
         {80}},
        {"linear, bounds equal",
         {kTenSizes, {0.5, 0.5, 0.5, 0.5, 0.5}, 0.5, 0.5, 0.5, false},
         60,
         "0.500000",
         0.5,
         5500,
         tenTicks},
        {"log, every time 0",
         {kTenSizes, {0.0, 0.0, 0.0, 0.0, 0.0}, 0.0, 3000.0, 0.0, true},
         41,
         "3.477121",
         std::log10(3000.0),
         5500,
         tenTicks},
        {"log, bounds equal",
         {kTenSizes, {0.5, 0.5, 0.5, 0.5, 0.5}, 0.5, 0.5, 0.5, true},
         60,
         "-0.301030",
         std::log10(0.5),
         5500,
         tenTicks},
        {"log, no positive bottom bound",
         {kTenSizes, {0.5, 0.5, 0.5, 0.5, 0.5}, 0.0, 0.0, 1.0, true},
         60,
         "0.000000",
         0.0,
         5500,
         tenTicks},
        // Bounds in the wrong order still make a scale: the formulas apply unguarded.
        {"linear, maxTime below minTime",
         {kTenSizes, {0.0, 0.0, 0.0, 0.0, 0.0}, 3000.0, 3000.0, 0.0, false},
         240,
         nullptr,
         1500.0,
         5500,
         tenTicks},
        {"log, maxTime below minNonZeroTime",
         {kTenSizes, {0.5, 0.5, 0.5, 0.5, 0.5}, 3000.0, 3000.0, 0.5, true},
         240,
         nullptr,
         (std::log10(0.5) + std::log10(3000.0)) / 2,
         5500,
         tenTicks},
    };
    const Colour& top = kSeriesColours[4];  // the last series drawn covers the others
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        gl->beginFrame();
        auto g = make(c.record);
        const Image image = plot(*g);
        EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));

        if (c.curveY != 0) {
            EXPECT_TRUE(all(image, {250, c.curveY - 1, 537, c.curveY}, &top));
        } else {
            EXPECT_FALSE(near(image.at(80, 59), top));
            EXPECT_TRUE(allBlank(image, {85, 45, kWidth - 1, 170})) << "no curve";
        }
        for (int x = 62; x < kWidth; ++x) {
            const bool tick = std::find(c.ticks.begin(), c.ticks.end(), x) != c.ticks.end() ||
                              std::find(c.ticks.begin(), c.ticks.end(), x + 1) != c.ticks.end();
            EXPECT_EQ(isInk(image.at(x, 36)), tick) << "column " << x;
        }
        if (c.record.sizes.empty()) {
            EXPECT_TRUE(allBlank(image, {0, 17, kWidth - 1, 33})) << "no size labels";
        }
        if (c.timeLabel != nullptr) {
            const Image expected = [&] {
                gl->beginFrame();
                text->glDrawText(6, 60, kWidth, kHeight, "%s", c.timeLabel);
                return gl->read();
            }();
            for (int j = 0; j < 5; ++j) {
                SCOPED_TRACE(::testing::Message() << "time label " << j);
                for (int y = 50; y < 75; ++y) {
                    for (int x = 0; x < 55; ++x) {
                        ASSERT_EQ(isInk(expected.at(x, y)), isInk(image.at(x, y + 45 * j)))
                            << "pixel (" << x << ", " << y + 45 * j << ")";
                    }
                }
            }
        }
        EXPECT_DOUBLE_EQ(g->getTime(150, kHeight), c.time);
        if (c.timeLabel != nullptr) {
            EXPECT_DOUBLE_EQ(g->getTime(60, kHeight), c.time);
            EXPECT_DOUBLE_EQ(g->getTime(240, kHeight), c.time);
        }
        EXPECT_EQ(g->getKey(310, kWidth), c.key);
    }
}

TEST_F(PlotTest, PixelsMapBackToTimesAndSizesInsideThePlotOnly) {
    enum Axis { kTimeLinear, kTimeLog, kKey };
    struct Case {
        const char* name;
        Axis axis;
        double position, windowSize, expected;
    };
    const Case cases[] = {
        {"bottom of the plot", kTimeLinear, 60, 300, 0.002},
        {"top of the plot", kTimeLinear, 240, 300, 10.0},
        {"middle", kTimeLinear, 150, 300, 5.001},
        {"half a pixel below", kTimeLinear, 59.5, 300, -1000.0},
        {"half a pixel above", kTimeLinear, 240.5, 300, -1000.0},
        {"top of a taller window", kTimeLinear, 360, 420, 10.0},
        {"log bottom", kTimeLog, 60, 300, -3.0},
        {"log top", kTimeLog, 240, 300, 1.0},
        {"log middle", kTimeLog, 150, 300, -1.0},
        {"log half a pixel below", kTimeLog, 59.5, 300, -1000.0},
        {"log half a pixel above", kTimeLog, 240.5, 300, -1000.0},
        {"first size", kKey, 80, 600, 1000},
        {"last size", kKey, 540, 600, 10000},
        {"last size tick: an interpolation", kKey, 539, 600, 9980},
        {"half a pixel left", kKey, 79.5, 600, -1},
        {"half a pixel right", kKey, 540.5, 600, -1},
        {"last size of a wider window", kKey, 740, 800, 10000},
    };
    auto g = make({kTenSizes, {}, 0.002, 0.001, 10.0, false});
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        g->logScale = c.axis == kTimeLog;
        if (c.axis == kKey) {
            EXPECT_EQ(g->getKey(c.position, c.windowSize), static_cast<int>(c.expected));
        } else {
            EXPECT_DOUBLE_EQ(g->getTime(c.position, c.windowSize), c.expected);
        }
    }
}

}  // namespace
