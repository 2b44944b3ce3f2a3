#include "world/SoundPlayer.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include <climits>
#include <cstdint>
#include <cstdio>
#include <vector>

#include "world/FileBytes.h"
#include "world/MediaChecks.h"

Mix_Chunk* loadCheckedWav(const uint8_t* data, size_t size) {
  if (size > INT_MAX || !wavLooksSound(data, size)) return nullptr;
  // The mixer converts the samples into a buffer of its own, so the bytes may go afterwards.
  SDL_RWops* stream = SDL_RWFromConstMem(data, static_cast<int>(size));
  return stream ? Mix_LoadWAV_RW(stream, 1) : nullptr;
}

int mixerVolume(int percent, float share) {
  const float volume = static_cast<float>(percent) * share * SoundPlayer::MaxVolume / 100.0f;
  if (volume <= 0.0f) return 0;
  return volume >= SoundPlayer::MaxVolume ? SoundPlayer::MaxVolume : static_cast<int>(volume + 0.5f);
}

namespace {

Mix_Chunk* loadChunk(const char* path) {
  std::vector<uint8_t> bytes;
  return readFileBytes(path, bytes) ? loadCheckedWav(bytes.data(), bytes.size()) : nullptr;
}

}  // namespace

SoundPlayer::~SoundPlayer() {
  if (opened_ || loopChunk_ || !effects_.empty()) close();
}

bool SoundPlayer::open() {
  if (Mix_OpenAudio(frequency_, format_, channels_, chunkSize_) != 0) return false;
  opened_ = true;
  Mix_QuerySpec(&frequency_, &format_, &channels_);
  // A device opened anew has its channels at full loudness.
  Mix_Volume(-1, volume_);
  Mix_VolumeMusic(volume_);
  return true;
}

void SoundPlayer::loadLoop(const char* path) {
  if (loopChunk_) Mix_FreeChunk(loopChunk_);
  loopChunk_ = loadChunk(path);
  if (!loopChunk_) std::printf("musicchunk == 0\n");
}

void SoundPlayer::playLoop() {
  if (!loopChunk_) {
    std::printf("mussicchunk == 0 (playMusic)\n");
    return;
  }
  loopPlaying_ = true;
  // The mixer's channels exist only while its device is open.
  if (opened_) Mix_PlayChannelTimed(-1, loopChunk_, -1, -1);
}

void SoundPlayer::loadEffect(const char* path, int id) {
  Mix_Chunk* chunk = loadChunk(path);
  if (!chunk) {
    std::printf("sc.chunk == NULL\n");
    return;
  }
  effects_.push_back(SoundEffect{id, chunk});
}

void SoundPlayer::playEffect(int id, int loops) {
  if (!opened_) return;
  for (const SoundEffect& effect : effects_) {
    if (effect.id == id) {
      Mix_PlayChannelTimed(-1, effect.chunk, loops, -1);
      return;
    }
  }
}

void SoundPlayer::setVolume(int volume) {
  volume = volume < 0 ? 0 : volume > MaxVolume ? MaxVolume : volume;
  if (volume == volume_) return;
  volume_ = volume;
  // The mixer's channels exist only while its device is open.
  if (!opened_) return;
  Mix_Volume(-1, volume_);
  Mix_VolumeMusic(volume_);
}

void SoundPlayer::sleep() {
  if (!opened_) return;
  Mix_HaltChannel(-1);
  Mix_CloseAudio();
  opened_ = false;
  asleep_ = true;
}

void SoundPlayer::wake() {
  if (!asleep_) return;
  asleep_ = false;
  // The same format as before, so the chunks converted for it still fit.
  if (open() && loopPlaying_ && loopChunk_) Mix_PlayChannelTimed(-1, loopChunk_, -1, -1);
}

void SoundPlayer::close() {
  // After the mixer has once been closed, halting channels on a device that is not open walks
  // the mixer's freed channel table, so the halts happen only while this player holds the device.
  if (opened_) {
    Mix_HaltMusic();
    Mix_HaltChannel(-1);
  }
  if (loopChunk_) {
    Mix_FreeChunk(loopChunk_);
    loopChunk_ = nullptr;
  }
  for (const SoundEffect& effect : effects_) Mix_FreeChunk(effect.chunk);
  std::vector<SoundEffect>().swap(effects_);
  // The mixer counts its openings: only the one this player made is undone.
  if (opened_) {
    Mix_CloseAudio();
    opened_ = false;
  }
  asleep_ = false;
  loopPlaying_ = false;
}
