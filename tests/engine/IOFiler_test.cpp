#include "engine/data/IOFiler.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

namespace {

// A data source over a string; writing fails once WriteLimit bytes are taken.
class TMemorySource final : public IInOut {
public:
  explicit TMemorySource(std::string data = "") : Data(std::move(data)) {}

  std::string GetTypeName() override { return "memory"; }
  std::string GetLastError() override { return {}; }
  bool Open(const CountedPtr<IIOParamSys>&, std::uint8_t) override { return true; }
  bool ReadByte(std::uint8_t& B) override {
    if (Next == Data.size()) return false;
    B = static_cast<std::uint8_t>(Data[Next++]);
    return true;
  }
  bool WriteByte(std::uint8_t B) override {
    if (Written.size() == WriteLimit) return false;
    Written += static_cast<char>(B);
    return true;
  }
  void Close() override {}
  std::uint8_t GetFlags() override { return 0; }

  std::string Data;
  std::size_t Next = 0;
  std::string Written;
  std::size_t WriteLimit = std::string::npos;
};

class IOFilerTest : public ::testing::Test {
protected:
  TIOFiler Filer(std::uint8_t mode, const std::string& data = "") {
    source = MakeCounted<TMemorySource>(data);
    return TIOFiler(source, mode);
  }

  CountedPtr<TMemorySource> source;
};

constexpr long double Infinity = std::numeric_limits<long double>::infinity();

TEST_F(IOFilerTest, TextEncodingOfEachType) {
  TIOFiler filer = Filer(fmText);
  EXPECT_TRUE(filer.WriteInteger(-42));
  EXPECT_TRUE(filer.WriteInteger(0));
  EXPECT_TRUE(filer.WriteReal(0.1L));
  EXPECT_TRUE(filer.WriteReal(1.0L / 3));
  EXPECT_TRUE(filer.WriteReal(1E20L));
  EXPECT_TRUE(filer.WriteReal(-2.5E-7L));
  EXPECT_TRUE(filer.WriteChar('x'));
  EXPECT_TRUE(filer.WriteBool(true));
  EXPECT_TRUE(filer.WriteBool(false));
  EXPECT_TRUE(filer.WriteString("two words"));
  EXPECT_EQ(source->Written, "-42\n0\n0.1\n0.333333333333333333\n1E20\n-2.5E-7\nx10two words\n");
}

TEST_F(IOFilerTest, TinyAndInfiniteRealsKeepTheirValueInText) {
  const std::vector<std::pair<long double, std::string>> cases = {
      {1.5E-300L, "1.5E-300\n"},
      {-1E-101L, "-1E-101\n"},
      {std::numeric_limits<long double>::denorm_min(), "3.6451995318824746E-4951\n"},
      {Infinity, "INF\n"},
      {-Infinity, "-INF\n"},
  };
  for (const auto& [value, text] : cases) {
    TIOFiler writer = Filer(fmText);
    EXPECT_TRUE(writer.WriteReal(value));
    EXPECT_EQ(source->Written, text);
    long double back = 0;
    TIOFiler reader = Filer(fmText, text);
    EXPECT_TRUE(reader.ReadReal(back)) << text;
    EXPECT_EQ(back, value) << text;
  }
}

TEST_F(IOFilerTest, TextReadsConvertTheWholeLine) {
  struct TCase {
    std::string line;
    bool reads;
    long double value;
  };
  const std::vector<TCase> reals = {
      {"0.1", true, 0.1L},
      {"1E20", true, 1E20L},
      {"-2.5e-7", true, -2.5E-7L},
      {"+1e3", true, 1000},
      {" \t3.5\r", true, 3.5L},
      {"7", true, 7},
      {"1.", true, 1},
      {".5", true, 0.5L},
      {"1.18973149535723176502E4932", true, std::numeric_limits<long double>::max()},
      {"1E-5000", true, 0},
      {"1,5", false, 0},
      {"abc", false, 0},
      {"", false, 0},
      {".", false, 0},
      {"e5", false, 0},
      {"1e", false, 0},
      {"1e+", false, 0},
      {"1 2", false, 0},
      {"--1", false, 0},
      {"1e5000", false, 0},
      {"0x10", false, 0},
      {"0x1p3", false, 0},
      {"inf", false, 0},
      {"nan", false, 0},
  };
  for (const TCase& c : reals) {
    TIOFiler filer = Filer(fmText, c.line + "\n");
    long double x = 99;
    EXPECT_EQ(filer.ReadReal(x), c.reads) << c.line;
    EXPECT_EQ(x, c.value) << c.line;
  }

  const std::vector<std::pair<std::string, bool>> integers = {
      {"-42", true},     {"+7 ", true},     {" 5\r", true},     {"9223372036854775807", true},
      {"-9223372036854775808", true},      {"9223372036854775808", false},       {"4 2", false},
      {"1.0", false},    {"", false},       {"+", false},        {"+-5", false},  {"$10", false},
  };
  for (const auto& [line, reads] : integers) {
    TIOFiler filer = Filer(fmText, line + "\n");
    std::int64_t n = 99;
    EXPECT_EQ(filer.ReadInteger(n), reads) << line;
    if (!reads) {
      EXPECT_EQ(n, 0) << line;
    }
  }
}

TEST_F(IOFilerTest, LinesEndAtLfOrAtTheEndOfTheData) {
  std::string line = "left over";
  EXPECT_FALSE(Filer(fmText, "").ReadLine(line));
  EXPECT_EQ(line, "");

  TIOFiler filer = Filer(fmBinary, "a\r\n\nab");
  const std::vector<std::string> expected = {"a\r", "", "ab"};
  for (const std::string& text : expected) {
    EXPECT_TRUE(filer.ReadLine(line));
    EXPECT_EQ(line, text);
  }
  EXPECT_FALSE(filer.ReadLine(line));
}

TEST_F(IOFilerTest, BooleansAndCharactersAreSingleBytes) {
  TIOFiler filer = Filer(fmText, "0x1");
  bool b = true;
  EXPECT_TRUE(filer.ReadBool(b));
  EXPECT_FALSE(b);
  EXPECT_TRUE(filer.ReadBool(b));
  EXPECT_TRUE(b) << "any byte but \"0\" is true";
  char c = 0;
  EXPECT_TRUE(filer.ReadChar(c));
  EXPECT_EQ(c, '1');
  EXPECT_FALSE(filer.ReadBool(b));
  EXPECT_FALSE(b);
  EXPECT_FALSE(filer.ReadChar(c));
}

TEST_F(IOFilerTest, BinaryLayoutIsLittleEndian) {
  TIOFiler filer = Filer(fmBinary);
  EXPECT_TRUE(filer.WriteInteger(-2));
  EXPECT_TRUE(filer.WriteReal(1.0L));
  EXPECT_TRUE(filer.WriteReal(-3.0L));
  const std::string minusTwo("\xFE\xFF\xFF\xFF\xFF\xFF\xFF\xFF", 8);
  const std::string one("\x00\x00\x00\x00\x00\x00\x00\x80\xFF\x3F", 10);
  const std::string minusThree("\x00\x00\x00\x00\x00\x00\x00\xC0\x00\xC0", 10);
  EXPECT_EQ(source->Written, minusTwo + one + minusThree);
}

TEST_F(IOFilerTest, BinaryRoundTripsOfEveryType) {
  const std::vector<std::int64_t> integers = {0, -1, 42, std::numeric_limits<std::int64_t>::min(),
                                              std::numeric_limits<std::int64_t>::max()};
  const std::vector<long double> reals = {1.0L / 3, -0.0L, std::numeric_limits<long double>::denorm_min(),
                                          std::numeric_limits<long double>::max(), -Infinity, 1E-4000L};
  TIOFiler writer = Filer(fmBinary);
  for (std::int64_t n : integers) EXPECT_TRUE(writer.WriteInteger(n));
  for (long double x : reals) EXPECT_TRUE(writer.WriteReal(x));
  EXPECT_TRUE(writer.WriteChar('\0'));
  EXPECT_TRUE(writer.WriteBool(true));
  EXPECT_TRUE(writer.WriteLine("line"));
  EXPECT_EQ(source->Written.size(), integers.size() * 8 + reals.size() * 10 + 1 + 1 + 5);

  TIOFiler reader = Filer(fmBinary, source->Written);
  for (std::int64_t n : integers) {
    std::int64_t back = 0;
    EXPECT_TRUE(reader.ReadInteger(back));
    EXPECT_EQ(back, n);
  }
  for (long double x : reals) {
    long double back = 0;
    EXPECT_TRUE(reader.ReadReal(back));
    EXPECT_EQ(back, x);
    EXPECT_EQ(std::signbit(back), std::signbit(x));
  }
  char c = 'x';
  bool b = false;
  std::string line;
  EXPECT_TRUE(reader.ReadChar(c));
  EXPECT_EQ(c, '\0');
  EXPECT_TRUE(reader.ReadBool(b));
  EXPECT_TRUE(b);
  EXPECT_TRUE(reader.ReadLine(line));
  EXPECT_EQ(line, "line");
}

TEST_F(IOFilerTest, AShortBinaryReadFailsWithZero) {
  TIOFiler filer = Filer(fmBinary, std::string(9, '\x01'));
  long double x = 5;
  EXPECT_FALSE(filer.ReadReal(x));
  EXPECT_EQ(x, 0);
}

TEST_F(IOFilerTest, AFailedWriteStopsAtOnce) {
  TIOFiler filer = Filer(fmText);
  source->WriteLimit = 2;
  EXPECT_FALSE(filer.WriteLine("abc"));
  EXPECT_EQ(source->Written, "ab");
  EXPECT_FALSE(filer.WriteInteger(1));
}

TEST_F(IOFilerTest, NumbersFailInAnUnknownMode) {
  TIOFiler filer = Filer(2, "12\n12\n");
  std::int64_t n = 0;
  long double x = 0;
  EXPECT_FALSE(filer.ReadInteger(n));
  EXPECT_FALSE(filer.ReadReal(x));
  EXPECT_FALSE(filer.WriteInteger(1));
  EXPECT_FALSE(filer.WriteReal(1));
  EXPECT_TRUE(filer.WriteLine("text still works"));
  EXPECT_EQ(source->Written, "text still works\n");
}

}  // namespace
