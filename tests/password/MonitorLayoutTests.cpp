// The other monitors, against monitor tables given to the application (the test machine has one
// screen): covering windows decided by the build switch, and views and covering windows that follow
// a display change.
#include <windows.h>
#include <gtest/gtest.h>

#include <GL/gl.h>

#include <vector>

#include "scene/SeaSceneApp.h"
#include "tests/support/RecordingGLDriver.h"

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
  void giveMonitors(MonitorSource& source) { setMonitorSource(source); }
  void giveDriver(GLDriver& driver) { setGLDriver(driver); }
};

// The table the test machine does not have.
class FixedMonitors : public MonitorSource {
 public:
  FixedMonitors(const MonitorEntry* entries, int count) : entries_(entries), count_(count) {}
  int listMonitors(MonitorEntry* table, int capacity) override {
    const int count = count_ < capacity ? count_ : capacity;
    for (int i = 0; i < count; ++i) table[i] = entries_[i];
    return count;
  }

 private:
  const MonitorEntry* entries_;
  int count_;
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
    FixedMonitors monitors(table, 2);
    app.giveMonitors(monitors);
    ASSERT_TRUE(app.init(GetModuleHandleA(nullptr), "saver.scr /s"));
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

// A table that changes when the test says so, as docking, a hot-plugged or a sleeping monitor would.
class ChangingMonitors : public MonitorSource {
 public:
  int listMonitors(MonitorEntry* table, int capacity) override {
    const int count = static_cast<int>(entries.size()) < capacity ? static_cast<int>(entries.size()) : capacity;
    for (int i = 0; i < count; ++i) table[i] = entries[static_cast<size_t>(i)];
    return count;
  }
  std::vector<MonitorEntry> entries;
};

MonitorEntry entry(bool primary, int left, int top, int right, int bottom) {
  return {primary, left, top, right, bottom, nullptr, nullptr};
}

RECT windowRect(HWND window) {
  RECT rect = {};
  GetWindowRect(window, &rect);
  return rect;
}

bool sameRect(const RECT& a, const RECT& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

void tellDisplayChanged(HWND window) {
  SendMessageA(window, WM_DISPLAYCHANGE, 32, MAKELPARAM(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)));
}

// The basic build's full-screen saver with the sea on every monitor of the source's table, up to
// its first frame.
void startOnEveryMonitor(CoveringProbe& app, MonitorSource& monitors) {
  app.giveMonitors(monitors);
  app.settings().SoundOn = false;
  ASSERT_TRUE(app.init(GetModuleHandleA(nullptr), "saver.scr /s"));
  app.screenSettings().MonitorMode = EveryMonitor;
  ASSERT_TRUE(app.startGL());
}

// Ends the run as the saver does and takes the quit message it posts.
void endRun(CoveringProbe& app) {
  app.shutdown();
  MSG msg;
  while (PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
  }
}

TEST(MonitorLayout, ViewsFollowADisplayChange) {
  const int width = GetSystemMetrics(SM_CXSCREEN);
  const int height = GetSystemMetrics(SM_CYSCREEN);
  const MonitorEntry primary = entry(true, 0, 0, width, height);
  ChangingMonitors monitors;
  monitors.entries = {primary, entry(false, width, 0, width + 400, 300)};
  CoveringProbe app(SaverBuild::Basic);
  startOnEveryMonitor(app, monitors);
  ASSERT_EQ(app.viewCount(), 2);
  HWND first = app.view(1).window;
  EXPECT_TRUE(sameRect(windowRect(first), RECT{width, 0, width + 400, 300}));
  EXPECT_NE(app.view(1).context, nullptr);
  EXPECT_EQ(app.monitor(1).window, nullptr) << "a view, no covering window";
  EXPECT_EQ(app.sceneView(1).width, 400);
  app.drawFrame();

  // The monitor moves to the left, another comes, a third would stand over the primary.
  monitors.entries = {primary, entry(false, -500, 0, 0, 300), entry(false, width, 0, width + 320, 240),
                      entry(false, 100, 100, 500, 400)};
  tellDisplayChanged(app.mainWindow());
  ASSERT_EQ(app.viewCount(), 3);
  EXPECT_EQ(app.view(1).window, first) << "moved, not made anew";
  EXPECT_TRUE(sameRect(windowRect(first), RECT{-500, 0, 0, 300}));
  HWND second = app.view(2).window;
  EXPECT_TRUE(sameRect(windowRect(second), RECT{width, 0, width + 320, 240}));
  EXPECT_EQ(app.sceneView(2).width, 320);
  app.drawFrame();

  // Both go; the saver goes on, on the primary alone.
  monitors.entries = {primary};
  tellDisplayChanged(app.mainWindow());
  EXPECT_EQ(app.viewCount(), 1);
  EXPECT_FALSE(IsWindow(first));
  EXPECT_FALSE(IsWindow(second));
  EXPECT_FALSE(app.isShutDown());

  // The primary's resolution changes: the main window and its view follow.
  monitors.entries = {entry(true, 0, 0, width / 2, height / 2)};
  tellDisplayChanged(app.mainWindow());
  EXPECT_EQ(app.width(), width / 2);
  EXPECT_EQ(app.height(), height / 2);
  EXPECT_EQ(app.sceneView(0).width, width / 2);
  app.drawFrame();
  endRun(app);
}

TEST(MonitorLayout, CoveringWindowsFollowADisplayChange) {
  const int width = GetSystemMetrics(SM_CXSCREEN);
  const int height = GetSystemMetrics(SM_CYSCREEN);
  const MonitorEntry primary = entry(true, 0, 0, width, height);
  ChangingMonitors monitors;
  monitors.entries = {primary, entry(false, width, 0, width + 400, 300)};
  CoveringProbe app(SaverBuild::Basic);
  app.giveMonitors(monitors);
  app.settings().SoundOn = false;
  ASSERT_TRUE(app.init(GetModuleHandleA(nullptr), "saver.scr /s"));
  app.screenSettings().ShadeScecondary = true;
  ASSERT_TRUE(app.startGL());
  ASSERT_EQ(app.viewCount(), 1);
  HWND first = app.monitor(1).window;
  ASSERT_NE(first, nullptr);

  monitors.entries = {primary, entry(false, 0, height, 640, height + 480), entry(false, width, 0, width + 200, 200)};
  tellDisplayChanged(app.mainWindow());
  ASSERT_EQ(app.monitorCount(), 3);
  EXPECT_EQ(app.monitor(1).window, first);
  EXPECT_TRUE(sameRect(windowRect(first), RECT{0, height, 640, height + 480}));
  HWND second = app.monitor(2).window;
  ASSERT_NE(second, nullptr);
  EXPECT_TRUE(sameRect(windowRect(second), RECT{width, 0, width + 200, 200}));

  monitors.entries = {primary};
  tellDisplayChanged(app.mainWindow());
  EXPECT_FALSE(IsWindow(first));
  EXPECT_FALSE(IsWindow(second));
  EXPECT_FALSE(app.isShutDown());
  app.drawFrame();
  endRun(app);
}

// A window the main context cannot draw into (another adapter, another pixel format) gets a
// context of its own, set up as the main one and sharing its textures: the driver here keeps the
// main context to the main window. Each window's swap interval is set once, the main window's
// alone synchronised; and a view the driver no longer makes current ends the saver quietly.
TEST(MonitorLayout, AViewWithAContextOfItsOwnDrawsTheSea) {
  const int width = GetSystemMetrics(SM_CXSCREEN);
  const int height = GetSystemMetrics(SM_CYSCREEN);
  ChangingMonitors monitors;
  monitors.entries = {entry(true, 0, 0, width, height), entry(false, width, 0, width + 320, 240)};
  RecordingGLDriver driver;
  driver.keepMainContextToItsWindow = true;
  int brightViewFrames = 0;
  HDC viewDevice = nullptr;
  driver.beforeSwap = [&](HDC device) {
    if (device != viewDevice) return;
    std::vector<unsigned char> pixels(320 * 240 * 4);
    glReadBuffer(GL_BACK);
    glReadPixels(0, 0, 320, 240, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    int lit = 0;
    for (size_t i = 0; i < pixels.size(); i += 4) lit += pixels[i] + pixels[i + 1] + pixels[i + 2] > 60;
    if (lit > 320 * 240 / 2) ++brightViewFrames;
  };
  CoveringProbe app(SaverBuild::Basic);
  app.giveDriver(driver);
  startOnEveryMonitor(app, monitors);
  ASSERT_EQ(app.viewCount(), 2);
  const SaverView& view = app.view(1);
  ASSERT_NE(view.context, nullptr);
  EXPECT_TRUE(view.ownContext);
  EXPECT_NE(view.context, app.view(0).context);
  viewDevice = view.deviceContext;

  // Set up as the main context, with the main context's textures.
  GLuint sky = app.scene()->sky().id();
  ASSERT_NE(sky, 0u);
  ASSERT_TRUE(wglMakeCurrent(view.deviceContext, view.context));
  GLfloat fog[4] = {};
  glGetFloatv(GL_FOG_COLOR, fog);
  EXPECT_GT(fog[2], 0.5f) << "the scene's fog colour";
  EXPECT_TRUE(glIsTexture(sky));
  ASSERT_TRUE(wglMakeCurrent(app.view(0).deviceContext, app.view(0).context));

  for (int i = 0; i < 5; ++i) app.drawFrame();
  EXPECT_EQ(brightViewFrames, 5) << "the sea in the view's own context";
  ASSERT_EQ(driver.swapIntervals.size(), 2u) << "once per window, none per frame";
  EXPECT_EQ(driver.swapIntervals[0].deviceContext, app.view(0).deviceContext);
  EXPECT_EQ(driver.swapIntervals[0].interval, 1);
  EXPECT_EQ(driver.swapIntervals[1].deviceContext, view.deviceContext);
  EXPECT_EQ(driver.swapIntervals[1].interval, 0);

  driver.makeCurrentsBeforeFailing = driver.makeCurrentCalls;
  app.drawFrame();
  EXPECT_TRUE(app.isShutDown());
  EXPECT_EQ(app.viewCount(), 1);
  MSG msg;
  while (PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
  }
}

// Driver calls handle sent messages, so a second display change, or a deactivation, can arrive
// while one is being followed. The second change is followed once the first is done; the
// shutdown the deactivation asks for waits until then.
class ReenteringMonitors : public ChangingMonitors {
 public:
  int listMonitors(MonitorEntry* table, int capacity) override {
    ++calls;
    ++depth;
    deepest = depth > deepest ? depth : deepest;
    const int count = ChangingMonitors::listMonitors(table, capacity);
    if (window && !sent.empty()) {
      const UINT message = sent.front();
      sent.erase(sent.begin());
      if (message == WM_DISPLAYCHANGE) {
        entries = later;
        tellDisplayChanged(window);
      } else {
        SendMessageA(window, message, FALSE, 0);
        shutDownMeanwhile = app->isShutDown();
      }
    }
    --depth;
    return count;
  }
  HWND window = nullptr;
  CoveringProbe* app = nullptr;
  std::vector<UINT> sent;
  std::vector<MonitorEntry> later;
  int calls = 0, depth = 0, deepest = 0;
  bool shutDownMeanwhile = false;
};

TEST(MonitorLayout, AChangeArrivingWhileOneIsFollowedIsFollowedAfterIt) {
  ReenteringMonitors monitors;
  const int width = GetSystemMetrics(SM_CXSCREEN);
  monitors.entries = {entry(true, 0, 0, width, GetSystemMetrics(SM_CYSCREEN)),
                      entry(false, width, 0, width + 400, 300)};
  const MonitorEntry primary = monitors.entries.front();
  CoveringProbe app(SaverBuild::Basic);
  startOnEveryMonitor(app, monitors);
  monitors.window = app.mainWindow();
  monitors.app = &app;
  ASSERT_EQ(app.viewCount(), 2);

  // While the first change reads the monitors, the second arrives: one more monitor.
  monitors.calls = 0;
  monitors.entries = {primary, entry(false, -500, 0, 0, 300)};
  monitors.later = {primary, entry(false, -500, 0, 0, 300), entry(false, width, 0, width + 320, 240)};
  monitors.sent = {WM_DISPLAYCHANGE};
  tellDisplayChanged(app.mainWindow());
  EXPECT_EQ(monitors.deepest, 1) << "never followed within another";
  EXPECT_EQ(monitors.calls, 2) << "both followed";
  ASSERT_EQ(app.viewCount(), 3) << "the views of the later table";
  EXPECT_TRUE(sameRect(windowRect(app.view(1).window), RECT{-500, 0, 0, 300}));
  EXPECT_TRUE(sameRect(windowRect(app.view(2).window), RECT{width, 0, width + 320, 240}));
  app.drawFrame();

  // A deactivation meanwhile: the change is followed to its end, then the saver ends.
  monitors.entries = {primary};
  monitors.sent = {WM_ACTIVATEAPP};
  tellDisplayChanged(app.mainWindow());
  EXPECT_FALSE(monitors.shutDownMeanwhile);
  EXPECT_EQ(app.viewCount(), 1);
  EXPECT_FALSE(app.isShutDown());
  EXPECT_TRUE(app.quitRequested());
  endRun(app);
  EXPECT_TRUE(app.isShutDown());
}

// The interactive build keeps the pointer within its window; when the display changes the
// window's size, the bounds follow.
TEST(MonitorLayout, ThePointersBoundsFollowTheInteractiveWindow) {
  const int width = GetSystemMetrics(SM_CXSCREEN);
  const int height = GetSystemMetrics(SM_CYSCREEN);
  ChangingMonitors monitors;
  monitors.entries = {entry(true, 0, 0, width, height)};
  CoveringProbe app(SaverBuild::Interactive);
  app.giveMonitors(monitors);
  app.settings().SoundOn = false;
  ASSERT_TRUE(app.init(GetModuleHandleA(nullptr), "reef.exe"));
  ASSERT_TRUE(app.startGL());
  RECT clip = {};
  GetClipCursor(&clip);
  EXPECT_TRUE(sameRect(clip, windowRect(app.mainWindow())));

  monitors.entries = {entry(true, 0, 0, 640, 480)};
  tellDisplayChanged(app.mainWindow());
  ASSERT_TRUE(sameRect(windowRect(app.mainWindow()), RECT{0, 0, 640, 480}));
  GetClipCursor(&clip);
  EXPECT_TRUE(sameRect(clip, RECT{0, 0, 640, 480}));
  endRun(app);
  ClipCursor(nullptr);
}

}  // namespace
