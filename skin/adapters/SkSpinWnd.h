#pragma once
// Up-down controls and size grips painted from the skin. TSkSpinWnd paints
// an up-down's two halves as skinned buttons with the skin's scroll arrows,
// the half under the cursor hot (pressed while the left button is down);
// dialog spins leave LeftOffset columns at their left alone. TSkSizerWnd
// paints a size box's grip image in its bottom-right corner and makes
// every point of it the bottom-right corner of the window it sizes.

#include "skin/adapters/SkMainWnd.h"

// The two halves of a spin of that size: up and down (the upper one taking
// the odd row), or left and right.
struct TSpinHalves {
  TRect First;
  TRect Second;
};
TSpinHalves SpinHalves(TSize window, bool vertical, int leftOffset);
// The halves' frames (0 normal, 1 hot, 2 pressed) for a cursor on the
// screen: the half under it hot or pressed, the other normal; both normal
// with the cursor off the window.
void SpinStates(const TRect& windowRect, TPoint cursor, bool vertical, bool mouseDown, int& first, int& second);

class TSkSpinWnd : public TSkMainWnd {
public:
  void AdapterWndProc(TMessage& message) override;
  // The arrows lie one above the other (no UDS_HORZ).
  virtual bool IsVertical();

  int LeftOffset = 0;
  bool MouseDown = false;
  int FirstState = 0;
  int SecondState = 0;

private:
  void Paint(WPARAM wParam);
  void PrepareCache();
  void PaintHalf(const TRect& half, int state, int arrowMask, const TBackdropRef& backdrop);
};

class TSkSizerWnd : public TSkMainWnd {
public:
  void AdapterWndProc(TMessage& message) override;

private:
  void Paint(WPARAM wParam);
};
