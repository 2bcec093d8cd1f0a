#include "runtime/PublishedProperties.h"

#include <algorithm>

#include "runtime/AsciiCase.h"
#include "runtime/Exceptions.h"

namespace {

std::vector<TPublishedProperty>& Registry() {
  static std::vector<TPublishedProperty> properties;
  return properties;
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

void RegisterPublishedProperty(TPublishedProperty property) { Registry().push_back(std::move(property)); }

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

void SetMethodProp(TObject& object, const std::string& name, const TMethod& value) {
  const TPublishedProperty* property = Find(object, name, TPropertyKind::Method);
  if (property && property->SetMethod) property->SetMethod(object, value);
}
