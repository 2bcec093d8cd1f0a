// The mechanism under every control realised by a Qt widget: message spies
// in both slots see input before the widget acts, the widget's scroll bars
// answer GetScrollInfo and follow WM_VSCROLL, fonts and focus reach it.

#include "tests/toolkit/NativeControlFixture.h"
#include "toolkit/controls/Button.h"
#include "toolkit/controls/ComboBox.h"
#include "toolkit/controls/Edit.h"
#include "toolkit/controls/ListBox.h"
#include "toolkit/controls/ListView.h"
#include "toolkit/controls/PageControl.h"
#include "toolkit/controls/RichEdit.h"
#include "toolkit/controls/TreeView.h"
#include "toolkit/win/ScrollBar.h"

namespace {

// What the spy of the window's procedure chain saw, and what the widget had done by then.
struct TSighting {
  UINT Message;
  std::string TextThen;
};
std::vector<TSighting>* Sightings = nullptr;
WNDPROC SpiedProcedure = nullptr;

LRESULT Spy(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_CHAR || message == WM_LBUTTONDOWN || message == WM_KEYDOWN)
    Sightings->push_back({message, GetWindowText(window)});
  return CallWindowProc(SpiedProcedure, window, message, wParam, lParam);
}

class NativeWindowTest : public NativeControlTest {
protected:
  NativeWindowTest() { Sightings = &sightings; }
  ~NativeWindowTest() override { Sightings = nullptr; }

  // Both slots: the control's WindowProc and the window's procedure.
  void SpyOn(TWinControl& control) {
    TWndMethod previous = control.WindowProc;
    control.WindowProc = [this, previous](TMessage& message) {
      if (message.Msg == WM_CHAR || message.Msg == WM_LBUTTONDOWN) methodSaw.push_back(message.Msg);
      previous(message);
    };
    SpiedProcedure = reinterpret_cast<WNDPROC>(
        SetWindowLongPtr(control.Handle(), GWL_WNDPROC, reinterpret_cast<LONG_PTR>(&Spy)));
  }
  void StopSpying(TWinControl& control) {
    SetWindowLongPtr(control.Handle(), GWL_WNDPROC, reinterpret_cast<LONG_PTR>(SpiedProcedure));
  }

  std::vector<TSighting> sightings;
  std::vector<UINT> methodSaw;
};

TEST_F(NativeWindowTest, SpiesInBothSlotsSeeInputBeforeTheWidgetActs) {
  auto* edit = Make<TEdit>(10, 10, 150, 24);
  auto* memo = Make<TMemo>(10, 40, 150, 60);
  auto* rich = Make<TRichEdit>(10, 110, 150, 24);
  auto* combo = Make<TComboBox>(10, 140, 150, 24);
  for (TWinControl* control : std::vector<TWinControl*>{edit, memo, rich, combo}) {
    sightings.clear();
    methodSaw.clear();
    SpyOn(*control);
    control->SetFocus();
    Type(control->Handle(), "q");
    StopSpying(*control);
    ASSERT_FALSE(sightings.empty()) << control->ClassName();
    const auto character = std::find_if(sightings.begin(), sightings.end(), [](const TSighting& s) { return s.Message == WM_CHAR; });
    ASSERT_NE(character, sightings.end()) << control->ClassName();
    EXPECT_EQ(character->TextThen.find('q'), std::string::npos) << control->ClassName() << " typed before the spy saw it";
    EXPECT_EQ(GetWindowText(control->Handle()).find('q') != std::string::npos, true) << control->ClassName();
    EXPECT_NE(std::find(methodSaw.begin(), methodSaw.end(), WM_CHAR), methodSaw.end()) << control->ClassName();
  }

  auto* list = Make<TListBox>(200, 10, 150, 100);
  auto* tree = Make<TTreeView>(200, 120, 150, 100);
  auto* view = Make<TListView>(200, 230, 150, 60);
  auto* button = Make<TButton>(10, 180, 80, 25);
  auto* pages = Make<TPageControl>(10, 210, 150, 80);
  auto* check = Make<TCheckBox>(355, 10, 40, 20);
  auto* checkList = Make<TCheckListBox>(355, 40, 40, 60);
  for (TWinControl* control : std::vector<TWinControl*>{list, tree, view, button, pages, check, checkList}) {
    sightings.clear();
    methodSaw.clear();
    SpyOn(*control);
    Click(control->Handle(), {5, 5});
    StopSpying(*control);
    EXPECT_EQ(std::count_if(sightings.begin(), sightings.end(), [](const TSighting& s) { return s.Message == WM_LBUTTONDOWN; }), 1)
        << control->ClassName();
    EXPECT_NE(std::find(methodSaw.begin(), methodSaw.end(), WM_LBUTTONDOWN), methodSaw.end()) << control->ClassName();
  }
}

TEST_F(NativeWindowTest, ScrollInfoIsTheWidgetsAndScrollRequestsMoveIt) {
  auto* memo = Make<TMemo>(10, 10, 150, 80);
  memo->SetScrollBars(ssVertical);
  for (int line = 0; line < 40; ++line) memo->Lines().Add("line " + std::to_string(line));
  ProcessEverything();
  SCROLLINFO info;
  info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
  ASSERT_TRUE(GetScrollInfo(memo->Handle(), SB_VERT, info));
  EXPECT_EQ(info.nMin, 0);
  EXPECT_GT(info.nMax, static_cast<int>(info.nPage));
  const int before = info.nPos;
  SendMessage(memo->Handle(), WM_VSCROLL, SB_PAGEDOWN, 0);
  GetScrollInfo(memo->Handle(), SB_VERT, info);
  EXPECT_GT(info.nPos, before);
  SendMessage(memo->Handle(), WM_VSCROLL, SB_TOP, 0);
  GetScrollInfo(memo->Handle(), SB_VERT, info);
  EXPECT_EQ(info.nPos, 0);

  auto* list = Make<TListBox>(200, 10, 150, 80);
  for (int item = 0; item < 30; ++item) list->Items().Add("item " + std::to_string(item));
  ProcessEverything();
  SendMessage(list->Handle(), WM_VSCROLL, SB_BOTTOM, 0);
  EXPECT_GT(list->TopIndex(), 10);
}

TEST_F(NativeWindowTest, FontAndFocusReachTheWidget) {
  auto* edit = Make<TEdit>(10, 10, 150, 24);
  auto* other = Make<TEdit>(10, 50, 150, 24);
  edit->Font().SetName("Liberation Mono");
  ProcessEverything();
  EXPECT_EQ(SendMessage(edit->Handle(), WM_GETFONT, 0, 0), reinterpret_cast<LRESULT>(edit->Font().Handle()));
  other->SetFocus();
  Type(other->Handle(), "a");
  EXPECT_EQ(other->Text(), "a");
  Click(edit->Handle(), {5, 5});
  EXPECT_EQ(GetFocus(), edit->Handle());
  Type(edit->Handle(), "b");
  EXPECT_EQ(edit->Text(), "b") << "keys follow the focus";
  EXPECT_EQ(other->Text(), "a");
}

}  // namespace

namespace {

TEST_F(NativeWindowTest, PrintingTheFormCapturesItsNativeControls) {
  auto* edit = Make<TEdit>(20, 30, 150, 24);
  edit->SetText("MMMM");
  edit->Font().SetColor(RGB(255, 0, 0));
  ProcessEverything();
  TBitmap capture(form->Width(), form->Height(), pf32bit);
  SendMessage(form->Handle(), WM_PRINT, reinterpret_cast<WPARAM>(capture.Canvas().Handle()),
              PRF_NONCLIENT | PRF_CLIENT | PRF_CHILDREN | PRF_ERASEBKGND);
  const TRect editArea = edit->BoundsRect();
  EXPECT_GT(CountPixels(*capture.Handle(), editArea, RGB(255, 0, 0)), 20);
  EXPECT_EQ(CountPixels(*capture.Handle(), {0, 0, editArea.Left, form->ClientHeight()}, RGB(255, 0, 0)), 0);
}

}  // namespace

namespace {

// A widget outlives its control's window for a moment (Qt deletes it
// later); nothing it does meanwhile may reach the control.
TEST_F(NativeWindowTest, ControlsGoCleanlyWhileTheirWidgetsAreBusy) {
  auto* combo = Make<TComboBox>(10, 10, 150, 24);
  combo->Items().Add("one");
  combo->OnCloseUp = [](TObject*) { ADD_FAILURE() << "the closing list of a freed combo box called back"; };
  combo->SetDroppedDown(true);
  auto* tree = Make<TTreeView>(10, 40, 150, 100);
  tree->Items().Add(nullptr, "node")->SetSelected(true);
  tree->OnChange = [](TObject*, TTreeNode*) { ADD_FAILURE() << "a freed tree called back"; };
  auto* view = Make<TListView>(200, 10, 150, 100);
  view->Items().Add()->SetSelected(true);
  view->OnSelectItem = [](TObject*, TListItem*, bool) { ADD_FAILURE() << "a freed list view called back"; };
  delete combo;
  delete tree;
  delete view;
  ProcessEverything();
}

}  // namespace
