#include "toolkit/controls/TreeView.h"

#include "tests/toolkit/NativeControlFixture.h"
#include "toolkit/controls/Button.h"
#include "toolkit/gdi/Canvas.h"
#include "toolkit/gdi/ImageList.h"

namespace {

class TreeViewTest : public NativeControlTest {
protected:
  TreeViewTest() {
    tree = Make<TTreeView>(10, 10, 200, 200);
    fruit = tree->Items().Add(nullptr, "Fruit");
    apple = tree->Items().AddChild(fruit, "apple");
    pear = tree->Items().AddChild(fruit, "pear");
    veg = tree->Items().Add(fruit, "Vegetables");
    fruit->Expand(false);
    ProcessEverything();
  }
  TPoint Centre(TTreeNode* node) {
    const TRect rect = node->DisplayRect(true);
    return {(rect.Left + rect.Right) / 2, (rect.Top + rect.Bottom) / 2};
  }

  TTreeView* tree;
  TTreeNode* fruit;
  TTreeNode* apple;
  TTreeNode* pear;
  TTreeNode* veg;
};

TEST_F(TreeViewTest, NodesKeepTheirPlacesCountsAndLevels) {
  EXPECT_EQ(tree->Items().Count(), 4);
  EXPECT_EQ(SendMessage(tree->Handle(), TVM_GETCOUNT, 0, 0), 4);
  EXPECT_EQ(tree->Items().GetFirstNode(), fruit);
  EXPECT_EQ(fruit->getNextSibling(), veg);
  EXPECT_EQ(apple->getNextSibling(), pear);
  EXPECT_EQ(pear->Level(), 1);
  EXPECT_EQ(pear->Parent(), fruit);
  EXPECT_EQ(fruit->Count(), 2);
  EXPECT_TRUE(fruit->HasChildren());
  EXPECT_FALSE(veg->HasChildren());
  veg->SetHasChildren(true);
  EXPECT_TRUE(veg->HasChildren()) << "a button before its children come";
  EXPECT_EQ(tree->GetNodeAt(Centre(pear).X, Centre(pear).Y), pear);
  EXPECT_LT(apple->DisplayRect(false).Left, apple->DisplayRect(true).Left) << "the row starts before the text";
  fruit->Delete();
  EXPECT_EQ(tree->Items().Count(), 1);
  EXPECT_EQ(SendMessage(tree->Handle(), TVM_GETCOUNT, 0, 0), 1);
  tree->Items().Clear();
  EXPECT_EQ(tree->Items().GetFirstNode(), nullptr);
  EXPECT_EQ(SendMessage(tree->Handle(), TVM_GETCOUNT, 0, 0), 0);
}

TEST_F(TreeViewTest, ChoosingANodeAsksFirstAndAVetoKeepsTheSelection) {
  std::vector<std::string> events;
  bool allow = true;
  tree->OnChanging = [&](TObject*, TTreeNode* node, bool& allowChange) {
    events.push_back("changing " + node->Text());
    allowChange = allow;
  };
  tree->OnChange = [&](TObject*, TTreeNode* node) { events.push_back("change " + node->Text()); };
  Click(tree->Handle(), Centre(apple));
  EXPECT_EQ(tree->Selected(), apple);
  EXPECT_EQ(events, (std::vector<std::string>{"changing apple", "change apple"}));
  allow = false;
  Click(tree->Handle(), Centre(pear));
  EXPECT_EQ(tree->Selected(), apple) << "vetoed";
  EXPECT_EQ(CountOf(WM_NOTIFY, TVN_SELCHANGING, tree->Handle()), 2u);
  EXPECT_EQ(CountOf(WM_NOTIFY, TVN_SELCHANGED, tree->Handle()), 1u);
  allow = true;
  pear->SetSelected(true);
  EXPECT_EQ(events.back(), "change pear") << "selecting by code raises OnChange";
}

TEST_F(TreeViewTest, CollapsingAsksFirstAndAVetoKeepsTheNodeOpen) {
  bool allow = false;
  int collapsings = 0;
  tree->OnCollapsing = [&](TObject*, TTreeNode*, bool& allowCollapse) {
    ++collapsings;
    allowCollapse = allow;
  };
  tree->SetFocus();
  fruit->SetSelected(true);
  Press(tree->Handle(), VK_LEFT);
  EXPECT_EQ(collapsings, 1);
  EXPECT_TRUE(fruit->Expanded());
  TVITEM item;
  item.mask = TVIF_STATE;
  item.hItem = fruit->ItemId();
  SendMessage(tree->Handle(), TVM_GETITEM, 0, reinterpret_cast<LPARAM>(&item));
  EXPECT_TRUE(item.state & TVIS_EXPANDED) << "the widget keeps it open";
  allow = true;
  Press(tree->Handle(), VK_LEFT);
  EXPECT_FALSE(fruit->Expanded());
  EXPECT_TRUE(apple->DisplayRect(false).Width() == 0 || IsRectEmpty(apple->DisplayRect(false)));
}

TEST_F(TreeViewTest, AnOwnerDrawnNodeShowsExactlyTheHandlersPixelsAndTheHotNodeIsMarked) {
  std::vector<std::pair<std::string, TCustomDrawState>> drawn;
  tree->OnCustomDrawItem = [&](TObject*, TTreeNode* node, TCustomDrawState state, bool& defaultDraw) {
    drawn.push_back({node->Text(), state});
    if (node != pear) return;
    tree->Canvas().Brush().SetColor(clRed);
    tree->Canvas().FillRect(Rect(0, 0, 400, 400));
    defaultDraw = false;
  };
  const TRect row = pear->DisplayRect(false);
  auto grab = Grab(*tree);
  EXPECT_EQ(CountPixels(*grab->Handle(), row, clRed), row.Width() * row.Height());
  EXPECT_EQ(CountPixels(*grab->Handle(), apple->DisplayRect(false), clRed), 0);

  const auto isHot = [](const auto& d) { return (d.second & cdsHot) != 0; };
  SynthesizeMouse(tree->Handle(), Centre(apple), TSyntheticMouse::Move, TInputButton::Left);
  ProcessEverything();
  drawn.clear();
  grab = Grab(*tree);
  EXPECT_EQ(std::find_if(drawn.begin(), drawn.end(), isHot), drawn.end()) << "no hot node without HotTrack";

  tree->SetHotTrack(true);
  ProcessEverything();
  SynthesizeMouse(tree->Handle(), Centre(pear), TSyntheticMouse::Move, TInputButton::Left);
  SynthesizeMouse(tree->Handle(), Centre(apple), TSyntheticMouse::Move, TInputButton::Left);
  ProcessEverything();
  drawn.clear();
  grab = Grab(*tree);
  const auto hot = std::find_if(drawn.begin(), drawn.end(), isHot);
  ASSERT_NE(hot, drawn.end());
  EXPECT_EQ(hot->first, "apple");
}

// The handler draws at the node's display rectangle, as on the whole
// control, and what it leaves shows the whole-area drawing beneath.
TEST_F(TreeViewTest, AnOwnerDrawnNodeDrawsInClientCoordinatesOverTheWholeAreaDrawing) {
  tree->OnAdvancedCustomDraw = [&](TObject*, const TRect& rect, TCustomDrawStage stage, bool&) {
    if (stage != cdPrePaint) return;
    tree->Canvas().Brush().SetColor(clYellow);
    tree->Canvas().FillRect(rect);
  };
  tree->OnCustomDrawItem = [&](TObject*, TTreeNode* node, TCustomDrawState, bool& defaultDraw) {
    defaultDraw = false;
    if (node != pear) return;
    const TRect row = node->DisplayRect(false);
    tree->Canvas().Brush().SetColor(clRed);
    tree->Canvas().FillRect(Rect(row.Left + 10, row.Top + 2, row.Left + 14, row.Top + 6));
  };
  const TRect row = pear->DisplayRect(false);
  const auto grab = Grab(*tree);
  EXPECT_EQ(ColorBounds(*grab->Handle(), tree->ClientRect(), clRed),
            Rect(row.Left + 10, row.Top + 2, row.Left + 14, row.Top + 6));
  EXPECT_EQ(CountPixels(*grab->Handle(), row, clYellow), row.Width() * row.Height() - 16);
  const TRect other = apple->DisplayRect(false);
  EXPECT_EQ(CountPixels(*grab->Handle(), other, clYellow), other.Width() * other.Height());
}

TEST_F(TreeViewTest, UnderHotTrackTheNodeUnderTheMouseIsDrawnInTheHotLightColour) {
  const TColor hotLight = ColorToRGB(clHotLight);
  const auto hotInk = [&](TTreeNode* node) { return CountPixels(*Grab(*tree)->Handle(), node->DisplayRect(false), hotLight); };
  SynthesizeMouse(tree->Handle(), Centre(apple), TSyntheticMouse::Move, TInputButton::Left);
  ProcessEverything();
  EXPECT_EQ(hotInk(apple), 0) << "no effect without HotTrack";
  tree->SetHotTrack(true);
  ProcessEverything();
  SynthesizeMouse(tree->Handle(), Centre(pear), TSyntheticMouse::Move, TInputButton::Left);
  ProcessEverything();
  EXPECT_GT(hotInk(pear), 10);
  EXPECT_EQ(hotInk(apple), 0);
  SynthesizeMouse(tree->Handle(), Centre(apple), TSyntheticMouse::Move, TInputButton::Left);
  ProcessEverything();
  EXPECT_GT(hotInk(apple), 10) << "the effect follows the mouse";
  EXPECT_EQ(hotInk(pear), 0);
}

TEST_F(TreeViewTest, ReadOnlyDecidesWhetherTheUserEditsANodesText) {
  tree->SetFocus();
  apple->SetSelected(true);
  tree->SetReadOnly(true);
  ProcessEverything();
  apple->SetSelected(true);
  Press(tree->Handle(), VK_F2);
  Type(tree->Handle(), "kiwi");
  Press(tree->Handle(), VK_RETURN);
  EXPECT_EQ(apple->Text(), "apple") << "read-only";

  tree->SetReadOnly(false);
  auto* ok = Make<TButton>(250, 10, 80, 25);
  ok->SetDefault(true);
  int presses = 0;
  ok->OnClick = [&presses](TObject*) { ++presses; };
  ProcessEverything();
  tree->SetFocus();
  apple->SetSelected(true);
  Press(tree->Handle(), VK_F2);
  Press(tree->Handle(), VK_END);
  Type(tree->Handle(), "s");
  Press(tree->Handle(), VK_RETURN);
  EXPECT_EQ(apple->Text(), "apples");
  EXPECT_EQ(presses, 0) << "Enter ends the editing, not the dialog";
  EXPECT_EQ(CountOf(WM_NOTIFY, TVN_BEGINLABELEDIT, tree->Handle()), 1u);
  EXPECT_EQ(CountOf(WM_NOTIFY, TVN_ENDLABELEDIT, tree->Handle()), 1u);
  char text[32] = {};
  TVITEM item;
  item.mask = TVIF_TEXT;
  item.hItem = apple->ItemId();
  item.pszText = text;
  item.cchTextMax = sizeof text;
  SendMessage(tree->Handle(), TVM_GETITEM, 0, reinterpret_cast<LPARAM>(&item));
  EXPECT_STREQ(text, "apples") << "the widget shows it";
}

TEST_F(TreeViewTest, TheWholeClientAreaMayBePaintedBeforeTheNodes) {
  tree->OnAdvancedCustomDraw = [&](TObject*, const TRect& rect, TCustomDrawStage stage, bool&) {
    if (stage != cdPrePaint) return;
    tree->Canvas().Brush().SetColor(clYellow);
    tree->Canvas().FillRect(rect);
  };
  const auto grab = Grab(*tree);
  const TRect client = tree->ClientRect();
  EXPECT_GT(CountPixels(*grab->Handle(), {0, client.Bottom - 20, client.Right, client.Bottom}, clYellow), 0)
      << "below the last node";
  EXPECT_EQ(SendMessage(tree->Handle(), TVM_GETBKCOLOR, 0, 0), static_cast<LRESULT>(CLR_DEFAULT));
  SendMessage(tree->Handle(), TVM_SETBKCOLOR, 0, RGB(0, 0, 128));
  EXPECT_EQ(SendMessage(tree->Handle(), TVM_GETBKCOLOR, 0, 0), RGB(0, 0, 128));
}

TEST_F(TreeViewTest, SortingOrdersEveryLevelByText) {
  tree->Items().AddChild(fruit, "Banana");
  tree->AlphaSort();
  EXPECT_EQ(fruit->Item(0)->Text(), "apple");
  EXPECT_EQ(fruit->Item(1)->Text(), "Banana");
  EXPECT_EQ(fruit->Item(2)->Text(), "pear");
  tree->SetSortType(stText);
  tree->Items().AddChild(fruit, "cherry");
  EXPECT_EQ(fruit->Item(2)->Text(), "cherry");
  EXPECT_EQ(tree->GetNodeAt(Centre(fruit->Item(2)).X, Centre(fruit->Item(2)).Y), fruit->Item(2));
}

}  // namespace

namespace {

TEST_F(TreeViewTest, NodesShowTheirImagesAndTheSelectedImageWhileSelected) {
  TImageList images(16, 16);
  for (TColor color : {clRed, clBlue}) {
    TBitmap image(16, 16, pf24bit);
    image.Canvas().Brush().SetColor(color);
    image.Canvas().FillRect(Rect(0, 0, 16, 16));
    images.Add(image, nullptr);
  }
  tree->SetImages(&images);
  veg->SetImageIndex(0);
  veg->SetSelectedIndex(1);
  const TRect row = veg->DisplayRect(false);
  EXPECT_GT(CountPixels(*Grab(*tree)->Handle(), row, clRed), 100);
  veg->SetSelected(true);
  const auto selected = Grab(*tree);
  EXPECT_GT(CountPixels(*selected->Handle(), row, clBlue), 100);
  EXPECT_EQ(CountPixels(*selected->Handle(), row, clRed), 0);
  tree->SetImages(nullptr);
  EXPECT_EQ(CountPixels(*Grab(*tree)->Handle(), row, clBlue), 0);
}

TEST_F(TreeViewTest, AStateImageShowsBeforeTheNodesImage) {
  TImageList images(16, 16);
  TImageList states(12, 16);
  for (TImageList* list : {&images, &states})
    for (TColor color : {clRed, clBlue, clLime}) {
      TBitmap image(list->Width(), 16, pf24bit);
      image.Canvas().Brush().SetColor(color);
      image.Canvas().FillRect(Rect(0, 0, list->Width(), 16));
      list->Add(image, nullptr);
    }
  tree->SetImages(&images);
  tree->SetStateImages(&states);
  veg->SetImageIndex(0);
  veg->SetStateIndex(2);
  const TRect row = veg->DisplayRect(false);
  const auto grab = Grab(*tree);
  const TRect state = ColorBounds(*grab->Handle(), row, clLime);
  const TRect image = ColorBounds(*grab->Handle(), row, clRed);
  EXPECT_EQ(CountPixels(*grab->Handle(), row, clLime), 12 * 16);
  EXPECT_EQ(CountPixels(*grab->Handle(), row, clRed), 16 * 16);
  EXPECT_EQ(state.Right, image.Left) << "the state image, then the image";
  TVITEM item;
  item.mask = TVIF_STATE;
  item.hItem = veg->ItemId();
  SendMessage(tree->Handle(), TVM_GETITEM, 0, reinterpret_cast<LPARAM>(&item));
  EXPECT_EQ(item.state & TVIS_STATEIMAGEMASK, INDEXTOSTATEIMAGEMASK(2));
  veg->SetStateIndex(0);
  EXPECT_EQ(CountPixels(*Grab(*tree)->Handle(), row, clLime), 0) << "state image 0 is none";
}

}  // namespace
