#include "CanvasFixture.h"

namespace {

class Text : public CanvasTest {
protected:
  Text() : CanvasTest(200, 60) {
    Canvas().Font().SetName("Arial");
    Canvas().Font().SetHeight(-13);
    Canvas().Brush().SetStyle(bsClear);
  }
  int Width(std::string_view text) { return Canvas().TextWidth(text); }
  int LineHeight() {
    TTextMetric metric;
    GetTextMetrics(Canvas().Handle(), &metric);
    return metric.tmHeight;
  }
  // Draws through DrawText and returns the pixels, leaving the bitmap white again.
  std::vector<TColor> Drawn(std::string_view text, TRect rect, unsigned format) {
    Canvas().TextExtent("");  // selects the canvas's font and colours
    DrawText(Dc(), text, rect, format);
    std::vector<TColor> pixels = Snapshot();
    Clear(clWhite);
    return pixels;
  }
  std::vector<TColor> Written(int x, int y, std::string_view text) {
    Canvas().TextOut(x, y, text);
    std::vector<TColor> pixels = Snapshot();
    Clear(clWhite);
    return pixels;
  }
};

TEST_F(Text, MetricsAreConsistentAndWidthsAdd) {
  TTextMetric metric;
  Canvas().TextExtent("");
  ASSERT_TRUE(GetTextMetrics(Dc(), &metric));
  EXPECT_EQ(metric.tmHeight, metric.tmAscent + metric.tmDescent);
  EXPECT_EQ(metric.tmHeight - metric.tmInternalLeading, 13) << "a negative height is the character height";
  EXPECT_GT(metric.tmAveCharWidth, 0);
  EXPECT_EQ(Width("Hello") + Width(" world"), Width("Hello world")) << "no kerning between runs";
  EXPECT_EQ(Canvas().TextHeight("x"), metric.tmHeight);
  Canvas().Font().SetHeight(20);
  Canvas().TextExtent("");
  GetTextMetrics(Dc(), &metric);
  EXPECT_LE(metric.tmHeight, 20) << "a positive height is the cell height";
  EXPECT_GE(metric.tmHeight, 18);
}

// Numbers are measured a character at a time; a letter after one makes the
// whole text go through shaping, which must agree.
TEST_F(Text, NumbersMeasureAsTheyShape) {
  const std::vector<std::string> numbers = {"0.333333333333333333", "-1.23456789012345678E+308", "1,5 2e-7", "9"};
  for (const char* name : {"Arial", "Times New Roman", "Courier New", "DejaVu Sans"})
    for (const int height : {-11, -13, -19, 24}) {
      Canvas().Font().SetName(name);
      Canvas().Font().SetHeight(height);
      for (const std::string& number : numbers)
        EXPECT_EQ(Width(number) + Width("x"), Width(number + "x")) << number << " in " << name << " " << height;
    }
}

TEST_F(Text, FontSizeAndHeightFollowNinetySixDots) {
  TFont font;
  font.SetSize(10);
  EXPECT_EQ(font.Height(), -13);
  font.SetHeight(-11);
  EXPECT_EQ(font.Size(), 8);
}

TEST_F(Text, EndEllipsisElidesASingleCentredLine) {
  const std::string text = "The quick brown fox jumps over the lazy dog";
  const TRect rect = Rect(10, 0, 110, 40);
  ASSERT_GT(Width(text), rect.Width());
  std::string fitting = text;
  while (Width(fitting + "...") > rect.Width()) fitting.pop_back();
  const int top = (rect.Height() - LineHeight()) / 2;
  EXPECT_EQ(Drawn(text, rect, DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS), Written(10, top, fitting + "..."));
  EXPECT_EQ(Drawn("short", rect, DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS), Written(10, top, "short"))
      << "text that fits is not changed";
}

TEST_F(Text, PathEllipsisKeepsTheLastPart) {
  const std::string path = "/home/user/projects/quantrel/examples/plot.tarn";
  const TRect rect = Rect(0, 0, 120, 20);
  const std::vector<TColor> drawn = Drawn(path, rect, DT_SINGLELINE | DT_PATH_ELLIPSIS);
  std::string start = "/home/user/projects/quantrel/examples";
  while (Width(start + ".../plot.tarn") > rect.Width()) start.pop_back();
  EXPECT_EQ(drawn, Written(0, 0, start + ".../plot.tarn"));
}

TEST_F(Text, AlignmentPlacesTheLine) {
  const TRect rect = Rect(0, 0, 200, 60);
  const int width = Width("middle");
  EXPECT_EQ(Drawn("middle", rect, DT_SINGLELINE | DT_CENTER), Written((200 - width) / 2, 0, "middle"));
  EXPECT_EQ(Drawn("right", rect, DT_SINGLELINE | DT_RIGHT | DT_BOTTOM), Written(200 - Width("right"), 60 - LineHeight(), "right"));
}

TEST_F(Text, CalcRectMeasuresLinesAndWordBreaks) {
  TRect rect = Rect(5, 5, 500, 5);
  Canvas().TextExtent("");
  EXPECT_EQ(DrawText(Dc(), "one\r\nthree\nfour", rect, DT_CALCRECT), 3 * LineHeight());
  EXPECT_EQ(rect, Rect(5, 5, 5 + Width("three"), 5 + 3 * LineHeight()));

  rect = Rect(0, 0, std::max(Width("alpha beta"), Width("gamma delta")) + 2, 0);
  EXPECT_EQ(DrawText(Dc(), "alpha beta gamma delta", rect, DT_CALCRECT | DT_WORDBREAK), 2 * LineHeight());
  EXPECT_EQ(rect.Width(), std::max(Width("alpha beta"), Width("gamma delta")));

  rect = Rect(0, 0, 10, 0);
  EXPECT_EQ(DrawText(Dc(), "unbreakable", rect, DT_CALCRECT | DT_WORDBREAK), LineHeight())
      << "a word wider than the line stays whole";
}

TEST_F(Text, ClippingKeepsInkInsideTheRectangle) {
  TRect rect = Rect(20, 10, 40, 30);
  Canvas().TextExtent("");
  DrawText(Dc(), "clipped text that runs on", rect, DT_SINGLELINE);
  const TRect ink = Ink();
  EXPECT_FALSE(IsRectEmpty(ink));
  EXPECT_GE(ink.Left, 20);
  EXPECT_LE(ink.Right, 40);
  Clear(clWhite);
  DrawText(Dc(), "clipped text that runs on", rect, DT_SINGLELINE | DT_NOCLIP);
  EXPECT_GT(Ink().Right, 40);
}

TEST_F(Text, PrefixUnderlinesTheMarkedCharacter) {
  const TRect rect = Rect(0, 0, 200, 40);
  const std::vector<TColor> plain = Drawn("File", rect, DT_SINGLELINE);
  EXPECT_EQ(Drawn("&&File", rect, DT_SINGLELINE), Drawn("&File", rect, DT_SINGLELINE | DT_NOPREFIX));
  Canvas().TextExtent("");
  TRect r = rect;
  DrawText(Dc(), "&File", r, DT_SINGLELINE);
  TTextMetric metric;
  GetTextMetrics(Dc(), &metric);
  const int underline = metric.tmAscent + 1;
  EXPECT_EQ(Count(clBlack, Rect(0, underline, Width("F"), underline + 1)), Width("F"));
  EXPECT_EQ(Count(clBlack, Rect(Width("F"), underline, 200, underline + 1)), 0);
  EXPECT_NE(Snapshot(), plain);
}

TEST_F(Text, PrefixUnderlineFollowsExpandedTabs) {
  Canvas().TextExtent("");
  TRect rect = Rect(0, 0, 200, 40);
  DrawText(Dc(), "\tab&cd", rect, DT_SINGLELINE | DT_EXPANDTABS);
  TTextMetric metric;
  GetTextMetrics(Dc(), &metric);
  int tab = 0;
  while (tab < 8 * metric.tmAveCharWidth) tab += Width(" ");
  const int underline = metric.tmAscent + 1;
  EXPECT_EQ(InkBounds(*bitmap.Handle(), Rect(0, underline, 200, underline + 1), clWhite),
            Rect(tab + Width("ab"), underline, tab + Width("abc"), underline + 1))
      << "the c after the tab and ab";
}

TEST_F(Text, ExtTextOutPlacesCharactersByTheirAdvances) {
  const int advances[] = {20, 20, 20};
  Canvas().TextExtent("");
  ExtTextOut(Dc(), 0, 0, 0, nullptr, "iii", advances);
  const std::vector<TColor> spaced = Snapshot();
  Clear(clWhite);
  Canvas().TextOut(0, 0, "i");
  Canvas().TextOut(20, 0, "i");
  Canvas().TextOut(40, 0, "i");
  EXPECT_EQ(Snapshot(), spaced);
  Clear(clWhite);
  // Malformed text: a character is a byte that does not continue one, with
  // the bytes that do; here "a" with two strays, then "i".
  const int two[] = {30, 30};
  ExtTextOut(Dc(), 0, 0, 0, nullptr, "a\x80\x80i", two);
  const std::vector<TColor> malformed = Snapshot();
  Clear(clWhite);
  Canvas().TextOut(0, 0, "a\x80\x80");
  Canvas().TextOut(30, 0, "i");
  EXPECT_EQ(Snapshot(), malformed);
  Clear(clWhite);
  SetBkColor(Dc(), clAqua);
  const TRect opaque = Rect(2, 2, 50, 30);
  ExtTextOut(Dc(), 5, 5, ETO_OPAQUE, &opaque, "", nullptr);
  EXPECT_EQ(Ink(), opaque);
}

TEST_F(Text, TextAlignmentMovesTheReferencePoint) {
  const std::vector<TColor> topLeft = Written(10, 20, "Ag");
  TTextMetric metric;
  GetTextMetrics(Dc(), &metric);
  SetTextAlign(Dc(), TA_BASELINE | TA_RIGHT);
  EXPECT_EQ(Written(10 + Width("Ag"), 20 + metric.tmAscent, "Ag"), topLeft);
  SetTextAlign(Dc(), TA_UPDATECP);
  MoveToEx(Dc(), 10, 20, nullptr);
  TextOut(Dc(), 0, 0, "Ag");
  EXPECT_EQ(Snapshot(), topLeft);
  EXPECT_EQ(Dc()->State().CurrentPos, TPoint(10 + Width("Ag"), 20));
}

}  // namespace
