#include "engine/Lib.h"

#include <gtest/gtest.h>

#include "runtime/Exceptions.h"

namespace {

TEST(Libs, FindOrAddReturnsTheExistingLibraryUnchanged) {
  TLibs libs;
  TLib* system = libs.FindOrAdd("System", true);
  EXPECT_EQ(libs.FindOrAdd("SYSTEM", false), system);
  EXPECT_TRUE(system->BuiltIn());
  EXPECT_EQ(system->Name(), "System");
  EXPECT_EQ(libs.Count(), 1);
}

TEST(Libs, LookupIsCaseInsensitiveInListOrder) {
  TLibs libs;
  libs.FindOrAdd("System", true);
  TLib* user = libs.Add(std::make_unique<TLib>("MyLib", false));
  EXPECT_EQ(libs.IndexOf("mylib"), 1);
  EXPECT_EQ(libs.Find("MYLIB"), user);
  EXPECT_EQ(libs.Find("Other"), nullptr);
  EXPECT_EQ(libs.IndexOf("Other"), -1);
  EXPECT_EQ(libs.Get(1), user);
  EXPECT_THROW(libs.Get(2), EAssertionFailed);
}

TEST(Libs, DeleteClosesTheGapAndRefusesBadIndexes) {
  TLibs libs;
  for (const char* name : {"A", "B", "C"}) libs.FindOrAdd(name, false);
  EXPECT_FALSE(libs.Delete(-1));
  EXPECT_FALSE(libs.Delete(3));
  EXPECT_TRUE(libs.Delete(1));
  EXPECT_EQ(libs.Count(), 2);
  EXPECT_EQ(libs.Get(1)->Name(), "C");
}

}  // namespace
