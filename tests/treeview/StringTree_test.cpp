// The text tree: cell texts from OnGetText, measuring and its width cache,
// shortening, static text, the hint texts and the default search.

#include <map>

#include <gtest/gtest.h>

#include "runtime/Exceptions.h"
#include "tests/treeview/TreeTestSupport.h"
#include "toolkit/controls/Form.h"
#include "toolkit/gdi/Bitmap.h"
#include "toolkit/gdi/Canvas.h"
#include "toolkit/win/Paint.h"
#include "treeview/DataStringTree.h"

namespace {

// A text tree that records what it draws.
class TTextTree : public TDataStringTree {
public:
  using TDataStringTree::TDataStringTree;
  using TDataStringTree::FireIncrementalSearch;
  using TDataStringTree::TextHeightOf;

  struct TDrawnText {
    PDataNode Node;
    TColumnIndex Column;
    std::string Text;
    TRect R;
    unsigned Format;
  };
  std::vector<TDrawnText> Drawn;

protected:
  void DrawCellText(TDTPaintInfo& paintInfo, const std::string& text, TRect& r, unsigned drawFormat) override {
    Drawn.push_back({paintInfo.Node, paintInfo.Column, text, r, drawFormat});
    TDataStringTree::DrawCellText(paintInfo, text, r, drawFormat);
  }
};

class StringTreeTest : public testing::Test {
protected:
  StringTreeTest() : form(nullptr) {
    tree.SetParent(&form);
    tree.SetBounds(0, 0, 400, 200);
    tree.HandleNeeded();
    tree.OnGetText = [this](TBaseDataTree*, PDataNode node, TColumnIndex column, TDSTTextType type,
                            std::string& text) {
      ++getTextCalls;
      const auto found = texts.find({node, column, type});
      if (found != texts.end()) text = found->second;
    };
  }

  void AddColumns(std::initializer_list<int> widths) {
    for (int width : widths) tree.Header().Columns().AddColumn().SetWidth(width);
  }

  std::vector<TTextTree::TDrawnText> PaintAll() {
    tree.Drawn.clear();
    target.SetSize(400, 200);
    tree.PaintTreeTo(target.Canvas(), Rect(0, 0, 400, 200), Point(0, 0), {ptoSelection});
    return tree.Drawn;
  }

  std::map<std::tuple<PDataNode, TColumnIndex, TDSTTextType>, std::string> texts;
  int getTextCalls = 0;
  TForm form;
  TTextTree tree{&form};
  TBitmap target{400, 200, pf32bit};
};

TEST_F(StringTreeTest, WithoutOnGetTextEveryCellShowsTheDefaultText) {
  tree.OnGetText = nullptr;
  AddColumns({80, 80});
  const PDataNode node = tree.AppendChildNode();
  EXPECT_EQ(tree.CellText(node, 0), "Node");
  EXPECT_EQ(tree.CellText(node, 1), "Node");
  const auto drawn = PaintAll();
  ASSERT_EQ(drawn.size(), 2u);
  for (const auto& cell : drawn) EXPECT_EQ(cell.Text, "Node");
  EXPECT_THROW(tree.CellText(nullptr, 0), EAssertionFailed);
}

TEST_F(StringTreeTest, ANewDefaultTextInvalidatesTheTree) {
  ValidateRect(tree.Handle(), nullptr);
  TRect update;
  EXPECT_FALSE(GetUpdateRect(tree.Handle(), &update, false));
  tree.SetDefaultText("Node");
  EXPECT_FALSE(GetUpdateRect(tree.Handle(), &update, false)) << "the same text changes nothing";
  tree.SetDefaultText("Item");
  EXPECT_TRUE(GetUpdateRect(tree.Handle(), &update, false));
  EXPECT_EQ(tree.CellText(tree.AppendChildNode(), ColumnNone), "Item");
}

TEST_F(StringTreeTest, TooWideTextIsShortenedOnlyInsideColumns) {
  const std::string wide(60, 'W');
  const PDataNode node = tree.AppendChildNode();
  texts[{node, ColumnNone, ttNormal}] = wide;
  auto drawn = PaintAll();
  ASSERT_EQ(drawn.size(), 1u);
  EXPECT_EQ(drawn[0].Text, wide) << "the main column without columns is never shortened";

  AddColumns({80, 80});
  texts[{node, 1, ttNormal}] = wide;
  drawn = PaintAll();
  ASSERT_EQ(drawn.size(), 2u);
  const std::string& shortened = drawn[1].Text;
  ASSERT_GE(shortened.size(), 4u);
  EXPECT_EQ(shortened.substr(shortened.size() - 3), "...");
  EXPECT_LE(target.Canvas().TextWidth(shortened), 80 - 2 * tree.TextMargin());
  EXPECT_EQ(drawn[1].Format & DT_RIGHT, 0u);
}

TEST_F(StringTreeTest, ShorteningKeepsCharactersWhole) {
  AddColumns({40, 60});
  const PDataNode node = tree.AppendChildNode();
  // "e" with a combining acute accent, and a family emoji joined by ZWJ.
  const std::string accented = "e\xCC\x81";
  const std::string family = "\xF0\x9F\x91\xA8\xE2\x80\x8D\xF0\x9F\x91\xA9\xE2\x80\x8D\xF0\x9F\x91\xA7";
  std::string text;
  for (int i = 0; i < 6; ++i) text += accented + family;
  texts[{node, 1, ttNormal}] = text;
  for (int width : {20, 30, 40, 50, 60}) {
    tree.Header().Columns().ColumnAt(1).SetWidth(width);
    const auto drawn = PaintAll();
    ASSERT_EQ(drawn.size(), 2u);
    const std::string kept = drawn[1].Text.substr(0, drawn[1].Text.size() - 3);
    std::string whole;
    while (whole.size() < kept.size()) whole += whole.size() % (accented + family).size() == 0 ? accented : family;
    EXPECT_EQ(kept, whole.substr(0, kept.size())) << "width " << width;
    EXPECT_EQ(whole.size(), kept.size()) << "a character was split at width " << width;
  }
}

TEST_F(StringTreeTest, RightAlignedShortenedTextStaysRightAligned) {
  AddColumns({80, 60});
  tree.Header().Columns().ColumnAt(1).SetAlignment(taRightJustify);
  const PDataNode node = tree.AppendChildNode();
  texts[{node, 1, ttNormal}] = std::string(40, 'x');
  const auto drawn = PaintAll();
  ASSERT_EQ(drawn.size(), 2u);
  EXPECT_NE(drawn[1].Format & DT_RIGHT, 0u);
}

TEST_F(StringTreeTest, TheMainColumnWidthIsCachedUntilTheNodeIsRepainted) {
  const PDataNode node = tree.AppendChildNode();
  texts[{node, ColumnNone, ttNormal}] = "ab";
  const int narrow = tree.NodeContentWidth(node, ColumnNone, tree.Canvas());
  EXPECT_EQ(*tree.TextWidthCache(node), narrow);
  tree.UpdateHorzScrollBar(false);
  const int narrowRange = tree.RangeX();

  texts[{node, ColumnNone, ttNormal}] = std::string(80, 'm');
  EXPECT_EQ(tree.NodeContentWidth(node, ColumnNone, tree.Canvas()), narrow) << "without a repaint the cache stays";
  tree.UpdateHorzScrollBar(false);
  EXPECT_EQ(tree.RangeX(), narrowRange);

  tree.RepaintNode(node);
  EXPECT_EQ(*tree.TextWidthCache(node), 0);
  const int wide = tree.NodeContentWidth(node, ColumnNone, tree.Canvas());
  EXPECT_EQ(wide, 2 * tree.TextMargin() + tree.Canvas().TextWidth(std::string(80, 'm')));
  tree.UpdateHorzScrollBar(false);
  EXPECT_GT(tree.RangeX(), narrowRange);
}

TEST_F(StringTreeTest, TheWidthCacheIsResetByReinitialisingFontAndMainColumn) {
  AddColumns({100, 100});
  const PDataNode first = tree.AppendChildNode();
  const PDataNode second = tree.AppendChildNode();
  auto measureAll = [&] {
    for (PDataNode node : {first, second}) tree.NodeContentWidth(node, 0, tree.Canvas());
  };
  measureAll();
  tree.ReinitializeNode(first, false);
  EXPECT_EQ(*tree.TextWidthCache(first), 0);
  EXPECT_NE(*tree.TextWidthCache(second), 0);
  measureAll();
  tree.Font().SetHeight(-20);
  EXPECT_EQ(*tree.TextWidthCache(first), 0);
  EXPECT_EQ(*tree.TextWidthCache(second), 0);
  measureAll();
  tree.Header().SetMainColumn(1);
  EXPECT_EQ(*tree.TextWidthCache(first), 0);
  EXPECT_EQ(*tree.TextWidthCache(second), 0);
  EXPECT_EQ(tree.TextWidthCache(nullptr), nullptr);
  EXPECT_EQ(tree.TextWidthCache(tree.RootNode()), nullptr);
}

TEST_F(StringTreeTest, FontMetricsFollowTheFont) {
  const int height = tree.TextHeight();
  const int ellipsis = tree.EllipsisWidth();
  EXPECT_GT(height, 0);
  EXPECT_GT(ellipsis, 0);
  tree.Font().SetHeight(-24);
  EXPECT_GT(tree.TextHeight(), height);
  EXPECT_GT(tree.EllipsisWidth(), ellipsis);
}

TEST_F(StringTreeTest, ABoldPaintTextHandlerWidensTheMeasure) {
  AddColumns({100, 100});
  const PDataNode node = tree.AppendChildNode();
  texts[{node, 1, ttNormal}] = "Wide Width Words";
  const int plain = tree.NodeContentWidth(node, 1, tree.Canvas());
  tree.OnPaintText = [](TBaseDataTree*, TCanvas& canvas, PDataNode, TColumnIndex, TDSTTextType) {
    canvas.Font().SetStyle(fsBold);
  };
  EXPECT_GT(tree.NodeContentWidth(node, 1, tree.Canvas()), plain);
}

TEST_F(StringTreeTest, ABoldHandlerWhilePaintingRemeasuresTheNodeWidth) {
  AddColumns({300, 100});
  const PDataNode node = tree.AppendChildNode();
  texts[{node, 0, ttNormal}] = "Bold";
  texts[{node, 0, ttStatic}] = "static";
  tree.TreeOptions().SetStringOptions({toShowStaticText});
  auto drawn = PaintAll();
  ASSERT_EQ(drawn.size(), 3u);
  const int plainStaticLeft = drawn[1].R.Left;
  bool bold = false;
  tree.OnPaintText = [&](TBaseDataTree*, TCanvas& canvas, PDataNode, TColumnIndex, TDSTTextType type) {
    if (bold && type == ttNormal) canvas.Font().SetStyle(fsBold);
  };
  bold = true;
  drawn = PaintAll();
  ASSERT_EQ(drawn.size(), 3u);
  EXPECT_GT(drawn[1].R.Left, plainStaticLeft) << "the static text moves past the wider bold text";
}

TEST_F(StringTreeTest, StaticTextShowsOnlyWhereItMay) {
  const PDataNode single = tree.AppendChildNode();
  const PDataNode multi = tree.AppendChildNode();
  multi->Include(nsMultiline);
  for (PDataNode node : {single, multi}) texts[{node, ColumnNone, ttStatic}] = "static";
  auto staticTexts = [&] {
    int count = 0;
    for (const auto& cell : PaintAll()) count += cell.Text == "static";
    return count;
  };
  EXPECT_EQ(staticTexts(), 0) << "not without toShowStaticText";
  tree.TreeOptions().SetStringOptions({toShowStaticText});
  EXPECT_EQ(staticTexts(), 1) << "only for the single-line node";
  tree.SetAlignment(taCenter);
  EXPECT_EQ(staticTexts(), 0) << "not under centred alignment";
}

TEST_F(StringTreeTest, TheDefaultSearchComparesTheStartOfTheFocusedColumn) {
  const PDataNode abc = tree.AppendChildNode();
  const PDataNode cab = tree.AppendChildNode();
  texts[{abc, ColumnNone, ttNormal}] = "abc";
  texts[{cab, ColumnNone, ttNormal}] = "cab";
  EXPECT_EQ(tree.FireIncrementalSearch(abc, "ab"), 0);
  EXPECT_EQ(tree.FireIncrementalSearch(cab, "ab"), 1);
  EXPECT_EQ(tree.FireIncrementalSearch(abc, "AB"), 1) << "case matters";
  tree.OnIncrementalSearch = [](TBaseDataTree*, PDataNode, const std::string&, int& result) { result = 7; };
  EXPECT_EQ(tree.FireIncrementalSearch(cab, "ab"), 7);
}

TEST_F(StringTreeTest, TooltipsFallBackToTheCellTextAndHintsAskOnGetHint) {
  const PDataNode node = tree.AppendChildNode();
  texts[{node, ColumnNone, ttNormal}] = "Grüße";
  tree.Hint = "tree hint";
  TDTTooltipLineBreakStyle style = hlbForceMultiLine;
  EXPECT_EQ(tree.NodeTooltip(node, ColumnNone, style), "Grüße");
  EXPECT_EQ(tree.NodeHint(node, ColumnNone, style), "tree hint");
  EXPECT_EQ(style, hlbDefault);
  tree.OnGetHint = [](TBaseDataTree*, PDataNode, TColumnIndex, TDTTooltipLineBreakStyle& lineBreak,
                      std::string& text) {
    text += " (asked)";
    lineBreak = hlbForceSingleLine;
  };
  EXPECT_EQ(tree.NodeTooltip(node, ColumnNone, style), "tree hint (asked)");
  EXPECT_EQ(style, hlbForceSingleLine);
}

TEST_F(StringTreeTest, EmptyCellsAreSpannedUnderAutoSpan) {
  AddColumns({60, 60, 60});
  Include(tree, toAutoSpanColumns);
  const PDataNode node = tree.AppendChildNode();
  texts[{node, 0, ttNormal}] = "first";
  texts[{node, 1, ttNormal}] = "";
  texts[{node, 2, ttNormal}] = "third";
  const auto drawn = PaintAll();
  ASSERT_EQ(drawn.size(), 2u) << "the empty middle cell is not painted on its own";
  EXPECT_EQ(drawn[0].Column, 0);
  EXPECT_GT(drawn[0].R.Right, 60) << "the first cell reaches into the empty one";
  EXPECT_EQ(drawn[1].Column, 2);
}

TEST_F(StringTreeTest, TextInfoGivesFontTextAndATextHighRectangle) {
  AddColumns({100, 100});
  tree.SetDefaultNodeHeight(40);
  const PDataNode node = tree.AppendChildNode();
  texts[{node, 1, ttNormal}] = "value";
  TFont font;
  TRect r;
  std::string text;
  tree.CellTextInfo(node, 1, font, r, text);
  EXPECT_EQ(text, "value");
  EXPECT_EQ(font.Height(), tree.Font().Height());
  EXPECT_NEAR(r.Height(), tree.TextHeight(), 1);
  EXPECT_GE(r.Left, 100);
  tree.OnPaintText = [](TBaseDataTree*, TCanvas& canvas, PDataNode, TColumnIndex, TDSTTextType) {
    canvas.Font().SetHeight(-30);
  };
  tree.CellTextInfo(node, 1, font, r, text);
  EXPECT_EQ(font.Height(), -30);
  EXPECT_GT(r.Height(), tree.TextHeight());
}

TEST_F(StringTreeTest, APaintTextHandlerMayAskForTheTextBackground) {
  const PDataNode node = tree.AppendChildNode();
  texts[{node, ColumnNone, ttNormal}] = "xxxx";
  auto redPixels = [&] {
    const auto drawn = PaintAll();
    int red = 0;
    for (int y = 0; y < 18; ++y)
      for (int x = 0; x < 120; ++x) red += target.Canvas().Pixel(x, y) == clRed;
    return red;
  };
  EXPECT_EQ(redPixels(), 0);
  tree.OnPaintText = [](TBaseDataTree*, TCanvas& canvas, PDataNode, TColumnIndex, TDSTTextType) {
    canvas.Brush().SetColor(clRed);
    canvas.TextFlags = ETO_OPAQUE;
  };
  EXPECT_GT(redPixels(), 20) << "the text's cell is filled";
  tree.OnPaintText = [](TBaseDataTree*, TCanvas& canvas, PDataNode, TColumnIndex, TDSTTextType) {
    canvas.Brush().SetColor(clRed);
  };
  EXPECT_EQ(redPixels(), 0) << "without ETO_OPAQUE the text is drawn transparently";
}

TEST_F(StringTreeTest, TextHeightWrapsInTheCellWidth) {
  AddColumns({60, 300});
  const PDataNode node = tree.AppendChildNode();
  texts[{node, 0, ttNormal}] = "one two three four five six";
  TCanvas& canvas = tree.Canvas();
  const int wrapped = tree.TextHeightOf(canvas, node, 0, "");
  const int wide = tree.TextHeightOf(canvas, node, 1, "one two three four five six");
  EXPECT_EQ(wide, tree.TextHeight());
  EXPECT_GE(wrapped, 3 * tree.TextHeight()) << "a 60-pixel column wraps the words";
}

TEST_F(StringTreeTest, StringOptionsDefaultAndCopy) {
  EXPECT_EQ(tree.TreeOptions().StringOptions().Bits(), 5u);
  TTextTree other(&form);
  tree.TreeOptions().SetStringOptions({toShowStaticText});
  tree.TreeOptions().AssignOptionsTo(other.TreeOptions());
  EXPECT_EQ(other.TreeOptions().StringOptions(), TDTStringOptions{toShowStaticText});
}

TEST_F(StringTreeTest, NewTextsReachOnNewTextUnchanged) {
  const PDataNode node = tree.AppendChildNode();
  std::string received;
  tree.OnNewText = [&](TBaseDataTree*, PDataNode, TColumnIndex, const std::string& text) { received = text; };
  tree.NodeContentWidth(node, ColumnNone, tree.Canvas());
  const std::string unicode = "Gr\xC3\xBC\xC3\x9F" "e, \xE4\xB8\x96\xE7\x95\x8C \xF0\x9F\x98\x80";
  tree.SetCellText(node, ColumnNone, unicode);
  EXPECT_EQ(received, unicode);
  EXPECT_EQ(*tree.TextWidthCache(node), 0) << "the repaint drops the measured width";
}

}  // namespace
