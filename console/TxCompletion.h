#pragma once
// The editor's completion of identifiers and templates. The program fills
// neither list and never enables the automatic pop-up, so the completion
// commands find no items and change nothing; the drop-down list itself is
// not made.

#include <memory>
#include <string>

#include "runtime/StringList.h"
#include "toolkit/base/Handles.h"

class TTimer;
class TTxCustomEditor;

class TTxCompletion {
public:
  explicit TTxCompletion(TTxCustomEditor& editor);
  ~TTxCompletion();
  TTxCompletion(const TTxCompletion&) = delete;
  TTxCompletion& operator=(const TTxCompletion&) = delete;

  // Mode 0 identifiers, 1 templates (commands 422 and 423).
  void DoCompletion(int mode);
  // Gathers and selects the candidates; showing them is not built.
  void DropDown(int mode);
  // Typing: the automatic pop-up waits Interval, only while Enabled.
  void DoKeyPress(char32_t c);
  // True when the open list took the key.
  bool DoKeyDown(WORD key);
  // Hides the list; applying an item comes with the list.
  void CloseUp();
  void StopTimer();
  bool Visible() const { return visible_; }
  bool TimerRunning() const;

  TStringList Identifers;  // name, Separator, description
  TStringList Templates;   // key word, Separator, description, Separator, text
  TStringList Items;
  int ItemIndex = -1;
  int Mode = 0;
  int DefMode = 0;
  int ItemHeight = 13;
  bool Enabled = false;
  int DropDownCount = 6;
  int DropDownWidth = 300;
  char CaretChar = '|';
  std::string CRLF = "/n";
  std::string Separator = "=";
  int Interval() const;
  void SetInterval(int milliseconds);

private:
  void MakeItems();
  // The item the word at the caret begins, and whether it is that word.
  void SelectItem(bool& exact);
  bool Cancelled();
  std::string WordAtCaret() const;
  std::string Field(const std::string& item, int index) const;

  TTxCustomEditor& editor_;
  TTimer* timer_;
  bool visible_ = false;
};
