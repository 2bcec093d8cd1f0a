#include "shell/Graph2DInt.h"

#include <cstdint>
#include <functional>

#include "engine/Tarnscript.h"
#include "graphics/XGraph.h"
#include "runtime/Exceptions.h"
#include "runtime/HostTypes.h"
#include "runtime/PublishedProperties.h"
#include "shell/GraphForm.h"

template <class TValue>
void TGraph2DInt::SetOption(TValue TXGOptions::*option, TValue value) {
  TValue& stored = Options().*option;
  if (stored == value) return;
  stored = value;
  Changed();
}

namespace {

const THostType AxesKindType = HostEnumType("TAxesKind", {"akFrame", "akAxes"});
const THostType CoordSysType = HostEnumType("TCoordSys", {"csLinear", "csLinLog", "csLogLin", "csLogLog", "csPolar"});

using TStringOption = std::string TXGOptions::*;
using TSwitchOption = bool TXGOptions::*;

void RegisterString(const THostClass& host, const char* name, TStringOption option) {
  Typed(RegisterStringProperty<TGraph2DInt>(
            name, [option](TGraph2DInt& graph) { return graph.Options().*option; },
            [option](TGraph2DInt& graph, const std::string& value) { graph.SetOption(option, value); }),
        host, HostStringType);
}

void RegisterSwitch(const THostClass& host, const char* name, TSwitchOption option) {
  Typed(RegisterOrdinalProperty<TGraph2DInt>(
            name, [option](TGraph2DInt& graph) -> std::int64_t { return graph.Options().*option; },
            [option](TGraph2DInt& graph, std::int64_t value) { graph.SetOption(option, value != 0); }),
        host, HostBooleanType);
}

// The engine hands over only members of the property's own enumeration.
template <class TEnum>
void RegisterEnum(const THostClass& host, const char* name, TEnum TXGOptions::*option, const THostType& type) {
  Typed(RegisterOrdinalProperty<TGraph2DInt>(
            name, [option](TGraph2DInt& graph) -> std::int64_t { return graph.Options().*option; },
            [option](TGraph2DInt& graph, std::int64_t value) { graph.SetOption(option, static_cast<TEnum>(value)); }),
        host, type);
}

void RegisterGraph2D() {
  const THostClass& host = RegisterHostClassOf<TGraph2DInt>("TGraph2DInt", &HostTarnClientClass());
  RegisterString(host, "Title", &TXGOptions::Title);
  RegisterString(host, "TitleX", &TXGOptions::TitleX);
  RegisterString(host, "TitleY", &TXGOptions::TitleY);
  RegisterSwitch(host, "Legend", &TXGOptions::Legend);
  RegisterSwitch(host, "LabelsX", &TXGOptions::LabelsX);
  RegisterSwitch(host, "LabelsY", &TXGOptions::LabelsY);
  RegisterSwitch(host, "GridX", &TXGOptions::GridX);
  RegisterSwitch(host, "GridY", &TXGOptions::GridY);
  RegisterSwitch(host, "MinorGridX", &TXGOptions::MinorGridX);
  RegisterSwitch(host, "MinorGridY", &TXGOptions::MinorGridY);
  RegisterEnum(host, "AxesKind", &TXGOptions::AxesKind, AxesKindType);
  RegisterEnum(host, "CoordSys", &TXGOptions::CoordSys, CoordSysType);
}

enum TGraph2DRoutine { grClear, grBeginUpdate, grEndUpdate };

}  // namespace

TGraph2DInt::TGraph2DInt(TGraphForm* Form) : Form(Form) {
  static const bool registered = (RegisterGraph2D(), true);
  (void)registered;
  QASSERT(Form, "Assertion failure");
}

void TGraph2DInt::TarnExports(ITarnscript& engine) {
  engine.AddClientFunction(grClear, "procedure Clear");
  engine.AddClientFunction(grBeginUpdate, "procedure BeginUpdate");
  engine.AddClientFunction(grEndUpdate, "procedure EndUpdate");
}

TVariant TGraph2DInt::TarnExecs(int index, std::span<const TVariant> args) {
  switch (index) {
    case grClear:
      Form->Graph->Clear();
      Changed();
      break;
    case grBeginUpdate: BeginUpdate(); break;
    case grEndUpdate: EndUpdate(); break;
  }
  return TTarnClient::TarnExecs(index, args);
}

TXGOptions& TGraph2DInt::Options() const { return Form->Graph->Options; }


void TGraph2DInt::Changed() {
  if (!Updating && Form->Graph->Count() > 0) Form->ShowGraph();
}

void TGraph2DInt::BeginUpdate() { Updating = true; }

void TGraph2DInt::EndUpdate() {
  if (!Updating) return;
  Updating = false;
  Changed();
}
