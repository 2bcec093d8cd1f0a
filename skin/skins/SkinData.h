#pragma once
// The records of a loaded skin: one per section, one per image piece (mask),
// one per large background picture (pattern), and the skin-wide values.
// Colours are 0x00BBGGRR or system colours; 0xFF00FF (magenta) is the key
// colour of transparent pixels in every skin picture.

#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "skin/paint/Gradient.h"
#include "toolkit/base/Rect.h"
#include "toolkit/gdi/Bitmap.h"
#include "toolkit/gdi/Color.h"
#include "toolkit/gdi/JPEGImage.h"

class TSkinManager;

// One section of the skin: the look of one kind of control or window part.
// Transparency (how much of the parent shows through) and the percentages
// run from 0 to 100.
struct TSkinGeneralData {
  // The section this one inherits from, as written; empty or a name that is
  // no section: none.
  std::string ParentClass;
  std::string SectionName;  // the key of every look-up, compared exactly
  TColor Color = 0;
  // [0] the text colour; [1]..[4] colours of an outline of the text
  // (left, top, right, bottom copies), -1 for a copy that is not drawn.
  std::array<TColor, 5> FontColor{0, TColor(-1), TColor(-1), TColor(-1), TColor(-1)};
  std::array<TColor, 5> HotFontColor{0, TColor(-1), TColor(-1), TColor(-1), TColor(-1)};
  // Controls placed on a control of this section take its text colours.
  bool GiveOwnFont = false;
  // A switch of the section's own; the emulated scroll bars read it on "SCROLLBTNLEFT".
  bool ReservedBoolean = false;
  int Transparency = 0;
  int GradientPercent = 0;
  // One blank: no gradient.
  std::string GradientData = " ";
  TSkinGradArray GradientArray;
  int ImagePercent = 0;
  bool ShowFocus = false;
  // Carried from the skin; nothing fades.
  bool FadingEnabled = false;
  int FadingIterations = 0;
  // The same for the hot look (mouse over, pressed).
  TColor HotColor = 0;
  int HotTransparency = 0;
  int HotGradientPercent = 0;
  std::string HotGradientData;
  TSkinGradArray HotGradientArray;
  int HotImagePercent = 0;
};

enum TSkImgType : std::uint8_t { itisaBorder, itisaTexture, itisaGlyph };

// StretchMode bits the mask painter reads.
constexpr int smStretch = 1;            // stretch edges and centre instead of tiling
constexpr int smNoNormalBorder = 2;     // nothing drawn in the normal state
constexpr int smCentreInMask = 4;       // the centre belongs to the mask

// One image piece: a border frame, a texture or a glyph, with ImageCount
// state frames side by side in SourceRect. With MaskType n > 0 a frame is
// the rectangle's height div (n + 1) high, and the rows below the picture
// rows hold its alpha mask. A loaded mask has ImageCount >= 1 and
// MaskType >= 0.
struct TSkinMaskData {
  // The mask's own 24-bit picture; null when the pixels lie in the
  // manager's master bitmap.
  std::unique_ptr<TBitmap> Image;
  std::string SectionName;
  std::string PropertyName;  // the mask's name in its section ("BORDERSMASK", "PATTERN" ...)
  // In the master bitmap, or the whole own Image (all 0 for a texture made
  // from a small JPEG).
  TRect SourceRect;
  std::int16_t ImageCount = 1;
  std::int16_t MaskType = 0;
  std::int16_t BorderWidth = 0;  // one width for all four sides; 0: not given
  std::int16_t StretchMode = 0;
  TSkImgType ImgType = itisaBorder;
  TSkinManager* Manager = nullptr;
  // Border widths for nine-grid drawing.
  std::int16_t WL = 0;
  std::int16_t WT = 0;
  std::int16_t WR = 0;
  std::int16_t WB = 0;
};

// A large background picture (90,000 pixels or more).
struct TSkinPatternData {
  std::unique_ptr<TJPEGImage> Image;
  std::string SectionName;
  std::string PropertyName;
};

// The skin-wide values.
struct TSkinData {
  // Folder of the skin's image files, with a trailing "/".
  std::string SkinPath;
  // A skin is loaded and has been announced to the windows.
  bool SkinActive = false;
  double Version = 0;
  std::string Author;
  std::string Description;
  // Drop-shadow values, carried from the skin.
  TColor Shadow1Color = 0;
  int Shadow1Offset = 0;
  int Shadow1Blur = 0;
  int Shadow1Transparency = 0;
  // Not 0xFF00FF: controls inside skinned standard dialogs get a plain
  // frame of this colour instead of their skin border.
  TColor BorderColor = 0;
  // Gap between a skinned window's caption buttons, their vertical offset,
  // and the margins of the button row at its right and left end.
  int CaptionButtonSpacing = 0;
  int CaptionButtonVAlign = 0;
  int CaptionButtonsRight = 0;
  int CaptionButtonsLeft = 0;
};

// Indexes the scroll bars, tabs, check boxes and combo boxes need on every
// paint, refreshed after each load; -1: the skin lacks the piece. Sides
// are in the order top, bottom, left, right.
struct TCachedIndexes {
  static constexpr std::array<int, 4> None4{-1, -1, -1, -1};

  int GlobalInfo = -1;
  std::array<int, 4> TabSections = None4;  // "TABTOP" ... "TABRIGHT"
  std::array<int, 4> TabBorders = None4;
  std::array<int, 4> ScrollButtons = None4;  // "SCROLLBTNTOP" ... "SCROLLBTNRIGHT"
  std::array<int, 4> ScrollButtonBorders = None4;
  std::array<int, 4> ScrollButtonTextures = None4;
  std::array<int, 4> ScrollButtonHotTextures = None4;
  std::array<int, 4> ScrollButtonGlyphs = None4;
  std::array<int, 2> Sliders{-1, -1};  // "SCROLLSLIDERV", "SCROLLSLIDERH"
  std::array<int, 2> SliderBorders{-1, -1};
  std::array<int, 2> SliderGlyphs{-1, -1};
  // "PATTERN" and "HOTPATTERN" of the horizontal slider, then of the vertical one.
  std::array<int, 4> SliderTextures = None4;
  std::array<int, 4> ScrollBars = None4;  // "SCROLLBAR1H", "SCROLLBAR1V", "SCROLLBAR2H", "SCROLLBAR2V"
  std::array<int, 4> ScrollBarBorders = None4;
  std::array<int, 4> ScrollBarTextures = None4;
  std::array<int, 4> ScrollBarHotTextures = None4;
  // "BOXCHECKED" ... "SMALLGRAYED" of "GLOBALINFO", in the order of CheckBoxGlyphNames.
  std::array<int, 9> CheckBoxGlyphs{-1, -1, -1, -1, -1, -1, -1, -1, -1};
  int ComboButton = -1;  // "COMBOBTN"
  int ComboButtonBorder = -1;
  std::array<int, 2> ComboButtonTextures{-1, -1};  // "PATTERN", "HOTPATTERN"
  int ComboGlyph = -1;  // "GLYPHMASK" of "COMBOBOX"

  bool operator==(const TCachedIndexes&) const = default;
};

inline constexpr std::array<const char*, 9> CheckBoxGlyphNames{
    "BOXCHECKED",   "BOXUNCHECKED",   "BOXGRAYED",   "RADIOCHECKED", "RADIOUNCHECKED",
    "RADIOGRAYED", "SMALLCHECKED", "SMALLUNCHECKED", "SMALLGRAYED"};
