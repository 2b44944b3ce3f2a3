// Test entry: unbuffered output, so that a test that hangs under Wine still shows where it was.
#include <gtest/gtest.h>

#include <cstdio>

int main(int argc, char** argv) {
  std::setvbuf(stdout, nullptr, _IONBF, 0);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
