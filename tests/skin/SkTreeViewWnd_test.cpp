#include "skin/adapters/SkTreeViewWnd.h"

#include <gtest/gtest.h>

#include "skin/ControlRoutines.h"
#include "skin/SkinCommonData.h"
#include "tests/skin/AdapterFixture.h"
#include "toolkit/controls/Form.h"
#include "toolkit/controls/TreeView.h"
#include "toolkit/gdi/Gdi.h"

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

}  // namespace
