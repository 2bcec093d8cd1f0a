#pragma once
// The root of the toolkit's objects: what events name as their sender and
// what string lists carry beside their strings.

#include <functional>
#include <string>

class TObject {
public:
  virtual ~TObject() = default;
  // The class's own name without namespaces ("TForm").
  std::string ClassName() const;
};

// The root of the objects that publish properties with type information:
// only properties of classes below it are exposed as nested objects.
class TPersistent : public TObject {};

using TNotifyEvent = std::function<void(TObject* sender)>;
