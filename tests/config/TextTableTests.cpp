#include <gtest/gtest.h>

#include <string>

#include "config/TextTable.h"
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

TEST(TextTable, LongSectionNamesAreCut) {
  TextTable table;
  table.setSection("AVERYLONGSECTIONNAMEINDEED");
  table.parseText("[AVERYLONGSECTI\nk = {v}\n");
  EXPECT_STREQ(table.lookup("k"), "v");
}

}  // namespace
