// Host objects published to scripts.
#include "engine/Kind.h"
#include "engine/NodeWalk.h"
#include "engine/TarnClient.h"
#include "engine/XBuilder.h"
#include "runtime/PublishedProperties.h"

namespace {

// The name an object is published under when none is given.
std::string PublishedName(TObject& object) {
  if (auto* client = dynamic_cast<TTarnClient*>(&object)) return client->TarnName();
  const THostClass* hostClass = HostClassOf(object);
  if (hostClass && hostClass->DescendsFrom("TComponent")) return GetStrProp(object, "Name");
  return std::string();
}

TRecVar* HostRecord(TVar* var) {
  auto* record = dynamic_cast<TRecVar*>(var);
  return record && record->Object() ? record : nullptr;
}

// Sets the current library for one scope and restores the one before.
class TLibraryScope {
public:
  TLibraryScope(TLib*& current, TLib* lib) : current_(current), saved_(current) { current_ = lib; }
  ~TLibraryScope() { current_ = saved_; }
  TLibraryScope(const TLibraryScope&) = delete;
  TLibraryScope& operator=(const TLibraryScope&) = delete;

private:
  TLib*& current_;
  TLib* saved_;
};

}  // namespace

bool TXBuilder::IsPublished(const TObject& object) const {
  bool found = false;
  ForEachNode(vars_, [&](THashNode* node) {
    const TRecVar* record = HostRecord(static_cast<TVar*>(node));
    found = found || (record && record->Object() == &object);
  });
  return found;
}

bool TXBuilder::AddClient(TObject& object, const std::string& name) {
  const std::string varName = name.empty() ? PublishedName(object) : name;
  if (varName.empty() || vars_.Find(varName) || IsPublished(object)) return false;
  TLib* system = libs_.Find("System");
  QASSERT(system, "Assertion failure");
  TLibraryScope current(CurLib, system);
  kinds_.Engine = this;
  TKind* kind = kinds_.KindOfObject(object, system);
  if (!kind) return false;
  return vars_.Add(std::make_unique<TRecVar>(varName, static_cast<TRecKind*>(kind), false, system, &object)) != nullptr;
}

bool TXBuilder::AddClientFunction(int index, const std::string& signature) {
  if (!kinds_.ClientKind) {
    ReportError("Function can be added only from the client", NoPosition, nullptr);
    return false;
  }
  std::string name;
  TFuncKind* kind = ParseClientSignature(signature, name);
  if (!kind) return false;
  if (kinds_.AddClientFunction(name, kind, index)) return true;
  ReportError("Property \"" + name + "\" already exists", NoPosition, nullptr);
  return false;
}

void TXBuilder::RemoveClient(const std::string& name) {
  if (HostRecord(vars_.Find(name))) DeleteVariable(name);
}
