#include "skin/SkinnedForms.h"

#include <algorithm>
#include <memory>

#include "runtime/SysInfo.h"
#include "skin/ControlRoutines.h"
#include "skin/GeneralRoutines.h"
#include "skin/SkinCommonData.h"
#include "skin/forms/SkinProvider.h"
#include "skin/menus/SkProvider.h"
#include "skin/skins/SkinManager.h"
#include "toolkit/controls/Application.h"
#include "toolkit/gdi/Icon.h"
#include "toolkit/win/FileIcons.h"
#include "toolkit/win/MessageQueue.h"
#include "toolkit/win/Paint.h"

namespace {

std::vector<TComponent*> Forms;
std::unique_ptr<TIcon> SmallIcon;
std::unique_ptr<TIcon> LargeIcon;

// The form's provider when the form takes part in freezing for the manager; null when it does not.
TSkinProvider* ProviderTakingPart(TComponent* component, TSkinManager* manager) {
  auto* form = dynamic_cast<TForm*>(component);
  if (!form || form->FormStyle() == fsMDIChild || form->Parent() || !form->Visible() ||
      form->WindowState() == wsMinimized || !form->HandleAllocated())
    return nullptr;
  auto* provider = reinterpret_cast<TSkinProvider*>(SendSkinCommand(form->Handle(), scGetProvider, 0));
  return provider && provider->SkinData().GetSkinManager() == manager ? provider : nullptr;
}

// The message to the form and its controls, and to an MDI frame's client window.
void DeliverToForm(TForm& form, const TMessage& message) {
  if (form.HandleAllocated())
    SendMessage(form.Handle(), message.Msg, message.WParam, message.LParam);
  else
    form.Perform(message.Msg, message.WParam, message.LParam);
  TMessage copy = message;
  BroadcastToChildren(&form, copy);
  if (form.FormStyle() == fsMDIForm && form.ClientHandle())
    SendMessage(form.ClientHandle(), message.Msg, message.WParam, message.LParam);
}

}  // namespace

const std::vector<TComponent*>& SkinnedForms() { return Forms; }

void AddSkinnedForm(TComponent* form) {
  if (std::find(Forms.begin(), Forms.end(), form) == Forms.end()) Forms.push_back(form);
}

void RemoveSkinnedForm(TComponent* form) {
  const auto found = std::find(Forms.begin(), Forms.end(), form);
  if (found == Forms.end()) return;
  *found = Forms.back();
  Forms.pop_back();
}

void FreezeSkinnedForms(TSkinManager* manager) {
  if (Application().Minimized()) return;
  if (manager && manager == DefaultManager() && manager->SkinChangeAnimated()) AnimationRunning = true;
  for (TComponent* form : std::vector<TComponent*>(Forms))
    if (ProviderTakingPart(form, manager))
      SendMessage(static_cast<TForm*>(form)->Handle(), WM_SETREDRAW, 0, 0);
}

void ThawSkinnedForms(TSkinManager* manager, bool repaint) {
  if (Application().Minimized()) return;
  if (manager && manager == DefaultManager()) AnimationRunning = false;
  const bool animated = manager && manager->SkinChangeAnimated();
  for (size_t i = 0; i < Forms.size(); ++i) {
    TSkinProvider* provider = ProviderTakingPart(Forms[i], manager);
    if (!provider) continue;
    auto* form = static_cast<TForm*>(Forms[i]);
    if (repaint && animated) AnimateFormShow(form, manager->SkinChangeAnimationTime());
    SendMessage(form->Handle(), WM_SETREDRAW, 1, 0);
    if (!repaint) continue;
    provider->RebuildRegionAndCaches();
    RedrawWindow(form->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  }
}

void BroadcastToForms(const TMessage& message) {
  TApplication& application = Application();
  for (int i = application.ComponentCount() - 1; i >= 0; --i) {
    // Forms that went away meanwhile end the broadcast.
    if (i >= application.ComponentCount()) return;
    auto* form = dynamic_cast<TForm*>(application.Components(i));
    if (!form || form->FormStyle() == fsMDIChild || (form->ComponentState() & (csDestroying | csLoading))) continue;
    // A form with a provider hears it through the skinned forms.
    if (form->Perform(SM_SKINCMD, SkinCommand(scIsSkinnable), 0) == 1) continue;
    DeliverToForm(*form, message);
  }
  BroadcastToSkinnedForms(message);
}

void BroadcastToSkinnedForms(const TMessage& message) {
  for (size_t i = 0; i < Forms.size(); ++i) {
    auto* form = dynamic_cast<TForm*>(Forms[i]);
    if (form && !form->IsDestroying()) DeliverToForm(*form, message);
  }
  for (size_t i = 0; i < DialogProviders.size(); ++i) {
    const TSkProvider* provider = DialogProviders[i];
    if (provider && IsWindowVisible(provider->DialogWnd))
      SendMessage(provider->DialogWnd, message.Msg, message.WParam, message.LParam);
  }
}

TIcon* AppSmallIcon() { return SmallIcon.get(); }

TIcon* AppLargeIcon() { return LargeIcon.get(); }

void LoadApplicationIcons() {
  SmallIcon = FileIcon(ProgramFileName(), SHGFI_SMALLICON);
  LargeIcon = FileIcon(ProgramFileName(), SHGFI_LARGEICON);
}

void FreeApplicationIcons() {
  SmallIcon.reset();
  LargeIcon.reset();
  Forms.clear();
}
