#include "toolkit/controls/ListControlStrings.h"

LRESULT TListControlStrings::Send(UINT message, WPARAM wParam, LPARAM lParam) const {
  control_.HandleNeeded();
  return control_.Perform(message, wParam, lParam);
}

int TListControlStrings::Count() const {
  if (keeping_) return kept_.Count();
  return static_cast<int>(Send(messages_.Count, 0, 0));
}

std::string TListControlStrings::Strings(int index) const {
  if (keeping_) return kept_.Strings(index);
  const LRESULT length = Send(messages_.GetTextLength, static_cast<WPARAM>(index), 0);
  if (length < 0) CheckIndex(index, Count());
  std::string text(static_cast<size_t>(length) + 1, '\0');
  Send(messages_.GetText, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
  text.resize(static_cast<size_t>(length));
  return text;
}

TObject* TListControlStrings::Objects(int index) const {
  if (keeping_) return kept_.Objects(index);
  CheckIndex(index, Count());
  return reinterpret_cast<TObject*>(Send(messages_.GetData, static_cast<WPARAM>(index), 0));
}

void TListControlStrings::SetObjects(int index, TObject* object) {
  CheckIndex(index, Count());
  Send(messages_.SetData, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(object));
}

int TListControlStrings::AddObject(const std::string& text, TObject* object) {
  const auto index = static_cast<int>(Send(messages_.Add, 0, reinterpret_cast<LPARAM>(text.c_str())));
  if (index >= 0 && object) SetObjects(index, object);
  return index;
}

void TListControlStrings::InsertObject(int index, const std::string& text, TObject* object) {
  CheckIndex(index, Count() + 1);
  Send(messages_.Insert, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.c_str()));
  if (object) SetObjects(index, object);
}

void TListControlStrings::Delete(int index) {
  CheckIndex(index, Count());
  Send(messages_.Delete, static_cast<WPARAM>(index), 0);
}

void TListControlStrings::Clear() { Send(messages_.Reset, 0, 0); }

void TListControlStrings::KeepItems() {
  kept_.Assign(*this);
  keeping_ = true;
}

void TListControlStrings::RestoreItems() {
  if (!keeping_) return;
  keeping_ = false;
  for (int index = 0; index < kept_.Count(); ++index) AddObject(kept_.Strings(index), kept_.Objects(index));
  kept_.Clear();
}
