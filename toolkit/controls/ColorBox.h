#pragma once
// A drop-down list of colours by name: the standard sixteen, the extended
// four, the system colours (named after them: "Window", "Button Face", ...)
// and, first of all, a custom entry "Custom..." that asks the colour dialog
// for its colour. Selected is the colour of the chosen entry. Each entry
// shows a swatch of its colour beside its name.

#include <string>
#include <vector>

#include "toolkit/controls/ComboBox.h"
#include "toolkit/gdi/Color.h"

using TColorBoxStyle = unsigned;
constexpr TColorBoxStyle cbStandardColors = 0x01;
constexpr TColorBoxStyle cbExtendedColors = 0x02;
constexpr TColorBoxStyle cbSystemColors = 0x04;
constexpr TColorBoxStyle cbIncludeNone = 0x08;
constexpr TColorBoxStyle cbIncludeDefault = 0x10;
constexpr TColorBoxStyle cbCustomColor = 0x20;
// "Black" instead of "clBlack".
constexpr TColorBoxStyle cbPrettyNames = 0x40;

constexpr TColor clMoneyGreen = 0xC0DCC0;
constexpr TColor clSkyBlue = 0xF0CAA6;
constexpr TColor clCream = 0xF0FBFF;
constexpr TColor clMedGray = 0xA4A0A0;

class TColorBox : public TCustomComboBox {
public:
  explicit TColorBox(TComponent* owner);

  TColorBoxStyle Style() const { return colorStyle_; }
  void SetStyle(TColorBoxStyle style);
  // The chosen entry's colour; clBlack when none is chosen.
  TColor Selected();
  // Chooses the entry of the colour; a colour not listed becomes the custom
  // entry's when there is one.
  void SetSelected(TColor color);
  int ColorCount() const { return static_cast<int>(colors_.size()); }
  TColor Colors(int index) const { return colors_.at(static_cast<size_t>(index)); }

protected:
  // The entries go into the list when its window is made.
  void CreateWnd() override;
  // The custom entry chosen by the user asks the colour dialog first; its
  // answer becomes the entry's colour, a cancel goes back to the entry
  // chosen before, without a change.
  void Change() override;
  // Without OnDrawItem: the swatch, then the name.
  void DrawItem(int index, const TRect& rect, TOwnerDrawState state) override;

private:
  void Fill();
  void ShowEntries();
  void Add(const std::string& name, TColor color);
  int IndexOf(TColor color) const;

  TColorBoxStyle colorStyle_ = cbStandardColors | cbExtendedColors | cbSystemColors;
  std::vector<std::string> names_;
  std::vector<TColor> colors_;
  // The entry chosen last; kept while the list has no window.
  int lastIndex_ = -1;
};
