#include "launcher/IntroVideo.h"

#include <dshow.h>

#include <vector>

namespace launcher {

bool IntroVideo::play(HWND owner, const std::string& path) {
  stop();
  const int length = MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, nullptr, 0);
  if (length <= 0) return false;
  std::vector<wchar_t> widePath(static_cast<size_t>(length));
  MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, widePath.data(), length);

  if (FAILED(CoCreateInstance(CLSID_FilterGraph, nullptr, CLSCTX_INPROC_SERVER, IID_IGraphBuilder,
                              reinterpret_cast<void**>(&graph_))) ||
      FAILED(graph_->RenderFile(widePath.data(), nullptr)) ||
      FAILED(graph_->QueryInterface(IID_IMediaControl, reinterpret_cast<void**>(&control_))) ||
      FAILED(graph_->QueryInterface(IID_IVideoWindow, reinterpret_cast<void**>(&window_)))) {
    stop();
    return false;
  }
  owner_ = owner;
  window_->put_Owner(reinterpret_cast<OAHWND>(owner));
  window_->put_WindowStyle(WS_CHILD | WS_CLIPSIBLINGS);
  window_->put_MessageDrain(reinterpret_cast<OAHWND>(owner));
  place();
  if (FAILED(control_->Run())) {
    stop();
    return false;
  }
  return true;
}

void IntroVideo::place() {
  RECT client{};
  if (window_ != nullptr && GetClientRect(owner_, &client)) {
    window_->SetWindowPosition(0, 0, client.right, client.bottom);
  }
}

void IntroVideo::stop() {
  if (control_ != nullptr) control_->Stop();
  if (window_ != nullptr) {
    // The graph's window must let go of its owner before the graph goes.
    window_->put_Visible(OAFALSE);
    window_->put_Owner(0);
    window_->Release();
    window_ = nullptr;
  }
  if (control_ != nullptr) {
    control_->Release();
    control_ = nullptr;
  }
  if (graph_ != nullptr) {
    graph_->Release();
    graph_ = nullptr;
  }
}

}  // namespace launcher
