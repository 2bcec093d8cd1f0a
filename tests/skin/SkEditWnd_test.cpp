#include "skin/adapters/SkEditWnd.h"

#include <gtest/gtest.h>

#include "skin/ControlRoutines.h"
#include "skin/SkinCommonData.h"
#include "skin/paint/Backdrop.h"
#include "tests/skin/AdapterFixture.h"
#include "toolkit/controls/Edit.h"
#include "toolkit/controls/Form.h"
#include "toolkit/gdi/Gdi.h"
#include "toolkit/win/ControlMessages.h"
#include "toolkit/win/Paint.h"
#include "toolkit/win/ScrollBar.h"

namespace {

constexpr TColor EditColor = 0x00E0F0F0;
constexpr TColor EditHotFontColor = 0x00101080;
// The outer ring of frame 0 of the test skin's edit border.
constexpr TColor EditFrameRing = 0x00804020;

class SkEditWndTest : public AdapterFixture {
protected:
  ~SkEditWndTest() override { delete form; }

  TSkAdapterPtr<TSkEditWnd> AdaptRaw(TProtocolFake& fake) {
    return TSkMainWnd::Make<TSkEditWnd>(fake.Handle(), nullptr, &manager, "EDIT", true);
  }
  // A TEdit on a form, with skin data of the section "EDIT" hosted by it.
  TEdit& AddEdit() {
    form = new TForm(nullptr);
    form->SetBounds(50, 50, 300, 200);
    edit = new TEdit(form);
    edit->SetParent(form);
    edit->SetBounds(10, 10, 150, 24);
    data = std::make_unique<TSkinCommonData>(edit, true);
    data->SetSkinSection("EDIT");
    data->ResolveIndexes();
    return *edit;
  }
  TSkAdapterPtr<TSkEditWnd> AdaptEdit() {
    return TSkMainWnd::Make<TSkEditWnd>(edit->Handle(), data.get(), &manager, "EDIT", true);
  }

  TForm* form = nullptr;
  TEdit* edit = nullptr;
  std::unique_ptr<TSkinCommonData> data;
};

TEST_F(SkEditWndTest, AnEditTakesTheSectionsColoursUnlessItKeepsItsOwn) {
  TEdit& control = AddEdit();
  auto adapter = AdaptEdit();
  adapter->ApplySkinLook();
  EXPECT_EQ(control.Color(), data->ControlColor(data->IsActiveState() ? 1 : 0));
  EXPECT_EQ(control.Font().Color(), EditHotFontColor);

  data->SetCustomColor(true);
  data->SetCustomFont(true);
  control.SetColor(clWindow);
  control.Font().SetColor(clWindowText);
  adapter->ApplySkinLook();
  EXPECT_EQ(control.Color(), clWindow);
  EXPECT_EQ(control.Font().Color(), clWindowText);
}

TEST_F(SkEditWndTest, RemovingTheSkinGivesBackTheColoursOfCreationAndMeasuresTheFrame) {
  TEdit& control = AddEdit();
  control.Font().SetColor(clWindowText);
  auto adapter = AdaptEdit();
  adapter->ApplySkinLook();
  ASSERT_NE(control.Color(), clWindow);
  bool frameChanged = false;
  const TWndMethodRef below = control.WindowProc.Current();
  control.WindowProc = [&frameChanged, below](TMessage& message) {
    if (message.Msg == WM_WINDOWPOSCHANGING)
      frameChanged |= (reinterpret_cast<const WINDOWPOS*>(message.LParam)->flags & SWP_FRAMECHANGED) != 0;
    below(message);
  };
  SendMessage(control.Handle(), SM_SKINCMD, SkinCommand(scSkinRemoved), reinterpret_cast<LPARAM>(&manager));
  EXPECT_EQ(control.Color(), clWindow);
  EXPECT_EQ(control.Font().Color(), clWindowText);
  EXPECT_TRUE(frameChanged);
  control.WindowProc = below;
}

TEST_F(SkEditWndTest, ARawWindowsColourIsTheSectionsOutsideDialogs) {
  TProtocolFake raw("edit", dialog.Handle(), {10, 10, 160, 34}, {}, WS_CHILD | WS_VISIBLE | WS_BORDER);
  auto adapter = AdaptRaw(raw);
  adapter->ApplySkinLook();
  EXPECT_EQ(adapter->WndColor, EditColor);
  EXPECT_EQ(adapter->PenColor, 0);
  DialogModeActive = true;
  TProtocolFake inDialog("edit", dialog.Handle(), {10, 40, 160, 64}, {}, WS_CHILD | WS_VISIBLE | WS_BORDER);
  auto dialogAdapter = AdaptRaw(inDialog);
  DialogModeActive = false;
  dialogAdapter->ApplySkinLook();
  EXPECT_EQ(dialogAdapter->WndColor, clWindow);
  EXPECT_EQ(SendMessage(raw.Handle(), SM_SKINCMD, SkinCommand(scGetSection), 0), Section("EDIT") + 1);
}

TEST_F(SkEditWndTest, TheFrameComesFromTheSectionsMask) {
  TProtocolFake raw("edit", dialog.Handle(), {10, 10, 160, 40}, {}, WS_CHILD | WS_VISIBLE, WS_EX_CLIENTEDGE);
  auto adapter = AdaptRaw(raw);
  EXPECT_EQ(adapter->EdgeLeft, 2) << "the client edge measured";
  SendMessage(raw.Handle(), WM_NCPAINT, 1, 0);
  const HDC dc = GetWindowDC(raw.Handle());
  EXPECT_EQ(GetPixel(dc, 0, 10), EditFrameRing);
  EXPECT_EQ(GetPixel(dc, 149, 10), EditFrameRing);
  ReleaseDC(raw.Handle(), dc);
  EXPECT_EQ(Printed(raw.Handle())->Canvas().Pixel(0, 10), EditFrameRing) << "printed alike";
}

TEST_F(SkEditWndTest, AnEditsPrintedFrameComesFromTheMaskAndIsDimmedWhenDisabled) {
  TEdit& control = AddEdit();
  auto adapter = AdaptEdit();
  ASSERT_GT(adapter->EdgeLeft, 0) << "ex style " << GetWindowLongPtr(control.Handle(), GWL_EXSTYLE);
  const TColor enabled = Printed(control.Handle())->Canvas().Pixel(0, 12);
  EXPECT_EQ(enabled, EditFrameRing);
  control.SetEnabled(false);
  const TColor disabled = Printed(control.Handle())->Canvas().Pixel(0, 12);
  EXPECT_NE(disabled, EditFrameRing) << "dimmed";
  EXPECT_GT(disabled & 0xFF, EditFrameRing & 0xFF) << "toward the lighter form behind";
}

TEST_F(SkEditWndTest, TheThumbFollowsTheWindowsScrollInformation) {
  TFakeState state;
  state.VertBar = SCROLLINFO{.fMask = SIF_ALL, .nMin = 0, .nMax = 0, .nPage = 10, .nPos = 0};
  TProtocolFake list("listbox", dialog.Handle(), {10, 10, 160, 170}, state, WS_CHILD | WS_VISIBLE | WS_VSCROLL);
  auto adapter = AdaptRaw(list);
  // The list box moves its own scroll information; the fake is told how.
  const auto scrolled = [&list](int maximum, int position) {
    SCROLLINFO info{.fMask = SIF_RANGE | SIF_POS, .nMin = 0, .nMax = maximum, .nPage = 0, .nPos = position};
    SetScrollInfo(list.Handle(), SB_VERT, info, false);
  };
  const auto expectThumbFollows = [&](const char* after) {
    SCROLLINFO real{.fMask = SIF_ALL};
    GetScrollInfo(list.Handle(), SB_VERT, real);
    EXPECT_EQ(adapter->VertBar.Info.nMax, real.nMax) << after;
    EXPECT_EQ(adapter->VertBar.Info.nPos, real.nPos) << after;
  };
  for (int i = 0; i < 50; ++i) {
    scrolled(i, 0);
    SendMessage(list.Handle(), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>("item"));
  }
  expectThumbFollows("LB_ADDSTRING");
  scrolled(49, 30);
  SendMessage(list.Handle(), LB_SETTOPINDEX, 30, 0);
  expectThumbFollows("LB_SETTOPINDEX");
  scrolled(49, 35);
  SendMessage(list.Handle(), EM_REPLACESEL, 0, reinterpret_cast<LPARAM>("x"));
  expectThumbFollows("EM_REPLACESEL");
  scrolled(49, 12);
  SendMessage(list.Handle(), WM_LBUTTONDOWN, 0, MAKELPARAM(10, 10));
  expectThumbFollows("a click");
}

TEST_F(SkEditWndTest, WhileAFormFadesInNothingIsPaintedOnTheScreen) {
  TProtocolFake raw("edit", dialog.Handle(), {10, 10, 160, 40}, {}, WS_CHILD | WS_VISIBLE, WS_EX_CLIENTEDGE);
  auto adapter = AdaptRaw(raw);
  const HDC dc = GetWindowDC(raw.Handle());
  FillDeviceRect(dc, {0, 0, 150, 30}, clSkinKey);
  AnimationRunning = true;
  SendMessage(raw.Handle(), WM_NCPAINT, 1, 0);
  EXPECT_EQ(GetPixel(dc, 0, 10), clSkinKey) << "no frame drawn";
  const size_t erased = raw.Count(WM_ERASEBKGND);
  EXPECT_EQ(SendMessage(raw.Handle(), WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0), 1);
  EXPECT_EQ(raw.Count(WM_ERASEBKGND), erased) << "answered without erasing";
  AnimationRunning = false;
  ReleaseDC(raw.Handle(), dc);
}

}  // namespace
