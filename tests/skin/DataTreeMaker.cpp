#include "tests/skin/DataTreeMaker.h"

#include "treeview/DTHeader.h"
#include "treeview/DataStringTree.h"
#include "treeview/DataTreeColumns.h"
#include "treeview/TreeProperties.h"

TWinControl* MakeDataTree(TWinControl* parent) {
  RegisterTreeProperties();
  auto* tree = new TDataStringTree(parent);
  tree->SetParent(parent);
  tree->SetBounds(10, 10, 300, 200);
  for (const char* text : {"Name", "Value"}) tree->Header().Columns().AddColumn().SetText(text);
  tree->Header().SetOptions({hoVisible, hoShowSortGlyphs});
  tree->SetRootNodeCount(100);
  return tree;
}

TPersistent* DataTreeColumn(TWinControl* tree, int index) {
  return &static_cast<TDataStringTree*>(tree)->Header().Columns().ColumnAt(index);
}

void GiveOwnHeaderPainting(TWinControl* tree) {
  static_cast<TDataStringTree*>(tree)->OnAdvancedHeaderDraw = [](TDTHeader*, THeaderPaintInfo&,
                                                                  THeaderPaintElements) {};
}
