#include "skin/SkinToolBar.h"

#include <memory>

#include "skin/SkinCommonData.h"
#include "tests/skin/MessageSpy.h"
#include "tests/skin/ProductPath.h"
#include "skin/SkinPanel.h"
#include "tests/skin/TestSkinManager.h"
#include "tests/toolkit/FormFixture.h"
#include "toolkit/controls/CoolBar.h"
#include "toolkit/qt/SyntheticInput.h"

namespace {

std::unique_ptr<TImageList> SolidImages(std::initializer_list<TColor> colors) {
  auto list = std::make_unique<TImageList>(16, 16);
  for (TColor color : colors) {
    TBitmap image(16, 16, pf24bit);
    image.Canvas().Brush().SetColor(color);
    image.Canvas().FillRect({0, 0, 16, 16});
    list->Add(image, nullptr);
  }
  return list;
}

class SkinToolBarTest : public FormFixture {
protected:
  SkinToolBarTest()
      : images(SolidImages({clRed, clLime, clBlue})), hotImages(SolidImages({clYellow, clAqua, clPurple})) {}

  // A bar as the main window holds one: flat, auto size, no edges, in a
  // cool bar, a drop-down first, then a separator, a disabled button and a check.
  template <class Bar>
  Bar* AddBar(int top) {
    auto* cool = new TCoolBar(form);
    cool->SetParent(form);
    cool->SetAlign(alNone);
    cool->SetBounds(0, top, 300, 30);
    cool->SetAutoSize(true);
    auto* bar = new Bar(form);
    bar->SetParent(cool);
    bar->SetFlat(true);
    bar->SetAutoSize(true);
    bar->SetEdgeBorders(0);
    bar->SetImages(images.get());
    bar->SetHotImages(hotImages.get());
    const TToolButtonStyle styles[] = {tbsDropDown, tbsSeparator, tbsButton, tbsButton, tbsCheck};
    const int imageIndexes[] = {0, -1, 1, 2, 0};
    for (int i = 0; i < 5; ++i) {
      auto* button = new TToolButton(form);
      button->SetStyle(styles[i]);
      button->SetImageIndex(imageIndexes[i]);
      button->SetParent(bar);
    }
    bar->Buttons(2)->SetEnabled(false);
    return bar;
  }

  void MoveMouseTo(TToolBar& bar, TPoint point) {
    SynthesizeMouse(form->Handle(), InForm(bar, point), TSyntheticMouse::Move, TInputButton::Left);
    ProcessEverything();
  }

  std::unique_ptr<TImageList> images;
  std::unique_ptr<TImageList> hotImages;
};

TEST_F(SkinToolBarTest, WithoutAManagerEveryMessageButFiveSkinCommandsReachesTheBar) {
  auto* bar = AddBar<TSpied<TSkinToolBar>>(0);
  EXPECT_EQ(bar->SkinData().SkinSection(), "TOOLBAR");
  ShowForm();
  ExpectMessagesPassedOn(*bar, {scSkinApplied, scSkinRemoved, scSkinChanged, scIsSkinnable, scGetApplication});
  ExpectOwnAnswers(*bar);
}

TEST_F(SkinToolBarTest, WithoutAManagerItLooksExactlyLikeAToolBar) {
  auto* skinned = AddBar<TSkinToolBar>(0);
  auto* plain = AddBar<TToolBar>(60);
  ShowForm();
  EXPECT_EQ(DifferentPixels(*RenderWindow(skinned->Handle()), *RenderWindow(plain->Handle())), 0);

  // Over the fourth button the hot image shows, on both.
  const TRect fourth = skinned->Buttons(3)->BoundsRect();
  const TPoint over{fourth.Left + 5, fourth.Top + 5};
  MoveMouseTo(*skinned, over);
  const auto hotSkinned = RenderWindow(skinned->Handle());
  MoveMouseTo(*plain, over);
  const auto hotPlain = RenderWindow(plain->Handle());
  EXPECT_EQ(CountPixels(*hotSkinned, fourth, clPurple), 16 * 16) << "the hot image";
  EXPECT_EQ(DifferentPixels(*hotSkinned, *hotPlain), 0);

  // Over the disabled third button nothing is hot.
  const TRect third = skinned->Buttons(2)->BoundsRect();
  MoveMouseTo(*skinned, {third.Left + 5, third.Top + 5});
  const auto disabledSkinned = RenderWindow(skinned->Handle());
  MoveMouseTo(*plain, {third.Left + 5, third.Top + 5});
  EXPECT_EQ(DifferentPixels(*disabledSkinned, *RenderWindow(plain->Handle())), 0);
  EXPECT_EQ(CountPixels(*disabledSkinned, third, clBlue), 0) << "a disabled button's image is greyed";
}

TEST_F(SkinToolBarTest, AnUnskinnedBarDropsCustomDrawHandlersAtLoading) {
  auto* bar = AddBar<TSkinToolBar>(0);
  bar->BeginLoading();
  bar->OnAdvancedCustomDraw = [](TToolBar*, const TRect&, TCustomDrawStage, bool&) {};
  bar->OnAdvancedCustomDrawButton = [](TToolBar*, TToolButton*, TCustomDrawState, TCustomDrawStage,
                                       TTBCustomDrawFlags&, bool&) {};
  bar->Loaded();
  EXPECT_FALSE(bar->OnAdvancedCustomDraw);
  EXPECT_FALSE(bar->OnAdvancedCustomDrawButton);
}

TEST_F(SkinToolBarTest, RemovalFromItsNullManagerResetsAndRepaints) {
  auto* bar = AddBar<TSpied<TSkinToolBar>>(0);
  ShowForm();
  bar->DroppedButton = bar->Buttons(0);
  bar->OnAdvancedCustomDraw = [](TToolBar*, const TRect&, TCustomDrawStage, bool&) {};
  bar->Reached.clear();
  bar->Perform(SM_SKINCMD, SkinCommand(scSkinRemoved), 0);
  EXPECT_EQ(bar->DroppedButton, nullptr);
  EXPECT_FALSE(bar->OnAdvancedCustomDraw);
  EXPECT_TRUE(bar->HasReached(WM_PAINT)) << "repainted";
  EXPECT_TRUE(bar->HasReached(WM_NCPAINT));
  EXPECT_FALSE(bar->HasReachedSkinCommand(scSkinRemoved));
}

TEST_F(SkinToolBarTest, TheSameDisabledKindDoesNotRepaint) {
  auto* bar = AddBar<TSpied<TSkinToolBar>>(0);
  ShowForm();
  EXPECT_EQ(bar->BtnDisabledKind(), dkBlended);
  bar->Reached.clear();
  bar->SetBtnDisabledKind(dkBlended);
  EXPECT_FALSE(bar->HasReached(WM_PAINT));
  bar->SetBtnDisabledKind(dkGrayed);
  EXPECT_TRUE(bar->HasReached(WM_PAINT));
}

TEST_F(SkinToolBarTest, ButtonAtPointSkipsSeparatorsAndGaps) {
  auto* bar = AddBar<TSkinToolBar>(0);
  ShowForm();
  struct TCase {
    int Button;
    int Expected;
  };
  for (const TCase c : {TCase{0, 0}, TCase{1, -1}, TCase{2, 2}, TCase{4, 4}}) {
    const TRect rect = bar->Buttons(c.Button)->BoundsRect();
    EXPECT_EQ(bar->ButtonAtPoint({rect.Left + 2, rect.Top + 2}), c.Expected) << "button " << c.Button;
    EXPECT_EQ(bar->ButtonAtPoint({rect.Right - 1, rect.Bottom - 1}), c.Expected) << "its last pixel";
  }
  bar->Buttons(3)->SetStyle(tbsDivider);
  EXPECT_EQ(bar->ButtonAtPoint(bar->Buttons(3)->BoundsRect().TopLeft()), -1) << "a divider";
  EXPECT_EQ(bar->ButtonAtPoint({bar->ClientWidth() - 1, 1}), -1) << "right of every button";
}

}  // namespace

namespace {

class SkinnedToolBarTest : public SkinToolBarTest {
protected:
  SkinnedToolBarTest() {
    manager.AddSection("PANEL");
    manager.AddSection("TOOLBAR");
  }
  ~SkinnedToolBarTest() override {
    delete form;
    form = nullptr;
  }
  TTestSkinManager manager;
};

TEST_F(SkinnedToolBarTest, ASkinnedBarAnswersForItsSection) {
  auto* bar = AddBar<TSkinToolBar>(0);
  manager.SectionData[1].Color = 0x00204060;
  ShowForm();
  ASSERT_TRUE(bar->SkinData().Skinned(true));
  EXPECT_EQ(bar->Perform(SM_SKINCMD, SkinCommand(scGetSection), 0), 2);
  EXPECT_EQ(bar->Perform(SM_SKINCMD, SkinCommand(scGetColor), 0), 0x00204060);
  TBackdropQuery query;
  bar->Perform(SM_SKINCMD, SkinCommand(scGetBackdrop), reinterpret_cast<LPARAM>(&query));
  EXPECT_EQ(query.Kind, bkColor);
  EXPECT_EQ(query.Color, 0x00204060U);
}

TEST_F(SkinnedToolBarTest, ADeletedButtonIsNoLongerTheDroppedOne) {
  auto* bar = AddBar<TSkinToolBar>(0);
  ShowForm();
  bar->DroppedButton = bar->Buttons(3);
  delete bar->Buttons(2);
  EXPECT_EQ(bar->DroppedButton, bar->Buttons(2)) << "another button went";
  delete bar->Buttons(2);
  EXPECT_EQ(bar->DroppedButton, nullptr);
}

TEST_F(SkinnedToolBarTest, AButtonsCaptionTakesTheFontOfTheNearestSectionGivingItsOwn) {
  auto* panel = new TSkinPanel(form);
  panel->SetParent(form);
  panel->SetBounds(0, 0, 300, 100);
  auto* bar = new TSkinToolBar(form);
  bar->SetParent(panel);
  auto* button = new TToolButton(form);
  button->SetParent(bar);
  ShowForm();
  TSkinGeneralData& panelSection = manager.SectionData[0];
  TSkinGeneralData& barSection = manager.SectionData[1];
  constexpr int Default = 7;
  struct TCase {
    bool BarGivesFont;
    int BarTransparency;
    bool PanelGivesFont;
    int Expected;
  };
  for (const TCase c : {TCase{true, 0, false, 1}, TCase{false, 0, true, Default}, TCase{true, 60, true, 0},
                        TCase{true, 60, false, Default}}) {
    barSection.GiveOwnFont = c.BarGivesFont;
    barSection.Transparency = c.BarTransparency;
    panelSection.GiveOwnFont = c.PanelGivesFont;
    EXPECT_EQ(FontSectionOfToolButton(button, Default, &manager), c.Expected)
        << "bar gives " << c.BarGivesFont << ", transparency " << c.BarTransparency;
  }
  EXPECT_EQ(FontSectionOfToolButton(nullptr, Default, &manager), Default);
}

}  // namespace
