#pragma once
#include "formats/DataCatalog.h"
#include "render/Texture.h"

// Every picture the scene draws with, loaded once by walking the data catalogue: the pictures and
// the numbered frames of its light effects. The models belong to the creatures and corals that
// play them, since each plays its own frames.
class SceneAssets {
 public:
  static constexpr int PictureCount = sizeof(catalog::ScenePictures) / sizeof(catalog::ScenePictures[0]);
  static constexpr int RunCount = sizeof(catalog::ScenePictureRuns) / sizeof(catalog::ScenePictureRuns[0]);
  static constexpr int RunLength = 32;

  // Needs a current GL context. Of the three skies only sky is loaded.
  void load(const char* dataFolder, const catalog::Picture& sky);

  // entry must be one of the catalogue's scene pictures.
  Texture& picture(const catalog::Picture& entry);
  // Frame i (from 0) of one of the catalogue's picture runs.
  Texture& frame(const catalog::PictureRun& run, int i);
  // The water's picture with its colours multiplied by its alpha, for the pass that lays the
  // sunlight on the water.
  Texture& premultipliedWater() { return premultipliedWater_; }
  const Texture& premultipliedWater() const { return premultipliedWater_; }

 private:
  Texture pictures_[PictureCount];
  Texture runs_[RunCount][RunLength];
  Texture premultipliedWater_;
};
