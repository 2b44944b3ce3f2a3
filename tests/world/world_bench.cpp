// Per-frame cost of the creature controllers for a full scene: a school of 20, the guide, the
// predator, 6 reef fish, the big-fish patrol, the gull and the manta. Time is driven, so every
// frame is a 16 ms step whatever the machine does; only the update cost is measured.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <new>

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

Pose startPose(const CreatureStart& start) {
  Pose pose;
  pose.setPosition(start.position);
  pose.setTarget(start.lookAt);
  return pose;
}

}  // namespace

int main() {
  seedRandom(1);

  FrameAnimation schoolAnimation, predatorAnimation, reefAnimations[4], gullAnimation;
  gullAnimation.addRange(0, 19, "glide", 43);
  gullAnimation.addRange(23, 42, "fly", 43);
  gullAnimation.play("fly");
  gullAnimation.setFrameRate(20);

  FishSchool school;
  Swimmer guideSwimmer, predatorSwimmer, reefSwimmers[ReefCount];

  guideSwimmer.place(startPose(guideStart()));
  guideSwimmer.setAnimation(&schoolAnimation);
  guideSwimmer.start();
  predatorSwimmer.settings() = predatorSettings(true, &school);
  predatorSwimmer.place(startPose(predatorStart()));
  predatorSwimmer.setAnimation(&predatorAnimation);
  predatorSwimmer.start();
  for (int i = 0; i < ReefCount; ++i) {
    reefSwimmers[i].settings() = reefSettings(SwimStyle{}, i, &school);
    reefSwimmers[i].place(startPose(reefStart(i)));
    reefSwimmers[i].setAnimation(&reefAnimations[i % 4]);
    reefSwimmers[i].start();
  }
  school.reserve(SchoolSize);
  for (int i = 0; i < SchoolSize; ++i) school.add();
  school.setAnimation(&schoolAnimation);
  school.setTarget(guideSwimmer.pose().position());
  school.place();

  RoutePatrol patrol;
  const Vector3 route[6] = {{24, -6, 32}, {10, -6, 27}, {4, -6, 20}, {0, -6, 14}, {-2, -6, 9}, {-11, -6, 1}};
  for (const Vector3& p : route) patrol.addRoutePoint(p);
  patrol.addCandidate();
  patrol.addCandidate();
  patrol.pick();

  GullFlight gullFlight;
  gullFlight.build(Vector3{0, 5.5f, 0}, &gullAnimation);
  MantaSweep mantaSweep;
  mantaSweep.build(Vector3{-17, -5, 4});

  const long long allocationsBefore = allocations;
  LARGE_INTEGER frequency, begin, end;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&begin);
  for (int f = 0; f < Frames; ++f) {
    gullAnimation.advance(FrameTime);
    gullFlight.update(FrameTime);
    mantaSweep.update(FrameTime);
    school.setTarget(guideSwimmer.pose().position());
    school.setFleeFrom(guideSwimmer.pose().position());
    school.update(FrameTime);
    predatorSwimmer.setFollowPoint(guideSwimmer.pose().position());
    guideSwimmer.update(FrameTime);
    predatorSwimmer.update(FrameTime);
    patrol.update(FrameTime);
    for (Swimmer& swimmer : reefSwimmers) swimmer.update(FrameTime);
  }
  QueryPerformanceCounter(&end);
  const double totalMs = 1000.0 * static_cast<double>(end.QuadPart - begin.QuadPart) / frequency.QuadPart;
  std::printf("creature update: %d frames, %.4f ms per frame (%.1f us), %lld allocations in the loop\n", Frames,
              totalMs / Frames, 1000.0 * totalMs / Frames, allocations - allocationsBefore);
  std::printf("final guide position (%.2f, %.2f, %.2f), school member 0 state %d\n", guideSwimmer.pose().position().x,
              guideSwimmer.pose().position().y, guideSwimmer.pose().position().z, school.member(0).state);
  return 0;
}
