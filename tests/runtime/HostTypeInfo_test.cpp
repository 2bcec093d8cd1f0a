// The host's type information in the property registry: classes with their
// ancestry and their published properties in declaration order.
#include <gtest/gtest.h>

#include "runtime/PublishedProperties.h"

namespace {

class TBase : public TPersistent {
public:
  std::int64_t A = 0;
  double B = 0;
};

class TDerived : public TBase {
public:
  std::string C;
};

class TElsewhere : public TObject {};

// Built member by member: designated initializers that leave out the
// vectors and strings make GCC warn about each one.
THostType SimpleType(TTypeCategory category, std::string name) {
  THostType type;
  type.Category = category;
  type.Name = std::move(name);
  return type;
}

const THostType IntegerType = SimpleType(TTypeCategory::Integer, "Integer");
const THostType FloatType = SimpleType(TTypeCategory::Float, "Double");
const THostType StringType = SimpleType(TTypeCategory::String, "string");

struct TRegistered {
  const THostClass* Base;
  const THostClass* Derived;
};

const TRegistered& Registered() {
  static const TRegistered registered = [] {
    const THostClass& base = RegisterHostClassOf<TBase>("TBase", &HostPersistentClass());
    const THostClass& derived = RegisterHostClassOf<TDerived>("TDerived", &base);
    TPublishedProperty& c = RegisterStringProperty<TDerived>(
        "C", [](TDerived& d) { return d.C; }, [](TDerived& d, const std::string& s) { d.C = s; });
    c.Class = &derived;
    c.Type = &StringType;
    TPublishedProperty& a =
        RegisterOrdinalProperty<TBase>("A", [](TBase& b) { return b.A; }, nullptr);
    a.Class = &base;
    a.Type = &IntegerType;
    TPublishedProperty& b = RegisterFloatProperty<TBase>(
        "B", [](TBase& o) { return o.B; }, [](TBase& o, double x) { o.B = x; });
    b.Class = &base;
    b.Type = &FloatType;
    return TRegistered{&base, &derived};
  }();
  return registered;
}

TEST(HostTypeInfo, AnObjectsClassIsItsMostDerivedRegisteredOne) {
  const TRegistered& registered = Registered();
  TDerived derived;
  TBase base;
  TElsewhere elsewhere;
  EXPECT_EQ(HostClassOf(derived), registered.Derived);
  EXPECT_EQ(HostClassOf(base), registered.Base);
  EXPECT_EQ(HostClassOf(elsewhere), nullptr) << "no type information";
  EXPECT_TRUE(registered.Derived->DescendsFrom("tpersistent"));
  EXPECT_FALSE(registered.Base->DescendsFrom("TDerived"));
  EXPECT_EQ(&RegisterHostClassOf<TBase>("TBase", nullptr), registered.Base) << "registered once";
}

TEST(HostTypeInfo, PropertiesComeAncestorsFirstInRegistrationOrder) {
  const TRegistered& registered = Registered();
  std::vector<std::string> names;
  for (const TPublishedProperty* property : PublishedPropertiesOf(*registered.Derived)) names.push_back(property->Name);
  EXPECT_EQ(names, (std::vector<std::string>{"A", "B", "C"}));
  const std::vector<const TPublishedProperty*> properties = PublishedPropertiesOf(*registered.Derived);
  EXPECT_FALSE(properties[0]->Writable());
  EXPECT_TRUE(properties[1]->Writable());
  EXPECT_EQ(properties[1]->Type->Category, TTypeCategory::Float);
}

TEST(HostTypeInfo, FloatPropertiesReadByName) {
  Registered();
  TDerived derived;
  derived.B = 2.5;
  EXPECT_EQ(GetFloatProp(derived, "b"), 2.5);
  EXPECT_EQ(GetFloatProp(derived, "C"), 0) << "not a floating-point property";
}

}  // namespace
