// Drawing the emulated scroll bars: every bar and the corner is composed in
// a bitmap of its own and copied to the window in one piece, so a bar never
// shows a half-drawn state.

#include <memory>

#include "skin/ControlRoutines.h"
#include "skin/GeneralRoutines.h"
#include "skin/SkinBase.h"
#include "skin/SkinCommonData.h"
#include "skin/adapters/ScrollTracking.h"
#include "skin/adapters/SkScrollWnd.h"
#include "skin/paint/AlphaImages.h"
#include "skin/paint/Backdrop.h"
#include "skin/paint/MaskDrawing.h"
#include "skin/paint/PixelRoutines.h"
#include "skin/paint/SectionPainting.h"
#include "skin/skins/SkinManager.h"
#include "toolkit/controls/Control.h"
#include "toolkit/gdi/Bitmap.h"
#include "toolkit/gdi/Canvas.h"
#include "toolkit/gdi/Gdi.h"
#include "toolkit/win/MessageQueue.h"
#include "toolkit/win/Paint.h"
#include "toolkit/win/Window.h"

namespace {

// The manager the bars are painted from: the adapter's, else its skin data's.
TSkinManager* PaintingManager(const TSkScrollWnd& adapter) {
  if (adapter.Manager) return adapter.Manager;
  return adapter.SkinData ? adapter.SkinData->GetSkinManager() : nullptr;
}

// Sides in the manager's cached order.
constexpr int sideTop = 0, sideBottom = 1, sideLeft = 2, sideRight = 3;
// Track halves in the cached order "SCROLLBAR1H", "SCROLLBAR1V", "SCROLLBAR2H", "SCROLLBAR2V".
int TrackHalf(bool vertical, bool afterThumb) { return (afterThumb ? 2 : 0) + (vertical ? 1 : 0); }

// No pixel of a 24-bit picture takes this value: fading keys nothing out.
constexpr TColor NoKeyColor = 0xFF000000;

// A skin piece: its section and the masks and textures it is painted with.
struct TPiece {
  int Section = -1;
  int Border = -1;
  int Texture = -1;
  int HotTexture = -1;
  int Glyph = -1;
};

TPiece ArrowPiece(const TCachedIndexes& cache, int side) {
  return {cache.ScrollButtons[side], cache.ScrollButtonBorders[side], cache.ScrollButtonTextures[side],
          cache.ScrollButtonHotTextures[side], cache.ScrollButtonGlyphs[side]};
}

TPiece ThumbPiece(const TCachedIndexes& cache, bool vertical) {
  const int slider = vertical ? 0 : 1;  // "SCROLLSLIDERV", "SCROLLSLIDERH"
  const int textures = vertical ? 2 : 0;
  return {cache.Sliders[slider], cache.SliderBorders[slider], cache.SliderTextures[textures],
          cache.SliderTextures[textures + 1], cache.SliderGlyphs[slider]};
}

TPiece TrackPiece(const TCachedIndexes& cache, int half) {
  return {cache.ScrollBars[half], cache.ScrollBarBorders[half], cache.ScrollBarTextures[half],
          cache.ScrollBarHotTextures[half], -1};
}

std::string SectionName(const TSkinManager& manager, int section) {
  return manager.IsSectionIndex(section) ? manager.Section(section).SectionName : std::string();
}

// Copies all of source to dest at (x, y).
void CopyBitmap(HDC dest, int x, int y, TBitmap& source) {
  BitBlt(dest, x, y, source.Width(), source.Height(), source.Canvas().Handle(), 0, 0, SRCCOPY);
}

// The track half's look over e of the bar picture, through the window's backdrop.
void PaintTrack(TSkinManager& manager, const TPiece& piece, TBitmap& bar, const TRect& e, int state,
                const TBackdropRef& backdrop) {
  if (e.Width() <= 0 || e.Height() <= 0) return;
  PaintSectionQuick(piece.Section, piece.Border, piece.Texture, piece.HotTexture, SectionName(manager, piece.Section),
                    backdrop, true, state, e, e.TopLeft(), &bar, &manager);
}

// An arrow or the thumb over e of the bar picture, over what the bar holds
// there, its glyph centred in glyphArea (coordinates of e).
void PaintElement(TSkinManager& manager, const TPiece& piece, TBitmap& bar, const TRect& e, int state,
                  const TRect& glyphArea) {
  if (e.Width() <= 0 || e.Height() <= 0) return;
  const std::unique_ptr<TBitmap> element = NewBitmap24(e.Width(), e.Height());
  PaintSectionQuick(piece.Section, piece.Border, piece.Texture, piece.HotTexture, SectionName(manager, piece.Section),
                    MakeBackdropRef(&bar, 0, 0), true, state, Rect(0, 0, e.Width(), e.Height()), e.TopLeft(),
                    element.get(), &manager);
  if (manager.IsMaskIndex(piece.Glyph)) {
    const TSkinMaskData& glyph = manager.Masks[piece.Glyph];
    const TPoint at{glyphArea.Left + (glyphArea.Width() - MaskFrameWidth(glyph)) / 2,
                    glyphArea.Top + (glyphArea.Height() - MaskFrameHeight(glyph)) / 2};
    DrawMaskImage(element.get(), at, state, 1, glyph, MakeBackdropRef(element.get(), 0, 0));
  }
  CopyBitmap(bar.Canvas().Handle(), e.Left, e.Top, *element);
}

// What lies behind the area of the window (window coordinates): the
// window's own answer to the background request.
TBackdropQuery WindowBackdrop(HWND window, const TRect& area) {
  TBackdropQuery query;
  query.Offset = area.TopLeft();
  AskWindowBackdrop(query, window, false);
  return query;
}

// The state an arrow (part 0 or 1) is drawn in.
int ArrowState(const TSkScrollBar& bar, int part, int pressedPart, bool hotAllowed) {
  if (pressedPart == part) return 2;
  return hotAllowed && ScrollTracking.HotBarKind == bar.Kind && ScrollTracking.HotPart == part ? 1 : 0;
}

// An image that holds all of the area from the query's offset.
bool ImageCovers(const TBackdropQuery& query, int width, int height) {
  return query.Kind == bkImage && query.Bmp && query.Offset.X >= 0 && query.Offset.Y >= 0 &&
         query.Offset.X + width <= query.Bmp->Width() && query.Offset.Y + height <= query.Bmp->Height();
}

// The colour of a backdrop answer that the picture cannot be copied from:
// an image that does not reach under it (a cache not painted yet) and the
// key colour (a host without a cache) name no colour; the skin's serves.
TColor FillColorOf(const TBackdropQuery& query, const TSkinManager& manager) {
  if (query.Kind == bkImage || query.Color == clSkinKey) return manager.GlobalColor();
  return ColorToRGB(query.Color);
}

// A bar that cannot be operated looks faded over its backdrop image, or
// towards a colour.
void Fade(TSkinManager& manager, const TSkScrollBar& bar, TBitmap& picture, const TBackdropQuery& query) {
  if (ImageCovers(query, picture.Width(), picture.Height())) {
    const TRect source = Bounds(query.Offset.X, query.Offset.Y, picture.Width(), picture.Height());
    BlendKeyedRect(&picture, 0, 0, query.Bmp, Rect(source.Left, source.Top, source.Right - 1, source.Bottom - 1), 0.4,
                   NoKeyColor);
    return;
  }
  const int firstTrack = manager.CachedIndexes.ScrollBars[0];
  const TColor color = bar.Kind == SB_VERT && manager.IsSectionIndex(firstTrack)
                           ? ColorToRGB(manager.Section(firstTrack).Color)
                           : FillColorOf(query, manager);
  PaintSoftRect(&picture, Rect(-1, -1, picture.Width() + 1, picture.Height() + 1), 60, color, 0, 0);
}

struct TBarPicture {
  bool Vertical = false;
  int Length = 0;  // along the bar
  int Arrow = 0;
  // A rectangle of the picture from `from` to `to` along the bar.
  TRect Span(int from, int to, int thickness) const {
    return Vertical ? Rect(0, from, thickness, to) : Rect(from, 0, to, thickness);
  }
};

// The bar's picture over r of dc, as PaintScrollBar draws it, also while
// its thumb is dragged.
int DrawBar(TSkScrollWnd& adapter, TSkScrollBar& bar, HDC dc, int thumbPos, int pressedPart, const TRect& r) {
  TSkinManager* manager = PaintingManager(adapter);
  const bool vertical = bar.Kind == SB_VERT;
  if (!bar.Shown || !manager) return 0;
  const TCachedIndexes& cache = manager->CachedIndexes;
  if (!manager->IsSectionIndex(cache.ScrollBars[TrackHalf(vertical, false)])) return 0;
  if ((vertical ? r.Height() : r.Width()) < 2 || (vertical && adapter.OwnScrolling)) return 0;
  bar.Info.fMask = SIF_ALL;
  GetScrollInfo(adapter.Handle, bar.Kind, bar.Info);
  TBarPicture shape{vertical, vertical ? r.Height() : r.Width(), BarMetric(bar, bmArrowLength, manager)};
  if (shape.Length <= 0) return 0;
  const int thickness = vertical ? r.Width() : r.Height();
  if (thickness <= 0) return 0;

  const TControl* host = adapter.SkinData ? adapter.SkinData->HostControl() : nullptr;
  const bool active = BarIsActive(adapter, bar) && (!host || host->Enabled());
  const bool tracked = IsTrackedWindow(adapter.Handle);
  if (!tracked) pressedPart = spNone;
  const bool hotAllowed = tracked && active;

  const std::unique_ptr<TBitmap> picture = NewBitmap24(r.Width(), r.Height());
  const TBackdropQuery query = WindowBackdrop(adapter.Handle, r);
  const TBackdropRef backdrop = QueryToBackdropRef(query);
  const int firstSide = vertical ? sideTop : sideLeft, secondSide = vertical ? sideBottom : sideRight;
  const int arrowSize = ScrollArrowSize;
  // The glyph sits in the arrow's outer square.
  auto outerSquare = [&](const TRect& arrow, bool atEnd) {
    const int w = arrow.Width(), h = arrow.Height();
    if (vertical) return atEnd ? Rect(0, h - arrowSize, w, h) : Rect(0, 0, w, arrowSize);
    return atEnd ? Rect(w - arrowSize, 0, w, h) : Rect(0, 0, arrowSize, h);
  };

  if (2 * shape.Arrow < shape.Length) {
    TThumbPlace thumb = CalcThumb(bar, r);
    const int barStart = vertical ? r.Top : r.Left;
    int start = thumb.Start - barStart;
    if (thumbPos != -1) start = thumbPos - barStart;
    const int split = thumb.Length / 2 + start;
    PaintTrack(*manager, TrackPiece(cache, TrackHalf(vertical, false)), *picture, shape.Span(0, split, thickness),
               pressedPart == spTrackBefore ? 2 : 0, backdrop);
    PaintTrack(*manager, TrackPiece(cache, TrackHalf(vertical, true)), *picture,
               shape.Span(split, shape.Length, thickness), pressedPart == spTrackAfter ? 2 : 0, backdrop);
    const TRect first = shape.Span(0, shape.Arrow, thickness);
    const TRect second = shape.Span(shape.Length - shape.Arrow, shape.Length, thickness);
    PaintElement(*manager, ArrowPiece(cache, firstSide), *picture, first,
                 ArrowState(bar, spFirstArrow, pressedPart, hotAllowed), outerSquare(first, false));
    PaintElement(*manager, ArrowPiece(cache, secondSide), *picture, second,
                 ArrowState(bar, spSecondArrow, pressedPart, hotAllowed), outerSquare(second, true));
    // The thumb is drawn where hit testing finds it: only with room beside it.
    const int track = shape.Length - 2 * BarMetric(bar, bmArrowLength);
    if (active && thumb.Length > 0 && thumb.Length < track) {
      const TRect place = shape.Span(start, start + thumb.Length, thickness);
      const bool hot = hotAllowed && ScrollTracking.HotBarKind == bar.Kind && ScrollTracking.HotPart == spThumb;
      const int state = pressedPart == spThumb ? 2 : hot ? 1 : 0;
      PaintElement(*manager, ThumbPiece(cache, vertical), *picture, place, state,
                   Rect(0, 0, place.Width(), place.Height()));
    }
  } else {
    const int half = shape.Length / 2;
    const TRect first = shape.Span(0, half, thickness), second = shape.Span(half, shape.Length, thickness);
    PaintTrack(*manager, TrackPiece(cache, TrackHalf(vertical, false)), *picture, first, 0, backdrop);
    PaintTrack(*manager, TrackPiece(cache, TrackHalf(vertical, true)), *picture, second, 0, backdrop);
    PaintElement(*manager, ArrowPiece(cache, firstSide), *picture, first,
                 ArrowState(bar, spFirstArrow, pressedPart, hotAllowed), outerSquare(first, false));
    PaintElement(*manager, ArrowPiece(cache, secondSide), *picture, second,
                 ArrowState(bar, spSecondArrow, pressedPart, hotAllowed), outerSquare(second, true));
  }
  if (!active) Fade(*manager, bar, *picture, query);
  CopyBitmap(dc, r.Left, r.Top, *picture);
  return 1;
}

// The square between the two bars: the window's backdrop, and the size
// grip where the corner meets its top-level form's client corner.
void PaintCorner(TSkScrollWnd& adapter, HDC dc, const TRect& windowRect) {
  const int width = BarMetric(adapter.VertBar, bmThickness), height = BarMetric(adapter.HorzBar, bmThickness);
  const int w = windowRect.Width(), h = windowRect.Height();
  const int left = adapter.LeftScrollBar ? adapter.EdgeLeft : w - adapter.EdgeRight - width;
  const TRect corner = Bounds(left, h - adapter.EdgeBottom - height, width, height);
  TSkinManager* manager = PaintingManager(adapter);
  const std::unique_ptr<TBitmap> picture = NewBitmap24(width, height);
  const TBackdropQuery query = WindowBackdrop(adapter.Handle, corner);
  if (ImageCovers(query, width, height))
    BitBlt(picture->Canvas().Handle(), 0, 0, width, height, query.Bmp->Canvas().Handle(), query.Offset.X,
           query.Offset.Y, SRCCOPY);
  else
    FillDeviceRect(picture->Canvas().Handle(), Rect(0, 0, width, height), FillColorOf(query, *manager));
  TRect screenCorner = corner;
  OffsetRect(screenCorner, windowRect.Left, windowRect.Top);
  const int grip = manager->MaskIndexOf(manager->CachedIndexes.GlobalInfo, "GLOBALINFO", "GRIPIMAGE");
  if (manager->IsMaskIndex(grip) && GripCornerApplies(adapter, adapter.Handle, screenCorner)) {
    const TSkinMaskData& mask = manager->Masks[grip];
    const TPoint at{width - MaskFrameWidth(mask), height - MaskFrameHeight(mask)};
    DrawMaskImage(picture.get(), at, 0, 1, mask, MakeBackdropRef(picture.get(), 0, 0));
  }
  CopyBitmap(dc, corner.Left, corner.Top, *picture);
}

// The part of the bar drawn pressed: the tracked one while the mouse is on it.
int DrawnPressedPartOf(const TSkScrollBar& bar) {
  return ScrollTracking.PressedBarKind == bar.Kind ? ScrollTracking.DrawnPressedPart : spNone;
}

}  // namespace

int PaintScrollBar(TSkScrollWnd& adapter, TSkScrollBar& bar, HDC dc, int thumbPos, int pressedPart, const TRect& r) {
  // A dragged thumb is drawn by the drag alone.
  if (adapter.ThumbTracking) return 0;
  return DrawBar(adapter, bar, dc, thumbPos, pressedPart, r);
}

void PaintDraggedBar(TSkScrollWnd& adapter, TSkScrollBar& bar, int thumbStart) {
  TRect windowRect;
  if (!GetWindowRect(adapter.Handle, windowRect)) return;
  TRect r = *BarRect(adapter, bar.Kind, windowRect);
  OffsetRect(r, -windowRect.Left, -windowRect.Top);
  const int start = thumbStart - (bar.Kind == SB_VERT ? windowRect.Top : windowRect.Left);
  const HDC dc = GetWindowDC(adapter.Handle);
  DrawBar(adapter, bar, dc, start, spThumb, r);
  ReleaseDC(adapter.Handle, dc);
}

void PaintScrollBars(TSkScrollWnd& adapter, HDC dc, int thumbPos) {
  if (TSkinCommonData* data = adapter.SkinData) {
    data->PaintSuspended = data->PaintingSuspended();
    if (data->PaintSuspended) return;
    if (const TControl* host = data->HostControl())
      if ((host->ControlState & csCreating) || !host->Showing()) return;
    if (data->CacheStale) SendMessage(adapter.Handle, SM_SKINCMD, SkinCommand(scPaintBackdropToCache), 0);
  }
  if (!PaintingManager(adapter)) return;
  TRect windowRect;
  if (!GetWindowRect(adapter.Handle, windowRect)) return;
  const HDC target = dc ? dc : GetWindowDC(adapter.Handle);
  auto inWindow = [&](TRect r) {
    OffsetRect(r, -windowRect.Left, -windowRect.Top);
    return r;
  };
  if (adapter.HorzBar.Shown)
    PaintScrollBar(adapter, adapter.HorzBar, target, thumbPos, DrawnPressedPartOf(adapter.HorzBar),
                   inWindow(HorzBarRect(adapter, windowRect)));
  if (adapter.VertBar.Shown)
    PaintScrollBar(adapter, adapter.VertBar, target, thumbPos, DrawnPressedPartOf(adapter.VertBar),
                   inWindow(VertBarRect(adapter, windowRect)));
  if (adapter.HorzBar.Shown && adapter.VertBar.Shown) PaintCorner(adapter, target, windowRect);
  if (!dc) ReleaseDC(adapter.Handle, target);
}

void SyncScrollInfo(TSkScrollWnd& adapter, bool repaint) {
  for (TSkScrollBar* bar : {&adapter.HorzBar, &adapter.VertBar}) {
    bar->Info.fMask = SIF_ALL;
    GetScrollInfo(adapter.Handle, bar->Kind, bar->Info);
  }
  if (repaint && !AnimationRunning) PaintScrollBars(adapter, nullptr, -1);
}
