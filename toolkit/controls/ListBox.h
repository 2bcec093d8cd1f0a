#pragma once
// List boxes realised by the desktop's list widget: TListBox with Items
// (strings and objects), owner-drawn items painted by OnDrawItem on the
// list's Canvas, and TCheckListBox with a check box on each item. A choice
// by the user raises OnClick; ItemIndex set by code raises nothing.

#include "toolkit/controls/ListControlStrings.h"
#include "toolkit/controls/OwnerDrawItem.h"

enum TListBoxStyle { lbStandard, lbOwnerDrawFixed };

class TCustomListBox : public TWinControl {
public:
  explicit TCustomListBox(TComponent* owner);

  TStrings& Items() { return items_; }
  // -1: none.
  int ItemIndex();
  void SetItemIndex(int index);
  bool Sorted() const { return sorted_; }
  void SetSorted(bool sorted);
  TListBoxStyle Style() const { return style_; }
  void SetStyle(TListBoxStyle style);
  int ItemHeight();
  void SetItemHeight(int height);
  int TopIndex();
  void SetTopIndex(int index);
  // The item at a client point; -1 when existing and the point is past the last item.
  int ItemAtPos(TPoint point, bool existing);
  TRect ItemRect(int index);
  // The canvas OnDrawItem paints on.
  TCanvas& Canvas() { return canvas_; }

  TDrawItemEvent OnDrawItem;

protected:
  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;
  void DestroyWnd() override;
  void Dispatch(TMessage& message) override;
  virtual void DrawItem(int index, const TRect& rect, TOwnerDrawState state);
  // A notification of the widget (LBN_*) other than selection and double click.
  virtual void Notified(WORD code) { (void)code; }

private:
  void CNCommand(TMessage& message);
  void CNDrawItem(TMessage& message);

  TListControlStrings items_;
  TCanvas canvas_;
  bool sorted_ = false;
  TListBoxStyle style_ = lbStandard;
  int itemHeight_ = 0;
};

class TListBox : public TCustomListBox {
public:
  using TCustomListBox::TCustomListBox;
};

class TCheckListBox : public TCustomListBox {
public:
  using TCustomListBox::TCustomListBox;

  // Setting a check by code raises nothing; the user's click on a box raises OnClickCheck.
  bool Checked(int index);
  void SetChecked(int index, bool checked);

  TNotifyEvent OnClickCheck;

protected:
  void CreateParams(TCreateParams& params) override;
  void Notified(WORD code) override;
};
