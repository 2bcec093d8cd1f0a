#include "runtime/Collection.h"

#include <algorithm>

#include "runtime/Exceptions.h"

int TCollectionItem::Index() const {
  if (!collection_) return -1;
  const auto& items = collection_->items_;
  const auto found = std::find_if(items.begin(), items.end(), [this](const auto& item) { return item.get() == this; });
  return static_cast<int>(found - items.begin());
}

void TCollectionItem::SetIndex(int index) {
  if (!collection_) return;
  const int from = Index();
  const int to = std::clamp(index, 0, collection_->Count() - 1);
  if (from == to) return;
  auto& items = collection_->items_;
  if (from < to)
    std::rotate(items.begin() + from, items.begin() + from + 1, items.begin() + to + 1);
  else
    std::rotate(items.begin() + to, items.begin() + from, items.begin() + from + 1);
  Changed(true);
}

void TCollectionItem::Assign(const TCollectionItem& source) {
  throw EConvertError("Cannot assign a " + source.ClassName() + " to a " + ClassName());
}

void TCollectionItem::Changed(bool allItems) {
  if (collection_) collection_->Changed(allItems ? nullptr : this);
}

TCollection::TCollection(TItemFactory factory, TPersistent* owner) : factory_(std::move(factory)), owner_(owner) {}

TCollection::~TCollection() = default;

TCollectionItem& TCollection::Items(int index) const {
  CheckIndex(index);
  return *items_[index];
}

TCollectionItem& TCollection::Add() { return Insert(Count()); }

TCollectionItem& TCollection::Insert(int index) {
  index = std::clamp(index, 0, Count());
  auto item = NewItem();
  TCollectionItem& placed = *item;
  items_.insert(items_.begin() + index, std::move(item));
  Changed(nullptr);
  return placed;
}

void TCollection::Delete(int index) {
  CheckIndex(index);
  items_.erase(items_.begin() + index);
  Changed(nullptr);
}

void TCollection::Clear() {
  if (items_.empty()) return;
  items_.clear();
  Changed(nullptr);
}

TCollectionItem* TCollection::FindItemID(int id) const {
  for (const auto& item : items_)
    if (item->id_ == id) return item.get();
  return nullptr;
}

void TCollection::Assign(const TCollection& source) {
  std::vector<std::unique_ptr<TCollectionItem>> copies;
  copies.reserve(source.items_.size());
  for (const auto& item : source.items_) {
    auto copy = factory_();
    copy->Assign(*item);
    copies.push_back(std::move(copy));
  }
  items_.clear();
  for (auto& copy : copies) {
    copy->collection_ = this;
    copy->id_ = nextId_++;
  }
  items_ = std::move(copies);
  Changed(nullptr);
}

void TCollection::EndUpdate() {
  if (updateCount_ > 0 && --updateCount_ == 0) Changed(nullptr);
}

void TCollection::Update(TCollectionItem*) {}

void TCollection::Changed(TCollectionItem* item) {
  if (updateCount_ == 0) Update(item);
}

std::unique_ptr<TCollectionItem> TCollection::NewItem() {
  auto item = factory_();
  item->collection_ = this;
  item->id_ = nextId_++;
  return item;
}

void TCollection::CheckIndex(int index) const {
  if (index < 0 || index >= Count()) throw ERangeError();
}
