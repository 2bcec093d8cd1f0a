// The kind table's part for host objects: kinds from the host's type
// information.
#include "engine/Kind.h"
#include "engine/KindTab.h"
#include "engine/MessageChannel.h"
#include "engine/TarnClient.h"
#include "runtime/PublishedProperties.h"

namespace {

TKind* EnumFromTypeInfo(TKindTab& table, const THostType& type, TLib* lib) {
  auto kind = std::make_unique<TEnumKind>(type.Name, lib);
  for (const std::string& member : type.Members)
    if (!kind->AddName(member)) return nullptr;
  return table.Register(std::move(kind), lib);
}

bool Exposed(TTypeCategory category) {
  switch (category) {
    case TTypeCategory::Integer:
    case TTypeCategory::Enumeration:
    case TTypeCategory::Float:
    case TTypeCategory::String:
    case TTypeCategory::Set:
    case TTypeCategory::Class:
      return true;
    default:
      return false;
  }
}

// Clears the open client kind on every path.
class TOpenClientKind {
public:
  TOpenClientKind(TKindTab& table, TRecKind* kind) : table_(table) { table_.ClientKind = kind; }
  ~TOpenClientKind() { table_.ClientKind = nullptr; }
  TOpenClientKind(const TOpenClientKind&) = delete;
  TOpenClientKind& operator=(const TOpenClientKind&) = delete;

private:
  TKindTab& table_;
};

}  // namespace

TKind* TKindTab::KindFromTypeInfo(const THostType& type, TLib* lib) {
  switch (type.Category) {
    case TTypeCategory::Integer:
      return BaseKind(kcInteger);
    case TTypeCategory::Float:
      return BaseKind(kcReal);
    case TTypeCategory::String:
      return BaseKind(kcString);
    case TTypeCategory::Enumeration:
      if (TKind* known = FindKind(type.Name)) return known;
      return EnumFromTypeInfo(*this, type, lib);
    case TTypeCategory::Set: {
      if (TKind* known = FindKind(type.Name)) return known;
      TKind* elem = type.Element ? KindFromTypeInfo(*type.Element, lib) : nullptr;
      if (!elem || elem->Code() != kcEnum) return nullptr;
      return Register(std::make_unique<TSetKind>(type.Name, static_cast<TEnumKind*>(elem), lib), lib);
    }
    default:
      return nullptr;
  }
}

std::unique_ptr<TClassKind> TKindTab::BuildClassKind(TObject* object, const THostClass& hostClass, TLib* lib) {
  auto kind = std::make_unique<TClassKind>(hostClass.Name, lib);
  for (const TPublishedProperty* property : PublishedPropertiesOf(hostClass))
    if (property->Type && property->Type->Category == TTypeCategory::Method)
      AddEventField(*kind, *property, lib);
    else
      AddPropertyField(object, *kind, *property, lib);
  return kind;
}

TKind* TKindTab::KindFromClass(TObject* object, const THostClass* hostClass, TLib* lib) {
  if (!hostClass) {
    ReportError("No type information available", NoPosition, lib);
    return nullptr;
  }
  if (TKind* known = FindKind(hostClass->Name)) return known;
  return Register(BuildClassKind(object, *hostClass, lib), lib);
}

void TKindTab::AddPropertyField(TObject* object, TRecKind& kind, const TPublishedProperty& property, TLib* lib) {
  const THostType* type = property.Type;
  if (!type || !Exposed(type->Category)) return;
  TKind* fieldKind = nullptr;
  if (type->Category != TTypeCategory::Class) {
    fieldKind = KindFromTypeInfo(*type, lib);
  } else if (type->Class && type->Class->DescendsFrom("TPersistent")) {
    TObject* nested = object && property.GetObject ? property.GetObject(*object) : nullptr;
    fieldKind = nested ? KindOfObject(*nested, lib) : KindFromClass(nullptr, type->Class, lib);
  }
  if (fieldKind) kind.AddField(fieldKind, property.Name, !property.Writable(), -1);
}

// Only a signature the table knows already, one of System's event types,
// can be bound, and only to an event whose handler the engine can hook: a
// bare {object, method} pair has no call for the engine to make.
void TKindTab::AddEventField(TRecKind& kind, const TPublishedProperty& property, TLib* lib) {
  const THostType& type = *property.Type;
  TFuncKind signature(std::string(), lib);
  for (const THostParam& param : type.Params) {
    TKind* paramKind = FindKind(param.TypeName);
    if (!paramKind || param.Mode == THostParamMode::Out || param.Mode == THostParamMode::ArrayOf) return;
    const TArgMode mode = param.Mode == THostParamMode::Var ? amVar : param.Mode == THostParamMode::Const ? amConst : amValue;
    if (!signature.AddArg(param.Name, paramKind, mode, NoneValue)) return;
  }
  if (!type.ResultType.empty()) {
    TKind* result = FindKind(type.ResultType);
    if (!result) return;
    signature.SetResult(result);
  }
  TKind* known = FindSame(signature);
  if (known && known->Code() == kcFunction && property.Kind == TPropertyKind::Event) kind.AddField(known, property.Name, !property.Writable(), -1);
}

TKind* TKindTab::KindOfObject(TObject& object, TLib* lib) {
  if (!Engine) return nullptr;
  ClientKind = nullptr;
  const THostClass* hostClass = HostClassOf(object);
  if (!hostClass) {
    ReportError("No type information available", NoPosition, lib);
    return nullptr;
  }
  if (TKind* known = FindKind(hostClass->Name))
    return known->Code() == kcRecord || known->Code() == kcClass ? known : nullptr;
  std::unique_ptr<TClassKind> kind = BuildClassKind(&object, *hostClass, lib);
  if (auto* client = dynamic_cast<TTarnClient*>(&object)) {
    TOpenClientKind open(*this, kind.get());
    client->TarnExports(*Engine);
  }
  return Register(std::move(kind), lib);
}

bool TKindTab::AddClientFunction(const std::string& name, TFuncKind* kind, int index) {
  return ClientKind && ClientKind->AddField(kind, name, true, index);
}
