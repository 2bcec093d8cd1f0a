#include "console/Sounds.h"

#include <fstream>

#include <gtest/gtest.h>

#include "tests/console/StoredSettings.h"
#include "toolkit/win/PlaySound.h"

namespace {

class SoundsTest : public StoredSettings {
protected:
  SoundsTest() { SetSoundBackend(&backend); }
  ~SoundsTest() override {
    AppSounds.reset();
    SetSoundBackend(nullptr);
  }

  // Settings as a run of the program left them.
  void StoreSounds(std::initializer_list<std::pair<std::string, std::string>> keys) {
    Storage->OpenSection("SOUNDS", true);
    TSectionCloser closer(*Storage);
    Storage->WriteBool("First", false);
    for (const auto& [key, value] : keys) Storage->WriteString(key, value);
  }
  std::string Data(const std::string& name) const { return Storage->AppFolder + "DATA/" + name; }
  std::string Missing() const { return (config / "gone.wav"); }
  int Plays() const {
    int plays = 0;
    for (const auto& request : backend.Requests()) plays += request.Kind == TNullSoundBackend::TKind::Play;
    return plays;
  }

  TNullSoundBackend backend;
};

TEST_F(SoundsTest, AFirstRunBindsTheDefaultFilesSharingTheKeySound) {
  AppSounds = std::make_unique<TSounds>();
  EXPECT_EQ(AppSounds->EventById(sndKeyPress).Sound, AppSounds->EventById(sndEnter).Sound);
  EXPECT_GE(AppSounds->EventById(sndKeyPress).Sound, 0);
  EXPECT_EQ(AppSounds->GetSound(AppSounds->EventById(sndError).Sound)->FileName(), Data("error.wav"));
  EXPECT_EQ(AppSounds->EventById(sndAppStart).Sound, -1);
  AppSounds.reset();
  EXPECT_EQ(Stored("SOUNDS", "SoundCount"), "4");
  EXPECT_EQ(Stored("SOUNDS", "First"), "0");
}

TEST_F(SoundsTest, StoredSoundsCloseUpAroundAMissingFile) {
  StoreSounds({{"SoundCount", "3"},
               {"Sound0", Data("switch.wav")},
               {"Sound1", Missing()},
               {"Sound2", Data("result.wav")},
               {"Event0", "0"},
               {"Event2", "1"},
               {"Event3", "2"},
               {"Event4", "7"}});
  TSounds sounds;
  EXPECT_EQ(sounds.EventById(sndAppStart).Sound, 0);
  EXPECT_EQ(sounds.EventById(sndError).Sound, -1) << "its file is gone";
  EXPECT_EQ(sounds.EventById(sndInfo).Sound, 1);
  EXPECT_EQ(sounds.GetSound(1)->FileName(), Data("result.wav"));
  EXPECT_EQ(sounds.EventById(sndWarning).Sound, -1) << "an index with no stored sound binds nothing";
  EXPECT_EQ(sounds.SoundCount(), 2);
}

// Counts and indices beyond 32 bits keep their meaning: they neither wrap
// round to small ones nor make the start read keys that are not there.
TEST_F(SoundsTest, CountsAndIndicesBeyondTheIntegerRangeBindNothingWrongly) {
  StoreSounds({{"SoundCount", "4294967298"},
               {"Sound0", Data("switch.wav")},
               {"Sound1", Data("result.wav")},
               {"Event0", "0"},
               {"Event1", "1"},
               {"Event2", "4294967296"}});
  TSounds sounds;
  EXPECT_EQ(sounds.SoundCount(), 2);
  EXPECT_EQ(sounds.EventById(sndFatal).Sound, 1);
  EXPECT_EQ(sounds.EventById(sndError).Sound, -1) << "not sound 0";
}

TEST_F(SoundsTest, FileNamesKeepTheirCase) {
  StoreSounds({});
  TSounds sounds;
  sounds.AssignFile(sndResult, Data("result.wav"));
  EXPECT_EQ(sounds.FindSound(Data("result.wav")), 0);
  EXPECT_EQ(sounds.FindSound(Data("RESULT.wav")), -1);
  sounds.AssignFile(sndResult, "");
  EXPECT_EQ(sounds.EventById(sndResult).Sound, -1);
  sounds.AssignFile(sndResult, Missing());
  EXPECT_EQ(sounds.EventById(sndResult).Sound, -1);
}

TEST_F(SoundsTest, PlayingIsGatedByArmingAndEnabling) {
  AppSounds = std::make_unique<TSounds>();
  for (std::uint8_t id = 0; id < 10; ++id) AppSounds->Play(id, false);
  EXPECT_EQ(Plays(), 0) << "not armed";
  AppSounds->Arm();
  AppSounds->Enabled = false;
  for (std::uint8_t id = 0; id < 10; ++id) AppSounds->Play(id, false);
  EXPECT_EQ(Plays(), 0) << "switched off";
  AppSounds->Enabled = true;
  AppSounds->Play(sndResult, true);
  ASSERT_EQ(Plays(), 1);
  EXPECT_TRUE(backend.Requests().back().Wait);
  AppSounds->Play(sndAppStart, false);
  EXPECT_EQ(Plays(), 1) << "an unbound event is silent";
  AppSounds->Play(sndKeyPress, false);
  backend.ClearRequests();
  AppSounds.reset();
  ASSERT_FALSE(backend.Requests().empty());
  EXPECT_EQ(backend.Requests().front().Kind, TNullSoundBackend::TKind::Stop) << "a playing sound stops first";
}

}  // namespace
