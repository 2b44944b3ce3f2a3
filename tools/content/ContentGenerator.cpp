#include "ContentGenerator.h"

#include "BmpWriter.h"
#include "CoralModels.h"
#include "CoralSkins.h"
#include "DialogPictures.h"
#include "FishModels.h"
#include "FishSkins.h"
#include "FloorDetail.h"
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
#include <iterator>

#include "formats/DataCatalog.h"

using namespace catalog;

namespace {

void writePicture(OutputFolder& folder, const Picture& picture, const Image& image) {
  folder.write(picture.file, encodeBmp(image, picture.bitsPerPixel));
}

bool writeRun(OutputFolder& folder, const PictureRun& run, const std::vector<Image>& frames) {
  if (static_cast<int>(frames.size()) != run.count) {
    std::fprintf(stderr, "reefcontent: %zu frames of %s, the catalogue has %d\n", frames.size(), run.pattern,
                 run.count);
    return false;
  }
  for (int f = 0; f < run.count; ++f) {
    folder.write(run.file(f), encodeBmp(frames[f], run.bitsPerPixel));
  }
  return true;
}

// The file names its own name and its first skin, as the file system spells them.
bool writeModel(OutputFolder& folder, const Model& entry, const AnimatedModel& model) {
  if (static_cast<int>(model.frames.size()) != entry.frameCount) {
    std::fprintf(stderr, "reefcontent: %zu frames of %s, the catalogue has %d\n", model.frames.size(), entry.file,
                 entry.frameCount);
    return false;
  }
  Bytes bytes;
  if (!encodeMd3(model, fileSystemName(entry.file), fileSystemName(entry.skins[0]->file), bytes)) return false;
  folder.write(entry.file, bytes);
  return true;
}

int length(const FrameRange& range) { return range.last - range.first + 1; }

void writeScenery(OutputFolder& data, const SeaFloor& floor) {
  writePicture(data, SkyCloudy, cloudySky());
  writePicture(data, SkyClear32, clearSky(false));
  writePicture(data, SkyClear16, clearSky(true));
  writePicture(data, Sand, sandTexture(floor));
  writePicture(data, FloorDetail, floorDetail(FloorDetailRepeat));
  writePicture(data, Water, waterTexture());
  writePicture(data, HorizonFader, horizonFader());
  writePicture(data, Rock, rockTexture());
  writePicture(data, Island, islandTexture());
  writePicture(data, BlendMap, blendMap());

  std::vector<Rgba> greys;
  for (int i = 0; i < 256; ++i) greys.push_back(rgb(i / 255.0f, i / 255.0f, i / 255.0f));
  data.write(TerrainMap.file, encodeBmp8(HeightMapSize, HeightMapSize, floor.mapBytes(), greys));
}

bool writeLight(OutputFolder& data) {
  const std::vector<Image> floorFrames = floorCaustics();
  const std::vector<Image> fishFrames = fishCaustics();
  const std::vector<Image> glints = surfaceHighlights();
  bool written = writeRun(data, FloorCaustics, floorFrames);
  written &= writeRun(data, FishCaustics, fishFrames);
  written &= writeRun(data, Highlights, glints);
  return written;
}

void writeSounds(OutputFolder& data) {
  data.write(WaterLoop.file, encodeWav(waterLoop(), WaterLoop.channels));
  for (int call = 0; call < static_cast<int>(std::size(GullCalls)); ++call) {
    data.write(GullCalls[call].file, encodeWav(gullCall(call), GullCalls[call].channels));
  }
}

void writeTexts(OutputFolder& data) {
  data.writeText(textkeys::directory::File, formatTextFile("Reefglass installation", directoryEntries()));
  data.writeText(textkeys::language::File, formatTextFile("Reefglass settings and help texts", languageEntries()));
  data.writeText(textkeys::screenlanguage::File,
                 formatTextFile("Reefglass display mode texts", screenLanguageEntries()));
}

}  // namespace

bool generateContent(const std::string& dataFolder, const std::string& pictureFolder, ContentSummary& summary) {
  OutputFolder data(dataFolder);
  OutputFolder pictures(pictureFolder);
  bool built = true;

  writeTexts(data);
  // The corals stand on the floor as the scene draws it.
  const SeaFloor floor;
  std::vector<AnimatedModel> corals;
  for (int kind = 0; kind < static_cast<int>(std::size(CoralModels)); ++kind) {
    corals.push_back(buildCoralModel(kind, CoralModels[kind].frameCount,
                                     [&floor](float x, float z) { return floor.drawnHeight(x, z); }));
  }
  writeScenery(data, floor);
  built &= writeLight(data);
  writeSounds(data);

  Bytes font;
  if (encodeFont(REEF_FONT_FILE, font)) {
    data.write(FontFile, font);
  } else {
    built = false;
  }

  // Fish: one model per shape, the reef fish shape wearing three skins. The predator cruises
  // slowly in the frames before the range the scene plays, with full strokes in it.
  const AnimatedModel silverfish = buildFishModel(silverfishShape(), {{SilverFishModel.frameCount, 1.0f}});
  const AnimatedModel reefFish = buildFishModel(reefFishShape(), {{ReefFishModel.frameCount, 1.0f}});
  const AnimatedModel idol = buildFishModel(moorishIdolShape(), {{StripedFishModel.frameCount, 1.0f}});
  const AnimatedModel yellowBlue = buildFishModel(yellowBlueShape(), {{YellowBlueFishModel.frameCount, 1.0f}});
  const FrameRange& predatorSwim = PredatorModel.ranges[0];
  const AnimatedModel predator =
      buildFishModel(predatorShape(), {{predatorSwim.first, 0.5f}, {length(predatorSwim), 1.0f}});
  const AnimatedModel bigGrey = buildFishModel(bigGreyShape(), {{BigGreyFishModel.frameCount, 1.0f}});
  const AnimatedModel bigRed = buildFishModel(bigRedShape(), {{BigRedFishModel.frameCount, 1.0f}});
  const Image silverSkin = silverfishSkin(), angleSkin = anglefishSkin(), redSkin = redFishSkin(),
              blueSkin = blueFishSkin();
  const Image idolSkin = moorishIdolSkin(), yellowBlueSkinImage = yellowBlueSkin(), predatorSkinImage = predatorSkin();
  const Image bigGreySkinImage = bigGreySkin(), bigRedSkinImage = bigRedSkin();

  built &= writeModel(data, SilverFishModel, silverfish);
  built &= writeModel(data, ReefFishModel, reefFish);
  built &= writeModel(data, StripedFishModel, idol);
  built &= writeModel(data, YellowBlueFishModel, yellowBlue);
  built &= writeModel(data, PredatorModel, predator);
  built &= writeModel(data, BigGreyFishModel, bigGrey);
  built &= writeModel(data, BigRedFishModel, bigRed);
  writePicture(data, SilverFishSkin, silverSkin);
  writePicture(data, AngleFishSkin, angleSkin);
  writePicture(data, RedFishSkin, redSkin);
  writePicture(data, BlueFishSkin, blueSkin);
  writePicture(data, StripedFishSkin, idolSkin);
  writePicture(data, YellowBlueFishSkin, yellowBlueSkinImage);
  writePicture(data, PredatorSkin, predatorSkinImage);
  writePicture(data, BigGreyFishSkin, bigGreySkinImage);
  writePicture(data, BigRedFishSkin, bigRedSkinImage);

  const AnimatedModel manta = buildMantaModel();
  const AnimatedModel gull = buildGullModel();
  const Image mantaSkinImage = mantaSkin(), gullSkinImage = gullSkin();
  built &= writeModel(data, MantaModel, manta);
  built &= writeModel(data, GullModel, gull);
  writePicture(data, MantaSkin, mantaSkinImage);
  writePicture(data, GullSkin, gullSkinImage);

  std::vector<Image> coralSkins;
  for (size_t i = 0; i < std::size(CoralModels); ++i) {
    coralSkins.push_back(coralSkin(static_cast<int>(i)));
    built &= writeModel(data, CoralModels[i], corals[i]);
    writePicture(data, CoralSkins[i], coralSkins[i]);
  }
  // The intro shows the staghorn and the brain colonies.
  const AnimatedModel& staghorn = corals[0];
  const AnimatedModel& brain = corals[5];
  const Image& staghornSkin = coralSkins[0];
  const Image& brainSkin = coralSkins[5];

  const Image caustic = causticStill(128, 0.0f);
  IntroCast cast{&idol,       &idolSkin,   &reefFish, &redSkin,      &blueSkin, &yellowBlue, &yellowBlueSkinImage,
                 &silverfish, &silverSkin, &staghorn, &staghornSkin, &brain,    &brainSkin,  &caustic};
  writePicture(data, IntroPicture, introPicture(cast));

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
