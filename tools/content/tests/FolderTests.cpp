// The folder as a whole: the files of the catalogue, the same bytes on every run, its size, the
// text files and the dialog pictures.

#include "ContentFixture.h"
#include "FileReaders.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <map>
#include <set>

#include "config/TextTable.h"
#include "formats/DataCatalog.h"
#include "formats/TextTableKeys.h"

namespace fs = std::filesystem;

namespace {

std::map<std::string, std::vector<uint8_t>> folderContents(const std::string& root) {
  std::map<std::string, std::vector<uint8_t>> contents;
  for (const auto& entry : fs::recursive_directory_iterator(root)) {
    if (entry.is_regular_file()) contents[fs::relative(entry.path(), root).string()] = readFile(entry.path().string());
  }
  return contents;
}

// A table of a generated text file, read by the program's own reader.
class GeneratedTable {
 public:
  explicit GeneratedTable(const char* file, const char* section = textkeys::BaseSection) {
    table_.setSection(section);
    opened_ = table_.openFile(dataFile(file).c_str());
  }
  bool opened() const { return opened_; }
  std::string operator[](const char* key) { return table_.lookup(key); }

 private:
  TextTable table_;
  bool opened_ = false;
};

}  // namespace

TEST(DataFolder, HoldsExactlyTheFilesOfTheCatalogue) {
  ASSERT_TRUE(generatedContent().ok);
  std::set<std::string> expected;
  for (const std::string& name : catalog::allFiles()) {
    EXPECT_TRUE(expected.insert(catalog::fileSystemName(name.c_str())).second) << name << " is listed twice";
  }
  std::set<std::string> written;
  for (const auto& entry : fs::recursive_directory_iterator(generatedContent().dataFolder)) {
    if (entry.is_regular_file()) written.insert(fs::relative(entry.path(), generatedContent().dataFolder).string());
  }
  for (const std::string& name : expected) EXPECT_TRUE(written.count(name)) << name << " is missing";
  for (const std::string& name : written) EXPECT_TRUE(expected.count(name)) << name << " is not in the catalogue";
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
  // A minute of water sound and the large pictures (sky, island, floor detail) are most of it.
  EXPECT_LT(total, 20ull * 1024 * 1024);
  fs::remove_all(second.root);
}

// Every language in its own section, so no text of one language stands in for another.
TEST(TextFiles, HoldEveryKeyTheProgramAsksInEveryLanguage) {
  for (const textkeys::TextFileKeys& file : textkeys::TextFiles) {
    for (const textkeys::Language language : textkeys::Languages) {
      if (!file.perLanguage && language != textkeys::Language::Dutch) continue;
      const char* section = textkeys::sectionName(language);
      GeneratedTable table(file.file, section);
      ASSERT_TRUE(table.opened()) << file.file;
      for (size_t k = 0; k < file.keyCount; ++k)
        EXPECT_FALSE(table[file.keys[k]].empty()) << file.file << " " << section << ": " << file.keys[k];
    }
  }

  GeneratedTable directory(textkeys::directory::File), language(textkeys::language::File);
  EXPECT_EQ(directory[textkeys::directory::RegistryPath].rfind("Software\\", 0), 0u) << "a per-user key below Software";
  EXPECT_EQ(language[textkeys::language::Help].find('\n'), std::string::npos) << "the short help is one line";
  const std::string help = language[textkeys::language::HelpExpanded];
  for (const char* key : {"Esc", "Home", "Spatie", "F1", "F:", "omhoog", "omlaag"}) {
    EXPECT_NE(help.find(key), std::string::npos) << key;
  }
  BmpPicture intro = readBmp(dataFile(directory[textkeys::directory::MainBitmap]));
  ASSERT_TRUE(intro.valid);
  EXPECT_EQ(intro.bitsPerPixel, 24);
}

// The help of each language names each of the keys, on a line of its own, as that language's
// keyboards label them; the letters beyond ASCII are Windows-1252 bytes the font has.
TEST(TextFiles, EveryLanguageHelpsWithEveryKey) {
  const char* keys[][7] = {{"Esc:", "Home:", "Pijl omhoog:", "Pijl omlaag:", "Spatie:", "F:", "F1:"},
                           {"Esc:", "Home:", "Up arrow:", "Down arrow:", "Space:", "F:", "F1:"},
                           {"Esc:", "Pos1:", "Pfeil nach oben:", "Pfeil nach unten:", "Leertaste:", "F:", "F1:"},
                           {"\xC9"
                            "chap :",
                            "D\xE9"
                            "but :",
                            "Fl\xE8"
                            "che haut :",
                            "Fl\xE8"
                            "che bas :",
                            "Espace :", "F :", "F1 :"}};
  const FontAtlas font = readFont(dataFile(catalog::FontFile));
  ASSERT_TRUE(font.valid);
  std::set<int> glyphs;
  for (const formats::FontGlyphRecord& glyph : font.glyphs) glyphs.insert(glyph.code);
  for (const textkeys::Language language : textkeys::Languages) {
    const char* section = textkeys::sectionName(language);
    GeneratedTable table(textkeys::language::File, section);
    const std::string help = table[textkeys::language::HelpExpanded];
    size_t lines = 0;
    for (const char* key : keys[static_cast<size_t>(language)]) {
      EXPECT_TRUE(help.rfind(key, 0) == 0 || help.find(std::string("\n") + key) != std::string::npos)
          << section << ": " << key;
      ++lines;
    }
    EXPECT_EQ(static_cast<size_t>(std::count(help.begin(), help.end(), '\n')) + 1, lines) << section;
    for (const char* key : {textkeys::language::Help, textkeys::language::HelpExpanded}) {
      for (const unsigned char byte : table[key]) {
        EXPECT_TRUE(byte == '\n' || glyphs.count(byte)) << section << ": byte " << static_cast<int>(byte);
      }
    }
  }
}

// The texts are Windows-1252, one byte a letter: the German and French ones use letters beyond
// ASCII, and no text holds a character the code page lacks ("?") or a UTF-8 sequence.
TEST(TextFiles, AreWindows1252) {
  for (const char* file : {textkeys::language::File, textkeys::screenlanguage::File}) {
    const std::vector<uint8_t> bytes = readFile(dataFile(file));
    EXPECT_EQ(std::count(bytes.begin(), bytes.end(), '?'), 0) << file;
    EXPECT_EQ(std::count(bytes.begin(), bytes.end(), 0xC3), 0) << file << ": UTF-8";
  }
  GeneratedTable german(textkeys::language::File, "DE"), french(textkeys::language::File, "FR");
  EXPECT_EQ(german[textkeys::language::Birds], "V\xF6gel");
  EXPECT_EQ(french[textkeys::language::Camera], "Cam\xE9ra");
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
