#pragma once
// The combo box adapters. TSkComboBoxWnd paints a combo's frame and its
// drop-down button from the skin; when the combo first shows its list it
// takes the list window over with a TSkComboListWnd, which paints the
// list's frame and emulated scroll bars.

#include <memory>

#include "skin/adapters/SkEditWnd.h"

class TBitmap;
class TGdiBrush;
using HBRUSH = TGdiBrush*;

class TSkComboListWnd : public TSkEditWnd {
public:
  void AdapterWndProc(TMessage& message) override;

  bool ListShown = false;      // the combo tracks the mouse in its dropped list
  bool OfSimpleCombo = false;  // the list of a CBS_SIMPLE combo, always shown

protected:
  bool TurnsVisualStylesOff(bool repaint) const override { return repaint; }
  // A dropped list keeps the capture after a click on its bar: the drop-down stays open.
  bool KeepsCaptureOnRelease() const override { return !OfSimpleCombo; }

private:
  void PaintListFrame();
  void PaintNonClient();
  // The emulated bar hit at a screen point (HTHSCROLL, HTVSCROLL or another code).
  WPARAM BarHitAt(TPoint screenPoint);
  bool Print(TMessage& message);
};

class TSkComboBoxWnd : public TSkEditWnd {
public:
  void AdapterWndProc(TMessage& message) override;
  // The drop-down button, in window coordinates.
  virtual TRect ButtonRect() const;
  void PaintComboButton(HDC dc);
  void PaintSimpleComboFrame();

  HWND ListHandle = nullptr;
  TSkAdapterPtr<TSkComboListWnd> ListAdapter;

protected:
  ~TSkComboBoxWnd() override;
  // The button of that width at the window's right (at its left for
  // right-to-left reading), 2 pixels inside the window's edges.
  TRect ButtonRectOfWidth(int width) const;

private:
  int ButtonState() const;
  bool IsSimple() const;
  bool IsDropDownList() const;
  void PaintButtonOnWindow();
  // A copy of the cache with the button painted in its state.
  std::unique_ptr<TBitmap> ButtonPicture() const;
  void PaintButtonIntoCache();
  void PaintCurrentText();
  void PaintOnPaint(TMessage& message);
  void AnswerListColor(TMessage& message);
  void Print(HDC dc);
  // The brush answered to WM_CTLCOLORLISTBOX, made again when the colour changes.
  HBRUSH ListBrush(TColor color);

  HBRUSH listBrush_ = nullptr;
  TColor listBrushColor_ = 0;
};
