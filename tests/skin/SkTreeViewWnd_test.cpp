#include "skin/adapters/SkTreeViewWnd.h"

#include "runtime/PublishedProperties.h"

#include <gtest/gtest.h>

#include "skin/ControlRoutines.h"
#include "skin/SkinCommonData.h"
#include "tests/skin/AdapterFixture.h"
#include "toolkit/controls/Form.h"
#include "toolkit/controls/TreeView.h"
#include "toolkit/gdi/Gdi.h"
#include "skin/GeneralRoutines.h"
#include "tests/skin/DataTreeMaker.h"
#include "toolkit/win/ScrollBar.h"

namespace {

class SkTreeViewWndTest : public AdapterFixture {
protected:
  TColor HotColor() const { return ColorToRGB(manager.Section(Section("EDIT")).HotColor); }
};

TEST_F(SkTreeViewWndTest, ATreeTakesTheHotColourAndGetsTheWindowColourBack) {
  TProtocolFake tree("SysTreeView32", dialog.Handle(), {10, 10, 210, 160}, {}, WS_CHILD | WS_VISIBLE | WS_VSCROLL);
  auto adapter = TSkMainWnd::Make<TSkTreeViewWnd>(tree.Handle(), nullptr, &manager, "EDIT", true);
  adapter->ApplySkinLook();
  EXPECT_EQ(tree.State.BackColor, HotColor());
  const auto erased = Printed(tree.Handle(), WM_ERASEBKGND);
  EXPECT_EQ(erased->Canvas().Pixel(20, 20), HotColor()) << "erased in the hot colour";
  EXPECT_EQ(tree.Count(WM_ERASEBKGND), 0u);
  SendMessage(tree.Handle(), SM_SKINCMD, SkinCommand(scSkinRemoved), reinterpret_cast<LPARAM>(&manager));
  EXPECT_EQ(tree.State.BackColor, ColorToRGB(clWindow));
}

TEST_F(SkTreeViewWndTest, ATreeWithItsOwnCustomDrawKeepsItsOwnErasing) {
  for (const bool ownDrawing : {false, true}) {
    TForm form(nullptr);
    auto* tree = new TTreeView(&form);
    tree->SetParent(&form);
    if (ownDrawing) tree->OnAdvancedCustomDraw = [](TObject*, const TRect&, TCustomDrawStage, bool&) {};
    TSkinCommonData data(tree, true);
    data.SetSkinSection("EDIT");
    data.ResolveIndexes();
    bool reachedTree = false;
    const TWndMethodRef own = tree->WindowProc.Current();
    tree->WindowProc = [&reachedTree, own](TMessage& message) {
      reachedTree |= message.Msg == WM_ERASEBKGND;
      own(message);
    };
    auto adapter = TSkMainWnd::Make<TSkTreeViewWnd>(tree->Handle(), &data, &manager, "EDIT", false);
    tree->Perform(WM_ERASEBKGND, 0, 0);
    EXPECT_EQ(reachedTree, ownDrawing) << "own drawing " << ownDrawing;
    adapter.reset();
    tree->WindowProc = own;
  }
}

// A data tree with a visible header of two columns, hosting skin data of
// "EDIT"; reached by name, as the adapter reaches it.
class SkDataTreeViewWndTest : public AdapterFixture {
protected:
  SkDataTreeViewWndTest() {
    form.SetBounds(50, 50, 400, 300);
    tree = MakeDataTree(&form);
    data = std::make_unique<TSkinCommonData>(tree, true);
    data->SetSkinSection("EDIT");
    data->ResolveIndexes();
  }
  void Adapt() { adapter = TSkMainWnd::Make<TSkDataTreeViewWnd>(tree->Handle(), data.get(), &manager, "EDIT", true); }
  void RemoveSkin() {
    SendMessage(tree->Handle(), SM_SKINCMD, SkinCommand(scSkinRemoved), reinterpret_cast<LPARAM>(&manager));
  }
  TMethod Method(const char* name) const { return GetMethodProp(*tree, name); }
  bool OwnerDraw() const { return SetPropertyContains(ObjectProperty(tree, "Header"), "Options", "hoOwnerDraw"); }

  TForm form{nullptr};
  TWinControl* tree = nullptr;
  std::unique_ptr<TSkinCommonData> data;
  TSkAdapterPtr<TSkDataTreeViewWnd> adapter;
};

TEST_F(SkDataTreeViewWndTest, AnUnhandledHeaderGetsTheSkinsPainterUntilTheSkinGoes) {
  Adapt();
  adapter->ApplySkinLook();
  EXPECT_EQ(Method("OnAdvancedHeaderDraw"),
            (TMethod{reinterpret_cast<const void*>(&TSkDataTreeViewWnd::PaintHeaderCell), adapter.get()}));
  EXPECT_EQ(Method("OnHeaderDrawQueryElements"),
            (TMethod{reinterpret_cast<const void*>(&TSkDataTreeViewWnd::QueryHeaderElements), adapter.get()}));
  THeaderPaintInfo info;
  THeaderPaintElements elements;
  TSkDataTreeViewWnd::QueryHeaderElements(adapter.get(), nullptr, info, elements);
  EXPECT_EQ(elements.Bits(), 0x1Bu);
  EXPECT_TRUE(OwnerDraw());
  RemoveSkin();
  EXPECT_EQ(Method("OnAdvancedHeaderDraw"), TMethod{});
  EXPECT_EQ(Method("OnHeaderDrawQueryElements"), TMethod{});
  EXPECT_FALSE(OwnerDraw()) << "back as it was";
}

TEST_F(SkDataTreeViewWndTest, AnApplicationsOwnHeaderPaintingIsLeftAlone) {
  GiveOwnHeaderPainting(tree);
  const TMethod own = Method("OnAdvancedHeaderDraw");
  Adapt();
  adapter->ApplySkinLook();
  EXPECT_EQ(Method("OnAdvancedHeaderDraw"), own);
  EXPECT_EQ(Method("OnHeaderDrawQueryElements"), TMethod{});
  EXPECT_FALSE(OwnerDraw());
  RemoveSkin();
  EXPECT_EQ(Method("OnAdvancedHeaderDraw"), own);
}

TEST_F(SkDataTreeViewWndTest, TheHeaderCellsShowTheSkinsSection) {
  Adapt();
  adapter->ApplySkinLook();
  TBitmap target(300, 20, pf24bit);
  THeaderPaintInfo info;
  info.Canvas = &target.Canvas();
  info.Column = DataTreeColumn(tree, 0);
  info.CellRect = {0, 0, 100, 20};
  info.TextRect = {4, 2, 96, 18};
  TSkDataTreeViewWnd::PaintHeaderCell(adapter.get(), nullptr, info, {hpeBackground});
  EXPECT_EQ(target.Canvas().Pixel(0, 10), TestSkin::FrameColors[0]) << "the BUTTON section's border";
  info.Pressed = true;
  TSkDataTreeViewWnd::PaintHeaderCell(adapter.get(), nullptr, info, {hpeBackground});
  EXPECT_EQ(target.Canvas().Pixel(0, 10), TestSkin::FrameColors[2]) << "pressed";
  const TColor face = target.Canvas().Pixel(50, 10);
  TSkDataTreeViewWnd::PaintHeaderCell(adapter.get(), nullptr, info, {hpeText});
  bool ink = false;
  for (int x = 4; x < 96; ++x) ink |= target.Canvas().Pixel(x, 10) != face;
  EXPECT_TRUE(ink) << "the column's text written over the face";
}

TEST_F(SkDataTreeViewWndTest, DraggingTheThumbMovesTheScrollInformationAtOnce) {
  Adapt();
  SCROLLINFO info{.fMask = SIF_ALL};
  GetScrollInfo(tree->Handle(), SB_VERT, info);
  ASSERT_GT(info.nMax, 30);
  adapter->VertBar.Info = info;
  adapter->VertBar.Info.nTrackPos = 25;
  // Kept from the tree, which would scroll and set its position itself.
  const TWndMethodRef trees = adapter->SavedWindowProc;
  adapter->SavedWindowProc = TWndMethodRef();
  TMessage message{WM_VSCROLL, MAKEWPARAM(SB_THUMBTRACK, 25), 0, 0};
  adapter->AdapterWndProc(message);
  const int position = GetScrollPos(tree->Handle(), SB_VERT);
  adapter->SavedWindowProc = trees;
  EXPECT_EQ(position, 25);
}

}  // namespace
