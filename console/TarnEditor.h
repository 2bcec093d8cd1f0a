#pragma once
// The program editor control: a text editor that colours every painted row
// with the Tarnscript tokenizer, follows comments in (* and *) across rows,
// and numbers the rows in its gutter.

#include <cstdint>
#include <string>
#include <vector>

#include "console/SymAttrs.h"
#include "console/TxCustomEditor.h"

class TSyntax;

// The colours and gutter the program editor exchanges with its host.
struct TEditorColors {
  TColor Color = clWindow;  // the text's background
  TColor GutterColor = clBtnFace;
  int GutterWidth = 0;
  bool GutLines = true;
};

// The program editor window's options: its editors' colours and gutter, and
// what closing a modified program does.
struct TEditorSetts : TEditorColors {
  bool SaveAuto = false;    // save without asking
  bool SavePrompt = true;   // ask before closing
};

class TTarnEditor : public TTxEditor {
public:
  explicit TTarnEditor(TComponent* owner);

  TEditorColors GetColors() const;
  // Takes the colours and gutter and repaints at once.
  void SetColors(const TEditorColors& colors);
  // The selection colours, the background and the margin colour.
  void Assign(const TTarnEditor& source);
  bool HasSyntax() const { return Syntax != nullptr; }
  void Loaded() override;
  // Rebuilds the comment state at the start of every row.
  void RescanComments();
  // 0 outside a comment, 2 inside one.
  std::uint8_t RowState(int row) const;

  bool LongTokens = true;
  // The host's tokenizer (not owned); rows are plain text without one.
  TSyntax* Syntax = nullptr;
  bool GutLines = true;

protected:
  void GetLineAttr(int line, int colBeg, int colEnd) override;
  void TextModified(int pos, TTextAction action, const std::string& text) override;

private:
  void FillColumns(int start, int end, const TSymAttr& attr);
  std::uint8_t LoadLineState() const;
  // The byte column of the ")" that closes the comment the row begins in;
  // the row's length when it does not close there.
  int CommentEndColumn() const;
  void PaintLineNumbers(TCanvas& canvas);

  TSymAttr PlainAttr{"Plain"};
  std::string CurLine;
  int CurLineIndex = 0;
  std::uint8_t State = 0;
  // One entry a row and one past the last: the state at the row's start.
  std::vector<std::uint8_t> States;
};

// True when any character of chars occurs in text.
bool ContainsAnyChar(std::string_view chars, std::string_view text);
