#include "toolkit/controls/ToolkitProperties.h"

#include "runtime/PublishedProperties.h"
#include "toolkit/controls/Control.h"
#include "toolkit/controls/StringGrid.h"

namespace {

void RegisterFontProperties() {
  RegisterStringProperty<TFont>("Name", [](TFont& font) { return font.Name(); },
                                [](TFont& font, const std::string& name) { font.SetName(name); });
  RegisterOrdinalProperty<TFont>("Height", [](TFont& font) { return font.Height(); },
                                 [](TFont& font, std::int64_t height) { font.SetHeight(static_cast<int>(height)); });
  RegisterOrdinalProperty<TFont>("Color", [](TFont& font) { return font.Color(); },
                                 [](TFont& font, std::int64_t color) { font.SetColor(static_cast<TColor>(color)); });
  RegisterSetProperty<TFont>("Style", {"fsBold", "fsItalic", "fsUnderline", "fsStrikeOut"},
                             [](TFont& font) { return font.Style(); },
                             [](TFont& font, std::int64_t style) { font.SetStyle(static_cast<TFontStyles>(style)); });
}

void RegisterControlProperties() {
  RegisterOrdinalProperty<TControl>("Color", [](TControl& control) { return control.Color(); },
                                    [](TControl& control, std::int64_t color) {
                                      control.SetColor(static_cast<TColor>(color));
                                    });
  RegisterObjectProperty<TControl>("Font", [](TControl& control) -> TObject* { return &control.Font(); });
  RegisterOrdinalProperty<TStringGrid>("FixedColor", [](TStringGrid& grid) { return grid.FixedColor(); },
                                       [](TStringGrid& grid, std::int64_t color) {
                                         grid.SetFixedColor(static_cast<TColor>(color));
                                       });
}

}  // namespace

void RegisterToolkitProperties() {
  static bool registered = false;
  if (registered) return;
  registered = true;
  RegisterFontProperties();
  RegisterControlProperties();
}
