#pragma once
// The tree whose cells the application draws: the tree paints rows,
// indentation, lines, buttons, images and selection, and hands the rest of
// each cell to OnDrawNode; the width of a cell's content comes from
// OnGetNodeWidth.

#include <functional>

#include "treeview/BaseDataTree.h"

class TCustomDataDrawTree;

using TDTDrawNodeEvent = std::function<void(TCustomDataDrawTree* sender, const TDTPaintInfo& paintInfo)>;
using TDTGetNodeWidthEvent = std::function<void(TCustomDataDrawTree* sender, TCanvas& hintCanvas, PDataNode node,
                                                TColumnIndex column, int& nodeWidth)>;
using TDTDrawHintEvent = std::function<void(TCustomDataDrawTree* sender, TCanvas& hintCanvas, PDataNode node,
                                            const TRect& r, TColumnIndex column)>;
using TDTGetHintSizeEvent =
    std::function<void(TCustomDataDrawTree* sender, PDataNode node, TColumnIndex column, TRect& r)>;

class TCustomDataDrawTree : public TBaseDataTree {
public:
  using TBaseDataTree::TBaseDataTree;

  // 2 x TextMargin unless OnGetNodeWidth says otherwise.
  int NodeContentWidth(PDataNode node, TColumnIndex column, TCanvas& canvas) override;

  TDTDrawNodeEvent OnDrawNode;
  TDTGetNodeWidthEvent OnGetNodeWidth;
  TDTDrawHintEvent OnDrawHint;
  TDTGetHintSizeEvent OnGetHintSize;

  // The hint of a node: its size and its picture come from the application.
  virtual void FireDrawHint(TCanvas& canvas, PDataNode node, const TRect& r, TColumnIndex column);
  virtual void FireGetHintSize(PDataNode node, TColumnIndex column, TRect& r);

protected:
  void PaintNodeContent(TDTPaintInfo& paintInfo) override;
};
