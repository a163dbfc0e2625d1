#include "SortGraph.h"
#include "TextGenerator.h"

// TODO(plot): draw, getTime, getKey.
void SortGraph::draw(int, int, TextGenerator*) {}
double SortGraph::getTime(double, double) { return -1000.0; }
int SortGraph::getKey(double, double) { return -1; }
