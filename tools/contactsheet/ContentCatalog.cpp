#include "tools/contactsheet/ContentCatalog.h"

#include "formats/DataCatalog.h"

using namespace catalog;

namespace {

std::string baseName(const std::string& path) { return path.substr(path.find_last_of('/') + 1); }

std::string stem(const std::string& path) {
  const std::string base = baseName(path);
  return base.substr(0, base.find('.'));
}

}  // namespace

std::vector<SheetTexture> singleTextures() {
  std::vector<SheetTexture> files;
  for (const Picture* picture : ScenePictures) files.push_back({picture->file, picture->loadFlags});
  return files;
}

std::vector<TextureSequence> textureSequences() {
  std::vector<TextureSequence> sequences;
  for (const PictureRun* run : ScenePictureRuns) {
    TextureSequence sequence;
    sequence.title = std::string(run->what) + "  " + run->pattern;
    if (run->loadFlags != PictureLoadFlags) sequence.title += "  (flags " + std::to_string(run->loadFlags) + ")";
    for (int frame = 0; frame < run->count; ++frame) {
      sequence.frames.push_back({run->file(frame), run->loadFlags});
      sequence.frameLabels.push_back(std::to_string(run->firstNumber + frame));
    }
    sequences.push_back(sequence);
  }
  return sequences;
}

// One entry per skin and range: "rfish.nlm + rotfish.nlt  swim 0-9".
std::vector<SheetModel> sheetModels() {
  std::vector<SheetModel> models;
  for (const Model* model : Models) {
    for (const Picture* skin : skinsOf(*model)) {
      for (const FrameRange& range : rangesOf(*model)) {
        std::string label = baseName(model->file);
        if (stem(skin->file) != stem(model->file)) label += " + " + baseName(skin->file);
        label += "  " + std::string(range.name) + " " + std::to_string(range.first) + "-" + std::to_string(range.last);
        if (model->skinScale != 1.0f) label += ", skin x" + std::to_string(static_cast<int>(model->skinScale));
        models.push_back({label, model->file, skin->file, skin->loadFlags, range.first, range.last, model->skinScale});
      }
    }
  }
  return models;
}
