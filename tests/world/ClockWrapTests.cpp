// Time measured across the tick counter's wrap: 2^31 ms (where an int reading turns negative) and
// 2^32 ms (where the counter starts again at 0). The scene's pace across it is checked with the
// whole scene (SceneTime tests).
#include <gtest/gtest.h>

#include <cstdint>

#include "world/Clock.h"

namespace {

constexpr uint32_t Boundaries[] = {0x80000000u, 0u};  // 2^31 and 2^32 (as the counter shows it)

TEST(ClockWrap, ElapsedTimeIsRightAcrossBothBoundaries) {
  for (const uint32_t boundary : Boundaries) {
    EXPECT_EQ(elapsedMs(boundary - 300u, boundary + 700u), 1000u);
    EXPECT_EQ(elapsedMs(boundary - 1u, boundary), 1u);
    EXPECT_EQ(elapsedMs(boundary, boundary), 0u);
  }
}

}  // namespace
