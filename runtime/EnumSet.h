#pragma once
// A set of the members of an enumeration whose values run from 0, one bit
// per member (at most 64 members), as the option and state sets of the
// controls are.

#include <cstdint>
#include <initializer_list>

template <class Enum>
class TEnumSet {
public:
  constexpr TEnumSet() = default;
  constexpr TEnumSet(std::initializer_list<Enum> members) {
    for (Enum member : members) bits_ |= Bit(member);
  }

  constexpr bool Contains(Enum member) const { return (bits_ & Bit(member)) != 0; }
  constexpr bool Empty() const { return bits_ == 0; }
  constexpr uint64_t Bits() const { return bits_; }
  constexpr TEnumSet& Include(Enum member) {
    bits_ |= Bit(member);
    return *this;
  }
  constexpr TEnumSet& Exclude(Enum member) {
    bits_ &= ~Bit(member);
    return *this;
  }

  constexpr TEnumSet operator+(TEnumSet other) const { return FromBits(bits_ | other.bits_); }
  constexpr TEnumSet operator-(TEnumSet other) const { return FromBits(bits_ & ~other.bits_); }
  constexpr TEnumSet operator*(TEnumSet other) const { return FromBits(bits_ & other.bits_); }
  constexpr bool operator==(const TEnumSet&) const = default;

  // The set whose bit i holds member i.
  static constexpr TEnumSet FromBits(uint64_t bits) {
    TEnumSet set;
    set.bits_ = bits;
    return set;
  }

private:
  static constexpr uint64_t Bit(Enum member) { return uint64_t{1} << static_cast<unsigned>(member); }

  uint64_t bits_ = 0;
};
