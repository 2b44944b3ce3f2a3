#pragma once
// Whether other programs play sound: the audio sessions of the default output device and their
// meters, looked at every 250 ms on a thread of its own, so that a frame only reads the answer.
#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <thread>

// One audio session as its meter shows it.
struct SessionLevel {
  uint32_t process;   // 0: several processes or none
  bool systemSounds;  // Windows' own notification sounds
  bool active;        // the session has a stream that plays
  float peak;         // 0 to 1, the loudest sample of the last period
};

// Another program's session is heard: an active session of another process, not Windows' own
// notification sounds (a short chime is no reason to fall silent), louder than -60 dB.
bool othersAudible(const SessionLevel* sessions, int count, uint32_t ownProcess);

// One look at the sessions. Windows' own sessions by default; a stand-in in tests, since Wine
// gives no sessions with meters.
class OtherSoundMeter {
 public:
  virtual ~OtherSoundMeter() = default;
  // Called on the watch's thread only, which has COM set up for it.
  virtual bool othersPlaying() = 0;
};

class OtherSoundWatch {
 public:
  static constexpr int LookEveryMs = 250;

  explicit OtherSoundWatch(OtherSoundMeter& meter);
  OtherSoundWatch(const OtherSoundWatch&) = delete;
  OtherSoundWatch& operator=(const OtherSoundWatch&) = delete;
  // Stops looking and waits for the thread.
  ~OtherSoundWatch();

  // The answer of the latest look; false before the first.
  bool othersPlaying() const { return playing_.load(std::memory_order_relaxed); }
  int looks() const { return looks_.load(std::memory_order_relaxed); }

 private:
  void watch();

  OtherSoundMeter& meter_;
  std::atomic<bool> playing_{false};
  std::atomic<int> looks_{0};
  std::mutex mutex_;
  std::condition_variable wake_;
  bool stopping_ = false;
  std::thread thread_;
};
