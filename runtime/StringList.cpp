#include "runtime/StringList.h"

#include <algorithm>
#include <utility>

#include "runtime/AsciiCase.h"

// TStrings

void TStrings::CheckIndex(int index, int limit) {
  if (index < 0 || index >= limit) throw EStringListError("List index out of bounds (" + std::to_string(index) + ")");
}

void TStrings::SetStrings(int index, const std::string& text) {
  TObject* object = Objects(index);
  BeginUpdate();
  Delete(index);
  InsertObject(index, text, object);
  EndUpdate();
}

TObject* TStrings::Objects(int index) const {
  CheckIndex(index, Count());
  return nullptr;
}

void TStrings::SetObjects(int index, TObject* /*object*/) { CheckIndex(index, Count()); }

int TStrings::AddObject(const std::string& text, TObject* object) {
  const int index = Count();
  InsertObject(index, text, object);
  return index;
}

void TStrings::Clear() {
  BeginUpdate();
  for (int index = Count() - 1; index >= 0; --index) Delete(index);
  EndUpdate();
}

void TStrings::Move(int from, int to) {
  if (from == to) return;
  CheckIndex(to, Count());
  const std::string text = Strings(from);
  TObject* object = Objects(from);
  BeginUpdate();
  Delete(from);
  InsertObject(to, text, object);
  EndUpdate();
}

void TStrings::Exchange(int first, int second) {
  CheckIndex(first, Count());
  CheckIndex(second, Count());
  const std::string firstText = Strings(first);
  TObject* firstObject = Objects(first);
  BeginUpdate();
  SetStrings(first, Strings(second));
  SetObjects(first, Objects(second));
  SetStrings(second, firstText);
  SetObjects(second, firstObject);
  EndUpdate();
}

int TStrings::IndexOf(const std::string& text) const {
  for (int index = 0; index < Count(); ++index)
    if (CompareStrings(Strings(index), text) == 0) return index;
  return -1;
}

int TStrings::IndexOfName(const std::string& name) const {
  for (int index = 0; index < Count(); ++index) {
    const std::string line = Strings(index);
    const size_t equals = line.find('=');
    if (equals != std::string::npos && CompareStrings(line.substr(0, equals), name) == 0) return index;
  }
  return -1;
}

int TStrings::IndexOfObject(const TObject* object) const {
  for (int index = 0; index < Count(); ++index)
    if (Objects(index) == object) return index;
  return -1;
}

std::string TStrings::Text() const {
  std::string text;
  for (int index = 0; index < Count(); ++index) {
    text += Strings(index);
    text += LineBreak;
  }
  return text;
}

void TStrings::SetText(const std::string& text) {
  BeginUpdate();
  Clear();
  size_t start = 0;
  while (start < text.size()) {
    const size_t end = text.find_first_of("\r\n", start);
    if (end == std::string::npos) {
      Add(text.substr(start));
      break;
    }
    Add(text.substr(start, end - start));
    start = end + (text.compare(end, 2, "\r\n") == 0 ? 2 : 1);
  }
  EndUpdate();
}

void TStrings::Assign(const TStrings& source) {
  if (&source == this) return;
  BeginUpdate();
  Clear();
  AddStrings(source);
  EndUpdate();
}

void TStrings::AddStrings(const TStrings& source) {
  BeginUpdate();
  for (int index = 0; index < source.Count(); ++index) AddObject(source.Strings(index), source.Objects(index));
  EndUpdate();
}

void TStrings::BeginUpdate() {
  if (updateCount_ == 0) SetUpdateState(true);
  ++updateCount_;
}

void TStrings::EndUpdate() {
  if (updateCount_ == 0) return;
  if (--updateCount_ == 0) SetUpdateState(false);
}

int TStrings::CompareStrings(const std::string& a, const std::string& b) const { return CompareAsciiText(a, b); }

// TStringList

const std::string& TStringList::At(int index) const {
  CheckIndex(index, Count());
  return items_[static_cast<size_t>(index)].text;
}

void TStringList::SetStrings(int index, const std::string& text) {
  CheckUnsorted();
  CheckIndex(index, Count());
  Changing();
  items_[static_cast<size_t>(index)].text = text;
  Changed();
}

TObject* TStringList::Objects(int index) const {
  CheckIndex(index, Count());
  return items_[static_cast<size_t>(index)].object;
}

void TStringList::SetObjects(int index, TObject* object) {
  CheckIndex(index, Count());
  Changing();
  items_[static_cast<size_t>(index)].object = object;
  Changed();
}

int TStringList::AddObject(const std::string& text, TObject* object) {
  if (!sorted_) return TStrings::AddObject(text, object);
  int index = 0;
  if (Find(text, index)) {
    if (duplicates_ == dupIgnore) return index;
    if (duplicates_ == dupError) throw EStringListError("String list does not allow duplicates");
  }
  Changing();
  items_.insert(items_.begin() + index, Item{text, object});
  Changed();
  return index;
}

void TStringList::InsertObject(int index, const std::string& text, TObject* object) {
  CheckUnsorted();
  CheckIndex(index, Count() + 1);
  Changing();
  items_.insert(items_.begin() + index, Item{text, object});
  Changed();
}

void TStringList::Delete(int index) {
  CheckIndex(index, Count());
  Changing();
  TObject* object = items_[static_cast<size_t>(index)].object;
  items_.erase(items_.begin() + index);
  if (OwnsObjects) delete object;
  Changed();
}

void TStringList::Clear() {
  if (items_.empty()) return;
  Changing();
  FreeObjects();
  items_.clear();
  Changed();
}

TStringList::~TStringList() { FreeObjects(); }

void TStringList::FreeObjects() {
  if (!OwnsObjects) return;
  for (Item& item : items_) delete std::exchange(item.object, nullptr);
}

void TStringList::Move(int from, int to) {
  CheckUnsorted();
  CheckIndex(from, Count());
  CheckIndex(to, Count());
  if (from == to) return;
  Changing();
  const Item item = items_[static_cast<size_t>(from)];
  items_.erase(items_.begin() + from);
  items_.insert(items_.begin() + to, item);
  Changed();
}

void TStringList::Exchange(int first, int second) {
  CheckUnsorted();
  CheckIndex(first, Count());
  CheckIndex(second, Count());
  Changing();
  std::swap(items_[static_cast<size_t>(first)], items_[static_cast<size_t>(second)]);
  Changed();
}

int TStringList::IndexOf(const std::string& text) const {
  if (!sorted_) return TStrings::IndexOf(text);
  int index = 0;
  return Find(text, index) ? index : -1;
}

bool TStringList::Find(const std::string& text, int& index) const {
  // The first of equal strings, so that IndexOf finds the first duplicate.
  const auto place = std::lower_bound(items_.begin(), items_.end(), text, [this](const Item& item, const std::string& key) {
    return CompareStrings(item.text, key) < 0;
  });
  index = static_cast<int>(place - items_.begin());
  return place != items_.end() && CompareStrings(place->text, text) == 0;
}

void TStringList::Sort() {
  Changing();
  std::stable_sort(items_.begin(), items_.end(),
                   [this](const Item& a, const Item& b) { return CompareStrings(a.text, b.text) < 0; });
  Changed();
}

void TStringList::SetSorted(bool sorted) {
  if (sorted == sorted_) return;
  if (sorted) Sort();
  sorted_ = sorted;
}

void TStringList::SetCaseSensitive(bool caseSensitive) {
  if (caseSensitive == caseSensitive_) return;
  caseSensitive_ = caseSensitive;
  if (sorted_) Sort();
}

void TStringList::SetUpdateState(bool updating) {
  if (updating)
    Changing();
  else
    Changed();
}

int TStringList::CompareStrings(const std::string& a, const std::string& b) const {
  return caseSensitive_ ? a.compare(b) : CompareAsciiText(a, b);
}

void TStringList::CheckUnsorted() const {
  if (sorted_) throw EStringListError("Operation not allowed on sorted list");
}

void TStringList::Changing() {
  if (UpdateCount() == 0 && OnChanging) OnChanging(this);
}

void TStringList::Changed() {
  if (UpdateCount() == 0 && OnChange) OnChange(this);
}
