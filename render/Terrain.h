#pragma once
#include <cstdint>
#include <vector>

#include "render/SceneObject.h"

// A height field from an 8-bit bitmap (the palette index is the height), kept as one triangle
// strip whose columns snake up and down. Built lazily on the first begin after a change. Only
// the part of each column that reaches into the view is sent, every column from its far end to
// its near one: without a depth buffer a slope facing away would otherwise paint over the slope
// in front of it.
class Terrain : public SceneObject {
 public:
  struct Vertex {
    float x, y, z;
    float s, t;
    float dx, dy, dz;  // added to the position when drawn
  };

  bool loadHeightMap(const char* path);
  // Takes width x height heights, row after row with the top row first.
  void setHeightMap(const uint8_t* heights, int width, int height);
  void setGridResolution(int n);
  void setHeightScale(float scale);
  void setSize(float x, float z);  // does not rebuild a mesh already built
  // Draws every step-th line of the grid only: 1 (all of them), 2 or 4; for small views, where the
  // grid's cells would be a few pixels wide.
  void setDetail(int step) { detail_ = step; }
  // Window rows [lowRow, highRow) that something opaque drawn later paints over from side to
  // side: cells that would land wholly within them are not sent. None when highRow <= lowRow.
  void hideRows(int lowRow, int highRow) {
    hiddenLow_ = lowRow;
    hiddenHigh_ = highRow;
  }
  static constexpr int CoarseSteps[] = {2, 4};

  void begin() override;
  void draw() override;
  void end() override;
  void releaseGeometry() override;

  int mapWidth() const { return mapWidth_; }
  int mapHeight() const { return mapHeight_; }
  int columns() const { return columns_; }
  int rows() const { return rows_; }
  float stepX() const { return stepX_; }
  float stepZ() const { return stepZ_; }
  float unitX() const { return unitX_; }
  float unitZ() const { return unitZ_; }
  int vertexCount() const { return static_cast<int>(vertices_.size()); }
  const Vertex* vertices() const { return vertices_.data(); }
  bool built() const { return built_; }
  void build();

  // The rectangle of the object's x-z plane that the built mesh covers without a gap, and two
  // heights that the mesh lies between there, ripple included: a ray that is inside the
  // rectangle at both heights passes through the mesh. False when nothing is built.
  struct Ground {
    float xMin, xMax, zMin, zMax, yBelow, yAbove;
  };
  bool ground(Ground& area) const;

  // How far the ripple may move a vertex up or down.
  static constexpr float MaxRipple = 0.03f;

 protected:
  // Moves vertex k up or down by dy from its height: the only change a drawn mesh sees.
  void setDisplacementY(size_t k, float dy) {
    vertices_[k].dy = dy;
    positions_[3 * k + 1] = vertices_[k].y + dy;
  }
  // Called whenever the vertex storage is reserved for a new grid, so subclasses can reserve
  // their own per-grid storage outside the frame path.
  virtual void gridReserved(int /*columns*/, int /*rows*/) {}

 private:
  // A coarser grid over the same vertices: its cells span step cells of the grid (the last ones
  // what is left), two triangles each, column after column.
  struct Coarse {
    int step = 0;
    int bands = 0;  // cells of a column
    std::vector<int> lineX, lineZ;
    std::vector<uint32_t> indices;
  };
  static constexpr int CoarseCount = sizeof(CoarseSteps) / sizeof(CoarseSteps[0]);

  int height(int x, int z) const;
  // The strip's vertex at grid line xi (0 to columns) and row j.
  int vertexAt(int xi, int j) const;
  void buildCoarse(Coarse& coarse) const;
  void drawCoarse(const Coarse& coarse);
  void computeSteps();
  void reserveVertices();
  Vertex makeVertex(float x, float z) const;

  int mapWidth_ = 0, mapHeight_ = 0;
  std::vector<uint8_t> heights_;
  float sizeX_ = 5.0f, sizeZ_ = 5.0f;
  float unitX_ = 1.0f, unitZ_ = 1.0f;
  int columns_ = 50, rows_ = 50;
  float stepX_ = 0.0f, stepZ_ = 0.0f;
  float heightScale_ = 0.001f;
  std::vector<Vertex> vertices_;
  std::vector<float> positions_;            // x, y, z of each vertex with its offsets added, as drawn
  std::vector<uint32_t> farToNear_;         // the strip's vertices, every column from its far end
  std::vector<int> runFirsts_, runCounts_;  // the visible part of each column, for drawing
  Coarse coarse_[CoarseCount];
  int detail_ = 1;
  int hiddenLow_ = 0, hiddenHigh_ = 0;
  bool built_ = false;
  float lowest_ = 0.0f, highest_ = 0.0f;  // vertex heights of the built mesh
};

// The sea floor: the terrain with a slow two-way sine ripple added to the vertex heights.
class RippleTerrain : public Terrain {
 public:
  // Moves the ripple on by frameTime ms, building the mesh first if needed; once per frame.
  void ripple(int frameTime);

 protected:
  void gridReserved(int columns, int rows) override;

 private:
  float phase1_ = 0.0f, phase2_ = 0.0f;
  std::vector<float> columnWave_, rowWave_;
};
