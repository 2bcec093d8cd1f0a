#pragma once
// The counted, 0-based vector of 80-bit reals that numerical routines, file
// input and plot data pass around outside the script's variables. Callers
// make a TVector and hold it only as CountedPtr<IVector>:
//
//   CountedPtr<IVector> v = MakeCounted<TVector>(3);

#include <cstdint>
#include <string>
#include <vector>

#include "runtime/CountedPtr.h"

class IVector : public TCounted {
public:
  virtual std::int64_t GetSize() const = 0;
  // Takes Source's size and elements.
  virtual void Assign(const IVector& Source) = 0;
  // A negative N changes nothing; kept elements stay, new ones are 0.
  virtual void SetSize(std::int64_t N) = 0;
  // I must lie in 0..GetSize()-1 (assertion otherwise).
  virtual long double GetItem(std::int64_t I) const = 0;
  virtual void SetItem(std::int64_t I, long double X) = 0;
  virtual void Fill(long double X) = 0;
  // The size grows by one and X becomes the last element.
  virtual void Append(long double X) = 0;
  // Square root of the sum of squares; 0 when empty.
  virtual long double Magnitude() const = 0;
  // Exact element-wise equality; the sizes must agree (assertion otherwise).
  virtual bool Equals(const IVector& Other) const = 0;
};

class TVector final : public IVector {
public:
  // N elements, all 0.
  explicit TVector(std::int64_t N = 0);

  std::int64_t GetSize() const override;
  void Assign(const IVector& Source) override;
  void SetSize(std::int64_t N) override;
  long double GetItem(std::int64_t I) const override;
  void SetItem(std::int64_t I, long double X) override;
  void Fill(long double X) override;
  void Append(long double X) override;
  long double Magnitude() const override;
  bool Equals(const IVector& Other) const override;

private:
  std::size_t Index(std::int64_t i) const;

  std::vector<long double> Data;  // contiguous; its size is the vector's size
};

// Texts of the vector module's error codes 1 to 5; "Unknown error" otherwise.
std::string VectorErrorText(int Code);

// The codes TVector itself raises.
inline constexpr int VectorNoMemory = 1;
inline constexpr int VectorSizeMismatch = 2;
