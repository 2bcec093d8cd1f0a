#include "toolkit/controls/ToolBar.h"

#include <memory>
#include <string>
#include <vector>

#include "tests/toolkit/FormFixture.h"
#include "toolkit/controls/CoolBar.h"
#include "toolkit/controls/Menus.h"
#include "toolkit/gdi/Bitmap.h"
#include "toolkit/qt/SyntheticInput.h"
#include "toolkit/win/ControlMessages.h"
#include "toolkit/win/Hook.h"
#include "toolkit/win/Menu.h"
#include "toolkit/win/MessageQueue.h"

namespace {

std::vector<TRect> MenuWindowBounds;

LRESULT RecordMenuWindows(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HCBT_CREATEWND) {
    const CREATESTRUCT& create = *reinterpret_cast<CBT_CREATEWND*>(lParam)->lpcs;
    if (std::string(create.lpszClass) == MenuWindowClass)
      MenuWindowBounds.push_back(Bounds(create.x, create.y, create.cx, create.cy));
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

// Notifications the tool bar sends its parent, as a subclass of the parent sees them.
struct TSeenNotification {
  UINT Code;
  int Item;
};

class ToolBarTest : public FormFixture {
protected:
  ToolBarTest() {
    bar = new TToolBar(form);
    bar->SetParent(form);
    bar->SetEdgeBorders(0);
    images = std::make_unique<TImageList>(16, 16);
    for (TColor color : {clRed, clLime, clBlue}) {
      TBitmap image(16, 16, pf24bit);
      image.Canvas().Brush().SetColor(color);
      image.Canvas().FillRect({0, 0, 16, 16});
      images->Add(image, nullptr);
    }
    bar->SetImages(images.get());
    form->WindowProc = [this](TMessage& message) {
      if (message.Msg == WM_NOTIFY) {
        const auto* header = reinterpret_cast<const NMHDR*>(message.LParam);
        if (header->code != NM_CUSTOMDRAW)
          Seen.push_back({header->code, reinterpret_cast<const NMTOOLBAR*>(message.LParam)->iItem});
      }
      form->WndProc(message);
    };
  }
  // The form outlives this fixture: its procedure must not reach back into it.
  ~ToolBarTest() override { form->WindowProc = [f = form](TMessage& message) { f->WndProc(message); }; }

  TToolButton* Add(TToolButtonStyle style, int image = -1) {
    auto* button = new TToolButton(form);
    button->SetStyle(style);
    button->SetImageIndex(image);
    button->SetParent(bar);
    return button;
  }

  TRect ItemRect(int index) {
    TRect rect;
    EXPECT_TRUE(SendMessage(bar->Handle(), TB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&rect)));
    return rect;
  }

  void ClickAt(TPoint client) {
    SynthesizeClick(form->Handle(), InForm(*bar, client));
    ProcessEverything();
  }

  TToolBar* bar;
  std::unique_ptr<TImageList> images;
  std::vector<TSeenNotification> Seen;
};

TEST_F(ToolBarTest, ItemRectsAreWhereTheButtonsAreDrawn) {
  Add(tbsButton, 0);
  Add(tbsSeparator);
  Add(tbsDropDown, 1);
  Add(tbsCheck, 2);
  ShowForm();
  EXPECT_EQ(SendMessage(bar->Handle(), TB_BUTTONCOUNT, 0, 0), 4);
  EXPECT_EQ(ItemRect(0), Bounds(0, 0, 23, 22));
  EXPECT_EQ(ItemRect(1), Bounds(23, 0, 8, 22));
  EXPECT_EQ(ItemRect(2), Bounds(31, 0, 23 + TToolBar::DropDownWidth(), 22));
  EXPECT_EQ(ItemRect(3).Left, ItemRect(2).Right);
  TRect none;
  EXPECT_FALSE(SendMessage(bar->Handle(), TB_GETITEMRECT, 4, reinterpret_cast<LPARAM>(&none)));

  const auto image = Render();
  const TColor dark = ColorToRGB(cl3DDkShadow);
  for (int index : {0, 2, 3}) {
    TRect rect = ItemRect(index);
    OffsetRect(rect, bar->Left(), bar->Top());
    EXPECT_EQ(InkBounds(*image, rect, ColorToRGB(clBtnFace)), rect) << "button " << index << " fills its rectangle";
    EXPECT_EQ(image->Pixel(rect.Right - 1, rect.Bottom - 1), dark) << "its raised edge ends at the rectangle";
  }
  TRect first = ItemRect(0);
  OffsetRect(first, bar->Left(), bar->Top());
  EXPECT_EQ(CountPixels(*image, first, clRed), 16 * 16) << "the image is inside";
  TBBUTTON record;
  ASSERT_TRUE(SendMessage(bar->Handle(), TB_GETBUTTON, 2, reinterpret_cast<LPARAM>(&record)));
  EXPECT_EQ(record.dwData, reinterpret_cast<UINT_PTR>(bar->Buttons(2)));
  EXPECT_EQ(record.fsStyle, BTNS_DROPDOWN);
  EXPECT_EQ(record.iBitmap, 1);
  EXPECT_EQ(reinterpret_cast<TImageList*>(SendMessage(bar->Handle(), TB_GETIMAGELIST, 0, 0)), images.get());
  bar->Buttons(3)->SetCaption("Mode");
  char text[16] = {};
  EXPECT_EQ(SendMessage(bar->Handle(), TB_GETBUTTONTEXT, 3, reinterpret_cast<LPARAM>(text)), 4);
  EXPECT_STREQ(text, "Mode");
  EXPECT_EQ(SendMessage(bar->Handle(), TB_GETBUTTONTEXT, 4, reinterpret_cast<LPARAM>(text)), -1) << "no fifth button";
}

TEST_F(ToolBarTest, DefaultDrawOffLeavesEachButtonToTheHandler) {
  Add(tbsButton, 0);
  Add(tbsButton, 1);
  bar->Buttons(1)->SetCaption("Two");
  std::vector<TCustomDrawStage> barStages;
  bar->OnAdvancedCustomDraw = [&](TToolBar*, const TRect&, TCustomDrawStage stage, bool&) { barStages.push_back(stage); };
  int preButtonCalls = 0;
  bar->OnAdvancedCustomDrawButton = [&](TToolBar* sender, TToolButton* button, TCustomDrawState, TCustomDrawStage stage,
                                        TTBCustomDrawFlags&, bool& defaultDraw) {
    if (stage != cdPrePaint) return;
    ++preButtonCalls;
    if (button->Index() != 1) return;
    defaultDraw = false;
    TRect rect;
    SendMessage(sender->Handle(), TB_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&rect));
    sender->Canvas().Brush().SetColor(clYellow);
    sender->Canvas().FillRect(rect);
  };
  const auto image = Render();
  EXPECT_EQ(barStages, (std::vector<TCustomDrawStage>{cdPrePaint, cdPostPaint}));
  EXPECT_GE(preButtonCalls, 2);
  TRect second = ItemRect(1);
  OffsetRect(second, bar->Left(), bar->Top());
  EXPECT_EQ(CountPixels(*image, second, clYellow), second.Width() * second.Height()) << "only the handler's pixels";
  EXPECT_EQ(CountPixels(*image, second, clLime), 0) << "no standard image";
  TRect first = ItemRect(0);
  OffsetRect(first, bar->Left(), bar->Top());
  EXPECT_EQ(CountPixels(*image, first, clRed), 16 * 16) << "the other button is drawn as usual";

  bar->OnAdvancedCustomDraw = [](TToolBar*, const TRect&, TCustomDrawStage, bool& defaultDraw) { defaultDraw = false; };
  bar->Invalidate();
  const auto skipped = Render();
  EXPECT_EQ(CountPixels(*skipped, first, clRed), 0) << "DefaultDraw off for the bar skips every button";
}

TEST_F(ToolBarTest, GroupedChecksReleaseEachOtherAndFlatBarsTrackTheHotButton) {
  TToolButton* checks[] = {Add(tbsCheck, 0), Add(tbsCheck, 1), Add(tbsCheck, 2)};
  int clicks = 0;
  for (TToolButton* check : checks) {
    check->SetGrouped(true);
    check->OnClick = [&clicks](TObject*) { ++clicks; };
  }
  ShowForm();
  ClickAt({10, 10});
  EXPECT_TRUE(checks[0]->Down());
  ClickAt({2 * 23 + 10, 10});
  EXPECT_FALSE(checks[0]->Down()) << "pressing the third releases the first";
  EXPECT_TRUE(checks[2]->Down());
  ClickAt({2 * 23 + 10, 10});
  EXPECT_TRUE(checks[2]->Down()) << "without AllowAllUp the group keeps one down";
  EXPECT_EQ(clicks, 3);
  checks[1]->SetDown(true);
  EXPECT_FALSE(checks[2]->Down()) << "Down from code releases the group too";

  bar->SetFlat(true);
  SynthesizeMouse(form->Handle(), InForm(*bar, {10, 10}), TSyntheticMouse::Move, TInputButton::Left);
  ProcessEverything();
  EXPECT_EQ(bar->ButtonState(*checks[0]) & cdsHot, cdsHot);
  SynthesizeMouse(form->Handle(), InForm(*bar, {23 + 10, 10}), TSyntheticMouse::Move, TInputButton::Left);
  ProcessEverything();
  EXPECT_EQ(bar->ButtonState(*checks[0]) & cdsHot, 0u);
  EXPECT_EQ(bar->ButtonState(*checks[1]) & cdsHot, cdsHot);
  checks[1]->SetEnabled(false);
  EXPECT_EQ(bar->ButtonState(*checks[1]) & cdsHot, 0u) << "a disabled button is never hot";
}

TEST_F(ToolBarTest, TheBarHearsTheMouseComeAndGoOverItsButtons) {
  Add(tbsButton, 0);
  std::vector<UINT> heard;
  bar->WindowProc = [toolBar = bar, &heard](TMessage& message) {
    if (message.Msg == CM_MOUSEENTER || message.Msg == CM_MOUSELEAVE) heard.push_back(message.Msg);
    toolBar->WndProc(message);
  };
  ShowForm();
  SynthesizeMouse(form->Handle(), InForm(*bar, {10, 10}), TSyntheticMouse::Move, TInputButton::Left);
  ProcessEverything();
  SynthesizeMouse(form->Handle(), {300, 200}, TSyntheticMouse::Move, TInputButton::Left);
  ProcessEverything();
  EXPECT_EQ(heard, (std::vector<UINT>{CM_MOUSEENTER, CM_MOUSELEAVE})) << "straight onto a button and off again";
  bar->WindowProc = [toolBar = bar](TMessage& message) { toolBar->WndProc(message); };
}

TEST_F(ToolBarTest, DropDownOpensItsMenuAtTheBottomLeftAndSaysWhenItClosed) {
  bar->SetTop(30);
  Add(tbsButton, 0);
  TToolButton* drop = Add(tbsDropDown, 1);
  auto* menu = new TPopupMenu(form);
  auto* item = new TMenuItem(form);
  item->SetCaption("Paste transposed");
  menu->Items().Add(item);
  drop->DropdownMenu = menu;
  int clicks = 0;
  drop->OnClick = [&clicks](TObject*) { ++clicks; };
  std::vector<UINT> closedAt;
  bar->WindowProc = [toolBar = bar, &closedAt](TMessage& message) {
    if (message.Msg == CN_DROPDOWNCLOSED) closedAt.push_back(message.Msg);
    toolBar->WndProc(message);
  };
  ShowForm();
  const HHOOK hook = SetWindowsHookEx(WH_CBT, &RecordMenuWindows, nullptr, 0);
  MenuWindowBounds.clear();
  bool closedWhileOpen = true;
  Application().OnIdle = [&](TObject*, bool&) {
    closedWhileOpen = !closedAt.empty();
    EndMenu();
  };
  const TRect rect = drop->BoundsRect();
  ClickAt({rect.Right - 4, 10});
  Application().OnIdle = nullptr;
  UnhookWindowsHookEx(hook);
  ASSERT_EQ(MenuWindowBounds.size(), 1u);
  EXPECT_EQ(MenuWindowBounds[0].TopLeft(), bar->ClientToScreen({rect.Left, rect.Bottom})) << "at its bottom-left";
  ASSERT_FALSE(Seen.empty());
  EXPECT_EQ(Seen[0].Code, TBN_DROPDOWN);
  EXPECT_EQ(Seen[0].Item, 1);
  EXPECT_FALSE(closedWhileOpen);
  EXPECT_EQ(closedAt.size(), 1u) << "CN_DROPDOWNCLOSED arrives after the menu closed";
  EXPECT_EQ(clicks, 0) << "the arrow drops down without clicking";
  ClickAt({rect.Left + 5, 10});
  EXPECT_EQ(clicks, 1) << "the face clicks";
  bar->WindowProc = [b = bar](TMessage& message) { b->WndProc(message); };

  delete bar->Buttons(0);
  ASSERT_EQ(Seen.back().Code, TBN_DELETINGBUTTON);
  EXPECT_EQ(bar->ButtonCount(), 1);
  EXPECT_EQ(drop->Left(), 0) << "the others move up";
}

TEST_F(ToolBarTest, CaptionsWidenTheButtonsBelowOrBesideTheImages) {
  TToolButton* narrow = Add(tbsButton, 0);
  TToolButton* wide = Add(tbsButton, 1);
  narrow->SetCaption("A");
  wide->SetCaption("A much longer caption");
  bar->SetShowCaptions(true);
  ShowForm();
  EXPECT_GT(wide->Width(), 100);
  EXPECT_EQ(narrow->Width(), wide->Width()) << "below the images every button is as wide as the widest";
  bar->SetList(true);
  EXPECT_LT(narrow->Width(), wide->Width()) << "beside them each is as wide as its own";
  EXPECT_EQ(wide->Left(), narrow->Width());
  const auto image = Render();
  TRect text = wide->BoundsRect();
  OffsetRect(text, bar->Left(), bar->Top());
  text.Left += 16 + 6;
  EXPECT_FALSE(IsRectEmpty(InkBounds(*image, {text.Left, text.Top + 3, text.Right - 3, text.Bottom - 3}, ColorToRGB(clBtnFace))))
      << "the caption is drawn right of the image";
}

TEST_F(ToolBarTest, AnImageListThatGoesAwayIsForgotten) {
  Add(tbsButton, 0);
  ShowForm();
  images.reset();
  EXPECT_EQ(bar->Images(), nullptr);
  EXPECT_EQ(SendMessage(bar->Handle(), TB_GETIMAGELIST, 0, 0), 0);
  bar->Invalidate();
  const auto image = Render();
  TRect first = ItemRect(0);
  OffsetRect(first, bar->Left(), bar->Top());
  EXPECT_EQ(CountPixels(*image, first, clRed), 0) << "the button is drawn without its image";
}

TEST_F(ToolBarTest, AutoSizeFitsTheRowsOfAWrappingBar) {
  bar->SetAutoSize(true);
  bar->SetEdgeBorders(ebTop | ebBottom);
  for (int i = 0; i < 20; ++i) Add(tbsButton, i % 3);
  ShowForm();
  const int perRow = bar->ClientWidth() / 23;
  const int rows = (20 + perRow - 1) / perRow;
  EXPECT_EQ(bar->ClientHeight(), rows * 22);
  EXPECT_EQ(bar->Height(), rows * 22 + 4) << "two edges of one pixel each at top and bottom";
  EXPECT_EQ(bar->Buttons(perRow)->BoundsRect(), Bounds(0, 22, 23, 22)) << "the row wraps";
}

}  // namespace

namespace {

TEST_F(ToolBarTest, CoolBarBandHoldsTheToolBarAndSizesItself) {
  auto* cool = new TCoolBar(form);
  cool->SetAutoSize(true);
  cool->SetEdgeBorders(0);
  cool->SetParent(form);
  bar->SetAutoSize(true);
  bar->SetParent(cool);
  for (int i = 0; i < 3; ++i) Add(tbsButton, i);
  ShowForm();
  ASSERT_EQ(cool->BandCount(), 1);
  EXPECT_EQ(cool->Bands(0).Control, bar);
  EXPECT_EQ(bar->Height(), 22);
  EXPECT_EQ(cool->Height(), 25 + 4) << "a band of MinHeight and its border";
  EXPECT_EQ(bar->Top(), 2);
  EXPECT_GT(bar->Left(), 8) << "right of the gripper";
  EXPECT_EQ(bar->Left() + bar->Width(), cool->ClientWidth() - 2);
  bar->SetButtonHeight(36);
  EXPECT_EQ(cool->Height(), 36 + 4) << "the band grows with its tool bar";
  delete bar;
  EXPECT_EQ(cool->BandCount(), 0) << "the band goes with its control";
  bar = nullptr;
}

}  // namespace
