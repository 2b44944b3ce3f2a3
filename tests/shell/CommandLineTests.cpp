#include <gtest/gtest.h>

#include "shell/CommandLine.h"

namespace {

struct Parsed {
  SaverMode mode;
  long number;
};

Parsed parse(const char* text) {
  long number = -5;
  const SaverMode mode = parseCommandLine(text, number);
  return {mode, number};
}

TEST(CommandLine, NoSwitchMeansConfigure) {
  for (const char* text : {"", "saver.scr", "\"C:\\Program Files\\saver.scr\"", "saver.scr plain words"}) {
    const Parsed p = parse(text);
    EXPECT_EQ(p.mode, Configure) << text;
    EXPECT_EQ(p.number, 0) << text;
  }
}

TEST(CommandLine, PreviewNumberInEveryForm) {
  for (const char* text : {"saver.scr /p 1234", "saver.scr -P1234", "saver.scr /p:1234", "s.scr /P  1234"}) {
    const Parsed p = parse(text);
    EXPECT_EQ(p.mode, Preview) << text;
    EXPECT_EQ(p.number, 1234) << text;
  }
}

TEST(CommandLine, ConfigureAndChangePasswordNumbers) {
  EXPECT_EQ(parse("s.scr /c").mode, Configure);
  EXPECT_EQ(parse("s.scr /c").number, 0);
  EXPECT_EQ(parse("s.scr /c:5678").number, 5678);
  EXPECT_EQ(parse("s.scr /a 77").mode, ChangePassword);
  EXPECT_EQ(parse("s.scr /a 77").number, 77);
  EXPECT_EQ(parse("s.scr /a").number, 0);
}

TEST(CommandLine, EveryOtherLetterIsFullScreen) {
  for (const char* text : {"s.scr /s", "s.scr /S", "s.scr /x", "s.scr -q", "s.scr /", "s.scr -"}) {
    const Parsed p = parse(text);
    EXPECT_EQ(p.mode, FullScreen) << text;
    EXPECT_EQ(p.number, 0) << text;
  }
  EXPECT_EQ(parse("s.scr /t").mode, Windowed);
  EXPECT_EQ(parse("s.scr -T 99").number, 0);
}

TEST(CommandLine, ProgramPathIsSkippedFirst) {
  // A quoted path may hold switch characters; an unquoted one is cut at its first blank.
  EXPECT_EQ(parse("\"C:\\a-b\\/s.scr\" /p 42").mode, Preview);
  EXPECT_EQ(parse("\"C:\\a-b\\/s.scr\" /p 42").number, 42);
  EXPECT_EQ(parse("C:\\My-Savers\\s.scr").mode, Configure);
  EXPECT_EQ(parse("C:\\My Savers\\s.scr").mode, Configure);
  EXPECT_EQ(parse("C:\\My Savers-x\\s.scr").mode, FullScreen);
  EXPECT_EQ(parse("\"unterminated /s").mode, Configure);
}

}  // namespace
