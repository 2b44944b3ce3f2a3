#pragma once
#include <cstddef>
#include <string>
#include <vector>

// A named frame range of an animated model; position is the current frame number with its
// fraction.
struct AnimationRange {
  float position = 0.0f;
  int first = 0;
  int last = 0;
  std::string name;
};

// Which frame of an animated model shows: named frame ranges, the current one and its position,
// moved on by the frame time at a frame rate. Every creature of one model kind shares one, so
// they all show the same frame; the creatures set its rate and switch its range, the scene
// advances it and draws the model from it.
class FrameAnimation {
 public:
  // first and last are clamped to a model of frameCount frames; an empty model stores 0-0, and a
  // range whose last frame lies before its first holds only its first frame.
  void addRange(int first, int last, const char* name, int frameCount);
  void play(const char* name);  // an unknown name changes nothing
  void setFrameRate(float framesPerSecond);
  float frameRate() const { return framesPerSecond_; }
  // Drops every range.
  void clear();

  bool hasRanges() const { return !ranges_.empty(); }
  int currentFrame() const;      // integer part of the current range's position
  int currentLastFrame() const;  // last frame of the current range
  // What the last advance chose to show: a frame, the one after it and the blend weight of that.
  int shownFrame() const { return currentFrame_; }
  int nextFrame() const { return nextFrame_; }
  float fraction() const { return fraction_; }
  float position() const;
  const char* currentName() const;

  // Moves the current range on by frameTime ms, looping within the range.
  void advance(int frameTime);

 private:
  std::vector<AnimationRange> ranges_;
  size_t current_ = 0;
  float framesPerSecond_ = 15.0f;
  float msPerFrame_ = 1000.0f / 15.0f;
  int currentFrame_ = 0;
  int nextFrame_ = 0;
  float fraction_ = 0.0f;
};
