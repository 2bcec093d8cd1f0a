#include "shell/MatSizeDlg.h"

#include <limits>

#include "engine/Value.h"
#include "runtime/NumberText.h"
#include "runtime/StorageLimit.h"
#include "shell/ActionBars.h"
#include "shell/WindowParams.h"
#include "shell/WorkForm.h"
#include "toolkit/controls/ActionList.h"
#include "toolkit/controls/Button.h"
#include "toolkit/controls/Edit.h"
#include "toolkit/controls/Label.h"

TMatSizeDlg* MatSizeDlg = nullptr;

namespace {

// An integer from 1 to the largest array length; 0 for any other text.
std::int32_t SizeIn(const TLabeledEdit& edit) {
  std::int64_t n = 0;
  if (!TextToInt(edit.Text(), n) || n < 1 || n > std::numeric_limits<std::int32_t>::max()) return 0;
  return static_cast<std::int32_t>(n);
}

}  // namespace

TMatSizeDlg::TMatSizeDlg(TComponent* owner) : TForm(owner) {
  SetCaption(" Matrix size");
  SetBorderStyle(bsToolWindow);
  Position = poScreenCenter;
  Font().SetName("MS Sans Serif");
  Font().SetHeight(-11);
  SetClientSize(288, 117);
  CreateControls();
  SetActiveControl(RowEdit);
}

void TMatSizeDlg::CreateControls() {
  Actions = new TActionList(this);
  actOK = MakeAction(this, Actions, {"OK"});
  EnableWhen(actOK, [this] { return IsValid(); });
  OnExecute(actOK, [this] { SetModalResult(mrOk); });
  const auto edit = [this](int left, const char* label) {
    auto* made = new TLabeledEdit(this);
    made->SetParent(this);
    made->EditLabel().SetCaption(label);
    made->SetParentFont(false);
    made->Font().SetName("Courier New");
    made->Font().SetHeight(-13);
    made->SetBounds(left, 24, 128, made->Height());
    made->SetText("0");
    made->OnChange = [this](TObject*) { EditChange(); };
    return made;
  };
  RowEdit = edit(8, "Rows number");
  ColEdit = edit(152, "Columns number");
  chkSqr = new TCheckBox(this);
  chkSqr->SetParent(this);
  chkSqr->SetCaption("Square matrix");
  chkSqr->SetBounds(8, 56, 128, 17);
  chkSqr->OnClick = [this](TObject*) {
    ColEdit->SetEnabled(isMatrix_ && !chkSqr->Checked());
    EditChange();
  };
  Button1 = new TButton(this);
  Button1->SetParent(this);
  Button1->SetBounds(120, 84, 75, 25);
  Button1->SetAction(actOK);
  Button1->SetDefault(true);
  Button1->ModalResult = mrOk;
  Button2 = new TButton(this);
  Button2->SetParent(this);
  Button2->SetBounds(204, 84, 75, 25);
  Button2->SetCaption("Cancel");
  Button2->Cancel = true;
  Button2->ModalResult = mrCancel;
  EditChange();
}

// With WinsInTask the workspace window owns the dialog.
void TMatSizeDlg::CreateParams(TCreateParams& params) {
  TForm::CreateParams(params);
  ApplyWinsInTask(params, TWindowRole::ModalDialog, WorkForm ? WorkForm->Handle() : nullptr);
}

void TMatSizeDlg::SetIsMatrix(bool isMatrix) {
  if (isMatrix == isMatrix_) return;
  isMatrix_ = isMatrix;
  SetCaption(isMatrix ? " Matrix size" : " Vector size");
  chkSqr->SetEnabled(isMatrix);
  ColEdit->SetEnabled(isMatrix && !chkSqr->Checked());
  EditChange();
}

void TMatSizeDlg::SetRows(std::int32_t n) { RowEdit->SetText(std::to_string(n)); }
void TMatSizeDlg::SetCols(std::int32_t n) { ColEdit->SetText(std::to_string(n)); }

bool TMatSizeDlg::ColsFromEdit() { return isMatrix_ && !chkSqr->Checked(); }

std::int32_t TMatSizeDlg::GetRows() { return SizeIn(*RowEdit); }

std::int32_t TMatSizeDlg::GetCols() { return ColsFromEdit() ? SizeIn(*ColEdit) : GetRows(); }

// Every element of a vector or a matrix is a value of its own.
bool TMatSizeDlg::IsValid() {
  const std::int64_t rows = GetRows();
  const std::int64_t cols = isMatrix_ ? GetCols() : 1;
  return rows > 0 && cols > 0 &&
         StorageCanExist(static_cast<std::uint64_t>(rows * cols), sizeof(TValue));
}

void TMatSizeDlg::EditChange() {
  const bool fits = IsValid();
  RowEdit->Font().SetColor(GetRows() > 0 && fits ? clWindowText : clRed);
  ColEdit->Font().SetColor(!ColsFromEdit() || (SizeIn(*ColEdit) > 0 && fits) ? clWindowText : clRed);
}
