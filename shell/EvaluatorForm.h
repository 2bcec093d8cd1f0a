#pragma once
// The evaluator window: the routines and constants of the loaded libraries
// in a tree at the left (libraries bold, by display name), and for the one
// chosen the parameter list (Edits/EdList.h) at the right, where its
// arguments and parameters are edited and it is called with F9, or at
// every valid change in automatic mode. With "Interfaced" on, the tree
// lists only the interfaced script routines and the parameter constants.
// The tree follows the engine through the window's data client. The
// settings of the check boxes live in "EVALPARAMS", the window's place in
// "EVALFORM".

#include <string>

#include "Edits/EdRow.h"
#include "shell/ToolForm.h"
#include "toolkit/gdi/ImageList.h"

class TAction;
class TActionList;
class TCheckBox;
class TEdList;
class TEvalerInt;
class TFunc;
class TMainForm;
class TPanel;
class TSpeedButton;
class TSplitter;
class TTreeNode;
class TTreeView;
class TVar;

// Pictures of the tree's nodes, and the Evaluate button's.
enum TEvaluatorImage {
  eiLibrary = 0,
  eiLibraryExpanded = 1,
  eiInterfacedFunction = 2,
  eiFunction = 3,
  eiInterfacedProcedure = 4,
  eiProcedure = 5,
  eiParameterConstant = 6,
  eiConstant = 7,
  eiEvaluate = 8,
};

class TEvaluatorForm : public TToolForm {
public:
  static constexpr int MinWidth = 400;
  static constexpr int MinHeight = 200;

  // Toggle: the main window's action that shows and hides the window.
  TEvaluatorForm(TComponent* owner, const TEdHost& host, TAction* toggle);
  ~TEvaluatorForm() override;

  // Calls the shown routine again when the window shows and evaluates automatically.
  void Reevaluate();
  // Expands the first library whose shown name is name, ignoring case.
  void SelectLibrary(const std::string& name);

  // Components.
  TPanel* pnlMain;
  TTreeView* FuncTree;
  TSplitter* Splitter;
  TPanel* pnlEdList;
  TPanel* pnlSetts;
  TCheckBox* chkInterfaced;
  TCheckBox* chkClear;
  TCheckBox* chkAuto;
  TSpeedButton* Button;
  TActionList* ActionList;
  TAction* actRefresh;
  TAction* actEvaluate;
  TAction* actHelp;
  TImageList Images;

  // Fields.
  CountedPtr<IXDataClient> DataClient;
  TEdList* EdList;

private:
  friend class TEvalerInt;

  void CreateSettingsPanel();
  void CreateTree();
  void CreateActions();
  void ReadSettings();
  void WriteSettings();
  void RegisterClient(ITarnscript& engine);

  // The tree, for the data client.
  void ClearRoutineTree();
  TTreeNode* AddLibraryNode(const std::string& name);
  TTreeNode* AddRoutineNode(TTreeNode* parent, TFunc* routine);
  TTreeNode* AddConstantNode(TTreeNode* parent, TVar* variable);
  TTreeNode* AddItemNode(TTreeNode* parent, const std::string& name, void* item, int image);

  void FuncTreeChange(TTreeNode* node);
  void FuncTreeCustomDrawItem(TTreeNode* node);
  void actEvaluateUpdate();
  void pnlSettsResize();
  void FormCanResize(int newWidth, int newHeight, bool& resize);

  bool clearingTree_ = false;
};

// What the evaluator's rows use of the main window: its engine, its
// console's colouring, and its Clear action.
TEdHost EvaluatorHost(TMainForm& main);

// Nil until the start-up makes the evaluator.
extern TEvaluatorForm* EvaluatorForm;
