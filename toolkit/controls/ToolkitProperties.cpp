#include "toolkit/controls/ToolkitProperties.h"

#include "runtime/HostTypes.h"
#include "runtime/PublishedProperties.h"
#include "toolkit/controls/Button.h"
#include "toolkit/controls/Control.h"
#include "toolkit/controls/Edit.h"
#include "toolkit/controls/Form.h"
#include "toolkit/controls/GroupBox.h"
#include "toolkit/controls/Label.h"
#include "toolkit/controls/Panel.h"
#include "toolkit/controls/DrawGrid.h"
#include "toolkit/controls/WinControl.h"

namespace {

const THostType ColorType = HostScalarType(TTypeCategory::Integer, "TColor");
const THostType FontStyleType = HostEnumType("TFontStyle", {"fsBold", "fsItalic", "fsUnderline", "fsStrikeOut"});
const THostType FontStylesType = HostSetType("TFontStyles", FontStyleType);

// An ordinal property over a getter and a setter of the class.
template <class Class, class Value, class Owner = Class>
TPublishedProperty& Ordinal(const std::string& name, Value (Owner::*get)() const, void (Owner::*set)(Value)) {
  return RegisterOrdinalProperty<Class>(
      name, [get](Class& object) -> std::int64_t { return static_cast<std::int64_t>((object.*get)()); },
      [set](Class& object, std::int64_t value) { (object.*set)(static_cast<Value>(value)); });
}

// An ordinal property over a field of the class.
template <class Class, class Value>
TPublishedProperty& OrdinalField(const std::string& name, Value Class::*field) {
  return RegisterOrdinalProperty<Class>(
      name, [field](Class& object) -> std::int64_t { return static_cast<std::int64_t>(object.*field); },
      [field](Class& object, std::int64_t value) { object.*field = static_cast<Value>(value); });
}

// The text a control shows, published as Caption or Text.
template <class Class>
TPublishedProperty& ControlText(const std::string& name) {
  return RegisterStringProperty<Class>(name, [](Class& control) { return control.Text(); },
                                       [](Class& control, const std::string& text) { control.SetText(text); });
}

const THostClass& RegisterComponentClass() {
  const THostClass& component = RegisterHostClassOf<TComponent>("TComponent", &HostPersistentClass());
  Typed(RegisterStringProperty<TComponent>("Name", [](TComponent& c) { return c.Name(); },
                                           [](TComponent& c, const std::string& name) { c.SetName(name); }),
        component, HostStringType);
  Typed(OrdinalField<TComponent>("Tag", &TComponent::Tag), component, HostIntegerType);
  return component;
}

const THostClass& RegisterFontClass() {
  const THostClass& font = RegisterHostClassOf<TFont>("TFont", &HostPersistentClass());
  Typed(RegisterStringProperty<TFont>("Name", [](TFont& f) { return f.Name(); },
                                      [](TFont& f, const std::string& name) { f.SetName(name); }),
        font, HostStringType);
  Typed(Ordinal<TFont>("Height", &TFont::Height, &TFont::SetHeight), font, HostIntegerType);
  Typed(Ordinal<TFont>("Color", &TFont::Color, &TFont::SetColor), font, ColorType);
  Typed(RegisterSetProperty<TFont>("Style", FontStyleType.Members, [](TFont& f) { return f.Style(); },
                                   [](TFont& f, std::int64_t style) { f.SetStyle(static_cast<TFontStyles>(style)); }),
        font, FontStylesType);
  return font;
}

template <class Class, class Handler>
void Event(const THostClass& owner, const std::string& name, Handler Class::*field, const THostType& type) {
  Typed(RegisterEventProperty<Class>(name, field), owner, type);
}

// A class whose shown text is published under name; returns the class.
template <class Class>
const THostClass& TextClass(const std::string& className, const THostClass& parent, const std::string& name) {
  const THostClass& hostClass = RegisterHostClassOf<Class>(className, &parent);
  Typed(ControlText<Class>(name), hostClass, HostStringType);
  return hostClass;
}

// The controls that show a text: a caption, or an edit's text.
void RegisterTextClasses(const THostClass& control, const THostClass& winControl) {
  const THostClass& buttonControl = TextClass<TButtonControl>("TButtonControl", winControl, "Caption");
  RegisterHostClassOf<TButton>("TButton", &buttonControl);
  RegisterHostClassOf<TCheckBox>("TCheckBox", &buttonControl);
  RegisterHostClassOf<TRadioButton>("TRadioButton", &buttonControl);
  TextClass<TLabel>("TLabel", control, "Caption");
  TextClass<TPanel>("TPanel", winControl, "Caption");
  TextClass<TGroupBox>("TGroupBox", winControl, "Caption");
  TextClass<TForm>("TForm", winControl, "Caption");
  const THostClass& customEdit = TextClass<TCustomEdit>("TCustomEdit", winControl, "Text");
  RegisterHostClassOf<TEdit>("TEdit", &customEdit);
  RegisterHostClassOf<TMemo>("TMemo", &customEdit);
}

void RegisterControlClasses(const THostClass& component, const THostClass& font) {
  static const THostType fontType = HostClassType(font);
  const THostClass& control = RegisterHostClassOf<TControl>("TControl", &component);
  Typed(Ordinal<TControl>("Left", &TControl::Left, &TControl::SetLeft), control, HostIntegerType);
  Typed(Ordinal<TControl>("Top", &TControl::Top, &TControl::SetTop), control, HostIntegerType);
  Typed(Ordinal<TControl>("Width", &TControl::Width, &TControl::SetWidth), control, HostIntegerType);
  Typed(Ordinal<TControl>("Height", &TControl::Height, &TControl::SetHeight), control, HostIntegerType);
  Typed(Ordinal<TControl>("Visible", &TControl::Visible, &TControl::SetVisible), control, HostBooleanType);
  Typed(Ordinal<TControl>("Enabled", &TControl::Enabled, &TControl::SetEnabled), control, HostBooleanType);
  Typed(Ordinal<TControl>("Color", &TControl::Color, &TControl::SetColor), control, ColorType);
  Typed(RegisterObjectProperty<TControl>("Font", [](TControl& c) -> TObject* { return &c.Font(); }), control, fontType);
  Typed(RegisterStringProperty<TControl>("Hint", [](TControl& c) { return c.Hint; },
                                         [](TControl& c, const std::string& hint) { c.Hint = hint; }),
        control, HostStringType);
  Typed(OrdinalField<TControl>("ShowHint", &TControl::ShowHint), control, HostBooleanType);
  Event(control, "OnClick", &TControl::OnClick, HostNotifyEventType);
  Event(control, "OnDblClick", &TControl::OnDblClick, HostNotifyEventType);
  Event(control, "OnMouseDown", &TControl::OnMouseDown, HostMouseEventType);
  Event(control, "OnMouseUp", &TControl::OnMouseUp, HostMouseEventType);
  Event(control, "OnMouseMove", &TControl::OnMouseMove, HostMouseMoveEventType);

  const THostClass& winControl = RegisterHostClassOf<TWinControl>("TWinControl", &control);
  Event(winControl, "OnKeyDown", &TWinControl::OnKeyDown, HostKeyEventType);
  Event(winControl, "OnKeyUp", &TWinControl::OnKeyUp, HostKeyEventType);
  Event(winControl, "OnKeyPress", &TWinControl::OnKeyPress, HostKeyPressEventType);

  RegisterTextClasses(control, winControl);

  RegisterOrdinalProperty<TDrawGrid>("FixedColor", [](TDrawGrid& grid) { return grid.FixedColor(); },
                                       [](TDrawGrid& grid, std::int64_t color) {
                                         grid.SetFixedColor(static_cast<TColor>(color));
                                       });
}

}  // namespace

void RegisterToolkitProperties() {
  static bool registered = false;
  if (registered) return;
  registered = true;
  const THostClass& component = RegisterComponentClass();
  RegisterControlClasses(component, RegisterFontClass());
}
