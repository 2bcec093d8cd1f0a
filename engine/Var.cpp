#include "engine/Var.h"

#include <type_traits>

#include "engine/ArrVar.h"
#include "engine/ExtFunc.h"
#include "engine/Func.h"
#include "engine/HostVar.h"
#include "engine/Kind.h"
#include "engine/MethodVar.h"
#include "runtime/PublishedProperties.h"
#include "runtime/Exceptions.h"
#include "runtime/StorageLimit.h"

namespace {

TValue ZeroValue(const TKind* kind) {
  TValue zero;
  ClearValue(kind->Code(), zero);
  return zero;
}

// Calls make(std::type_identity<T>{}, constructor arguments...) with the
// variable class T that the kind's code chooses, and returns its result.
template <class Make>
auto WithVarClass(std::string name, TKind* kind, bool isConst, TLib* lib, Make&& make) {
  QASSERT(kind != nullptr, "BE47B240");
  switch (kind->Code()) {
    case kcAny:
      return make(std::type_identity<TAnyVar>{}, std::move(name), kind, lib);
    case kcInteger:
    case kcChar:
    case kcReal:
    case kcBoolean:
    case kcEnum:
      return make(std::type_identity<TBaseVar>{}, std::move(name), kind, isConst, lib);
    case kcString:
      return make(std::type_identity<TStrVar>{}, std::move(name), kind, isConst, lib);
    case kcSet:
      return make(std::type_identity<TSetVar>{}, std::move(name), static_cast<TSetKind*>(kind), isConst, lib);
    case kcArray:
      return make(std::type_identity<TArrVar>{}, std::move(name), static_cast<TArrKind*>(kind), isConst, lib);
    case kcRecord:
    case kcClass:
      return make(std::type_identity<TRecVar>{}, std::move(name), static_cast<TRecKind*>(kind), isConst, lib);
    case kcFunction:
      return make(std::type_identity<TFuncVar>{}, std::move(name), static_cast<TFuncKind*>(kind), isConst,
                  static_cast<TFunc*>(nullptr), lib);
    default:
      AssertionFailure("CF25A742", __FILE__, __LINE__);
  }
}

}  // namespace

TBaseVar::TBaseVar(std::string name, TKind* kind, bool isConst, TLib* lib)
    : TVar(std::move(name), lib), kind_(kind), isConst_(isConst) {
  QASSERT(kind != nullptr, "BE47B240");
  ClearValue(kind->Code(), value_);
}

// The initial value is already of the variable's kind.
bool TBaseVar::Assign(const TVar& source, bool setInitial) {
  // The fast path from a variable that keeps its value: copied, or converted
  // when the kinds differ.
  const TValue* stored = source.StoredValue();
  if (!stored) return AssignThroughValues(source, setInitial);
  if (source.Kind() == kind_)
    value_ = *stored;
  else
    TBaseVar::SetValue(*stored);
  if (setInitial) SetInitialValue(value_);
  return true;
}

bool TBaseVar::AssignThroughValues(const TVar& source, bool setInitial) {
  auto* base = dynamic_cast<const TBaseVar*>(&source);
  QASSERT(base != nullptr, "CF25A741");
  SetValue(base->GetValue());
  if (setInitial) SetInitialValue(GetValue());
  return true;
}

void TBaseVar::SetValue(const TValue& v) {
  QASSERT(IsCompatibleCode(kind_->Code(), v.Kind()), "CF25A740");
  AssignValue(v, value_);
}

TValue TBaseVar::GetValue() const { return value_; }

void TBaseVar::SetInitialValue(const TValue& v) {
  QASSERT(IsCompatibleCode(kind_->Code(), v.Kind()), "C59440A0");
  if (!initial_) initial_ = std::make_unique<TValue>(ZeroValue(kind_));
  AssignValue(v, *initial_);
  SetValue(*initial_);
}

TSlotVar::TSlotVar() : TBaseVar(std::string(), BaseKind(kcReal), false, nullptr), holdsBlock_(true) {}

TSlotVar::TSlotVar(TVarBlock* block, std::int32_t position)
    : TBaseVar(std::string(), block->SlotKind(), block->SlotsConstant(), nullptr),
      slot_(block->Slots() + position),
      position_(position),
      holdsBlock_(false) {
  JoinBlock(block);
}

TSlotVar::~TSlotVar() {
  if (holdsBlock_ && Block()) Block()->Release();
}

TSlotVar& TSlotVar::Position(TVarBlock* block, std::int32_t position) {
  QASSERT(holdsBlock_, "5B1E0C40");
  if (block != Block()) {
    block->AddRef();
    if (Block()) Block()->Release();
    JoinBlock(block);
  }
  slot_ = block->Slots() + position;
  position_ = position;
  return *this;
}

TKind* TSlotVar::Kind() const { return Block() ? Block()->SlotKind() : TBaseVar::Kind(); }

bool TSlotVar::IsConstant() const { return Block() && Block()->SlotsConstant(); }

void TSlotVar::Reset() { Block()->ResetSlot(position_); }

bool TSlotVar::Assign(const TVar& source, bool setInitial) {
  if (const TValue* stored = source.StoredValue()) {
    SetValue(*stored);
  } else {
    auto* base = dynamic_cast<const TBaseVar*>(&source);
    QASSERT(base != nullptr, "CF25A741");
    SetValue(base->GetValue());
  }
  if (setInitial) Block()->SetInitial(position_, *slot_);
  return true;
}

void TSlotVar::SetInitialValue(const TValue& v) {
  SetValue(v);
  Block()->SetInitial(position_, *slot_);
}

void TSlotVar::SetValue(const TValue& v) {
  QASSERT(IsCompatibleCode(slot_->Kind(), v.Kind()), "CF25A740");
  AssignValue(v, *slot_);
}

bool TStrVar::Assign(const TVar& source, bool setInitial) {
  TKindCode code = source.Kind()->Code();
  if (code >= kcInteger && code <= kcString) return TBaseVar::Assign(source, setInitial);
  auto* chars = dynamic_cast<const TArrVar*>(&source);
  QASSERT(chars && static_cast<const TArrKind*>(chars->Kind())->Elem()->Code() == kcChar, "959F1689");
  TValue value = TValue::String(CharsToText(*chars));
  SetValue(value);
  if (setInitial) SetInitialValue(value);
  return true;
}

std::int64_t TStrVar::Length() const {
  const TValue* stored = StoredValue();
  return static_cast<std::int64_t>(stored ? stored->Str().size() : GetValue().Str().size());
}

TElemVar& TStrVar::CharAt(std::int64_t i, TElemVar& view) {
  QASSERT(IsValidIndex(i), "959F1685");
  view.str_ = TVarPin(this);
  view.index_ = static_cast<std::int32_t>(i);
  return view;
}

TElemVar::TElemVar() : TBaseVar(std::string(), BaseKind(kcChar), false, nullptr) {}

TStrVar* TElemVar::Str() const { return static_cast<TStrVar*>(str_.Get()); }

bool TElemVar::IsConstant() const { return Str() && Str()->IsConstant(); }

bool TElemVar::Assign(const TVar& source, bool setInitial) { return AssignThroughValues(source, setInitial); }

void TElemVar::SetValue(const TValue& v) {
  QASSERT(v.Kind() == kcChar, "959F1684");
  QASSERT(Str() && Str()->IsValidIndex(index_), "959F1683");
  if (TValue* slot = Str()->StoredSlot()) {
    slot->SetStrChar(index_ - 1, v.AsChar());
    return;
  }
  TValue text = Str()->GetValue();  // a host's string property
  text.SetStrChar(index_ - 1, v.AsChar());
  Str()->SetValue(text);
}

TValue TElemVar::GetValue() const {
  QASSERT(Str() && Str()->IsValidIndex(index_), "959F1682");
  const TValue* stored = Str()->StoredValue();
  return TValue::Char((stored ? stored->Str() : Str()->GetValue().Str())[index_ - 1]);
}

TParamVar::TParamVar(std::string name, std::string label, bool hasLimits, TKind* kind, TLib* lib)
    : TBaseVar(std::move(name), kind, true, lib), label_(std::move(label)), hasLimits_(hasLimits) {}

void TParamVar::SetLimits(const TValue& low, const TValue& high) {
  QASSERT(hasLimits_, "6DFBF7AE");
  low_ = low;
  high_ = high;
}

void TBoundVar::BindChecked(TVar* target, const char* tag) {
  QASSERT(target && IsAssignable(kind_, target->Kind()), tag);
  target_ = TVarPin(target);
}

TRefVar::TRefVar(std::string name, TKind* kind, TLib* lib, bool isConst)
    : TBoundVar(std::move(name), kind, lib), isConst_(isConst) {}

bool TRefVar::IsConstant() const { return Target() ? Target()->IsConstant() : isConst_; }

bool TRefVar::Assign(const TVar& source, bool setInitial) {
  QASSERT(Target() != nullptr, "61681AEF");
  return Target()->Assign(source, setInitial);
}

bool TAnyVar::Assign(const TVar&, bool) {
  AssertionFailure("BE47B242", __FILE__, __LINE__);
}

TRecVar::TRecVar(std::string name, TRecKind* kind, bool isConst, TLib* lib, TObject* object)
    : TVar(std::move(name), lib), kind_(kind), isConst_(isConst), object_(object) {
  for (int i = 0; i < kind->FieldCount(); ++i) {
    const TField* field = kind->Field(i);
    std::unique_ptr<TVar> var = object ? MakeHostField(*field, lib) : nullptr;
    if (!var) var = MakeVar(field->Name(), field->Kind(), field->ReadOnly(), NoneValue, lib);
    const bool added = fields_.Add(var);
    QASSERT(added, "959F168A");
  }
}

// A routine the object declares, a nested object's record, or the view of
// the property of the field's name; nil when the field is none of these.
std::unique_ptr<TVar> TRecVar::MakeHostField(const TField& field, TLib* lib) {
  TKind* kind = field.Kind();
  if (kind->Code() == kcFunction) {
    if (field.Index() < 0) {
      const TPublishedProperty* event = FindPublishedProperty(*object_, field.Name());
      if (!event || event->Kind != TPropertyKind::Event) return nullptr;
      return std::make_unique<TMethodVar>(field.Name(), *this, static_cast<TFuncKind*>(kind), field.ReadOnly(), lib,
                                          *event);
    }
    auto* client = dynamic_cast<TTarnClient*>(object_);
    if (!client) return nullptr;
    return std::make_unique<TExtVar>(field.Name(), *client, static_cast<TFuncKind*>(kind), field.Index(), lib);
  }
  const TPublishedProperty* property = FindPublishedProperty(*object_, field.Name());
  if (!property) return nullptr;
  if (kind->Code() == kcRecord || kind->Code() == kcClass) {
    TObject* nested = property->GetObject ? property->GetObject(*object_) : nullptr;
    return std::make_unique<TRecVar>(field.Name(), static_cast<TRecKind*>(kind), field.ReadOnly(), lib, nested);
  }
  return MakePropertyVar(field.Name(), kind, field.ReadOnly(), lib, THostBinding{object_, property});
}

TKind* TRecVar::Kind() const { return kind_; }

void TRecVar::Reset() {
  for (int i = 0; i < FieldCount(); ++i) Field(i)->Reset();
}

bool TRecVar::Assign(const TVar& source, bool setInitial) {
  auto* record = dynamic_cast<const TRecVar*>(&source);
  QASSERT(record != nullptr, "959F1686");
  bool taken = true;
  for (int i = 0; i < FieldCount(); ++i) taken = Field(i)->Assign(*record->Field(i), setInitial) && taken;
  return taken;
}

TVar* TRecVar::Field(int i) const {
  QASSERT(i >= 0 && i < FieldCount(), "959F1687");
  return static_cast<TVar*>(fields_.Get(i));
}

void TRecVar::JoinBlock(TVarBlock* block) {
  TVar::JoinBlock(block);
  for (int i = 0; i < FieldCount(); ++i) Field(i)->JoinBlock(block);
}

TSetVar::TSetVar(std::string name, TSetKind* kind, bool isConst, TLib* lib, THostBinding host)
    : TVar(std::move(name), lib), host_(host), kind_(kind), isConst_(isConst) {}

std::uint64_t TSetVar::GetBits() const {
  if (host_) value_ = static_cast<std::uint64_t>(std::int64_t{static_cast<std::int32_t>(host_.Property->GetOrdinal(*host_.Object))});
  return value_;
}

void TSetVar::SetBits(std::uint64_t bits) {
  if (host_ && host_.Property->SetOrdinal) {
    const auto mask = static_cast<std::int64_t>(bits);
    if (mask < INT32_MIN || mask > UINT32_MAX) throw ERangeError();
    host_.Property->SetOrdinal(*host_.Object, static_cast<std::int64_t>(bits & 0xFFFFFFFFu));
  }
  value_ = bits;
}

TKind* TSetVar::Kind() const { return kind_; }

bool TSetVar::Assign(const TVar& source, bool setInitial) {
  auto* set = dynamic_cast<const TSetVar*>(&source);
  QASSERT(set != nullptr, "5A3E7C12");
  QASSERT(IsAssignable(kind_, set->kind_), "5A3E7C13");
  if (TEnumKind* elem = set->ElemKind()) {
    SetBits(set->GetBits());
    if (!kind_->Elem()) adoptedElem_ = elem;
  } else {
    SetBits(0);
  }
  if (setInitial) initial_ = value_;
  return true;
}

bool TSetVar::Contains(int ordinal) const {
  QASSERT(ordinal >= 0 && ordinal < 32, "5A3E7C10");
  return (GetBits() >> ordinal) & 1;
}

TEnumKind* TSetVar::ElemKind() const { return kind_->Elem() ? kind_->Elem() : adoptedElem_; }

void TSetVar::ForgetMembersOf(const TLib* lib) {
  if (!adoptedElem_ || !DependsOnLib(adoptedElem_, lib)) return;
  adoptedElem_ = nullptr;
  value_ = initial_ = 0;
}

void SetVarInclude(TSetVar& set, int ordinal, bool include) {
  QASSERT(ordinal >= 0 && ordinal < 32, "5A3E7C11");
  std::uint64_t bit = std::uint64_t{1} << ordinal;
  set.SetBits(include ? set.GetBits() | bit : set.GetBits() & ~bit & 0xFFFFFFFFu);
}

std::unique_ptr<TVar> MakeVar(std::string name, TKind* kind, bool isConst, const TValue& init, TLib* lib) {
  std::unique_ptr<TVar> var(WithVarClass(std::move(name), kind, isConst, lib, [](auto type, auto&&... args) -> TVar* {
    return new typename decltype(type)::type(std::forward<decltype(args)>(args)...);
  }));
  if (init.Kind() != kcNone)
    if (auto* base = dynamic_cast<TBaseVar*>(var.get())) base->SetInitialValue(init);
  return var;
}

namespace {

std::uint64_t SaturatedSum(std::uint64_t a, std::uint64_t b) {
  std::uint64_t sum = 0;
  return __builtin_add_overflow(a, b, &sum) ? UINT64_MAX : sum;
}

std::uint64_t SaturatedProduct(std::uint64_t a, std::uint64_t b) {
  std::uint64_t product = 0;
  return __builtin_mul_overflow(a, b, &product) ? UINT64_MAX : product;
}

// The bytes one variable of kind takes, with the elements of a static array
// and the fields of a record.
std::uint64_t StorageOf(TKind* kind) {
  std::uint64_t bytes = WithVarClass(std::string(), kind, false, nullptr, [](auto type, auto&&...) -> std::uint64_t {
    return sizeof(typename decltype(type)::type);
  });
  if (kind->Code() == kcArray) {
    auto* array = static_cast<TArrKind*>(kind);
    if (!array->IsDynamic()) {
      const auto count = static_cast<std::uint64_t>(std::int64_t{array->High()} - array->Low() + 1);
      const std::uint64_t elem = IsCompactElem(array->Elem()) ? sizeof(TValue) : StorageOf(array->Elem());
      bytes = SaturatedSum(bytes, SaturatedProduct(count, elem));
    }
  } else if (kind->Code() == kcRecord || kind->Code() == kcClass) {
    auto* record = static_cast<TRecKind*>(kind);
    for (int i = 0; i < record->FieldCount(); ++i) bytes = SaturatedSum(bytes, StorageOf(record->Field(i)->Kind()));
  }
  return bytes;
}

}  // namespace

bool VarStorageCanExist(TKind* kind, std::uint64_t count) { return StorageCanExist(count, StorageOf(kind)); }

void RequireVarStorage(TKind* kind, std::uint64_t count) { RequireStorage(count, StorageOf(kind)); }

TVarBlock* MakeVarBlock(TKind* kind, std::int32_t count, bool isConst, TLib* lib) {
  return WithVarClass(std::string(), kind, isConst, lib, [count](auto type, const auto&... args) -> TVarBlock* {
    using T = typename decltype(type)::type;
    return TVarBlock::Create<T>(count, [&](void* where) { return new (where) T(args...); });
  });
}

std::unique_ptr<TVar> MakeConstVar(std::string name, const TVariant& value, TLib* lib) {
  TValue converted;
  VariantToValue(value, converted);
  if (IsVoidValue(converted)) return nullptr;
  return MakeVar(std::move(name), BaseKind(converted.Kind()), true, converted, lib);
}

std::unique_ptr<TVar> MakeRealConst(std::string name, TLib* lib, long double x) {
  return MakeVar(std::move(name), BaseKind(kcReal), true, TValue::Real(x), lib);
}
