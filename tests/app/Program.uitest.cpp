// How the program sets itself up: memory of closed windows goes back.
#include "app/Program.h"

#include <cstdlib>
#include <cstring>
#include <malloc.h>

#include <gtest/gtest.h>

namespace orvik {
namespace {

// A window's picture or buffer is a large block. Freed, it must go back to
// the system every time, not only the first time: glibc would otherwise keep
// the next one of that size in its heap.
TEST(Program, LargeBlocksGoBackToTheSystemEachTimeTheyAreFreed) {
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "the address sanitizer has its own allocator";
#else
    constexpr std::size_t kBlock = 600 * 1024; // a 480 x 300 picture, for one
    static_assert(kBlock >= static_cast<std::size_t>(kLargeBlockBytes));
    for (int round = 0; round < 3; ++round) {
        const std::size_t mappedBefore = mallinfo2().hblkhd;
        void* block = std::malloc(kBlock);
        ASSERT_NE(block, nullptr);
        std::memset(block, 1, kBlock);
        EXPECT_GE(mallinfo2().hblkhd, mappedBefore + kBlock) << "round " << round;
        std::free(block);
        EXPECT_EQ(mallinfo2().hblkhd, mappedBefore) << "round " << round;
    }
#endif
}

} // namespace
} // namespace orvik
