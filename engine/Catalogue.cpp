#include "engine/Catalogue.h"

#include "engine/XBuilder.h"
#include "runtime/Exceptions.h"

TXBuilder& TCatalogue::Engine() const {
  engine_.CurLib = lib_;
  return engine_;
}

TFuncKind* TCatalogue::Signature(const std::string& text, const std::string& typeName) {
  return Engine().ParseSignature(text, typeName);
}

void TCatalogue::AddType(const std::string& name, const std::string& definition) {
  const bool declared = Engine().RegisterType(name, definition);
  QASSERT(declared, "5E4B1D21");
}

TKind* TCatalogue::AddKind(std::unique_ptr<TKind> kind) { return Engine().kinds_.Register(std::move(kind), lib_); }

TKind* TCatalogue::FindKind(const std::string& name) const { return engine_.kinds_.FindKind(name); }

void TCatalogue::AddConstant(std::unique_ptr<TVar> constant) { Engine().vars_.Add(std::move(constant)); }

TFunc* TCatalogue::AddRoutine(std::unique_ptr<TFunc> routine, TFuncRegistration how) {
  return Engine().RegisterFunc(std::move(routine), how);
}

void TCatalogue::AddOperator(std::unique_ptr<TOperator> op) { Engine().ops_.Add(std::move(op)); }
