#include "runtime/Params.h"

#include <gtest/gtest.h>

#include "runtime/Exceptions.h"
#include "runtime/IniFile.h"
#include "runtime/Storage.h"
#include "tests/runtime/TempFolder.h"

namespace {

class ParamsTest : public ::testing::Test {
protected:
  ParamsTest() {
    Params = TParams();
    Storage = std::make_unique<TStorage>("Params.ini", 0);
  }
  ~ParamsTest() override {
    Storage.reset();
    Params = TParams();
  }

  TIniFile StoredFile() const { return TIniFile(Storage->FileName()); }

  void Store(const std::string& key, const std::string& value) {
    Storage->OpenSection("PARAMS", false);
    Storage->WriteString(key, value);
    Storage->CloseSection();
  }

  TempFolder config;
  ScopedEnvironment configHome{"XDG_CONFIG_HOME", config.Path().string()};
};

bool SameOptions(const TParams& a, const TParams& b) {
  return a.MainOnTop == b.MainOnTop && a.WinsInTask == b.WinsInTask && a.FMantissa == b.FMantissa &&
         a.FExponent == b.FExponent && a.ShowLevel == b.ShowLevel && a.CopyPrefix == b.CopyPrefix &&
         a.ExecTime == b.ExecTime && a.MemTaken == b.MemTaken && a.BackImage == b.BackImage &&
         a.UseShow == b.UseShow && a.MEditTree == b.MEditTree && a.VEditTree == b.VEditTree &&
         a.UseExpr == b.UseExpr && a.CopyClip == b.CopyClip;
}

}  // namespace

TEST_F(ParamsTest, FirstStartLoadsDefaultsAndSavesAllFourteenKeys) {
  Params.Load();
  EXPECT_TRUE(SameOptions(Params, TParams()));
  EXPECT_EQ(Params.FMantissa, 8);
  EXPECT_EQ(Params.FExponent, 1);
  EXPECT_EQ(Params.ShowLevel, 2);
  EXPECT_TRUE(Params.UseShow);
  EXPECT_TRUE(Params.UseExpr);
  EXPECT_FALSE(Params.MainOnTop || Params.WinsInTask || Params.CopyPrefix || Params.ExecTime || Params.MemTaken ||
               Params.BackImage || Params.MEditTree || Params.VEditTree || Params.CopyClip);
  EXPECT_FALSE(Storage->IsSectionOpen());

  Params.Save();
  EXPECT_EQ(StoredFile().ReadSection("PARAMS"),
            (std::vector<std::string>{"MainOnTop", "WinsInTask", "FMantissa", "FExponent", "ShowLevel", "CopyPrefix",
                                      "ExecTime", "MemTaken", "BackImage", "UseShow", "VEditTree", "MEditTree",
                                      "UseExpr", "CopyClip"}));
  EXPECT_FALSE(Storage->IsSectionOpen());
}

TEST_F(ParamsTest, EveryOptionRoundTrips) {
  TParams changed;
  changed.MainOnTop = changed.WinsInTask = changed.CopyPrefix = changed.ExecTime = changed.MemTaken = true;
  changed.BackImage = changed.MEditTree = changed.CopyClip = true;
  changed.UseShow = changed.UseExpr = false;  // VEditTree stays false: the two tree options must not swap
  changed.FMantissa = 17;
  changed.FExponent = 4;
  changed.ShowLevel = -3;
  Params = changed;
  Params.Save();

  Params = TParams();
  Params.Load();
  EXPECT_TRUE(SameOptions(Params, changed));
  EXPECT_TRUE(Params.MEditTree);
  EXPECT_FALSE(Params.VEditTree);
}

TEST_F(ParamsTest, StoredValuesLoadUnclampedAndMalformedOnesAsDefaults) {
  Store("UseShow", "0");
  Store("FMantissa", "40");
  Store("FExponent", "four");
  Store("ShowLevel", "");
  Store("MainOnTop", "yes");
  Params.Load();
  EXPECT_FALSE(Params.UseShow);
  EXPECT_EQ(Params.FMantissa, 40) << "the options do not clamp; their readers do";
  EXPECT_EQ(Params.FExponent, 1);
  EXPECT_EQ(Params.ShowLevel, 2);
  EXPECT_FALSE(Params.MainOnTop);

  TParams expected;
  expected.UseShow = false;
  expected.FMantissa = 40;
  EXPECT_TRUE(SameOptions(Params, expected)) << "every other option keeps its default";
}

TEST_F(ParamsTest, NeedTheStore) {
  Storage.reset();
  EXPECT_THROW(Params.Load(), EAssertionFailed);
  EXPECT_THROW(Params.Save(), EAssertionFailed);
}

TEST_F(ParamsTest, LoadKeepsCurrentValuesForMissingKeysAndSaveDropsStrayKeys) {
  Store("Obsolete", "1");
  Params.FMantissa = 12;
  Params.Load();
  EXPECT_EQ(Params.FMantissa, 12) << "a missing key leaves the current value";

  Params.Save();
  EXPECT_EQ(StoredFile().ReadString("PARAMS", "Obsolete", "gone"), "gone");
  EXPECT_EQ(StoredFile().ReadInteger("PARAMS", "FMantissa", 0), 12);
}
