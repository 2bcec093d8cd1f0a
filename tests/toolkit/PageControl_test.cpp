#include "toolkit/controls/PageControl.h"

#include "tests/toolkit/NativeControlFixture.h"
#include "toolkit/controls/Button.h"
#include "toolkit/qt/Screenshot.h"
#include "toolkit/win/Paint.h"

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
  TRect adjusted = pages->ClientRect();
  SendMessage(pages->Handle(), TCM_ADJUSTRECT, false, reinterpret_cast<LPARAM>(&adjusted));
  EXPECT_EQ(adjusted, display);
  EXPECT_EQ(SendMessage(pages->Handle(), TCM_GETIMAGELIST, 0, 0), 0) << "the tabs show no images";
  EXPECT_EQ(SendMessage(pages->Handle(), TCM_SETCURSEL, 2, 0), 0) << "answers the tab chosen before";
  EXPECT_EQ(SendMessage(pages->Handle(), TCM_GETCURSEL, 0, 0), 2);
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

namespace {

// A picture of the form as a grid of 0x00RRGGBB pixels.
struct TPicture {
  int Width;
  std::vector<uint32_t> Pixels;
  uint32_t At(int x, int y) const { return Pixels[static_cast<size_t>(y * Width + x)]; }
};

TPicture Rendered(HWND window) {
  const auto image = RenderWindow(window);
  TPicture picture{image->Width(), {}};
  for (int y = 0; y < image->Height(); ++y)
    for (int x = 0; x < image->Width(); ++x) {
      const TColor color = image->Pixel(x, y);
      picture.Pixels.push_back(static_cast<uint32_t>(GetRValue(color) << 16 | GetGValue(color) << 8 | GetBValue(color)));
    }
  return picture;
}

TPicture Grabbed(HWND window) {
  TWindowPicture grab = GrabWindow(window);
  return {grab.Width, std::move(grab.Pixels)};
}

bool IsDark(uint32_t pixel) { return (pixel >> 16 & 255) < 110 && (pixel >> 8 & 255) < 110 && (pixel & 255) < 110; }

int DarkPixels(const TPicture& picture, const TRect& area) {
  int count = 0;
  for (int y = area.Top; y < area.Bottom; ++y)
    for (int x = area.Left; x < area.Right; ++x)
      if (IsDark(picture.At(x, y))) ++count;
  return count;
}

int PixelsUnlike(const TPicture& picture, const TRect& area, uint32_t background) {
  int count = 0;
  for (int y = area.Top; y < area.Bottom; ++y)
    for (int x = area.Left; x < area.Right; ++x)
      if (picture.At(x, y) != background) ++count;
  return count;
}

// The controls are made before the form shows, as a form's designer makes them.
class PageControlPixelsTest : public NativeControlTest {
protected:
  PageControlPixelsTest() {
    form->Hide();
    form->SetColor(clWhite);
    pages = Make<TPageControl>(10, 10, 300, 200);
    for (const char* caption : {"One", "Two"}) {
      auto* sheet = new TTabSheet(form);
      sheet->SetCaption(caption);
      sheet->SetPageControl(pages);
    }
    auto* hiddenContent = new TButton(form);
    hiddenContent->SetParent(pages->Pages(1));
    hiddenContent->SetCaption("WWWWWWWW");
    hiddenContent->SetBounds(0, 0, pages->Pages(1)->ClientWidth(), pages->Pages(1)->ClientHeight());
    form->Show();
    ProcessEverything();
  }
  // A rectangle of the page control's client area in the form's pixels.
  TRect InForm(const TRect& rect) {
    const TPoint origin = form->ScreenToClient(pages->ClientToScreen({0, 0}));
    return {origin.X + rect.Left, origin.Y + rect.Top, origin.X + rect.Right, origin.Y + rect.Bottom};
  }
  TRect TabRect(int tab) {
    TRect rect;
    SendMessage(pages->Handle(), TCM_GETITEMRECT, static_cast<WPARAM>(tab), reinterpret_cast<LPARAM>(&rect));
    return rect;
  }

  TPageControl* pages;
};

TEST_F(PageControlPixelsTest, TabsShowTheirCaptionsAndOnlyTheActivePageShows) {
  const TRect display = pages->DisplayRect();
  ASSERT_GE(display.Top, 16) << "room for the captions";
  // Inside the page's edges: the page's own area without its frame lines.
  const TRect page = InForm({display.Left + 4, display.Top + 4, display.Right - 4, display.Bottom - 4});
  for (const auto& [name, picture] : {std::pair{"rendered", Rendered(form->Handle())},
                                      std::pair{"on the desktop", Grabbed(form->Handle())}}) {
    for (int tab : {0, 1}) {
      const TRect tabRect = TabRect(tab);
      EXPECT_LE(tabRect.Bottom, display.Top) << name;
      EXPECT_GT(DarkPixels(picture, InForm(tabRect)), 10) << name << ": the caption of tab " << tab;
    }
    const TColor face = ColorToRGB(clBtnFace);
    const auto faceRgb = static_cast<uint32_t>(GetRValue(face) << 16 | GetGValue(face) << 8 | GetBValue(face));
    EXPECT_EQ(PixelsUnlike(picture, page, faceRgb), 0) << name << ": the page shows the button face alone";
  }
}

}  // namespace
