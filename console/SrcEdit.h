#pragma once
// A source page of the program editor window: a tab sheet holding a frame
// with one program editor and the program's file name. The n-th page of a
// run is "TabSheet" + n with the frame "SrcEdit" + n captioned
// "Untitled" + n; numbers are never reused.

#include <string>

#include "toolkit/controls/Frame.h"
#include "toolkit/controls/PageControl.h"

class TTarnEditor;

class TSrcEdit : public TFrame {
public:
  // Made by its TSrcTab, which has counted it.
  explicit TSrcEdit(TComponent* owner);

  TTarnEditor* Editor() const { return editor_; }
  // Set by the host: the program's file, or the caption of a new one.
  std::string FileName;

private:
  TTarnEditor* editor_;
};

class TSrcTab : public TTabSheet {
public:
  explicit TSrcTab(TComponent* owner);

  TSrcEdit* Edit() const { return edit_; }

private:
  TSrcEdit* edit_;
};

// The pages made in this run; tests start over.
int SourcePagesMade();
void ResetSourcePageCount();
