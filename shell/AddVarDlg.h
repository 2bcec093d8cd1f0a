#pragma once
// The New Variable dialog: a name and, when a variable is made, its type,
// chosen from a tree of every named type the engine knows, grouped by kind.
// In name-only mode (renaming, loading a variable file under a name) the
// type tree is disabled. The name is checked against the engine as it is
// typed: OK is possible only for a well-formed identifier that nothing
// uses yet; any other name shows red. The workspace window's subscriber
// fills the type tree whenever libraries change (BeginKinds, AddKind for
// each type, EndKinds), not when the dialog opens; the dialog keeps its
// name, selection and expansion between showings.

#include <array>
#include <string>

#include "engine/Tarnscript.h"
#include "toolkit/controls/Form.h"

class TAction;
class TActionList;
class TButton;
class TKind;
class TLabel;
class TLabeledEdit;
class TTreeNode;
class TTreeView;

class TAddVarDlg : public TForm {
public:
  static constexpr int GroupCount = 5;
  static constexpr const char* GroupNames[GroupCount] = {"Fundamental Types", "Array Types", "Record Types",
                                                          "Enumerated Types", "Set Types"};

  TAddVarDlg(TComponent* owner, CountedPtr<ITarnscript> engine);

  // Empties the type tree and adds the five groups.
  void BeginKinds();
  // A node under the type's group; nil for nil, an anonymous type, a
  // built-in enumeration, set, record or class, and a type of no group.
  TTreeNode* AddKind(TKind* kind);
  // Opens the groups.
  void EndKinds();
  // The type of the selected node; nil for a group or none.
  TKind* SelectedKind();
  std::string GetVarName() const;
  // Keeps the text when it differs from name only in letter case.
  void SetVarName(const std::string& name);
  bool IsNameFree(const std::string& name);
  // Whether OK may close the dialog now.
  bool CanAccept();

  TLabeledEdit* NameEdit;
  TLabel* Label1;
  TTreeView* KindTree;
  TButton* Button1;
  TButton* Button2;
  TButton* Button3;
  TActionList* Actions;
  TAction* actOK;
  // Set by the caller before each showing.
  bool NameOnly = false;

protected:
  void CreateParams(TCreateParams& params) override;

private:
  void CreateControls();
  void NameEditChange();
  void KindTreeDblClick();
  void KindTreeCustomDrawItem(TTreeNode* node);

  CountedPtr<ITarnscript> engine_;
  std::array<TTreeNode*, GroupCount> groups_{};
};

// Nil until the start-up makes the dialog.
extern TAddVarDlg* AddVarDlg;
