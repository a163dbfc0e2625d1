#include "sort.h"

#include <algorithm>
#include <utility>

// Stable; quadratic. Sorts array[0, size) by moving each key left past the greater keys.
void insertionSort(double* array, int size) {
    for (int i = 1; i < size; ++i) {
        const double key = array[i];
        int j = i - 1;
        while (j >= 0 && array[j] > key) {  // strictly greater keeps equal keys in order
            array[j + 1] = array[j];
            --j;
        }
        array[j + 1] = key;
    }
}

// Stable; quadratic moves, n log n comparisons. Sorts array[0, size) by finding each key's place in
// the sorted prefix by bisection, behind the keys equal to it.
void binaryInsertionSort(double* array, int size) {
    for (int i = 1; i < size; ++i) {
        const double key = array[i];
        int lo = 0;
        int hi = i;
        while (lo < hi) {
            const int mid = lo + (hi - lo) / 2;  // (lo + hi) / 2 without overflow
            if (key < array[mid]) {
                hi = mid;
            } else {
                lo = mid + 1;  // equal keys send the search right: that is the stability
            }
        }
        if (lo != i) {
            for (int k = i; k > lo; --k) {
                array[k] = array[k - 1];
            }
            array[lo] = key;
        }
    }
}

// Not stable; quadratic. Sorts array[0, size) by one insertion pass per gap of `sequence` (first to
// last, gaps >= size skipped); the last gap must be 1.
void shellSort(double* array, int size, const std::vector<int>& sequence) {
    for (const int h : sequence) {
        if (h >= size) continue;
        // i advances by h, not by 1: a pass orders only the chain at the multiples of h. This is
        // the variant being measured, so the final gap-1 pass keeps most of the work.
        for (int i = h; i < size; i += h) {
            const double key = array[i];
            int j = i - h;
            while (j >= 0 && array[j] > key) {
                array[j + h] = array[j];
                j -= h;
            }
            array[j + h] = key;
        }
    }
}

// Stable, left first on equal keys; linear. Returns a new[] array of the two ascending runs merged.
double* merge(const double* left, const double* right, int lSize, int rSize) {
    double* result = new double[lSize + rSize];
    int i = 0;
    int j = 0;
    for (int k = 0; k < lSize + rSize; ++k) {
        if (j == rSize) {
            result[k] = left[i++];
        } else if (i == lSize) {
            result[k] = right[j++];
        } else if (left[i] <= right[j]) {
            result[k] = left[i++];
        } else {
            result[k] = right[j++];
        }
    }
    return result;
}

// Stable; n log n. Returns a new[] sorted copy of array[0, size); pieces of up to 5 keys are
// insertion-sorted in place, so `array` ends as sorted runs of 3 to 5 keys.
double* mergeSort(double* array, int size) {
    if (size <= 5) {
        double* result = new double[size];
        insertionSort(array, size);
        std::copy(array, array + size, result);
        return result;
    }
    const int half = size / 2;  // the left half is the smaller one when size is odd
    double* left = mergeSort(array, half);
    double* right = mergeSort(array + half, size - half);
    double* result = merge(left, right, half, size - half);
    delete[] left;
    delete[] right;
    return result;
}

// Not stable; n log n on random keys, quadratic on reversed or equal keys. Sorts array[0, size) by
// partitioning around the median of the first, middle and last keys; pieces of up to 3 keys go to
// insertionSort.
void quickSort(double* array, int size) {
    while (size > 3) {
        const int mid = size / 2;
        // Only the signs of the products matter: negative means strictly between the other two.
        if ((array[mid] - array[size - 1]) * (array[mid] - array[0]) < 0) {
            std::swap(array[mid], array[0]);
        } else if ((array[size - 1] - array[mid]) * (array[size - 1] - array[0]) < 0) {
            std::swap(array[size - 1], array[0]);
        }
        // Reading the pivot once is safe: array[0] changes only by the loop's final swap (when the
        // right scan reached it), after the last comparison.
        const double pivot = array[0];
        int i = 1;
        int j = size - 1;
        do {
            while (array[i] < pivot && i < size - 1) {
                ++i;
            }
            while (array[j] > pivot) {  // stops at the pivot in array[0] at the latest
                --j;
            }
            if (array[i] == array[j] && i != j) {
                ++i;  // swapping two equal keys would leave both scans stuck
            } else {
                std::swap(array[i], array[j]);
            }
        } while (i < j);
        std::swap(array[i], array[j]);  // undoes the loop's last swap if the scans crossed
        std::swap(array[j], array[0]);

        // The left piece is (array, j), the right one (array + j + 1, size - j - 1). Recursing into
        // every left piece would go ~size/4 deep on reversed keys and ~size deep on equal keys,
        // enough to overflow the stack. Recursing into the smaller piece and looping on the larger
        // bounds the depth by log2(size); the pieces are disjoint, so the order in which they are
        // sorted changes neither the partitions nor the result.
        const int rightSize = size - j - 1;
        if (j <= rightSize) {
            quickSort(array, j);
            array += j + 1;
            size = rightSize;
        } else {
            quickSort(array + j + 1, rightSize);
            size = j;
        }
    }
    insertionSort(array, size);
}
