#pragma once
// The result row: a read-only edit whose hint repeats its text, so that a
// long result can be read whole.

#include <string>

#include "Edits/EdRow.h"

class TEdit;

class TEdRes : public TEdRow {
public:
  explicit TEdRes(TComponent* owner);

  void SetResultText(const std::string& text);
  std::string ResultText() const;
  TEdit& Edit() const { return *edit_; }

protected:
  void FitControls() override;

private:
  TEdit* edit_;
};
