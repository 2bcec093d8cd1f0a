#include "toolkit/controls/RadioGroup.h"

#include <utility>

#include "toolkit/controls/Button.h"

TRadioGroup::TRadioGroup(TComponent* owner) : TGroupBox(owner) {
  TabStop = true;
  items_.OnChange = [this](TObject*) { UpdateButtons(); };
}

void TRadioGroup::UpdateButtons() {
  for (TRadioButton* button : std::exchange(buttons_, {})) delete button;
  updating_ = true;
  for (int index = 0; index < items_.Count(); ++index) {
    auto* button = new TRadioButton(this);
    button->SetCaption(items_.Strings(index));
    button->SetChecked(index == itemIndex_);
    button->OnClick = [this, index](TObject*) { ButtonClicked(index); };
    button->SetParent(this);
    buttons_.push_back(button);
  }
  updating_ = false;
  if (itemIndex_ >= items_.Count()) itemIndex_ = -1;
  Realign();
}

void TRadioGroup::SetItemIndex(int index) {
  if (index < -1 || index >= static_cast<int>(buttons_.size())) index = -1;
  if (index == itemIndex_) return;
  itemIndex_ = index;
  if (index >= 0) {
    buttons_[static_cast<size_t>(index)]->SetChecked(true);
    return;
  }
  for (TRadioButton* button : buttons_) button->SetChecked(false);
}

void TRadioGroup::ButtonClicked(int index) {
  if (updating_) return;
  itemIndex_ = index;
  Click();
}

void TRadioGroup::AlignControls(TRect& rect) {
  TGroupBox::AlignControls(rect);
  if (buttons_.empty()) return;
  const int count = static_cast<int>(buttons_.size());
  const int height = rect.Height() / count;
  for (int index = 0; index < count; ++index)
    buttons_[static_cast<size_t>(index)]->SetBounds(rect.Left + 8, rect.Top + index * height, rect.Width() - 8, height);
}
