#pragma once
// Time and chance in System: the system clock, waiting while the windows
// stay alive, and random numbers from the process-wide generator (seeded
// through TRandom::Seed, which tests use to fix the sequence).

#include "engine/Func.h"

// Seconds since an arbitrary origin, from a monotonic clock.
long double SystemTime();

// A normally distributed number by Marsaglia's polar method on the
// process-wide generator.
long double RandomGauss(long double mu, long double sigma);

// "function : real"
class TSysTimeSF final : public TFunc {
public:
  TSysTimeSF(TFuncKind* kind, TLib* lib) : TFunc("SysTime", kind, lib) {}
  bool Execute(TSourcePos pos) override;
};

class TRandSF final : public TFunc {
public:
  TRandSF(TFuncKind* kind, TLib* lib) : TFunc("Random", kind, lib) {}
  bool Execute(TSourcePos pos) override;
};

// "function ( Mu : real = 0; Sigma : real = 1 ) : real"
class TRandGSF final : public TFunc {
public:
  TRandGSF(TFuncKind* kind, TLib* lib) : TFunc("RandGauss", kind, lib) {}
  bool Execute(TSourcePos pos) override;
};

// "procedure( Time : Real )": waits |Time| seconds, processing the windows'
// messages; an abort ends the wait early.
class TDelaySF final : public TFunc {
public:
  TDelaySF(TFuncKind* kind, TLib* lib) : TFunc("Delay", kind, lib) {}
  bool Execute(TSourcePos pos) override;
};
