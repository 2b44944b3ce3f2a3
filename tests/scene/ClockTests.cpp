// The clock over the scene: the time as the locale writes it, where it stands minute by minute,
// and the pixels it adds to a frame, with the time of day given by the test.
#include <windows.h>
#include <gtest/gtest.h>

#include <GL/gl.h>

#include <cstdlib>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "tests/scene/SceneTestSupport.h"

using scenetest::DrivenScene;

namespace {

std::string formatted(int hour, int minute, const wchar_t* locale) {
  char text[32];
  if (!formatTimeOfDay(TimeOfDay{hour, minute}, locale, text, sizeof(text))) return "(none)";
  return text;
}

TEST(Clock, TwentyFourOrTwelveHoursAsTheLocaleSays) {
  EXPECT_EQ(formatted(14, 5, L"de-DE"), "14:05");
  EXPECT_EQ(formatted(14, 5, L"nl-NL"), "14:05");
  EXPECT_EQ(formatted(14, 5, L"en-US"), "2:05 PM");
  EXPECT_EQ(formatted(0, 30, L"en-US"), "12:30 AM");
  EXPECT_EQ(formatted(9, 0, L"fr-FR"), "09:00");
  char tiny[3];
  EXPECT_TRUE(formatTimeOfDay(TimeOfDay{14, 5}, L"de-DE", tiny, sizeof(tiny)));
  EXPECT_STREQ(tiny, "14") << "cut to the buffer, never past it";
}

// Every minute of a day, in an 800 x 600 window: inside the window and clear of its edges, never in
// the top-left corner, a few pixels from one minute to the next within the hour, another corner
// each hour, and many places within an hour.
TEST(Clock, ItDriftsEveryMinuteAndChangesCornerEveryHour) {
  const int width = 800, height = 600, textWidth = 40, textHeight = 14;
  ClockPlace previous = clockPlace(0, width, height, textWidth, textHeight);
  std::set<std::pair<int, int>> hourPlaces;
  for (int minute = 1; minute < 24 * 60; ++minute) {
    const ClockPlace place = clockPlace(minute, width, height, textWidth, textHeight);
    EXPECT_GE(place.x, 16);
    EXPECT_GE(place.y, 16);
    EXPECT_LE(place.x + textWidth, width - 16);
    EXPECT_LE(place.y + textHeight, height - 16);
    EXPECT_FALSE(place.x < width / 2 && place.y < height / 2) << minute << ": the help lines' corner";
    const int dx = std::abs(place.x - previous.x), dy = std::abs(place.y - previous.y);
    if (minute % 60 == 0) {
      EXPECT_TRUE(dx > width / 2 || dy > height / 2) << minute << ": another corner";
      EXPECT_GE(hourPlaces.size(), 30u) << minute;
      hourPlaces.clear();
    } else {
      EXPECT_GT(dx + dy, 0) << minute << ": it moves every minute";
      EXPECT_LE(dx, 3) << minute;
      EXPECT_LE(dy, 2) << minute;
    }
    hourPlaces.insert({place.x, place.y});
    previous = place;
  }
  // A preview of 152 x 112 still holds it.
  for (int minute = 0; minute < 24 * 60; minute += 7) {
    const ClockPlace small = clockPlace(minute, 152, 112, textWidth, textHeight);
    EXPECT_GE(small.x, 0);
    EXPECT_LE(small.x + textWidth, 152);
    EXPECT_LE(small.y + textHeight, 112);
  }
}

TimeOfDay given = {14, 5};
TimeOfDay givenTime() { return given; }

std::vector<unsigned char> frameOf(DrivenScene& scene) {
  scene.app().updateFrame();
  scene.app().renderFrame(0);
  glFinish();
  std::vector<unsigned char> pixels(800 * 600 * 4);
  glReadBuffer(GL_BACK);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(0, 0, 800, 600, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
  return pixels;
}

// The same scene at the same moment with and without the clock: the frames differ only where the
// clock stands, and there it is lighter. The next minute it shows the next time, a little further.
TEST(Clock, TheTimeIsDrawnInTheSceneWhereItsPlaceSays) {
  given = {14, 5};
  const auto scene = [](bool clock) {
    return std::make_unique<DrivenScene>(SaverBuild::Basic, "reef.scr /t", [clock](SeaSceneApp& app) {
      app.settings().SoundOn = false;
      app.settings().ShowClock = clock;
      app.setTimeOfDaySource(givenTime);
    });
  };
  auto plain = scene(false);
  ASSERT_TRUE(plain->ready());
  plain->frames(10, 40);
  const auto without = frameOf(*plain);
  EXPECT_STREQ(plain->app().clock().text(), "") << "no clock unless asked for";
  plain.reset();

  auto withClock = scene(true);
  ASSERT_TRUE(withClock->ready());
  withClock->frames(10, 40);
  const auto with = frameOf(*withClock);
  const ClockOverlay& clock = withClock->app().clock();
  EXPECT_EQ(std::string(clock.text()), formatted(14, 5, nullptr));
  const ClockPlace place = clock.place();
  EXPECT_EQ(place.x, clockPlace(14 * 60 + 5, 800, 600, clock.textWidth(), clock.textHeight()).x);
  int lighterInside = 0, changedOutside = 0;
  for (int row = 0; row < 600; ++row) {
    const int fromTop = 599 - row;
    for (int column = 0; column < 800; ++column) {
      const size_t at = (static_cast<size_t>(row) * 800 + column) * 4;
      const int before = without[at] + without[at + 1] + without[at + 2];
      const int after = with[at] + with[at + 1] + with[at + 2];
      const bool inside = column >= place.x && column < place.x + clock.textWidth() && fromTop >= place.y &&
                          fromTop < place.y + clock.textHeight();
      if (inside && after > before + 60) ++lighterInside;
      if (!inside && after != before) ++changedOutside;
    }
  }
  EXPECT_GT(lighterInside, 20) << "the digits";
  EXPECT_EQ(changedOutside, 0);

  given = {14, 6};
  withClock->frame(40);
  EXPECT_EQ(std::string(clock.text()), formatted(14, 6, nullptr));
  const ClockPlace next = clock.place();
  EXPECT_NE(next.x, place.x);
}

// With the system's own time: the clock shows the local time as the user's locale writes it.
TEST(Clock, TheSystemsTimeAsTheUsersLocaleWritesIt) {
  DrivenScene scene(SaverBuild::Basic, "reef.scr /t", [](SeaSceneApp& app) {
    app.settings().SoundOn = false;
    app.settings().ShowClock = true;
  });
  ASSERT_TRUE(scene.ready());
  std::string expected;
  for (int attempt = 0; attempt < 2; ++attempt) {  // once more when the minute turned in between
    scene.frame(40);
    const TimeOfDay now = localTimeOfDay();
    expected = formatted(now.hour, now.minute, nullptr);
    if (expected == scene.app().clock().text()) break;
  }
  EXPECT_EQ(expected, scene.app().clock().text());
  EXPECT_NE(expected.find(':'), std::string::npos);
}

}  // namespace
