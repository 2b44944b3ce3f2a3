#pragma once
#include <string>
#include <vector>

// What the contact sheet shows: the data folder's files as the scene loads them (names relative
// to the folder, load flags) and the frame range of each model that the scene plays.

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
  int first, last;         // the range whose frames are shown
  float skinScale = 1.0f;  // texture tiling the scene gives the skin
};

std::vector<SheetTexture> singleTextures();
std::vector<TextureSequence> textureSequences();
std::vector<SheetModel> sheetModels();
