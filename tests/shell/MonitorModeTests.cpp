// The sea on every monitor and as one panorama, with the real saver on two monitors side by side
// (1280 x 1024, and 1024 x 768 right of it), seen on the screen as a user sees it.
#include <windows.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "tests/support/SaverDriver.h"
#include "tests/support/ScreenCapture.h"
#include "tests/support/TestEnvironment.h"
#include "tests/support/Wait.h"

namespace {

using namespace savertest;

constexpr RECT Primary = {0, 0, 1280, 1024};
constexpr RECT Second = {1280, 0, 2304, 768};

// Sky is blue over green over red (green at most about 50 over red, also in its haze), clouds
// nearly white; the sea and the island are green far over red with little blue to spare; the rock
// is brown, red over blue.
bool seaOrIsland(uint32_t p) { return blue(p) - green(p) < 35 && green(p) > red(p) + 60; }
bool rock(uint32_t p) { return red(p) > blue(p) + 10; }

// The first row from the top in column x that shows the sea or the island: the horizon there.
int skyEnds(const Capture& c, int x) {
  for (int y = 0; y < c.height; ++y) {
    if (seaOrIsland(c.at(x, y))) return y;
  }
  return c.height;
}

// Where, in the row, the rock on the left ends: its right edge.
int rockEnds(const Capture& c, int row) {
  bool seen = false;
  for (int x = 0; x < c.width / 3; ++x) {
    if (rock(c.at(x, row))) {
      seen = true;
    } else if (seen) {
      return x;
    }
  }
  return -1;
}

uint32_t meanColour(const Capture& c, int left, int top, int size) {
  int sums[3] = {};
  for (int y = top; y < top + size; ++y) {
    for (int x = left; x < left + size; ++x) {
      sums[0] += red(c.at(x, y));
      sums[1] += green(c.at(x, y));
      sums[2] += blue(c.at(x, y));
    }
  }
  const int n = size * size;
  return static_cast<uint32_t>((sums[0] / n) << 16 | (sums[1] / n) << 8 | (sums[2] / n));
}

class TwoMonitors : public ::testing::Test {
 protected:
  TwoMonitors()
      : mode_(SettingsKey, "MonitorMode"),
        camera_(SettingsKey, "CameraPos"),
        shade_(SettingsKey, "ShadeScecondary"),
        sky_(SettingsKey, "SkyType") {}
  void SetUp() override {
    ASSERT_EQ(GetSystemMetrics(SM_CMONITORS), 2) << "Wine does not see two monitors";
    camera_.setDword(2);  // the view held still, a little up
    shade_.setDword(1);
    // A clear sky: a cumulus edge may fall between the samples either side of the edge.
    sky_.setDword(1);
  }

  // Starts the full-screen saver in the mode; its windows, the main one first, once both show the sea.
  std::vector<HWND> start(DWORD monitorMode) {
    mode_.setDword(monitorMode);
    HWND main = startSaver(saver_, basic("/s"));
    if (!main) return {};
    std::vector<HWND> windows = saverWindows(saver_, 2, StartTimeout);
    for (HWND window : windows) {
      if (window != main && !picturesMove(window, StartTimeout)) return {};
    }
    if (!picturesMove(main, StartTimeout)) return {};
    windows.erase(std::remove(windows.begin(), windows.end(), main), windows.end());
    windows.insert(windows.begin(), main);
    return windows;
  }

  // Six moves of the real pointer over the second monitor end the saver (five are tolerated).
  void endWithTheMouseOnTheSecondMonitor() {
    for (int i = 0; i < 12 && saver_.running(); ++i) {
      SetCursorPos(Second.left + 100 + 37 * i, Second.top + 100 + 23 * i);
      pumpMessagesFor(50);
    }
    EXPECT_TRUE(endsWithCode(saver_, 1));
  }

  ScopedValue mode_, camera_, shade_, sky_;
  ChildProcess saver_;
};

TEST_F(TwoMonitors, EveryMonitorShowsTheSeaAtItsOwnSize) {
  const std::vector<HWND> windows = start(1);
  ASSERT_EQ(windows.size(), 2u);
  RECT second;
  GetWindowRect(windows[1], &second);
  EXPECT_EQ(second.left, Second.left);
  EXPECT_EQ(second.right, Second.right);
  EXPECT_EQ(second.bottom, Second.bottom);
  const Capture screen = captureScreen(RECT{0, 0, Second.right, Primary.bottom});
  screen.saveBmp(testenv::artifactFolder("monitors") + "every-monitor.bmp");
  const Capture left = captureScreen(Primary);
  const Capture right = captureScreen(Second);
  // Each view has its horizon at the same part of its own height...
  const int horizonLeft = skyEnds(left, 384);
  const int horizonRight = skyEnds(right, 307);
  EXPECT_NEAR(static_cast<double>(horizonLeft) / left.height, static_cast<double>(horizonRight) / right.height, 0.01);
  // ...but sees wider at its wider aspect: the rock on the left edge stands further in, where a
  // stretched copy would keep it where the first monitor shows it.
  const int rowLeft = horizonLeft - 20, rowRight = horizonRight - 15;
  const double rockLeft = static_cast<double>(rockEnds(left, rowLeft)) / left.width;
  const double rockRight = static_cast<double>(rockEnds(right, rowRight)) / right.width;
  ASSERT_GT(rockLeft, 0.0);
  const double ownAspect = 0.5 + (1.25 / (4.0 / 3.0)) * (rockLeft - 0.5);
  EXPECT_NEAR(rockRight, ownAspect, 0.01) << rockLeft;
  EXPECT_GT(rockRight - rockLeft, 0.012);
  endWithTheMouseOnTheSecondMonitor();
}

TEST_F(TwoMonitors, ThePanoramaGoesOnAcrossTheSharedEdge) {
  const std::vector<HWND> windows = start(2);
  ASSERT_EQ(windows.size(), 2u);
  // Either side of the edge: the horizon, with the island standing on it, at the same height, and
  // the same sky above it and the same sea below it. The views are turned about the vertical to
  // keep the horizon level, so with the camera pitched they meet exactly only near the horizon:
  // the colours are compared there. Each window swaps on its own, so a capture
  // may catch the two a frame apart, the sea's glints moved on one side: it is taken again until
  // both show the same frame.
  const int edge = Primary.right;
  Capture screen;
  int horizon = 0;
  const auto matches = [&] {
    screen = captureScreen(RECT{0, 0, Second.right, Primary.bottom});
    horizon = skyEnds(screen, edge - 1);
    if (horizon >= 700 || std::abs(skyEnds(screen, edge) - horizon) > 3) return false;
    for (const int row : {horizon - 40, horizon + 40}) {
      const uint32_t left = meanColour(screen, edge - 10, row, 8);
      const uint32_t right = meanColour(screen, edge + 2, row, 8);
      if (std::abs(red(left) - red(right)) > 10 || std::abs(green(left) - green(right)) > 10 ||
          std::abs(blue(left) - blue(right)) > 10) {
        return false;
      }
    }
    return true;
  };
  const bool matched = waitUntil(matches, 10000);
  screen.saveBmp(testenv::artifactFolder("monitors") + "panorama.bmp");
  ASSERT_LT(horizon, 700);
  EXPECT_NEAR(skyEnds(screen, edge), horizon, 3);
  for (const int row : {horizon - 40, horizon + 40}) {
    const uint32_t left = meanColour(screen, edge - 10, row, 8);
    const uint32_t right = meanColour(screen, edge + 2, row, 8);
    EXPECT_NEAR(red(left), red(right), 10) << row;
    EXPECT_NEAR(green(left), green(right), 10) << row;
    EXPECT_NEAR(blue(left), blue(right), 10) << row;
  }
  EXPECT_TRUE(matched);
  endWithTheMouseOnTheSecondMonitor();
}

TEST_F(TwoMonitors, PrimaryOnlyCoversTheSecondMonitorAsBefore) {
  mode_.setDword(0);
  HWND main = startSaver(saver_, basic("/s"));
  ASSERT_NE(main, nullptr);
  ASSERT_TRUE(picturesMove(main, StartTimeout));
  ASSERT_EQ(saverWindows(saver_, 2, StartTimeout).size(), 2u);
  EXPECT_EQ(captureScreen(Second).brightFraction(RECT{10, 10, 1014, 758}, 8), 0.0) << "black";
  send(main, WM_KEYDOWN, 'A');
  EXPECT_TRUE(endsWithCode(saver_, 1));
}

// A flick that takes the pointer onto the other monitor in one step: the interactive build brings
// it back (its window sees no move of it, the pointer being over another window by then).
TEST_F(TwoMonitors, TheInteractiveBuildKeepsThePointerOnItsMonitor) {
  HWND main = startSaver(saver_, interactive(""));
  ASSERT_NE(main, nullptr);
  ASSERT_TRUE(picturesMove(main, StartTimeout));
  SetCursorPos(Second.left + 500, Second.top + 400);
  POINT at = {};
  EXPECT_TRUE(waitUntil(
      [&] {
        pumpMessagesFor(20);
        return GetCursorPos(&at) && at.x < Primary.right && at.y < Primary.bottom;
      },
      StartTimeout))
      << at.x << ", " << at.y;
  send(main, WM_KEYDOWN, VK_ESCAPE);
  send(main, WM_KEYUP, VK_ESCAPE);
  EXPECT_TRUE(endsWithCode(saver_, 1));
}

}  // namespace
