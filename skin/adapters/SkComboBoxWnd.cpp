#include "skin/adapters/SkComboBoxWnd.h"

#include "skin/ControlRoutines.h"
#include "skin/GeneralRoutines.h"
#include "skin/SkinCommonData.h"
#include "skin/adapters/ScrollTracking.h"
#include "skin/paint/Backdrop.h"
#include "skin/paint/FrameRoutines.h"
#include "skin/paint/MaskDrawing.h"
#include "skin/paint/PixelRoutines.h"
#include "skin/paint/SectionPainting.h"
#include "skin/skins/SkinManager.h"
#include "toolkit/controls/Control.h"
#include "toolkit/gdi/Bitmap.h"
#include "toolkit/gdi/Canvas.h"
#include "toolkit/gdi/DeviceContext.h"
#include "toolkit/gdi/GdiObject.h"
#include "toolkit/win/ControlMessages.h"
#include "toolkit/win/MessageQueue.h"
#include "toolkit/win/Paint.h"
#include "toolkit/win/SysMetrics.h"
#include "toolkit/win/Window.h"

namespace {

// Widths of the frames copied from the cache.
constexpr int ComboFrame = 3;
constexpr int ListFrame = 2;
constexpr int PrintedListFrame = 3;
constexpr int DefaultGlyphHeight = 16;

DWORD StyleOf(HWND window) { return static_cast<DWORD>(GetWindowLongPtr(window, GWL_STYLE)); }

TPoint PointOf(LPARAM lParam) { return {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}; }

// Sizes the cache to the window and fills it with a one-pixel outline.
void PaintOutlinedCache(TBitmap& cache, TSize size, TColor fill, TColor pen) {
  cache.SetSize(size.cx, size.cy);
  TCanvas& canvas = cache.Canvas();
  canvas.Brush().SetStyle(bsSolid);
  canvas.Brush().SetColor(fill);
  canvas.Pen().SetStyle(psSolid);
  canvas.Pen().SetColor(pen);
  canvas.Rectangle(0, 0, size.cx, size.cy);
}

void BlitCacheFrame(HDC dc, TBitmap* cache, int width) {
  if (cache) BlitFrame(dc, 0, 0, cache->Width(), cache->Height(), cache->Canvas().Handle(), 0, 0, width);
}

}  // namespace

// ---------------------------------------------------------------- the combo's list

void TSkComboListWnd::PaintListFrame() {
  ReadWindowGeometry(*this);
  if (OfSimpleCombo) {
    SendSkinCommand(Handle, scPaintBackdropToCache, 0);
    return;
  }
  SkinData->ResolveIndexes();
  ApplySkinLook();
  SkinData->PrepareCacheBitmap();
  PaintOutlinedCache(*SkinData->CacheBitmap(), WndSize, WndColor, PenColor);
  SkinData->CacheStale = false;
}

void TSkComboListWnd::PaintNonClient() {
  ReadWindowGeometry(*this);
  PaintListFrame();
  if (!DialogMode) FillTransparentCorners(*SkinData, 0, *this);
  const HDC dc = GetWindowDC(Handle);
  const int saved = SaveDC(dc);
  BlitCacheFrame(dc, SkinData->CacheBitmap(), ListFrame);
  PaintScrollBars(*this, dc);
  RestoreDC(dc, saved);
  ReleaseDC(Handle, dc);
}

WPARAM TSkComboListWnd::BarHitAt(TPoint screenPoint) {
  TMessage hit{WM_NCHITTEST, 0, MAKELPARAM(screenPoint.X, screenPoint.Y), 0};
  TSkScrollWnd::AdapterWndProc(hit);
  return static_cast<WPARAM>(hit.Result);
}

bool TSkComboListWnd::Print(TMessage& message) {
  const auto dc = reinterpret_cast<HDC>(message.WParam);
  if (!dc || !IsWindowVisible(Handle)) return false;
  PaintListFrame();
  message.Result = CallPrevWndProc(message.Msg, message.WParam, message.LParam);
  if (message.Msg == WM_PRINT && SendMessage(Handle, LB_GETCOUNT, 0, 0) > 0) {
    if (ScrollTracking.PressedPart == spNone && !ListShown)
      BlitCacheFrame(dc, SkinData->CacheBitmap(), PrintedListFrame);
    PaintScrollBars(*this, dc);
    message.Result = 0;
  }
  return true;
}

void TSkComboListWnd::AdapterWndProc(TMessage& message) {
  if (Detached || !SkinData || !SkinData->Skinned(false)) return TSkEditWnd::AdapterWndProc(message);
  switch (message.Msg) {
    case WM_ERASEBKGND:
    case WM_HSCROLL:
    case WM_VSCROLL: message.Result = CallPrevWndProc(message.Msg, message.WParam, message.LParam); return;
    case WM_NCCALCSIZE: TSkScrollWnd::AdapterWndProc(message); return;
    case WM_NCPAINT:
      if (!OwnScrolling) PaintNonClient();
      return;
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONDBLCLK:
      message.WParam = BarHitAt(PointOf(message.LParam));
      if (message.WParam == HTHSCROLL || message.WParam == HTVSCROLL) TSkScrollWnd::AdapterWndProc(message);
      return;
    case CBLM_BEGINTRACKING: ListShown = true; break;
    case CBLM_ENDTRACKING:
      ListShown = false;
      SkinData->CacheStale = true;
      break;
    case WM_LBUTTONUP: {
      TPoint point = PointOf(message.LParam);
      ClientToScreen(Handle, point);
      message.WParam = BarHitAt(point);
      TSkScrollWnd::AdapterWndProc(message);
      if (OfSimpleCombo) ReleaseCapture();
      return;
    }
    case WM_PRINT:
    case WM_PRINTCLIENT:
      if (Print(message)) return;
      break;
    default: break;
  }
  TSkEditWnd::AdapterWndProc(message);
  if (message.Msg == WM_WINDOWPOSCHANGED) SyncScrollInfo(*this, true);
}

// ---------------------------------------------------------------- the combo box

TSkComboBoxWnd::~TSkComboBoxWnd() {
  ListAdapter.reset();
  if (listBrush_) DeleteObject(listBrush_);
}

bool TSkComboBoxWnd::IsSimple() const { return (StyleOf(Handle) & 3) == CBS_SIMPLE; }
bool TSkComboBoxWnd::IsDropDownList() const { return (StyleOf(Handle) & 3) == CBS_DROPDOWNLIST; }

TRect TSkComboBoxWnd::ButtonRect() const {
  return ButtonRectOfWidth((StyleOf(Handle) & 2) ? GetSystemMetrics(SM_CXVSCROLL) : 0);
}

TRect TSkComboBoxWnd::ButtonRectOfWidth(int width) const {
  TRect window;
  GetWindowRect(Handle, window);
  const bool rightToLeft = (GetWindowLongPtr(Handle, GWL_EXSTYLE) & WS_EX_RTLREADING) != 0;
  const int left = rightToLeft ? 2 : window.Width() - width - 2;
  return {left, 2, left + width, window.Height() - 2};
}

int TSkComboBoxWnd::ButtonState() const {
  if (ListHandle && IsWindowVisible(ListHandle)) return 2;
  const TSkinManager* manager = DefaultManager();
  const bool hot = manager && manager->HotWindow() == Handle;
  return SkinData->IsActiveState() || GetFocus() == Handle || hot ? 1 : 0;
}

void TSkComboBoxWnd::PaintComboButton(HDC dc) {
  TBitmap* cache = SkinData->CacheBitmap();
  if (!cache || !SkinData->GetSkinManager()) return;
  const TRect button = ButtonRect();
  if (TControl* host = SkinData->HostControl(); host && !host->Enabled()) {
    // The cache holds the button already, dimmed with the rest of the picture.
    BitBlt(dc, button.Left, button.Top, button.Width(), button.Height(), cache->Canvas().Handle(), button.Left,
           button.Top, SRCCOPY);
    return;
  }
  const auto bmp = ButtonPicture();
  BitBlt(dc, button.Left, button.Top, button.Width(), button.Height(), bmp->Canvas().Handle(), button.Left,
         button.Top, SRCCOPY);
}

std::unique_ptr<TBitmap> TSkComboBoxWnd::ButtonPicture() const {
  TBitmap* cache = SkinData->CacheBitmap();
  TSkinManager* manager = SkinData->GetSkinManager();
  const int state = ButtonState();
  const TRect button = ButtonRect();
  auto bmp = NewBitmapLike(*cache);
  BitBlt(bmp->Canvas().Handle(), 0, 0, cache->Width(), cache->Height(), cache->Canvas().Handle(), 0, 0, SRCCOPY);
  const TBackdropRef itself = MakeBackdropRef(bmp.get(), 0, 0);
  if (const int section = manager->SectionIndexOf("COMBOBTN"); section >= 0)
    PaintSection(section, "COMBOBTN", itself, true, state, button, {button.Left, button.Top}, bmp.get(), manager);
  const int comboSection = manager->SectionIndexOf("COMBOBOX");
  const int glyph = comboSection >= 0 ? manager->MaskIndexOf(comboSection, "COMBOBOX", "GLYPHMASK") : -1;
  if (manager->IsMaskIndex(glyph)) {
    const TSize frame = manager->MaskFrameSize(glyph);
    const int height = frame.cy > 0 ? frame.cy : DefaultGlyphHeight;
    DrawMaskImage(bmp.get(), {button.Left + (button.Width() - frame.cx) / 2, (bmp->Height() - height) / 2}, state, 1,
                  manager->Masks[glyph], itself);
  }
  return bmp;
}

void TSkComboBoxWnd::PaintButtonIntoCache() {
  TBitmap* cache = SkinData->CacheBitmap();
  if (!cache || !SkinData->GetSkinManager() || IsSimple()) return;
  const TRect button = ButtonRect();
  const auto bmp = ButtonPicture();
  BitBlt(cache->Canvas().Handle(), button.Left, button.Top, button.Width(), button.Height(), bmp->Canvas().Handle(),
         button.Left, button.Top, SRCCOPY);
}

void TSkComboBoxWnd::PaintSimpleComboFrame() {
  SkinData->PrepareCacheBitmap();
  TBitmap& cache = *SkinData->CacheBitmap();
  const int height = static_cast<int>(SendMessage(Handle, CB_GETITEMHEIGHT, 0, 0)) + 8;
  const TSkinManager* manager = SkinData->GetSkinManager();
  if (DialogMode && manager && manager->GlobalInfo.BorderColor != clFuchsia) {
    PaintOutlinedCache(cache, {WndSize.cx, height}, ColorToRGB(clWindow), manager->GlobalInfo.BorderColor);
    return;
  }
  cache.SetSize(WndSize.cx, height);
  TBackdropRef parent;
  SkinData->WindowParentBackdrop(Handle, parent);
  PaintControl(*SkinData, parent, true, SkinData->IsActiveState() ? 1 : 0, {0, 0, WndSize.cx, height}, PosInParent,
               &cache, true);
}

// The selected item (else the window text) into the cache, as the combo
// shows it; for WM_PRINT, which the combo cannot answer itself.
void TSkComboBoxWnd::PaintCurrentText() {
  TCanvas& canvas = SkinData->CacheBitmap()->Canvas();
  if (TControl* host = SkinData->HostControl()) canvas.Font().Assign(host->Font());
  std::string text = WndText;
  if (const LRESULT current = SendMessage(Handle, CB_GETCURSEL, 0, 0); current >= 0) {
    text.assign(static_cast<size_t>(SendMessage(Handle, CB_GETLBTEXTLEN, WPARAM(current), 0)) + 1, '\0');
    text.resize(static_cast<size_t>(
        SendMessage(Handle, CB_GETLBTEXT, WPARAM(current), reinterpret_cast<LPARAM>(text.data()))));
  }
  const TRect r{3, 3, ButtonRect().Left, WndSize.cy - 3};
  if (IsDropDownList() && GetFocus() == Handle) {
    canvas.Brush().SetStyle(bsSolid);
    canvas.Brush().SetColor(clHighlight);
    canvas.FillRect(r);
    canvas.Font().SetColor(clHighlightText);
    canvas.TextRect(r, r.Left, r.Top, text);
    canvas.DrawFocusRect(r);
    return;
  }
  canvas.Brush().SetStyle(bsClear);
  const int shift = IsDropDownList() ? 1 : 0;
  canvas.TextRect(r, r.Left + shift, r.Top + shift, text);
}

void TSkComboBoxWnd::PaintButtonOnWindow() {
  const HDC dc = GetWindowDC(Handle);
  PaintComboButton(dc);
  ReleaseDC(Handle, dc);
}

HBRUSH TSkComboBoxWnd::ListBrush(TColor color) {
  if (listBrush_ && listBrushColor_ == color) return listBrush_;
  if (listBrush_) DeleteObject(listBrush_);
  listBrush_ = CreateSolidBrush(color);
  listBrushColor_ = color;
  return listBrush_;
}

void TSkComboBoxWnd::AnswerListColor(TMessage& message) {
  TSkEditWnd::AdapterWndProc(message);
  if (!ListHandle) {
    ListHandle = ParamToHandle<HWND>(message.LParam);
    if (!ListAdapter) {
      const bool raw = !SkinData->HostControl();
      const bool repaint = SendMessage(Handle, CB_GETCOUNT, 0, 0) > 0;
      if (raw) DialogModeActive = DialogMode;
      ListAdapter = TSkMainWnd::Make<TSkComboListWnd>(ListHandle, nullptr, Manager, "EDIT", repaint);
      if (raw) DialogModeActive = false;
      ListAdapter->OfSimpleCombo = IsSimple();
    }
  }
  const LRESULT answer = SendSkinCommand(ParamToHandle<HWND>(message.LParam), scGetSection, 0);
  const TSkinManager* manager = SkinData->GetSkinManager();
  if (answer <= 0 || DialogMode || !manager || !manager->IsSectionIndex(int(answer - 1))) return;
  const TSkinGeneralData& section = manager->Section(int(answer - 1));
  const auto dc = reinterpret_cast<HDC>(message.WParam);
  if (static_cast<int>(section.FontColor[0]) >= 0) SetTextColor(dc, ColorToRGB(section.FontColor[0]));
  SetBkColor(dc, ColorToRGB(section.Color));
  message.Result = reinterpret_cast<LRESULT>(ListBrush(ColorToRGB(section.Color)));
}

void TSkComboBoxWnd::PaintOnPaint(TMessage& message) {
  ReadWindowGeometry(*this);
  message.Result = CallPrevWndProc(message.Msg, message.WParam, message.LParam);
  const auto given = reinterpret_cast<HDC>(message.WParam);
  const HDC dc = given ? given : GetWindowDC(Handle);
  SkinData->PaintSuspended = SkinData->PaintingSuspended();
  if (!SkinData->PaintSuspended) {
    if (IsSimple()) {
      PaintSimpleComboFrame();
      BlitCacheFrame(dc, SkinData->CacheBitmap(), ComboFrame);
    } else {
      SkinData->CacheStale = true;
      SendSkinCommand(Handle, scPaintBackdropToCache, 0);
      BlitCacheFrame(dc, SkinData->CacheBitmap(), ComboFrame);
      PaintComboButton(dc);
    }
  }
  if (!given) ReleaseDC(Handle, dc);
}

void TSkComboBoxWnd::Print(HDC dc) {
  ReadWindowGeometry(*this);
  SkinData->PaintSuspended = false;
  SkinData->CacheStale = true;
  ApplySkinLookOnce();
  if (IsSimple())
    PaintSimpleComboFrame();
  else
    SendSkinCommand(Handle, scPaintBackdropToCache, 0);
  PrepareAdapterCache(*SkinData, Handle, DialogMode);
  PaintCurrentText();
  FillTransparentCorners(*SkinData, 0, *this);
  TBitmap& cache = *SkinData->CacheBitmap();
  BitBlt(dc, 0, 0, cache.Width(), cache.Height(), cache.Canvas().Handle(), 0, 0, SRCCOPY);
  PaintComboButton(dc);
}

void TSkComboBoxWnd::AdapterWndProc(TMessage& message) {
  if (Detached || !SkinData || !SkinData->Skinned(false)) return TSkEditWnd::AdapterWndProc(message);
  switch (message.Msg) {
    case SM_SKINCMD:
      if (const WORD sub = SubCommandOf(message.WParam); sub == scMouseEntered || sub == scMouseLeft) {
        TSkEditWnd::AdapterWndProc(message);
        PaintButtonOnWindow();
        return;
      } else if (sub == scBeforeDisabledPaint) {
        PaintButtonIntoCache();  // dimmed together with the frame
      }
      break;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_LBUTTONUP:
      TSkEditWnd::AdapterWndProc(message);
      PaintButtonOnWindow();
      return;
    case WM_PAINT: PaintOnPaint(message); return;
    case WM_ERASEBKGND:
    case WM_NCPAINT: return;
    case WM_NCCALCSIZE:
      TSkEditWnd::AdapterWndProc(message);
      EdgeLeft = ComboFrame;
      return;
    case WM_CTLCOLORLISTBOX: AnswerListColor(message); return;
    case WM_PRINT: Print(reinterpret_cast<HDC>(message.WParam)); return;
    default: break;
  }
  TSkEditWnd::AdapterWndProc(message);
}
