#include "scene/SceneAssets.h"

#include "config/DataFolder.h"

namespace {

bool isSky(const catalog::Picture* picture) {
  return picture == &catalog::SkyCloudy || picture == &catalog::SkyClear32 || picture == &catalog::SkyClear16;
}

template <typename Entry, size_t Size>
int indexOf(const Entry* const (&list)[Size], const Entry& entry) {
  for (size_t i = 0; i < Size; ++i) {
    if (list[i] == &entry) return static_cast<int>(i);
  }
  return 0;
}

}  // namespace

static_assert(catalog::FloorCaustics.count == SceneAssets::RunLength &&
                  catalog::FishCaustics.count == SceneAssets::RunLength &&
                  catalog::Highlights.count == SceneAssets::RunLength,
              "every light effect has one frame per slot");

void SceneAssets::load(const char* dataFolder, const catalog::Picture& sky) {
  char path[PathSize];
  for (int i = 0; i < PictureCount; ++i) {
    const catalog::Picture* entry = catalog::ScenePictures[i];
    if (isSky(entry) && entry != &sky) continue;
    if (joinDataPath(path, dataFolder, entry->file)) pictures_[i].loadBMP(path, entry->loadFlags);
  }
  if (joinDataPath(path, dataFolder, catalog::Water.file))
    premultipliedWater_.loadBMP(path, catalog::Water.loadFlags | TexPremultiply);
  for (int r = 0; r < RunCount; ++r) {
    const catalog::PictureRun& run = *catalog::ScenePictureRuns[r];
    for (int i = 0; i < RunLength; ++i) {
      if (joinDataPath(path, dataFolder, run.file(i).c_str())) runs_[r][i].loadBMP(path, run.loadFlags);
    }
  }
}

Texture& SceneAssets::picture(const catalog::Picture& entry) {
  return pictures_[indexOf(catalog::ScenePictures, entry)];
}

Texture& SceneAssets::frame(const catalog::PictureRun& run, int i) {
  return runs_[indexOf(catalog::ScenePictureRuns, run)][i];
}
