#pragma once
// An argument or parameter typed as an expression of the language, in a
// command-line edit coloured as the console colours: valid when it
// compiles to a value the variable can take (pink otherwise); committing
// assigns the expression's value. While a run is in progress the engine
// compiles nothing: the row then counts as not ready, and a change made
// meanwhile is looked at once the run has ended.

#include <memory>
#include <string>

#include "Edits/EdRow.h"

class TExpression;
class TLabel;
class TXEdit;

class TEdExpr : public TEdRow {
public:
  static constexpr int EditHeight = 24;

  TEdExpr(TComponent* owner, const TEdHost& host);
  ~TEdExpr() override;

  void SetVariable(TVar* variable) override;
  bool Validate() override;
  void PrepareCommit() override;
  void Commit() override;
  void DropPrepared() override;
  void CatchUp() override;

  // The tree of the text when it can be assigned to the variable; nil for
  // an empty text, without a variable, or while a run is in progress.
  std::unique_ptr<TExpression> Parse(const std::string& text);
  // Made by SetVariable.
  TXEdit& Edit() const { return *edit_; }
  TLabel& ELabel() const { return *eLabel_; }

protected:
  void FitControls() override;

private:
  void MakeEdit();
  void EditChange();

  const TEdHost& host_;
  TLabel* eLabel_;
  TXEdit* edit_ = nullptr;
  TVar* var_ = nullptr;
  std::string fullLabel_;
  std::unique_ptr<TExpression> prepared_;
  // A change came while a run was in progress.
  bool changedWhileRunning_ = false;
};
