// The five timed sort routines and their operation-counting twins.
//
// Every routine sorts `size` doubles into ascending order. The timed routines are the object of
// measurement: they do their steps and nothing more. The ...Count twins add an operation tally to
// `count` (never reset it); nothing in the program calls them, they are here for study.
//
// merge, mergeSort, mergeCount and mergeSortCount return a new[] array that the caller releases
// with delete[]; mergeSort and mergeSortCount also leave `array` rearranged into sorted runs of 3
// to 5 keys (fully sorted when size <= 5).
#pragma once

#include <vector>

// Timed routines.
void insertionSort(double* array, int size);
void binaryInsertionSort(double* array, int size);
void shellSort(double* array, int size, const std::vector<int>& sequence);
double* merge(const double* left, const double* right, int lSize, int rSize);
double* mergeSort(double* array, int size);
void quickSort(double* array, int size);

// Operation-counting twins. The tally is 64-bit: insertionSortCount alone passes the 32-bit range
// at about 65,000 keys.
void insertionSortCount(double* array, int size, long long& count);
void binaryInsertionSortCount(double* array, int size, long long& count);
void shellSortCount(double* array, int size, const std::vector<int>& sequence, long long& count);
double* mergeCount(const double* left, const double* right, int lSize, int rSize, long long& count);
double* mergeSortCount(double* array, int size, long long& count);
void quickSortCount(double* array, int size, long long& count);
