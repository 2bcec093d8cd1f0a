#include "skin/adapters/SkMainWnd.h"

#include <algorithm>

#include "skin/ControlRoutines.h"
#include "skin/SkinCommonData.h"
#include "skin/forms/SkinProvider.h"
#include "skin/paint/Backdrop.h"
#include "skin/paint/FastPixels.h"
#include "skin/paint/PixelRoutines.h"
#include "skin/paint/SectionPainting.h"
#include "skin/skins/SkinManager.h"
#include "toolkit/controls/Application.h"
#include "toolkit/controls/Form.h"
#include "toolkit/gdi/Bitmap.h"
#include "toolkit/gdi/Canvas.h"
#include "toolkit/win/MessageQueue.h"
#include "toolkit/win/Paint.h"
#include "toolkit/win/Styles.h"
#include "toolkit/win/Window.h"

bool DialogModeActive = false;
bool DetachAllRunning = false;
TSkinDisabledKind AdapterDisabledKind = 0;

void TSkAdapterFree::operator()(TSkMainWnd* adapter) const {
  if (adapter) adapter->Destroy();
}

// Hears of the end of the control whose window method the adapter took over.
class TSkMainWnd::THostWatch : public TComponent {
public:
  THostWatch(TSkMainWnd& adapter, TControl& target) : TComponent(nullptr), adapter_(adapter) {
    FreeNotification(&target);
  }

protected:
  void Notification(TComponent* component, TOperation operation) override {
    TComponent::Notification(component, operation);
    if (operation == opRemove && component == adapter_.target_) adapter_.HostFreed();
  }

private:
  TSkMainWnd& adapter_;
};

TSkMainWnd::TSkMainWnd() = default;

TSkMainWnd::~TSkMainWnd() = default;

// ---------------------------------------------------------------- creation

void TSkMainWnd::Create(HWND handle, TSkinCommonData* skinData, TSkinManager* manager, const std::string& section,
                        bool repaint) {
  Handle = handle;
  if (section != "DIALOG") TurnVisualStylesOff(handle);
  BindSkinData(skinData, manager, section);
  TakeDialogModeAndLook();
  ReadWindowText();
  AttachOnCreate(handle, repaint);
  MakeHostOpaque();
}

void TSkMainWnd::TurnVisualStylesOff(HWND handle) {
  if (SetWindowThemeProc) SetWindowThemeProc(handle, " ", " ");
}

void TSkMainWnd::BindSkinData(TSkinCommonData* skinData, TSkinManager* manager, const std::string& section) {
  WndProcStub = nullptr;
  Manager = manager;
  Detached = false;
  if (skinData) {
    SkinData = skinData;
    if (!Manager) Manager = skinData->GetSkinManager();
  } else {
    SkinData = new TSkinCommonData(nullptr, true);
    OwnsSkinData = true;
  }
  if (SkinData->SkinSection().empty()) SkinData->SetSkinSection(section);
}

void TSkMainWnd::TakeDialogModeAndLook() {
  DialogMode = DialogModeActive;
  StoreStdLook();
  SkinLookApplied = false;
  SavedWindowProc = TWndMethodRef();
  PrevWndProc = nullptr;
}

void TSkMainWnd::ReadWindowText() { WndText = GetWindowText(Handle); }

void TSkMainWnd::AttachOnCreate(HWND handle, bool) { AttachWindow(handle); }

void TSkMainWnd::MakeHostOpaque() {
  if (TControl* host = SkinData->HostControl()) host->ControlStyle |= csOpaque;
}

// ---------------------------------------------------------------- taking over and giving back

namespace {

// The control whose window method an adapter of this skin data takes over:
// a form provider's form, else the host control; null: subclass the window.
TControl* TakeoverTargetOf(const TSkinCommonData& data) {
  if (auto* provider = dynamic_cast<TSkinProvider*>(data.HostObject())) return provider->Form();
  return data.HostControl();
}

}  // namespace

void TSkMainWnd::WndProcOf(TObject* self, TMessage& message) {
  static_cast<TSkMainWnd*>(self)->AdapterWndProc(message);
}

void TSkMainWnd::AttachWindow(HWND handle) {
  OwnScrolling = false;
  Handle = handle;
  SetProp(handle, AdapterProperty, this);
  TControl* target = TakeoverTargetOf(*SkinData);
  if (!target) {
    PrevWndProc = reinterpret_cast<WNDPROC>(GetWindowLongPtr(handle, GWL_WNDPROC));
    if (!WndProcStub) WndProcStub = MakeObjectInstance([this](TMessage& message) { AdapterWndProc(message); });
    SetWindowLongPtr(handle, GWL_WNDPROC, reinterpret_cast<LONG_PTR>(WndProcStub));
    return;
  }
  target_ = target;
  hostWatch_ = std::make_unique<THostWatch>(*this, *target);
  SavedWindowProc = target->WindowProc.Current();
  target->WindowProc = TWndHandler::OfMethod(&TSkMainWnd::WndProcOf, this);
}

// Removes the adapter's own takeover wherever it sits; the stub stays
// until the adapter goes, since the message being handled may run in it.
void TSkMainWnd::GiveProcedureBack() {
  if (SavedWindowProc) {
    if (target_) target_->WindowProc = SavedWindowProc;
  } else if (PrevWndProc && IsWindow(Handle)) {
    SetWindowLongPtr(Handle, GWL_WNDPROC, reinterpret_cast<LONG_PTR>(PrevWndProc));
  }
  RemoveProp(Handle, AdapterProperty);
}

void TSkMainWnd::HostFreed() {
  target_ = nullptr;
  Detached = true;
}

void TSkMainWnd::DetachWindow(HWND handle, bool repaint) {
  if (Detached) return;
  Handle = handle;
  GiveProcedureBack();
  RestoreStdLook();
  if (IsWindowVisible(handle)) RefreshFrame(handle, repaint);
  Detached = true;
}

void TSkMainWnd::Destroy() {
  if (!Detached) {
    const bool lookTouched = !DetachAllRunning || SkinRemoving;
    if (lookTouched && SetWindowThemeProc) SetWindowThemeProc(Handle, nullptr, nullptr);
    GiveProcedureBack();
    if (lookTouched) RestoreStdLook();
  }
  Detached = true;
  if (WndProcStub) FreeObjectInstance(WndProcStub);
  WndProcStub = nullptr;
  hostWatch_.reset();
  if (OwnsSkinData) delete SkinData;
  SkinData = nullptr;
  Manager = nullptr;
  delete this;
}

LRESULT TSkMainWnd::CallPrevWndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (SavedWindowProc) {
    TMessage message{msg, wParam, lParam, 0};
    SavedWindowProc(message);
    return message.Result;
  }
  if (PrevWndProc) return CallWindowProc(PrevWndProc, Handle, msg, wParam, lParam);
  return 0;
}

// ---------------------------------------------------------------- the window procedure

void TSkMainWnd::AdapterWndProc(TMessage& message) {
  if (!Detached && HandleOwnMessage(message)) return;
  if (Detached || !ManagerActive() || !HandleSkinCommandOfAdapter(message))
    message.Result = CallPrevWndProc(message.Msg, message.WParam, message.LParam);
}

bool TSkMainWnd::HandleOwnMessage(TMessage& message) {
  switch (message.Msg) {
    case WM_DESTROY:
    case WM_NCDESTROY:
      if (PrevWndProc || SavedWindowProc) DetachWindow(Handle, false);
      message.Result = CallPrevWndProc(message.Msg, message.WParam, message.LParam);
      return true;
    case WM_UPDATEUISTATE: return true;
    case WM_SIZE: SkinData->CacheStale = true; return false;
    case WM_SETTEXT:
      message.Result = CallPrevWndProc(message.Msg, message.WParam, message.LParam);
      ReadWindowText();
      return true;
    case WM_MOUSEMOVE:
      if (TSkinManager* manager = DefaultManager();
          manager && !(manager->ComponentState() & csDesigning) && IsWindowEnabled(Handle))
        manager->ChangeHotWindow(Handle);
      return false;
    case WM_PRINT: message.Result = SendMessage(Handle, WM_PAINT, message.WParam, message.LParam); return true;
    default: return false;
  }
}

bool TSkMainWnd::ManagerActive() const {
  const TSkinManager* manager = SkinData ? SkinData->GetSkinManager() : nullptr;
  return manager && manager->Active();
}

bool TSkMainWnd::HandleSkinCommandOfAdapter(TMessage& message) {
  if (message.Msg != SM_SKINCMD) return false;
  const TSkinManager* own = Manager ? Manager : SkinData->GetSkinManager();
  const bool fromOwn = reinterpret_cast<TSkinManager*>(message.LParam) == own;
  switch (SubCommandOf(message.WParam)) {
    case scSkinApplied:
      if (fromOwn) {
        SkinData->ResolveIndexes();
        SkinData->CacheStale = true;
      }
      return false;
    case scSkinRemoved:
      if (fromOwn) RestoreStdLook();
      return false;
    case scSkinChanged:
      if (!fromOwn) return false;
      SkinData->ResolveIndexes();
      SkinData->CacheStale = true;
      SkinData->PaintSuspended = false;
      SendMessage(Handle, WM_PAINT, 0, 0);
      return true;
    case scResumePainting:
      if (!SkinData->PaintingSuspended()) return false;
      SkinData->PaintSuspended = false;
      RedrawWindow(Handle, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME);
      return true;
    case scIsSkinnable: message.Result = 1; return true;
    case scIsPaintingSuspended: message.Result = SkinData->PaintSuspended ? 1 : 0; return true;
    case scHasComplexBackground:
      if (!SkinData->HostControl()) return false;
      HandleSkinCommand(message, SkinData);
      return true;
    case scGetColor:
      message.Result = CallPrevWndProc(message.Msg, message.WParam, message.LParam);
      if (message.Result == 0) message.Result = LRESULT(SkinData->ControlColor(0, Handle));
      return true;
    case scPaintBackdropToCache: PrepareAdapterCache(*SkinData, Handle, false); return false;
    case scGetBackdrop:
      SkinData->AnswerBackgroundRequest(*reinterpret_cast<TBackdropQuery*>(message.LParam), 0, Handle);
      return true;
    case scGetApplication: message.Result = reinterpret_cast<LRESULT>(&Application()); return true;
    default: return false;
  }
}

// ---------------------------------------------------------------- geometry and painting

void RefreshFrame(HWND handle, bool repaint) {
  if (repaint)
    SetWindowPos(handle, nullptr, 0, 0, 0, 0,
                 SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
  else
    SendMessage(handle, WM_NCPAINT, 1, 0);
}

void ReadWindowGeometry(TSkMainWnd& adapter) {
  GetWindowRect(adapter.Handle, adapter.ScreenRect);
  adapter.ParentHandle = GetParent(adapter.Handle);
  GetWindowRect(adapter.ParentHandle, adapter.ParentRect);
  adapter.WndSize = {adapter.ScreenRect.Width(), adapter.ScreenRect.Height()};
  adapter.PosInParent = {adapter.ScreenRect.Left - adapter.ParentRect.Left,
                         adapter.ScreenRect.Top - adapter.ParentRect.Top};
  const auto offset = static_cast<DWORD>(SendSkinCommand(adapter.ParentHandle, scGetClientOffset, 0));
  if (offset == 0) return;
  adapter.PosInParent.X -= int(offset & 0xFFFF);
  adapter.PosInParent.Y -= int(offset >> 16 & 0xFFFF);
}

void TSkMainWnd::PrepareAdapterCache(TSkinCommonData& data, HWND handle, bool dialog) {
  if (!data.CacheStale || !handle) return;
  TRect windowRect;
  GetWindowRect(handle, windowRect);
  TBackdropRef backdrop;
  data.WindowParentBackdrop(handle, backdrop);
  data.PrepareCacheBitmap();
  TBitmap* cache = data.CacheBitmap();
  cache->SetSize(windowRect.Width(), windowRect.Height());
  const TSkinManager* manager = data.GetSkinManager();
  const TRect whole{0, 0, windowRect.Width(), windowRect.Height()};
  const HWND parent = GetParent(handle);
  if (DialogMode && manager && manager->GlobalInfo.BorderColor != clFuchsia) {
    FillDeviceRect(cache->Canvas().Handle(), whole, ColorToRGB(clWindow));
    FillDeviceFrame(cache->Canvas().Handle(), whole, 1, 1, 1, 1, manager->GlobalInfo.BorderColor);
  } else if (parent && manager && manager->IsSectionIndex(data.SectionIndex)) {
    TRect parentRect;
    GetWindowRect(parent, parentRect);
    const TPoint offset{windowRect.Left - parentRect.Left, windowRect.Top - parentRect.Top};
    PaintControl(data, backdrop, false, 0, whole, offset, cache, !dialog);
  } else if (!parent) {
    return;
  }
  TControl* host = data.HostControl();
  if (host && !host->Enabled()) {
    AdapterDisabledKind = 0;
    SendSkinCommand(handle, scBeforeDisabledPaint, 0);
    TBackdropRef hostBackdrop;
    data.ParentBackdrop(hostBackdrop);
    DimImage(cache, AdapterDisabledKind, host->Parent(), hostBackdrop, {host->Left(), host->Top()});
  }
  data.CacheStale = false;
}

namespace {

// Where a corner of the borders mask lies in its frame and in the window.
struct TCorner {
  TPoint InFrame;
  TPoint InWindow;
  TSize Size;
};

}  // namespace

void FillTransparentCorners(TSkinCommonData& data, int frame, TSkMainWnd& adapter) {
  TSkinManager* manager = data.GetSkinManager();
  TSkFast24 cache;
  if (!manager || adapter.DialogMode || !manager->IsMaskIndex(data.BorderMaskIndex) || adapter.WndSize.cx <= 1 ||
      adapter.WndSize.cy <= 1 || !cache.Bind(data.CacheBitmap()))
    return;
  TBackdropRef parent;
  data.WindowParentBackdrop(adapter.Handle, parent);
  TSkFastReader parentPixels;
  const bool parentImage = parent.Ready && parentPixels.Bind(parent.Bmp, true);
  const TColor fill = ColorToRGB(parent.FillColor);

  const TSkinMaskData& mask = manager->Masks[data.BorderMaskIndex];
  TSkFast24 maskPixels;
  if (!maskPixels.Bind(mask.Image ? mask.Image.get() : manager->MasterBitmap())) return;
  const TRect source = mask.Image ? TRect{0, 0, maskPixels.Width, maskPixels.Height} : mask.SourceRect;
  const bool ownWithoutFrames = mask.Image && mask.ImageCount == 0;
  const int frames = ownWithoutFrames ? 3 : std::max<int>(mask.ImageCount, 1);
  const int maskType = ownWithoutFrames ? 1 : mask.MaskType;
  const int frameWidth = source.Width() / frames;
  const int rowHeight = source.Height() / (maskType + 1);
  const int frameLeft = source.Left + std::clamp(frame, 0, frames - 1) * frameWidth;
  const int w = cache.Width, h = cache.Height;
  const TCorner corners[] = {
      {{0, 0}, {0, 0}, {mask.WL, mask.WT}},
      {{0, rowHeight - mask.WB}, {0, h - mask.WB}, {mask.WL, mask.WB}},
      {{frameWidth - mask.WR, rowHeight - mask.WB}, {w - mask.WR, h - mask.WB}, {mask.WR, mask.WB}},
      {{frameWidth - mask.WR, 0}, {w - mask.WR, 0}, {mask.WR, mask.WT}},
  };
  for (const TCorner& corner : corners)
    for (int y = 0; y < corner.Size.cy; ++y)
      for (int x = 0; x < corner.Size.cx; ++x) {
        const int mx = frameLeft + corner.InFrame.X + x, my = source.Top + corner.InFrame.Y + y;
        const int cx = corner.InWindow.X + x, cy = corner.InWindow.Y + y;
        if (mx < 0 || my < 0 || mx >= maskPixels.Width || my >= maskPixels.Height || cx < 0 || cy < 0 || cx >= w ||
            cy >= h || maskPixels.ReadPixel(mx, my) != clSkinKey)
          continue;
        std::uint8_t* target = cache.PixelAt(cx, cy);
        if (!parentImage) {
          target[0] = std::uint8_t(fill >> 16), target[1] = std::uint8_t(fill >> 8), target[2] = std::uint8_t(fill);
        } else if (const std::uint8_t* behind = parentPixels.BytesAt(parent.X + adapter.PosInParent.X + cx,
                                                                     parent.Y + adapter.PosInParent.Y + cy)) {
          std::copy(behind, behind + 3, target);
        }
      }
}

LRESULT SendToTopWindow(HWND handle) {
  return SendSkinCommand(GetAncestor(handle, GA_ROOT), scAdaptControl, 0);
}

TWinControl* FindControlByHandle(HWND handle, TComponent* component) {
  if (!component) return nullptr;
  for (int i = 0; i < component->ComponentCount(); ++i) {
    TComponent* owned = component->Components(i);
    if (auto* control = dynamic_cast<TWinControl*>(owned); control && control->HandleAllocated() &&
                                                           control->Handle() == handle)
      return control;
    if (TWinControl* found = FindControlByHandle(handle, owned)) return found;
  }
  return nullptr;
}
