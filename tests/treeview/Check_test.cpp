// Check boxes, radio buttons and push buttons: the next state, the pressed
// protocols of mouse and keys, tri-state propagation and the check images.

#include <gtest/gtest.h>

#include <set>

#include "runtime/Exceptions.h"
#include "tests/treeview/TreeTestSupport.h"
#include "toolkit/controls/Form.h"
#include "toolkit/gdi/Bitmap.h"
#include "toolkit/gdi/ImageList.h"
#include "toolkit/win/Keys.h"
#include "treeview/DataTreeError.h"
#include "treeview/TreeImages.h"

namespace {

class CheckTest : public testing::Test {
protected:
  CheckTest() : form(nullptr) {
    tree.SetBorderStyle(bsNone);
    tree.SetParent(&form);
    tree.SetBounds(0, 0, 200, 200);
    tree.HandleNeeded();
    Include(tree, toCheckSupport);
    tree.SetRootNodeCount(4);
    rows = AllNodes(tree);
    for (PDataNode node : rows) node->CheckType = nctCheckBox;
    tree.OnChecking = [this](TBaseDataTree*, PDataNode, TCheckState&, bool&) { ++checkingCalls; };
    tree.OnChecked = [this](TBaseDataTree*, PDataNode node) { checked.push_back(node); };
  }
  ~CheckTest() override { tree.SetParent(nullptr); }

  // A client point on the node's check image.
  TPoint CheckPoint(PDataNode node) {
    const TRect row = tree.NodeDisplayRect(node, ColumnNone, false);
    const int y = (row.Top + row.Bottom) / 2;
    for (int x = 0; x < row.Right; ++x) {
      THitInfo hit;
      tree.HitTestAt(x, y, true, hit);
      if (hit.HitNode == node && hit.HitPositions.Contains(htOnItemCheckbox)) return {x + 2, y};
    }
    ADD_FAILURE() << "no check image in the row";
    return {0, y};
  }
  void Press(TPoint p) { tree.Perform(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(p.X, p.Y)); }
  void Release(TPoint p) { tree.Perform(WM_LBUTTONUP, 0, MAKELPARAM(p.X, p.Y)); }
  void Click(PDataNode node) {
    Press(CheckPoint(node));
    Release(CheckPoint(node));
  }

  TForm form;
  TTestTree tree;
  std::vector<PDataNode> rows;
  int checkingCalls = 0;
  std::vector<PDataNode> checked;
};

TEST(CheckStateTest, NextCheckStateFollowsTheKind) {
  struct Case {
    TNodeCheckType Type;
    TCheckState From;
    TCheckState To;
  };
  const Case cases[] = {
      {nctCheckBox, csCheckedNormal, csUncheckedNormal},  {nctCheckBox, csUncheckedNormal, csCheckedNormal},
      {nctCheckBox, csMixedNormal, csCheckedNormal},      {nctCheckBox, csCheckedPressed, csCheckedNormal},
      {nctTriStateBox, csCheckedNormal, csUncheckedNormal}, {nctTriStateBox, csMixedNormal, csCheckedNormal},
      {nctRadioButton, csCheckedNormal, csCheckedNormal}, {nctRadioButton, csUncheckedNormal, csCheckedNormal},
      {nctButton, csUncheckedNormal, csUncheckedNormal},  {nctButton, csCheckedNormal, csUncheckedNormal},
      {nctNone, csUncheckedNormal, csMixedNormal},
  };
  for (const Case& c : cases)
    EXPECT_EQ(TBaseDataTree::NextCheckState(c.Type, c.From), c.To) << "type " << int(c.Type) << " from " << int(c.From);
}

TEST_F(CheckTest, ImageIndexFollowsTheTable) {
  // Per state: disabled, disabled and hot, enabled, enabled and hot.
  const int box[6][4] = {{12, 12, 9, 10},  {12, 12, 11, 11}, {16, 16, 13, 14},
                         {16, 16, 15, 15}, {20, 20, 17, 18}, {20, 20, 19, 19}};
  const int radio[6][4] = {{4, 4, 1, 2}, {4, 4, 3, 3}, {8, 8, 5, 6}, {8, 8, 7, 7}, {20, 20, 17, 18}, {20, 20, 19, 19}};
  const int button[6][4] = {{24, 24, 21, 22}, {24, 24, 23, 23}, {24, 24, 21, 22},
                            {24, 24, 23, 23}, {20, 20, 17, 18}, {20, 20, 19, 19}};
  const std::pair<TNodeCheckType, const int(*)[4]> kinds[] = {
      {nctCheckBox, box}, {nctTriStateBox, box}, {nctRadioButton, radio}, {nctButton, button}};
  const PDataNode node = rows[0];
  for (const auto& [type, table] : kinds)
    for (int state = 0; state < 6; ++state)
      for (int column = 0; column < 4; ++column) {
        node->CheckType = type;
        node->CheckState = static_cast<TCheckState>(state);
        if (column < 2) node->Include(nsDisabled); else node->Exclude(nsDisabled);
        tree.TrackHotNode(column % 2 == 1 ? node : nullptr);
        EXPECT_EQ(tree.CheckImageIndexOf(node), table[state][column])
            << "type " << int(type) << ", state " << state << ", column " << column;
      }
  node->CheckType = nctNone;
  EXPECT_EQ(tree.CheckImageIndexOf(node), -1);
}

TEST_F(CheckTest, AClickAppliesOnlyWhenReleasedOverTheSameRow) {
  rows[0]->CheckState = csCheckedNormal;
  Press(CheckPoint(rows[0]));
  EXPECT_EQ(rows[0]->CheckState, csCheckedPressed) << "pressed look while the button is down";
  EXPECT_EQ(tree.PendingCheckState(), csUncheckedNormal);
  CheckTree(tree);
  Release(CheckPoint(rows[2]));
  EXPECT_EQ(rows[0]->CheckState, csCheckedNormal) << "released elsewhere: checked and unpressed";
  EXPECT_TRUE(checked.empty());
  Click(rows[0]);
  EXPECT_EQ(rows[0]->CheckState, csUncheckedNormal);
  EXPECT_EQ(checked, (std::vector<PDataNode>{rows[0]}));
  CheckTree(tree);
}

TEST_F(CheckTest, TriStateParentsFollowTheirChildrenUpTheChain) {
  Include(tree, toAutoTristateTracking);
  const PDataNode top = rows[0];
  const PDataNode middle = tree.AppendChildNode(top);
  const PDataNode sibling = tree.AppendChildNode(top);
  const PDataNode a = tree.AppendChildNode(middle);
  const PDataNode b = tree.AppendChildNode(middle);
  top->CheckType = middle->CheckType = nctTriStateBox;
  sibling->CheckType = a->CheckType = b->CheckType = nctCheckBox;
  sibling->CheckState = csCheckedNormal;
  tree.SetNodeCheckState(a, csCheckedNormal);
  EXPECT_EQ(middle->CheckState, csMixedNormal);
  EXPECT_EQ(top->CheckState, csMixedNormal);
  tree.SetNodeCheckState(b, csCheckedNormal);
  EXPECT_EQ(middle->CheckState, csCheckedNormal) << "the last unchecked child checked";
  EXPECT_EQ(top->CheckState, csCheckedNormal) << "the change climbs to the next tri-state box";
  tree.SetNodeCheckState(a, csUncheckedNormal);
  EXPECT_EQ(middle->CheckState, csMixedNormal);
  EXPECT_EQ(top->CheckState, csMixedNormal);
  tree.SetNodeCheckState(b, csUncheckedNormal);
  EXPECT_EQ(middle->CheckState, csUncheckedNormal) << "all children unchecked";
  EXPECT_EQ(top->CheckState, csMixedNormal) << "its sibling is still checked";
  EXPECT_EQ(std::count(checked.begin(), checked.end(), top), 4) << "each change reaches the top once";
  tree.SetNodeCheckState(top, csCheckedNormal);
  for (PDataNode node : {middle, sibling, a, b}) EXPECT_EQ(node->CheckState, csCheckedNormal) << "pushed down";
  CheckTree(tree);
}

TEST_F(CheckTest, RadioButtonsStayCheckedAndClearTheirSiblings) {
  for (PDataNode node : rows) node->CheckType = nctRadioButton;
  rows[1]->CheckState = csCheckedNormal;
  Click(rows[2]);
  Click(rows[2]);
  EXPECT_EQ(rows[2]->CheckState, csCheckedNormal);
  EXPECT_EQ(rows[1]->CheckState, csUncheckedNormal);
  rows[3]->CheckType = nctButton;
  Click(rows[3]);
  EXPECT_EQ(rows[3]->CheckState, csUncheckedNormal) << "a push button returns to unchecked";
  EXPECT_EQ(checked.back(), rows[3]);
  CheckTree(tree);
}

TEST_F(CheckTest, DisabledNodesShowTheDisabledImageAndIgnoreClicksAndSpace) {
  const PDataNode node = rows[1];
  node->Include(nsDisabled);
  const std::pair<TCheckState, int> images[] = {{csUncheckedNormal, 12}, {csCheckedNormal, 16}, {csMixedNormal, 20}};
  for (const auto& [state, image] : images) {
    node->CheckState = state;
    EXPECT_EQ(tree.CheckImageIndexOf(node), image);
  }
  node->CheckState = csUncheckedNormal;
  Click(node);
  tree.SetFocusedNode(node);
  tree.Perform(WM_KEYDOWN, VK_SPACE, 0);
  tree.Perform(WM_KEYUP, VK_SPACE, 0);
  tree.SetNodeCheckState(node, csCheckedNormal);
  EXPECT_EQ(node->CheckState, csUncheckedNormal);
  EXPECT_EQ(checkingCalls, 0);
  CheckTree(tree);
}

TEST_F(CheckTest, ReadOnlyTreesNeverAskAndNeverChange) {
  Include(tree, toReadOnly);
  Click(rows[0]);
  tree.SetFocusedNode(rows[1]);
  tree.Perform(WM_KEYDOWN, VK_SPACE, 0);
  tree.Perform(WM_KEYUP, VK_SPACE, 0);
  EXPECT_EQ(checkingCalls, 0);
  EXPECT_EQ(rows[0]->CheckState, csUncheckedNormal);
  EXPECT_EQ(rows[1]->CheckState, csUncheckedNormal);
}

TEST_F(CheckTest, SpacePressesAndKeyUpApplies) {
  tree.SetFocusedNode(rows[2]);
  tree.Perform(WM_KEYDOWN, VK_SPACE, 0);
  EXPECT_EQ(rows[2]->CheckState, csUncheckedPressed);
  EXPECT_EQ(tree.PressedCheckNode(), rows[2]);
  tree.Perform(WM_KEYUP, VK_SPACE, 0);
  EXPECT_EQ(rows[2]->CheckState, csCheckedNormal);
  EXPECT_EQ(tree.PressedCheckNode(), nullptr);
  tree.Perform(WM_KEYDOWN, VK_SPACE, 0);
  tree.Perform(WM_KEYDOWN, VK_DOWN, 0);
  EXPECT_EQ(rows[2]->CheckState, csCheckedNormal) << "another key releases without applying";
  EXPECT_FALSE(tree.TreeStates().Contains(tsKeyCheckPending));
  tree.Perform(WM_KEYUP, VK_SPACE, 0);
  EXPECT_EQ(rows[2]->CheckState, csCheckedNormal);
  CheckTree(tree);
}

TEST_F(CheckTest, CheckImagesShowInFrontOfTheText) {
  const TRect withCheck = tree.NodeDisplayRect(rows[0], ColumnNone, true);
  rows[0]->CheckType = nctNone;
  const TRect without = tree.NodeDisplayRect(rows[0], ColumnNone, true);
  EXPECT_EQ(withCheck.Left - without.Left, 18) << "image width and its gap";
}

TEST(CheckImagesTest, EveryKindHasItsList) {
  std::set<TImageList*> lists;
  for (TCheckImageKind kind : {ckLightCheck, ckDarkCheck, ckLightTick, ckDarkTick, ckFlat, ckXP, ckSystem, ckSystemFlat}) {
    TImageList* images = TBaseDataTree::CheckImageListFor(kind);
    ASSERT_NE(images, nullptr) << "kind " << kind;
    EXPECT_EQ(images->Count(), 25) << "kind " << kind;
    lists.insert(images);
  }
  EXPECT_EQ(lists.size(), 8u);
  EXPECT_EQ(TBaseDataTree::CheckImageListFor(ckCustom), nullptr);
  EXPECT_EQ(TBaseDataTree::CheckImageListFor(ckSystem)->Width(), 16) << "menu check width + 3";
}

TEST(CheckImagesTest, CustomKindUsesTheCustomImages) {
  TTestTree tree;
  TImageList custom;
  tree.SetCustomCheckImages(&custom);
  EXPECT_EQ(tree.ActiveCheckImages(), TBaseDataTree::CheckImageListFor(ckLightCheck));
  tree.SetCheckImageKind(ckCustom);
  EXPECT_EQ(tree.ActiveCheckImages(), &custom);
}

TEST(CheckImagesTest, EveryImageOfASetLooksDifferent) {
  for (TCheckImageKind name : {ckLightCheck, ckDarkCheck, ckLightTick, ckDarkTick, ckFlat, ckXP, ckSystem, ckSystemFlat}) {
    const TImageList& images = *TBaseDataTree::CheckImageListFor(name);
    ASSERT_EQ(images.Count(), 25) << name;
    std::vector<std::vector<TColor>> pictures;
    for (int index = 0; index < images.Count(); ++index) {
      TBitmap picture;
      images.GetBitmap(index, picture);
      std::vector<TColor> pixels;
      for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) pixels.push_back(picture.Handle()->Pixel(x, y));
      pictures.push_back(pixels);
    }
    for (size_t i = 0; i < pictures.size(); ++i)
      for (size_t j = i + 1; j < pictures.size(); ++j)
        EXPECT_NE(pictures[i], pictures[j]) << name << ": images " << i << " and " << j << " look the same";
  }
}

TEST(CheckImagesTest, AnUnknownStripIsAnError) {
  TImageList images;
  try {
    LoadImageStrip(images, "DTREE_NOTHING", true);
    FAIL() << "no error";
  } catch (const EDataTreeError& error) {
    EXPECT_STREQ(error.what(), "Internal image \"DTREE_NOTHING\" is missing or corrupt.");
  }
}

}  // namespace
