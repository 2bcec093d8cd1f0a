#pragma once
// Properties reachable by name, in place of run-time type information: each
// is registered once for a class and serves its descendants too. Kinds:
// ordinal (integers, enumerations, Booleans, colours), set (a bit per
// element name), string, object and method (an event handler as an
// {object, method} pair that compares equal to itself).
//
// Names compare ignoring case. An unknown name reads as -1 (ordinal), ""
// (set, string), nil (object) or an empty method, and writing it does nothing.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <tuple>
#include <type_traits>
#include <vector>

#include "runtime/Object.h"

// An event handler's identity: the object it belongs to and which of its
// methods it is.
struct TMethod {
  const void* Code = nullptr;
  TObject* Data = nullptr;
  bool operator==(const TMethod&) const = default;
};

enum class TPropertyKind { Ordinal, Set, String, Object, Method, Float, Event };

// The arguments of a fired event, as many as its parameters use: the
// sender, a mouse button's ordinal, the shift-state mask, a position, and
// a key (a virtual key code, or a key press's code point) that the handler
// may change.
struct THostEventArgs {
  TObject* Sender = nullptr;
  std::int64_t Button = 0;
  std::int64_t Shift = 0;
  std::int64_t X = 0;
  std::int64_t Y = 0;
  std::int64_t Key = 0;
};

// An event's handler as the host keeps it. Held is the host's own handler,
// so that writing back a handler read earlier restores exactly what was
// there; Call runs it (empty: no handler).
struct THostHandler {
  std::shared_ptr<const void> Held;
  std::function<void(THostEventArgs&)> Call;
  explicit operator bool() const { return static_cast<bool>(Call); }
};

// What a script host learns of a property's type.
enum class TTypeCategory { Integer, Int64, Enumeration, Float, Char, String, Set, Class, Method, Other };

enum class THostParamMode { Value, Var, Const, Out, ArrayOf };

struct THostParam {
  std::string Name;
  std::string TypeName;
  THostParamMode Mode = THostParamMode::Value;
};

struct THostClass;

struct THostType {
  TTypeCategory Category = TTypeCategory::Other;
  std::string Name;
  std::vector<std::string> Members;    // an enumeration's, in ordinal order
  const THostType* Element = nullptr;  // a set's element type
  const THostClass* Class = nullptr;   // a class property's class
  std::vector<THostParam> Params;      // a method's
  std::string ResultType;              // a method's; empty for a procedure
};

// A class with its ancestry. Its published properties are those registered
// with it as their Class, after its ancestors' ones.
struct THostClass {
  std::string Name;
  const THostClass* Parent = nullptr;
  std::function<bool(TObject&)> Applies;
  bool DescendsFrom(const std::string& name) const;  // itself included; ignoring case
};

struct TPublishedProperty {
  std::string Name;
  TPropertyKind Kind = TPropertyKind::Ordinal;
  // The class that declares it and its type, for a script host; a property
  // registered without them is reachable by name only.
  const THostClass* Class = nullptr;
  const THostType* Type = nullptr;
  // Applies: whether the object is of the class (or a descendant) it was registered for.
  std::function<bool(TObject&)> Applies;
  // Ordinal and set properties (a set's bit i is element i of SetElements).
  std::function<std::int64_t(TObject&)> GetOrdinal;
  std::function<void(TObject&, std::int64_t)> SetOrdinal;
  std::vector<std::string> SetElements;
  std::function<std::string(TObject&)> GetString;
  std::function<void(TObject&, const std::string&)> SetString;
  std::function<TObject*(TObject&)> GetObject;
  std::function<TMethod(TObject&)> GetMethod;
  std::function<void(TObject&, const TMethod&)> SetMethod;
  std::function<THostHandler(TObject&)> GetHandler;
  std::function<void(TObject&, const THostHandler&)> SetHandler;
  std::function<double(TObject&)> GetFloat;
  std::function<void(TObject&, double)> SetFloat;
  // Whether the property can be written (its setter is there).
  bool Writable() const;
};

// Registers a property of the class Class. A setter may be empty (read-only).
// The registered property keeps its address for the program's life.
TPublishedProperty& RegisterPublishedProperty(TPublishedProperty property);

// Registers a class; the registered class keeps its address. A class named
// twice is registered once (the first registration holds).
const THostClass& RegisterHostClass(const std::string& name, const THostClass* parent,
                                    std::function<bool(TObject&)> applies);
// The root classes every host class descends from: "TObject", then
// "TPersistent". No object is of the class TObject itself: an object of no
// registered class has no type information.
const THostClass& HostObjectClass();
const THostClass& HostPersistentClass();
// The most derived registered class the object belongs to; nullptr when none.
const THostClass* HostClassOf(TObject& object);
// The published properties of the class and its ancestors, ancestors' first,
// each class's in registration order.
std::vector<const TPublishedProperty*> PublishedPropertiesOf(const THostClass& hostClass);

template <class Class>
bool IsOfClass(TObject& object) {
  return dynamic_cast<Class*>(&object) != nullptr;
}

template <class Class>
const THostClass& RegisterHostClassOf(const std::string& name, const THostClass* parent) {
  return RegisterHostClass(name, parent, IsOfClass<Class>);
}

template <class Class>
TPublishedProperty& RegisterFloatProperty(const std::string& name, std::function<double(Class&)> get,
                                          std::function<void(Class&, double)> set) {
  TPublishedProperty property;
  property.Name = name;
  property.Kind = TPropertyKind::Float;
  property.Applies = IsOfClass<Class>;
  property.GetFloat = [get](TObject& object) { return get(dynamic_cast<Class&>(object)); };
  if (set) property.SetFloat = [set](TObject& object, double value) { set(dynamic_cast<Class&>(object), value); };
  return RegisterPublishedProperty(std::move(property));
}

template <class Class>
TPublishedProperty& RegisterOrdinalProperty(const std::string& name, std::function<std::int64_t(Class&)> get,
                             std::function<void(Class&, std::int64_t)> set) {
  TPublishedProperty property;
  property.Name = name;
  property.Applies = IsOfClass<Class>;
  property.GetOrdinal = [get](TObject& object) { return get(dynamic_cast<Class&>(object)); };
  if (set) property.SetOrdinal = [set](TObject& object, std::int64_t value) { set(dynamic_cast<Class&>(object), value); };
  return RegisterPublishedProperty(std::move(property));
}

template <class Class>
TPublishedProperty& RegisterSetProperty(const std::string& name, std::vector<std::string> elements,
                         std::function<std::int64_t(Class&)> get, std::function<void(Class&, std::int64_t)> set) {
  TPublishedProperty property;
  property.Name = name;
  property.Kind = TPropertyKind::Set;
  property.Applies = IsOfClass<Class>;
  property.SetElements = std::move(elements);
  property.GetOrdinal = [get](TObject& object) { return get(dynamic_cast<Class&>(object)); };
  if (set) property.SetOrdinal = [set](TObject& object, std::int64_t value) { set(dynamic_cast<Class&>(object), value); };
  return RegisterPublishedProperty(std::move(property));
}

template <class Class>
TPublishedProperty& RegisterObjectProperty(const std::string& name, std::function<TObject*(Class&)> get) {
  TPublishedProperty property;
  property.Name = name;
  property.Kind = TPropertyKind::Object;
  property.Applies = IsOfClass<Class>;
  property.GetObject = [get](TObject& object) { return get(dynamic_cast<Class&>(object)); };
  return RegisterPublishedProperty(std::move(property));
}

template <class Class>
TPublishedProperty& RegisterStringProperty(const std::string& name, std::function<std::string(Class&)> get,
                            std::function<void(Class&, const std::string&)> set) {
  TPublishedProperty property;
  property.Name = name;
  property.Kind = TPropertyKind::String;
  property.Applies = IsOfClass<Class>;
  property.GetString = [get](TObject& object) { return get(dynamic_cast<Class&>(object)); };
  if (set)
    property.SetString = [set](TObject& object, const std::string& value) { set(dynamic_cast<Class&>(object), value); };
  return RegisterPublishedProperty(std::move(property));
}

template <class Class>
TPublishedProperty& RegisterMethodProperty(const std::string& name, TMethod Class::*field) {
  TPublishedProperty property;
  property.Name = name;
  property.Kind = TPropertyKind::Method;
  property.Applies = IsOfClass<Class>;
  property.GetMethod = [field](TObject& object) { return dynamic_cast<Class&>(object).*field; };
  property.SetMethod = [field](TObject& object, const TMethod& value) { dynamic_cast<Class&>(object).*field = value; };
  return RegisterPublishedProperty(std::move(property));
}

// Handlers of the host's event shapes: (sender); (sender, button, shift,
// x, y); (sender, shift, x, y); (sender, var key, shift); (sender, var key).
template <class Handler>
struct THandlerAdapter;

template <class... Args>
struct THandlerAdapter<std::function<void(Args...)>> {
  using THandler = std::function<void(Args...)>;
  static constexpr size_t Count = sizeof...(Args);
  template <size_t I>
  using TArg = std::remove_reference_t<std::tuple_element_t<I, std::tuple<Args...>>>;

  static void Invoke(const THandler& handler, THostEventArgs& a) {
    if constexpr (Count == 1) {
      handler(a.Sender);
    } else if constexpr (Count == 5) {
      handler(a.Sender, static_cast<TArg<1>>(a.Button), static_cast<TArg<2>>(a.Shift), static_cast<int>(a.X),
              static_cast<int>(a.Y));
    } else if constexpr (Count == 4) {
      handler(a.Sender, static_cast<TArg<1>>(a.Shift), static_cast<int>(a.X), static_cast<int>(a.Y));
    } else if constexpr (Count == 3) {
      TArg<1> key = static_cast<TArg<1>>(a.Key);
      handler(a.Sender, key, static_cast<TArg<2>>(a.Shift));
      a.Key = key;
    } else {
      static_assert(Count == 2, "not an event shape of the host");
      TArg<1> key = static_cast<TArg<1>>(a.Key);
      handler(a.Sender, key);
      a.Key = key;
    }
  }

  // A handler of the host's shape that runs call.
  static THandler Calling(std::function<void(THostEventArgs&)> call) {
    return [call](Args... args) {
      THostEventArgs a;
      auto values = std::forward_as_tuple(args...);
      a.Sender = std::get<0>(values);
      if constexpr (Count == 5) {
        a.Button = static_cast<std::int64_t>(std::get<1>(values));
        a.Shift = static_cast<std::int64_t>(std::get<2>(values));
        a.X = std::get<3>(values);
        a.Y = std::get<4>(values);
      } else if constexpr (Count == 4) {
        a.Shift = static_cast<std::int64_t>(std::get<1>(values));
        a.X = std::get<2>(values);
        a.Y = std::get<3>(values);
      } else if constexpr (Count == 3 || Count == 2) {
        a.Key = static_cast<std::int64_t>(std::get<1>(values));
        if constexpr (Count == 3) a.Shift = static_cast<std::int64_t>(std::get<2>(values));
      }
      call(a);
      if constexpr (Count == 3 || Count == 2) std::get<1>(values) = static_cast<TArg<1>>(a.Key);
    };
  }
};

// An event property over a std::function member of the host's shapes.
template <class Class, class Handler>
TPublishedProperty& RegisterEventProperty(const std::string& name, Handler Class::*field) {
  using TAdapter = THandlerAdapter<Handler>;
  TPublishedProperty property;
  property.Name = name;
  property.Kind = TPropertyKind::Event;
  property.Applies = IsOfClass<Class>;
  property.GetHandler = [field](TObject& object) {
    const Handler& handler = dynamic_cast<Class&>(object).*field;
    if (!handler) return THostHandler{};
    auto held = std::make_shared<const Handler>(handler);
    return THostHandler{held, [held](THostEventArgs& a) { TAdapter::Invoke(*held, a); }};
  };
  property.SetHandler = [field](TObject& object, const THostHandler& handler) {
    Handler& target = dynamic_cast<Class&>(object).*field;
    if (handler.Held)
      target = *std::static_pointer_cast<const Handler>(handler.Held);
    else
      target = handler ? TAdapter::Calling(handler.Call) : Handler();
  };
  return RegisterPublishedProperty(std::move(property));
}

// The property of that name of the object's class or an ancestor; nullptr when none.
const TPublishedProperty* FindPublishedProperty(TObject& object, const std::string& name);
bool IsPublishedProp(TObject& object, const std::string& name);
std::int64_t GetOrdProp(TObject& object, const std::string& name);
void SetOrdProp(TObject& object, const std::string& name, std::int64_t value);
// The element names of the set joined by "," without brackets ("fsBold,fsItalic").
std::string GetSetProp(TObject& object, const std::string& name);
// Blanks and brackets around the names are allowed; an unknown name raises
// EPropertyConvertError "Invalid property element: <name>" and changes nothing.
void SetSetProp(TObject& object, const std::string& name, const std::string& elements);
std::string GetStrProp(TObject& object, const std::string& name);
void SetStrProp(TObject& object, const std::string& name, const std::string& value);
TObject* GetObjectProp(TObject& object, const std::string& name);
TMethod GetMethodProp(TObject& object, const std::string& name);
double GetFloatProp(TObject& object, const std::string& name);
void SetMethodProp(TObject& object, const std::string& name, const TMethod& value);
