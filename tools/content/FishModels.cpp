#include "FishModels.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr float TwoPi = 6.2831853f;
constexpr int BodyStations = 16;
constexpr int RingSides = 12;
constexpr int FinStations = 8;

enum class Part { Body, PectoralTip, Filament };

struct VertexInfo {
  float u;
  Part part;
  float side;  // -1 or +1 for the pectoral fins
};

class FishBuilder {
 public:
  explicit FishBuilder(const FishShape& shape) : shape_(shape) {}

  int vertex(float u, float x, float z, Part part = Part::Body, float side = 0.0f) {
    info_.push_back(VertexInfo{u, part, side});
    return model_.mesh.addVertex(Vec3{x * shape_.length, (0.5f - u) * shape_.length, z * shape_.length},
                                 fishUv(shape_, u, z));
  }

  int swatchVertex(float u, float x, float z, FishSwatch swatch, Part part, float side = 0.0f) {
    info_.push_back(VertexInfo{u, part, side});
    return model_.mesh.addVertex(Vec3{x * shape_.length, (0.5f - u) * shape_.length, z * shape_.length},
                                 swatchUv(swatch));
  }

  void body() {
    const float nose = 0.015f;
    std::vector<std::vector<int>> rings;
    for (int i = 0; i < BodyStations; ++i) {
      float k = static_cast<float>(i) / (BodyStations - 1);
      float u = nose + (shape_.tailBase - nose) * std::pow(k, 1.15f);
      float top = shape_.top.at(u), bottom = shape_.bottom.at(u);
      float axis = 0.5f * (top + bottom), half = 0.5f * (top - bottom);
      float width = std::max(shape_.halfWidth.at(u), 0.002f);
      std::vector<int> ring;
      for (int j = 0; j < RingSides; ++j) {
        float angle = TwoPi * j / RingSides;
        // A lens rather than an ellipse: fish are thin at the back and belly.
        float c = std::cos(angle), s = std::sin(angle);
        ring.push_back(vertex(u, width * c * (1.0f - 0.25f * s * s), axis + half * s));
      }
      ring.push_back(ring.front());
      rings.push_back(ring);
    }
    int noseVertex = vertex(0.0f, 0.0f, fishAxis(shape_, 0.0f));
    for (int j = 0; j < RingSides; ++j) model_.mesh.addTriangle(noseVertex, rings.front()[j + 1], rings.front()[j]);
    for (size_t i = 0; i + 1 < rings.size(); ++i) model_.mesh.addStrip(rings[i], rings[i + 1]);
    int tailVertex = vertex(shape_.tailBase, 0.0f, fishAxis(shape_, shape_.tailBase));
    for (int j = 0; j < RingSides; ++j) model_.mesh.addTriangle(tailVertex, rings.back()[j], rings.back()[j + 1]);
  }

  // A membrane in the middle plane between two edges given as functions of u.
  template <typename Inner, typename Outer>
  void membrane(float first, float last, Inner inner, Outer outer) {
    std::vector<int> innerRow, outerRow;
    for (int i = 0; i < FinStations; ++i) {
      float u = first + (last - first) * i / (FinStations - 1);
      innerRow.push_back(vertex(u, 0.0f, inner(u)));
      outerRow.push_back(vertex(u, 0.0f, outer(u)));
    }
    model_.mesh.addStrip(innerRow, outerRow);
  }

  void fins() {
    const FishShape& s = shape_;
    if (!s.dorsalHeight.empty()) {
      membrane(
          s.dorsalHeight.first(), s.dorsalHeight.last(), [&](float u) { return s.top.at(u) - 0.005f; },
          [&](float u) { return s.top.at(u) + s.dorsalHeight.at(u); });
    }
    if (!s.analDepth.empty()) {
      membrane(
          s.analDepth.first(), s.analDepth.last(), [&](float u) { return s.bottom.at(u) + 0.005f; },
          [&](float u) { return s.bottom.at(u) - s.analDepth.at(u); });
    }
    float axis = fishAxis(s, s.tailBase);
    auto notch = [&](float u) { return s.caudalNotch.covers(u) ? s.caudalNotch.at(u) : 0.0f; };
    membrane(
        s.caudalUp.first(), s.caudalUp.last(), [&](float u) { return axis + notch(u); },
        [&](float u) { return axis + s.caudalUp.at(u); });
    membrane(
        s.caudalDown.first(), s.caudalDown.last(), [&](float u) { return axis - s.caudalDown.at(u); },
        [&](float u) { return axis - notch(u); });

    float u = s.pectoralU, size = s.pectoralSize;
    float z = fishAxis(s, u) - 0.25f * (s.top.at(u) - s.bottom.at(u)) * 0.5f;
    float width = s.halfWidth.at(u);
    for (float side : {-1.0f, 1.0f}) {
      int front = swatchVertex(u, side * width * 0.9f, z + 0.02f, FishSwatch::PectoralFin, Part::Body);
      int back = swatchVertex(u + size * 0.35f, side * width * 0.9f, z - 0.01f, FishSwatch::PectoralFin, Part::Body);
      int tip = swatchVertex(u + size, side * (width + size * 0.55f), z - size * 0.25f, FishSwatch::PectoralFin,
                             Part::PectoralTip, side);
      int tipUpper = swatchVertex(u + size * 0.8f, side * (width + size * 0.5f), z + size * 0.1f,
                                  FishSwatch::PectoralFin, Part::PectoralTip, side);
      model_.mesh.addQuad(front, tipUpper, tip, back);
    }

    if (!s.filament.empty()) {
      std::vector<int> upper, lower;
      for (const auto& [fu, fz] : s.filament) {
        upper.push_back(swatchVertex(fu, 0.0f, fz + s.filamentWidth * 0.5f, FishSwatch::Filament, Part::Filament));
        lower.push_back(swatchVertex(fu, 0.0f, fz - s.filamentWidth * 0.5f, FishSwatch::Filament, Part::Filament));
      }
      model_.mesh.addStrip(upper, lower);
    }
  }

  void animate(const std::vector<SwimSegment>& segments) {
    const std::vector<Vec3>& base = model_.mesh.positions();
    for (const SwimSegment& segment : segments) {
      for (int f = 0; f < segment.frames; ++f) {
        float phase = TwoPi * f / segment.frames;
        float amplitude = shape_.waveAmplitude * segment.amplitudeScale * shape_.length;
        std::vector<Vec3> frame = base;
        for (size_t v = 0; v < frame.size(); ++v) {
          const VertexInfo& info = info_[v];
          float reach = std::max(0.0f, (info.u - 0.2f) / 0.8f);
          float envelope = 0.1f + 0.9f * std::pow(reach, 1.7f);
          // The wave runs from head to tail a little slower than one body length per beat.
          frame[v].x += amplitude * envelope * std::sin(phase - TwoPi * 0.9f * info.u);
          if (info.part == Part::PectoralTip) {
            frame[v].x += info.side * 0.35f * shape_.pectoralSize * shape_.length * std::sin(phase + 1.0f);
          }
          if (info.part == Part::Filament) {
            float trail = std::max(0.0f, (info.u - 0.3f) / 0.7f);
            frame[v].z += 0.03f * shape_.length * trail * std::sin(phase - TwoPi * info.u);
          }
        }
        model_.frames.push_back(frame);
      }
    }
  }

  AnimatedModel take() { return std::move(model_); }

 private:
  const FishShape& shape_;
  AnimatedModel model_;
  std::vector<VertexInfo> info_;
};

}  // namespace

AnimatedModel buildFishModel(const FishShape& shape, const std::vector<SwimSegment>& segments) {
  FishBuilder builder(shape);
  builder.body();
  builder.fins();
  builder.animate(segments);
  return builder.take();
}
