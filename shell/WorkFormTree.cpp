// The variable tree of the workspace window: its rows, their texts, their
// order and their looks.

#include <cstdio>

#include "engine/ArrVar.h"
#include "engine/Kind.h"
#include "engine/VarText.h"
#include "runtime/AsciiCase.h"
#include "runtime/Params.h"
#include "shell/WorkForm.h"
#include "toolkit/gdi/Canvas.h"
#include "toolkit/controls/PageControl.h"
#include "treeview/DTHeader.h"
#include "treeview/DataStringTree.h"

namespace {

struct TColumnSpec {
  const char* Caption;
  int Width;
};

constexpr TColumnSpec ColumnSpecs[] = {{" Name ", 96}, {" Value ", 192}, {" Type ", 96}};
constexpr int MinColumnWidth = 64;
// More than the widest column shows: a value cell never writes out a
// million elements, only to cut them off.
constexpr std::size_t ValueTextLimit = 4096;
constexpr TColumnIndex NameColumn = 0;
constexpr TColumnIndex ValueColumn = 1;
constexpr TColumnIndex TypeColumn = 2;

// A vector or matrix lists its elements only where the options ask for it;
// every other array always does.
bool ListsElements(const TArrVar& array) {
  const TKind* kind = array.Kind();
  if (!Params.MEditTree && SameKind(kind, FindKind("matrix"))) return false;
  if (!Params.VEditTree && SameKind(kind, FindKind("vector"))) return false;
  return true;
}

// An element of an array or a field of a record by its place; nil past the end.
TVar* PartAt(TVar& var, std::int32_t position) {
  if (auto* array = dynamic_cast<TArrVar*>(&var))
    return position >= 0 && position < array->Count() ? array->ElemAt(position) : nullptr;
  if (auto* record = dynamic_cast<TRecVar*>(&var))
    return position >= 0 && position < record->FieldCount() ? record->Field(position) : nullptr;
  return nullptr;
}

// CompareText's order: letters compare as capitals.
int CompareText(const std::string& a, const std::string& b) {
  const size_t common = std::min(a.size(), b.size());
  for (size_t i = 0; i < common; ++i) {
    const auto x = static_cast<unsigned char>(AsciiUpper(a[i]));
    const auto y = static_cast<unsigned char>(AsciiUpper(b[i]));
    if (x != y) return x < y ? -1 : 1;
  }
  return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

}  // namespace

void TWorkForm::CreateVarTree() {
  VarTree = new TDataStringTree(this);
  VarTree->SetParent(TabSheet1);
  VarTree->SetAlign(alClient);
  VarTree->SetParentFont(false);
  VarTree->Font().SetName("Courier New");
  VarTree->Font().SetHeight(-13);
  VarTree->SetDefaultNodeHeight(20);
  TDTHeader& header = VarTree->Header();
  header.SetHeight(20);
  header.Font().SetName("MS Sans Serif");
  header.Font().SetHeight(-11);
  for (const TColumnSpec& spec : ColumnSpecs) {
    TDataTreeColumn& column = header.Columns().AddColumn();
    column.SetText(spec.Caption);
    column.SetMinWidth(MinColumnWidth);
    column.SetWidth(spec.Width);
  }
  header.SetOptions({hoColumnResize, hoDrag, hoHotTrack, hoShowSortGlyphs, hoVisible});
  header.SetSortColumn(NameColumn);
  header.SetSortDirection(sdDescending);
  TCustomStringTreeOptions& options = VarTree->TreeOptions();
  options.SetMiscOptions(
      {toAcceptOLEDrop, toEditable, toFullRepaintOnResize, toInitOnSave, toToggleOnDblClick, toWheelPanning});
  options.SetPaintOptions({toHideFocusRect, toShowButtons, toShowDropmark, toShowHorzGridLines, toShowVertGridLines,
                           toFullVertGridLines, toShowTreeLines, toThemeAware, toUseBlendedImages});
  options.SetAnimationOptions({toAnimatedToggle});
  options.SetSelectionOptions({toFullRowSelect});
  VarTree->SetNodeDataSize(sizeof(TVarNodeData));
  VarTree->OnInitNode = [this](TBaseDataTree*, PDataNode parent, PDataNode node, TDataNodeInitStates& states) {
    InitRow(parent, node, states);
  };
  VarTree->OnInitChildren = [this](TBaseDataTree*, PDataNode node, unsigned& count) { count = ChildRowCount(node); };
  VarTree->OnGetText = [this](TBaseDataTree*, PDataNode node, TColumnIndex column, TDSTTextType type,
                              std::string& text) {
    if (type == ttNormal) text = CellText(node, column);
  };
  VarTree->OnCompareNodes = [this](TBaseDataTree*, PDataNode node1, PDataNode node2, TColumnIndex column,
                                   int& result) { result = CompareRows(node1, node2, column); };
  VarTree->OnPaintText = [this](TBaseDataTree*, TCanvas& canvas, PDataNode node, TColumnIndex column, TDSTTextType) {
    PaintRowText(canvas, node, column);
  };
  VarTree->OnHeaderClick = [this](TDTHeader*, TColumnIndex column, TMouseButton button, TShiftState, int, int) {
    if (button == mbLeft) HeaderClick(column);
  };
  VarTree->SetPopupMenu(VarMenu);
  ConnectTreeEditors();
}

PDataNode TWorkForm::AddVarNode(TVar* var) {
  const PDataNode node = VarTree->AppendChildNode(nullptr);
  NodeData(node)->Var = var;
  return node;
}

TVarNodeData* TWorkForm::NodeData(PDataNode node) const {
  return static_cast<TVarNodeData*>(VarTree->NodeUserData(node));
}

TVar* TWorkForm::NodeVariable(PDataNode node) {
  const TVarNodeData* data = NodeData(node);
  if (!data) return nullptr;
  if (node->Parent == VarTree->RootNode()) return data->Var;
  TVar* parent = NodeVariable(node->Parent);
  return parent ? PartAt(*parent, data->Position) : nullptr;
}

// A top-level row has its variable from the start; an element or field row
// learns its place when the tree first needs it.
void TWorkForm::InitRow(PDataNode parent, PDataNode node, TDataNodeInitStates& initialStates) {
  if (parent) {
    TVarNodeData& data = *NodeData(node);
    data.Position = static_cast<std::int32_t>(node->Index);
    if (dynamic_cast<TArrVar*>(NodeVariable(parent)))
      std::snprintf(data.Name, sizeof data.Name, "[%d]", data.Position + 1);
  }
  if (ChildRowCount(node) > 0) initialStates.Include(ivsHasChildren);
}

std::uint32_t TWorkForm::ChildRowCount(PDataNode node) {
  TVar* var = NodeVariable(node);
  if (auto* array = dynamic_cast<TArrVar*>(var)) return ListsElements(*array) ? ArrLength(array) : 0;
  if (auto* record = dynamic_cast<TRecVar*>(var)) return static_cast<std::uint32_t>(record->FieldCount());
  return 0;
}

// A row whose element or field no longer exists (a running script shortened
// its array) shows nothing until the next rebuild.
std::string TWorkForm::CellText(PDataNode node, TColumnIndex column) {
  TVar* var = NodeVariable(node);
  if (!var) return {};
  switch (column) {
    case NameColumn: return var->HasName() ? NodeData(node)->Name + var->Name() : NodeData(node)->Name;
    case ValueColumn: return VarToText(var, false, true, ValueTextLimit);
    case TypeColumn: return var->Kind()->GetText(true);
    default: return {};
  }
}

bool TWorkForm::IsInPlaceEditable(PDataNode node) {
  const TVar* var = NodeVariable(node);
  if (!var || !var->Kind()) return false;
  const TKindCode code = var->Kind()->Code();
  return (code >= kcAny && code <= kcSet) || code > kcClass;
}

TVar* TWorkForm::SelectedVariable(bool topOnly) {
  const PDataNode node = VarTree->FirstSelectedNode();
  if (!node || (topOnly && node->Parent != VarTree->RootNode())) return nullptr;
  return NodeVariable(node);
}

// Only top-level rows are compared, in reverse: with the header's initial
// descending direction the list runs from A to Z. Elements and fields keep
// their order.
int TWorkForm::CompareRows(PDataNode node1, PDataNode node2, TColumnIndex column) {
  if (node1->Parent != VarTree->RootNode() || node2->Parent != VarTree->RootNode()) return 0;
  if (sortKeys_.empty()) return CompareText(CellText(node2, column), CellText(node1, column));
  return CompareText(sortKeys_[NodeData(node2)->SortKey], sortKeys_[NodeData(node1)->SortKey]);
}

// Each top-level row's text is made once, not at every comparison. Only
// the top level is sorted: the rows below it compare equal, so a stable
// sort leaves them as they are, and they are not made before they are
// needed.
void TWorkForm::SortVariables() {
  const TColumnIndex column = VarTree->Header().SortColumn();
  for (PDataNode node = VarTree->FirstRootNodeRaw(); node; node = node->NextSibling) {
    NodeData(node)->SortKey = static_cast<std::uint32_t>(sortKeys_.size());
    sortKeys_.push_back(CellText(node, column));
  }
  try {
    VarTree->SortChildren(nullptr, column, VarTree->Header().SortDirection(), true);
  } catch (...) {
    sortKeys_.clear();
    throw;
  }
  sortKeys_.clear();
}

// Names of top-level rows are bold; the type of what has no editor in its
// cell (arrays, records, routines) is underlined.
void TWorkForm::PaintRowText(TCanvas& canvas, PDataNode node, TColumnIndex column) {
  TFontStyles style = canvas.Font().Style();
  if (column == TypeColumn && !IsInPlaceEditable(node)) style |= fsUnderline;
  if (column == NameColumn && node->Parent == VarTree->RootNode()) style |= fsBold;
  canvas.Font().SetStyle(style);
}

// Another column sorts ascending, the same column again the other way.
void TWorkForm::HeaderClick(TColumnIndex column) {
  if (column < 0) return;
  TDTHeader& header = VarTree->Header();
  if (header.SortColumn() != column) {
    header.SetSortColumn(column);
    header.SetSortDirection(sdAscending);
  } else {
    header.SetSortDirection(header.SortDirection() == sdAscending ? sdDescending : sdAscending);
  }
  SortVariables();
}
