// The import's room in large pages: all of it free while it lives (at the heap's end, or in
// the holes an earlier large import left behind), none of it still allocated.

#include <gtest/gtest.h>

#include <cstddef>
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

TEST(HeapReserve, TouchingAheadKeepsEveryByteAndStopsAFewPagesAhead) {
#ifndef QUENK_TEST_GLIBC_HEAP
    GTEST_SKIP() << "the reservation works with glibc's own allocator only";
#else
    if (!HeapReserveEnabled()) GTEST_SKIP() << "QUENK_NO_HEAP_RESERVE=1 is set";
    HeapReserve room(std::size_t{64} << 20);
    if (!room.CanTouchAhead()) GTEST_SKIP() << "no room was made";
    // A block cut from the room, written, then the frontier at its end.
    std::vector<unsigned char> block(std::size_t{3} << 20);
    for (std::size_t i = 0; i < block.size(); ++i) block[i] = static_cast<unsigned char>(i * 7);
    if (!room.TouchAhead(block.data() + block.size())) GTEST_SKIP() << "the block came from older free memory";
    int calls = 1;
    while (room.TouchAhead(block.data() + block.size()) && calls < 1000) ++calls;
    EXPECT_LE(calls, 5);  // four large pages ahead, and a part of one
    EXPECT_FALSE(room.TouchAhead(block.data() + block.size()));
    EXPECT_FALSE(room.TouchAhead(nullptr));  // a frontier outside the room
    for (std::size_t i = 0; i < block.size(); ++i)
        ASSERT_EQ(block[i], static_cast<unsigned char>(i * 7)) << i;
#endif
}
