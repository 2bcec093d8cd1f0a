#include "Edits/EdRow.h"

#include <algorithm>
#include <map>

#include "engine/Kind.h"
#include "engine/Var.h"
#include "toolkit/controls/Panel.h"
#include "toolkit/gdi/Canvas.h"
#include "toolkit/gdi/DeviceContext.h"

namespace {

// The running numbers of the row classes, by base name.
std::map<std::string, int>& NameCounters() {
  static std::map<std::string, int> counters;
  return counters;
}

// Text widths in a font, on a memory device context: a row may have no
// window yet.
class TTextMeasure {
public:
  explicit TTextMeasure(const TFont& font) : dc_(CreateCompatibleDC(nullptr)) {
    canvas_.SetHandle(dc_);
    canvas_.Font().Assign(font);
  }
  ~TTextMeasure() {
    canvas_.SetHandle(nullptr);
    DeleteDC(dc_);
  }
  TTextMeasure(const TTextMeasure&) = delete;
  TTextMeasure& operator=(const TTextMeasure&) = delete;

  int Width(const std::string& text) { return canvas_.TextWidth(text); }

private:
  HDC dc_;
  TCanvas canvas_;
};

}  // namespace

TEdRow::TEdRow(TComponent* owner, const std::string& baseName, TEdRowTag tag, int width, int height)
    : TFrame(owner) {
  SetName(baseName + std::to_string(++NameCounters()[baseName]));
  Tag = tag;
  SetBounds(0, 0, width, height);
  panel_ = new TPanel(this);
  panel_->SetParent(this);
  panel_->SetAlign(alClient);
  panel_->SetBevelOuter(bvNone);
  panel_->SetCaption("");
}

void TEdRow::ResetNameCounters() { NameCounters().clear(); }

void TEdRow::Resize() {
  TFrame::Resize();
  FitControls();
}

std::string FitLabel(const std::string& text, int width, const TFont& font) {
  TTextMeasure measure(font);
  if (measure.Width(text) < width) return text;
  // A character at a time: a UTF-8 sequence is never cut.
  const auto continues = [](char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; };
  for (std::size_t end = 1; end <= text.size(); ++end) {
    if (end < text.size() && continues(text[end])) continue;
    const std::string prefix = text.substr(0, end);
    if (measure.Width(prefix + "  ...") >= width) return prefix + " ...";
  }
  return text;
}

std::string VariableLabel(const TVar& variable) {
  const std::string type = variable.Kind()->GetText(true);
  return variable.HasName() ? variable.Name() + " : " + type : type;
}

std::string DisplayName(const std::string& name) {
  std::string shown = name;
  std::replace(shown.begin(), shown.end(), '_', ' ');
  return shown;
}
