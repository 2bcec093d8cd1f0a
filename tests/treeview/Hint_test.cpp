// Hints and tooltips: the tree's answer to the hint-show notification, the
// pause, the hint window's size, place, picture and fade.

#include <gtest/gtest.h>

#include "tests/treeview/TreeTestSupport.h"
#include "treeview/ScrollBarOptions.h"
#include "toolkit/controls/Application.h"
#include "toolkit/controls/Form.h"
#include "toolkit/controls/Screen.h"
#include "toolkit/gdi/Bitmap.h"
#include "toolkit/gdi/Canvas.h"
#include "toolkit/gdi/Gdi.h"
#include "toolkit/gdi/GdiBitmap.h"
#include "toolkit/win/Input.h"
#include "toolkit/win/MessageQueue.h"
#include "toolkit/win/Paint.h"
#include "toolkit/win/Window.h"
#include "treeview/DataDrawTree.h"
#include "treeview/DataStringTree.h"
#include "treeview/DataTreeHintWindow.h"

namespace {

constexpr const char* LongText = "a text far too long for the two hundred pixels of this tree";

class TTipTree : public TDataStringTree {
public:
  using TDataStringTree::TDataStringTree;
  using TDataStringTree::ChangeTreeStates;
};

class HintTest : public testing::Test {
protected:
  HintTest() : form(nullptr), tree(&form) {
    form.SetBounds(0, 0, 260, 160);
    tree.SetParent(&form);
    tree.SetBorderStyle(bsNone);
    tree.ScrollBarOptions().SetScrollBars(ssNone);
    tree.SetBounds(0, 0, 200, 100);
    form.Show();
    tree.ShowHint = true;
    tree.HintMode = hmTooltip;
    tree.OnGetText = [this](TBaseDataTree*, PDataNode node, TColumnIndex, TDSTTextType, std::string& text) {
      text = texts[node->Index];
    };
    tree.SetRootNodeCount(6);
    rows = AllNodes(tree);
  }
  ~HintTest() override {
    Application().CancelHint();
    tree.SetParent(nullptr);
  }

  // The hint-show answer at a client point: true when a hint shows.
  bool Ask(TPoint p) {
    info = THintInfo{};
    info.HintControl = &tree;
    info.CursorPos = p;
    info.CursorRect = tree.ClientRect();
    info.HintPos = tree.ClientToScreen(Point(p.X, p.Y + 20));
    info.HintMaxWidth = Screen().Width();
    return tree.Perform(CM_HINTSHOW, 0, reinterpret_cast<LPARAM>(&info)) == 0;
  }
  TPoint OnText(PDataNode node, TColumnIndex column = ColumnNone) {
    const TRect r = tree.NodeDisplayRect(node, column, true, true);
    return {r.Left + 6, r.Top + 4};
  }

  std::vector<std::string> texts{"ab", LongText, "cd", "ef", "gh", "ij"};
  TForm form;
  TTipTree tree;
  std::vector<PDataNode> rows;
  THintInfo info;
};

TEST_F(HintTest, TooltipsShowOnlyForCutOffTextExactlyOverIt) {
  EXPECT_FALSE(Ask(OnText(rows[0]))) << "the text fits its cell";
  ASSERT_TRUE(Ask(OnText(rows[1]))) << "cut by the client's right edge";
  const TRect text = tree.NodeDisplayRect(rows[1], ColumnNone, true, true);
  EXPECT_EQ(info.HintPos, tree.ClientToScreen(text.TopLeft()));
  EXPECT_EQ(info.CursorRect, text);
  EXPECT_EQ(tree.LastHintArea(), text);
  EXPECT_EQ(tree.HintRecord().Node, rows[1]);
  EXPECT_TRUE(tree.TreeStates().Contains(tsHint));
  TDataTreeHintWindow window(nullptr);
  const TRect size = window.CalcHintRect(500, info.HintStr, info.HintData);
  EXPECT_EQ(size, Rect(-1, -1, text.Width() + 1, text.Height() + 1)) << "the whole text and a frame";
  EXPECT_GT(text.Right, tree.ClientWidth());
  EXPECT_FALSE(Ask(OnText(rows[1]))) << "no new hint inside LastHintArea";
  ASSERT_EQ(tree.ClientHeight(), 100);
  EXPECT_TRUE(Ask(OnText(rows[5]))) << "the last row is cut by the window's bottom";
  EXPECT_FALSE(Ask(Point(190, OnText(rows[0]).Y))) << "beside the text";
  int pause = 500;
  tree.Perform(CM_HINTSHOWPAUSE, 0, reinterpret_cast<LPARAM>(&pause));
  EXPECT_EQ(pause, 0) << "tooltips show at once";
}

TEST_F(HintTest, ColumnsCutTextsToo) {
  tree.Header().Columns().AddColumn().SetWidth(60);
  tree.Header().Columns().AddColumn().SetWidth(100);
  texts[0] = "rather long";
  EXPECT_TRUE(Ask(OnText(rows[0], 0)));
}

TEST_F(HintTest, MultiLineNodesShowTheirTooltipOnTheirText) {
  rows[0]->Include(nsMultiline);
  EXPECT_TRUE(Ask(OnText(rows[0])));
}

TEST_F(HintTest, NoHintsWhileBusyOrSwitchedOff) {
  const TPoint p = OnText(rows[1]);
  for (TDataTreeState busy : {tsDrawSelecting, tsScrolling, tsOLEDragging}) {
    tree.ChangeTreeStates({busy}, {});
    EXPECT_FALSE(Ask(p)) << "state " << busy;
    tree.ChangeTreeStates({}, {busy});
  }
  SetCapture(form.Handle());
  EXPECT_FALSE(Ask(p)) << "the mouse is captured";
  ReleaseCapture();
  tree.ShowHint = false;
  tree.ParentShowHint = false;
  EXPECT_FALSE(Ask(p));
  tree.ShowHint = true;
  EXPECT_TRUE(Ask(p));
  tree.Perform(CM_MOUSELEAVE, 0, 0);
  EXPECT_EQ(tree.LastHintArea(), TRect{});
  EXPECT_FALSE(tree.TreeStates().Contains(tsHint));
}

TEST_F(HintTest, DefaultModeShowsTheControlsHint) {
  tree.HintMode = hmDefault;
  tree.Hint = "Variables|All variables of the workspace";
  ASSERT_TRUE(Ask(OnText(rows[0])));
  EXPECT_EQ(info.HintStr, "Variables");
}

TEST_F(HintTest, HintModesOverANodeAndOverEmptySpace) {
  tree.SetRootNodeCount(2);
  const TPoint empty = Point(50, 80);
  tree.Hint = "Workspace|All variables";
  const struct {
    TDTHintMode mode;
    TPoint at;
    bool shown;
    PDataNode node;
    const char* defaultHint;
  } cases[] = {
      {hmHint, OnText(rows[0]), true, rows[0], ""},
      {hmHint, empty, false, nullptr, ""},
      {hmHintAndDefault, OnText(rows[0]), true, rows[0], ""},
      {hmHintAndDefault, empty, true, nullptr, "Workspace"},
  };
  for (const auto& test : cases) {
    tree.HintMode = test.mode;
    tree.Perform(CM_MOUSELEAVE, 0, 0);
    ASSERT_EQ(Ask(test.at), test.shown) << "mode " << test.mode << " at " << test.at.Y;
    if (!test.shown) continue;
    EXPECT_EQ(tree.HintRecord().Node, test.node) << "mode " << test.mode;
    EXPECT_EQ(tree.HintRecord().DefaultHint, test.defaultHint) << "mode " << test.mode;
  }
  tree.Hint.clear();
  tree.Perform(CM_MOUSELEAVE, 0, 0);
  EXPECT_FALSE(Ask(empty)) << "no default hint to show";
}

TEST_F(HintTest, HeaderColumnsShowTheirHints) {
  TDataTreeColumns& columns = tree.Header().Columns();
  columns.AddColumn().SetWidth(100);
  columns.AddColumn().SetWidth(100);
  columns.ColumnAt(1).Hint = "Values";
  tree.Header().SetOptions(tree.Header().Options() + TDTHeaderOptions{hoVisible, hoShowHint});
  EXPECT_TRUE(Ask(Point(150, -5)));
  EXPECT_EQ(tree.HintRecord().DefaultHint, "Values");
  EXPECT_EQ(tree.HintRecord().Node, nullptr);
  EXPECT_FALSE(Ask(Point(50, -5))) << "a column without a hint";
}

TEST(DrawTreeHintTest, HintsOnlyWithASizeAndDrawnByTheApplication) {
  TForm form(nullptr);
  form.SetBounds(0, 0, 200, 200);
  TDataDrawTree tree(&form);
  tree.SetParent(&form);
  tree.SetBounds(0, 0, 200, 100);
  form.Show();
  tree.ShowHint = true;
  tree.HintMode = hmHint;
  tree.SetRootNodeCount(2);
  TRect size;
  tree.OnGetHintSize = [&](TCustomDataDrawTree*, PDataNode, TColumnIndex, TRect& r) { r = size; };
  int drawn = 0;
  tree.OnDrawHint = [&](TCustomDataDrawTree*, TCanvas&, PDataNode, const TRect&, TColumnIndex) { ++drawn; };
  THintInfo info;
  info.CursorPos = Point(30, 5);
  EXPECT_NE(tree.Perform(CM_HINTSHOW, 0, reinterpret_cast<LPARAM>(&info)), 0) << "an empty size";
  size = Rect(0, 0, 50, 20);
  info = THintInfo{};
  info.CursorPos = Point(30, 5);
  ASSERT_EQ(tree.Perform(CM_HINTSHOW, 0, reinterpret_cast<LPARAM>(&info)), 0);
  TDataTreeHintWindow window(nullptr);
  EXPECT_EQ(window.CalcHintRect(500, info.HintStr, info.HintData), size);
  window.ActivateHint(Bounds(10, 10, 50, 20), info.HintStr);
  UpdateWindow(window.Handle());
  EXPECT_GT(drawn, 0);
  tree.SetParent(nullptr);
}

class HintWindowTest : public HintTest {
protected:
  HintWindowTest() : window(nullptr) {}
  TDTHintData Plain() {
    TDTHintData data;
    data.Tree = &tree;
    return data;
  }
  TDataTreeHintWindow window;
};

TEST_F(HintWindowTest, APlainHintIsItsTextWithMargins) {
  const TDTHintData data = Plain();
  const TRect r = window.CalcHintRect(500, "Workspace", const_cast<TDTHintData*>(&data));
  TBitmap measure(1, 1, pf32bit);
  measure.Canvas().Font().Assign(Screen().HintFont());
  TRect text = Rect(0, 0, 500, 0);
  measure.Canvas().TextRect(text, "Workspace", DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
  TTextMetric metric;
  GetTextMetrics(measure.Canvas().Handle(), &metric);
  EXPECT_EQ(r.Width(), text.Width() + 2 * tree.TextMargin() + 2);
  EXPECT_EQ(r.Height(), metric.tmHeight + 6);
  EXPECT_EQ(window.HintData().HintText, "Workspace");
  TDTHintData empty = Plain();
  EXPECT_EQ(window.CalcHintRect(500, "", &empty), TRect{}) << "no text, no hint";
}

TEST_F(HintWindowTest, TheHintStaysOnTheDesktopAndHidingClearsItsData) {
  TDTHintData data = Plain();
  window.CalcHintRect(500, "Hint", &data);
  const TRect desktop = Screen().DesktopRect();
  window.ActivateHint(Bounds(desktop.Left - 30, desktop.Bottom - 5, 60, 20), "Hint");
  TRect placed;
  GetWindowRect(window.Handle(), placed);
  EXPECT_EQ(placed, Bounds(desktop.Left, desktop.Bottom - 20, 60, 20));
  EXPECT_TRUE(IsWindowVisible(window.Handle()));
  window.ReleaseHandle();
  EXPECT_EQ(window.HintData().Tree, nullptr);
  EXPECT_TRUE(window.HintData().HintText.empty());
}

TEST_F(HintWindowTest, AFadeBlendsInStepByStepAndEndsWithThePlainPicture) {
  TFakeClockScope clock;
  tree.HintAnimation = hatFade;
  tree.SetAnimationDuration(100);
  TDTHintData data = Plain();
  const TRect size = window.CalcHintRect(500, "Fading", &data);
  const TRect place = Bounds(20, 20, size.Width(), size.Height());
  PostMessage(form.Handle(), WM_USER, 0, 0);
  window.ActivateHint(place, "Fading");
  ASSERT_TRUE(window.Animating());
  MSG waiting;
  EXPECT_TRUE(PeekMessage(waiting, form.Handle(), WM_USER, WM_USER, PM_REMOVE)) << "the fade dispatched nothing";
  auto distance = [&] {
    const TColor shown = WindowSurface(window.Handle())->Pixel(size.Width() - 3, 3);
    const TColor info = ColorToRGB(clInfoBk);
    return std::abs(GetRValue(shown) - GetRValue(info)) + std::abs(GetGValue(shown) - GetGValue(info)) +
           std::abs(GetBValue(shown) - GetBValue(info));
  };
  int last = distance();
  EXPECT_GT(last, 0) << "the fade starts from the background";
  for (int tick = 0; tick < 4; ++tick) {
    clock.AdvanceAndDispatch(40);
    const int now = distance();
    EXPECT_LE(now, last) << "tick " << tick;
    last = now;
  }
  clock.AdvanceAndDispatch(200);
  EXPECT_FALSE(window.Animating());
  EXPECT_EQ(distance(), 0) << "the plain picture at the end";
  window.ActivateHint(place, "Fading");
  ASSERT_TRUE(window.Animating());
  window.ActivateHint(place, "Fading");
  EXPECT_TRUE(window.Animating()) << "a new hint restarts the fade";
  window.ReleaseHandle();
  EXPECT_FALSE(window.Animating()) << "hiding stops it";
}

TEST_F(HintWindowTest, ASlideShowsTheHintsBottomRowsFirst) {
  TFakeClockScope clock;
  tree.HintAnimation = hatSlide;
  tree.SetAnimationDuration(100);
  TDTHintData data = Plain();
  const TRect size = window.CalcHintRect(500, "Sliding", &data);
  window.ActivateHint(Bounds(20, 20, size.Width(), size.Height()), "Sliding");
  clock.AdvanceAndDispatch(30);
  const CountedPtr<TGdiBitmap> shown = WindowSurface(window.Handle());
  EXPECT_EQ(shown->Pixel(size.Width() / 2, 0), clBlack) << "the frame's bottom edge comes in at the top";
  EXPECT_NE(shown->Pixel(size.Width() / 2, size.Height() - 1), clBlack) << "the bottom still shows what was under it";
  clock.AdvanceAndDispatch(200);
  EXPECT_FALSE(window.Animating());
  EXPECT_EQ(shown->Pixel(size.Width() / 2, size.Height() - 1), clBlack) << "the whole hint at the end";
}

TEST_F(HintWindowTest, ButtonsCloseTheHintButKeysAndNonClientMovesDoNot) {
  TDTHintData data = Plain();
  window.CalcHintRect(500, "Hint", &data);
  MSG message;
  message.message = WM_LBUTTONDOWN;
  EXPECT_FALSE(window.FilterHintMessage(message)) << "no hint shows";
  window.ActivateHint(Bounds(20, 20, 60, 20), "Hint");
  EXPECT_TRUE(window.FilterHintMessage(message));
  for (UINT kept : {WM_KEYDOWN, WM_CHAR, WM_NCMOUSEMOVE, WM_MOUSEMOVE}) {
    message.message = kept;
    EXPECT_FALSE(window.FilterHintMessage(message)) << "message " << kept;
  }
}

TEST_F(HintTest, AfterAHintWindowWentHeaderHintsShowAtOnce) {
  tree.HintMode = hmHint;
  tree.Header().Columns().AddColumn().SetWidth(100);
  tree.Header().SetOptions(tree.Header().Options() + TDTHeaderOptions{hoVisible, hoShowHint});
  auto pauseAt = [&](TPoint client) {
    InjectMouseMove(tree.ClientToScreen(client), {});
    int pause = 500;
    tree.Perform(CM_HINTSHOWPAUSE, 0, reinterpret_cast<LPARAM>(&pause));
    return pause;
  };
  SetHintWindowGone(true);
  EXPECT_EQ(pauseAt(Point(50, -5)), 0) << "over the header";
  EXPECT_EQ(pauseAt(Point(50, 20)), 500) << "over the rows";
  SetHintWindowGone(false);
  EXPECT_EQ(pauseAt(Point(50, -5)), 500) << "no hint window went";
}

TEST(HintAnimationTest, SystemDefaultResolvesToNone) {
  TTestTree tree;
  const std::pair<THintAnimationType, THintAnimationType> cases[] = {
      {hatSystemDefault, hatNone}, {hatFade, hatFade}, {hatSlide, hatSlide}, {hatNone, hatNone}};
  for (const auto& [set, effective] : cases) {
    tree.HintAnimation = set;
    EXPECT_EQ(tree.EffectiveHintAnimation(), effective);
  }
}

}  // namespace
