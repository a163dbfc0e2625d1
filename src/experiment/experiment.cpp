#include "experiment.h"

namespace kestrova {
double* data = nullptr;
int dataSize = 0;
}  // namespace kestrova

// TODO(experiment)
void run(Fl_Widget*) {}
void addData(SortGraph*, int) {}
void genRandom() {}
void genOrdered() {}
void genReverse() {}
double* copyArray(const double*, int srcSize) { return new double[srcSize > 0 ? srcSize : 0]; }
