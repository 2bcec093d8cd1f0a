#include "runtime/Stream.h"

#include <sys/stat.h>
#include <unistd.h>

#include <functional>
#include <memory>
#include <numeric>

#include <gtest/gtest.h>

#include "runtime/Exceptions.h"
#include "tests/runtime/TempFolder.h"

namespace {

// The text of the exception of the given class that the action raises; empty when none.
template <class Error>
std::string RaisedText(const std::function<void()>& action) {
  try {
    action();
  } catch (const Error& error) {
    return error.what();
  }
  return "";
}

std::vector<std::uint8_t> Counting(size_t count) {
  std::vector<std::uint8_t> bytes(count);
  std::iota(bytes.begin(), bytes.end(), std::uint8_t{1});
  return bytes;
}

// Every case runs on a memory stream and on a file stream made in a fresh folder.
class StreamKinds : public testing::TestWithParam<bool> {
protected:
  std::unique_ptr<TStream> MakeStream() {
    if (!GetParam()) return std::make_unique<TMemoryStream>();
    return std::make_unique<TFileStream>(folder_ / "stream.bin", fmCreate);
  }

  TempFolder folder_;
};

TEST_P(StreamKinds, WritesSeeksAndReadsBack) {
  auto stream = MakeStream();
  const auto bytes = Counting(10);
  EXPECT_EQ(stream->Write(bytes.data(), 10), 10);
  EXPECT_EQ(stream->Position(), 10);
  EXPECT_EQ(stream->Size(), 10);
  EXPECT_EQ(stream->Seek(-4, soEnd), 6);
  std::uint8_t tail[8] = {};
  EXPECT_EQ(stream->Read(tail, 8), 4) << "a read stops at the end";
  EXPECT_EQ(tail[0], 7);
  EXPECT_EQ(tail[3], 10);
  EXPECT_EQ(stream->Seek(-8, soCurrent), 2);
  stream->ReadBuffer(tail, 2);
  EXPECT_EQ(tail[0], 3);
  EXPECT_EQ(tail[1], 4);
}

TEST_P(StreamKinds, ShortBufferOperationsRaise) {
  auto stream = MakeStream();
  const auto bytes = Counting(4);
  stream->WriteBuffer(bytes.data(), 4);
  stream->SetPosition(2);
  std::uint8_t buffer[4];
  EXPECT_EQ(RaisedText<EStreamError>([&] { stream->ReadBuffer(buffer, 3); }), "Stream read error");
  stream->SetPosition(0);
  EXPECT_EQ(RaisedText<EStreamError>([&] { stream->ReadBuffer(buffer, 4); }), "");
}

TEST_P(StreamKinds, SetSizeShortensAndThePositionFollows) {
  auto stream = MakeStream();
  const auto bytes = Counting(10);
  stream->WriteBuffer(bytes.data(), 10);
  stream->SetSize(6);
  EXPECT_EQ(stream->Size(), 6);
  EXPECT_EQ(stream->Position(), 6);
  stream->SetSize(8);
  stream->SetPosition(6);
  std::uint8_t grown[2] = {9, 9};
  stream->ReadBuffer(grown, 2);
  EXPECT_EQ(grown[0], 0) << "a grown stream is filled with zeros";
}

TEST_P(StreamKinds, CopyFromCountZeroCopiesTheWholeSource) {
  TMemoryStream source;
  const auto bytes = Counting(300);
  source.WriteBuffer(bytes.data(), 300);
  source.SetPosition(100);
  auto target = MakeStream();
  EXPECT_EQ(target->CopyFrom(source, 0), 300);
  EXPECT_EQ(target->Size(), 300);
  source.SetPosition(250);
  EXPECT_EQ(target->CopyFrom(source, 50), 50);
  std::vector<std::uint8_t> copied(350);
  target->SetPosition(0);
  target->ReadBuffer(copied.data(), 350);
  EXPECT_TRUE(std::equal(bytes.begin(), bytes.end(), copied.begin()));
  EXPECT_TRUE(std::equal(bytes.begin() + 250, bytes.end(), copied.begin() + 300));
  EXPECT_EQ(RaisedText<EStreamError>([&] { target->CopyFrom(source, 1); }), "Stream read error");
}

INSTANTIATE_TEST_SUITE_P(Stream, StreamKinds, testing::Bool(),
                         [](const testing::TestParamInfo<bool>& info) { return info.param ? "File" : "Memory"; });

TEST(MemoryStream, WritingPastTheEndFillsTheGap) {
  TMemoryStream stream;
  stream.SetPosition(3);
  const std::uint8_t one = 1;
  stream.WriteBuffer(&one, 1);
  ASSERT_EQ(stream.Size(), 4);
  EXPECT_EQ(stream.Memory()[0], 0);
  EXPECT_EQ(stream.Memory()[3], 1);
  stream.Clear();
  EXPECT_EQ(stream.Size(), 0);
  EXPECT_EQ(stream.Position(), 0);
}

TEST(MemoryStream, FileRoundTripOfOneMebibyte) {
  TempFolder folder;
  TMemoryStream stream;
  std::vector<std::uint8_t> bytes(1 << 20);
  for (size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<std::uint8_t>(i * 7 + i / 256);
  stream.WriteBuffer(bytes.data(), static_cast<std::int64_t>(bytes.size()));
  stream.SaveToFile(folder / "big.bin");
  TMemoryStream loaded;
  loaded.LoadFromFile(folder / "big.bin");
  EXPECT_EQ(loaded.Position(), 0);
  ASSERT_EQ(loaded.Size(), static_cast<std::int64_t>(bytes.size()));
  EXPECT_TRUE(std::equal(bytes.begin(), bytes.end(), loaded.Memory()));
}

TEST(FileStream, MissingFileRaisesOpenErrorWithItsName) {
  TempFolder folder;
  const std::string name = folder / "missing.bin";
  for (unsigned mode : {fmOpenRead, fmOpenWrite | fmShareExclusive, fmOpenReadWrite | fmShareDenyNone})
    EXPECT_EQ(RaisedText<EFOpenError>([&] { TFileStream stream(name, mode); }),
              "Cannot open file \"" + name + "\". No such file or directory");
}

TEST(FileStream, CreatingInAReadOnlyFolderRaisesCreateError) {
  if (geteuid() == 0) GTEST_SKIP() << "the superuser writes into read-only folders";
  TempFolder folder;
  const std::string locked = folder / "locked";
  ASSERT_EQ(mkdir(locked.c_str(), 0500), 0);
  const std::string name = locked + "/new.bin";
  EXPECT_EQ(RaisedText<EFCreateError>([&] { TFileStream stream(name, fmCreate); }),
            "Cannot create file \"" + name + "\". Permission denied");
  chmod(locked.c_str(), 0700);
}

TEST(FileStream, CreatingBelowAFileRaisesCreateError) {
  TempFolder folder;
  const std::string plain = folder / "plain";
  std::ofstream(plain) << "x";
  EXPECT_EQ(RaisedText<EFCreateError>([&] { TFileStream stream(plain + "/new.bin", fmCreate); }),
            "Cannot create file \"" + plain + "/new.bin\". Not a directory");
}

TEST(FileStream, CreateEmptiesAnExistingFile) {
  TempFolder folder;
  const std::string name = folder / "old.bin";
  std::ofstream(name) << "old content";
  TFileStream stream(name, fmCreate);
  EXPECT_EQ(stream.Size(), 0);
}

TEST(BinaryProperty, RoundTripsBlocksBackToBackAndEmptyAsCountZero) {
  TMemoryStream form;
  TMemoryStream full;
  const auto bytes = Counting(300);
  full.WriteBuffer(bytes.data(), 300);
  TMemoryStream empty;
  WriteBinaryProperty(form, full);
  WriteBinaryProperty(form, empty);
  ASSERT_EQ(form.Size(), 4 + 300 + 4);
  EXPECT_EQ(form.Memory()[0], 300 % 256);
  EXPECT_EQ(form.Memory()[1], 300 / 256);

  form.SetPosition(0);
  TMemoryStream first;
  TMemoryStream second;
  second.WriteBuffer(bytes.data(), 5);  // replaced, not appended to
  ReadBinaryProperty(form, first);
  ReadBinaryProperty(form, second);
  EXPECT_EQ(std::vector<std::uint8_t>(first.Memory(), first.Memory() + first.Size()), bytes);
  EXPECT_EQ(first.Position(), 0);
  EXPECT_EQ(second.Size(), 0);
  EXPECT_EQ(form.Position(), form.Size());
}

// A damaged count raises before anything is allocated for it.
TEST(BinaryProperty, CountsThatCannotHoldRaiseReadError) {
  for (const std::int32_t count : {-1, 5, INT32_MAX}) {
    TMemoryStream form;
    form.WriteInt32(count);
    form.WriteBuffer("abcd", 4);
    form.SetPosition(0);
    TMemoryStream data;
    EXPECT_EQ(RaisedText<EStreamError>([&] { ReadBinaryProperty(form, data); }), "Stream read error") << count;
  }
  TMemoryStream cut;
  cut.WriteBuffer("ab", 2);
  cut.SetPosition(0);
  TMemoryStream data;
  EXPECT_EQ(RaisedText<EStreamError>([&] { ReadBinaryProperty(cut, data); }), "Stream read error");
}

}  // namespace
