// The tree view control on a desktop, one scene per command-line name:
//   console  an owner-drawn tree with the console's options: 300 nested
//            lines with a prefix and a text, a few selected while focused.
//   input    the same tree with a rubber band half drawn across its rows.
//   workspace  the variable list: three columns under a header sorted by
//            name, the Value caption hot, tree and grid lines.
//   editing  the variable list as a text tree: a value too long for its
//            cell shortened with "...", and the tree's own editor open on
//            a right-aligned value.
//   periphery  a text tree with every check kind and state (one disabled,
//            one hot) and a tooltip over a cut-off cell, beside the
//            variable list with its Value column being dragged.
//   drop     the variable list during an in-process drag of its first row:
//            the drop mark under the fourth row.
// With --screenshot FILE the demo saves a picture of itself and ends.

#include <cstring>
#include <string>
#include <vector>

#include "toolkit/controls/Application.h"
#include "toolkit/controls/Form.h"
#include "toolkit/controls/Screen.h"
#include "toolkit/gdi/Canvas.h"
#include "toolkit/qt/QtPlatform.h"
#include "tools/DemoRun.h"
#include "treeview/DTDragManager.h"
#include "treeview/DTHeader.h"
#include "treeview/DataDrawTree.h"
#include "treeview/DataStringTree.h"
#include "treeview/DataTreeHintWindow.h"
#include "treeview/DataTreeOptions.h"

namespace {

// One console line: a prefix and its text.
struct TDemoLine {
  const char* Prefix;
  std::string Text;
};

TDataDrawTree* MakeConsoleScene(TForm* form) {
  auto* tree = new TDataDrawTree(form);
  tree->SetParent(form);
  tree->SetAlign(alClient);
  tree->SetNodeDataSize(sizeof(int));
  TCustomDataTreeOptions& options = tree->TreeOptions();
  options.SetAnimationOptions({toAnimatedToggle});
  options.SetPaintOptions({toHideFocusRect, toHideSelection, toHotTrack, toShowBackground, toShowButtons,
                           toShowDropmark, toShowRoot, toThemeAware, toUseBlendedImages});
  options.SetSelectionOptions({toFullRowSelect, toMiddleClickSelect, toMultiSelect});
  static const std::vector<TDemoLine> lines{{">", "x := 1 + 2 * 3"},       {"=", "7"},
                                            {">", "Sum([1, 2, 3, 4])"},   {"=", "10"},
                                            {"i", "Library Math loaded"}, {"!", "Unknown identifier \"y\""}};
  tree->OnGetNodeWidth = [](TCustomDataDrawTree* sender, TCanvas& canvas, PDataNode node, TColumnIndex, int& width) {
    const TDemoLine& line = lines[static_cast<size_t>(*static_cast<int*>(sender->NodeUserData(node))) % lines.size()];
    width = canvas.TextWidth(std::string(line.Prefix) + "  " + line.Text) + 2 * sender->TextMargin();
  };
  tree->OnDrawNode = [](TCustomDataDrawTree* sender, const TDTPaintInfo& paintInfo) {
    const int number = *static_cast<int*>(sender->NodeUserData(paintInfo.Node));
    const TDemoLine& line = lines[static_cast<size_t>(number) % lines.size()];
    TCanvas& canvas = *paintInfo.Canvas;
    canvas.Brush().SetStyle(bsClear);
    const bool selected = paintInfo.Node->Has(nsSelected);
    const int x = paintInfo.ContentRect.Left + sender->TextMargin();
    canvas.Font().SetColor(selected ? clHighlightText : clGray);
    canvas.TextOut(x, paintInfo.ContentRect.Top + 2, line.Prefix);
    canvas.Font().SetColor(selected ? clHighlightText : line.Prefix[0] == '!' ? clRed : clWindowText);
    canvas.TextOut(x + 16, paintInfo.ContentRect.Top + 2, line.Text + "  (" + std::to_string(number) + ")");
    canvas.Brush().SetStyle(bsSolid);
  };
  tree->BeginUpdate();
  PDataNode parent = nullptr;
  for (int number = 0; number < 300; ++number) {
    const PDataNode node = tree->AppendChildNode(number % 6 == 1 || number % 6 == 3 ? parent : nullptr);
    *static_cast<int*>(tree->NodeUserData(node)) = number;
    if (number % 6 == 0 || number % 6 == 2) parent = node;
  }
  tree->EndUpdate();
  int row = 0;
  for (PDataNode node = tree->FirstRootNode(); node; node = tree->NextSiblingOf(node), ++row) {
    if (row < 4) tree->SetNodeExpanded(node, true);
    if (row == 1 || row == 2) tree->SetNodeSelected(node, true);
  }
  return tree;
}

struct TVariable {
  const char* Name;
  const char* Value;
  const char* Type;
};

const std::vector<TVariable> Variables{{"z", "(1, 2, 3)", "Vector"}, {"y", "2.5", "Real"},
                                       {"x", "7", "Integer"},       {"s", "'text'", "String"},
                                       {"m", "[2 x 2]", "Matrix"},  {"b", "True", "Boolean"}};

const char* VariableText(int number, TColumnIndex column) {
  const TVariable& variable = Variables[static_cast<size_t>(number) % Variables.size()];
  return column == 0 ? variable.Name : column == 1 ? variable.Value : variable.Type;
}

// The variable list's options, its three columns under a header sorted by name, and its twelve rows.
void SetUpWorkspace(TBaseDataTree* tree, TForm* form) {
  tree->SetParent(form);
  tree->SetAlign(alClient);
  tree->SetNodeDataSize(sizeof(int));
  TCustomDataTreeOptions& options = tree->TreeOptions();
  options.SetPaintOptions({toShowButtons, toShowDropmark, toShowHorzGridLines, toShowRoot, toShowTreeLines,
                           toShowVertGridLines, toThemeAware});
  options.SetSelectionOptions({toFullRowSelect});
  TDTHeader& header = tree->Header();
  for (const char* text : {" Name ", " Value ", " Type "}) {
    TDataTreeColumn& column = header.Columns().AddColumn();
    column.SetText(text);
    column.SetMinWidth(64);
  }
  header.Columns().ColumnAt(0).SetWidth(96);
  header.Columns().ColumnAt(1).SetWidth(192);
  header.Columns().ColumnAt(2).SetWidth(96);
  header.SetHeight(20);
  header.SetOptions({hoColumnResize, hoDrag, hoHotTrack, hoShowSortGlyphs, hoVisible});
  header.SetSortColumn(0);
  header.SetSortDirection(sdDescending);
  tree->BeginUpdate();
  for (int number = 0; number < 12; ++number) {
    const PDataNode node = tree->AppendChildNode(number % 6 == 5 ? tree->LastChildOf(nullptr) : nullptr);
    *static_cast<int*>(tree->NodeUserData(node)) = number;
  }
  tree->EndUpdate();
  tree->ExpandAll(nullptr);
}

// The workspace's variable list, drawn by the owner, with the Value caption hot.
TDataDrawTree* MakeWorkspaceScene(TForm* form) {
  auto* tree = new TDataDrawTree(form);
  SetUpWorkspace(tree, form);
  tree->Header().Columns().HoverIndex = 1;
  tree->OnDrawNode = [](TCustomDataDrawTree* sender, const TDTPaintInfo& paintInfo) {
    const int number = *static_cast<int*>(sender->NodeUserData(paintInfo.Node));
    TCanvas& canvas = *paintInfo.Canvas;
    canvas.Brush().SetStyle(bsClear);
    canvas.TextOut(paintInfo.ContentRect.Left + sender->TextMargin(), paintInfo.ContentRect.Top + 2,
                   VariableText(number, paintInfo.Column));
    canvas.Brush().SetStyle(bsSolid);
  };
  return tree;
}

// The variable list as a text tree: right-aligned values, one too long for its cell.
TDataStringTree* MakeEditingScene(TForm* form) {
  auto* tree = new TDataStringTree(form);
  SetUpWorkspace(tree, form);
  tree->Header().Columns().ColumnAt(1).SetAlignment(taRightJustify);
  tree->TreeOptions().SetMiscOptions(tree->TreeOptions().MiscOptions() + TDTMiscOptions{toEditable});
  tree->OnGetText = [](TBaseDataTree* sender, PDataNode node, TColumnIndex column, TDSTTextType,
                       std::string& text) {
    const int number = *static_cast<int*>(sender->NodeUserData(node));
    text = number == 4 && column == 1 ? "(0.5, 1.25, 2.125, 4.0625, 8.03125, 16.015625)" : VariableText(number, column);
  };
  return tree;
}

// Opens the tree's own editor on the value of the third row.
void OpenEditor(TBaseDataTree* tree) {
  PDataNode node = tree->FirstVisibleNode();
  for (int row = 0; row < 2; ++row) node = tree->NextVisibleNode(node);
  tree->StartNodeEdit(node, 1);
}

// Drags the first row over the lower half of the fourth row's name cell, beside its text.
void DragOverFourthRow(TBaseDataTree* tree) {
  tree->TreeOptions().SetPaintOptions(tree->TreeOptions().PaintOptions() + TDTPaintOptions{toShowDropmark});
  tree->OnDragOver = [](TBaseDataTree*, TObject*, TShiftState, TDragState, TPoint, TDropMode, DWORD&, bool& accept) {
    accept = true;
  };
  tree->SetNodeSelected(tree->FirstVisibleNode(), true);
  PDataNode node = tree->FirstVisibleNode();
  for (int row = 0; row < 3; ++row) node = tree->NextVisibleNode(node);
  const TRect row = tree->NodeDisplayRect(node, ColumnNone, false);
  const TPoint point = tree->ClientToScreen(Point(tree->Header().Columns().ColumnAt(0).Width() - 6, row.Bottom - 3));
  const CountedPtr<IDTDataObject> dataObject = tree->CreateDataObject(false);
  DWORD effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
  const CountedPtr<TDTDragManager> manager = tree->ObtainDragManager();
  manager->DragEnter(*dataObject, MK_LBUTTON, point, effect);
  manager->DragOver(MK_LBUTTON, point, effect);
}

// The rows of the periphery scene: every check kind and state.
struct TCheckRow {
  const char* Text;
  TNodeCheckType Type;
  TCheckState State;
  bool Disabled;
};
const TCheckRow CheckRows[] = {
    {"Tri-state box", nctTriStateBox, csMixedNormal, false},
    {"Checked box", nctCheckBox, csCheckedNormal, false},
    {"Unchecked box", nctCheckBox, csUncheckedNormal, false},
    {"Pressed box", nctCheckBox, csCheckedPressed, false},
    {"Mixed box", nctCheckBox, csMixedNormal, false},
    {"Disabled box", nctCheckBox, csCheckedNormal, true},
    {"Hot box", nctCheckBox, csUncheckedNormal, false},
    {"Radio button on", nctRadioButton, csCheckedNormal, false},
    {"Radio button off", nctRadioButton, csUncheckedNormal, false},
    {"Push button", nctButton, csUncheckedNormal, false},
    {"A text far too long for its cell shows a tooltip", nctNone, csUncheckedNormal, false},
};
constexpr int HotRow = 6;
constexpr int LongRow = 10;

// A text tree of check boxes on the left of the form; the boxes below the
// first row are its children.
TDataStringTree* MakeCheckTree(TForm* form) {
  auto* tree = new TDataStringTree(form);
  tree->SetParent(form);
  tree->SetAlign(alLeft);
  tree->SetWidth(230);
  tree->SetNodeDataSize(sizeof(int));
  tree->TreeOptions().SetMiscOptions(tree->TreeOptions().MiscOptions() + TDTMiscOptions{toCheckSupport});
  tree->ShowHint = true;
  tree->HintMode = hmTooltip;
  PDataNode parent = nullptr;
  for (int row = 0; row < static_cast<int>(std::size(CheckRows)); ++row) {
    const PDataNode node = tree->AppendChildNode(row >= 1 && row <= 5 ? parent : nullptr);
    if (row == 0) parent = node;
    *static_cast<int*>(tree->NodeUserData(node)) = row;
    node->CheckType = CheckRows[row].Type;
    node->CheckState = CheckRows[row].State;
    if (CheckRows[row].Disabled) node->Include(nsDisabled);
  }
  tree->ExpandAll(nullptr);
  tree->OnGetText = [](TBaseDataTree* sender, PDataNode node, TColumnIndex, TDSTTextType, std::string& text) {
    text = CheckRows[*static_cast<int*>(sender->NodeUserData(node))].Text;
  };
  return tree;
}

PDataNode RowOf(TBaseDataTree* tree, int row) {
  PDataNode node = tree->FirstVisibleNode();
  for (int i = 0; i < row && node; ++i) node = tree->NextVisibleNode(node);
  return node;
}

// The long row's tooltip shows in its own window.
void ShowTooltip(TBaseDataTree* tree) {
  const TRect cut = tree->NodeDisplayRect(RowOf(tree, LongRow), ColumnNone, true, true);
  THintInfo info;
  info.CursorPos = Point(cut.Left + 20, cut.Top + 8);
  info.HintPos = tree->ClientToScreen(info.CursorPos);
  if (tree->Perform(CM_HINTSHOW, 0, reinterpret_cast<LPARAM>(&info)) != 0) return;
  auto* tooltip = new TDataTreeHintWindow(nullptr);
  TRect r = tooltip->CalcHintRect(Screen().Width(), info.HintStr, info.HintData);
  OffsetRect(r, info.HintPos.X, info.HintPos.Y);
  tooltip->ActivateHint(r, info.HintStr);
}

// The mouse rests on the hot row's box.
void HoverCheckImage(TBaseDataTree* tree) {
  const TRect hot = tree->NodeDisplayRect(RowOf(tree, HotRow), ColumnNone, true);
  tree->Perform(WM_MOUSEMOVE, 0, MAKELPARAM(hot.Left - 10, hot.Top + 8));
}

// The Value column of the variable list is picked up and carried to the right.
void DragValueColumn(TBaseDataTree* tree) {
  const TPoint press = tree->ClientToScreen(Point(150, -10));
  tree->Perform(WM_NCLBUTTONDOWN, HTBORDER, MAKELPARAM(press.X, press.Y));
  tree->Perform(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(170, -10));
  tree->Perform(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(205, -10));
}

// The console above the workspace: a rubber band half drawn in the console
// while the workspace pans. The console keeps its band when the panning
// tree takes the focus, so that the picture shows both at once.
TBaseDataTree* MakeInputScene(TForm* form) {
  TBaseDataTree* console = MakeConsoleScene(form);
  console->SetAlign(alTop);
  console->SetHeight(170);
  // Unfocused, the console would hide the selection the band makes.
  console->TreeOptions().SetPaintOptions(console->TreeOptions().PaintOptions() - TDTPaintOptions{toHideSelection});
  const TWndMethod consoleProcedure = console->WindowProc;
  console->WindowProc = [consoleProcedure](TMessage& message) {
    if (message.Msg != WM_KILLFOCUS) consoleProcedure(message);
  };
  TBaseDataTree* workspace = MakeWorkspaceScene(form);
  workspace->TreeOptions().SetMiscOptions(workspace->TreeOptions().MiscOptions() + TDTMiscOptions{toWheelPanning});
  return console;
}

void DrawBandAndPan(TBaseDataTree* console, TBaseDataTree* workspace) {
  console->Perform(WM_LBUTTONDOWN, 0, MAKELPARAM(400, 30));
  console->Perform(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(60, 120));
  workspace->Perform(WM_MBUTTONDOWN, MK_MBUTTON, MAKELPARAM(220, 90));
  workspace->Perform(WM_MBUTTONUP, 0, MAKELPARAM(220, 90));
}

TBaseDataTree* MakeScene(const std::string& scene, TForm* form) {
  if (scene == "input") return MakeInputScene(form);
  if (scene == "workspace") return MakeWorkspaceScene(form);
  if (scene == "editing" || scene == "drop") return MakeEditingScene(form);
  if (scene == "periphery") {
    MakeCheckTree(form);
    return MakeWorkspaceScene(form);
  }
  return MakeConsoleScene(form);
}

}  // namespace

int main(int argc, char** argv) {
  StartQtPlatform(argc, argv);
  std::string scene = "console";
  std::vector<char*> arguments{argv[0]};
  for (int i = 1; i < argc; ++i) {
    if (i == 1 && std::strncmp(argv[i], "--", 2) != 0)
      scene = argv[i];
    else
      arguments.push_back(argv[i]);
  }
  Application().SetTitle("Tree demo");
  auto* form = Application().CreateForm<TForm>();
  form->SetCaption("Tree demo: " + scene);
  form->SetBounds(60, 60, 520, 380);
  TBaseDataTree* tree = MakeScene(scene, form);
  form->Show();
  tree->SetFocus();
  if (scene == "editing") OpenEditor(tree);
  if (scene == "drop") DragOverFourthRow(tree);
  if (scene == "periphery") {
    SettleFor(300);
    auto* checkTree = static_cast<TBaseDataTree*>(form->Controls(0));
    ShowTooltip(checkTree);
    DragValueColumn(tree);
    HoverCheckImage(checkTree);
  }
  if (scene == "input") {
    SettleFor(300);
    DrawBandAndPan(tree, static_cast<TBaseDataTree*>(form->Controls(1)));
  }
  return RunDemo(static_cast<int>(arguments.size()), arguments.data(), form);
}
