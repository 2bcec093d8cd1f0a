// The provider's window method: the skin commands it answers in every
// state, then the path of an unskinned form, which passes nearly every
// message on to the form's own method.

#include "skin/ControlRoutines.h"
#include "skin/SkinCommonData.h"
#include "skin/adapters/SkCtrlAdapter.h"
#include "skin/adapters/SkScrollWnd.h"
#include "skin/forms/SkinProvider.h"
#include "skin/menus/SkinableMenus.h"
#include "skin/skins/SkinManager.h"
#include "toolkit/controls/Application.h"
#include "toolkit/controls/Form.h"
#include "toolkit/controls/Screen.h"
#include "toolkit/win/MessageQueue.h"
#include "toolkit/win/Paint.h"
#include "toolkit/win/Styles.h"
#include "toolkit/win/Window.h"
#include "toolkit/win/WindowRegion.h"

namespace {

TSkinManager* SenderOf(const TMessage& message) { return reinterpret_cast<TSkinManager*>(message.LParam); }

bool ManagerLoading(const TSkinManager& manager) { return (manager.ComponentState() & csLoading) != 0; }

}  // namespace

void TSkinProvider::NewWindowProc(TMessage& message) {
  if (message.Msg == SM_SKINCMD && HandleCommandOfEveryState(message)) return;
  if (FormGoing() || !Skinned())
    PassThrough(message);
  else
    SkinnedWindowProc(message);
}

// While the form is being destroyed its parts beyond the component are
// gone: the answers that would measure or walk it stay empty.
bool TSkinProvider::HandleCommandOfEveryState(TMessage& message) {
  TSkinCommonData& data = SkinData();
  const bool going = FormGoing();
  switch (SubCommandOf(message.WParam)) {
    case scSkinApplied:
      if (!going && SenderOf(message) == data.GetSkinManager() && !SysMenu) AttachSkin();
      return false;
    case scSkinRemoved:
      if (SenderOf(message) == data.GetSkinManager())
        SkinRemoved(message);
      else if (hostForm_ && !going)
        BroadcastToChildren(hostForm_, message);
      return true;
    case scIsSkinnable: message.Result = 1; return true;
    case scGetBackdrop:
      if (!going) AnswerBackgroundRequest(*reinterpret_cast<TBackdropQuery*>(message.LParam));
      return true;
    case scPlainBackground: message.Result = data.StateFlags; return true;
    case scGetApplication: message.Result = reinterpret_cast<LRESULT>(&Application()); return true;
    case scGetClientOffset:
      if (!going) message.Result = LRESULT(MAKELONG(WORD(ClientOffsetX()), WORD(ClientOffsetY())));
      return true;
    default: return false;
  }
}

void TSkinProvider::SkinRemoved(TMessage& message) {
  TSkinCommonData& data = SkinData();
  DwmAttributesSet = false;
  ScrollWnd.reset();
  DetachSkin();
  HandleSkinCommand(message, &data);
  MenuRowCount = -1;
  if (hostForm_ && !FormGoing()) BroadcastToChildren(hostForm_, message);
  TSkinManager* manager = data.GetSkinManager();
  if (manager) ClearMenuImages();
  if (!hostForm_ || FormGoing()) return;
  if (manager) {
    SkinFormMenus(false);
    ToggleSysMenuStyle(false);
    if (HasFrame() && !InMenuLoop && hostForm_->HandleAllocated()) SetWindowRgn(hostForm_->Handle(), nullptr, true);
    RefreshMainMenu();
    // A form without an MDI client has handle 0 there, which would be the desktop.
    if (HWND client = hostForm_->ClientHandle())
      RedrawWindow(client, nullptr, nullptr, RDW_FRAME | RDW_ALLCHILDREN | RDW_ERASE | RDW_INVALIDATE);
  }
  if (useGlobalColor_ && !data.CustomColor()) hostForm_->SetColor(clBtnFace);
  data.ReleaseCacheBitmap();
  SetFrameOwn(false);
}

void TSkinProvider::AnswerBackgroundRequest(TBackdropQuery& query) {
  TSkinCommonData& data = SkinData();
  const TPoint clientOffset{ClientOffsetX(), ClientOffsetY()};
  if (query.DrawNow) query.Offset = {query.Offset.X + clientOffset.X, query.Offset.Y + clientOffset.Y};
  data.AnswerBackgroundRequest(query, ActiveLook ? 1 : 0, hostForm_ && hostForm_->HandleAllocated() ? hostForm_->Handle() : nullptr);
  if (query.Kind != bkImage || query.DrawNow) return;
  if (!query.Bmp) query.Bmp = data.CacheBitmap();
  query.Offset = clientOffset;
}

void TSkinProvider::PassThrough(TMessage& message) {
  if (message.Msg == SM_SKINCMD) {
    switch (SubCommandOf(message.WParam)) {
      case scSkinApplied:
        if (FormGoing()) break;
        SkinAppliedUnskinned(message);
        return;
      case scGetProvider: message.Result = reinterpret_cast<LRESULT>(this); return;
      default: break;
    }
  }
  SavedWindowProc(message);
  if (message.Msg == WM_NCACTIVATE && hostForm_ && !FormGoing() && hostForm_->FormStyle() == fsMDIChild)
    AfterMdiChildActivation();
}

void TSkinProvider::SkinAppliedUnskinned(const TMessage& message) {
  TSkinCommonData& data = SkinData();
  TSkinManager* manager = data.GetSkinManager();
  if (SenderOf(message) == manager) {
    ClearMenuImages();
    data.ResolveIndexes();
    if (manager) {
      PickCaptionGlyphs(Buttons, *manager, BigButtons(), IsMdiFrame());
      ToggleSysMenuStyle(true);
      if (IsMdiFrame() && hostForm_->ActiveMDIChild() &&
          hostForm_->ActiveMDIChild() == Screen().ActiveForm())
        ActiveLook = true;
      if (!ManagerLoading(*manager)) SkinFormMenus(true);
      data.CacheStale = true;
      MenuRowCount = -1;
      if (IsMdiFrame()) EnableMdiClientSkin(true);
      ApplyGlobalColor();
    }
  }
  if (ControlAdapter && hostForm_)
    ControlAdapter->AttachAll(hostForm_);
  else
    AdaptControls();
}

// The MDI frame's menu line shows the active child's merged menu.
void TSkinProvider::AfterMdiChildActivation() {
  TSkinProvider* frame = MdiMainProvider;
  if (!frame || frame->FormGoing() || !frame->HostForm() || !frame->Skinned()) return;
  frame->RequestFullRepaint();
  TForm* frameForm = frame->HostForm();
  if (HWND client = frameForm->ClientHandle(); client && !frameForm->ActiveMDIChild())
    RedrawWindow(client, nullptr, nullptr, RDW_FRAME | RDW_UPDATENOW | RDW_ERASE | RDW_INTERNALPAINT | RDW_INVALIDATE);
}

// The painting of a skinned frame is yet to come: the form keeps the
// toolkit's plain caption on its own frame and hears every window message.
void TSkinProvider::SkinnedWindowProc(TMessage& message) {
  if (message.Msg == WM_CREATE) return WindowCreated(message);
  if (message.Msg != SM_SKINCMD) return SavedWindowProc(message);
  TSkinCommonData& data = SkinData();
  const bool ownManager = SenderOf(message) == data.GetSkinManager();
  switch (SubCommandOf(message.WParam)) {
    case scSkinApplied:
      if (ownManager) SkinAppliedSkinned();
      return;
    case scSkinChanged:
      if (ownManager) SkinChangedSkinned();
      return;
    case scGetProvider: message.Result = reinterpret_cast<LRESULT>(this); return;
    default: SavedWindowProc(message);
  }
}

void TSkinProvider::SkinAppliedSkinned() {
  TSkinCommonData& data = SkinData();
  ClearMenuImages();
  data.ResolveIndexes();
  TSkinManager* manager = data.GetSkinManager();
  if (!manager) return;
  PickCaptionGlyphs(Buttons, *manager, BigButtons(), IsMdiFrame());
  ToggleSysMenuStyle(true);
  manager->SkinableMenus().UpdateActive();
  SetFrameOwn(Skinned());
  RequestFullRepaint();
  if (IsMdiFrame()) EnableMdiClientSkin(true);
}

void TSkinProvider::SkinChangedSkinned() {
  if (!hostForm_) return;
  if (ControlAdapter)
    ControlAdapter->AttachAll(hostForm_);
  else
    AdaptControls();
  MenuRowCount = -1;
  TitleCache.reset();
  TSkinManager* manager = SkinData().GetSkinManager();
  if (manager && !ManagerLoading(*manager)) {
    RefreshMainMenu();
    SkinFormMenus(Skinned());
  }
  if (HasFrame()) RegionStale = true;
  SetFrameOwn(Skinned());
  if (hostForm_->Visible()) {
    SkinData().CacheStale = true;
    if (hostForm_->HandleAllocated())
      RedrawWindow(hostForm_->Handle(), nullptr, nullptr,
                   RDW_FRAME | RDW_UPDATENOW | RDW_NOCHILDREN | RDW_ERASE | RDW_INVALIDATE);
  }
  ApplyGlobalColor();
  SkinData().SetPaintSuspended(false);
  SendToAdapter(TMessage{SM_SKINCMD, SkinCommand(scSkinChanged), reinterpret_cast<LPARAM>(manager), 0});
}

// A form whose window is made while the skin is on takes the skin with it.
void TSkinProvider::WindowCreated(TMessage& message) {
  TitleCache.reset();
  const bool child = hostForm_->FormStyle() == fsMDIChild;
  const TForm* frame = MdiMainProvider ? MdiMainProvider->HostForm() : nullptr;
  const TForm* active = frame ? frame->ActiveMDIChild() : nullptr;
  MaximizeNewChild = child && active && active->WindowState() == wsMaximized;
  SavedWindowProc(message);
  if (!child) AttachSkin();
}
