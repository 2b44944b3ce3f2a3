#include "FlyerModels.h"

#include "Noise.h"

#include <cmath>

namespace {

constexpr float TwoPi = 6.2831853f;
constexpr float DegreesToRadians = 0.017453293f;

// Manta in model units (scene size / 0.07).
constexpr float MantaSpan = 43.0f;
constexpr float MantaLength = 22.0f;  // head to the back of the wings
constexpr float MantaTail = 16.0f;
constexpr float MantaPictureFront = 0.62f * MantaLength;
constexpr float MantaPictureBack = -0.62f * MantaLength;

// Leading and trailing edge of the wing at spanwise position |a| in [0, 1].
float mantaFront(float a) { return MantaLength * (0.5f - 0.55f * std::pow(a, 1.6f)); }

float mantaBack(float a) { return MantaLength * (-0.5f + 0.45f * std::pow(a, 0.75f)); }

Vec2 mantaUv(float x, float y, bool belly) {
  float s = 0.5f * (x / MantaSpan + 0.5f) + (belly ? 0.5f : 0.0f);
  float t = (MantaPictureFront - y) / (MantaPictureFront - MantaPictureBack);
  return Vec2{s, clamp01(t)};
}

// Gull in model units (scene size / 0.05).
constexpr float GullSpan = 20.0f;
constexpr float GullFront = 5.0f;  // beak tip
constexpr float GullBack = -4.6f;  // tail tip
constexpr float ShoulderX = 0.8f;
constexpr float ElbowX = 4.6f;

Vec2 gullUv(float x, float y) {
  return Vec2{clamp01(0.5f + x / GullSpan), clamp01((GullFront - y) / (GullFront - GullBack))};
}

}  // namespace

AnimatedModel buildMantaModel() {
  AnimatedModel model;
  Mesh& mesh = model.mesh;
  struct WingPoint {
    float a;      // signed span position
    float chord;  // 0 leading edge, 1 trailing edge
  };
  std::vector<WingPoint> info;
  const int spanSteps = 24, chordSteps = 8;
  for (int side = 0; side < 2; ++side) {
    bool belly = side == 1;
    std::vector<std::vector<int>> rows;
    for (int i = 0; i <= spanSteps; ++i) {
      float a = -1.0f + 2.0f * i / spanSteps;
      float m = std::fabs(a);
      std::vector<int> row;
      for (int j = 0; j <= chordSteps; ++j) {
        float b = static_cast<float>(j) / chordSteps;
        float front = mantaFront(m), back = mantaBack(m);
        float y = front + (back - front) * b;
        float thickness = 0.11f * MantaLength * std::pow(1.0f - m, 0.8f) * std::pow(std::sin(3.14159f * b), 0.6f);
        float x = a * MantaSpan * 0.5f;
        float z = (belly ? -0.5f : 0.5f) * thickness;
        row.push_back(mesh.addVertex(Vec3{x, y, z}, mantaUv(x, y, belly)));
        info.push_back(WingPoint{a, b});
      }
      rows.push_back(row);
    }
    for (size_t i = 0; i + 1 < rows.size(); ++i) {
      if (belly) {
        mesh.addStrip(rows[i + 1], rows[i]);
      } else {
        mesh.addStrip(rows[i], rows[i + 1]);
      }
    }
  }
  // Cephalic fins: two lobes in front of the head, curled down.
  for (float side : {-1.0f, 1.0f}) {
    float y0 = mantaFront(0.1f);
    int inner = mesh.addVertex(Vec3{side * 1.3f, y0, 0.2f}, mantaUv(side * 1.3f, y0, false));
    int outer = mesh.addVertex(Vec3{side * 3.0f, y0 - 0.5f, 0.2f}, mantaUv(side * 3.0f, y0 - 0.5f, false));
    int tipOuter = mesh.addVertex(Vec3{side * 2.8f, y0 + 3.2f, -1.0f}, mantaUv(side * 2.8f, y0 + 3.2f, false));
    int tipInner = mesh.addVertex(Vec3{side * 1.7f, y0 + 3.0f, -0.8f}, mantaUv(side * 1.7f, y0 + 3.0f, false));
    mesh.addQuad(inner, outer, tipOuter, tipInner);
    for (int k = 0; k < 4; ++k) info.push_back(WingPoint{side * 0.1f, 0.0f});
  }
  // Tail: a thin whip behind the body.
  std::vector<int> left, right;
  const int tailSteps = 8;
  for (int i = 0; i <= tailSteps; ++i) {
    float k = static_cast<float>(i) / tailSteps;
    float y = mantaBack(0.0f) + 0.5f - k * MantaTail;
    float w = 0.45f * (1.0f - k) + 0.05f;
    left.push_back(mesh.addVertex(Vec3{-w, y, 0.0f}, Vec2{0.25f, 0.97f}));
    right.push_back(mesh.addVertex(Vec3{w, y, 0.0f}, Vec2{0.25f, 0.97f}));
    info.push_back(WingPoint{0.0f, 1.0f + k});
    info.push_back(WingPoint{0.0f, 1.0f + k});
  }
  mesh.addStrip(left, right);

  const int frames = 20;
  for (int f = 0; f < frames; ++f) {
    float phase = TwoPi * f / frames;
    std::vector<Vec3> frame = mesh.positions();
    for (size_t v = 0; v < frame.size(); ++v) {
      const WingPoint& p = info[v];
      float m = std::fabs(p.a);
      if (p.chord > 1.0f) {
        // The tail trails the beat with a small sideways sway.
        float k = p.chord - 1.0f;
        frame[v].x += 0.8f * k * std::sin(phase - 2.0f * k);
        frame[v].z += 0.6f * k * std::sin(phase - 1.5f - 2.0f * k);
        continue;
      }
      // The beat travels from the leading to the trailing edge; the tips swing furthest.
      float lift = 0.2f * MantaLength * std::pow(m, 1.5f) * std::sin(phase - 1.1f * p.chord);
      frame[v].z += lift;
      frame[v].x -= (p.a < 0 ? -1.0f : 1.0f) * 0.1f * std::fabs(lift) * m;
      frame[v].z -= 0.25f * std::sin(phase + 0.5f);  // the body rides the beat a little
    }
    model.frames.push_back(frame);
  }
  return model;
}

Image mantaSkin() {
  TileNoise mottle(8, 4, 404);
  Image image(256, 128);
  image.paint([&](float s, float t) {
    bool belly = s >= 0.5f;
    float x = ((belly ? s - 0.5f : s) * 2.0f - 0.5f) * MantaSpan;
    float y = MantaPictureFront - t * (MantaPictureFront - MantaPictureBack);
    float m = std::fabs(x) / (0.5f * MantaSpan);
    float front = mantaFront(std::fmin(m, 1.0f)), back = mantaBack(std::fmin(m, 1.0f));
    // Distance inside the outline, in model units: edges darken on both faces.
    float inside = std::fmin(front - y, y - back);
    float edge = smoothStep(0.0f, 2.5f, inside);
    float n = mottle.fractal(s * 2.0f, t);
    if (!belly) {
      Rgba back = mixColor(hexColor(0x1C2230), hexColor(0x2E3A4C), n);
      // Pale shoulder marks of a reef manta.
      float shoulder = std::exp(-std::pow((std::fabs(x) - 4.5f) / 2.6f, 2.0f) - std::pow((y - 4.0f) / 3.0f, 2.0f));
      back = mixColor(back, hexColor(0x9AA4AE), 0.55f * shoulder);
      return scaleColor(back, 0.7f + 0.3f * edge);
    }
    Rgba colour = mixColor(hexColor(0x3A4250), hexColor(0xEEF0EE), edge);
    // Gill slits near the head.
    for (int k = 0; k < 5; ++k) {
      float gy = 5.0f - k * 1.1f;
      float slit = (1.0f - smoothStep(0.15f, 0.35f, std::fabs(y - gy))) * smoothStep(1.5f, 2.0f, std::fabs(x)) *
                   (1.0f - smoothStep(3.6f, 4.0f, std::fabs(x)));
      colour = mixColor(colour, hexColor(0x505860), 0.7f * slit);
    }
    return colour;
  });
  return image;
}

AnimatedModel buildGullModel() {
  AnimatedModel model;
  Mesh& mesh = model.mesh;

  // Body: rings along y from beak tip to tail root.
  struct Station {
    float y, radius, zOffset;
  };
  const Station stations[] = {{5.0f, 0.02f, 0.35f}, {4.2f, 0.16f, 0.38f},  {3.6f, 0.34f, 0.42f}, {3.4f, 0.62f, 0.5f},
                              {2.9f, 0.85f, 0.55f}, {2.3f, 0.78f, 0.45f},  {1.6f, 0.95f, 0.2f},  {0.6f, 1.15f, 0.0f},
                              {-0.6f, 1.05f, 0.0f}, {-1.8f, 0.75f, 0.05f}, {-2.8f, 0.35f, 0.1f}};
  const int sides = 10;
  std::vector<std::vector<int>> rings;
  for (const Station& st : stations) {
    std::vector<int> ring;
    for (int j = 0; j < sides; ++j) {
      float angle = TwoPi * j / sides;
      Vec3 p{st.radius * std::cos(angle), st.y, st.zOffset + 0.85f * st.radius * std::sin(angle)};
      ring.push_back(mesh.addVertex(p, gullUv(p.x, p.y)));
    }
    ring.push_back(ring.front());
    rings.push_back(ring);
  }
  for (size_t i = 0; i + 1 < rings.size(); ++i) mesh.addStrip(rings[i], rings[i + 1]);
  int tailRoot = mesh.addVertex(Vec3{0.0f, -2.9f, 0.1f}, gullUv(0.0f, -2.9f));
  for (int j = 0; j < sides; ++j) mesh.addTriangle(tailRoot, rings.back()[j], rings.back()[j + 1]);

  // Tail fan.
  {
    const Vec3 fan[] = {{-0.35f, -2.2f, 0.15f}, {0.35f, -2.2f, 0.15f}, {0.95f, -4.5f, 0.1f}, {-0.95f, -4.5f, 0.1f}};
    int ids[4];
    for (int k = 0; k < 4; ++k) ids[k] = mesh.addVertex(fan[k], gullUv(fan[k].x, fan[k].y));
    mesh.addQuad(ids[0], ids[1], ids[2], ids[3]);
  }
  const int tailVertices = mesh.vertexCount();

  // Wings: span stations from the shoulder out, each with a leading and trailing point.
  struct WingVertex {
    int index;
    float side;
    Vec3 rest;  // relative to the shoulder, wing held flat
  };
  std::vector<WingVertex> wing;
  const float spanOut[] = {0.0f, 1.2f, 2.5f, 3.8f, 5.3f, 6.6f, 7.8f, 8.8f, 9.2f};
  for (float side : {-1.0f, 1.0f}) {
    std::vector<int> leading, trailing;
    for (float r : spanOut) {
      float k = r / 9.2f;
      // Broad arm, swept pointed hand.
      float lead = 1.3f - 1.2f * k * k;
      float chord = 2.6f * (1.0f - 0.72f * std::pow(k, 1.4f));
      float x = side * (ShoulderX + r);
      Vec3 front{x, lead, 0.0f}, back{x, lead - chord, 0.0f};
      leading.push_back(mesh.addVertex(front, gullUv(front.x, front.y)));
      trailing.push_back(mesh.addVertex(back, gullUv(back.x, back.y)));
      wing.push_back(WingVertex{leading.back(), side, Vec3{r, lead, 0.0f}});
      wing.push_back(WingVertex{trailing.back(), side, Vec3{r, lead - chord, 0.0f}});
    }
    mesh.addStrip(leading, trailing);
  }

  auto pose = [&](float shoulderDegrees, float handDegrees, float bob) {
    std::vector<Vec3> frame = mesh.positions();
    for (int v = 0; v < tailVertices; ++v) frame[v].z += bob;
    const float elbow = ElbowX - ShoulderX;
    for (const WingVertex& w : wing) {
      float shoulder = shoulderDegrees * DegreesToRadians;
      float hand = (shoulderDegrees + handDegrees) * DegreesToRadians;
      float r = w.rest.x;
      float out, up;
      if (r <= elbow) {
        out = r * std::cos(shoulder);
        up = r * std::sin(shoulder);
      } else {
        out = elbow * std::cos(shoulder) + (r - elbow) * std::cos(hand);
        up = elbow * std::sin(shoulder) + (r - elbow) * std::sin(hand);
      }
      frame[w.index] = Vec3{w.side * (ShoulderX + out), w.rest.y, 0.3f + up + bob};
    }
    return frame;
  };

  for (int f = 0; f < 20; ++f) model.frames.push_back(pose(9.0f + 1.5f * std::sin(TwoPi * f / 20.0f), -6.0f, 0.0f));
  for (int f = 20; f < 23; ++f) model.frames.push_back(pose(9.0f, -6.0f, 0.0f));
  const float lag = 0.9f;
  for (int f = 0; f < 20; ++f) {
    float phase = TwoPi * f / 20.0f;
    // Offsets chosen so that phase 0 is exactly the glide pose: switching between the two
    // ranges does not jump.
    float shoulder = 9.0f + 36.0f * std::sin(phase);
    float hand = -6.0f + 24.0f * (std::sin(phase - lag) + std::sin(lag));
    model.frames.push_back(pose(shoulder, hand, -0.35f * std::sin(phase)));
  }
  return model;
}

Image gullSkin() {
  Image image(128, 128);
  image.paint([](float s, float t) {
    float x = (s - 0.5f) * GullSpan;
    float y = GullFront - t * (GullFront - GullBack);
    float ax = std::fabs(x);
    if (ax < 1.3f) {
      // Body and head white, beak yellow with its red spot, dark eyes at the head's sides.
      if (y > 3.7f) {
        float spot = std::exp(-std::pow((y - 4.3f) / 0.15f, 2.0f));
        return mixColor(hexColor(0xF2C42C), hexColor(0xD83018), spot);
      }
      float eye = std::hypot(ax - 0.55f, y - 3.15f);
      if (eye < 0.16f) return hexColor(0x181818);
      if (y < -2.9f) return hexColor(0xE8EAEC);  // tail
      return hexColor(0xF6F6F4);
    }
    float r = ax - ShoulderX;
    float k = r / 9.2f;
    float lead = 1.3f - 1.2f * k * k;
    float chord = 2.6f * (1.0f - 0.72f * std::pow(k, 1.4f));
    float fromTrailing = (y - (lead - chord)) / chord;
    Rgba colour = hexColor(0x98A2AE);
    // White trailing edge, black wing tips with white "mirrors".
    colour = mixColor(colour, hexColor(0xF0F0F0), 1.0f - smoothStep(0.06f, 0.16f, fromTrailing));
    float tip = smoothStep(6.9f, 7.3f, r);
    colour = mixColor(colour, hexColor(0x141414), tip);
    float mirror = std::exp(-std::pow((r - 8.5f) / 0.35f, 2.0f) - std::pow((fromTrailing - 0.5f) / 0.25f, 2.0f));
    return mixColor(colour, hexColor(0xF4F4F4), mirror);
  });
  return image;
}
