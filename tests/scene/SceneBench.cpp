// Frame rate of the full scene with the default settings, at two drawing sizes, with the real
// clock. Prints one line per size and where the frame time goes: update, render and swap, then
// each drawing layer alone (a finish after each, so the rasteriser's work is counted with it),
// and the fragments each layer draws per pixel of the view, at the start pose and at the top
// (counted by the driver's pipeline statistics where it has them).
#include <windows.h>

#include <GL/gl.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "scene/SeaSceneApp.h"
#include "tests/scene/SceneTestSupport.h"

namespace {

// GL_ARB_pipeline_statistics_query, through the entry points of OpenGL 1.5 and 3.3.
constexpr GLenum FragmentShaderInvocations = 0x82F4;
constexpr GLenum VerticesSubmitted = 0x82EE;
constexpr GLenum QueryResult = 0x8866;
using GenQueries = void(APIENTRY*)(GLsizei, GLuint*);
using DeleteQueries = void(APIENTRY*)(GLsizei, const GLuint*);
using BeginQuery = void(APIENTRY*)(GLenum, GLuint);
using EndQuery = void(APIENTRY*)(GLenum);
using GetQueryResult = void(APIENTRY*)(GLuint, GLenum, unsigned long long*);

template <typename Function>
Function entry(const char* name) {
  return reinterpret_cast<Function>(reinterpret_cast<void*>(wglGetProcAddress(name)));
}

// Fragments per pixel that each layer draws in view (its fragment shader's invocations), and the
// vertices it sends (the driver's vertex stage runs on the thread that draws).
void printFragments(SeaScene& sea, const SceneView& view, const char* pose) {
  const char* extensions = reinterpret_cast<const char*>(glGetString(GL_EXTENSIONS));
  const auto genQueries = entry<GenQueries>("glGenQueries");
  const auto deleteQueries = entry<DeleteQueries>("glDeleteQueries");
  const auto beginQuery = entry<BeginQuery>("glBeginQuery");
  const auto endQuery = entry<EndQuery>("glEndQuery");
  const auto result = entry<GetQueryResult>("glGetQueryObjectui64v");
  if (!extensions || !std::strstr(extensions, "GL_ARB_pipeline_statistics_query") || !genQueries || !beginQuery ||
      !endQuery || !result || !deleteQueries) {
    std::printf("  fragments per pixel: the driver does not count them\n");
    return;
  }
  GLuint fragmentQueries[LayerCount], vertexQueries[LayerCount];
  genQueries(LayerCount, fragmentQueries);
  genQueries(LayerCount, vertexQueries);
  sea.beginView(view);
  for (int l = 0; l < LayerCount; ++l) {
    beginQuery(FragmentShaderInvocations, fragmentQueries[l]);
    beginQuery(VerticesSubmitted, vertexQueries[l]);
    sea.drawLayer(DrawOrder[l], view);
    endQuery(VerticesSubmitted);
    endQuery(FragmentShaderInvocations);
  }
  const auto print = [&](const char* what, const GLuint* queries, double per, const char* format) {
    double total = 0.0;
    std::printf("  %s at the %s:", what, pose);
    for (int l = 0; l < LayerCount; ++l) {
      unsigned long long count = 0;
      result(queries[l], QueryResult, &count);
      total += static_cast<double>(count) / per;
      std::printf("%s %s ", l == 0 ? "" : ",", layerName(DrawOrder[l]));
      std::printf(format, static_cast<double>(count) / per);
    }
    std::printf("; all ");
    std::printf(format, total);
    std::printf("\n");
  };
  print("fragments per pixel", fragmentQueries, static_cast<double>(view.width) * view.height, "%.2f");
  print("vertices", vertexQueries, 1.0, "%.0f");
  deleteQueries(LayerCount, vertexQueries);
  deleteQueries(LayerCount, fragmentQueries);
}

double seconds(LARGE_INTEGER from, LARGE_INTEGER to, LARGE_INTEGER frequency) {
  return static_cast<double>(to.QuadPart - from.QuadPart) / static_cast<double>(frequency.QuadPart);
}

double cpuSeconds() {
  FILETIME created, exited, kernel, user;
  GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
  auto value = [](FILETIME t) { return (static_cast<ULONGLONG>(t.dwHighDateTime) << 32) | t.dwLowDateTime; };
  return static_cast<double>(value(kernel) + value(user)) / 1e7;
}

void run(int width, int height, int frames) {
  HWND host = scenetest::previewHost(width, height);
  SeaSceneApp app(SaverBuild::Basic);
  const std::string line = "reef.scr /p " + std::to_string(reinterpret_cast<LONG_PTR>(host));
  if (!app.init(GetModuleHandleA(nullptr), line.c_str()) || !app.startGL()) {
    std::printf("%dx%d could not start\n", width, height);
    return;
  }
  HDC dc = GetDC(app.mainWindow());
  for (int i = 0; i < 30; ++i) {  // warm-up
    app.updateFrame();
    app.renderFrame(0);
    SwapBuffers(dc);
  }
  glFinish();
  LARGE_INTEGER frequency, start, mark, end;
  QueryPerformanceFrequency(&frequency);
  double update = 0, render = 0, swap = 0;
  const double cpuStart = cpuSeconds();
  QueryPerformanceCounter(&start);
  for (int i = 0; i < frames; ++i) {
    QueryPerformanceCounter(&mark);
    app.updateFrame();
    LARGE_INTEGER afterUpdate;
    QueryPerformanceCounter(&afterUpdate);
    app.renderFrame(0);
    glFinish();
    LARGE_INTEGER afterRender;
    QueryPerformanceCounter(&afterRender);
    SwapBuffers(dc);
    LARGE_INTEGER afterSwap;
    QueryPerformanceCounter(&afterSwap);
    update += seconds(mark, afterUpdate, frequency);
    render += seconds(afterUpdate, afterRender, frequency);
    swap += seconds(afterRender, afterSwap, frequency);
  }
  QueryPerformanceCounter(&end);
  const double wall = seconds(start, end, frequency);
  const double cpu = cpuSeconds() - cpuStart;
  std::printf("%dx%d fps=%.1f cpu_ms_per_frame=%.2f\n", width, height, frames / wall, 1000.0 * cpu / frames);
  std::printf("  per frame: update %.3f ms, render %.2f ms, swap %.2f ms\n", 1000.0 * update / frames,
              1000.0 * render / frames, 1000.0 * swap / frames);

  SeaScene& sea = *app.scene();
  double layers[LayerCount] = {};
  double clear = 0;
  for (int i = 0; i < frames; ++i) {
    app.updateFrame();
    const SceneView view = app.sceneView(0);
    QueryPerformanceCounter(&mark);
    sea.beginView(view);
    glFinish();
    LARGE_INTEGER previous;
    QueryPerformanceCounter(&previous);
    clear += seconds(mark, previous, frequency);
    for (int l = 0; l < LayerCount; ++l) {
      sea.drawLayer(DrawOrder[l], view);
      glFinish();
      LARGE_INTEGER now;
      QueryPerformanceCounter(&now);
      layers[l] += seconds(previous, now, frequency);
      previous = now;
    }
    SwapBuffers(dc);
  }
  std::printf("  per layer (ms, each finished alone): clear %.2f", 1000.0 * clear / frames);
  for (int l = 0; l < LayerCount; ++l) {
    std::printf(", %s %.2f", layerName(DrawOrder[l]), 1000.0 * layers[l] / frames);
  }
  std::printf("\n");
  SceneView startPose = app.sceneView(0);
  LookAtCamera camera;
  camera.init(0.0f, 2.0f, -7.0f, 0.0f, 0.0f, 1.0f, 0.0f, 1.0f, 0.0f);
  startPose.camera = camera;
  printFragments(sea, startPose, "start pose");
  SceneView top = startPose;
  top.camera.tilt(-25.0f);
  printFragments(sea, top, "top");
  std::fflush(stdout);
  ReleaseDC(app.mainWindow(), dc);
  app.shutdown();
  DestroyWindow(host);
  MSG msg;
  while (PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
  }
}

}  // namespace

int main(int argc, char** argv) {
  const int frames = argc > 1 ? std::atoi(argv[1]) : 300;
  run(160, 120, frames);
  run(800, 600, frames);
  run(1920, 1080, frames);
  return 0;
}
