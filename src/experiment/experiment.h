// One experiment run: the key file, its generators, the per-size timing step and the run driver.
#pragma once

#include <cstdint>
#include <ctime>
#include <string>
#include <vector>

class Fl_Widget;
class SortGraph;

namespace kestrova {
// The key file: trunc("File Upper Bound") keys, alive only while a run lasts.
extern double* data;
extern int dataSize;
}  // namespace kestrova

// "Run Sorts" callback: reads the control window's inputs and performs one run.
void run(Fl_Widget* w);
// Times the five routines on the first `size` keys of the key file and records them in `sg`.
void addData(SortGraph* sg, int size);
// Build the key file from the current "File Upper Bound".
void genRandom();
void genOrdered();
void genReverse();
// A new[] copy of source[0, srcSize); the caller releases it with delete[].
double* copyArray(const double* source, int srcSize);

// The decisions of a run as plain functions, so that they can be checked without a display.

// Most repetitions a run accepts: every repetition sorts its own copy of the file, and all copies
// of one routine's turn are held at once.
constexpr int maxSortIterations = 1000000;

// The file sizes a run samples, in order, for the raw "File Lower Bound", "File Upper Bound" and
// "n Data Points". Expects inputs that runRefusal accepts and upper > lower.
std::vector<int> sampleSizes(double lower, double upper, double points);
// Bytes a run holds at its peak: key file, copies, merge sort's results and working memory, and
// the record's entries. Same preconditions as sampleSizes, and iterations >= 1.
double runMemoryEstimate(double lower, double upper, double points, double iterations);
// Empty when a run can honour these inputs (read as raw doubles, after the silent guards
// upper > lower and iterations >= 1 have passed); otherwise the console line that says why not.
std::string runRefusal(double lower, double upper, double points, double iterations,
                       double availableBytes);
// Physical memory the system can still hand out, in bytes.
double availableMemory();

// Random keys in 0 ... 32767 from a linear congruential generator of our own: the C library's
// rand has a wider range on some platforms, and the key scale assumes exactly this one.
std::uint32_t randomSeed(std::time_t now, int n);
void fillRandom(double* keys, int n, double upper, std::uint32_t seed);
void fillOrdered(double* keys, int n);
void fillReverse(double* keys, int n);
