// The creatures as large as the scene shows them: the models the build wrote, read by the scene's
// reader, at the object scales of the creature table, against the speeds they swim at. A fish that
// covers one to two body lengths a second looks like a fish; at four it looks like an insect.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "formats/DataCatalog.h"
#include "render/QModel.h"
#include "scene/CreatureKinds.h"
#include "tests/support/TestEnvironment.h"
#include "world/CreatureSettings.h"
#include "world/FishSchool.h"

namespace {

constexpr float SlowestBodyLengths = 0.8f, FastestBodyLengths = 2.5f;  // a second
constexpr int CreatureVertices = 476;
constexpr int CoralVertices = 3000;

struct Loaded {
  bool ok = false;
  int vertices = 0;
  float longest = 0.0f;  // longest side of frame 0's bounding box, model units
};

Loaded load(const catalog::Model& entry) {
  Loaded loaded;
  QModel model;
  const std::string path = testenv::buildFolder() + "Reefglass/" + entry.file;
  if (!model.loadMD3(path.c_str()) || model.vertexCount() == 0) return loaded;
  Vector3 low = model.vertex(0, 0), high = low;
  for (int v = 1; v < model.vertexCount(); ++v) {
    const Vector3 p = model.vertex(0, v);
    low = {std::min(low.x, p.x), std::min(low.y, p.y), std::min(low.z, p.z)};
    high = {std::max(high.x, p.x), std::max(high.y, p.y), std::max(high.z, p.z)};
  }
  loaded.ok = true;
  loaded.vertices = model.vertexCount();
  loaded.longest = std::max({high.x - low.x, high.y - low.y, high.z - low.z});
  return loaded;
}

// In scene units.
float sceneLength(const CreatureLook& look) { return load(*look.model).longest * look.scale; }

// Scene units a second at which a steered swimmer cruises: the least speed at which a school
// member follows, the Swimmer's upper speed for the others.
float cruiseSpeed(const CreatureKind& kind) {
  switch (kind.mover) {
    case Mover::School:
      return FishSchool::MinFollowSpeed * 1000.0f;
    case Mover::Predator:
      return predatorSettings(true, nullptr).maxSpeed * 1000.0f;
    case Mover::Reef:
      return kind.swim.maxSpeed * 1000.0f;
    default:
      return 0.0f;
  }
}

std::vector<CreatureLook> looks(const CreatureKind& kind) {
  std::vector<CreatureLook> all{kind.look};
  if (kind.secondLook.model) all.push_back(kind.secondLook);
  return all;
}

}  // namespace

TEST(CreatureSizes, SteeredSwimmersCoverOneToTwoBodyLengthsASecond) {
  int measured = 0;
  for (const CreatureKind& kind : CreatureKinds) {
    const float speed = cruiseSpeed(kind);
    if (speed == 0.0f) continue;
    for (const CreatureLook& look : looks(kind)) {
      const float length = sceneLength(look);
      ASSERT_GT(length, 0.0f) << kind.name << ": " << look.model->file;
      const float bodyLengths = speed / length;
      EXPECT_GE(bodyLengths, SlowestBodyLengths) << kind.name << " " << length << " units long";
      EXPECT_LE(bodyLengths, FastestBodyLengths) << kind.name << " " << length << " units long";
      ++measured;
    }
  }
  // The school in both of its looks, the predator and the four reef fish.
  EXPECT_EQ(measured, 7);
}

TEST(CreatureSizes, PredatorOutsizesTheSchoolAndPathCreaturesKeepTheirSize) {
  float predator = 0.0f, schoolMember = 0.0f;
  for (const CreatureKind& kind : CreatureKinds) {
    if (kind.mover == Mover::Predator) predator = sceneLength(kind.look);
    if (kind.mover == Mover::School) {
      for (const CreatureLook& look : looks(kind)) schoolMember = std::max(schoolMember, sceneLength(look));
    }
  }
  ASSERT_GT(schoolMember, 0.0f);
  EXPECT_GE(predator, 1.3f * schoolMember) << "predator " << predator << ", school member " << schoolMember;

  // The sizes they had when the other fish were made larger: wingspans, body lengths.
  const struct {
    const char* name;
    float least;
  } kept[] = {{"gull", 0.99f}, {"manta", 3.0f}, {"big grey fish", 1.2f}, {"big red fish", 1.2f}};
  for (const auto& creature : kept) {
    const auto kind = std::find_if(std::begin(CreatureKinds), std::end(CreatureKinds),
                                   [&](const CreatureKind& k) { return std::string(k.name) == creature.name; });
    ASSERT_NE(kind, std::end(CreatureKinds)) << creature.name;
    EXPECT_GE(sceneLength(kind->look), creature.least) << creature.name;
  }
}

TEST(CreatureSizes, ModelsStayWithinTheirVertexBudgets) {
  for (const catalog::Model* entry : catalog::Models) {
    const Loaded loaded = load(*entry);
    ASSERT_TRUE(loaded.ok) << entry->file;
    const int budget = entry->kind == catalog::ModelKind::Coral ? CoralVertices : CreatureVertices;
    EXPECT_LE(loaded.vertices, budget) << entry->file;
  }
}
