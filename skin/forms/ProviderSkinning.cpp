// The provider takes a skin and gives it back: the system menu style, the
// caption glyphs, the form's colour and menus, and the control adapter.

#include "skin/SkinCommonData.h"
#include "skin/adapters/SkCtrlAdapter.h"
#include "skin/forms/SkinProvider.h"
#include "skin/menus/SkinSystemMenu.h"
#include "skin/menus/SkinableMenus.h"
#include "skin/skins/SkinManager.h"
#include "toolkit/controls/Form.h"
#include "toolkit/controls/Menus.h"
#include "toolkit/win/MessageQueue.h"
#include "toolkit/win/Styles.h"
#include "toolkit/win/Window.h"

namespace {

// Set while RefreshMainMenu tells the menu, which may come back through the form.
bool RefreshingMainMenu = false;

}  // namespace

void TSkinProvider::AttachSkin() {
  TSkinCommonData& data = SkinData();
  TSkinManager* manager = data.GetSkinManager();
  if (!manager || !hostForm_ || !hostForm_->HandleAllocated()) return;
  data.Loaded();
  ToggleSysMenuStyle(manager->SkinActive());
  if (!SysMenu) {
    SysMenu = new TSkinSystemMenu(this);
    SysMenu->Form = hostForm_;
    SysMenu->UpdateItems();
  }
  if (MdiSetupPending && manager->SkinActive()) {
    MdiSetupPending = false;
    if (IsMdiFrame() && !Designing()) EnableMdiClientSkin(true);
  }
  data.ResolveIndexes();
  PickCaptionGlyphs(Buttons, *manager, BigButtons(), IsMdiFrame());
  if (hostForm_->FormStyle() == fsMDIChild && MdiMainProvider && !MdiMainProvider->FormGoing() && Skinned()) {
    MdiMainProvider->SkinData().CacheStale = true;
    MdiMainProvider->MenuRowCount = -1;
  }
  const bool settingUp = (hostForm_->ControlState & csCreating) || (hostForm_->ComponentState() & csReading);
  if (!settingUp && !IsLoading()) ApplyGlobalColor();
  SkinFormMenus(Skinned());
  if (!MenuItemsRefreshed && RefreshMainMenu()) MenuItemsRefreshed = true;
  SetFrameOwn(Skinned());
}

void TSkinProvider::ApplyGlobalColor() {
  const TSkinCommonData& data = SkinData();
  TSkinManager* manager = data.GetSkinManager();
  if (hostForm_ && manager && useGlobalColor_ && !data.CustomColor()) hostForm_->SetColor(manager->GlobalColor());
}

void TSkinProvider::DetachSkin() {
  if (Designing()) return;
  TMessage removed{SM_SKINCMD, SkinCommand(scSkinRemoved), reinterpret_cast<LPARAM>(SkinData().GetSkinManager()), 0};
  SendToAdapter(removed);
  ControlAdapter.reset();
}

void TSkinProvider::SendToAdapter(const TMessage& message) {
  if (Designing() || !ControlAdapter) return;
  TMessage copy = message;
  // A failing control must not break the form's message.
  try {
    ControlAdapter->SendToAll(copy);
  } catch (...) {
  }
}

void TSkinProvider::ToggleSysMenuStyle(bool remove) {
  if (!hostForm_ || !hostForm_->HandleAllocated()) return;
  const HWND window = hostForm_->Handle();
  const LONG_PTR style = GetWindowLongPtr(window, GWL_STYLE);
  if (remove) {
    if ((style & WS_SYSMENU) || SysMenuStyleRemoved) {
      SetWindowLongPtr(window, GWL_STYLE, style & ~LONG_PTR(WS_SYSMENU));
      SysMenuStyleRemoved = true;
      return;
    }
  } else if (SysMenuStyleRemoved) {
    SetWindowLongPtr(window, GWL_STYLE, style | WS_SYSMENU);
  }
  SysMenuStyleRemoved = false;
}

namespace {

// The form's menus at any depth of ownership.
void HookOwnedMenus(TSkinableMenus& menus, TComponent* owner, bool enable, bool popups) {
  for (int i = 0; i < owner->ComponentCount(); ++i) {
    TComponent* component = owner->Components(i);
    if (auto* mainMenu = dynamic_cast<TMainMenu*>(component)) {
      menus.HookMainMenu(mainMenu, enable);
    } else if (auto* popup = dynamic_cast<TPopupMenu*>(component)) {
      menus.HookPopupMenu(popup, enable && popups);
    } else if (auto* item = dynamic_cast<TMenuItem*>(component)) {
      if (!dynamic_cast<TMainMenu*>(item->GetParentMenu())) menus.HookItems(item, enable && popups);
    }
    HookOwnedMenus(menus, component, enable, popups);
  }
}

}  // namespace

void TSkinProvider::SkinFormMenus(bool enable) {
  TSkinManager* manager = SkinData().GetSkinManager();
  if (Designing() || !manager || !manager->IsDefault() || !hostForm_) return;
  TSkinableMenus& menus = manager->SkinableMenus();
  menus.HookAll(enable);
  HookOwnedMenus(menus, hostForm_, enable, manager->SkinnedPopups());
}

bool TSkinProvider::RefreshMainMenu() {
  if (RefreshingMainMenu || !hostForm_) return false;
  TMainMenu* menu = hostForm_->Menu();
  if (!menu || menu->Items().Count() == 0) return false;
  RefreshingMainMenu = true;
  // The first item's entry is set again, which has the bar measured and drawn anew.
  menu->Items().Items(0)->BitmapChanged();
  RefreshingMainMenu = false;
  return true;
}

void TSkinProvider::EnableMdiClientSkin(bool enable) {
  if (enable) MdiMainProvider = this;
}

LRESULT TSkinProvider::RequestFullRepaint() {
  SkinData().CacheStale = true;
  TitleStale = true;
  MenuRowCount = -1;
  if (!hostForm_ || !hostForm_->HandleAllocated()) return 0;
  return SendMessage(hostForm_->Handle(), WM_NCPAINT, 0, 0);
}

void TSkinProvider::AdaptControls() {
  if (Designing() || !Skinned() || !hostForm_) return;
  ControlAdapter = std::make_unique<TSkCtrlAdapter>(this);
  ControlAdapter->AttachAll(hostForm_);
}
