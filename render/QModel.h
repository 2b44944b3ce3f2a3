#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "render/SceneObject.h"
#include "world/Vector.h"

// A named frame range of a model; position is the current frame number with its fraction.
struct Animation {
  float position = 0.0f;
  int first = 0;
  int last = 0;
  std::string name;
};

// A vertex-animated triangle model from an .nlm (MD3 layout) file with named frame ranges,
// advanced by wall-clock time. Objects that share one model show the same frame.
class QModel {
 public:
  QModel();
  QModel(const QModel&) = delete;
  QModel& operator=(const QModel&) = delete;

  // A reload starts afresh: the previous frames and ranges are dropped first. A file that is
  // missing or malformed leaves the model empty.
  bool loadMD3(const char* path);
  bool loadMD3(const uint8_t* data, size_t size);
  void release();

  // first and last are clamped to the model's frames; an empty model stores 0-0, and a range
  // whose last frame lies before its first holds only its first frame.
  void addAnimation(int first, int last, const char* name);
  void playAnimation(const char* name);  // an unknown name changes nothing
  void setFrameRate(float framesPerSecond);
  float frameRate() const { return framesPerSecond_; }

  int currentFrame() const;      // integer part of the current range's position
  int currentLastFrame() const;  // last frame of the current range
  int nextFrame() const { return nextFrame_; }
  float fraction() const { return fraction_; }
  float animationPosition() const;
  const char* currentAnimation() const;

  int frameCount() const { return frameCount_; }
  int vertexCount() const { return vertexCount_; }
  int triangleCount() const { return triangleCount_; }
  // Position of vertex v in frame f, in scene axes.
  Vector3 vertex(int frame, int v) const;

  // Moves the current range on by the time since the last advance, looping within the range.
  void advance();
  // Draws the current frame, blended toward the next one when the object has Interpolate set;
  // texture coordinates go through the object.
  void draw(const SceneObject& object) const;

 private:
  int frameCount_ = 0;
  int vertexCount_ = 0;
  int triangleCount_ = 0;
  std::vector<Vector3> positions_;  // frameCount x vertexCount
  std::vector<float> texCoords_;    // vertexCount pairs
  std::vector<uint16_t> indices_;
  mutable std::vector<Vector3> blended_;  // the frame being drawn, between two stored frames
  std::vector<Animation> animations_;
  size_t current_ = 0;
  float framesPerSecond_ = 15.0f;
  float msPerFrame_ = 1000.0f / 15.0f;
  uint32_t lastTick_ = 0;
  int currentFrame_ = 0;
  int nextFrame_ = 0;
  float fraction_ = 0.0f;
};

// Places a QModel (shared, not owned) in the scene and draws its current frame.
class ModelObject : public SceneObject {
 public:
  void setModel(QModel* model) { model_ = model; }
  QModel* model() const { return model_; }

  void begin() override;
  void draw() override;
  void end() override;
  void releaseGeometry() override;

 private:
  QModel* model_ = nullptr;
};
