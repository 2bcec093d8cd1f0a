#pragma once
// The base of host objects that declare routines for scripts. A window
// publishes such an object with ITarnscript::AddClient: its published
// properties become fields of a record variable, and the routines it
// declares in TarnExports become callable fields that TarnExecs runs.

#include <span>
#include <string>

#include "engine/Variant.h"
#include "runtime/Object.h"

class ITarnscript;
struct THostClass;

class TTarnClient : public TPersistent {
public:
  // The name under which the object is published when no name is given.
  virtual std::string TarnName() const = 0;
  // Declares the object's routines with ITarnscript::AddClientFunction;
  // called once per class, while its record kind is built.
  virtual void TarnExports(ITarnscript& engine);
  // Runs the routine declared under index with the call's arguments.
  virtual TVariant TarnExecs(int index, std::span<const TVariant> args);
};

// The registered class of TTarnClient, below "TPersistent".
const THostClass& HostTarnClientClass();
