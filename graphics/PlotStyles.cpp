#include "graphics/PlotStyles.h"

#include <optional>

#include "graphics/XData.h"
#include "toolkit/gdi/Brush.h"
#include "toolkit/gdi/Pen.h"

namespace {

// What a preset sets; a field without a value keeps its own.
struct TStylePreset {
  TDrawKind DrawKind;
  std::optional<TSymbol> Symbol;
  TPenStyle PenStyle;
  std::int32_t PenWidth;
  std::optional<TBrushStyle> BrushStyle;
};

constexpr TStylePreset Presets[] = {
    {dkLine, {}, psSolid, 1, {}},               // psLine
    {dkLine, {}, psDash, 1, {}},                // psDashed
    {dkLine, {}, psDot, 1, {}},                 // psDotted
    {dkScatter, smCross, psSolid, 3, {}},       // psCross
    {dkScatter, smCircle, psSolid, 3, bsSolid}, // psCircle
    {dkScatter, smSquare, psSolid, 3, bsSolid}, // psSquare
    {dkScatter, smDiamond, psSolid, 3, bsSolid},// psDiamond
    {dkStems, smCircle, psSolid, 1, bsSolid},   // psStem
    {dkWall, {}, psSolid, 1, bsSolid},          // psWall
    {dkBars, {}, psSolid, 1, bsSolid},          // psBar
};

// What a mesh preset sets; the renderer and the brush style only where given.
struct TMeshPreset {
  TDrawKind DrawKind;
  std::int32_t PenWidth;
  TShader Shader;
  TPenStyle PenStyle;
  std::optional<TRenderer> Renderer;
  std::optional<TBrushStyle> BrushStyle;
};

constexpr TMeshPreset MeshPresets[] = {
    {dkSurface, 1, shHeightColour, psClear, rdGouraud, {}},  // msSurface
    {dkScatter, 3, shHeightColour, psSolid, {}, {}},         // msScatter
    {dkSurface, 1, shColourHeight, psClear, rdGouraud, {}},  // msHeights
    {dkContour, 1, shColourHeight, psSolid, {}, bsClear},    // msContour: lines only
};

void ApplyPreset(TXData& data, std::uint8_t style, std::size_t presetCount) {
  if (style >= presetCount) return;
  const TStylePreset& preset = Presets[style];
  data.Opts.DrawKind = preset.DrawKind;
  if (preset.Symbol) data.Opts.Symbol = *preset.Symbol;
  data.Pen.Style = std::uint8_t(preset.PenStyle);
  data.Pen.Width = preset.PenWidth;
  if (preset.BrushStyle) data.Brush.Style = std::uint8_t(*preset.BrushStyle);
}

}  // namespace

void ApplyPaletteColours(TXData& Data, std::size_t Position) {
  const std::size_t entry = Position % PenPalette.size();
  Data.Pen.Color = PenPalette[entry];
  Data.Brush.Color = BrushPalette[entry];
}

void ApplySeriesStyle(TXSeries& Series, std::uint8_t Style) { ApplyPreset(Series, Style, std::size(Presets)); }

// A 3D series has no walls or bars.
void ApplySeries3DStyle(TXSeries3D& Series, std::uint8_t Style) { ApplyPreset(Series, Style, 8); }

void ApplyMeshStyle(TXMesh& Mesh, std::uint8_t Style) {
  if (Style >= std::size(MeshPresets)) return;
  const TMeshPreset& preset = MeshPresets[Style];
  Mesh.Opts.DrawKind = preset.DrawKind;
  Mesh.Pen.Width = preset.PenWidth;
  Mesh.Opts.Shader = preset.Shader;
  Mesh.Pen.Style = std::uint8_t(preset.PenStyle);
  if (preset.Renderer) Mesh.Opts.Renderer = *preset.Renderer;
  if (preset.BrushStyle) Mesh.Brush.Style = std::uint8_t(*preset.BrushStyle);
}

std::string PictureExtension(std::uint8_t Format) {
  switch (Format) {
    case 0: return ".bmp";
    case 1: return ".wmf";
    case 2: return ".emf";
    default: return "";
  }
}
