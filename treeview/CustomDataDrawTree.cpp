#include "treeview/CustomDataDrawTree.h"

int TCustomDataDrawTree::NodeContentWidth(PDataNode node, TColumnIndex column, TCanvas& canvas) {
  int width = 2 * TextMargin();
  if (OnGetNodeWidth) OnGetNodeWidth(this, canvas, node, column, width);
  return width;
}

void TCustomDataDrawTree::PaintNodeContent(TDTPaintInfo& paintInfo) {
  if (OnDrawNode) OnDrawNode(this, paintInfo);
}

void TCustomDataDrawTree::FireDrawHint(TCanvas& canvas, PDataNode node, const TRect& r, TColumnIndex column) {
  if (OnDrawHint) OnDrawHint(this, canvas, node, r, column);
}

void TCustomDataDrawTree::FireGetHintSize(PDataNode node, TColumnIndex column, TRect& r) {
  if (OnGetHintSize) OnGetHintSize(this, node, column, r);
}
