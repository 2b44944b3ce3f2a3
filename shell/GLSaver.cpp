#include "shell/GLSaver.h"

#include <SDL.h>

#include <cstdio>

#include "config/SettingsStore.h"
#include "shell/CommandLine.h"

GLSaver* GLSaver::current_ = nullptr;

GLSaver::GLSaver(SaverBuild build, textkeys::Language language) : build_(build), language_(language) {
  current_ = this;
  if (SDL_Init(SDL_INIT_AUDIO | SDL_INIT_VIDEO) < 0) {
    std::fprintf(stderr, "SDL konnte nicht initialisiert werden: %s\n", SDL_GetError());
  }
}

GLSaver::~GLSaver() {
  if (current_ == this) current_ = nullptr;
}

void GLSaver::afterFrame() {}

bool GLSaver::loadSettings() { return true; }

bool GLSaver::filterMessage(UINT, WPARAM, LPARAM) { return false; }

bool GLSaver::configure() { return true; }

void GLSaver::sleepChanged(bool) {}

void GLSaver::viewsChanged() {}

bool GLSaver::init(HINSTANCE instance, const char* commandLine) {
  instance_ = instance;
  // The whole saver, frame loop included, must never compete with the user's programs.
  SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_IDLE);

  const SaverMode parsed = parseCommandLine(commandLine, windowNumber_);
  mode_ = basicBuild() ? parsed : FullScreen;

  loadSettings();
  loadScreenSettings();
  enumerateMonitors();

  if (mode_ == Preview || mode_ == FullScreen || mode_ == Windowed) {
    if (!createMainWindow()) return false;
  }

  OSVERSIONINFOA version = {};
  version.dwOSVersionInfoSize = sizeof(version);
  if (GetVersionExA(&version)) win9x_ = version.dwPlatformId == VER_PLATFORM_WIN32_WINDOWS;

  if (mode_ == FullScreen && win9x_) loadPasswordVerifier();
  // A preview whose window went while it settled has nothing left to draw into: it ends quietly.
  if (mode_ == Preview && !settlePreview()) return false;
  return true;
}

// The display control panel shows a preview as soon as the window exists; drawing starts only
// after half a second so the panel settles first. False when the preview's window is gone by then.
bool GLSaver::settlePreview() {
  previewSettling_ = true;
  PostMessageA(mainWindow_, WM_USER, 0, 0);
  MSG msg;
  while (previewSettling_ && !previewOrphaned()) {
    const BOOL got = GetMessageA(&msg, mainWindow_, 0, 0);
    if (got == 0) {
      PostQuitMessage(0);
      break;
    }
    if (got < 0) break;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  return !previewOrphaned();
}

// The control panel that hosts a preview may close it, or end, at any moment.
bool GLSaver::previewOrphaned() const {
  return mode_ == Preview && (!IsWindow(mainWindow_) || !IsWindow(GetParent(mainWindow_)));
}

bool GLSaver::run() {
  switch (mode_) {
    case Configure:
      configure();
      releaseScene();
      break;
    case Preview:
    case FullScreen:
    case Windowed:
      runGL();
      break;
    case ChangePassword:
      changePassword();
      break;
    default:
      break;
  }
  return true;
}

void GLSaver::loadScreenSettings() {
  ::loadScreenSettings(registryPath_, screen_);
  storedMaxFrameRate_ = loadMaxFrameRate(registryPath_);
}

void GLSaver::saveScreenSettings() { ::saveScreenSettings(registryPath_, screen_); }
