#pragma once
// Kinds: the types of Tarnscript. A kind is a named engine object owned by
// one kind table. The whole type checker rests on two rules defined here:
// structural identity (SameKind) and assignment compatibility (IsAssignable).
//
// The scalar kinds (codes 3..7) and the generic kinds (codes 2..13) exist once
// per engine; the rules compare them by identity.

#include <cstdint>
#include <string>
#include <string_view>

#include "engine/HashTab.h"
#include "engine/Value.h"

class TLib;

// "None", "Error", "Any", "Integer", ... "Class" for the codes 0..13.
const char* KindName(TKindCode code);

class TKind : public THashNode {
public:
  // An empty name makes an anonymous kind.
  TKind(TKindCode code, std::string name, TLib* lib);

  TKindCode Code() const { return code_; }
  // With named set, a kind that has its own name prints that name; otherwise
  // the kind prints its structure, in which nested kinds print with named set.
  std::string GetText(bool named) const;

protected:
  virtual std::string StructureText() const;

private:
  TKindCode code_;
};

// A generic kind of the built-in routines' parameters: "Anything" accepts
// every kind, "Any<Kind>" every kind of one code, "TObject" host objects.
class TAnyKind final : public TKind {
public:
  TAnyKind(TLib* lib, TKindCode covered);

  TKindCode Covered() const { return covered_; }

protected:
  std::string StructureText() const override { return Name(); }

private:
  TKindCode covered_;
};

// Members are case-insensitive names; a member's ordinal is its position from 0.
class TEnumKind final : public TKind {
public:
  TEnumKind(std::string name, TLib* lib);

  bool AddName(std::string name);  // false when the member is present
  int IndexOf(std::string_view name) const;
  const std::string& GetName(std::int64_t ordinal) const;  // assertion "3FB74560" outside
  int Count() const { return names_.Count(); }

protected:
  std::string StructureText() const override;

private:
  THashList names_;
};

// A set over an enumeration of at most 32 members; without an enumeration it
// is the generic set kind AnySet.
class TSetKind final : public TKind {
public:
  TSetKind(std::string name, TEnumKind* elem, TLib* lib);

  TEnumKind* Elem() const { return elem_; }

protected:
  std::string StructureText() const override;

private:
  TEnumKind* elem_;
};

// Bounds are 32-bit. Made with high < low it is dynamic (1-based, any length)
// and stored as 1..0.
class TArrKind final : public TKind {
public:
  TArrKind(TKind* elem, std::string name, TLib* lib, std::int32_t low, std::int32_t high);

  TKind* Elem() const { return elem_; }
  std::int32_t Low() const { return low_; }
  std::int32_t High() const { return high_; }
  // 0 for a dynamic array; EIntOverflow when the bounds span more than 32 bits.
  std::int32_t Count() const;
  bool IsDynamic() const { return count_ == 0; }

protected:
  std::string StructureText() const override;

private:
  TKind* elem_;
  std::int32_t low_;
  std::int32_t high_;
  std::int64_t count_;
};

class TField final : public THashNode {
public:
  // index: -1 for data fields and properties, else the host routine number.
  TField(std::string name, TKind* kind, bool readOnly, std::int32_t index, TLib* lib);

  TKind* Kind() const { return kind_; }
  bool ReadOnly() const { return readOnly_; }
  std::int32_t Index() const { return index_; }

private:
  TKind* kind_;
  bool readOnly_;
  std::int32_t index_;
};

class TRecKind : public TKind {
public:
  TRecKind(std::string name, TLib* lib) : TRecKind(kcRecord, std::move(name), lib) {}

  // False, and the field is discarded, when the name is present.
  bool AddField(TKind* kind, std::string name, bool readOnly, std::int32_t index);
  TField* Field(int i) const;  // 0-based, declaration order
  int IndexOf(std::string_view name) const;
  int FieldCount() const { return fields_.Count(); }

protected:
  std::string StructureText() const override;

  TRecKind(TKindCode code, std::string name, TLib* lib);

private:
  THashList fields_;
};

// The record kind of a host object's class: its fields view the object's
// published properties and call the routines it declares.
class TClassKind final : public TRecKind {
public:
  TClassKind(std::string name, TLib* lib) : TRecKind(kcClass, std::move(name), lib) {}
};

enum TArgMode : std::uint8_t {
  amValue = 0,
  amVar = 1,
  amConst = 2,
};

class TFuncArg final : public THashNode {
public:
  // A void default (NoneValue) means the parameter has none.
  TFuncArg(std::string name, TKind* kind, TArgMode mode, const TValue& defaultValue, TLib* lib);

  TArgMode Mode() const { return mode_; }
  TKind* Kind() const { return kind_; }
  const TValue& Default() const { return default_; }

private:
  TArgMode mode_;
  TKind* kind_;
  TValue default_;
};

// A routine signature. Its result is nil for a procedure. It is variadic when
// its first parameter is Anything and no later one has a generic kind: such a
// routine takes any number of arguments of any kinds.
class TFuncKind final : public TKind {
public:
  TFuncKind(std::string name, TLib* lib);

  // False, and the parameter is discarded, on a duplicate name. A parameter
  // without default after one with a default fails the assertion "CFF3A62E".
  bool AddArg(std::string name, TKind* kind, TArgMode mode, const TValue& defaultValue);
  TFuncArg* Arg(int i) const;  // assertion "55F2EBC0" outside 0..ArgCount-1
  int ArgCount() const { return args_.Count(); }
  int DefaultCount() const { return defaultCount_; }
  bool Variadic() const { return variadic_; }

  TKind* Result() const { return result_; }
  void SetResult(TKind* result) { result_ = result; }
  // 0 for a plain signature, 1..6 for the host event types.
  std::uint8_t EventCode() const { return eventCode_; }
  void SetEventCode(std::uint8_t code) { eventCode_ = code; }

protected:
  std::string StructureText() const override;

private:
  THashList args_;
  TKind* result_ = nullptr;
  int defaultCount_ = 0;
  bool variadic_ = false;
  std::uint8_t eventCode_ = 0;
};

// The one scalar kind of code 3..7 (assertion "3FB74561" for another code).
TKind* BaseKind(TKindCode code);
// The one generic kind of code 2..13; for kcSet the set kind AnySet.
TKind* AnyKind(TKindCode code);

// Equal codes, an Anything target, or the widenings String <- Char,
// Real <- Integer and Integer <- Enum.
bool IsCompatibleCode(TKindCode target, TKindCode source);
// May a value of kind source be assigned to a variable of kind target?
bool IsAssignable(const TKind* target, const TKind* source);
// Structural identity; every array of Char is also the String kind.
bool SameKind(const TKind* a, const TKind* b);
// Equal for every two kinds that SameKind equates, so that kinds can be
// looked up by structure; different structures mostly differ.
std::size_t StructureHash(const TKind* kind);
// May an argument of kind argKind be passed for param? A var parameter of a
// kind that is not generic takes a variable of its very kind only (a routine
// kind: one that takes and gives the same routines).
bool AcceptsArgument(const TFuncArg& param, const TKind* argKind);

// Calls visit with kind and, recursively, with every kind it is built from:
// its element, fields, parameters and result. Nil visits nothing.
template <class Visit>
void ForEachKindPart(const TKind* kind, Visit&& visit) {
  if (!kind) return;
  visit(*kind);
  switch (kind->Code()) {
    case kcSet:
      ForEachKindPart(static_cast<const TSetKind*>(kind)->Elem(), visit);
      break;
    case kcArray:
      ForEachKindPart(static_cast<const TArrKind*>(kind)->Elem(), visit);
      break;
    case kcRecord:
    case kcClass: {
      auto* record = static_cast<const TRecKind*>(kind);
      for (int i = 0; i < record->FieldCount(); ++i) ForEachKindPart(record->Field(i)->Kind(), visit);
      break;
    }
    case kcFunction: {
      auto* signature = static_cast<const TFuncKind*>(kind);
      for (int i = 0; i < signature->ArgCount(); ++i) ForEachKindPart(signature->Arg(i)->Kind(), visit);
      ForEachKindPart(signature->Result(), visit);
      break;
    }
    default:
      break;
  }
}

// Whether kind, or a kind it is built from, belongs to lib: such a kind
// cannot outlive lib.
bool DependsOnLib(const TKind* kind, const TLib* lib);

// A type or alias name in the engine's global kind table; nil when absent or
// while no engine exists.
TKind* FindKind(std::string_view name);
