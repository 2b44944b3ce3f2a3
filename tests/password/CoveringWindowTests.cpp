// Covering of secondary monitors decided by the build switch, against a monitor table given to the
// application (the test machine has one screen): the basic build puts a black topmost window
// exactly over the second monitor, the interactive build puts none.
#include <windows.h>
#include <gtest/gtest.h>

#include "scene/SeaSceneApp.h"

namespace {

class CoveringProbe : public SeaSceneApp {
 public:
  explicit CoveringProbe(SaverBuild build) : SeaSceneApp(build) {}
  ~CoveringProbe() override {
    for (int i = 0; i < monitorCount(); ++i) {
      if (monitor(i).window) DestroyWindow(monitor(i).window);
    }
    if (mainWindow()) DestroyWindow(mainWindow());
  }
  void giveMonitors(const MonitorEntry* entries, int count) { setMonitors(entries, count); }
};

TEST(CoveringWindows, OnlyTheBasicBuildCoversTheSecondMonitor) {
  const int width = GetSystemMetrics(SM_CXSCREEN);
  const int height = GetSystemMetrics(SM_CYSCREEN);
  const RECT primaryRect = {0, 0, width, height};
  const MonitorEntry table[2] = {
      {true, 0, 0, width, height, MonitorFromRect(&primaryRect, MONITOR_DEFAULTTOPRIMARY), nullptr},
      {false, 700, 500, 1000, 800, nullptr, nullptr}};
  for (SaverBuild build : {SaverBuild::Basic, SaverBuild::Interactive}) {
    CoveringProbe app(build);
    ASSERT_TRUE(app.init(GetModuleHandleA(nullptr), "saver.scr /s"));
    app.giveMonitors(table, 2);
    app.screenSettings().ShadeScecondary = true;
    ASSERT_TRUE(app.startGL());
    HWND covering = app.monitor(1).window;
    EXPECT_EQ(app.monitor(0).window, nullptr);
    if (build == SaverBuild::Interactive) {
      EXPECT_EQ(covering, nullptr);
      EXPECT_FALSE(app.screenSettings().ShadeScecondary);
      continue;
    }
    ASSERT_NE(covering, nullptr);
    RECT rect;
    GetWindowRect(covering, &rect);
    EXPECT_EQ(rect.left, 700);
    EXPECT_EQ(rect.top, 500);
    EXPECT_EQ(rect.right, 1000);
    EXPECT_EQ(rect.bottom, 800);
    EXPECT_TRUE(GetWindowLongA(covering, GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_TRUE(IsWindowVisible(covering));
    EXPECT_EQ(reinterpret_cast<HBRUSH>(GetClassLongPtrA(covering, GCLP_HBRBACKGROUND)),
              static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    // The primary entry keeps the monitor's own rectangle.
    EXPECT_EQ(app.monitor(0).right, width);
  }
}

}  // namespace
