#pragma once
// Array variables: vectors, matrices (arrays of row arrays) and every other
// array. Script indices are Low..High for a static array and 1..Count for a
// dynamic one. The elements of one SetLength live in one TVarBlock: the
// elements of a compact array (one of a scalar kind: Integer, Char, Real,
// Boolean, an enumeration) as values side by side, which library routines,
// operators and the typed evaluation read and write directly; every other
// array's as variables.
//
// A compact array assigned from another of its element kind shares the
// other's block (see TVarBlock) instead of copying it, so that passing a
// vector by value costs nothing until one side writes. Readers of the
// values (SlotAt) leave a shared block alone; everything that writes a slot
// or hands out a variable or an address in the block first takes it as the
// array's own (a copy while another array still holds it). Those accessors
// are const where reading callers use them: the values do not change.

#include <cstdint>
#include <string>

#include "engine/Var.h"

class TArrKind;
class TSlotVar;

// Whether arrays of elements of kind are compact.
bool IsCompactElem(const TKind* kind);

class TArrVar final : public TVar {
public:
  // Starts with the kind's element count: a static array its declared
  // elements, a dynamic one empty.
  TArrVar(std::string name, TArrKind* kind, bool isConst, TLib* lib);
  ~TArrVar() override;

  TKind* Kind() const override;
  bool IsConstant() const override { return isConst_; }
  // A dynamic array becomes empty; a static one resets every element.
  void Reset() override;
  // Source must be an array (assertion "5D9D98C6") of an assignable kind,
  // else the error "<kind> is not compatible with <source kind>" is reported
  // and nothing changes. Elements are taken one by one.
  bool Assign(const TVar& source, bool setInitial) override;

  // Nothing when n = Count; otherwise n fresh elements replace the old ones
  // (their values are not kept).
  void SetLength(std::int32_t n);
  std::int32_t Count() const { return count_; }
  bool IsDynamic() const;
  bool IsValidIndex(std::int64_t i) const;
  // The element as a variable, by script index (assertion "F0143B80"
  // outside); a compact array's element gets its block's view.
  TVar* Elem(std::int64_t i) const;
  TVar* ElemAt(std::int32_t p) const;    // by 0-based position; assertion "66B617D9" outside
  // The same for a moment: a compact array positions view on the slot
  // instead, so that walking all elements makes no variable for each.
  TVar& ElemAt(std::int32_t p, TSlotVar& view) const;
  TVar& Elem(std::int64_t i, TSlotVar& view) const;  // assertion "F0143B80" outside

  bool IsCompact() const { return compact_; }
  // A compact array's values, Count of them (assertion "66B617DA" for
  // another array), to write. Writers keep each value's kind: SetSlot converts.
  TValue* Slots() const;
  // One value, to read.
  const TValue& SlotAt(std::int32_t p) const {
    QASSERT(p >= 0 && p < count_, "66B617D9");
    QASSERT(compact_, "66B617DA");
    return block_->Slots()[p];
  }
  // A value of the slot's own kind is copied as it is.
  void SetSlot(std::int32_t p, const TValue& v) {
    QASSERT(p >= 0 && p < count_, "66B617D9");
    TValue& slot = Slots()[p];
    if (v.Kind() == slot.Kind())
      slot = v;
    else
      ConvertInto(slot, v);
  }
  // The block of its elements, to view or write; nil while empty.
  TVarBlock* ElemBlock() const { return block_ ? OwnBlock() : nullptr; }
  // Inline, for the typed evaluation: the element (of any array) or the
  // slot (of a compact one) at script index i, nil outside.
  TVar* ElemOrNil(std::int64_t i) const {
    const auto p = static_cast<std::uint64_t>(i - firstIndex_);
    return p < static_cast<std::uint64_t>(count_) ? OwnBlock()->At(static_cast<std::int32_t>(p)) : nullptr;
  }
  TValue* SlotOrNil(std::int64_t i) const {
    const auto p = static_cast<std::uint64_t>(i - firstIndex_);
    return p < static_cast<std::uint64_t>(count_) ? OwnBlock()->Slots() + p : nullptr;
  }
  std::int64_t PositionOf(std::int64_t i) const { return i - firstIndex_; }
  void Clear() { SetLength(0); }
  // Deletes elements first..last (script indices of a dynamic array; last < 0
  // deletes first alone); false for a static array or a range outside.
  bool DeleteRange(std::int32_t first, std::int32_t last);

private:
  static void ConvertInto(TValue& slot, const TValue& v);  // assertion "CF25A740" for an incompatible kind

  // The block, claimed as this array's own; a non-empty array only.
  TVarBlock* OwnBlock() const {
    if (block_->Unclaimed()) [[unlikely]]
      ClaimBlock();
    return block_;
  }
  void ClaimBlock() const;
  // Whether source's elements can be taken by sharing its block.
  bool CanShareFrom(const TArrVar& source, bool setInitial) const;
  // Holds block (or nothing) in place of the current one.
  void HoldBlock(TVarBlock* block, std::int32_t count);

  TArrKind* kind_;
  // One holder's reference; holds at least count_ elements. Claiming
  // replaces a shared block by an own copy, also in a const accessor.
  mutable TVarBlock* block_ = nullptr;
  std::int32_t count_ = 0;
  std::int64_t firstIndex_;  // the script index of position 0
  bool isConst_;
  bool compact_;
};

// Vectors (arrays of Real) and matrices (arrays of vectors), 1-based through
// TArrVar::Elem.
// The text of an array of Char: its characters in order.
std::string CharsToText(const TArrVar& chars);

long double GetVecElem(const TArrVar& a, std::int64_t i);
long double GetMatElem(const TArrVar& m, std::int64_t i, std::int64_t j);
void SetVecElem(TArrVar& a, std::int64_t i, long double x);
void SetMatElem(TArrVar& m, std::int64_t i, std::int64_t j, long double x);
std::int32_t ArrLength(const TArrVar* a);  // 0 for nil
std::int32_t MatColCount(const TArrVar& m);  // the length of row 1; 0 without rows
// Re-dimensions; unless discard, values at positions inside both the old and
// the new size stay. A size below 1 empties the array.
void SetVecSize(TArrVar& a, std::int32_t n, bool discard);
void SetMatSize(TArrVar& m, std::int32_t rows, std::int32_t cols, bool discard);
// Requires 1 <= first <= last <= the column (row) count. DeleteMatCols stops
// at the first row that refuses.
bool DeleteMatCols(TArrVar& m, std::int32_t first, std::int32_t last);
bool DeleteMatRows(TArrVar& m, std::int32_t first, std::int32_t last);
