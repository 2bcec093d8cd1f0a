#include "engine/Stds.h"

#include <algorithm>

#include "engine/Func.h"
#include "engine/Kind.h"
#include "engine/MessageChannel.h"
#include "engine/Proc.h"
#include "engine/RunFlags.h"

TStds* Stds = nullptr;

namespace {

void SetRoutine(TFunc*& slot, TFunc* func, const TKind& kind, const char* what) {
  if (slot) WriteMessage("Type \"" + kind.Name() + "\" " + what + " routine redefined", lkWarning, 0);
  slot = func;
}

bool BelongsTo(const TFunc* func, const TLib* lib) { return func && func->Lib() == lib; }

// Holds window messages off for the length of one nested run of a script
// routine and then restores the outer setting, so a nested run does not
// switch them back on. A built-in routine has no statements to hold off:
// its long listings keep the windows alive and can be aborted.
class TNoUIScope {
public:
  explicit TNoUIScope(const TFunc& func) : outer_(NoUIFlag) {
    if (dynamic_cast<const TProc*>(&func)) NoUIFlag = true;
  }
  ~TNoUIScope() { NoUIFlag = outer_; }
  TNoUIScope(const TNoUIScope&) = delete;
  TNoUIScope& operator=(const TNoUIScope&) = delete;

private:
  bool outer_;
};

// A routine that is running already is refused with the reentry error, and
// the caller falls back to the standard text or listing.
bool RunTypeRoutine(TFunc& func, TVar& var) {
  TNoUIScope noUI(func);
  TVar* args[] = {&var};
  return func.CallDirect(args, NoPosition);
}

}  // namespace

void TKindStd::SetStrConv(TFunc* func) { SetRoutine(strConv_, func, *kind_, "string conversion"); }

void TKindStd::SetOutput(TFunc* func) { SetRoutine(output_, func, *kind_, "output"); }

TKindStd& TStds::Entry(TKind* kind) {
  if (TKindStd* entry = Find(kind)) return *entry;
  return *entries_.emplace_back(std::make_unique<TKindStd>(kind));
}

TKindStd* TStds::Find(const TKind* kind) const {
  auto match =
      std::find_if(entries_.begin(), entries_.end(), [kind](const auto& entry) { return entry->Kind() == kind; });
  return match == entries_.end() ? nullptr : match->get();
}

bool TStds::ToText(TVar& var, std::string& text) const {
  text.clear();
  TKindStd* entry = Find(var.Kind());
  if (!entry || !entry->StrConv() || !RunTypeRoutine(*entry->StrConv(), var)) return false;
  if (auto* result = dynamic_cast<TBaseVar*>(entry->StrConv()->ResultVariable())) text = result->GetValue().Str();
  return !text.empty();
}

bool TStds::Output(TVar& var) const {
  TKindStd* entry = Find(var.Kind());
  return entry && entry->Output() && RunTypeRoutine(*entry->Output(), var);
}

void TStds::RemoveLib(const TLib* lib) {
  std::erase_if(entries_, [lib](const auto& entry) {
    return BelongsTo(entry->StrConv(), lib) || BelongsTo(entry->Output(), lib);
  });
}

std::vector<TKindStd> TStds::Save() const {
  std::vector<TKindStd> saved;
  for (const auto& entry : entries_) saved.push_back(*entry);
  return saved;
}

void TStds::Restore(const std::vector<TKindStd>& saved) {
  entries_.clear();
  for (const TKindStd& entry : saved) entries_.push_back(std::make_unique<TKindStd>(entry));
}

void TConvStds::Add(TKind* toKind, TKind* fromKind, TFunc* routine) { entries_.push_back({toKind, fromKind, routine}); }

TFunc* TConvStds::Find(const TKind* target, const TKind* source) const {
  auto match = std::find_if(entries_.begin(), entries_.end(), [&](const TKindConv& entry) {
    return IsAssignable(target, entry.ToKind) && IsAssignable(entry.FromKind, source);
  });
  return match == entries_.end() ? nullptr : match->Routine;
}

void TConvStds::RemoveLib(const TLib* lib) {
  std::erase_if(entries_, [lib](const TKindConv& entry) { return BelongsTo(entry.Routine, lib); });
}
