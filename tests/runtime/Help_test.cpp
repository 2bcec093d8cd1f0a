#include "runtime/Help.h"

#include <unistd.h>

#include <filesystem>
#include <fstream>

#include <gtest/gtest.h>

#include "runtime/Storage.h"

namespace {

// What the viewer was asked to show, as one line per request.
class TRecordingViewer : public IHelpViewer {
public:
  void ShowPage(const std::string& address) override { Shown.push_back(address); }
  void ShowIndex(const std::vector<THelpKeyword>& keywords, std::size_t nearest) override {
    Shown.push_back("index at " + keywords.at(nearest).Keyword);
  }
  std::vector<std::string> Shown;
};

// A help folder of its own beside the test program, under a title of its own.
class HelpTest : public testing::Test {
protected:
  HelpTest() {
    SetAppTitle("HelpTest" + std::to_string(getpid()));
    folder_ = HelpFolder();
    std::filesystem::create_directories(folder_);
    std::ofstream(folder_ + "keywords.txt") << "Sin\ta2_01.htm\r\nabs\ta2_02.htm\nno tab here\nMatrix\ta3_00.htm\n";
    std::ofstream(folder_ + "contexts.txt") << "1020\ta1_02_09.htm\n";
    SetHelpViewer(&viewer_);
  }
  ~HelpTest() override {
    SetHelpViewer(nullptr);
    std::filesystem::remove_all(folder_);
    SetAppTitle("");
  }

  std::string folder_;
  TRecordingViewer viewer_;
};

TEST_F(HelpTest, TheFolderIsNamedAfterTheTitleBesideTheProgram) {
  EXPECT_EQ(folder_, GetAppFolder() + GetAppTitle() + ".help/");
}

TEST_F(HelpTest, TopicsOpenTheirPageAndAnEmptyTopicTheDefaultPage) {
  ShowHelp("a1_02_09.htm");
  ShowHelp("");
  EXPECT_EQ(viewer_.Shown, (std::vector<std::string>{folder_ + "a1_02_09.htm", folder_ + "index.htm"}));
}

TEST_F(HelpTest, KeywordsOpenTheirPageOrTheIndexAtTheNearestEntry) {
  const struct {
    const char* Keyword;
    std::string Shown;
  } cases[] = {
      {"SIN", folder_ + "a2_01.htm"},
      {"Abs", folder_ + "a2_02.htm"},
      {"cos", "index at Matrix"},
      {"aaa", "index at abs"},
      {"zzz", "index at Sin"},
  };
  for (const auto& entry : cases) {
    viewer_.Shown.clear();
    ShowHelpKeyword(entry.Keyword);
    EXPECT_EQ(viewer_.Shown, std::vector<std::string>{entry.Shown}) << entry.Keyword;
  }
  viewer_.Shown.clear();
  ShowHelpKeyword("");
  EXPECT_TRUE(viewer_.Shown.empty());
}

TEST_F(HelpTest, TheKeywordListIsSortedIgnoringCase) {
  const auto keywords = ReadHelpKeywords();
  ASSERT_EQ(keywords.size(), 3u);
  EXPECT_EQ(keywords[0].Keyword, "abs");
  EXPECT_EQ(keywords[1].Keyword, "Matrix");
  EXPECT_EQ(keywords[2].Page, "a2_01.htm");
}

TEST_F(HelpTest, ContextsOpenTheirPageAndUnlistedOnesTheDefaultPage) {
  ShowHelpContext(1020);
  ShowHelpContext(7);
  EXPECT_EQ(viewer_.Shown, (std::vector<std::string>{folder_ + "a1_02_09.htm", folder_ + "index.htm"}));
}

TEST_F(HelpTest, WithoutAKeywordFileTheViewerIsToldOfIt) {
  std::filesystem::remove(folder_ + "keywords.txt");
  ShowHelpKeyword("sin");
  EXPECT_EQ(viewer_.Shown, std::vector<std::string>{folder_ + "keywords.txt"});
}

TEST_F(HelpTest, NothingHappensWithNothingBound) {
  SetHelpViewer(nullptr);
  ShowHelp("a1_02_09.htm");
  ShowHelpKeyword("sin");
  ShowHelpContext(1020);
  EXPECT_TRUE(viewer_.Shown.empty());
  EXPECT_FALSE(OpenDocument("/tmp/library.chm"));
}

}  // namespace
