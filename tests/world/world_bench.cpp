// Per-frame cost of the creature controllers for a full scene: a school of 20, the guide, the
// predator, 6 reef fish, the big-fish patrol, the gull and the manta. Time is driven, so every
// frame is a 16 ms step whatever the machine does; only the update cost is measured.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <new>

#include "render/QModel.h"
#include "tests/world/DrivenClock.h"
#include "tests/world/TinyModel.h"
#include "world/CreatureSettings.h"
#include "world/FishSchool.h"
#include "world/GullFlight.h"
#include "world/MantaSweep.h"
#include "world/Random.h"
#include "world/RoutePatrol.h"
#include "world/Swimmer.h"

// Counts every allocation, so the run can show that the frame loop makes none.
namespace {
long long allocations = 0;
}  // namespace

void* operator new(std::size_t size) {
  ++allocations;
  if (void* p = std::malloc(size ? size : 1)) return p;
  throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }

namespace {

constexpr int SchoolSize = 20;
constexpr int ReefCount = 6;
constexpr int Frames = 200000;
constexpr int FrameTime = 16;

void place(ModelObject& object, QModel& model, const CreatureStart& start) {
  object.setModel(&model);
  object.clearFlags(EulerTransform);
  object.setPosition(start.position);
  object.setTarget(start.lookAt);
}

}  // namespace

int main() {
  DrivenClock clock;
  seedRandom(1);

  QModel schoolModel, guideModel, predatorModel, reefModels[4], bigModel, gullModel, mantaModel;
  loadTinyModel(gullModel, 43);
  gullModel.addAnimation(0, 19, "glide");
  gullModel.addAnimation(23, 42, "fly");
  gullModel.playAnimation("fly");
  gullModel.setFrameRate(20);

  FishSchool school;
  ModelObject guide, predator, reef[ReefCount], members[SchoolSize], grey, red, gull, manta;
  Swimmer guideSwimmer, predatorSwimmer, reefSwimmers[ReefCount];

  place(guide, guideModel, guideStart());
  guideSwimmer.setObject(&guide);
  guideSwimmer.start();
  place(predator, predatorModel, predatorStart());
  predatorSwimmer.settings() = predatorSettings(true, &school);
  predatorSwimmer.setObject(&predator);
  predatorSwimmer.start();
  for (int i = 0; i < ReefCount; ++i) {
    const ReefSpecies species = static_cast<ReefSpecies>(i % 4);
    place(reef[i], reefModels[i % 4], reefStart(i));
    reefSwimmers[i].settings() = reefSettings(species, i, &school);
    reefSwimmers[i].setObject(&reef[i]);
    reefSwimmers[i].start();
  }
  school.reserve(SchoolSize);
  for (ModelObject& member : members) {
    member.setModel(&schoolModel);
    school.add(&member);
  }
  school.setTarget(guide.position());
  school.place();

  RoutePatrol patrol;
  const Vector3 route[6] = {{24, -6, 32}, {10, -6, 27}, {4, -6, 20}, {0, -6, 14}, {-2, -6, 9}, {-11, -6, 1}};
  for (const Vector3& p : route) patrol.addRoutePoint(p);
  grey.setModel(&bigModel);
  red.setModel(&bigModel);
  patrol.addCandidate(&grey);
  patrol.addCandidate(&red);
  patrol.pick();

  gull.setModel(&gullModel);
  gull.clearFlags(EulerTransform);
  gull.setPosition(0, 5.5f, 0);
  GullFlight gullFlight;
  gullFlight.build(&gull);
  manta.setModel(&mantaModel);
  manta.setPosition(-17, -5, 4);
  MantaSweep mantaSweep;
  mantaSweep.build(&manta);

  const long long allocationsBefore = allocations;
  LARGE_INTEGER frequency, begin, end;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&begin);
  for (int f = 0; f < Frames; ++f) {
    clock.advance(FrameTime);
    gullModel.advance();  // drawing the gull advances its wing beat
    gullFlight.update();
    mantaSweep.update();
    school.setTarget(guide.position());
    school.setFleeFrom(guide.position());
    school.update();
    predatorSwimmer.setFollowPoint(guide.position());
    guideSwimmer.update();
    predatorSwimmer.update();
    patrol.update();
    for (Swimmer& swimmer : reefSwimmers) swimmer.update();
  }
  QueryPerformanceCounter(&end);
  const double totalMs = 1000.0 * static_cast<double>(end.QuadPart - begin.QuadPart) / frequency.QuadPart;
  std::printf("creature update: %d frames, %.4f ms per frame (%.1f us), %lld allocations in the loop\n",
              Frames, totalMs / Frames, 1000.0 * totalMs / Frames, allocations - allocationsBefore);
  std::printf("final guide position (%.2f, %.2f, %.2f), school member 0 state %d\n", guide.position().x,
              guide.position().y, guide.position().z, school.member(0).state);
  return 0;
}
