#pragma once
// The evaluator's parameter list: a scrolling column of rows for the
// routine or constant chosen in the evaluator's tree. A routine shows its
// title, its description, one editing row per argument and per parameter
// (the labelled constants of a script routine), and a result row; a
// constant shows its title, its label and its value. The rows write their
// values straight into the routine's own variables, and Evaluate calls the
// routine object and shows its result. In automatic mode every valid
// change evaluates again.
//
// A call is a run of the engine, as a script's is: window messages go on
// being handled during it, so that Ctrl+F9 can stop it. Meanwhile the rows
// it uses stay: a new choice of routine, and an evaluation asked for by a
// change, wait until the call has returned. While another run is in
// progress nothing is evaluated; the changes made meanwhile are looked at
// once it has ended (CatchUp).

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "Edits/EdRow.h"

class TEdRes;
class TFunc;
class THashNode;
class TPanel;
class TScrollBox;

class TEdList : public TFrame {
public:
  TEdList(TComponent* owner, TEdHost host);
  ~TEdList() override;

  // Shows a routine (a TFunc) or a constant (a TVar), or clears for nil.
  void SetRoutine(THashNode* item);
  // Whether Evaluate would call the routine: a routine shown whole, with
  // at least two rows, every text valid, and no run in progress.
  bool CanEvaluate();
  // Calls the routine; false when it was not called or reported an error.
  bool Evaluate();
  // What waited for a call or a run to end is done now, when none is in progress.
  void CatchUp();

  bool Auto = true;
  bool ClearConsole = false;
  bool Busy() const { return busy_; }
  TFunc* Routine() const { return routine_; }
  TVar* Constant() const { return constant_; }
  const std::vector<std::unique_ptr<TEdRow>>& Rows() const { return rows_; }
  TEdRes* ResultRow() const { return resultRow_; }
  TScrollBox& ScrollBox() const { return *scrollBox_; }
  TPanel& MainPanel() const { return *pnlMain_; }

protected:
  void Dispatch(TMessage& message) override;

private:
  void ShowRoutine(TFunc* routine);
  void ShowConstant(TVar* constant);
  // What is done to a row once it stands in the list.
  using TRowSetting = std::function<void(TEdRow& row)>;

  void ClearRows();
  void AddRow(int& y, std::unique_ptr<TEdRow> row, TRowSetting setting = {});
  void PlaceRows(int height);
  void AddTitle(int& y, const std::string& text, int kind);
  void AddInfo(int& y, const std::string& text);
  void AddEditor(int& y, TVar* variable);
  void AddResultRow(int& y);
  void ParamChanged();
  bool Call();
  void ShowResult();
  void CatchUpLater();
  void SetMainHeight(int height);
  void ScrollBoxResize();
  void MainPanelResize();

  TEdHost host_;
  TScrollBox* scrollBox_;
  TPanel* pnlMain_;
  std::vector<std::unique_ptr<TEdRow>> rows_;
  std::vector<TRowSetting> settings_;  // one per row until they are placed
  TFunc* routine_ = nullptr;
  TVar* constant_ = nullptr;
  TEdRes* resultRow_ = nullptr;
  // The routine's arguments are all shown: none by reference, none generic.
  bool shownWhole_ = false;
  bool busy_ = false;
  bool catchingUp_ = false;
  // A change asked for an evaluation while none could run.
  bool evaluationWaits_ = false;
  // A choice made during a call, shown once it has returned.
  bool itemWaits_ = false;
  THashNode* waitingItem_ = nullptr;
};
