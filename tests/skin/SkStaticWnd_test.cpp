#include "skin/adapters/SkStaticWnd.h"

#include <gtest/gtest.h>

#include "skin/paint/Backdrop.h"
#include "tests/skin/AdapterFixture.h"
#include "toolkit/gdi/Gdi.h"
#include "toolkit/gdi/GdiBitmap.h"
#include "toolkit/gdi/Icon.h"
#include "toolkit/win/Paint.h"
#include "toolkit/win/WindowRegion.h"

namespace {

class SkStaticWndTest : public AdapterFixture {
protected:
  template <class Adapter = TSkStaticWnd>
  TProtocolFake& Adapt(const char* className, const std::string& text, DWORD style = 0, DWORD exStyle = 0,
                       TFakeState state = {}) {
    fakes.push_back(std::make_unique<TProtocolFake>(className, dialog.Handle(),
                                                    Bounds(10, 10 + 30 * int(fakes.size()), 150, 24), state,
                                                    WS_CHILD | WS_VISIBLE | style, exStyle));
    SetWindowText(fakes.back()->Handle(), text);
    adapters.push_back(TSkMainWnd::Make<Adapter>(fakes.back()->Handle(), nullptr, &manager, "CHECKBOX", false));
    return *fakes.back();
  }
  static std::unique_ptr<TBitmap> Erased(HWND window) { return Printed(window, WM_ERASEBKGND); }
  // Whether any pixel differs from the first one.
  static bool HasInk(TBitmap& bmp) {
    for (int y = 0; y < bmp.Height(); ++y)
      for (int x = 0; x < bmp.Width(); ++x)
        if (bmp.Canvas().Pixel(x, y) != bmp.Canvas().Pixel(0, 0)) return true;
    return false;
  }

  std::vector<std::unique_ptr<TProtocolFake>> fakes;
  std::vector<TSkAdapterPtr<>> adapters;
};

TEST_F(SkStaticWndTest, AStaticShowsItsTextOverTheParentsBackground) {
  TProtocolFake& label = Adapt("static", "Label");
  const auto painted = Erased(label.Handle());
  EXPECT_EQ(painted->Canvas().Pixel(0, 0), ColorToRGB(clBtnFace)) << "the transparent section shows the parent";
  EXPECT_TRUE(HasInk(*painted));
  EXPECT_EQ(label.Count(WM_ERASEBKGND), 0u) << "the adapter erases and paints instead of the static";
}

TEST_F(SkStaticWndTest, TabStopsAndStaticEdgesKeepTheSystemsPainting) {
  for (const auto& [style, exStyle] : {std::pair<DWORD, DWORD>{WS_TABSTOP, 0}, {0, WS_EX_STATICEDGE}}) {
    TProtocolFake& label = Adapt("static", "Label", style, exStyle);
    const auto painted = Erased(label.Handle());
    EXPECT_EQ(label.Count(WM_ERASEBKGND), 1u);
    EXPECT_NE(painted->Canvas().Pixel(0, 0), ColorToRGB(clBtnFace));
  }
}

TEST_F(SkStaticWndTest, ANewTextIsPaintedNotTheOldOne) {
  TProtocolFake& changed = Adapt("static", "Old");
  SetWindowText(changed.Handle(), "New");
  TProtocolFake& fresh = Adapt("static", "New");
  EXPECT_TRUE(SamePicture(*Erased(changed.Handle()), *Erased(fresh.Handle())));
  EXPECT_EQ(GetWindowText(changed.Handle()), "New");
}

TEST_F(SkStaticWndTest, AnIconStaticDrawsItsIconOrOnlyTheBackground) {
  TProtocolFake& empty = Adapt<TSkIconWnd>("static", "", SS_ICON);
  EXPECT_FALSE(HasInk(*Erased(empty.Handle())));
  TGdiBitmap image(16, 16, pf32bit);
  const std::vector<std::uint32_t> opaqueRed(16, 0xFFFF0000);
  for (int y = 0; y < 16; ++y) image.StoreRow(y, 0, 16, opaqueRed.data());
  const HICON icon = CreateIconFromImage(image);
  TFakeState state;
  state.Image = reinterpret_cast<LRESULT>(icon);
  TProtocolFake& shown = Adapt<TSkIconWnd>("static", "", SS_ICON, 0, state);
  const auto painted = Erased(shown.Handle());
  EXPECT_EQ(painted->Canvas().Pixel(5, 5), TColor(0x000000FF));
  EXPECT_EQ(painted->Canvas().Pixel(20, 5), ColorToRGB(clBtnFace));
  DestroyIcon(icon);
}

TEST_F(SkStaticWndTest, ALinkShowsItsTextWithoutTheUpperCaseTags) {
  EXPECT_EQ(LinkTextShown("Go <A>here</A> now"), "Go here now");
  EXPECT_EQ(LinkTextShown("<a>here</a>"), "<a>here</a>");
  TProtocolFake& link = Adapt<TSkLinkWnd>("SysLink", "Go <A>here</A> now");
  TProtocolFake& plain = Adapt("static", "Go here now");
  EXPECT_TRUE(SamePicture(*Erased(link.Handle()), *Erased(plain.Handle())));
  TProtocolFake& lower = Adapt<TSkLinkWnd>("SysLink", "<a>here</a>");
  TProtocolFake& asWritten = Adapt("static", "<a>here</a>");
  EXPECT_TRUE(SamePicture(*Erased(lower.Handle()), *Erased(asWritten.Handle())));
}

TEST_F(SkStaticWndTest, ATransparentPanelPaintsAroundItsChildrenButOverAGroupBoxInterior) {
  TProtocolFake panel("#32770", dialog.Handle(), {10, 10, 310, 210}, {}, WS_CHILD | WS_VISIBLE);
  TProtocolFake label("static", panel.Handle(), {10, 10, 60, 30});
  TFakeState groupState;
  groupState.CaptionHeight = 16;
  TProtocolFake group("button", panel.Handle(), {100, 50, 250, 180}, groupState, WS_CHILD | WS_VISIBLE | BS_GROUPBOX);
  // Shaped, the panel keeps pixels of its own under its children too, where
  // what it paints can be read.
  SetWindowRgn(panel.Handle(), CreateRectRgn(0, 0, 300, 200), false);
  auto adapter = TSkMainWnd::Make<TSkTransPanelWnd>(panel.Handle(), nullptr, &manager, "CHECKBOX", false);
  const HDC dc = GetWindowDC(panel.Handle());
  FillDeviceRect(dc, {0, 0, 300, 200}, clSkinKey);
  SendMessage(panel.Handle(), WM_ERASEBKGND, 0, 0);
  const TColor background = ColorToRGB(clBtnFace);
  EXPECT_EQ(GetPixel(dc, 5, 5), background);
  EXPECT_EQ(GetPixel(dc, 30, 20), clSkinKey) << "a child window is left out";
  EXPECT_EQ(GetPixel(dc, 170, 55), clSkinKey) << "the group box's caption band is left out";
  EXPECT_EQ(GetPixel(dc, 170, 120), background) << "its interior is painted";
  ReleaseDC(panel.Handle(), dc);
}

}  // namespace
