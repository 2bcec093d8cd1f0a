#pragma once
// A fixture with one engine's built-in kinds, a recording message sink, and
// helpers that make kinds and test routines the way libraries do.

#include <gtest/gtest.h>

#include <functional>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "engine/ArrVar.h"
#include "engine/Func.h"
#include "engine/Kind.h"
#include "engine/KindTab.h"
#include "engine/Lib.h"
#include "engine/MessageChannel.h"
#include "engine/Var.h"

struct TLine {
  std::string Text;
  std::uint8_t Kind;
  int Level;
  friend bool operator==(const TLine&, const TLine&) = default;
};

inline std::ostream& operator<<(std::ostream& out, const TLine& line) {
  return out << "{\"" << line.Text << "\", " << int(line.Kind) << ", " << line.Level << "}";
}

class TRecordingSink : public IXConsBase {
public:
  void Write(const std::string& text, std::uint8_t kind, int level) override { Lines.push_back({text, kind, level}); }
  void ExpandToLevel(int) override {}
  void Clear() override { Lines.clear(); }

  std::vector<std::string> ErrorTexts() const {
    std::vector<std::string> texts;
    for (const TLine& line : Lines)
      if (line.Kind == lkError) texts.push_back(line.Text);
    return texts;
  }
  bool HasNonErrorLine() const {
    for (const TLine& line : Lines)
      if (line.Kind != lkError) return true;
    return false;
  }

  std::vector<TLine> Lines;
};

// A built-in routine whose Execute runs a test's body.
class TTestFunc : public TFunc {
public:
  using TBody = std::function<bool(TTestFunc& self, TSourcePos pos)>;

  TTestFunc(std::string name, TFuncKind* signature, TLib* lib, TBody body)
      : TFunc(std::move(name), signature, lib), body_(std::move(body)) {}

  bool Execute(TSourcePos pos) override {
    ++Calls;
    return body_(*this, pos);
  }

  int Calls = 0;

private:
  TBody body_;
};

struct TParam {
  std::string Name;
  TKind* Kind;
  TArgMode Mode = amValue;
  TValue Default = NoneValue;
};

class KindsFixture : public ::testing::Test {
protected:
  KindsFixture() {
    Kinds.RegisterBuiltIns(&System);
    SetMessageSink(Sink);
  }
  ~KindsFixture() override { SetMessageSink(nullptr); }

  TKind* Integer() const { return BaseKind(kcInteger); }
  TKind* Real() const { return BaseKind(kcReal); }
  TKind* Char() const { return BaseKind(kcChar); }
  TKind* String() const { return BaseKind(kcString); }
  TKind* Boolean() const { return BaseKind(kcBoolean); }

  template <class K>
  K* Register(std::unique_ptr<K> kind, TLib* lib = nullptr) {
    return static_cast<K*>(Kinds.Register(std::move(kind), lib ? lib : &User));
  }
  TArrKind* Array(TKind* elem, std::int32_t low = 1, std::int32_t high = 0, std::string name = "",
                  TLib* lib = nullptr) {
    TLib* owner = lib ? lib : &User;
    return Register(std::make_unique<TArrKind>(elem, std::move(name), owner, low, high), owner);
  }
  TArrKind* Vector() { return Array(Real(), 1, 0, "Vector", &System); }
  TArrKind* Matrix() { return Array(Vector(), 1, 0, "Matrix", &System); }
  TEnumKind* Enum(std::initializer_list<const char*> names, std::string name = "", TLib* lib = nullptr) {
    TLib* owner = lib ? lib : &User;
    auto kind = std::make_unique<TEnumKind>(std::move(name), owner);
    for (const char* member : names) kind->AddName(member);
    return Register(std::move(kind), owner);
  }
  TRecKind* Record(std::initializer_list<std::pair<const char*, TKind*>> fields, std::string name = "",
                   TLib* lib = nullptr) {
    TLib* owner = lib ? lib : &User;
    auto kind = std::make_unique<TRecKind>(std::move(name), owner);
    for (auto [fieldName, fieldKind] : fields) kind->AddField(fieldKind, fieldName, false, -1);
    return Register(std::move(kind), owner);
  }
  TSetKind* Set(TEnumKind* elem, std::string name = "") {
    return Register(std::make_unique<TSetKind>(std::move(name), elem, &User));
  }
  // An unregistered signature, owned by the fixture.
  TFuncKind* Signature(std::initializer_list<TParam> params, TKind* result) {
    auto kind = std::make_unique<TFuncKind>(std::string(), &User);
    for (const TParam& param : params) kind->AddArg(param.Name, param.Kind, param.Mode, param.Default);
    kind->SetResult(result);
    return signatures_.emplace_back(std::move(kind)).get();
  }

  std::unique_ptr<TVar> Var(TKind* kind, const TValue& init = NoneValue) {
    return MakeVar(std::string(), kind, false, init, &User);
  }
  static TBaseVar& Base(TVar& var) { return static_cast<TBaseVar&>(var); }
  static TArrVar& Arr(TVar& var) { return static_cast<TArrVar&>(var); }

  // A dynamic array of Real holding values.
  std::unique_ptr<TVar> VectorOf(std::initializer_list<long double> values) {
    auto vector = Var(Vector());
    Arr(*vector).SetLength(static_cast<std::int32_t>(values.size()));
    std::int64_t i = 1;
    for (long double x : values) SetVecElem(Arr(*vector), i++, x);
    return vector;
  }

  std::vector<std::string> ErrorTexts() const {
    return Sink->ErrorTexts();
  }

  TLib System{"System", true};
  TLib User{"User", false};
  TKindTab Kinds;
  CountedPtr<TRecordingSink> Sink = MakeCounted<TRecordingSink>();

private:
  std::vector<std::unique_ptr<TFuncKind>> signatures_;
};
