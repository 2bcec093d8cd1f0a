#include "libraries/LinearAlgebra.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <memory>
#include <string>
#include <vector>

#include "Numerics/NXMatrix.h"
#include "SystemEngine.h"
#include "engine/ArrVar.h"
#include "runtime/Exceptions.h"

namespace {

using Reals = std::vector<long double>;
using Rows = std::vector<Reals>;

constexpr long double Tolerance = 16 * std::numeric_limits<long double>::epsilon();

Reals ValuesOf(const TArrVar& v) {
  Reals values;
  for (std::int32_t i = 1; i <= v.Count(); ++i) values.push_back(GetVecElem(v, i));
  return values;
}

Rows RowsOf(const TArrVar& m) {
  Rows rows;
  for (std::int32_t p = 0; p < m.Count(); ++p) rows.push_back(ValuesOf(static_cast<const TArrVar&>(*m.ElemAt(p))));
  return rows;
}

// Within a few units in the last place of the larger of 1 and the expected value.
void ExpectNear(const Reals& actual, const Reals& expected, const std::string& what) {
  ASSERT_EQ(actual.size(), expected.size()) << what;
  for (std::size_t i = 0; i < actual.size(); ++i)
    EXPECT_LE(std::fabs(actual[i] - expected[i]), Tolerance * std::max(1.0L, std::fabs(expected[i])))
        << what << ": element " << i + 1 << " is " << static_cast<double>(actual[i]) << ", not "
        << static_cast<double>(expected[i]);
}

void ExpectNear(const Rows& actual, const Rows& expected, const std::string& what) {
  ASSERT_EQ(actual.size(), expected.size()) << what;
  for (std::size_t r = 0; r < actual.size(); ++r)
    ExpectNear(actual[r], expected[r], what + ", row " + std::to_string(r + 1));
}

Rows Product(const Rows& a, const Rows& b) {
  Rows product(a.size(), Reals(b[0].size(), 0));
  for (std::size_t i = 0; i < a.size(); ++i)
    for (std::size_t j = 0; j < b[0].size(); ++j)
      for (std::size_t k = 0; k < b.size(); ++k) product[i][j] += a[i][k] * b[k][j];
  return product;
}

class LinearAlgebra : public SystemEngine {
protected:
  TArrVar& Array(const std::string& name) {
    auto* array = dynamic_cast<TArrVar*>(Engine->FindVariable(name));
    EXPECT_NE(array, nullptr) << name;
    return *array;
  }
  // The value of a line whose result is a vector or a matrix.
  Reals VectorResult(const std::string& line) {
    Eval(line);
    return ValuesOf(Array(AnsVarName));
  }
  Rows MatrixResult(const std::string& line) {
    Eval(line);
    return RowsOf(Array(AnsVarName));
  }
  // The Workspace matrix E, without rows.
  void MakeEmptyMatrix() {
    Eval("E := {{1}}");
    Array("E").Clear();
  }
  // The Workspace vectors RV and IV for the eigenvalues.
  void MakeSpectrumVectors() {
    Eval("RV := {0}");
    Eval("IV := {0}");
  }
};

TEST_F(LinearAlgebra, Determinants) {
  const struct {
    const char* Line;
    long double Det;
  } cases[] = {
      {"Det({{2}})", 2},
      {"Det({{0,1},{1,0}})", -1},
      {"Det({{1,2,3},{4,5,6},{7,8,10}})", -3},
      {"Det({{1,2},{3,4}})", -2},
      {"Det({{0,2,0},{0,0,3},{4,0,0}})", 24},
  };
  for (const auto& c : cases) ExpectNear(Reals{ResultOf(c.Line).AsReal()}, Reals{c.Det}, c.Line);
}

// Dependent rows meet a zero pivot: the determinant is exactly 0, not a
// tiny number from a stand-in pivot, and nothing is reported.
TEST_F(LinearAlgebra, DependentRowsHaveDeterminantZero) {
  for (const char* line : {"Det({{1,2},{2,4}})", "Det({{1,2,3},{2,4,6},{1,0,1}})"}) {
    const TValue det = ResultOf(line);
    EXPECT_EQ(det.AsReal(), 0.0L) << line;
    EXPECT_FALSE(std::signbit(det.AsReal())) << line;
    EXPECT_EQ(Sink->Lines.size(), 1u) << line << ": only the result";
  }
}

TEST_F(LinearAlgebra, RefusalsAtTheCall) {
  const struct {
    const char* Line;
    const char* Error;
  } cases[] = {
      {"Det({{1,2},{0,0}})", "Singular matrix at [1:1] "},
      {"Det({{1,2,3},{4,5,6}})", "Square matrix is required at [1:1] "},
      {"Det({{1,2},{3}})", "Square matrix is required at [1:1] "},
      {"Det({{1},{2,3}})", "Square matrix is required at [1:1] "},
      {"Det({{1,2},{3,4,5}})", "Square matrix is required at [1:1] "},
      {"Inverse({{1,2},{2,4}})", "Singular matrix at [1:1] "},
      {"Inverse({{0,0},{1,2}})", "Singular matrix at [1:1] "},
      {"Inverse({{1,2,3},{4,5,6}})", "Matrix must be square at [1:1] "},
      {"Inverse({{1,2},{3}})", "Matrix must be square at [1:1] "},
      {"LinearSolve({{1,2},{2,4}}, {3,6})", "Singular matrix at [1:1] "},
      {"LinearSolve({{1,1},{1,-1}}, {1,2,3})", "Incompatible vector size at [1:1] "},
      {"LinearSolve({{1,1},{1}}, {1,2})", "Matrix must be square at [1:1] "},
      {"_LS1201({{1,1},{1,-1}}, {1})", "Incompatible vector size at [1:1] "},
      {"_LS1201({{1,1,1},{1,-1,1}}, {1,2})", "Matrix must be square at [1:1] "},
      {"x := 1 + Det({{1,2},{0,0}})", "Singular matrix at [1:10] "},
  };
  for (const auto& c : cases) EXPECT_EQ(Eval(c.Line), c.Error) << c.Line;
}

TEST_F(LinearAlgebra, EmptyMatrixIsRefusedByEveryRoutine) {
  MakeEmptyMatrix();
  MakeSpectrumVectors();
  for (const char* line : {"Det(E)", "Inverse(E)", "LinearSolve(E, {})", "_LS1201(E, {})", "_EV1201(E, RV, IV)"})
    EXPECT_EQ(Eval(line), "Empty matrix at [1:1] ") << line;
}

TEST_F(LinearAlgebra, Inverses) {
  ExpectNear(MatrixResult("Inverse({{2,-1,0},{-1,2,-1},{0,-1,2}})"),
             {{0.75, 0.5, 0.25}, {0.5, 1, 0.5}, {0.25, 0.5, 0.75}}, "tridiagonal");
  ExpectNear(MatrixResult("Inverse({{4}})"), {{0.25}}, "1 x 1");
  ExpectNear(MatrixResult("Inverse({{0,1},{1,0}})"), {{0, 1}, {1, 0}}, "exchange");
  // Pivoting, a zero leading element and a column that needs scaling.
  const Rows a = {{0, 1, 2, 0.125}, {1, 0, 3, 0.25}, {4, -3, 8, 0.125}, {1, 1, 1, 0.5}};
  Eval("A := {{0,1,2,0.125},{1,0,3,0.25},{4,-3,8,0.125},{1,1,1,0.5}}");
  const Rows inverse = MatrixResult("Inverse(A)");
  ExpectNear(Product(a, inverse), {{1, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, 1, 0}, {0, 0, 0, 1}}, "A * Inverse(A)");
  EXPECT_EQ(RowsOf(Array("A")), a) << "the argument is a copy";
}

TEST_F(LinearAlgebra, FailedInverseLeavesArgumentAlone) {
  Eval("S := {{1,2},{2,4}}");
  EXPECT_EQ(Eval("Inverse(S)"), "Singular matrix at [1:1] ");
  EXPECT_EQ(RowsOf(Array("S")), (Rows{{1, 2}, {2, 4}}));
}

TEST_F(LinearAlgebra, LinearSystems) {
  const struct {
    const char* Routine;
    const char* Arguments;
    Reals Solution;
  } cases[] = {
      {"LinearSolve", "({{2,1,-1},{-3,-1,2},{-2,1,2}}, {8,-11,-3})", {2, 3, -1}},
      {"LinearSolve", "({{1,1},{1,-1}}, {2,0})", {1, 1}},
      // Leading zero entries of the right-hand side, after a row exchange.
      {"LinearSolve", "({{0,1,0},{1,0,0},{0,0,2}}, {0,5,4})", {5, 0, 2}},
      {"LinearSolve", "({{3}}, {0})", {0}},
      {"_LS1201", "({{2,1,-1},{-3,-1,2},{-2,1,2}}, {8,-11,-3})", {2, 3, -1}},
      {"_LS1201", "({{2}}, {3})", {1.5}},
      {"_LS1201", "({{0,1},{1,0}}, {2,3})", {3, 2}},
      {"_LS1201", "({{1,0,0},{0,0,1},{0,1,0}}, {1,2,3})", {1, 3, 2}},
  };
  for (const auto& c : cases) {
    const std::string line = std::string(c.Routine) + c.Arguments;
    ExpectNear(VectorResult(line), c.Solution, line);
  }
}

TEST_F(LinearAlgebra, GaussSolverGivesNoSolutionForSingularSystems) {
  for (const char* line : {"_LS1201({{1,2},{2,4}}, {3,6})", "_LS1201({{0}}, {1})", "_LS1201({{1,2},{0,0}}, {1,0})",
                           "_LS1201({{1,1,1},{1,1,1},{0,0,1}}, {1,1,1})"}) {
    EXPECT_TRUE(VectorResult(line).empty()) << line;
    ASSERT_EQ(Sink->Lines.size(), 1u) << line << ": only the result";
    EXPECT_EQ(Sink->Lines[0].Kind, lkResult) << line;
  }
}

TEST_F(LinearAlgebra, OverflowLeavesTheCallAsAFault) {
  EXPECT_THROW(Eval("Det({{1e4000,0},{0,1e4000}})"), EOverflow);
  EXPECT_THROW(Eval("LinearSolve({{1e-90,0},{0,1}}, {1e4900,1})"), EOverflow);
}

class Eigenvalues : public LinearAlgebra {
protected:
  Eigenvalues() { MakeSpectrumVectors(); }
  // Runs _EV1201 on the matrix M and gives RV and IV.
  std::pair<Reals, Reals> Spectrum() {
    EXPECT_EQ(Eval("_EV1201(M, RV, IV)"), "True");
    return {ValuesOf(Array("RV")), ValuesOf(Array("IV"))};
  }
};

TEST_F(Eigenvalues, KnownSpectra) {
  const long double root2 = std::sqrt(2.0L);
  const struct {
    const char* Matrix;
    Reals Real, Imaginary;
  } cases[] = {
      {"{{2,1},{1,2}}", {3, 1}, {0, 0}},
      {"{{2,0},{0,3}}", {3, 2}, {0, 0}},
      {"{{5}}", {5}, {0}},
      {"{{0,-1},{1,0}}", {0, 0}, {-1, 1}},
      {"{{2,-1,0},{-1,2,-1},{0,-1,2}}", {2 + root2, 2, 2 - root2}, {0, 0, 0}},
      {"{{1,2},{0,3}}", {1, 3}, {0, 0}},
  };
  for (const auto& c : cases) {
    Eval(std::string("M := ") + c.Matrix);
    const auto [real, imaginary] = Spectrum();
    ExpectNear(real, c.Real, c.Matrix);
    ExpectNear(imaginary, c.Imaginary, c.Matrix);
  }
}

// One bit off symmetric takes the QR iteration, which isolates the
// eigenvalues from the bottom up instead of sorting them.
TEST_F(Eigenvalues, NearlySymmetricMatrixTakesTheQRPath) {
  const long double phi = (1 + std::sqrt(5.0L)) / 2;
  Eval("M := {{1,1},{1,2}}");
  ExpectNear(Spectrum().first, {phi + 1, 2 - phi}, "symmetric");
  SetMatElem(Array("M"), 2, 1, std::nextafter(1.0L, 2.0L));
  ExpectNear(Spectrum().first, {2 - phi, phi + 1}, "one bit off");
}

TEST_F(Eigenvalues, VectorsTakeTheOrderOfTheMatrix) {
  Eval("M := {{2,1},{1,2}}");
  Eval("RV := {1,2,3,4}");
  Eval("IV := {}");
  const auto [real, imaginary] = Spectrum();
  EXPECT_EQ(real.size(), 2u);
  EXPECT_EQ(imaginary, (Reals{0, 0}));
}

TEST_F(Eigenvalues, NoConvergenceWarnsAndKeepsTheValues) {
  // The companion matrix of (x^2 - 1)^2 never splits; a separate 7 below it
  // is isolated first.
  Eval("M := {{0,2,0,-1,0},{1,0,0,0,0},{0,1,0,0,0},{0,0,1,0,0},{0,0,0,0,7}}");
  EXPECT_EQ(Eval("_EV1201(M, RV, IV)"), "No convergence|True");
  EXPECT_EQ(Sink->Lines[0], (TLine{"No convergence", lkWarning, 0}));
  EXPECT_EQ(ValuesOf(Array("RV")).back(), 7);
}

TEST_F(Eigenvalues, NonSquareMatrixIsRefused) {
  for (const char* matrix : {"{{1,2}}", "{{1,2},{3}}", "{{1},{2,3}}"}) {
    Eval(std::string("M := ") + matrix);
    EXPECT_EQ(Eval("_EV1201(M, RV, IV)"), "Matrix has to be square at [1:1] ") << matrix;
  }
}

// Work storage that cannot be had fails the call with a message instead of
// going on with a matrix of the wrong size.
class TImpossibleWork final : public TMatrixRoutine {
public:
  using TMatrixRoutine::TMatrixRoutine;

protected:
  bool Run(TSourcePos) override {
    TNMatrix work;
    SizeWorkMatrix(work, std::numeric_limits<std::int32_t>::max(), std::numeric_limits<std::int32_t>::max());
    return true;
  }
};

TEST_F(LinearAlgebra, StorageThatCannotBeHadFailsTheCall) {
  TImpossibleWork routine("Impossible", Engine->ParseSignature("function ( M : Matrix ) : Real", ""), nullptr);
  EXPECT_FALSE(routine.Execute({3, 4}));
  EXPECT_EQ(LinesText(), "Not enough memory at [3:4] ");
}

}  // namespace
