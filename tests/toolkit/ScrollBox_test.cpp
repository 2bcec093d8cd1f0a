#include "toolkit/controls/ScrollBox.h"

#include "tests/toolkit/FormFixture.h"
#include "toolkit/controls/Panel.h"
#include "toolkit/controls/Splitter.h"
#include "toolkit/qt/SyntheticInput.h"
#include "toolkit/win/MessageQueue.h"
#include "toolkit/win/ScrollBar.h"
#include "toolkit/win/SysMetrics.h"

namespace {

using ScrollBoxTest = FormFixture;

constexpr int RowHeight = 54;

class ScrollBoxRowsTest : public FormFixture {
protected:
  ScrollBoxRowsTest() {
    box = new TScrollBox(form);
    box->SetParent(form);
    box->SetBorderStyle(bsNone);
    box->SetBounds(10, 10, 300, 200);
    box->HorzScrollBar().SetVisible(false);
    box->VertScrollBar().Tracking = true;
    for (int i = 0; i < 10; ++i) {
      auto* row = new TPanel(form);
      row->SetBounds(0, i * RowHeight, 100, RowHeight);
      row->SetAlign(alTop);
      row->SetParent(box);
      rows.push_back(row);
    }
    ShowForm();
  }

  TScrollBox* box;
  std::vector<TPanel*> rows;
};

TEST_F(ScrollBoxRowsTest, TenRowsInTwoHundredPixelsScrollByWheelAndBar) {
  EXPECT_EQ(box->VertScrollBar().Range(), 10 * RowHeight);
  EXPECT_TRUE(box->VertScrollBar().IsScrollBarVisible());
  EXPECT_FALSE(box->HorzScrollBar().IsScrollBarVisible()) << "only the vertical bar was asked for";
  const int barWidth = GetSystemMetrics(SM_CXVSCROLL);
  EXPECT_EQ(box->ClientWidth(), 300 - barWidth);
  EXPECT_EQ(rows[0]->Width(), 300 - barWidth) << "rows fill the width beside the bar";
  SCROLLINFO info;
  info.fMask = SIF_ALL;
  GetScrollInfo(box->Handle(), SB_VERT, info);
  EXPECT_EQ(info.nMax, 539);
  EXPECT_EQ(info.nPage, 200u);

  SynthesizeWheel(box->Handle(), {50, 50}, -WHEEL_DELTA);
  ProcessEverything();
  EXPECT_EQ(box->VertScrollBar().Position(), 24) << "three lines of eight pixels";
  EXPECT_EQ(rows[1]->Top(), RowHeight - 24);

  SynthesizeClick(box->Handle(), {300 - barWidth / 2, 200 - 3});
  ProcessEverything();
  EXPECT_EQ(box->VertScrollBar().Position(), 32) << "the down arrow scrolls a line";
  SynthesizeClick(box->Handle(), {300 - barWidth / 2, 150});
  ProcessEverything();
  EXPECT_EQ(box->VertScrollBar().Position(), 232) << "below the thumb scrolls a page";
  EXPECT_EQ(rows[4]->Top(), 4 * RowHeight - 232);
  GetScrollInfo(box->Handle(), SB_VERT, info);
  EXPECT_EQ(info.nPos, 232);

  SendMessage(box->Handle(), WM_VSCROLL, SB_BOTTOM, 0);
  EXPECT_EQ(box->VertScrollBar().Position(), 340);
  SynthesizeWheel(box->Handle(), {50, 50}, -WHEEL_DELTA);
  ProcessEverything();
  EXPECT_EQ(box->VertScrollBar().Position(), 340) << "no further than the end";
  EXPECT_EQ(rows[9]->Top() + RowHeight, 200);

  for (int i = 3; i < 10; ++i) rows[i]->Hide();
  EXPECT_FALSE(box->VertScrollBar().IsScrollBarVisible()) << "three rows fit: the bar goes";
  EXPECT_EQ(box->VertScrollBar().Position(), 0);
  EXPECT_EQ(rows[0]->Top(), 0);
}

TEST_F(ScrollBoxRowsTest, ScrollInViewBringsALowRowUp) {
  box->ScrollInView(rows[6]);
  EXPECT_EQ(rows[6]->Top() + RowHeight, 200);
  box->ScrollInView(rows[1]);
  EXPECT_EQ(rows[1]->Top(), 0);
}

TEST_F(ScrollBoxTest, FourPixelSplitterDraggedLeftStopsAtMinSize) {
  form->SetWidth(600);
  auto* left = new TPanel(form);
  left->SetWidth(260);
  left->SetAlign(alLeft);
  left->SetParent(form);
  auto* splitter = new TSplitter(form);
  splitter->SetLeft(300);
  splitter->SetWidth(4);
  splitter->MinSize = 200;
  splitter->AutoSnap = false;
  splitter->SetParent(form);
  auto* rest = new TPanel(form);
  rest->SetAlign(alClient);
  rest->SetParent(form);
  int moved = 0;
  splitter->OnMoved = [&moved](TObject*) { ++moved; };
  ShowForm();
  ASSERT_EQ(splitter->Left(), 260);
  EXPECT_EQ(splitter->Width(), 4);

  const auto drag = [this](int fromX, int toX) {
    SynthesizeMouse(form->Handle(), {fromX, 100}, TSyntheticMouse::Press, TInputButton::Left);
    SynthesizeMouse(form->Handle(), {(fromX + toX) / 2, 100}, TSyntheticMouse::Move, TInputButton::Left);
    SynthesizeMouse(form->Handle(), {toX, 100}, TSyntheticMouse::Move, TInputButton::Left);
    SynthesizeMouse(form->Handle(), {toX, 100}, TSyntheticMouse::Release, TInputButton::Left);
    ProcessEverything();
  };
  drag(262, 242);
  EXPECT_EQ(left->Width(), 240);
  EXPECT_EQ(splitter->Left(), 240);
  EXPECT_EQ(rest->Left(), 244);
  drag(242, 100);
  EXPECT_EQ(left->Width(), 200) << "stops at MinSize";
  EXPECT_EQ(moved, 2);
  drag(202, 590);
  EXPECT_EQ(left->Width(), 600 - 4 - 200) << "the rest keeps MinSize as well";

  splitter->AutoSnap = true;
  drag(398, 20);
  EXPECT_EQ(left->Width(), 0) << "with AutoSnap the neighbour snaps away";
}

}  // namespace
