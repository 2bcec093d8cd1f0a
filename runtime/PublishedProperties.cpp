#include "runtime/PublishedProperties.h"

#include <algorithm>
#include <deque>

#include "runtime/AsciiCase.h"
#include "runtime/Exceptions.h"

namespace {

std::deque<TPublishedProperty>& Registry() {
  static std::deque<TPublishedProperty> properties;
  return properties;
}

std::deque<THostClass>& Classes() {
  static std::deque<THostClass> classes;
  return classes;
}

int Depth(const THostClass& hostClass) {
  int depth = 0;
  for (const THostClass* c = hostClass.Parent; c; c = c->Parent) ++depth;
  return depth;
}

const TPublishedProperty* Find(TObject& object, const std::string& name, TPropertyKind kind) {
  const TPublishedProperty* property = FindPublishedProperty(object, name);
  return property && property->Kind == kind ? property : nullptr;
}

const TPublishedProperty* FindOrdinal(TObject& object, const std::string& name) {
  const TPublishedProperty* property = FindPublishedProperty(object, name);
  return property && (property->Kind == TPropertyKind::Ordinal || property->Kind == TPropertyKind::Set) ? property
                                                                                                          : nullptr;
}

std::string Trimmed(const std::string& text) {
  const size_t first = text.find_first_not_of(" []");
  if (first == std::string::npos) return "";
  return text.substr(first, text.find_last_not_of(" []") - first + 1);
}

}  // namespace

bool THostClass::DescendsFrom(const std::string& name) const {
  for (const THostClass* c = this; c; c = c->Parent)
    if (SameAsciiText(c->Name, name)) return true;
  return false;
}

bool TPublishedProperty::Writable() const {
  return SetOrdinal || SetString || SetMethod || SetFloat || SetHandler;
}

TPublishedProperty& RegisterPublishedProperty(TPublishedProperty property) {
  return Registry().emplace_back(std::move(property));
}

const THostClass& RegisterHostClass(const std::string& name, const THostClass* parent,
                                    std::function<bool(TObject&)> applies) {
  for (const THostClass& known : Classes())
    if (SameAsciiText(known.Name, name)) return known;
  return Classes().emplace_back(THostClass{name, parent, std::move(applies)});
}

const THostClass& HostObjectClass() {
  static const THostClass& root = RegisterHostClass("TObject", nullptr, [](TObject&) { return false; });
  return root;
}

const THostClass& HostPersistentClass() {
  static const THostClass& persistent = RegisterHostClassOf<TPersistent>("TPersistent", &HostObjectClass());
  return persistent;
}

const THostClass* HostClassOf(TObject& object) {
  const THostClass* found = nullptr;
  for (const THostClass& hostClass : Classes())
    if (hostClass.Applies(object) && (!found || Depth(hostClass) > Depth(*found))) found = &hostClass;
  return found;
}

std::vector<const TPublishedProperty*> PublishedPropertiesOf(const THostClass& hostClass) {
  std::vector<const TPublishedProperty*> properties;
  if (hostClass.Parent) properties = PublishedPropertiesOf(*hostClass.Parent);
  for (const TPublishedProperty& property : Registry())
    if (property.Class == &hostClass) properties.push_back(&property);
  return properties;
}

const TPublishedProperty* FindPublishedProperty(TObject& object, const std::string& name) {
  for (const TPublishedProperty& property : Registry())
    if (SameAsciiText(property.Name, name) && property.Applies(object)) return &property;
  return nullptr;
}

bool IsPublishedProp(TObject& object, const std::string& name) { return FindPublishedProperty(object, name); }

std::int64_t GetOrdProp(TObject& object, const std::string& name) {
  const TPublishedProperty* property = FindOrdinal(object, name);
  return property ? property->GetOrdinal(object) : -1;
}

void SetOrdProp(TObject& object, const std::string& name, std::int64_t value) {
  const TPublishedProperty* property = FindOrdinal(object, name);
  if (property && property->SetOrdinal) property->SetOrdinal(object, value);
}

std::string GetSetProp(TObject& object, const std::string& name) {
  const TPublishedProperty* property = Find(object, name, TPropertyKind::Set);
  if (!property) return "";
  const std::int64_t bits = property->GetOrdinal(object);
  std::string text;
  for (size_t i = 0; i < property->SetElements.size(); ++i)
    if (bits & (std::int64_t{1} << i)) text += (text.empty() ? "" : ",") + property->SetElements[i];
  return text;
}

void SetSetProp(TObject& object, const std::string& name, const std::string& elements) {
  const TPublishedProperty* property = Find(object, name, TPropertyKind::Set);
  if (!property || !property->SetOrdinal) return;
  std::int64_t bits = 0;
  for (size_t start = 0; start <= elements.size();) {
    size_t comma = elements.find(',', start);
    if (comma == std::string::npos) comma = elements.size();
    const std::string element = Trimmed(elements.substr(start, comma - start));
    start = comma + 1;
    if (element.empty()) continue;
    const auto& names = property->SetElements;
    const auto found = std::find_if(names.begin(), names.end(), [&](const std::string& n) { return SameAsciiText(n, element); });
    if (found == names.end()) throw EPropertyConvertError("Invalid property element: " + element);
    bits |= std::int64_t{1} << (found - names.begin());
  }
  property->SetOrdinal(object, bits);
}

std::string GetStrProp(TObject& object, const std::string& name) {
  const TPublishedProperty* property = Find(object, name, TPropertyKind::String);
  return property ? property->GetString(object) : "";
}

void SetStrProp(TObject& object, const std::string& name, const std::string& value) {
  const TPublishedProperty* property = Find(object, name, TPropertyKind::String);
  if (property && property->SetString) property->SetString(object, value);
}

TObject* GetObjectProp(TObject& object, const std::string& name) {
  const TPublishedProperty* property = Find(object, name, TPropertyKind::Object);
  return property ? property->GetObject(object) : nullptr;
}

TMethod GetMethodProp(TObject& object, const std::string& name) {
  const TPublishedProperty* property = Find(object, name, TPropertyKind::Method);
  return property ? property->GetMethod(object) : TMethod{};
}

double GetFloatProp(TObject& object, const std::string& name) {
  const TPublishedProperty* property = Find(object, name, TPropertyKind::Float);
  return property ? property->GetFloat(object) : 0;
}

void SetMethodProp(TObject& object, const std::string& name, const TMethod& value) {
  const TPublishedProperty* property = Find(object, name, TPropertyKind::Method);
  if (property && property->SetMethod) property->SetMethod(object, value);
}
