#include "skin/adapters/SkEditWnd.h"

#include "skin/ControlRoutines.h"
#include "skin/SkinCommonData.h"
#include "skin/paint/FrameRoutines.h"
#include "skin/skins/SkinManager.h"
#include "toolkit/controls/Application.h"
#include "toolkit/controls/ListView.h"
#include "toolkit/gdi/Bitmap.h"
#include "toolkit/gdi/Canvas.h"
#include "toolkit/gdi/DeviceContext.h"
#include "toolkit/win/ControlMessages.h"
#include "toolkit/win/MessageQueue.h"
#include "toolkit/win/Paint.h"
#include "toolkit/win/ScrollBar.h"
#include "toolkit/win/SysMetrics.h"
#include "toolkit/win/Window.h"

namespace {

// A message some hosts send themselves; the skinned window has no use for it.
constexpr UINT DroppedMessage = 0x2100;
constexpr UINT SuspendedRedraw = RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME;
constexpr UINT FontRedraw = RDW_FRAME | RDW_ERASE | RDW_INVALIDATE;
constexpr UINT LookRefreshFlags =
    SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_FRAMECHANGED | SWP_NOOWNERZORDER;

bool Visible(HWND window) { return IsWindowVisible(window); }

// The window fades in: only its snapshot may be painted.
bool AnimationHidesScreen(HDC dc) { return AnimationRunning && (!CaptureDC || dc != CaptureDC); }

}  // namespace

// ---------------------------------------------------------------- TSkBaseWnd

void TSkBaseWnd::AdapterWndProc(TMessage& message) {
  if (Detached || !SkinData || !SkinData->Skinned(false)) return TSkScrollWnd::AdapterWndProc(message);
  if (message.Msg == SM_SKINCMD) {
    const WORD sub = SubCommandOf(message.WParam);
    if (sub == scSkinChanged && reinterpret_cast<TSkinManager*>(message.LParam) == SkinData->GetSkinManager()) {
      TSkScrollWnd::AdapterWndProc(message);
      if (Visible(Handle)) SendMessage(Handle, WM_NCPAINT, 0, 0);
      return;
    }
    if (sub == scPaintBackdropToCache) PrepareAdapterCache(*SkinData, Handle, false);
  }
  switch (message.Msg) {
    case WM_SIZE: SkinData->CacheStale = true; break;
    case WM_SETCURSOR: message.Result = CallPrevWndProc(message.Msg, message.WParam, message.LParam); return;
    case DroppedMessage: return;
    default: break;
  }
  TSkScrollWnd::AdapterWndProc(message);
  switch (message.Msg) {
    case WM_SIZE:
    case WM_HSCROLL:
    case WM_VSCROLL:
      if (!OwnScrolling) SyncScrollInfo(*this, true);
      break;
    case WM_ENABLE:
    case CM_ENABLEDCHANGED:
      if (Visible(Handle)) SendMessage(Handle, WM_NCPAINT, 0, 0);
      break;
    default: break;
  }
}

// ---------------------------------------------------------------- TSkEditWnd: look

void TSkEditWnd::Create(HWND handle, TSkinCommonData* skinData, TSkinManager* manager, const std::string& section,
                        bool repaint) {
  if (!handle) return;
  Handle = handle;
  if (section != "DIALOG" && TurnsVisualStylesOff(repaint)) TurnVisualStylesOff(handle);
  BindSkinData(skinData, manager, section);
  TakeDialogModeAndLook();
  AttachOnCreate(handle, repaint);
  if (!dynamic_cast<TListView*>(SkinData->HostControl())) MakeHostOpaque();
}

void TSkEditWnd::StoreStdLook() {
  if (TControl* host = SkinData->HostControl()) {
    StdColor = host->Color();
    StdFontColor = host->Font().Color();
  }
}

void TSkEditWnd::RestoreStdLook() {
  SetWindowPos(Handle, nullptr, 0, 0, 0, 0, LookRefreshFlags);
  TControl* host = SkinData->HostControl();
  if (!host || host->IsDestroying()) return;
  host->SetColor(StdColor);
  host->Font().SetColor(StdFontColor);
}

const TSkinGeneralData& TSkEditWnd::SectionValues() const {
  return SkinData->GetSkinManager()->Section(SkinData->SectionIndex);
}

void TSkEditWnd::ApplySkinLook() {
  StyleChangeGuard = true;
  SkinLookApplied = true;
  const TSkinManager* manager = SkinData->GetSkinManager();
  const bool sectionValid = manager && manager->IsSectionIndex(SkinData->SectionIndex);
  if (TControl* host = SkinData->HostControl()) {
    if (!SkinData->CustomColor()) {
      const TColor color = SkinData->ControlColor(SkinData->IsActiveState() ? 1 : 0);
      if (host->Color() != color) host->SetColor(color);
    }
    if (!SkinData->CustomFont() && sectionValid && host->Font().Color() != SectionValues().HotFontColor[0])
      host->Font().SetColor(SectionValues().HotFontColor[0]);
  } else {
    WndColor = !DialogMode && sectionValid ? SectionValues().Color : clWindow;
    PenColor = 0;
  }
  SkinData->CacheStale = true;
  StyleChangeGuard = false;
}

void TSkEditWnd::ApplySkinLookOnce() {
  if (!SkinLookApplied) ApplySkinLook();
}

// ---------------------------------------------------------------- TSkEditWnd: window procedure

bool TSkEditWnd::IsSkinChangeFromOwnManager(const TMessage& message) const {
  return SubCommandOf(message.WParam) == scSkinChanged &&
         reinterpret_cast<TSkinManager*>(message.LParam) == SkinData->GetSkinManager();
}

void TSkEditWnd::AdapterWndProc(TMessage& message) {
  if (Detached || !SkinData || !SkinData->Skinned(false)) return TSkBaseWnd::AdapterWndProc(message);
  if (message.Msg == SM_SKINCMD && HandleSkinCommandOfEdit(message)) return;
  if (HandleWindowMessage(message)) return;
  TSkBaseWnd::AdapterWndProc(message);
  AfterMessage(message);
}

bool TSkEditWnd::HandleSkinCommandOfEdit(TMessage& message) {
  switch (SubCommandOf(message.WParam)) {
    case scSkinChanged:
      if (!IsSkinChangeFromOwnManager(message)) return false;
      TSkBaseWnd::AdapterWndProc(message);
      ApplySkinLook();
      return true;
    case scResumePainting:
      if (SkinData->PaintingSuspended()) {
        SkinData->PaintSuspended = false;
        RedrawWindow(Handle, nullptr, nullptr, SuspendedRedraw);
      }
      return false;
    case scIsSkinnable: message.Result = 1; return true;
    case scPaintBackdropToCache:
      PrepareAdapterCache(*SkinData, Handle, DialogMode);
      FillTransparentCorners(*SkinData, 0, *this);
      return true;
    case scGetSection: message.Result = SkinData->SectionIndex + 1; return true;
    case scGetApplication: message.Result = reinterpret_cast<LRESULT>(&Application()); return true;
    case scBeforeDisabledPaint:
      // A disabled edit's frame is faded over what lies behind it.
      AdapterDisabledKind = dkBlended;
      return true;
    default: return false;
  }
}

bool TSkEditWnd::HandleWindowMessage(TMessage& message) {
  const auto dc = reinterpret_cast<HDC>(message.WParam);
  switch (message.Msg) {
    case WM_PAINT:
      if (!Visible(Handle)) return false;
      SkinData->PaintSuspended = SkinData->PaintingSuspended();
      if (SkinData->PaintSuspended || AnimationHidesScreen(nullptr)) {
        PAINTSTRUCT paint;
        BeginPaint(Handle, paint);
        EndPaint(Handle, paint);
        return true;
      }
      PaintScrollBars(*this, dc);
      ApplySkinLookOnce();
      return false;
    case WM_ERASEBKGND:
      if (!Visible(Handle)) return false;
      SkinData->PaintSuspended = SkinData->PaintingSuspended();
      if (SkinData->PaintSuspended) return true;
      ApplySkinLookOnce();
      if (AnimationHidesScreen(dc)) {
        message.Result = 1;
        return true;
      }
      return false;
    case WM_NCPAINT:
      if (!Visible(Handle)) return false;
      if (!AnimationRunning) PaintNonClient();
      return true;
    case WM_PRINT:
      Print(dc);
      return true;
    case CM_FONTCHANGED: RedrawWindow(Handle, nullptr, nullptr, FontRedraw); return false;
    default: return false;
  }
}

bool TSkEditWnd::ReadyToPaintNonClient() {
  ReadWindowGeometry(*this);
  SkinData->PaintSuspended = SkinData->PaintingSuspended();
  if (SkinData->PaintSuspended) return false;
  if (SkinData->CacheStale) {
    ApplySkinLookOnce();
    PrepareAdapterCache(*SkinData, Handle, DialogMode);
  }
  return true;
}

void TSkEditWnd::PaintNonClient() {
  if (!ReadyToPaintNonClient()) return;
  const HDC dc = GetWindowDC(Handle);
  const int saved = SaveDC(dc);
  PaintFrame(dc);
  RestoreDC(dc, saved);
  ReleaseDC(Handle, dc);
}

void TSkEditWnd::PaintFrame(HDC dc) {
  if (TBitmap* cache = SkinData->CacheBitmap())
    BlitFrame(dc, 0, 0, cache->Width(), cache->Height(), cache->Canvas().Handle(), 0, 0, EdgeLeft);
  PaintScrollBars(*this, dc);
}

TRect TSkEditWnd::ClientInPrint() const {
  const TBitmap* cache = SkinData->CacheBitmap();
  const int width = cache ? cache->Width() : WndSize.cx;
  const int height = cache ? cache->Height() : WndSize.cy;
  const int vertical = VertBar.Shown ? BarMetric(VertBar, bmThickness) : 0;
  const int horizontal = HorzBar.Shown ? BarMetric(HorzBar, bmThickness) : 0;
  return {0, 0, width - 2 * EdgeLeft - vertical, height - 2 * EdgeLeft - horizontal};
}

// The whole window into dc: the skinned frame and bars, then the client
// area painted by the window itself inside them. Passing the request on
// would paint the system's frame over the skinned one.
void TSkEditWnd::Print(HDC dc) {
  ReadWindowGeometry(*this);
  SkinData->PaintSuspended = false;
  SkinData->CacheStale = true;
  ApplySkinLookOnce();
  PrepareAdapterCache(*SkinData, Handle, DialogMode);
  if (!DialogMode) FillTransparentCorners(*SkinData, 0, *this);
  PaintFrame(dc);
  const int saved = SaveDC(dc);
  OffsetWindowOrgEx(dc, -EdgeLeft, -EdgeLeft, nullptr);
  const TRect client = ClientInPrint();
  IntersectClipRect(dc, client.Left, client.Top, client.Right, client.Bottom);
  const auto dcParam = reinterpret_cast<WPARAM>(dc);
  SendMessage(Handle, WM_ERASEBKGND, dcParam, 0);
  SendMessage(Handle, WM_PAINT, dcParam, 0);
  SendMessage(Handle, WM_PRINTCLIENT, dcParam, PRF_OWNED | PRF_CLIENT);
  RestoreDC(dc, saved);
}

void TSkEditWnd::AfterMessage(const TMessage& message) {
  switch (message.Msg) {
    case WM_SIZE:
      if (Visible(Handle)) SendMessage(Handle, WM_NCPAINT, 0, 0);
      break;
    case EM_REPLACESEL:
    case LB_ADDSTRING:
    case LB_INSERTSTRING:
    case LB_SETCURSEL:
    case LB_SETTOPINDEX: SyncScrollInfo(*this, true); break;
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_LBUTTONDOWN:
    case CN_KEYDOWN:
    case CN_KEYUP:
      if (!OwnScrolling) SyncScrollInfo(*this, true);
      break;
    case WM_MOUSEMOVE:
      if (TSkinManager* manager = DefaultManager();
          manager && !(manager->ComponentState() & csDesigning) && IsWindowEnabled(Handle))
        manager->ChangeHotWindow(Handle);
      break;
    default: break;
  }
}
