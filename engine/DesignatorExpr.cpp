#include "engine/DesignatorExpr.h"

#include <span>
#include <string>
#include <typeinfo>

#include "engine/ArrVar.h"
#include "engine/Func.h"
#include "engine/Kind.h"
#include "engine/MessageChannel.h"
#include "engine/OperatorExpr.h"
#include "engine/ScalarOperators.h"
#include "engine/Var.h"
#include "runtime/Exceptions.h"

namespace {

TRecKind* RecordKindOf(const TExpression& rec) {
  TKind* kind = rec.ResultKind();
  if (!kind || (kind->Code() != kcRecord && kind->Code() != kcClass)) return nullptr;
  return static_cast<TRecKind*>(kind);
}

// One level down from kind for one index; nil when kind has no levels.
TKind* IndexedKind(const TKind* kind) {
  if (!kind) return nullptr;
  if (kind->Code() == kcString) return BaseKind(kcChar);
  if (kind->Code() == kcArray) return static_cast<const TArrKind*>(kind)->Elem();
  return nullptr;
}

std::int64_t IndexValue(const TExpression& index) {
  TValue value;
  ConvertValue(kcInteger, static_cast<const TBaseVar*>(index.ResultVar())->GetValue(), value);
  return value.AsInt();
}

}  // namespace

bool IsPlainVariable(const TExpression& expr) { return typeid(expr) == typeid(TVarExpr); }

void ReportOutOfRange(const char* what, std::int64_t index, const TExpression& at, TEvalMode mode) {
  std::string message = mode == TEvalMode::Run
                            ? std::string(what) + " index = " + std::to_string(index) + " is out of range"
                            : std::string(what) + " index is out of range";
  ReportError(message, at.Pos(), at.Lib());
}


bool IsReadOnlyDesignator(const TExpression& expr) {
  auto* designator = dynamic_cast<const TVarExpr*>(&expr);
  return !designator || designator->IsReadOnly();
}

TRecExpr::TRecExpr(std::unique_ptr<TExpression> rec, int fieldIndex, TLib* lib)
    : TVarExpr(rec ? rec->Pos() : NoPosition, lib), rec_(std::move(rec)), fieldIndex_(fieldIndex) {
  QASSERT(rec_, "749C4B57");
}

TRecExpr::~TRecExpr() = default;

TKind* TRecExpr::ResultKind() const {
  TRecKind* kind = RecordKindOf(*rec_);
  if (!kind || fieldIndex_ < 0 || fieldIndex_ >= kind->FieldCount()) return nullptr;
  return kind->Field(fieldIndex_)->Kind();
}

bool TRecExpr::IsReadOnly() const {
  TRecKind* kind = RecordKindOf(*rec_);
  if (kind && kind->Field(fieldIndex_)->ReadOnly()) return true;
  // A host object held by a read-only property is still writable itself.
  return !(kind && kind->Code() == kcClass) && IsReadOnlyDesignator(*rec_);
}

bool TRecExpr::Check() { return rec_->Check() && ResultKind(); }

bool TRecExpr::Compute(TEvalMode mode) {
  if (Aborted(mode)) return false;
  ClearDesignated();
  if (!rec_->Compute(mode)) return false;
  auto* record = static_cast<TRecVar*>(rec_->ResultVar());
  if (!record) return false;
  Designate(record->Field(fieldIndex_));
  return true;
}

TArrExpr::TArrExpr(std::unique_ptr<TExpression> base, std::unique_ptr<TExpression> indices, TLib* lib)
    : TVarExpr(base ? base->Pos() : NoPosition, lib),
      base_(std::move(base)),
      indices_(std::move(indices)),
      charView_(std::make_unique<TElemVar>()),
      slotView_(std::make_unique<TSlotVar>()) {
  QASSERT(base_, "4786A102");
}

TArrExpr::~TArrExpr() = default;

TKind* TArrExpr::ResultKind() const {
  TKind* kind = base_->ResultKind();
  for (const TExpression* index = indices_.get(); index && kind; index = index->Next()) kind = IndexedKind(kind);
  return kind;
}

bool TArrExpr::IsReadOnly() const { return IsReadOnlyDesignator(*base_); }

bool TArrExpr::Check() {
  if (!indices_ || !base_->Check()) return false;
  for (TExpression* index = indices_.get(); index; index = index->Next()) {
    if (!index->Check()) return false;
    TKind* kind = index->ResultKind();
    if (!kind || !IsCompatibleCode(kcInteger, kind->Code())) return false;
  }
  return ResultKind() != nullptr;
}

bool TArrExpr::Compute(TEvalMode mode) {
  ClearDesignated();
  if (!base_->Compute(mode)) return false;
  TVar* var = base_->ResultVar();
  for (TExpression* index = indices_.get(); index && var; index = index->Next()) {
    if (!index->Compute(mode) || Aborted(mode)) return false;
    var = Select(var, IndexValue(*index), *index, mode);
  }
  if (!var) return false;
  Designate(var);
  return true;
}

TVar* TArrExpr::Select(TVar* var, std::int64_t index, const TExpression& at, TEvalMode mode) {
  switch (var->Kind()->Code()) {
    case kcString: {
      auto* text = static_cast<TStrVar*>(var);
      if (text->IsValidIndex(index)) return &text->CharAt(index, *charView_);
      ReportOutOfRange("String", index, at, mode);
      return nullptr;
    }
    case kcArray: {
      auto* array = static_cast<TArrVar*>(var);
      if (array->IsValidIndex(index)) return &array->Elem(index, *slotView_);
      ReportOutOfRange("Array", index, at, mode);
      return nullptr;
    }
    default:
      return nullptr;
  }
}

TAssignExpr::TAssignExpr(std::unique_ptr<TExpression> target, std::unique_ptr<TExpression> source, TLib* lib)
    : TVarExpr(target ? target->Pos() : NoPosition, lib), target_(std::move(target)), source_(std::move(source)) {
  QASSERT(target_ && source_, "30A95052");
}

TAssignExpr::~TAssignExpr() = default;

bool TAssignExpr::IsReadOnly() const { return IsReadOnlyDesignator(*target_); }

bool TAssignExpr::Check() {
  if (!source_->Check() || !target_->Check()) return false;
  TKind* targetKind = target_->ResultKind();
  TKind* sourceKind = source_->ResultKind();
  if (!targetKind || !sourceKind) return false;
  if (!converter_ && !IsAssignable(targetKind, sourceKind)) return false;
  appendTail_ = SelfAppendTail();
  return true;
}

TExpression* TAssignExpr::SelfAppendTail() const {
  const auto* sum = dynamic_cast<const TSimpleExpr*>(source_.get());
  if (converter_ || !sum || !IsPlainVariable(*target_) || !IsPlainVariable(*sum->First())) return nullptr;
  if (static_cast<const TVarExpr&>(*target_).Var() != static_cast<const TVarExpr&>(*sum->First()).Var()) return nullptr;
  TExpression* tail = sum->First()->Next();
  if (!tail || tail->Next() || !dynamic_cast<const TAdd_SS*>(tail->Op())) return nullptr;
  return target_->ResultKind()->Code() == kcString ? tail : nullptr;
}

// The value is taken as the chain would take it: the target's text is read
// after the tail has run.
bool TAssignExpr::Compute(TEvalMode mode) {
  ClearDesignated();
  if (mode == TEvalMode::Const) return false;
  if (TVar* target; lowered_.RunAssignment(*this, target)) {
    if (!target) return false;
    Designate(target);
    return true;
  }
  if (!target_->Compute(mode)) return false;
  TVar* target = target_->ResultVar();
  if (!target) return false;
  if (TValue* text = appendTail_ ? target->StoredSlot() : nullptr) {
    if (!appendTail_->Compute(mode) || Aborted(mode)) return false;
    AppendToText(*text, appendTail_->ResultVar());
  } else if (!AssignSource(mode, *target)) {
    return false;
  }
  Designate(target);
  return true;
}

bool TAssignExpr::AssignSource(TEvalMode mode, TVar& target) {
  if (!source_->Compute(mode)) return false;
  TVar* source = source_->ResultVar();
  if (converter_) {
    TVar* const args[] = {source};
    if (!converter_->CallDirect(args, NoPosition)) return false;
    source = converter_->ResultVariable();
  }
  // A host property refuses a value it cannot hold with a fault.
  bool taken = false;
  return ReportingFaults([&] { taken = target.Assign(*source, false); }) && taken;
}
