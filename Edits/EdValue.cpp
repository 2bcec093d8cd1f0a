#include "Edits/EdValue.h"

#include <algorithm>

#include "engine/Kind.h"
#include "engine/Var.h"
#include "runtime/Exceptions.h"
#include "runtime/NumberText.h"
#include "toolkit/controls/Edit.h"
#include "toolkit/controls/Image.h"
#include "toolkit/controls/Label.h"
#include "toolkit/controls/Panel.h"
#include "toolkit/controls/Screen.h"
#include "toolkit/gdi/Canvas.h"

namespace {

constexpr int HandleSize = 24;
constexpr int FontHeight = -13;
// Between a number's edit and its handle, with the margins.
constexpr int HandleGap = 18;
constexpr char32_t Backspace = 8;

// Two arrows pointing apart on a raised face; the corners are transparent.
void DrawDragHandle(TBitmap& bitmap) {
  bitmap.SetSize(HandleSize, HandleSize);
  TCanvas& canvas = bitmap.Canvas();
  canvas.Brush().SetColor(clFuchsia);
  canvas.FillRect(Rect(0, 0, HandleSize, HandleSize));
  canvas.Pen().SetColor(RGB(96, 96, 96));
  canvas.Brush().SetColor(RGB(232, 232, 224));
  canvas.RoundRect(1, 3, HandleSize - 1, HandleSize - 3, 6, 6);
  canvas.Pen().SetColor(RGB(32, 64, 128));
  canvas.Brush().SetColor(RGB(64, 112, 208));
  const int middle = HandleSize / 2;
  const TPoint left[] = {{4, middle}, {9, middle - 5}, {9, middle + 5}};
  const TPoint right[] = {{HandleSize - 5, middle}, {HandleSize - 10, middle - 5}, {HandleSize - 10, middle + 5}};
  canvas.Polygon(left);
  canvas.Polygon(right);
  canvas.MoveTo(9, middle);
  canvas.LineTo(HandleSize - 10, middle);
  bitmap.SetTransparent(true);
}

bool IsNumberCode(TKindCode code) { return code == kcInteger || code == kcReal; }

// The keys a number may take; the control characters (the clipboard and
// undo commands) pass too, and what they bring is validated like typing.
bool NumberKeyAccepted(TKindCode code, char32_t key) {
  if (key < 0x20) return true;
  if ((key >= '0' && key <= '9') || key == '+' || key == '-') return true;
  return code == kcReal && (key == 'E' || key == 'e' || key == '.');
}

bool Below(const TValue& a, const TValue& b) {
  return a.Kind() == kcReal ? a.AsReal() < b.AsReal() : a.AsInt() < b.AsInt();
}

}  // namespace

TEdValue::TEdValue(TComponent* owner) : TEdRow(owner, "EdValue", rtValue, 347, 54) {
  edit_ = new TLabeledEdit(this);
  edit_->SetParent(&Panel());
  edit_->Font().SetName("Courier New");
  edit_->Font().SetHeight(FontHeight);
  edit_->EditLabel().Font().SetName("Verdana");
  edit_->EditLabel().Font().SetHeight(FontHeight);
  edit_->SetBounds(RowMargin, RowControlTop, Width() - 2 * RowMargin, edit_->Height());
  edit_->OnKeyPress = [this](TObject*, char32_t& key) { EditKeyPress(key); };
  image_ = new TImage(this);
  image_->SetParent(&Panel());
  image_->SetBounds(Width() - HandleSize - RowMargin, RowControlTop, HandleSize, HandleSize);
  DrawDragHandle(image_->Bitmap());
  image_->Hint = " Move mouse while holding left mouse button ";
  image_->ShowHint = true;
  image_->OnMouseDown = [this](TObject*, TMouseButton button, TShiftState, int x, int) { ImageMouseDown(button, x); };
  image_->OnMouseMove = [this](TObject*, TShiftState shift, int x, int) { ImageMouseMove(shift, x); };
  image_->OnMouseUp = [this](TObject*, TMouseButton, TShiftState, int, int) { ImageMouseUp(); };
}

void TEdValue::SetVariable(TVar* variable) {
  var_ = dynamic_cast<TBaseVar*>(variable);
  QASSERT(var_ && (IsNumberCode(var_->Kind()->Code()) || var_->Kind()->Code() == kcString), "6A1F0B33");
  kindCode_ = var_->Kind()->Code();
  if (auto* param = dynamic_cast<TParamVar*>(variable)) {
    fullLabel_ = param->Label();
    value_ = param->GetValue();
    hasLimits_ = param->HasLimits();
    low_ = param->Low();
    high_ = param->High();
  } else {
    fullLabel_ = VariableLabel(*variable);
    value_ = TValue();
    ClearValue(kindCode_, value_);
    hasLimits_ = false;
  }
  const bool number = IsNumberCode(kindCode_);
  image_->SetVisible(number);
  image_->SetEnabled(number);
  FitControls();
  edit_->OnChange = nullptr;
  edit_->SetText(ValueToText(value_));
  edit_->OnChange = [this](TObject*) { EditChange(); };
}

bool TEdValue::Validate() {
  const std::string text = edit_->Text();
  switch (kindCode_) {
    case kcInteger: {
      std::int64_t n = 0;
      if (!TextToInt(text, n) || !WithinLimits(TValue::Integer(n))) return false;
      value_ = TValue::Integer(n);
      return true;
    }
    case kcReal: {
      long double x = 0;
      if (!TextToReal(text, x) || !WithinLimits(TValue::Real(x))) return false;
      value_ = TValue::Real(x);
      return true;
    }
    default:
      value_ = TValue::String(text);
      return true;
  }
}

void TEdValue::Commit() { var_->SetValue(value_); }

bool TEdValue::WithinLimits(const TValue& value) const {
  return !hasLimits_ || (!Below(value, low_) && !Below(high_, value));
}

void TEdValue::FitControls() {
  const int client = ClientWidth();
  int labelWidth = client - 2 * RowMargin;
  if (IsNumberCode(kindCode_)) {
    edit_->SetWidth(client - HandleSize - HandleGap);
    image_->SetLeft(client - HandleSize - RowMargin);
    labelWidth = edit_->Width() + HandleSize + 2;
  } else {
    edit_->SetWidth(labelWidth);
  }
  edit_->EditLabel().SetCaption(FitLabel(fullLabel_, labelWidth, edit_->EditLabel().Font()));
}

void TEdValue::EditKeyPress(char32_t& key) {
  if (IsNumberCode(kindCode_) && !NumberKeyAccepted(kindCode_, key)) key = 0;
}

void TEdValue::EditChange() {
  const bool valid = Validate();
  edit_->Font().SetColor(valid ? clBlack : clRed);
  if (valid) ReportChange();
}

void TEdValue::ImageMouseDown(TMouseButton button, int x) {
  if (button != mbLeft) return;
  lastX_ = x;
  Screen().SetCursor(crSizeWE);
}

void TEdValue::ImageMouseMove(TShiftState shift, int x) {
  if (!(shift & ssLeft) || x == lastX_) return;
  const int steps = (x - lastX_) / PixelsPerStep;
  if (steps == 0) return;
  lastX_ = x;
  Step(steps);
}

void TEdValue::ImageMouseUp() { Screen().SetCursor(crDefault); }

void TEdValue::Step(int steps) {
  if (kindCode_ == kcInteger) {
    std::int64_t n = 0;
    if (__builtin_add_overflow(value_.AsInt(), static_cast<std::int64_t>(steps), &n))
      n = steps > 0 ? INT64_MAX : INT64_MIN;
    value_ = TValue::Integer(n);
  } else {
    const long double delta = hasLimits_ ? (high_.AsReal() - low_.AsReal()) * 0.01L : 0.1L;
    value_ = TValue::Real(value_.AsReal() + steps * delta);
  }
  if (hasLimits_) {
    if (Below(value_, low_)) value_ = low_;
    if (Below(high_, value_)) value_ = high_;
  }
  edit_->SetText(ValueToText(value_));
}
