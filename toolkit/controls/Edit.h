#pragma once
// Edits realised by the desktop's text widgets: TEdit (one line, or
// several with ES_MULTILINE), TMemo with its Lines, and TLabeledEdit.
// The text lives in the widget; changes, the user's and the code's, come
// back as EN_CHANGE and raise OnChange.

#include <string>
#include <utility>

#include "runtime/StringList.h"
#include "toolkit/controls/Form.h"
#include "toolkit/controls/WinControl.h"

class TLabel;

class TCustomEdit : public TWinControl {
public:
  explicit TCustomEdit(TComponent* owner);

  // 0: no limit.
  int MaxLength() const { return maxLength_; }
  void SetMaxLength(int length);
  bool ReadOnly() const { return readOnly_; }
  void SetReadOnly(bool readOnly);
  // Entering the edit by keyboard selects its text.
  bool AutoSelect = true;
  TBorderStyle BorderStyle() const { return borderStyle_; }
  void SetBorderStyle(TBorderStyle style);

  int SelStart();
  void SetSelStart(int start);
  int SelLength();
  void SetSelLength(int length);
  std::string SelText();
  // Replaces the selection.
  void SetSelText(const std::string& text);
  void SelectAll();
  void Clear() { SetText(""); }
  bool Modified();
  void SetModified(bool modified);

  TNotifyEvent OnChange;

protected:
  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;
  void Dispatch(TMessage& message) override;
  virtual void Change();

private:
  void CNCommand(TMessage& message);
  // Start and end, in bytes of the text.
  std::pair<int, int> Selection();

  int maxLength_ = 0;
  bool readOnly_ = false;
  TBorderStyle borderStyle_ = bsSingle;
};

class TEdit : public TCustomEdit {
public:
  using TCustomEdit::TCustomEdit;
};

class TCustomMemo;

// A memo's lines: the lines of its text, read from and written to the widget.
class TMemoStrings final : public TStrings {
public:
  explicit TMemoStrings(TCustomMemo& memo) : memo_(memo) {}
  int Count() const override;
  std::string Strings(int index) const override;
  void SetStrings(int index, const std::string& text) override;
  void InsertObject(int index, const std::string& text, TObject* object) override;
  void Delete(int index) override;
  void Clear() override;

private:
  std::vector<std::string> Lines() const;
  void SetLines(const std::vector<std::string>& lines);

  TCustomMemo& memo_;
};

class TCustomMemo : public TCustomEdit {
public:
  explicit TCustomMemo(TComponent* owner);

  TStrings& Lines() { return lines_; }
  bool WordWrap() const { return wordWrap_; }
  void SetWordWrap(bool wordWrap);
  TScrollStyle ScrollBars() const { return scrollBars_; }
  void SetScrollBars(TScrollStyle scrollBars);
  // Whether Tab and Enter type into the memo instead of moving on or pressing the default button.
  bool WantTabs = false;
  bool WantReturns = true;

protected:
  void CreateParams(TCreateParams& params) override;
  void Dispatch(TMessage& message) override;

private:
  TMemoStrings lines_;
  bool wordWrap_ = true;
  TScrollStyle scrollBars_ = ssNone;
};

class TMemo : public TCustomMemo {
public:
  using TCustomMemo::TCustomMemo;
};

// An edit with its label above it; the label moves, shows and hides with the edit.
class TLabeledEdit : public TCustomEdit {
public:
  explicit TLabeledEdit(TComponent* owner);

  TLabel& EditLabel() { return *editLabel_; }
  // The gap between the label's bottom and the edit's top.
  int LabelSpacing = 3;

  void SetParent(TWinControl* parent) override;
  void SetBounds(int left, int top, int width, int height) override;

protected:
  void Dispatch(TMessage& message) override;

private:
  void PlaceLabel();

  TLabel* editLabel_;
};
