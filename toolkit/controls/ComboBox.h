#pragma once
// Combo boxes realised by the desktop's combo box: an edit with a drop-down
// list (csDropDown) or a drop-down list alone (csDropDownList). The user's
// choice raises OnChange (and OnClick); typing in the edit raises OnChange;
// ItemIndex set by code raises nothing.

#include "toolkit/controls/ListControlStrings.h"

enum TComboBoxStyle { csDropDown, csDropDownList };

class TCustomComboBox : public TWinControl {
public:
  explicit TCustomComboBox(TComponent* owner);

  TStrings& Items() { return items_; }
  TComboBoxStyle Style() const { return style_; }
  void SetStyle(TComboBoxStyle style);
  // -1: none.
  int ItemIndex();
  void SetItemIndex(int index);
  bool Sorted() const { return sorted_; }
  void SetSorted(bool sorted);
  // The most items the open list shows without scrolling.
  int DropDownCount() const { return dropDownCount_; }
  void SetDropDownCount(int count);
  bool DroppedDown();
  void SetDroppedDown(bool dropped);

  TNotifyEvent OnChange;
  TNotifyEvent OnDropDown;
  TNotifyEvent OnCloseUp;

protected:
  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;
  void DestroyWnd() override;
  void Dispatch(TMessage& message) override;
  virtual void Change();

private:
  void CNCommand(TMessage& message);
  void CMTextChanged(TMessage& message);

  TListControlStrings items_;
  TComboBoxStyle style_ = csDropDown;
  bool sorted_ = false;
  int dropDownCount_ = 8;
};

class TComboBox : public TCustomComboBox {
public:
  using TCustomComboBox::TCustomComboBox;
};
