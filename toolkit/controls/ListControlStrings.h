#pragma once
// The items of a list box or combo box: strings and objects that the
// control's window keeps, read and changed through its list messages.
// Using them makes the window. While the window is made again (RecreateWnd)
// the control keeps the items here and gives them back.

#include "runtime/StringList.h"
#include "toolkit/controls/WinControl.h"

// The list messages of one kind of control (LB_* or CB_*).
struct TListMessages {
  UINT Add;
  UINT Insert;
  UINT Delete;
  UINT Reset;
  UINT Count;
  UINT GetText;
  UINT GetTextLength;
  UINT GetData;
  UINT SetData;
};

class TListControlStrings final : public TStrings {
public:
  TListControlStrings(TWinControl& control, const TListMessages& messages) : control_(control), messages_(messages) {}

  int Count() const override;
  std::string Strings(int index) const override;
  TObject* Objects(int index) const override;
  void SetObjects(int index, TObject* object) override;
  int AddObject(const std::string& text, TObject* object) override;
  void InsertObject(int index, const std::string& text, TObject* object) override;
  void Delete(int index) override;
  void Clear() override;

  // Before the window goes: the items move here. After it is made: they go back.
  void KeepItems();
  void RestoreItems();

private:
  LRESULT Send(UINT message, WPARAM wParam, LPARAM lParam) const;

  TWinControl& control_;
  TListMessages messages_;
  TStringList kept_;
  bool keeping_ = false;
};
