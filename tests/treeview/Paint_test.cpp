// Painting: the row pipeline, its pieces and the owner-drawn tree.

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

#include "tests/toolkit/Pixels.h"
#include "tests/treeview/TreeTestSupport.h"
#include "toolkit/controls/Form.h"
#include "toolkit/controls/Menus.h"
#include "toolkit/gdi/Bitmap.h"
#include "toolkit/gdi/Canvas.h"
#include "toolkit/gdi/ImageList.h"
#include "toolkit/gdi/Gdi.h"
#include "toolkit/win/Paint.h"
#include "toolkit/win/Window.h"
#include "treeview/DTHeader.h"
#include "treeview/DTColors.h"
#include "treeview/DataDrawTree.h"
#include "treeview/TreeImages.h"

namespace {

// A draw tree whose states the tests may enter.
class TStatedDrawTree : public TDataDrawTree {
public:
  using TDataDrawTree::TDataDrawTree;
  using TBaseDataTree::ChangeTreeStates;
};

class PaintTest : public testing::Test {
protected:
  PaintTest() : form(nullptr), tree(new TStatedDrawTree(&form)) {
    tree->SetParent(&form);
    tree->SetBounds(0, 0, 300, 200);
    tree->OnDrawNode = [this](TCustomDataDrawTree*, const TDTPaintInfo& info) {
      drawn.push_back({info.Node, info.ContentRect});
    };
  }

  // Paints the whole window of the tree into a bitmap.
  TBitmap& PaintAll(TPaintTreeOptions options = {ptoSelection, ptoGridLines}) {
    target.SetSize(300, 200);
    tree->PaintTreeTo(target.Canvas(), Rect(0, 0, 300, 200), Point(0, 0), options);
    return target;
  }

  struct TDrawn {
    PDataNode Node;
    TRect Content;
  };
  TForm form;
  TStatedDrawTree* tree;
  TBitmap target{300, 200, pf32bit};
  std::vector<TDrawn> drawn;
};

TEST_F(PaintTest, ContentStartsAfterTheIndentationOfItsLevel) {
  const PDataNode top = tree->AppendChildNode();
  const PDataNode child = tree->AppendChildNode(top);
  const PDataNode grandchild = tree->AppendChildNode(child);
  tree->ExpandAll(nullptr);
  PaintAll();
  ASSERT_EQ(drawn.size(), 3u);
  const int indent = static_cast<int>(tree->Indent());
  EXPECT_EQ(drawn[0].Content.Left, tree->Margin() + indent);
  EXPECT_EQ(drawn[1].Content.Left, tree->Margin() + 2 * indent);
  EXPECT_EQ(drawn[2].Content.Left, tree->Margin() + 3 * indent);
  EXPECT_EQ(drawn[2].Node, grandchild);
}

TEST_F(PaintTest, RectangleButtonsArePixelExact) {
  const TColor lineColor = ColorToRGB(tree->Colors().Color(TreeLineColor));
  const TColor inside = ColorToRGB(tree->Color());
  const TColor bar = ColorToRGB(tree->Font().Color());
  for (bool expanded : {true, false}) {
    const TGdiBitmap& button = *tree->ButtonBitmap(expanded).Handle();
    for (int y = 0; y < 9; ++y)
      for (int x = 0; x < 9; ++x) {
        const bool frame = x == 0 || y == 0 || x == 8 || y == 8;
        const bool horizontalBar = y == 4 && x >= 2 && x <= 6;
        const bool verticalBar = !expanded && x == 4 && y >= 2 && y <= 6;
        const TColor expected = frame ? lineColor : horizontalBar || verticalBar ? bar : inside;
        EXPECT_EQ(button.Pixel(x, y) & 0xFFFFFF, expected) << (expanded ? "minus" : "plus") << " at " << x << ", " << y;
      }
  }
}

TEST_F(PaintTest, TriangleButtonsIgnoreTheFill) {
  tree->SetButtonStyle(bsTriangle);
  tree->SetButtonFillMode(fmWindowColor);
  tree->BuildButtonBitmaps();
  const TGdiBitmap& minus = *tree->ButtonBitmap(true).Handle();
  const TGdiBitmap& plus = *tree->ButtonBitmap(false).Handle();
  for (TPoint p : {Point(0, 2), Point(8, 2), Point(4, 6), Point(4, 4)}) EXPECT_EQ(minus.Pixel(p.X, p.Y) & 0xFFFFFF, 0u);
  for (TPoint p : {Point(2, 0), Point(6, 4), Point(2, 8), Point(3, 4)}) EXPECT_EQ(plus.Pixel(p.X, p.Y) & 0xFFFFFF, 0u);
  EXPECT_EQ(minus.Pixel(0, 8) & 0xFFFFFF, 0xFF00FFu) << "outside the triangle the key colour";
}

TEST_F(PaintTest, VerticalAlignment) {
  const PDataNode node = tree->AppendChildNode();
  int vAlign = 0;
  int vButton = 0;
  tree->SetNodeRowHeight(node, 19);
  tree->ComputeVerticalAlignment(node, vAlign, vButton);
  EXPECT_EQ(vAlign, 9);
  EXPECT_EQ(vButton, 5);
  TImageList images(16, 16);
  tree->SetImages(&images);
  tree->SetNodeRowHeight(node, 18);
  tree->ComputeVerticalAlignment(node, vAlign, vButton);
  EXPECT_EQ(vAlign, 9);
  tree->SetImages(nullptr);
  node->Align = 7;
  tree->SetNodeAlignment(naFromTop);
  tree->ComputeVerticalAlignment(node, vAlign, vButton);
  EXPECT_EQ(vAlign, 7);
  tree->SetNodeAlignment(naFromBottom);
  tree->ComputeVerticalAlignment(node, vAlign, vButton);
  EXPECT_EQ(vAlign, 11);
}

TEST_F(PaintTest, LineImages) {
  Include(*tree, toShowTreeLines);
  const PDataNode only = tree->AppendChildNode();
  TLineImage image;
  tree->ComputeLineImage(only, image);
  EXPECT_EQ(image, TLineImage{ltRight});
  const PDataNode parent = tree->AppendChildNode(only);
  tree->AppendChildNode(only);
  const PDataNode third = tree->AppendChildNode(parent);
  tree->AppendChildNode();
  tree->ComputeLineImage(third, image);
  EXPECT_EQ(image, (TLineImage{ltTopDown, ltTopDown, ltTopRight}));
  tree->TreeOptions().SetPaintOptions(tree->TreeOptions().PaintOptions() - TDTPaintOptions{toShowTreeLines});
  tree->ComputeLineImage(third, image);
  EXPECT_EQ(image, (TLineImage{ltNone, ltNone, ltNone}));
}

TEST_F(PaintTest, ANestedPaintReturnsAtOnce) {
  tree->AppendChildNode();
  int nested = 0;
  tree->OnBeforePaint = [&](TBaseDataTree* sender, TCanvas& canvas) {
    ++nested;
    if (nested == 1) sender->PaintTreeTo(canvas, Rect(0, 0, 10, 10), Point(0, 0), {});
  };
  PaintAll();
  EXPECT_EQ(nested, 1);
}

TEST_F(PaintTest, EventsFireInTheirOrder) {
  tree->AppendChildNode();
  std::vector<std::string> events;
  tree->OnBeforePaint = [&](TBaseDataTree*, TCanvas&) { events.push_back("BeforePaint"); };
  tree->OnBeforeItemPaint = [&](TBaseDataTree*, TCanvas&, PDataNode, const TRect&, bool&) {
    events.push_back("BeforeItemPaint");
  };
  tree->OnBeforeItemErase = [&](TBaseDataTree*, TCanvas&, PDataNode, const TRect&, TColor&, TItemEraseAction& action) {
    events.push_back("BeforeItemErase");
    action = eaNone;
  };
  tree->OnAfterItemErase = [&](TBaseDataTree*, TCanvas&, PDataNode, const TRect&) { events.push_back("AfterItemErase"); };
  tree->OnBeforeCellPaint = [&](TBaseDataTree*, TCanvas&, PDataNode, TColumnIndex, const TRect&) {
    events.push_back("BeforeCellPaint");
  };
  tree->OnDrawNode = [&](TCustomDataDrawTree*, const TDTPaintInfo&) { events.push_back("DrawNode"); };
  tree->OnAfterCellPaint = [&](TBaseDataTree*, TCanvas&, PDataNode, TColumnIndex, const TRect&) {
    events.push_back("AfterCellPaint");
  };
  tree->OnAfterItemPaint = [&](TBaseDataTree*, TCanvas&, PDataNode, const TRect&) { events.push_back("AfterItemPaint"); };
  tree->OnPaintBackground = [&](TBaseDataTree*, TCanvas&, const TRect&, bool&) { events.push_back("PaintBackground"); };
  tree->OnAfterPaint = [&](TBaseDataTree*, TCanvas&) { events.push_back("AfterPaint"); };
  PaintAll();
  EXPECT_EQ(events, (std::vector<std::string>{"BeforePaint", "BeforeItemPaint", "BeforeItemErase", "AfterItemErase",
                                              "BeforeCellPaint", "DrawNode", "AfterCellPaint", "AfterItemPaint",
                                              "PaintBackground", "AfterPaint"}));
}

TEST_F(PaintTest, SelectedOnlyPaintsSelectedRowsAndTheirDescendants) {
  tree->SetRootNodeCount(4);
  const PDataNode second = tree->FirstRootNodeRaw()->NextSibling;
  const PDataNode child = tree->AppendChildNode(second);
  tree->ToggleExpanded(second);
  tree->SetNodeSelected(second, true);
  tree->PaintTreeTo(target.Canvas(), Rect(0, 0, 300, 200), Point(0, 0), {ptoSelection, ptoSelectedOnly});
  ASSERT_EQ(drawn.size(), 2u);
  EXPECT_EQ(drawn[0].Node, second);
  EXPECT_EQ(drawn[1].Node, child);
}

TEST_F(PaintTest, AWindowStartingMidRowClipsThatRow) {
  tree->SetRootNodeCount(3);
  target.SetSize(300, 200);
  target.Canvas().Brush().SetColor(clBlack);
  target.Canvas().FillRect(Rect(0, 0, 300, 200));
  tree->PaintTreeTo(target.Canvas(), Rect(0, 9, 300, 30), Point(0, 0), {});
  ASSERT_FALSE(drawn.empty());
  EXPECT_EQ(drawn[0].Node, tree->FirstRootNodeRaw());
  EXPECT_EQ(target.Handle()->Pixel(100, 20) & 0xFFFFFF, ColorToRGB(tree->Color())) << "the window's height is painted";
  EXPECT_EQ(target.Handle()->Pixel(100, 25) & 0xFFFFFF, 0u) << "below the window nothing";
}

TEST_F(PaintTest, DrawTreeDefaults) {
  tree->OnDrawNode = nullptr;
  const PDataNode node = tree->AppendChildNode();
  EXPECT_EQ(tree->NodeContentWidth(node, ColumnNone, target.Canvas()), 2 * tree->TextMargin());
  tree->AppendChildNode(node);
  tree->SetNodeSelected(node, true);
  Include(*tree, toFullRowSelect);
  TBitmap& painted = PaintAll({ptoSelection});
  const TColor unfocused = ColorToRGB(tree->Colors().Color(UnfocusedSelectionColor));
  EXPECT_GT(CountPixels(*painted.Handle(), Rect(0, 0, 300, 18), unfocused), 250)
      << "rows, buttons and selection paint without OnDrawNode";
  EXPECT_NE(InkBounds(*painted.Handle(), Rect(0, 0, 18, 18), unfocused), TRect{}) << "the button";
}

TEST_F(PaintTest, EraseBackgroundIsAnsweredByThePaint) {
  tree->HandleNeeded();
  EXPECT_EQ(tree->Perform(WM_ERASEBKGND, 0, 0), 1);
}

TEST_F(PaintTest, ConsoleSelectionShowsOnlyWhileFocused) {
  tree->TreeOptions().SetPaintOptions({toHideFocusRect, toHideSelection, toShowButtons, toShowRoot});
  tree->TreeOptions().SetSelectionOptions({toFullRowSelect, toMultiSelect});
  tree->SetRootNodeCount(3);
  tree->SetNodeSelected(tree->FirstRootNodeRaw(), true);
  const TColor selection = ColorToRGB(tree->Colors().Color(FocusedSelectionColor));
  form.Show();
  tree->SetFocus();
  ASSERT_TRUE(tree->Focused());
  EXPECT_GT(CountPixels(*PaintAll({ptoSelection}).Handle(), Rect(0, 0, 300, 18), selection), 250)
      << "across the full row";
  tree->Perform(WM_KILLFOCUS, 0, 0);
  form.SetFocus();
  if (!tree->Focused()) {
    EXPECT_EQ(CountPixels(*PaintAll({ptoSelection}).Handle(), Rect(0, 0, 300, 18), selection), 0);
  }
}

TEST_F(PaintTest, BlendedSelectionMixesTheColourIntoTheRow) {
  tree->TreeOptions().SetPaintOptions({toUseBlendedSelection});
  tree->TreeOptions().SetSelectionOptions({toFullRowSelect});
  tree->SetRootNodeCount(2);
  tree->SetNodeSelected(tree->FirstRootNodeRaw(), true);
  TBitmap& painted = PaintAll({ptoSelection});
  const TColor pixel = painted.Handle()->Pixel(150, 9) & 0xFFFFFF;
  EXPECT_NE(pixel, ColorToRGB(tree->Color()));
  EXPECT_NE(pixel, ColorToRGB(tree->Colors().Color(UnfocusedSelectionColor))) << "blended, not filled";
}

// Sixteen 16 x 16 images: 0 red, 1 a green corner, 15 a blue corner, the rest empty.
void FillOverlayImages(TImageList& images) {
  TBitmap strip(16 * 16, 16, pf32bit);
  TCanvas& canvas = strip.Canvas();
  canvas.Brush().SetColor(clFuchsia);
  canvas.FillRect(Rect(0, 0, 16 * 16, 16));
  canvas.Brush().SetColor(clRed);
  canvas.FillRect(Rect(0, 0, 16, 16));
  canvas.Brush().SetColor(clLime);
  canvas.FillRect(Rect(16, 0, 20, 4));
  canvas.Brush().SetColor(clBlue);
  canvas.FillRect(Rect(15 * 16 + 12, 12, 16 * 16, 16));
  images.AddMasked(strip, clFuchsia);
  images.Overlay(1, 1);
}

TEST_F(PaintTest, OverlaysAreSlotsUpTo14AndImagesOfTheirOwnFrom15) {
  TImageList images(16, 16);
  FillOverlayImages(images);
  tree->SetImages(&images);
  tree->SetRootNodeCount(1);
  int overlay = -1;
  tree->OnGetImageIndex = [&](TBaseDataTree*, PDataNode, TDTImageKind kind, TColumnIndex, bool&, int& index) {
    index = kind == ikOverlay ? overlay : 0;
  };
  const TRect row = Rect(0, 0, 300, 18);
  auto count = [&](TColor color) { return CountPixels(*PaintAll().Handle(), row, color); };
  EXPECT_EQ(count(clRed), 256);
  overlay = 0;
  EXPECT_EQ(count(clLime), 16) << "overlay 0 is slot 1: the green corner";
  EXPECT_EQ(count(clRed), 256 - 16);
  overlay = 15;
  EXPECT_EQ(count(clBlue), 16) << "overlay 15 is image 15 itself, drawn over";
  EXPECT_EQ(count(clLime), 0);
  tree->SetImages(nullptr);
}

TEST_F(PaintTest, BlendedImagesMixHalfwayTowardTheHighlight) {
  TImageList images(16, 16);
  FillOverlayImages(images);
  tree->SetImages(&images);
  tree->SetRootNodeCount(1);
  tree->OnGetImageIndex = [](TBaseDataTree*, PDataNode, TDTImageKind kind, TColumnIndex, bool&, int& index) {
    index = kind == ikOverlay ? -1 : 0;
  };
  tree->TreeOptions().SetPaintOptions({toUseBlendedImages, toGhostedIfUnfocused});
  tree->SetNodeSelected(tree->FirstRootNodeRaw(), true);
  const TRect row = Rect(0, 0, 300, 18);
  const TColor highlight = ColorToRGB(clHighlight);
  const TColor half = RGB((255 + GetRValue(highlight) + 1) / 2, (GetGValue(highlight) + 1) / 2,
                          (GetBValue(highlight) + 1) / 2);
  EXPECT_EQ(CountPixels(*PaintAll({}).Handle(), row, half), 256) << "a selected image is blended";
  EXPECT_EQ(CountPixels(*PaintAll({}).Handle(), row, clRed), 0);
  tree->TreeOptions().SetSelectionOptions({toFullRowSelect});
  EXPECT_EQ(CountPixels(*PaintAll({}).Handle(), row, clRed), 256) << "not on a full-row selection";
  tree->SetImages(nullptr);
}

// The picture lies fixed in the window at its offsets, or tiles the rows and the area below them.
TEST_F(PaintTest, TheBackgroundPictureIsFixedOrTiled) {
  tree->SetRootNodeCount(3);
  TBitmap picture(4, 4, pf32bit);
  picture.Canvas().Brush().SetColor(clWhite);
  picture.Canvas().FillRect(Rect(0, 0, 4, 4));
  picture.Canvas().SetPixel(0, 0, clBlue);
  tree->SetBackground(picture);
  const TRect all = Rect(0, 0, 300, 200);
  EXPECT_EQ(CountPixels(*PaintAll({ptoBackground}).Handle(), all, clBlue), 0) << "only under toShowBackground";
  tree->TreeOptions().SetPaintOptions({toShowBackground});
  EXPECT_EQ(CountPixels(*PaintAll({}).Handle(), all, clBlue), 0) << "only in a pass with ptoBackground";
  TBitmap& tiled = PaintAll({ptoBackground});
  EXPECT_EQ(CountPixels(*tiled.Handle(), all, clBlue), 75 * 50) << "every row and the area below";
  EXPECT_EQ(tiled.Handle()->Pixel(4, 20) & 0xFFFFFF, ColorToRGB(clBlue)) << "the second row continues the tiles";
  tree->SetBackgroundOffsetX(1);
  EXPECT_EQ(PaintAll({ptoBackground}).Handle()->Pixel(3, 0) & 0xFFFFFF, ColorToRGB(clBlue)) << "the offset shifts the phase";

  tree->TreeOptions().SetPaintOptions({toShowBackground, toStaticBackground});
  tree->SetBackgroundOffsetX(20);
  tree->SetBackgroundOffsetY(16);
  picture.Canvas().Brush().SetColor(clRed);
  picture.Canvas().FillRect(Rect(0, 0, 4, 4));
  picture.Canvas().SetPixel(3, 3, clFuchsia);
  picture.SetTransparentColor(clFuchsia);
  picture.SetTransparent(true);
  tree->SetBackground(picture);
  TBitmap& fixed = PaintAll({ptoBackground});
  EXPECT_EQ(CountPixels(*fixed.Handle(), all, clRed), 15) << "once, across two rows, without its transparent pixel";
  EXPECT_EQ(ColorBounds(*fixed.Handle(), all, clRed), Rect(20, 16, 24, 20));
  EXPECT_EQ(fixed.Handle()->Pixel(23, 19) & 0xFFFFFF, ColorToRGB(tree->Color()));
}

// Right to left the indentation, the lines, the button and the images start at the cell's right edge.
TEST_F(PaintTest, RightToLeftRowsMirror) {
  constexpr int Levels = 20;
  PDataNode node = nullptr;
  for (int level = 0; level < Levels; ++level) node = tree->AppendChildNode(node);
  tree->ExpandAll(nullptr);
  tree->SetBiDiMode(bdRightToLeft);
  tree->SetBounds(0, 0, 600, 200);
  TRect cell;
  tree->OnBeforeCellPaint = [&](TBaseDataTree*, TCanvas&, PDataNode, TColumnIndex, const TRect& r) { cell = r; };
  TBitmap window(600, Levels * 18, pf32bit);
  tree->PaintTreeTo(window.Canvas(), Rect(0, 0, 600, Levels * 18), Point(0, 0), {ptoGridLines});
  const int indent = static_cast<int>(tree->Indent());
  ASSERT_EQ(drawn.size(), static_cast<size_t>(Levels));
  EXPECT_EQ(drawn.back().Content.Right, cell.Right - tree->Margin() - Levels * indent)
      << "20 levels of indentation from the right";
  EXPECT_EQ(drawn.front().Content.Right, cell.Right - tree->Margin() - indent);
  const TColor line = ColorToRGB(tree->Colors().Color(TreeLineColor));
  const int deepest = (Levels - 1) * 18;
  const TRect ink = ColorBounds(*window.Handle(), Rect(0, deepest, 600, deepest + 18), line);
  EXPECT_GE(ink.Left, cell.Right - Levels * indent) << "the deepest element lies 20 indents from the right";
  EXPECT_LE(ink.Right, cell.Right - (Levels - 1) * indent);
  EXPECT_EQ(window.Handle()->Pixel(cell.Right - 13, 5) & 0xFFFFFF, line) << "the top row's button at the right";
  EXPECT_EQ(CountPixels(*window.Handle(), Rect(0, 0, 300, 18), line), 0) << "nothing at the left";
}

TEST_F(PaintTest, DottedLinesKeepTheirPhaseAcrossRows) {
  Include(*tree, toShowTreeLines);
  tree->SetRootNodeCount(3);
  tree->SetNodeRowHeight(tree->FirstRootNodeRaw(), 17);
  TBitmap& painted = PaintAll({});
  const TColor line = ColorToRGB(tree->Colors().Color(TreeLineColor));
  const int x = static_cast<int>(tree->Indent()) / 2;
  // The first row is 17 pixels high: the second starts at an odd y.
  for (int y = 10; y < 44; ++y) {
    const bool here = (painted.Handle()->Pixel(x, y) & 0xFFFFFF) == line;
    const bool above = (painted.Handle()->Pixel(x, y - 1) & 0xFFFFFF) == line;
    EXPECT_NE(here, above) << "the vertical line alternates without a break at y " << y;
  }
}

TEST_F(PaintTest, ButtonPlaceTransparentFillEditedCellsAndBands) {
  const TColor lineColor = ColorToRGB(tree->Colors().Color(TreeLineColor));
  const TColor treeColor = ColorToRGB(tree->Color());
  tree->SetButtonFillMode(fmTransparent);
  const TGdiBitmap& button = *tree->ButtonBitmap(false).Handle();
  EXPECT_EQ(button.Pixel(2, 2) & 0xFFFFFF, 0xFF00FFu) << "fmTransparent keeps the key inside";
  EXPECT_EQ(button.Pixel(0, 0) & 0xFFFFFF, lineColor);

  const PDataNode first = tree->AppendChildNode();
  const PDataNode child = tree->AppendChildNode(first);
  tree->ToggleExpanded(first);
  tree->SetNodeSelected(first, true);
  tree->SetFocusedNode(first);
  PaintAll();
  // ButtonX = Indent x (entries - 1) + the half of (Indent - 9) to even: 0 + 4; the button's top at 9 - 4.
  EXPECT_EQ(target.Handle()->Pixel(4, 6) & 0xFFFFFF, lineColor) << "the button's left edge";
  EXPECT_NE(target.Handle()->Pixel(3, 6) & 0xFFFFFF, lineColor);
  const int contentLeft = drawn[0].Content.Left;
  EXPECT_NE(target.Handle()->Pixel(contentLeft + 2, 9) & 0xFFFFFF, treeColor) << "selected";

  drawn.clear();
  tree->ChangeTreeStates({tsEditing}, {});
  PaintAll();
  tree->ChangeTreeStates({}, {tsEditing});
  ASSERT_EQ(drawn.size(), 1u);
  EXPECT_EQ(drawn[0].Node, child) << "the edited cell shows no content";
  EXPECT_EQ(target.Handle()->Pixel(contentLeft + 2, 9) & 0xFFFFFF, treeColor) << "nor its selection";

  tree->SetLineMode(lmBands);
  const int rowHeight = static_cast<int>(tree->DefaultNodeHeight());
  const TRect indentation = Rect(0, rowHeight, 2 * static_cast<int>(tree->Indent()), 2 * rowHeight);
  const TColor grid = ColorToRGB(tree->Colors().Color(GridLineColor));
  PaintAll({});
  EXPECT_EQ(CountPixels(*target.Handle(), indentation, grid), 0) << "no bands without ptoGridLines";
  PaintAll({ptoGridLines});
  EXPECT_GT(CountPixels(*target.Handle(), indentation, grid), 0) << "bands with them";
}

TEST_F(PaintTest, LineStyleChangesRebuildThePattern) {
  Include(*tree, toShowTreeLines);
  tree->SetRootNodeCount(3);
  const TColor line = ColorToRGB(tree->Colors().Color(TreeLineColor));
  const int x = static_cast<int>(tree->Indent()) / 2;
  auto inkAt = [&](int y) { return (target.Handle()->Pixel(x, y) & 0xFFFFFF) == line; };
  PaintAll({});
  ASSERT_TRUE(inkAt(11) && !inkAt(12)) << "dotted first";
  tree->SetLineStyle(lsSolid);
  PaintAll({});
  for (int y = 10; y < 44; ++y) EXPECT_TRUE(inkAt(y)) << "solid at y " << y;
  // A custom pattern: even pattern rows all ink (0 bits), odd rows none.
  static constexpr std::uint16_t EvenRows[8] = {0x00, 0xFF, 0x00, 0xFF, 0x00, 0xFF, 0x00, 0xFF};
  tree->OnGetLineStyle = [](TBaseDataTree*, const void*& bits) { bits = EvenRows; };
  tree->SetLineStyle(lsCustomStyle);
  PaintAll({});
  for (int y = 10; y < 44; ++y) EXPECT_EQ(inkAt(y), y % 2 == 0) << "the handler's pattern at y " << y;
}

TEST_F(PaintTest, ButtonsFollowTheirStyleAfterTheFirstPaint) {
  const TGdiBitmap* minus = tree->ButtonBitmap(true).Handle();
  EXPECT_EQ(minus->Pixel(4, 1) & 0xFFFFFF, ColorToRGB(tree->Color())) << "the rectangle's inside first";
  tree->SetButtonStyle(bsTriangle);
  minus = tree->ButtonBitmap(true).Handle();
  EXPECT_EQ(minus->Pixel(4, 3) & 0xFFFFFF, 0u) << "the triangle after the change";
  tree->SetButtonStyle(bsRectangle);
  tree->SetButtonFillMode(fmShaded);
  for (bool expanded : {true, false}) {
    const TGdiBitmap& shaded = *tree->ButtonBitmap(expanded).Handle();
    EXPECT_EQ(shaded.Pixel(0, 0) & 0xFFFFFF, 0xFF00FFu) << "cut corner";
    EXPECT_EQ(shaded.Pixel(4, 4) & 0xFFFFFF, 0u) << "the bar";
    EXPECT_EQ((shaded.Pixel(4, 6) & 0xFFFFFF) == 0, !expanded) << "the plus's upright";
    const std::uint32_t top = shaded.Pixel(2, 1) & 0xFF;
    const std::uint32_t bottom = shaded.Pixel(2, 7) & 0xFF;
    EXPECT_GT(top, bottom) << "the face darkens downwards";
  }
  EXPECT_EQ(DrawShadedButton("DTREE_XPBUTTON"), nullptr);
}

// The workspace's three columns with grid lines: each row cell by cell, the
// vertical lines carried down below the last row under toFullVertGridLines.
TEST_F(PaintTest, ThreeColumnsDrawTheirGridLines) {
  tree->SetBounds(0, 0, 500, 200);
  TDataTreeColumns& columns = tree->Header().Columns();
  for (int width : {96, 192, 96}) columns.AddColumn().SetWidth(width);
  columns.ColumnAt(1).SetColor(clYellow);
  Include(*tree, toShowHorzGridLines);
  Include(*tree, toShowVertGridLines);
  tree->SetRootNodeCount(2);
  TBitmap painted(500, 200, pf32bit);
  const TColor grid = ColorToRGB(tree->Colors().Color(GridLineColor));
  auto paint = [&] { tree->PaintTreeTo(painted.Canvas(), Rect(0, 0, 500, 200), Point(0, 0), {ptoGridLines, ptoColumnColor}); };
  auto gridIn = [&](const TRect& area) { return CountPixels(*painted.Handle(), area, grid); };
  paint();
  const int rows = 2 * static_cast<int>(tree->DefaultNodeHeight());
  for (int right : {96, 288, 384})
    EXPECT_EQ(gridIn(Rect(right - 1, 0, right, rows)), rows / 2) << "a dotted line along the cell's right edge at " << right;
  EXPECT_GE(gridIn(Rect(0, 17, 384, 18)), 384 / 2 - 1) << "a dotted line along the row's bottom";
  EXPECT_EQ(gridIn(Rect(95, rows, 96, 200)), 0) << "no full-height lines yet";
  EXPECT_EQ(CountPixels(*painted.Handle(), Rect(100, rows, 280, 200), ColorToRGB(clYellow)), 180 * (200 - rows))
      << "the column colour below the rows";

  Include(*tree, toFullVertGridLines);
  paint();
  for (int right : {96, 288, 384})
    EXPECT_EQ(gridIn(Rect(right - 1, rows, right, 200)), (200 - rows) / 2) << "down to the bottom at " << right;

  tree->Header().SetOptions(tree->Header().Options() + TDTHeaderOptions{hoAutoResize});
  paint();
  const int autoRight = columns.ColumnAt(2).Left() + columns.ColumnAt(2).Width();
  EXPECT_EQ(gridIn(Rect(autoRight - 1, 0, autoRight, 17)) + gridIn(Rect(autoRight - 1, rows, autoRight, 200)), 0)
      << "none at the auto-sized last column";
  EXPECT_GT(gridIn(Rect(95, 0, 96, 200)), 0);
}

// A window whose pending update area is emptied, to see what repaints it.
class RepaintTest : public testing::Test {
protected:
  RepaintTest() {
    tree.SetParent(&form);
    tree.SetBounds(0, 0, 200, 100);
    tree.HandleNeeded();
    ValidateRect(tree.Handle(), nullptr);
  }
  bool Invalidated() {
    TRect update;
    const bool pending = GetUpdateRect(tree.Handle(), &update, false);
    ValidateRect(tree.Handle(), nullptr);
    return pending;
  }
  TForm form{nullptr};
  TTestTree tree;
};

TEST_F(RepaintTest, PaintingPropertiesRepaintUnlessLoading) {
  const std::vector<std::pair<const char*, std::function<void(bool)>>> setters = {
      {"Alignment", [&](bool on) { tree.SetAlignment(on ? taCenter : taLeftJustify); }},
      {"TextMargin", [&](bool on) { tree.SetTextMargin(on ? 6 : 4); }},
      {"LineMode", [&](bool on) { tree.SetLineMode(on ? lmBands : lmNormal); }},
      {"LineStyle", [&](bool on) { tree.SetLineStyle(on ? lsSolid : lsDotted); }},
      {"ButtonStyle", [&](bool on) { tree.SetButtonStyle(on ? bsTriangle : bsRectangle); }},
      {"ButtonFillMode", [&](bool on) { tree.SetButtonFillMode(on ? fmShaded : fmTreeColor); }},
      {"NodeAlignment", [&](bool on) { tree.SetNodeAlignment(on ? naFromTop : naProportional); }},
      {"SelectionCurveRadius", [&](bool on) { tree.SetSelectionCurveRadius(on ? 3 : 0); }},
  };
  for (const auto& [name, set] : setters) {
    set(true);
    EXPECT_TRUE(Invalidated()) << name;
    tree.BeginLoading();
    set(false);
    EXPECT_FALSE(Invalidated()) << name << " while loading";
    tree.Loaded();
  }
  EXPECT_EQ(tree.TextMargin(), 4);
  EXPECT_EQ(tree.LineStyle(), lsDotted);
}

TEST_F(RepaintTest, ImageListsRepaintOnChangeAndAreForgottenWhenFreed) {
  auto images = std::make_unique<TImageList>(16, 16);
  auto stateImages = std::make_unique<TImageList>(16, 16);
  tree.SetImages(images.get());
  tree.SetStateImages(stateImages.get());
  EXPECT_TRUE(Invalidated());
  images->SetSize(8, 8);
  EXPECT_TRUE(Invalidated()) << "a change to the list repaints";
  tree.SetImages(nullptr);
  Invalidated();
  images->SetSize(16, 16);
  EXPECT_FALSE(Invalidated()) << "a list no longer used is not heard";
  stateImages.reset();
  EXPECT_EQ(tree.StateImages(), nullptr);
  EXPECT_TRUE(Invalidated()) << "the tree repaints without the freed list";

  auto checks = std::make_unique<TImageList>(16, 16);
  tree.SetCheckImageKind(ckCustom);
  tree.SetCustomCheckImages(checks.get());
  EXPECT_EQ(tree.ActiveCheckImages(), checks.get());
  checks.reset();
  EXPECT_EQ(tree.CustomCheckImages(), nullptr);
  EXPECT_EQ(tree.CheckImageKind(), ckLightCheck);
  EXPECT_NE(tree.ActiveCheckImages(), nullptr) << "the light check images";
}

// Inside the window's sunken edge (2 pixels): a bevel of two 1-pixel cuts, then a 3-pixel border.
TEST(WindowTest, TheBevelAndBorderFrameTheHeaderAndClient) {
  TForm form(nullptr);
  TTestTree tree;
  tree.SetParent(&form);
  tree.SetBounds(0, 0, 200, 100);
  tree.HandleNeeded();
  tree.Colors().SetColor(BorderColor, clRed);
  tree.SetBorderWidth(3);
  tree.SetBevelKind(bkTile);
  TPoint origin = Point(0, 0);
  ClientToScreen(tree.Handle(), origin);
  TRect window;
  GetWindowRect(tree.Handle(), window);
  EXPECT_EQ(origin.X - window.Left, 2 + 2 + 3);
  EXPECT_EQ(tree.ClientWidth(), 200 - 2 * 7);
  tree.Perform(WM_NCPAINT, 1, 0);
  const HDC dc = GetWindowDC(tree.Handle());
  EXPECT_EQ(GetPixel(dc, 5, 50), ColorToRGB(clRed)) << "the border inside the bevel";
  EXPECT_EQ(GetPixel(dc, 6, 50), ColorToRGB(clRed));
  EXPECT_NE(GetPixel(dc, 3, 50), ColorToRGB(clRed)) << "the bevel";
  ReleaseDC(tree.Handle(), dc);
  tree.SetBevelEdges({beLeft, beRight, beBottom});
  ClientToScreen(tree.Handle(), origin = Point(0, 0));
  EXPECT_EQ(origin.Y - window.Top, 2 + 3) << "no bevel on the top edge";
  tree.Header().SetOptions(tree.Header().Options() + TDTHeaderOptions{hoVisible});
  EXPECT_EQ(tree.Header().HeaderRect(), Rect(7, 5, 193, 5 + tree.Header().Height())) << "the header inside the frame";
  tree.SetParent(nullptr);
}

TEST(WindowTest, ScaleLoadAndRemoval) {
  TTestTree tree;
  Include(tree, toAutoChangeScale);
  tree.ChangeScale(120, 96);
  EXPECT_EQ(tree.DefaultNodeHeight(), 23u) << "22.5 rounds up";
  tree.BeginLoading();
  tree.SetRootNodeCount(5);
  EXPECT_EQ(tree.FirstRootNodeRaw(), nullptr) << "only stored while loading";
  tree.Loaded();
  EXPECT_EQ(AllNodes(tree).size(), 5u);
  CheckTree(tree);
  {
    TPopupMenu menu(nullptr);
    tree.SetPopupMenu(&menu);
  }
  EXPECT_EQ(tree.PopupMenu(), nullptr) << "the freed menu is forgotten";
  tree.SetAnimationDuration(0);
  EXPECT_FALSE(tree.TreeOptions().AnimationOptions().Contains(toAnimatedToggle));
  tree.SetAnimationDuration(150);
  EXPECT_TRUE(tree.TreeOptions().AnimationOptions().Contains(toAnimatedToggle));
}

}  // namespace
