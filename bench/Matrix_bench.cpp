// A 1000x1000 Matrix is 10^6 element variables: how long it takes to make
// and to copy one, and how much memory each element costs (heap in use,
// allocator overhead included, per element).

#include <benchmark/benchmark.h>
#include <malloc.h>

#include <memory>

#include "engine/ArrVar.h"
#include "engine/Kind.h"
#include "engine/KindTab.h"
#include "engine/Lib.h"

namespace {

constexpr std::int32_t Side = 1000;
constexpr double Elements = double(Side) * Side;

std::size_t HeapInUse() {
  struct mallinfo2 info = mallinfo2();
  return info.uordblks + info.hblkhd;
}

// One engine's kinds with Vector and Matrix registered as the System library does.
class TMatrixKinds {
public:
  TMatrixKinds() {
    kinds_.RegisterBuiltIns(&system_);
    TKind* vector = kinds_.Register(std::make_unique<TArrKind>(BaseKind(kcReal), "Vector", &system_, 1, 0), &system_);
    matrix_ = kinds_.Register(std::make_unique<TArrKind>(vector, "Matrix", &system_, 1, 0), &system_);
  }

  std::unique_ptr<TVar> MakeMatrix(std::int32_t side = Side) {
    auto m = MakeVar("m", matrix_, false, NoneValue, &system_);
    SetMatSize(static_cast<TArrVar&>(*m), side, side, true);
    return m;
  }

private:
  TLib system_{"System", true};
  TKindTab kinds_;
  TKind* matrix_ = nullptr;
};

void BM_CreateMatrix(benchmark::State& state) {
  TMatrixKinds kinds;
  double bytesPerElement = 0;
  for (auto _ : state) {
    std::size_t before = HeapInUse();
    auto m = kinds.MakeMatrix();
    bytesPerElement = double(HeapInUse() - before) / Elements;
    benchmark::DoNotOptimize(m.get());
  }
  state.counters["bytes_per_element"] = bytesPerElement;
  state.counters["elements_per_second"] = benchmark::Counter(Elements, benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(BM_CreateMatrix)->Unit(benchmark::kMillisecond);

void BM_AssignMatrix(benchmark::State& state) {
  TMatrixKinds kinds;
  auto source = kinds.MakeMatrix();
  auto& m = static_cast<TArrVar&>(*source);
  for (std::int32_t i = 1; i <= Side; ++i)
    for (std::int32_t j = 1; j <= Side; ++j) SetMatElem(m, i, j, i + j / 1000.0L);
  auto target = kinds.MakeMatrix();
  for (auto _ : state) benchmark::DoNotOptimize(target->Assign(*source, false));
  state.counters["elements_per_second"] = benchmark::Counter(Elements, benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(BM_AssignMatrix)->Unit(benchmark::kMillisecond);

// Assignment into an empty variable, which makes the rows and elements first.
void BM_AssignMatrixToNewVariable(benchmark::State& state) {
  TMatrixKinds kinds;
  auto source = kinds.MakeMatrix();
  for (auto _ : state) {
    auto target = kinds.MakeMatrix(0);
    benchmark::DoNotOptimize(target->Assign(*source, false));
  }
  state.counters["elements_per_second"] = benchmark::Counter(Elements, benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(BM_AssignMatrixToNewVariable)->Unit(benchmark::kMillisecond);

}  // namespace
