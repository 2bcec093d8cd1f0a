#pragma once
// Combo boxes realised by the desktop's combo box: an edit with a drop-down
// list (csDropDown) or a drop-down list alone (csDropDownList). The user's
// choice raises OnChange (and OnClick); typing in the edit raises OnChange;
// ItemIndex set by code raises nothing. An owner-drawn drop-down list
// (csOwnerDrawFixed) has its items, and the chosen one in the closed box,
// painted by OnDrawItem on the box's Canvas.

#include "toolkit/controls/ListControlStrings.h"
#include "toolkit/controls/OwnerDrawItem.h"

enum TComboBoxStyle { csDropDown, csDropDownList, csOwnerDrawFixed };

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
  // The canvas OnDrawItem paints on.
  TCanvas& Canvas() { return canvas_; }

  TDrawItemEvent OnDrawItem;
  TNotifyEvent OnChange;
  TNotifyEvent OnDropDown;
  TNotifyEvent OnCloseUp;

protected:
  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;
  void DestroyWnd() override;
  void Dispatch(TMessage& message) override;
  virtual void Change();
  virtual void DrawItem(int index, const TRect& rect, TOwnerDrawState state);

private:
  void CNCommand(TMessage& message);
  void CNDrawItem(TMessage& message);
  void CMTextChanged(TMessage& message);

  TListControlStrings items_;
  TCanvas canvas_;
  TComboBoxStyle style_ = csDropDown;
  bool sorted_ = false;
  int dropDownCount_ = 8;
};

class TComboBox : public TCustomComboBox {
public:
  using TCustomComboBox::TCustomComboBox;
};
