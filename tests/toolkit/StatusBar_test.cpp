#include "toolkit/controls/StatusBar.h"

#include <cstring>

#include "runtime/Exceptions.h"
#include "tests/toolkit/FormFixture.h"
#include "toolkit/win/ControlMessages.h"
#include "toolkit/win/MessageQueue.h"

namespace {

class StatusBarTest : public FormFixture {
protected:
  StatusBarTest() {
    bar = new TStatusBar(form);
    bar->SetParent(form);
    for (const auto& [width, text] : {std::pair{128, "Ready"}, std::pair{256, "Line 12"}}) {
      TStatusPanel& panel = bar->Panels().Add();
      panel.SetWidth(width);
      panel.SetText(text);
    }
    ShowForm();
  }

  std::string GetText(int part) {
    char buffer[64] = {};
    const LRESULT answer = SendMessage(bar->Handle(), SB_GETTEXT, part, reinterpret_cast<LPARAM>(buffer));
    EXPECT_EQ(LOWORD(answer), std::strlen(buffer));
    return buffer;
  }

  TStatusBar* bar;
};

TEST_F(StatusBarTest, PanelsOf128And256ShowTheirTextsAndAnswerTheMessages) {
  EXPECT_EQ(bar->Top() + bar->Height(), 300) << "aligned to the bottom";
  int rights[4] = {};
  EXPECT_EQ(SendMessage(bar->Handle(), SB_GETPARTS, 4, reinterpret_cast<LPARAM>(rights)), 2);
  EXPECT_EQ(rights[0], 128);
  EXPECT_EQ(rights[1], -1) << "the last panel reaches the right edge";
  TRect first, second;
  ASSERT_TRUE(SendMessage(bar->Handle(), SB_GETRECT, 0, reinterpret_cast<LPARAM>(&first)));
  ASSERT_TRUE(SendMessage(bar->Handle(), SB_GETRECT, 1, reinterpret_cast<LPARAM>(&second)));
  EXPECT_EQ(first.Left, 0);
  EXPECT_EQ(first.Right, 128);
  EXPECT_EQ(second.Left, 130);
  EXPECT_EQ(second.Right, 400);
  EXPECT_FALSE(SendMessage(bar->Handle(), SB_GETRECT, 2, reinterpret_cast<LPARAM>(&first)));

  EXPECT_EQ(GetText(0), "Ready");
  EXPECT_EQ(GetText(1), "Line 12");
  EXPECT_EQ(LOWORD(SendMessage(bar->Handle(), SB_GETTEXTLENGTH, 1, 0)), 7);

  const auto image = Render();
  const TColor face = ColorToRGB(clBtnFace);
  for (const TRect& part : {first, second}) {
    TRect inside = part;
    OffsetRect(inside, 0, bar->Top());
    InflateRect(inside, -2, -2);
    const TRect ink = InkBounds(*image, inside, face);
    EXPECT_FALSE(IsRectEmpty(ink)) << "text inside the panel at " << part.Left;
    EXPECT_LT(ink.Left, inside.Left + 4) << "left aligned";
  }

  EXPECT_TRUE(SendMessage(bar->Handle(), SB_SETTEXT, 1, reinterpret_cast<LPARAM>("Col 3")));
  EXPECT_EQ(bar->Panels()[1].Text(), "Col 3");
  EXPECT_THROW(bar->Panels()[2], EQuantrelError);
}

TEST_F(StatusBarTest, SimplePanelCoversTheBar) {
  EXPECT_FALSE(SendMessage(bar->Handle(), SB_ISSIMPLE, 0, 0));
  bar->SetSimplePanel(true);
  bar->SetSimpleText("Running");
  EXPECT_TRUE(SendMessage(bar->Handle(), SB_ISSIMPLE, 0, 0));
  EXPECT_EQ(GetText(TStatusBar::SimpleId), "Running");
  const auto image = Render();
  const TRect ink = InkBounds(*image, Bounds(0, bar->Top(), 400, bar->Height()), ColorToRGB(clBtnFace));
  EXPECT_LT(ink.Right, 100) << "only the simple text, no panel bevels";
}

}  // namespace
