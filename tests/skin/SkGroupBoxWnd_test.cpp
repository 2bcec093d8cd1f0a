// Skinned group boxes and panels under the test skin, whose GROUPBOX frame
// rings its frames in distinct colours.

#include "skin/adapters/SkGroupBoxWnd.h"

#include <gtest/gtest.h>

#include "skin/SkinCommonData.h"
#include "skin/adapters/SkPanelWnd.h"
#include "skin/paint/Backdrop.h"
#include "skin/skins/SkinManager.h"
#include "tests/skin/BitmapBytes.h"
#include "tests/skin/MessageSpy.h"
#include "tests/skin/SkinnedWindowFixture.h"
#include "tests/toolkit/ProtocolFakes.h"
#include "toolkit/gdi/Gdi.h"
#include "toolkit/win/Paint.h"

namespace {


TEST(GroupBoxBandTest, BandHoldsTheCaptionWithinTheBox) {
  EXPECT_EQ(GroupBoxCaptionBand({40, 13}, 200), Rect(6, 0, 54, 15));
  EXPECT_EQ(GroupBoxCaptionBand({10, 2}, 200), Rect(6, 0, 24, 6)) << "at least 4 high";
  EXPECT_EQ(GroupBoxCaptionBand({300, 13}, 100), Rect(6, 0, 99, 15)) << "wider than the box";
}

class SkGroupBoxWndTest : public SkinnedWindowFixture {
protected:
  SkGroupBoxWndTest() { SetWindowText(box.Handle(), "Options"); }

  TSkAdapterPtr<TSkGroupBoxWnd> Adapt() {
    auto adapter = TSkMainWnd::Make<TSkGroupBoxWnd>(box.Handle(), nullptr, nullptr, "GROUPBOX", false);
    ReadWindowGeometry(*adapter);
    return adapter;
  }

  TProtocolFake box{"button", form->Handle(), Bounds(20, 20, 200, 120), TFakeState{},
                    WS_CHILD | WS_VISIBLE | BS_GROUPBOX};
};

TEST_F(SkGroupBoxWndTest, FrameRunsThroughTheBandAndIsErasedBehindTheCaption) {
  auto adapter = Adapt();
  const TRect band = adapter->CaptionBand();
  EXPECT_EQ(band.Left, 6);
  EXPECT_GT(band.Right, 20);
  EXPECT_EQ(SendMessage(box.Handle(), SM_SKINCMD, SkinCommand(scGetCaptionHeight), 0), band.Height());

  auto picture = Print(box.Handle());
  TBackdropRef behind;
  adapter->SkinData->WindowParentBackdrop(box.Handle(), behind);
  const int middle = band.Height() / 2;
  EXPECT_NE(BytesColor(*picture, 150, middle), behind.FillColor) << "the frame's top line";
  EXPECT_EQ(BytesColor(*picture, 150, middle - 1), behind.FillColor) << "the band shows the parent above it";
  EXPECT_EQ(BytesColor(*picture, band.Left + 1, middle), behind.FillColor) << "erased behind the caption";
  EXPECT_NE(BytesColor(*picture, 0, 60), behind.FillColor) << "the left side";
}

TEST_F(SkGroupBoxWndTest, NewTextReachesTheWindowOnce) {
  auto adapter = Adapt();
  box.Received.clear();
  SendMessage(box.Handle(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("Choices"));
  EXPECT_EQ(box.Count(WM_SETTEXT), 1u);
  EXPECT_EQ(adapter->WndText, "Choices");
}

TEST_F(SkGroupBoxWndTest, DialogModeLeavesTheInteriorToTheDialog) {
  DialogModeActive = true;
  auto adapter = Adapt();
  ProcessEverything();
  const HDC window = GetWindowDC(box.Handle());
  FillDeviceRect(window, {0, 0, 200, 120}, 0x00123456);
  SendMessage(box.Handle(), WM_NCPAINT, 1, 0);
  EXPECT_EQ(GetPixel(window, 100, 60), 0x00123456u) << "the interior";
  EXPECT_NE(GetPixel(window, 0, 60), 0x00123456u) << "the frame";
  ReleaseDC(box.Handle(), window);
}

TEST_F(SkGroupBoxWndTest, NewChildAsksTheFormToAdaptIt) {
  auto adapter = Adapt();
  const TSeen seen = Record(*form);
  TProtocolFake child("edit", box.Handle(), Bounds(10, 30, 80, 20));
  EXPECT_TRUE(HasSkinCommand(seen, scAdaptControl, 0));
}

// ---------------------------------------------------------------- panels

TEST(PanelSectionTest, BevelsAndBorderChooseTheSection) {
  const struct {
    TPanelBevel Outer, Inner;
    TBorderStyle Border;
    const char* Section;
  } cases[] = {
      {bvLowered, bvRaised, bsNone, "GROUPBOX"},  {bvRaised, bvLowered, bsNone, "GROUPBOX"},
      {bvLowered, bvNone, bsNone, "PANEL_LOW"},   {bvRaised, bvNone, bsNone, "PANEL"},
      {bvNone, bvNone, bsSingle, "PANEL_LOW"},    {bvNone, bvNone, bsNone, "CHECKBOX"},
      {bvSpace, bvLowered, bsNone, "CHECKBOX"},
  };
  for (const auto& c : cases)
    EXPECT_STREQ(PanelSectionOf(c.Outer, c.Inner, c.Border), c.Section) << c.Outer << c.Inner << c.Border;
}

class TDerivedPanel : public TPanel {
public:
  using TPanel::TPanel;
};

class SkPanelWndTest : public SkinnedWindowFixture {
protected:
  template <class Panel = TPanel>
  Panel* NewPanel() {
    auto* panel = new Panel(form);
    panel->SetParent(form);
    panel->SetBounds(20, 20, 160, 100);
    return panel;
  }
};

TEST_F(SkPanelWndTest, ToolkitPanelTakesTheSectionOfItsBevels) {
  TPanel* panel = NewPanel();
  panel->SetBevelOuter(bvLowered);
  TSkinCommonData data(panel, true);
  auto adapter = TSkMainWnd::Make<TSkPanelWnd>(panel->Handle(), &data, nullptr, "PANEL", false);
  EXPECT_EQ(data.SkinSection(), "PANEL_LOW");
  EXPECT_EQ(data.SectionIndex, Section("PANEL_LOW"));
  EXPECT_EQ(panel->Perform(SM_SKINCMD, SkinCommand(scIsSkinnable), 0), 1);
}

TEST_F(SkPanelWndTest, ToolkitPanelPrintsItsFaceAndCaption) {
  TPanel* panel = NewPanel();
  panel->SetCaption("Panel");
  TSkinCommonData data(panel, true);
  auto adapter = TSkMainWnd::Make<TSkPanelWnd>(panel->Handle(), &data, nullptr, "PANEL", false);
  auto picture = Print(panel->Handle());
  EXPECT_EQ(BytesColor(*picture, 0, 50), TestSkin::FrameColors[0]) << "the border mask's ring";
  int ink = 0;
  for (int y = 40; y < 60; ++y)
    for (int x = 50; x < 110; ++x) ink += BytesColor(*picture, x, y) == 0x0000FFu;
  EXPECT_GT(ink, 10) << "the caption in PANEL's red";
}

TEST_F(SkPanelWndTest, DialogPanelOfClassTPanelShowsTheDialogsColour) {
  TPanel* plain = NewPanel();
  auto* derived = NewPanel<TDerivedPanel>();
  DialogModeActive = true;
  auto plainAdapter = TSkMainWnd::Make<TSkDlgPanelWnd>(plain->Handle(), nullptr, nullptr, "", false);
  auto derivedAdapter = TSkMainWnd::Make<TSkDlgPanelWnd>(derived->Handle(), nullptr, nullptr, "", false);
  EXPECT_EQ(plainAdapter->FoundCtrl, plain);
  EXPECT_EQ(plainAdapter->SkinData->SkinSection(), "CHECKBOX");
  EXPECT_EQ(plain->Color(), manager.GlobalColor());
  EXPECT_EQ(derivedAdapter->FoundCtrl, derived);
  EXPECT_EQ(derivedAdapter->SkinData->SkinSection(), "GROUPBOX") << "a class derived from TPanel";
}

}  // namespace
