// Packed skins: the test skin unpacked, the decompression stream on its
// own, and damaged files, each rejected with the error that names it.

#include "skin/skins/PackedSkin.h"

#include <zlib.h>

#include <fstream>
#include <functional>
#include <random>

#include <gtest/gtest.h>

#include "tests/runtime/TempFolder.h"
#include "tests/skin/TestSkinWriter.h"
#include "tests/toolkit/ToolkitTestSupport.h"
#include "toolkit/gdi/Bitmap.h"
#include "toolkit/gdi/JPEGImage.h"

namespace {

TMemoryStream StreamOf(const std::string& bytes) {
  TMemoryStream stream;
  stream.WriteBuffer(bytes.data(), static_cast<std::int64_t>(bytes.size()));
  stream.SetPosition(0);
  return stream;
}

std::string Text(TMemoryStream& stream) {
  return std::string(reinterpret_cast<const char*>(stream.Memory()), static_cast<size_t>(stream.Size()));
}

std::string Unpacked(const TSkImageItem& item) { return Text(*item.Data); }

// Bytes that deflate hardly at all, so that a member spans input blocks.
std::string Noise(size_t size, unsigned seed) {
  std::mt19937 random(seed);
  std::string bytes(size, '\0');
  for (char& c : bytes) c = static_cast<char>(random());
  return bytes;
}

std::unique_ptr<TSkSkinConvertor> Unpack(const std::string& packed) {
  TMemoryStream data = StreamOf(packed);
  std::unique_ptr<TSkSkinConvertor> convertor;
  LoadPackedData(data, convertor, true);
  return convertor;
}

// What unpacking raised: "<class>: <text>", empty when nothing.
std::string Raised(const std::function<void()>& action) {
  try {
    action();
  } catch (const EZDecompressionError& error) {
    return std::string("EZDecompressionError: ") + error.what();
  } catch (const EStreamError& error) {
    return std::string("EStreamError: ") + error.what();
  }
  return "";
}

TEST(PackedSkin, TheTestSkinUnpacksToItsOptionsAndPictures) {
  TempFolder folder;
  const std::string file = WritePackedTestSkin(folder.Path().string());
  std::unique_ptr<TSkSkinConvertor> convertor;
  LoadPackedSkin(file, convertor, true);
  ASSERT_TRUE(convertor);
  EXPECT_EQ(convertor->IniText(), TestSkinOptions());
  EXPECT_FALSE(convertor->SourceStream) << "freed as asked";
  const std::vector<TPackedMember> members = TestSkinMembers();
  ASSERT_EQ(convertor->Images.size(), members.size() - 1);
  EXPECT_EQ(convertor->ImageCount, static_cast<int>(members.size()) - 1);
  for (size_t i = 0; i < convertor->Images.size(); ++i) {
    const TSkImageItem& item = convertor->Images[i];
    EXPECT_EQ(item.Name, members[i + 1].Name) << "in file order, names as stored";
    EXPECT_EQ(Unpacked(item), members[i + 1].Data) << item.Name;
    EXPECT_EQ(item.IsBitmap, item.Name.ends_with(".bmp")) << item.Name;
  }

  const TSkImageItem* master = convertor->FindImage("MASTER.BMP");
  ASSERT_NE(master, nullptr) << "names compare without regard to case";
  TBitmap bitmap;
  master->LoadGraphic(bitmap);
  EXPECT_EQ(bitmap.Width(), TestSkin::MasterWidth);
  EXPECT_EQ(bitmap.Height(), TestSkin::MasterHeight);
  TJPEGImage wide;
  convertor->FindImage("Wide.Jpg")->LoadGraphic(wide);
  EXPECT_EQ(wide.Width(), 299);
  EXPECT_EQ(convertor->FindImage("missing.bmp"), nullptr);
}

TEST(PackedSkin, MembersAreToldByNameWithoutRegardToCase) {
  const auto convertor = Unpack(PackSkin({{"PIC.bmp", "b"}, {"options.dat", "[A]\r\nK=1\r\n"}, {"pic.bmpx", "x"},
                                          {"noext", ""}, {"tile.JPG", "j"}}));
  EXPECT_EQ(convertor->IniText(), "[A]\r\nK=1\r\n") << "a lower-case options.dat is the settings text";
  ASSERT_EQ(convertor->Images.size(), 4u);
  EXPECT_TRUE(convertor->Images[0].IsBitmap);
  EXPECT_FALSE(convertor->Images[1].IsBitmap);
  EXPECT_FALSE(convertor->Images[2].IsBitmap);
  EXPECT_EQ(Unpacked(convertor->Images[2]), "") << "an empty member";
  EXPECT_FALSE(convertor->Images[3].IsBitmap);
}

// The small members end inside one 64 KB block read, the noise spans
// blocks: after each stream's end the unread input goes back to the source.
TEST(PackedSkin, MembersInsideOneBlockAndAcrossBlocksAllRead) {
  const std::string noise = Noise(200000, 7);
  const auto convertor = Unpack(PackSkin(
      {{"a.bmp", "first"}, {"b.bmp", "second"}, {"noise.bmp", noise}, {"Options.dat", "[X]"}, {"c.bmp", "after"}}));
  ASSERT_EQ(convertor->Images.size(), 4u);
  EXPECT_EQ(Unpacked(convertor->Images[0]), "first");
  EXPECT_EQ(Unpacked(convertor->Images[1]), "second");
  EXPECT_EQ(Unpacked(convertor->Images[2]), noise);
  EXPECT_EQ(Unpacked(convertor->Images[3]), "after");
  EXPECT_EQ(convertor->IniText(), "[X]");
}

TEST(PackedSkin, AMissingFileLeavesTheConvertorAlone) {
  std::unique_ptr<TSkSkinConvertor> convertor;
  LoadPackedSkin("/nonexistent/skin.skz", convertor, true);
  EXPECT_FALSE(convertor);
}

// The stream begins in the middle of its source, behind ten other bytes.
class ZStreamTest : public ::testing::Test {
protected:
  ZStreamTest() : content(Noise(100000, 3)), source(StreamOf("0123456789" + PackMember({"m", content}) + "tail")) {
    source.SetPosition(10 + 4 + 1 + 4);
  }
  std::string content;
  TMemoryStream source;
};

TEST_F(ZStreamTest, SeekRewindsToWhereTheStreamBeganAndSkipsForward) {
  TZDecompressionStream stream(source);
  int refills = 0;
  stream.OnProgress = [&](TObject* sender) {
    EXPECT_EQ(sender, &stream);
    ++refills;
  };
  char head[8];
  stream.ReadBuffer(head, 8);
  EXPECT_EQ(std::string(head, 8), content.substr(0, 8));
  EXPECT_EQ(stream.Seek(0, soBeginning), 0);
  stream.ReadBuffer(head, 8);
  EXPECT_EQ(std::string(head, 8), content.substr(0, 8)) << "the first bytes again";
  EXPECT_EQ(stream.Seek(20000, soCurrent), 20008);
  EXPECT_EQ(stream.Seek(30000, soBeginning), 30000);
  EXPECT_EQ(stream.Seek(30000, soBeginning), 30000) << "to where it stands";
  stream.ReadBuffer(head, 8);
  EXPECT_EQ(std::string(head, 8), content.substr(30000, 8));
  EXPECT_EQ(stream.Seek(0, soEnd), static_cast<std::int64_t>(content.size()));
  EXPECT_TRUE(stream.StreamEnded());
  EXPECT_GE(refills, 3) << "a refill per block read";
  char rest[4];
  source.ReadBuffer(rest, 4);
  EXPECT_EQ(std::string(rest, 4), "tail") << "the source stands just after the zlib stream";
}

TEST_F(ZStreamTest, WritesAndBackwardSeeksAreInvalid) {
  TZDecompressionStream stream(source);
  char byte = 0;
  stream.ReadBuffer(&byte, 1);
  for (const auto& action : std::vector<std::function<void()>>{
           [&] { stream.Write("x", 1); }, [&] { stream.Seek(-1, soCurrent); }, [&] { stream.Seek(-1, soBeginning); },
           [&] { stream.Seek(5, soEnd); }, [&] { stream.SetSize(0); }}) {
    EXPECT_EQ(Raised(action), "EZDecompressionError: Invalid ZStream operation!");
  }
  EXPECT_EQ(stream.Seek(1, soCurrent), 2);
  EXPECT_EQ(stream.Seek(5, soBeginning), 5) << "bytes not delivered yet are skipped";
  EXPECT_EQ(Raised([&] { stream.Seek(1, soBeginning); }), "EZDecompressionError: Invalid ZStream operation!")
      << "back, but not to the start";
  EXPECT_EQ(Raised([&] { stream.Seek(content.size() + 1, soCurrent); }), "EStreamError: Stream read error");
}

// A valid packed skin of two members, and the offsets of its fields.
struct TDamageFixture {
  TDamageFixture() {
    const std::string first = PackMember({"Options.dat", "[GLOBALINFO]\r\nVERSION=6\r\n"});
    const std::string second = PackMember({"a.bmp", Noise(300, 1)});
    packed = PackSkin({}) + first + second;
    packed[4] = 2;
    firstName = 8 + 4;
    firstSize = firstName + 11;
    firstStream = firstSize + 4;
    secondStart = 8 + first.size();
  }
  std::string With(size_t at, std::int32_t value) const {
    std::string bytes = packed;
    for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<char>(static_cast<std::uint32_t>(value) >> (8 * i));
    return bytes;
  }
  std::int32_t At(size_t at) const {
    std::uint32_t value = 0;
    for (int i = 3; i >= 0; --i) value = value << 8 | static_cast<std::uint8_t>(packed[at + i]);
    return static_cast<std::int32_t>(value);
  }

  std::string packed;
  size_t firstName, firstSize, firstStream, secondStart;
};

TEST(PackedSkin, DamagedFilesRaiseTheErrorThatNamesThem) {
  const TDamageFixture f;
  const std::string readError = "EStreamError: Stream read error";
  std::string flipped = f.packed;
  flipped[f.firstStream + 1] ^= 0x40;  // the zlib header's check bits
  std::string dictionary = f.packed;
  dictionary[f.firstStream + 1] = 0x20;  // a preset dictionary asked for; 0x7820 keeps the header check
  std::string checksum = f.packed;
  checksum[f.secondStart - 1] ^= 0x01;
  const struct {
    const char* Name;
    std::string Bytes;
    std::string Error;
  } cases[] = {
      {"two bytes", "AS", readError},
      {"cut after a name", f.packed.substr(0, f.firstSize), readError},
      {"cut inside a stream", f.packed.substr(0, f.firstStream + 6), readError},
      {"cut inside the last checksum", f.packed.substr(0, f.packed.size() - 2), readError},
      {"NameLength -1", f.With(f.firstName - 4, -1), readError},
      {"NameLength 2^31 - 1", f.With(f.firstName - 4, INT32_MAX), readError},
      {"Count -5", f.With(4, -5), readError},
      {"Count 3 with two members", f.With(4, 3), readError},
      {"UnpackedSize one above", f.With(f.firstSize, f.At(f.firstSize) + 1), readError},
      {"UnpackedSize one below", f.With(f.firstSize, f.At(f.firstSize) - 1), readError},
      {"UnpackedSize -1", f.With(f.firstSize, -1), readError},
      {"UnpackedSize 2^31 - 1", f.With(f.firstSize, INT32_MAX), readError},
      {"a flipped header byte", flipped, "EZDecompressionError: data error"},
      {"a flipped checksum byte", checksum, "EZDecompressionError: data error"},
      {"a preset dictionary", dictionary, "EZDecompressionError: need dictionary"},
  };
  for (const auto& c : cases) EXPECT_EQ(Raised([&] { Unpack(c.Bytes); }), c.Error) << c.Name;
}

TEST(PackedSkin, DataWithoutTheMagicIsWarnedAboutAndUnpacksToNothing) {
  TRecordingMessageBoxes boxes;
  const auto convertor = Unpack("aSzf" + PackSkin({{"Options.dat", "[A]"}}).substr(4));
  EXPECT_EQ(convertor->IniText(), "");
  EXPECT_TRUE(convertor->Images.empty());
  ASSERT_EQ(boxes.Shown.size(), 1u);
  EXPECT_EQ(boxes.Shown[0].Text, "Loaded data is not packed ZavorEvid file");

  const auto noOptions = Unpack(PackSkin({{"a.bmp", "x"}}));
  EXPECT_EQ(noOptions->IniText(), "") << "no settings text, no error";
  EXPECT_EQ(noOptions->Images.size(), 1u);
  EXPECT_EQ(boxes.Shown.size(), 1u);
}

TEST(PackedSkin, TheSourceIsFreedWhenAskedAlsoAfterAFailure) {
  TempFolder folder;
  const std::string file = folder / "cut.skz";
  std::ofstream(file, std::ios::binary) << PackSkin({{"Options.dat", "[A]"}}).substr(0, 12);
  std::unique_ptr<TSkSkinConvertor> convertor;
  EXPECT_THROW(LoadPackedSkin(file, convertor, true), EStreamError);
  ASSERT_TRUE(convertor);
  EXPECT_FALSE(convertor->SourceStream);
  EXPECT_THROW(LoadPackedSkin(file, convertor, false), EStreamError);
  EXPECT_TRUE(convertor->SourceStream) << "kept when not asked";
}

}  // namespace
