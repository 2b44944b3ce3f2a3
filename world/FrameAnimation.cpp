#include "world/FrameAnimation.h"

#include <cmath>

void FrameAnimation::addRange(int first, int last, const char* name, int frameCount) {
  const int top = frameCount > 0 ? frameCount - 1 : 0;
  AnimationRange range;
  range.first = first < 0 ? 0 : (first > top ? top : first);
  range.last = last < 0 ? 0 : (last > top ? top : last);
  // A reversed range would make the loop in advance run forever.
  if (range.last < range.first) range.last = range.first;
  range.position = static_cast<float>(range.first);
  range.name = name ? name : "";
  ranges_.push_back(std::move(range));
}

void FrameAnimation::play(const char* name) {
  if (!name) return;
  for (size_t i = 0; i < ranges_.size(); ++i) {
    if (ranges_[i].name == name) {
      current_ = i;
      ranges_[i].position = static_cast<float>(ranges_[i].first);
      return;
    }
  }
}

void FrameAnimation::setFrameRate(float framesPerSecond) {
  framesPerSecond_ = framesPerSecond;
  msPerFrame_ = 1000.0f / framesPerSecond;
}

void FrameAnimation::clear() {
  ranges_ = {};
  current_ = 0;
  currentFrame_ = nextFrame_ = 0;
  fraction_ = 0.0f;
}

int FrameAnimation::currentFrame() const { return ranges_.empty() ? 0 : static_cast<int>(ranges_[current_].position); }

int FrameAnimation::currentLastFrame() const { return ranges_.empty() ? 0 : ranges_[current_].last; }

float FrameAnimation::position() const { return ranges_.empty() ? 0.0f : ranges_[current_].position; }

const char* FrameAnimation::currentName() const { return ranges_.empty() ? "" : ranges_[current_].name.c_str(); }

void FrameAnimation::advance(int frameTime) {
  if (ranges_.empty()) return;
  AnimationRange& range = ranges_[current_];
  range.position += static_cast<float>(frameTime) / msPerFrame_;
  const float first = static_cast<float>(range.first);
  const float end = static_cast<float>(range.last + 1);
  if (!(range.position >= first && range.position < end)) {
    // The range loops. fmod instead of repeated subtraction: after a long pause the position
    // can be so large that subtracting one span no longer changes it.
    const float span = end - first;
    if (!std::isfinite(range.position)) {
      range.position = first;
    } else {
      float offset = std::fmod(range.position - first, span);
      if (offset < 0.0f) offset += span;
      range.position = first + offset;
      if (!(range.position < end)) range.position = first;
    }
  }
  currentFrame_ = static_cast<int>(range.position);
  fraction_ = range.position - static_cast<float>(currentFrame_);
  nextFrame_ = currentFrame_ + 1 > range.last ? range.first : currentFrame_ + 1;
}
