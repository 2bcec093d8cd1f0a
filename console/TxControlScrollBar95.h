#pragma once
// Drives one of a window's standard scroll bars for the text editor: keeps
// its range, page and position and turns scroll requests into positions.

#include <functional>

#include "toolkit/base/Handles.h"

class TTxControlScrollBar95 {
public:
  enum TParam { spMin = 0, spMax = 1, spPosition = 2, spPage = 3 };

  // Kind: SB_HORZ or SB_VERT.
  explicit TTxControlScrollBar95(int kind) : Kind(kind) {}

  int Position() const { return position_; }
  int Min() const { return min_; }
  int Max() const { return max_; }
  int Page() const { return page_; }
  // Max below Min raises EInvalidOperation "Scrollbar property out of
  // range"; the position is kept within Min..Max. The window's bar follows
  // when there is a Handle.
  void SetParam(TParam which, int value);
  void SetPosition(int position) { SetParam(spPosition, position); }
  // The position a scroll request asks for (WM_HSCROLL / WM_VSCROLL), after
  // OnScroll had its say; it becomes the Position.
  int DoScroll(int code);

  const int Kind;
  int SmallChange = 1;
  int LargeChange = 1;
  HWND Handle = nullptr;
  std::function<void(int code, int& pos)> OnScroll;

private:
  void UpdateWindowBar() const;

  int position_ = 0;
  int min_ = 0;
  int max_ = 0;
  int page_ = 1;
};
