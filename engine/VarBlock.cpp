#include "engine/VarBlock.h"

#include <memory>
#include <unordered_map>
#include <utility>

#include "engine/Kind.h"
#include "engine/Var.h"
#include "runtime/StorageLimit.h"

struct TVarBlock::TViews {
  std::unordered_map<std::int32_t, std::unique_ptr<TSlotVar>> ByPosition;
};

TVarBlock* TVarBlock::AllocateSlots(TKind* kind, std::int32_t count, bool isConst) {
  QASSERT(kind != nullptr && count >= 0, "A1B4C0D3");
  RequireStorage(static_cast<std::uint64_t>(count), sizeof(TValue));
  constexpr std::size_t alignment = std::max(alignof(TValue), alignof(TVarBlock));
  constexpr std::size_t header = (sizeof(TVarBlock) + alignof(TValue) - 1) / alignof(TValue) * alignof(TValue);
  auto* memory = static_cast<std::byte*>(
      ::operator new(header + static_cast<std::size_t>(count) * sizeof(TValue), std::align_val_t(alignment)));
  auto* block = new (memory) TVarBlock(memory + header, sizeof(TValue), alignment);
  block->slotKind_ = kind;
  block->slotsConst_ = isConst;
  return block;
}

TVarBlock* TVarBlock::CreateSlots(TKind* kind, std::int32_t count, bool isConst) {
  TVarBlock* block = AllocateSlots(kind, count, isConst);
  TValue zero;
  ClearValue(kind->Code(), zero);
  std::uninitialized_fill_n(block->Slots(), count, zero);
  block->count_ = count;
  return block;
}

void TVarBlock::Share() {
  QASSERT(CanShare(), "A1B4C0D4");
  ++holders_;
  ++refCount_;
  unclaimed_ = true;
}

void TVarBlock::ReleaseHolder() {
  --holders_;
  Release();
}

TVarBlock* TVarBlock::Claim(TKind* kind, bool isConst) {
  if (holders_ == 1) {
    slotKind_ = kind;
    slotsConst_ = isConst;
    unclaimed_ = false;
    return this;
  }
  TVarBlock* own = AllocateSlots(kind, count_, isConst);
  std::uninitialized_copy_n(Slots(), count_, own->Slots());
  own->count_ = count_;
  ReleaseHolder();
  return own;
}

TVar* TVarBlock::ViewAt(std::int32_t position) const {
  if (!views_) views_ = new TViews;
  std::unique_ptr<TSlotVar>& view = views_->ByPosition[position];
  if (!view) view = std::make_unique<TSlotVar>(const_cast<TVarBlock*>(this), position);
  return view.get();
}

void TVarBlock::SetInitial(std::int32_t position, const TValue& value) {
  if (!initial_) {
    initial_ = new TValue[static_cast<std::size_t>(count_)];
    for (std::int32_t p = 0; p < count_; ++p) ClearValue(slotKind_->Code(), initial_[p]);
  }
  AssignValue(value, initial_[position]);
}

void TVarBlock::ResetSlot(std::int32_t position) {
  TValue& slot = Slots()[position];
  if (initial_)
    slot = initial_[position];
  else
    slot.Clear();
}

void TVarBlock::Release() {
  if (--refCount_ == 0) Destroy();
}

void TVarBlock::Adopt(TVar* element) {
  ++count_;
  element->JoinBlock(this);
}

void TVarBlock::Destroy() {
  if (slotKind_) {
    delete views_;
    delete[] initial_;
    std::destroy_n(Slots(), count_);
  } else {
    for (std::int32_t p = 0; p < count_; ++p) At(p)->~TVar();
  }
  std::size_t alignment = alignment_;
  this->~TVarBlock();
  ::operator delete(static_cast<void*>(this), std::align_val_t(alignment));
}

TVarPin::TVarPin(TVar* var) : var_(var), block_(var ? var->Block() : nullptr) {
  if (block_) block_->AddRef();
}

TVarPin::TVarPin(const TVarPin& other) : var_(other.var_), block_(other.block_) {
  if (block_) block_->AddRef();
}

TVarPin& TVarPin::operator=(const TVarPin& other) {
  TVarPin kept(other);
  std::swap(var_, kept.var_);
  std::swap(block_, kept.block_);
  return *this;
}

TVarPin::~TVarPin() {
  if (block_) block_->Release();
}
