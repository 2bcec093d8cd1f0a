#include "runtime/AESDecipher.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <streambuf>

#include "Packer.h"
#include "runtime/Exceptions.h"

namespace {

std::string FromHex(const std::string& hex) {
  std::string bytes;
  for (std::size_t i = 0; i < hex.size(); i += 2) bytes += static_cast<char>(std::stoi(hex.substr(i, 2), nullptr, 16));
  return bytes;
}

const TAESKey SampleKey = {0x60, 0x3d, 0xeb, 0x10, 0x15, 0xca, 0x71, 0xbe, 0x2b, 0x73, 0xae, 0xf0, 0x85, 0x7d, 0x77, 0x81,
                           0x1f, 0x35, 0x2c, 0x07, 0x3b, 0x61, 0x08, 0xd7, 0x2d, 0x98, 0x10, 0xa3, 0x09, 0x14, 0xdf, 0xf4};

std::string Decipher(std::istream& source, std::int64_t count, const TAESKey& key = SampleKey) {
  std::ostringstream dest;
  DecryptStreamAES256(source, count, key, dest);
  return dest.str();
}

// The text of the exception f raises, with its type checked.
template <class E, class F>
std::string RaisedText(F f) {
  try {
    f();
  } catch (const E& error) {
    return error.what();
  }
  return "nothing raised";
}

TEST(AESDecipher, FipsKnownAnswerForAes256) {
  TAESKey key;
  for (int i = 0; i < 32; ++i) key[i] = static_cast<std::uint8_t>(i);
  std::istringstream source(FromHex("8ea2b7ca516745bfeafc49904b496089"));
  EXPECT_EQ(Decipher(source, 0, key), FromHex("00112233445566778899aabbccddeeff"));
}

TEST(AESDecipher, EachBlockIsDecipheredOnItsOwn) {
  const std::string plain = std::string(16, 'a') + std::string(16, 'b') + std::string(16, 'a');
  const std::string cipher = EncipherAES256(plain, SampleKey);
  EXPECT_EQ(cipher.substr(0, 16), cipher.substr(32, 16)) << "no chaining between blocks";
  std::istringstream source(cipher);
  EXPECT_EQ(Decipher(source, 0), plain);
}

TEST(AESDecipher, AnEmptySourceGivesNothing) {
  std::istringstream source("");
  EXPECT_EQ(Decipher(source, 0), "");
}

TEST(AESDecipher, ASizeThatIsNoMultipleOfTheBlockFailsBeforeReading) {
  std::istringstream source(std::string(17, 'x'));
  std::ostringstream dest;
  EXPECT_EQ(RaisedText<EAESError>([&] { DecryptStreamAES256(source, 0, SampleKey, dest); }),
            "Invalid buffer size for decryption");
  EXPECT_EQ(dest.str(), "");
  EXPECT_EQ(source.tellg(), 0);
  EXPECT_EQ(RaisedText<EAESError>([&] { DecryptStreamAES256(source, -16, SampleKey, dest); }),
            "Invalid buffer size for decryption");
}

TEST(AESDecipher, ACountStartsAtTheCurrentPositionAndIsCutToTheBytesLeft) {
  const std::string plain = "first  block 16bsecond block 16b";
  std::istringstream source(EncipherAES256(plain, SampleKey));
  source.seekg(16);
  EXPECT_EQ(Decipher(source, 1000), plain.substr(16));

  source.clear();
  source.seekg(0);
  EXPECT_EQ(Decipher(source, 16), plain.substr(0, 16));
  EXPECT_EQ(source.tellg(), 16) << "the second block is left unread";

  EXPECT_EQ(Decipher(source, 0), plain) << "count 0 rewinds and takes the whole source";
}

TEST(AESDecipher, ACutCountThatIsNoMultipleOfTheBlockFails) {
  std::istringstream source(EncipherAES256(std::string(32, 'z'), SampleKey));
  source.seekg(1);
  EXPECT_EQ(RaisedText<EAESError>([&] { Decipher(source, 100); }), "Invalid buffer size for decryption");
}

// Claims a size of 32 bytes but delivers only the first 20.
class TShortSource : public std::streambuf {
public:
  explicit TShortSource(std::string data) : data_(std::move(data)) { seekpos(0, std::ios::in); }

protected:
  pos_type seekoff(off_type off, std::ios::seekdir dir, std::ios::openmode which) override {
    const off_type base = dir == std::ios::beg ? 0 : dir == std::ios::end ? Size : Position();
    return seekpos(pos_type(base + off), which);
  }
  pos_type seekpos(pos_type pos, std::ios::openmode) override {
    beyondData_ = std::max<off_type>(pos - Delivered, 0);
    setg(data_.data(), data_.data() + std::min<off_type>(pos, Delivered), data_.data() + Delivered);
    return pos;
  }

private:
  static constexpr off_type Size = 32;
  static constexpr off_type Delivered = 20;
  off_type Position() const { return gptr() - eback() + beyondData_; }

  std::string data_;
  off_type beyondData_ = 0;
};

// Takes the first limit bytes and refuses the rest.
class TFullDest : public std::streambuf {
public:
  explicit TFullDest(std::size_t limit) : limit_(limit) {}
  std::string Taken;

protected:
  int_type overflow(int_type c) override {
    if (Taken.size() == limit_ || c == traits_type::eof()) return traits_type::eof();
    Taken += traits_type::to_char_type(c);
    return c;
  }

private:
  std::size_t limit_;
};

TEST(AESDecipher, AShortReadOrWriteRaisesAStreamErrorAndKeepsWhatWasWritten) {
  const std::string plain(32, 'p');
  TShortSource shortSource(EncipherAES256(plain, SampleKey));
  std::istream source(&shortSource);
  std::ostringstream dest;
  EXPECT_EQ(RaisedText<EStreamError>([&] { DecryptStreamAES256(source, 0, SampleKey, dest); }), "Stream read error");
  EXPECT_EQ(dest.str(), plain.substr(0, 16));

  std::istringstream fullSource(EncipherAES256(plain, SampleKey));
  TFullDest full(20);
  std::ostream fullDest(&full);
  EXPECT_EQ(RaisedText<EStreamError>([&] { DecryptStreamAES256(fullSource, 0, SampleKey, fullDest); }),
            "Stream write error");
  EXPECT_EQ(full.Taken, plain.substr(0, 20));
}

// Such sources used to decipher as empty, without an error.
TEST(AESDecipher, ASourceThatCannotTellItsPositionRaisesAReadError) {
  std::ifstream missing("/nonexistent/library.tarl", std::ios::binary);
  std::istringstream failed(EncipherAES256(std::string(16, 'q'), SampleKey));
  failed.setstate(std::ios::failbit);
  EXPECT_EQ(RaisedText<EStreamError>([&] { Decipher(missing, 0); }), "Stream read error");
  EXPECT_EQ(RaisedText<EStreamError>([&] { Decipher(failed, 16); }), "Stream read error");
}

TEST(AESDecipher, PackedTextDeciphersToTheScrambledText) {
  const std::string text = "library Stats;\nfunction Mean(v : Vector) : Real;\nbegin end;\nend.";
  std::istringstream source(PackText(text, SampleKey, 1234));
  const std::string scrambled = Decipher(source, 0);
  ASSERT_EQ(scrambled.size() % 16, 0u);
  EXPECT_EQ(ScrambleText(scrambled, 1234), text + std::string(scrambled.size() - text.size(), ' '));
}

}  // namespace
