#include "toolkit/controls/Component.h"

#include <algorithm>

#include "runtime/AsciiCase.h"

namespace {

void Erase(std::vector<TComponent*>& list, TComponent* item) {
  list.erase(std::remove(list.begin(), list.end(), item), list.end());
}

}  // namespace

TComponent::TComponent(TComponent* owner) {
  if (owner) owner->InsertComponent(this);
}

TComponent::~TComponent() {
  Destroying();
  while (!freeNotifies_.empty()) {
    TComponent* other = freeNotifies_.back();
    freeNotifies_.pop_back();
    Erase(other->freeNotifies_, this);
    other->Notification(this, opRemove);
  }
  while (!components_.empty()) delete components_.back();
  if (owner_) owner_->RemoveComponent(this);
}

TComponent* TComponent::FindComponent(const std::string& name) const {
  if (name.empty()) return nullptr;
  const auto found = std::find_if(components_.begin(), components_.end(),
                                  [&name](const TComponent* c) { return SameAsciiText(c->Name(), name); });
  return found == components_.end() ? nullptr : *found;
}

void TComponent::InsertComponent(TComponent* component) {
  if (component->owner_) component->owner_->RemoveComponent(component);
  components_.push_back(component);
  component->owner_ = this;
  SendNotification(component, opInsert);
}

void TComponent::RemoveComponent(TComponent* component) {
  SendNotification(component, opRemove);
  Erase(components_, component);
  component->owner_ = nullptr;
}

void TComponent::SetName(const std::string& name) { name_ = name; }

void TComponent::Destroying() {
  if (state_ & csDestroying) return;
  state_ |= csDestroying;
  for (TComponent* component : components_) component->Destroying();
}

void TComponent::SetDesigning(bool designing) {
  state_ = designing ? state_ | csDesigning : state_ & ~csDesigning;
  for (TComponent* component : components_) component->SetDesigning(designing);
}

void TComponent::BeginLoading() { state_ |= csLoading | csReading; }

void TComponent::Loaded() { state_ &= ~(csLoading | csReading); }

void TComponent::FreeNotification(TComponent* other) {
  if (!other || other == this) return;
  if (std::find(freeNotifies_.begin(), freeNotifies_.end(), other) == freeNotifies_.end()) {
    freeNotifies_.push_back(other);
    other->freeNotifies_.push_back(this);
  }
}

void TComponent::RemoveFreeNotification(TComponent* other) {
  Erase(freeNotifies_, other);
  if (other) Erase(other->freeNotifies_, this);
}

void TComponent::Notification(TComponent*, TOperation) {}

// The owner and everything it owns hear of insertions and removals.
void TComponent::SendNotification(TComponent* component, TOperation operation) {
  Notification(component, operation);
  for (TComponent* owned : components_)
    if (owned != component) owned->Notification(component, operation);
}
