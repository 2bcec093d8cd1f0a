#pragma once
// The size dialog of the matrix editor: the new row count and, for a
// matrix that is not square, the column count. A text that is not an
// integer above 0, or a size whose storage cannot exist, shows red and
// keeps OK disabled. The dialog keeps its texts between showings.

#include <cstdint>

#include "toolkit/controls/Form.h"

class TAction;
class TActionList;
class TButton;
class TCheckBox;
class TLabeledEdit;

class TMatSizeDlg : public TForm {
public:
  explicit TMatSizeDlg(TComponent* owner);

  void SetIsMatrix(bool isMatrix);
  bool IsMatrix() const { return isMatrix_; }
  void SetRows(std::int32_t n);
  void SetCols(std::int32_t n);
  std::int32_t GetRows();
  // The rows for a vector and a square matrix.
  std::int32_t GetCols();
  bool IsValid();

  TLabeledEdit* RowEdit;
  TLabeledEdit* ColEdit;
  TCheckBox* chkSqr;
  TButton* Button1;
  TButton* Button2;
  TActionList* Actions;
  TAction* actOK;

protected:
  void CreateParams(TCreateParams& params) override;

private:
  void CreateControls();
  void EditChange();
  bool ColsFromEdit();

  bool isMatrix_ = true;
};

// Nil until the start-up makes the dialog.
extern TMatSizeDlg* MatSizeDlg;
