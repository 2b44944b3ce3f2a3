// A long run of the full scene in one process with the real clock, as a saver left running:
// GL errors are checked after every frame, and the process's memory after the first minute is
// compared with its memory at the end.
//   scene_soak [minutes] [default|all]
// Prints one line and ends with code 1 on a GL error or more than 5 % growth.
#include <windows.h>

#include <GL/gl.h>
#include <psapi.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "scene/SeaSceneApp.h"
#include "tests/scene/SceneTestSupport.h"

namespace {

// Resident memory of the process. Wine fills it in from Linux's own count for the process, so
// the GL driver's memory is included.
long long memoryKb() {
  PROCESS_MEMORY_COUNTERS counters = {};
  counters.cb = sizeof counters;
  GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
  return static_cast<long long>(counters.WorkingSetSize / 1024);
}

void everyCreatureOn(SaverSettings& s) {
  s.FishRed = s.FishBlue = s.FishStripe = s.FishYellBlu = s.FishDot = true;
  s.FishBigGrey = s.FishBigRed = s.FishManta = s.BirdGull = true;
  s.FishCount = 10;
  s.BoidCount = 20;
}

}  // namespace

int main(int argc, char** argv) {
  const double minutes = argc > 1 ? std::atof(argv[1]) : 30.0;
  const std::string kind = argc > 2 ? argv[2] : "default";
  HWND host = scenetest::previewHost(800, 600);
  SeaSceneApp app(SaverBuild::Basic);
  if (kind == "all") everyCreatureOn(app.settings());
  const std::string line = "reef.scr /p " + std::to_string(reinterpret_cast<LONG_PTR>(host));
  if (!app.init(GetModuleHandleA(nullptr), line.c_str()) || !app.startGL()) {
    std::printf("soak %s could not start\n", kind.c_str());
    return 1;
  }
  HDC dc = GetDC(app.mainWindow());
  const DWORD start = GetTickCount();
  const DWORD length = static_cast<DWORD>(minutes * 60000.0);
  long long frames = 0, glErrors = 0, firstMinuteKb = 0;
  GLenum firstError = GL_NO_ERROR;
  while (GetTickCount() - start < length) {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
    app.updateFrame();
    app.renderFrame(0);
    SwapBuffers(dc);
    app.afterFrame();
    for (GLenum error = glGetError(); error != GL_NO_ERROR; error = glGetError()) {
      if (glErrors++ == 0) firstError = error;
    }
    ++frames;
    if (firstMinuteKb == 0 && GetTickCount() - start >= 60000) firstMinuteKb = memoryKb();
  }
  const long long endKb = memoryKb();
  if (firstMinuteKb == 0) firstMinuteKb = endKb;
  const double growth = 100.0 * static_cast<double>(endKb - firstMinuteKb) / static_cast<double>(firstMinuteKb);
  std::printf(
      "soak %s minutes=%.1f frames=%lld gl_errors=%lld first_error=0x%x memory_1min_kb=%lld "
      "memory_end_kb=%lld growth=%.2f%%\n",
      kind.c_str(), minutes, frames, glErrors, static_cast<unsigned>(firstError), firstMinuteKb, endKb, growth);
  std::fflush(stdout);
  ReleaseDC(app.mainWindow(), dc);
  app.shutdown();
  DestroyWindow(host);
  return glErrors == 0 && growth <= 5.0 ? 0 : 1;
}
