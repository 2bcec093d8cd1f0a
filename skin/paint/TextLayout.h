#pragma once
// Captions in a skin section's text colours, with the section's contours
// (one copy each one pixel left, above, right and below, before the text),
// shortening a text to a width, and placing a button's glyph and caption.
// A null text is an absent one: nothing is drawn; "" is a text.

#include <string>
#include <string_view>

#include "toolkit/base/Rect.h"
#include "toolkit/controls/ButtonLayout.h"

class TCanvas;
class TDeviceContext;
using HDC = TDeviceContext*;
class TSkinCommonData;
class TSkinManager;

// text cut to maxWidth on the canvas with "..." after what is kept; "" for
// a maxWidth of 0 or less, or when not one character fits with the dots.
std::string FitText(TCanvas& canvas, std::string_view text, int maxWidth);
int DrawTextStr(HDC dc, std::string_view text, TRect r, unsigned flags);
int TextWidthOf(TCanvas& canvas, std::string_view text);
TSize TextSizeOf(TCanvas& canvas, std::string_view text);
void TextRectStr(TCanvas& canvas, const TRect& r, int x, int y, std::string_view text);

// A skinned control's caption in its host's font, clipped to r: contours
// and text colour of its section for the state (not with CustomFont), or
// dimmed toward the skin's global colour when disabled.
void WriteControlText(TCanvas& canvas, const char* text, bool enabled, const TRect& r, unsigned flags,
                      TSkinCommonData& skinData, bool hot);
// A text in a section's colours without a control; disabled, dimmed toward
// the section's own colour. A null manager is the default one.
void WriteSectionText(TCanvas& canvas, const char* text, bool enabled, const TRect& r, unsigned flags, int skinIndex,
                      bool hot, TSkinManager* manager);

// Places a glyph and a caption of the sizes in client. alignment 0 left,
// 1 right, 2 centre (of glyph-left and glyph-right layouts); a margin of -1
// is worked out, a spacing below 0 shares what is free; bit 1 of biDiFlags
// swaps the left and right layouts.
void LayoutGlyphAndText(const TRect& client, TPoint glyphSize, TPoint textSize, TButtonLayout layout, int alignment,
                        int margin, int spacing, TPoint& glyphPos, TRect& textRect, int biDiFlags);
