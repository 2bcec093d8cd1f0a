#include "shell/WorkInt.h"

#include "shell/AddVarDlg.h"
#include "shell/WorkForm.h"

namespace {

constexpr std::uint8_t ItemBit(TDataItemKind kind) { return static_cast<std::uint8_t>(1u << kind); }

}  // namespace

void TWorkInt::Update(std::uint8_t what) {
  if (Form) Form->EngineChanged(what);
}

void* TWorkInt::AddItem(void*, void* item, std::uint8_t kind) {
  if (!Form) return nullptr;
  if (Mode == 0) {
    if (kind == dikVariable) Form->AddVarNode(static_cast<TVar*>(item));
  } else if (kind == dikLibrary) {
    Form->AddLibraryEntry(static_cast<TLib*>(item));
  } else if (kind == dikType && AddVarDlg) {
    AddVarDlg->AddKind(static_cast<TKind*>(item));
  }
  return nullptr;
}

void TWorkInt::Enumerate(ITarnscript& engine, std::uint8_t mode) {
  Mode = mode;
  if (mode == 0)
    engine.EnumLibraries(*this, true, ItemBit(dikVariable), WorkspaceLibName);
  else
    engine.EnumLibraries(*this, true, ItemBit(dikLibrary) | ItemBit(dikType), "");
}
