// Construction, destruction, the published properties and the node accessors.

#include "treeview/BaseDataTree.h"

#include <algorithm>
#include <cstring>

#include "runtime/Exceptions.h"
#include "runtime/MulDiv.h"
#include "toolkit/controls/Menus.h"
#include "toolkit/gdi/Bitmap.h"
#include "treeview/ClipboardFormatList.h"
#include "treeview/DTAccessibilityFactory.h"
#include "treeview/DTDragImage.h"
#include "treeview/DTDragManager.h"
#include "treeview/DTHeader.h"
#include "treeview/DTColors.h"
#include "treeview/DataTreeHintWindow.h"
#include "treeview/DataTreeOptions.h"
#include "treeview/ScrollBarOptions.h"
#include "treeview/TreeGlobals.h"
#include "toolkit/win/Timers.h"

namespace {

constexpr unsigned StandardNodeHeight = 18;
constexpr unsigned LargestNodeHeight = 65535;
constexpr uint8_t MiddleAlign = 50;

size_t RoundUp(size_t value, size_t step) { return (value + step - 1) / step * step; }

}  // namespace

TBaseDataTree::TBaseDataTree(TComponent* owner) : TCustomControl(owner) {
  ++InitTreeGlobals().TreesMade;
  ControlStyle = csCaptureMouse | csOpaque | csReplicatable | csDisplayDragImage | csReflector | csClickEvents |
                 csDoubleClicks;
  header_ = std::make_unique<TDTHeader>(*this);
  background_ = std::make_unique<TBitmap>();
  hintRecord_ = std::make_unique<TDTHintData>();
  options_ = std::make_unique<TCustomDataTreeOptions>(*this);
  colors_ = std::make_unique<TDTColors>(*this);
  scrollBarOptions_ = std::make_unique<TScrollBarOptions>(*this);
  clipboardFormats_ = std::make_unique<TClipboardFormats>(*this);
  serial_ = EnterTreeRegistry(this);
  PrepareRootNode(0);
  SetBounds(Left(), Top(), 200, 100);
  TabStop = true;
  SetParentColor(false);
  LinkImageLists();
}

TBaseDataTree::~TBaseDataTree() {
  destroying_ = true;
  EndWheelPanning();
  LeaveTreeRegistry(serial_);
  options_->SetMiscOptions(options_->MiscOptions() - TDTMiscOptions{toReadOnly});
  CancelNodeEdit();
  editLink_ = nullptr;
  Clear();
}

// ---- Properties ----------------------------------------------------------------

void TBaseDataTree::SetRootNodeCount(unsigned count) {
  if (IsLoading()) {
    root_->ChildCount = count;
    ChangeTreeStates({tsNeedRootCountUpdate}, {});
    return;
  }
  if (count == root_->ChildCount) return;
  BeginUpdate();
  SetNodeChildCount(root_, count);
  EndUpdate();
}

void TBaseDataTree::Loaded() {
  TCustomControl::Loaded();
  LoadedColumns();
  if (!states_.Contains(tsNeedRootCountUpdate)) return;
  ChangeTreeStates({}, {tsNeedRootCountUpdate});
  // While loading only the count was stored: make the nodes it promises.
  const unsigned count = std::exchange(root_->ChildCount, 0u);
  const TDTMiscOptions misc = options_->MiscOptions();
  options_->SetMiscOptions(misc - TDTMiscOptions{toReadOnly});
  BeginUpdate();
  SetNodeChildCount(root_, count);
  EndUpdate();
  options_->SetMiscOptions(misc);
}

void TBaseDataTree::LoadedColumns() {
  TDataTreeColumns& columns = header_->Columns();
  header_->ClampMainColumn();
  columns.ApplyLoadedPositions();
  if (options_->AutoOptions().Contains(toAutoBidiColumnOrdering)) columns.ResetPositions(biDiMode_ == bdRightToLeft);
  if (header_->Options().Contains(hoAutoResize)) columns.FitAutoSizeColumn(true);
}

void TBaseDataTree::SetDefaultNodeHeight(unsigned height) {
  if (height == 0) height = StandardNodeHeight;
  if (height > LargestNodeHeight) throw ERangeError();
  if (height == defaultNodeHeight_) return;
  ChangeTreeStates({tsNeedScale}, {});
  const int64_t difference = int64_t{height} - defaultNodeHeight_;
  root_->NodeHeight = static_cast<uint16_t>(root_->NodeHeight + difference);
  ShiftTotalHeight(root_, difference);
  defaultNodeHeight_ = height;
  InvalidatePositionCache();
  if (updateCount_ == 0 && HandleAllocated() && !IsLoading()) {
    RefreshScrollBars(true);
    const bool center = options_->SelectionOptions().Contains(toCenterScrollIntoView);
    ScrollNodeIntoView(focusedNode_, center, true);
    Invalidate();
  }
}

void TBaseDataTree::SetAnimationDuration(unsigned milliseconds) {
  animationDuration_ = milliseconds;
  TDTAnimationOptions animation = options_->AnimationOptions();
  if (milliseconds == 0)
    animation.Exclude(toAnimatedToggle);
  else
    animation.Include(toAnimatedToggle);
  options_->SetAnimationOptions(animation);
}

void TBaseDataTree::ChangeScale(int m, int d) {
  if (m == d || d == 0 || !options_->AutoOptions().Contains(toAutoChangeScale)) return;
  if (IsLoading() && !states_.Contains(tsNeedScale)) return;
  SetDefaultNodeHeight(static_cast<unsigned>(MulDiv(static_cast<int>(defaultNodeHeight_), m, d)));
  header_->ScaleFont(m, d);
}

void TBaseDataTree::SetNodeDataSize(int size) {
  size = std::max(size, -1);
  if (size == nodeDataSize_) return;
  if (IsLoading()) {
    nodeDataSize_ = size;
    return;
  }
  // Existing nodes keep their blocks: a read-only tree, which cannot clear
  // them, keeps its size too, or its nodes would be smaller than the size says.
  if (root_->ChildCount > 0 && options_->MiscOptions().Contains(toReadOnly)) return;
  const unsigned count = root_->ChildCount;
  Clear();
  nodeDataSize_ = size;
  SetRootNodeCount(count);
}

// ---- Node blocks ------------------------------------------------------------------

size_t TBaseDataTree::NodeBlockSize() const {
  return RoundUp(sizeof(TDataNode) + internalDataSize_ + static_cast<size_t>(std::max(nodeDataSize_, 0)), 8);
}

PDataNode TBaseDataTree::AllocateNode() {
  SettleNodeDataSize();
  if (defaultNodeHeight_ > LargestNodeHeight) throw ERangeError();
  auto node = static_cast<PDataNode>(pool_.Allocate(NodeBlockSize()));
  node->TotalCount = 1;
  node->NodeHeight = static_cast<uint16_t>(defaultNodeHeight_);
  node->TotalHeight = defaultNodeHeight_;
  node->States = nsVisible;
  node->Align = MiddleAlign;
  return node;
}

void TBaseDataTree::PrepareRootNode(size_t oldSize) {
  const size_t size = sizeof(TDataNode) + internalDataSize_;
  auto block = std::make_unique<std::byte[]>(size);
  if (rootBlock_) std::memcpy(block.get(), rootBlock_.get(), std::min(oldSize, size));
  rootBlock_ = std::move(block);
  root_ = reinterpret_cast<PDataNode>(rootBlock_.get());
  root_->PrevSibling = root_;
  root_->NextSibling = root_;
  root_->Parent = reinterpret_cast<PDataNode>(this);
  root_->States = nsInitialized | nsExpanded | nsHasChildren | nsVisible;
  root_->TotalCount = 1;
  root_->NodeHeight = static_cast<uint16_t>(defaultNodeHeight_);
  root_->TotalHeight = defaultNodeHeight_;
  root_->Align = MiddleAlign;
}

void TBaseDataTree::Assign(TBaseDataTree& source) {
  if (ReadOnly()) return;
  SetAlign(source.Align());
  AutoScrollDelay = source.AutoScrollDelay;
  AutoScrollInterval = source.AutoScrollInterval;
  SetBackground(source.Background());
  SetBackgroundOffsetX(source.BackgroundOffsetX());
  SetBackgroundOffsetY(source.BackgroundOffsetY());
  SetBevelEdges(source.BevelEdges());
  SetBevelInner(source.BevelInner());
  SetBevelKind(source.BevelKind());
  SetBevelOuter(source.BevelOuter());
  SetBevelWidth(source.BevelWidth());
  SetBiDiMode(source.BiDiMode());
  SetBorderStyle(source.BorderStyle());
  SetBorderWidth(source.BorderWidth());
  SetChangeDelay(source.ChangeDelay());
  SetCheckImageKind(source.CheckImageKind());
  SetColor(source.Color());
  colors_->Assign(*source.colors_);
  SetCtl3D(source.Ctl3D());
  SetDefaultNodeHeight(source.DefaultNodeHeight());
  DefaultPasteMode = source.DefaultPasteMode;
  DragImageKind = source.DragImageKind;
  SetEnabled(source.Enabled());
  Font().Assign(source.Font());
  header_->Assign(*source.header_);
  HintAnimation = source.HintAnimation;
  HintMode = source.HintMode;
  HotCursor = source.HotCursor;
  SetImages(source.Images());
  SetIndent(source.Indent());
  SetMargin(source.Margin());
  SetNodeAlignment(source.NodeAlignment());
  SetNodeDataSize(source.NodeDataSize());
  source.options_->AssignOptionsTo(*options_);
  SetParentColor(source.ParentColor());
  SetParentFont(source.ParentFont());
  ParentShowHint = source.ParentShowHint;
  SetPopupMenu(source.PopupMenu());
  SetRootNodeCount(source.RootNodeCount());
  scrollBarOptions_->Assign(*source.scrollBarOptions_);
  ShowHint = source.ShowHint;
  SetStateImages(source.StateImages());
  TabStop = source.TabStop;
  SetVisible(source.Visible());
  SetSelectionCurveRadius(source.SelectionCurveRadius());
  SelectionBlendFactor = source.SelectionBlendFactor;
}

bool TBaseDataTree::CanTakeFocus() const {
  if (!CanFocus()) return false;
  const TForm* form = GetParentForm(this);
  return !form || (form->Enabled() && form->Visible());
}

void TBaseDataTree::ReplaceTreeOptions(std::unique_ptr<TCustomDataTreeOptions> options) {
  options_ = std::move(options);
}

unsigned TBaseDataTree::ReserveInternalData(unsigned size) {
  QASSERT(root_->ChildCount == 0 && pool_.LiveCount() == 0,
          "Internal data allocation must be done before any node is created.");
  const size_t oldSize = sizeof(TDataNode) + internalDataSize_;
  const unsigned offset = static_cast<unsigned>(oldSize);
  internalDataSize_ += static_cast<unsigned>(RoundUp(size, 4));
  PrepareRootNode(oldSize);
  return offset;
}

void* TBaseDataTree::NodeUserData(PDataNode node) const {
  QASSERT(nodeDataSize_ > 0, "NodeDataSize not initialized.");
  if (!node || node == root_) return nullptr;
  return reinterpret_cast<std::byte*>(node) + sizeof(TDataNode) + internalDataSize_;
}

// ---- Counters ----------------------------------------------------------------------

void TBaseDataTree::ShiftTotalCount(PDataNode node, int64_t value, bool relative) {
  const int64_t difference = relative ? value : value - node->TotalCount;
  if (difference == 0) return;
  for (PDataNode run = node;; run = run->Parent) {
    run->TotalCount = static_cast<uint32_t>(run->TotalCount + difference);
    if (run == root_) break;
  }
}

void TBaseDataTree::ShiftTotalHeight(PDataNode node, int64_t value, bool relative) {
  const int64_t difference = relative ? value : value - node->TotalHeight;
  if (difference == 0) return;
  PDataNode run = node;
  while (true) {
    run->TotalHeight = static_cast<uint32_t>(run->TotalHeight + difference);
    if (!run->Has(nsVisible) || run == root_) break;
    run = run->Parent;
    if (!run->Has(nsExpanded)) break;
  }
}

void TBaseDataTree::RecountTotals(PDataNode node) {
  for (PDataNode child = node->FirstChild; child; child = child->NextSibling) {
    RecountTotals(child);
    node->TotalCount += child->TotalCount;
  }
}

void TBaseDataTree::RecomputeTotalHeights(PDataNode node) {
  for (PDataNode child = node->FirstChild; child; child = child->NextSibling) {
    RecomputeTotalHeights(child);
    if (node->Has(nsExpanded) && child->Has(nsVisible)) node->TotalHeight += child->TotalHeight;
  }
}

int TBaseDataTree::CompactNodeArray(TNodeArray& nodes, int count) {
  if (count == 0) return -1;
  int kept = 0;
  for (int i = 0; i < count; ++i)
    if ((reinterpret_cast<uintptr_t>(nodes[static_cast<size_t>(i)]) & 1) == 0)
      nodes[static_cast<size_t>(kept++)] = nodes[static_cast<size_t>(i)];
  return kept;
}

// ---- Accessors ------------------------------------------------------------------------

unsigned TBaseDataTree::NodeLevel(PDataNode node) const {
  if (!node || node == root_) return 0;
  unsigned level = 0;
  for (PDataNode run = node->Parent; run != root_; run = run->Parent) ++level;
  return level;
}

bool TBaseDataTree::IsDescendantOf(PDataNode node, PDataNode potentialParent) const {
  if (!node || !potentialParent || node == potentialParent || node == root_) return false;
  if (potentialParent == root_) return true;
  for (PDataNode run = node->Parent; run != root_; run = run->Parent)
    if (run == potentialParent) return true;
  return false;
}

int TBaseDataTree::CompareNodeOrder(PDataNode node1, PDataNode node2) const {
  QASSERT(node1 && node2, "Nodes must never be nil.");
  if (node1 == node2) return 0;
  unsigned level1 = NodeLevel(node1);
  unsigned level2 = NodeLevel(node2);
  PDataNode run1 = node1;
  PDataNode run2 = node2;
  for (; level1 > level2; --level1) run1 = run1->Parent;
  for (; level2 > level1; --level2) run2 = run2->Parent;
  if (run1 == run2) return node1 == run1 ? -1 : 1;
  while (run1->Parent != run2->Parent) {
    run1 = run1->Parent;
    run2 = run2->Parent;
  }
  return static_cast<int>(static_cast<int64_t>(run1->Index) - static_cast<int64_t>(run2->Index));
}

bool TBaseDataTree::PathExpanded(PDataNode node) const {
  QASSERT(node && node != root_, "Invalid parameters.");
  PDataNode run = node->Parent;
  while (run != root_ && run->Has(nsExpanded) && run->Has(nsVisible)) run = run->Parent;
  return run == root_;
}

bool TBaseDataTree::NodeFullyShown(PDataNode node) const {
  QASSERT(node != nullptr, "Invalid parameter.");
  return node->Has(nsVisible) && (node == root_ || PathExpanded(node));
}

bool TBaseDataTree::HasShownLaterSibling(PDataNode node) const {
  for (PDataNode sibling = node->NextSibling; sibling; sibling = sibling->NextSibling)
    if (sibling->Has(nsVisible)) return true;
  return false;
}

unsigned TBaseDataTree::NodeRowHeight(PDataNode node) {
  if (!node || node == root_) return 0;
  if (options_->MiscOptions().Contains(toVariableNodeHeight)) {
    Initialized(node);
    MeasureNodeHeight(Canvas(), node);
  }
  return node->NodeHeight;
}

// ---- Window effects ---------------------------------------------------------------------



void TBaseDataTree::SetRedraw(bool updating) {
  if (Visible() && HandleAllocated()) Perform(WM_SETREDRAW, updating ? 0 : 1, 0);
}

void TBaseDataTree::KillTreeTimer(UINT_PTR id) {
  if (HandleAllocated()) KillTimer(Handle(), id);
}
