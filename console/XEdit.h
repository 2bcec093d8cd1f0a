#pragma once
// The command line: a one-line rich edit that shows a fixed prompt before
// the user's text (the source), keeps the prompt from being edited, colours
// the source by tokens, plays the key sounds and hands the source to its
// owner on Enter (or on every change). Executed lines form a history that
// Up and Down walk and that persistent edits keep in the settings section
// named after the edit ("XEDIT1" for the first edit of the process).
// Positions (SelStart, SelLength) count bytes of the UTF-8 text, as the
// toolkit's edits and the syntax do.
// TEditInt is the engine's sink into such an edit: the read-only result
// line of the compact view shows the engine's results through it.

#include <functional>
#include <string>
#include <vector>

#include "console/SymAttrs.h"
#include "engine/MessageChannel.h"
#include "toolkit/controls/RichEdit.h"

class TConEx;
class TSyntax;
class TXEdit;

using TExecEvent = std::function<void(TObject* sender, const std::string& text)>;

class TEditInt : public IXConsBase {
public:
  explicit TEditInt(TXEdit* edit) : Edit(edit) {}
  // A result line becomes the source; any other line empties it.
  void Write(const std::string& text, std::uint8_t kind, int level) override;
  void ExpandToLevel(int) override {}
  void Clear() override;

  TXEdit* Edit;  // cleared when the edit goes
};

class TXEdit : public TRichEdit {
public:
  // The owner is the parent too. Persist: the history is loaded now and stored at destruction.
  TXEdit(TWinControl* owner, bool persist);
  ~TXEdit() override;
  TXEdit(const TXEdit&) = delete;
  TXEdit& operator=(const TXEdit&) = delete;

  // The next edit made is "XEDIT1" again (a restart, for tests).
  static void ResetNameCounter();
  // What the destructor stores, stored now: a persistent, non-empty history.
  void StoreHistory();

  // The text after the prompt.
  std::string GetSource() const;
  void SetSource(const std::string& value);
  const std::string& Prompt() const { return prompt_; }
  void SetPrompt(const std::string& value);
  // Colour and style only; the line is not recoloured.
  void SetPromptAttr(const TSymAttr& attr) { PromptAttr.Assign(attr); }
  void SetTextAttr(const TSymAttr& attr) { TextAttr.Assign(attr); }

  // Hands text to OnExecute (emptying the line first with EnterExec and ClearLine).
  virtual void Execute(const std::string& text);
  // Appends the line, or moves an entry equal but for letter case to the end.
  void AddHistory(const std::string& line);
  const std::vector<std::string>& History() const { return history_; }
  int HistoryIndex() const { return historyIndex_; }
  void Recolor();
  // Height from the font: tmHeight + tmInternalLeading + 3.
  void AdjustHeight();
  // True while OnExecute runs for a change of the text (AutoExec), false for Enter.
  bool ExecutingChange() const { return executingChange_; }

  TExecEvent OnExecute;
  bool EnterExec = true;
  bool ClearLine = true;
  bool NoEdit = false;  // read-only line: every key is swallowed
  bool AutoExec = false;
  TSyntax* Syntax = nullptr;  // not owned; nil: no colouring at all
  bool PlainColors = true;
  TSymAttr PromptAttr{"Prompt"};
  TSymAttr TextAttr{"Text"};
  CountedPtr<IXConsBase> ConsoleIntf;
  // Not owned; a read-only line echoes its texts through it when CopyClip is on. Nil: no echo.
  TConEx* ClipboardHelper = nullptr;

protected:
  void Dispatch(TMessage& message) override;
  void KeyDown(WORD& key, TShiftState shift) override;
  void KeyPress(char32_t& key) override;
  void Change() override;
  void Resize() override;
  void MouseMove(TShiftState shift, int x, int y) override;
  void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
  void DblClick() override;

private:
  class TUpdating;

  int PromptLength() const;
  int TextLength() const;
  void Select(int start, int length);
  void ApplyAttr(const TSymAttr& attr);
  void ColorTokens(const std::string& source);
  void StripLineBreaks();
  void KeepChangeOutOfPrompt();
  void WalkHistory(int step);
  void DoEnter();
  void LoadHistory();

  std::string prompt_;
  std::string source_;  // as the last change left it
  std::vector<std::string> history_;
  int historyIndex_ = 0;
  bool updating_ = false;
  bool executingChange_ = false;
  bool persistHistory_;
};
