#pragma once
// An event whose handler has an identity: an {object, method} pair that
// compares equal to itself, so that whoever set a handler by name can later
// tell whether the event still holds its own (GetMethodProp, SetMethodProp).
//
// A handler is either a method (Code: a function taking the object first,
// `void (*)(TObject* self, Args...)`; Data: the object) or any callable the
// program assigns directly; a callable's identity is its held copy, shared by
// every copy of the event, with no object.

#include <concepts>
#include <cstddef>
#include <functional>
#include <memory>
#include <utility>

#include "runtime/PublishedProperties.h"

template <class Signature>
class TMethodEvent;

template <class... Args>
class TMethodEvent<void(Args...)> {
public:
  using TCode = void (*)(TObject* self, Args... args);

  TMethodEvent() = default;
  TMethodEvent(std::nullptr_t) {}
  template <class Callable>
    requires(std::invocable<Callable&, Args...> && !std::same_as<std::decay_t<Callable>, TMethodEvent>)
  TMethodEvent(Callable callable)
      : callable_(std::make_shared<const std::function<void(Args...)>>(std::move(callable))),
        method_{callable_.get(), nullptr} {}

  static TMethodEvent OfMethod(TCode code, TObject* self) {
    TMethodEvent event;
    event.SetMethod(TMethod{reinterpret_cast<const void*>(code), self});
    return event;
  }

  explicit operator bool() const { return method_.Code != nullptr; }

  void operator()(Args... args) const {
    if (callable_)
      (*callable_)(std::forward<Args>(args)...);
    else if (method_.Code)
      reinterpret_cast<TCode>(method_.Code)(method_.Data, std::forward<Args>(args)...);
  }

  const TMethod& Method() const { return method_; }
  // An empty method unassigns; the identity of the handler held keeps it;
  // any other pair is a method as described above.
  void SetMethod(const TMethod& method) {
    if (method == method_) return;
    callable_.reset();
    method_ = method;
  }

private:
  std::shared_ptr<const std::function<void(Args...)>> callable_;
  TMethod method_;
};

// A method property over a TMethodEvent member of the class.
template <class Class, class Event>
TPublishedProperty& RegisterMethodEventProperty(const std::string& name, Event Class::*field) {
  TPublishedProperty property;
  property.Name = name;
  property.Kind = TPropertyKind::Method;
  property.Applies = IsOfClass<Class>;
  property.GetMethod = [field](TObject& object) { return (dynamic_cast<Class&>(object).*field).Method(); };
  property.SetMethod = [field](TObject& object, const TMethod& value) {
    (dynamic_cast<Class&>(object).*field).SetMethod(value);
  };
  return RegisterPublishedProperty(std::move(property));
}
