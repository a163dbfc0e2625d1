#include "experiment.h"

#include <FL/Fl_Round_Button.H>
#include <FL/Fl_Select_Browser.H>
#include <FL/Fl_Value_Input.H>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <limits>
#include <memory>
#include <new>
#include <optional>

#include "SortGraph.h"
#include "globals.h"
#include "sort.h"

namespace kestrova {
double* data = nullptr;
int dataSize = 0;
}  // namespace kestrova

namespace {

constexpr int routineCount = 5;
constexpr int mergeSortIndex = 3;
constexpr int browserLineLength = 100;
// One past the largest int: a value below it truncates into the 32-bit signed range.
constexpr double intLimit = 2147483648.0;

struct KeyOrder {
    const char* title;
    const char* browserLine;
    void (*generate)();
};

const KeyOrder randomOrder{"Sort Times for Randomly Ordered Files in Range %d to %d",
                           "Random: %d to %d", genRandom};
const KeyOrder orderedOrder{"Sort Times for Ordered Files in Range %d to %d", "Ordered: %d to %d",
                            genOrdered};
const KeyOrder reverseOrder{"Sort Times for Reverse-Ordered Files in Range %d to %d",
                            "Reversed: %d to %d", genReverse};

void say(const char* line) {
    std::printf("%s\n", line);
    // A console that is a pipe or a file would otherwise see the line only when the buffer fills.
    std::fflush(stdout);
}

// The arrays of one routine's turn. They go when the turn ends, and also when an allocation fails
// halfway through making them, so a run that stops leaves no copy behind.
class ArrayHolder {
public:
    explicit ArrayHolder(int count) : arrays_(count, nullptr) {}
    ~ArrayHolder() { release(); }
    ArrayHolder(const ArrayHolder&) = delete;
    ArrayHolder& operator=(const ArrayHolder&) = delete;

    double*& operator[](int i) { return arrays_[i]; }
    int size() const { return static_cast<int>(arrays_.size()); }
    void release() {
        for (double*& array : arrays_) {
            delete[] array;
            array = nullptr;
        }
    }

private:
    std::vector<double*> arrays_;
};

// Ends the key file's life with the run that made it, however the run ends.
struct KeyFileRelease {
    ~KeyFileRelease() {
        delete[] kestrova::data;
        kestrova::data = nullptr;
        kestrova::dataSize = 0;
    }
};

// What a record held before the size in progress: a run that stops keeps complete sizes only,
// with the bounds those sizes left.
struct RecordMark {
    explicit RecordMark(const SortGraph& sg)
        : sizes(sg.keySizes.size()),
          maxTime(sg.maxTime),
          minTime(sg.minTime),
          minNonZeroTime(sg.minNonZeroTime) {}

    void restore(SortGraph& sg) const {
        // Shrinking never allocates, so this is safe while memory is short.
        sg.keySizes.resize(sizes);
        for (auto* times : {&sg.isTimes, &sg.bisTimes, &sg.ssTimes, &sg.msTimes, &sg.qsTimes}) {
            times->resize(sizes);
        }
        sg.maxTime = maxTime;
        sg.minTime = minTime;
        sg.minNonZeroTime = minNonZeroTime;
    }

    std::size_t sizes;
    double maxTime, minTime, minNonZeroTime;
};

// Only the sort calls lie between the two clock readings of addData: one switch per routine's
// turn, not per copy.
void sortCopies(int index, ArrayHolder& copies, ArrayHolder& results, int size) {
    const int reps = copies.size();
    switch (index) {
        case 0:
            for (int r = 0; r < reps; ++r)
                insertionSort(copies[r], size);
            break;
        case 1:
            for (int r = 0; r < reps; ++r)
                binaryInsertionSort(copies[r], size);
            break;
        case 2:
            for (int r = 0; r < reps; ++r)
                shellSort(copies[r], size, kestrova::shell);
            break;
        case mergeSortIndex:
            for (int r = 0; r < reps; ++r)
                results[r] = mergeSort(copies[r], size);
            break;
        default:
            for (int r = 0; r < reps; ++r)
                quickSort(copies[r], size);
            break;
    }
}

// One routine's turn at one size: seconds per sort of the first `size` keys, averaged over reps
// sorts of fresh copies, with its console line.
double timeTurn(int index, int size, int reps) {
    ArrayHolder copies(reps);
    for (int r = 0; r < reps; ++r)
        copies[r] = copyArray(kestrova::data, size);
    ArrayHolder results(index == mergeSortIndex ? reps : 0);

    // Elapsed time, not processor time: what a user waits for. Every repetition lies in one
    // interval, so a short sort is not lost below the clock's resolution.
    const auto start = std::chrono::steady_clock::now();
    sortCopies(index, copies, results, size);
    const auto stop = std::chrono::steady_clock::now();
    const double time = std::chrono::duration<double>(stop - start).count() / reps;

    std::printf("  Done with sort %d after %f seconds. \n", index, time);
    std::fflush(stdout);
    return time;
}

// Size i of a run; lower >= 0, upper > lower and i < trunc(points).
int sampledSize(double lower, double upper, double step, int i) {
    // With one data point the step is infinite and 0 * step has no value: the first size is
    // trunc(lower) for every count.
    const double offset = i == 0 ? 0.0 : std::trunc(i * step);
    // In exact arithmetic trunc(lower) + trunc(i * step) <= trunc(upper), since lower >= 0 and
    // i <= points - 1. Rounding of the step and of i * step can still lift the last size by one
    // when upper lies just below a whole number (0 to 27601.999999999996 in 49 points ends at
    // 27602), and the key file ends at trunc(upper): hold the size there. So no size exceeds
    // dataSize, and no size is negative.
    return static_cast<int>(std::min(std::trunc(lower) + offset, std::trunc(upper)));
}

double stepOf(double lower, double upper, double points) {
    return (upper - lower) / (points - 1.0);
}

// Sizes are sampled in ascending order, so the last one is the largest.
int largestSize(double lower, double upper, double points) {
    const int count = static_cast<int>(points);
    return count < 1 ? 0 : sampledSize(lower, upper, stepOf(lower, upper, points), count - 1);
}

// Allocates the key file for the current "File Upper Bound" and returns its length.
int newKeyFile() {
    const int n = static_cast<int>(kestrova::keyMax->value());
    kestrova::data = new double[n];
    kestrova::dataSize = n;
    return n;
}

}  // namespace

std::vector<int> sampleSizes(double lower, double upper, double points) {
    const double step = stepOf(lower, upper, points);
    const int count = static_cast<int>(points);
    std::vector<int> sizes;
    for (int i = 0; i < count; ++i)
        sizes.push_back(sampledSize(lower, upper, step, i));
    return sizes;
}

double runMemoryEstimate(double lower, double upper, double points, double iterations) {
    const double keyBytes = sizeof(double);
    // The allocator's bookkeeping per array: it matters for many copies of a tiny file.
    const double arrayOverhead = 32.0;
    const double reps = std::trunc(iterations);
    const double count = std::max(0.0, std::trunc(points));
    const double copyBytes = keyBytes * largestSize(lower, upper, points) + arrayOverhead;
    const double keyFile = keyBytes * std::trunc(upper);
    // During merge sort's turn the copies and the results it has returned are held together,
    // and the call in progress holds up to one more file's worth in its halves.
    const double sorting = 2.0 * reps * copyBytes + copyBytes + 2.0 * reps * sizeof(double*);
    // The sampled sizes, and the record's size and five times per size in vectors that grow by
    // doubling.
    const double record =
        count * (sizeof(int) + 2.0 * (sizeof(std::uint32_t) + routineCount * sizeof(double)));
    return keyFile + sorting + record;
}

std::string runRefusal(double lower, double upper, double points, double iterations,
                       double availableBytes) {
    const struct {
        const char* label;
        double value;
    } fields[] = {{"File Lower Bound", lower},
                  {"File Upper Bound", upper},
                  {"n Data Points", points},
                  {"Sort Iterations", iterations}};
    for (const auto& field : fields) {
        if (!std::isfinite(field.value))
            return std::string(field.label) + " must be a finite number.";
    }
    if (lower < 0.0) return "File Lower Bound must be 0 or more.";
    if (upper >= intLimit) return "File Upper Bound must be below 2147483648.";
    if (points >= intLimit || points <= -intLimit - 1.0) {
        return "n Data Points must lie between -2147483648 and 2147483647.";
    }
    if (std::trunc(iterations) > maxSortIterations) {
        return "Sort Iterations must be at most 1000000: each iteration sorts its own copy of the "
               "file, and a routine's copies are all held at once.";
    }
    const double needed = runMemoryEstimate(lower, upper, points, iterations);
    if (needed > availableBytes) {
        const double mib = 1024.0 * 1024.0;
        char line[200];
        std::snprintf(line, sizeof line,
                      "File Upper Bound %d, n Data Points %d and Sort Iterations %d need about "
                      "%.0f MiB of memory, but only %.0f MiB are available.",
                      static_cast<int>(upper), static_cast<int>(points),
                      static_cast<int>(iterations), std::ceil(needed / mib),
                      std::floor(availableBytes / mib));
        return line;
    }
    return {};
}

double availableMemory() {
    // MemAvailable counts the page cache the kernel would hand back; free pages alone understate.
    if (std::FILE* meminfo = std::fopen("/proc/meminfo", "r")) {
        char line[256];
        unsigned long long kib = 0;
        bool found = false;
        while (!found && std::fgets(line, sizeof line, meminfo)) {
            found = std::sscanf(line, "MemAvailable: %llu kB", &kib) == 1;
        }
        std::fclose(meminfo);
        if (found) return 1024.0 * static_cast<double>(kib);
    }
    const long pages = sysconf(_SC_AVPHYS_PAGES);
    const long pageSize = sysconf(_SC_PAGESIZE);
    if (pages > 0 && pageSize > 0)
        return static_cast<double>(pages) * static_cast<double>(pageSize);
    // Unknown: leave it to the allocation, whose failure the run survives.
    return std::numeric_limits<double>::infinity();
}

std::uint32_t randomSeed(std::time_t now, int n) {
    // Unsigned 64-bit arithmetic wraps instead of overflowing; the low 32 bits are the same.
    return static_cast<std::uint32_t>(static_cast<std::uint64_t>(now) *
                                      static_cast<std::uint64_t>(n));
}

void fillRandom(double* keys, int n, double upper, std::uint32_t seed) {
    // The largest draw, 32767, times this factor gives 1.0, so the keys lie in 0 ... upper.
    constexpr double scale = 1.0 / 32767;
    std::uint32_t next = seed;
    for (int k = 0; k < n; ++k) {
        next = next * 1103515245u + 12345u;
        const double r = (next / 65536u) % 32768u;
        keys[k] = r * scale * upper;
    }
}

void fillOrdered(double* keys, int n) {
    for (int k = 0; k < n; ++k)
        keys[k] = k + 1.0;
}

void fillReverse(double* keys, int n) {
    for (int k = 0; k < n; ++k)
        keys[k] = static_cast<double>(n - k);
}

void genRandom() {
    const int n = newKeyFile();
    fillRandom(kestrova::data, n, kestrova::keyMax->value(), randomSeed(std::time(nullptr), n));
}

void genOrdered() {
    fillOrdered(kestrova::data, newKeyFile());
}

void genReverse() {
    fillReverse(kestrova::data, newKeyFile());
}

double* copyArray(const double* source, int srcSize) {
    double* copy = new double[srcSize > 0 ? srcSize : 0];
    if (srcSize > 0) std::copy(source, source + srcSize, copy);
    return copy;
}

void addData(SortGraph* sg, int size) {
    const int reps = static_cast<int>(kestrova::numLoopInput->value());
    sg->addKeySize(static_cast<unsigned int>(size));
    for (int index = 0; index < routineCount; ++index) {
        const double time = timeTurn(index, size, reps);
        switch (index) {
            case 0:
                sg->addisTime(time);
                break;
            case 1:
                sg->addbisTime(time);
                break;
            case 2:
                sg->addssTime(time);
                break;
            case mergeSortIndex:
                sg->addmsTime(time);
                break;
            default:
                sg->addqsTime(time);
                break;
        }
    }
}

void run(Fl_Widget*) {
    const double upper = kestrova::keyMax->value();
    const double lower = kestrova::keyMin->value();
    if (upper <= lower) return;
    const double iterations = kestrova::numLoopInput->value();
    if (iterations < 1.0) return;
    const double points = kestrova::numDataPts->value();
    const std::string refusal = runRefusal(lower, upper, points, iterations, availableMemory());
    if (!refusal.empty()) {
        say(refusal.c_str());
        return;
    }

    const KeyOrder& order = kestrova::random->value()    ? randomOrder
                            : kestrova::ordered->value() ? orderedOrder
                                                         : reverseOrder;
    SortGraph* sg = nullptr;
    std::optional<RecordMark> mark;
    // The one place that can undo a run's work: below it the holders release what they hold as
    // the failure passes, and here the record is cut back to its complete sizes.
    try {
        const std::vector<int> sizes = sampleSizes(lower, upper, points);
        std::unique_ptr<char[]> title(new char[SortGraph::titleSize]);
        char browserLine[browserLineLength];
        std::snprintf(title.get(), SortGraph::titleSize, order.title, static_cast<int>(lower),
                      static_cast<int>(upper));
        std::snprintf(browserLine, sizeof browserLine, order.browserLine, static_cast<int>(lower),
                      static_cast<int>(upper));
        const KeyFileRelease keyFileRelease;
        order.generate();

        auto record = std::make_unique<SortGraph>(title.get());
        title.release();
        kestrova::sortGraphs.push_back(record.get());
        sg = record.release();
        mark.emplace(*sg);
        kestrova::graphBrowser->add(browserLine);
        kestrova::graphBrowser->value(static_cast<int>(kestrova::sortGraphs.size()));

        for (int size : sizes) {
            mark.emplace(*sg);
            std::printf("\nSorting %d files:\n", size);
            std::fflush(stdout);
            addData(kestrova::sortGraphs.back(), size);
        }
    } catch (const std::bad_alloc&) {
        char line[200];
        if (sg) {
            mark->restore(*sg);
            std::snprintf(line, sizeof line,
                          "Out of memory: the run stopped; its record keeps %zu complete file "
                          "sizes.",
                          sg->keySizes.size());
        } else {
            std::snprintf(line, sizeof line,
                          "Out of memory: the run stopped before it made a record.");
        }
        say(line);
    }
}
