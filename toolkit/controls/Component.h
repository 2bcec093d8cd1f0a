#pragma once
// Components: objects with an owner that frees them, a name and a tag.
// An owner frees the components it owns when it is freed; a component freed
// on its own leaves its owner's list. Components that asked to be told
// (FreeNotification) hear of each other's end through Notification.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "runtime/Object.h"


using TComponentState = unsigned;
constexpr TComponentState csLoading = 0x01;
constexpr TComponentState csReading = 0x02;
constexpr TComponentState csWriting = 0x04;
constexpr TComponentState csDestroying = 0x08;
constexpr TComponentState csDesigning = 0x10;

enum TOperation { opInsert, opRemove };

class TComponent : public TPersistent {
public:
  explicit TComponent(TComponent* owner);
  ~TComponent() override;
  TComponent(const TComponent&) = delete;
  TComponent& operator=(const TComponent&) = delete;

  TComponent* Owner() const { return owner_; }
  int ComponentCount() const { return static_cast<int>(components_.size()); }
  TComponent* Components(int index) const { return components_.at(static_cast<size_t>(index)); }
  // Names compare ignoring case; null when no owned component has the name.
  TComponent* FindComponent(const std::string& name) const;
  void InsertComponent(TComponent* component);
  void RemoveComponent(TComponent* component);

  const std::string& Name() const { return name_; }
  void SetName(const std::string& name);
  TComponentState ComponentState() const { return state_; }
  bool IsLoading() const { return (state_ & csLoading) != 0; }
  bool IsDestroying() const { return (state_ & csDestroying) != 0; }

  // Marks the component and what it owns as being destroyed.
  void Destroying();
  // Marks the component and what it owns as being designed (or not).
  void SetDesigning(bool designing);
  // Reading of stored properties starts; Loaded ends it.
  void BeginLoading();
  virtual void Loaded();

  // The component is told (Notification with opRemove) when other is freed.
  void FreeNotification(TComponent* other);
  void RemoveFreeNotification(TComponent* other);

  intptr_t Tag = 0;

protected:
  virtual void Notification(TComponent* component, TOperation operation);

private:
  void SendNotification(TComponent* component, TOperation operation);

  TComponent* owner_ = nullptr;
  std::vector<TComponent*> components_;
  std::vector<TComponent*> freeNotifies_;
  std::string name_;
  TComponentState state_ = 0;
};
