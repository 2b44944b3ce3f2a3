// The floor's fine detail: a decal on a third texture unit where the driver has one, sharp in the
// foreground where the camera looks down; with two units the floor is drawn as it was without it.
#include <windows.h>
#include <gtest/gtest.h>

#include <GL/gl.h>

#include <cmath>
#include <string>
#include <vector>

#include "render/Texture.h"
#include "tests/scene/SceneTestSupport.h"

using scenetest::DrivenScene;

namespace {

constexpr int Width = 800, Height = 600;

// The standard deviation of the Laplacian of the grey picture over the bottom fifth of the view,
// drawn at the camera's bottom position without creatures: how much fine detail the near floor
// shows.
double nearFloorDetail(const std::string& preview) {
  DrivenScene scene(SaverBuild::Basic, preview, [](SeaSceneApp& app) {
    app.settings().CameraPos = 3;
    app.settings().SoundOn = false;
    app.settings().FishCount = 0;
    app.settings().BoidCount = 0;
    app.settings().BirdGull = false;
  });
  EXPECT_TRUE(scene.ready());
  scene.frames(10, 50);
  scene.app().updateFrame();
  scene.app().renderFrame(0);
  const int rows = Height / 5;
  std::vector<unsigned char> rgba(static_cast<size_t>(Width) * rows * 4);
  glReadBuffer(GL_BACK);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(0, 0, Width, rows, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
  auto grey = [&](int x, int y) {
    const unsigned char* p = &rgba[(static_cast<size_t>(y) * Width + x) * 4];
    return 0.299 * p[0] + 0.587 * p[1] + 0.114 * p[2];
  };
  double sum = 0.0, squares = 0.0;
  int count = 0;
  for (int y = 1; y + 1 < rows; ++y) {
    for (int x = 1; x + 1 < Width; ++x) {
      const double laplacian = grey(x - 1, y) + grey(x + 1, y) + grey(x, y - 1) + grey(x, y + 1) - 4.0 * grey(x, y);
      sum += laplacian;
      squares += laplacian * laplacian;
      ++count;
    }
  }
  const double mean = sum / count;
  return std::sqrt(squares / count - mean * mean);
}

TEST(FloorDetail, SharpensTheForegroundWhereTheDriverHasAThirdUnit) {
  HWND host = scenetest::previewHost(Width, Height);
  ASSERT_NE(host, nullptr);
  const std::string preview = "reef.scr /p " + std::to_string(reinterpret_cast<LONG_PTR>(host));
  const double withDetail = nearFloorDetail(preview);
  ASSERT_TRUE(multitextureAvailable());
  const int units = maxTextureUnits();
  ASSERT_GE(units, 3) << "the test needs a driver with a third texture unit";

  overrideMultitexture(true, 2);
  const double withoutDetail = nearFloorDetail(preview);
  overrideMultitexture(true, units);
  DestroyWindow(host);

  EXPECT_GT(withDetail, 2.0 * withoutDetail) << "with the detail " << withDetail << ", without " << withoutDetail;
  EXPECT_GT(withoutDetail, 0.0);
}

}  // namespace
