#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

struct Mix_Chunk;

// Mix_LoadWAV for bytes that passed wavLooksSound; nullptr otherwise. Needs the mixer open.
Mix_Chunk* loadCheckedWav(const uint8_t* data, size_t size);

// The mixer's loudness for a volume in percent (100: full loudness, where samples pass unchanged)
// and a share of it from 0 to 1.
int mixerVolume(int percent, float share);

// A thin wrapper over SDL_mixer: one endless background loop and numbered effects, each played on
// the first free mixer channel at one volume. Failures only print a line.
class SoundPlayer {
 public:
  static constexpr int MaxVolume = 128;  // MIX_MAX_VOLUME, the mixer's default

  SoundPlayer() = default;
  SoundPlayer(const SoundPlayer&) = delete;
  SoundPlayer& operator=(const SoundPlayer&) = delete;
  ~SoundPlayer();

  // Opens the audio device; on success the obtained format replaces the requested one.
  bool open();
  void loadLoop(const char* path);
  void playLoop();
  void loadEffect(const char* path, int id);
  void playEffect(int id, int loops);
  // The loudness of the loop and the effects, 0 to MaxVolume; kept while the device is closed and
  // set again whenever it opens.
  void setVolume(int volume);
  int volume() const { return volume_; }
  // While the display sleeps: closes the audio device, keeping the sounds (an open device streams
  // silence and keeps the machine awake); wake opens it again and starts the loop if it played.
  void sleep();
  void wake();
  // Stops everything, frees every chunk and closes the device.
  void close();

  int frequency() const { return frequency_; }
  uint16_t format() const { return format_; }
  int channels() const { return channels_; }
  int effectCount() const { return static_cast<int>(effects_.size()); }

 private:
  struct SoundEffect {
    int id;
    Mix_Chunk* chunk;
  };

  int frequency_ = 22050;
  uint16_t format_ = 0x8010;  // AUDIO_S16LSB
  int channels_ = 2;
  int chunkSize_ = 4096;
  bool opened_ = false;
  bool asleep_ = false;
  bool loopPlaying_ = false;
  int volume_ = MaxVolume;
  Mix_Chunk* loopChunk_ = nullptr;
  std::vector<SoundEffect> effects_;
};
