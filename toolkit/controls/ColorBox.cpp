#include "toolkit/controls/ColorBox.h"

#include <algorithm>

#include "toolkit/controls/Dialogs.h"

namespace {

struct TNamedColor {
  const char* Name;  // the constant's name without "cl"
  const char* PrettyName;
  TColor Color;
};

constexpr TNamedColor StandardColors[] = {
    {"Black", "Black", clBlack},    {"Maroon", "Maroon", clMaroon}, {"Green", "Green", clGreen},
    {"Olive", "Olive", clOlive},    {"Navy", "Navy", clNavy},       {"Purple", "Purple", clPurple},
    {"Teal", "Teal", clTeal},       {"Gray", "Gray", clGray},       {"Silver", "Silver", clSilver},
    {"Red", "Red", clRed},          {"Lime", "Lime", clLime},       {"Yellow", "Yellow", clYellow},
    {"Blue", "Blue", clBlue},       {"Fuchsia", "Fuchsia", clFuchsia}, {"Aqua", "Aqua", clAqua},
    {"White", "White", clWhite},
};

constexpr TNamedColor ExtendedColors[] = {
    {"MoneyGreen", "Money Green", clMoneyGreen},
    {"SkyBlue", "Sky Blue", clSkyBlue},
    {"Cream", "Cream", clCream},
    {"MedGray", "Medium Gray", clMedGray},
};

constexpr TNamedColor SystemColors[] = {
    {"ScrollBar", "Scroll Bar", clScrollBar},
    {"Background", "Background", clBackground},
    {"ActiveCaption", "Active Caption", clActiveCaption},
    {"InactiveCaption", "Inactive Caption", clInactiveCaption},
    {"Menu", "Menu", clMenu},
    {"Window", "Window", clWindow},
    {"WindowFrame", "Window Frame", clWindowFrame},
    {"MenuText", "Menu Text", clMenuText},
    {"WindowText", "Window Text", clWindowText},
    {"CaptionText", "Caption Text", clCaptionText},
    {"ActiveBorder", "Active Border", clActiveBorder},
    {"InactiveBorder", "Inactive Border", clInactiveBorder},
    {"AppWorkSpace", "Application Workspace", clAppWorkSpace},
    {"Highlight", "Highlight", clHighlight},
    {"HighlightText", "Highlight Text", clHighlightText},
    {"BtnFace", "Button Face", clBtnFace},
    {"BtnShadow", "Button Shadow", clBtnShadow},
    {"GrayText", "Gray Text", clGrayText},
    {"BtnText", "Button Text", clBtnText},
    {"InactiveCaptionText", "Inactive Caption Text", clInactiveCaptionText},
    {"BtnHighlight", "Button Highlight", clBtnHighlight},
    {"3DDkShadow", "3D Dark Shadow", cl3DDkShadow},
    {"3DLight", "3D Light", cl3DLight},
    {"InfoText", "Info Text", clInfoText},
    {"InfoBk", "Info Background", clInfoBk},
    {"HotLight", "Hot Light", clHotLight},
    {"GradientActiveCaption", "Gradient Active Caption", clGradientActiveCaption},
    {"GradientInactiveCaption", "Gradient Inactive Caption", clGradientInactiveCaption},
    {"MenuHighlight", "Menu Highlight", clMenuHighlight},
    {"MenuBar", "Menu Bar", clMenuBar},
};

}  // namespace

TColorBox::TColorBox(TComponent* owner) : TCustomComboBox(owner) {
  TCustomComboBox::SetStyle(csOwnerDrawFixed);
  SetDropDownCount(16);
  Fill();
}

void TColorBox::SetStyle(TColorBoxStyle style) {
  if (style == colorStyle_) return;
  const TColor selected = Selected();
  colorStyle_ = style;
  Fill();
  SetSelected(selected);
}

TColor TColorBox::Selected() {
  const int index = HandleAllocated() ? ItemIndex() : lastIndex_;
  return index >= 0 && index < ColorCount() ? colors_[static_cast<size_t>(index)] : clBlack;
}

void TColorBox::SetSelected(TColor color) {
  int index = IndexOf(color);
  if (index < 0 && (colorStyle_ & cbCustomColor)) {
    colors_[0] = color;
    index = 0;
  }
  lastIndex_ = index;
  if (HandleAllocated()) SetItemIndex(index);
}

void TColorBox::CreateWnd() {
  TCustomComboBox::CreateWnd();
  if (Items().Count() == 0) ShowEntries();
  SetItemIndex(lastIndex_);
}

void TColorBox::Change() {
  const int index = ItemIndex();
  if (index == 0 && (colorStyle_ & cbCustomColor)) {
    TColorDialog dialog(nullptr);
    dialog.Color = colors_[0];
    if (!dialog.Execute(Handle())) {
      SetItemIndex(lastIndex_);
      return;
    }
    colors_[0] = dialog.Color;
  }
  lastIndex_ = index;
  TCustomComboBox::Change();
}

void TColorBox::DrawItem(int index, const TRect& rect, TOwnerDrawState state) {
  if (OnDrawItem || index < 0 || index >= ColorCount()) {
    TCustomComboBox::DrawItem(index, rect, state);
    return;
  }
  TCanvas& canvas = Canvas();
  canvas.FillRect(rect);
  const TColor background = canvas.Brush().Color();
  const TColor color = colors_[static_cast<size_t>(index)];
  const int side = rect.Height() - 4;
  const TRect swatch{rect.Left + 2, rect.Top + 2, rect.Left + 2 + side, rect.Top + 2 + side};
  // No colour and the default colour have an empty swatch.
  const bool solid = color != clNone && color != clDefault;
  canvas.Pen().SetColor(clBlack);
  if (solid) canvas.Brush().SetColor(color);
  canvas.Brush().SetStyle(solid ? bsSolid : bsClear);
  canvas.Rectangle(swatch);
  canvas.Brush().SetStyle(bsSolid);
  canvas.Brush().SetColor(background);
  const std::string& name = names_[static_cast<size_t>(index)];
  canvas.TextOut(swatch.Right + 4, rect.Top + (rect.Height() - canvas.TextHeight(name)) / 2, name);
}

void TColorBox::Fill() {
  names_.clear();
  colors_.clear();
  const bool pretty = colorStyle_ & cbPrettyNames;
  auto addAll = [&](const auto& table) {
    for (const TNamedColor& entry : table) Add(pretty ? entry.PrettyName : std::string("cl") + entry.Name, entry.Color);
  };
  if (colorStyle_ & cbCustomColor) Add("Custom...", clBlack);
  if (colorStyle_ & cbStandardColors) addAll(StandardColors);
  if (colorStyle_ & cbExtendedColors) addAll(ExtendedColors);
  if (colorStyle_ & cbSystemColors) addAll(SystemColors);
  if (colorStyle_ & cbIncludeNone) Add(pretty ? "None" : "clNone", clNone);
  if (colorStyle_ & cbIncludeDefault) Add(pretty ? "Default" : "clDefault", clDefault);
  lastIndex_ = -1;
  if (HandleAllocated()) ShowEntries();
}

void TColorBox::ShowEntries() {
  Items().Clear();
  for (const std::string& name : names_) Items().Add(name);
}

void TColorBox::Add(const std::string& name, TColor color) {
  names_.push_back(name);
  colors_.push_back(color);
}

// The custom entry is found only by choosing it.
int TColorBox::IndexOf(TColor color) const {
  const size_t first = (colorStyle_ & cbCustomColor) ? 1 : 0;
  const auto found = std::find(colors_.begin() + static_cast<std::ptrdiff_t>(std::min(first, colors_.size())),
                               colors_.end(), color);
  return found == colors_.end() ? -1 : static_cast<int>(found - colors_.begin());
}
