#pragma once
// The pieces of a tool button's skinned look that the skinnable tool bar
// and the adapter of the toolkit's tool bars paint alike.

class TBitmap;
class TSkinManager;
class TToolBar;
class TToolButton;
struct TBackdropRef;
struct TRect;
class TDeviceContext;
using HDC = TDeviceContext*;
using TCustomDrawState = unsigned;

// 0 normal, 1 hot, 2 pressed, as the button's custom-draw state reads
// (marked and indeterminate buttons look pressed).
int ToolButtonStateIndex(const TToolButton& button, TCustomDrawState state);
// The button's image (the hot list's in states above 0, when it holds the
// index) onto bmp, its key pixels left out; one pixel lower and right in
// state 2.
void CopyToolButtonImage(TToolBar& bar, TToolButton* button, int stateIndex, TBitmap* bmp);
// A drop-down button's arrow part from left to bmp's right edge: the
// TOOLBUTTON border in the arrow's state (pressed when dropped or down,
// hot with cdsHot) and the bottom scroll button's glyph.
void PaintToolButtonArrow(TToolBar& bar, TSkinManager* manager, TToolButton* button, bool dropped,
                          TCustomDrawState state, TBitmap* bmp, int left, const TBackdropRef& backdrop);
// The four bands of the window around its client area (window coordinates) from cache.
void CopyBandsAroundClient(HDC dc, HDC cache, const TRect& client, int width, int height);
