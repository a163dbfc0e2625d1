// Times the five sort routines beside std::sort and std::stable_sort on random, ordered and
// reversed keys. Start by hand (not part of the test run):
//   build/release/bench/sort_bench [--benchmark_filter=quickSort]
//
// Each iteration copies the keys into the work array and then times one sort with steady_clock
// (UseManualTime): the copy stays outside the measurement without the cost of PauseTiming. The
// array mergeSort returns is released after the clock has stopped, as the program's timing loop
// releases it after its clock readings; the allocations inside mergeSort are part of its time.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "sort.h"

namespace {

// The gap list the program hands to shellSort.
const std::vector<int> shell = {1093, 364, 121, 40, 13, 4, 1};

enum class Order { random, ordered, reversed };

// Random keys cover 0 to 32767 like the program's rand(), so large files hold many equal keys.
std::vector<double> makeKeys(Order order, int size, unsigned seed) {
    std::vector<double> keys(size);
    std::mt19937 generator(seed);
    for (int k = 0; k < size; ++k) {
        switch (order) {
            case Order::random:
                keys[k] = static_cast<double>(generator() % 32768);
                break;
            case Order::ordered:
                keys[k] = k;
                break;
            case Order::reversed:
                keys[k] = size - 1 - k;
                break;
        }
    }
    return keys;
}

// Every routine in one shape: sorts, and returns the array it allocated (mergeSort) or nullptr.
double* runInsertionSort(double* array, int size) {
    insertionSort(array, size);
    return nullptr;
}
double* runBinaryInsertionSort(double* array, int size) {
    binaryInsertionSort(array, size);
    return nullptr;
}
double* runShellSort(double* array, int size) {
    shellSort(array, size, shell);
    return nullptr;
}
double* runQuickSort(double* array, int size) {
    quickSort(array, size);
    return nullptr;
}
double* runStdSort(double* array, int size) {
    std::sort(array, array + size);
    return nullptr;
}
double* runStdStableSort(double* array, int size) {
    std::stable_sort(array, array + size);
    return nullptr;
}

struct Routine {
    const char* name;
    double* (*sort)(double*, int);
    int maxSize;
    bool quadratic;          // on random and reversed keys
    bool quadraticReversed;  // on reversed keys only (quickSort's median of three)
};

const Routine routines[] = {
    {"insertionSort", runInsertionSort, 100000, true, false},
    {"binaryInsertionSort", runBinaryInsertionSort, 100000, true, false},
    {"shellSort", runShellSort, 100000, true, false},
    {"mergeSort", mergeSort, 1000000, false, false},
    {"quickSort", runQuickSort, 1000000, false, true},
    {"std::sort", runStdSort, 1000000, false, false},
    {"std::stable_sort", runStdStableSort, 1000000, false, false},
};

void timeSort(benchmark::State& state, const Routine& routine, Order order) {
    const int size = static_cast<int>(state.range(0));
    // Sorting the same random keys again and again lets the branch predictor learn them: std::sort
    // of 1000 such keys then looks as fast as of ordered ones. A pool of different files (up to a
    // million keys in all) keeps the branches unpredictable.
    const int files = order == Order::random ? std::clamp(1000000 / size, 1, 16) : 1;
    std::vector<std::vector<double>> pool;
    for (int f = 0; f < files; ++f)
        pool.push_back(makeKeys(order, size, 12345 + f));
    const std::unique_ptr<double[]> work(new double[size]);
    std::size_t next = 0;
    for (auto _ : state) {
        const std::vector<double>& keys = pool[next++ % pool.size()];
        std::copy(keys.begin(), keys.end(), work.get());
        const auto start = std::chrono::steady_clock::now();
        double* result = routine.sort(work.get(), size);
        benchmark::DoNotOptimize(result);
        benchmark::ClobberMemory();
        const auto stop = std::chrono::steady_clock::now();
        delete[] result;
        state.SetIterationTime(std::chrono::duration<double>(stop - start).count());
    }
}

void registerAll() {
    const struct {
        const char* name;
        Order order;
    } orders[] = {
        {"random", Order::random}, {"ordered", Order::ordered}, {"reversed", Order::reversed}};
    for (const Routine& routine : routines) {
        for (const auto& order : orders) {
            // quickSort on reversed keys is quadratic: a million keys would take minutes.
            const bool quadratic = (routine.quadratic && order.order != Order::ordered) ||
                                   (routine.quadraticReversed && order.order == Order::reversed);
            const int maxSize = quadratic ? std::min(routine.maxSize, 100000) : routine.maxSize;
            for (int size = 1000; size <= maxSize; size *= 10) {
                const std::string name = std::string(routine.name) + "/" + order.name;
                benchmark::internal::Benchmark* b =
                    benchmark::RegisterBenchmark(name.c_str(), timeSort, routine, order.order);
                b->Arg(size)->UseManualTime()->Unit(benchmark::kMicrosecond);
                // Seconds per sort: one is enough, and keeps the whole run to a few minutes.
                if (quadratic && size >= 100000) b->Iterations(1);
            }
        }
    }
}

}  // namespace

int main(int argc, char** argv) {
    registerAll();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
