#pragma once
// A collection: the items of one class an owner keeps in order (the skins
// a skin manager stores, the pictures of an image list). The collection
// makes, holds and frees its items; an item knows its collection and its
// place in it. Changes are reported through Update, which a collection
// overrides to react; BeginUpdate/EndUpdate fold a batch into one report.

#include <functional>
#include <memory>
#include <vector>

#include "runtime/Object.h"

class TCollection;

class TCollectionItem : public TPersistent {
public:
  TCollectionItem() = default;
  TCollectionItem(const TCollectionItem&) = delete;
  TCollectionItem& operator=(const TCollectionItem&) = delete;

  // Null until the item is placed in a collection.
  TCollection* Collection() const { return collection_; }
  // The place in the collection; -1 outside one.
  int Index() const;
  // Moves the item to that place, the others closing up; out of range
  // places are clipped to the ends.
  void SetIndex(int index);
  // Unique inside the collection and never reused by it.
  int ID() const { return id_; }

  // Takes the source's values. Items that cannot copy each other raise
  // EConvertError "Cannot assign a <source class> to a <this class>".
  virtual void Assign(const TCollectionItem& source);

protected:
  // Reports a change of this item, or of all items, to the collection.
  void Changed(bool allItems);

private:
  friend class TCollection;
  TCollection* collection_ = nullptr;
  int id_ = -1;
};

class TCollection : public TPersistent {
public:
  using TItemFactory = std::function<std::unique_ptr<TCollectionItem>()>;

  // factory makes one empty item of the collection's class; owner (may be
  // null) is the object that holds the collection.
  TCollection(TItemFactory factory, TPersistent* owner = nullptr);
  ~TCollection() override;
  TCollection(const TCollection&) = delete;
  TCollection& operator=(const TCollection&) = delete;

  TPersistent* Owner() const { return owner_; }
  int Count() const { return static_cast<int>(items_.size()); }
  // index must lie in 0..Count - 1 (ERangeError otherwise).
  TCollectionItem& Items(int index) const;

  // A new empty item at the end / at index (clipped to 0..Count).
  TCollectionItem& Add();
  TCollectionItem& Insert(int index);
  // Frees the item at index (ERangeError outside 0..Count - 1).
  void Delete(int index);
  void Clear();
  // The item with that ID; null when none has it.
  TCollectionItem* FindItemID(int id) const;

  // Replaces the items by copies of the source's (each through Assign).
  // When an item cannot be copied its error propagates and this
  // collection keeps its items.
  virtual void Assign(const TCollection& source);

  void BeginUpdate() { ++updateCount_; }
  // The last EndUpdate reports one change of all items.
  void EndUpdate();

protected:
  // A change of item, or of all items when null: items added, deleted,
  // moved or changed. Called outside BeginUpdate/EndUpdate only.
  virtual void Update(TCollectionItem* item);

private:
  friend class TCollectionItem;
  void Changed(TCollectionItem* item);
  std::unique_ptr<TCollectionItem> NewItem();
  void CheckIndex(int index) const;

  TItemFactory factory_;
  TPersistent* owner_;
  std::vector<std::unique_ptr<TCollectionItem>> items_;
  int nextId_ = 0;
  int updateCount_ = 0;
};

// A collection of Item (a class derived from TCollectionItem with a
// default constructor), whose accessors answer that class.
template <class Item>
class TCollectionOf : public TCollection {
public:
  explicit TCollectionOf(TPersistent* owner = nullptr)
      : TCollection([] { return std::make_unique<Item>(); }, owner) {}

  Item& Items(int index) const { return static_cast<Item&>(TCollection::Items(index)); }
  Item& Add() { return static_cast<Item&>(TCollection::Add()); }
  Item& Insert(int index) { return static_cast<Item&>(TCollection::Insert(index)); }
};
