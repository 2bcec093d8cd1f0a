#include "skin/adapters/SkCheckBoxWnd.h"

#include <algorithm>

#include "skin/ControlRoutines.h"
#include "skin/GeneralRoutines.h"
#include "skin/SkinCommonData.h"
#include "skin/paint/MaskDrawing.h"
#include "skin/paint/PixelRoutines.h"
#include "skin/paint/SectionPainting.h"
#include "skin/paint/TextLayout.h"
#include "skin/skins/SkinManager.h"
#include "toolkit/controls/Control.h"
#include "toolkit/gdi/Bitmap.h"
#include "toolkit/gdi/Canvas.h"
#include "toolkit/gdi/Gdi.h"
#include "toolkit/win/ControlMessages.h"
#include "toolkit/win/Keys.h"
#include "toolkit/win/MessageQueue.h"
#include "toolkit/win/Paint.h"
#include "toolkit/win/Window.h"

namespace {

// Told to the parent before a check box paints; what it means is the parent's affair.
constexpr WORD scBeforeCheckPaint = 5;
constexpr int DefaultGlyphSize = 16;
// The share of a disabled check box's own picture over its parent's background.
constexpr double DisabledShare = 0.4;

const char* const BoxMasks[3] = {"BOXUNCHECKED", "BOXCHECKED", "BOXGRAYED"};
const char* const RadioMasks[3] = {"RADIOUNCHECKED", "RADIOCHECKED", "BOXGRAYED"};

DWORD StyleOf(HWND window) { return static_cast<DWORD>(GetWindowLongPtr(window, GWL_STYLE)); }

LRESULT ButtonStateOf(HWND window) { return SendMessage(window, BM_GETSTATE, 0, 0); }

int GlyphMaskIndex(const TSkinManager& manager, DWORD style, int checkState) {
  return manager.MaskIndexOf(manager.SectionIndexOf("GLOBALINFO"), "GLOBALINFO",
                             CheckGlyphMaskName(style, checkState));
}

}  // namespace

int CheckStateOf(LRESULT buttonState) {
  if (buttonState & LRESULT(BST_INDETERMINATE)) return 2;
  return (buttonState & LRESULT(BST_CHECKED)) ? 1 : 0;
}

std::string CheckGlyphMaskName(DWORD style, int checkState) {
  const DWORD type = style & BS_TYPEMASK;
  const bool radio = type == BS_RADIOBUTTON || type == BS_AUTORADIOBUTTON;
  const int state = checkState == 1 || checkState == 2 ? checkState : 0;
  return (radio ? RadioMasks : BoxMasks)[state];
}

int CheckGlyphFrame(LRESULT buttonState, bool hot) {
  if (buttonState & LRESULT(BST_PUSHED)) return 2;
  return (buttonState & LRESULT(BST_FOCUS)) || hot ? 1 : 0;
}

void TSkCheckBoxWnd::AdapterWndProc(TMessage& message) {
  if (Detached || !SkinData || !SkinData->Skinned(false)) {
    TSkMainWnd::AdapterWndProc(message);
    return;
  }
  switch (message.Msg) {
    case SM_SKINCMD:
      if (const WORD sub = SubCommandOf(message.WParam); sub == scMouseEntered || sub == scMouseLeft) {
        SkinData->PaintSuspended = false;
        SendMessage(Handle, WM_PAINT, 0, 0);
      }
      break;
    case WM_ENABLE:
    case BM_SETCHECK:
    case BM_SETSTATE:
      if (!IsWindowVisible(Handle)) break;
      // The window's own repaint of the new state would show the system's look.
      SendMessage(Handle, WM_SETREDRAW, 0, 0);
      TSkMainWnd::AdapterWndProc(message);
      SendMessage(Handle, WM_SETREDRAW, 1, 0);
      SendMessage(Handle, WM_PAINT, 0, 0);
      return;
    case WM_PAINT: Paint(message); return;
    case WM_ERASEBKGND:
    case WM_NCPAINT: return;
    default: break;
  }
  TSkMainWnd::AdapterWndProc(message);
  switch (message.Msg) {
    case WM_SETFOCUS:
    case WM_KILLFOCUS: SendMessage(Handle, WM_PAINT, 0, 0); break;
    case WM_KEYDOWN:
      if (message.WParam == VK_SPACE) SendMessage(Handle, WM_PAINT, 0, 0);
      break;
    case WM_NCHITTEST:
      if (TSkinManager* manager = DefaultManager(); manager && IsWindowEnabled(Handle))
        manager->ChangeHotWindow(Handle);
      break;
    default: break;
  }
}

bool TSkCheckBoxWnd::IsHotWindow() const {
  const TSkinManager* manager = DefaultManager();
  return manager && manager->HotWindow() == Handle;
}

void TSkCheckBoxWnd::Paint(TMessage& message) {
  ReadWindowGeometry(*this);
  PAINTSTRUCT paint;
  BeginPaint(Handle, paint);
  SkinData->PaintSuspended = SkinData->PaintingSuspended();
  if (!SkinData->PaintSuspended) {
    ReadWindowGeometry(*this);
    SendSkinCommand(GetParent(Handle), scBeforeCheckPaint, 0);
    HDC given = reinterpret_cast<HDC>(message.WParam);
    if (IsWindowVisible(Handle) || given) {
      HDC dc = given ? given : GetDC(Handle);
      BuildCache(dc);
      if (!given) ReleaseDC(Handle, dc);
    }
  }
  EndPaint(Handle, paint);
}

void TSkCheckBoxWnd::BuildCache(HDC dc) {
  SkinData->PrepareCacheBitmap();
  TBitmap& cache = *SkinData->CacheBitmap();
  cache.SetSize(WndSize.cx, WndSize.cy);
  if (const auto font = reinterpret_cast<HFONT>(SendMessage(Handle, WM_GETFONT, 0, 0)))
    cache.Canvas().Font().SetHandle(font);
  TBackdropRef parent;
  SkinData->WindowParentBackdrop(Handle, parent);
  const TRect whole{0, 0, WndSize.cx, WndSize.cy};
  PaintSection(SkinData->SectionIndex, SkinData->SkinSection(), parent, true, SkinData->IsActiveState() ? 1 : 0,
               whole, PosInParent, &cache, SkinData->GetSkinManager());
  const DWORD style = StyleOf(Handle);
  const LRESULT buttonState = ButtonStateOf(Handle);
  if (!WndText.empty()) PaintCaption(cache, style, buttonState);
  PaintGlyph(cache, style, buttonState);
  if (!IsWindowEnabled(Handle)) FadeWhenDisabled(cache, parent);
  BitBlt(dc, 0, 0, cache.Width(), cache.Height(), cache.Canvas().Handle(), 0, 0, SRCCOPY);
}

void TSkCheckBoxWnd::PaintCaption(TBitmap& cache, DWORD style, LRESULT buttonState) {
  const TSkinManager* manager = SkinData->GetSkinManager();
  const int checkedMask = GlyphMaskIndex(*manager, style, 1);
  const int glyphWidth = manager->IsMaskIndex(checkedMask) ? manager->MaskFrameSize(checkedMask).cx
                                                           : DefaultGlyphSize;
  const int width = WndSize.cx;
  const int height = WndSize.cy;
  const int textWidth = width - glyphWidth - 2;
  TCanvas& canvas = cache.Canvas();
  if (TControl* host = SkinData->HostControl()) canvas.Font().Assign(host->Font());
  const bool multiLine = (style & BS_MULTILINE) != 0;
  TRect measured{0, 0, textWidth, 0};
  DrawText(canvas.Handle(), WndText, measured, DT_CALCRECT | (multiLine ? DT_WORDBREAK : DT_SINGLELINE));
  const int top = std::max((height - measured.Height()) / 2, 0);
  TRect text;
  if (style & BS_RIGHTBUTTON) {
    text = {2, top, measured.Width() + 2, height - top};
  } else {
    const int left = width - textWidth + 2;
    text = {left, top, left + measured.Width(), height - top};
    OffsetRect(text, multiLine ? -1 : 0, -1);
  }
  WriteSectionText(canvas, WndText.c_str(), true, text, multiLine ? DT_WORDBREAK | DT_CENTER : DT_SINGLELINE,
                   SkinData->SectionIndex, SkinData->IsActiveState(), SkinData->GetSkinManager());
  if (buttonState & LRESULT(BST_FOCUS)) {
    InflateRect(text, 1, 0);
    canvas.Pen().SetStyle(psClear);
    canvas.Brush().SetStyle(bsSolid);
    canvas.DrawFocusRect(text);
  }
}

void TSkCheckBoxWnd::PaintGlyph(TBitmap& cache, DWORD style, LRESULT buttonState) {
  const TSkinManager* manager = SkinData->GetSkinManager();
  const int mask = GlyphMaskIndex(*manager, style, CheckStateOf(buttonState));
  if (!manager->IsMaskIndex(mask) || cache.Width() < 1) return;
  const TSize frame = manager->MaskFrameSize(mask);
  const int left = (style & BS_RIGHTBUTTON) ? WndSize.cx - frame.cx : 0;
  DrawMaskImage(&cache, {left, (WndSize.cy - frame.cy) / 2}, CheckGlyphFrame(buttonState, IsHotWindow()), 1,
                manager->Masks[mask], MakeBackdropRef(&cache, 0, 0));
}

void TSkCheckBoxWnd::FadeWhenDisabled(TBitmap& cache, const TBackdropRef& parent) {
  if (parent.Ready && parent.Bmp) {
    const int x = parent.X + PosInParent.X;
    const int y = parent.Y + PosInParent.Y;
    BlendKeyedRect(&cache, 0, 0, parent.Bmp, {x, y, x + WndSize.cx - 1, y + WndSize.cy - 1}, DisabledShare,
                   TColor(0xFF000000));
  } else {
    TintBitmap(&cache, parent.FillColor, clSkinKey, DisabledShare);
  }
}
