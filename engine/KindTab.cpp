#include "engine/KindTab.h"

#include <algorithm>
#include <array>

#include "engine/Kind.h"
#include "engine/Lib.h"
#include "engine/NodeWalk.h"

namespace {

// The engine's global kind table and its built-in kinds, indexed by code.
TKindTab* GlobalKinds = nullptr;
std::array<TKind*, kcClass + 1> BaseKinds{};
std::array<TKind*, kcClass + 1> AnyKinds{};

struct TAlias {
  const char* Name;
  TKindCode Code;
};

constexpr TAlias BuiltInAliases[] = {
    {"Word", kcInteger},       {"Byte", kcInteger}, {"Longint", kcInteger}, {"WideString", kcString},
    {"double", kcReal},        {"single", kcReal},  {"extended", kcReal},   {"float", kcReal},
};

}  // namespace

TKind* BaseKind(TKindCode code) {
  QASSERT(code >= kcInteger && code <= kcString, "3FB74561");
  return BaseKinds[code];
}

TKind* AnyKind(TKindCode code) {
  QASSERT(code >= kcAny && code <= kcClass, "3FB74563");
  return AnyKinds[code];
}

TKind* FindKind(std::string_view name) { return GlobalKinds ? GlobalKinds->FindKind(name) : nullptr; }

TKindTab::~TKindTab() {
  if (GlobalKinds != this) return;
  GlobalKinds = nullptr;
  BaseKinds.fill(nullptr);
  AnyKinds.fill(nullptr);
}

TKind* TKindTab::FindKind(std::string_view name) const {
  if (THashNode* kind = Find(name)) return static_cast<TKind*>(kind);
  if (auto* alias = static_cast<TRefNode*>(aliases_.Find(name))) return static_cast<TKind*>(alias->Target());
  return nullptr;
}

bool TKindTab::AddAlias(TKind* kind, std::string name, TLib* lib) {
  auto alias = std::make_unique<TRefNode>(std::move(name), kind, lib);
  return aliases_.Add(alias);
}

TKind* TKindTab::Register(std::unique_ptr<TKind> kind, TLib* lib) {
  if (TKind* existing = FindSame(*kind)) {
    if (kind->HasName()) AddAlias(existing, kind->Name(), lib);
    return existing;
  }
  TKind* registered = kind.get();
  const bool added = Add(kind);
  QASSERT(added, "6E1C2B90");
  if (registered->Code() == kcEnum) enumKinds_.push_back(static_cast<TEnumKind*>(registered));
  // FindSame has just indexed the table; the new kind keeps the index current.
  structures_.emplace(StructureHash(registered), registered);
  indexedAt_ = Changes();
  return registered;
}

// Interning compares a new kind with only the kinds of its structure's hash,
// so a program of n kinds compiles in about n steps, not n squared.
TKind* TKindTab::FindSame(const TKind& kind) const {
  IndexStructures();
  auto [first, last] = structures_.equal_range(StructureHash(&kind));
  TKind* found = nullptr;
  for (auto candidate = first; candidate != last; ++candidate) {
    if (!SameKind(candidate->second, &kind)) continue;
    // Two kinds of one structure (built-in generic ones may be): the table's order decides.
    if (found) return FirstSameInTableOrder(kind);
    found = candidate->second;
  }
  return found;
}

void TKindTab::IndexStructures() const {
  if (indexedAt_ == Changes()) return;
  structures_.clear();
  ForEachNode(*this, [this](THashNode* node) {
    auto* kind = static_cast<TKind*>(node);
    structures_.emplace(StructureHash(kind), kind);
  });
  indexedAt_ = Changes();
}

TKind* TKindTab::FirstSameInTableOrder(const TKind& kind) const {
  TKind* found = nullptr;
  ForEachNode(*this, [&](THashNode* node) {
    if (!found && SameKind(static_cast<TKind*>(node), &kind)) found = static_cast<TKind*>(node);
  });
  return found;
}

TEnumKind* TKindTab::FindEnumMember(std::string_view name) const {
  auto match = std::find_if(enumKinds_.begin(), enumKinds_.end(),
                            [name](const TEnumKind* kind) { return kind->IndexOf(name) >= 0; });
  return match == enumKinds_.end() ? nullptr : *match;
}

TKind* TKindTab::AddBuiltIn(std::unique_ptr<TKind> kind) {
  TKind* builtIn = kind.get();
  const bool added = Add(kind);
  QASSERT(added, "6E1C2B91");
  return builtIn;
}

void TKindTab::RegisterBuiltIns(TLib* lib) {
  for (TKindCode code : {kcInteger, kcChar, kcReal, kcBoolean, kcString}) {
    BaseKinds[code] = AddBuiltIn(std::make_unique<TKind>(code, KindName(code), lib));
  }
  for (int code = kcAny; code <= kcClass; ++code) {
    auto covered = static_cast<TKindCode>(code);
    AnyKinds[code] = AddBuiltIn(covered == kcSet ? std::unique_ptr<TKind>(std::make_unique<TSetKind>("AnySet", nullptr, lib))
                                                 : std::make_unique<TAnyKind>(lib, covered));
  }
  for (const TAlias& alias : BuiltInAliases) AddAlias(BaseKinds[alias.Code], alias.Name, lib);
  GlobalKinds = this;
}

void TKindTab::RemoveAliasesOfKinds(const TLib* lib) {
  std::vector<THashNode*> doomed;
  ForEachNode(aliases_, [&](THashNode* node) {
    if (static_cast<TRefNode*>(node)->Target()->Lib() == lib) doomed.push_back(node);
  });
  for (THashNode* alias : doomed) aliases_.DeleteNode(alias);
}

void TKindTab::RemoveLib(const TLib* lib, bool force) {
  if (!lib->BuiltIn()) aliases_.RemoveLib(lib, force);
  std::erase_if(enumKinds_, [lib](const TEnumKind* kind) { return kind->Lib() == lib; });
  // An alias that another library made for one of these kinds must not outlive it.
  if (force || !lib->BuiltIn()) RemoveAliasesOfKinds(lib);
  THashTab::RemoveLib(lib, force);
}

TKindTab::TDetached TKindTab::DetachDependants(const TLib* lib) {
  const auto dependant = [lib](const THashNode& node) { return DependsOnLib(static_cast<const TKind*>(&node), lib); };
  TDetached detached;
  detached.Aliases = aliases_.Detach([&](const THashNode& alias) {
    return alias.Lib() == lib || dependant(*static_cast<const TRefNode&>(alias).Target());
  });
  for (std::size_t i = 0; i < enumKinds_.size(); ++i)
    if (dependant(*enumKinds_[i])) detached.Enums.emplace_back(i, enumKinds_[i]);
  std::erase_if(enumKinds_, [&](const TEnumKind* kind) { return dependant(*kind); });
  detached.Kinds = Detach(dependant);
  return detached;
}

void TKindTab::Reattach(TDetached& detached) {
  THashTab::Reattach(detached.Kinds);
  for (const auto& [place, kind] : detached.Enums)
    enumKinds_.insert(enumKinds_.begin() + static_cast<std::ptrdiff_t>(std::min(place, enumKinds_.size())), kind);
  detached.Enums.clear();
  aliases_.Reattach(detached.Aliases);
}
