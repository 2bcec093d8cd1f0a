#include "toolkit/controls/PageControl.h"

#include "tests/toolkit/NativeControlFixture.h"

namespace {

class PageControlTest : public NativeControlTest {
protected:
  PageControlTest() {
    pages = Make<TPageControl>(10, 10, 300, 200);
    for (const char* caption : {"First", "Second", "Third"}) AddPage(caption);
    ProcessEverything();
  }
  TTabSheet* AddPage(const std::string& caption) {
    auto* sheet = new TTabSheet(form);
    sheet->SetCaption(caption);
    sheet->SetPageControl(pages);
    return sheet;
  }
  TPoint TabCentre(int tab) {
    TRect rect;
    SendMessage(pages->Handle(), TCM_GETITEMRECT, static_cast<WPARAM>(tab), reinterpret_cast<LPARAM>(&rect));
    return {(rect.Left + rect.Right) / 2, (rect.Top + rect.Bottom) / 2};
  }

  TPageControl* pages;
};

TEST_F(PageControlTest, ClickingATabAsksThenChangesAndAVetoKeepsThePage) {
  std::vector<std::string> events;
  bool allow = false;
  pages->OnChanging = [&](TObject*, bool& allowChange) {
    events.push_back("changing " + std::to_string(pages->ActivePageIndex()));
    allowChange = allow;
  };
  pages->OnChange = [&](TObject*) { events.push_back("change " + std::to_string(pages->ActivePageIndex())); };
  Click(pages->Handle(), TabCentre(1));
  EXPECT_EQ(events, std::vector<std::string>{"changing 0"});
  EXPECT_EQ(pages->ActivePageIndex(), 0) << "vetoed";
  EXPECT_EQ(SendMessage(pages->Handle(), TCM_GETCURSEL, 0, 0), 0) << "the tab bar stays on the first tab";
  allow = true;
  Click(pages->Handle(), TabCentre(1));
  EXPECT_EQ(events, (std::vector<std::string>{"changing 0", "changing 0", "change 1"}));
  EXPECT_TRUE(pages->Pages(1)->Visible());
  EXPECT_FALSE(pages->Pages(0)->Visible());
  EXPECT_EQ(CountOf(WM_NOTIFY, TCN_SELCHANGE, pages->Handle()), 1u);
  pages->SetActivePage(pages->Pages(2));
  EXPECT_EQ(events.size(), 3u) << "ActivePage set by code";
  EXPECT_EQ(SendMessage(pages->Handle(), TCM_GETCURSEL, 0, 0), 2);
}

TEST_F(PageControlTest, PagesFillTheDisplayAreaAndAnswerTheTabProtocol) {
  const TRect display = pages->DisplayRect();
  EXPECT_GT(display.Top, 0);
  EXPECT_EQ(pages->Pages(0)->BoundsRect(), display);
  EXPECT_EQ(SendMessage(pages->Handle(), TCM_GETITEMCOUNT, 0, 0), 3);
  char text[32] = {};
  TCITEM item;
  item.mask = TCIF_TEXT;
  item.pszText = text;
  item.cchTextMax = sizeof text;
  SendMessage(pages->Handle(), TCM_GETITEM, 1, reinterpret_cast<LPARAM>(&item));
  EXPECT_STREQ(text, "Second");
  const TPoint third = TabCentre(2);
  EXPECT_EQ(pages->IndexOfTabAt(third.X, third.Y), 2);
  EXPECT_EQ(pages->IndexOfTabAt(display.Left + 5, display.Top + 5), -1);
}

TEST_F(PageControlTest, PagesComeAndGoAtRunTime) {
  pages->SetActivePageIndex(2);
  TTabSheet* fourth = AddPage("Fourth");
  fourth->SetPageIndex(0);
  EXPECT_EQ(pages->PageCount(), 4);
  EXPECT_EQ(pages->ActivePageIndex(), 3) << "the active page stays active as pages move";
  EXPECT_EQ(SendMessage(pages->Handle(), TCM_GETCURSEL, 0, 0), 3);
  pages->Pages(1)->SetTabVisible(false);
  EXPECT_EQ(SendMessage(pages->Handle(), TCM_GETITEMCOUNT, 0, 0), 3);
  delete pages->Pages(3);
  EXPECT_EQ(pages->PageCount(), 3);
  EXPECT_NE(pages->ActivePage(), nullptr);
  EXPECT_TRUE(pages->ActivePage()->Visible());
  fourth->SetCaption("Renamed");
  char text[32] = {};
  TCITEM item;
  item.mask = TCIF_TEXT;
  item.pszText = text;
  item.cchTextMax = sizeof text;
  SendMessage(pages->Handle(), TCM_GETITEM, 0, reinterpret_cast<LPARAM>(&item));
  EXPECT_STREQ(text, "Renamed");
}

}  // namespace
