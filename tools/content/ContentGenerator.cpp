#include "ContentGenerator.h"

#include "BmpWriter.h"
#include "CoralModels.h"
#include "CoralSkins.h"
#include "DialogPictures.h"
#include "FishModels.h"
#include "FishSkins.h"
#include "FlyerModels.h"
#include "FontWriter.h"
#include "HeightMap.h"
#include "LightTextures.h"
#include "Md3Writer.h"
#include "OutputFolder.h"
#include "SceneryTextures.h"
#include "Sounds.h"
#include "TextFiles.h"
#include "WavWriter.h"

#include <cstdio>

namespace {

bool writeModel(OutputFolder& folder, const std::string& name, const AnimatedModel& model) {
  Bytes bytes;
  if (!encodeMd3(model, name, bytes)) return false;
  folder.write(name, bytes);
  return true;
}

void writeScenery(OutputFolder& data, const SeaFloor& floor) {
  data.write("sky_cloudy.nlt", encodeBmp24(cloudySky()));
  data.write("sky_clear_32.nlt", encodeBmp24(clearSky(false)));
  data.write("sky_clear_16.nlt", encodeBmp24(clearSky(true)));
  data.write("terrain.nlt", encodeBmp24(sandTexture(floor)));
  data.write("water.nlt", encodeBmp32(waterTexture()));
  data.write("gwfader.nlt", encodeBmp32(horizonFader()));
  data.write("models/rock2.nlt", encodeBmp32(rockTexture()));
  data.write("island.nlt", encodeBmp32(islandTexture()));
  data.write("blendmap.nlt", encodeBmp32(blendMap()));

  std::vector<Rgba> greys;
  for (int i = 0; i < 256; ++i) greys.push_back(rgb(i / 255.0f, i / 255.0f, i / 255.0f));
  data.write("terrain_map.nlt", encodeBmp8(HeightMapSize, HeightMapSize, floor.mapBytes(), greys));
}

void writeLight(OutputFolder& data) {
  char name[64];
  std::vector<Image> floorFrames = floorCaustics();
  std::vector<Image> fishFrames = fishCaustics();
  std::vector<Image> glints = surfaceHighlights();
  for (int f = 0; f < LightFrames; ++f) {
    std::snprintf(name, sizeof name, "caustics64/caust%.2d.nlt", f);
    data.write(name, encodeBmp24(floorFrames[f]));
    std::snprintf(name, sizeof name, "causticsfish32/caust%.2d.nlt", f);
    data.write(name, encodeBmp24(fishFrames[f]));
    std::snprintf(name, sizeof name, "highlight/highlight%.5d.nlt", 44 + f);
    data.write(name, encodeBmp32(glints[f]));
  }
}

void writeSounds(OutputFolder& data) {
  data.write("sound/water.wav", encodeWav(waterLoop(), 2));
  for (int call = 0; call < 4; ++call) {
    data.write("sound/seagull" + std::to_string(call + 1) + ".wav", encodeWav(gullCall(call), 1));
  }
}

void writeTexts(OutputFolder& data) {
  data.writeText("Directory.dat", formatTextFile("Reefglass installation", directoryEntries()));
  data.writeText("Language.dat", formatTextFile("Reefglass settings and help texts", languageEntries()));
  data.writeText("ScreenLanguage.dat", formatTextFile("Reefglass display mode texts", screenLanguageEntries()));
}

}  // namespace

bool generateContent(const std::string& dataFolder, const std::string& pictureFolder, ContentSummary& summary) {
  OutputFolder data(dataFolder);
  OutputFolder pictures(pictureFolder);
  bool built = true;

  writeTexts(data);
  SeaFloor floor;
  writeScenery(data, floor);
  writeLight(data);
  writeSounds(data);

  Bytes font;
  if (encodeFont(REEF_FONT_FILE, font)) {
    data.write("font.nlf", font);
  } else {
    built = false;
  }

  // Fish: one model per shape, the reef fish shape wearing three skins.
  const AnimatedModel silverfish = buildFishModel(silverfishShape(), {{10, 1.0f}}, "models/reeffishes/silverfish.nlt");
  const AnimatedModel reefFish = buildFishModel(reefFishShape(), {{10, 1.0f}}, "models/reeffishes/rotfish.nlt");
  const AnimatedModel idol = buildFishModel(moorishIdolShape(), {{20, 1.0f}}, "models/reeffishes/moorishidol.nlt");
  const AnimatedModel yellowBlue = buildFishModel(yellowBlueShape(), {{20, 1.0f}}, "models/reeffishes/gsbfish.nlt");
  // The predator cruises slowly in 0-19 and swims with full strokes in 20-39.
  const AnimatedModel predator =
      buildFishModel(predatorShape(), {{20, 0.5f}, {20, 1.0f}}, "models/reeffishes/swpfish.nlt");
  const AnimatedModel bigGrey = buildFishModel(bigGreyShape(), {{20, 1.0f}}, "models/reeffishes/ybig.nlt");
  const AnimatedModel bigRed = buildFishModel(bigRedShape(), {{20, 1.0f}}, "models/reeffishes/rbig.nlt");
  const Image silverSkin = silverfishSkin(), angleSkin = anglefishSkin(), redSkin = redFishSkin(),
              blueSkin = blueFishSkin();
  const Image idolSkin = moorishIdolSkin(), yellowBlueSkinImage = yellowBlueSkin(), predatorSkinImage = predatorSkin();
  const Image bigGreySkinImage = bigGreySkin(), bigRedSkinImage = bigRedSkin();

  built &= writeModel(data, "models/reeffishes/silverfish.nlm", silverfish);
  built &= writeModel(data, "models/reeffishes/rfish.nlm", reefFish);
  built &= writeModel(data, "models/reeffishes/moorishidol.nlm", idol);
  built &= writeModel(data, "models/reeffishes/gsbfish.nlm", yellowBlue);
  built &= writeModel(data, "models/reeffishes/swpfish.nlm", predator);
  built &= writeModel(data, "models/reeffishes/ybig.nlm", bigGrey);
  built &= writeModel(data, "models/reeffishes/rbig.nlm", bigRed);
  data.write("models/reeffishes/silverfish.nlt", encodeBmp24(silverSkin));
  data.write("models/reeffishes/anglefish.nlt", encodeBmp24(angleSkin));
  data.write("models/reeffishes/rotfish.nlt", encodeBmp24(redSkin));
  data.write("models/reeffishes/blaugelbfish.nlt", encodeBmp24(blueSkin));
  data.write("models/reeffishes/moorishidol.nlt", encodeBmp24(idolSkin));
  data.write("models/reeffishes/gsbfish.nlt", encodeBmp24(yellowBlueSkinImage));
  data.write("models/reeffishes/swpfish.nlt", encodeBmp24(predatorSkinImage));
  data.write("models/reeffishes/ybig.nlt", encodeBmp24(bigGreySkinImage));
  data.write("models/reeffishes/rbig.nlt", encodeBmp24(bigRedSkinImage));

  const AnimatedModel manta = buildMantaModel();
  const AnimatedModel gull = buildGullModel();
  const Image mantaSkinImage = mantaSkin(), gullSkinImage = gullSkin();
  built &= writeModel(data, "models/manta.nlm", manta);
  built &= writeModel(data, "models/gull.nlm", gull);
  data.write("models/manta.nlt", encodeBmp24(mantaSkinImage));
  data.write("models/gull.nlt", encodeBmp24(gullSkinImage));

  // "wabbel" lengths as the scene plays them.
  struct CoralKind {
    char letter;
    int frames;
  };
  const CoralKind corals[] = {{'a', 10}, {'b', 20}, {'c', 20}, {'d', 20}, {'f', 10}, {'g', 10}, {'h', 10}, {'i', 10}};
  AnimatedModel staghorn, brain;
  Image staghornSkin(1, 1), brainSkin(1, 1);
  for (const CoralKind& kind : corals) {
    std::string base = std::string("models/coral_") + kind.letter;
    AnimatedModel model = buildCoralModel(kind.letter, kind.frames);
    Image skin = coralSkin(kind.letter);
    built &= writeModel(data, base + ".nlm", model);
    data.write(base + ".nlt", encodeBmp24(skin));
    if (kind.letter == 'a') {
      staghorn = model;
      staghornSkin = skin;
    } else if (kind.letter == 'g') {
      brain = model;
      brainSkin = skin;
    }
  }

  const Image caustic = causticStill(128, 0.0f);
  IntroCast cast{&idol,       &idolSkin,   &reefFish, &redSkin,      &blueSkin, &yellowBlue, &yellowBlueSkinImage,
                 &silverfish, &silverSkin, &staghorn, &staghornSkin, &brain,    &brainSkin,  &caustic};
  data.write(IntroPictureName, encodeBmp24(introPicture(cast)));

  pictures.write("fish_silverfish.bmp", encodeBmp24(creaturePicture(silverfish, silverSkin, false)));
  pictures.write("fish_anglefish.bmp", encodeBmp24(creaturePicture(reefFish, angleSkin, false)));
  pictures.write("fish_red.bmp", encodeBmp24(creaturePicture(reefFish, redSkin, false)));
  pictures.write("fish_blue.bmp", encodeBmp24(creaturePicture(reefFish, blueSkin, false)));
  pictures.write("fish_stripe.bmp", encodeBmp24(creaturePicture(idol, idolSkin, false)));
  pictures.write("fish_dot.bmp", encodeBmp24(creaturePicture(predator, predatorSkinImage, false)));
  pictures.write("fish_yellowblue.bmp", encodeBmp24(creaturePicture(yellowBlue, yellowBlueSkinImage, false)));
  pictures.write("fish_biggrey.bmp", encodeBmp24(creaturePicture(bigGrey, bigGreySkinImage, false)));
  pictures.write("fish_bigred.bmp", encodeBmp24(creaturePicture(bigRed, bigRedSkinImage, false)));
  pictures.write("manta.bmp", encodeBmp24(creaturePicture(manta, mantaSkinImage, true)));
  pictures.write("gull.bmp", encodeBmp24(creaturePicture(gull, gullSkinImage, true)));

  summary.files = data.fileCount() + pictures.fileCount();
  summary.dataBytes = data.byteCount();
  return built && data.ok() && pictures.ok();
}
