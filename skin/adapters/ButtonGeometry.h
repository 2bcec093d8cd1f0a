#pragma once
// Where a skinned push button's caption and glyph lie, and which frame of a
// bit button's glyph strip shows. Plain values in, plain values out: the
// button adapters measure the window and the text and feed them.

#include "toolkit/base/Rect.h"
#include "toolkit/controls/ButtonLayout.h"

// The caption box of text centred in a window of that size: one pixel wider
// on the left and two on the right than the text; moved by (1, 1) when pushed.
TRect CenteredCaptionRect(TSize window, TSize text, bool pushed);

// A bit button's glyph of glyph size beside a text of text size, spacing
// apart (none without a glyph or a text), centred in the window as the
// layout places it; moved by (1, 1) when pushed.
TRect BitBtnGlyphRect(TButtonLayout layout, TSize window, TSize glyph, TSize text, int spacing, bool pushed);

// A plain button's bitmap left of its caption box, 2 pixels apart, centred
// vertically (one lower when pushed); empty without a bitmap.
TRect CaptionGlyphRect(const TRect& caption, TSize window, TSize glyph, bool pushed);

// The frame of a glyph strip of numGlyphs (up, disabled, clicked, down)
// for the button's state. A strip without a disabled frame shows its first
// one (faded with the whole disabled face).
int BitBtnGlyphFrame(int numGlyphs, bool pushed, bool enabled);
