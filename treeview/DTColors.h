#pragma once
// The fifteen colours the tree paints with besides its own Color.

#include <array>

#include "toolkit/gdi/Color.h"

class TBaseDataTree;

enum TDTColorIndex {
  DisabledColor, DropMarkColor, DropTargetColor, FocusedSelectionColor, GridLineColor, TreeLineColor,
  UnfocusedSelectionColor, BorderColor, HotColor, FocusedSelectionBorderColor, UnfocusedSelectionBorderColor,
  DropTargetBorderColor, SelectionRectangleBlendColor, SelectionRectangleBorderColor, HeaderHotColor,
};

class TDTColors {
public:
  explicit TDTColors(TBaseDataTree& owner) : owner_(owner) {}

  // Outside 0..14 a range error.
  TColor Color(int index) const;
  void SetColor(int index, TColor color);
  // Takes all fifteen colours at once.
  void Assign(const TDTColors& source);

private:
  TBaseDataTree& owner_;
  std::array<TColor, 15> colors_{clBtnShadow, clHighlight, clHighlight, clHighlight, clBtnFace,
                                 clBtnShadow, clBtnFace,   clBtnFace,   clWindowText, clHighlight,
                                 clBtnFace,   clHighlight, clHighlight, clHighlight,  clBtnShadow};
};
