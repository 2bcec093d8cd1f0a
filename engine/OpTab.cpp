#include "engine/OpTab.h"

#include <algorithm>

#include "engine/Kind.h"
#include "engine/Lex.h"
#include "engine/ScalarOperators.h"
#include "runtime/Exceptions.h"

namespace {

// The operator's kind is the target, the actual operand's kind the source.
bool OperandMatches(bool conversion, const TKind* operatorKind, const TKind* actual) {
  return conversion ? IsAssignable(operatorKind, actual) : SameKind(operatorKind, actual);
}

template <class... TOps>
void AddBuiltIns(TOpTab& table) {
  (table.Add(std::make_unique<TOps>()), ...);
}

}  // namespace

void TOpTab::Clear() { items_.clear(); }

bool TOpTab::Add(std::unique_ptr<TOperator> op) {
  QASSERT(op != nullptr, "DC085C29");
  if (Find(op->Token(), false, op->LeftKind(), op->RightKind())) return false;
  items_.push_back(std::move(op));
  return true;
}

TOperator* TOpTab::Find(std::uint8_t token, bool allowConversion, TKind* left, TKind* right) const {
  int index = IndexOf(false, token, left, right);
  if (index < 0 && allowConversion) index = IndexOf(true, token, left, right);
  return index < 0 ? nullptr : items_[index].get();
}

int TOpTab::IndexOf(bool conversion, std::uint8_t token, TKind* left, TKind* right) const {
  for (int index = 0; index < Count(); ++index) {
    const TOperator& op = *items_[index];
    if (op.Token() != token || !OperandMatches(conversion, op.LeftKind(), left)) continue;
    const bool rightMatches = right ? OperandMatches(conversion, op.RightKind(), right) : op.RightKind() == nullptr;
    if (rightMatches) return index;
  }
  return -1;
}

bool TOpTab::IsMulOp(std::uint8_t token) const { return lex_.IsMultiplicative(token); }

bool TOpTab::IsUnaryOp(std::uint8_t token) const { return lex_.IsUnary(token); }

void TOpTab::RegisterBuiltIns() {
  AddBuiltIns<TEqu_FF, TNEqu_FF, TGEqu_FF, TLEqu_FF, TGreat_FF, TLess_FF, TEqu_SS, TNEqu_SS, TEqu_BB, TNEqu_BB,
              TEqu_EE, TNEqu_EE, TEqu_MM, TNEqu_MM, TIn_EM, TMinus_I, TMinus_F, TNot_I, TNot_B, TPlus_I, TPlus_F,
              TLQuote_F, TAdd_II, TAdd_FF, TSub_II, TSub_FF, TAdd_SS, TOr_II, TXor_II, TOr_BB, TXor_BB, TAdd_MM,
              TSub_MM, TMul_II, TDiv_II, TAnd_II, TShl_II, TShr_II, TMod_II, TMul_FF, TDiv_FF, TAnd_BB, TPow_FF>(*this);
}

void TOpTab::RemoveLib(const TLib* lib) { Detach(lib); }

TOpTab::TDetached TOpTab::Detach(const TLib* lib) {
  TDetached detached;
  // Built-in operators have no library and stay whatever the caller passes.
  if (!lib) return detached;
  for (int i = 0; i < Count(); ++i)
    if (items_[i]->Lib() == lib) detached.emplace_back(i, std::move(items_[i]));
  std::erase(items_, nullptr);
  return detached;
}

void TOpTab::Reattach(TDetached& detached) {
  for (auto& [place, op] : detached) items_.insert(items_.begin() + std::min(place, Count()), std::move(op));
  detached.clear();
}

TOperator* TOpTab::Get(int index) const {
  QASSERT(index >= 0 && index < Count(), "Assertion failure");
  return items_[index].get();
}
