#include "toolkit/win/PlaySound.h"

#include <chrono>
#include <cstring>
#include <fstream>

#include <gtest/gtest.h>

#include "tests/runtime/TempFolder.h"
#include "toolkit/qt/QtSound.h"

namespace {

void Put32(std::vector<std::uint8_t>& bytes, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) bytes.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

void Put16(std::vector<std::uint8_t>& bytes, std::uint16_t value) {
  bytes.push_back(static_cast<std::uint8_t>(value));
  bytes.push_back(static_cast<std::uint8_t>(value >> 8));
}

void PutTag(std::vector<std::uint8_t>& bytes, const char* tag) {
  for (int i = 0; i < 4; ++i) bytes.push_back(static_cast<std::uint8_t>(tag[i]));
}

// A WAV file as the parts are given; dataSize may claim more than follows.
struct TWaveSpec {
  std::uint16_t FormatTag = 1;
  std::uint16_t Channels = 1;
  std::uint32_t SampleRate = 8000;
  std::uint16_t Bits = 16;
  std::uint32_t SampleBytes = 4000;
  std::uint32_t ClaimedDataSize = 0;  // 0: the sample bytes
  bool WithFormat = true;
  const char* Riff = "RIFF";
};

std::vector<std::uint8_t> MakeWave(const TWaveSpec& spec) {
  std::vector<std::uint8_t> bytes;
  PutTag(bytes, spec.Riff);
  Put32(bytes, 0);
  PutTag(bytes, "WAVE");
  if (spec.WithFormat) {
    PutTag(bytes, "fmt ");
    Put32(bytes, 16);
    Put16(bytes, spec.FormatTag);
    Put16(bytes, spec.Channels);
    Put32(bytes, spec.SampleRate);
    Put32(bytes, spec.SampleRate * spec.Channels * spec.Bits / 8);
    Put16(bytes, static_cast<std::uint16_t>(spec.Channels * spec.Bits / 8));
    Put16(bytes, spec.Bits);
  }
  PutTag(bytes, "data");
  Put32(bytes, spec.ClaimedDataSize ? spec.ClaimedDataSize : spec.SampleBytes);
  bytes.resize(bytes.size() + spec.SampleBytes, 0x80);
  const std::uint32_t riffSize = static_cast<std::uint32_t>(bytes.size() - 8);
  std::memcpy(bytes.data() + 4, &riffSize, 4);
  return bytes;
}

using TKind = TNullSoundBackend::TKind;

class PlaySoundTest : public testing::Test {
protected:
  PlaySoundTest() { SetSoundBackend(&backend_); }
  ~PlaySoundTest() override { SetSoundBackend(nullptr); }

  TNullSoundBackend backend_;
};

TEST_F(PlaySoundTest, AsyncPlayFromMemoryRecordsTheFormatAndTheData) {
  auto wave = MakeWave({});
  ASSERT_TRUE(PlaySound(wave.data(), wave.size(), SND_MEMORY | SND_ASYNC));
  wave.assign(wave.size(), 0);  // the player holds its own copy
  ASSERT_EQ(backend_.Requests().size(), 1u);
  const auto& played = backend_.Requests()[0];
  EXPECT_EQ(played.Kind, TKind::Play);
  EXPECT_EQ(played.Format, (TWaveFormat{8000, 1, 16}));
  EXPECT_EQ(played.Bytes, 4000u);
  EXPECT_FALSE(played.Wait);
}

TEST_F(PlaySoundTest, ASecondAsyncPlayStopsTheFirst) {
  const auto wave = MakeWave({});
  PlaySound(wave.data(), wave.size(), SND_MEMORY | SND_ASYNC);
  PlaySound(wave.data(), wave.size(), SND_MEMORY | SND_ASYNC);
  ASSERT_EQ(backend_.Requests().size(), 3u);
  EXPECT_EQ(backend_.Requests()[1].Kind, TKind::Stop);
  EXPECT_EQ(backend_.Requests()[2].Kind, TKind::Play);
}

TEST_F(PlaySoundTest, SyncPlayReturnsAtOnceAndAFileIsPlayedByName) {
  TempFolder folder;
  const auto wave = MakeWave({.Channels = 2, .SampleRate = 44100, .Bits = 8, .SampleBytes = 44100 * 2 * 3});
  std::ofstream(folder / "three seconds.wav", std::ios::binary)
      .write(reinterpret_cast<const char*>(wave.data()), static_cast<std::streamsize>(wave.size()));
  const std::string name = folder / "three seconds.wav";
  const auto started = std::chrono::steady_clock::now();
  ASSERT_TRUE(PlaySound(name.c_str(), 0, SND_FILENAME | SND_SYNC));
  EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(1));
  ASSERT_EQ(backend_.Requests().size(), 1u);
  EXPECT_EQ(backend_.Requests()[0].Format, (TWaveFormat{44100, 2, 8}));
  EXPECT_TRUE(backend_.Requests()[0].Wait);
  EXPECT_FALSE(PlaySound((folder / "missing.wav").c_str(), 0, SND_FILENAME));
}

TEST_F(PlaySoundTest, BadFilesPlayNothing) {
  const struct {
    const char* Name;
    std::vector<std::uint8_t> Bytes;
  } cases[] = {
      {"no RIFF", MakeWave({.Riff = "RIFX"})},
      {"no fmt chunk", MakeWave({.WithFormat = false})},
      {"float samples", MakeWave({.FormatTag = 3, .Bits = 32})},
      {"24 bits", MakeWave({.Bits = 24})},
      {"data longer than the file", MakeWave({.ClaimedDataSize = 4001})},
      {"zero channels", MakeWave({.Channels = 0})},
      {"empty buffer", {}},
      {"header only", {'R', 'I', 'F', 'F'}},
  };
  for (const auto& bad : cases) {
    // A null sound means stop: an empty buffer still has an address.
    const void* sound = bad.Bytes.empty() ? static_cast<const void*>("") : bad.Bytes.data();
    EXPECT_FALSE(PlaySound(sound, bad.Bytes.size(), SND_MEMORY | SND_ASYNC)) << bad.Name;
  }
  EXPECT_TRUE(backend_.Requests().empty());
}

TEST_F(PlaySoundTest, BeepAndStopAreRecorded) {
  const auto wave = MakeWave({});
  PlaySound(wave.data(), wave.size(), SND_MEMORY | SND_ASYNC);
  EXPECT_TRUE(PlaySound(nullptr, 0, 0));
  EXPECT_TRUE(MessageBeep(MB_BEEP_SIMPLE));
  ASSERT_EQ(backend_.Requests().size(), 3u);
  EXPECT_EQ(backend_.Requests()[1].Kind, TKind::Stop);
  EXPECT_EQ(backend_.Requests()[2].Kind, TKind::Beep);
}

// Without an audio server (as in CI) the play falls back to silence; with one
// it plays, and the wait is bounded by the sound's length plus half a second.
TEST(QtSound, SyncPlayOfTwoSecondsReturns) {
  const auto wave = MakeWave({.SampleBytes = 8000 * 2 * 2});
  SetSoundBackend(&QtSoundBackend());
  const auto started = std::chrono::steady_clock::now();
  EXPECT_TRUE(PlaySound(wave.data(), wave.size(), SND_MEMORY | SND_SYNC));
  EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::milliseconds(2500) + std::chrono::seconds(2));
  PlaySound(wave.data(), wave.size(), SND_MEMORY | SND_ASYNC);
  PlaySound(nullptr, 0, 0);
  SetSoundBackend(nullptr);
}

}  // namespace
