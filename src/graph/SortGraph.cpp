#include "SortGraph.h"

SortGraph::SortGraph(char* title) : title(title) {}

SortGraph::~SortGraph() {
    delete[] title;
}

void SortGraph::addisTime(double time) {
    record(isTimes, time);
}
void SortGraph::addbisTime(double time) {
    record(bisTimes, time);
}
void SortGraph::addssTime(double time) {
    record(ssTimes, time);
}
void SortGraph::addmsTime(double time) {
    record(msTimes, time);
}
void SortGraph::addqsTime(double time) {
    record(qsTimes, time);
}

void SortGraph::addKeySize(unsigned int keySize) {
    keySizes.push_back(keySize);
}

void SortGraph::toggleLog() {
    logScale = !logScale;
}

void SortGraph::record(std::vector<double>& times, double time) {
    times.push_back(time);
    // One chain: a time moves at most one bound, so the bounds need not be the true extremes.
    if (time > maxTime) {
        maxTime = time;
    } else if (time < minTime) {
        minTime = time;
    } else if (time < minNonZeroTime && time != 0.0) {
        minNonZeroTime = time;
    }
}
