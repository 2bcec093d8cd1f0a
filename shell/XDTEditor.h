#pragma once
// The editor of one scalar variable in the Value cell of the workspace
// tree: an edit for integers, reals, strings and characters, a drop-down
// list for booleans and enumerations, a check list for sets. It shows the
// variable's value and, when the edit is accepted, stores the control's
// content back. Whatever column the tree names, the Value column is the one
// edited. A real or integer text that is not a number is stored as nothing
// (its text is red while typed), and an untouched real is not stored back:
// its text is rounded to the options' digits.

#include <cstdint>
#include <string>

#include "toolkit/controls/Control.h"
#include "treeview/DTEditLink.h"

class ITarnscript;
class TVar;
class TWinControl;

class TXDTEditor : public IDTEditLink {
public:
  enum TEditorKind : std::uint8_t {
    ekNone,
    ekString,
    ekBoolean,
    ekEnum,
    ekSet,
    ekReal,
    ekInteger,
    ekChar,
  };
  static constexpr int SetListExtraHeight = 128;

  // var: the node's variable, as the workspace window finds it; engine:
  // while it runs a script, an accepted edit stores nothing.
  TXDTEditor(TVar* var, ITarnscript* engine);
  ~TXDTEditor() override;

  bool ShowEditor() override;
  bool HideEditor() override;
  bool CommitEdit() override;
  bool PrepareEditor(TBaseDataTree* tree, PDataNode node, TColumnIndex column) override;
  TRect GetEditorBounds() override;
  void ForwardMessage(TMessage& message) override;
  void SetEditorBounds(TRect r) override;

  TWinControl* Editor() const { return editor_; }
  TEditorKind EditorKind() const { return editorKind_; }
  TColumnIndex Column() const { return column_; }

private:
  void MakeEdit(const std::string& text, bool numeric);
  void MakeList(TEditorKind kind);
  void StoreValue();
  void EditorKeyDown(WORD& key, TShiftState shift);
  void EditorChange();
  bool TextIsValid();
  void FreeEditor();

  TVar* variable_;
  ITarnscript* engine_;
  TWinControl* editor_ = nullptr;
  TBaseDataTree* tree_ = nullptr;
  PDataNode node_ = nullptr;
  TColumnIndex column_ = -1;
  TEditorKind editorKind_ = ekNone;
  // The real's text as shown: storing it unchanged would round the value.
  std::string shownText_;
};
