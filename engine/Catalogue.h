#pragma once
// What a standard library's catalogue may do while the engine fills its
// library: declare named types, kinds, constants, routines and operators,
// every one of which belongs to that library. The engine's tables stay its
// own; this is the one way the catalogues reach them.

#include <cstdint>
#include <memory>
#include <span>
#include <string>

#include "engine/CatalogueSignature.h"

class TFunc;
class TEnumKind;
class TFuncKind;
class TKind;
class TLib;
class TOperator;
class TVar;
class TXBuilder;

// How a routine is filed beyond the routine table.
enum TFuncRegistration : std::uint8_t {
  frPlain = 0,
  frTypeStr = 1,     // the string routine of its first parameter's kind
  frTypeOut = 2,     // the output routine of its first parameter's kind
  frTypeConv = 3,    // the converter from its first parameter's kind to its result kind
  frVarImport = 4,   // an import routine of its second parameter's kind
  frVarExport = 5,   // an export routine of its second parameter's kind
};

class TCatalogue {
public:
  TCatalogue(TXBuilder& engine, TLib* lib) : engine_(engine), lib_(lib) {}

  TLib* Lib() const { return lib_; }

  // The routine kind the description states; with a type name that is not
  // empty it is also that named procedural type. An identical kind already
  // registered is reused. A kind name that is not registered, a member its
  // enumeration lacks or a parameter named twice fails the assertion
  // "5E4B1D22".
  TFuncKind* Signature(const TSignatureSpec& description, const char* typeName = "");
  // An enumeration of its members, unnamed when name is empty. Like every
  // named type the catalogues declare it belongs to System (assertion
  // "5E4B1D21" when the name is taken or a member is given twice).
  TEnumKind* AddEnumeration(const std::string& name, std::span<const char* const> members);
  // The kind as registered: an identical kind already there is reused.
  TKind* AddKind(std::unique_ptr<TKind> kind);
  TKind* FindKind(const std::string& name) const;
  void AddConstant(std::unique_ptr<TVar> constant);
  // The routine, filed as RegisterFunc files it; nil when its name is taken.
  TFunc* AddRoutine(std::unique_ptr<TFunc> routine, TFuncRegistration how);
  void AddOperator(std::unique_ptr<TOperator> op);

private:
  // Every declaration belongs to the library, whatever one before it left
  // as the engine's current library.
  TXBuilder& Engine() const;
  TKind* KindOf(const TKindRef& kind) const;

  TXBuilder& engine_;
  TLib* lib_;
};
