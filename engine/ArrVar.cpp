#include "engine/ArrVar.h"

#include <algorithm>

#include "engine/Kind.h"
#include "engine/MessageChannel.h"
#include "runtime/StorageLimit.h"

bool IsCompactElem(const TKind* kind) {
  switch (kind ? kind->Code() : kcNone) {
    case kcInteger:
    case kcChar:
    case kcReal:
    case kcBoolean:
    case kcEnum:
      return true;
    default:
      return false;
  }
}

TArrVar::TArrVar(std::string name, TArrKind* kind, bool isConst, TLib* lib)
    : TVar(std::move(name), lib),
      kind_(kind),
      firstIndex_(kind->IsDynamic() ? 1 : kind->Low()),
      isConst_(isConst),
      compact_(IsCompactElem(kind->Elem())) {
  if (!kind->IsDynamic()) RequireVarStorage(kind, 1);
  SetLength(kind->Count());
}

TArrVar::~TArrVar() {
  if (block_) block_->ReleaseHolder();
}

TKind* TArrVar::Kind() const { return kind_; }

void TArrVar::Reset() {
  SetLength(kind_->Count());
  for (std::int32_t p = 0; p < count_; ++p) {
    if (compact_)
      OwnBlock()->ResetSlot(p);
    else
      ElemAt(p)->Reset();
  }
}

bool TArrVar::Assign(const TVar& source, bool setInitial) {
  auto* array = dynamic_cast<const TArrVar*>(&source);
  QASSERT(array != nullptr, "5D9D98C6");
  if (!IsAssignable(kind_, array->kind_)) {
    ReportError(kind_->GetText(true) + " is not compatible with " + array->kind_->GetText(true), NoPosition,
                nullptr);
    return false;
  }
  if (CanShareFrom(*array, setInitial)) {
    if (array->block_ != block_) {
      array->block_->Share();
      HoldBlock(array->block_, array->count_);
    }
    return true;
  }
  SetLength(array->count_);
  if (compact_ && array->compact_) {
    for (std::int32_t p = 0; p < count_; ++p) {
      SetSlot(p, array->SlotAt(p));
      if (setInitial) OwnBlock()->SetInitial(p, SlotAt(p));
    }
    return true;
  }
  bool taken = true;
  TSlotVar view, sourceView;
  for (std::int32_t p = 0; p < count_; ++p)
    taken = ElemAt(p, view).Assign(array->ElemAt(p, sourceView), setInitial) && taken;
  return taken;
}

void TArrVar::SetLength(std::int32_t n) {
  QASSERT(n >= 0, "F0143B81");
  if (n == count_) return;
  // Storage that cannot exist is refused while the array is still whole.
  if (compact_)
    RequireStorage(static_cast<std::uint64_t>(n), sizeof(TValue));
  else
    RequireVarStorage(kind_->Elem(), static_cast<std::uint64_t>(n));
  // Released first, so that a failure below leaves a valid empty array.
  HoldBlock(nullptr, 0);
  if (n > 0)
    HoldBlock(compact_ ? TVarBlock::CreateSlots(kind_->Elem(), n, isConst_) : MakeVarBlock(kind_->Elem(), n, isConst_, Lib()),
              n);
}

// A block of a compact array, not pinned or viewed and without initial
// values, passes to an array of the same element kind whose own elements
// nothing else refers to either: neither side can tell it from a copy.
bool TArrVar::CanShareFrom(const TArrVar& source, bool setInitial) const {
  return compact_ && source.compact_ && !setInitial && source.block_ && source.count_ > 0 &&
         kind_->Elem()->Code() == source.kind_->Elem()->Code() && source.block_->CanShare() &&
         (!block_ || block_ == source.block_ || block_->CanShare());
}

void TArrVar::HoldBlock(TVarBlock* block, std::int32_t count) {
  TVarBlock* old = std::exchange(block_, block);
  count_ = count;
  if (old) old->ReleaseHolder();
}

void TArrVar::ClaimBlock() const { block_ = block_->Claim(kind_->Elem(), isConst_); }

bool TArrVar::IsDynamic() const { return kind_->IsDynamic(); }

bool TArrVar::IsValidIndex(std::int64_t i) const {
  std::int64_t p = PositionOf(i);
  return p >= 0 && p < count_;
}

TVar* TArrVar::Elem(std::int64_t i) const {
  QASSERT(IsValidIndex(i), "F0143B80");
  return OwnBlock()->At(static_cast<std::int32_t>(PositionOf(i)));
}

TVar* TArrVar::ElemAt(std::int32_t p) const {
  QASSERT(p >= 0 && p < count_, "66B617D9");
  return OwnBlock()->At(p);
}

TVar& TArrVar::ElemAt(std::int32_t p, TSlotVar& view) const {
  QASSERT(p >= 0 && p < count_, "66B617D9");
  return compact_ ? view.Position(OwnBlock(), p) : *block_->At(p);
}

TVar& TArrVar::Elem(std::int64_t i, TSlotVar& view) const {
  QASSERT(IsValidIndex(i), "F0143B80");
  return ElemAt(static_cast<std::int32_t>(PositionOf(i)), view);
}

TValue* TArrVar::Slots() const {
  QASSERT(compact_, "66B617DA");
  return block_ ? OwnBlock()->Slots() : nullptr;
}

void TArrVar::ConvertInto(TValue& slot, const TValue& v) {
  QASSERT(IsCompatibleCode(slot.Kind(), v.Kind()), "CF25A740");
  AssignValue(v, slot);
}

bool TArrVar::DeleteRange(std::int32_t first, std::int32_t last) {
  if (!IsDynamic() || first < 1 || first > count_) return false;
  if (last < 0) last = first;
  QASSERT(last >= first, "F0143B82");
  if (last > count_) return false;
  // The block keeps its size: later elements take the values of the deleted
  // ones' successors, and the now unused tail is reset, which frees what its
  // elements hold. Elements keep their identity, so a pinned one stays valid.
  std::int32_t deleted = last - first + 1;
  if (compact_) {
    // Slots keep their positions too, and with them the views made on them.
    TValue* slots = Slots();
    for (std::int32_t p = first - 1; p + deleted < count_; ++p) slots[p] = slots[p + deleted];
    for (std::int32_t p = count_ - deleted; p < count_; ++p) OwnBlock()->ResetSlot(p);
  } else {
    for (std::int32_t p = first - 1; p + deleted < count_; ++p) ElemAt(p)->Assign(*ElemAt(p + deleted), false);
    for (std::int32_t p = count_ - deleted; p < count_; ++p) ElemAt(p)->Reset();
  }
  count_ -= deleted;
  return true;
}

namespace {

std::int32_t CheckedPosition(const TArrVar& a, std::int64_t i) {
  QASSERT(a.IsValidIndex(i), "F0143B80");
  return static_cast<std::int32_t>(a.PositionOf(i));
}

TArrVar& Row(const TArrVar& m, std::int64_t i) { return static_cast<TArrVar&>(*m.Elem(i)); }

TArrVar& RowAt(const TArrVar& m, std::int32_t p) { return static_cast<TArrVar&>(*m.ElemAt(p)); }

// Copies the values of the positions both vectors have, as Reals.
void CopyReals(const TArrVar& from, TArrVar& to) {
  std::int32_t count = std::min(from.Count(), to.Count());
  for (std::int32_t p = 0; p < count; ++p) to.SetSlot(p, TValue::Real(from.SlotAt(p).AsReal()));
}

// Re-dimensions a through resize; unless discard, the values at positions
// inside both sizes are copied back from a copy made first.
template <class Resize, class CopyBack>
void Redimension(TArrVar& a, bool discard, Resize&& resize, CopyBack&& copyBack) {
  std::unique_ptr<TVar> copy;
  if (!discard) {
    copy = MakeVar(std::string(), a.Kind(), false, NoneValue, a.Lib());
    copy->Assign(a, false);
  }
  resize();
  if (copy) copyBack(static_cast<const TArrVar&>(*copy));
}

}  // namespace

std::string CharsToText(const TArrVar& chars) {
  std::string text;
  text.reserve(chars.Count());
  for (std::int32_t p = 0; p < chars.Count(); ++p) text += chars.SlotAt(p).AsChar();
  return text;
}

long double GetVecElem(const TArrVar& a, std::int64_t i) { return a.SlotAt(CheckedPosition(a, i)).AsReal(); }

long double GetMatElem(const TArrVar& m, std::int64_t i, std::int64_t j) { return GetVecElem(Row(m, i), j); }

void SetVecElem(TArrVar& a, std::int64_t i, long double x) { a.SetSlot(CheckedPosition(a, i), TValue::Real(x)); }

void SetMatElem(TArrVar& m, std::int64_t i, std::int64_t j, long double x) { SetVecElem(Row(m, i), j, x); }

std::int32_t ArrLength(const TArrVar* a) { return a ? a->Count() : 0; }

std::int32_t MatColCount(const TArrVar& m) { return m.Count() > 0 ? RowAt(m, 0).Count() : 0; }

void SetVecSize(TArrVar& a, std::int32_t n, bool discard) {
  Redimension(
      a, discard, [&] { a.SetLength(std::max(n, 0)); }, [&](const TArrVar& old) { CopyReals(old, a); });
}

void SetMatSize(TArrVar& m, std::int32_t rows, std::int32_t cols, bool discard) {
  Redimension(
      m, discard,
      [&] {
        m.SetLength(std::max(rows, 0));
        for (std::int32_t r = 0; r < m.Count(); ++r) RowAt(m, r).SetLength(std::max(cols, 0));
      },
      [&](const TArrVar& old) {
        std::int32_t kept = std::min(old.Count(), m.Count());
        for (std::int32_t r = 0; r < kept; ++r) CopyReals(RowAt(old, r), RowAt(m, r));
      });
}

bool DeleteMatCols(TArrVar& m, std::int32_t first, std::int32_t last) {
  QASSERT(first >= 1 && first <= last && last <= MatColCount(m), "D31C6A40");
  for (std::int32_t r = 0; r < m.Count(); ++r)
    if (!RowAt(m, r).DeleteRange(first, last)) return false;
  return true;
}

bool DeleteMatRows(TArrVar& m, std::int32_t first, std::int32_t last) {
  QASSERT(first >= 1 && first <= last && last <= m.Count(), "D31C6A41");
  return m.DeleteRange(first, last);
}
