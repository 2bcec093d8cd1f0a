#pragma once
// Fonts of the toolkit as Qt fonts, for the Qt backend's own files.

class QFont;
class TGdiFont;

// The Qt font that draws the toolkit font (HFONT); never null.
QFont QFontOfHandle(TGdiFont* font);
