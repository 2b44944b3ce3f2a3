#include <gtest/gtest.h>

#include <string>

#include "config/ProgramTexts.h"
#include "config/TextTable.h"
#include "config/UiLanguage.h"
#include "tests/support/TestEnvironment.h"

namespace {

// Writes bytes to a fresh file and opens a table on it with section "NL".
class TableFile {
 public:
  explicit TableFile(const std::string& bytes) {
    path_ = testenv::scratchFolder("texttable") + "table.dat";
    testenv::writeFile(path_, bytes);
    table.setSection("NL");
    opened = table.openFile(path_.c_str());
  }
  TextTable table;
  bool opened = false;

 private:
  std::string path_;
};

TEST(TextTable, EntriesAreExactCaseSensitiveAndFirstWins) {
  TableFile f("[NL]\r\nkey1 = {a}\r\nkey2={ b }\r\nkey1 = {second}\r\nempty = {}\r\n");
  ASSERT_TRUE(f.opened);
  EXPECT_STREQ(f.table.lookup("key1"), "a");
  EXPECT_STREQ(f.table.lookup("key2"), "b");
  EXPECT_STREQ(f.table.lookup("Key1"), "");
  EXPECT_STREQ(f.table.lookup("key"), "");
  EXPECT_STREQ(f.table.lookup("empty"), "");
  EXPECT_STREQ(f.table.lookup("missing"), "");
}

TEST(TextTable, ValuesKeepInnerLineBreaksButNotOuterSpace) {
  TableFile f("[NL]\nhelp = {  \n  first line\n  second line \n }\nkey with space = {v w}\n");
  EXPECT_STREQ(f.table.lookup("help"), "first line\n  second line");
  EXPECT_STREQ(f.table.lookup("key with space"), "v w");
}

TEST(TextTable, MissingBracesTakeTheNextBracedValue) {
  TableFile f("[NL]\na = no braces\nb = {x}\nc = {y = z}\n");
  EXPECT_STREQ(f.table.lookup("a"), "x");
  EXPECT_STREQ(f.table.lookup("b"), "");
  EXPECT_STREQ(f.table.lookup("c"), "y = z");
}

TEST(TextTable, SectionRunsFromItsHeaderToTheNextBracket) {
  TableFile f("[DE]\nk = {deutsch}\n[NL]\nk = {nederlands}\nl = {vo[or}\nm = {na}\n");
  EXPECT_STREQ(f.table.lookup("k"), "nederlands");
  EXPECT_STREQ(f.table.lookup("m"), "");
}

TEST(TextTable, NulByteDropsTheRestOfItsPiece) {
  std::string bytes = "[NL]\na = {1}\n";
  bytes.push_back('\0');
  bytes += "b = {2}\n";
  bytes.resize(600, ' ');  // the second 511-byte piece starts at offset 511
  bytes += "\nc = {3}\n";
  TableFile f(bytes);
  EXPECT_STREQ(f.table.lookup("a"), "1");
  EXPECT_STREQ(f.table.lookup("b"), "");
  EXPECT_STREQ(f.table.lookup("c"), "3");
}

TEST(TextTable, BrokenFilesStillAnswerEveryLookup) {
  const std::string broken[] = {
      std::string(),
      "no header at all\nk = {v}\n",
      "[NL]",
      "[NL]\nk = {unclosed\nl = {x\n",
      "[NL]\nk = }before{ v\n",
      "[NL]\n====}}}{{{",
      "[N",
      std::string("[NL]\n\0\0\0", 8),
  };
  for (const std::string& bytes : broken) {
    TableFile f(bytes);
    EXPECT_STREQ(f.table.lookup("k"), "") << bytes;
    EXPECT_STREQ(f.table.lookup("anything"), "") << bytes;
  }
}

TEST(TextTable, MissingFileAndMissingSection) {
  TextTable table;
  table.setSection("NL");
  EXPECT_FALSE(table.openFile((testenv::scratchFolder("texttable-missing") + "nothing.dat").c_str()));
  EXPECT_STREQ(table.lookup("caption"), "");

  TextTable unsectioned;
  EXPECT_STREQ(unsectioned.lookup("caption"), "");
}

TEST(TextTable, ParsedOnceAtTheFirstLookup) {
  const std::string path = testenv::scratchFolder("texttable-lazy") + "lazy.dat";
  testenv::writeFile(path, "[NL]\nk = {before}\n");
  TextTable table;
  table.setSection("NL");
  ASSERT_TRUE(table.openFile(path.c_str()));
  testenv::writeFile(path, "[NL]\nk = {changed}\n");
  EXPECT_STREQ(table.lookup("k"), "changed");  // not read before the first lookup
  testenv::writeFile(path, "[NL]\nk = {later}\n");
  EXPECT_STREQ(table.lookup("k"), "changed");
}

// A language's own section first; a key it lacks, or a section the file lacks, from "NL", so a file
// of Dutch texts only reads as it always did.
TEST(TextTable, ALanguageFallsBackToDutchKeyByKey) {
  const std::string file =
      "[NL]\ncaption = {Instellingen}\ncancel = {Annuleren}\nhelp = {hulp}\n"
      "[DE]\ncaption = {Einstellungen}\nhelp = {}\n"
      "[FR]\ncaption = {R\xE9glages}\n";
  TextTable german;
  german.setLanguage(textkeys::Language::German);
  german.parseText(file);
  EXPECT_STREQ(german.lookup("caption"), "Einstellungen");
  EXPECT_STREQ(german.lookup("cancel"), "Annuleren");
  EXPECT_STREQ(german.lookup("help"), "") << "an empty text is a text";
  EXPECT_STREQ(german.lookup("missing"), "");

  TextTable french;
  french.setLanguage(textkeys::Language::French);
  french.parseText(file);
  EXPECT_STREQ(french.lookup("caption"), "R\xE9glages");
  EXPECT_STREQ(french.lookup("help"), "hulp");

  TextTable english;
  english.setLanguage(textkeys::Language::English);
  english.parseText(file);
  EXPECT_STREQ(english.lookup("caption"), "Instellingen");

  const std::string dutchOnly = "; old file\n[NL]\ncaption = {Instellingen}\n";
  for (const textkeys::Language language : textkeys::Languages) {
    TextTable table;
    table.setLanguage(language);
    table.parseText(dutchOnly);
    EXPECT_STREQ(table.lookup("caption"), "Instellingen") << textkeys::sectionName(language);
  }

  // Where the language's section stands makes no difference, nor does a file without "NL".
  TextTable before;
  before.setLanguage(textkeys::Language::German);
  before.parseText("[DE]\ncaption = {Einstellungen}\n[NL]\ncaption = {Instellingen}\ncancel = {Annuleren}\n");
  EXPECT_STREQ(before.lookup("caption"), "Einstellungen");
  EXPECT_STREQ(before.lookup("cancel"), "Annuleren");
  TextTable alone;
  alone.setLanguage(textkeys::Language::German);
  alone.parseText("[DE]\ncaption = {Einstellungen}\n");
  EXPECT_STREQ(alone.lookup("caption"), "Einstellungen");

  // A section set by name reads that section alone, as the directory is read.
  TextTable named;
  named.setLanguage(textkeys::Language::German);
  named.setSection("DE");
  named.parseText(file);
  EXPECT_STREQ(named.lookup("cancel"), "");
}

TEST(UiLanguage, ThePrimaryLanguageChoosesAndAnyOtherIsEnglish) {
  using textkeys::Language;
  EXPECT_EQ(languageOfUiLanguage(0x0413), Language::Dutch);    // Netherlands
  EXPECT_EQ(languageOfUiLanguage(0x0813), Language::Dutch);    // Belgium
  EXPECT_EQ(languageOfUiLanguage(0x0407), Language::German);   // Germany
  EXPECT_EQ(languageOfUiLanguage(0x0807), Language::German);   // Switzerland
  EXPECT_EQ(languageOfUiLanguage(0x0C07), Language::German);   // Austria
  EXPECT_EQ(languageOfUiLanguage(0x040C), Language::French);   // France
  EXPECT_EQ(languageOfUiLanguage(0x0C0C), Language::French);   // Canada
  EXPECT_EQ(languageOfUiLanguage(0x0409), Language::English);  // United States
  EXPECT_EQ(languageOfUiLanguage(0x0809), Language::English);  // United Kingdom
  for (const uint16_t other : {0x0410, 0x0411, 0x0419, 0x0415, 0x0416, 0x0000, 0x007F}) {
    EXPECT_EQ(languageOfUiLanguage(other), Language::English) << std::hex << other;
  }
}

// The program's own texts: one in each language, Dutch as the program always said it.
TEST(ProgramTexts, AreThereInEveryLanguage) {
  for (const ProgramText* text : programtexts::All) {
    for (const textkeys::Language language : textkeys::Languages) EXPECT_STRNE(text->in(language), "");
    EXPECT_STRNE(text->in(textkeys::Language::German), text->in(textkeys::Language::English));
    EXPECT_STRNE(text->in(textkeys::Language::French), text->in(textkeys::Language::English));
  }
  EXPECT_STREQ(programtexts::ErrorCaption.in(textkeys::Language::Dutch), "Error");
  EXPECT_STREQ(programtexts::Depth32.in(textkeys::Language::Dutch), "32 bit");
  // The missing folder's text is a format with one place for the folder.
  for (const textkeys::Language language : textkeys::Languages) {
    const std::string format = programtexts::MissingDataFolder.in(language);
    EXPECT_NE(format.find("%s"), std::string::npos);
    EXPECT_EQ(format.find('%'), format.rfind('%'));
  }
}

TEST(TextTable, LongSectionNamesAreCut) {
  TextTable table;
  table.setSection("AVERYLONGSECTIONNAMEINDEED");
  table.parseText("[AVERYLONGSECTI\nk = {v}\n");
  EXPECT_STREQ(table.lookup("k"), "v");
}

}  // namespace
