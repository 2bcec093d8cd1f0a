#include "skin/adapters/SkSpinWnd.h"

#include <algorithm>

#include "skin/SkinCommonData.h"
#include "skin/adapters/AdapterPainting.h"
#include "skin/paint/MaskDrawing.h"
#include "skin/paint/SectionPainting.h"
#include "skin/skins/SkinManager.h"
#include "toolkit/gdi/Bitmap.h"
#include "toolkit/gdi/Canvas.h"
#include "toolkit/gdi/Gdi.h"
#include "toolkit/win/ControlMessages.h"
#include "toolkit/win/Input.h"
#include "toolkit/win/MessageQueue.h"
#include "toolkit/win/Paint.h"
#include "toolkit/win/Window.h"

namespace {

// Indexes of the skin's scroll buttons: top, bottom, left, right.
constexpr int ArrowUp = 0, ArrowDown = 1, ArrowLeft = 2, ArrowRight = 3;

// What both adapters answer before anything else: the unskinned cases, and
// a paint of their own that neither erases nor leaves a frame to the window.
template <class Paint>
bool HandledAsSelfPainted(TSkMainWnd& adapter, TMessage& message, Paint paint) {
  if (HandledUnskinned(adapter, message)) return true;
  switch (message.Msg) {
    case WM_PAINT: paint(message.WParam); return true;
    case WM_ERASEBKGND:
    case WM_NCPAINT: return true;
    default: return false;
  }
}

}  // namespace

TSpinHalves SpinHalves(TSize window, bool vertical, int leftOffset) {
  const int w = window.cx, h = window.cy;
  if (vertical) return {{leftOffset, 0, w, h / 2 + h % 2}, {leftOffset, h / 2, w, h}};
  return {{0, 0, w / 2 + w % 2, h}, {w / 2, 0, w, h}};
}

void SpinStates(const TRect& windowRect, TPoint cursor, bool vertical, bool mouseDown, int& first, int& second) {
  first = second = 0;
  if (!PtInRect(windowRect, cursor)) return;
  TRect firstPart = windowRect;
  if (vertical)
    firstPart.Bottom -= windowRect.Height() / 2;
  else
    firstPart.Right -= windowRect.Width() / 2;
  (PtInRect(firstPart, cursor) ? first : second) = mouseDown ? 2 : 1;
}

// ---------------------------------------------------------------- spins

bool TSkSpinWnd::IsVertical() { return !(GetWindowLongPtr(Handle, GWL_STYLE) & UDS_HORZ); }

void TSkSpinWnd::AdapterWndProc(TMessage& message) {
  if (HandledAsSelfPainted(*this, message, [this](WPARAM wParam) { Paint(wParam); })) return;
  switch (message.Msg) {
    case WM_LBUTTONDOWN: MouseDown = true; break;
    case WM_LBUTTONUP: MouseDown = false; break;
    case WM_MOUSELEAVE: InvalidateRect(Handle, nullptr, false); break;
  }
  TSkMainWnd::AdapterWndProc(message);
  if (message.Msg == WM_LBUTTONDOWN || message.Msg == WM_LBUTTONUP) SendMessage(Handle, WM_PAINT, 0, 0);
  if (message.Msg == WM_MOUSEMOVE && TrackHotWindow(Handle)) SendMessage(Handle, WM_PAINT, 0, 0);
}

void TSkSpinWnd::Paint(WPARAM wParam) {
  ReadWindowGeometry(*this);
  TPoint cursor;
  GetCursorPos(cursor);
  SpinStates(ScreenRect, cursor, IsVertical(), MouseDown, FirstState, SecondState);
  PAINTSTRUCT paint;
  BeginPaint(Handle, paint);
  SkinData->PaintSuspended = SkinData->PaintingSuspended();
  if (!SkinData->PaintSuspended) {
    const TAdapterDC dc(Handle, wParam);
    SkinData->CacheStale = true;
    PrepareCache();
    TBitmap* cache = SkinData->CacheBitmap();
    const int left = IsVertical() ? LeftOffset : 0;
    BitBlt(dc.Handle(), left, 0, cache->Width() - left, cache->Height(), cache->Canvas().Handle(), left, 0, SRCCOPY);
  }
  EndPaint(Handle, paint);
}

void TSkSpinWnd::PrepareCache() {
  TBackdropRef backdrop;
  SkinData->WindowParentBackdrop(Handle, backdrop);
  SkinData->PrepareCacheBitmap();
  SkinData->CacheBitmap()->SetSize(WndSize.cx, WndSize.cy);
  const bool vertical = IsVertical();
  const TSpinHalves halves = SpinHalves(WndSize, vertical, LeftOffset);
  const TSkinManager* manager = AdapterManager(*this);
  const auto& glyphs = manager ? manager->CachedIndexes.ScrollButtonGlyphs : TCachedIndexes::None4;
  PaintHalf(halves.First, FirstState, glyphs[vertical ? ArrowUp : ArrowLeft], backdrop);
  PaintHalf(halves.Second, SecondState, glyphs[vertical ? ArrowDown : ArrowRight], backdrop);
  SkinData->CacheStale = false;
}

void TSkSpinWnd::PaintHalf(const TRect& half, int state, int arrowMask, const TBackdropRef& backdrop) {
  TSkinManager* manager = AdapterManager(*this);
  TBitmap* cache = SkinData->CacheBitmap();
  PaintSection(SkinData->SectionIndex, SkinData->SkinSection(), backdrop, true, state, half,
               {PosInParent.X + half.Left, PosInParent.Y + half.Top}, cache, manager);
  if (!manager || !manager->IsMaskIndex(arrowMask)) return;
  const TSkinMaskData& mask = manager->Masks[arrowMask];
  const TSize frame = manager->MaskFrameSize(arrowMask);
  DrawMaskImage(cache, {half.Left + (half.Width() - frame.cx) / 2, half.Top + (half.Height() - frame.cy) / 2}, state,
                1, mask, backdrop);
}

// ---------------------------------------------------------------- size grips

void TSkSizerWnd::AdapterWndProc(TMessage& message) {
  if (HandledAsSelfPainted(*this, message, [this](WPARAM wParam) { Paint(wParam); })) return;
  TSkMainWnd::AdapterWndProc(message);
  if (message.Msg != WM_NCHITTEST) return;
  if (TSkinManager* manager = DefaultManager(); manager && IsWindowEnabled(Handle)) manager->ChangeHotWindow(nullptr);
  message.Result = HTBOTTOMRIGHT;
}

void TSkSizerWnd::Paint(WPARAM wParam) {
  ReadWindowGeometry(*this);
  PAINTSTRUCT paint;
  BeginPaint(Handle, paint);
  TSkinManager* manager = AdapterManager(*this);
  const int grip = manager ? manager->MaskIndexOfNames("GLOBALINFO", "GRIPIMAGE") : -1;
  if (manager && manager->IsMaskIndex(grip)) {
    const TAdapterDC dc(Handle, wParam);
    TBitmap picture(WndSize.cx, WndSize.cy, pf24bit);
    TBackdropRef backdrop;
    SkinData->WindowParentBackdrop(Handle, backdrop);
    FillFromBackdrop(&picture, backdrop, {0, 0, WndSize.cx, WndSize.cy}, PosInParent);
    const TSize frame = manager->MaskFrameSize(grip);
    DrawMaskImage(&picture, {std::max(WndSize.cx - frame.cx, 0), std::max(WndSize.cy - frame.cy, 0)}, 0, 1,
                  manager->Masks[grip], backdrop);
    BitBlt(dc.Handle(), 0, 0, WndSize.cx, WndSize.cy, picture.Canvas().Handle(), 0, 0, SRCCOPY);
  }
  EndPaint(Handle, paint);
}
