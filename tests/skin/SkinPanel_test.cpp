#include "skin/SkinPanel.h"

#include "skin/SkinCommonData.h"
#include "tests/skin/MessageSpy.h"
#include "tests/skin/ProductPath.h"
#include "tests/skin/SkinFixture.h"
#include "toolkit/controls/ControlCanvas.h"

namespace {

using SkinPanelTest = FormFixture;

template <class Panel>
Panel* AddPanel(TForm* form, int left) {
  auto* panel = new Panel(form);
  panel->SetParent(form);
  panel->SetBounds(left, 20, 150, 80);
  panel->SetBevelOuter(bvLowered);
  panel->SetBevelInner(bvRaised);
  panel->SetBorderWidth(2);
  panel->SetAlignment(taLeftJustify);
  panel->SetCaption("Workspace");
  return panel;
}

TEST_F(SkinPanelTest, WithoutAManagerEveryMessageButSixSkinCommandsReachesThePanel) {
  auto* panel = AddPanel<TSpied<TSkinPanel>>(form, 20);
  EXPECT_EQ(panel->SkinData().SkinSection(), "PANEL") << "the class default from the end of construction";
  EXPECT_EQ(panel->SkinData().SectionIndex, -1);
  ShowForm();
  ExpectMessagesPassedOn(*panel, {scSkinApplied, scSkinRemoved, scSkinChanged, scIsSkinnable, scGetBackdrop,
                                  scGetApplication});
  ExpectOwnAnswers(*panel);
}

TEST_F(SkinPanelTest, WithoutAManagerItLooksExactlyLikeAPanel) {
  auto* skinned = AddPanel<TSkinPanel>(form, 20);
  auto* plain = AddPanel<TPanel>(form, 200);
  ShowForm();
  EXPECT_EQ(DifferentPixels(*RenderWindow(skinned->Handle()), *RenderWindow(plain->Handle())), 0);
}

TEST_F(SkinPanelTest, OnPaintReplacesErasingAndPrintsTheCanvas) {
  auto* panel = AddPanel<TSpied<TSkinPanel>>(form, 20);
  panel->OnPaint = [](TObject*, TCanvas& canvas) {
    canvas.Brush().SetColor(clRed);
    canvas.FillRect({0, 0, 150, 80});
  };
  ShowForm();
  TBitmap target(150, 80, pf24bit);
  panel->Reached.clear();
  panel->Perform(WM_ERASEBKGND, reinterpret_cast<WPARAM>(target.Canvas().Handle()), 0);
  EXPECT_FALSE(panel->HasReached(WM_ERASEBKGND)) << "the background is not erased";
  panel->Perform(WM_PRINT, reinterpret_cast<WPARAM>(target.Canvas().Handle()), PRF_CLIENT);
  FreeDeviceContexts();
  EXPECT_FALSE(panel->HasReached(WM_PRINT));
  EXPECT_EQ(target.Canvas().Pixel(75, 40), clRed) << "the canvas image is copied into the device context";
  EXPECT_EQ(CountPixels(*Render(), Bounds(20, 20, 150, 80), clRed), 150 * 80) << "OnPaint paints the panel";
}

TEST_F(SkinPanelTest, MouseEventsFireOnceWithoutAManager) {
  auto* panel = AddPanel<TSkinPanel>(form, 20);
  int entered = 0;
  int left = 0;
  panel->OnMouseEnter = [&entered](TObject*) { ++entered; };
  panel->OnMouseLeave = [&left](TObject*) { ++left; };
  ShowForm();
  panel->Perform(CM_MOUSEENTER, 0, 0);
  panel->Perform(CM_MOUSELEAVE, 0, 0);
  EXPECT_EQ(entered, 1);
  EXPECT_EQ(left, 1);
}

class SkinnedPanelTest : public SkinFixture {
protected:
  SkinnedPanelTest() {
    panel = AddPanel<TSpied<TSkinPanel>>(form, 20);
    child = new TSkinPanel(form);
    child->SetParent(panel);
    childSeen = Record(*child);
    ShowForm();
  }
  TSpied<TSkinPanel>* panel;
  TSkinPanel* child;
  TSeen childSeen;
};

TEST_F(SkinnedPanelTest, ResumingClearsTheSuspensionAndTellsTheChildren) {
  ASSERT_TRUE(panel->SkinData().Skinned(true));
  panel->SkinData().PaintSuspended = true;
  EXPECT_EQ(panel->Perform(SM_SKINCMD, SkinCommand(scIsPaintingSuspended), 0), 1);
  panel->Perform(SM_SKINCMD, SkinCommand(scResumePainting), 0);
  EXPECT_FALSE(panel->SkinData().PaintSuspended);
  EXPECT_TRUE(HasSkinCommand(childSeen, scResumePainting, 0));
  EXPECT_EQ(panel->Perform(SM_SKINCMD, SkinCommand(scIsPaintingSuspended), 0), 0);
  EXPECT_FALSE(panel->HasReachedSkinCommand(scIsPaintingSuspended)) << "a skinned panel passes no skin command on";
}

TEST_F(SkinnedPanelTest, CaptionChangesAndFocusStayWithTheirOwners) {
  panel->Reached.clear();
  panel->SkinData().CacheStale = false;
  panel->SetCaption("Variables");
  EXPECT_TRUE(panel->SkinData().CacheStale) << "the skin data invalidates";
  EXPECT_FALSE(panel->HasReached(CM_TEXTCHANGED));

  panel->TabStop = true;
  panel->Perform(WM_SETFOCUS, 0, 0);
  EXPECT_TRUE(panel->HasReached(WM_SETFOCUS));
  EXPECT_FALSE(panel->SkinData().HasFocus) << "only the inherited procedure hears it";
}

TEST_F(SkinnedPanelTest, ASkinnedPanelAsksItsFormToAdaptIt) {
  const TSeen formSeen = Record(*form);
  panel->Loaded();
  EXPECT_TRUE(HasSkinCommand(formSeen, scAdaptControl, reinterpret_cast<LPARAM>(static_cast<TControl*>(panel))));
  form->WindowProc = [this](TMessage& message) { form->WndProc(message); };
}

TEST_F(SkinnedPanelTest, MouseEventsFireOnceWhenSkinned) {
  int entered = 0;
  panel->OnMouseEnter = [&entered](TObject*) { ++entered; };
  panel->Perform(CM_MOUSEENTER, 0, 0);
  EXPECT_EQ(entered, 1);
}

TEST_F(SkinnedPanelTest, ArrivalAndRemovalMakeThePanelTransparentFromAnyManager) {
  TTestSkinManager other;
  const auto otherManager = reinterpret_cast<LPARAM>(&other);
  panel->ControlStyle |= csOpaque;
  panel->Perform(SM_SKINCMD, SkinCommand(scSkinChanged), otherManager);
  EXPECT_TRUE(panel->ControlStyle & csOpaque);
  EXPECT_TRUE(HasSkinCommand(childSeen, scSkinChanged, otherManager)) << "passed to the children in every case";
  for (WORD sub : {scSkinApplied, scSkinRemoved}) {
    panel->ControlStyle |= csOpaque;
    panel->Perform(SM_SKINCMD, SkinCommand(sub), otherManager);
    EXPECT_FALSE(panel->ControlStyle & csOpaque) << "sub-command " << sub;
    EXPECT_TRUE(HasSkinCommand(childSeen, sub, otherManager));
  }
  EXPECT_EQ(panel->SkinData().SectionIndex, 0) << "another manager's removal leaves the skin";
}

}  // namespace
