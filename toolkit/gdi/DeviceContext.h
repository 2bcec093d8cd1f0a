#pragma once
// A device context: where drawing goes (a surface bitmap, where device point
// (0, 0) lies on it, and the part of it that may be drawn) and the drawing
// state that SaveDC and RestoreDC keep (selected objects, colours, modes,
// origins, clip region). Logical coordinates map to device coordinates by
// device = logical - window origin + viewport origin.
//
// A window's device contexts draw on the window's backing bitmap: a window
// DC with the window's top-left as origin, a client DC with the client
// area's, a paint DC limited to the update region. A memory DC draws on the
// bitmap selected into it.

#include <vector>

#include "runtime/CountedPtr.h"
#include "toolkit/base/Rect.h"
#include "toolkit/gdi/GdiBitmap.h"
#include "toolkit/gdi/GdiObject.h"
#include "toolkit/gdi/Region.h"

// Background modes.
constexpr int TRANSPARENT = 1;
constexpr int OPAQUE = 2;

// Mixing of pen and brush with the destination (SetROP2).
constexpr int R2_BLACK = 1;
constexpr int R2_NOTMERGEPEN = 2;
constexpr int R2_MASKNOTPEN = 3;
constexpr int R2_NOTCOPYPEN = 4;
constexpr int R2_MASKPENNOT = 5;
constexpr int R2_NOT = 6;
constexpr int R2_XORPEN = 7;
constexpr int R2_NOTMASKPEN = 8;
constexpr int R2_MASKPEN = 9;
constexpr int R2_NOTXORPEN = 10;
constexpr int R2_NOP = 11;
constexpr int R2_MERGENOTPEN = 12;
constexpr int R2_COPYPEN = 13;
constexpr int R2_MERGEPENNOT = 14;
constexpr int R2_MERGEPEN = 15;
constexpr int R2_WHITE = 16;

// Text alignment (SetTextAlign): the reference point of TextOut.
constexpr unsigned TA_NOUPDATECP = 0;
constexpr unsigned TA_UPDATECP = 1;
constexpr unsigned TA_LEFT = 0;
constexpr unsigned TA_RIGHT = 2;
constexpr unsigned TA_CENTER = 6;
constexpr unsigned TA_TOP = 0;
constexpr unsigned TA_BOTTOM = 8;
constexpr unsigned TA_BASELINE = 24;

// Polygon fill modes.
constexpr int ALTERNATE = 1;
constexpr int WINDING = 2;

class TMetafileRecorder;

struct TDCState {
  CountedPtr<TGdiPen> Pen;
  CountedPtr<TGdiBrush> Brush;
  CountedPtr<TGdiFont> Font;
  CountedPtr<TGdiBitmap> Bitmap;  // memory DCs only
  TColor TextColor = clBlack;
  TColor BkColor = clWhite;
  int BkMode = OPAQUE;
  int Rop2 = R2_COPYPEN;
  int PolyFillMode = ALTERNATE;
  unsigned TextAlign = TA_TOP | TA_LEFT;
  TPoint WindowOrg;
  TPoint ViewportOrg;
  TPoint BrushOrg;  // device coordinates
  TPoint CurrentPos;
  bool HasClip = false;
  TRegion Clip;  // device coordinates; only with HasClip
};

class TDeviceContext {
public:
  // Draws on surface with device (0, 0) at origin on it; nothing is drawn
  // outside visible (device coordinates).
  TDeviceContext(CountedPtr<TGdiBitmap> surface, TPoint origin, TRegion visible);
  // A memory DC; until a bitmap is selected it draws on a 1 x 1 monochrome one.
  TDeviceContext();
  ~TDeviceContext();
  TDeviceContext(const TDeviceContext&) = delete;
  TDeviceContext& operator=(const TDeviceContext&) = delete;

  bool IsMemoryDC() const { return memory_; }
  TGdiBitmap& Surface() const { return *surface_; }
  // Device (0, 0) on the surface.
  TPoint Origin() const { return origin_; }

  const TDCState& State() const { return state_; }
  // Every change of state goes through here; changes of the clip region,
  // the origins or the selected bitmap through ChangeGeometry, which gives
  // the state a new GeometrySerial: a number no other state of any device
  // context has had, so that the painter knows when to set up again.
  TDCState& ChangeState() { return state_; }
  TDCState& ChangeGeometry();
  unsigned GeometrySerial() const { return geometrySerial_; }
  // The visible region in device coordinates (a memory DC's: its bitmap).
  TRegion Visible() const;

  TPoint ToDevice(TPoint logical) const;
  TRect ToDevice(const TRect& logical) const;
  TPoint ToLogical(TPoint device) const;
  // Where drawing may go, in surface coordinates: the visible part, the
  // clip region and the surface's own bounds together.
  const TRegion& SurfaceClip() const;

  // A recording context (a metafile canvas's): its drawing calls become
  // records of the recorder (not owned) instead of pixels.
  TMetafileRecorder* Recorder() const { return recorder_; }
  void SetRecorder(TMetafileRecorder* recorder) { recorder_ = recorder; }

  // Used by the memory DC's SelectObject.
  void SelectBitmap(CountedPtr<TGdiBitmap> bitmap);
  int SaveState();
  bool RestoreState(int level);

private:
  CountedPtr<TGdiBitmap> surface_;
  TPoint origin_;
  TRegion visible_;  // device coordinates
  bool memory_ = false;
  TMetafileRecorder* recorder_ = nullptr;
  TDCState state_;
  std::vector<TDCState> saved_;
  unsigned geometrySerial_;
  // SurfaceClip's cache and what it was made from.
  mutable unsigned cachedGeometrySerial_ = 0;
  mutable TSize cachedSurfaceSize_;
  mutable TRegion surfaceClip_;
};
using HDC = TDeviceContext*;

HDC CreateCompatibleDC(HDC dc);
// Deletes a memory DC; a window's device contexts are released by the window.
bool DeleteDC(HDC dc);
// A bitmap of the DC's format: monochrome when a monochrome bitmap is selected, else 32-bit.
HBITMAP CreateCompatibleBitmap(HDC dc, int width, int height);

// Selecting a pen, brush, font or (into a memory DC) a bitmap returns the
// previous one, null on failure. Regions are selected with SelectClipRgn.
HGDIOBJ SelectObject(HDC dc, HGDIOBJ object);
HGDIOBJ GetCurrentObject(HDC dc, int objectType);

// SaveDC returns the new level (from 1), 0 on failure. RestoreDC takes a
// level or, when negative, a count of levels back from the last.
int SaveDC(HDC dc);
bool RestoreDC(HDC dc, int level);

bool SetWindowOrgEx(HDC dc, int x, int y, TPoint* old);
bool GetWindowOrgEx(HDC dc, TPoint* origin);
bool OffsetWindowOrgEx(HDC dc, int dx, int dy, TPoint* old);
bool SetViewportOrgEx(HDC dc, int x, int y, TPoint* old);
bool GetViewportOrgEx(HDC dc, TPoint* origin);
bool LPtoDP(HDC dc, TPoint* points, int count);
bool DPtoLP(HDC dc, TPoint* points, int count);
// The brush origin is in device coordinates.
bool SetBrushOrgEx(HDC dc, int x, int y, TPoint* old);
bool GetBrushOrgEx(HDC dc, TPoint* origin);

TColor SetTextColor(HDC dc, TColor color);
TColor GetTextColor(HDC dc);
TColor SetBkColor(HDC dc, TColor color);
TColor GetBkColor(HDC dc);
int SetBkMode(HDC dc, int mode);
int GetBkMode(HDC dc);
int SetROP2(HDC dc, int mode);
int GetROP2(HDC dc);
int SetPolyFillMode(HDC dc, int mode);
unsigned SetTextAlign(HDC dc, unsigned align);
unsigned GetTextAlign(HDC dc);

// Clipping. Regions are in device coordinates, rectangles in logical ones.
// SelectClipRgn copies the region (a null region removes the clip).
int SelectClipRgn(HDC dc, HRGN rgn);
int ExtSelectClipRgn(HDC dc, HRGN rgn, int mode);
int IntersectClipRect(HDC dc, int left, int top, int right, int bottom);
int ExcludeClipRect(HDC dc, int left, int top, int right, int bottom);
// Copies the clip region into rgn: 1 when there is one, 0 when not.
int GetClipRgn(HDC dc, HRGN rgn);
// The bounds of what can be drawn, in logical coordinates.
int GetClipBox(HDC dc, TRect* box);
bool PtVisible(HDC dc, int x, int y);
bool RectVisible(HDC dc, const TRect& rect);
