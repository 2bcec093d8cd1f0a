#pragma once
// Lists of strings, each with an object beside it. TStrings is the interface
// that controls' Items and Lines implement (their changes go straight to the
// control); TStringList keeps the strings itself, optionally sorted.
// Strings compare ignoring ASCII case unless CaseSensitive is set. Text
// joins the lines with LineBreak (LF) after each one; setting it splits at
// CR LF, CR or LF.

#include <string>
#include <vector>

#include "runtime/Exceptions.h"
#include "runtime/Object.h"

// A bad index ("List index out of bounds (5)") or an operation the list's
// state refuses ("Operation not allowed on sorted list").
class EStringListError : public EQuantrelError {
public:
  using EQuantrelError::EQuantrelError;
};

class TStrings : public TObject {
public:
  virtual int Count() const = 0;
  virtual std::string Strings(int index) const = 0;
  virtual void SetStrings(int index, const std::string& text);
  virtual TObject* Objects(int index) const;
  virtual void SetObjects(int index, TObject* object);

  int Add(const std::string& text) { return AddObject(text, nullptr); }
  // Where the string went (a sorted list chooses).
  virtual int AddObject(const std::string& text, TObject* object);
  void Insert(int index, const std::string& text) { InsertObject(index, text, nullptr); }
  virtual void InsertObject(int index, const std::string& text, TObject* object) = 0;
  virtual void Delete(int index) = 0;
  virtual void Clear();
  virtual void Move(int from, int to);
  virtual void Exchange(int first, int second);

  // -1 when absent.
  virtual int IndexOf(const std::string& text) const;
  int IndexOfObject(const TObject* object) const;
  // The first line of the form name=value whose name is name (compared as
  // IndexOf compares); -1 when none.
  int IndexOfName(const std::string& name) const;

  std::string Text() const;
  virtual void SetText(const std::string& text);
  // Replaces the strings and objects with source's.
  void Assign(const TStrings& source);
  void AddStrings(const TStrings& source);

  // Changes between the outermost BeginUpdate and EndUpdate notify once, at the end.
  void BeginUpdate();
  void EndUpdate();
  int UpdateCount() const { return updateCount_; }

  std::string LineBreak = "\n";

  // Throws "List index out of bounds (index)" unless 0 <= index < limit.
  static void CheckIndex(int index, int limit);

protected:
  // Called when the outermost update starts (true) and ends (false).
  virtual void SetUpdateState(bool /*updating*/) {}
  virtual int CompareStrings(const std::string& a, const std::string& b) const;

private:
  int updateCount_ = 0;
};

enum TDuplicates { dupIgnore, dupAccept, dupError };

class TStringList : public TStrings {
public:
  TStringList() = default;
  ~TStringList() override;
  TStringList(const TStringList&) = delete;
  TStringList& operator=(const TStringList&) = delete;

  // The list frees the objects of the lines it deletes or clears, and all
  // of them when it goes.
  bool OwnsObjects = false;

  int Count() const override { return static_cast<int>(items_.size()); }
  std::string Strings(int index) const override { return At(index); }
  // The string itself, without a copy.
  const std::string& At(int index) const;
  void SetStrings(int index, const std::string& text) override;
  TObject* Objects(int index) const override;
  void SetObjects(int index, TObject* object) override;

  int AddObject(const std::string& text, TObject* object) override;
  void InsertObject(int index, const std::string& text, TObject* object) override;
  void Delete(int index) override;
  void Clear() override;
  void Move(int from, int to) override;
  void Exchange(int first, int second) override;
  int IndexOf(const std::string& text) const override;

  // Binary search of a sorted list: true when found; index is where the
  // string is or would go.
  bool Find(const std::string& text, int& index) const;
  void Sort();

  bool Sorted() const { return sorted_; }
  void SetSorted(bool sorted);
  TDuplicates Duplicates() const { return duplicates_; }
  void SetDuplicates(TDuplicates duplicates) { duplicates_ = duplicates; }
  bool CaseSensitive() const { return caseSensitive_; }
  void SetCaseSensitive(bool caseSensitive);

  TNotifyEvent OnChanging;
  TNotifyEvent OnChange;

protected:
  void SetUpdateState(bool updating) override;
  int CompareStrings(const std::string& a, const std::string& b) const override;

private:
  struct Item {
    std::string text;
    TObject* object;
  };
  void CheckUnsorted() const;
  void FreeObjects();
  void Changing();
  void Changed();

  std::vector<Item> items_;
  bool sorted_ = false;
  bool caseSensitive_ = false;
  TDuplicates duplicates_ = dupIgnore;
};
