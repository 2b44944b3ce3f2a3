#pragma once
// Side-view shapes of the fish kinds, shared by their meshes, their skins and their dialog
// pictures. Coordinates are in body lengths: u runs from the nose (0) to the tail tip (1),
// z is the height above the body axis.

#include "Mesh.h"

#include <string>
#include <utility>
#include <vector>

// A piecewise linear function of u, defined between its first and last point.
class Profile {
 public:
  Profile() = default;
  Profile(std::initializer_list<std::pair<float, float>> points);
  bool covers(float u) const;
  float at(float u) const;  // clamped to the end values outside
  float first() const { return points_.front().first; }
  float last() const { return points_.back().first; }
  bool empty() const { return points_.empty(); }

 private:
  std::vector<std::pair<float, float>> points_;
};

struct FishShape {
  // Model units, nose to tail tip: with its scene scale, a length at which the kind's cruising
  // speed covers about one to one and a half body lengths a second, as real reef fish swim.
  float length = 1.0f;
  float tailBase = 0.8f;         // where the body ends and the tail fin begins
  Profile top, bottom;           // body outline
  Profile halfWidth;             // body thickness
  Profile dorsalHeight;          // fin height above the top outline
  Profile analDepth;             // fin depth below the bottom outline
  Profile caudalUp, caudalDown;  // tail fin edges, measured from the axis at the tail base
  Profile caudalNotch;           // half gap of a forked tail, from the same axis
  float pectoralU = 0.25f;       // where the side fins sit
  float pectoralSize = 0.08f;
  std::vector<std::pair<float, float>> filament;  // dorsal streamer (u, z), empty for most kinds
  float filamentWidth = 0.0f;
  float waveAmplitude = 0.07f;  // sideways tail swing, in body lengths
};

enum class FishRegion { Body, Dorsal, Anal, Caudal, Outside };

// Which part of the side view (u, z) lies on.
FishRegion fishRegion(const FishShape& shape, float u, float z);
// The axis height at u (the middle of the body outline).
float fishAxis(const FishShape& shape, float u);
// Vertical extent of the whole side view, fins and streamer included.
void fishExtent(const FishShape& shape, float& zMin, float& zMax);

// Skins map the side view onto the upper seven eighths of the picture; the bottom eighth holds
// flat colour swatches for parts that the side view cannot show.
constexpr float SwatchRow = 7.0f / 8.0f;
Vec2 fishUv(const FishShape& shape, float u, float z);
// Inverse of fishUv for the side-view part.
void fishBodyCoordinates(const FishShape& shape, float s, float t, float& u, float& z);
enum class FishSwatch { PectoralFin = 0, Filament = 1 };
Vec2 swatchUv(FishSwatch swatch);

FishShape silverfishShape();
FishShape reefFishShape();
FishShape moorishIdolShape();
FishShape yellowBlueShape();
FishShape predatorShape();
FishShape bigGreyShape();
FishShape bigRedShape();
