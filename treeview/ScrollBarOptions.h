#pragma once
// Which scroll bars the tree has and how far one scroll step goes.

#include "toolkit/controls/Control.h"

class TBaseDataTree;

enum TScrollBarStyle { sbmRegular, sbmFlat, sbm3D };

class TScrollBarOptions {
public:
  explicit TScrollBarOptions(TBaseDataTree& owner) : owner_(owner) {}

  bool AlwaysVisible() const { return alwaysVisible_; }
  void SetAlwaysVisible(bool value);
  TScrollStyle ScrollBars() const { return scrollBars_; }
  void SetScrollBars(TScrollStyle value);
  TScrollBarStyle ScrollBarStyle() const { return style_; }
  // Only the regular style exists; any other is refused.
  void SetScrollBarStyle(TScrollBarStyle value);
  bool HasHorizontal() const { return scrollBars_ == ssHorizontal || scrollBars_ == ssBoth; }
  bool HasVertical() const { return scrollBars_ == ssVertical || scrollBars_ == ssBoth; }
  void Assign(const TScrollBarOptions& source);

  int HorizontalIncrement = 20;
  int VerticalIncrement = 20;

private:
  // The window style carries the scroll bars: a window that exists is made again.
  void RecreateOwnerWindow();

  TBaseDataTree& owner_;
  bool alwaysVisible_ = false;
  TScrollStyle scrollBars_ = ssBoth;
  TScrollBarStyle style_ = sbmRegular;
};
