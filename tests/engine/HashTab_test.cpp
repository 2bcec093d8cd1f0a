#include "engine/HashTab.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "engine/Lib.h"

namespace {

// Counts its destructions, to show which nodes a table frees.
class TCountedNode : public THashNode {
public:
  TCountedNode(std::string name, TLib* lib, int& freed) : THashNode(std::move(name), lib), freed_(freed) {}
  ~TCountedNode() override { ++freed_; }

private:
  int& freed_;
};

void ExpectAssertion(const std::function<void()>& action, const std::string& tag) {
  try {
    action();
    ADD_FAILURE() << "expected assertion " << tag;
  } catch (const EAssertionFailed& e) {
    EXPECT_EQ(std::string(e.what()).substr(0, tag.size()), tag);
  }
}

// The node once the table took it; nil when it refused it.
template <class T>
T* Put(THashTab& table, std::unique_ptr<T> node) {
  T* raw = node.get();
  return table.Add(node) ? raw : nullptr;
}

std::vector<std::string> WalkNames(THashTab& table) {
  std::vector<std::string> names;
  for (THashNode* node : table.Walk()) names.push_back(node->Name());
  return names;
}

TEST(HashTab, NamesDifferingInCaseAreOneName) {
  EXPECT_EQ(THashTab::HashOf("sum"), (115 + 117 + 109) % 31);
  THashTab table;
  THashNode* first = Put(table, std::make_unique<THashNode>("Sum"));
  ASSERT_NE(first, nullptr);
  auto second = std::make_unique<THashNode>("SUM");
  EXPECT_FALSE(table.Add(second));
  EXPECT_NE(second, nullptr) << "the caller keeps a refused node";
  EXPECT_EQ(table.Find("sum"), first);
  EXPECT_EQ(table.Find("sUM"), first);
  EXPECT_EQ(table.Find("summ"), nullptr);
}

TEST(HashTab, BytesAbove127HashRawAndAreNotFolded) {
  EXPECT_EQ(THashTab::HashOf("\xFF"), 255 % 31);
  THashTab table;
  Put(table, std::make_unique<THashNode>("\xC4x"));
  EXPECT_NE(table.Find("\xC4X"), nullptr);
  EXPECT_EQ(table.Find("\xE4x"), nullptr);
}

TEST(HashTab, WalkVisitsBucketsInOrderThenChains) {
  THashTab table;
  EXPECT_EQ(table.First(), nullptr);
  EXPECT_EQ(table.Next(), nullptr) << "no walk is under way";
  // "a" and "!@" share bucket 4 (byte sum 97), "b" is bucket 5, "|" bucket 0.
  for (const char* name : {"b", "a", "!@", "|"}) ASSERT_TRUE(Put(table, std::make_unique<THashNode>(name)));
  EXPECT_EQ(WalkNames(table), (std::vector<std::string>{"|", "a", "!@", "b"}));
  EXPECT_EQ(table.Bucket(4)->Name(), "a");
  EXPECT_EQ(table.Bucket(4)->Next()->Name(), "!@");

  std::vector<std::string> names;
  for (THashNode* node = table.First(); node; node = table.Next()) names.push_back(node->Name());
  EXPECT_EQ(names, WalkNames(table));
  EXPECT_EQ(table.Next(), nullptr);
}

TEST(HashTab, BucketOutsideTheTableIsARangeError) {
  THashTab table;
  EXPECT_THROW(table.Bucket(31), ERangeError);
  EXPECT_THROW(table.Bucket(-1), ERangeError);
  EXPECT_EQ(table.Bucket(30), nullptr);
}

TEST(HashTab, DeletionDuringAWalkFailsItsAssertion) {
  THashTab table;
  Put(table, std::make_unique<THashNode>("x"));
  THashNode* node = table.First();
  ExpectAssertion([&] { table.DeleteNode(node); }, "C42CAD11");
  ExpectAssertion([&] { table.DeleteByName("x"); }, "C42CAD11");
  EXPECT_EQ(table.Next(), nullptr);
  table.DeleteByName("X");
  EXPECT_EQ(table.Find("x"), nullptr) << "a walk run to its end allows deletion";
}

TEST(HashTab, AWalkStoppedEarlyNoLongerBlocksDeletion) {
  THashTab table;
  for (const char* name : {"a", "b", "c"}) Put(table, std::make_unique<THashNode>(name));

  for (THashNode* node : table.Walk())
    if (node->Name() == "a") break;
  table.DeleteByName("a");
  EXPECT_EQ(table.Find("a"), nullptr);

  THashNode* b = table.First();
  table.EndWalk();
  table.DeleteNode(b);
  EXPECT_EQ(WalkNames(table), std::vector<std::string>{"c"});
}

TEST(HashTab, DeleteNodeRemovesThatVeryNodeAndFreesIt) {
  int freed = 0;
  THashTab table;
  TCountedNode* a = Put(table, std::make_unique<TCountedNode>("a", nullptr, freed));
  TCountedNode* sameBucket = Put(table, std::make_unique<TCountedNode>("!@", nullptr, freed));
  TCountedNode stranger("a", nullptr, freed);
  table.DeleteNode(&stranger);
  EXPECT_EQ(freed, 0) << "a node the table does not hold is left alone";
  table.DeleteNode(sameBucket);
  EXPECT_EQ(freed, 1);
  EXPECT_EQ(table.Find("a"), a);
  table.DeleteByName("nothing");
  EXPECT_EQ(freed, 1);
}

TEST(HashTab, RemoveLibRespectsBuiltInLibrariesUnlessForced) {
  TLib system("System", true);
  TLib user("User", false);
  int freed = 0;
  THashTab table;
  for (const char* name : {"a", "!@", "b", "|"}) Put(table, std::make_unique<TCountedNode>(name, &system, freed));
  for (const char* name : {"@!", "c"}) Put(table, std::make_unique<TCountedNode>(name, &user, freed));

  table.RemoveLib(&system, false);
  EXPECT_EQ(freed, 0);
  table.RemoveLib(&user, false);
  EXPECT_EQ(freed, 2);
  EXPECT_EQ(WalkNames(table), (std::vector<std::string>{"|", "a", "!@", "b"}));
  table.RemoveLib(&system, true);
  EXPECT_EQ(freed, 6);
  EXPECT_EQ(table.First(), nullptr);
}

TEST(HashTab, ClearAndRemoveLibEndAWalkUnderWay) {
  TLib user("User", false);
  THashTab table;
  Put(table, std::make_unique<THashNode>("a", &user));
  Put(table, std::make_unique<THashNode>("b", &user));
  ASSERT_NE(table.First(), nullptr);
  table.RemoveLib(&user, false);
  EXPECT_EQ(table.Next(), nullptr) << "the cursor must not keep a freed node";

  Put(table, std::make_unique<THashNode>("c"));
  ASSERT_NE(table.First(), nullptr);
  table.Clear();
  EXPECT_EQ(table.Next(), nullptr);
}

// "a", "!@" and "@!" share bucket 4: the detached middle node goes back
// between its neighbours, not to the end of the chain.
TEST(HashTab, DetachedNodesGoBackToTheirPlacesOrAreFreed) {
  TLib user("User", false);
  int freed = 0;
  THashTab table;
  for (const char* name : {"a", "!@", "@!", "b"})
    Put(table, std::make_unique<TCountedNode>(name, name[0] == '!' ? &user : nullptr, freed));
  const std::vector<std::string> before = WalkNames(table);
  const auto ofUser = [&user](const THashNode& node) { return node.Lib() == &user; };

  TDetachedNodes detached = table.Detach(ofUser);
  EXPECT_EQ(WalkNames(table), (std::vector<std::string>{"a", "@!", "b"}));
  EXPECT_EQ(table.Find("!@"), nullptr);
  table.Reattach(detached);
  EXPECT_TRUE(detached.Empty());
  EXPECT_EQ(WalkNames(table), before);
  EXPECT_EQ(freed, 0);

  detached = table.Detach(ofUser);
  Put(table, std::make_unique<THashNode>("!@"));
  ExpectAssertion([&] { table.Reattach(detached); }, "C42CAD12");
  detached = TDetachedNodes();
  EXPECT_EQ(freed, 1) << "nodes that never went back are freed with the detached set";
}

TEST(HashTab, DestroyingATableFreesItsNodes) {
  int freed = 0;
  {
    THashTab table;
    Put(table, std::make_unique<TCountedNode>("a", nullptr, freed));
    Put(table, std::make_unique<TCountedNode>("b", nullptr, freed));
  }
  EXPECT_EQ(freed, 2);
}

TEST(HashNode, AnonymousNodesAreNamedAfterTheCreationSerial) {
  THashNode first("");
  THashNode named("x");
  THashNode second("");
  EXPECT_FALSE(first.HasName());
  EXPECT_TRUE(named.HasName());
  EXPECT_EQ(std::stoll(second.Name()), std::stoll(first.Name()) + 2) << "named nodes use up serials too";
  EXPECT_EQ(named.Name(), "x");
  EXPECT_EQ(first.Lib(), nullptr);
}

TEST(HashNode, RefNodeNeedsALibrary) {
  TLib lib("L", false);
  THashNode target("Real");
  TRefNode alias("Float", &target, &lib);
  EXPECT_EQ(alias.Target(), &target);
  EXPECT_EQ(alias.Lib(), &lib);
  ExpectAssertion([&] { TRefNode orphan("Float", &target, nullptr); }, "DAF099CE");
}

TEST(HashList, KeepsOrderAndRefusesDuplicatesInAnyCase) {
  THashList list;
  EXPECT_TRUE(list.AddName("X"));
  EXPECT_TRUE(list.AddName("y"));
  EXPECT_FALSE(list.AddName("x"));
  auto duplicate = std::make_unique<THashNode>("Y");
  EXPECT_FALSE(list.Add(duplicate));
  EXPECT_NE(duplicate, nullptr);
  EXPECT_EQ(list.Count(), 2);
  EXPECT_EQ(list.IndexOf("Y"), 1);
  EXPECT_EQ(list.IndexOf("z"), -1);
  EXPECT_EQ(list.Get(0)->Name(), "X");
  ExpectAssertion([&] { list.Get(2); }, "7379BD00");
  ExpectAssertion([&] { list.Get(-1); }, "7379BD00");
  list.Clear();
  EXPECT_EQ(list.Count(), 0);
}

TEST(TabStack, PushPopAndBounds) {
  THashTab global, local;
  TTabStack stack;
  EXPECT_EQ(stack.Top(), nullptr);
  EXPECT_EQ(stack.TopIndex(), -1);
  EXPECT_EQ(stack.Push(&global), 0);
  EXPECT_EQ(stack.Push(&local), 1);
  EXPECT_EQ(stack.Top(), &local);
  EXPECT_EQ(stack.Get(0), &global);
  ExpectAssertion([&] { stack.Get(2); }, "63304901");
  stack.Pop();
  stack.Pop();
  ExpectAssertion([&] { stack.Pop(); }, "63304900");
}

TEST(HashStack, AssertionsOnEmptyAndOutOfRange) {
  THashStack stack;
  ExpectAssertion([&] { stack.Pop(); }, "361097D4");
  ExpectAssertion([&] { stack.Get(0); }, "7108D768");
  EXPECT_EQ(stack.Push(nullptr), 0);
  stack.Clear();
  EXPECT_EQ(stack.TopIndex(), -1);
}

}  // namespace
