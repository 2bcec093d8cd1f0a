#pragma once
// Sound: WAV files played from memory or from a file, and the system beep,
// through a replaceable backend: Qt's audio output in the program, a silent
// recorder in tests and wherever no audio device exists.
//
// Playing replaces any sound playing. An asynchronous play returns at once;
// a synchronous one returns when the sound ends, waiting no longer than the
// sound's length plus half a second, and at once when nothing can play.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "toolkit/base/Handles.h"

constexpr DWORD SND_SYNC = 0x0000;
constexpr DWORD SND_ASYNC = 0x0001;
constexpr DWORD SND_NODEFAULT = 0x0002;
constexpr DWORD SND_MEMORY = 0x0004;
constexpr DWORD SND_FILENAME = 0x00020000;

constexpr UINT MB_BEEP_SIMPLE = 0xFFFFFFFF;

// Sound: with SND_MEMORY a whole WAV file of size bytes, which the player
// copies (the caller may free it at once); with SND_FILENAME the file's name
// as a zero-terminated string. A null sound stops the sound playing. False
// for anything but PCM of 8 or 16 bits in 1 or 2 channels, or a missing file.
bool PlaySound(const void* sound, std::size_t size, DWORD flags);
bool MessageBeep(UINT type);

struct TWaveFormat {
  int SampleRate = 0;
  int Channels = 0;
  int BitsPerSample = 0;

  int BytesPerSecond() const { return SampleRate * Channels * BitsPerSample / 8; }
  bool operator==(const TWaveFormat&) const = default;
};

using TSoundSamples = std::shared_ptr<const std::vector<std::uint8_t>>;

// Reads a RIFF/WAVE file: the "fmt " chunk's PCM format and the "data"
// chunk's samples. False for another format or a damaged file.
bool ReadWave(const std::uint8_t* bytes, std::size_t size, TWaveFormat& format, std::vector<std::uint8_t>& samples);

class ISoundBackend {
public:
  virtual ~ISoundBackend() = default;
  // Replaces any sound playing; with wait, returns when this one has ended.
  virtual void Play(const TWaveFormat& format, TSoundSamples samples, bool wait) = 0;
  virtual void Stop() = 0;
  virtual void Beep() = 0;
};

// Plays nothing and records each request. A sound played asynchronously
// counts as playing until it is stopped or replaced, which records a stop.
class TNullSoundBackend final : public ISoundBackend {
public:
  enum class TKind { Play, Stop, Beep };
  struct TRequest {
    TKind Kind;
    TWaveFormat Format;
    std::size_t Bytes = 0;
    bool Wait = false;
  };

  void Play(const TWaveFormat& format, TSoundSamples samples, bool wait) override;
  void Stop() override;
  void Beep() override;

  const std::vector<TRequest>& Requests() const { return requests_; }
  void ClearRequests() { requests_.clear(); }

private:
  std::vector<TRequest> requests_;
  bool playing_ = false;
};

// Installs the backend (the caller keeps ownership); nullptr: silence.
void SetSoundBackend(ISoundBackend* backend);
ISoundBackend& SoundBackend();
