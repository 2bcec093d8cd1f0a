#pragma once
// The 1-based vector of the numerics routines: a plain object with one owner,
// indexed from 1 as the textbook formulas are written. Its elements lie in
// one contiguous array (element I at Data()[I - 1]).

#include <cstdint>
#include <string>
#include <vector>

class TNVector {
public:
  // N zeros; a negative N gives an empty vector.
  explicit TNVector(std::int32_t N = 0);

  std::int32_t GetSize() const { return static_cast<std::int32_t>(Elements.size()); }
  // Nothing when N is negative or unchanged; kept elements stay, new ones are
  // 0. Storage that cannot be had raises the assertion failure "Not enough
  // memory" and leaves the vector as it was.
  void SetSize(std::int32_t N);
  // I in 1 .. GetSize(); any other index throws ERangeError.
  long double GetItem(std::int32_t I) const;
  void SetItem(std::int32_t I, long double X);
  void Fill(long double X);

  long double* Data() { return Elements.data(); }
  const long double* Data() const { return Elements.data(); }

private:
  std::size_t Position(std::int32_t i) const;

  std::vector<long double> Elements;
};

// The numerics message table: the vector module's texts ("Unknown error"
// beyond them).
std::string NXErrorText(std::uint8_t Code);
