#include "libraries/SysMathLibrary.h"

#include <string>
#include <vector>

#include "RealNear.h"
#include "SystemEngine.h"
#include "engine/Kind.h"
#include "engine/Tarnscript.h"

namespace {

class SysMathLibrary : public SystemEngine {
protected:
  long double Real(const std::string& line) {
    const TValue value = ResultOf(line);
    EXPECT_EQ(value.Kind(), kcReal) << line << ": " << LinesText();
    return value.AsReal();
  }
};

// An IXDataClient that keeps the names of the libraries and routines it is given.
class TNameCollector final : public IXDataClient {
public:
  void* AddItem(void*, void* item, std::uint8_t kind) override {
    if (kind == dikLibrary) Names.push_back(static_cast<TLib*>(item)->Name());
    if (kind == dikRoutine) Names.push_back(static_cast<TFunc*>(item)->Name());
    return item;
  }
  void Update(std::uint8_t) override {}
  std::uint8_t GetMask() override { return 0; }

  std::vector<std::string> Names;
};

TEST_F(SysMathLibrary, RoutinesAreCalledByNameButNeverListed) {
  TLib* sysMath = Engine->FindLibrary("_SysMath");
  ASSERT_NE(sysMath, nullptr);
  EXPECT_TRUE(sysMath->BuiltIn());
  for (const char* name : {"_EV1201", "_LS1201", "_CV01", "_CV02"}) {
    TFunc* routine = Engine->Funcs().Find(name);
    ASSERT_NE(routine, nullptr) << name;
    EXPECT_EQ(routine->Lib(), sysMath) << name;
  }
  auto collector = MakeCounted<TNameCollector>();
  Engine->EnumLibraries(*collector, true, (1u << dikLibrary) | (1u << dikRoutine), "");
  for (const std::string& name : collector->Names) EXPECT_NE(name.front(), '_') << name;
  EXPECT_EQ(Real("_CV01({1, 1000}, 2, 1, 3)"), 3000);
}

TEST_F(SysMathLibrary, Conversions) {
  const struct {
    const char* Line;
    long double Result;
  } cases[] = {
      {"_CV01({1, 1000}, 2, 1, 3)", 3000},
      {"_CV01({1, 1000}, 1, 2, 500)", 0.5},
      {"_CV01({2, 8}, 1, 1, 7)", 7},
      {"_CV02({2, 4}, {1, 10}, 1, 2, 5)", 12},
      // Celsius, Kelvin: the offsets cancel exactly to 0.
      {"_CV02({1, 1}, {0, 273.15}, 1, 2, -273.15)", 0},
      {"_CV02({1, 1}, {273.15, 0}, 1, 2, 0)", -273.15L},
  };
  for (const auto& c : cases) EXPECT_EQ(Real(c.Line), c.Result) << c.Line;
}

// Only a cancellation of the terms snaps to 0; a small quantity of its own
// stays what it is.
TEST_F(SysMathLibrary, OnlyCancellationSnapsToZero) {
  EXPECT_EQ(Real("_CV02({1, 1}, {0, 0}, 1, 2, 1e-12)"), 1e-12L);
  ExpectRealNear(Real("_CV02({1, 1000}, {0, 0}, 2, 1, 1e-15)"), 1e-12L, "1e-15 * 1000");
  EXPECT_EQ(Real("_CV02({3, 1}, {0, -3.3}, 1, 2, 1.1)"), 0) << "1.1 * 3 - 3.3 leaves a rounding residue";
  EXPECT_NE(Real("_CV02({1, 1}, {0, -1}, 1, 2, 1.000001)"), 0);
}

TEST_F(SysMathLibrary, PositionsOutsideTheTablesAreIndexErrors) {
  const struct {
    const char* Line;
    const char* Error;
  } cases[] = {
      {"_CV01({1, 1000}, 3, 1, 1)", "Array index = 3 is out of range at [1:1] "},
      {"_CV01({1, 1000}, 1, 0, 1)", "Array index = 0 is out of range at [1:1] "},
      {"_CV01({1, 1000}, 1, -5, 1)", "Array index = -5 is out of range at [1:1] "},
      {"_CV01({1, 1000}, 4294967297, 1, 1)", "Array index = 4294967297 is out of range at [1:1] "},
      {"_CV02({1, 2, 3}, {0, 0}, 3, 1, 1)", "Array index = 3 is out of range at [1:1] "},
      {"_CV02({1, 2}, {0, 0, 0}, 1, 3, 1)", "Array index = 3 is out of range at [1:1] "},
  };
  for (const auto& c : cases) EXPECT_EQ(Eval(c.Line), c.Error) << c.Line;
}

TEST_F(SysMathLibrary, DivisionByAZeroFactorFollowsRealArithmetic) {
  EXPECT_EQ(Eval("_CV01({0, 1}, 2, 1, 3)"), "INF");
  EXPECT_THROW(Eval("_CV01({0, 1}, 1, 1, 3)"), EInvalidOp);
}

}  // namespace
