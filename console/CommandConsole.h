#pragma once
// The console with its command line on a form, as the main window has them:
// a line executed on the command line reaches the engine, whose lines the
// console shows. In the full view the console echoes the line as an input
// line and the engine writes into it; in the compact view the command line
// evaluates on every change and the engine writes the result into a
// read-only result line.

#include <string>

#include "engine/Tarnscript.h"

class TConsole;
class TForm;
class TPanel;
class TSyntax;
class TXEdit;

class TCommandConsole {
public:
  // Places the console, the command line and the (hidden) result line on
  // the form, in the full view. PersistHistory: the command line keeps its
  // history in the settings.
  TCommandConsole(TForm& form, CountedPtr<ITarnscript> engine, TSyntax& syntax, bool persistHistory);

  void SetCompact(bool compact);
  bool Compact() const { return compact_; }
  void ExecuteLine(const std::string& line);
  // The command line takes the console's input look, the result line its result look.
  void ApplyEditColors();

  TConsole* Console;
  TPanel* EditPanel;
  TPanel* ScrPanel;
  TXEdit* CommandLine;
  TXEdit* ResultLine;

private:
  void EditPanelResize();
  void ScrPanelResize();

  TForm& form_;
  CountedPtr<ITarnscript> engine_;
  bool compact_ = false;
};
