#include "skin/ControlRoutines.h"

#include <algorithm>
#include <functional>

#include "skin/OutputWindow.h"
#include "skin/SkinCommonData.h"
#include "skin/SkinPanel.h"
#include "tests/skin/BitmapBytes.h"
#include "tests/skin/MessageSpy.h"
#include "tests/toolkit/FormFixture.h"
#include "toolkit/controls/Frame.h"
#include "toolkit/controls/GraphicControl.h"
#include "toolkit/controls/ToolBar.h"
#include "toolkit/gdi/Canvas.h"
#include "toolkit/gdi/Gdi.h"
#include "toolkit/win/Clock.h"
#include "toolkit/win/MessageQueue.h"
#include "toolkit/win/Paint.h"

namespace {

using ControlRoutinesTest = FormFixture;

TEST_F(ControlRoutinesTest, BroadcastLooksThroughAPlainPanel) {
  auto* plain = new TPanel(form);
  plain->SetParent(form);
  auto* skinnable = new TSkinPanel(form);
  skinnable->SetParent(plain);
  const TSeen plainSeen = Record(*plain);
  const TSeen skinnableSeen = Record(*skinnable);
  ShowForm();
  TMessage message{SM_SKINCMD, SkinCommand(scInvalidateCache), 0, 0};
  BroadcastToChildren(form, message);
  EXPECT_TRUE(HasSkinCommand(skinnableSeen, scInvalidateCache, 0));
  EXPECT_FALSE(HasSkinCommand(plainSeen, scInvalidateCache, 0)) << "the plain panel is only looked through";
}

TEST_F(ControlRoutinesTest, AWindowedControlWithoutHandleHearsNothing) {
  auto* panel = new TSkinPanel(form);
  const TSeen seen = Record(*panel);
  EXPECT_EQ(SendSkinCommandTo(panel, scIsSkinnable, 0), 0);
  EXPECT_TRUE(seen->empty());
  panel->SetParent(form);
  ShowForm();
  EXPECT_EQ(SendSkinCommandTo(panel, scIsSkinnable, 0), 1);
  EXPECT_TRUE(WindowAnswersOne(panel->Handle(), scIsSkinnable));
  EXPECT_FALSE(WindowAnswersOne(form->Handle(), scIsSkinnable)) << "a plain form answers 0";
}

TEST_F(ControlRoutinesTest, ColoursOfParentsAndWindows) {
  auto* plain = new TPanel(form);
  plain->SetParent(form);
  plain->SetColor(clBtnFace);
  EXPECT_EQ(ParentColorOf(plain), ColorToRGB(clBtnFace)) << "a plain control's own colour";
  EXPECT_EQ(ParentColorOf(nullptr), clSkinKey);
  auto* skinnable = new TSkinPanel(form);
  skinnable->SetParent(form);
  AnswerSkinCommand(*skinnable, scGetColor, 0x00123456);
  EXPECT_EQ(ParentColorOf(skinnable), 0x00123456U) << "a skinnable control's answer";
  ShowForm();
  EXPECT_EQ(WindowColorOf(skinnable->Handle()), 0x00123456U);
  EXPECT_EQ(WindowColorOf(nullptr), clSkinKey);
}

TEST_F(ControlRoutinesTest, APaintableControlHasAParentAndAHandle) {
  auto* panel = new TPanel(form);
  EXPECT_FALSE(ControlCanPaint(panel)) << "no parent";
  panel->SetParent(form);
  EXPECT_FALSE(ControlCanPaint(panel)) << "no handle yet";
  ShowForm();
  EXPECT_TRUE(ControlCanPaint(panel));
  EXPECT_FALSE(ControlCanPaint(nullptr));
}

TEST_F(ControlRoutinesTest, ClientRectangleInWindowCoordinates) {
  auto* panel = new TPanel(form);
  panel->SetParent(form);
  panel->SetBounds(10, 10, 100, 50);
  panel->SetBorderStyle(bsSingle);
  ShowForm();
  TRect rect;
  ClientRectInWindow(panel->Handle(), rect);
  EXPECT_EQ(rect, (TRect{2, 2, 98, 48})) << "inside the sunken edge";
}

TEST_F(ControlRoutinesTest, ChildWindowsHearOnlyWhatIsForThem) {
  auto* outer = new TPanel(form);
  outer->SetParent(form);
  auto* inner = new TPanel(form);
  inner->SetParent(outer);
  auto* unchilded = new TPanel(form);
  unchilded->SetParent(form);
  const TSeen outerSeen = Record(*outer);
  const TSeen innerSeen = Record(*inner);
  const TSeen unchildedSeen = Record(*unchilded);
  ShowForm();
  BroadcastToChildWindows(form->Handle(), {SM_SKINCMD, SkinCommand(scInvalidateCache), 0, 0});
  EXPECT_TRUE(HasSkinCommand(outerSeen, scInvalidateCache, 0));
  EXPECT_FALSE(HasSkinCommand(innerSeen, scInvalidateCache, 0)) << "direct children only";

  // A window of the tree whose style lost WS_CHILD.
  SetWindowLongPtr(unchilded->Handle(), GWL_STYLE, GetWindowLongPtr(unchilded->Handle(), GWL_STYLE) & ~WS_CHILD);
  RepaintChildWindows(form->Handle());
  EXPECT_TRUE(HasSkinCommand(outerSeen, scResumePainting, 0));
  EXPECT_TRUE(HasSkinCommand(innerSeen, scResumePainting, 0)) << "every child window, however deep";
  EXPECT_FALSE(HasSkinCommand(unchildedSeen, scResumePainting, 0));
}

TEST_F(ControlRoutinesTest, OwnersAlignmentsAndAlignedSizes) {
  auto* frame = new TFrame(form);
  auto* inFrame = new TPanel(frame);
  EXPECT_EQ(OwnerForm(inFrame), form);
  EXPECT_EQ(OwnerFrame(inFrame), frame);
  EXPECT_EQ(OwnerFrame(frame), nullptr);
  EXPECT_EQ(OwnerForm(form), nullptr) << "the chain of owners starts above the component";

  EXPECT_EQ(AlignmentTextFlags(*form, taLeftJustify), DT_LEFT | DT_VCENTER | DT_EXPANDTABS);
  EXPECT_EQ(AlignmentTextFlags(*form, taRightJustify), DT_RIGHT | DT_VCENTER | DT_EXPANDTABS);
  EXPECT_EQ(AlignmentTextFlags(*form, taCenter), DT_CENTER | DT_VCENTER | DT_EXPANDTABS);

  auto add = [this](TControl* child, TAlign align, int size, bool visible = true) {
    child->SetParent(form);
    child->SetBounds(0, 0, size, size);
    child->SetAlign(align);
    child->SetVisible(visible);
  };
  add(new TPanel(form), alTop, 20);
  add(new TPanel(form), alTop, 30);
  add(new TPanel(form), alTop, 40, false);
  add(new TToolButton(form), alTop, 7);
  add(new TPanel(form), alLeft, 11);
  EXPECT_EQ(AlignedChildrenSize(form, alTop, false), 50);
  EXPECT_EQ(AlignedChildrenSize(form, alTop, true), 57) << "with the graphic child";
  EXPECT_EQ(AlignedChildrenSize(form, alLeft, true), 11) << "widths";
  EXPECT_EQ(AlignedChildrenSize(form, alClient, true), 0);
}

// Paints itself green, its top-left pixel in the given colour.
class TSwatch : public TSpied<TGraphicControl> {
public:
  TSwatch(TComponent* owner, TColor corner) : TSpied<TGraphicControl>(owner), corner_(corner) {}

protected:
  void Paint() override {
    Canvas().Brush().SetColor(clLime);
    Canvas().FillRect(ClientRect());
    Canvas().SetPixel(0, 0, corner_);
  }

private:
  TColor corner_;
};

constexpr TColor Blue = 0x00FF0000;
constexpr TColor Yellow = 0x0000FFFF;

TEST_F(ControlRoutinesTest, GraphicChildrenArePaintedOverTheParentsBackground) {
  auto* panel = new TPanel(form);
  panel->SetParent(form);
  panel->SetBounds(0, 0, 60, 20);
  panel->SetColor(Yellow);
  auto* opaque = new TSwatch(form, clLime);
  opaque->SetBounds(2, 2, 10, 10);
  opaque->SetParent(panel);
  auto* keyed = new TSwatch(form, clSkinKey);
  keyed->SetBounds(20, 2, 10, 10);
  keyed->SetParent(panel);
  auto* straddling = new TSwatch(form, clLime);
  straddling->SetBounds(45, 2, 10, 10);
  straddling->SetParent(panel);
  ShowForm();

  auto target = FilledBitmap(50, 20, Blue);
  PaintGraphicChildren(target->Canvas().Handle(), panel, {0, 0});
  EXPECT_EQ(BytesColor(*target, 3, 3), clLime) << "copied";
  EXPECT_EQ(BytesColor(*target, 2, 2), clLime);
  EXPECT_EQ(BytesColor(*target, 23, 3), Blue) << "a child leaving its first pixel magenta is not copied";
  EXPECT_EQ(BytesColor(*target, 46, 3), clLime);
  EXPECT_TRUE(straddling->HasReachedSkinCommand(scPartlyPainted)) << "it does not fit the DC";
  EXPECT_FALSE(opaque->HasReachedSkinCommand(scPartlyPainted));

  target = FilledBitmap(50, 20, Blue);
  PaintGraphicChildren(target->Canvas().Handle(), panel, {-2, 5});
  EXPECT_EQ(BytesColor(*target, 0, 7), clLime) << "moved by the offset";
  EXPECT_EQ(BytesColor(*target, 0, 6), Blue);

  const TSeen seen = Record(*panel);
  target = FilledBitmap(50, 20, Blue);
  const HDC clipped = target->Canvas().Handle();
  IntersectClipRect(clipped, 0, 0, 0, 0);
  PaintGraphicChildren(clipped, panel, {0, 0});
  EXPECT_TRUE(HasSkinCommand(seen, scPartlyPainted, 0)) << "an empty clip box is only reported";
  SelectClipRgn(clipped, nullptr);
  EXPECT_TRUE(AllBytesColor(*target, Blue));
}

TEST(PaintGraphicChildren, AnMdiFramesProviderRepaintsItsAlignedChildFirst) {
  TForm frame(nullptr);
  frame.SetFormStyle(fsMDIForm);
  frame.SetBounds(10, 10, 200, 150);
  auto* aligned = new TSwatch(&frame, clLime);
  aligned->SetParent(&frame);
  aligned->SetAlign(alTop);
  aligned->SetHeight(10);
  frame.Show();
  ProcessEverything();
  const TSeen seen = Record(frame);
  auto target = FilledBitmap(200, 150, Blue);
  PaintGraphicChildren(target->Canvas().Handle(), &frame, {0, 0});
  std::vector<LPARAM> repainting;
  for (const TMessage& m : *seen)
    if (m.Msg == SM_SKINCMD && SubCommandOf(m.WParam) == scChildRepainting) repainting.push_back(m.LParam);
  EXPECT_EQ(repainting, (std::vector<LPARAM>{reinterpret_cast<LPARAM>(aligned), 0}));
  EXPECT_EQ(BytesColor(*target, 5, 5), clLime);
}

TEST_F(ControlRoutinesTest, OnAToolBarOnlySeparatorsAreGraphicChildren) {
  auto* bar = new TToolBar(form);
  bar->SetParent(form);
  bar->SetColor(Yellow);
  auto* button = new TToolButton(form);
  button->SetParent(bar);
  auto* separator = new TToolButton(form);
  separator->SetStyle(tbsSeparator);
  separator->SetParent(bar);
  ShowForm();
  ASSERT_GT(separator->Left(), button->Left());
  auto target = FilledBitmap(bar->Width(), bar->Height(), Blue);
  PaintGraphicChildren(target->Canvas().Handle(), bar, {0, 0});
  EXPECT_EQ(BytesColor(*target, separator->Left() + 1, separator->Top() + 1), Yellow)
      << "the separator shows the bar's background";
  EXPECT_EQ(BytesColor(*target, button->Left() + 1, button->Top() + 1), Blue) << "the bar paints its buttons";
}

TEST_F(ControlRoutinesTest, AControlTreeSnapshotPaintsEveryWindowAfresh) {
  auto* outer = new TPanel(form);
  outer->SetParent(form);
  outer->SetBevelOuter(bvNone);
  outer->SetBounds(10, 10, 100, 50);
  outer->SetColor(Yellow);
  auto* inner = new TPanel(form);
  inner->SetParent(outer);
  inner->SetBevelOuter(bvNone);
  inner->SetBounds(5, 5, 20, 20);
  inner->SetColor(Blue);
  auto* hidden = new TPanel(form);
  hidden->SetParent(form);
  hidden->SetBounds(200, 10, 20, 20);
  hidden->SetColor(Blue);
  hidden->Hide();
  ShowForm();
  TBitmap snapshot(form->Width(), form->Height(), pf24bit);
  PaintControlTree(snapshot, form);
  EXPECT_EQ(BytesColor(snapshot, 11, 11), Yellow);
  EXPECT_EQ(BytesColor(snapshot, 16, 16), Blue) << "a grandchild at its place";
  EXPECT_EQ(BytesColor(snapshot, 205, 15), 0x00FFFFFFU) << "hidden children are left out";
}

// A fake clock that lets the test look while a fade-in waits.
class TWatchingClock : public TFakeClock {
public:
  TWatchingClock() { SetClock(this); }
  ~TWatchingClock() override { SetClock(nullptr); }
  void Wait(uint64_t milliseconds) override {
    ++Waits;
    Waited += milliseconds;
    if (OnWait) OnWait();
    TFakeClock::Wait(milliseconds);
  }
  std::function<void()> OnWait;
  int Waits = 0;
  uint64_t Waited = 0;
};

bool OverlayExists() {
  const auto windows = TopLevelWindows();
  return std::any_of(windows.begin(), windows.end(), [](HWND w) { return GetWindowText(w) == "skOutputWindow"; });
}

class AnimateFormShowTest : public FormFixture {
protected:
  // The form shows white; painted again it would be red, but painting is held back.
  AnimateFormShowTest() {
    ShowForm();
    seen = Record(*form);
    SendMessage(form->Handle(), WM_SETREDRAW, 0, 0);
    form->SetColor(clRed);
    ProcessEverything();
  }
  bool RedrawResumed() const {
    return std::any_of(seen->begin(), seen->end(), [](const TMessage& m) { return m.Msg == WM_SETREDRAW && m.WParam == 1; });
  }
  TColor OverlayPixel() const { return WindowSurface(OverlayWindow->Handle())->Pixel(5, 5); }

  TSeen seen;
  TWatchingClock clock;
};

TEST_F(AnimateFormShowTest, EightMillisecondsMixTwiceWithOnePause) {
  bool looked = false;
  clock.OnWait = [&] {
    looked = true;
    ASSERT_NE(OverlayWindow, nullptr);
    EXPECT_EQ(OverlayWindow->Caption(), "skOutputWindow");
    EXPECT_EQ(OverlayWindow->Color(), 0x800080U);
    EXPECT_TRUE(IsWindowVisible(OverlayWindow->Handle()));
    EXPECT_TRUE(AnimationRunning);
    ASSERT_NE(ScreenSnapshot, nullptr);
    EXPECT_EQ(BytesColor(*ScreenSnapshot, 5, 5), 0x00FFFFFFU) << "the screen as it was, white";
    // Level 255 over the red form: green and blue ((255 - 0) x 255 + 0) shr 8 = 254.
    EXPECT_EQ(OverlayPixel(), RGB(255, 254, 254)) << "the screen snapshot";
  };
  AnimateFormShow(form, 8);
  EXPECT_TRUE(looked);
  EXPECT_EQ(clock.Waits, 1);
  EXPECT_EQ(clock.Waited, 8U);
  EXPECT_EQ(OverlayWindow, nullptr);
  EXPECT_FALSE(OverlayExists());
  EXPECT_EQ(ScreenSnapshot, nullptr);
  EXPECT_EQ(CaptureDC, nullptr);
  EXPECT_FALSE(AnimationRunning);
  EXPECT_TRUE(RedrawResumed());
  EXPECT_EQ(RenderWindow(form->Handle())->Pixel(5, 5), clRed) << "the form redrawn at once";
}

TEST_F(AnimateFormShowTest, LongerFadesStepTowardTheForm) {
  std::vector<TColor> shown;
  clock.OnWait = [&] { shown.push_back(OverlayPixel()); };
  AnimateFormShow(form, 16);
  // Levels 255, 128, 1: green and blue ((255 - 0) x m + 0) shr 8 = 254, then 127.
  EXPECT_EQ(shown, (std::vector<TColor>{RGB(255, 254, 254), RGB(255, 127, 127)}));
}

TEST_F(AnimateFormShowTest, AControlWithAParentFadesInJustInFrontOfItself) {
  auto* embedded = new TFrame(form);
  embedded->SetParent(form);
  embedded->SetBounds(20, 30, 100, 60);
  auto* before = new TPanel(form);
  before->SetParent(form);
  before->SetBounds(0, 0, 10, 10);
  ProcessEverything();
  clock.OnWait = [&] {
    ASSERT_NE(OverlayWindow, nullptr);
    EXPECT_EQ(OverlayWindow->Parent(), form);
    EXPECT_EQ(OverlayWindow->BoundsRect(), embedded->BoundsRect());
    EXPECT_EQ(GetWindow(embedded->Handle(), GW_HWNDPREV), OverlayWindow->Handle());
    EXPECT_EQ(GetWindow(OverlayWindow->Handle(), GW_HWNDPREV), before->Handle()) << "the later sibling stays in front";
  };
  AnimateFormShow(embedded, 8);
  EXPECT_EQ(clock.Waits, 1);
  EXPECT_EQ(OverlayWindow, nullptr);
}

TEST_F(AnimateFormShowTest, SevenMillisecondsShowTheFormAtOnce) {
  AnimateFormShow(form, 7);
  EXPECT_EQ(clock.Waits, 0);
  EXPECT_FALSE(OverlayExists());
  EXPECT_FALSE(AnimationRunning);
  EXPECT_TRUE(RedrawResumed());
}

}  // namespace
