#include "runtime/Collection.h"

#include <string>

#include <gtest/gtest.h>

#include "runtime/Exceptions.h"

namespace {

class TNamedItem : public TCollectionItem {
public:
  std::string Name;
  void Assign(const TCollectionItem& source) override { Name = dynamic_cast<const TNamedItem&>(source).Name; }
  void Rename(const std::string& name) {
    Name = name;
    Changed(false);
  }
};

class TPlainItem : public TCollectionItem {};

// Counts the reports of changes and remembers the item of the last one.
class TWatchedCollection : public TCollectionOf<TNamedItem> {
public:
  using TCollectionOf::TCollectionOf;
  int Reports = 0;
  TCollectionItem* LastItem = nullptr;

protected:
  void Update(TCollectionItem* item) override {
    ++Reports;
    LastItem = item;
  }
};

std::string Names(const TCollectionOf<TNamedItem>& items) {
  std::string names;
  for (int i = 0; i < items.Count(); ++i) names += items.Items(i).Name;
  return names;
}

void Fill(TCollectionOf<TNamedItem>& items, const std::string& names) {
  for (const char name : names) items.Add().Name = std::string(1, name);
}

TEST(Collection, KeepsItemsInOrderAsTheyAreAddedInsertedMovedAndDeleted) {
  TPersistent owner;
  TCollectionOf<TNamedItem> items(&owner);
  EXPECT_EQ(items.Owner(), &owner);
  Fill(items, "abc");
  items.Insert(1).Name = "x";
  items.Insert(99).Name = "z";  // clipped to the end
  EXPECT_EQ(Names(items), "axbcz");
  EXPECT_EQ(items.Items(2).Index(), 2);
  EXPECT_EQ(items.Items(2).Collection(), &items);

  items.Items(0).SetIndex(3);
  EXPECT_EQ(Names(items), "xbcaz");
  items.Items(4).SetIndex(-5);
  EXPECT_EQ(Names(items), "zxbca");
  items.Delete(1);
  EXPECT_EQ(Names(items), "zbca");
  EXPECT_EQ(items.Count(), 4);
  EXPECT_THROW(items.Delete(4), ERangeError);
  EXPECT_THROW(items.Items(-1), ERangeError);
  items.Clear();
  EXPECT_EQ(items.Count(), 0);
}

TEST(Collection, IdsAreUniqueAndNeverReused) {
  TCollectionOf<TNamedItem> items;
  Fill(items, "ab");
  const int second = items.Items(1).ID();
  items.Delete(1);
  TNamedItem& third = items.Add();
  EXPECT_NE(third.ID(), second);
  EXPECT_NE(third.ID(), items.Items(0).ID());
  EXPECT_EQ(items.FindItemID(third.ID()), &third);
  EXPECT_EQ(items.FindItemID(second), nullptr);
  TNamedItem loose;
  EXPECT_EQ(loose.Index(), -1);
}

TEST(Collection, ReportsEachChangeAndOneForAnUpdateBatch) {
  TWatchedCollection items;
  Fill(items, "ab");
  EXPECT_EQ(items.Reports, 2);
  items.Items(1).Rename("c");
  EXPECT_EQ(items.Reports, 3);
  EXPECT_EQ(items.LastItem, &items.Items(1)) << "an item's own change names it";
  items.BeginUpdate();
  Fill(items, "def");
  items.Delete(0);
  items.EndUpdate();
  EXPECT_EQ(items.Reports, 4);
  EXPECT_EQ(items.LastItem, nullptr) << "a batch reports all items";
}

TEST(Collection, AssignCopiesItemsOrKeepsTheOldOnesWhenItemsCannotCopy) {
  TCollectionOf<TNamedItem> source;
  Fill(source, "pq");
  TCollectionOf<TNamedItem> target;
  Fill(target, "xyz");
  target.Assign(source);
  EXPECT_EQ(Names(target), "pq");
  EXPECT_EQ(target.Items(1).Collection(), &target);
  EXPECT_NE(target.Items(0).ID(), target.Items(1).ID());

  TCollectionOf<TPlainItem> plainSource;
  plainSource.Add();
  TCollectionOf<TPlainItem> plainTarget;
  plainTarget.Add();
  plainTarget.Add();
  try {
    plainTarget.Assign(plainSource);
    ADD_FAILURE() << "items without Assign copied";
  } catch (const EConvertError& error) {
    EXPECT_STREQ(error.what(), "Cannot assign a TPlainItem to a TPlainItem");
  }
  EXPECT_EQ(plainTarget.Count(), 2);
  TCollectionOf<TPlainItem> emptySource;
  plainTarget.Assign(emptySource);
  EXPECT_EQ(plainTarget.Count(), 0) << "an empty source copies without asking the items";
}

}  // namespace
