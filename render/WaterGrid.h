#pragma once
#include <cstdint>
#include <vector>

#include "render/SceneObject.h"
#include "world/Matrix.h"

// The water surface: a flat grid in the object's x-y plane whose heights (z) follow two crossing
// sine waves. The scene turns it to lie flat.
//   WaterGrid.cpp      the grid, its waves and its drawing
//   WaterSunlight.cpp  the water and the sunlight on it in one pass
class WaterGrid : public SceneObject {
 public:
  // The sunlight over the water: a blended card a little above it, its glints (a picture tiled
  // glintScale times, unit 1 of the card) over a blend map (unit 0, once), as the eye sees the
  // card through the water. Drawn in the water's own pass it paints each pixel once, not twice.
  struct Sunlight {
    Texture* glints;
    float glintScale;
    Texture* blendMap;            // clamped to a clear border: no light beyond the card
    Texture* premultipliedWater;  // the water's picture, colours times alpha, at its offset
    Matrix4x4 card;               // the card's placement (its x-y plane, picture top at +y)
    float cardWidth, cardHeight;
    Vector3 eye;  // OpenGL's form
  };
  // Whether the driver can fold the sunlight into the water's pass: three units that combine.
  static bool canFoldSunlight();
  // The water with the sunlight of the card over it, one blended pass that gives what the water
  // and then the card, each blended over what is there, would give. With a copy: that copy of the
  // water (its transform applied before the water's own placement) under the same copy of the card.
  void renderSunlit(const Sunlight& light, const Matrix4x4* copy = nullptr);

  struct Vertex {
    float x, y, z;
    float s, t;
  };

  // Replaces any previous grid; the texture list is kept. Fewer than one cell per side gives an
  // empty grid.
  void build(float width, float depth, int columns, int rows);
  void setTextureRepeat(float repeat) { textureRepeat_ = repeat; }
  // Draws every step-th line of the grid only: 1 (all of them), 2 or 4; for small views.
  void setDetail(int step) { detail_ = step; }
  static constexpr int CoarseSteps[] = {2, 4};
  // Moves the waves on by frameTime ms; once per frame, before drawing.
  void animate(int frameTime);

  void begin() override;
  void draw() override;
  void end() override;
  void releaseGeometry() override;

  int columns() const { return columns_; }
  int rows() const { return rows_; }
  // Vertex (i, j), i along x (0..columns), j along y (0..rows).
  const Vertex& vertex(int i, int j) const { return vertices_[static_cast<size_t>(i) * (rows_ + 1) + j]; }
  float phase1() const { return phase1_; }
  float phase2() const { return phase2_; }

 private:
  int columns_ = 0, rows_ = 0;
  std::vector<Vertex> vertices_;
  std::vector<uint32_t> quadCorners_;  // four vertex indices per cell, in drawing order
  static constexpr int CoarseCount = sizeof(CoarseSteps) / sizeof(CoarseSteps[0]);
  // The same for cells of step x step cells (the last ones what is left), per coarse step.
  std::vector<uint32_t> coarseCorners_[CoarseCount];
  // The four corners of each cell drawn at the current detail.
  const std::vector<uint32_t>& cellCorners() const;
  // Whether the grid, its waves included, lies wholly outside the view of the current matrices:
  // a view turned to the side has copies of it all around, most of them out of sight.
  bool outOfView() const;
  static constexpr float WaveHeight = 0.035f;  // of each of the two waves
  // Where the eye sees the sunlight card through each vertex: the card's (s, t) there.
  void findCardCoords(const Sunlight& light, const Matrix4x4& placed);
  std::vector<float> cardCoords_;
  int detail_ = 1;
  std::vector<float> columnWave_, rowWave_;  // the two sine terms, shared by a column or row
  float textureRepeat_ = 1.0f;
  float phase1_ = 0.0f, phase2_ = 0.0f;
};
