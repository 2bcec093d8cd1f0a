#include "engine/data/ImpExp.h"

#include <algorithm>

#include "engine/Func.h"
#include "engine/Kind.h"
#include "runtime/Exceptions.h"

TImpExp* ImpExp = nullptr;

namespace {

TFunc* RoutineAt(const std::vector<TFunc*>& routines, int Index) {
  QASSERT(Index >= 0 && static_cast<std::size_t>(Index) < routines.size(), "Assertion failure");
  return routines[Index];
}

}  // namespace

TFunc* TImpExpRec::GetImport(int Index) const { return RoutineAt(imports_, Index); }

TFunc* TImpExpRec::GetExport(int Index) const { return RoutineAt(exports_, Index); }

void TImpExpRec::RemoveLibrary(const TLib* Lib) {
  const auto ofLib = [Lib](const TFunc* routine) { return routine->Lib() == Lib; };
  std::erase_if(imports_, ofLib);
  std::erase_if(exports_, ofLib);
}

TImpExpRec& TImpExp::FindOrAdd(TKind* Kind) {
  if (TImpExpRec* record = Find(Kind)) return *record;
  return *records_.emplace_back(std::make_unique<TImpExpRec>(Kind));
}

TImpExpRec* TImpExp::Find(const TKind* Kind) const {
  const auto match = std::find_if(records_.begin(), records_.end(),
                                  [Kind](const auto& record) { return record->Kind() == Kind; });
  return match == records_.end() ? nullptr : match->get();
}

TImpExpRec& TImpExp::GetRecord(int Index) const {
  QASSERT(Index >= 0 && Index < Count(), "Assertion failure");
  return *records_[Index];
}

void TImpExp::RemoveLibrary(const TLib* Lib) {
  for (const auto& record : records_) record->RemoveLibrary(Lib);
  std::erase_if(records_, [Lib](const auto& record) { return record->Kind()->Lib() == Lib || record->IsEmpty(); });
}

std::vector<TImpExpRec> TImpExp::Save() const {
  std::vector<TImpExpRec> saved;
  for (const auto& record : records_) saved.push_back(*record);
  return saved;
}

void TImpExp::Restore(const std::vector<TImpExpRec>& Saved) {
  records_.clear();
  for (const TImpExpRec& record : Saved) records_.push_back(std::make_unique<TImpExpRec>(record));
}
