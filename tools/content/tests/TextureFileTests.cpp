// Pictures, the height map and the font: formats as the scene's readers take them, seamless
// tiling and looping of the animated light.

#include "ContentFixture.h"
#include "FileReaders.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <string>
#include <vector>

#include "CoralPlaces.h"
#include "formats/DataCatalog.h"

namespace {

bool powerOfTwo(int n) { return n > 0 && (n & (n - 1)) == 0; }

// Mean absolute difference between two columns (or rows) of a picture over its colour channels.
double lineDifference(const BmpPicture& p, bool columns, int a, int b) {
  int channels = p.bitsPerPixel / 8;
  int length = columns ? p.height : p.width;
  double sum = 0.0;
  for (int i = 0; i < length; ++i) {
    for (int c = 0; c < channels; ++c) {
      sum += std::abs(columns ? p.channel(a, i, c) - p.channel(b, i, c) : p.channel(i, a, c) - p.channel(i, b, c));
    }
  }
  return sum / (length * channels);
}

double meanInnerDifference(const BmpPicture& p, bool columns) {
  int count = (columns ? p.width : p.height) - 1;
  double sum = 0.0;
  for (int i = 0; i < count; ++i) sum += lineDifference(p, columns, i, i + 1);
  return sum / count;
}

double frameDifference(const BmpPicture& a, const BmpPicture& b) {
  double sum = 0.0;
  for (size_t i = 0; i < a.pixels.size(); ++i) sum += std::abs(a.pixels[i] - b.pixels[i]);
  return sum / a.pixels.size();
}

void expectSeamlessLoop(const catalog::PictureRun& run) {
  const char* pattern = run.pattern;
  const int count = run.count;
  std::vector<BmpPicture> frames;
  for (int f = 0; f < count; ++f) {
    frames.push_back(readBmp(dataFile(run.file(f))));
    ASSERT_TRUE(frames.back().valid) << run.file(f);
  }
  for (int f = 0; f < count; ++f) {
    const BmpPicture& p = frames[f];
    // Opposite edges are neighbours when the picture repeats.
    EXPECT_LE(lineDifference(p, true, p.width - 1, 0), 2.0 * meanInnerDifference(p, true) + 0.5)
        << pattern << " frame " << f;
    EXPECT_LE(lineDifference(p, false, p.height - 1, 0), 2.0 * meanInnerDifference(p, false) + 0.5)
        << pattern << " frame " << f;
  }
  double consecutive = 0.0;
  for (int f = 0; f + 1 < count; ++f) consecutive += frameDifference(frames[f], frames[f + 1]);
  consecutive /= count - 1;
  EXPECT_GT(consecutive, 0.2) << pattern << " does not move";
  EXPECT_LE(frameDifference(frames[count - 1], frames[0]), 1.5 * consecutive) << pattern << " jumps at the loop";
}

}  // namespace

TEST(Textures, AreTrueColourWithPowerOfTwoSizes) {
  // The scene uploads 24 and 32 bits only; the catalogue says which pictures carry alpha.
  for (const catalog::Picture* picture : catalog::ScenePictures) {
    const char* name = picture->file;
    BmpPicture p = readBmp(dataFile(name));
    ASSERT_TRUE(p.valid) << name;
    EXPECT_TRUE(p.bitsPerPixel == 24 || p.bitsPerPixel == 32) << name;
    EXPECT_EQ(p.bitsPerPixel, picture->bitsPerPixel) << name;
    EXPECT_TRUE(powerOfTwo(p.width) && powerOfTwo(p.height)) << name << " " << p.width << "x" << p.height;
  }
  for (const catalog::PictureRun* run : catalog::ScenePictureRuns) {
    for (int f = 0; f < run->count; ++f) {
      const int bits = readBmp(dataFile(run->file(f))).bitsPerPixel;
      EXPECT_TRUE(bits == 24 || bits == 32) << run->file(f);
      EXPECT_EQ(bits, run->bitsPerPixel) << run->file(f);
    }
  }
}

TEST(Textures, CardsAreCutOutAndFadedByAlpha) {
  for (const char* name : {catalog::Rock.file, catalog::Island.file, catalog::BlendMap.file}) {
    BmpPicture p = readBmp(dataFile(name));
    ASSERT_TRUE(p.valid) << name;
    int clear = 0, solid = 0;
    for (int y = 0; y < p.height; ++y) {
      for (int x = 0; x < p.width; ++x) {
        clear += p.channel(x, y, 3) < 8;
        solid += p.channel(x, y, 3) > 150;
      }
    }
    EXPECT_GT(clear, p.width * p.height / 10) << name;
    EXPECT_GT(solid, p.width * p.height / 50) << name;
  }
  // The fader is opaque fog at its top edge, lets a band of light through, is opaque again from
  // just past halfway down (where the floor's far edge is seen through it) and clear at the bottom.
  BmpPicture fader = readBmp(dataFile(catalog::HorizonFader.file));
  ASSERT_TRUE(fader.valid);
  const int middle = fader.width / 2, rows = fader.height;
  EXPECT_GT(fader.channel(middle, 0, 3), 200);
  int band = 255;
  for (int y = rows / 10; y < rows / 2; ++y) band = std::min(band, fader.channel(middle, y, 3));
  EXPECT_LT(band, 220);
  for (int y = rows * 56 / 100; y < rows * 85 / 100; ++y) EXPECT_GT(fader.channel(middle, y, 3), 240) << y;
  EXPECT_LT(fader.channel(middle, rows - 1, 3), 10);
  // The water is a veil, never opaque.
  BmpPicture water = readBmp(dataFile(catalog::Water.file));
  for (int y = 0; y < water.height; y += 7) {
    for (int x = 0; x < water.width; x += 7) ASSERT_LT(water.channel(x, y, 3), 160);
  }
}

// Every row the rock covers at all has a solid core: above the peak nothing stands, not even a
// line of half-covered pixels.
TEST(Textures, TheRockEndsAtItsPeak) {
  BmpPicture rock = readBmp(dataFile(catalog::Rock.file));
  ASSERT_TRUE(rock.valid);
  int faintRows = 0;
  for (int y = 0; y < rock.height; ++y) {
    int most = 0;
    for (int x = 0; x < rock.width; ++x) most = std::max(most, rock.channel(x, y, 3));
    faintRows += most > 12 && most < 230;
  }
  EXPECT_LE(faintRows, 2) << "rows with only a faint trace of the rock";
}

TEST(Textures, FloorCausticsTileAndLoop) { expectSeamlessLoop(catalog::FloorCaustics); }

TEST(Textures, FishCausticsTileAndLoop) { expectSeamlessLoop(catalog::FishCaustics); }

TEST(Textures, SurfaceHighlightsTileAndLoop) { expectSeamlessLoop(catalog::Highlights); }

TEST(Textures, RepeatedPicturesTile) {
  for (const char* name : {catalog::Water.file, catalog::CoralSkins[6].file}) {
    BmpPicture p = readBmp(dataFile(name));
    ASSERT_TRUE(p.valid);
    EXPECT_LE(lineDifference(p, true, p.width - 1, 0), 2.0 * meanInnerDifference(p, true) + 0.5) << name;
    EXPECT_LE(lineDifference(p, false, p.height - 1, 0), 2.0 * meanInnerDifference(p, false) + 0.5) << name;
  }
}

namespace {

// Floor height in scene units at scene (x, z), read from the map pixel there.
float floorAt(const BmpPicture& map, float x, float z) {
  int column = static_cast<int>((x + 30.0f) / 60.0f * map.width);
  int row = static_cast<int>((50.0f - z) / 50.0f * map.height);
  return -8.0f + map.channel(column, row, 0) * 0.015f;
}

// The floor as the terrain draws it at scene (x, z): its 50 x 50 grid samples the map every
// (size - 1) / 50 pixels, and each cell is two triangles split from its (x0, z0) to its (x1, z1)
// corner.
float drawnFloorAt(const BmpPicture& map, float x, float z) {
  const float step = (map.width - 1) / 50.0f;
  const float mapX = (x + 30.0f) / 60.0f * map.width, mapZ = (50.0f - z) / 50.0f * map.height;
  const int i = static_cast<int>(mapX / step), j = static_cast<int>(mapZ / step);
  const float fx = mapX / step - i, fz = mapZ / step - j;
  auto grid = [&](int gi, int gj) {
    return -8.0f + map.channel(static_cast<int>(gi * step), static_cast<int>(gj * step), 0) * 0.015f;
  };
  const float h00 = grid(i, j), h10 = grid(i + 1, j), h01 = grid(i, j + 1), h11 = grid(i + 1, j + 1);
  if (fx >= fz) return h00 + fx * (h10 - h00) + fz * (h11 - h10);
  return h00 + fz * (h01 - h00) + fx * (h11 - h01);
}

}  // namespace

TEST(HeightMap, IsEightBitWithWidthDivisibleByFour) {
  BmpPicture map = readBmp(dataFile(catalog::TerrainMap.file));
  ASSERT_TRUE(map.valid);
  EXPECT_EQ(map.bitsPerPixel, 8);
  EXPECT_EQ(map.width % 4, 0);
  EXPECT_EQ(map.width, 256);
  EXPECT_EQ(map.height, 256);
}

TEST(HeightMap, CarriesTheCoralsAndLeavesRoomForFishAndView) {
  BmpPicture map = readBmp(dataFile(catalog::TerrainMap.file));
  ASSERT_TRUE(map.valid);
  struct Base {
    float x, y, z;
  };
  // Every colony stands on the floor where the scene puts it, as the floor is drawn: whatever of it
  // comes near the floor touches it somewhere (no head floats), and nothing sinks deep into it
  // (only the stems of a kind placed several times reach deeper, where one of its places lies
  // lower than another).
  for (const CoralPlacement& place : CoralPlacements) {
    const char* file = catalog::CoralModels[place.kind].file;
    Md3Model model = readMd3(dataFile(file));
    ASSERT_TRUE(model.valid) << file;
    const Mat3 toScene = fileToScene(place, true);
    const std::string at =
        std::string(file) + " at " + std::to_string(place.position.x) + ", " + std::to_string(place.position.z);
    // Points near the floor with their height above it.
    std::vector<Vec3> near;
    std::vector<float> above;
    float deepest = 0.0f;
    const std::vector<float>& rest = model.positions[0];
    for (size_t i = 0; i + 2 < rest.size(); i += 3) {
      const Vec3 p = scenePosition(place) + toScene.apply(Vec3{rest[i], rest[i + 1], rest[i + 2]});
      const float height = p.y - drawnFloorAt(map, p.x, p.z);
      deepest = std::max(deepest, -height);
      if (height > 0.15f) continue;
      near.push_back(p);
      above.push_back(height);
    }
    EXPECT_LE(deepest, 0.7f) << at << " is buried";
    ASSERT_FALSE(near.empty()) << at << " stands nowhere near the floor";
    // Heads: points near the floor joined by steps of 0.3 units at most; each touches the floor.
    std::vector<int> head(near.size(), -1);
    for (size_t seed = 0; seed < near.size(); ++seed) {
      if (head[seed] >= 0) continue;
      std::vector<size_t> open{seed};
      head[seed] = static_cast<int>(seed);
      float lowest = above[seed];
      while (!open.empty()) {
        const size_t k = open.back();
        open.pop_back();
        lowest = std::min(lowest, above[k]);
        for (size_t j = 0; j < near.size(); ++j) {
          if (head[j] < 0 && std::hypot(near[j].x - near[k].x, near[j].z - near[k].z) <= 0.3f) {
            head[j] = static_cast<int>(seed);
            open.push_back(j);
          }
        }
      }
      EXPECT_LE(lowest, 0.04f) << at << ": a head floats at " << near[seed].x << ", " << near[seed].z;
    }
  }
  // The big fish swim their route at y = -6 clear of the floor.
  for (const Base& p :
       {Base{24, -6, 32}, Base{10, -6, 27}, Base{4, -6, 20}, Base{0, -6, 14}, Base{-2, -6, 9}, Base{-11, -6, 1}}) {
    EXPECT_LT(floorAt(map, p.x, p.z), -6.4f) << "route point " << p.x << ", " << p.z;
  }
  // The foreground is a low plain: nothing rises toward the camera's view there (the camera at
  // z = -7 sees 0.56 units to either side for every unit ahead).
  for (float z = 1.0f; z <= 11.0f; z += 1.0f) {
    const float side = 0.56f * (z + 7.0f);
    for (float x = -side; x <= side; x += 0.5f) EXPECT_LT(floorAt(map, x, z), -7.3f) << x << ", " << z;
  }
}

// The texts' code page, Windows-1252: ASCII, Latin-1 and the letters of 128-159.
TEST(Font, HoldsWindows1252InAnUprightAtlas) {
  const FontAtlas font = readFont(dataFile(catalog::FontFile));
  ASSERT_TRUE(font.valid);
  const int width = font.width, height = font.height;
  EXPECT_TRUE(powerOfTwo(width) && powerOfTwo(height));

  std::vector<bool> present(256, false);
  for (const formats::FontGlyphRecord& glyph : font.glyphs) {
    const int code = glyph.code, w = glyph.width, h = glyph.height;
    const float s0 = glyph.s0, s1 = glyph.s1, t0 = glyph.t0, t1 = glyph.t1;
    ASSERT_LT(code, 256);
    present[code] = true;
    EXPECT_GE(h, 14) << code;
    EXPECT_LE(h, 16) << code;
    EXPECT_GT(w, 0) << code;
    EXPECT_TRUE(s0 >= 0 && s1 <= 1 && t0 >= 0 && t1 <= 1 && s0 < s1 && t0 < t1) << code;
    EXPECT_NEAR((s1 - s0) * width, w, 0.01) << code;
    EXPECT_NEAR((t1 - t0) * height, h, 0.01) << code;
    if (code == 'T') {
      // The bar of a T is at its top edge (t1): wide ink there, narrow ink near the bottom.
      auto inkInRow = [&](float t) {
        int row = static_cast<int>(t * height);
        int ink = 0;
        for (int x = static_cast<int>(s0 * width); x < static_cast<int>(s1 * width); ++x) {
          ink += font.alpha(x, row) > 128;
        }
        return ink;
      };
      int nearTop = 0, nearBottom = 0;
      for (int k = 1; k <= 6; ++k) {
        nearTop = std::max(nearTop, inkInRow(t1 - k / static_cast<float>(height)));
        nearBottom = std::max(nearBottom, inkInRow(t0 + (k + 3) / static_cast<float>(height)));
      }
      EXPECT_GE(nearTop, w / 2);
      EXPECT_LE(nearBottom, 3);
      EXPECT_GE(nearBottom, 1);
    }
  }
  for (int code = 32; code <= 126; ++code) EXPECT_TRUE(present[code]) << code;
  // German, French and Dutch: é è ê à ç ô û ä ö ü ß œ « » and their capitals.
  for (unsigned char code : {0xE9, 0xE8, 0xEA, 0xE0, 0xE7, 0xF4, 0xFB, 0xE4, 0xF6, 0xFC, 0xDF, 0x9C, 0xAB, 0xBB,
                             0xC9, 0xC8, 0xCA, 0xC0, 0xC7, 0xD4, 0xDB, 0xC4, 0xD6, 0xDC, 0x8C, 0xEB, 0xEF, 0xE1}) {
    EXPECT_TRUE(present[code]) << static_cast<int>(code);
  }
}

namespace {

// The glyph boxes of font.nlf with their ink, counted in cell rows from the top.
class FontInk {
 public:
  FontInk() {
    font_ = readFont(dataFile(catalog::FontFile));
    for (const formats::FontGlyphRecord& glyph : font_.glyphs) {
      Box box;
      box.x0 = static_cast<int>(std::lround(glyph.s0 * font_.width));
      box.x1 = static_cast<int>(std::lround(glyph.s1 * font_.width));
      box.y0 = static_cast<int>(std::lround(glyph.t0 * font_.height));
      box.y1 = static_cast<int>(std::lround(glyph.t1 * font_.height));
      boxes_[glyph.code] = box;
    }
  }

  bool valid() const { return font_.valid; }
  bool has(int code) const { return boxes_.count(code) != 0; }

  // Strongest alpha in the glyph's box.
  int peak(int code) const {
    int peak = 0;
    const Box& b = boxes_.at(code);
    for (int y = b.y0; y < b.y1; ++y) {
      for (int x = b.x0; x < b.x1; ++x) peak = std::max(peak, alpha(x, y));
    }
    return peak;
  }

  // Topmost and lowest cell row with solid ink (alpha > 128); the atlas stores t upward, so
  // cell row 0 is the box's top texel row y1 - 1.
  std::pair<int, int> inkRows(int code) const {
    const Box& b = boxes_.at(code);
    int top = -1, bottom = -1;
    for (int row = 0; row < b.y1 - b.y0; ++row) {
      for (int x = b.x0; x < b.x1; ++x) {
        if (alpha(x, b.y1 - 1 - row) > 128) {
          if (top < 0) top = row;
          bottom = row;
          break;
        }
      }
    }
    return {top, bottom};
  }

 private:
  struct Box {
    int x0, x1, y0, y1;
  };

  int alpha(int x, int y) const { return font_.alpha(x, y); }

  FontAtlas font_;
  std::map<int, Box> boxes_;
};

}  // namespace

TEST(Font, EveryPrintableGlyphHasSolidInk) {
  FontInk font;
  ASSERT_TRUE(font.valid());
  std::vector<int> codes;
  for (int code = 33; code <= 126; ++code) codes.push_back(code);
  for (int code = 0xC0; code <= 0xFF; ++code) codes.push_back(code);
  for (int code : {0x80, 0x8A, 0x8C, 0x8E, 0x9A, 0x9C, 0x9E, 0x9F, 0xAB, 0xBB}) codes.push_back(code);
  for (int code : codes) {
    ASSERT_TRUE(font.has(code)) << code;
    EXPECT_GT(font.peak(code), 128) << "glyph " << code << " is blank";
  }
}

TEST(Font, DescendersAndAccentsStayInsideTheirBoxes) {
  FontInk font;
  ASSERT_TRUE(font.valid());
  // The baseline is the lowest ink row of an x; the cap height the top of an H.
  const int baseline = font.inkRows('x').second, capTop = font.inkRows('H').first;
  ASSERT_GT(baseline, capTop);
  for (int code : std::vector<int>{'g', 'j', 'p', 'q', 'y', '_', '|', 0xE7}) {
    EXPECT_GE(font.inkRows(code).second, baseline + 2) << "descender of " << code;
  }
  // Marks above capitals rise over the cap height; those over small letters over the x-height.
  const int xTop = font.inkRows('x').first;
  for (int code : {0xC4, 0xD6, 0xDC, 0xC9, 0xC5, 0xD1, 0x8A, 0x9F}) {
    EXPECT_LT(font.inkRows(code).first, capTop) << "mark of " << code;
  }
  for (int code : {0xE4, 0xF6, 0xFC, 0xE9, 0xE8, 0xE1, 0xEB, 0xEF}) {
    EXPECT_LE(font.inkRows(code).first, xTop - 2) << "mark of " << code;
  }
  // The underscore is a line at the very bottom, not a blank box.
  auto [top, bottom] = font.inkRows('_');
  EXPECT_GE(top, baseline + 1);
  EXPECT_LE(bottom - top, 1);
}

TEST(Textures, CausticsAreBrightLightWithWhiteLines) {
  // The scene multiplies the caustics onto the sand and the fish: a mid-grey net would darken
  // them; near-white light with white lines brightens the look instead.
  struct Light {
    const catalog::PictureRun* run;
    double lowMean, highMean;
  };
  for (const Light& light : {Light{&catalog::FloorCaustics, 0.84, 0.92}, Light{&catalog::FishCaustics, 0.85, 0.93}}) {
    double sum = 0.0;
    long texels = 0, white = 0, dark = 0;
    for (int f = 0; f < light.run->count; ++f) {
      BmpPicture p = readBmp(dataFile(light.run->file(f)));
      ASSERT_TRUE(p.valid);
      for (int y = 0; y < p.height; ++y) {
        for (int x = 0; x < p.width; ++x) {
          int b = p.channel(x, y, 0), g = p.channel(x, y, 1), r = p.channel(x, y, 2);
          sum += (r + g + b) / (3.0 * 255.0);
          white += r >= 250 && g >= 250 && b >= 250;
          dark += g < 180;
          ++texels;
        }
      }
    }
    double mean = sum / texels, whiteShare = static_cast<double>(white) / texels;
    EXPECT_GE(mean, light.lowMean) << light.run->pattern;
    EXPECT_LE(mean, light.highMean) << light.run->pattern;
    // Lines, not patches, reach full white.
    EXPECT_GE(whiteShare, 0.01) << light.run->pattern;
    EXPECT_LE(whiteShare, 0.15) << light.run->pattern;
    EXPECT_EQ(dark, 0) << light.run->pattern;
  }
}
