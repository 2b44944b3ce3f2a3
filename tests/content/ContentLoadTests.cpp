// The generated Reefglass folder, loaded file by file through the readers the scene uses, with the
// scene's own load flags and frame ranges: every load succeeds, prints nothing, and gives what the
// scene needs from it (images with their alpha, enough frames, an 8-bit height map, glyphs for the
// overlay texts, sounds the mixer accepts, every text the program asks for).
#include <windows.h>
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <SDL.h>
#include <SDL_mixer.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "config/TextTable.h"
#include "formats/BmpFormat.h"
#include "formats/DataCatalog.h"
#include "formats/TextTableKeys.h"
#include "render/QModel.h"
#include "render/Terrain.h"
#include "render/TextObject.h"
#include "render/Texture.h"
#include "tests/support/GLTestContext.h"
#include "tests/support/TestEnvironment.h"
#include "world/SoundPlayer.h"

namespace {

using testenv::captureStdout;

// The scene joins "%s%s" onto a folder that ends in "/".
std::string dataFolder() { return testenv::buildFolder() + "Reefglass/"; }

std::string dataPath(const std::string& name) { return dataFolder() + name; }

GLTestContext& gl() {
  static GLTestContext context(64, 64);
  context.makeCurrent();
  return context;
}

struct TextureFile {
  std::string name;
  unsigned flags;
};

// Every texture entry the scene can load: both choices of the sky and of the school skin, the
// single pictures and the 96 animation frames, each with the catalogue's load flags.
std::vector<TextureFile> sceneTextures() {
  std::vector<TextureFile> files;
  for (const catalog::Picture* picture : catalog::ScenePictures) files.push_back({picture->file, picture->loadFlags});
  for (const catalog::PictureRun* run : catalog::ScenePictureRuns) {
    for (int frame = 0; frame < run->count; ++frame) files.push_back({run->file(frame), run->loadFlags});
  }
  return files;
}

// The header fields of a BMP file that say how SDL will decode it.
formats::BmpLayout bmpHeader(const std::string& bytes) {
  formats::BmpLayout layout;
  formats::readBmpLayout(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), layout);
  return layout;
}

GLint levelParameter(GLenum name) {
  GLint value = 0;
  glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, name, &value);
  return value;
}

TEST(ContentTextures, EveryTextureLoadsSilentlyWithAnImage) {
  gl();
  const std::vector<TextureFile> files = sceneTextures();
  ASSERT_EQ(files.size(), 29u + 3 * 32u);
  std::vector<std::unique_ptr<Texture>> textures;
  std::vector<bool> loaded;
  const std::string output = captureStdout([&] {
    for (const TextureFile& file : files) {
      textures.push_back(std::make_unique<Texture>());
      loaded.push_back(textures.back()->loadBMP(dataPath(file.name).c_str(), file.flags));
    }
  });
  EXPECT_EQ(output, "");
  for (size_t i = 0; i < files.size(); ++i) {
    SCOPED_TRACE(files[i].name);
    ASSERT_TRUE(loaded[i]);
    // A picture of other than 24 or 32 bits would still "load", but without an image.
    glBindTexture(GL_TEXTURE_2D, textures[i]->id());
    const formats::BmpLayout header = bmpHeader(testenv::readFile(dataPath(files[i].name)));
    EXPECT_TRUE(header.bitsPerPixel == 24 || header.bitsPerPixel == 32) << header.bitsPerPixel;
    EXPECT_EQ(levelParameter(GL_TEXTURE_WIDTH), header.width);
    EXPECT_EQ(levelParameter(GL_TEXTURE_HEIGHT), std::abs(header.height));
  }
}

TEST(ContentTextures, ThirtyTwoBitPicturesKeepTheirAlphaAfterUpload) {
  gl();
  int checked = 0;
  for (const TextureFile& file : sceneTextures()) {
    const std::string bytes = testenv::readFile(dataPath(file.name));
    const formats::BmpLayout header = bmpHeader(bytes);
    if (header.bitsPerPixel != 32) continue;
    SCOPED_TRACE(file.name);
    ASSERT_GT(header.height, 0) << "rows are expected bottom-up";
    ASSERT_TRUE(formats::fits(header.pixelOffset, header.width * header.height, 4, bytes.size()));
    Texture texture;
    ASSERT_TRUE(texture.loadBMP(dataPath(file.name).c_str(), file.flags));
    glBindTexture(GL_TEXTURE_2D, texture.id());
    EXPECT_EQ(levelParameter(GL_TEXTURE_ALPHA_SIZE), 8);
    std::vector<unsigned char> texels(4u * header.width * header.height);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, texels.data());

    // Texture row 0 is the top row of the picture, the last row of the file.
    int mismatches = 0, transparent = 0;
    for (int y = 0; y < header.height; ++y) {
      for (int x = 0; x < header.width; ++x) {
        const size_t filePixel = header.pixelOffset + 4ull * ((header.height - 1 - y) * header.width + x);
        const unsigned char fileAlpha = static_cast<unsigned char>(bytes[filePixel + 3]);
        const unsigned char alpha = texels[4u * (y * header.width + x) + 3];
        if (alpha != fileAlpha) ++mismatches;
        if (alpha < 255) ++transparent;
      }
    }
    EXPECT_EQ(mismatches, 0);
    EXPECT_GT(transparent, 0) << "a 32-bit picture that is opaque everywhere";
    ++checked;
  }
  EXPECT_GE(checked, 5 + 32) << "water, fader, rock, island, blend map and the highlights carry alpha";
}

float largestMove(const QModel& model, int from, int to) {
  float largest = 0.0f;
  for (int v = 0; v < model.vertexCount(); ++v) {
    const Vector3 a = model.vertex(from, v), b = model.vertex(to, v);
    largest =
        std::max(largest, std::sqrt((a.x - b.x) * (a.x - b.x) + (a.y - b.y) * (a.y - b.y) + (a.z - b.z) * (a.z - b.z)));
  }
  return largest;
}

TEST(ContentModels, EveryModelLoadsSilentlyWithTheFramesItsRangesNeed) {
  std::vector<std::unique_ptr<QModel>> models;
  std::vector<bool> loaded;
  const std::string output = captureStdout([&] {
    for (const catalog::Model* file : catalog::Models) {
      models.push_back(std::make_unique<QModel>());
      loaded.push_back(models.back()->loadMD3(dataPath(file->file).c_str()));
    }
  });
  EXPECT_EQ(output, "");
  for (size_t i = 0; i < models.size(); ++i) {
    SCOPED_TRACE(catalog::Models[i]->file);
    ASSERT_TRUE(loaded[i]);
    QModel& model = *models[i];
    EXPECT_GT(model.vertexCount(), 0);
    EXPECT_GT(model.triangleCount(), 0);
    for (const catalog::FrameRange& range : catalog::rangesOf(*catalog::Models[i])) {
      EXPECT_GT(model.frameCount(), range.last) << "range " << range.first << "-" << range.last;
      const std::string name = "range " + std::to_string(range.first);
      model.addAnimation(range.first, range.last, name.c_str());
      model.playAnimation(name.c_str());
      EXPECT_EQ(model.currentLastFrame(), range.last) << "clamped range";
    }
  }
}

// Swimmers and flyers move within their ranges, and the step from the last frame back to the first
// is no larger than a step inside the range, so nothing pops at the loop seam.
TEST(ContentModels, CreatureRangesAnimateAndLoopWithoutAJump) {
  for (const catalog::Model* file : catalog::Models) {
    SCOPED_TRACE(file->file);
    QModel model;
    ASSERT_TRUE(model.loadMD3(dataPath(file->file).c_str()));
    for (const catalog::FrameRange& range : catalog::rangesOf(*file)) {
      SCOPED_TRACE("range " + std::to_string(range.first) + "-" + std::to_string(range.last));
      ASSERT_GT(model.frameCount(), range.last);
      float largestStep = 0.0f, largestExcursion = 0.0f;
      for (int f = range.first; f < range.last; ++f) largestStep = std::max(largestStep, largestMove(model, f, f + 1));
      for (int f = range.first; f <= range.last; ++f) {
        largestExcursion = std::max(largestExcursion, largestMove(model, range.first, f));
      }
      const float seam = largestMove(model, range.last, range.first);
      EXPECT_LE(seam, largestStep * 1.5f + 1e-4f) << "loop seam " << seam << ", largest step " << largestStep;
      // The gull's glide holds its wings still; every other creature range moves.
      const bool still = file == &catalog::GullModel && std::strcmp(range.name, "glide") == 0;
      if (file->kind != catalog::ModelKind::Coral && !still) {
        EXPECT_GT(largestExcursion, 0.0f) << "a range without motion";
      }
    }
  }
}

// Creatures are placed by look-at frames that swim along the model's -z with +y up: a fish is long
// along z and thin along x; gull and manta are wider (wingspan, x) than long.
TEST(ContentModels, CreaturesLieAlongTheirSwimAxis) {
  for (const catalog::Model* file : catalog::Models) {
    if (file->kind == catalog::ModelKind::Coral) continue;
    SCOPED_TRACE(file->file);
    QModel model;
    ASSERT_TRUE(model.loadMD3(dataPath(file->file).c_str()));
    Vector3 low = model.vertex(0, 0), high = low;
    for (int v = 0; v < model.vertexCount(); ++v) {
      const Vector3 p = model.vertex(0, v);
      low = {std::min(low.x, p.x), std::min(low.y, p.y), std::min(low.z, p.z)};
      high = {std::max(high.x, p.x), std::max(high.y, p.y), std::max(high.z, p.z)};
    }
    const Vector3 size{high.x - low.x, high.y - low.y, high.z - low.z};
    if (file->kind == catalog::ModelKind::Fish) {
      EXPECT_GT(size.z, 2.0f * size.x) << "length " << size.z << ", width " << size.x;
    } else {
      EXPECT_GT(size.x, size.z) << "span " << size.x << ", length " << size.z;
      EXPECT_GT(size.x, 2.0f * size.y) << "span " << size.x << ", height " << size.y;
    }
  }
}

TEST(ContentTerrain, HeightMapIsEightBitWithAWidthDivisibleByFour) {
  const std::string path = dataPath(catalog::TerrainMap.file);
  EXPECT_EQ(bmpHeader(testenv::readFile(path)).bitsPerPixel, 8);
  RippleTerrain terrain;
  bool loaded = false;
  EXPECT_EQ(captureStdout([&] { loaded = terrain.loadHeightMap(path.c_str()); }), "");
  ASSERT_TRUE(loaded);
  EXPECT_GT(terrain.mapWidth(), 0);
  EXPECT_EQ(terrain.mapWidth() % 4, 0);
  EXPECT_GT(terrain.mapHeight(), 0);

  // The scene's floor: 60 x 50 units, height scale 0.015, 50 x 50 grid.
  terrain.setSize(60.0f, 50.0f);
  terrain.setHeightScale(0.015f);
  terrain.setGridResolution(50);
  terrain.build();
  ASSERT_EQ(terrain.vertexCount(), 5000);
  float lowest = 1e9f, highest = -1e9f;
  for (int i = 0; i < terrain.vertexCount(); ++i) {
    lowest = std::min(lowest, terrain.vertices()[i].y);
    highest = std::max(highest, terrain.vertices()[i].y);
  }
  EXPECT_GE(lowest, 0.0f);
  EXPECT_LE(highest, 3.825f);
  EXPECT_GT(highest - lowest, 0.1f) << "a flat floor";
}

TEST(ContentFont, LoadsSilentlyWithAGlyphForEveryCharacterOfTheOverlay) {
  gl();
  TextObject text;
  bool loaded = false;
  EXPECT_EQ(captureStdout([&] { loaded = text.loadFont(dataPath(catalog::FontFile).c_str()); }), "");
  ASSERT_TRUE(loaded);
  EXPECT_NE(text.fontTexture(), 0u);
  for (unsigned code = 32; code <= 126; ++code) EXPECT_NE(text.glyph(code), nullptr) << "code " << code;

  // The overlay draws the help lines and the frame-rate line byte by byte (a byte is its own
  // character code); each of their characters, in every language, needs a glyph with visible
  // texels in its box. So do the letters of the languages (Windows-1252) that the texts may use.
  std::string overlay = "0123456789 x.fps";
  overlay += "\xE9\xE8\xEA\xE0\xE7\xF4\xFB\xE4\xF6\xFC\xDF\x9C\xAB\xBB\xC9\xC4\xD6\xDC\x8C";
  for (const textkeys::Language language : textkeys::Languages) {
    TextTable texts;
    texts.setSection(textkeys::sectionName(language));
    ASSERT_TRUE(texts.openFile(dataPath(textkeys::language::File).c_str()));
    for (const char* key : {textkeys::language::Help, textkeys::language::HelpExpanded}) {
      const std::string value = texts.lookup(key);
      EXPECT_NE(value, "") << key << " in " << textkeys::sectionName(language);
      overlay += value;
    }
  }

  glBindTexture(GL_TEXTURE_2D, text.fontTexture());
  const int width = levelParameter(GL_TEXTURE_WIDTH), height = levelParameter(GL_TEXTURE_HEIGHT);
  ASSERT_GT(width, 0);
  ASSERT_GT(height, 0);
  std::vector<unsigned char> texels(2u * width * height);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glGetTexImage(GL_TEXTURE_2D, 0, GL_LUMINANCE_ALPHA, GL_UNSIGNED_BYTE, texels.data());
  for (unsigned char byte : overlay) {
    if (byte == '\n' || byte == '\r') continue;
    const FontGlyph* glyph = text.glyph(byte);
    ASSERT_NE(glyph, nullptr) << "byte " << static_cast<int>(byte);
    EXPECT_GT(glyph->width, 0) << "byte " << static_cast<int>(byte);
    EXPECT_GT(glyph->height, 0) << "byte " << static_cast<int>(byte);
    if (byte == ' ') continue;
    const int x0 = static_cast<int>(std::lround(glyph->s0 * width)),
              x1 = static_cast<int>(std::lround(glyph->s1 * width));
    const int y0 = static_cast<int>(std::lround(std::min(glyph->t0, glyph->t1) * height));
    const int y1 = static_cast<int>(std::lround(std::max(glyph->t0, glyph->t1) * height));
    int inked = 0;
    for (int y = std::max(y0, 0); y < std::min(y1, height); ++y) {
      for (int x = std::max(x0, 0); x < std::min(x1, width); ++x) inked += texels[2u * (y * width + x) + 1] > 128;
    }
    EXPECT_GT(inked, 0) << "glyph of byte " << static_cast<int>(byte) << " is blank";
  }
}

// In its own section of the file, whatever "NL" holds.
TEST(ContentTexts, EveryKeyTheProgramAsksForHasATextInEveryLanguage) {
  for (const textkeys::TextFileKeys& file : textkeys::TextFiles) {
    for (const textkeys::Language language : textkeys::Languages) {
      if (!file.perLanguage && language != textkeys::Language::Dutch) continue;
      SCOPED_TRACE(std::string(file.file) + " " + textkeys::sectionName(language));
      TextTable table;
      table.setSection(textkeys::sectionName(language));
      ASSERT_TRUE(table.openFile(dataPath(file.file).c_str()));
      for (size_t k = 0; k < file.keyCount; ++k) EXPECT_STRNE(table.lookup(file.keys[k]), "") << file.keys[k];
    }
  }

  // The settings dialog loads the intro picture as a device-independent section from the folder.
  TextTable directory;
  directory.setSection(textkeys::BaseSection);
  ASSERT_TRUE(directory.openFile(dataPath(textkeys::directory::File).c_str()));
  const std::string picture = dataPath(directory.lookup(textkeys::directory::MainBitmap));
  HANDLE image = LoadImageA(nullptr, picture.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION);
  EXPECT_NE(image, nullptr) << picture;
  if (image) DeleteObject(image);
}

void setEnvironment(const std::string& assignment) {
  _putenv(assignment.c_str());
  SDL_putenv(const_cast<char*>(assignment.c_str()));
}

TEST(ContentSounds, AreRiffWave22050HzSixteenBitAndNotSilent) {
  for (const catalog::Sound* sound : catalog::Sounds) {
    const char* name = sound->file;
    SCOPED_TRACE(name);
    SDL_AudioSpec wave;
    Uint8* samples = nullptr;
    Uint32 length = 0;
    ASSERT_NE(SDL_LoadWAV_RW(SDL_RWFromFile(dataPath(name).c_str(), "rb"), 1, &wave, &samples, &length), nullptr)
        << SDL_GetError();
    EXPECT_EQ(wave.freq, 22050);
    EXPECT_EQ(wave.format, AUDIO_S16LSB);
    EXPECT_TRUE(wave.channels == 1 || wave.channels == 2) << static_cast<int>(wave.channels);
    int peak = 0;
    for (Uint32 i = 0; i + 1 < length; i += 2) {
      const int16_t sample = static_cast<int16_t>(samples[i] | samples[i + 1] << 8);
      peak = std::max(peak, std::abs(static_cast<int>(sample)));
    }
    EXPECT_GT(length, 22050u * 2 * wave.channels / 10) << "shorter than a tenth of a second";
    EXPECT_GT(peak, 1000) << "practically silent";
    SDL_FreeWAV(samples);
  }
}

TEST(ContentSounds, LoadSilentlyThroughThePlayerOnAnOpenDevice) {
  const std::string folder = testenv::scratchFolder("content-sound");
  setEnvironment("SDL_AUDIODRIVER=disk");
  setEnvironment("SDL_DISKAUDIOFILE=" + folder + "mix.raw");
  ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_AUDIO), 0) << SDL_GetError();
  {
    SoundPlayer player;
    ASSERT_TRUE(player.open());
    const std::string output = captureStdout([&] {
      player.loadLoop(dataPath(catalog::WaterLoop.file).c_str());
      for (int id = 0; id < 4; ++id) player.loadEffect(dataPath(catalog::GullCalls[id].file).c_str(), id);
    });
    EXPECT_EQ(output, "");
    EXPECT_EQ(player.effectCount(), 4);
    player.close();
  }
  SDL_QuitSubSystem(SDL_INIT_AUDIO);
  setEnvironment("SDL_AUDIODRIVER=");
}

}  // namespace
