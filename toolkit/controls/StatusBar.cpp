#include "toolkit/controls/StatusBar.h"

#include <algorithm>
#include <cstring>

#include "runtime/Exceptions.h"
#include "toolkit/controls/Frame3D.h"
#include "toolkit/win/ControlMessages.h"

namespace {

// Panels stand two pixels below the bar's top and apart from each other.
constexpr int PanelTop = 2;
constexpr int PanelGap = 2;
constexpr int TextMargin = 3;

}  // namespace

void TStatusPanel::SetText(const std::string& text) {
  if (text == text_) return;
  text_ = text;
  bar_.PanelsChanged();
}

void TStatusPanel::SetWidth(int width) {
  if (width == width_) return;
  width_ = width;
  bar_.PanelsChanged();
}

void TStatusPanel::SetAlignment(TAlignment alignment) {
  if (alignment == alignment_) return;
  alignment_ = alignment;
  bar_.PanelsChanged();
}

void TStatusPanel::SetBevel(TStatusPanelBevel bevel) {
  if (bevel == bevel_) return;
  bevel_ = bevel;
  bar_.PanelsChanged();
}

TStatusPanel& TStatusPanels::Items(int index) const {
  if (index < 0 || index >= Count()) throw EQuantrelError("List index out of bounds (" + std::to_string(index) + ")");
  return *panels_[static_cast<size_t>(index)];
}

TStatusPanel& TStatusPanels::Add() {
  panels_.push_back(std::make_unique<TStatusPanel>(bar_));
  bar_.PanelsChanged();
  return *panels_.back();
}

void TStatusPanels::Delete(int index) {
  Items(index);
  panels_.erase(panels_.begin() + index);
  bar_.PanelsChanged();
}

void TStatusPanels::Clear() {
  panels_.clear();
  bar_.PanelsChanged();
}

TStatusBar::TStatusBar(TComponent* owner) : TCustomControl(owner) {
  ControlStyle |= csOpaque;
  SetBounds(0, 0, 200, 19);
  SetAlign(alBottom);
  SetColor(clBtnFace);
}

void TStatusBar::SetSimplePanel(bool simple) {
  if (simple == simplePanel_) return;
  simplePanel_ = simple;
  Invalidate();
}

void TStatusBar::SetSimpleText(const std::string& text) {
  if (text == simpleText_) return;
  simpleText_ = text;
  if (simplePanel_) Invalidate();
}

void TStatusBar::PanelsChanged() { Invalidate(); }

std::vector<int> TStatusBar::PanelEdges() {
  std::vector<int> edges;
  int right = 0;
  for (int i = 0; i < panels_.Count(); ++i) {
    right += panels_[i].Width();
    edges.push_back(right);
  }
  if (!edges.empty()) edges.back() = -1;
  return edges;
}

TRect TStatusBar::PanelRect(int index) {
  const TRect client = ClientRect();
  if (simplePanel_ || index == SimpleId) return {0, PanelTop, client.Right, client.Bottom};
  const std::vector<int> edges = PanelEdges();
  if (index < 0 || index >= static_cast<int>(edges.size())) return {};
  const int left = index == 0 ? 0 : edges[static_cast<size_t>(index) - 1] + PanelGap;
  const int right = edges[static_cast<size_t>(index)] < 0 ? client.Right : edges[static_cast<size_t>(index)];
  return {left, PanelTop, std::max(left, right), client.Bottom};
}

void TStatusBar::Paint() {
  TCanvas& canvas = Canvas();
  canvas.Brush().SetStyle(bsSolid);
  canvas.Brush().SetColor(Color());
  canvas.FillRect(ClientRect());
  canvas.Font().Assign(Font());
  if (simplePanel_) {
    PaintPanel(PanelRect(SimpleId), simpleText_, taLeftJustify, pbNone);
    return;
  }
  for (int i = 0; i < panels_.Count(); ++i)
    PaintPanel(PanelRect(i), panels_[i].Text(), panels_[i].Alignment(), panels_[i].Bevel());
}

void TStatusBar::PaintPanel(const TRect& rect, const std::string& text, TAlignment alignment,
                            TStatusPanelBevel bevel) {
  TCanvas& canvas = Canvas();
  TRect inside = rect;
  if (bevel != pbNone) {
    const bool lowered = bevel == pbLowered;
    Frame3D(canvas, inside, lowered ? clBtnShadow : clBtnHighlight, lowered ? clBtnHighlight : clBtnShadow, 1);
  }
  InflateRect(inside, -TextMargin + 1, 0);
  static constexpr unsigned alignments[] = {DT_LEFT, DT_RIGHT, DT_CENTER};
  canvas.Brush().SetStyle(bsClear);
  canvas.TextRect(inside, text, DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX | alignments[alignment]);
}

void TStatusBar::Dispatch(TMessage& message) {
  static const TMessageHandlers<TStatusBar> handlers{
      {SB_GETPARTS, &TStatusBar::SBGetParts},   {SB_GETRECT, &TStatusBar::SBGetRect},
      {SB_GETTEXT, &TStatusBar::SBGetText},     {SB_GETTEXTLENGTH, &TStatusBar::SBGetTextLength},
      {SB_SETTEXT, &TStatusBar::SBSetText},     {SB_SIMPLE, &TStatusBar::SBSimple},
      {SB_ISSIMPLE, &TStatusBar::SBIsSimple},
  };
  if (!handlers.Dispatch(*this, message)) TCustomControl::Dispatch(message);
}

void TStatusBar::SBGetParts(TMessage& message) {
  const std::vector<int> edges = PanelEdges();
  if (auto* rights = reinterpret_cast<int*>(message.LParam))
    std::copy_n(edges.begin(), std::min(edges.size(), static_cast<size_t>(message.WParam)), rights);
  message.Result = static_cast<LRESULT>(edges.size());
}

void TStatusBar::SBGetRect(TMessage& message) {
  const int part = static_cast<int>(message.WParam);
  const bool exists = part == SimpleId || (part >= 0 && part < panels_.Count());
  if (exists && message.LParam) *reinterpret_cast<TRect*>(message.LParam) = PanelRect(part);
  message.Result = exists;
}

// The simple panel's text is part 255; null for a part that does not exist.
const std::string* TStatusBar::TextOfPart(WPARAM part) {
  const int index = static_cast<int>(part & 0xFF);
  if (index == SimpleId) return &simpleText_;
  if (index >= panels_.Count()) return nullptr;
  return &panels_[index].Text();
}

void TStatusBar::SBGetText(TMessage& message) {
  const std::string* text = TextOfPart(message.WParam);
  if (!text) return;
  if (auto* buffer = reinterpret_cast<char*>(message.LParam)) std::memcpy(buffer, text->c_str(), text->size() + 1);
  message.Result = MAKELONG(text->size(), 0);
}

void TStatusBar::SBGetTextLength(TMessage& message) {
  const std::string* text = TextOfPart(message.WParam);
  message.Result = text ? MAKELONG(text->size(), 0) : 0;
}

void TStatusBar::SBSetText(TMessage& message) {
  const int index = static_cast<int>(message.WParam & 0xFF);
  const char* text = reinterpret_cast<const char*>(message.LParam);
  if (index == SimpleId)
    SetSimpleText(text ? text : "");
  else if (index < panels_.Count())
    panels_[index].SetText(text ? text : "");
  else
    return;
  message.Result = 1;
}

void TStatusBar::SBSimple(TMessage& message) { SetSimplePanel(message.WParam != 0); }

void TStatusBar::SBIsSimple(TMessage& message) { message.Result = simplePanel_; }
