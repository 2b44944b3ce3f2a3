#include "scene/OtherSound.h"

#include <windows.h>
#include <objbase.h>

#include <chrono>

namespace {

constexpr float AudiblePeak = 0.001f;  // -60 dB

}  // namespace

bool othersAudible(const SessionLevel* sessions, int count, uint32_t ownProcess) {
  for (int i = 0; i < count; ++i) {
    const SessionLevel& session = sessions[i];
    if (session.process == ownProcess || session.systemSounds || !session.active) continue;
    if (session.peak > AudiblePeak) return true;
  }
  return false;
}

OtherSoundWatch::OtherSoundWatch(OtherSoundMeter& meter) : meter_(meter), thread_(&OtherSoundWatch::watch, this) {}

OtherSoundWatch::~OtherSoundWatch() {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    stopping_ = true;
  }
  wake_.notify_all();
  thread_.join();
}

void OtherSoundWatch::watch() {
  // Like the frame loop, the looks must never compete with the user's programs.
  SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_IDLE);
  const bool com = SUCCEEDED(CoInitializeEx(nullptr, COINIT_MULTITHREADED));
  std::unique_lock<std::mutex> lock(mutex_);
  while (!stopping_) {
    lock.unlock();
    playing_.store(meter_.othersPlaying(), std::memory_order_relaxed);
    looks_.fetch_add(1, std::memory_order_relaxed);
    lock.lock();
    wake_.wait_for(lock, std::chrono::milliseconds(LookEveryMs), [this] { return stopping_; });
  }
  lock.unlock();
  if (com) CoUninitialize();
}
