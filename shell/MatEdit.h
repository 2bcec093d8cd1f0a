#pragma once
// The matrix editor: a vector or a matrix of the workspace as a grid of
// reals, in its own tab of the workspace window. The grid keeps no texts:
// it reads the variable for the cells it shows, and keeps only a typed text
// that is not a number (the cell then shows pink until its element changes).
// Row 0 and column 0 are headers; data cell (column j, row i) shows element
// i of a vector or element (i, j) of a matrix. A typed number is stored
// when the cell's edit ends; nothing is read or written past the end of a
// row of a ragged matrix. Each change of the selection is mirrored into the
// workspace variable "selection" (a selection made while a script runs,
// once the run has ended). Opening changes nothing: an empty vector
// or matrix shows one empty cell, and a number typed there makes it 1 long.
// While a script runs the grid takes no input and reads only inside the
// variable's current size.

#include <cstdint>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "toolkit/controls/DrawGrid.h"
#include "toolkit/controls/Frame.h"
#include "toolkit/controls/PageControl.h"
#include "treeview/DataNode.h"

class ITarnscript;
class TArrVar;
class TBaseDataTree;
class TCoolBar;
class TKind;
class TPopupMenu;
class TToolBar;
class TVar;

constexpr unsigned WM_SYNCSELECTION = 2029;

class TMatEdit : public TFrame {
public:
  static constexpr int DefaultColWidth = 50;

  // tree: the workspace tree whose rows show the variables.
  TMatEdit(TComponent* owner, ITarnscript& engine, TBaseDataTree& tree);

  void LoadVariable(TArrVar* var, PDataNode node, bool adjustWidths);
  // False when the clipboard could not be had.
  bool CopySelection();
  bool CanCut();
  void Cut();
  bool CanPaste();
  void Paste(bool transposed);
  // Mirrors the selection into "selection" (message 2029).
  void SyncSelection();
  // A run has ended: a selection made during it is mirrored now.
  void RunEnded();
  // A row header selects the row, a column header the column, the corner
  // everything; without start the block spans from the anchor to cell.
  void SelectFromCell(TGridCoord cell, bool start);

  TArrVar* Var = nullptr;
  PDataNode Node = nullptr;
  bool IsVector = false;
  TCoolBar* MECoolBar;
  TToolBar* METools;
  TDrawGrid* Grid;

  // The value a data cell shows: its kept text, else the element's number, else nothing.
  std::string CellText(int col, int row);
  bool HasElement(int col, int row);

protected:
  void Dispatch(TMessage& message) override;

private:
  long double ElementAt(int col, int row);
  // False past a row's end (an empty vector or matrix first gets its one element).
  bool StoreElement(int col, int row, long double x);
  void DrawCell(int col, int row, const TRect& rect, TGridDrawState state);
  void EditTextChanged(const std::string& text);
  void EditAccepted(int col, int row, const std::string& text);
  void GridMouseDown(TMouseButton button, int x, int y);
  void GridMouseMove(int x, int y);
  void PostSync();
  TKind* SelectionKind();
  void StoreSelection(TVar& target);
  // The Workspace's own "selection", made or re-made for kind; nil when it cannot be.
  TVar* SelectionVariable(TKind* kind);
  std::string SelectionText();
  bool WholeColumnsSelected();
  bool WholeRowsSelected();
  void RepaintTreeRow();
  int LastRow();
  int LastCol();

  ITarnscript& engine_;
  TBaseDataTree& tree_;
  TGridCoord lastCell_;
  TGridCoord anchor_;
  bool dragging_ = false;
  bool syncing_ = false;
  // A typed text that is not a number, and the element it was typed over.
  struct TBadText {
    std::string Text;
    bool HadElement;
    long double Element;
  };
  // Reloading the same variable keeps the texts whose elements are unchanged.
  void KeepBadTexts(TArrVar* var);
  // Measures the columns shown and those that set the scroll range, if not yet measured.
  void MeasureNeededColumns();
  void MeasureColumn(int col);
  // The rows the column widths are measured over, and the columns not measured yet.
  std::pair<int, int> widthRows_;
  std::vector<bool> unmeasured_;
  // By (column, row).
  std::map<std::pair<int, int>, TBadText> badTexts_;
  // A selection made during a run waits for the run's end.
  bool syncAfterRun_ = false;
};

// A tab of the workspace's page control holding one editor.
class TMETab : public TTabSheet {
public:
  TMETab(ITarnscript& engine, TBaseDataTree& tree);
  ~TMETab() override;

  TMatEdit* Editor;
};
