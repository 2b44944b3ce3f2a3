// The contact sheet tool, run once on the generated folder: it must finish, report that every file
// loaded, and write a picture that shows varied content rather than one background colour.
#include <windows.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <unordered_map>

#include "formats/BmpFormat.h"
#include "tests/support/ChildProcess.h"
#include "tests/support/TestEnvironment.h"

namespace {

TEST(ContactSheet, DrawsTheWholeFolderOntoOneVariedPicture) {
  const std::string folder = testenv::artifactFolder("contact-sheet");
  const std::string picture = folder + "contact-sheet.bmp";
  const std::string log = folder + "contactsheet.txt";
  DeleteFileA(picture.c_str());
  const std::string program = testenv::buildFolder() + "contactsheet.exe";
  ChildProcess sheet;
  ASSERT_TRUE(sheet.start("\"" + program + "\" \"" + testenv::buildFolder() + "Reefglass/\" \"" + picture + "\"",
                          testenv::buildFolder(), log));
  DWORD exitCode = 99;
  ASSERT_TRUE(sheet.waitForExit(180000, &exitCode)) << "still running after 3 minutes";
  const std::string output = testenv::readFile(log);
  EXPECT_EQ(exitCode, 0u) << output;
  EXPECT_NE(output.find("contactsheet: wrote "), std::string::npos) << output;
  EXPECT_EQ(output.find("failed"), std::string::npos) << output;

  const std::string bytes = testenv::readFile(picture);
  formats::BmpLayout layout;
  ASSERT_TRUE(formats::readBmpLayout(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), layout));
  const int width = static_cast<int>(layout.width);
  const int height = static_cast<int>(layout.height);
  ASSERT_EQ(layout.bitsPerPixel, 24u);
  ASSERT_GE(width, 800);
  ASSERT_GE(height, 600);
  const size_t offset = layout.pixelOffset;
  const size_t rowSize = formats::bmpRowBytes(width, 24);
  ASSERT_GE(bytes.size(), offset + rowSize * height);

  std::unordered_map<uint32_t, int> counts;
  for (int y = 0; y < height; ++y) {
    const char* row = bytes.data() + offset + rowSize * y;
    for (int x = 0; x < width; ++x) {
      const uint32_t colour = static_cast<unsigned char>(row[3 * x]) | static_cast<unsigned char>(row[3 * x + 1]) << 8 |
                              static_cast<unsigned char>(row[3 * x + 2]) << 16;
      ++counts[colour];
    }
  }
  int commonest = 0;
  for (const auto& entry : counts) commonest = std::max(commonest, entry.second);
  const double share = static_cast<double>(commonest) / (static_cast<double>(width) * height);
  EXPECT_LT(share, 0.5) << "one colour covers " << share * 100 << "% of the sheet";
  EXPECT_GT(counts.size(), 5000u) << "distinct colours";
}

}  // namespace
