#pragma once
// The bridge from variables to a host object's published properties. A
// variable that views a property resolves it once, when it is made, and
// reads it afresh on every access: the host may change it at any time.

#include <cstdint>
#include <string>

#include "engine/Value.h"

class TEnumKind;
class TObject;
struct TPublishedProperty;

// A property of one object; empty for a variable that keeps its own value.
struct THostBinding {
  TObject* Object = nullptr;
  const TPublishedProperty* Property = nullptr;
  explicit operator bool() const { return Object && Property; }
};

// The property by the value kind: Integer as a 32-bit ordinal sign-extended,
// Char and Boolean as the ordinal's low byte, Real, String; any other kind
// reads NoneValue.
TValue GetPropValue(const THostBinding& host, TKindCode kind);
// Integer writes its low 32 bits (ERangeError outside the 32-bit range, the
// property unchanged); Char and Boolean their byte; Real; String. Any other
// kind, and a read-only property, write nothing.
void SetPropValue(const THostBinding& host, const TValue& value);

// An enumeration property by member name: the ordinal in kind of the host's
// member name, -1 for a name kind does not know.
std::int64_t GetEnumProp(const THostBinding& host, const TEnumKind& kind);
// Writes the host member of the name of kind's ordinal; a name the host
// does not know writes nothing.
void SetEnumProp(const THostBinding& host, const TEnumKind& kind, std::int64_t ordinal);
