#include "shell/LibMan.h"

#include <filesystem>
#include <fstream>

#include <gtest/gtest.h>

#include "runtime/Help.h"
#include "tests/console/StoredSettings.h"
#include "tests/engine/EngineFixture.h"
#include "tests/runtime/Packer.h"
#include "tests/shell/RecordedViewer.h"

namespace fs = std::filesystem;

namespace {

class TRecordedProgress : public ILoadProgress {
public:
  void AddMessage(const std::string& message) override { Messages.push_back(message); }
  void SetProgress(int percent) override { Progress.push_back(percent); }
  std::vector<std::string> Messages;
  std::vector<int> Progress;
};

// A program folder with its LIBS tree, a settings store of its own and the real engine.
class LibManTest : public StoredSettings {
protected:
  LibManTest() {
    SetMessageSink(Sink);
    fs::create_directories(Libs);
    LoadProgress = &Progress;
  }
  ~LibManTest() override {
    LoadProgress = nullptr;
    SetMessageSink(nullptr);
  }

  // A packaged library "library <name>;" at the path below the program folder.
  std::string Packed(const std::string& path, const std::string& library) {
    return Write(path, PackText("library " + library + ";\nbegin end.", PackedLibraryKey, PackedLibrarySeed));
  }
  std::string Write(const std::string& path, const std::string& content) {
    const fs::path file = Program.Path() / path;
    fs::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary) << content;
    return file.string();
  }
  void StoreEntries(const std::vector<std::pair<std::string, bool>>& entries, bool libraries) {
    Storage->OpenSection("LIBS", true);
    TSectionCloser closer(*Storage);
    Storage->WriteInteger("Count", static_cast<int64_t>(entries.size()));
    if (libraries) Storage->WriteBool("Libraries", true);
    for (size_t i = 0; i < entries.size(); ++i) {
      Storage->WriteString("L_" + std::to_string(i + 1) + "_File", entries[i].first);
      Storage->WriteBool("L_" + std::to_string(i + 1) + "_Load", entries[i].second);
    }
  }
  std::unique_ptr<TLibMan> Make() { return std::make_unique<TLibMan>(Libs, Engine); }
  std::vector<std::string> Names(const TLibMan& manager) {
    std::vector<std::string> names;
    for (int i = 0; i < manager.Count(); ++i) names.push_back(manager.GetItem(i).Name);
    return names;
  }

  TempFolder Program;
  const std::string Libs = (Program.Path() / "LIBS").string() + "/";
  CountedPtr<TRecordingSink> Sink = MakeCounted<TRecordingSink>();
  CountedPtr<TXBuilder> Engine = MakeCounted<TXBuilder>(StandardCatalogues());
  TRecordedProgress Progress;
};

TEST_F(LibManTest, WithoutAStoredListEveryPackagedLibraryInTheTreeLoads) {
  const std::string a = Packed("LIBS/a.tarl", "LibA"), b = Packed("LIBS/sub/b.tarl", "LibB");
  Packed("LIBS/sub/c.tarn", "NotPackaged");
  {
    auto manager = Make();
    ASSERT_EQ(manager->Count(), 2);
    EXPECT_EQ(manager->GetItem(0).FileName, a) << "the folder's own files come before its subfolders'";
    EXPECT_EQ(manager->GetItem(1).FileName, b);
    EXPECT_TRUE(manager->GetItem(0).Load && manager->GetItem(1).Load);
    EXPECT_EQ(Names(*manager), (std::vector<std::string>{"a", "b"})) << "before loading: the base names";
    manager->LoadAll();
    EXPECT_EQ(Names(*manager), (std::vector<std::string>{"LibA", "LibB"}));
    EXPECT_TRUE(manager->GetItem(0).Loaded && manager->GetItem(1).Loaded);
    EXPECT_NE(Engine->FindLibrary("LibB"), nullptr);
  }
  EXPECT_EQ(Stored("LIBS", "Count"), "2");
  EXPECT_EQ(Stored("LIBS", "Libraries"), "1");
  EXPECT_EQ(Stored("LIBS", "L_1_File"), a);
  EXPECT_EQ(Stored("LIBS", "L_1_Load"), "1");
  EXPECT_EQ(Stored("LIBS", "L_2_Load"), "1");
}

TEST_F(LibManTest, TheStoredLoadFlagsCountOnlyOnceTheManagerWroteThem) {
  const std::string a = Packed("LIBS/a.tarl", "LibA");
  StoreEntries({{a, false}}, false);
  EXPECT_TRUE(Make()->GetItem(0).Load) << "a section without \"Libraries\"";
  StoreEntries({{a, false}}, true);
  EXPECT_FALSE(Make()->GetItem(0).Load);
}

TEST_F(LibManTest, OneFileIsListedOnceHoweverItsPathIsWritten) {
  const std::string a = Packed("LIBS/a.tarl", "LibA");
  StoreEntries({{Libs + "./a.tarl", true}}, true);
  EXPECT_EQ(Make()->Count(), 1);
  fs::create_symlink(a, Libs + "link.tarl");
  EXPECT_EQ(Make()->Count(), 1) << "a link to a listed file";
  fs::remove(Libs + "link.tarl");
  Packed("LIBS/A.tarl", "LibUpper");
  EXPECT_EQ(Make()->Count(), 2) << "names differing in case are two files";
}

TEST_F(LibManTest, LoadingReportsEachLoadedEntryAndItsShareOfTheBar) {
  const std::string a = Packed("LIBS/a.tarl", "LibA"), b = Packed("LIBS/b.tarl", "LibB"),
                    c = Packed("LIBS/c.tarl", "LibC");
  StoreEntries({{a, false}, {b, true}, {c, false}}, true);
  auto manager = Make();
  manager->LoadAll();
  EXPECT_EQ(Progress.Messages, std::vector<std::string>{"Loading \"b\""});
  EXPECT_EQ(Progress.Progress, (std::vector<int>{10, 30}));
  EXPECT_EQ(Names(*manager), (std::vector<std::string>{"a", "LibB", "c"})) << "entries not loaded keep their base name";
}

TEST_F(LibManTest, SourceLibrariesLoadFromSourceAndFindTheirHelpBeside) {
  const std::string a = Write("src/a.tarn", "library SrcA;\nbegin end.");
  const std::string b = Write("src/b.tarn", "library SrcB;\nbegin end.");
  Write("src/a.txt", "help");
  Write("src/a.chm", "help");
  StoreEntries({{a, true}, {b, true}}, true);
  auto manager = Make();
  manager->LoadAll();
  EXPECT_EQ(Names(*manager), (std::vector<std::string>{"SrcA", "SrcB"}));
  EXPECT_EQ(manager->GetItem(0).HelpFile, (Program.Path() / "src/a.chm").string()) << ".chm is tried first";
  EXPECT_FALSE(manager->GetItem(1).HasHelp());
}

TEST_F(LibManTest, AFailedLoadLeavesTheEntryNamelessAndGoesOn) {
  const std::string bad = Write("LIBS/a.tarl", PackText("library ;", PackedLibraryKey, PackedLibrarySeed));
  const std::string damaged = Write("LIBS/b.tarl", std::string(17, 'x'));
  Packed("LIBS/c.tarl", "LibC");
  auto manager = Make();
  manager->LoadAll();
  EXPECT_EQ(Names(*manager), (std::vector<std::string>{"", "", "LibC"}));
  EXPECT_FALSE(manager->GetItem(0).Loaded || manager->GetItem(1).Loaded);
  EXPECT_EQ(Sink->ErrorTexts().size(), 2u) << "the engine's error line for each, also for an undecipherable file";
}

TEST_F(LibManTest, AStoredEntryWhoseFileIsGoneIsDropped) {
  const std::string a = Packed("LIBS/a.tarl", "LibA");
  StoreEntries({{Libs + "gone.tarl", true}, {a, true}}, true);
  EXPECT_EQ(Make()->Count(), 1);
  EXPECT_EQ(Stored("LIBS", "Count"), "1");
  EXPECT_EQ(Stored("LIBS", "L_1_File"), a);
  EXPECT_EQ(Stored("LIBS", "L_2_File"), "<none>");
}

TEST_F(LibManTest, AStoredCountBeyondItsEntriesReadsOnlyTheEntries) {
  const std::string a = Packed("LIBS/a.tarl", "LibA");
  const std::string b = Packed("LIBS/b.tarl", "LibB");
  StoreEntries({{a, true}, {b, false}}, true);
  Store("LIBS", "Count", "3000000000");
  const auto manager = Make();
  EXPECT_EQ(Names(*manager), (std::vector<std::string>{"a", "b"}));
}

TEST_F(LibManTest, ALinkBackUpTheTreeIsNotFollowed) {
  Packed("LIBS/a.tarl", "LibA");
  fs::create_directory_symlink(Libs, Libs + "loop");
  EXPECT_EQ(Make()->Count(), 1);
}

TEST_F(LibManTest, HelpGoesToTheProgramsHelpOrTheDesktop) {
  TRecordedOpener opener;
  TRecordedViewer viewer;
  SetDocumentOpener(&opener);
  SetHelpViewer(&viewer);
  // A help of our own beside the test program, with the keyword "a".
  SetAppTitle("LibManHelp");
  const fs::path help = HelpFolder();
  fs::create_directories(help);
  std::ofstream(help / "keywords.txt") << "a\tlib-a.htm\n";
  Packed("LIBS/a.tarl", "LibA");
  const std::string source = Write("src/s.tarn", "library S;\nbegin end.");
  const std::string text = Write("src/s.txt", "help");
  StoreEntries({{source, true}}, true);
  auto manager = Make();
  manager->GetItem(1).ShowHelp();
  EXPECT_EQ(viewer.Pages, std::vector<std::string>{(help / "lib-a.htm").string()});
  manager->GetItem(0).ShowHelp();
  EXPECT_EQ(opener.Opened, std::vector<std::string>{text});
  fs::remove_all(help);
  SetAppTitle("");
  SetHelpViewer(nullptr);
  SetDocumentOpener(nullptr);
}

TEST_F(LibManTest, AnEditableCopyNeitherReadsWritesNorLoads) {
  const std::string a = Packed("LIBS/a.tarl", "LibA"), b = Packed("LIBS/b.tarl", "LibB");
  auto manager = Make();
  manager->GetItem(1).Load = false;
  manager->GetItem(0).Name = "Renamed";
  {
    TLibMan copy(Libs, nullptr);
    EXPECT_EQ(copy.Count(), 0) << "nothing read or scanned";
    copy.Assign(*manager);
    ASSERT_EQ(copy.Count(), 2);
    EXPECT_EQ(copy.GetItem(0).Name, "Renamed");
    EXPECT_FALSE(copy.GetItem(1).Load);
    copy.LoadAll();
    EXPECT_EQ(Engine->FindLibrary("LibA"), nullptr);
    EXPECT_TRUE(Progress.Progress.empty());
  }
  EXPECT_EQ(Stored("LIBS", "Count"), "<none>");
}

}  // namespace
