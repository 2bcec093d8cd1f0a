#pragma once
// Array variables: vectors, matrices (arrays of row arrays) and every other
// array. Script indices are Low..High for a static array and 1..Count for a
// dynamic one. The elements of one SetLength live in one TVarBlock.

#include <cstdint>
#include <string>

#include "engine/Var.h"

class TArrKind;

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
  TVar* Elem(std::int64_t i) const;      // by script index; assertion "F0143B80" outside
  // The same, nil outside: inline, for the typed evaluation's element reads.
  TVar* ElemOrNil(std::int64_t i) const {
    const auto p = static_cast<std::uint64_t>(i - firstIndex_);
    return p < static_cast<std::uint64_t>(count_) ? block_->At(static_cast<std::int32_t>(p)) : nullptr;
  }
  TVar* ElemAt(std::int32_t p) const;    // by 0-based position; assertion "66B617D9" outside
  void Clear() { SetLength(0); }
  // Deletes elements first..last (script indices of a dynamic array; last < 0
  // deletes first alone); false for a static array or a range outside.
  bool DeleteRange(std::int32_t first, std::int32_t last);

private:
  std::int64_t PositionOf(std::int64_t i) const;

  TArrKind* kind_;
  TVarBlock* block_ = nullptr;  // one reference; holds at least count_ elements
  std::int32_t count_ = 0;
  std::int64_t firstIndex_;  // the script index of position 0
  bool isConst_;
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
