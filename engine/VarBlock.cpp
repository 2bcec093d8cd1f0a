#include "engine/VarBlock.h"

#include <utility>

#include "engine/Var.h"

void TVarBlock::Release() {
  if (--refCount_ == 0) Destroy();
}

void TVarBlock::Adopt(TVar* element) {
  ++count_;
  element->JoinBlock(this);
}

void TVarBlock::Destroy() {
  for (std::int32_t p = 0; p < count_; ++p) At(p)->~TVar();
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
