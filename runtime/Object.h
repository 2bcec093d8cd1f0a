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

using TNotifyEvent = std::function<void(TObject* sender)>;
