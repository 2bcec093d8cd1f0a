#pragma once
// The property and event types that host classes share, and the makers of
// the others. Names are the ones the script library System gives its own
// kinds, so that a script host finds them by name; event parameters carry
// System's parameter names.

#include <string>
#include <utility>
#include <vector>

#include "runtime/PublishedProperties.h"

inline THostType HostScalarType(TTypeCategory category, std::string name) {
  THostType type;
  type.Category = category;
  type.Name = std::move(name);
  return type;
}

inline THostType HostEnumType(std::string name, std::vector<std::string> members) {
  THostType type = HostScalarType(TTypeCategory::Enumeration, std::move(name));
  type.Members = std::move(members);
  return type;
}

// The element type must live as long as the set type.
inline THostType HostSetType(std::string name, const THostType& element) {
  THostType type = HostScalarType(TTypeCategory::Set, std::move(name));
  type.Element = &element;
  return type;
}

inline THostType HostClassType(const THostClass& hostClass) {
  THostType type = HostScalarType(TTypeCategory::Class, hostClass.Name);
  type.Class = &hostClass;
  return type;
}

inline THostParam HostParam(std::string name, std::string typeName, THostParamMode mode = THostParamMode::Value) {
  THostParam param;
  param.Name = std::move(name);
  param.TypeName = std::move(typeName);
  param.Mode = mode;
  return param;
}

inline THostType HostEventType(std::vector<THostParam> params) {
  THostType type = HostScalarType(TTypeCategory::Method, "");
  type.Params = std::move(params);
  return type;
}

inline const THostType HostIntegerType = HostScalarType(TTypeCategory::Integer, "Integer");
inline const THostType HostStringType = HostScalarType(TTypeCategory::String, "string");
inline const THostType HostBooleanType = HostEnumType("Boolean", {"False", "True"});

inline const THostType HostNotifyEventType = HostEventType({HostParam("Sender", "TObject")});
inline const THostType HostMouseEventType =
    HostEventType({HostParam("Sender", "TObject"), HostParam("Button", "TMouseButton"),
                   HostParam("Shift", "TShiftState"), HostParam("X", "Integer"), HostParam("Y", "Integer")});
inline const THostType HostMouseMoveEventType = HostEventType({HostParam("Sender", "TObject"),
                                                               HostParam("Shift", "TShiftState"),
                                                               HostParam("X", "Integer"), HostParam("Y", "Integer")});
inline const THostType HostKeyEventType =
    HostEventType({HostParam("Sender", "TObject"), HostParam("Key", "Word", THostParamMode::Var),
                   HostParam("Shift", "TShiftState")});
inline const THostType HostKeyPressEventType =
    HostEventType({HostParam("Sender", "TObject"), HostParam("Key", "Char", THostParamMode::Var)});

// Gives a registered property the class that declares it and its type, which
// a script host reads; returns the property.
inline TPublishedProperty& Typed(TPublishedProperty& property, const THostClass& owner, const THostType& type) {
  property.Class = &owner;
  property.Type = &type;
  return property;
}
