#include "shell/XDTEditor.h"

#include "engine/Kind.h"
#include "engine/Tarnscript.h"
#include "engine/Value.h"
#include "engine/Var.h"
#include "runtime/Exceptions.h"
#include "runtime/NumberText.h"
#include "toolkit/controls/ComboBox.h"
#include "toolkit/controls/Edit.h"
#include "toolkit/controls/ListBox.h"
#include "toolkit/win/Keys.h"
#include "toolkit/win/MessageQueue.h"
#include "treeview/BaseDataTree.h"
#include "treeview/DTHeader.h"

namespace {

constexpr TColumnIndex ValueColumn = 1;

}  // namespace

TXDTEditor::TXDTEditor(TVar* var, ITarnscript* engine) : variable_(var), engine_(engine) {}

TXDTEditor::~TXDTEditor() { FreeEditor(); }

void TXDTEditor::FreeEditor() {
  if (!editor_) return;
  editor_->SetParent(nullptr);
  delete editor_;
  editor_ = nullptr;
}

bool TXDTEditor::ShowEditor() {
  QASSERT(editor_, "no editor control");
  editor_->Show();
  editor_->SetFocus();
  if (auto* edit = dynamic_cast<TEdit*>(editor_)) edit->SelectAll();
  return true;
}

bool TXDTEditor::HideEditor() {
  QASSERT(editor_, "no editor control");
  editor_->Hide();
  return true;
}

// An edit that ends while a script runs stores nothing: the script owns the values.
bool TXDTEditor::CommitEdit() {
  QASSERT(editor_, "no editor control");
  if (!engine_ || !engine_->IsRunning()) StoreValue();
  tree_->RepaintNode(node_);
  editor_->Hide();
  tree_->SetFocus();
  return true;
}

bool TXDTEditor::PrepareEditor(TBaseDataTree* tree, PDataNode node, TColumnIndex) {
  tree_ = tree;
  node_ = node;
  column_ = ValueColumn;
  FreeEditor();
  editorKind_ = ekNone;
  if (!variable_ || !variable_->Kind()) return false;
  const TKindCode code = variable_->Kind()->Code();
  if (code == kcSet) {
    auto* set = dynamic_cast<TSetVar*>(variable_);
    if (!set || !set->ElemKind()) return false;
    MakeList(ekSet);
    return true;
  }
  auto* base = dynamic_cast<TBaseVar*>(variable_);
  if (!base) return false;
  const TValue value = base->GetValue();
  switch (code) {
    case kcInteger:
      editorKind_ = ekInteger;
      MakeEdit(std::to_string(value.AsInt()), true);
      return true;
    case kcReal:
      editorKind_ = ekReal;
      shownText_ = RealToText(value.AsReal());
      MakeEdit(shownText_, true);
      return true;
    case kcString:
      editorKind_ = ekString;
      MakeEdit(value.Str(), false);
      return true;
    case kcChar:
      editorKind_ = ekChar;
      MakeEdit(std::string(1, value.AsChar()), false);
      static_cast<TEdit*>(editor_)->SetMaxLength(1);
      return true;
    case kcBoolean: MakeList(ekBoolean); return true;
    case kcEnum: MakeList(ekEnum); return true;
    default: return false;
  }
}

void TXDTEditor::MakeEdit(const std::string& text, bool numeric) {
  auto* edit = new TEdit(nullptr);
  editor_ = edit;
  edit->SetVisible(false);
  edit->SetParent(tree_);
  edit->Font().Assign(tree_->Font());
  edit->SetText(text);
  edit->OnKeyDown = [this](TObject*, WORD& key, TShiftState shift) { EditorKeyDown(key, shift); };
  if (numeric) edit->OnChange = [this](TObject*) { EditorChange(); };
}

// Booleans and enumerations choose one name, sets check any of their members'.
void TXDTEditor::MakeList(TEditorKind kind) {
  editorKind_ = kind;
  TStrings* items = nullptr;
  if (kind == ekSet) {
    auto* list = new TCheckListBox(nullptr);
    editor_ = list;
    items = &list->Items();
  } else {
    auto* combo = new TComboBox(nullptr);
    combo->SetStyle(csDropDownList);
    editor_ = combo;
    items = &combo->Items();
  }
  editor_->SetVisible(false);
  editor_->SetParent(tree_);
  editor_->Font().Assign(tree_->Font());
  editor_->OnKeyDown = [this](TObject*, WORD& key, TShiftState shift) { EditorKeyDown(key, shift); };
  if (kind == ekBoolean) {
    items->Add("False");
    items->Add("True");
    static_cast<TComboBox*>(editor_)->SetItemIndex(static_cast<TBaseVar*>(variable_)->GetValue().AsBool() ? 1 : 0);
    return;
  }
  const TEnumKind* members = kind == ekSet ? static_cast<TSetVar*>(variable_)->ElemKind()
                                           : static_cast<const TEnumKind*>(variable_->Kind());
  for (int i = 0; i < members->Count(); ++i) items->Add(members->GetName(i));
  if (kind == ekSet) {
    auto* list = static_cast<TCheckListBox*>(editor_);
    for (int i = 0; i < members->Count(); ++i) list->SetChecked(i, static_cast<TSetVar*>(variable_)->Contains(i));
  } else {
    static_cast<TComboBox*>(editor_)->SetItemIndex(
        static_cast<int>(static_cast<TBaseVar*>(variable_)->GetValue().AsInt()));
  }
}

void TXDTEditor::StoreValue() {
  if (editorKind_ == ekSet) {
    auto* list = static_cast<TCheckListBox*>(editor_);
    auto* set = static_cast<TSetVar*>(variable_);
    for (int i = 0; i < list->Items().Count(); ++i) SetVarInclude(*set, i, list->Checked(i));
    return;
  }
  auto& base = static_cast<TBaseVar&>(*variable_);
  const std::string text = editor_->Text();
  switch (editorKind_) {
    case ekString: base.SetValue(TValue::String(text)); break;
    case ekBoolean: base.SetValue(TValue::Boolean(static_cast<TComboBox*>(editor_)->ItemIndex() > 0)); break;
    case ekEnum: base.SetValue(TValue::Enum(static_cast<TComboBox*>(editor_)->ItemIndex())); break;
    case ekReal: {
      long double x = 0;
      if (text != shownText_ && TextToReal(text, x)) base.SetValue(TValue::Real(x));
      break;
    }
    case ekInteger: {
      std::int64_t n = 0;
      if (TextToInt(text, n)) base.SetValue(TValue::Integer(n));
      break;
    }
    case ekChar: base.SetValue(TValue::Char(text.empty() ? '\0' : text[0])); break;
    default: break;
  }
}

TRect TXDTEditor::GetEditorBounds() {
  QASSERT(editor_, "no editor control");
  return editor_->BoundsRect();
}

void TXDTEditor::ForwardMessage(TMessage& message) {
  QASSERT(editor_, "no editor control");
  message.Result = editor_->Perform(message.Msg, message.WParam, message.LParam);
}

// From the cell the tree gave to the Value column's right edge; a check
// list is taller, so that several members show.
void TXDTEditor::SetEditorBounds(TRect r) {
  QASSERT(editor_, "no editor control");
  int left = 0;
  int right = 0;
  tree_->Header().Columns().ColumnHorzExtent(ValueColumn, left, right);
  r.Right = right;
  if (editorKind_ == ekSet) r.Bottom += SetListExtraHeight;
  editor_->SetBounds(r.Left, r.Top, r.Width(), r.Height());
}

// Up and Down move the tree's focus (which ends the edit), except in a
// check list and in an open drop-down list, which move in their items.
void TXDTEditor::EditorKeyDown(WORD& key, TShiftState shift) {
  QASSERT(editor_, "no editor control");
  switch (key) {
    case VK_RETURN:
      key = 0;
      tree_->AcceptNodeEdit();
      return;
    case VK_ESCAPE:
      key = 0;
      tree_->CancelNodeEdit();
      tree_->SetFocus();
      return;
    case VK_UP:
    case VK_DOWN: {
      if (shift != 0 || editorKind_ == ekSet) return;
      auto* combo = dynamic_cast<TComboBox*>(editor_);
      if (combo && combo->DroppedDown()) return;
      PostMessage(tree_->Handle(), WM_KEYDOWN, key, 0);
      key = 0;
      return;
    }
    default: return;
  }
}

bool TXDTEditor::TextIsValid() {
  const std::string text = editor_->Text();
  std::int64_t n = 0;
  long double x = 0;
  return editorKind_ == ekInteger ? TextToInt(text, n) : TextToReal(text, x);
}

void TXDTEditor::EditorChange() { editor_->Font().SetColor(TextIsValid() ? clWindowText : clRed); }
