// The generated Reefglass folder, loaded file by file through the readers the scene uses, with the
// scene's own load flags and frame ranges: every load succeeds, prints nothing, and gives what the
// scene needs from it (images with their alpha, enough frames, an 8-bit height map, glyphs for the
// overlay texts, sounds the mixer accepts, every text the program asks for).
#include <gtest/gtest.h>
#include <io.h>
#include <windows.h>
#include <GL/gl.h>

#include <SDL.h>
#include <SDL_mixer.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "config/TextTable.h"
#include "formats/BmpFormat.h"
#include "render/QModel.h"
#include "render/Terrain.h"
#include "render/TextObject.h"
#include "render/Texture.h"
#include "tests/support/GLTestContext.h"
#include "tests/support/TestEnvironment.h"
#include "world/SoundPlayer.h"

namespace {

// The scene joins "%s%s" onto a folder that ends in "/".
std::string dataFolder() { return testenv::buildFolder() + "Reefglass/"; }

std::string dataPath(const std::string& name) { return dataFolder() + name; }

GLTestContext& gl() {
  static GLTestContext context(64, 64);
  context.makeCurrent();
  return context;
}

// Standard output written while run executes.
std::string captureStdout(const std::function<void()>& run) {
  const std::string path = testenv::scratchFolder("content-stdout") + "stdout.txt";
  std::fflush(stdout);
  const int saved = _dup(_fileno(stdout));
  FILE* capture = std::fopen(path.c_str(), "wb");
  _dup2(_fileno(capture), _fileno(stdout));
  run();
  std::fflush(stdout);
  _dup2(saved, _fileno(stdout));
  _close(saved);
  std::fclose(capture);
  return testenv::readFile(path);
}

struct TextureFile {
  std::string name;
  unsigned flags;
};

// Every texture entry the scene can load: both choices of the sky and of the school skin, the
// single pictures with flags 34 and the 96 animation frames (highlights with 8).
std::vector<TextureFile> sceneTextures() {
  std::vector<TextureFile> files;
  for (const char* name :
       {"sky_cloudy.nlt", "sky_clear_32.nlt", "sky_clear_16.nlt", "models//gull.nlt", "models//manta.nlt",
        "terrain.nlt", "models//coral_a.nlt", "models//coral_b.nlt", "models//coral_c.nlt", "models//coral_d.nlt",
        "models//coral_f.nlt", "models//coral_g.nlt", "models//coral_h.nlt", "models//coral_i.nlt", "water.nlt",
        "gwfader.nlt", "models//rock2.nlt", "island.nlt", "blendmap.nlt", "models/reeffishes/blaugelbfish.nlt",
        "models/reeffishes/rotfish.nlt", "models/reeffishes/moorishidol.nlt", "models/reeffishes/gsbfish.nlt",
        "models/reeffishes/swpfish.nlt", "models/reeffishes/rbig.nlt", "models/reeffishes/ybig.nlt",
        "models/reeffishes/anglefish.nlt", "models/reeffishes/silverfish.nlt"}) {
    files.push_back({name, 34});
  }
  char name[64];
  for (int i = 0; i < 32; ++i) {
    std::snprintf(name, sizeof name, "caustics64/caust%.2d.nlt", i);
    files.push_back({name, 34});
  }
  for (int i = 0; i < 32; ++i) {
    std::snprintf(name, sizeof name, "causticsfish32/caust%.2d.nlt", i);
    files.push_back({name, 34});
  }
  for (int i = 44; i <= 75; ++i) {
    std::snprintf(name, sizeof name, "highlight/highlight%.5d.nlt", i);
    files.push_back({name, 8});
  }
  return files;
}

struct FrameRange {
  int first, last;
};

struct ModelFile {
  std::string name;
  std::vector<FrameRange> ranges;
  enum Kind { Fish, Flyer, Coral } kind;
};

// Every model file with the ranges the scene asks of it.
std::vector<ModelFile> sceneModels() {
  return {{"models//gull.nlm", {{0, 19}, {23, 42}}, ModelFile::Flyer},
          {"models//manta.nlm", {{0, 19}}, ModelFile::Flyer},
          {"models/coral_a.nlm", {{0, 9}}, ModelFile::Coral},
          {"models/coral_b.nlm", {{0, 19}}, ModelFile::Coral},
          {"models/coral_c.nlm", {{0, 19}}, ModelFile::Coral},
          {"models/coral_d.nlm", {{0, 19}}, ModelFile::Coral},
          {"models/coral_f.nlm", {{0, 9}}, ModelFile::Coral},
          {"models/coral_g.nlm", {{0, 9}}, ModelFile::Coral},
          {"models/coral_h.nlm", {{0, 9}}, ModelFile::Coral},
          {"models/coral_i.nlm", {{0, 9}}, ModelFile::Coral},
          {"models/reeffishes/ybig.nlm", {{0, 19}}, ModelFile::Fish},
          {"models/reeffishes/rbig.nlm", {{0, 19}}, ModelFile::Fish},
          {"models/reeffishes/moorishidol.nlm", {{0, 19}}, ModelFile::Fish},
          {"models/reeffishes/rfish.nlm", {{0, 9}}, ModelFile::Fish},
          {"models/reeffishes/gsbfish.nlm", {{0, 19}}, ModelFile::Fish},
          {"models/reeffishes/silverfish.nlm", {{0, 9}}, ModelFile::Fish},
          {"models/reeffishes/swpfish.nlm", {{20, 39}}, ModelFile::Fish}};
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
  ASSERT_EQ(files.size(), 28u + 3 * 32u);
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
    largest = std::max(largest, std::sqrt((a.x - b.x) * (a.x - b.x) + (a.y - b.y) * (a.y - b.y) + (a.z - b.z) * (a.z - b.z)));
  }
  return largest;
}

TEST(ContentModels, EveryModelLoadsSilentlyWithTheFramesItsRangesNeed) {
  const std::vector<ModelFile> files = sceneModels();
  std::vector<std::unique_ptr<QModel>> models;
  std::vector<bool> loaded;
  const std::string output = captureStdout([&] {
    for (const ModelFile& file : files) {
      models.push_back(std::make_unique<QModel>());
      loaded.push_back(models.back()->loadMD3(dataPath(file.name).c_str()));
    }
  });
  EXPECT_EQ(output, "");
  for (size_t i = 0; i < files.size(); ++i) {
    SCOPED_TRACE(files[i].name);
    ASSERT_TRUE(loaded[i]);
    QModel& model = *models[i];
    EXPECT_GT(model.vertexCount(), 0);
    EXPECT_GT(model.triangleCount(), 0);
    for (const FrameRange& range : files[i].ranges) {
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
  for (const ModelFile& file : sceneModels()) {
    SCOPED_TRACE(file.name);
    QModel model;
    ASSERT_TRUE(model.loadMD3(dataPath(file.name).c_str()));
    for (const FrameRange& range : file.ranges) {
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
      const bool still = file.name == "models//gull.nlm" && range.first == 0;
      if (file.kind != ModelFile::Coral && !still) {
        EXPECT_GT(largestExcursion, 0.0f) << "a range without motion";
      }
    }
  }
}

// Creatures are placed by look-at frames that swim along the model's -z with +y up: a fish is long
// along z and thin along x; gull and manta are wider (wingspan, x) than long.
TEST(ContentModels, CreaturesLieAlongTheirSwimAxis) {
  for (const ModelFile& file : sceneModels()) {
    if (file.kind == ModelFile::Coral) continue;
    SCOPED_TRACE(file.name);
    QModel model;
    ASSERT_TRUE(model.loadMD3(dataPath(file.name).c_str()));
    Vector3 low = model.vertex(0, 0), high = low;
    for (int v = 0; v < model.vertexCount(); ++v) {
      const Vector3 p = model.vertex(0, v);
      low = {std::min(low.x, p.x), std::min(low.y, p.y), std::min(low.z, p.z)};
      high = {std::max(high.x, p.x), std::max(high.y, p.y), std::max(high.z, p.z)};
    }
    const Vector3 size{high.x - low.x, high.y - low.y, high.z - low.z};
    if (file.kind == ModelFile::Fish) {
      EXPECT_GT(size.z, 2.0f * size.x) << "length " << size.z << ", width " << size.x;
    } else {
      EXPECT_GT(size.x, size.z) << "span " << size.x << ", length " << size.z;
      EXPECT_GT(size.x, 2.0f * size.y) << "span " << size.x << ", height " << size.y;
    }
  }
}

TEST(ContentTerrain, HeightMapIsEightBitWithAWidthDivisibleByFour) {
  const std::string path = dataPath("terrain_map.nlt");
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
  EXPECT_EQ(captureStdout([&] { loaded = text.loadFont(dataPath("font.nlf").c_str()); }), "");
  ASSERT_TRUE(loaded);
  EXPECT_NE(text.fontTexture(), 0u);
  for (unsigned code = 32; code <= 126; ++code) EXPECT_NE(text.glyph(code), nullptr) << "code " << code;

  // The overlay draws the help lines and the frame-rate line byte by byte (a byte is its own
  // character code); each of their characters needs a glyph with visible texels in its box.
  TextTable language;
  language.setSection("NL");
  ASSERT_TRUE(language.openFile(dataPath("Language.dat").c_str()));
  std::string overlay = "0123456789 x.fps";
  for (const char* key : {"help", "helpexpanded"}) {
    const std::string value = language.lookup(key);
    EXPECT_NE(value, "") << key;
    overlay += value;
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
    const int x0 = static_cast<int>(std::lround(glyph->s0 * width)), x1 = static_cast<int>(std::lround(glyph->s1 * width));
    const int y0 = static_cast<int>(std::lround(std::min(glyph->t0, glyph->t1) * height));
    const int y1 = static_cast<int>(std::lround(std::max(glyph->t0, glyph->t1) * height));
    int inked = 0;
    for (int y = std::max(y0, 0); y < std::min(y1, height); ++y) {
      for (int x = std::max(x0, 0); x < std::min(x1, width); ++x) inked += texels[2u * (y * width + x) + 1] > 128;
    }
    EXPECT_GT(inked, 0) << "glyph of byte " << static_cast<int>(byte) << " is blank";
  }
}

struct TextFile {
  const char* name;
  std::vector<const char*> keys;
};

TEST(ContentTexts, EveryKeyTheProgramAsksForHasAText) {
  const std::vector<TextFile> files = {
      {"Directory.dat", {"win32reg", "appname_long", "mainbitmap"}},
      {"Language.dat", {"caption",    "cancel",        "screensettings", "intro",        "boid",
                        "fish",       "birds",         "sky",            "camera",       "sound",
                        "infotxt",    "hyperlink_txt", "hyperlink",      "boidtype",     "boidcount",
                        "fishtype",   "fishcount",     "birdtype",       "skytext",      "cloudy",
                        "cloudless",  "cameratext",    "scrollspeed",    "resttime_top", "resttime_bottom",
                        "automatic",  "top",           "middle",         "bottom",       "soundtext",
                        "on_off",     "help",          "helpexpanded"}},
      {"ScreenLanguage.dat",
       {"caption", "displaymodetext", "leaveresolution", "bitsperpixel", "resolution", "shadesecondary", "cancel"}}};
  for (const TextFile& file : files) {
    SCOPED_TRACE(file.name);
    TextTable table;
    table.setSection("NL");
    ASSERT_TRUE(table.openFile(dataPath(file.name).c_str()));
    for (const char* key : file.keys) EXPECT_STRNE(table.lookup(key), "") << key;
  }

  // The settings dialog loads the intro picture as a device-independent section from the folder.
  TextTable directory;
  directory.setSection("NL");
  ASSERT_TRUE(directory.openFile(dataPath("Directory.dat").c_str()));
  const std::string picture = dataPath(directory.lookup("mainbitmap"));
  HANDLE image = LoadImageA(nullptr, picture.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION);
  EXPECT_NE(image, nullptr) << picture;
  if (image) DeleteObject(image);
}

void setEnvironment(const std::string& assignment) {
  _putenv(assignment.c_str());
  SDL_putenv(const_cast<char*>(assignment.c_str()));
}

const char* const SoundFiles[] = {"sound/water.wav", "sound/seagull1.wav", "sound/seagull2.wav",
                                  "sound/seagull3.wav", "sound/seagull4.wav"};

TEST(ContentSounds, AreRiffWave22050HzSixteenBitAndNotSilent) {
  for (const char* name : SoundFiles) {
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
      player.loadLoop(dataPath(SoundFiles[0]).c_str());
      for (int id = 0; id < 4; ++id) player.loadEffect(dataPath(SoundFiles[1 + id]).c_str(), id);
    });
    EXPECT_EQ(output, "");
    EXPECT_EQ(player.effectCount(), 4);
    player.close();
  }
  SDL_QuitSubSystem(SDL_INIT_AUDIO);
  setEnvironment("SDL_AUDIODRIVER=");
}

}  // namespace
