#include "skin/adapters/SkToolBarWnd.h"

#include <memory>
#include <utility>
#include <string>

#include "tests/skin/AdapterFixture.h"
#include "toolkit/gdi/Gdi.h"
#include "toolkit/gdi/ImageList.h"
#include "toolkit/qt/SyntheticInput.h"
#include "toolkit/win/ControlMessages.h"
#include "toolkit/win/Styles.h"

namespace {

TEST(ButtonTextLinesTest, LongTextsBreakBetweenWordsShortOnesStayOnOneLine) {
  // Six pixels a character; a 60-pixel button leaves 56 for its text.
  const auto measure = [](const std::string& s) { return static_cast<int>(s.size()) * 6; };
  struct Case {
    const char* Text;
    const char* First;
    const char* Rest;
  };
  const Case cases[] = {
      {"Open", "Open", ""},
      {"Open file", "Open file", ""},
      {"Recalculate everything", "Recalculate everything", ""},  // two words never break
      {"Open the selected file now", "Open the", "selected file now"},
      {"Extraordinarily long words", "Extraordinarily", "long words"},  // at least one word on the first line
      {"", "", ""},
  };
  for (const Case& c : cases) {
    const TButtonTextLines lines = SplitButtonText(c.Text, 56, measure);
    EXPECT_EQ(lines.First, c.First) << c.Text;
    EXPECT_EQ(lines.Rest, c.Rest) << c.Text;
  }
}

constexpr int ButtonWidth = 60, ButtonHeight = 36;
constexpr TColor ImageColor = 0x0000C000;

// A raw tool bar on the dialog with four buttons of 60 x 36, each showing
// image 0 (a green square of 16 x 16): normal, disabled, pressed and a
// whole drop-down; the adapter takes it over under the test skin.
class SkToolBarWndTest : public AdapterFixture {
protected:
  SkToolBarWndTest() {
    TBitmap square(16, 16, pf24bit);
    square.Canvas().Brush().SetColor(ImageColor);
    square.Canvas().FillRect({0, 0, 16, 16});
    images.AddMasked(square, clFuchsia);
  }
  ~SkToolBarWndTest() override { adapter.reset(); }

  TFakeState Buttons() {
    TFakeState state;
    state.ImageList = reinterpret_cast<LRESULT>(images.Handle());
    const BYTE states[] = {TBSTATE_ENABLED, 0, TBSTATE_ENABLED | TBSTATE_PRESSED, TBSTATE_ENABLED};
    for (int i = 0; i < 4; ++i) {
      TFakeItem item;
      item.Rect = Bounds(i * ButtonWidth, 0, ButtonWidth, ButtonHeight);
      item.Image = 0;
      item.State = states[i];
      item.Style = i == 3 ? BTNS_WHOLEDROPDOWN : BTNS_BUTTON;
      state.Items.push_back(item);
    }
    return state;
  }
  void Adapt(DWORD exStyle = 0, DWORD style = 0) {
    bar = std::make_unique<TProtocolFake>("ToolbarWindow32", dialog.Handle(), TRect{10, 10, 260, 90}, Buttons(),
                                          WS_CHILD | WS_VISIBLE | style, exStyle);
    adapter = TSkMainWnd::Make<TSkToolBarWnd>(bar->Handle(), nullptr, &manager, "TOOLBAR", false);
  }
  // What the adapter paints into a client-sized picture.
  std::unique_ptr<TBitmap> Painted() { return Printed(bar->Handle(), WM_PAINT); }
  static TColor Edge(TBitmap& picture, int index) {
    return picture.Canvas().Pixel(index * ButtonWidth, ButtonHeight / 2);
  }

  TImageList images{16, 16};
  std::unique_ptr<TProtocolFake> bar;
  TSkAdapterPtr<TSkToolBarWnd> adapter;
};

TEST_F(SkToolBarWndTest, EachButtonTakesTheFrameOfItsState) {
  Adapt();
  SynthesizeMouse(bar->Handle(), {200, 200}, TSyntheticMouse::Move, TInputButton::Left);  // off the bar
  auto picture = Painted();
  EXPECT_EQ(Edge(*picture, 0), TestSkin::FrameColors[0]) << "normal";
  EXPECT_NE(Edge(*picture, 1), TestSkin::FrameColors[0]) << "disabled: faded";
  EXPECT_NE(picture->Canvas().Pixel(ButtonWidth + 30, 12), ImageColor) << "disabled: its image faded too";
  EXPECT_EQ(Edge(*picture, 2), TestSkin::FrameColors[2]) << "pressed";

  SynthesizeMouse(bar->Handle(), {5, 5}, TSyntheticMouse::Move, TInputButton::Left);
  picture = Painted();
  EXPECT_EQ(Edge(*picture, 0), TestSkin::FrameColors[1]) << "under the cursor";
  EXPECT_EQ(Edge(*picture, 3), TestSkin::FrameColors[0]);
}

TEST_F(SkToolBarWndTest, ImageZeroIsDrawnAndAPressedButtonsContentMovesOnePixel) {
  Adapt();
  const auto picture = Painted();
  TCanvas& canvas = picture->Canvas();
  // Centred: (60 - 16) / 2 = 22 from the left, 4 from the top.
  EXPECT_EQ(canvas.Pixel(22, 4), ImageColor);
  EXPECT_NE(canvas.Pixel(21, 4), ImageColor);
  const int pressed = 2 * ButtonWidth;
  EXPECT_NE(canvas.Pixel(pressed + 22, 4), ImageColor);
  EXPECT_EQ(canvas.Pixel(pressed + 23, 5), ImageColor);
  EXPECT_EQ(canvas.Pixel(pressed + 38, 20), ImageColor);
}

TEST_F(SkToolBarWndTest, AWholeDropDownButtonHasTheArrowAtItsRight) {
  Adapt();
  const auto picture = Painted();
  TCanvas& canvas = picture->Canvas();
  const int drop = 3 * ButtonWidth;
  // The arrow glyph is 8 wide: the image moves left by half of it.
  EXPECT_EQ(canvas.Pixel(drop + 18, 4), ImageColor);
  EXPECT_NE(canvas.Pixel(drop + 17, 4), ImageColor);
  // The glyph at (60 - 8 - 2, (36 - 8) / 2): that square differs from the plain button's.
  bool differs = false;
  for (int y = 14; y < 22; ++y)
    for (int x = 50; x < 58; ++x) differs |= canvas.Pixel(drop + x, y) != canvas.Pixel(x, y);
  EXPECT_TRUE(differs);
}

TEST_F(SkToolBarWndTest, OnlyABarWithAClientEdgeGetsItsBorderPainted) {
  // Without a client edge the bar's plain border stays as the window painted it.
  for (const DWORD exStyle : {DWORD(WS_EX_CLIENTEDGE), DWORD(0)}) {
    Adapt(exStyle, exStyle ? 0 : WS_BORDER);
    const HDC dc = GetWindowDC(bar->Handle());
    SetPixel(dc, 0, 20, clFuchsia);
    SendMessage(bar->Handle(), WM_NCPAINT, 1, 0);
    EXPECT_EQ(GetPixel(dc, 0, 20) != clFuchsia, exStyle != 0) << "ex style " << exStyle;
    ReleaseDC(bar->Handle(), dc);
    adapter.reset();
  }
}

// The rows of the button's face with dark (text) pixels: first and last.
std::pair<int, int> InkRows(TBitmap& picture, int button, int height) {
  int first = -1, last = -1;
  for (int y = 3; y < height - 3; ++y)
    for (int x = button * ButtonWidth + 3; x < (button + 1) * ButtonWidth - 3; ++x) {
      const TColor c = picture.Canvas().Pixel(x, y);
      if (GetRValue(c) + GetGValue(c) + GetBValue(c) >= 300) continue;
      if (first < 0) first = y;
      last = y;
    }
  return {first, last};
}

TEST_F(SkToolBarWndTest, ALongTextTakesTwoLinesAShortOneOne) {
  Adapt();
  for (int i : {0, 3}) {
    bar->State.Items[i].Image = -1;
    bar->State.Items[i].Style = BTNS_BUTTON;
  }
  bar->State.Items[0].Text = "Open";
  // A tall button: word wrapping alone would take three lines here.
  bar->State.Items[3].Text = "Open the selected file now";
  bar->State.Items[3].Rect.Bottom = 76;
  const auto picture = Painted();
  const auto [oneTop, oneBottom] = InkRows(*picture, 0, ButtonHeight);
  const auto [twoTop, twoBottom] = InkRows(*picture, 3, 76);
  ASSERT_GE(oneTop, 0);
  const int line = oneBottom - oneTop;
  EXPECT_GT(twoBottom - twoTop, 2 * line) << "two lines";
  EXPECT_LT(twoBottom - twoTop, 3 * line) << "not three: the rest is cut";
}

TEST_F(SkToolBarWndTest, ALongTextIsReadWholeAfterItsLength) {
  Adapt();
  bar->State.Items[0].Text = std::string(2000, 'x');
  bar->State.Items[1].Text = "Open the selected file now";
  bar->Received.clear();
  Painted();
  size_t lengthAsked = 0, read = 0;
  for (const TMessage& m : bar->Received) {
    if (m.Msg != TB_GETBUTTONTEXT || m.WParam != 0) continue;
    (m.LParam ? read : lengthAsked) += 1;
    EXPECT_EQ(lengthAsked, 1u) << "the length comes first";
  }
  EXPECT_EQ(read, 1u);
}

}  // namespace
