#include "runtime/StringList.h"

#include <gtest/gtest.h>

namespace {

std::vector<std::string> Contents(const TStrings& list) {
  std::vector<std::string> strings;
  for (int index = 0; index < list.Count(); ++index) strings.push_back(list.Strings(index));
  return strings;
}

std::string ErrorOf(const std::function<void()>& action) {
  try {
    action();
  } catch (const EStringListError& error) {
    return error.what();
  }
  return "no error";
}

using Strings = std::vector<std::string>;

TEST(StringList, KeepsStringsWithTheirObjectsThroughEditing) {
  TObject first, second;
  TStringList list;
  EXPECT_EQ(list.AddObject("one", &first), 0);
  EXPECT_EQ(list.Add("two"), 1);
  list.InsertObject(0, "zero", &second);
  list.Insert(3, "three");
  EXPECT_EQ(Contents(list), (Strings{"zero", "one", "two", "three"}));
  EXPECT_EQ(list.Objects(1), &first);
  EXPECT_EQ(list.IndexOfObject(&second), 0);
  EXPECT_EQ(list.IndexOfObject(nullptr), 2);

  list.Move(0, 3);
  EXPECT_EQ(Contents(list), (Strings{"one", "two", "three", "zero"}));
  EXPECT_EQ(list.Objects(3), &second);
  list.Exchange(0, 2);
  EXPECT_EQ(Contents(list), (Strings{"three", "two", "one", "zero"}));
  EXPECT_EQ(list.Objects(2), &first);
  list.Delete(1);
  EXPECT_EQ(Contents(list), (Strings{"three", "one", "zero"}));
  list.SetStrings(1, "uno");
  EXPECT_EQ(list.Objects(1), &first) << "replacing a string keeps its object";
  list.Clear();
  EXPECT_EQ(list.Count(), 0);
}

TEST(StringList, IndexOfIgnoresAsciiCaseUnlessCaseSensitive) {
  TStringList list;
  list.SetText("Alpha\nBETA\n");
  EXPECT_EQ(list.IndexOf("beta"), 1);
  EXPECT_EQ(list.IndexOf("gamma"), -1);
  list.SetCaseSensitive(true);
  EXPECT_EQ(list.IndexOf("beta"), -1);
  EXPECT_EQ(list.IndexOf("BETA"), 1);
}

TEST(StringList, IndexOfNameFindsTheNameBeforeTheFirstEquals) {
  TStringList list;
  list.SetText("plain\nColor=1\nkey=a=b\nEmpty=\ncolor=2\n");
  EXPECT_EQ(list.IndexOfName("color"), 1) << "the first of equal names, ignoring case";
  EXPECT_EQ(list.IndexOfName("Key"), 2);
  EXPECT_EQ(list.IndexOfName("empty"), 3);
  EXPECT_EQ(list.IndexOfName("plain"), -1) << "a line without = has no name";
  EXPECT_EQ(list.IndexOfName("a"), -1);
  list.SetCaseSensitive(true);
  EXPECT_EQ(list.IndexOfName("color"), 4);
}

TEST(StringList, AListOwningItsObjectsFreesThemAsTheirLinesGo) {
  struct TCounted : TObject {
    explicit TCounted(int& alive) : Alive(alive) { ++Alive; }
    ~TCounted() override { --Alive; }
    int& Alive;
  };
  int alive = 0;
  {
    TStringList list;
    list.OwnsObjects = true;
    for (const char* name : {"a", "b", "c", "d"}) list.AddObject(name, new TCounted(alive));
    list.Delete(0);
    EXPECT_EQ(alive, 3);
    list.Clear();
    EXPECT_EQ(alive, 0);
    list.AddObject("e", new TCounted(alive));
  }
  EXPECT_EQ(alive, 0) << "the rest go with the list";
  TCounted kept(alive);
  {
    TStringList borrowing;
    borrowing.AddObject("k", &kept);
    borrowing.Clear();
  }
  EXPECT_EQ(alive, 1) << "a list that does not own its objects leaves them";
}

TEST(StringList, BadIndicesAreReportedWithTheIndex) {
  TStringList list;
  list.Add("a");
  const std::vector<std::pair<std::function<void()>, std::string>> cases = {
      {[&] { list.Strings(1); }, "List index out of bounds (1)"},
      {[&] { list.Objects(-1); }, "List index out of bounds (-1)"},
      {[&] { list.Delete(5); }, "List index out of bounds (5)"},
      {[&] { list.Insert(2, "x"); }, "List index out of bounds (2)"},
      {[&] { list.Move(0, 1); }, "List index out of bounds (1)"},
      {[&] { list.Exchange(3, 0); }, "List index out of bounds (3)"},
      {[&] { list.SetStrings(1, "x"); }, "List index out of bounds (1)"},
  };
  for (const auto& [action, message] : cases) EXPECT_EQ(ErrorOf(action), message);
  EXPECT_EQ(Contents(list), (Strings{"a"})) << "a refused operation changes nothing";
}

TEST(StringList, SortedListKeepsOrderAndRefusesPositionalChanges) {
  TStringList list;
  list.SetText("pear\napple\nFig\n");
  list.SetSorted(true);
  EXPECT_EQ(Contents(list), (Strings{"apple", "Fig", "pear"}));
  EXPECT_EQ(list.Add("banana"), 1);
  EXPECT_EQ(list.IndexOf("FIG"), 2);
  int index = 0;
  EXPECT_FALSE(list.Find("cherry", index));
  EXPECT_EQ(index, 2);

  for (const auto& action : std::vector<std::function<void()>>{[&] { list.Insert(0, "x"); },
                                                               [&] { list.Move(0, 1); },
                                                               [&] { list.Exchange(0, 1); },
                                                               [&] { list.SetStrings(0, "x"); }})
    EXPECT_EQ(ErrorOf(action), "Operation not allowed on sorted list");
  EXPECT_EQ(Contents(list), (Strings{"apple", "banana", "Fig", "pear"}));
}

TEST(StringList, DuplicatesOfASortedList) {
  TStringList list;
  list.SetSorted(true);
  list.Add("b");
  EXPECT_EQ(list.Add("B"), 0) << "ignored duplicates answer the existing index";
  EXPECT_EQ(list.Count(), 1);
  list.SetDuplicates(dupError);
  EXPECT_EQ(ErrorOf([&] { list.Add("b"); }), "String list does not allow duplicates");
  list.SetDuplicates(dupAccept);
  list.Add("B");
  EXPECT_EQ(list.Count(), 2);
}

TEST(StringList, TextSplitsAtEveryKindOfLineBreak) {
  TStringList list;
  list.SetText("a\r\nb\rc\n\nd");
  EXPECT_EQ(Contents(list), (Strings{"a", "b", "c", "", "d"}));
  EXPECT_EQ(list.Text(), "a\nb\nc\n\nd\n");
  list.SetText("");
  EXPECT_EQ(list.Count(), 0);
}

TEST(StringList, AssignCopiesStringsAndObjects) {
  TObject object;
  TStringList source, target;
  source.AddObject("x", &object);
  target.Add("old");
  target.Assign(source);
  EXPECT_EQ(Contents(target), (Strings{"x"}));
  EXPECT_EQ(target.Objects(0), &object);
  target.Assign(target);
  EXPECT_EQ(Contents(target), (Strings{"x"})) << "assigning a list to itself keeps it";
}

TEST(StringList, ChangesInsideAnUpdateNotifyOnceAtItsEnd) {
  TStringList list;
  int changing = 0, changed = 0;
  list.OnChanging = [&](TObject*) { ++changing; };
  list.OnChange = [&](TObject*) { ++changed; };
  list.Add("a");
  EXPECT_EQ(changed, 1);
  list.BeginUpdate();
  list.BeginUpdate();
  list.Add("b");
  list.Delete(0);
  list.EndUpdate();
  EXPECT_EQ(changed, 1);
  list.EndUpdate();
  EXPECT_EQ(changing, 2);
  EXPECT_EQ(changed, 2);
  list.SetText("x\ny");
  EXPECT_EQ(changed, 3) << "setting the text is one change";
}

}  // namespace
