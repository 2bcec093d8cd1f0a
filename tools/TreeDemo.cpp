// The tree view control on a desktop, one scene per command-line name:
//   console  an owner-drawn tree with the console's options: 300 nested
//            lines with a prefix and a text, a few selected while focused.
//   input    the same tree with a rubber band half drawn across its rows.
//   workspace  the variable list: three columns under a header sorted by
//            name, the Value caption hot, tree and grid lines.
// With --screenshot FILE the demo saves a picture of itself and ends.

#include <cstring>
#include <string>
#include <vector>

#include "toolkit/controls/Application.h"
#include "toolkit/controls/Form.h"
#include "toolkit/gdi/Canvas.h"
#include "toolkit/qt/QtPlatform.h"
#include "tools/DemoRun.h"
#include "treeview/DTHeader.h"
#include "treeview/DataDrawTree.h"
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
    width = canvas.TextWidth(std::string(line.Prefix) + "  " + line.Text) + 2 * sender->TextMargin;
  };
  tree->OnDrawNode = [](TCustomDataDrawTree* sender, const TDTPaintInfo& paintInfo) {
    const int number = *static_cast<int*>(sender->NodeUserData(paintInfo.Node));
    const TDemoLine& line = lines[static_cast<size_t>(number) % lines.size()];
    TCanvas& canvas = *paintInfo.Canvas;
    canvas.Brush().SetStyle(bsClear);
    const bool selected = paintInfo.Node->Has(nsSelected);
    const int x = paintInfo.ContentRect.Left + sender->TextMargin;
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

// The workspace's variable list: three columns under a header sorted by name.
TDataDrawTree* MakeWorkspaceScene(TForm* form) {
  auto* tree = new TDataDrawTree(form);
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
  header.Columns().HoverIndex = 1;
  struct TVariable {
    const char* Name;
    const char* Value;
    const char* Type;
  };
  static const std::vector<TVariable> variables{{"z", "(1, 2, 3)", "Vector"}, {"y", "2.5", "Real"},
                                                {"x", "7", "Integer"},       {"s", "'text'", "String"},
                                                {"m", "[2 x 2]", "Matrix"},  {"b", "True", "Boolean"}};
  tree->OnDrawNode = [](TCustomDataDrawTree* sender, const TDTPaintInfo& paintInfo) {
    const int number = *static_cast<int*>(sender->NodeUserData(paintInfo.Node));
    const TVariable& variable = variables[static_cast<size_t>(number) % variables.size()];
    const char* text = paintInfo.Column == 0 ? variable.Name : paintInfo.Column == 1 ? variable.Value : variable.Type;
    TCanvas& canvas = *paintInfo.Canvas;
    canvas.Brush().SetStyle(bsClear);
    canvas.TextOut(paintInfo.ContentRect.Left + sender->TextMargin, paintInfo.ContentRect.Top + 2, text);
    canvas.Brush().SetStyle(bsSolid);
  };
  tree->BeginUpdate();
  for (int number = 0; number < 12; ++number) {
    const PDataNode node = tree->AppendChildNode(number % 6 == 5 ? tree->LastChildOf(nullptr) : nullptr);
    *static_cast<int*>(tree->NodeUserData(node)) = number;
  }
  tree->EndUpdate();
  tree->ExpandAll(nullptr);
  return tree;
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
  TBaseDataTree* tree = scene == "workspace" ? MakeWorkspaceScene(form) : MakeConsoleScene(form);
  form->Show();
  tree->SetFocus();
  if (scene == "input") {
    tree->TreeOptions().SetSelectionOptions({toMultiSelect});
    tree->Perform(WM_LBUTTONDOWN, 0, MAKELPARAM(400, 30));
    tree->Perform(WM_MOUSEMOVE, 0, MAKELPARAM(60, 150));
  }
  return RunDemo(static_cast<int>(arguments.size()), arguments.data(), form);
}
