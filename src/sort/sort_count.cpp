// Operation-counting twins of the timed routines. Each adds its weighted tally of key comparisons
// and key moves to `count` and never resets it, so nested calls leave the total of the whole sort.

#include <algorithm>
#include <utility>

#include "sort.h"

// Not stable (a key lands in front of its equals); quadratic. Sorts array[0, size) by a forward
// scan for each key's place; adds 1 per key compared and 1 per key moved or stored.
void insertionSortCount(double* array, int size, long long& count) {
    for (int i = 1; i < size; ++i) {
        const double key = array[i];
        int j = 0;
        ++count;
        while (array[j] < key) {  // stops at i at the latest, where key itself stands
            ++j;
            ++count;
        }
        if (j != i) {
            for (int k = i; k > j; --k) {
                array[k] = array[k - 1];
                ++count;
            }
            array[j] = key;
            ++count;
        }
    }
}

// Stable; quadratic. binaryInsertionSort's steps; adds 1 per key taken, 2 per bisection step, and 1
// per key moved or stored.
void binaryInsertionSortCount(double* array, int size, long long& count) {
    for (int i = 1; i < size; ++i) {
        const double key = array[i];
        ++count;
        int lo = 0;
        int hi = i;
        while (lo < hi) {
            const int mid = lo + (hi - lo) / 2;
            count += 2;
            if (key < array[mid]) {
                hi = mid;
            } else {
                lo = mid + 1;
            }
        }
        if (lo != i) {
            for (int k = i; k > lo; --k) {
                array[k] = array[k - 1];
                ++count;
            }
            array[lo] = key;
            ++count;
        }
    }
}

// Not stable; quadratic. shellSort's passes (i advances by the gap) with a forward scan along the
// chain for each key's place; adds 1 per key compared and 1 per key moved or stored.
void shellSortCount(double* array, int size, const std::vector<int>& sequence, long long& count) {
    for (const int h : sequence) {
        if (h >= size) continue;
        for (int i = h; i < size; i += h) {
            const double key = array[i];
            int j = 0;
            ++count;
            while (array[j] < key) {
                j += h;
                ++count;
            }
            if (j != i) {
                for (int k = i; k > j; k -= h) {
                    array[k] = array[k - h];
                    ++count;
                }
                array[j] = key;
                ++count;
            }
        }
    }
}

// Stable, left first on equal keys; linear. merge's steps; adds 4 per key taken from `left` and 6
// per key taken from `right`.
double* mergeCount(const double* left, const double* right, int lSize, int rSize,
                   long long& count) {
    double* result = new double[lSize + rSize];
    int i = 0;
    int j = 0;
    for (int k = 0; k < lSize + rSize; ++k) {
        if (j == rSize) {
            result[k] = left[i++];
            count += 4;
        } else if (i == lSize) {
            result[k] = right[j++];
            count += 6;
        } else if (left[i] <= right[j]) {
            result[k] = left[i++];
            count += 4;
        } else {
            result[k] = right[j++];
            count += 6;
        }
    }
    return result;
}

// Not stable (its small pieces go to insertionSortCount); n log n. mergeSort's steps; adds 1 per
// key copied out of a small piece, plus the tallies of the routines it calls.
double* mergeSortCount(double* array, int size, long long& count) {
    if (size <= 5) {
        double* result = new double[size];
        insertionSortCount(array, size, count);
        std::copy(array, array + size, result);
        count += size;
        return result;
    }
    const int half = size / 2;
    double* left = mergeSortCount(array, half, count);
    double* right = mergeSortCount(array + half, size - half, count);
    double* result = mergeCount(left, right, half, size - half, count);
    delete[] left;
    delete[] right;
    return result;
}

// Not stable; n log n on random keys, quadratic on reversed or equal keys. quickSort's steps; adds
// 4 or 6 for moving the middle or last key to the front, 1 per scan step and per equal-keys
// advance, 3 per swap, plus insertionSortCount's tally for pieces of up to 3 keys.
void quickSortCount(double* array, int size, long long& count) {
    while (size > 3) {
        const int mid = size / 2;
        if ((array[mid] - array[size - 1]) * (array[mid] - array[0]) < 0) {
            std::swap(array[mid], array[0]);
            count += 4;
        } else if ((array[size - 1] - array[mid]) * (array[size - 1] - array[0]) < 0) {
            std::swap(array[size - 1], array[0]);
            count += 6;
        }
        const double pivot = array[0];
        int i = 1;
        int j = size - 1;
        do {
            while (array[i] < pivot && i < size - 1) {
                ++i;
                ++count;
            }
            while (array[j] > pivot) {
                --j;
                ++count;
            }
            if (array[i] == array[j] && i != j) {
                ++i;
                ++count;
            } else {
                std::swap(array[i], array[j]);
                count += 3;
            }
        } while (i < j);
        std::swap(array[i], array[j]);
        std::swap(array[j], array[0]);
        count += 6;  // both swaps are counted even when they change nothing

        // Smaller piece first, larger one by the loop: bounded depth, same partitions and tally as
        // recursing into every left piece (see quickSort).
        const int rightSize = size - j - 1;
        if (j <= rightSize) {
            quickSortCount(array, j, count);
            array += j + 1;
            size = rightSize;
        } else {
            quickSortCount(array + j + 1, rightSize, count);
            size = j;
        }
    }
    insertionSortCount(array, size, count);
}
