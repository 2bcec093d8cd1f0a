#pragma once
// Named engine objects and the containers that hold them. Every keyword,
// kind, variable, routine, field and argument is a THashNode that names its
// library; THashTab is the fixed 31-bucket table the scopes are made of.
//
// Names compare case-insensitively by folding the letters A-Z only; other
// bytes (above 127 included) compare as they are.

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "runtime/Exceptions.h"

class TLib;
class TRefVar;

// Case-insensitive name comparison (A-Z folded only).
bool SameName(std::string_view a, std::string_view b);

// A named object owned by one table or list, which frees it.
// A node created without a name is named after a process-wide serial number
// (incremented at every node creation, named or not); that name is formatted
// only when someone asks for it, because anonymous nodes (temporaries, array
// elements) are created on hot paths.
class THashNode {
public:
  explicit THashNode(std::string name, TLib* lib = nullptr);
  virtual ~THashNode() = default;
  THashNode(const THashNode&) = delete;
  THashNode& operator=(const THashNode&) = delete;

  const std::string& Name() const;
  bool HasName() const { return serial_ < 0; }
  TLib* Lib() const { return lib_; }
  // The next node of the same bucket chain; nil at the chain's end.
  THashNode* Next() const { return next_; }

private:
  friend class THashTab;

  mutable std::string name_;  // empty until an anonymous node's name is asked for
  std::int64_t serial_;       // -1 for a node created with a name
  TLib* lib_;
  THashNode* next_ = nullptr;
};

// A name standing for another engine object (a type alias refers to its
// kind this way). It must belong to a library (assertion "DAF099CE").
class TRefNode : public THashNode {
public:
  TRefNode(std::string name, THashNode* target, TLib* lib);

  THashNode* Target() const { return target_; }

private:
  THashNode* target_;
};

// Nodes taken out of a table, each with its place there (THashTab::Detach):
// owned here until they go back (THashTab::Reattach), freed with this
// object otherwise.
class TDetachedNodes {
public:
  TDetachedNodes() = default;
  TDetachedNodes(TDetachedNodes&& other) noexcept : places_(std::exchange(other.places_, {})) {}
  TDetachedNodes& operator=(TDetachedNodes&& other) noexcept;
  ~TDetachedNodes() { Free(); }

  bool Empty() const { return places_.empty(); }

private:
  friend class THashTab;

  struct TPlace {
    THashNode* Node;
    int Bucket;
    int Position;  // in its chain before anything was taken out
  };

  void Free();

  std::vector<TPlace> places_;  // in bucket order, then chain order
};

// A fixed 31-bucket hash table of nodes, which it owns. New nodes go to the
// end of their chain, so the first node of a name stays the one found.
// The table supports one walk at a time (First/Next); while a walk holds a
// current node, deleting single nodes fails the assertion "C42CAD11".
class THashTab {
public:
  static constexpr int BucketCount = 31;

  class TWalk;

  THashTab() = default;
  virtual ~THashTab();
  THashTab(const THashTab&) = delete;
  THashTab& operator=(const THashTab&) = delete;

  // Sum of the bytes of an already lower-cased name, modulo 31.
  static int HashOf(std::string_view lowerName);

  THashNode* Find(std::string_view name) const;
  // Takes the node and returns true, or returns false when a node of that
  // name is present, leaving the node with the caller.
  template <class T>
  bool Add(std::unique_ptr<T>& node) {
    if (!Adopt(node.get())) return false;
    node.release();
    return true;
  }
  THashNode* Bucket(int index) const;  // ERangeError outside 0..30

  // Walk: buckets 0..30, each chain in order. Next returns nil after the last
  // node and when no walk is under way; reaching the end ends the walk.
  THashNode* First();
  THashNode* Next();
  // Ends a walk stopped before its end, so that deletion works again.
  void EndWalk();
  // A walk for range-for loops; it ends when the loop is left, however early:
  //   for (THashNode* node : table.Walk()) ...
  TWalk Walk();

  void DeleteNode(THashNode* node);
  void DeleteByName(std::string_view name);  // first node of that name, if any
  void Clear();
  // Frees every node of lib, unless lib is built-in and force is clear.
  // Clear and RemoveLib end a walk under way, as its node may be gone.
  virtual void RemoveLib(const TLib* lib, bool force);

  // Unlinks, without freeing, every node for which which answers true;
  // ends a walk under way. Reattach puts them back where they were, in the
  // chains as they are then: exactly where they were when nothing else
  // changed meanwhile. A name taken again meanwhile fails "C42CAD12".
  TDetachedNodes Detach(const std::function<bool(const THashNode&)>& which);
  void Reattach(TDetachedNodes& detached);

  // Counts every change of the table's nodes, so that a list made from
  // them knows when to be made again.
  std::uint64_t Changes() const { return changes_; }

private:
  bool Adopt(THashNode* node);
  THashNode* NextBucketHead();
  // Removes and frees the node the link points to.
  void Unlink(THashNode** link);
  void IndexNode(THashNode* node);
  void UnindexNode(const THashNode* node);
  void FindTail(int bucket);

  std::array<THashNode*, BucketCount> buckets_{};
  // Beside the buckets, whose order the walks keep: every node by its folded
  // name and the last node of each chain, so that finding and adding take
  // constant time however long the chains grow.
  std::unordered_map<std::string, THashNode*> byName_;
  std::array<THashNode*, BucketCount> tails_{};
  int cursorBucket_ = 0;
  THashNode* cursorNode_ = nullptr;
  std::uint64_t changes_ = 0;
};

class THashTab::TWalk {
public:
  class Iterator {
  public:
    Iterator(THashTab* table, THashNode* node) : table_(table), node_(node) {}
    THashNode* operator*() const { return node_; }
    Iterator& operator++() {
      node_ = table_->Next();
      return *this;
    }
    bool operator==(const Iterator& other) const { return node_ == other.node_; }

  private:
    THashTab* table_;
    THashNode* node_;
  };

  explicit TWalk(THashTab& table) : table_(table) {}
  ~TWalk() { table_.EndWalk(); }
  TWalk(const TWalk&) = delete;
  TWalk& operator=(const TWalk&) = delete;

  Iterator begin() { return {&table_, table_.First()}; }
  Iterator end() { return {&table_, nullptr}; }

private:
  THashTab& table_;
};

inline THashTab::TWalk THashTab::Walk() { return TWalk(*this); }

// An ordered list of uniquely named nodes (record fields, argument lists,
// name lists of declarations); owns them.
class THashList {
public:
  // Takes the node and returns true, or returns false when the name is
  // present in any case, leaving the node with the caller.
  template <class T>
  bool Add(std::unique_ptr<T>& node) {
    if (IndexOf(node->Name()) >= 0) return false;
    nodes_.emplace_back(node.release());
    return true;
  }
  // Adds a plain node without library; false when the name is present.
  bool AddName(std::string name);
  int IndexOf(std::string_view name) const;  // -1 when absent
  THashNode* Get(int index) const;           // assertion "7379BD00" when out of range
  int Count() const { return static_cast<int>(nodes_.size()); }
  void Clear() { nodes_.clear(); }

private:
  std::vector<std::unique_ptr<THashNode>> nodes_;
};

// A stack of borrowed pointers whose misuse fails the given assertions.
template <class T>
class TBorrowedStack {
public:
  TBorrowedStack(const char* popTag, const char* getTag) : popTag_(popTag), getTag_(getTag) {}

  int Push(T* item) {
    items_.push_back(item);
    return TopIndex();
  }
  void Pop() {
    QASSERT(!items_.empty(), popTag_);
    items_.pop_back();
  }
  T* Get(int index) const {
    QASSERT(index >= 0 && index < Count(), getTag_);
    return items_[index];
  }
  int TopIndex() const { return Count() - 1; }
  int Count() const { return static_cast<int>(items_.size()); }
  void Clear() { items_.clear(); }

private:
  std::vector<T*> items_;
  const char* popTag_;
  const char* getTag_;
};

// Scope stack of tables: index 0 is the engine's global table, upper entries
// the local tables of the routine being compiled. Names resolve from the top.
class TTabStack : public TBorrowedStack<THashTab> {
public:
  TTabStack() : TBorrowedStack("63304900", "63304901") {}
  THashTab* Top() const { return Count() == 0 ? nullptr : Get(TopIndex()); }
};

// The record operands of the `with` statements being compiled.
class THashStack : public TBorrowedStack<TRefVar> {
public:
  THashStack() : TBorrowedStack("361097D4", "7108D768") {}
};
