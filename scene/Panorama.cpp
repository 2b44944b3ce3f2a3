#include "scene/Panorama.h"

#include <cmath>

#include "world/MathConstants.h"

namespace {

float centreX(const ScreenRect& s) { return 0.5f * static_cast<float>(s.left + s.right); }
float halfWidth(const ScreenRect& s) { return 0.5f * static_cast<float>(s.right - s.left); }
bool sideBySide(const ScreenRect& a, const ScreenRect& b) { return a.left >= b.right || a.right <= b.left; }

}  // namespace

void panoramaViews(const ScreenRect* screens, int count, SceneView* views) {
  if (count <= 0) return;
  const ScreenRect& primary = screens[0];
  const float primaryWidth = static_cast<float>(primary.right - primary.left);
  const float primaryHeight = static_cast<float>(primary.bottom - primary.top);
  if (primaryWidth <= 0.0f || primaryHeight <= 0.0f) return;
  // Pixels per unit of tangent: 45 degrees over the primary's height and its (capped) aspect over
  // its width, so a wide primary is stretched as a single view is, and every monitor alike.
  const float aspect = std::fmin(primaryWidth / primaryHeight, MaxAspect);
  const float perTangentY = 0.5f * primaryHeight / std::tan(22.5f * DegToRad);
  const float perTangentX = perTangentY * (primaryWidth / primaryHeight) / aspect;
  const float horizonRow = static_cast<float>(primary.top) + 0.5f * primaryHeight;

  bool placed[MaxScreens] = {};
  float yaw[MaxScreens] = {};
  const int screensUsed = count < MaxScreens ? count : MaxScreens;
  placed[0] = true;
  // Outward from the primary: each monitor's angle follows from a neighbour already placed.
  for (int round = 1; round < screensUsed; ++round) {
    int next = -1;
    for (int i = 1; i < screensUsed; ++i) {
      if (placed[i]) continue;
      if (next < 0 ||
          std::fabs(centreX(screens[i]) - centreX(primary)) < std::fabs(centreX(screens[next]) - centreX(primary))) {
        next = i;
      }
    }
    const ScreenRect& screen = screens[next];
    const bool right = centreX(screen) >= centreX(primary);
    int anchor = 0;
    float anchorGap = 1e30f;
    bool stacked = false;
    for (int j = 0; j < screensUsed; ++j) {
      if (!placed[j]) continue;
      const ScreenRect& other = screens[j];
      if (!sideBySide(screen, other)) {
        // Above or below a placed monitor: that monitor's column.
        anchor = j;
        stacked = true;
        break;
      }
      const float gap =
          right ? static_cast<float>(screen.left - other.right) : static_cast<float>(other.left - screen.right);
      if (gap >= 0.0f && gap < anchorGap) {
        anchor = j;
        anchorGap = gap;
      }
    }
    const ScreenRect& other = screens[anchor];
    if (stacked) {
      yaw[next] = yaw[anchor] + (centreX(screen) - centreX(other)) / perTangentX * RadToDeg;
    } else {
      // The two edges meet: the anchor's far edge, any gap between them, then this monitor's half.
      const float gap = anchorGap < 1e30f ? anchorGap : 0.0f;
      const float turn =
          std::atan(halfWidth(other) / perTangentX) + gap / perTangentX + std::atan(halfWidth(screen) / perTangentX);
      yaw[next] = yaw[anchor] + (right ? turn : -turn) * RadToDeg;
    }
    placed[next] = true;
  }

  for (int i = 0; i < count; ++i) {
    const ScreenRect& screen = screens[i];
    SceneView& view = views[i];
    view.width = screen.right - screen.left;
    view.height = screen.bottom - screen.top;
    view.aspect = view.height > 0 ? static_cast<float>(view.width) / static_cast<float>(view.height) : 1.0f;
    view.yaw = i < screensUsed ? yaw[i] : 0.0f;
    view.offAxis = true;
    view.right = halfWidth(screen) / perTangentX;
    view.left = -view.right;
    const bool sharesRows = screen.top < primary.bottom && screen.bottom > primary.top;
    if (sharesRows) {
      view.top = (horizonRow - static_cast<float>(screen.top)) / perTangentY;
      view.bottom = (horizonRow - static_cast<float>(screen.bottom)) / perTangentY;
    } else {
      view.top = 0.5f * static_cast<float>(view.height) / perTangentY;
      view.bottom = -view.top;
    }
  }
}
