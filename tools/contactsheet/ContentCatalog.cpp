#include "tools/contactsheet/ContentCatalog.h"

#include <cstdio>

namespace {

// Load flags of the scene: linear for every picture, nearest for the highlight frames.
constexpr unsigned SceneFlags = 34;
constexpr unsigned HighlightFlags = 8;

TextureSequence sequence(const char* title, const char* pattern, int from, unsigned flags) {
  TextureSequence result;
  result.title = title;
  char name[64];
  for (int i = from; i < from + 32; ++i) {
    std::snprintf(name, sizeof name, pattern, i);
    result.frames.push_back({name, flags});
    result.frameLabels.push_back(std::to_string(i));
  }
  return result;
}

}  // namespace

std::vector<SheetTexture> singleTextures() {
  std::vector<SheetTexture> files;
  for (const char* name : {"sky_cloudy.nlt",
                           "sky_clear_32.nlt",
                           "sky_clear_16.nlt",
                           "models/gull.nlt",
                           "models/manta.nlt",
                           "terrain.nlt",
                           "models/coral_a.nlt",
                           "models/coral_b.nlt",
                           "models/coral_c.nlt",
                           "models/coral_d.nlt",
                           "models/coral_f.nlt",
                           "models/coral_g.nlt",
                           "models/coral_h.nlt",
                           "models/coral_i.nlt",
                           "water.nlt",
                           "gwfader.nlt",
                           "models/rock2.nlt",
                           "island.nlt",
                           "blendmap.nlt",
                           "models/reeffishes/blaugelbfish.nlt",
                           "models/reeffishes/rotfish.nlt",
                           "models/reeffishes/moorishidol.nlt",
                           "models/reeffishes/gsbfish.nlt",
                           "models/reeffishes/swpfish.nlt",
                           "models/reeffishes/rbig.nlt",
                           "models/reeffishes/ybig.nlt",
                           "models/reeffishes/anglefish.nlt",
                           "models/reeffishes/silverfish.nlt"}) {
    files.push_back({name, SceneFlags});
  }
  return files;
}

std::vector<TextureSequence> textureSequences() {
  return {sequence("floor caustics  caustics64/caustNN.nlt", "caustics64/caust%.2d.nlt", 0, SceneFlags),
          sequence("fish caustics  causticsfish32/caustNN.nlt", "causticsfish32/caust%.2d.nlt", 0, SceneFlags),
          sequence("surface highlight  highlight/highlightNNNNN.nlt (nearest)", "highlight/highlight%.5d.nlt", 44,
                   HighlightFlags)};
}

std::vector<SheetModel> sheetModels() {
  const std::string fish = "models/reeffishes/";
  return {{"gull.nlm  fly 23-42", "models/gull.nlm", "models/gull.nlt", 23, 42},
          {"gull.nlm  glide 0-19", "models/gull.nlm", "models/gull.nlt", 0, 19},
          {"manta.nlm  swim 0-19", "models/manta.nlm", "models/manta.nlt", 0, 19},
          {"coral_a.nlm  wabbel 0-9", "models/coral_a.nlm", "models/coral_a.nlt", 0, 9},
          {"coral_b.nlm  wabbel 0-19", "models/coral_b.nlm", "models/coral_b.nlt", 0, 19},
          {"coral_c.nlm  wabbel 0-19", "models/coral_c.nlm", "models/coral_c.nlt", 0, 19},
          {"coral_d.nlm  wabbel 0-19", "models/coral_d.nlm", "models/coral_d.nlt", 0, 19},
          {"coral_f.nlm  wabbel 0-9", "models/coral_f.nlm", "models/coral_f.nlt", 0, 9},
          {"coral_g.nlm  wabbel 0-9", "models/coral_g.nlm", "models/coral_g.nlt", 0, 9},
          {"coral_h.nlm  wabbel 0-9, skin x3", "models/coral_h.nlm", "models/coral_h.nlt", 0, 9, 3.0f},
          {"coral_i.nlm  wabbel 0-9", "models/coral_i.nlm", "models/coral_i.nlt", 0, 9},
          {"ybig.nlm  swim 0-19", fish + "ybig.nlm", fish + "ybig.nlt", 0, 19},
          {"rbig.nlm  swim 0-19", fish + "rbig.nlm", fish + "rbig.nlt", 0, 19},
          {"moorishidol.nlm  swim 0-19", fish + "moorishidol.nlm", fish + "moorishidol.nlt", 0, 19},
          {"rfish.nlm + rotfish.nlt  0-9", fish + "rfish.nlm", fish + "rotfish.nlt", 0, 9},
          {"rfish.nlm + blaugelbfish.nlt  0-9", fish + "rfish.nlm", fish + "blaugelbfish.nlt", 0, 9},
          {"rfish.nlm + anglefish.nlt  0-9", fish + "rfish.nlm", fish + "anglefish.nlt", 0, 9},
          {"gsbfish.nlm  swim 0-19", fish + "gsbfish.nlm", fish + "gsbfish.nlt", 0, 19},
          {"silverfish.nlm  swim 0-9", fish + "silverfish.nlm", fish + "silverfish.nlt", 0, 9},
          {"swpfish.nlm  swim 20-39", fish + "swpfish.nlm", fish + "swpfish.nlt", 20, 39}};
}
