#include "ModelPainter.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

constexpr int Supersample = 3;

struct Projected {
  float x, y, depth;
};

void bounds(const AnimatedModel& model, int frame, const ViewAxes& view, float& minX, float& maxX, float& minY,
            float& maxY) {
  minX = minY = std::numeric_limits<float>::max();
  maxX = maxY = -std::numeric_limits<float>::max();
  for (const Vec3& p : model.frames[frame]) {
    float x = dot(p, view.right), y = dot(p, view.up);
    minX = std::min(minX, x);
    maxX = std::max(maxX, x);
    minY = std::min(minY, y);
    maxY = std::max(maxY, y);
  }
}

}  // namespace

ViewAxes fishSideView() { return ViewAxes{Vec3{0, -1, 0}, Vec3{0, 0, 1}, Vec3{1, 0, 0}}; }

ViewAxes topView() { return ViewAxes{Vec3{1, 0, 0}, Vec3{0, 1, 0}, Vec3{0, 0, 1}}; }

float fitScale(const AnimatedModel& model, int frame, const ViewAxes& view, float width, float height) {
  float minX, maxX, minY, maxY;
  bounds(model, frame, view, minX, maxX, minY, maxY);
  return std::min(width / std::max(maxX - minX, 1e-3f), height / std::max(maxY - minY, 1e-3f));
}

void paintModel(Image& target, const AnimatedModel& model, int frame, const Image& skin, const ViewAxes& view,
                float centreX, float centreY, float scale) {
  float minX, maxX, minY, maxY;
  bounds(model, frame, view, minX, maxX, minY, maxY);
  const float midX = 0.5f * (minX + maxX), midY = 0.5f * (minY + maxY);
  const int width = target.width() * Supersample, height = target.height() * Supersample;
  std::vector<float> depth(static_cast<size_t>(width) * height, -std::numeric_limits<float>::max());
  std::vector<Rgba> colour(depth.size(), Rgba{0, 0, 0, 0});

  std::vector<Projected> points;
  for (const Vec3& p : model.frames[frame]) {
    float x = (centreX + (dot(p, view.right) - midX) * scale) * Supersample;
    float y = (centreY - (dot(p, view.up) - midY) * scale) * Supersample;
    points.push_back(Projected{x, y, dot(p, view.toward)});
  }
  const std::vector<Vec2>& uvs = model.mesh.uvs();
  for (const auto& tri : model.mesh.triangles()) {
    const Projected& a = points[tri[0]];
    const Projected& b = points[tri[1]];
    const Projected& c = points[tri[2]];
    float area = (b.x - a.x) * (c.y - a.y) - (c.x - a.x) * (b.y - a.y);
    if (std::fabs(area) < 1e-6f) continue;
    int x0 = std::max(0, static_cast<int>(std::floor(std::min({a.x, b.x, c.x}))));
    int x1 = std::min(width - 1, static_cast<int>(std::ceil(std::max({a.x, b.x, c.x}))));
    int y0 = std::max(0, static_cast<int>(std::floor(std::min({a.y, b.y, c.y}))));
    int y1 = std::min(height - 1, static_cast<int>(std::ceil(std::max({a.y, b.y, c.y}))));
    for (int y = y0; y <= y1; ++y) {
      for (int x = x0; x <= x1; ++x) {
        float px = x + 0.5f, py = y + 0.5f;
        float wa = ((b.x - px) * (c.y - py) - (c.x - px) * (b.y - py)) / area;
        float wb = ((c.x - px) * (a.y - py) - (a.x - px) * (c.y - py)) / area;
        float wc = 1.0f - wa - wb;
        if (wa < 0 || wb < 0 || wc < 0) continue;
        float d = wa * a.depth + wb * b.depth + wc * c.depth;
        size_t index = static_cast<size_t>(y) * width + x;
        if (d <= depth[index]) continue;
        depth[index] = d;
        const Vec2& ta = uvs[tri[0]];
        const Vec2& tb = uvs[tri[1]];
        const Vec2& tc = uvs[tri[2]];
        colour[index] = skin.sampleWrap(wa * ta.s + wb * tb.s + wc * tc.s, wa * ta.t + wb * tb.t + wc * tc.t);
        colour[index].a = 1.0f;
      }
    }
  }
  for (int y = 0; y < target.height(); ++y) {
    for (int x = 0; x < target.width(); ++x) {
      Rgba sum{0, 0, 0, 0};
      for (int sy = 0; sy < Supersample; ++sy) {
        for (int sx = 0; sx < Supersample; ++sx) {
          const Rgba& c = colour[static_cast<size_t>(y * Supersample + sy) * width + x * Supersample + sx];
          sum.r += c.r * c.a;
          sum.g += c.g * c.a;
          sum.b += c.b * c.a;
          sum.a += c.a;
        }
      }
      if (sum.a <= 0.0f) continue;
      Rgba average{sum.r / sum.a, sum.g / sum.a, sum.b / sum.a, 1.0f};
      target.at(x, y) = overColor(target.at(x, y), average, sum.a / (Supersample * Supersample));
    }
  }
}
