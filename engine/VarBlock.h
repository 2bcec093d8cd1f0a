#pragma once
// The elements of an array, made by one SetLength, live in one block: one
// allocation holding a small header and the element variables side by side,
// all of one class. The elements of a scalar kind (Integer, Char, Real,
// Boolean, enumerations) are no variables but values (slots) side by side,
// 16 bytes each; a slot gets a variable, a view onto it, only when something
// asks for one (TSlotVar), and the block keeps that view while it lives, so
// that a position keeps one variable.
//
// The block is counted. The array holds one reference; whoever keeps an
// element beyond the next statement (an operand, an argument, a var
// parameter, a with reference, a string's character view) pins it with
// TVarPin, which holds another. So an array that is re-dimensioned or freed
// while one of its elements is still in use leaves that element alive but
// orphaned: reads see its last value and writes to it are lost.
//
// Arrays assigned from one another (a value argument, a := b) share a slot
// block until one of them writes or needs a view (copy on write): sharing
// is refused while the block has views, pins or initial values, and every
// holder claims the block (TArrVar does) before it writes a slot or makes a
// view onto one, so a shared block never has a view or pin and the
// holders' values stay equal until one of them takes a copy of its own.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <new>
#include <type_traits>

#include "runtime/Exceptions.h"

#include "engine/Value.h"

class TKind;
class TSlotVar;
class TVar;

class TVarBlock {
public:
  TVarBlock(const TVarBlock&) = delete;
  TVarBlock& operator=(const TVarBlock&) = delete;

  // A block of count variables of class T, each built by make(where), which
  // constructs one in place and returns it. The caller holds the one reference.
  template <class T, class Make>
  static TVarBlock* Create(std::int32_t count, Make&& make);
  // A block of count slots of the scalar kind, each its zero value
  // (ENotEnoughMemory when the storage cannot exist). The caller holds the
  // one reference.
  static TVarBlock* CreateSlots(TKind* kind, std::int32_t count, bool isConst);

  // The variable at position: a slot's view, made at the first call.
  TVar* At(std::int32_t position) const {
    return slotKind_ ? ViewAt(position) : reinterpret_cast<TVar*>(first_ + position * stride_);
  }
  std::int32_t Count() const { return count_; }

  // Slot blocks: the kind of every slot, whether they are constant, the
  // slots themselves.
  bool HoldsSlots() const { return slotKind_ != nullptr; }
  TKind* SlotKind() const { return slotKind_; }
  bool SlotsConstant() const { return slotsConst_; }
  TValue* Slots() const { return reinterpret_cast<TValue*>(first_); }
  // The value a slot's Reset restores: its kind's zero value until set.
  void SetInitial(std::int32_t position, const TValue& value);
  void ResetSlot(std::int32_t position);

  void AddRef() { ++refCount_; }
  // The last release destroys the elements and frees the block.
  void Release();

  // Copy on write. The array that made a block holds it; Share adds an
  // array (to a slot block nothing else refers to: CanShare),
  // ReleaseHolder removes one. Claim answers the block the holder, whose
  // element kind and constness are given, may write: this one once it is
  // the only holder, else a copy of the slots, and this block loses the
  // holder.
  bool CanShare() const { return slotKind_ && refCount_ == holders_ && !views_ && !initial_; }
  void Share();
  void ReleaseHolder();
  bool Unclaimed() const { return unclaimed_; }
  TVarBlock* Claim(TKind* kind, bool isConst);

private:
  struct TViews;

  TVarBlock(std::byte* first, std::size_t stride, std::size_t alignment)
      : first_(first), stride_(stride), alignment_(alignment) {}
  ~TVarBlock() = default;

  // count uninitialised slots of kind.
  static TVarBlock* AllocateSlots(TKind* kind, std::int32_t count, bool isConst);
  TVar* ViewAt(std::int32_t position) const;
  void Adopt(TVar* element);
  void Destroy();

  std::byte* first_;
  std::size_t stride_;
  std::size_t alignment_;
  std::int32_t count_ = 0;  // elements constructed so far
  std::int32_t refCount_ = 1;
  std::int32_t holders_ = 1;  // the arrays among the references
  bool unclaimed_ = false;    // shared since a holder last claimed it
  TKind* slotKind_ = nullptr;  // nil for a block of variables
  bool slotsConst_ = false;
  mutable TViews* views_ = nullptr;  // made at the first view
  TValue* initial_ = nullptr;        // count_ values, made at the first SetInitial
};

template <class T, class Make>
TVarBlock* TVarBlock::Create(std::int32_t count, Make&& make) {
  static_assert(std::is_base_of_v<TVar, T>);
  constexpr std::size_t alignment = std::max(alignof(T), alignof(TVarBlock));
  constexpr std::size_t header = (sizeof(TVarBlock) + alignof(T) - 1) / alignof(T) * alignof(T);
  auto* memory = static_cast<std::byte*>(
      ::operator new(header + static_cast<std::size_t>(count) * sizeof(T), std::align_val_t(alignment)));
  auto* block = new (memory) TVarBlock(memory + header, sizeof(T), alignment);
  try {
    for (std::int32_t p = 0; p < count; ++p) {
      T* element = make(static_cast<void*>(block->first_ + p * sizeof(T)));
      // At() addresses elements as TVar: the base must sit at the object's start.
      QASSERT(static_cast<void*>(static_cast<TVar*>(element)) == static_cast<void*>(element), "A1B4C0D2");
      block->Adopt(element);
    }
  } catch (...) {
    block->Destroy();
    throw;
  }
  return block;
}

// A variable kept in use outside its owner; see above.
class TVarPin {
public:
  TVarPin() = default;
  explicit TVarPin(TVar* var);
  TVarPin(const TVarPin& other);
  TVarPin& operator=(const TVarPin& other);
  ~TVarPin();

  TVar* Get() const { return var_; }
  explicit operator bool() const { return var_ != nullptr; }
  void Reset() { *this = TVarPin(); }

private:
  TVar* var_ = nullptr;
  TVarBlock* block_ = nullptr;  // kept apart: a variable outside blocks may go first
};
