// The key sound plays on every keystroke, replacing the one playing.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <memory>

#include "console/Sounds.h"
#include "runtime/Storage.h"
#include "toolkit/win/PlaySound.h"

namespace {

void BM_PlayWhileAnotherPlays(benchmark::State& state) {
  Storage = std::make_unique<TStorage>("SoundsBench.ini", 1);
  TNullSoundBackend silent;
  SetSoundBackend(&silent);
  {
    TSounds sounds;
    sounds.AssignFile(sndKeyPress, Storage->AppFolder + "../bin/DATA/type.wav");
    sounds.Arm();
    if (sounds.EventById(sndKeyPress).Sound < 0) state.SkipWithError("the key sound is not laid out in bin/DATA");
    for (auto _ : state) {
      sounds.Play(sndKeyPress, false);
      silent.ClearRequests();
    }
  }
  SetSoundBackend(nullptr);
  std::remove(Storage->FileName().c_str());
  Storage.reset();
}
BENCHMARK(BM_PlayWhileAnotherPlays)->Iterations(10000);

}  // namespace
