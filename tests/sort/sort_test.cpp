// Differential tests of the sort routines against the standard library, the worked examples that
// pin their individual steps, the tallies of the counting twins, and quickSort's stack depth.

#include <gtest/gtest.h>
#include <pthread.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <numeric>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "sort.h"

namespace {

using Keys = std::vector<double>;

// The gap list the program hands to shellSort.
const std::vector<int> shell = {1093, 364, 121, 40, 13, 4, 1};

int sizeOf(const Keys& keys) {
    return static_cast<int>(keys.size());
}

// 0.0 and -0.0 compare equal but differ in their bits: the one way to see where equal keys went.
std::uint64_t bitsOf(double key) {
    std::uint64_t bits;
    std::memcpy(&bits, &key, sizeof bits);
    return bits;
}

std::string show(const Keys& keys) {
    std::string text = "{";
    char buffer[32];
    const std::size_t shown = std::min<std::size_t>(keys.size(), 20);
    for (std::size_t k = 0; k < shown; ++k) {
        std::snprintf(buffer, sizeof buffer, "%s%g", k ? ", " : "", keys[k]);  // %g shows -0
        text += buffer;
    }
    if (shown < keys.size()) text += ", ... (" + std::to_string(keys.size()) + " keys)";
    return text + "}";
}

// Bit-exact: every key, including the sign of each zero, at its position.
::testing::AssertionResult sameBits(const Keys& actual, const Keys& expected) {
    if (actual.size() == expected.size() &&
        std::equal(actual.begin(), actual.end(), expected.begin(),
                   [](double a, double b) { return bitsOf(a) == bitsOf(b); })) {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure() << "got " << show(actual) << ", want " << show(expected);
}

// Where the order of equal keys is free: equal values position by position, and the same keys
// (bit patterns) overall, so that no key was lost, doubled or changed.
::testing::AssertionResult sameValuesSameKeys(const Keys& actual, const Keys& expected) {
    auto bitsSorted = [](const Keys& keys) {
        std::vector<std::uint64_t> bits;
        for (const double key : keys)
            bits.push_back(bitsOf(key));
        std::sort(bits.begin(), bits.end());
        return bits;
    };
    if (actual.size() == expected.size() &&
        std::equal(actual.begin(), actual.end(), expected.begin()) &&
        bitsSorted(actual) == bitsSorted(expected)) {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure() << "got " << show(actual) << ", want " << show(expected);
}

// What one call leaves behind.
struct Outcome {
    Keys sorted;          // the array after an in-place sort, or the array a merge returns
    Keys leftBehind;      // merge sorts only: the input array after the call
    long long count = 0;  // tally added by a counting twin
};

// Far above 32 bits: a routine that resets or narrows the tally is caught.
constexpr long long kTallyStart = 1LL << 40;

// The adapters run one routine on an exact-size copy (so AddressSanitizer sees any stray read) and
// collect its outcome. `right` is used by the merges only.
template <void (*Sort)(double*, int)>
Outcome inPlace(const Keys& keys, const Keys&) {
    Outcome outcome;
    outcome.sorted = keys;
    Sort(outcome.sorted.data(), sizeOf(keys));
    return outcome;
}

template <void (*Sort)(double*, int, long long&)>
Outcome inPlaceCount(const Keys& keys, const Keys&) {
    Outcome outcome;
    outcome.sorted = keys;
    long long count = kTallyStart;
    Sort(outcome.sorted.data(), sizeOf(keys), count);
    outcome.count = count - kTallyStart;
    return outcome;
}

void shellSortShell(double* array, int size) {
    shellSort(array, size, shell);
}
void shellSortGap4(double* array, int size) {
    shellSort(array, size, {4});
}
void shellSortCountShell(double* array, int size, long long& count) {
    shellSortCount(array, size, shell, count);
}
void shellSortCountGap4(double* array, int size, long long& count) {
    shellSortCount(array, size, {4}, count);
}

Outcome runMerge(const Keys& left, const Keys& right) {
    double* merged = merge(left.data(), right.data(), sizeOf(left), sizeOf(right));
    Outcome outcome;
    outcome.sorted.assign(merged, merged + left.size() + right.size());
    delete[] merged;
    return outcome;
}

Outcome runMergeCount(const Keys& left, const Keys& right) {
    long long count = kTallyStart;
    double* merged = mergeCount(left.data(), right.data(), sizeOf(left), sizeOf(right), count);
    Outcome outcome;
    outcome.sorted.assign(merged, merged + left.size() + right.size());
    outcome.count = count - kTallyStart;
    delete[] merged;
    return outcome;
}

Outcome runMergeSort(const Keys& keys, const Keys&) {
    Outcome outcome;
    outcome.leftBehind = keys;
    double* sorted = mergeSort(outcome.leftBehind.data(), sizeOf(keys));
    outcome.sorted.assign(sorted, sorted + keys.size());
    delete[] sorted;
    return outcome;
}

Outcome runMergeSortCount(const Keys& keys, const Keys&) {
    Outcome outcome;
    outcome.leftBehind = keys;
    long long count = kTallyStart;
    double* sorted = mergeSortCount(outcome.leftBehind.data(), sizeOf(keys), count);
    outcome.sorted.assign(sorted, sorted + keys.size());
    outcome.count = count - kTallyStart;
    delete[] sorted;
    return outcome;
}

using Adapter = Outcome (*)(const Keys&, const Keys&);

// ---------------------------------------------------------------------------------------------
// Reference models, written straight from the description of the steps.

// quickSort as described: recursion into every left piece, a loop over right pieces, the pivot read
// from a[0] throughout. Unbounded depth, so only for moderate sizes. Logs every partition.
struct Partition {
    int start;  // of the piece, in the whole array
    int size;
    int pivot;   // final position of the pivot, in the whole array
    Keys after;  // the piece right after its partition
};

void quickSortModel(double* a, int size, int start, bool counting, long long& count,
                    std::vector<Partition>* log) {
    for (;;) {
        if (size <= 3) {
            if (counting) {
                insertionSortCount(a, size, count);
            } else {
                insertionSort(a, size);
            }
            return;
        }
        const int mid = size / 2;
        if ((a[mid] - a[size - 1]) * (a[mid] - a[0]) < 0) {
            std::swap(a[mid], a[0]);
            count += 4;
        } else if ((a[size - 1] - a[mid]) * (a[size - 1] - a[0]) < 0) {
            std::swap(a[size - 1], a[0]);
            count += 6;
        }
        int i = 1;
        int j = size - 1;
        for (;;) {
            while (a[i] < a[0] && i < size - 1) {
                ++i;
                ++count;
            }
            while (a[j] > a[0]) {
                --j;
                ++count;
            }
            if (a[i] == a[j] && i != j) {
                ++i;
                ++count;
            } else {
                std::swap(a[i], a[j]);
                count += 3;
            }
            if (!(i < j)) break;
        }
        std::swap(a[i], a[j]);
        std::swap(a[j], a[0]);
        count += 6;
        if (log) log->push_back({start, size, start + j, Keys(a, a + size)});
        quickSortModel(a, j, start, counting, count, log);
        a += j + 1;
        start += j + 1;
        size -= j + 1;
    }
}

// mergeSort's effect on its input: pieces of up to 5 keys sorted in place, stably.
void sortRunsLikeMergeSort(double* a, int size) {
    if (size <= 5) {
        std::stable_sort(a, a + size);
        return;
    }
    sortRunsLikeMergeSort(a, size / 2);
    sortRunsLikeMergeSort(a + size / 2, size - size / 2);
}

// ---------------------------------------------------------------------------------------------
// Differential tests: every routine on every input of one table.

struct Input {
    std::string name;
    Keys keys;
};

std::vector<Input> buildInputs() {
    std::vector<Input> inputs;
    // Every arrangement, equal keys included, of the sizes around both cut-overs (3 | 4 for
    // quickSort, 5 | 6 for mergeSort) and the smallest gaps; -0.0 and 0.0 are equal keys that can
    // be told apart.
    auto everySequence = [&inputs](const Keys& alphabet, int size) {
        int total = 1;
        for (int k = 0; k < size; ++k)
            total *= sizeOf(alphabet);
        for (int code = 0; code < total; ++code) {
            Keys keys(size);
            for (int k = 0, rest = code; k < size; ++k, rest /= sizeOf(alphabet)) {
                keys[k] = alphabet[rest % sizeOf(alphabet)];
            }
            inputs.push_back({"sequence " + show(keys), keys});
        }
    };
    for (int size = 0; size <= 7; ++size)
        everySequence({-0.0, 0.0, 1.0, 2.0}, size);
    everySequence({-0.0, 0.0, 1.0}, 8);
    Keys permutation = {1, 2, 3, 4, 5, 6, 7, 8};
    do {
        inputs.push_back({"permutation " + show(permutation), permutation});
    } while (std::next_permutation(permutation.begin(), permutation.end()));

    // Larger files on both sides of the gaps, in every order the program generates and some more.
    unsigned seed = 1;
    for (const int size : {13, 14, 40, 41, 121, 122, 364, 365, 1093, 1094}) {
        const std::string keys = " " + std::to_string(size) + " keys";
        Keys ordered(size);
        std::iota(ordered.begin(), ordered.end(), 1.0);
        inputs.push_back({"ordered" + keys, ordered});
        inputs.push_back({"reversed" + keys, Keys(ordered.rbegin(), ordered.rend())});
        Keys organPipe(size);
        for (int k = 0; k < size; ++k)
            organPipe[k] = std::min(k, size - 1 - k);
        inputs.push_back({"organ pipe" + keys, organPipe});
        inputs.push_back({"all equal" + keys, Keys(size, 7.0)});
        auto seeded = [&](const char* what, const Keys& alphabet) {
            std::mt19937 generator(seed);
            Keys random(size);
            for (double& key : random) {
                key = alphabet.empty() ? static_cast<double>(generator() % 32768)
                                       : alphabet[generator() % alphabet.size()];
            }
            inputs.push_back({what + keys + ", mt19937 seed " + std::to_string(seed), random});
            ++seed;
        };
        seeded("random 0..32767", {});
        seeded("three distinct values", {1.0, 2.0, 3.0});
        seeded("zeros of both signs among ones", {-0.0, 0.0, 1.0, -1.0});
    }
    return inputs;
}

const std::vector<Input>& inputs() {
    static const std::vector<Input> table = buildInputs();
    return table;
}

// What a routine must produce for one input.
struct Expected {
    Keys sorted;
    std::optional<Keys> leftBehind;
    std::optional<long long> count;
};

Keys stableSorted(Keys keys) {
    std::stable_sort(keys.begin(), keys.end());
    return keys;
}

Expected expectStable(const Keys& keys) {
    return {stableSorted(keys), {}, {}};
}
Expected expectSorted(const Keys& keys) {
    Keys sorted = keys;
    std::sort(sorted.begin(), sorted.end());
    return {sorted, {}, {}};
}
Expected expectMergeSort(const Keys& keys) {
    Keys runs = keys;
    sortRunsLikeMergeSort(runs.data(), sizeOf(runs));
    return {stableSorted(keys), runs, {}};
}
// Every key is taken exactly once: 4 per left key, 6 per right key, whatever the keys.
Expected expectMergeCount(const Keys& keys) {
    const long long half = sizeOf(keys) / 2;
    return {stableSorted(keys), {}, 4 * half + 6 * (sizeOf(keys) - half)};
}
Expected expectQuickSort(const Keys& keys) {
    Keys model = keys;
    long long count = 0;
    quickSortModel(model.data(), sizeOf(model), 0, false, count, nullptr);
    return {model, {}, {}};
}
Expected expectQuickSortCount(const Keys& keys) {
    Keys model = keys;
    long long count = 0;
    quickSortModel(model.data(), sizeOf(model), 0, true, count, nullptr);
    return {model, {}, count};
}

struct Routine {
    const char* name;
    Adapter run;
    Expected (*expect)(const Keys&);
    bool bitExact;   // the order of equal keys is fixed, so compare bit patterns
    bool takesRuns;  // a merge: called on the input's two halves, each sorted stably
};

const Routine routines[] = {
    {"insertionSort", inPlace<insertionSort>, expectStable, true, false},
    {"binaryInsertionSort", inPlace<binaryInsertionSort>, expectStable, true, false},
    {"shellSort", inPlace<shellSortShell>, expectSorted, false, false},
    // Left first on equal keys: merging the stably sorted halves gives the stable sort of the
    // whole.
    {"merge", runMerge, expectStable, true, true},
    {"mergeSort", runMergeSort, expectMergeSort, true, false},
    // The model shares its small-piece sorter with quickSort; bit-exact equality then means the
    // same partitions, in every piece.
    {"quickSort", inPlace<quickSort>, expectQuickSort, true, false},
    {"insertionSortCount", inPlaceCount<insertionSortCount>, expectSorted, false, false},
    {"binaryInsertionSortCount", inPlaceCount<binaryInsertionSortCount>, expectStable, true, false},
    {"shellSortCount", inPlaceCount<shellSortCountShell>, expectSorted, false, false},
    {"mergeCount", runMergeCount, expectMergeCount, true, true},
    {"mergeSortCount", runMergeSortCount, expectMergeSort, false, false},
    {"quickSortCount", inPlaceCount<quickSortCount>, expectQuickSortCount, true, false},
};

TEST(SortRoutines, AgreeWithTheStandardLibraryAndTheModels) {
    for (const Routine& routine : routines) {
        SCOPED_TRACE(routine.name);
        int failures = 0;
        for (const Input& input : inputs()) {
            Outcome outcome;
            if (routine.takesRuns) {
                const auto half = input.keys.begin() + sizeOf(input.keys) / 2;
                outcome = routine.run(stableSorted(Keys(input.keys.begin(), half)),
                                      stableSorted(Keys(half, input.keys.end())));
            } else {
                outcome = routine.run(input.keys, {});
            }
            const Expected expected = routine.expect(input.keys);
            auto same = routine.bitExact ? sameBits : sameValuesSameKeys;
            ::testing::AssertionResult sorted = same(outcome.sorted, expected.sorted);
            ::testing::AssertionResult leftBehind =
                expected.leftBehind ? same(outcome.leftBehind, *expected.leftBehind)
                                    : ::testing::AssertionSuccess();
            const bool countOk = !expected.count || outcome.count == *expected.count;
            if (!sorted || !leftBehind || !countOk) {
                ADD_FAILURE() << input.name << "\n  result: " << sorted.message()
                              << "\n  input left behind: " << leftBehind.message()
                              << "\n  tally: " << outcome.count << " want "
                              << expected.count.value_or(outcome.count);
                if (++failures == 3) break;  // the first few tell the story
            }
        }
    }
}

// ---------------------------------------------------------------------------------------------
// Worked examples that pin single steps, and the tallies of the counting twins.

struct Example {
    const char* name;
    Adapter run;
    Keys keys;
    Keys right;  // merges only
    Keys sorted;
    std::optional<Keys> leftBehind;
    std::optional<long long> count;
};

void checkExamples(const Example* begin, const Example* end) {
    for (const Example* example = begin; example != end; ++example) {
        SCOPED_TRACE(example->name);
        const Outcome outcome = example->run(example->keys, example->right);
        EXPECT_TRUE(sameBits(outcome.sorted, example->sorted));
        if (example->leftBehind) {
            EXPECT_TRUE(sameBits(outcome.leftBehind, *example->leftBehind));
        }
        if (example->count) {
            EXPECT_EQ(outcome.count, *example->count);
        }
    }
}

const Keys nineToZero = {9, 8, 7, 6, 5, 4, 3, 2, 1, 0};
const Keys zeroToNine = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9};
// A one-gap list shows the gap-4 pass on its own: only the chain 0, 4, 8 is ordered.
const Keys afterGap4 = {1, 8, 7, 6, 5, 4, 3, 2, 9, 0};

const Example steps[] = {
    {"insertionSort keeps equal keys in order",
     inPlace<insertionSort>,
     {0.0, -0.0},
     {},
     {0.0, -0.0},
     {},
     {}},
    {"binaryInsertionSort keeps equal keys in order",
     inPlace<binaryInsertionSort>,
     {0.0, -0.0},
     {},
     {0.0, -0.0},
     {},
     {}},
    {"shellSort's gap-4 pass", inPlace<shellSortGap4>, nineToZero, {}, afterGap4, {}, {}},
    {"shellSort with the program's gaps",
     inPlace<shellSortShell>,
     nineToZero,
     {},
     zeroToNine,
     {},
     {}},
    {"merge interleaved runs", runMerge, {1, 3}, {2, 4}, {1, 2, 3, 4}, {}, {}},
    {"merge right run first", runMerge, {3, 4}, {1, 2}, {1, 2, 3, 4}, {}, {}},
    {"merge an empty left run", runMerge, {}, {1, 2}, {1, 2}, {}, {}},
    {"merge two empty runs", runMerge, {}, {}, {}, {}, {}},
    {"merge takes the left key first", runMerge, {-0.0}, {0.0}, {-0.0, 0.0}, {}, {}},
    {"merge takes the left key first, other sign", runMerge, {0.0}, {-0.0}, {0.0, -0.0}, {}, {}},
    {"mergeSort of no key", runMergeSort, {}, {}, {}, Keys{}, {}},
    {"mergeSort of one key", runMergeSort, {7}, {}, {7}, Keys{7}, {}},
    {"mergeSort of five keys sorts them in place too",
     runMergeSort,
     {5, 4, 3, 2, 1},
     {},
     {1, 2, 3, 4, 5},
     Keys{1, 2, 3, 4, 5},
     {}},
    {"mergeSort of six keys splits 3 + 3",
     runMergeSort,
     {6, 5, 4, 3, 2, 1},
     {},
     {1, 2, 3, 4, 5, 6},
     Keys{4, 5, 6, 1, 2, 3},
     {}},
    {"mergeSort of eleven keys splits 5 + 6 = 5 + 3 + 3",
     runMergeSort,
     {11, 10, 9, 8, 7, 6, 5, 4, 3, 2, 1},
     {},
     {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11},
     Keys{7, 8, 9, 10, 11, 4, 5, 6, 1, 2, 3},
     {}},
    // Equal first and last keys make both products zero, so 5 stays the pivot.
    {"quickSort keeps the first key as pivot",
     inPlace<quickSort>,
     {5, 1, 1, 1},
     {},
     {1, 1, 1, 5},
     {},
     {}},
    {"quickSort of four equal keys", inPlace<quickSort>, {2, 2, 2, 2}, {}, {2, 2, 2, 2}, {}, {}},
    {"quickSort of three keys is insertionSort",
     inPlace<quickSort>,
     {0.0, -0.0, -1.0},
     {},
     {-1.0, 0.0, -0.0},
     {},
     {}},
};

TEST(SortRoutines, FollowTheWorkedExamples) {
    checkExamples(std::begin(steps), std::end(steps));
}

const Keys none = {};
const Example tallies[] = {
    {"insertionSortCount, no key", inPlaceCount<insertionSortCount>, none, {}, none, {}, 0},
    {"insertionSortCount, one key", inPlaceCount<insertionSortCount>, {4}, {}, {4}, {}, 0},
    {"insertionSortCount 2 1", inPlaceCount<insertionSortCount>, {2, 1}, {}, {1, 2}, {}, 3},
    {"insertionSortCount 1 2", inPlaceCount<insertionSortCount>, {1, 2}, {}, {1, 2}, {}, 2},
    {"insertionSortCount 3 2 1", inPlaceCount<insertionSortCount>, {3, 2, 1}, {}, {1, 2, 3}, {}, 7},
    {"insertionSortCount 1 2 3", inPlaceCount<insertionSortCount>, {1, 2, 3}, {}, {1, 2, 3}, {}, 5},
    {"insertionSortCount 9..0",
     inPlaceCount<insertionSortCount>,
     nineToZero,
     {},
     zeroToNine,
     {},
     63},
    // The forward scan stops at the first equal key: equal keys change places.
    {"insertionSortCount 0 -0",
     inPlaceCount<insertionSortCount>,
     {0.0, -0.0},
     {},
     {-0.0, 0.0},
     {},
     3},
    {"binaryInsertionSortCount, no key",
     inPlaceCount<binaryInsertionSortCount>,
     none,
     {},
     none,
     {},
     0},
    {"binaryInsertionSortCount, one key",
     inPlaceCount<binaryInsertionSortCount>,
     {4},
     {},
     {4},
     {},
     0},
    {"binaryInsertionSortCount 2 1",
     inPlaceCount<binaryInsertionSortCount>,
     {2, 1},
     {},
     {1, 2},
     {},
     5},
    {"binaryInsertionSortCount 1 2",
     inPlaceCount<binaryInsertionSortCount>,
     {1, 2},
     {},
     {1, 2},
     {},
     3},
    {"binaryInsertionSortCount 3 2 1",
     inPlaceCount<binaryInsertionSortCount>,
     {3, 2, 1},
     {},
     {1, 2, 3},
     {},
     13},
    {"binaryInsertionSortCount 1 2 3",
     inPlaceCount<binaryInsertionSortCount>,
     {1, 2, 3},
     {},
     {1, 2, 3},
     {},
     6},
    {"binaryInsertionSortCount 0 -0",
     inPlaceCount<binaryInsertionSortCount>,
     {0.0, -0.0},
     {},
     {0.0, -0.0},
     {},
     3},
    {"shellSortCount, no key", inPlaceCount<shellSortCountShell>, none, {}, none, {}, 0},
    {"shellSortCount, one key", inPlaceCount<shellSortCountShell>, {4}, {}, {4}, {}, 0},
    {"shellSortCount 3 2 1 (gap 1 only)",
     inPlaceCount<shellSortCountShell>,
     {3, 2, 1},
     {},
     {1, 2, 3},
     {},
     7},
    {"shellSortCount 9..0", inPlaceCount<shellSortCountShell>, nineToZero, {}, zeroToNine, {}, 68},
    {"shellSortCount's gap-4 pass",
     inPlaceCount<shellSortCountGap4>,
     nineToZero,
     {},
     afterGap4,
     {},
     7},
    {"mergeCount of two empty runs", runMergeCount, none, none, none, {}, 0},
    {"mergeCount interleaved runs", runMergeCount, {1, 3}, {2, 4}, {1, 2, 3, 4}, {}, 20},
    {"mergeCount right run first", runMergeCount, {3, 4}, {1, 2}, {1, 2, 3, 4}, {}, 20},
    {"mergeCount of an empty left run", runMergeCount, none, {1, 2}, {1, 2}, {}, 12},
    {"mergeSortCount, no key", runMergeSortCount, none, {}, none, none, 0},
    {"mergeSortCount, one key (its copy)", runMergeSortCount, {4}, {}, {4}, Keys{4}, 1},
    {"mergeSortCount 3 2 1", runMergeSortCount, {3, 2, 1}, {}, {1, 2, 3}, Keys{1, 2, 3}, 10},
    {"mergeSortCount 6..1",
     runMergeSortCount,
     {6, 5, 4, 3, 2, 1},
     {},
     {1, 2, 3, 4, 5, 6},
     Keys{4, 5, 6, 1, 2, 3},
     50},
    {"quickSortCount, no key", inPlaceCount<quickSortCount>, none, {}, none, {}, 0},
    {"quickSortCount, one key", inPlaceCount<quickSortCount>, {4}, {}, {4}, {}, 0},
    // 4 of the 18 are for moving the middle key 3 to the front.
    {"quickSortCount 1 2 3 4",
     inPlaceCount<quickSortCount>,
     {1, 2, 3, 4},
     {},
     {1, 2, 3, 4},
     {},
     18},
    {"quickSortCount 4 3 2 1",
     inPlaceCount<quickSortCount>,
     {4, 3, 2, 1},
     {},
     {1, 2, 3, 4},
     {},
     22},
    {"quickSortCount four equal keys",
     inPlaceCount<quickSortCount>,
     {2, 2, 2, 2},
     {},
     {2, 2, 2, 2},
     {},
     15},
    {"quickSortCount 3 2 1 (insertionSortCount)",
     inPlaceCount<quickSortCount>,
     {3, 2, 1},
     {},
     {1, 2, 3},
     {},
     7},
    {"quickSortCount 5 1 1 1",
     inPlaceCount<quickSortCount>,
     {5, 1, 1, 1},
     {},
     {1, 1, 1, 5},
     {},
     18},
};

TEST(SortCountRoutines, AddTheTalliesOfTheWorkedExamples) {
    checkExamples(std::begin(tallies), std::end(tallies));
}

// The model is what proves quickSort's partitions, so it must itself follow the worked partition
// of 16 reversed keys; quickSort and its twin must then agree with it there too.
TEST(QuickSort, ModelFollowsTheWorkedPartitionOfSixteenReversedKeys) {
    Keys keys(16);
    std::iota(keys.rbegin(), keys.rend(), 1.0);
    const Keys input = keys;
    long long modelCount = 0;
    std::vector<Partition> log;
    quickSortModel(keys.data(), 16, 0, true, modelCount, &log);

    ASSERT_FALSE(log.empty());
    EXPECT_EQ(log[0].pivot, 7);
    EXPECT_TRUE(sameBits(log[0].after, {7, 1, 2, 3, 4, 5, 6, 8, 16, 9, 10, 11, 12, 13, 14, 15}));
    // Left piece 7 -> 5 -> 3 keys (3 goes to insertion sort), then the right piece 8 -> 6 -> 4.
    std::vector<int> sizes;
    for (const Partition& partition : log)
        sizes.push_back(partition.size);
    EXPECT_EQ(sizes, (std::vector<int>{16, 7, 5, 8, 6, 4}));

    EXPECT_TRUE(sameBits(inPlace<quickSort>(input, {}).sorted, keys));
    const Outcome counted = inPlaceCount<quickSortCount>(input, {});
    EXPECT_TRUE(sameBits(counted.sorted, keys));
    EXPECT_EQ(counted.count, modelCount);
}

// ---------------------------------------------------------------------------------------------
// Bounds: no routine reads or writes outside its keys.

void mergeSortDiscardingResult(double* array, int size) {
    delete[] mergeSort(array, size);
}
void mergeSortCountDiscardingResult(double* array, int size) {
    long long count = 0;
    delete[] mergeSortCount(array, size, count);
}
template <void (*Sort)(double*, int, long long&)>
void discardingCount(double* array, int size) {
    long long count = 0;
    Sort(array, size, count);
}

struct InPlaceRoutine {
    const char* name;
    void (*sort)(double*, int);
};
const InPlaceRoutine inPlaceRoutines[] = {
    {"insertionSort", insertionSort},
    {"binaryInsertionSort", binaryInsertionSort},
    {"shellSort", shellSortShell},
    {"mergeSort", mergeSortDiscardingResult},
    {"quickSort", quickSort},
    {"insertionSortCount", discardingCount<insertionSortCount>},
    {"binaryInsertionSortCount", discardingCount<binaryInsertionSortCount>},
    {"shellSortCount", discardingCount<shellSortCountShell>},
    {"mergeSortCount", mergeSortCountDiscardingResult},
    {"quickSortCount", discardingCount<quickSortCount>},
};

TEST(SortRoutines, TouchNothingOutsideTheirKeys) {
    // The guards lure a scan that misses its bound: a greater key below the array keeps a leftward
    // scan going, a smaller key above it a rightward one.
    const double below = 1e9;
    const double above = -1e9;
    const Keys cases[] = {{5, 1, 1, 1}, {1, 1, 1, 5}, {1, 5, 5, 5}, {3, 2, 1}, {4}, nineToZero};
    for (const InPlaceRoutine& routine : inPlaceRoutines) {
        SCOPED_TRACE(routine.name);
        routine.sort(nullptr, 0);  // no key: not even the pointer is read through
        for (const Keys& keys : cases) {
            SCOPED_TRACE(show(keys));
            Keys guarded = {below};
            guarded.insert(guarded.end(), keys.begin(), keys.end());
            guarded.push_back(above);
            routine.sort(guarded.data() + 1, sizeOf(keys));
            EXPECT_EQ(guarded.front(), below);
            EXPECT_EQ(guarded.back(), above);
        }
    }
    delete[] merge(nullptr, nullptr, 0, 0);
    long long count = 0;
    delete[] mergeCount(nullptr, nullptr, 0, 0, count);
    EXPECT_EQ(count, 0);
}

// ---------------------------------------------------------------------------------------------
// Depth: reversed keys drive the left pieces ~size/4 deep and equal keys ~size deep; with
// recursion into the smaller piece both fit a small stack.

struct DepthJob {
    void (*sort)(double*, int);
    Keys* keys;
};

void* runDepthJob(void* argument) {
    DepthJob* job = static_cast<DepthJob*>(argument);
    job->sort(job->keys->data(), sizeOf(*job->keys));
    return nullptr;
}

// Sorts on a thread with a 256 KiB stack; an unbounded recursion would crash the test there.
void sortOnSmallStack(void (*sort)(double*, int), Keys& keys) {
    pthread_attr_t attributes;
    ASSERT_EQ(pthread_attr_init(&attributes), 0);
    ASSERT_EQ(pthread_attr_setstacksize(&attributes, 256 * 1024), 0);
    DepthJob job{sort, &keys};
    pthread_t thread;
    ASSERT_EQ(pthread_create(&thread, &attributes, runDepthJob, &job), 0);
    ASSERT_EQ(pthread_join(thread, nullptr), 0);
    pthread_attr_destroy(&attributes);
}

TEST(QuickSort, DepthStaysBoundedOnReversedAndEqualKeys) {
    struct Case {
        const char* name;
        void (*sort)(double*, int);
        int size;
        bool equal;
    };
    const Case cases[] = {
        {"quickSort, reversed", quickSort, 80000, false},
        {"quickSort, equal", quickSort, 30000, true},
        {"quickSortCount, reversed", discardingCount<quickSortCount>, 80000, false},
        {"quickSortCount, equal", discardingCount<quickSortCount>, 30000, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Keys keys(c.size, 1.0);
        if (!c.equal) std::iota(keys.rbegin(), keys.rend(), 1.0);
        Keys expected = keys;
        std::sort(expected.begin(), expected.end());
        sortOnSmallStack(c.sort, keys);
        EXPECT_TRUE(keys == expected);
    }
}

}  // namespace
