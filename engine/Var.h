#pragma once
// Variables: every value a script handles lives in one: declared variables
// and constants, routine arguments and results, array elements, record
// fields, and the result slot each operator and expression node owns.
// Classes differ by kind (scalar, string, set, array, record, routine,
// generic parameter) and by binding (a value of its own, or a view bound to
// another variable). MakeVar picks the class from a kind.
//
// Arrays are in ArrVar.h, routine variables in Func.h.

#include <cstdint>
#include <memory>
#include <string>

#include "engine/HashTab.h"
#include "engine/HostProperty.h"
#include "engine/Value.h"
#include "engine/VarBlock.h"

class TField;
class TKind;
class TLib;
class TObject;
class TEnumKind;
class TRecKind;
class TSetKind;
class TVariant;

class TVar : public THashNode {
public:
  TVar(std::string name, TLib* lib) : THashNode(std::move(name), lib) {}

  virtual TKind* Kind() const = 0;
  // The variable may not be assigned by a script.
  virtual bool IsConstant() const = 0;
  // Restores the initial value.
  virtual void Reset() = 0;
  // Takes source's value; with setInitial the value also becomes the one
  // Reset restores. False when the value could not be taken: an array of
  // another shape (reported as an error line) or a routine of another kind.
  virtual bool Assign(const TVar& source, bool setInitial) = 0;

  // The value of a base variable that keeps it in itself, nil for every
  // other variable; assignment copies it directly when the kinds agree.
  virtual const TValue* StoredValue() const { return nullptr; }
  // The same value to write in place (at an address fixed for the
  // variable's life), nil where StoredValue is nil.
  TValue* StoredSlot() { return const_cast<TValue*>(StoredValue()); }

  // The block of array elements this variable belongs to, directly or as a
  // field of an element; nil when no array owns it.
  TVarBlock* Block() const { return block_; }

protected:
  friend class TVarBlock;
  friend class TRecVar;  // passes its block on to its fields
  virtual void JoinBlock(TVarBlock* block) { block_ = block; }

private:
  TVarBlock* block_ = nullptr;
};

// A scalar (Integer, Char, Real, Boolean), an enumeration member or, through
// TStrVar, a String. Subclasses whose value lives elsewhere (views) return
// nil from StoredValue, or the value's own address (TSlotVar), and override
// Assign.
class TBaseVar : public TVar {
public:
  TBaseVar(std::string name, TKind* kind, bool isConst, TLib* lib);

  TKind* Kind() const override { return kind_; }
  bool IsConstant() const override { return isConst_; }
  void Reset() override { ResetValue(); }
  // Reset without the virtual call, for the variables whose Reset this is.
  void ResetValue() {
    if (initial_)
      value_ = *initial_;
    else
      value_.Clear();
  }
  bool Assign(const TVar& source, bool setInitial) override;
  const TValue* StoredValue() const override { return &value_; }

  // The value's kind must be compatible with the variable's (assertion
  // "CF25A740"); it is converted to the variable's kind.
  virtual void SetValue(const TValue& v);
  virtual TValue GetValue() const;
  // Sets the value Reset restores, then the value (assertion "C59440A0").
  virtual void SetInitialValue(const TValue& v);

protected:
  // Assignment through GetValue and SetValue, converting the value.
  bool AssignThroughValues(const TVar& source, bool setInitial);

private:
  TKind* kind_;
  TValue value_;
  std::unique_ptr<TValue> initial_;  // nil: the kind's zero value
  bool isConst_;
};

class TElemVar;

// A string variable, or (a TPropStrVar) a view on a host's string property.
class TStrVar : public TBaseVar {
public:
  using TBaseVar::TBaseVar;

  // Also takes the characters of an array of Char.
  bool Assign(const TVar& source, bool setInitial) override;

  std::int64_t Length() const;
  bool IsValidIndex(std::int64_t i) const { return i >= 1 && i <= Length(); }
  // Positions the caller's character view at i (assertion "959F1685" for an
  // invalid i). Every indexing site owns its view, so s[1] := s[2] and
  // s[1] + s[2] see two characters.
  TElemVar& CharAt(std::int64_t i, TElemVar& view);
};

// A view on one character of a string variable, by 1-based position. It
// keeps its string alive while positioned.
class TElemVar final : public TBaseVar {
public:
  TElemVar();

  TStrVar* Str() const;
  std::int32_t Index() const { return index_; }

  bool IsConstant() const override;
  bool Assign(const TVar& source, bool setInitial) override;
  const TValue* StoredValue() const override { return nullptr; }
  // A Char (assertion "959F1684") at a valid index (assertion "959F1683").
  void SetValue(const TValue& v) override;
  TValue GetValue() const override;  // assertion "959F1682" for an invalid index

private:
  friend class TStrVar;

  TVarPin str_;
  std::int32_t index_ = 0;
};

// A view onto one slot of a block of slots (see TVarBlock): an element of
// an array of a scalar kind, as a variable. A block makes one per position
// on demand and keeps it; an indexing site owns its own and positions it at
// each evaluation, holding a reference on the block meanwhile, so that the
// element stays alive (orphaned, if its array is re-dimensioned) as long as
// the view designates it.
class TSlotVar final : public TBaseVar {
public:
  TSlotVar();                                     // a site's view, nowhere yet
  TSlotVar(TVarBlock* block, std::int32_t position);  // a block's own view
  ~TSlotVar() override;
  TSlotVar(const TSlotVar&) = delete;
  TSlotVar& operator=(const TSlotVar&) = delete;

  // A site's view moves to position of block (assertion "5B1E0C40" for a
  // block's own view).
  TSlotVar& Position(TVarBlock* block, std::int32_t position);

  TKind* Kind() const override;
  bool IsConstant() const override;
  void Reset() override;
  bool Assign(const TVar& source, bool setInitial) override;
  const TValue* StoredValue() const override { return slot_; }
  void SetValue(const TValue& v) override;  // assertion "CF25A740" for an incompatible kind
  TValue GetValue() const override { return *slot_; }
  void SetInitialValue(const TValue& v) override;

private:
  TValue* slot_ = nullptr;
  std::int32_t position_ = 0;
  bool holdsBlock_;  // a site's view holds a reference on its block
};

// A labelled constant that the evaluator window offers as a parameter.
class TParamVar final : public TBaseVar {
public:
  TParamVar(std::string name, std::string label, bool hasLimits, TKind* kind, TLib* lib);

  bool IsConstant() const override { return true; }
  const std::string& Label() const { return label_; }
  bool HasLimits() const { return hasLimits_; }
  const TValue& Low() const { return low_; }
  const TValue& High() const { return high_; }
  void SetLimits(const TValue& low, const TValue& high);  // assertion "6DFBF7AE" without limits

private:
  std::string label_;
  bool hasLimits_;
  TValue low_;
  TValue high_;
};

// A variable standing for another one, bound at call time (by-reference
// parameters, with statements) or to a generic parameter. It never owns its
// target; Reset unbinds it.
class TBoundVar : public TVar {
public:
  TKind* Kind() const override { return kind_; }
  void Reset() override { target_.Reset(); }
  TVar* Target() const { return target_.Get(); }

protected:
  TBoundVar(std::string name, TKind* kind, TLib* lib) : TVar(std::move(name), lib), kind_(kind) {}
  // The target's kind must be assignable to this variable's kind.
  void BindChecked(TVar* target, const char* tag);

private:
  TKind* kind_;
  TVarPin target_;
};

class TRefVar final : public TBoundVar {
public:
  TRefVar(std::string name, TKind* kind, TLib* lib, bool isConst);

  bool IsConstant() const override;  // the target's when bound
  // Forwarded to the target (assertion "61681AEF" when unbound).
  bool Assign(const TVar& source, bool setInitial) override;
  void Bind(TVar* target) { BindChecked(target, "2AB8752D"); }

private:
  bool isConst_;
};

// A parameter of a generic kind, bound to its argument rather than assigned.
class TAnyVar final : public TBoundVar {
public:
  TAnyVar(std::string name, TKind* kind, TLib* lib) : TBoundVar(std::move(name), kind, lib) {}

  bool IsConstant() const override { return true; }
  bool Assign(const TVar& source, bool setInitial) override;  // assertion "BE47B242": never used
  void Bind(TVar* target) { BindChecked(target, "BE47B243"); }
};

class TRecVar final : public TVar {
public:
  // One field variable per field of kind, named after it; a field's ReadOnly
  // flag makes it constant. The record's own IsConst does not pass to them.
  // Over a host object the fields view its properties of their names (a
  // nested object's field is a record over that object) and its routines.
  TRecVar(std::string name, TRecKind* kind, bool isConst, TLib* lib, TObject* object = nullptr);

  TKind* Kind() const override;
  bool IsConstant() const override { return isConst_; }
  void Reset() override;
  // Source must be a record (assertion "959F1686"); fields are taken in order.
  bool Assign(const TVar& source, bool setInitial) override;

  TVar* Field(int i) const;  // 0-based, assertion "959F1687" outside
  int FieldCount() const { return fields_.Count(); }
  TObject* Object() const { return object_; }

protected:
  void JoinBlock(TVarBlock* block) override;

private:
  std::unique_ptr<TVar> MakeHostField(const TField& field, TLib* lib);

  THashList fields_;
  TRecKind* kind_;
  bool isConst_;
  TObject* object_;
};

// A set value as a 64-bit mask: bit n is the member of ordinal n (0..31).
// With a host binding it views the host's set property: reading re-reads
// the property's ordinal mask, writing writes its low 32 bits (ERangeError
// beyond 32 bits).
class TSetVar final : public TVar {
public:
  TSetVar(std::string name, TSetKind* kind, bool isConst, TLib* lib, THostBinding host = {});

  TKind* Kind() const override;
  bool IsConstant() const override { return isConst_; }
  void Reset() override { value_ = initial_; }
  bool Assign(const TVar& source, bool setInitial) override;

  std::uint64_t GetBits() const;
  void SetBits(std::uint64_t bits);
  bool Contains(int ordinal) const;  // ordinal 0..31
  // The kind's enumeration; for a variable of the generic set kind, the
  // enumeration of the last set with members assigned to it.
  TEnumKind* ElemKind() const;
  // A generic set whose enumeration depends on lib, which is going, is
  // left empty and without one.
  void ForgetMembersOf(const TLib* lib);

private:
  mutable std::uint64_t value_ = 0;
  std::uint64_t initial_ = 0;
  THostBinding host_;
  TSetKind* kind_;
  TEnumKind* adoptedElem_ = nullptr;  // kept here: the shared AnySet kind stays without one
  bool isConst_;
};

// Including sets the bit of ordinal (0..31); excluding clears it and the
// upper 32 bits of the mask.
void SetVarInclude(TSetVar& set, int ordinal, bool include);

// A variable of kind, its class chosen by the kind's code: Anything and the
// generic kinds TAnyVar; Integer, Char, Real, Boolean, Enum TBaseVar; String
// TStrVar; Set TSetVar; Array TArrVar; Record TRecVar; Function TFuncVar
// without routine. A base or string variable takes init as its initial value
// unless init is kcNone. A nil kind fails "BE47B240", codes 0 and 1 "CF25A742".
std::unique_ptr<TVar> MakeVar(std::string name, TKind* kind, bool isConst, const TValue& init, TLib* lib);
// count elements of kind in one block, made as MakeVar makes them without
// name or initial value.
TVarBlock* MakeVarBlock(TKind* kind, std::int32_t count, bool isConst, TLib* lib);
// Whether count variables of kind, with everything a static array or a
// record of them holds, could exist; RequireVarStorage throws
// ENotEnoughMemory when they could not.
bool VarStorageCanExist(TKind* kind, std::uint64_t count);
void RequireVarStorage(TKind* kind, std::uint64_t count);
// A constant of the base kind of the variant's value; nil for a void value.
std::unique_ptr<TVar> MakeConstVar(std::string name, const TVariant& value, TLib* lib);
std::unique_ptr<TVar> MakeRealConst(std::string name, TLib* lib, long double x);
