// The intro video: a DirectShow graph whose video window lies over the menu window's client area.
#pragma once

#include <windows.h>

#include <string>

struct IGraphBuilder;
struct IMediaControl;
struct IVideoWindow;

namespace launcher {

class IntroVideo {
 public:
  IntroVideo() = default;
  ~IntroVideo() { stop(); }
  IntroVideo(const IntroVideo&) = delete;
  IntroVideo& operator=(const IntroVideo&) = delete;

  // Builds the graph for the file and runs it in the owner window; false when the file cannot be
  // played, leaving nothing behind.
  bool play(HWND owner, const std::string& path);
  // Keeps the video over the owner's whole client area.
  void place();
  // Stops and releases the graph.
  void stop();

 private:
  IGraphBuilder* graph_ = nullptr;
  IMediaControl* control_ = nullptr;
  IVideoWindow* window_ = nullptr;
  HWND owner_ = nullptr;
};

}  // namespace launcher
