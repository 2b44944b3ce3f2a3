#pragma once
#include <cstdint>
#include <vector>

#include "render/SceneObject.h"

// The cloudy sky: a paraboloid cap drawn lifted by its inner radius, turning slowly about the
// vertical axis, with lighting off.
class SkyDome : public SceneObject {
 public:
  struct Vertex {
    float x, y, z;
    float s, t;
  };

  // Shape 1 is the paraboloid. Any other shape leaves the sky empty. Setting the current shape
  // again does not rebuild.
  static constexpr int Paraboloid = 1;

  void setShape(int shape);
  int shape() const { return shape_; }
  void setTurnSpeed(float degreesPerSecond) { turnSpeed_ = degreesPerSecond; }
  // Turns on by frameTime ms of its turning speed; once per frame.
  void turn(int frameTime);

  void begin() override;
  void draw() override;
  void end() override;
  void releaseGeometry() override;

  const std::vector<Vertex>& vertices() const { return vertices_; }
  const std::vector<uint16_t>& indices() const { return indices_; }
  float lift() const { return lift_; }

 private:
  void buildParaboloid();

  int shape_ = -1;
  int divisions_ = 16;
  float innerRadius_ = 500.0f;
  float outerRadius_ = 900.0f;
  float repeatS_ = 1.0f, repeatT_ = 1.0f;
  float lift_ = 0.0f;
  float turnSpeed_ = 0.0f;
  std::vector<Vertex> vertices_;
  std::vector<uint16_t> indices_;
};
