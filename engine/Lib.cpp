#include "engine/Lib.h"

#include <algorithm>

#include "engine/HashTab.h"
#include "runtime/Exceptions.h"

void TLibUses::Add(const TLib* lib) {
  if (!lib || lib->BuiltIn() || Contains(lib)) return;
  uses_.push_back({lib, lib->holdToken_});
}

void TLibUses::AddVariable(const TVar* var, TVarHolds& holds) {
  if (!variables_.contains(var)) variables_.emplace(var, holds.Hold(var));
}

std::shared_ptr<const void> TVarHolds::Hold(const TVar* var) {
  if (tokens_.size() >= pruneAt_) ForgetUnheld();
  std::shared_ptr<const void>& token = tokens_[var];
  if (!token) token = std::make_shared<char>();
  return token;
}

bool TVarHolds::Held(const TVar* var) const {
  auto found = tokens_.find(var);
  return found != tokens_.end() && found->second.use_count() > 1;
}

void TVarHolds::ForgetUnheld() {
  std::erase_if(tokens_, [](const auto& entry) { return entry.second.use_count() == 1; });
  pruneAt_ = std::max<std::size_t>(64, 2 * tokens_.size());
}

bool TLibUses::Contains(const TLib* lib) const {
  return std::any_of(uses_.begin(), uses_.end(), [lib](const TUse& use) { return use.Lib == lib; });
}

TLib* TLibs::FindOrAdd(std::string_view name, bool builtIn) {
  if (TLib* existing = Find(name)) return existing;
  return Add(std::make_unique<TLib>(std::string(name), builtIn));
}

TLib* TLibs::Find(std::string_view name) const {
  const int index = IndexOf(name);
  return index < 0 ? nullptr : libs_[index].get();
}

int TLibs::IndexOf(std::string_view name) const {
  for (int i = 0; i < Count(); ++i)
    if (SameName(libs_[i]->Name(), name)) return i;
  return -1;
}

int TLibs::IndexOf(const TLib* lib) const {
  for (int i = 0; i < Count(); ++i)
    if (libs_[i].get() == lib) return i;
  return -1;
}

TLib* TLibs::Add(std::unique_ptr<TLib> lib) {
  libs_.push_back(std::move(lib));
  return libs_.back().get();
}

TLib* TLibs::Get(int index) const {
  QASSERT(index >= 0 && index < Count(), "5D3FC984");
  return libs_[index].get();
}

bool TLibs::Delete(int index) {
  if (index < 0 || index >= Count()) return false;
  libs_.erase(libs_.begin() + index);
  return true;
}

std::unique_ptr<TLib> TLibs::Take(TLib* lib) {
  const int index = IndexOf(lib);
  QASSERT(index >= 0, "5D3FC985");
  std::unique_ptr<TLib> taken = std::move(libs_[index]);
  libs_.erase(libs_.begin() + index);
  return taken;
}

void TLibs::Insert(int index, std::unique_ptr<TLib> lib) {
  libs_.insert(libs_.begin() + std::clamp(index, 0, Count()), std::move(lib));
}
