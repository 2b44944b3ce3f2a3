#pragma once
#include <string>
#include <vector>

// What the contact sheet shows, taken from the data folder's catalogue: its pictures with the
// scene's load flags, and every model in each of its skins, with a few frames of each range the
// scene plays.

struct SheetTexture {
  std::string file;
  unsigned flags;
};

// A numbered run of animation frames, shown as one strip.
struct TextureSequence {
  std::string title;
  std::vector<SheetTexture> frames;
  std::vector<std::string> frameLabels;
};

struct SheetModel {
  std::string label;
  std::string model;
  std::string skin;
  unsigned skinFlags;
  int first, last;         // the range whose frames are shown
  float skinScale = 1.0f;  // texture tiling the scene gives the skin
};

std::vector<SheetTexture> singleTextures();
std::vector<TextureSequence> textureSequences();
std::vector<SheetModel> sheetModels();
