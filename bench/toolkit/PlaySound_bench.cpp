#include <benchmark/benchmark.h>

#include <cstring>
#include <vector>

#include "toolkit/qt/QtSound.h"
#include "toolkit/win/PlaySound.h"

namespace {

// A 5 KB WAV: about the size of a key click.
std::vector<std::uint8_t> KeyClickWave() {
  const std::uint8_t header[44] = {'R', 'I', 'F', 'F', 0x24, 0x14, 0, 0, 'W', 'A', 'V', 'E', 'f', 'm', 't', ' ',
                                   16,  0,   0,   0,   1,    0,    1, 0, 0x40, 0x1F, 0, 0,  0x80, 0x3E, 0, 0,
                                   2,   0,   16,  0,   'd',  'a',  't', 'a', 0, 0x14, 0, 0};
  std::vector<std::uint8_t> wave(header, header + sizeof header);
  wave.resize(wave.size() + 0x1400, 0);
  return wave;
}

// A key press plays a sound on every keystroke: each call replaces the last.
void PlayAsyncRepeatedly(benchmark::State& state, ISoundBackend& backend) {
  const auto wave = KeyClickWave();
  SetSoundBackend(&backend);
  for (auto _ : state) benchmark::DoNotOptimize(PlaySound(wave.data(), wave.size(), SND_MEMORY | SND_ASYNC));
  PlaySound(nullptr, 0, 0);
  SetSoundBackend(nullptr);
}

void BM_PlaySoundAsyncNull(benchmark::State& state) {
  TNullSoundBackend backend;
  PlayAsyncRepeatedly(state, backend);
}
BENCHMARK(BM_PlaySoundAsyncNull)->Iterations(10000);

void BM_PlaySoundAsyncQt(benchmark::State& state) { PlayAsyncRepeatedly(state, QtSoundBackend()); }
BENCHMARK(BM_PlaySoundAsyncQt)->Iterations(10000);

}  // namespace
