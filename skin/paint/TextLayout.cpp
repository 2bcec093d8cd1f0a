#include "skin/paint/TextLayout.h"

#include <array>

#include "skin/SkinCommonData.h"
#include "skin/paint/PixelRoutines.h"
#include "skin/skins/SkinManager.h"
#include "toolkit/controls/GraphicControl.h"
#include "toolkit/gdi/Canvas.h"
#include "toolkit/gdi/DeviceContext.h"
#include "toolkit/gdi/Gdi.h"

namespace {

constexpr std::string_view Ellipsis = "...";
constexpr TColor NoContour = TColor(-1);

// Class codes of hosts that may write in their parent's colours.
constexpr int ccCheckBox = 32;
constexpr int ccRadioButton = 33;
constexpr int ccGroupBox = 74;

// Takes the last character (all its UTF-8 bytes) off.
void DropLastCharacter(std::string& text) {
  while (!text.empty() && (static_cast<unsigned char>(text.back()) & 0xC0) == 0x80) text.pop_back();
  if (!text.empty()) text.pop_back();
}

void DrawIn(TCanvas& canvas, std::string_view text, TRect r, unsigned flags) { canvas.TextRect(r, text, flags); }

// The section's colours for the state: the text colour, then the contours
// left, top, right, bottom.
const std::array<TColor, 5>& FontColorsOf(const TSkinGeneralData& section, bool hot) {
  return hot ? section.HotFontColor : section.FontColor;
}

// Each contour that is given, in its colour, r moved one pixel its way.
void DrawContours(TCanvas& canvas, std::string_view text, const TRect& r, unsigned flags,
                  const std::array<TColor, 5>& colors) {
  const TPoint shifts[4] = {{-1, 0}, {0, -1}, {1, 0}, {0, 1}};
  for (int side = 0; side < 4; ++side) {
    if (colors[side + 1] == NoContour) continue;
    canvas.Font().SetColor(colors[side + 1]);
    DrawIn(canvas, text, Rect(r.Left + shifts[side].X, r.Top + shifts[side].Y, r.Right + shifts[side].X,
                              r.Bottom + shifts[side].Y),
           flags);
  }
}

// The section a host writes in: a check box, radio button, group box or
// graphic control in its parent's font, over a section it shows through,
// takes the colours of the section it lies on.
int TextSectionOf(const TSkinCommonData& skinData, TSkinManager& manager, bool hot) {
  const int own = skinData.SectionIndex;
  TControl* host = skinData.HostControl();
  if (!host || !manager.IsSectionIndex(own) || !host->ParentFont() || !host->Parent()) return own;
  const int code = skinData.ClassCode;
  if (code != ccCheckBox && code != ccRadioButton && code != ccGroupBox && !dynamic_cast<TGraphicControl*>(host))
    return own;
  const TSkinGeneralData& section = manager.Section(own);
  if ((hot ? section.HotTransparency : section.Transparency) < 1) return own;
  return FontSectionOfToolButton(host, own, &manager);
}

}  // namespace

std::string FitText(TCanvas& canvas, std::string_view text, int maxWidth) {
  if (maxWidth <= 0) return {};
  std::string result(text);
  if (result.empty() || canvas.TextWidth(result) <= maxWidth) return result;
  while (!result.empty() && canvas.TextWidth(result + std::string(Ellipsis)) > maxWidth) DropLastCharacter(result);
  if (!result.empty()) result += Ellipsis;
  return result;
}

int DrawTextStr(HDC dc, std::string_view text, TRect r, unsigned flags) { return DrawText(dc, text, r, flags); }

int TextWidthOf(TCanvas& canvas, std::string_view text) { return canvas.TextWidth(text); }

TSize TextSizeOf(TCanvas& canvas, std::string_view text) { return canvas.TextExtent(text); }

void TextRectStr(TCanvas& canvas, const TRect& r, int x, int y, std::string_view text) {
  canvas.TextRect(r, x, y, text);
}

void WriteControlText(TCanvas& canvas, const char* text, bool enabled, const TRect& r, unsigned flags,
                      TSkinCommonData& skinData, bool hot) {
  if (TControl* host = skinData.HostControl()) {
    canvas.Font().Assign(host->Font());
    if (hot && skinData.SkinSection() == "WEBBUTTON") canvas.Font().SetStyle(canvas.Font().Style() | fsUnderline);
  }
  const TClipKeeper clip(canvas.Handle());
  IntersectClipRect(canvas.Handle(), r.Left, r.Top, r.Right, r.Bottom);
  if (!text) return;
  TSkinManager* manager = skinData.GetSkinManager();
  const int section = manager ? TextSectionOf(skinData, *manager, hot) : -1;
  const bool usable = manager && manager->IsSectionIndex(section);
  canvas.Brush().SetStyle(bsClear);
  if (enabled) {
    if (usable && !skinData.CustomFont()) {
      const std::array<TColor, 5>& colors = FontColorsOf(manager->Section(section), hot);
      DrawContours(canvas, text, r, flags, colors);
      canvas.Font().SetColor(colors[0]);
    }
    DrawIn(canvas, text, r, flags | DT_NOCLIP);
    return;
  }
  if (usable)
    canvas.Font().SetColor(WeighColors(manager->Section(section).FontColor[0], manager->GlobalColor(), 0.4));
  DrawIn(canvas, text, r, flags);
}

void WriteSectionText(TCanvas& canvas, const char* text, bool enabled, const TRect& r, unsigned flags, int skinIndex,
                      bool hot, TSkinManager* manager) {
  if (!manager) manager = DefaultManager();
  if (!manager || !manager->IsSectionIndex(skinIndex)) return;
  canvas.Brush().SetStyle(bsClear);
  if (!text) return;
  const TSkinGeneralData& section = manager->Section(skinIndex);
  if (enabled) {
    const std::array<TColor, 5>& colors = FontColorsOf(section, hot);
    DrawContours(canvas, text, r, flags, colors);
    canvas.Font().SetColor(colors[0]);
  } else {
    canvas.Font().SetColor(WeighColors(section.FontColor[0], section.Color, 0.4));
  }
  DrawIn(canvas, text, r, flags);
}

void LayoutGlyphAndText(const TRect& client, TPoint glyphSize, TPoint textSize, TButtonLayout layout, int alignment,
                        int margin, int spacing, TPoint& glyphPos, TRect& textRect, int biDiFlags) {
  if (biDiFlags & 2) {
    if (layout == blGlyphLeft)
      layout = blGlyphRight;
    else if (layout == blGlyphRight)
      layout = blGlyphLeft;
  }
  const int cw = client.Width(), ch = client.Height();
  const bool across = layout == blGlyphLeft || layout == blGlyphRight;
  glyphPos = {0, 0};
  TPoint text{0, 0};
  if (across) {
    glyphPos.Y = (ch - glyphSize.Y + 1) / 2;
    text.Y = (ch - textSize.Y + 1) / 2;
  } else {
    glyphPos.X = (cw - glyphSize.X + 1) / 2;
    text.X = (cw - textSize.X + 1) / 2;
  }
  if (textSize.X == 0 || glyphSize.X == 0) spacing = 0;
  // The length along the layout and the glyph's and text's share of it.
  const int length = across ? cw : ch;
  const int glyphLength = across ? glyphSize.X : glyphSize.Y;
  const int textLength = across ? textSize.X : textSize.Y;
  if (margin == -1) {
    if (spacing < 0) {
      margin = (length - (glyphLength + textLength)) / 3;
      spacing = margin;
    } else {
      margin = alignment == 2 ? (length - (glyphLength + spacing + textLength) + 1) / 2 : 2;
    }
  } else if (spacing < 0) {
    spacing = (length - (glyphLength + margin) - textLength) / 2;
  }
  if (across) {
    // Left to right: the first of the two, the spacing, the second.
    const bool glyphFirst = layout == blGlyphLeft;
    int& firstX = glyphFirst ? glyphPos.X : text.X;
    int& secondX = glyphFirst ? text.X : glyphPos.X;
    const int firstWidth = glyphFirst ? glyphSize.X : textSize.X;
    const int secondWidth = glyphFirst ? textSize.X : glyphSize.X;
    if (alignment == 0) {
      firstX = margin;
      secondX = margin + firstWidth + spacing;
    } else if (alignment == 1) {
      secondX = cw - margin - secondWidth;
      firstX = secondX - spacing - firstWidth;
    } else if (alignment == 2) {
      margin = (cw - textSize.X - spacing - glyphSize.X) / 2;
      firstX = margin;
      secondX = margin + spacing + firstWidth;
    }
  } else if (layout == blGlyphTop) {
    // The block is centred whatever the margin and alignment say.
    glyphPos.Y = (ch - glyphSize.Y - spacing - textSize.Y) / 2;
    text.Y = glyphPos.Y + glyphSize.Y + spacing;
  } else {
    const int t = (ch - glyphSize.Y - spacing - textSize.Y) / 2 - margin;
    glyphPos.Y = ch - margin - glyphSize.Y - t;
    text.Y = glyphPos.Y - spacing - textSize.Y;
  }
  glyphPos.X += client.Left;
  glyphPos.Y += client.Top;
  textRect = Bounds(client.Left + text.X, client.Top + text.Y, textSize.X, textSize.Y);
}
