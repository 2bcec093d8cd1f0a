#pragma once
// FFT(V) and InverseFFT(V): the radix-2 complex Fourier transform of V's
// interleaved real and imaginary parts, padded with zeros to a power of two
// of complex values. The forward transform takes the positive exponent,
// X_k = sum x_j e^(+2 pi i jk/m); the inverse the negative one, divided by m.

#include <cstdint>
#include <span>

#include "engine/Func.h"

class TFFTNF : public TFunc {
public:
  // Direction 1 is FFT, 0 InverseFFT.
  TFFTNF(TFuncKind* signature, std::uint8_t direction, TLib* lib);
  bool Execute(TSourcePos pos) override;

  // The least power of two >= k, k >= 1.
  static std::int32_t NextPowerOfTwo(std::int32_t k);
  // In place on nn complex values (2·nn reals); isign +1 or -1 is the sign
  // of the exponent.
  static void Transform(std::span<long double> data, std::int32_t nn, int isign);

private:
  std::uint8_t direction_;
};

// The two objects of the catalogue, made as every routine of a row is.
template <std::uint8_t Direction>
class TFFTDirectionNF final : public TFFTNF {
public:
  TFFTDirectionNF(TFuncKind* signature, TLib* lib) : TFFTNF(signature, Direction, lib) {}
};

using TForwardFFTNF = TFFTDirectionNF<1>;
using TInverseFFTNF = TFFTDirectionNF<0>;
