#include "console/Sounds.h"

#include <algorithm>
#include <filesystem>
#include <limits>

#include "runtime/Exceptions.h"
#include "runtime/Storage.h"
#include "toolkit/win/PlaySound.h"

std::unique_ptr<TSounds> AppSounds;

namespace {

bool FileExists(const std::string& fileName) {
  std::error_code ignored;
  return !fileName.empty() && std::filesystem::is_regular_file(fileName, ignored);
}

// A stored sound index; one beyond the index range binds nothing.
int StoredIndex(std::int64_t stored) {
  return stored >= 0 && stored < std::numeric_limits<int>::max() ? static_cast<int>(stored) : -1;
}

constexpr const char* EventNames[SoundEventCount] = {
    "Application start", "Fatal error", "Error message", "Information message", "Warning message",
    "Result",            "Key press",   "Carriage return", "Tips switch",       "Application finish",
};

}  // namespace

const char* SoundEventName(int id) { return EventNames[id]; }

TSound::TSound(std::string fileName) : fileName_(std::move(fileName)) {
  if (!FileExists(fileName_)) return;
  auto data = std::make_unique<TMemoryStream>();
  try {
    data->LoadFromFile(fileName_);
  } catch (const EQuantrelError&) {
    return;  // unreadable: a sound without data
  }
  data_ = std::move(data);
}

void TSound::Play(bool wait) const {
  if (!data_) return;
  PlaySound(data_->Memory(), static_cast<std::size_t>(data_->Size()), SND_MEMORY | (wait ? SND_SYNC : SND_ASYNC));
}

TSounds::TSounds() {
  for (std::uint8_t id = 0; id < SoundEventCount; ++id) AddEvent(EventNames[id], id);
  Load();
}

TSounds::~TSounds() {
  if (played_) PlaySound(nullptr, 0, 0);
  try {
    Save();
  } catch (const std::exception&) {
    // The settings stay as they were; the program is ending anyway.
  }
}

void TSounds::AddEvent(const std::string& name, std::uint8_t id) {
  QASSERT(static_cast<int>(events_.size()) == id, "5D0E41C8");
  events_.push_back(TSndEvent{id, -1, name, false});
}

const TSound* TSounds::GetSound(int index) const {
  return index >= 0 && index < SoundCount() ? sounds_[static_cast<std::size_t>(index)].get() : nullptr;
}

int TSounds::FindSound(const std::string& fileName) const {
  for (int i = 0; i < SoundCount(); ++i)
    if (sounds_[static_cast<std::size_t>(i)]->FileName() == fileName) return i;
  return -1;
}

void TSounds::AssignFile(int eventIndex, const std::string& fileName) {
  TSndEvent& event = GetEvent(eventIndex);
  if (!FileExists(fileName)) {
    event.Sound = -1;
    return;
  }
  event.Sound = FindSound(fileName);
  if (event.Sound < 0) {
    sounds_.push_back(std::make_unique<TSound>(fileName));
    event.Sound = SoundCount() - 1;
  }
}

void TSounds::Play(std::uint8_t id, bool wait) {
  if (!armed_ || !Enabled || id >= events_.size()) return;
  const TSound* sound = GetSound(events_[id].Sound);
  if (!sound || !sound->HasData()) return;
  played_ = true;
  sound->Play(wait);
}

// A stored sound that no event uses, or whose file has gone, is not loaded;
// the indices of the others close up. Stored indices arrive in increasing
// order and a new index never exceeds its key, so a mapped event cannot
// match a later key.
void TSounds::AddSoundFile(const std::string& fileName, int key) {
  bool used = false;
  for (TSndEvent& event : events_) {
    if (event.Bound || event.Sound != key) continue;
    if (FileExists(fileName)) {
      used = true;
      break;
    }
    event.Sound = -1;
  }
  if (!used) return;
  sounds_.push_back(std::make_unique<TSound>(fileName));
  const int index = SoundCount() - 1;
  for (TSndEvent& event : events_) {
    if (event.Bound || event.Sound != key) continue;
    event.Sound = index;
    event.Bound = true;
  }
}

// An event whose stored index names no loaded sound is left unbound.
void TSounds::Load() {
  bool first = true;
  {
    Storage->OpenSection("SOUNDS", false);
    TSectionCloser closer(*Storage);
    first = Storage->ReadBool("First", true);
    Enabled = Storage->ReadBool("Enabled", true);
    int usedKeys = 0;
    for (TSndEvent& event : events_) {
      event.Sound = StoredIndex(Storage->ReadInteger("Event" + std::to_string(event.Id), -1));
      usedKeys = std::max(usedKeys, event.Sound + 1);
    }
    // Keys past the last one an event names would be dropped unread.
    const int count = Storage->ReadCount("SoundCount", usedKeys);
    for (int key = 0; key < count; ++key) AddSoundFile(Storage->ReadString("Sound" + std::to_string(key), ""), key);
  }
  for (TSndEvent& event : events_) {
    if (!event.Bound) event.Sound = -1;
    event.Bound = false;
  }
  if (first) BindDefaults();
}

void TSounds::BindDefaults() {
  const std::string data = Storage->AppFolder + "DATA/";
  AssignFile(sndTipsSwitch, data + "switch.wav");
  AssignFile(sndKeyPress, data + "type.wav");
  AssignFile(sndEnter, data + "type.wav");
  AssignFile(sndResult, data + "result.wav");
  AssignFile(sndError, data + "error.wav");
}

void TSounds::Save() const {
  if (!Storage) return;
  Storage->OpenSection("SOUNDS", true);
  TSectionCloser closer(*Storage);
  Storage->WriteBool("First", false);
  Storage->WriteBool("Enabled", Enabled);
  for (const TSndEvent& event : events_) Storage->WriteInteger("Event" + std::to_string(event.Id), event.Sound);
  Storage->WriteInteger("SoundCount", SoundCount());
  for (int i = 0; i < SoundCount(); ++i)
    Storage->WriteString("Sound" + std::to_string(i), sounds_[static_cast<std::size_t>(i)]->FileName());
}
