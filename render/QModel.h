#pragma once
#include <cstdint>
#include <vector>

#include "render/SceneObject.h"
#include "world/FrameAnimation.h"
#include "world/Vector.h"

// A vertex-animated triangle model from an .nlm (MD3 layout) file with its frame animation
// (named ranges advanced by the frame time). Objects that share one model show the same frame.
class QModel {
 public:
  QModel() = default;
  QModel(const QModel&) = delete;
  QModel& operator=(const QModel&) = delete;

  // A reload starts afresh: the previous frames and ranges are dropped first. A file that is
  // missing or malformed leaves the model empty.
  bool loadMD3(const char* path);
  bool loadMD3(const uint8_t* data, size_t size);
  void release();

  // The ranges of this model's frames; creatures set its rate and switch its range.
  FrameAnimation& animation() { return animation_; }
  const FrameAnimation& animation() const { return animation_; }
  void addAnimation(int first, int last, const char* name) { animation_.addRange(first, last, name, frameCount_); }
  void playAnimation(const char* name) { animation_.play(name); }
  void setFrameRate(float framesPerSecond) { animation_.setFrameRate(framesPerSecond); }
  float frameRate() const { return animation_.frameRate(); }
  int currentFrame() const { return animation_.currentFrame(); }
  int currentLastFrame() const { return animation_.currentLastFrame(); }
  int nextFrame() const { return animation_.nextFrame(); }
  float fraction() const { return animation_.fraction(); }
  float animationPosition() const { return animation_.position(); }
  const char* currentAnimation() const { return animation_.currentName(); }

  int frameCount() const { return frameCount_; }
  int vertexCount() const { return vertexCount_; }
  int triangleCount() const { return triangleCount_; }
  // The distance of the farthest vertex of any frame from the model's origin.
  float radius() const { return radius_; }
  // The box around every vertex of every frame.
  const Vector3& boundsLow() const { return boundsLow_; }
  const Vector3& boundsHigh() const { return boundsHigh_; }
  // Triangles drawn when the model spans that many pixels across: all of them down to
  // FullDetailPixels, fewer below, its vertices merged within cells of CellPixels at most.
  int trianglesAt(float pixelsAcross) const;
  static constexpr float CellPixels = 2.0f;
  static constexpr float FullDetailPixels = 64.0f;
  // Position of vertex v in frame f, in scene axes.
  Vector3 vertex(int frame, int v) const;

  // Moves the frames on by frameTime ms; once per frame, whoever draws the model.
  void advance(int frameTime) { animation_.advance(frameTime); }
  // Draws the current frame, blended toward the next one when the object has Interpolate set;
  // texture coordinates go through the object. Each blend of two frames at one fraction is made
  // once, however many objects draw the model at it.
  void draw(const SceneObject& object, float pixelsAcross) const;

 private:
  int frameCount_ = 0;
  int vertexCount_ = 0;
  int triangleCount_ = 0;
  std::vector<Vector3> positions_;  // frameCount x vertexCount
  std::vector<float> texCoords_;    // vertexCount pairs
  std::vector<uint16_t> indices_;
  // Coarser versions of the triangles, vertices merged within cells of a grid over the model of
  // LodGrids[i] cells a side.
  static constexpr int LodLevels = 4;
  static constexpr int LodGrids[LodLevels] = {4, 8, 16, 32};
  std::vector<uint16_t> lodIndices_[LodLevels];
  void buildLevels();
  const std::vector<uint16_t>& indicesAt(float pixelsAcross) const;
  // The frame being drawn, between two stored frames, and which blend it holds.
  mutable std::vector<Vector3> blended_;
  mutable bool blendValid_ = false;
  mutable int blendedFrom_ = 0, blendedTo_ = 0;
  mutable float blendedFraction_ = 0.0f;
  FrameAnimation animation_;
  float radius_ = 0.0f;
  Vector3 boundsLow_, boundsHigh_;
};

// Places a QModel (shared, not owned) in the scene and draws its current frame; nothing is sent
// when the model lies wholly outside the view.
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
