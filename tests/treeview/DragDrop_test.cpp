// Drag and drop: allowed effects, the drop target's modes and mark,
// automatic expanding and scrolling on the fake clock, refusals, moves by
// drag within and between trees, errors in OnDragDrop, the drop source's
// rules, and one drop through the toolkit's Qt drag events.

#include <gtest/gtest.h>

#include "runtime/Exceptions.h"
#include "tests/toolkit/ToolkitTestSupport.h"
#include "tests/treeview/DragImageSupport.h"
#include "tests/treeview/TreeTestSupport.h"
#include "toolkit/controls/Application.h"
#include "toolkit/controls/Clipboard.h"
#include "toolkit/controls/Form.h"
#include "toolkit/gdi/Bitmap.h"
#include "toolkit/gdi/Canvas.h"
#include "toolkit/qt/QtDragDrop.h"
#include "toolkit/qt/SyntheticInput.h"
#include "treeview/ClipboardFormatList.h"
#include "treeview/DTColors.h"
#include "treeview/DTDragImage.h"
#include "treeview/DTDataObject.h"
#include "treeview/DTDragManager.h"
#include "treeview/DataTransferResults.h"
#include "treeview/DataStringTree.h"

namespace {

class DragDropTest : public testing::Test {
protected:
  DragDropTest() {
    form.SetBounds(0, 0, 420, 300);
    for (TDataStringTree* tree : {&first, &second}) {
      tree->SetParent(&form);
      tree->SetBounds(tree == &first ? 0 : 210, 0, 200, 200);
      Include(*tree, toMultiSelect);
      Include(*tree, toShowDropmark);
      tree->ClipboardFormats().Add("Data Tree Data");
    }
    form.Show();
    ProcessEverything();
    first.SetRootNodeCount(4);
    first.SetNodeChildCount(first.FirstRootNodeRaw(), 2);
    second.SetRootNodeCount(2);
  }
  ~DragDropTest() override {
    first.SetParent(nullptr);
    second.SetParent(nullptr);
  }

  PDataNode Top(TBaseDataTree& tree, int i) {
    PDataNode node = tree.FirstRootNodeRaw();
    while (i-- > 0) node = node->NextSibling;
    return node;
  }
  // A screen point in the node's row: X pixels from the row's left, Y from its top.
  TPoint PointIn(TBaseDataTree& tree, PDataNode node, int x, int y) {
    const TRect row = tree.NodeDisplayRect(node, ColumnNone, false);
    return tree.ClientToScreen(Point(row.Left + x, row.Top + y));
  }
  void AcceptEverything(TBaseDataTree& tree) {
    tree.OnDragOver = [](TBaseDataTree*, TObject*, TShiftState, TDragState, TPoint, TDropMode, DWORD&, bool& accept) {
      accept = true;
    };
  }

  TFakeClockScope clock;
  TForm form{nullptr};
  TDataStringTree first{nullptr};
  TDataStringTree second{nullptr};
};

TEST_F(DragDropTest, AllowedEffectsFollowTheDragOperations) {
  EXPECT_EQ(first.AllowedDropEffects(), DROPEFFECT_COPY | DROPEFFECT_MOVE);
  first.DragOperations = {};
  EXPECT_EQ(first.AllowedDropEffects(), 7u);
  first.DragOperations = {doLink};
  EXPECT_EQ(first.AllowedDropEffects(), DROPEFFECT_LINK);
}

TEST_F(DragDropTest, WithoutOnDragOverEveryDropIsRefused) {
  const auto dataObject = MakeCounted<TDTDataObject>(first, false);
  const CountedPtr<TDTDragManager> manager = second.ObtainDragManager();
  bool dropped = false;
  second.OnDragDrop = [&dropped](TBaseDataTree*, TObject*, IDTDataObject&, const std::vector<UINT>&, TShiftState,
                                 TPoint, DWORD&, TDropMode) { dropped = true; };
  DWORD effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
  EXPECT_EQ(manager->DragEnter(*dataObject, MK_LBUTTON, PointIn(second, Top(second, 0), 40, 5), effect), S_OK);
  EXPECT_EQ(effect, DROPEFFECT_NONE);
  effect = DROPEFFECT_COPY;
  EXPECT_EQ(manager->Drop(*dataObject, MK_LBUTTON, PointIn(second, Top(second, 0), 40, 5), effect), E_FAIL);
  EXPECT_FALSE(dropped);
}

TEST_F(DragDropTest, ModesByRowHalfAndLabelAndTheMarkUnderTheRow) {
  AcceptEverything(second);
  const auto dataObject = MakeCounted<TDTDataObject>(first, false);
  const CountedPtr<TDTDragManager> manager = second.ObtainDragManager();
  const PDataNode node = Top(second, 0);
  DWORD effect = DROPEFFECT_COPY;
  manager->DragEnter(*dataObject, MK_LBUTTON, PointIn(second, node, 190, 14), effect);
  EXPECT_EQ(manager->DragOver(MK_LBUTTON, PointIn(second, node, 190, 14), effect), S_OK);
  EXPECT_EQ(second.DropTargetNode(), node);
  EXPECT_EQ(second.LastDropMode(), dmBelow);
  EXPECT_EQ(effect, DROPEFFECT_COPY);

  TBitmap bitmap(200, 40, pf32bit);
  second.PaintTreeTo(bitmap.Canvas(), Rect(0, 0, 200, 40), Point(0, 0), {ptoDropIndicator});
  const TColor mark = ColorToRGB(second.Colors().Color(DropMarkColor));
  const int bottom = node->NodeHeight;
  const TRect textRect = second.NodeDisplayRect(node, ColumnNone, true);
  // An arrow along the row's bottom: a low bar in the middle, raised at both ends.
  EXPECT_EQ(bitmap.Canvas().Pixel(150, bottom - 2), mark);
  EXPECT_NE(bitmap.Canvas().Pixel(150, bottom - 6), mark);
  EXPECT_EQ(bitmap.Canvas().Pixel(textRect.Left + 3, bottom - 6), mark) << "the raised left end";
  EXPECT_NE(bitmap.Canvas().Pixel(150, 0), mark);
  second.PaintTreeTo(bitmap.Canvas(), Rect(0, 0, 200, 40), Point(0, 0), {});
  EXPECT_NE(bitmap.Canvas().Pixel(150, bottom - 2), mark) << "only with ptoDropIndicator";

  manager->DragOver(MK_LBUTTON, PointIn(second, node, 190, 2), effect);
  EXPECT_EQ(second.LastDropMode(), dmAbove);
  const TRect label = second.NodeDisplayRect(node, ColumnNone, true);
  manager->DragOver(MK_LBUTTON, second.ClientToScreen(Point(label.Left + 3, label.Top + 14)), effect);
  EXPECT_EQ(second.LastDropMode(), dmOnNode);
  manager->DragLeave();
  EXPECT_EQ(second.DropTargetNode(), nullptr);
  CheckTree(second);
}

TEST_F(DragDropTest, HoveredCollapsedNodeExpandsAfterTheDelay) {
  AcceptEverything(first);
  const auto dataObject = MakeCounted<TDTDataObject>(second, false);
  const CountedPtr<TDTDragManager> manager = first.ObtainDragManager();
  const PDataNode node = Top(first, 0);
  DWORD effect = DROPEFFECT_COPY;
  manager->DragEnter(*dataObject, MK_LBUTTON, PointIn(first, node, 190, 5), effect);
  manager->DragOver(MK_LBUTTON, PointIn(first, node, 190, 5), effect);
  clock.AdvanceAndDispatch(first.AutoExpandDelay - 10);
  EXPECT_FALSE(node->Has(nsExpanded));
  clock.AdvanceAndDispatch(20);
  EXPECT_TRUE(node->Has(nsExpanded));
  manager->DragLeave();
  CheckTree(first);
}

TEST_F(DragDropTest, EdgeZoneScrollsOnlyAfterTheDelay) {
  Include(first, toAutoScroll);
  first.SetRootNodeCount(40);
  AcceptEverything(first);
  const auto dataObject = MakeCounted<TDTDataObject>(second, false);
  const CountedPtr<TDTDragManager> manager = first.ObtainDragManager();
  const TPoint edge = first.ClientToScreen(Point(100, first.ClientHeight() - 3));
  DWORD effect = DROPEFFECT_COPY;
  manager->DragEnter(*dataObject, MK_LBUTTON, edge, effect);
  manager->DragOver(MK_LBUTTON, edge, effect);
  EXPECT_EQ(first.OffsetY(), 0);
  clock.Clock.Advance(first.AutoScrollDelay);
  effect = DROPEFFECT_COPY;
  manager->DragOver(MK_LBUTTON, edge, effect);
  EXPECT_LT(first.OffsetY(), 0);
  EXPECT_EQ(effect, DROPEFFECT_COPY | DROPEFFECT_SCROLL);
  manager->DragLeave();
  CheckTree(first);
}

TEST_F(DragDropTest, TheSourceTreesImageShowsWhatTheTargetRepaintsUnderIt) {
  Include(second, toAutoScroll);
  second.SetRootNodeCount(40);
  AcceptEverything(second);
  first.SetNodeSelected(Top(first, 1), true);
  const auto dataObject = MakeCounted<TDTDataObject>(first, false);
  first.DragWidth = 120;
  first.DragHeight = 60;
  first.PrepareNodeDragImage(Point(40, 30), *dataObject);
  const CountedPtr<TDTDragManager> manager = second.ObtainDragManager();
  DWORD effect = DROPEFFECT_COPY;
  manager->DragEnter(*dataObject, MK_LBUTTON, PointIn(second, Top(second, 0), 60, 2), effect);
  const TDTDragImage& image = *first.NodeDragImage();
  ASSERT_TRUE(image.IsShown());
  // Down over the rows: the target node and the mode change at every step.
  for (int row = 0; row < 3; ++row)
    for (int y : {2, 14, 8}) {
      manager->DragOver(MK_LBUTTON, PointIn(second, Top(second, row), 60 + y, y), effect);
      EXPECT_EQ(StaleBackground(image), "") << "row " << row << ", " << y << " pixels down";
    }
  // Held still in the edge zone: the tree scrolls under an image that does not move.
  const TPoint edge = second.ClientToScreen(Point(100, second.ClientHeight() - 3));
  manager->DragOver(MK_LBUTTON, edge, effect);
  clock.Clock.Advance(second.AutoScrollDelay);
  const TPoint before = image.ImagePosition();
  manager->DragOver(MK_LBUTTON, edge, effect);
  ASSERT_LT(second.OffsetY(), 0);
  EXPECT_EQ(image.ImagePosition(), before);
  EXPECT_EQ(StaleBackground(image), "") << "after scrolling";
  manager->DragLeave();
  first.NodeDragImage()->FinishDrag();
  CheckTree(second);
}

TEST_F(DragDropTest, FinalEffectOfNoneFailsWithoutOnDragDrop) {
  second.OnDragOver = [](TBaseDataTree*, TObject*, TShiftState, TDragState state, TPoint, TDropMode, DWORD& effect,
                         bool& accept) {
    accept = true;
    if (state == dsDragMove) effect = DROPEFFECT_NONE;
  };
  bool dropped = false;
  second.OnDragDrop = [&dropped](TBaseDataTree*, TObject*, IDTDataObject&, const std::vector<UINT>&, TShiftState,
                                 TPoint, DWORD&, TDropMode) { dropped = true; };
  const auto dataObject = MakeCounted<TDTDataObject>(first, false);
  const CountedPtr<TDTDragManager> manager = second.ObtainDragManager();
  DWORD effect = DROPEFFECT_COPY;
  manager->DragEnter(*dataObject, MK_LBUTTON, PointIn(second, Top(second, 0), 40, 5), effect);
  EXPECT_EQ(manager->Drop(*dataObject, MK_LBUTTON, PointIn(second, Top(second, 0), 40, 5), effect), E_FAIL);
  EXPECT_FALSE(dropped);
}

TEST_F(DragDropTest, SelectedParentAndChildDragTheSubtreeOnce) {
  first.SetNodeSelected(Top(first, 0), true);
  first.SetNodeSelected(Top(first, 0)->FirstChild, true);
  const auto dataObject = MakeCounted<TDTDataObject>(first, false);
  EXPECT_TRUE(second.InsertFromDataObject(&first, *dataObject, nullptr, amAddChildLast, false));
  EXPECT_EQ(second.RootNode()->TotalCount, 1u + 2 + 3);
  CheckTree(second);
}

TEST(DragManagerTest, QueryContinueDragByKeysAndEscape) {
  const struct {
    bool escape;
    DWORD keys;
    HRESULT result;
  } cases[] = {
      {true, MK_LBUTTON, DRAGDROP_S_CANCEL_RESULT}, {false, MK_LBUTTON | MK_RBUTTON, DRAGDROP_S_CANCEL_RESULT},
      {false, MK_LBUTTON, S_OK},                   {false, MK_RBUTTON, S_OK},
      {false, 0, DRAGDROP_S_DROP_RESULT},
  };
  for (const auto& test : cases) EXPECT_EQ(TDTDragManager::QueryContinueDrag(test.escape, test.keys), test.result);
  EXPECT_EQ(TDTDragManager::GiveFeedback(DROPEFFECT_MOVE), DRAGDROP_S_USEDEFAULTCURSORS);
}

// A desktop drag that drops at once on a tree's drop target at a point.
class TDropAtOnce : public IDragSource {
public:
  TDropAtOnce(TBaseDataTree& target, TPoint screenPoint) : target_(target), point_(screenPoint) {}
  TDragResult Run(const TDataObject& data, DWORD allowedEffects, DWORD& effect) override {
    IDropTarget& drop = target_.ObtainDragManager()->DesktopTarget();
    effect = drop.DragEnter(data, MK_LBUTTON, point_, allowedEffects);
    effect = drop.DragOver(MK_LBUTTON, point_, allowedEffects);
    effect = drop.Drop(data, 0, point_, allowedEffects);
    return effect == DROPEFFECT_NONE ? DRAGDROP_S_CANCEL : DRAGDROP_S_DROP;
  }
  void AcceptDrops(HWND, bool) override {}

private:
  TBaseDataTree& target_;
  TPoint point_;
};

// OnDragDrop moves the nodes of a drag from a tree of this process (optimized) after the drop target
// node; other data is inserted from its records.
void MoveOnDrop(TBaseDataTree& tree) {
  tree.OnDragOver = [](TBaseDataTree*, TObject*, TShiftState, TDragState, TPoint, TDropMode, DWORD& effect,
                       bool& accept) {
    accept = true;
    effect = DROPEFFECT_MOVE;
  };
  tree.OnDragDrop = [](TBaseDataTree* sender, TObject*, IDTDataObject& dataObject, const std::vector<UINT>&,
                       TShiftState, TPoint, DWORD& effect, TDropMode) {
    TBaseDataTree* source = TBaseDataTree::SourceTreeOf(dataObject);
    const bool optimized = source && source->TreeStates().Contains(tsOLEDragging);
    sender->InsertFromDataObject(source, dataObject, sender->DropTargetNode(), amInsertAfter, optimized);
    effect = DROPEFFECT_MOVE;
  };
}

TEST_F(DragDropTest, MoveByDragBetweenTreesMovesEveryNodeOnceAndDeletesNone) {
  MoveOnDrop(second);
  first.SetNodeSelected(Top(first, 1), true);
  first.SetNodeSelected(Top(first, 2), true);
  TDropAtOnce drag(second, PointIn(second, Top(second, 0), 40, 5));
  SetDragSource(&drag);
  first.RunOleDrag(Point(40, 40));
  SetDragSource(&QtDragSource());
  EXPECT_EQ(first.RootNode()->TotalCount, 1u + 2 + 2);
  EXPECT_EQ(second.RootNode()->TotalCount, 1u + 4);
  EXPECT_FALSE(first.TreeStates().Contains(tsOLEDragging));
  CheckTree(first);
  CheckTree(second);
}

// A desktop drag that only looks at the source tree's drag image while it runs.
class TLookAtImage : public IDragSource {
public:
  explicit TLookAtImage(TBaseDataTree& source) : source_(source) {}
  TDragResult Run(const TDataObject&, DWORD, DWORD& effect) override {
    Ran = true;
    const TDTDragImage* image = source_.NodeDragImage();
    Prepared = image && image->Prepared();
    Picture = image && image->DragImage();
    effect = DROPEFFECT_NONE;
    return DRAGDROP_S_CANCEL;
  }
  void AcceptDrops(HWND, bool) override {}
  bool Ran = false;
  bool Prepared = false;
  bool Picture = false;

private:
  TBaseDataTree& source_;
};

TEST_F(DragDropTest, ADragPreparesTheImageOfTheSelectedRowsAndEndsIt) {
  first.SetNodeSelected(Top(first, 1), true);
  TLookAtImage drag(first);
  SetDragSource(&drag);
  first.StartNodeDrag(true);
  SetDragSource(&QtDragSource());
  EXPECT_TRUE(drag.Prepared);
  EXPECT_TRUE(drag.Picture);
  EXPECT_FALSE(first.NodeDragImage()->Prepared());
  EXPECT_FALSE(first.IsDragging());
  EXPECT_EQ(first.RootNode()->TotalCount, 7u);
}

TEST_F(DragDropTest, AControlDragDoesNotStart) {
  first.DragType = dtVCL;
  first.SetNodeSelected(Top(first, 1), true);
  TLookAtImage drag(first);
  SetDragSource(&drag);
  first.StartNodeDrag(true);
  first.StartNodeDrag(false);
  SetDragSource(&QtDragSource());
  EXPECT_FALSE(drag.Ran);
  EXPECT_FALSE(first.IsDragging());
}

TEST_F(DragDropTest, MoveByDragWithinATreeRelinksTheNodes) {
  MoveOnDrop(first);
  const PDataNode moved = Top(first, 3);
  first.SetNodeSelected(moved, true);
  TDropAtOnce drag(first, PointIn(first, Top(first, 0), 40, 5));
  SetDragSource(&drag);
  first.RunOleDrag(Point(40, 40));
  SetDragSource(&QtDragSource());
  EXPECT_EQ(first.RootNode()->TotalCount, 7u);
  EXPECT_EQ(Top(first, 1), moved);
  CheckTree(first);
}

TEST_F(DragDropTest, ErrorInOnDragDropReachesTheApplicationAndTheDragEnds) {
  AcceptEverything(second);
  second.OnDragDrop = [](TBaseDataTree*, TObject*, IDTDataObject&, const std::vector<UINT>&, TShiftState, TPoint,
                         DWORD&, TDropMode) { throw EQuantrelError("refused"); };
  std::string shown;
  Application().OnException = [&shown](TObject*, const std::exception& error) { shown = error.what(); };
  first.SetNodeSelected(Top(first, 1), true);
  const auto dataObject = MakeCounted<TDTDataObject>(first, false);
  const CountedPtr<TDTDragManager> manager = second.ObtainDragManager();
  DWORD effect = DROPEFFECT_COPY;
  const TPoint point = PointIn(second, Top(second, 0), 40, 5);
  manager->DragEnter(*dataObject, MK_LBUTTON, point, effect);
  EXPECT_EQ(manager->Drop(*dataObject, 0, point, effect), E_UNEXPECTED);
  Application().OnException = nullptr;
  EXPECT_EQ(shown, "refused");
  EXPECT_FALSE(manager->IsDropTargetNow());
  EXPECT_EQ(second.DropTargetNode(), nullptr);
}

TEST_F(DragDropTest, DropThroughTheToolkitsDragEvents) {
  MoveOnDrop(second);
  first.SetNodeSelected(Top(first, 3), true);
  TDataObject data;
  const auto dataObject = MakeCounted<TDTDataObject>(first, false);
  for (UINT format : {TBaseDataTree::TreeDataFormat(), TBaseDataTree::TreeReferenceFormat()}) {
    TStgMedium medium;
    ASSERT_EQ(dataObject->GetData(TFormatEtc{format}, medium), S_OK);
    data.SetData(GetClipboardFormatName(format), *medium.HGlobal);
  }
  const TPoint point = form.ScreenToClient(PointIn(second, Top(second, 1), 40, 5));
  SynthesizeDrag(form.Handle(), point, TSyntheticDrag::Enter, data, DROPEFFECT_COPY | DROPEFFECT_MOVE);
  EXPECT_EQ(SynthesizeDrag(form.Handle(), point, TSyntheticDrag::Drop, data, DROPEFFECT_COPY | DROPEFFECT_MOVE),
            DROPEFFECT_MOVE);
  // Not dragged by the source tree itself: the records are copied in.
  EXPECT_EQ(second.RootNodeCount(), 3u);
  EXPECT_EQ(first.RootNodeCount(), 4u);
  CheckTree(first);
  CheckTree(second);
}

}  // namespace
