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

TEST(Libs, TakeAndInsertKeepTheLibraryAndItsPlace) {
  TLibs libs;
  for (const char* name : {"A", "B", "C"}) libs.FindOrAdd(name, false);
  TLib* b = libs.Find("B");
  std::unique_ptr<TLib> taken = libs.Take(b);
  EXPECT_EQ(taken.get(), b);
  EXPECT_EQ(libs.Find("b"), nullptr) << "its name is free";
  libs.Insert(1, std::move(taken));
  EXPECT_EQ(libs.IndexOf(b), 1);
}

// Uses hold script libraries only, once each, and safely outlive them.
TEST(LibUses, HoldScriptLibrariesWhileTheyLive) {
  auto user = std::make_unique<TLib>("User", false);
  TLib system("System", true);
  TLib base("Base", false);
  EXPECT_FALSE(base.Held());
  user->Uses().Add(&base);
  user->Uses().Add(&base);
  user->Uses().Add(&system);
  user->Uses().Add(nullptr);
  EXPECT_TRUE(base.Held());
  EXPECT_TRUE(user->Uses().Contains(&base));
  EXPECT_FALSE(user->Uses().Contains(&system));
  EXPECT_FALSE(system.Held());
  auto tree = std::make_unique<TLibUses>();
  tree->Add(&base);
  user.reset();
  EXPECT_TRUE(base.Held()) << "by the tree";
  tree.reset();
  EXPECT_FALSE(base.Held());

  TLibUses outliving;  // destroyed after the library it holds
  TLib gone("Gone", false);
  outliving.Add(&gone);
}

}  // namespace
