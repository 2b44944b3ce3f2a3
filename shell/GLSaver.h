#pragma once
// The screensaver framework: entry sequence and run modes, the saver windows on every monitor with
// their OpenGL context, the window procedure with the quit rules, the frame pump and the shutdown.
// The application class fills in the scene operations; the framework owns the process.
//
//   GLSaver.cpp          construction, init, run
//   SaverWindows.cpp     window class, main window, GL context and its swap interval
//   SaverViews.cpp       the other monitors: covering windows or views of the sea, display changes
//   SaverMessages.cpp    window procedure, quit attempt, shutdown, frame pump
//   SaverPacing.cpp      frame-rate limit, sleep while the picture cannot be seen
//   PasswordServices.cpp Windows 9x password verifier and password change

#include <windows.h>

#include <cstdint>

#include "config/Settings.h"
#include "formats/TextTableKeys.h"
#include "shell/DisplayNotices.h"
#include "shell/DrawingConditions.h"
#include "shell/FramePacer.h"
#include "shell/GLDriver.h"
#include "shell/MonitorTable.h"
#include "shell/SaverMode.h"

// A window the scene is drawn into: the main window, and where the sea shows on every monitor, one
// on each other monitor.
struct SaverView {
  HWND window = nullptr;
  HDC deviceContext = nullptr;
  HGLRC context = nullptr;    // null: the view stays black
  bool ownContext = false;    // the main context could not be made current on it; its own shares the textures
  int width = 0, height = 0;  // client size
  RECT monitor = {};          // where it stands on the desktop
};

class GLSaver {
 public:
  static constexpr int MaxMonitors = 9;
  static constexpr int TextSize = 256;

  // language: what the saver's own texts and its text files speak.
  GLSaver(SaverBuild build, textkeys::Language language);
  GLSaver(const GLSaver&) = delete;
  GLSaver& operator=(const GLSaver&) = delete;

  // The hooks a saver fills, in this order.
  virtual ~GLSaver();
  virtual bool buildScene() = 0;
  virtual bool setupGL() = 0;
  virtual void updateFrame() = 0;
  // Draws view number view (0 is the main window's); its GL context is current.
  virtual void renderFrame(int view) = 0;
  virtual bool releaseGL() = 0;
  virtual void releaseScene() = 0;
  virtual void afterFrame();
  virtual bool loadSettings();
  virtual bool filterMessage(UINT message, WPARAM wParam, LPARAM lParam);
  virtual bool configure();
  // The picture can no longer be seen (display off, session locked), or can be seen again. No frame
  // is drawn in between; the application stops its clock and its sound.
  virtual void sleepChanged(bool asleep);
  // The views were made, moved, added or removed (at start and after a display change).
  virtual void viewsChanged();

  // Start-up: commandLine is the whole text of GetCommandLineA.
  bool init(HINSTANCE instance, const char* commandLine);
  bool run();
  // Every message of every saver window.
  LRESULT windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

  void tryQuit();
  void shutdown();
  // One frame: update, then every view drawn and swapped (the main window last), then afterFrame.
  // A driver that refuses to make a view's context current or to swap has gone away: the saver
  // ends quietly, as it would on a key.
  void drawFrame();
  // The monitors have changed: windows, views and covering windows follow the new table, and the
  // frame-rate cap the new refresh rate. A change that arrives meanwhile (the driver calls handle
  // sent messages) is followed once this one is done, and a shutdown asked for meanwhile waits.
  void followDisplayChange();
  // The drawing run up to its first frame: context, GL state, covering windows, the scene.
  // False when the run ends before any frame (the frame pump then does not start).
  bool startGL();

  // The screen settings and "MaxFrameRate" under the settings key.
  void loadScreenSettings();
  void saveScreenSettings();

  // Reasons the picture cannot be seen; while any holds, no frame is drawn.
  enum SleepReason : unsigned { DisplayOff = 1, SessionLocked = 2 };
  bool asleep() const { return sleepReasons_ != 0; }
  bool quitRequested() const { return quitRequested_; }
  // The driver synchronises the main window's swaps with the display.
  bool swapSynced() const { return swapSynced_; }
  int storedMaxFrameRate() const { return storedMaxFrameRate_; }
  // Frames per second the frame pump draws at most (0: no limit): set when the pump starts, and
  // again when the display or the conditions change.
  int frameRateCap() const { return frameRateCap_; }
  // Battery, power saving and remote session, as read when the pump started and told since.
  const DrawingConditions& drawingConditions() const { return conditions_; }

  SaverBuild build() const { return build_; }
  textkeys::Language language() const { return language_; }
  SaverMode mode() const { return mode_; }
  const char* registryPath() const { return registryPath_; }
  long windowNumber() const { return windowNumber_; }
  HWND mainWindow() const { return mainWindow_; }
  int width() const { return width_; }
  int height() const { return height_; }
  int colourDepth() const { return colourDepth_; }
  bool isShutDown() const { return shutdownDone_; }
  int monitorCount() const { return monitorCount_; }
  const MonitorEntry& monitor(int i) const { return monitors_[i]; }
  // MonitorMode as this run applies it: only the basic build's full-screen saver shows the sea on
  // other monitors; any value but EveryMonitor and Panorama is PrimaryOnly.
  int monitorMode() const;
  int viewCount() const { return viewCount_; }
  const SaverView& view(int i) const { return views_[i]; }
  const ScreenSettings& screenSettings() const { return screen_; }
  ScreenSettings& screenSettings() { return screen_; }
  bool passwordVerifierLoaded() const { return verifyPassword_ != nullptr; }
  // The depth bits the pixel format asks for: none, as the picture needs none. Many drivers give a
  // depth buffer all the same; tests ask for one to see the picture those machines show.
  void setDepthBits(int bits) { depthBits_ = bits; }

  // The one framework object; the window procedure reaches it through this pointer.
  static GLSaver* current() { return current_; }

 protected:
  bool basicBuild() const { return build_ == SaverBuild::Basic; }
  void requestQuit() { quitRequested_ = true; }
  HINSTANCE instance() const { return instance_; }

  // Registry sub-key below HKEY_CURRENT_USER, filled by the application from its directory file.
  char registryPath_[TextSize] = {};

  // Where the monitor table comes from; tests give monitors the machine does not have.
  void setMonitorSource(MonitorSource& source) { monitorSource_ = &source; }
  // Who signs the main window up for display and session notices; tests record it.
  void setNoticeRegistrar(NoticeRegistrar& registrar) { displayNotices_.setRegistrar(registrar); }
  // The driver calls that fail when the driver goes away; tests make them fail.
  void setGLDriver(GLDriver& driver) { gl_ = &driver; }
  // Where the power and session conditions at start come from; tests give what Wine cannot.
  void setConditionSource(ConditionSource& source) { conditionSource_ = &source; }
  void enumerateMonitors();
  bool createMainWindow();
  void runGL();
  // Covering windows on the secondary monitors; windows of an earlier table are moved to the new
  // monitors, made where there are more monitors and destroyed where there are fewer.
  void coverSecondaryMonitors(const HWND* earlier, int earlierCount);
  void releaseContext();
  void pumpFrames();
  // Swap interval, frame-rate limit and display notices, just before the frame pump starts.
  void startPacing();
  void stopPacing();

 private:
  using VerifyPasswordFn = BOOL(WINAPI*)(HWND);

  static LRESULT CALLBACK staticWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  bool settlePreview();
  // Microseconds of the performance counter, for the frame pacer.
  static int64_t pacingNow();
  bool previewOrphaned() const;
  void setSleepReason(SleepReason reason, Visibility visibility);
  void useFineTimer(bool fine);
  void showStartError(const char* text);
  void handleMouseMove(LPARAM lParam);
  void loadPasswordVerifier();
  void releasePasswordVerifier();
  void changePassword();
  bool prepareFirstFrame();
  void refreshMonitorRect(MonitorEntry& entry) const;
  // A monitor a view may stand on: not empty, clear of the first placedViews views (the main
  // window's among them).
  bool usableSecondary(const MonitorEntry& entry, int placedViews) const;
  HWND createPopup(const RECT& rect, bool activate);
  // Views on the usable secondary monitors, reusing the windows there are; a view that gets no
  // GL context stays a black window.
  void placeViews();
  // Makes the view's window drawable: the main context where it can draw there, else a context of
  // its own; its swaps are not synchronised (only the main window's wait for the display).
  void setUpView(SaverView& view);
  void releaseView(SaverView& view);
  // A window of ours other than the main one: it goes without ending the saver.
  void retireWindow(HWND window);
  void setFrameRateCap();
  void conditionsChanged();
  void followOneDisplayChange();

  static GLSaver* current_;

  const SaverBuild build_;
  const textkeys::Language language_;
  SaverMode mode_ = SaverModeUnset;
  long windowNumber_ = 0;
  HINSTANCE instance_ = nullptr;
  char title_[TextSize] = "ScreenSaverWnd";
  bool win9x_ = false;
  bool previewSettling_ = false;
  HMODULE passwordModule_ = nullptr;
  VerifyPasswordFn verifyPassword_ = nullptr;

  ScreenSettings screen_;
  MonitorEntry monitors_[MaxMonitors] = {};
  int monitorCount_ = 0;

  MonitorSource* monitorSource_ = &systemMonitors();
  SaverView views_[MaxMonitors];
  int viewCount_ = 0;
  bool displayChangePending_ = false;  // arrived while the first frame was prepared or a change followed
  bool followingDisplayChange_ = false;
  PIXELFORMATDESCRIPTOR pixelFormat_ = {};
  int pixelFormatIndex_ = 0;
  GLDriver* gl_ = &systemGLDriver();
  bool swapSynced_ = false;

  HWND mainWindow_ = nullptr;
  int width_ = 0;
  int height_ = 0;
  int colourDepth_ = 0;
  int depthBits_ = 0;
  HDC deviceContext_ = nullptr;
  HGLRC glContext_ = nullptr;

  bool quitRequested_ = false;
  bool startingGL_ = false;  // a shutdown asked for meanwhile waits for the first frame pass
  unsigned sleepReasons_ = 0;
  int storedMaxFrameRate_ = -1;
  int frameRateCap_ = 0;
  ConditionSource* conditionSource_ = &systemConditions();
  DrawingConditions conditions_;
  FramePacer pacer_;
  DisplayNotices displayNotices_;
  bool pacingStarted_ = false;
  bool fineTimer_ = false;
  bool shutdownDone_ = false;
  bool passwordDialogOpen_ = false;
  int mouseMoves_ = 0;
};
