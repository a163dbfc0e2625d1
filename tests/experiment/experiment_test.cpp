#include <algorithm>
#include <cctype>
#include <cmath>
#include <limits>

#include "harness.h"

namespace {

// Every run of digits as #, for messages that name amounts of this machine's memory.
std::string maskDigits(const std::string& text) {
    std::string masked;
    for (char c : text) {
        if (!std::isdigit(static_cast<unsigned char>(c))) {
            masked += c;
        } else if (masked.empty() || masked.back() != '#') {
            masked += '#';
        }
    }
    return masked;
}

std::vector<int> keySizesOf(const SortGraph& sg) {
    return std::vector<int>(sg.keySizes.begin(), sg.keySizes.end());
}

const double inf = std::numeric_limits<double>::infinity();
const double nan = std::numeric_limits<double>::quiet_NaN();

TEST(Run, SamplesSizesAndListsOneSelectedRecordPerRun) {
    struct Case {
        const char* name;
        Inputs in;
        const char* title;
        const char* line;
        std::vector<int> sizes;
    };
    const Case cases[] = {
        {"defaults",
         {},
         "Sort Times for Randomly Ordered Files in Range 1000 to 10000",
         "Random: 1000 to 10000",
         {1000, 2000, 3000, 4000, 5000, 6000, 7000, 8000, 9000, 10000}},
        {"last size one short of the upper bound",
         {100, 600, 20, 4, Order::Ordered},
         "Sort Times for Ordered Files in Range 100 to 600",
         "Ordered: 100 to 600",
         {100, 126, 152, 178, 205, 231, 257, 284, 310, 336,
          363, 389, 415, 442, 468, 494, 521, 547, 573, 599}},
        {"step below 1 repeats sizes, from an empty file on",
         {0, 5, 11, 4, Order::Reverse},
         "Sort Times for Reverse-Ordered Files in Range 0 to 5",
         "Reversed: 0 to 5",
         {0, 0, 1, 1, 2, 2, 3, 3, 4, 4, 5}},
        {"fractional point count stops short",
         {1000, 10000, 10.5, 1, Order::Ordered},
         "Sort Times for Ordered Files in Range 1000 to 10000",
         "Ordered: 1000 to 10000",
         {1000, 1947, 2894, 3842, 4789, 5736, 6684, 7631, 8578, 9526}},
        {"point count between 1 and 2", {1000, 10000, 1.5, 4}, nullptr, nullptr, {1000}},
        {"exactly one point", {1000, 10000, 1, 4}, nullptr, nullptr, {1000}},
        {"two points", {10.7, 20.2, 2, 4, Order::Ordered}, nullptr, nullptr, {10, 19}},
        {"point count below 1 still makes a record", {1000, 10000, 0.5, 4}, nullptr, nullptr, {}},
        {"negative point count", {1000, 10000, -3, 4}, nullptr, nullptr, {}},
        {"fractional iterations truncate", {100, 200, 3, 1.9}, nullptr, nullptr, {100, 150, 200}},
        {"fractional bounds truncate toward zero",
         {10.7, 20.2, 10, 4, Order::Random},
         "Sort Times for Randomly Ordered Files in Range 10 to 20",
         "Random: 10 to 20",
         {10, 11, 12, 13, 14, 15, 16, 17, 18, 19}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        setInputs(c.in);
        const int before = static_cast<int>(kestrova::sortGraphs.size());
        const std::string console = runCaptured();

        EXPECT_EQ(maskTimes(console), expectedConsole(c.sizes));
        ASSERT_EQ(kestrova::sortGraphs.size(), before + 1u);
        const SortGraph& sg = *kestrova::sortGraphs.back();
        // Line n of the browser belongs to record n - 1, and the new line is the selected one.
        ASSERT_EQ(kestrova::graphBrowser->size(), before + 1);
        EXPECT_EQ(kestrova::graphBrowser->value(), before + 1);
        if (c.title) {
            EXPECT_STREQ(sg.title, c.title);
        }
        if (c.line) {
            EXPECT_STREQ(kestrova::graphBrowser->text(before + 1), c.line);
        }
        EXPECT_EQ(keySizesOf(sg), c.sizes);
        expectEqualLengths(sg, c.sizes.size());
        expectBoundsReplay(sg);
        if (c.sizes.empty()) {
            EXPECT_EQ(sg.maxTime, 0.0);
            EXPECT_EQ(sg.minTime, 3000.0);
            EXPECT_EQ(sg.minNonZeroTime, 3000.0);
        }
        EXPECT_TRUE(sg.logScale);
        EXPECT_EQ(kestrova::data, nullptr) << "the key file outlived its run";
    }
    discardRecords();
}

TEST(Run, MakesNothingForInputsItCannotHonour) {
    struct Case {
        const char* name;
        Inputs in;
        std::string console;  // # stands for a number that depends on the machine
    };
    const Case cases[] = {
        {"equal bounds", {5000, 5000, 10, 4}, ""},
        {"upper below lower", {10000, 1000, 10, 4}, ""},
        {"iterations below 1", {1000, 10000, 10, 0.5}, ""},
        {"silent guard before the refusals", {-5, 10000, 10, 0.999}, ""},
        {"negative lower bound", {-5, 10000, 10, 4}, "File Lower Bound must be 0 or more.\n"},
        {"lower bound between -1 and 0",
         {-0.5, 100, 10, 4},
         "File Lower Bound must be 0 or more.\n"},
        {"infinite upper bound", {1000, inf, 10, 4}, "File Upper Bound must be a finite number.\n"},
        {"upper bound not a number",
         {1000, nan, 10, 4},
         "File Upper Bound must be a finite number.\n"},
        {"lower bound not a number",
         {nan, 10000, 10, 4},
         "File Lower Bound must be a finite number.\n"},
        {"infinite point count", {1000, 10000, inf, 4}, "n Data Points must be a finite number.\n"},
        {"iterations not a number",
         {1000, 10000, 10, nan},
         "Sort Iterations must be a finite number.\n"},
        {"upper bound past the 32-bit range",
         {1000, 2147483648.0, 10, 4},
         "File Upper Bound must be below 2147483648.\n"},
        {"point count past the 32-bit range",
         {1000, 10000, 3e9, 4},
         "n Data Points must lie between -2147483648 and 2147483647.\n"},
        {"point count below the 32-bit range",
         {1000, 10000, -3e9, 4},
         "n Data Points must lie between -2147483648 and 2147483647.\n"},
        {"iterations past the cap",
         {1000, 10000, 10, 1000001},
         "Sort Iterations must be at most 1000000: each iteration sorts its own copy of the "
         "file, and a routine's copies are all held at once.\n"},
        {"more memory than the machine has",
         {0, 2e9, 2, 1000000},
         "File Upper Bound #, n Data Points # and Sort Iterations # need about # MiB of memory, "
         "but only # MiB are available.\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        setInputs(c.in);
        const std::string console = runCaptured();
        const bool masked = c.console.find('#') != std::string::npos;
        EXPECT_EQ(masked ? maskDigits(console) : console, c.console);
        EXPECT_TRUE(kestrova::sortGraphs.empty());
        EXPECT_EQ(kestrova::graphBrowser->size(), 0);
        EXPECT_EQ(kestrova::data, nullptr);
    }
    discardRecords();
}

TEST(RunRefusal, MemoryBoundCoversKeyFileCopiesAndMergeResults) {
    const double lower = 0, upper = 1e6, points = 2, iterations = 4;
    const double needed = runMemoryEstimate(lower, upper, points, iterations);
    // Key file, four copies, four merge results and merge sort's working file of the largest size.
    EXPECT_GE(needed, 8.0 * (1e6 + 4 * 1e6 + 4 * 1e6 + 1e6));
    EXPECT_EQ(runRefusal(lower, upper, points, iterations, needed), "");
    EXPECT_NE(runRefusal(lower, upper, points, iterations, needed - 1), "");
}

TEST(SampleSizes, NeverPastTheKeyFile) {
    // Rounding of the step can lift the last size of an upper bound just below a whole number.
    EXPECT_EQ(sampleSizes(0, 27601.999999999996, 49).back(), 27601);
    for (int whole = 2; whole < 3000; whole += 7) {
        const double upper = std::nextafter(static_cast<double>(whole), 0.0);
        for (double points : {2.0, 3.0, 7.0, 13.0, 49.0, 7.5}) {
            for (int size : sampleSizes(0, upper, points))
                ASSERT_LE(size, whole - 1) << upper;
        }
    }
}

TEST(Generators, FillTheKeyFileFromTheUpperBound) {
    struct Case {
        const char* name;
        double upper;
        void (*generate)();
        int size;
        std::vector<double> head;  // the first keys
    };
    const Case cases[] = {
        {"ordered", 10000, genOrdered, 10000, {1, 2, 3, 4}},
        {"reverse-ordered", 10000, genReverse, 10000, {10000, 9999, 9998, 9997}},
        {"fractional upper bound", 20.2, genOrdered, 20, {1, 2, 3}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        setInputs({0, c.upper, 10, 4});
        c.generate();
        ASSERT_EQ(kestrova::dataSize, c.size);
        const std::vector<double> head(kestrova::data, kestrova::data + c.head.size());
        EXPECT_EQ(head, c.head);
        // Every prefix is the same order: the size-s file is the first s keys.
        const bool reverse = c.generate == genReverse;
        for (int k = 0; k < c.size; ++k) {
            ASSERT_EQ(kestrova::data[k], reverse ? c.size - k : k + 1.0) << k;
        }
        delete[] kestrova::data;
        kestrova::data = nullptr;
    }
}

TEST(Generators, RandomKeysComeFromTheSeededGeneratorScaledToTheUpperBound) {
    // The portable rand of the C standard's example draws these from seed 1.
    const double draws[] = {16838, 5758, 10113, 17515, 31051};
    const double upper = 20.2;
    double keys[5];
    fillRandom(keys, 5, upper, 1);
    for (int k = 0; k < 5; ++k)
        EXPECT_EQ(keys[k], draws[k] * 3.051850947599719e-05 * upper) << k;

    std::vector<double> first(100000), second(100000), other(100000);
    fillRandom(first.data(), 100000, upper, 519442432);
    fillRandom(second.data(), 100000, upper, 519442432);
    fillRandom(other.data(), 100000, upper, 519442433);
    EXPECT_EQ(first, second);
    EXPECT_NE(first, other);
    // 2^15 equally spaced values from 0 to the raw upper bound, both ends included.
    EXPECT_EQ(*std::min_element(first.begin(), first.end()), 0.0);
    EXPECT_EQ(*std::max_element(first.begin(), first.end()), upper);

    EXPECT_EQ(randomSeed(1700000000, 10000), 519442432u);
    EXPECT_EQ(randomSeed(1234567890, 20), 3216521320u);

    setInputs({0, upper, 10, 4});
    genRandom();
    ASSERT_EQ(kestrova::dataSize, 20);
    for (int k = 0; k < 20; ++k) {
        EXPECT_GE(kestrova::data[k], 0.0);
        EXPECT_LE(kestrova::data[k], upper);
    }
    delete[] kestrova::data;
    kestrova::data = nullptr;
}

TEST(Generators, CopyArrayCopiesThePrefix) {
    const double source[] = {3, 1, 2};
    double* copy = copyArray(source, 2);
    EXPECT_EQ(copy[0], 3);
    EXPECT_EQ(copy[1], 1);
    delete[] copy;
    delete[] copyArray(source, 0);
}

TEST(SortGraph, RecordingRuleMovesAtMostOneBoundPerTime) {
    struct Case {
        const char* name;
        std::vector<double> times;
        double maxTime, minTime, minNonZeroTime;
    };
    const Case cases[] = {
        {"falling times", {0.5, 0.3, 0.01, 0.02, 0.015}, 0.5, 0.01, 0.015},
        {"zeros leave the non-zero bound", {0.0, 0.0, 0.004}, 0.004, 0.0, 3000.0},
        {"a repeated time sets the non-zero bound", {0.0, 0.0, 0.004, 0.004}, 0.004, 0.0, 0.004},
        {"a single time only raises the top", {0.5}, 0.5, 3000.0, 3000.0},
    };
    void (SortGraph::*const adders[])(double) = {&SortGraph::addisTime, &SortGraph::addbisTime,
                                                 &SortGraph::addssTime, &SortGraph::addmsTime,
                                                 &SortGraph::addqsTime};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SortGraph sg(nullptr);
        // The rule is shared: spread the times over the five routines.
        for (std::size_t k = 0; k < c.times.size(); ++k)
            (sg.*adders[k % 5])(c.times[k]);
        EXPECT_EQ(sg.maxTime, c.maxTime);
        EXPECT_EQ(sg.minTime, c.minTime);
        EXPECT_EQ(sg.minNonZeroTime, c.minNonZeroTime);
    }
}

TEST(SortGraph, ToggleLogTwiceRestoresTheAxis) {
    SortGraph sg(nullptr);
    sg.toggleLog();
    EXPECT_FALSE(sg.logScale);
    sg.toggleLog();
    EXPECT_TRUE(sg.logScale);
}

}  // namespace
