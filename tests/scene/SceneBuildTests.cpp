// Which creatures the settings make, with the real data folder and a real GL context.
#include <windows.h>
#include <gtest/gtest.h>

#include <GL/gl.h>

#include <string>
#include <vector>

#include "formats/DataCatalog.h"
#include "render/Texture.h"
#include "tests/scene/SceneTestSupport.h"
#include "tests/support/TestEnvironment.h"

using scenetest::DrivenScene;

namespace {

void setAll(SaverSettings& s, bool on) {
  s.FishRed = s.FishBlue = s.FishStripe = s.FishYellBlu = s.FishDot = on;
  s.FishBigGrey = s.FishBigRed = s.FishManta = s.BirdGull = on;
}

std::vector<unsigned char> texels(GLuint id) {
  glBindTexture(GL_TEXTURE_2D, id);
  GLint w = 0, h = 0;
  glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &w);
  glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &h);
  std::vector<unsigned char> pixels(static_cast<size_t>(w) * h * 4);
  if (!pixels.empty()) glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
  return pixels;
}

// The texture holds exactly the picture of the named data file.
bool holdsFile(SeaSceneApp& app, const Texture& texture, const char* relative) {
  Texture reference;
  const std::string path = std::string(app.dataFolder()) + relative;
  if (!reference.loadBMP(path.c_str(), catalog::PictureLoadFlags)) return false;
  const auto expected = texels(reference.id());
  return !expected.empty() && texels(texture.id()) == expected;
}

const int Manta = scenetest::kindNamed("manta");
const int Predator = scenetest::kindNamed("predator");
const int BigGrey = scenetest::kindNamed("big grey fish");
const int BigRed = scenetest::kindNamed("big red fish");
const int School = scenetest::kindNamed("school");

int countedCreatures(const SeaScene& sea) {
  int counted = sea.reefFishCount();
  for (const int kind : {Manta, Predator, BigGrey, BigRed}) counted += sea.present(kind) ? 1 : 0;
  return counted;
}

// The Display control panel shows the small preview whenever somebody looks through the savers.
TEST(SceneBuild, ThePreviewOpensNoSoundDevice) {
  const std::string folder = testenv::scratchFolder("preview-sound");
  HWND host = scenetest::previewHost(320, 240);
  ASSERT_NE(host, nullptr);
  const testenv::ScopedEnvironment driver("SDL_AUDIODRIVER", "disk");
  for (const bool preview : {true, false}) {
    const std::string capture = folder + (preview ? "preview.raw" : "window.raw");
    const testenv::ScopedEnvironment file("SDL_DISKAUDIOFILE", capture);
    const std::string line =
        preview ? "reef.scr /p " + std::to_string(reinterpret_cast<LONG_PTR>(host)) : "reef.scr /t";
    DrivenScene scene(SaverBuild::Basic, line, [](SeaSceneApp& app) { app.settings().SoundOn = true; });
    ASSERT_TRUE(scene.ready()) << line;
    EXPECT_EQ(scene.app().soundPlayer() == nullptr, preview) << line;
    EXPECT_EQ(testenv::fileExists(capture), !preview) << line;
  }
  DestroyWindow(host);
}

// Anyone can write the counts into the registry; more fish than this would only exhaust memory.
TEST(SceneBuild, HostileCountsMakeAThousandFishOfEachKindAtMost) {
  DrivenScene scene(SaverBuild::Basic, "reef.scr /t", [](SeaSceneApp& app) {
    app.settings().BoidCount = 0x7FFFFFFF;
    app.settings().FishCount = 2000000;
  });
  ASSERT_TRUE(scene.ready());
  EXPECT_EQ(scene.sea().schoolSize(), 1000);
  EXPECT_EQ(scene.sea().reefFishCount(), 1000);
  scene.frames(2, 20);  // and they swim
}

TEST(SceneBuild, FishCountZeroLeavesOnlyGuideAndSchool) {
  DrivenScene scene(SaverBuild::Basic, "reef.scr /t", [](SeaSceneApp& app) {
    setAll(app.settings(), true);
    app.settings().FishCount = 0;
  });
  ASSERT_TRUE(scene.ready());
  const SeaScene& sea = scene.sea();
  EXPECT_EQ(countedCreatures(sea), 0);
  EXPECT_EQ(sea.schoolSize(), 10);
  EXPECT_EQ(sea.routePatrol().current(), -1);

  // Nothing counted advances, while the guide swims and the school follows it.
  const Vector3 guideStart = sea.guide().position();
  const Vector3 fishStart = sea.schoolFish(0).position();
  scene.frames(200, 20);
  EXPECT_GT(distance(sea.guide().position(), guideStart), 0.5f);
  EXPECT_GT(distance(sea.schoolFish(0).position(), fishStart), 0.5f);
  EXPECT_LT(distance(sea.schoolFish(0).position(), sea.guide().position()), 6.0f);
  EXPECT_FALSE(sea.present(Manta));
}

TEST(SceneBuild, OneCountedCreatureGoesToTheManta) {
  DrivenScene scene(SaverBuild::Basic, "reef.scr /t", [](SeaSceneApp& app) {
    setAll(app.settings(), true);
    app.settings().FishCount = 1;
  });
  ASSERT_TRUE(scene.ready());
  EXPECT_TRUE(scene.sea().present(Manta));
  EXPECT_EQ(countedCreatures(scene.sea()), 1);
}

TEST(SceneBuild, TenWithEverythingOnMakesSixReefFishInSpeciesOrder) {
  DrivenScene scene(SaverBuild::Basic, "reef.scr /t", [](SeaSceneApp& app) {
    setAll(app.settings(), true);
    app.settings().FishCount = 10;
  });
  ASSERT_TRUE(scene.ready());
  const SeaScene& sea = scene.sea();
  for (const int kind : {Manta, Predator, BigGrey, BigRed}) EXPECT_TRUE(sea.present(kind)) << kind;
  ASSERT_EQ(sea.reefFishCount(), 6);
  const char* species[6] = {"striped fish", "red fish", "blue fish", "yellow-blue fish", "striped fish", "red fish"};
  for (int i = 0; i < 6; ++i) EXPECT_EQ(sea.reefFishKind(i), scenetest::kindNamed(species[i])) << i;
  // Facing alternates: +x, -x, +x, ...
  for (int i = 0; i < 6; ++i) {
    const float facing = sea.reefFish(i).target().x - sea.reefFish(i).position().x;
    EXPECT_FLOAT_EQ(facing, i % 2 == 0 ? 1.0f : -1.0f) << i;
    EXPECT_FLOAT_EQ(sea.reefFish(i).position().y, static_cast<float>(i % 3) * 0.6f - 3.0f) << i;
  }
  EXPECT_GE(sea.routePatrol().current(), 0);
}

TEST(SceneBuild, NoSpeciesMeansNoReefFishWhateverTheCount) {
  DrivenScene scene(SaverBuild::Basic, "reef.scr /t", [](SeaSceneApp& app) {
    SaverSettings& s = app.settings();
    s.FishCount = 10;
    s.FishRed = s.FishBlue = s.FishStripe = s.FishYellBlu = false;
  });
  ASSERT_TRUE(scene.ready());
  EXPECT_EQ(scene.sea().reefFishCount(), 0);
  EXPECT_TRUE(scene.sea().present(Predator));
}

TEST(SceneBuild, SchoolModelAndTextureFollowBoidModel) {
  {
    DrivenScene scene(SaverBuild::Basic, "reef.scr /t", [](SeaSceneApp& app) { app.settings().BoidModel = 1; });
    ASSERT_TRUE(scene.ready());
    QModel rfish;
    ASSERT_TRUE(rfish.loadMD3((std::string(scene.app().dataFolder()) + "models/reeffishes/rfish.nlm").c_str()));
    EXPECT_EQ(scene.sea().model(School).vertexCount(), rfish.vertexCount());
    EXPECT_TRUE(holdsFile(scene.app(), scene.sea().skin(School), "models/reeffishes/anglefish.nlt"));
  }
  {
    DrivenScene scene(SaverBuild::Basic, "reef.scr /t", [](SeaSceneApp& app) { app.settings().BoidModel = 0; });
    ASSERT_TRUE(scene.ready());
    QModel silver;
    ASSERT_TRUE(silver.loadMD3((std::string(scene.app().dataFolder()) + "models/reeffishes/silverfish.nlm").c_str()));
    EXPECT_EQ(scene.sea().model(School).vertexCount(), silver.vertexCount());
    EXPECT_TRUE(holdsFile(scene.app(), scene.sea().skin(School), "models/reeffishes/silverfish.nlt"));
  }
}

// A manta whose model is missing is never seen: its path stays where it started.
TEST(SceneBuild, AMantaWithoutItsModelIsNotMoved) {
  DrivenScene scene(SaverBuild::Basic, "reef.scr /t", [](SeaSceneApp& app) {
    setAll(app.settings(), true);
    app.settings().SoundOn = false;
  });
  ASSERT_TRUE(scene.ready());
  ASSERT_TRUE(scene.sea().present(Manta));
  const auto mantaPosition = [](const SeaScene& sea) {
    for (const SeaScene::Creature& creature : sea.creatures()) {
      if (creature.kind == Manta) return creature.pose->position();
    }
    return Vector3{};
  };
  const Vector3 start = mantaPosition(scene.sea());
  scene.frames(20, 50);
  EXPECT_GT(distance(mantaPosition(scene.sea()), start), 0.1f) << "with its model it sweeps";

  SaverSettings settings;
  setAll(settings, true);
  SeaScene bare;
  bare.build(settings, testenv::scratchFolder("no-data").c_str(), SeaScene::Options{}, 1000);
  ASSERT_TRUE(bare.present(Manta));
  ASSERT_EQ(bare.model(Manta).frameCount(), 0);
  const Vector3 bareStart = mantaPosition(bare);
  for (uint32_t now = 1050; now <= 2000; now += 50) bare.advance(now);
  EXPECT_EQ(mantaPosition(bare), bareStart);
}

TEST(SceneBuild, SkyPictureFollowsSkyTypeAndColourDepth) {
  const struct {
    int skyType;
    int depth;
    const char* file;
  } cases[] = {{0, 16, "sky_cloudy.nlt"},
               {0, 32, "sky_cloudy.nlt"},
               {1, 16, "sky_clear_16.nlt"},
               {1, 32, "sky_clear_32.nlt"},
               {5, 24, "sky_clear_16.nlt"}};
  for (const auto& c : cases) {
    DrivenScene scene(SaverBuild::Basic, "reef.scr /t", [&](SeaSceneApp& app) {
      app.settings().SkyType = c.skyType;
      app.screenSettings().Bpp = c.depth;
    });
    ASSERT_TRUE(scene.ready());
    ASSERT_EQ(scene.app().colourDepth(), c.depth);
    EXPECT_TRUE(holdsFile(scene.app(), scene.sea().sky(), c.file)) << c.file;
  }
}

}  // namespace
