#include "runtime/MemIniFile.h"

#include <fstream>

#include <gtest/gtest.h>

#include "runtime/Exceptions.h"
#include "tests/runtime/TempFolder.h"

namespace {

const char* const Text =
    "ignored=before any section\n"
    "[Panel]\r\n"
    "  Color =  $FF  \n"
    "; a comment=1\n"
    "#HASH=kept\n"
    "# no equals sign\n"
    "Quoted=\"a b\"\n"
    "color=second\n"
    "Empty=\n"
    "[BUTTON]\nName=upper\n"
    "[Button]\nName=mixed\n"
    "[ Spaced ]\nWidth = 0x10\nHeight= -12\n"
    "[]\nlost=1\n"
    "[Panel]\nLater=continues\n";

TEST(MemIniFile, SectionsAndKeysInFileOrder) {
  const TMemIniFile ini("1.tmp", Text);
  EXPECT_EQ(ini.ReadSections(), (std::vector<std::string>{"Panel", "BUTTON", "Button", "Spaced"}));
  EXPECT_EQ(ini.ReadSection("PANEL"), (std::vector<std::string>{"Color", "#HASH", "Quoted", "Empty", "Later"}))
      << "the first of duplicate keys holds; a section met again continues";
  EXPECT_TRUE(ini.ReadSection("Missing").empty());
}

TEST(MemIniFile, ValuesAreReadAsWritten) {
  const TMemIniFile ini("1.tmp", Text);
  const struct {
    const char* Section;
    const char* Key;
    std::string Value;
  } cases[] = {
      {"panel", "COLOR", "$FF"},        {"Panel", "#hash", "kept"},  {"Panel", "Quoted", "\"a b\""},
      {"Panel", "Empty", ""},           {"BUTTON", "Name", "upper"}, {"Button", "Name", "mixed"},
      {"button", "Name", "upper"},      {"spaced", "Width", "0x10"}, {"Panel", "ignored", "-"},
      {"Panel", "a comment", "-"},      {"", "lost", "-"},           {"Missing", "Name", "-"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(ini.ReadString(c.Section, c.Key, "-"), c.Value) << c.Section << " " << c.Key;
  EXPECT_TRUE(ini.SectionExists("SPACED"));
  EXPECT_FALSE(ini.SectionExists("Missing"));
  EXPECT_TRUE(ini.ValueExists("panel", "empty"));
  EXPECT_FALSE(ini.ValueExists("panel", "nothing"));
}

TEST(MemIniFile, IntegersReadAsStrToIntDef) {
  const TMemIniFile ini("1.tmp", Text);
  EXPECT_EQ(ini.ReadInteger("Panel", "Color", 7), 255);
  EXPECT_EQ(ini.ReadInteger("Spaced", "Height", 7), -12);
  EXPECT_EQ(ini.ReadInteger("Spaced", "Width", 7), 7) << "\"0x\" is not the toolkit's hexadecimal";
  EXPECT_EQ(ini.ReadInteger("Panel", "Quoted", 7), 7);
  EXPECT_EQ(ini.ReadInteger("Panel", "Empty", 7), 7);
  EXPECT_EQ(ini.ReadInteger("Panel", "Missing", 7), 7);
}

TEST(MemIniFile, ReadsAFileOrATextUnderAName) {
  TempFolder folder;
  const std::string file = folder / "Options.dat";
  std::ofstream(file) << "[A]\nKey=from the file\n";
  EXPECT_EQ(TMemIniFile(file).ReadString("A", "Key", "-"), "from the file");
  EXPECT_EQ(TMemIniFile(file, "[A]\nKey=from the text\n").ReadString("A", "Key", "-"), "from the text");
  EXPECT_EQ(TMemIniFile(file, "").FileName(), file);
  EXPECT_TRUE(TMemIniFile(folder / "missing.dat").ReadSections().empty());
  EXPECT_THROW(TMemIniFile(folder.Path().string()), EQuantrelError) << "a folder cannot be read";
}

}  // namespace
