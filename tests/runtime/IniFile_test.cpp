#include "runtime/IniFile.h"

#include <gtest/gtest.h>

#include <fstream>

#include "runtime/Exceptions.h"
#include "tests/runtime/TempFolder.h"

namespace {

void WriteFile(const std::string& name, const std::string& text) { std::ofstream(name, std::ios::binary) << text; }

class IniFileTest : public ::testing::Test {
protected:
  TempFolder folder;
  std::string fileName = folder / "settings.ini";
};

}  // namespace

TEST_F(IniFileTest, MissingFileReadsAsEmptyAndIsNotCreatedByReading) {
  TIniFile ini(fileName);
  EXPECT_FALSE(ini.SectionExists("ANY"));
  EXPECT_EQ(ini.ReadString("ANY", "Key", "default"), "default");
  ini.UpdateFile();
  EXPECT_FALSE(std::filesystem::exists(fileName));
}

TEST_F(IniFileTest, ParsesHandWrittenText) {
  WriteFile(fileName,
            "orphan=ignored\r\n"
            "; a comment\r\n"
            "  [ Main ]  \r\n"
            "  Left = 10 \r\n"
            "no equals sign\r\n"
            "Left=20\r\n"
            "# another comment\r\n"
            "[other]\n"
            "Name=a=b\n"
            "[MAIN]\n"
            "Top=5\n");
  TIniFile ini(fileName);
  EXPECT_EQ(ini.ReadInteger("main", "LEFT", 0), 10) << "the first of duplicate keys holds";
  EXPECT_EQ(ini.ReadSection("Main"), (std::vector<std::string>{"Left", "Top"}))
      << "a repeated section continues the first one";
  EXPECT_EQ(ini.ReadString("OTHER", "name", ""), "a=b");
  EXPECT_FALSE(ini.SectionExists("orphan"));
}

TEST_F(IniFileTest, NamesCompareWithoutCaseAndKeepTheirFirstSpelling) {
  {
    TIniFile ini(fileName);
    ini.WriteString("Colors", "BackGround", "1");
    ini.WriteString("COLORS", "background", "2");
    ini.UpdateFile();
  }
  EXPECT_EQ(ReadFileText(fileName), "[Colors]\nBackGround=2\n");
}

TEST_F(IniFileTest, IntegerReadsAcceptOnlyWholeDecimalNumbers) {
  const std::vector<std::pair<std::string, std::int64_t>> cases = {
      {"42", 42}, {"-7", -7}, {"+5", 5}, {" 12 ", 12}, {"9223372036854775807", INT64_MAX},
      {"9223372036854775808", -1}, {"12x", -1}, {"0x10", -1}, {"abc", -1}, {"", -1}, {"+-3", -1}, {"1.5", -1}};
  TIniFile ini(fileName);
  for (const auto& [text, expected] : cases) {
    ini.WriteString("S", "K", text);
    EXPECT_EQ(ini.ReadInteger("S", "K", -1), expected) << "text \"" << text << "\"";
  }
}

TEST_F(IniFileTest, BooleansAreIntegers) {
  const std::vector<std::pair<std::string, bool>> cases = {{"0", false}, {"1", true}, {"-3", true}, {"yes", true}};
  TIniFile ini(fileName);
  for (const auto& [text, expected] : cases) {
    ini.WriteString("S", "B", text);
    EXPECT_EQ(ini.ReadBool("S", "B", true), expected) << "text \"" << text << "\"";
  }
  ini.WriteBool("S", "B", false);
  EXPECT_EQ(ini.ReadString("S", "B", ""), "0");
}

TEST_F(IniFileTest, EveryValueSurvivesTheFile) {
  const std::vector<std::string> values = {
      "",        "plain",     " leading",   "trailing\t", "two\nlines", "cr\rlf\r\n", "\"quoted\"",
      "\"half",  "end\"",     "back\\slash", "C:\\temp",   "x=y;z",      "[looks like a header]"};
  {
    TIniFile ini(fileName);
    for (std::size_t i = 0; i < values.size(); ++i) ini.WriteString("V", "K" + std::to_string(i), values[i]);
    ini.UpdateFile();
  }
  TIniFile ini(fileName);
  for (std::size_t i = 0; i < values.size(); ++i)
    EXPECT_EQ(ini.ReadString("V", "K" + std::to_string(i), "?"), values[i]) << "value #" << i;
  EXPECT_EQ(ini.ReadSection("V").size(), values.size()) << "no value may break into extra lines";
}

TEST_F(IniFileTest, NamesThatCouldNotBeReadBackAreRefused) {
  TIniFile ini(fileName);
  for (const char* section : {"", " padded", "a]b", "two\nlines"})
    EXPECT_THROW(ini.WriteString(section, "Key", "v"), EAssertionFailed) << "section \"" << section << "\"";
  for (const char* key : {"", "a=b", "[x", ";x", "#x", "padded ", "two\nlines"})
    EXPECT_THROW(ini.WriteString("S", key, "v"), EAssertionFailed) << "key \"" << key << "\"";
  EXPECT_FALSE(ini.SectionExists("S"));
}

TEST_F(IniFileTest, EraseSectionRemovesOnlyThatSection) {
  WriteFile(fileName, "[A]\nx=1\n[B]\ny=2\n");
  TIniFile ini(fileName);
  ini.EraseSection("a");
  ini.UpdateFile();
  EXPECT_EQ(ReadFileText(fileName), "[B]\ny=2\n");
}

TEST_F(IniFileTest, AnUnchangedFileIsLeftAlone) {
  const std::string text = "; kept because nothing changed\n[A]\nx=1\n";
  WriteFile(fileName, text);
  TIniFile ini(fileName);
  ini.WriteString("A", "x", "1");
  ini.EraseSection("missing");
  ini.UpdateFile();
  EXPECT_EQ(ReadFileText(fileName), text);
}

TEST_F(IniFileTest, UpdateCreatesTheFolderAndKeepsThePermissions) {
  std::string nested = folder / "a/b/settings.ini";
  TIniFile created(nested);
  created.WriteInteger("S", "K", 1);
  created.UpdateFile();
  EXPECT_EQ(TIniFile(nested).ReadInteger("S", "K", 0), 1);

  WriteFile(fileName, "[S]\nK=1\n");
  std::filesystem::permissions(fileName, std::filesystem::perms(0640));
  TIniFile ini(fileName);
  ini.WriteInteger("S", "K", 2);
  ini.UpdateFile();
  EXPECT_EQ(std::filesystem::status(fileName).permissions(), std::filesystem::perms(0640));
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Path()), {}), 2)
      << "no temporary file may be left beside the file";
}

// The new file used to replace the link, leaving the linked file unchanged.
TEST_F(IniFileTest, AnUpdateThroughALinkWritesTheLinkedFile) {
  WriteFile(folder / "kept.ini", "[S]\nK=1\n");
  std::filesystem::create_symlink("kept.ini", fileName);
  TIniFile ini(fileName);
  ini.WriteInteger("S", "K", 2);
  ini.UpdateFile();
  EXPECT_TRUE(std::filesystem::is_symlink(fileName));
  EXPECT_EQ(ReadFileText(folder / "kept.ini"), "[S]\nK=2\n");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Path()), {}), 2)
      << "no temporary file may be left beside the file";
}

TEST_F(IniFileTest, FileFaultsRaise) {
  WriteFile(folder / "blocker", "a file where a folder should be");
  TIniFile blocked(folder / "blocker/settings.ini");
  blocked.WriteInteger("S", "K", 1);
  EXPECT_THROW(blocked.UpdateFile(), EQuantrelError);

  std::filesystem::create_directory(folder / "occupied");
  EXPECT_THROW((void)TIniFile(folder / "occupied"), EQuantrelError) << "a folder cannot be read as a file";
}
