#pragma once
// The adapter of a check box or radio button window: the section's face
// over the parent's background, the caption in the skin's text colours and
// a check glyph of the skin's GLOBALINFO section, chosen by the check state
// and drawn in the frame of the push, focus or hot state.

#include <string>

#include "skin/adapters/SkMainWnd.h"

class TBitmap;
class TDeviceContext;
using HDC = TDeviceContext*;

class TSkCheckBoxWnd : public TSkMainWnd {
public:
  void AdapterWndProc(TMessage& message) override;

private:
  void Paint(TMessage& message);
  void BuildCache(HDC dc);
  void PaintCaption(TBitmap& cache, DWORD style, LRESULT buttonState);
  void PaintGlyph(TBitmap& cache, DWORD style, LRESULT buttonState);
  void FadeWhenDisabled(TBitmap& cache, const TBackdropRef& parent);
  bool IsHotWindow() const;
};

// 0 unchecked, 1 checked, 2 indeterminate, from what BM_GETSTATE answers.
int CheckStateOf(LRESULT buttonState);
// The GLOBALINFO mask for the check state: radio buttons (style types
// BS_RADIOBUTTON and BS_AUTORADIOBUTTON) take the radio glyphs, every
// other check style the box glyphs; both show "BOXGRAYED" indeterminate.
std::string CheckGlyphMaskName(DWORD style, int checkState);
// The glyph's frame: 2 pushed, 1 focused or under the mouse, else 0.
int CheckGlyphFrame(LRESULT buttonState, bool hot);
