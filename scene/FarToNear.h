#pragma once
// Without a depth buffer the later drawn wins where creatures overlap: the farthest go first.
#include "world/Vector.h"

// Reorders order[0, count) so that the indices whose positions lie farthest from eye come first.
// An insertion sort, started from the previous frame's order: that is nearly right, so it costs
// little, allocates nothing and keeps equals where they were (nothing flickers).
template <typename PositionOf>
void sortFarToNear(int* order, int count, const Vector3& eye, PositionOf positionOf) {
  auto distance = [&](int index) {
    const Vector3 d = positionOf(index) - eye;
    return d.x * d.x + d.y * d.y + d.z * d.z;
  };
  for (int i = 1; i < count; ++i) {
    const int moving = order[i];
    const float away = distance(moving);
    int j = i;
    while (j > 0 && distance(order[j - 1]) < away) {
      order[j] = order[j - 1];
      --j;
    }
    order[j] = moving;
  }
}
