#include "libraries/VectorOperators.h"

#include <cmath>
#include <cstdint>
#include <memory>
#include <vector>

#include "engine/Catalogue.h"
#include "engine/Kind.h"
#include "engine/MessageChannel.h"
#include "engine/OpTab.h"
#include "engine/ScalarArith.h"
#include "engine/Token.h"
#include "libraries/ArrayArgs.h"
#include "libraries/MatrixRoutines.h"
#include "libraries/ScalarRoutine.h"

namespace {

// Computes into result from the operands (right is nil for a unary
// operator); a refusal is reported by the body, which gives false.
using TArrayOpBody = bool (*)(TVar* left, TVar* right, TVar* result);

// Runs body; an arithmetic fault of an element is reported like a refusal.
bool ApplyBody(TArrayOpBody body, TVar* left, TVar* right, TVar* result) {
  bool computed = false;
  return ReportingFaults([&] { computed = body(left, right, result); }) && computed;
}

class TArrayBinOp : public TBinOp {
public:
  TArrayBinOp(std::uint8_t token, TKind* leftKind, TKind* rightKind, TKind* resultKind, TArrayOpBody body)
      : TBinOp(token, leftKind, rightKind, resultKind, nullptr), body_(body) {}

  bool Apply(TVar* left, TVar* right) override { return ApplyBody(body_, left, right, ResultVar()); }

private:
  TArrayOpBody body_;
};

class TArrayUnOp : public TUnOp {
public:
  TArrayUnOp(std::uint8_t token, TKind* operandKind, TKind* resultKind, TArrayOpBody body)
      : TUnOp(token, operandKind, resultKind, nullptr), body_(body) {}

  bool Apply(TVar* operand, TVar*) override { return ApplyBody(body_, operand, nullptr, ResultVar()); }

private:
  TArrayOpBody body_;
};

bool Refuse(const char* message) {
  ReportError(message, NoPosition, nullptr);
  return false;
}

TArrVar& Array(TVar* var) { return static_cast<TArrVar&>(*var); }
TValue ScalarValue(const TVar* var) { return static_cast<const TBaseVar&>(*var).GetValue(); }
const TValue& ElemValue(const TArrVar& v, std::int32_t p) { return v.SlotAt(p); }
void SetScalar(TVar* result, const TValue& value) { static_cast<TBaseVar&>(*result).SetValue(value); }

using TIntOp = std::int64_t (*)(std::int64_t, std::int64_t);
using TRealOp = long double (*)(long double, long double);

// Two element values combined as Integers when both are, otherwise as
// Reals; the result is a Real either way.
template <TIntOp IntOp, TRealOp RealOp>
long double Combine(const TValue& left, const TValue& right) {
  if (IsIntegerValue(left) && IsIntegerValue(right))
    return static_cast<long double>(IntOp(left.AsInt(), right.AsInt()));
  return RealOp(RealOperand(left), RealOperand(right));
}

bool SameVectors(const TArrVar& a, const TArrVar& b) {
  if (a.Count() != b.Count()) return false;
  for (std::int32_t p = 0; p < a.Count(); ++p)
    if (RealAt(a, p) != RealAt(b, p)) return false;
  return true;
}

bool SameMatrices(const TArrVar& a, const TArrVar& b) {
  if (a.Count() != b.Count()) return false;
  for (std::int32_t i = 0; i < a.Count(); ++i)
    if (!SameVectors(MatRow(a, i), MatRow(b, i))) return false;
  return true;
}

template <bool (*Same)(const TArrVar&, const TArrVar&), bool Equal>
bool Equality(TVar* left, TVar* right, TVar* result) {
  SetScalar(result, TValue::Boolean(Same(Array(left), Array(right)) == Equal));
  return true;
}

bool DotProduct(TVar* left, TVar* right, TVar* result) {
  const TArrVar& a = Array(left);
  const TArrVar& b = Array(right);
  if (a.Count() != b.Count()) return Refuse("Incompatible vector sizes");
  long double sum = 0;
  for (std::int32_t p = 0; p < a.Count(); ++p)
    sum = RealAdd(sum, Combine<IntMul, RealMul>(ElemValue(a, p), ElemValue(b, p)));
  SetScalar(result, TValue::Real(sum));
  return true;
}

template <TIntOp IntOp, TRealOp RealOp>
bool VectorElementwise(TVar* left, TVar* right, TVar* result) {
  const TArrVar& a = Array(left);
  const TArrVar& b = Array(right);
  if (a.Count() != b.Count()) return Refuse("Incompatible vector sizes");
  TArrVar& c = Array(result);
  c.SetLength(a.Count());
  for (std::int32_t p = 0; p < a.Count(); ++p) SetRealAt(c, p, Combine<IntOp, RealOp>(ElemValue(a, p), ElemValue(b, p)));
  return true;
}

template <bool ScalarFirst>
bool ScaledVector(TVar* left, TVar* right, TVar* result) {
  const TValue scalar = ScalarValue(ScalarFirst ? left : right);
  const TArrVar& v = Array(ScalarFirst ? right : left);
  TArrVar& c = Array(result);
  c.SetLength(v.Count());
  for (std::int32_t p = 0; p < v.Count(); ++p) {
    const TValue elem = ElemValue(v, p);
    SetRealAt(c, p, ScalarFirst ? Combine<IntMul, RealMul>(scalar, elem) : Combine<IntMul, RealMul>(elem, scalar));
  }
  return true;
}

// Row by row: a pair of rows of different lengths stops the operation
// there, the rows before it computed.
template <TRealOp RealOp>
bool MatrixElementwise(TVar* left, TVar* right, TVar* result) {
  const TArrVar& a = Array(left);
  const TArrVar& b = Array(right);
  if (a.Count() != b.Count()) return Refuse("Matrices must have the same dimensions");
  TArrVar& c = Array(result);
  c.SetLength(a.Count());
  for (std::int32_t i = 0; i < a.Count(); ++i) {
    const TArrVar& rowA = MatRow(a, i);
    const TArrVar& rowB = MatRow(b, i);
    if (rowA.Count() != rowB.Count()) return Refuse("Matrices must have the same dimensions");
    TArrVar& rowC = MatRow(c, i);
    rowC.SetLength(rowA.Count());
    for (std::int32_t j = 0; j < rowA.Count(); ++j) SetRealAt(rowC, j, RealOp(RealAt(rowA, j), RealAt(rowB, j)));
  }
  return true;
}

// The elements of a rectangular matrix in one block, row after row, or
// column after column when byColumns.
std::vector<long double> Elements(const TArrVar& m, bool byColumns) {
  const std::int32_t rows = m.Count();
  const std::int32_t cols = MatColCount(m);
  std::vector<long double> elements(static_cast<std::size_t>(rows) * cols);
  for (std::int32_t i = 0; i < rows; ++i)
    for (std::int32_t j = 0; j < cols; ++j)
      elements[byColumns ? static_cast<std::size_t>(j) * rows + i : static_cast<std::size_t>(i) * cols + j] =
          RealAt(m, i, j);
  return elements;
}

// The sum of x[k] * y[k] over the first count terms, in ascending k.
long double CheckedSumOfProducts(const long double* x, const long double* y, std::size_t count) {
  long double sum = 0;
  for (std::size_t k = 0; k < count; ++k) sum = RealAdd(sum, RealMul(x[k], y[k]));
  return sum;
}

// The same sum, added without a check per term: an overflow or an invalid
// operation leaves an infinity or a NaN that no later term can turn finite,
// so only a sum that is not finite is added again with the checks, which
// throw the fault of the first term that raised one (or keep the infinity
// that infinite operands give).
long double SumOfProducts(const long double* x, const long double* y, std::size_t count) {
  long double sum = 0;
  for (std::size_t k = 0; k < count; ++k) sum += x[k] * y[k];
  return std::isfinite(sum) ? sum : CheckedSumOfProducts(x, y, count);
}

// Both factors are copied in once, the left by rows and the right by
// columns, so each product term reads consecutive reals.
bool MatrixProduct(TVar* left, TVar* right, TVar* result) {
  const TArrVar& a = Array(left);
  const TArrVar& b = Array(right);
  TArrVar& c = Array(result);
  c.SetLength(a.Count());
  if (a.Count() < 1 || b.Count() < 1 || MatColCount(a) < 1 || MatColCount(b) < 1) return Refuse("Empty matrices");
  if (MatColCount(a) != b.Count() || !IsRectangular(a) || !IsRectangular(b))
    return Refuse("Matrices have incompatible dimensions");
  const std::size_t inner = b.Count();
  const std::vector<long double> rowsOfA = Elements(a, false);
  const std::vector<long double> columnsOfB = Elements(b, true);
  for (std::int32_t i = 0; i < a.Count(); ++i) {
    TArrVar& row = MatRow(c, i);
    row.SetLength(MatColCount(b));
    for (std::int32_t j = 0; j < row.Count(); ++j)
      SetRealAt(row, j, SumOfProducts(&rowsOfA[i * inner], &columnsOfB[j * inner], inner));
  }
  return true;
}

bool MatrixTimesVector(TVar* left, TVar* right, TVar* result) {
  const TArrVar& m = Array(left);
  const std::vector<long double> v = RealsOf(Array(right));
  TArrVar& c = Array(result);
  c.SetLength(m.Count());
  if (m.Count() < 1 || v.empty()) return Refuse("Empty factors");
  if (MatColCount(m) != static_cast<std::int32_t>(v.size()) || !IsRectangular(m))
    return Refuse("Factors have incompatible dimensions");
  const std::vector<long double> rows = Elements(m, false);
  for (std::int32_t i = 0; i < m.Count(); ++i) SetRealAt(c, i, SumOfProducts(&rows[i * v.size()], v.data(), v.size()));
  return true;
}

bool VectorTimesMatrix(TVar* left, TVar* right, TVar* result) {
  const std::vector<long double> v = RealsOf(Array(left));
  const TArrVar& m = Array(right);
  if (v.empty() || m.Count() < 1) return Refuse("Empty factors");
  TArrVar& c = Array(result);
  c.SetLength(MatColCount(m));
  if (static_cast<std::int32_t>(v.size()) != m.Count() || !IsRectangular(m))
    return Refuse("Factors have incompatible dimensions");
  const std::vector<long double> columns = Elements(m, true);
  for (std::int32_t j = 0; j < c.Count(); ++j) SetRealAt(c, j, SumOfProducts(v.data(), &columns[j * v.size()], v.size()));
  return true;
}

// An Integer scalar widens; a value of any other kind scales by 0.
long double ScalarAsReal(const TValue& value) {
  if (value.Kind() == kcReal) return value.AsReal();
  return value.Kind() == kcInteger ? static_cast<long double>(value.AsInt()) : 0;
}

template <bool ScalarFirst>
bool ScaledMatrix(TVar* left, TVar* right, TVar* result) {
  const long double scalar = ScalarAsReal(ScalarValue(ScalarFirst ? left : right));
  const TArrVar& m = Array(ScalarFirst ? right : left);
  TArrVar& c = Array(result);
  c.SetLength(m.Count());
  for (std::int32_t i = 0; i < m.Count(); ++i) {
    const TArrVar& row = MatRow(m, i);
    TArrVar& scaled = MatRow(c, i);
    scaled.SetLength(row.Count());
    for (std::int32_t j = 0; j < row.Count(); ++j) SetRealAt(scaled, j, RealMul(scalar, RealAt(row, j)));
  }
  return true;
}

bool Transposed(TVar* operand, TVar*, TVar* result) {
  const TArrVar& m = Array(operand);
  if (!IsRectangular(m)) return Refuse(UnequalRowsMessage);
  TransposeInto(m, Array(result));
  return true;
}

// The two kinds every operator here is made with.
struct TArrayKinds {
  TKind* Vector;
  TKind* Matrix;
};

TKind* Boolean() { return BaseKind(kcBoolean); }
TKind* Real() { return BaseKind(kcReal); }

// The suffix names the operand kinds: V vector, M matrix, F real.
class TEqu_VV final : public TArrayBinOp {
public:
  explicit TEqu_VV(const TArrayKinds& k)
      : TArrayBinOp(tkEqual, k.Vector, k.Vector, Boolean(), Equality<SameVectors, true>) {}
};
class TNEqu_VV final : public TArrayBinOp {
public:
  explicit TNEqu_VV(const TArrayKinds& k)
      : TArrayBinOp(tkNotEqual, k.Vector, k.Vector, Boolean(), Equality<SameVectors, false>) {}
};
class TEqu_MM final : public TArrayBinOp {
public:
  explicit TEqu_MM(const TArrayKinds& k)
      : TArrayBinOp(tkEqual, k.Matrix, k.Matrix, Boolean(), Equality<SameMatrices, true>) {}
};
class TNEqu_MM final : public TArrayBinOp {
public:
  explicit TNEqu_MM(const TArrayKinds& k)
      : TArrayBinOp(tkNotEqual, k.Matrix, k.Matrix, Boolean(), Equality<SameMatrices, false>) {}
};
class TDot_VV final : public TArrayBinOp {
public:
  explicit TDot_VV(const TArrayKinds& k) : TArrayBinOp(tkStar, k.Vector, k.Vector, Real(), DotProduct) {}
};
class TAdd_VV final : public TArrayBinOp {
public:
  explicit TAdd_VV(const TArrayKinds& k)
      : TArrayBinOp(tkPlus, k.Vector, k.Vector, k.Vector, VectorElementwise<IntAdd, RealAdd>) {}
};
class TSub_VV final : public TArrayBinOp {
public:
  explicit TSub_VV(const TArrayKinds& k)
      : TArrayBinOp(tkMinus, k.Vector, k.Vector, k.Vector, VectorElementwise<IntSub, RealSub>) {}
};
class TMul_FV final : public TArrayBinOp {
public:
  explicit TMul_FV(const TArrayKinds& k) : TArrayBinOp(tkStar, Real(), k.Vector, k.Vector, ScaledVector<true>) {}
};
class TMul_VF final : public TArrayBinOp {
public:
  explicit TMul_VF(const TArrayKinds& k) : TArrayBinOp(tkStar, k.Vector, Real(), k.Vector, ScaledVector<false>) {}
};
class TAdd_MM final : public TArrayBinOp {
public:
  explicit TAdd_MM(const TArrayKinds& k)
      : TArrayBinOp(tkPlus, k.Matrix, k.Matrix, k.Matrix, MatrixElementwise<RealAdd>) {}
};
class TSub_MM final : public TArrayBinOp {
public:
  explicit TSub_MM(const TArrayKinds& k)
      : TArrayBinOp(tkMinus, k.Matrix, k.Matrix, k.Matrix, MatrixElementwise<RealSub>) {}
};
class TMul_MM final : public TArrayBinOp {
public:
  explicit TMul_MM(const TArrayKinds& k) : TArrayBinOp(tkStar, k.Matrix, k.Matrix, k.Matrix, MatrixProduct) {}
};
class TMul_MV final : public TArrayBinOp {
public:
  explicit TMul_MV(const TArrayKinds& k) : TArrayBinOp(tkStar, k.Matrix, k.Vector, k.Vector, MatrixTimesVector) {}
};
class TMul_VM final : public TArrayBinOp {
public:
  explicit TMul_VM(const TArrayKinds& k) : TArrayBinOp(tkStar, k.Vector, k.Matrix, k.Vector, VectorTimesMatrix) {}
};
class TMul_FM final : public TArrayBinOp {
public:
  explicit TMul_FM(const TArrayKinds& k) : TArrayBinOp(tkStar, Real(), k.Matrix, k.Matrix, ScaledMatrix<true>) {}
};
class TMul_MF final : public TArrayBinOp {
public:
  explicit TMul_MF(const TArrayKinds& k) : TArrayBinOp(tkStar, k.Matrix, Real(), k.Matrix, ScaledMatrix<false>) {}
};
class TTrans_M final : public TArrayUnOp {
public:
  explicit TTrans_M(const TArrayKinds& k) : TArrayUnOp(tkBackquote, k.Matrix, k.Matrix, Transposed) {}
};

template <class... TOps>
void AddOperators(TCatalogue& catalogue, const TArrayKinds& kinds) {
  (catalogue.AddOperator(std::make_unique<TOps>(kinds)), ...);
}

}  // namespace

void RegisterVectorOperators(TCatalogue& catalogue) {
  const TArrayKinds arrayKinds{catalogue.FindKind("Vector"), catalogue.FindKind("Matrix")};
  QASSERT(arrayKinds.Vector && arrayKinds.Matrix, "Assertion failure");
  AddOperators<TEqu_VV, TNEqu_VV, TEqu_MM, TNEqu_MM, TDot_VV, TAdd_VV, TSub_VV, TMul_FV, TMul_VF, TAdd_MM, TSub_MM,
               TMul_MM, TMul_MV, TMul_VM, TMul_FM, TMul_MF, TTrans_M>(catalogue, arrayKinds);
}
