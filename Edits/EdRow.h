#pragma once
// The rows of the evaluator's parameter list: frames of one family, each a
// panel that fills the frame and holds the controls of its kind. The list
// places every row at full width; the editing rows edit one variable: they
// validate their text, commit their value into the variable and report
// each valid change through OnParamChange. Rows are told apart by their
// Tag, and each is named after its class with a running number of that
// class ("EdValue1").

#include <functional>
#include <string>

#include "engine/Tarnscript.h"
#include "toolkit/controls/Frame.h"

class TFont;
class TPanel;
class TSyntax;
class TVar;

// What the list and its rows use of the program's main window.
struct TEdHost {
  CountedPtr<ITarnscript> Engine;
  // The console's colouring, for expression rows.
  TSyntax* Syntax = nullptr;
  // Empties the main console.
  std::function<void()> ClearConsole;
};

enum TEdRowTag { rtTitle = 0, rtValue = 1, rtEnum = 2, rtBool = 3, rtResult = 4, rtInfo = 6, rtExpression = 7 };

class TEdRow : public TFrame {
public:
  // baseName: the class name without its T.
  TEdRow(TComponent* owner, const std::string& baseName, TEdRowTag tag, int width, int height);

  // The next row of every class is numbered 1 again (a restart, for tests).
  static void ResetNameCounters();

  TPanel& Panel() const { return *panel_; }
  // Editing rows: configure the row for the variable, tell whether its text
  // is valid (and take the value it gives), write that value into the variable.
  virtual void SetVariable(TVar*) {}
  virtual bool Validate() { return true; }
  virtual void Commit() {}
  // Around a call: what Commit needs that cannot be had while the call
  // runs is made before it (an expression row compiles its text) and
  // dropped after it, whether Commit ran or not.
  virtual void PrepareCommit() {}
  virtual void DropPrepared() {}
  // Once no run is in progress: a change that came while one ran is
  // looked at now.
  virtual void CatchUp() {}

  std::function<void(TEdRow* sender)> OnParamChange;

protected:
  void Resize() override;
  // Sizes the row's controls to its width, labels fitted again.
  virtual void FitControls() {}
  void ReportChange() {
    if (OnParamChange) OnParamChange(this);
  }

private:
  TPanel* panel_;
};

// The row's margin left and right of its controls.
inline constexpr int RowMargin = 8;
// Where an editing row's control stands below its label.
inline constexpr int RowControlTop = 22;

// The text as it fits into width pixels in the font: whole while narrower,
// else the shortest prefix p for which p + "  ..." reaches the width,
// followed by " ...".
std::string FitLabel(const std::string& text, int width, const TFont& font);

// A row's label for a variable without one of its own: its type's text
// (by the declared name), preceded by "name : " when it has a name.
std::string VariableLabel(const TVar& variable);
// The name with every "_" a blank, as the evaluator shows names.
std::string DisplayName(const std::string& name);
