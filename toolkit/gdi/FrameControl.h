#pragma once
// The classic button glyphs: check boxes, three-state boxes, radio buttons
// and push buttons in their normal, hot, pushed and inactive looks, flat or
// raised. DrawFrameControl paints them in the system colours; DrawButtonGlyph
// takes the colours and the shape of the check mark from the caller, for
// controls that keep their own sets of glyphs.

#include "toolkit/base/Handles.h"
#include "toolkit/base/Rect.h"
#include "toolkit/gdi/Color.h"
#include "toolkit/gdi/DeviceContext.h"

constexpr UINT DFC_BUTTON = 4;
constexpr UINT DFCS_BUTTONCHECK = 0x0000;
constexpr UINT DFCS_BUTTONRADIO = 0x0004;
constexpr UINT DFCS_BUTTON3STATE = 0x0008;
constexpr UINT DFCS_BUTTONPUSH = 0x0010;
constexpr UINT DFCS_INACTIVE = 0x0100;
constexpr UINT DFCS_PUSHED = 0x0200;
constexpr UINT DFCS_CHECKED = 0x0400;
constexpr UINT DFCS_HOT = 0x1000;
constexpr UINT DFCS_FLAT = 0x4000;

enum TCheckMarkShape { cmsCheck, cmsTick };

// The colours of a glyph, by their role in the classic look.
struct TButtonGlyphLook {
  TColor Highlight;   // lit edges
  TColor Face;        // button face; the inside of a pushed or inactive box
  TColor Shadow;      // shaded edges, the flat frame, inactive marks
  TColor DarkShadow;  // the inner shaded edge
  TColor Window;      // the inside of a box or radio button
  TColor Mark;        // check mark, radio dot, three-state square
  TColor Hot;         // the frame under the mouse
  TCheckMarkShape MarkShape = cmsCheck;
};

// The system colours' look (Hot: COLOR_HOTLIGHT).
TButtonGlyphLook SystemButtonGlyphLook();
// Paints the glyph of a DFCS_BUTTON* kind with DFCS_* state flags into the
// square centred in rect; the rest of rect stays untouched.
void DrawButtonGlyph(HDC dc, const TRect& rect, UINT state, const TButtonGlyphLook& look);
// Type DFC_BUTTON only (false for any other): DrawButtonGlyph in the system look.
bool DrawFrameControl(HDC dc, const TRect& rect, UINT type, UINT state);
