// A census of what the viewer sees: the real scene with the full-screen saver's default settings
// (the automatic camera, every creature), 120 s of driven scene time on the screen it runs on,
// and once a second a picture in which every object is one flat colour of its own (textures, fog
// and blending off, cut-out pictures by their alpha). The water and the sunlight on it are left
// out of that picture: they are see-through, and what counts is what shows through them.
//
// One line per second, then the medians over the seconds in which the camera rests at its start
// pose:
//   census creatures_seen=<n> creature_px=<n> school_member_px=<n> coral_share=<f> sky_share=<f>
// creatures_seen: creatures with at least 400 pixels of their own; creature_px: the pixels of all
// creatures; school_member_px: the median of a school member that shows at all; coral_share: of
// the pixels under the horizon, those of corals; sky_share: of all pixels, the sky's.
//   scene_census.exe [seconds]
#include <windows.h>

#include <GL/gl.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "tests/scene/SceneTestSupport.h"

namespace {

constexpr int FrameStep = 50;    // ms of scene time per frame
constexpr int SeenPixels = 400;  // a creature that shows this much is seen
constexpr int ColourStep = 16;   // between the layers' red values

bool creatureLayer(SceneLayer layer) {
  switch (layer) {
    case SceneLayer::Gull:
    case SceneLayer::School:
    case SceneLayer::Predator:
    case SceneLayer::ReefFish:
    case SceneLayer::BigFish:
    case SceneLayer::Manta:
      return true;
    default:
      return false;
  }
}

bool coralLayer(SceneLayer layer) {
  return layer == SceneLayer::CoralsBeforeReefFish || layer == SceneLayer::CoralsAfterBigFish;
}

// Red says the layer, green and blue the object's number in it.
class CensusColours : public ObjectIdentity {
 public:
  bool identify(SceneLayer layer, int index) override {
    if (layer == SceneLayer::Water || layer == SceneLayer::Highlight) return false;
    colour_[0] = static_cast<float>((static_cast<int>(layer) + 1) * ColourStep) / 255.0f;
    colour_[1] = static_cast<float>((index >> 8) & 255) / 255.0f;
    colour_[2] = static_cast<float>(index & 255) / 255.0f;
    SceneObject::setFlatColour(colour_);
    return true;
  }

  static bool decode(const unsigned char* rgba, SceneLayer& layer, int& index) {
    if (rgba[0] == 0 || rgba[0] % ColourStep != 0) return false;
    const int l = rgba[0] / ColourStep - 1;
    if (l >= LayerCount) return false;
    layer = static_cast<SceneLayer>(l);
    index = rgba[1] << 8 | rgba[2];
    return true;
  }

 private:
  float colour_[3] = {};
};

struct Count {
  int creaturesSeen = 0;
  long creaturePixels = 0;
  long schoolMemberPixels = 0;
  double coralShare = 0.0;
  double skyShare = 0.0;
  long strayPixels = 0;  // of no object's colour: the census would be wrong
};

// The row (from the top) where the horizon crosses the view: the level plane through the eye.
double horizonRow(const SceneView& view) {
  const Vector3 axis = view.camera.lookAt() - view.camera.eye();
  const double elevation = std::atan2(axis.y, std::sqrt(axis.x * axis.x + axis.z * axis.z));
  const double halfHeight = std::tan(22.5 * 3.14159265358979 / 180.0);
  const double ndc = -std::tan(elevation) / halfHeight;
  return std::clamp((1.0 - ndc) * 0.5 * view.height, 0.0, static_cast<double>(view.height));
}

template <typename T>
T median(std::vector<T> values) {
  if (values.empty()) return T{};
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

Count takeCensus(SeaSceneApp& app, std::vector<unsigned char>& pixels) {
  SeaScene& sea = *app.scene();
  const SceneView view = app.sceneView(0);
  CensusColours colours;
  sea.setIdentity(&colours);
  sea.draw(view);
  sea.setIdentity(nullptr);
  SceneObject::setFlatColour(nullptr);
  glFinish();
  pixels.resize(static_cast<size_t>(view.width) * view.height * 4);
  glReadBuffer(GL_BACK);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(view.x, view.y, view.width, view.height, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());

  const std::vector<SeaScene::Creature>& creatures = sea.creatures();
  std::vector<long> perCreature(creatures.size());
  long coral = 0, sky = 0, stray = 0;
  const int firstRowUnder = static_cast<int>(std::ceil(horizonRow(view)));
  for (int row = 0; row < view.height; ++row) {
    const bool underHorizon = view.height - 1 - row >= firstRowUnder;  // GL rows run bottom up
    for (int x = 0; x < view.width; ++x) {
      const unsigned char* p = &pixels[(static_cast<size_t>(row) * view.width + x) * 4];
      if (p[0] == 0 && p[1] == 0 && p[2] == 0) continue;
      SceneLayer layer;
      int index;
      if (!CensusColours::decode(p, layer, index)) {
        ++stray;
        continue;
      }
      if (creatureLayer(layer) && index < static_cast<int>(creatures.size())) ++perCreature[index];
      if (coralLayer(layer) && underHorizon) ++coral;
      if (layer == SceneLayer::Sky) ++sky;
    }
  }
  Count count;
  std::vector<long> school;
  const int schoolKind = scenetest::kindNamed("school");
  for (size_t i = 0; i < creatures.size(); ++i) {
    count.creaturePixels += perCreature[i];
    if (perCreature[i] >= SeenPixels) ++count.creaturesSeen;
    if (creatures[i].kind == schoolKind && perCreature[i] > 0) school.push_back(perCreature[i]);
  }
  count.schoolMemberPixels = median(school);
  const long under = static_cast<long>(view.height - firstRowUnder) * view.width;
  count.coralShare = under > 0 ? static_cast<double>(coral) / under : 0.0;
  count.skyShare = static_cast<double>(sky) / (static_cast<double>(view.width) * view.height);
  count.strayPixels = stray;
  return count;
}

const char* cameraPose(const SeaScene& sea) {
  if (sea.cameraTilt().direction() != 0) return "tilting";
  return sea.camera().pitch() > -1.0f ? "start" : "top";
}

void print(const char* prefix, const Count& c) {
  std::printf("%screatures_seen=%d creature_px=%ld school_member_px=%ld coral_share=%.4f sky_share=%.4f\n", prefix,
              c.creaturesSeen, c.creaturePixels, c.schoolMemberPixels, c.coralShare, c.skyShare);
}

}  // namespace

int main(int argc, char** argv) {
  const int seconds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 120;
  scenetest::DrivenScene scene(SaverBuild::Basic, "reef.scr /s", [](SeaSceneApp& app) {
    app.settings() = SaverSettings{};
    app.settings().SoundOn = false;  // the sound changes nothing that is seen
  });
  if (!scene.ready()) {
    std::printf("census: the scene could not start\n");
    return 1;
  }
  SeaSceneApp& app = scene.app();
  std::printf("census: %d x %d, %d s of scene time\n", app.width(), app.height(), seconds);
  std::vector<unsigned char> pixels;
  std::vector<Count> atStart;
  const int framesPerSecond = 1000 / FrameStep;
  for (int second = 1; second <= seconds; ++second) {
    for (int f = 0; f < framesPerSecond; ++f) {
      scene.clock().advance(FrameStep);
      app.updateFrame();
    }
    const Count count = takeCensus(app, pixels);
    const char* pose = cameraPose(*app.scene());
    char prefix[64];
    std::snprintf(prefix, sizeof prefix, "census t=%d camera=%s ", second, pose);
    print(prefix, count);
    if (count.strayPixels > 0) std::printf("census: %ld pixels of no object's colour\n", count.strayPixels);
    if (std::string(pose) == "start") atStart.push_back(count);
    std::fflush(stdout);
  }
  Count summary;
  std::vector<int> seen;
  std::vector<long> creaturePixels, schoolPixels;
  std::vector<double> coral, sky;
  for (const Count& c : atStart) {
    seen.push_back(c.creaturesSeen);
    creaturePixels.push_back(c.creaturePixels);
    schoolPixels.push_back(c.schoolMemberPixels);
    coral.push_back(c.coralShare);
    sky.push_back(c.skyShare);
  }
  summary.creaturesSeen = median(seen);
  summary.creaturePixels = median(creaturePixels);
  summary.schoolMemberPixels = median(schoolPixels);
  summary.coralShare = median(coral);
  summary.skyShare = median(sky);
  std::printf("census: medians of %zu seconds at the start pose\n", atStart.size());
  print("census ", summary);
  return 0;
}
