#pragma once
// The data folder "Reefglass": every file in it, what kind of file it is and what its readers
// need to know of it (bits of a picture and the flags it is loaded with, frames of a model and
// the ranges played of it, channels of a sound). The generator writes exactly these files; the
// data-folder tests and the contact sheet read them from here.
//
// Names are relative to the folder and spelled the way the scene asks for them: "models//gull.nlt"
// with its doubled slash names the same file as "models/gull.nlt" (fileSystemName gives that).
#include <cstddef>
#include <cstdio>
#include <string>
#include <vector>

#include "formats/TextTableKeys.h"
#include "formats/TextureLoadFlags.h"

namespace catalog {

// Linear filtering for every picture, nearest for the highlight frames.
constexpr unsigned PictureLoadFlags = TexLinear;
constexpr unsigned HighlightLoadFlags = TexNearest;

struct Picture {
  const char* file;
  int bitsPerPixel;  // 24: blue, green, red; 32: with alpha; 8: palette indices
  unsigned loadFlags;
};

// Numbered pictures, the frames of one animation.
struct PictureRun {
  const char* what;
  const char* pattern;  // printf pattern of a frame's name from its number
  int firstNumber;
  int count;
  int bitsPerPixel;
  unsigned loadFlags;

  // Frame 0 is the one numbered firstNumber.
  std::string file(int frame) const {
    char name[64];
    std::snprintf(name, sizeof name, pattern, firstNumber + frame);
    return name;
  }
};

struct FrameRange {
  const char* name;  // as the scene plays it; null for an unused entry
  int first;
  int last;
};

enum class ModelKind { Fish, Flyer, Coral };

constexpr int MaxRanges = 2;
constexpr int MaxSkins = 3;

struct Model {
  const char* file;
  ModelKind kind;
  int frameCount;
  FrameRange ranges[MaxRanges];
  const Picture* skins[MaxSkins];  // the first is the one named inside the file; null: unused
  float skinScale;                 // tiling the scene gives the skin
};

struct Sound {
  const char* file;
  int channels;
};

// The name as the file system lists it: doubled slashes made single.
inline std::string fileSystemName(const char* file) {
  std::string name;
  for (const char* c = file; *c; ++c) {
    if (*c != '/' || name.empty() || name.back() != '/') name += *c;
  }
  return name;
}

// ---- Pictures the scene loads as textures, in its order

inline constexpr Picture SkyCloudy = {"sky_cloudy.nlt", 24, PictureLoadFlags};
inline constexpr Picture SkyClear32 = {"sky_clear_32.nlt", 24, PictureLoadFlags};  // for 32-bit displays
inline constexpr Picture SkyClear16 = {"sky_clear_16.nlt", 24, PictureLoadFlags};  // pre-dithered for 16 bits
inline constexpr Picture GullSkin = {"models//gull.nlt", 24, PictureLoadFlags};
inline constexpr Picture MantaSkin = {"models//manta.nlt", 24, PictureLoadFlags};
inline constexpr Picture Sand = {"terrain.nlt", 24, PictureLoadFlags};
inline constexpr char CoralLetters[] = "abcdfghi";
// The fans are lace: their skin's alpha lets the water show through the holes.
inline constexpr Picture CoralSkins[] = {
    {"models//coral_a.nlt", 24, PictureLoadFlags}, {"models//coral_b.nlt", 32, PictureLoadFlags},
    {"models//coral_c.nlt", 24, PictureLoadFlags}, {"models//coral_d.nlt", 24, PictureLoadFlags},
    {"models//coral_f.nlt", 24, PictureLoadFlags}, {"models//coral_g.nlt", 24, PictureLoadFlags},
    {"models//coral_h.nlt", 24, PictureLoadFlags}, {"models//coral_i.nlt", 24, PictureLoadFlags},
};
inline constexpr Picture Water = {"water.nlt", 32, PictureLoadFlags};
inline constexpr Picture HorizonFader = {"gwfader.nlt", 32, PictureLoadFlags | TexClampT};
// Repeated in T, linear filtering would draw the rock's opaque foot as a grey line over its peak.
inline constexpr Picture Rock = {"models//rock2.nlt", 32, PictureLoadFlags | TexClampT};
inline constexpr Picture Island = {"island.nlt", 32, PictureLoadFlags};
inline constexpr PictureRun FloorCaustics = {"floor caustics", "caustics64/caust%.2d.nlt", 0, 32, 24, PictureLoadFlags};
inline constexpr PictureRun FishCaustics = {"fish caustics", "causticsfish32/caust%.2d.nlt", 0, 32, 24,
                                            PictureLoadFlags};
inline constexpr PictureRun Highlights = {"surface highlight", "highlight/highlight%.5d.nlt", 44, 32, 32,
                                          HighlightLoadFlags};
// Clamped to its clear border: laid on the water, the sunlight ends where its card ends.
inline constexpr Picture BlendMap = {"blendmap.nlt", 32, PictureLoadFlags | TexClampS | TexClampT};
inline constexpr Picture BlueFishSkin = {"models/reeffishes/blaugelbfish.nlt", 24, PictureLoadFlags};
inline constexpr Picture RedFishSkin = {"models/reeffishes/rotfish.nlt", 24, PictureLoadFlags};
inline constexpr Picture StripedFishSkin = {"models/reeffishes/moorishidol.nlt", 24, PictureLoadFlags};
inline constexpr Picture YellowBlueFishSkin = {"models/reeffishes/gsbfish.nlt", 24, PictureLoadFlags};
inline constexpr Picture PredatorSkin = {"models/reeffishes/swpfish.nlt", 24, PictureLoadFlags};
inline constexpr Picture BigRedFishSkin = {"models/reeffishes/rbig.nlt", 24, PictureLoadFlags};
inline constexpr Picture BigGreyFishSkin = {"models/reeffishes/ybig.nlt", 24, PictureLoadFlags};
inline constexpr Picture AngleFishSkin = {"models/reeffishes/anglefish.nlt", 24, PictureLoadFlags};
inline constexpr Picture SilverFishSkin = {"models/reeffishes/silverfish.nlt", 24, PictureLoadFlags};
// What lies on the sand up close, laid over it as a decal on a third texture unit and repeated
// FloorDetailRepeat times across the floor; mipmapped, so that it fades into its average with
// distance instead of flickering.
inline constexpr Picture FloorDetail = {"terrain_detail.nlt", 32, TexMipmap};
inline constexpr float FloorDetailRepeat = 10.0f;

inline constexpr const Picture* ScenePictures[] = {&SkyCloudy,
                                                   &SkyClear32,
                                                   &SkyClear16,
                                                   &GullSkin,
                                                   &MantaSkin,
                                                   &Sand,
                                                   &CoralSkins[0],
                                                   &CoralSkins[1],
                                                   &CoralSkins[2],
                                                   &CoralSkins[3],
                                                   &CoralSkins[4],
                                                   &CoralSkins[5],
                                                   &CoralSkins[6],
                                                   &CoralSkins[7],
                                                   &Water,
                                                   &HorizonFader,
                                                   &Rock,
                                                   &Island,
                                                   &BlendMap,
                                                   &BlueFishSkin,
                                                   &RedFishSkin,
                                                   &StripedFishSkin,
                                                   &YellowBlueFishSkin,
                                                   &PredatorSkin,
                                                   &BigRedFishSkin,
                                                   &BigGreyFishSkin,
                                                   &AngleFishSkin,
                                                   &SilverFishSkin,
                                                   &FloorDetail};
inline constexpr const PictureRun* ScenePictureRuns[] = {&FloorCaustics, &FishCaustics, &Highlights};

// ---- Other pictures

// The sea floor's heights, one palette index a pixel; read by the terrain, not as a texture.
inline constexpr Picture TerrainMap = {"terrain_map.nlt", 8, 0};
// The settings dialog's intro page, named by the directory file's "mainbitmap".
inline constexpr Picture IntroPicture = {"intro.bmp", 24, 0};

// ---- Models, with the ranges the scene plays

inline constexpr Model GullModel = {
    "models//gull.nlm", ModelKind::Flyer, 43, {{"glide", 0, 19}, {"fly", 23, 42}}, {&GullSkin}, 1.0f};
inline constexpr Model MantaModel = {"models//manta.nlm", ModelKind::Flyer, 20, {{"swim", 0, 19}}, {&MantaSkin}, 1.0f};
inline constexpr Model CoralModels[] = {
    {"models/coral_a.nlm", ModelKind::Coral, 10, {{"wabbel", 0, 9}}, {&CoralSkins[0]}, 1.0f},
    {"models/coral_b.nlm", ModelKind::Coral, 20, {{"wabbel", 0, 19}}, {&CoralSkins[1]}, 1.0f},
    {"models/coral_c.nlm", ModelKind::Coral, 20, {{"wabbel", 0, 19}}, {&CoralSkins[2]}, 1.0f},
    {"models/coral_d.nlm", ModelKind::Coral, 20, {{"wabbel", 0, 19}}, {&CoralSkins[3]}, 1.0f},
    {"models/coral_f.nlm", ModelKind::Coral, 10, {{"wabbel", 0, 9}}, {&CoralSkins[4]}, 1.0f},
    {"models/coral_g.nlm", ModelKind::Coral, 10, {{"wabbel", 0, 9}}, {&CoralSkins[5]}, 1.0f},
    {"models/coral_h.nlm", ModelKind::Coral, 10, {{"wabbel", 0, 9}}, {&CoralSkins[6]}, 3.0f},
    {"models/coral_i.nlm", ModelKind::Coral, 10, {{"wabbel", 0, 9}}, {&CoralSkins[7]}, 1.0f},
};
inline constexpr Model BigGreyFishModel = {
    "models/reeffishes/ybig.nlm", ModelKind::Fish, 20, {{"swim", 0, 19}}, {&BigGreyFishSkin}, 1.0f};
inline constexpr Model BigRedFishModel = {
    "models/reeffishes/rbig.nlm", ModelKind::Fish, 20, {{"swim", 0, 19}}, {&BigRedFishSkin}, 1.0f};
inline constexpr Model StripedFishModel = {
    "models/reeffishes/moorishidol.nlm", ModelKind::Fish, 20, {{"swim", 0, 19}}, {&StripedFishSkin}, 1.0f};
// One shape in three skins: the red and the blue reef fish, and the school's angle fish.
inline constexpr Model ReefFishModel = {"models/reeffishes/rfish.nlm",
                                        ModelKind::Fish,
                                        10,
                                        {{"swim", 0, 9}},
                                        {&RedFishSkin, &BlueFishSkin, &AngleFishSkin},
                                        1.0f};
inline constexpr Model YellowBlueFishModel = {
    "models/reeffishes/gsbfish.nlm", ModelKind::Fish, 20, {{"swim", 0, 19}}, {&YellowBlueFishSkin}, 1.0f};
inline constexpr Model SilverFishModel = {
    "models/reeffishes/silverfish.nlm", ModelKind::Fish, 10, {{"swim", 0, 9}}, {&SilverFishSkin}, 1.0f};
// Frames 0-19 cruise slowly; the scene plays the full strokes of 20-39.
inline constexpr Model PredatorModel = {
    "models/reeffishes/swpfish.nlm", ModelKind::Fish, 40, {{"swim", 20, 39}}, {&PredatorSkin}, 1.0f};

inline constexpr const Model* Models[] = {
    &GullModel,        &MantaModel,     &CoralModels[0],      &CoralModels[1],  &CoralModels[2],   &CoralModels[3],
    &CoralModels[4],   &CoralModels[5], &CoralModels[6],      &CoralModels[7],  &BigGreyFishModel, &BigRedFishModel,
    &StripedFishModel, &ReefFishModel,  &YellowBlueFishModel, &SilverFishModel, &PredatorModel};

// ---- Sounds, the font

inline constexpr Sound WaterLoop = {"sound/water.wav", 2};
inline constexpr Sound GullCalls[] = {
    {"sound/seagull1.wav", 1}, {"sound/seagull2.wav", 1}, {"sound/seagull3.wav", 1}, {"sound/seagull4.wav", 1}};
inline constexpr const Sound* Sounds[] = {&WaterLoop, &GullCalls[0], &GullCalls[1], &GullCalls[2], &GullCalls[3]};

inline constexpr char FontFile[] = "font.nlf";

// ---- Helpers

// The entries of a fixed list that are in use.
template <typename Entry, size_t Size, typename InUse>
std::vector<Entry> entriesInUse(const Entry (&list)[Size], InUse inUse) {
  std::vector<Entry> entries;
  for (const Entry& entry : list) {
    if (inUse(entry)) entries.push_back(entry);
  }
  return entries;
}

inline std::vector<FrameRange> rangesOf(const Model& model) {
  return entriesInUse(model.ranges, [](const FrameRange& range) { return range.name != nullptr; });
}

inline std::vector<const Picture*> skinsOf(const Model& model) {
  return entriesInUse(model.skins, [](const Picture* skin) { return skin != nullptr; });
}

// Every file of the folder once, as the scene spells it.
inline std::vector<std::string> allFiles() {
  std::vector<std::string> files;
  for (const textkeys::TextFileKeys& text : textkeys::TextFiles) files.push_back(text.file);
  files.push_back(FontFile);
  for (const Picture* picture : ScenePictures) files.push_back(picture->file);
  for (const PictureRun* run : ScenePictureRuns) {
    for (int frame = 0; frame < run->count; ++frame) files.push_back(run->file(frame));
  }
  files.push_back(TerrainMap.file);
  files.push_back(IntroPicture.file);
  for (const Model* model : Models) files.push_back(model->file);
  for (const Sound* sound : Sounds) files.push_back(sound->file);
  return files;
}

}  // namespace catalog
