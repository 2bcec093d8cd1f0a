#pragma once
// Windows that scroll their children with the standard scroll bars. The
// range of each bar comes from the children (how far they reach, counted
// from the unscrolled origin); a bar shows only while it is Visible and the
// range is larger than the client area. Scrolling moves the children.

#include <algorithm>

#include "toolkit/controls/Form.h"

class TScrollingWinControl;

enum TScrollBarKind { sbHorizontal, sbVertical };

// One of the two bars of a scrolling window.
class TControlScrollBar {
public:
  TControlScrollBar(TScrollingWinControl& control, TScrollBarKind kind) : control_(control), kind_(kind) {}

  TScrollBarKind Kind() const { return kind_; }
  bool Visible() const { return visible_; }
  void SetVisible(bool visible);
  // The distance from the unscrolled origin to the client area's edge.
  int Position() const { return position_; }
  void SetPosition(int position);
  // Pixels from the unscrolled origin to the farthest child edge.
  int Range() const { return range_; }
  // Pixels a line request scrolls; Smooth makes it a tenth of the page.
  int Increment = 8;
  bool Smooth = false;
  // The children follow the thumb while it is dragged, not only when it is dropped.
  bool Tracking = false;
  bool IsScrollBarVisible() const { return shown_; }

private:
  friend class TScrollingWinControl;
  int Bar() const { return kind_ == sbVertical ? SB_VERT : SB_HORZ; }
  int Page() const;
  int LineSize() const { return Smooth ? std::max(Page() / 10, 1) : Increment; }
  int MaxPosition() const { return std::max(range_ - Page(), 0); }
  void Update();
  void Scroll(int request, int trackPosition);

  TScrollingWinControl& control_;
  TScrollBarKind kind_;
  bool visible_ = true;
  int position_ = 0;
  int range_ = 0;
  bool shown_ = false;
};

class TScrollingWinControl : public TWinControl {
public:
  explicit TScrollingWinControl(TComponent* owner);

  TControlScrollBar& HorzScrollBar() { return horz_; }
  TControlScrollBar& VertScrollBar() { return vert_; }
  // Scrolls so that the control (a child, or deeper) is wholly in view when it fits.
  void ScrollInView(TControl* control);

protected:
  void AlignControls(TRect& rect) override;
  void PaintWindow(HDC dc) override;
  void Dispatch(TMessage& message) override;

private:
  friend class TControlScrollBar;
  // Moves every child by (dx, dy) after a position changed.
  void ScrollChildren(int dx, int dy);
  void UpdateScrollBars();
  int ChildrenReach(TScrollBarKind kind) const;
  void WMHScroll(TMessage& message);
  void WMVScroll(TMessage& message);
  void WMMouseWheel(TMessage& message);

  TControlScrollBar horz_{*this, sbHorizontal};
  TControlScrollBar vert_{*this, sbVertical};
  bool updatingBars_ = false;
};

// A scrolling window with a sunken edge (BorderStyle bsSingle, the default).
class TScrollBox : public TScrollingWinControl {
public:
  explicit TScrollBox(TComponent* owner);

  TBorderStyle BorderStyle() const { return borderStyle_; }
  void SetBorderStyle(TBorderStyle style);

protected:
  void CreateParams(TCreateParams& params) override;

private:
  TBorderStyle borderStyle_ = bsSingle;
};
