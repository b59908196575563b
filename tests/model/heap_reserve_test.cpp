// The import's room in large pages: all of it free while it lives (at the heap's end, or in
// the holes an earlier large import left behind), none of it still allocated.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "model/heap_reserve.h"

#if defined(__linux__) && defined(__GLIBC__)
#include <malloc.h>
#define QUENK_TEST_GLIBC_HEAP 1
#endif
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
#undef QUENK_TEST_GLIBC_HEAP  // the sanitizers bring an allocator of their own
#endif
#if defined(__has_feature)
#if __has_feature(address_sanitizer) || __has_feature(thread_sanitizer)
#undef QUENK_TEST_GLIBC_HEAP
#endif
#endif

TEST(HeapReserve, RoomIsFreeAtTheHeapsEndAndNothingStaysAllocated) {
#ifndef QUENK_TEST_GLIBC_HEAP
    GTEST_SKIP() << "the reservation works with glibc's own allocator only";
#else
    if (!HeapReserveEnabled()) GTEST_SKIP() << "QUENK_NO_HEAP_RESERVE=1 is set";
    for (const std::size_t mb : {std::size_t{20}, std::size_t{100}, std::size_t{700}}) {
        const std::size_t bytes = mb << 20;
        const struct mallinfo2 before = mallinfo2();
        {
            const HeapReserve room(bytes);
            const struct mallinfo2 during = mallinfo2();
            EXPECT_EQ(during.uordblks, before.uordblks) << mb << " MB";
            EXPECT_GE(during.fordblks, bytes) << mb << " MB";
        }
    }
#endif
}

// The helper making pages ready ahead of the front never changes what was written there.
TEST(HeapReserve, PagesMadeReadyAheadKeepWhatIsWritten) {
    std::vector<std::vector<std::uint32_t>> blocks;
    {
        const HeapReserve room(std::size_t{64} << 20, std::size_t{32} << 20);
        for (std::uint32_t k = 0; k < 3000; ++k) {
            blocks.emplace_back(1000 + k % 7 * 1000, k);
            NoteHeapFront(blocks.back().data());
        }
    }
    for (std::uint32_t k = 0; k < blocks.size(); ++k)
        ASSERT_EQ(std::count(blocks[k].begin(), blocks[k].end(), k), static_cast<std::ptrdiff_t>(blocks[k].size())) << k;
}
