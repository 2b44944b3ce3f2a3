#include "tests/scene/SceneTestSupport.h"

#include <string>

#include "world/Clock.h"

namespace scenetest {

DrivenScene::DrivenScene(SaverBuild build, const std::string& commandLine,
                         const std::function<void(SeaSceneApp&)>& adjust, uint32_t clockStart,
                         textkeys::Language language)
    : clock_(clockStart) {
  app_ = std::make_unique<SeaSceneApp>(build, language);
  seedRandom(4711);
  // Before init: the registry of the test prefix holds no values under the product's key, so
  // loading keeps what adjust set, screen settings included.
  if (adjust) adjust(*app_);
  if (!app_->init(GetModuleHandleA(nullptr), commandLine.c_str())) return;
  ready_ = app_->startGL();
}

DrivenScene::~DrivenScene() {
  HWND window = app_->mainWindow();
  app_->shutdown();
  if (window) DestroyWindow(window);
  app_.reset();
  // The shutdown posted a quit message to this thread; later tests must not see it.
  MSG msg;
  while (PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
  }
}

void DrivenScene::frame(int advanceMs) {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  clock_.advance(static_cast<uint32_t>(advanceMs));
  app_->drawFrame();
}

void DrivenScene::key(UINT message, WPARAM virtualKey) { PostMessageA(app_->mainWindow(), message, virtualKey, 0); }

int kindNamed(const char* name) {
  for (int kind = 0; kind < CreatureKindCount; ++kind) {
    if (std::string(CreatureKinds[kind].name) == name) return kind;
  }
  return -1;
}

HWND previewHost(int clientWidth, int clientHeight) {
  RECT rect = {0, 0, clientWidth, clientHeight};
  AdjustWindowRect(&rect, WS_POPUP, FALSE);
  return CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE, 0, 0, rect.right - rect.left, rect.bottom - rect.top,
                         nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
}

}  // namespace scenetest
