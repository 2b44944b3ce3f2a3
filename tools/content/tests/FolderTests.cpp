// The folder as a whole: every file the scene loads, the same bytes on every run, its size, the
// text files and the dialog pictures.

#include "ContentFixture.h"
#include "FileReaders.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <map>

namespace fs = std::filesystem;

namespace {

std::vector<std::string> expectedDataFiles() {
  std::vector<std::string> files = {
      "Directory.dat",      "Language.dat",       "ScreenLanguage.dat", "font.nlf",         "sky_cloudy.nlt",
      "sky_clear_32.nlt",   "sky_clear_16.nlt",   "models/gull.nlt",    "models/manta.nlt", "terrain.nlt",
      "water.nlt",          "gwfader.nlt",        "models/rock2.nlt",   "island.nlt",       "blendmap.nlt",
      "terrain_map.nlt",    "models/gull.nlm",    "models/manta.nlm",   "sound/water.wav",  "sound/seagull1.wav",
      "sound/seagull2.wav", "sound/seagull3.wav", "sound/seagull4.wav"};
  for (const char* coral : {"a", "b", "c", "d", "f", "g", "h", "i"}) {
    files.push_back(std::string("models/coral_") + coral + ".nlt");
    files.push_back(std::string("models/coral_") + coral + ".nlm");
  }
  for (const char* skin :
       {"blaugelbfish", "rotfish", "moorishidol", "gsbfish", "swpfish", "rbig", "ybig", "anglefish", "silverfish"}) {
    files.push_back(std::string("models/reeffishes/") + skin + ".nlt");
  }
  for (const char* model : {"ybig", "rbig", "moorishidol", "rfish", "gsbfish", "silverfish", "swpfish"}) {
    files.push_back(std::string("models/reeffishes/") + model + ".nlm");
  }
  char name[64];
  for (int f = 0; f < 32; ++f) {
    std::snprintf(name, sizeof name, "caustics64/caust%.2d.nlt", f);
    files.push_back(name);
    std::snprintf(name, sizeof name, "causticsfish32/caust%.2d.nlt", f);
    files.push_back(name);
    std::snprintf(name, sizeof name, "highlight/highlight%.5d.nlt", 44 + f);
    files.push_back(name);
  }
  return files;
}

std::map<std::string, std::vector<uint8_t>> folderContents(const std::string& root) {
  std::map<std::string, std::vector<uint8_t>> contents;
  for (const auto& entry : fs::recursive_directory_iterator(root)) {
    if (entry.is_regular_file()) contents[fs::relative(entry.path(), root).string()] = readFile(entry.path().string());
  }
  return contents;
}

// The [NL] section's entries, read the way the program's text tables read them.
std::map<std::string, std::string> textEntries(const std::string& path) {
  std::vector<uint8_t> bytes = readFile(path);
  std::string text(bytes.begin(), bytes.end());
  std::map<std::string, std::string> entries;
  size_t header = text.find("[NL]");
  if (header == std::string::npos) return entries;
  std::string body = text.substr(header + 4);
  body = body.substr(0, body.find('['));
  auto trim = [](std::string s) {
    size_t a = s.find_first_not_of(" \t\r\n"), b = s.find_last_not_of(" \t\r\n");
    return a == std::string::npos ? std::string() : s.substr(a, b - a + 1);
  };
  for (;;) {
    size_t equals = body.find('=');
    if (equals == std::string::npos) break;
    std::string key = trim(body.substr(0, equals));
    size_t open = body.find('{', equals), close = body.find('}', equals);
    if (open == std::string::npos || close == std::string::npos || close < open) break;
    entries.emplace(key, trim(body.substr(open + 1, close - open - 1)));
    body = body.substr(close + 1);
  }
  return entries;
}

}  // namespace

TEST(DataFolder, HoldsEveryFileTheSceneLoads) {
  ASSERT_TRUE(generatedContent().ok);
  for (const std::string& name : expectedDataFiles()) EXPECT_TRUE(fs::is_regular_file(dataFile(name))) << name;
}

TEST(DataFolder, IsTheSameOnEveryRunAndSmallEnough) {
  const GeneratedContent& first = generatedContent();
  GeneratedContent second = generateInto(first.root + "-again");
  ASSERT_TRUE(second.ok);
  auto a = folderContents(first.root);
  auto b = folderContents(second.root);
  ASSERT_EQ(a.size(), b.size());
  for (const auto& [name, bytes] : a) {
    ASSERT_TRUE(b.count(name)) << name;
    EXPECT_TRUE(bytes == b.at(name)) << name << " differs between runs";
  }
  uint64_t total = 0;
  for (const auto& [name, bytes] : folderContents(first.dataFolder)) total += bytes.size();
  std::printf("data folder: %.2f MB in %zu files\n", total / 1048576.0, folderContents(first.dataFolder).size());
  EXPECT_LT(total, 12ull * 1024 * 1024);
  fs::remove_all(second.root);
}

TEST(TextFiles, HoldEveryKeyTheProgramAsks) {
  auto directory = textEntries(dataFile("Directory.dat"));
  auto language = textEntries(dataFile("Language.dat"));
  auto screen = textEntries(dataFile("ScreenLanguage.dat"));
  for (const char* key : {"win32reg", "appname_long", "mainbitmap"}) EXPECT_FALSE(directory[key].empty()) << key;
  for (const char* key : {"caption",         "cancel",      "screensettings",
                          "intro",           "boid",        "fish",
                          "birds",           "sky",         "camera",
                          "sound",           "infotxt",     "hyperlink_txt",
                          "hyperlink",       "boidtype",    "boidcount",
                          "fishtype",        "fishcount",   "birdtype",
                          "skytext",         "cloudy",      "cloudless",
                          "cameratext",      "scrollspeed", "resttime_top",
                          "resttime_bottom", "automatic",   "top",
                          "middle",          "bottom",      "soundtext",
                          "on_off",          "help",        "helpexpanded"}) {
    EXPECT_FALSE(language[key].empty()) << key;
  }
  for (const char* key :
       {"caption", "displaymodetext", "leaveresolution", "bitsperpixel", "resolution", "shadesecondary", "cancel"}) {
    EXPECT_FALSE(screen[key].empty()) << key;
  }

  EXPECT_EQ(directory["win32reg"].rfind("Software\\", 0), 0u) << "a per-user key below Software";
  EXPECT_EQ(language["help"].find('\n'), std::string::npos) << "the short help is one line";
  const std::string& help = language["helpexpanded"];
  for (const char* key : {"Esc", "Home", "Spatie", "F1", "F:", "omhoog", "omlaag"}) {
    EXPECT_NE(help.find(key), std::string::npos) << key;
  }
  BmpPicture intro = readBmp(dataFile(directory["mainbitmap"]));
  ASSERT_TRUE(intro.valid);
  EXPECT_EQ(intro.bitsPerPixel, 24);
}

TEST(DialogPictures, AreElevenDistinct64By32Bitmaps) {
  const char* names[] = {"fish_silverfish.bmp",
                         "fish_anglefish.bmp",
                         "fish_red.bmp",
                         "fish_blue.bmp",
                         "fish_stripe.bmp",
                         "fish_dot.bmp",
                         "fish_yellowblue.bmp",
                         "fish_biggrey.bmp",
                         "fish_bigred.bmp",
                         "manta.bmp",
                         "gull.bmp"};
  std::vector<std::vector<uint8_t>> seen;
  for (const char* name : names) {
    BmpPicture p = readBmp(generatedContent().pictureFolder + "/" + name);
    ASSERT_TRUE(p.valid) << name;
    EXPECT_EQ(p.width, 64);
    EXPECT_EQ(p.height, 32);
    EXPECT_EQ(p.bitsPerPixel, 24);
    for (const auto& other : seen) EXPECT_NE(other, p.pixels) << name;
    seen.push_back(p.pixels);
  }
}
