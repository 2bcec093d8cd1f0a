#pragma once
// A group box of radio buttons, one for each of its Items, one above the
// other. ItemIndex is the checked one (-1: none); checking one, by a click
// or by ItemIndex, raises OnClick.

#include <vector>

#include "runtime/StringList.h"
#include "toolkit/controls/GroupBox.h"

class TRadioButton;

class TRadioGroup : public TGroupBox {
public:
  explicit TRadioGroup(TComponent* owner);

  TStrings& Items() { return items_; }
  int ItemIndex() const { return itemIndex_; }
  void SetItemIndex(int index);
  // The buttons, in the order of Items.
  TRadioButton* Buttons(int index) const { return buttons_.at(static_cast<size_t>(index)); }

protected:
  void AlignControls(TRect& rect) override;

private:
  // Makes one button per item again.
  void UpdateButtons();
  void ButtonClicked(int index);

  TStringList items_;
  std::vector<TRadioButton*> buttons_;
  int itemIndex_ = -1;
  bool updating_ = false;
};
