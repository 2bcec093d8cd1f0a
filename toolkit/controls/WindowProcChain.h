#pragma once
// A control's replaceable window method (TControl::WindowProc), kept as a
// chain of takeovers with the rule of a window's subclass chain: every
// handler has an identity (the {code, data} pair of a method, or the held
// copy of a callable), and writing back the handler a takeover replaced
// removes that takeover wherever it sits, so takeovers may be given back in
// any order. Any other handler takes over on top.
//
// Reading the property gives a TWndMethodRef. Calling it reaches that
// handler while its takeover is in place, and what it had replaced once it
// was removed: a takeover that saved another one never calls a removed one.
// A ref converts to a TWndMethod and back without losing its identity, so
// code that saves the property in a TWndMethod and writes it back later
// still gives its takeover back.

#include <concepts>
#include <cstddef>
#include <memory>
#include <utility>
#include <vector>

#include "runtime/MethodEvent.h"
#include "toolkit/win/Messages.h"

// A window method with an identity.
using TWndHandler = TMethodEvent<void(TMessage&)>;

class TWndMethodChain;

class TWndMethodRef {
public:
  TWndMethodRef() = default;
  void operator()(TMessage& message) const;
  const TMethod& Method() const { return handler_.Method(); }
  explicit operator bool() const { return static_cast<bool>(handler_); }

private:
  friend class TWindowProc;
  TWndMethodRef(std::weak_ptr<TWndMethodChain> chain, TWndHandler handler)
      : chain_(std::move(chain)), handler_(std::move(handler)) {}

  // Weak: handlers in the chain hold refs to what they replaced.
  std::weak_ptr<TWndMethodChain> chain_;
  TWndHandler handler_;
};

class TWindowProc {
public:
  TWindowProc();
  TWindowProc(const TWindowProc&) = delete;
  TWindowProc& operator=(const TWindowProc&) = delete;

  TWindowProc& operator=(const TWndHandler& handler);
  TWindowProc& operator=(const TWndMethodRef& handler) { return *this = handler.handler_; }
  // Empties the chain: Perform then goes to the control's WndProc directly.
  TWindowProc& operator=(std::nullptr_t);
  template <class Callable>
    requires(std::invocable<Callable&, TMessage&> && !std::same_as<std::decay_t<Callable>, TWndHandler> &&
             !std::same_as<std::decay_t<Callable>, TWndMethodRef>)
  TWindowProc& operator=(Callable callable) {
    if constexpr (std::same_as<std::decay_t<Callable>, TWndMethod>) {
      if (!callable) return *this = nullptr;
      if (const TWndMethodRef* ref = callable.template target<TWndMethodRef>()) return *this = *ref;
    }
    return *this = TWndHandler(std::move(callable));
  }

  // The handler on top.
  TWndMethodRef Current() const;
  operator TWndMethod() const { return Current(); }
  const TMethod& Method() const;
  explicit operator bool() const;
  // Hands the message to the handler on top.
  void Call(TMessage& message) const;

private:
  std::shared_ptr<TWndMethodChain> chain_;
};
