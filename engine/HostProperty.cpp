#include "engine/HostProperty.h"

#include <algorithm>

#include "engine/Kind.h"
#include "runtime/AsciiCase.h"
#include "runtime/PublishedProperties.h"

namespace {

// The value's low 32 bits; ERangeError beyond.
std::int32_t Int32Of(const TValue& value) {
  std::int32_t n = 0;
  ValueToInt(value, n);
  return n;
}

std::int64_t ReadOrdinal32(const THostBinding& host) {
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(host.Property->GetOrdinal(*host.Object)));
}

}  // namespace

TValue GetPropValue(const THostBinding& host, TKindCode kind) {
  const TPublishedProperty& property = *host.Property;
  switch (kind) {
    case kcInteger:
      return property.GetOrdinal ? TValue::Integer(ReadOrdinal32(host)) : NoneValue;
    case kcChar:
      return property.GetOrdinal ? TValue::Char(static_cast<char>(property.GetOrdinal(*host.Object))) : NoneValue;
    case kcBoolean:
      return property.GetOrdinal ? TValue::Boolean((property.GetOrdinal(*host.Object) & 0xFF) != 0) : NoneValue;
    case kcReal:
      return property.GetFloat ? TValue::Real(property.GetFloat(*host.Object)) : NoneValue;
    case kcString:
      return property.GetString ? TValue::String(property.GetString(*host.Object)) : NoneValue;
    default:
      return NoneValue;
  }
}

void SetPropValue(const THostBinding& host, const TValue& value) {
  const TPublishedProperty& property = *host.Property;
  switch (value.Kind()) {
    case kcInteger:
      if (property.SetOrdinal) property.SetOrdinal(*host.Object, Int32Of(value));
      break;
    case kcChar:
      if (property.SetOrdinal) property.SetOrdinal(*host.Object, static_cast<unsigned char>(value.AsChar()));
      break;
    case kcBoolean:
      if (property.SetOrdinal) property.SetOrdinal(*host.Object, value.AsBool() ? 1 : 0);
      break;
    case kcReal:
      if (property.SetFloat) property.SetFloat(*host.Object, static_cast<double>(value.AsReal()));
      break;
    case kcString:
      if (property.SetString) property.SetString(*host.Object, value.Str());
      break;
    default:
      break;
  }
}

std::int64_t GetEnumProp(const THostBinding& host, const TEnumKind& kind) {
  const THostType* type = host.Property->Type;
  const std::int64_t ordinal = host.Property->GetOrdinal(*host.Object);
  if (!type || ordinal < 0 || ordinal >= static_cast<std::int64_t>(type->Members.size())) return -1;
  return kind.IndexOf(type->Members[static_cast<size_t>(ordinal)]);
}

void SetEnumProp(const THostBinding& host, const TEnumKind& kind, std::int64_t ordinal) {
  const THostType* type = host.Property->Type;
  if (!type || !host.Property->SetOrdinal) return;
  const std::string& name = kind.GetName(ordinal);
  const auto& members = type->Members;
  const auto found =
      std::find_if(members.begin(), members.end(), [&](const std::string& m) { return SameAsciiText(m, name); });
  if (found != members.end()) host.Property->SetOrdinal(*host.Object, found - members.begin());
}
