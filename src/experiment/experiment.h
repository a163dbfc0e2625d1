// One experiment run: the key file, its generators, the per-size timing step and the run driver.
#pragma once

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
