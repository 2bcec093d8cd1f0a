#include "toolkit/win/PlaySound.h"

#include <cstring>
#include <string>

#include "runtime/WholeFile.h"

namespace {

ISoundBackend* Backend = nullptr;

std::uint32_t Little32(const std::uint8_t* bytes) {
  return bytes[0] | bytes[1] << 8 | bytes[2] << 16 | static_cast<std::uint32_t>(bytes[3]) << 24;
}

std::uint16_t Little16(const std::uint8_t* bytes) { return static_cast<std::uint16_t>(bytes[0] | bytes[1] << 8); }

constexpr std::uint16_t WaveFormatPcm = 1;
constexpr std::size_t RiffHeaderSize = 12;
constexpr std::size_t ChunkHeaderSize = 8;
constexpr std::size_t PcmFormatSize = 16;

bool ReadPcmFormat(const std::uint8_t* chunk, std::size_t size, TWaveFormat& format) {
  if (size < PcmFormatSize || Little16(chunk) != WaveFormatPcm) return false;
  format.Channels = Little16(chunk + 2);
  format.SampleRate = static_cast<int>(Little32(chunk + 4));
  format.BitsPerSample = Little16(chunk + 14);
  return (format.Channels == 1 || format.Channels == 2) && format.SampleRate > 0 &&
         (format.BitsPerSample == 8 || format.BitsPerSample == 16);
}

// Empty when the file cannot be read.
std::vector<std::uint8_t> ReadFile(const char* fileName) {
  std::string bytes;
  if (!ReadWholeFile(fileName, bytes)) return {};
  return {bytes.begin(), bytes.end()};
}

// A silent stand-in until a backend is installed.
TNullSoundBackend& Silence() {
  static TNullSoundBackend silence;
  return silence;
}

}  // namespace

// Chunks follow each other, each padded to an even size; the samples are
// the data chunk's, which must lie inside the file.
bool ReadWave(const std::uint8_t* bytes, std::size_t size, TWaveFormat& format, std::vector<std::uint8_t>& samples) {
  if (!bytes || size < RiffHeaderSize || std::memcmp(bytes, "RIFF", 4) != 0 || std::memcmp(bytes + 8, "WAVE", 4) != 0)
    return false;
  bool formatRead = false;
  for (std::size_t at = RiffHeaderSize; at + ChunkHeaderSize <= size;) {
    const std::uint8_t* header = bytes + at;
    const std::size_t chunkSize = Little32(header + 4);
    const std::size_t body = at + ChunkHeaderSize;
    if (chunkSize > size - body) return false;
    if (std::memcmp(header, "fmt ", 4) == 0) {
      if (!ReadPcmFormat(bytes + body, chunkSize, format)) return false;
      formatRead = true;
    } else if (std::memcmp(header, "data", 4) == 0) {
      if (!formatRead) return false;
      samples.assign(bytes + body, bytes + body + chunkSize);
      return true;
    }
    at = body + chunkSize + (chunkSize & 1);
  }
  return false;
}

bool PlaySound(const void* sound, std::size_t size, DWORD flags) {
  if (!sound) {
    // Silence has nothing to stop; at the process's end it may be gone already.
    if (Backend) Backend->Stop();
    return true;
  }
  std::vector<std::uint8_t> file;
  const auto* bytes = static_cast<const std::uint8_t*>(sound);
  if (flags & SND_FILENAME) {
    file = ReadFile(static_cast<const char*>(sound));
    bytes = file.data();
    size = file.size();
  } else if (!(flags & SND_MEMORY)) {
    return false;
  }
  TWaveFormat format;
  auto samples = std::make_shared<std::vector<std::uint8_t>>();
  if (!ReadWave(bytes, size, format, *samples)) return false;
  SoundBackend().Play(format, std::move(samples), !(flags & SND_ASYNC));
  return true;
}

bool MessageBeep(UINT) {
  SoundBackend().Beep();
  return true;
}

void TNullSoundBackend::Play(const TWaveFormat& format, TSoundSamples samples, bool wait) {
  Stop();
  requests_.push_back({TKind::Play, format, samples ? samples->size() : 0, wait});
  playing_ = !wait;
}

void TNullSoundBackend::Stop() {
  if (!playing_) return;
  requests_.push_back({TKind::Stop, {}, 0, false});
  playing_ = false;
}

void TNullSoundBackend::Beep() { requests_.push_back({TKind::Beep, {}, 0, false}); }

void SetSoundBackend(ISoundBackend* backend) { Backend = backend; }

ISoundBackend& SoundBackend() { return Backend ? *Backend : Silence(); }
