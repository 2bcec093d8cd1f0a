#pragma once
// Properties reachable by name, in place of run-time type information: each
// is registered once for a class and serves its descendants too. Kinds:
// ordinal (integers, enumerations, Booleans, colours), set (a bit per
// element name), string, object and method (an event handler as an
// {object, method} pair that compares equal to itself).
//
// Names compare ignoring case. An unknown name reads as -1 (ordinal), ""
// (set, string), nil (object) or an empty method, and writing it does nothing.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "runtime/Object.h"

// An event handler's identity: the object it belongs to and which of its
// methods it is.
struct TMethod {
  const void* Code = nullptr;
  TObject* Data = nullptr;
  bool operator==(const TMethod&) const = default;
};

enum class TPropertyKind { Ordinal, Set, String, Object, Method };

struct TPublishedProperty {
  std::string Name;
  TPropertyKind Kind = TPropertyKind::Ordinal;
  // Applies: whether the object is of the class (or a descendant) it was registered for.
  std::function<bool(TObject&)> Applies;
  // Ordinal and set properties (a set's bit i is element i of SetElements).
  std::function<std::int64_t(TObject&)> GetOrdinal;
  std::function<void(TObject&, std::int64_t)> SetOrdinal;
  std::vector<std::string> SetElements;
  std::function<std::string(TObject&)> GetString;
  std::function<void(TObject&, const std::string&)> SetString;
  std::function<TObject*(TObject&)> GetObject;
  std::function<TMethod(TObject&)> GetMethod;
  std::function<void(TObject&, const TMethod&)> SetMethod;
};

// Registers a property of the class Class. A setter may be empty (read-only).
void RegisterPublishedProperty(TPublishedProperty property);

template <class Class>
bool IsOfClass(TObject& object) {
  return dynamic_cast<Class*>(&object) != nullptr;
}

template <class Class>
void RegisterOrdinalProperty(const std::string& name, std::function<std::int64_t(Class&)> get,
                             std::function<void(Class&, std::int64_t)> set) {
  TPublishedProperty property;
  property.Name = name;
  property.Applies = IsOfClass<Class>;
  property.GetOrdinal = [get](TObject& object) { return get(dynamic_cast<Class&>(object)); };
  if (set) property.SetOrdinal = [set](TObject& object, std::int64_t value) { set(dynamic_cast<Class&>(object), value); };
  RegisterPublishedProperty(std::move(property));
}

template <class Class>
void RegisterSetProperty(const std::string& name, std::vector<std::string> elements,
                         std::function<std::int64_t(Class&)> get, std::function<void(Class&, std::int64_t)> set) {
  TPublishedProperty property;
  property.Name = name;
  property.Kind = TPropertyKind::Set;
  property.Applies = IsOfClass<Class>;
  property.SetElements = std::move(elements);
  property.GetOrdinal = [get](TObject& object) { return get(dynamic_cast<Class&>(object)); };
  if (set) property.SetOrdinal = [set](TObject& object, std::int64_t value) { set(dynamic_cast<Class&>(object), value); };
  RegisterPublishedProperty(std::move(property));
}

template <class Class>
void RegisterObjectProperty(const std::string& name, std::function<TObject*(Class&)> get) {
  TPublishedProperty property;
  property.Name = name;
  property.Kind = TPropertyKind::Object;
  property.Applies = IsOfClass<Class>;
  property.GetObject = [get](TObject& object) { return get(dynamic_cast<Class&>(object)); };
  RegisterPublishedProperty(std::move(property));
}

template <class Class>
void RegisterStringProperty(const std::string& name, std::function<std::string(Class&)> get,
                            std::function<void(Class&, const std::string&)> set) {
  TPublishedProperty property;
  property.Name = name;
  property.Kind = TPropertyKind::String;
  property.Applies = IsOfClass<Class>;
  property.GetString = [get](TObject& object) { return get(dynamic_cast<Class&>(object)); };
  if (set)
    property.SetString = [set](TObject& object, const std::string& value) { set(dynamic_cast<Class&>(object), value); };
  RegisterPublishedProperty(std::move(property));
}

template <class Class>
void RegisterMethodProperty(const std::string& name, TMethod Class::*field) {
  TPublishedProperty property;
  property.Name = name;
  property.Kind = TPropertyKind::Method;
  property.Applies = IsOfClass<Class>;
  property.GetMethod = [field](TObject& object) { return dynamic_cast<Class&>(object).*field; };
  property.SetMethod = [field](TObject& object, const TMethod& value) { dynamic_cast<Class&>(object).*field = value; };
  RegisterPublishedProperty(std::move(property));
}

// The property of that name of the object's class or an ancestor; nullptr when none.
const TPublishedProperty* FindPublishedProperty(TObject& object, const std::string& name);
bool IsPublishedProp(TObject& object, const std::string& name);
std::int64_t GetOrdProp(TObject& object, const std::string& name);
void SetOrdProp(TObject& object, const std::string& name, std::int64_t value);
// The element names of the set joined by "," without brackets ("fsBold,fsItalic").
std::string GetSetProp(TObject& object, const std::string& name);
// Blanks and brackets around the names are allowed; an unknown name raises
// EPropertyConvertError "Invalid property element: <name>" and changes nothing.
void SetSetProp(TObject& object, const std::string& name, const std::string& elements);
std::string GetStrProp(TObject& object, const std::string& name);
void SetStrProp(TObject& object, const std::string& name, const std::string& value);
TObject* GetObjectProp(TObject& object, const std::string& name);
TMethod GetMethodProp(TObject& object, const std::string& name);
void SetMethodProp(TObject& object, const std::string& name, const TMethod& value);
