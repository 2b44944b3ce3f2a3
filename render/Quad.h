#pragma once
#include <vector>

#include "render/SceneObject.h"

// One textured rectangle in the object's x-y plane, centred on the object; the top edge of the
// picture (t = 0) is at +y. Blended over the scene, it draws only the parts of the rectangle where
// its picture has alpha: the rest would leave every pixel as it was.
class Quad : public SceneObject {
 public:
  void setSize(float width, float height);
  void setTextureExtent(float sMax, float tMax) {
    sMax_ = sMax;
    tMax_ = tMax;
  }
  // The picture spans the rectangle exactly once (no tiling, no offset).
  bool picturedOnce() const;
  float width() const { return width_; }
  float height() const { return height_; }

  void begin() override;
  void draw() override;
  void end() override;

 private:
  // The picture's cells that show, when only some do and the picture spans the rectangle once.
  bool trimmed() const;
  // The corners drawn, made again when the size, the extent or the picture change.
  struct Shape {
    const Texture* picture = nullptr;
    float width = 0.0f, height = 0.0f, sMax = 0.0f, tMax = 0.0f;
    bool trimmed = false;
    bool operator==(const Shape& other) const {
      return picture == other.picture && width == other.width && height == other.height && sMax == other.sMax &&
             tMax == other.tMax && trimmed == other.trimmed;
    }
  };
  void build();

  float width_ = 1.0f, height_ = 1.0f;
  float halfWidth_ = 0.5f, halfHeight_ = 0.5f;
  float sMax_ = 1.0f, tMax_ = 1.0f;
  std::vector<float> positions_, coords_;
  Shape builtFor_;
};
