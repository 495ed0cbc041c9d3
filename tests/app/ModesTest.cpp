#include <gtest/gtest.h>

#include "core/Modes.h"
#include "support/ScriptedPlatform.h"

namespace plandra {
namespace {

TEST(ModeStack, PushPopAndTheGuards) {
  test::ScriptedPlatform platform;
  ModeState modes;
  EXPECT_FALSE(ModeTop(modes).has_value());
  ModePush(modes, 2, platform);
  ModePush(modes, 17, platform);
  ModePush(modes, 15, platform);
  EXPECT_EQ(ModeTop(modes), 15);
  ModePush(modes, -1, platform);
  EXPECT_EQ(ModeTop(modes), 17);
  ModePop(modes, platform);
  EXPECT_EQ(ModeTop(modes), 2);
  EXPECT_EQ(platform.Beeps, 0);
  ModePop(modes, platform);  // at the base: only a beep
  EXPECT_EQ(ModeTop(modes), 2);
  EXPECT_EQ(platform.Beeps, 1);

  for (int i = 0; i < 120; ++i) ModePush(modes, 6, platform);
  EXPECT_EQ(modes.Depth, kModeStackTop);
  EXPECT_EQ(platform.Beeps, 1 + 21);
}

}  // namespace
}  // namespace plandra
