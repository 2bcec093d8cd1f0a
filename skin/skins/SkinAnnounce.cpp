// Telling the windows of a new, changed or removed skin, the dialog hook
// that comes and goes with the default manager's skin, and the hook on the
// application window.

#include <utility>

#include "skin/ControlRoutines.h"
#include "skin/OutputWindow.h"
#include "skin/SkinCommonData.h"
#include "skin/SkinnedForms.h"
#include "skin/menus/SkProvider.h"
#include "skin/menus/SkinableMenus.h"
#include "skin/skins/SkinManager.h"
#include "toolkit/controls/Form.h"
#include "toolkit/controls/Menus.h"
#include "toolkit/controls/Screen.h"
#include "toolkit/win/Hook.h"
#include "toolkit/win/MessageQueue.h"
#include "toolkit/win/Paint.h"
#include "toolkit/win/SysMetrics.h"
#include "toolkit/win/Window.h"

bool NewSkinBroadcasting = false;
bool SkinRemoving = false;
bool PreferSkinFolders = false;
bool SkipSkinBroadcast = false;
bool IsNTPlatform = false;

namespace {

OSVERSIONINFO OSVersion;
// The dialog hook in place, held by the manager whose HookInstalled is set.
HHOOK DialogHook = nullptr;

// Dialogs, message boxes and popup menus are skinned as they are made.
LRESULT DialogHookProc(int code, WPARAM wParam, LPARAM lParam) {
  return CallNextHookEx(DialogHook, code, wParam, lParam);
}

// The designer's own windows take no skin.
bool IsDesignerForm(const std::string& name) { return name == "AppBuilder" || name == "PropertyInspector"; }

bool IsDesignerOrEditorForm(const std::string& name) {
  return IsDesignerForm(name) || name.find("EditWindow_") != std::string::npos ||
         name.find("DockSite") != std::string::npos;
}

// Sets a flag for as long as it lives.
class TFlagOn {
public:
  explicit TFlagOn(bool& flag) : flag_(flag) { flag_ = true; }
  ~TFlagOn() { flag_ = false; }
  TFlagOn(const TFlagOn&) = delete;
  TFlagOn& operator=(const TFlagOn&) = delete;

private:
  bool& flag_;
};

}  // namespace

void ReadOSVersion() {
  OSVersion = OSVERSIONINFO();
  GetVersionEx(OSVersion);
  IsNTPlatform = OSVersion.dwPlatformId == VER_PLATFORM_WIN32_NT;
}

TMessage TSkinManager::SkinMessage(WORD subCommand) {
  return {SM_SKINCMD, SkinCommand(subCommand), reinterpret_cast<LPARAM>(this), 0};
}

// At run time every form of the application hears it; in design mode the
// controls of the named forms of the screen and the skinned forms.
void TSkinManager::Deliver(const TMessage& message, bool (*skip)(const std::string& formName)) {
  if (!Designing()) return BroadcastToForms(message);
  TScreen& screen = Screen();
  for (int i = 0; i < screen.FormCount(); ++i) {
    TForm* form = screen.Forms(i);
    if (form->Name().empty() || skip(form->Name())) continue;
    TMessage copy = message;
    BroadcastToChildren(form, copy);
  }
  BroadcastToSkinnedForms(message);
}

void TSkinManager::AnnounceNewSkin(bool repaint) {
  if (LoadingOrReading()) return;
  if (repaint && !Designing()) FreezeSkinnedForms(this);
  skinableMenus_->SetSkinBorderWidth(-1);
  GlobalInfo.SkinActive = false;
  {
    const TFlagOn broadcasting(NewSkinBroadcasting);
    RefreshCachedIndexes();
    Deliver(SkinMessage(scSkinApplied), IsDesignerForm);
  }
  GlobalInfo.SkinActive = true;
  if (IsDefault() && !hookInstalled_) InstallDialogHook();
  if (repaint) RefreshSkinnedWindows();
}

void TSkinManager::AnnounceSkinRemoval() {
  const TFlagOn removing(SkinRemoving);
  RemoveDialogHook();
  GlobalInfo.SkinActive = false;
  Deliver(SkinMessage(scSkinRemoved), IsDesignerOrEditorForm);
  EmptyTables();
}

void TSkinManager::RefreshSkinnedWindows() {
  const TMessage changed = SkinMessage(scSkinChanged);
  if (Designing()) {
    Deliver(changed, IsDesignerForm);
  } else {
    BroadcastToForms(SkinMessage(scBeforeRefresh));
    if (!(ComponentState() & csLoading)) {
      FreezeSkinnedForms(this);
      BroadcastToForms(changed);
      ThawSkinnedForms(this, true);
    }
  }
  if (OverlayWindow && OverlayWindow->HandleAllocated())
    SendMessage(OverlayWindow->Handle(), changed.Msg, changed.WParam, changed.LParam);
  for (size_t i = 0; i < DialogProviders.size(); ++i) {
    const TSkProvider* provider = DialogProviders[i];
    if (provider && IsWindowVisible(provider->DialogWnd))
      RedrawWindow(provider->DialogWnd, nullptr, nullptr,
                   RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME);
  }
}

// One hook for the process: a default manager that finds one in place
// (another manager was the default when it announced) goes without.
void TSkinManager::InstallDialogHook() {
  if (Designing() || !IsDefault() || hookInstalled_ || DialogHook) return;
  hookInstalled_ = true;
  DialogHook = SetWindowsHookEx(WH_CBT, &DialogHookProc, nullptr, 0);
}

// The manager that installed the hook removes it, default or not any more,
// so that no hook outlives its manager.
void TSkinManager::RemoveDialogHook() {
  if (Designing() || !hookInstalled_) return;
  UnhookWindowsHookEx(std::exchange(DialogHook, nullptr));
  for (TSkProvider* provider : std::exchange(DialogProviders, {})) delete provider;
  hookInstalled_ = false;
}

bool TSkinManager::ApplicationMessageHook(TMessage& message) {
  if (!skinnedPopups_) return false;
  switch (message.Msg) {
    // The desktop's theme would redraw the skinned menus unskinned.
    case WM_THEMECHANGED: return true;
    case WM_SHAPEMENUOFITEM:
    case WM_SHAPEMENUWINDOW: ShapeRequestedMenu(message); return true;
    default: return false;
  }
}

// The window of an item's menu is the one under the centre of the menu's
// first item, asked of the menu loop as a bar's or as a pop-up menu's.
void TSkinManager::ShapeRequestedMenu(const TMessage& message) {
  auto* item = message.Msg == WM_SHAPEMENUOFITEM ? reinterpret_cast<TMenuItem*>(message.LParam) : nullptr;
  HWND window = message.Msg == WM_SHAPEMENUWINDOW ? reinterpret_cast<HWND>(message.LParam) : nullptr;
  if (item) {
    TMenuItem* parent = item->Parent();
    if (!parent) return;
    TRect rect;
    if (!GetMenuItemRect(nullptr, parent->Handle(), 0, rect) && !GetMenuItemRect(PopupList(), parent->Handle(), 0, rect))
      return;
    window = WindowFromPoint({(rect.Left + rect.Right) / 2, (rect.Top + rect.Bottom) / 2});
  }
  if (!window) return;
  TSkMenuImage entry;
  skinableMenus_->FindMenuImage(item, 0, entry, window, 0);
  if (entry.Image) skinableMenus_->ShapeMenuWindow(window, entry.Image.get());
}
