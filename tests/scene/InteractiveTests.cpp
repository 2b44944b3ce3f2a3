// Keys of the interactive build, posted to its real window and handled frame by frame.
#include <windows.h>
#include <gtest/gtest.h>

#include <GL/gl.h>

#include <algorithm>
#include <iterator>
#include <string>
#include <vector>

#include "tests/scene/SceneTestSupport.h"

using scenetest::DrivenScene;

namespace {

std::string helpText(SeaSceneApp& app) {
  std::string text;
  for (int i = 0; i < app.overlay().helpLine().lineCount(); ++i)
    text += (i ? "\n" : "") + app.overlay().helpLine().line(i);
  return text;
}

GLint polygonMode() {
  GLint modes[2] = {};
  glGetIntegerv(GL_POLYGON_MODE, modes);
  return modes[0];
}

class Interactive : public ::testing::Test {
 protected:
  Interactive() : scene(SaverBuild::Interactive, "reef.exe") {}
  void press(WPARAM key) {
    scene.key(WM_KEYDOWN, key);
    scene.frame(20);
    scene.key(WM_KEYUP, key);
    scene.frame(20);
  }
  DrivenScene scene;
};

TEST_F(Interactive, HoldingSpaceTogglesWireframeOnce) {
  ASSERT_TRUE(scene.ready());
  EXPECT_EQ(polygonMode(), GL_FILL);
  for (int repeat = 0; repeat < 10; ++repeat) {
    scene.key(WM_KEYDOWN, VK_SPACE);  // auto-repeat while held
    scene.frame(20);
  }
  EXPECT_TRUE(scene.app().overlay().wireframe());
  EXPECT_EQ(polygonMode(), GL_LINE);
  scene.key(WM_KEYUP, VK_SPACE);
  scene.frame(20);
  press(VK_SPACE);
  EXPECT_FALSE(scene.app().overlay().wireframe());
  EXPECT_EQ(polygonMode(), GL_FILL);
}

// Lines of the floor paint over nothing: in wireframe the sky is drawn down to the bottom row too.
TEST_F(Interactive, InWireframeTheSkyReachesTheBottomRows) {
  ASSERT_TRUE(scene.ready());
  press(VK_SPACE);
  ASSERT_EQ(polygonMode(), GL_LINE);
  const SceneView view = scene.app().sceneView(0);
  scene.sea().beginView(view);
  scene.sea().drawLayer(SceneLayer::Sky, view);
  glFinish();
  const int rows = view.height / 5;
  std::vector<unsigned char> bottom(static_cast<size_t>(view.width) * rows * 4);
  glReadBuffer(GL_BACK);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(0, 0, view.width, rows, GL_RGBA, GL_UNSIGNED_BYTE, bottom.data());
  size_t lit = 0;
  for (size_t i = 0; i < bottom.size(); i += 4) lit += bottom[i] + bottom[i + 1] + bottom[i + 2] > 0;
  EXPECT_GT(lit, bottom.size() / 4 / 100) << "sky lines in the lowest fifth of the picture";
}

TEST_F(Interactive, ArrowKeysTiltWithinTheirLimitsAndHomeResets) {
  ASSERT_TRUE(scene.ready());
  scene.key(WM_KEYDOWN, VK_UP);
  scene.frames(40, 20);
  EXPECT_FLOAT_EQ(scene.sea().camera().pitch(), -20.0f);  // half a degree per frame
  scene.frames(40, 20);
  EXPECT_FLOAT_EQ(scene.sea().camera().pitch(), -25.0f);
  scene.key(WM_KEYUP, VK_UP);
  scene.key(WM_KEYDOWN, VK_DOWN);
  scene.frames(30, 20);
  const float midTilt = scene.sea().camera().pitch();
  EXPECT_FLOAT_EQ(midTilt, -10.0f);
  scene.key(WM_KEYDOWN, VK_HOME);
  scene.frame(20);
  scene.key(WM_KEYUP, VK_HOME);
  // Home put the view back; Down, still held, has already lowered it one step again.
  EXPECT_FLOAT_EQ(scene.sea().camera().pitch(), 0.5f);
  scene.frames(40, 20);
  EXPECT_FLOAT_EQ(scene.sea().camera().pitch(), 4.5f);
  scene.key(WM_KEYUP, VK_DOWN);
  scene.key(WM_KEYDOWN, VK_HOME);
  scene.frame(20);
  EXPECT_FLOAT_EQ(scene.sea().camera().pitch(), 0.0f);
  EXPECT_FLOAT_EQ(scene.sea().camera().lookAt().y, 0.0f);
  EXPECT_FLOAT_EQ(scene.sea().camera().eye().y, 2.0f);
}

TEST_F(Interactive, HelpLineShortThenExpandedThenGone) {
  ASSERT_TRUE(scene.ready());
  const std::string shortHelp = scene.app().languageTable().lookup("help");
  const std::string expanded = scene.app().languageTable().lookup("helpexpanded");
  ASSERT_FALSE(shortHelp.empty());
  ASSERT_NE(expanded.find('\n'), std::string::npos);
  EXPECT_EQ(helpText(scene.app()), shortHelp);
  press(VK_F1);
  EXPECT_EQ(helpText(scene.app()), expanded);
  EXPECT_GT(scene.app().overlay().helpLine().lineCount(), 1);
  press(VK_F1);
  EXPECT_EQ(helpText(scene.app()), shortHelp);

  scene.frames(100, 100);  // the short help goes after 10 s
  EXPECT_EQ(helpText(scene.app()), "");
  press(VK_F1);
  EXPECT_EQ(helpText(scene.app()), expanded);
  scene.frames(20, 1000);  // the timer fired once only: the expanded help stays
  EXPECT_EQ(helpText(scene.app()), expanded);
  press(VK_F1);
  EXPECT_EQ(helpText(scene.app()), "");
}

TEST_F(Interactive, FTogglesTheRateLineWithOrWithoutShift) {
  ASSERT_TRUE(scene.ready());
  EXPECT_FALSE(scene.app().overlay().rateShown());
  press('F');
  EXPECT_TRUE(scene.app().overlay().rateShown());
  scene.frames(60, 20);
  EXPECT_EQ(scene.app().overlay().rateLine().line(0), scene.app().overlay().frameRateText());
  scene.key(WM_KEYDOWN, VK_SHIFT);
  press('F');
  scene.key(WM_KEYUP, VK_SHIFT);
  EXPECT_FALSE(scene.app().overlay().rateShown());
}

TEST_F(Interactive, QuickTapsBetweenTwoFramesCountOnceEach) {
  ASSERT_TRUE(scene.ready());
  scene.key(WM_KEYDOWN, VK_SPACE);
  scene.key(WM_KEYUP, VK_SPACE);
  scene.frame(20);
  EXPECT_TRUE(scene.app().overlay().wireframe());
  EXPECT_EQ(polygonMode(), GL_LINE);
  for (int tap = 0; tap < 2; ++tap) {  // two taps in one slow frame: toggled twice
    scene.key(WM_KEYDOWN, VK_SPACE);
    scene.key(WM_KEYUP, VK_SPACE);
  }
  scene.key(WM_KEYDOWN, 'F');
  scene.key(WM_KEYUP, 'F');
  scene.frame(500);
  EXPECT_TRUE(scene.app().overlay().wireframe());
  EXPECT_TRUE(scene.app().overlay().rateShown());
  scene.key(WM_KEYDOWN, VK_UP);  // a tap of an arrow still tilts one step
  scene.key(WM_KEYUP, VK_UP);
  scene.frame(20);
  EXPECT_FLOAT_EQ(scene.sea().camera().pitch(), -0.5f);
  scene.frame(20);
  EXPECT_FLOAT_EQ(scene.sea().camera().pitch(), -0.5f);
}

TEST(InputState, EveryPressCountsOnceHeldOrTappedBetweenFrames) {
  InputState input;
  const KeyCode a = keyCodeFromVirtualKey('A');
  EXPECT_FALSE(input.handleMessage(WM_KEYDOWN, 'A', 0));  // inactive until the scene is built
  input.setDrawingSize(nullptr, 800, 600);

  EXPECT_TRUE(input.handleMessage(WM_KEYDOWN, 'A', 0));
  EXPECT_TRUE(input.isKeyDown(a, false));
  input.endFrame();
  input.handleMessage(WM_KEYDOWN, 'A', 0);  // auto-repeat while held
  EXPECT_FALSE(input.isKeyDown(a, false));
  EXPECT_TRUE(input.isKeyDown(a, true));
  EXPECT_EQ(input.heldCount(), 1);
  input.handleMessage(WM_KEYUP, 'A', 0);
  EXPECT_FALSE(input.isKeyDown(a, true));

  // Released before the frame looks: no longer held, still one press in the next frame only.
  input.handleMessage(WM_KEYDOWN, 'A', 0);
  input.handleMessage(WM_KEYUP, 'A', 0);
  EXPECT_EQ(input.heldCount(), 0);
  EXPECT_EQ(input.pressCount(a), 1);
  EXPECT_TRUE(input.isKeyDown(a, false));
  EXPECT_TRUE(input.isKeyDown(a, true));
  input.endFrame();
  EXPECT_FALSE(input.isKeyDown(a, true));
  for (int tap = 0; tap < 3; ++tap) {
    input.handleMessage(WM_KEYDOWN, 'A', 0);
    input.handleMessage(WM_KEYUP, 'A', 0);
  }
  EXPECT_EQ(input.pressCount(a), 3);
  input.endFrame();
  EXPECT_EQ(input.pressCount(a), 0);

  EXPECT_TRUE(input.handleMessage(WM_RBUTTONUP, 0, 0));
  EXPECT_FALSE(input.handleMessage(WM_PAINT, 0, 0));
  EXPECT_TRUE(input.handleMessage(WM_MOUSEMOVE, 0, MAKELPARAM(-5, 7)));
  EXPECT_EQ(input.mouseX(), -5);
}

TEST(InputState, PointerNearAnEdgeGoesBackToTheWindowCentre) {
  HWND window = CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE, 100, 50, 400, 300, nullptr, nullptr,
                                GetModuleHandleA(nullptr), nullptr);
  ASSERT_NE(window, nullptr);
  InputState input;
  input.setDrawingSize(window, 400, 300);
  SetCursorPos(300, 250);
  input.handleMessage(WM_MOUSEMOVE, 0, MAKELPARAM(200, 200));
  input.endFrame();
  POINT at;
  GetCursorPos(&at);
  EXPECT_EQ(at.x, 300);  // well inside: left alone
  EXPECT_EQ(at.y, 250);
  SetCursorPos(105, 60);
  input.handleMessage(WM_MOUSEMOVE, 0, MAKELPARAM(5, 10));
  input.endFrame();
  GetCursorPos(&at);
  EXPECT_EQ(at.x, 300);  // the client centre, in screen coordinates
  EXPECT_EQ(at.y, 200);
  EXPECT_EQ(input.mouseX(), 200);
  DestroyWindow(window);
}

// The input tracker counts presses in a table indexed by the code, and every command reads the code
// of its own key: each key must have a code of its own, within the table. Windows names the print
// key twice (VK_PRINT, VK_SNAPSHOT); both are the one print key.
TEST(KeyCodes, EveryKeyHasACodeOfItsOwnWithinTheTable) {
  int owner[KeyCodeCount];
  std::fill(std::begin(owner), std::end(owner), -1);
  int numbered = 0;
  for (unsigned virtualKey = 0; virtualKey < 256; ++virtualKey) {
    const KeyCode code = keyCodeFromVirtualKey(virtualKey);
    if (code == keys::None) continue;
    ASSERT_GE(code, 0) << virtualKey;
    ASSERT_LT(code, KeyCodeCount) << virtualKey;
    const bool printKey = owner[code] == VK_PRINT && virtualKey == VK_SNAPSHOT;
    EXPECT_TRUE(owner[code] == -1 || printKey) << "keys " << owner[code] << " and " << virtualKey << " share " << code;
    owner[code] = static_cast<int>(virtualKey);
    ++numbered;
  }
  // Letters, digits, the keypad and F1 to F15 have codes, and more besides.
  EXPECT_GE(numbered, 26 + 10 + 10 + 15);
  for (unsigned letter = 'A'; letter <= 'Z'; ++letter) EXPECT_NE(keyCodeFromVirtualKey(letter), keys::None) << letter;
}

}  // namespace
