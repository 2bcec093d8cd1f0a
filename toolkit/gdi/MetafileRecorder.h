#pragma once
// What a recording device context draws, as the records of a metafile
// format. The drawing entry points of Gdi.h hand their calls here instead
// of setting pixels (TDeviceContext::Recorder); the state entry points
// change the device context only. Before each drawing call the reader of
// the metafile is brought to the state the call depends on: objects are
// made, or taken from a slot that still holds an equal one; colours, modes
// and the clip region are set where they differ from what the reader has.
// So a recording holds only the state its drawing used.
//
// A clip region is set inside a saved state, as its bounds less the
// rectangles of the bounds outside it, and removed by restoring that state:
// every metafile reader can do both. Points are recorded in device
// coordinates. Block transfers, single pixels and inverting are not
// recorded; a pattern brush is recorded as a null brush.

#include <cstdint>
#include <memory>
#include <span>
#include <string_view>
#include <vector>

#include "toolkit/gdi/DeviceContext.h"
#include "toolkit/gdi/Gdi.h"
#include "toolkit/gdi/MetafileFormat.h"

class TMetafileRecorder {
public:
  explicit TMetafileRecorder(std::unique_ptr<TMetafileFormat> format);
  ~TMetafileRecorder();
  TMetafileRecorder(const TMetafileRecorder&) = delete;
  TMetafileRecorder& operator=(const TMetafileRecorder&) = delete;

  void Line(TDeviceContext& dc, TPoint from, TPoint to);
  void Polyline(TDeviceContext& dc, std::span<const TPoint> points);
  void Polygon(TDeviceContext& dc, std::span<const TPoint> points);
  // Shapes by their bounding rectangle, corners in any order.
  void Rectangle(TDeviceContext& dc, const TRect& rect);
  void RoundRect(TDeviceContext& dc, const TRect& rect, TSize corner);
  void Ellipse(TDeviceContext& dc, const TRect& rect);
  // The brush over rect, with no pen and a plain copy, as a raster fills it.
  void FillRect(TDeviceContext& dc, const TRect& rect, const TGdiBrush& brush);
  // Text at its reference point; without advances each character takes
  // its width in the selected font, as on the raster.
  void Text(TDeviceContext& dc, TPoint reference, unsigned options, const TRect* rect, std::string_view text,
            const int* advances);
  void GradientFill(TDeviceContext& dc, std::span<const TTriVertex> vertices, std::span<const TGradientRect> rects,
                    unsigned mode);
  void GradientFill(TDeviceContext& dc, std::span<const TTriVertex> vertices,
                    std::span<const TGradientTriangle> triangles);

  // The metafile's bytes; nothing may be recorded after.
  std::vector<std::uint8_t> Finish();

private:
  // An object as the reader has it in a slot; Kind 0 marks a free slot.
  struct TObjectKey {
    int Kind = 0;  // OBJ_PEN, OBJ_BRUSH or OBJ_FONT
    int Style = 0;
    int Width = 0;
    int Hatch = 0;
    TColor Color = 0;
    TLogFont Font;
  };
  // What the reader has selected and set; -1 and CLR_INVALID: not set by us yet.
  struct TReaderState {
    int Pen = -1;
    int Brush = -1;
    int Font = -1;
    TColor TextColor = CLR_INVALID;
    TColor BkColor = CLR_INVALID;
    int BkMode = 0;
    int Rop2 = 0;
    int PolyFillMode = 0;
    unsigned TextAlign = ~0u;
    bool HasClip = false;
    TRegion Clip;
  };

  // Brings the reader to dc's state for a drawing with pen and brush.
  void PrepareDrawing(const TDeviceContext& dc, const TGdiPen& pen, const TGdiBrush& brush, int rop2);
  void PrepareText(const TDeviceContext& dc);
  void PrepareClip(const TDeviceContext& dc);
  void PrepareBackground(const TDeviceContext& dc);
  void Select(int TReaderState::*selected, const TObjectKey& key);
  bool Held(int slot) const;
  void ReleaseUnheld();
  static TObjectKey KeyOf(const TGdiPen& pen);
  static TObjectKey KeyOf(const TGdiBrush& brush);
  static TObjectKey KeyOf(const TLogFont& font);
  static bool SameObject(const TObjectKey& a, const TObjectKey& b);
  std::vector<TPoint> ToDevice(const TDeviceContext& dc, std::span<const TPoint> points) const;
  std::vector<TTriVertex> ToDevice(const TDeviceContext& dc, std::span<const TTriVertex> vertices) const;

  std::unique_ptr<TMetafileFormat> format_;
  std::vector<TObjectKey> slots_;
  TReaderState reader_;
  std::vector<TReaderState> saved_;
};
