#include "skin/skins/SkinManager.h"

#include <utility>

#include "skin/ControlRoutines.h"
#include "skin/SkinCommonData.h"

namespace {

TSkinManager* TheDefaultManager = nullptr;

}  // namespace

TSkinManager* DefaultManager() { return TheDefaultManager; }

TSkinManager::TSkinManager(TComponent* owner) : TComponent(owner) {
  if (!TheDefaultManager) TheDefaultManager = this;
}

TSkinManager::~TSkinManager() {
  // What asks the manager while it goes sees it being destroyed.
  Destroying();
  if (TheDefaultManager == this) TheDefaultManager = nullptr;
}

void TSkinManager::ChangeHotWindow(HWND window) {
  if (window == hotWindow_) return;
  const HWND previous = std::exchange(hotWindow_, window);
  const LPARAM self = reinterpret_cast<LPARAM>(this);
  if (previous) SendSkinCommand(previous, scMouseLeft, self);
  if (window) SendSkinCommand(window, scMouseEntered, self);
}
