#pragma once
// Fields of a record over a host object that view one of its published
// properties: every read asks the host, every write tells it.

#include <memory>
#include <string>

#include "engine/HostProperty.h"
#include "engine/Var.h"

// An Integer, Char, Real, Boolean or enumeration property.
class TPropVar final : public TBaseVar {
public:
  TPropVar(std::string name, TKind* kind, bool isConst, TLib* lib, THostBinding host);

  const TValue* StoredValue() const override { return nullptr; }
  bool Assign(const TVar& source, bool setInitial) override { return AssignThroughValues(source, setInitial); }
  void SetValue(const TValue& v) override;
  TValue GetValue() const override;

private:
  THostBinding host_;
};

// A String property.
class TPropStrVar final : public TStrVar {
public:
  TPropStrVar(std::string name, TKind* kind, bool isConst, TLib* lib, THostBinding host);

  const TValue* StoredValue() const override { return nullptr; }
  bool Assign(const TVar& source, bool setInitial) override;
  void SetValue(const TValue& v) override;
  TValue GetValue() const override;

private:
  THostBinding host_;
};

// The view of the property for a field of kind (a scalar, string or set
// kind); nil for any other kind.
std::unique_ptr<TVar> MakePropertyVar(std::string name, TKind* kind, bool isConst, TLib* lib, THostBinding host);
