// Painting: the row pipeline, its pieces and the owner-drawn tree.

#include <gtest/gtest.h>

#include "tests/toolkit/Pixels.h"
#include "tests/treeview/TreeTestSupport.h"
#include "toolkit/controls/Form.h"
#include "toolkit/gdi/Bitmap.h"
#include "toolkit/gdi/Canvas.h"
#include "treeview/DTColors.h"
#include "treeview/DataDrawTree.h"

namespace {

class PaintTest : public testing::Test {
protected:
  PaintTest() : form(nullptr), tree(new TDataDrawTree(&form)) {
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
  TDataDrawTree* tree;
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

}  // namespace
