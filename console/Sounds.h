#pragma once
// The program's sound events: ten named events, the sound files (each read
// whole into memory once) and which file each event plays, kept in the
// settings section "SOUNDS". Sounds stay silent until armed, and while the
// user has them switched off.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "runtime/Stream.h"

enum TSoundId : std::uint8_t {
  sndAppStart = 0,
  sndFatal = 1,
  sndError = 2,
  sndInfo = 3,
  sndWarning = 4,
  sndResult = 5,
  sndKeyPress = 6,
  sndEnter = 7,
  sndTipsSwitch = 8,
  sndAppFinish = 9,
};
constexpr int SoundEventCount = 10;

// The display name of an event.
const char* SoundEventName(int id);

class TSound {
public:
  // Reads the whole file when it exists.
  explicit TSound(std::string fileName);

  const std::string& FileName() const { return fileName_; }
  bool HasData() const { return data_ != nullptr; }
  // Replaces the sound playing; waiting returns when this one has played.
  void Play(bool wait) const;

private:
  std::string fileName_;
  std::unique_ptr<TMemoryStream> data_;
};

struct TSndEvent {
  std::uint8_t Id = 0;
  int Sound = -1;  // index into the sounds; -1 when none is bound
  std::string Name;
  bool Bound = false;  // while loading: the stored index is mapped
};

class TSounds {
public:
  TSounds();
  // Writes the settings; a failure to write them does not leave the destructor.
  ~TSounds();
  TSounds(const TSounds&) = delete;
  TSounds& operator=(const TSounds&) = delete;

  TSndEvent& GetEvent(int index) { return events_.at(static_cast<std::size_t>(index)); }
  TSndEvent& EventById(std::uint8_t id) { return GetEvent(id); }
  int EventCount() const { return static_cast<int>(events_.size()); }
  // Nil for an index outside the list.
  const TSound* GetSound(int index) const;
  int SoundCount() const { return static_cast<int>(sounds_.size()); }
  // File names compare exactly, as the file system does; -1 when none.
  int FindSound(const std::string& fileName) const;
  // Binds an existing file to an event (loaded once); else unbinds it.
  void AssignFile(int eventIndex, const std::string& fileName);
  void Play(std::uint8_t id, bool wait);
  void Arm() { armed_ = true; }
  bool Armed() const { return armed_; }
  // Writes the settings section, as the destructor does; nothing once the
  // settings store is gone.
  void Save() const;

  bool Enabled = true;

private:
  void AddEvent(const std::string& name, std::uint8_t id);
  void AddSoundFile(const std::string& fileName, int key);
  void Load();
  void BindDefaults();

  std::vector<TSndEvent> events_;
  std::vector<std::unique_ptr<TSound>> sounds_;
  bool armed_ = false;
  bool played_ = false;
};

// The program's sound events while it runs (tests make and reset it freely).
extern std::unique_ptr<TSounds> AppSounds;
