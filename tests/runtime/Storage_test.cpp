#include "runtime/Storage.h"

#include <gtest/gtest.h>

#include <csignal>
#include <fstream>
#include <sys/wait.h>
#include <unistd.h>

#include "runtime/Exceptions.h"
#include "runtime/IniFile.h"
#include "runtime/SysInfo.h"
#include "tests/runtime/TempFolder.h"

namespace {

// Every test starts with an empty per-user configuration of its own.
class StorageTest : public ::testing::Test {
protected:
  ~StorageTest() override {
    Storage.reset();
    SetAppTitle("");
  }

  // The file the per-user store of this test program uses.
  std::string StoreFile() const { return config / ("quantrel/" + GetAppTitle() + ".ini"); }
  std::string BuildKey() const { return "Build" + TInfo().Build; }
  std::vector<std::string> GeneralKeys() const { return TIniFile(StoreFile()).ReadSection("GENERAL"); }

  TempFolder config;
  ScopedEnvironment configHome{"XDG_CONFIG_HOME", config.Path().string()};
};

}  // namespace

TEST_F(StorageTest, FirstStartSecondStartAndTheKeysLeftInGeneral) {
  Storage = std::make_unique<TStorage>("", 0);
  EXPECT_TRUE(Storage->FirstRun);
  EXPECT_TRUE(Storage->NewBuild);
  Storage.reset();

  EXPECT_EQ(GeneralKeys(), (std::vector<std::string>{BuildKey(), "First"}));
  TIniFile file(StoreFile());
  EXPECT_EQ(file.ReadString("GENERAL", BuildKey(), ""), "0");
  EXPECT_EQ(file.ReadString("GENERAL", "First", ""), "0");

  Storage = std::make_unique<TStorage>("", 0);
  EXPECT_FALSE(Storage->FirstRun);
  EXPECT_FALSE(Storage->NewBuild);
}

TEST_F(StorageTest, ANewBuildReplacesTheOldBuildKey) {
  TIniFile earlier(StoreFile());
  earlier.WriteBool("GENERAL", "Build1", false);
  earlier.WriteBool("GENERAL", "First", false);
  earlier.WriteInteger("MAINFORM", "Left", 40);
  earlier.UpdateFile();

  Storage = std::make_unique<TStorage>("", 0);
  EXPECT_FALSE(Storage->FirstRun);
  EXPECT_TRUE(Storage->NewBuild);
  Storage.reset();

  EXPECT_EQ(GeneralKeys(), (std::vector<std::string>{BuildKey(), "First"}));
  EXPECT_EQ(TIniFile(StoreFile()).ReadInteger("MAINFORM", "Left", 0), 40) << "other sections stay";
}

TEST_F(StorageTest, StoreNamesAndFiles) {
  std::string program = std::filesystem::path(ProgramFileName()).stem().string();
  EXPECT_EQ(GetAppTitle(), program);
  EXPECT_EQ(GetAppFolder(), std::filesystem::path(ProgramFileName()).parent_path().string() + "/");

  const std::vector<std::pair<std::string, std::string>> titles = {
      {"", program + ".ini"}, {"Quantrel", "Quantrel.ini"}, {"Quantrel 2.0", "Quantrel 2.ini"}};
  for (const auto& [title, storeName] : titles) {
    SetAppTitle(title);
    TStorage store("", 0);
    EXPECT_EQ(store.StoreName, storeName) << "title \"" << title << "\"";
    EXPECT_EQ(store.FileName(), config / ("quantrel/" + storeName));
    EXPECT_EQ(store.AppFolder, GetAppFolder());
    EXPECT_EQ(store.BuildText, TInfo().Build);
  }
  SetAppTitle("");

  TStorage named("Named.ini", 0);
  EXPECT_EQ(named.FileName(), config / "quantrel/Named.ini");
  std::string besideFile = GetAppFolder() + "Beside-test.ini";
  {
    TStorage beside("Beside-test.ini", 1);
    EXPECT_EQ(beside.FileName(), besideFile);
  }
  EXPECT_TRUE(std::filesystem::remove(besideFile));
}

TEST_F(StorageTest, TypedValuesAndDefaults) {
  Storage = std::make_unique<TStorage>("", 0);
  Storage->OpenSection("Values", false);
  Storage->WriteInteger("Count", -12);
  Storage->WriteBool("On", true);
  Storage->WriteString("Name", "x = y");
  Storage->WriteString("Bad", "abc");
  Storage->WriteString("Zero", "0");
  Storage->WriteString("Seven", "7");
  Storage->CloseSection();

  Storage->OpenSection("VALUES", false);
  EXPECT_EQ(Storage->ReadInteger("count", 0), -12);
  EXPECT_TRUE(Storage->ReadBool("On", false));
  EXPECT_EQ(Storage->ReadString("Name", ""), "x = y");
  EXPECT_EQ(Storage->ReadInteger("Bad", 99), 99) << "a non-numeric value reads as the default";
  EXPECT_TRUE(Storage->ReadBool("Bad", true));
  EXPECT_FALSE(Storage->ReadBool("Bad", false));
  EXPECT_FALSE(Storage->ReadBool("Zero", true));
  EXPECT_TRUE(Storage->ReadBool("Seven", false));
  EXPECT_EQ(Storage->ReadString("Missing", "dflt"), "dflt");
  EXPECT_EQ(Storage->ReadInteger("Missing", 5), 5);
  Storage->CloseSection();
}

// A count announces the keys of a loop; whatever it says, the loop is no
// longer than the section, and no longer than its reader keeps.
TEST_F(StorageTest, AStoredCountIsBoundedByItsKeysAndTheLimit) {
  Storage = std::make_unique<TStorage>("", 0);
  struct TCase {
    const char* stored;
    int limit;
    int expected;
  };
  const TCase cases[] = {
      {"3", 10, 3},           {"2000000000", 100, 6}, {"4294967298", 100, 6}, {"9999999999999999999", 100, 0},
      {"-1", 100, 0},         {"abc", 100, 0},        {"5", 2, 2},            {"-9223372036854775808", 100, 0},
  };
  for (const TCase& c : cases) {
    Storage->OpenSection("COUNTS", true);
    TSectionCloser closer(*Storage);
    Storage->WriteString("Count", c.stored);
    for (int i = 0; i < 5; ++i) Storage->WriteString("Item" + std::to_string(i), "x");
    EXPECT_EQ(Storage->ReadCount("Count", c.limit), c.expected) << c.stored << " within " << c.limit;
  }
  Storage->OpenSection("COUNTS", true);
  TSectionCloser closer(*Storage);
  EXPECT_EQ(Storage->ReadCount("Count", 100), 0) << "no keys";
}

TEST_F(StorageTest, OneSectionAtATime) {
  TStorage store("", 0);
  EXPECT_FALSE(store.IsSectionOpen());
  EXPECT_THROW(store.ReadInteger("Key", 0), EAssertionFailed);
  EXPECT_THROW(store.WriteString("Key", "v"), EAssertionFailed);
  EXPECT_THROW(store.CloseSection(), EAssertionFailed);
  EXPECT_THROW(store.OpenSection("", false), EAssertionFailed);
  EXPECT_FALSE(store.IsSectionOpen()) << "an empty name opens nothing";

  store.OpenSection("FIRST", false);
  EXPECT_THROW(store.OpenSection("SECOND", false), EAssertionFailed);
  EXPECT_TRUE(store.IsSectionOpen());
  store.WriteInteger("Key", 1);
  store.CloseSection();
  EXPECT_FALSE(store.IsSectionOpen());

  TIniFile file(store.FileName());
  EXPECT_EQ(file.ReadInteger("FIRST", "Key", 0), 1) << "the first section stayed open";
  EXPECT_FALSE(file.SectionExists("SECOND"));
}

TEST_F(StorageTest, EraseEmptiesTheSection) {
  TStorage store("", 0);
  store.OpenSection("PARAMS", false);
  store.WriteInteger("Old", 1);
  store.CloseSection();
  store.OpenSection("OTHER", false);
  store.WriteInteger("Kept", 1);
  store.CloseSection();

  store.OpenSection("PARAMS", true);
  store.CloseSection();
  TIniFile file(store.FileName());
  EXPECT_TRUE(file.ReadSection("PARAMS").empty());
  EXPECT_EQ(file.ReadInteger("OTHER", "Kept", 0), 1);
}

TEST_F(StorageTest, SectionsCloseOnExceptionsAndAtTheEnd) {
  TStorage store("", 0);
  try {
    store.OpenSection("WORK", false);
    TSectionCloser closer(store);
    store.WriteInteger("Done", 1);
    throw std::runtime_error("a client's failure");
  } catch (const std::runtime_error&) {
  }
  EXPECT_FALSE(store.IsSectionOpen());
  EXPECT_EQ(TIniFile(store.FileName()).ReadInteger("WORK", "Done", 0), 1);

  {
    TStorage forgetful("", 0);
    forgetful.OpenSection("LEFTOPEN", false);
    forgetful.WriteInteger("Kept", 1);
  }
  TIniFile file(store.FileName());
  EXPECT_EQ(file.ReadInteger("LEFTOPEN", "Kept", 0), 1) << "destroying the store keeps an open section's writes";
  EXPECT_EQ(file.ReadSection("GENERAL").size(), 2u);
}

// A writer killed at any moment leaves either the old or the new file: all
// keys present, each value whole and from the same generation.
TEST_F(StorageTest, AKilledWriterNeverLeavesATornFile) {
  constexpr int Keys = 8;
  constexpr std::size_t ValueLength = 256 * 1024;  // large writes widen the window a torn file would need
  auto valueOf = [](int generation) { return std::string(ValueLength, char('a' + generation % 26)); };
  for (int round = 0; round < 32; ++round) {
    int firstWriteDone[2];
    ASSERT_EQ(pipe(firstWriteDone), 0);
    pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      TStorage store("", 0);
      for (int generation = 0;; ++generation) {
        store.OpenSection("DATA", true);
        for (int key = 0; key < Keys; ++key) store.WriteString("K" + std::to_string(key), valueOf(generation));
        store.CloseSection();
        if (generation == 0) (void)!write(firstWriteDone[1], "", 1);
      }
    }
    char done;
    ASSERT_EQ(read(firstWriteDone[0], &done, 1), 1);
    close(firstWriteDone[0]);
    close(firstWriteDone[1]);
    usleep(1700 * round % 20000);  // lands the kill at scattered points of the next few writes
    kill(child, SIGKILL);
    waitpid(child, nullptr, 0);

    TIniFile file(StoreFile());
    std::vector<std::string> keys = file.ReadSection("DATA");
    ASSERT_EQ(keys.size(), std::size_t(Keys)) << "round " << round;
    std::string first = file.ReadString("DATA", "K0", "");
    ASSERT_EQ(first.size(), ValueLength) << "round " << round;
    ASSERT_EQ(first, valueOf(first[0] - 'a')) << "round " << round;
    for (const std::string& key : keys) ASSERT_EQ(file.ReadString("DATA", key, ""), first) << "round " << round;
  }
}

TEST_F(StorageTest, RegisterFileTypeWritesTheAssociationOncePerBuild) {
  TempFolder data;
  ScopedEnvironment dataHome("XDG_DATA_HOME", data.Path().string());
  EXPECT_THROW(RegisterFileType("tarn", "/bin/q"), EAssertionFailed) << "needs the store";
  Storage = std::make_unique<TStorage>("", 0);
  EXPECT_THROW(RegisterFileType("", "/bin/q"), EAssertionFailed);
  EXPECT_THROW(RegisterFileType("tarn", ""), EAssertionFailed);
  EXPECT_THROW(RegisterFileType("../x", "/bin/q"), EAssertionFailed);

  const std::string program = "/opt/my \"q\"/$quantrel%f";
  RegisterFileType("tarn", program);
  std::string mime = data / "mime/packages/tarnfile.xml";
  std::string desktop = data / "applications/tarnfile.desktop";
  EXPECT_NE(ReadFileText(mime).find("<glob pattern=\"*.tarn\"/>"), std::string::npos);
  EXPECT_NE(ReadFileText(mime).find("type=\"application/x-tarn\""), std::string::npos);
  EXPECT_NE(ReadFileText(desktop).find("\nExec=\"/opt/my \\\\\"q\\\\\"/\\\\$quantrel%%f\" %f\n"), std::string::npos)
      << ReadFileText(desktop);
  EXPECT_NE(ReadFileText(desktop).find("\nMimeType=application/x-tarn;\n"), std::string::npos);

  std::ofstream(desktop) << "changed by the user";
  Storage->NewBuild = false;
  RegisterFileType("tarn", program);
  EXPECT_EQ(ReadFileText(desktop), "changed by the user") << "an existing association stays within a build";
  Storage->NewBuild = true;
  RegisterFileType("tarn", program);
  EXPECT_NE(ReadFileText(desktop), "changed by the user") << "a new build rewrites it";
}
