#pragma once
// A host class of the tests' own, registered with the published-property
// registry the way the toolkit registers its controls: properties of every
// category, a nested persistent object, and three routines.

#include <string>
#include <vector>

#include "engine/Tarnscript.h"
#include "engine/TarnClient.h"
#include "runtime/HostTypes.h"
#include "runtime/PublishedProperties.h"

class TProbeChild : public TPersistent {
public:
  std::int64_t Value = 0;
};

class TProbe : public TTarnClient {
public:
  TProbe();

  std::string TarnName() const override { return "Probe"; }
  void TarnExports(ITarnscript& engine) override;
  TVariant TarnExecs(int index, std::span<const TVariant> args) override;

  std::int64_t Count = 0;
  double Ratio = 0;
  std::string Title;
  bool Ready = false;
  std::int64_t Mode = 0;
  std::int64_t Flags = 0;
  TProbeChild Child;
  std::int64_t Fixed = 11;
  std::int64_t Letter = 'a';
  std::int64_t Big = 0;
  std::function<void(TObject*)> OnClick;
  std::function<void(TObject*, int, unsigned, int, int)> OnMouseDown;
  std::function<void(TObject*, std::uint16_t&, unsigned)> OnKeyDown;
  std::function<void(TObject*, char32_t&)> OnKeyPress;
  std::function<void(TObject*)> OnRead;
  TMethod OnOther;

  // What the routines were called with, and what they answer.
  int Clears = 0;
  std::vector<TVariant> ScaleArgs;
  TVariant ScaleAnswer = TVariant::Integer(varInteger, 4);
  TVariant EmptyAnswer;
  // Exports of every probe; the extra ones make TarnExports declare more.
  static inline int ExportsRuns = 0;
  std::vector<std::string> ExtraExports;
  std::vector<bool> ExtraResults;
};

// An object with no type information.
class TUnregistered : public TObject {};

namespace probe_detail {

inline const THostType RealType = HostScalarType(TTypeCategory::Float, "Double");
inline const THostType ModeType = HostEnumType("TProbeMode", {"pmOff", "pmOn", "pmAuto"});
inline const THostType FlagType = HostEnumType("TProbeFlag", {"pfA", "pfB", "pfC"});
inline const THostType FlagsType = HostSetType("TProbeFlags", FlagType);
inline const THostType CharType = HostScalarType(TTypeCategory::Char, "Char");
inline const THostType Int64Type = HostScalarType(TTypeCategory::Int64, "Int64");

template <class Class>
inline std::function<std::int64_t(Class&)> Reads(std::int64_t Class::*field) {
  return [field](Class& object) { return object.*field; };
}

template <class Class>
inline std::function<void(Class&, std::int64_t)> Writes(std::int64_t Class::*field) {
  return [field](Class& object, std::int64_t value) { object.*field = value; };
}

inline const THostClass& RegisterChild() {
  const THostClass& child = RegisterHostClassOf<TProbeChild>("TProbeChild", &HostPersistentClass());
  Typed(RegisterOrdinalProperty<TProbeChild>("Value", Reads(&TProbeChild::Value), Writes(&TProbeChild::Value)), child,
        HostIntegerType);
  return child;
}

template <class Handler>
inline TPublishedProperty& RegisterEvent(const THostClass& probe, const std::string& name, Handler TProbe::*field,
                                         const THostType& type) {
  return Typed(RegisterEventProperty<TProbe>(name, field), probe, type);
}

inline void RegisterProbe() {
  static const THostType childType = HostClassType(RegisterChild());
  const THostClass& probe = RegisterHostClassOf<TProbe>("TProbe", &HostTarnClientClass());
  Typed(RegisterOrdinalProperty<TProbe>("Count", Reads(&TProbe::Count), Writes(&TProbe::Count)), probe, HostIntegerType);
  Typed(RegisterFloatProperty<TProbe>("Ratio", [](TProbe& p) { return p.Ratio; },
                                      [](TProbe& p, double x) { p.Ratio = x; }),
        probe, RealType);
  Typed(RegisterStringProperty<TProbe>("Title", [](TProbe& p) { return p.Title; },
                                       [](TProbe& p, const std::string& s) { p.Title = s; }),
        probe, HostStringType);
  Typed(RegisterOrdinalProperty<TProbe>("Ready", [](TProbe& p) -> std::int64_t { return p.Ready; },
                                        [](TProbe& p, std::int64_t b) { p.Ready = b != 0; }),
        probe, HostBooleanType);
  Typed(RegisterOrdinalProperty<TProbe>("Mode", Reads(&TProbe::Mode), Writes(&TProbe::Mode)), probe, ModeType);
  Typed(RegisterSetProperty<TProbe>("Flags", FlagType.Members, Reads(&TProbe::Flags), Writes(&TProbe::Flags)), probe,
        FlagsType);
  Typed(RegisterObjectProperty<TProbe>("Child", [](TProbe& p) -> TObject* { return &p.Child; }), probe, childType);
  Typed(RegisterOrdinalProperty<TProbe>("Fixed", Reads(&TProbe::Fixed), nullptr), probe, HostIntegerType);
  Typed(RegisterOrdinalProperty<TProbe>("Letter", Reads(&TProbe::Letter), Writes(&TProbe::Letter)), probe, CharType);
  Typed(RegisterOrdinalProperty<TProbe>("Big", Reads(&TProbe::Big), Writes(&TProbe::Big)), probe, Int64Type);
  static const THostType other = HostEventType({HostParam("Sender", "TObject"), HostParam("Text", "String")});
  RegisterEvent(probe, "OnClick", &TProbe::OnClick, HostNotifyEventType);
  RegisterEvent(probe, "OnMouseDown", &TProbe::OnMouseDown, HostMouseEventType);
  RegisterEvent(probe, "OnKeyDown", &TProbe::OnKeyDown, HostKeyEventType);
  RegisterEvent(probe, "OnKeyPress", &TProbe::OnKeyPress, HostKeyPressEventType);
  RegisterEvent(probe, "OnRead", &TProbe::OnRead, HostNotifyEventType).SetHandler = nullptr;
  Typed(RegisterMethodProperty<TProbe>("OnOther", &TProbe::OnOther), probe, other);
}

}  // namespace probe_detail

inline TProbe::TProbe() {
  static const bool registered = (probe_detail::RegisterProbe(), true);
  (void)registered;
}

inline void TProbe::TarnExports(ITarnscript& engine) {
  ++ExportsRuns;
  engine.AddClientFunction(0, "procedure Clear");
  engine.AddClientFunction(1, "function Scale(x : Real) : Real");
  engine.AddClientFunction(2, "function Empty : Integer");
  for (const std::string& header : ExtraExports)
    ExtraResults.push_back(engine.AddClientFunction(static_cast<int>(ExtraResults.size()) + 3, header));
}

inline TVariant TProbe::TarnExecs(int index, std::span<const TVariant> args) {
  switch (index) {
    case 0:
      ++Clears;
      if (OnClick) OnClick(this);
      return TTarnClient::TarnExecs(index, args);
    case 1:
      ScaleArgs.assign(args.begin(), args.end());
      return ScaleAnswer;
    default:
      return EmptyAnswer;
  }
}
