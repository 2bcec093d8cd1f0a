#include "skin/adapters/SkBtnWnd.h"

#include "skin/SkinCommonData.h"
#include "skin/adapters/AdapterPainting.h"
#include "skin/adapters/ButtonGeometry.h"
#include "skin/paint/FrameRoutines.h"
#include "skin/paint/MaskDrawing.h"
#include "skin/paint/SectionPainting.h"
#include "skin/paint/TextLayout.h"
#include "skin/skins/SkinManager.h"
#include "toolkit/controls/Button.h"
#include "toolkit/gdi/Bitmap.h"
#include "toolkit/gdi/Canvas.h"
#include "toolkit/gdi/Gdi.h"
#include "toolkit/gdi/GdiBitmap.h"
#include "toolkit/win/ControlMessages.h"
#include "toolkit/win/MessageQueue.h"
#include "toolkit/win/Paint.h"
#include "toolkit/win/Window.h"

namespace {

constexpr unsigned CaptionFormat = DT_CENTER | DT_EXPANDTABS;

}  // namespace

// ---------------------------------------------------------------- the window procedure

void TSkBtnWnd::AdapterWndProc(TMessage& message) {
  if (HandledUnskinned(*this, message)) return;
  switch (message.Msg) {
    case SM_SKINCMD:
      if (SubCommandOf(message.WParam) == scMouseEntered || SubCommandOf(message.WParam) == scMouseLeft) {
        MouseCrossed(message, SubCommandOf(message.WParam) == scMouseEntered);
        return;
      }
      break;
    case WM_MOVE:
      if (ShowsThroughOnMove()) Repaint();
      break;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      if (IsWindowEnabled(Handle)) {
        FocusChanged(message);
        return;
      }
      if (message.Msg == WM_SETFOCUS) return;
      break;
    case WM_ENABLE:
    case WM_SETTEXT:
      if (IsWindowVisible(Handle)) {
        HandleQuietly(message);
        return;
      }
      break;
    case BM_SETSTATE:
      if (IsWindowVisible(Handle)) {
        SendMessage(Handle, WM_SETREDRAW, 0, 0);
        message.Result = CallPrevWndProc(message.Msg, message.WParam, message.LParam);
        SendMessage(Handle, WM_SETREDRAW, 1, 0);
        Repaint();
        return;
      }
      break;
    case WM_PAINT:
      if (!SkinLookApplied) ApplySkinLook();
      Paint(message);
      return;
    case WM_PRINT:
      Paint(message);
      return;
    case WM_ERASEBKGND:
    case WM_NCPAINT:
    case WM_UPDATEUISTATE:
      message.Result = 1;
      return;
  }
  TSkMainWnd::AdapterWndProc(message);
  if (message.Msg == WM_MOUSEMOVE) TrackHotWindow(Handle);
}

void TSkBtnWnd::MouseCrossed(TMessage& message, bool entered) {
  if (SkinData->MouseInside != entered) {
    SkinData->MouseInside = entered;
    SkinData->PaintSuspended = false;
    Repaint();
  }
  TSkMainWnd::AdapterWndProc(message);
}

void TSkBtnWnd::FocusChanged(TMessage& message) {
  SendMessage(Handle, WM_SETREDRAW, 0, 0);
  TSkMainWnd::AdapterWndProc(message);
  SendMessage(Handle, WM_SETREDRAW, 1, 0);
  SkinData->HasFocus = message.Msg == WM_SETFOCUS;
  Repaint();
}

void TSkBtnWnd::HandleQuietly(TMessage& message) {
  SendMessage(Handle, WM_SETREDRAW, 0, 0);
  TSkMainWnd::AdapterWndProc(message);
  SendMessage(Handle, WM_SETREDRAW, 1, 0);
  Repaint();
}

bool TSkBtnWnd::ShowsThroughOnMove() const {
  const TSkinManager* manager = AdapterManager(*this);
  if (!manager || !manager->IsSectionIndex(SkinData->SectionIndex)) return false;
  const TSkinGeneralData& section = manager->Section(SkinData->SectionIndex);
  return section.Transparency > 0 || (section.HotTransparency > 0 && SkinData->IsActiveState());
}

void TSkBtnWnd::Repaint() {
  SkinData->CacheStale = true;
  SendMessage(Handle, WM_PAINT, 0, 0);
}

// ---------------------------------------------------------------- painting

LRESULT TSkBtnWnd::ButtonState() { return SendMessage(Handle, BM_GETSTATE, 0, 0); }

unsigned TSkBtnWnd::WrapFlag() const {
  return GetWindowLongPtr(Handle, GWL_STYLE) & BS_MULTILINE ? DT_WORDBREAK : 0;
}

TCanvas& TSkBtnWnd::CacheCanvas() {
  SkinData->PrepareCacheBitmap();
  return SkinData->CacheBitmap()->Canvas();
}

int TSkBtnWnd::CurrentState() {
  if (ButtonState() & BST_PUSHED) return 2;
  if (!IsWindowEnabled(Handle)) return 0;
  if (GetFocus() == Handle || IsHotWindow(Handle)) return 1;
  return (GetWindowLongPtr(Handle, GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON ? 1 : 0;
}

void TSkBtnWnd::Paint(TMessage& message) {
  ReadWindowGeometry(*this);
  PAINTSTRUCT paint;
  BeginPaint(Handle, paint);
  SkinData->PaintSuspended = SkinData->PaintingSuspended();
  if (!SkinData->PaintSuspended) {
    const TAdapterDC dc(Handle, message.WParam);
    SkinData->CacheStale = true;
    PrepareCache();
    TBitmap* cache = SkinData->CacheBitmap();
    BitBlt(dc.Handle(), 0, 0, cache->Width(), cache->Height(), cache->Canvas().Handle(), 0, 0, SRCCOPY);
  }
  EndPaint(Handle, paint);
}

void TSkBtnWnd::PrepareCache() {
  ReadWindowGeometry(*this);
  TBackdropRef backdrop;
  SkinData->WindowParentBackdrop(Handle, backdrop);
  SkinData->PrepareCacheBitmap();
  TBitmap* cache = SkinData->CacheBitmap();
  cache->SetSize(WndSize.cx, WndSize.cy);
  PaintSection(SkinData->SectionIndex, SkinData->SkinSection(), backdrop, true, CurrentState(),
               {0, 0, WndSize.cx, WndSize.cy}, PosInParent, cache, AdapterManager(*this));
  DrawCaption();
  DrawGlyph();
  if (!IsWindowEnabled(Handle)) FadeDisabledCache(cache, backdrop, PosInParent);
  SkinData->CacheStale = false;
}

void TSkBtnWnd::DrawCaption() {
  TCanvas& canvas = CacheCanvas();
  TFont saved;
  saved.Assign(canvas.Font());
  if (TControl* host = SkinData->HostControl())
    canvas.Font().Assign(host->Font());
  else
    canvas.Font().SetHandle(reinterpret_cast<HFONT>(SendMessage(Handle, WM_GETFONT, 0, 0)));
  TRect r = GetCaptionRect();
  WriteCaption(r, CaptionFormat | WrapFlag());
  const TSkinManager* manager = AdapterManager(*this);
  const bool showFocus = manager && manager->IsSectionIndex(SkinData->SectionIndex) &&
                         manager->Section(SkinData->SectionIndex).ShowFocus;
  if (showFocus && IsWindowEnabled(Handle) && (ButtonState() & BST_FOCUS) && !WndText.empty()) {
    InflateRect(r, 1, 1);
    DrawDottedFrame(canvas, r);
  }
  canvas.Font().Assign(saved);
}

void TSkBtnWnd::WriteCaption(const TRect& r, unsigned format) {
  TCanvas& canvas = CacheCanvas();
  canvas.Brush().SetStyle(bsClear);
  WriteControlText(canvas, WndText.c_str(), true, r, format, *SkinData, CurrentState() != 0);
}

TSize TSkBtnWnd::GetTextSize() {
  TRect r{0, 0, MaxCaptionWidth(), 0};
  TCanvas& canvas = CacheCanvas();
  const HDC dc = canvas.Handle();
  SelectObject(dc, canvas.Font().Handle());
  DrawText(dc, WndText, r, DT_CALCRECT | DT_NOPREFIX | CaptionFormat | WrapFlag());
  return {r.Width(), r.Height()};
}

int TSkBtnWnd::MaxCaptionWidth() {
  if (WndText.empty()) return 0;
  const int glyphWidth = GetGlyphSize().cx;
  return WndSize.cx - 2 - (glyphWidth ? glyphWidth + 2 : 0);
}

TRect TSkBtnWnd::GetCaptionRect() {
  return CenteredCaptionRect(WndSize, GetTextSize(), ButtonState() & BST_PUSHED);
}

// ---------------------------------------------------------------- bit buttons

TBitBtn* TSkBitBtnWnd::Owner() const { return dynamic_cast<TBitBtn*>(SkinData->HostControl()); }

TSize TSkBitBtnWnd::GetGlyphSize() {
  if (const TBitBtn* owner = Owner()) return {owner->Glyph().Width() / owner->NumGlyphs(), owner->Glyph().Height()};
  const auto bitmap = reinterpret_cast<HBITMAP>(SendMessage(Handle, BM_GETIMAGE, IMAGE_BITMAP, 0));
  return bitmap ? TSize{bitmap->Width(), bitmap->Height()} : TSize{};
}

int TSkBitBtnWnd::MaxCaptionWidth() {
  const TBitBtn* owner = Owner();
  if (!owner) return TSkBtnWnd::MaxCaptionWidth();
  if (WndText.empty()) return 0;
  const TSize glyph = GetGlyphSize();
  const bool across = owner->Layout() == blGlyphLeft || owner->Layout() == blGlyphRight;
  return owner->Width() - 2 * owner->Margin() - (across && glyph.cy ? glyph.cx + owner->Spacing() : 0);
}

TRect TSkBitBtnWnd::GetCaptionRect() {
  const TBitBtn* owner = Owner();
  const TSize glyph = GetGlyphSize();
  if (!owner) {
    TRect r = TSkBtnWnd::GetCaptionRect();
    if (glyph.cx) OffsetRect(r, glyph.cx / 2 + 1, 0);
    return r;
  }
  const TSize text = GetTextSize();
  TPoint glyphPos;
  TRect r;
  LayoutGlyphAndText({0, 0, WndSize.cx, WndSize.cy}, {glyph.cx, glyph.cy}, {text.cx, text.cy}, owner->Layout(), 2, 0,
                     0, glyphPos, r, 1);
  if (CurrentState() == 2) OffsetRect(r, 1, 1);
  return r;
}

TRect TSkBitBtnWnd::GetGlyphRect() {
  const TBitBtn* owner = Owner();
  const TSize glyph = GetGlyphSize();
  const bool pushed = CurrentState() == 2;
  if (!owner) return CaptionGlyphRect(GetCaptionRect(), WndSize, glyph, pushed);
  return BitBtnGlyphRect(owner->Layout(), WndSize, glyph, GetTextSize(), owner->Spacing(), pushed);
}

// A plain button's bitmap is drawn as it is: leaving it out would lose the button's picture.
void TSkBitBtnWnd::DrawGlyph() {
  const TBitBtn* owner = Owner();
  if (!owner) {
    const auto bitmap = reinterpret_cast<HBITMAP>(SendMessage(Handle, BM_GETIMAGE, IMAGE_BITMAP, 0));
    if (!bitmap || bitmap->IsEmpty()) return;
    const HDC source = CreateCompatibleDC(nullptr);
    const HGDIOBJ previous = SelectObject(source, bitmap);
    const TRect r = GetGlyphRect();
    BitBlt(SkinData->CacheBitmap()->Canvas().Handle(), r.Left, r.Top, r.Width(), r.Height(), source, 0, 0, SRCCOPY);
    SelectObject(source, previous);
    DeleteDC(source);
    return;
  }
  if (owner->Glyph().Empty()) return;
  TBitmap glyph;
  glyph.Assign(owner->Glyph());
  glyph.SetPixelFormat(pf24bit);
  const TSize size = GetGlyphSize();
  const int frame = BitBtnGlyphFrame(owner->NumGlyphs(), CurrentState() == 2, IsWindowEnabled(Handle));
  const TRect r = GetGlyphRect();
  CopyKeyedRectPlain(SkinData->CacheBitmap(), &glyph, r.Left, r.Top,
                     {frame * size.cx, 0, (frame + 1) * size.cx - 1, size.cy - 1}, glyph.Handle()->Pixel(0, 0));
}
