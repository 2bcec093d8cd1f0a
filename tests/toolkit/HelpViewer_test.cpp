#include "toolkit/qt/HelpViewer.h"

#include <unistd.h>

#include <filesystem>
#include <fstream>

#include <gtest/gtest.h>

#include "runtime/Storage.h"
#include "tests/toolkit/ToolkitTestSupport.h"

namespace {

class TRecordingOpener : public IDocumentOpener {
public:
  bool Open(const std::string& document) override {
    Opened.push_back(document);
    return true;
  }
  std::vector<std::string> Opened;
};

// The program's viewer on a help folder of the test's own.
class HelpViewerTest : public testing::Test {
protected:
  HelpViewerTest() {
    SetAppTitle("HelpViewerTest" + std::to_string(getpid()));
    folder_ = HelpFolder();
    std::filesystem::create_directories(folder_);
    Write("index.htm", "<html><head><title>Quantrel Help</title></head><body>Welcome</body></html>");
    Write("a1_02_09.htm",
          "<html><head><title>Settings</title></head><body><a href=\"more.htm#part\">more</a> "
          "<a href=\"http://example.org/x\">web</a> <a href=\"nope.htm\">broken</a></body></html>");
    Write("more.htm", "<html><head><title>More</title></head><body><a name=\"part\"></a>Part</body></html>");
    Write("keywords.txt", "Sin\tmore.htm\nabs\tindex.htm\n");
    SetHelpViewer(&HelpViewer());
    SetDocumentOpener(&opener_);
  }
  ~HelpViewerTest() override {
    HelpViewer().Close();
    SetHelpViewer(nullptr);
    SetDocumentOpener(nullptr);
    std::filesystem::remove_all(folder_);
    SetAppTitle("");
  }

  void Write(const std::string& name, const std::string& text) { std::ofstream(folder_ + name) << text; }

  std::string folder_;
  TRecordingOpener opener_;
};

TEST_F(HelpViewerTest, ShowsATopicFollowsALinkAndComesBack) {
  ShowHelp("a1_02_09.htm");
  THelpViewer& viewer = HelpViewer();
  EXPECT_TRUE(viewer.Visible());
  EXPECT_EQ(viewer.Caption(), "Settings");
  viewer.FollowLink("more.htm#part");
  EXPECT_EQ(viewer.Address(), folder_ + "more.htm#part");
  EXPECT_EQ(viewer.Caption(), "More");
  viewer.Back();
  EXPECT_EQ(viewer.Caption(), "Settings");
  viewer.Forward();
  EXPECT_EQ(viewer.Caption(), "More");
  viewer.Home();
  EXPECT_EQ(viewer.Caption(), "Quantrel Help");
}

TEST_F(HelpViewerTest, OutsideLinksGoToTheDesktop) {
  ShowHelp("a1_02_09.htm");
  HelpViewer().FollowLink("http://example.org/x");
  HelpViewer().FollowLink("mailto:someone@example.org");
  EXPECT_EQ(opener_.Opened, (std::vector<std::string>{"http://example.org/x", "mailto:someone@example.org"}));
  EXPECT_EQ(HelpViewer().Caption(), "Settings");
}

TEST_F(HelpViewerTest, AMissingPageNamesTheFile) {
  ShowHelp("nope.htm");
  EXPECT_NE(HelpViewer().PlainText().find(folder_ + "nope.htm"), std::string::npos) << HelpViewer().PlainText();
  EXPECT_EQ(HelpViewer().Caption(), "Page not found");
  ShowHelp("a1_02_09.htm");
  HelpViewer().FollowLink("nope.htm");
  EXPECT_EQ(HelpViewer().Caption(), "Page not found");
  HelpViewer().Back();
  EXPECT_EQ(HelpViewer().Caption(), "Settings");
}

TEST_F(HelpViewerTest, TheIndexListsEveryKeywordAndItsLinksOpenThePages) {
  ShowHelpKeyword("zzz");
  EXPECT_EQ(HelpViewer().Caption(), "Index");
  EXPECT_NE(HelpViewer().Address().find("#k1"), std::string::npos) << "the nearest entry: the last one";
  EXPECT_NE(HelpViewer().PlainText().find("abs"), std::string::npos);
  EXPECT_NE(HelpViewer().PlainText().find("Sin"), std::string::npos);
  HelpViewer().FollowLink("file://" + folder_ + "more.htm");
  EXPECT_EQ(HelpViewer().Caption(), "More");
  ShowHelpKeyword("SIN");
  EXPECT_EQ(HelpViewer().Address(), folder_ + "more.htm");
}

TEST_F(HelpViewerTest, TheApplicationOpensTheListedPageOfAHelpContext) {
  Write("contexts.txt", "310\ta1_02_09.htm\n");
  Application().HelpContext(310);
  EXPECT_EQ(HelpViewer().Caption(), "Settings");
  Application().HelpContext(311);
  EXPECT_EQ(HelpViewer().Caption(), "Quantrel Help");
}

}  // namespace
