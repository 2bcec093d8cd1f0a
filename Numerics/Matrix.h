#pragma once
// The counted, 0-based dense matrix of 80-bit reals that native code passes
// around (result tables, simplex points, imported CSV matrices, mesh heights).
// Script matrices are array variables, not TMatrix objects. Callers make a
// TMatrix and hold it only as CountedPtr<IMatrix>:
//
//   CountedPtr<IMatrix> m = MakeCounted<TMatrix>(2, 3);
//
// Operations that allocate answer false when the storage cannot be had and
// leave the matrix as it was; the caller reports MatrixErrorText(MatrixNoMemory).
// Construction has no such answer: a sized TMatrix that cannot get its storage
// raises the assertion failure "Not enough memory", as TVector does; a caller
// whose sizes come from a script makes an empty one and calls SetSize.

#include <cstdint>
#include <string>

#include "Numerics/RealBlock.h"
#include "runtime/CountedPtr.h"

class IMatrix : public TCounted {
public:
  // Nothing when the shape is unchanged; otherwise every element becomes 0.
  [[nodiscard]] virtual bool SetSize(std::int32_t Rows, std::int32_t Cols) = 0;
  // The elements inside both the old and the new shape keep their values.
  [[nodiscard]] virtual bool Resize(std::int32_t Rows, std::int32_t Cols) = 0;
  virtual std::int32_t GetRows() const = 0;
  virtual std::int32_t GetCols() const = 0;
  virtual void Fill(long double X) = 0;
  // Ones on the leading diagonal; the shape stays, square or not.
  virtual void SetIdentity() = 0;
  // Takes Source's shape and elements.
  [[nodiscard]] virtual bool Assign(const IMatrix& Source) = 0;
  // An index outside the counts throws ERangeError.
  virtual long double GetItem(std::int32_t Row, std::int32_t Col) const = 0;
  virtual void SetItem(std::int32_t Row, std::int32_t Col, long double X) = 0;
  // Sum of the leading diagonal; 0 when empty.
  virtual long double Trace() const = 0;
  // Exact element-wise equality; other shapes report "Incompatible size of
  // matrices" and give false.
  virtual bool Equals(const IMatrix& Other) const = 0;
  // Square and exactly equal to its transpose; a 0 x 0 matrix is symmetric.
  virtual bool IsSymmetric() const = 0;
};

class TMatrix final : public IMatrix {
public:
  // Rows x Cols zeros.
  explicit TMatrix(std::int32_t Rows = 0, std::int32_t Cols = 0);

  [[nodiscard]] bool SetSize(std::int32_t Rows, std::int32_t Cols) override;
  [[nodiscard]] bool Resize(std::int32_t Rows, std::int32_t Cols) override;
  std::int32_t GetRows() const override;
  std::int32_t GetCols() const override;
  void Fill(long double X) override;
  void SetIdentity() override;
  [[nodiscard]] bool Assign(const IMatrix& Source) override;
  long double GetItem(std::int32_t Row, std::int32_t Col) const override;
  void SetItem(std::int32_t Row, std::int32_t Col, long double X) override;
  long double Trace() const override;
  bool Equals(const IMatrix& Other) const override;
  bool IsSymmetric() const override;

private:
  TRealBlock Block;
};

// The matrix error codes; the numerics modules number their failures alike.
inline constexpr std::uint8_t MatrixNoMemory = 1;
inline constexpr std::uint8_t MatrixSizeMismatch = 2;
inline constexpr std::uint8_t MatrixNotSquare = 3;
inline constexpr std::uint8_t MatrixNoConvergence = 7;

// Texts of the codes 1 to 7; "No known errors" otherwise.
std::string MatrixErrorText(std::uint8_t Code);

// The code of the last reported matrix error; 0 until the first.
extern std::uint8_t MatrixErrorCode;

// Records Code and reports its text as an error line without position or
// library. Nothing is thrown: the caller goes on.
void MatrixError(std::uint8_t Code);
