#include "engine/HashTab.h"

#include "engine/Lib.h"
#include "runtime/AsciiCase.h"

namespace {

std::int64_t NextSerial = 0;  // counts every node creation in the process

std::string FoldedName(std::string_view name) {
  std::string folded(name);
  for (char& c : folded) c = AsciiLower(c);
  return folded;
}

int FoldedHash(std::string_view name) {
  unsigned sum = 0;
  for (char c : name) sum += static_cast<unsigned char>(AsciiLower(c));
  return static_cast<int>(sum % THashTab::BucketCount);
}

}  // namespace

bool SameName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (AsciiLower(a[i]) != AsciiLower(b[i])) return false;
  return true;
}

THashNode::THashNode(std::string name, TLib* lib)
    : name_(std::move(name)), serial_(NextSerial++), lib_(lib) {
  if (!name_.empty()) serial_ = -1;
}

const std::string& THashNode::Name() const {
  if (name_.empty() && !HasName()) name_ = std::to_string(serial_);
  return name_;
}

TRefNode::TRefNode(std::string name, THashNode* target, TLib* lib)
    : THashNode(std::move(name), lib), target_(target) {
  QASSERT(lib != nullptr, "DAF099CE");
}

THashTab::~THashTab() { Clear(); }

int THashTab::HashOf(std::string_view lowerName) {
  unsigned sum = 0;
  for (unsigned char c : lowerName) sum += c;
  return static_cast<int>(sum % BucketCount);
}

THashNode* THashTab::Find(std::string_view name) const {
  auto found = byName_.find(FoldedName(name));
  return found == byName_.end() ? nullptr : found->second;
}

bool THashTab::Adopt(THashNode* node) {
  // The name is folded once, to look it up and to index it.
  if (!byName_.try_emplace(FoldedName(node->Name()), node).second) return false;
  const int bucket = FoldedHash(node->Name());
  node->next_ = nullptr;
  (tails_[bucket] ? tails_[bucket]->next_ : buckets_[bucket]) = node;
  tails_[bucket] = node;
  ++changes_;
  return true;
}

void THashTab::IndexNode(THashNode* node) { byName_.emplace(FoldedName(node->Name()), node); }

void THashTab::UnindexNode(const THashNode* node) { byName_.erase(FoldedName(node->Name())); }

void THashTab::FindTail(int bucket) {
  THashNode* last = buckets_[bucket];
  while (last && last->next_) last = last->next_;
  tails_[bucket] = last;
}

THashNode* THashTab::Bucket(int index) const {
  if (index < 0 || index >= BucketCount) throw ERangeError();
  return buckets_[index];
}

THashNode* THashTab::First() {
  cursorBucket_ = -1;
  cursorNode_ = nullptr;
  return NextBucketHead();
}

THashNode* THashTab::Next() {
  if (!cursorNode_) return nullptr;
  if (cursorNode_->next_) return cursorNode_ = cursorNode_->next_;
  return NextBucketHead();
}

THashNode* THashTab::NextBucketHead() {
  while (++cursorBucket_ < BucketCount)
    if (buckets_[cursorBucket_]) return cursorNode_ = buckets_[cursorBucket_];
  EndWalk();
  return nullptr;
}

void THashTab::EndWalk() {
  cursorBucket_ = 0;
  cursorNode_ = nullptr;
}

void THashTab::DeleteNode(THashNode* node) {
  QASSERT(cursorNode_ == nullptr, "C42CAD11");
  for (THashNode** link = &buckets_[FoldedHash(node->Name())]; *link; link = &(*link)->next_)
    if (*link == node) return Unlink(link);
}

// A name lives in one bucket only, so the first node found is the first in bucket order.
void THashTab::DeleteByName(std::string_view name) {
  QASSERT(cursorNode_ == nullptr, "C42CAD11");
  if (THashNode* node = Find(name)) DeleteNode(node);
}

// The table is emptied first and its nodes freed after, in table order:
// unlinking them one by one would update the index for each.
void THashTab::Clear() {
  EndWalk();
  const std::array<THashNode*, BucketCount> heads = std::exchange(buckets_, {});
  tails_ = {};
  byName_.clear();
  ++changes_;
  for (THashNode* node : heads)
    while (node) delete std::exchange(node, node->next_);
}

void THashTab::RemoveLib(const TLib* lib, bool force) {
  if (!force && lib && lib->BuiltIn()) return;
  Detach([lib](const THashNode& node) { return node.Lib() == lib; });
}

TDetachedNodes THashTab::Detach(const std::function<bool(const THashNode&)>& which) {
  EndWalk();
  ++changes_;
  TDetachedNodes detached;
  for (int bucket = 0; bucket < BucketCount; ++bucket) {
    THashNode** link = &buckets_[bucket];
    for (int position = 0; *link; ++position) {
      THashNode* node = *link;
      if (which(*node)) {
        *link = node->next_;
        node->next_ = nullptr;
        UnindexNode(node);
        detached.places_.push_back({node, bucket, position});
      } else {
        link = &node->next_;
      }
    }
    FindTail(bucket);
  }
  return detached;
}

// In place order, each node finds the nodes that stood before it back in
// their places.
void THashTab::Reattach(TDetachedNodes& detached) {
  EndWalk();
  ++changes_;
  for (const TDetachedNodes::TPlace& place : detached.places_) QASSERT(!Find(place.Node->Name()), "C42CAD12");
  for (const TDetachedNodes::TPlace& place : detached.places_) {
    THashNode** link = &buckets_[place.Bucket];
    for (int i = 0; i < place.Position && *link; ++i) link = &(*link)->next_;
    place.Node->next_ = *link;
    *link = place.Node;
    IndexNode(place.Node);
    FindTail(place.Bucket);
  }
  detached.places_.clear();
}

void THashTab::Unlink(THashNode** link) {
  THashNode* node = *link;
  *link = node->next_;
  ++changes_;
  UnindexNode(node);
  if (tails_[FoldedHash(node->Name())] == node) FindTail(FoldedHash(node->Name()));
  delete node;
}

TDetachedNodes& TDetachedNodes::operator=(TDetachedNodes&& other) noexcept {
  if (this != &other) {
    Free();
    places_ = std::exchange(other.places_, {});
  }
  return *this;
}

void TDetachedNodes::Free() {
  for (const TPlace& place : places_) delete place.Node;
  places_.clear();
}

bool THashList::AddName(std::string name) {
  auto node = std::make_unique<THashNode>(std::move(name));
  return Add(node);
}

int THashList::IndexOf(std::string_view name) const {
  for (int i = 0; i < Count(); ++i)
    if (SameName(nodes_[i]->Name(), name)) return i;
  return -1;
}

THashNode* THashList::Get(int index) const {
  QASSERT(index >= 0 && index < Count(), "7379BD00");
  return nodes_[index].get();
}
