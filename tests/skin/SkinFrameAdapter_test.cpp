#include "skin/skins/SkinFrameAdapter.h"

#include <algorithm>
#include <fstream>
#include <vector>

#include "skin/SkinCommonData.h"
#include "skin/SkinPanel.h"
#include "tests/skin/BitmapBytes.h"
#include "tests/skin/MessageSpy.h"
#include "tests/skin/ProductPath.h"
#include "tests/skin/SkinnedFormFixture.h"
#include "toolkit/gdi/Canvas.h"
#include "toolkit/win/MessageQueue.h"
#include "toolkit/controls/Frame.h"
#include "toolkit/controls/Label.h"
#include "toolkit/controls/Menus.h"
#include "toolkit/controls/Panel.h"

namespace {

using namespace TestSkin;

constexpr TColor FrameSectionColor = 0x00E0E0E0;

// A white form holding a frame of 200 x 120 at (20, 20) under the test skin.
class SkinFrameAdapter : public SkinnedFormFixture {
protected:
  SkinFrameAdapter() {
    frame = new TFrame(form);
    frame->SetParent(form);
    frame->SetBounds(20, 20, 200, 120);
    ShowForm();
  }
  void Adapt() { adapter = new TSkinFrameAdapter(frame); }
  LRESULT Ask(WORD sub, LPARAM lParam = 0) { return frame->Perform(SM_SKINCMD, SkinCommand(sub), lParam); }
  // The frame's section as one colour at a transparency; the plain flag follows.
  void GroupBox(TColor color, int transparency) {
    TSkinGeneralData& section = Section("GROUPBOX");
    section.Color = color;
    section.Transparency = transparency;
    section.GradientPercent = 0;
    section.ImagePercent = 0;
    Ask(scPlainBackground, 1);
  }
  // GROUPBOX's border 5 wide on every side, out of three frames of 16 x
  // 16: narrow enough for the look to count as plain.
  void SlimGroupBoxBorder() {
    const std::string wide = "BORDERSMASK=^0048,0000,0096,0016,0000,0000,0000,0000,0,0,0,0";
    std::string options = TestSkinOptions();
    options.replace(options.find(wide, options.find("[GROUPBOX]")), wide.size(),
                    "BORDERSMASK=^0048,0000,0096,0016,0005,0005,0005,0005,3,0,0,0");
    WriteOptions(options);
  }
  void WriteOptions(const std::string& options) {
    std::ofstream(temp / "Skins" + "/TestSkin/Options.dat", std::ios::binary) << options;
  }
  // A transparent label without a caption: only its background shows.
  void AddGraphicChild() {
    auto* label = new TLabel(form);
    label->SetParent(frame);
    label->SetAutoSize(false);
    label->SetTransparent(true);
    label->SetBounds(50, 50, 60, 30);
  }
  struct TPixel {
    TPoint At;  // in the frame
    TColor Color;
    const char* Where;
  };
  void ExpectPixels(const std::vector<TPixel>& pixels) {
    adapter->SkinData().CacheStale = true;
    RedrawWindow(form->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    const auto image = Render();
    for (const TPixel& p : pixels) EXPECT_EQ(PixelOf(*image, *frame, p.At), p.Color) << p.Where;
  }

  TFrame* frame;
  TSkinFrameAdapter* adapter = nullptr;
};

TEST_F(SkinFrameAdapter, ASectionNamedAsTheClassInAnyCaseBecomesGroupBox) {
  Adapt();
  EXPECT_EQ(adapter->SkinData().SkinSection(), "GROUPBOX");
  EXPECT_EQ(adapter->SkinData().ClassCode, 226);
  EXPECT_EQ(adapter->SkinData().HostControl(), frame);
  const struct {
    const char* Given;
    const char* Kept;
  } cases[] = {{"TSkinFrameAdapter", "GROUPBOX"}, {"tSKINframeADAPTER", "GROUPBOX"}, {"Panel", "PANEL"}};
  for (const auto& c : cases) {
    adapter->BeginLoading();
    adapter->SkinData().SetSkinSection(c.Given);
    adapter->Loaded();
    EXPECT_EQ(adapter->SkinData().SkinSection(), c.Kept) << c.Given;
  }
}

TEST_F(SkinFrameAdapter, PlacedOnAnythingButAFrameItShowsTheErrorAndHandlesNothing) {
  TRecordingMessageBoxes boxes;
  auto* panel = new TPanel(form);
  panel->SetParent(form);
  auto* misplaced = new TSkinFrameAdapter(panel);
  ASSERT_EQ(boxes.Shown.size(), 1u);
  EXPECT_EQ(boxes.Shown[0].Text, "TSkinFrameAdapter adapter must be placed on the handled frame");
  EXPECT_EQ(boxes.Shown[0].Type, UINT(MB_OK | MB_ICONERROR));
  EXPECT_EQ(misplaced->Frame(), nullptr);
  EXPECT_EQ(misplaced->SkinData().HostControl(), nullptr);
  LoadAndAnnounce();
  EXPECT_EQ(panel->Perform(SM_SKINCMD, SkinCommand(scIsSkinnable), 0), 0) << "the panel keeps its own procedure";
  delete misplaced;
}

TEST_F(SkinFrameAdapter, WhileNoSkinIsActiveTheFrameHearsEverythingAndGetsItsProcedureBack) {
  const TSeen seen = Record(*frame);
  Adapt();
  seen->clear();
  EXPECT_EQ(Ask(scIsSkinnable), 1);
  Ask(scGetColor, clSkinKey);
  frame->Perform(WM_USER + 1, 0, 0);
  ASSERT_EQ(seen->size(), 2u) << "everything but the skinnable question reaches the frame";
  EXPECT_TRUE(HasSkinCommand(seen, scGetColor, clSkinKey));
  delete adapter;
  EXPECT_EQ(Ask(scIsSkinnable), 0) << "the frame's own procedure answers again";
  EXPECT_TRUE(HasSkinCommand(seen, scIsSkinnable, 0));
}

TEST_F(SkinFrameAdapter, TheSectionAnswerIsItsIndexPlusOneAndZeroWithoutGroupBox) {
  Adapt();
  LoadAndAnnounce();
  ASSERT_GE(manager.SectionIndexOf("GROUPBOX"), 0);
  EXPECT_EQ(Ask(scGetSection), manager.SectionIndexOf("GROUPBOX") + 1);
  std::string options = TestSkinOptions();
  const size_t start = options.find("[GROUPBOX]");
  options.erase(start, options.find("\n\n", start) + 2 - start);
  WriteOptions(options);
  LoadAndAnnounce();
  ASSERT_LT(manager.SectionIndexOf("GROUPBOX"), 0);
  EXPECT_EQ(Ask(scGetSection), 0);
}

TEST_F(SkinFrameAdapter, ItAnswersWhetherItsLookIsComplexAndItsPaintingSuspended) {
  SlimGroupBoxBorder();
  Adapt();
  LoadAndAnnounce();
  const struct {
    int Gradient, Image;
    bool Suspended;
    LRESULT Complex, SuspendedAnswer;
  } cases[] = {
      // A plain look never counts as suspended, a stale cache neither.
      {0, 0, true, 0, 0},
      {40, 0, true, 1, 1},
      {0, 10, false, 1, 0},
  };
  for (const auto& c : cases) {
    TSkinGeneralData& section = Section("GROUPBOX");
    section.GradientPercent = c.Gradient;
    section.ImagePercent = c.Image;
    Ask(scPlainBackground, 1);
    adapter->SkinData().PaintSuspended = c.Suspended;
    adapter->SkinData().CacheStale = true;
    EXPECT_EQ(Ask(scHasComplexBackground), c.Complex) << c.Gradient << " " << c.Image;
    EXPECT_EQ(Ask(scIsPaintingSuspended), c.SuspendedAnswer) << c.Gradient << " " << c.Image;
  }
}

// The colour answer blends as the painters do, so that a child filling
// with it matches what the frame shows.
TEST_F(SkinFrameAdapter, TheColourAnswerFollowsTransparencyOverTheParent) {
  // A skinnable parent of a plain look that answers "no colour".
  auto* parent = new TPanel(form);
  parent->SetParent(form);
  parent->SetBounds(0, 0, 300, 200);
  parent->WindowProc = [parent](TMessage& message) {
    const WORD sub = message.Msg == SM_SKINCMD ? SubCommandOf(message.WParam) : 0;
    if (sub == scIsSkinnable) message.Result = 1;
    else if (sub == scGetColor) message.Result = clSkinKey;
    else if (sub == scPlainBackground) message.Result = sfPlainBackground;
    else parent->WndProc(message);
  };
  frame->SetParent(parent);
  SlimGroupBoxBorder();
  Adapt();
  LoadAndAnnounce();
  // The stand-in parent passes no skin on: the frame hears it directly.
  Ask(scSkinChanged, reinterpret_cast<LPARAM>(&manager));
  ASSERT_TRUE(adapter->SkinData().Skinned(true));
  const struct {
    TColor Section, ParentColor;
    int Transparency;
    bool ForcePlain;
    TColor Answer;
  } cases[] = {
      {0x00102030, 0x00336699, 0, false, 0x00102030},
      {0x00102030, 0x00336699, 100, false, 0x00336699},
      {0x00000000, 0x00FFFFFF, 50, true, 0x007F7F7F},
      // A translucent look is painted through the cache: no one colour.
      {0x00000000, 0x00FFFFFF, 50, false, clSkinKey},
  };
  for (const auto& c : cases) {
    parent->SetColor(c.ParentColor);
    GroupBox(c.Section, c.Transparency);
    if (c.ForcePlain) adapter->SkinData().StateFlags |= sfPlainBackground;
    EXPECT_EQ(TColor(Ask(scGetColor, clSkinKey)), c.Answer) << "transparency " << c.Transparency;
  }
}

TEST_F(SkinFrameAdapter, AThickBorderIsPaintedThroughTheCache) {
  AddGraphicChild();
  Adapt();
  LoadAndAnnounce();
  ASSERT_TRUE(adapter->SkinData().MustUseCache()) << "the test skin's border is too wide for a plain look";
  // GROUPBOX's mask here is one picture of 48 x 16 (the three frames side
  // by side), 16 wide at the sides and 5 high at the top and bottom.
  ExpectPixels({{{0, 60}, FrameColors[0], "the left edge"},
                {{3, 60}, PanelColor, "inside the left ring"},
                {{199, 60}, FrameColors[2], "the right edge"},
                {{100, 0}, FrameColors[1], "the top edge"},
                {{100, 119}, FrameColors[1], "the bottom edge"},
                {{100, 5}, FrameSectionColor, "below the top of the mask"},
                {{150, 90}, FrameSectionColor, "inside"},
                {{60, 60}, FrameSectionColor, "under the graphic child"}});
}

TEST_F(SkinFrameAdapter, APlainLookIsPaintedAsBorderBandsAroundTheSectionColour) {
  AddGraphicChild();
  SlimGroupBoxBorder();
  Adapt();
  LoadAndAnnounce();
  ASSERT_FALSE(adapter->SkinData().MustUseCache());
  ExpectPixels({{{0, 60}, FrameColors[0], "the left edge"},
                {{3, 60}, PanelColor, "inside the left ring"},
                {{199, 60}, FrameColors[0], "the right edge"},
                {{100, 0}, FrameColors[0], "the top edge"},
                {{100, 119}, FrameColors[0], "the bottom edge"},
                {{100, 4}, PanelColor, "the top band's inner side"},
                {{100, 5}, FrameSectionColor, "below the band"},
                {{150, 90}, FrameSectionColor, "inside"},
                {{60, 60}, FrameSectionColor, "under the graphic child"}});
}

TEST_F(SkinFrameAdapter, PrintingGivesWhatTheWindowShows) {
  AddGraphicChild();
  Adapt();
  for (const bool cached : {true, false}) {
    if (!cached) SlimGroupBoxBorder();
    LoadAndAnnounce();
    ASSERT_EQ(adapter->SkinData().MustUseCache(), cached);
    const auto window = RenderWindow(frame->Handle());
    TBitmap printed(200, 120, pf24bit);
    SendMessage(frame->Handle(), WM_PRINT, reinterpret_cast<WPARAM>(printed.Canvas().Handle()), PRF_CLIENT);
    int different = 0;
    for (int y = 0; y < 120; ++y)
      for (int x = 0; x < 200; ++x) different += printed.Canvas().Pixel(x, y) != window->Pixel(x, y);
    EXPECT_EQ(different, 0) << (cached ? "cached" : "direct");
  }
}

TEST_F(SkinFrameAdapter, TheSkinReachesTheChildrenAndItsRemovalGivesTheOldLookBack) {
  auto* child = new TSkinPanel(form);
  child->SetParent(frame);
  child->SetBounds(10, 10, 50, 30);
  auto* popup = new TPopupMenu(frame);
  popup->Items().Add(new TMenuItem(popup));
  Adapt();
  const auto before = RenderWindow(frame->Handle());
  LoadAndAnnounce();
  EXPECT_TRUE(child->SkinData().Skinned(true)) << "the new skin was passed on";
  popup->SetOwnerDraw(false);
  Ask(scSkinApplied, reinterpret_cast<LPARAM>(&manager));
  EXPECT_TRUE(popup->OwnerDraw()) << "a new skin hooks the frame's pop-up menu";
  EXPECT_NE(adapter->ScrollWnd(), nullptr) << "the refresh gave the frame its scroll adapter";
  EXPECT_GT(DifferentPixels(*before, *RenderWindow(frame->Handle())), 1000);
  SwitchOff();
  EXPECT_FALSE(child->SkinData().Skinned(false));
  EXPECT_EQ(adapter->ScrollWnd(), nullptr);
  EXPECT_EQ(DifferentPixels(*before, *RenderWindow(frame->Handle())), 0);
}

TEST_F(SkinFrameAdapter, ASkinnedFramePassesChangesToItsChildrenAndNewOnesToTheForm) {
  auto* child = new TSkinPanel(form);
  child->SetParent(frame);
  Adapt();
  LoadAndAnnounce();
  const TSeen childSaw = Record(*child);
  const TSeen formSaw = Record(*form);
  frame->SetBounds(20, 20, 240, 150);
  EXPECT_TRUE(std::any_of(childSaw->begin(), childSaw->end(), [](const TMessage& m) {
    return m.Msg == SM_SKINCMD && m.WParam == SkinCommand(scInvalidateCache, 1);
  })) << "a new size makes the children's pictures stale";
  frame->Perform(SM_SKINCMD, SkinCommand(scSetPaintSuspended, 1), 0);
  EXPECT_TRUE(adapter->SkinData().PaintSuspended);
  EXPECT_TRUE(HasSkinCommand(childSaw, scSetPaintSuspended, 0)) << "and suspending them";
  formSaw->clear();
  auto* added = new TPanel(form);
  added->SetParent(frame);
  added->HandleNeeded();
  EXPECT_TRUE(HasSkinCommand(formSaw, scAdaptControl, reinterpret_cast<LPARAM>(frame)))
      << "the form is asked to adapt what the frame got";
}

// The designer's host of a frame being designed.
class TWinControlForm : public TPanel {
public:
  using TPanel::TPanel;
};

TEST_F(SkinFrameAdapter, TheDesignersHostOfADesignedFrameTakesTheGlobalColourWhileSkinned) {
  auto* host = new TWinControlForm(form);
  host->SetParent(form);
  frame->SetParent(host);
  Adapt();
  frame->SetDesigning(true);
  adapter->SetDesigning(false);
  LoadAndAnnounce();
  EXPECT_EQ(host->Color(), manager.GlobalColor());
  SwitchOff();
  EXPECT_EQ(host->Color(), clBtnFace);
}

TEST_F(SkinFrameAdapter, AFrameFreedWithItsAdapterOrTheAdapterAloneLeavesNothingBehind) {
  Adapt();
  LoadAndAnnounce();
  ASSERT_NE(adapter->ScrollWnd(), nullptr);
  delete adapter;
  EXPECT_EQ(Ask(scIsSkinnable), 0);
  ProcessEverything();
  Adapt();
  Ask(scSkinChanged, reinterpret_cast<LPARAM>(&manager));
  ASSERT_NE(adapter->ScrollWnd(), nullptr);
  delete frame;
  ProcessEverything();
}

}  // namespace
