// A run that runs out of memory stops, releases what it holds and keeps a consistent record.
// The global operator new of this program fails one chosen large allocation on purpose.
#include <cstdlib>
#include <new>

#include "harness.h"

namespace {

// Large: the key file, the copies and merge sort's results in the run below. Merge sort's halves
// stay smaller, so no failure is made inside a sort routine, which handles none.
constexpr std::size_t largeBytes = 8000;
// The header keeps each block's size for operator delete, and keeps new's 16-byte alignment.
constexpr std::size_t header = 16;

long failAt = -1;  // the large allocation, counted from 0, that fails; -1 for none
long largeMade = 0;
long largeLive = 0;

}  // namespace

namespace {

void* allocate(std::size_t size) {
    const bool large = size >= largeBytes;
    if (large && failAt >= 0 && largeMade++ == failAt) throw std::bad_alloc();
    void* block = std::malloc(size + header);
    if (!block) throw std::bad_alloc();
    *static_cast<std::size_t*>(block) = size;
    if (large) ++largeLive;
    return static_cast<char*>(block) + header;
}

void release(void* p) {
    if (!p) return;
    void* block = static_cast<char*>(p) - header;
    if (*static_cast<std::size_t*>(block) >= largeBytes) --largeLive;
    std::free(block);
}

}  // namespace

void* operator new(std::size_t size) {
    return allocate(size);
}
void* operator new[](std::size_t size) {
    return allocate(size);
}
void operator delete(void* p) noexcept {
    release(p);
}
void operator delete[](void* p) noexcept {
    release(p);
}
void operator delete(void* p, std::size_t) noexcept {
    release(p);
}
void operator delete[](void* p, std::size_t) noexcept {
    release(p);
}

namespace {

TEST(OutOfMemory, RunKeepsCompleteSizesReleasesEverythingAndTheNextRunWorks) {
    // Two sizes, two repetitions: the key file is large allocation 0, then each size makes
    // 2 copies for each of the five routines and 2 merge results, in this order:
    // sort 0 (1, 2), sort 1 (3, 4), sort 2 (5, 6), sort 3 (7, 8), merge results (9, 10),
    // sort 4 (11, 12); the second size follows from 13 to 24.
    const Inputs in{1000, 1001, 2, 2, Order::Ordered};
    const std::vector<int> sizes{1000, 1001};
    for (long fail = 0; fail <= 24; ++fail) {
        if (fail == 9 || fail == 10 || fail == 21 || fail == 22) continue;  // inside mergeSort
        SCOPED_TRACE("failing large allocation " + std::to_string(fail));
        setInputs(in);
        testing::internal::CaptureStdout();
        largeMade = 0;
        failAt = fail;
        run(nullptr);
        failAt = -1;
        const std::string console = testing::internal::GetCapturedStdout();

        EXPECT_EQ(largeLive, 0) << "a copy, a merge result or the key file outlived the run";
        EXPECT_EQ(kestrova::data, nullptr);
        if (fail == 0) {
            EXPECT_EQ(console, "Out of memory: the run stopped before it made a record.\n");
            EXPECT_TRUE(kestrova::sortGraphs.empty());
            EXPECT_EQ(kestrova::graphBrowser->size(), 0);
        } else {
            const std::size_t complete = fail <= 12 ? 0 : 1;
            const std::string last = "Out of memory: the run stopped; its record keeps " +
                                     std::to_string(complete) + " complete file sizes.\n";
            ASSERT_GE(console.size(), last.size());
            EXPECT_EQ(console.substr(console.size() - last.size()), last);
            ASSERT_EQ(kestrova::sortGraphs.size(), 1u);
            const SortGraph& sg = *kestrova::sortGraphs[0];
            expectEqualLengths(sg, complete);
            EXPECT_EQ(std::vector<int>(sg.keySizes.begin(), sg.keySizes.end()),
                      std::vector<int>(sizes.begin(), sizes.begin() + complete));
            expectBoundsReplay(sg);
            EXPECT_EQ(kestrova::graphBrowser->size(), 1);
            EXPECT_EQ(kestrova::graphBrowser->value(), 1);
        }

        const std::string next = runCaptured();
        EXPECT_EQ(maskTimes(next), expectedConsole(sizes));
        ASSERT_FALSE(kestrova::sortGraphs.empty());
        expectEqualLengths(*kestrova::sortGraphs.back(), sizes.size());
        EXPECT_EQ(largeLive, 0);
        discardRecords();
    }
}

}  // namespace
