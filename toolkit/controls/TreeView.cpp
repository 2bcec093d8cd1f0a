#include "toolkit/controls/TreeView.h"

#include <algorithm>
#include <cstring>

#include "runtime/AsciiCase.h"
#include "toolkit/win/WindowBackend.h"

namespace {

bool TextBefore(const std::unique_ptr<TTreeNode>& a, const std::unique_ptr<TTreeNode>& b) {
  return CompareAsciiText(a->Text(), b->Text()) < 0;
}

}  // namespace

// TTreeNode

TTreeNode::TTreeNode(TTreeNodes& owner, TTreeNode* parent, std::string text, void* data)
    : Data(data), owner_(owner), parent_(parent), text_(std::move(text)) {}

TTreeView& TTreeNode::TreeView() const { return owner_.Owner(); }

void TTreeNode::SetText(const std::string& text) {
  text_ = text;
  TreeView().UpdateItem(*this, TVIF_TEXT);
}

int TTreeNode::Level() const {
  int level = 0;
  for (const TTreeNode* node = parent_; node; node = node->parent_) ++level;
  return level;
}

int TTreeNode::Index() const {
  const auto& siblings = owner_.SiblingsOf(parent_);
  const auto found = std::find_if(siblings.begin(), siblings.end(), [this](const auto& node) { return node.get() == this; });
  return static_cast<int>(found - siblings.begin());
}

TTreeNode* TTreeNode::getNextSibling() const {
  const auto& siblings = owner_.SiblingsOf(parent_);
  const auto next = static_cast<size_t>(Index()) + 1;
  return next < siblings.size() ? siblings[next].get() : nullptr;
}

void TTreeNode::SetImageIndex(int index) {
  imageIndex_ = index;
  TreeView().UpdateItem(*this, TVIF_IMAGE);
}

void TTreeNode::SetSelectedIndex(int index) {
  selectedIndex_ = index;
  TreeView().UpdateItem(*this, TVIF_SELECTEDIMAGE);
}

void TTreeNode::SetStateIndex(int index) {
  stateIndex_ = index;
  TreeView().UpdateItem(*this, TVIF_STATE);
}

void TTreeNode::SetHasChildren(bool value) {
  hasChildren_ = value;
  TreeView().UpdateItem(*this, TVIF_CHILDREN);
}

void TTreeNode::SetExpanded(bool expanded) {
  if (expanded)
    Expand(false);
  else
    Collapse(false);
}

void TTreeNode::Expand(bool recurse) {
  if (!expanded_ && HasChildren() && TreeView().CanExpand(this)) {
    expanded_ = true;
    TreeView().ExpandItem(*this, true);
    if (TreeView().OnExpanded) TreeView().OnExpanded(&TreeView(), this);
  }
  if (recurse)
    for (const auto& child : children_) child->Expand(true);
}

void TTreeNode::Collapse(bool recurse) {
  if (expanded_ && TreeView().CanCollapse(this)) {
    expanded_ = false;
    TreeView().ExpandItem(*this, false);
    if (TreeView().OnCollapsed) TreeView().OnCollapsed(&TreeView(), this);
  }
  if (recurse)
    for (const auto& child : children_) child->Collapse(true);
}

bool TTreeNode::Selected() const { return TreeView().Selected() == this; }

void TTreeNode::SetSelected(bool selected) {
  if (selected)
    TreeView().SetSelected(this);
  else if (Selected())
    TreeView().SetSelected(nullptr);
}

TRect TTreeNode::DisplayRect(bool textOnly) const {
  TTreeView& tree = TreeView();
  if (!item_ || !tree.HandleAllocated()) return {};
  TRect rect;
  // The message finds the item where its rectangle goes.
  std::memcpy(static_cast<void*>(&rect), &item_, sizeof item_);
  if (!tree.Perform(TVM_GETITEMRECT, textOnly, reinterpret_cast<LPARAM>(&rect))) return {};
  return rect;
}

void TTreeNode::Delete() { owner_.Delete(this); }

// TTreeNodes

TTreeNode* TTreeNodes::AddObject(TTreeNode* sibling, const std::string& text, void* data) {
  return AddChildObject(sibling ? sibling->parent_ : nullptr, text, data);
}

TTreeNode* TTreeNodes::AddChildObject(TTreeNode* parent, const std::string& text, void* data) {
  auto& siblings = SiblingsOf(parent);
  auto node = std::make_unique<TTreeNode>(*this, parent, text, data);
  auto place = siblings.end();
  if (owner_.SortType() != stNone) place = std::upper_bound(siblings.begin(), siblings.end(), node, TextBefore);
  const auto index = static_cast<std::size_t>(place - siblings.begin());
  TTreeNode* added = siblings.insert(place, std::move(node))->get();
  ++count_;
  owner_.InsertItem(*added, index);
  if (parent && parent->children_.size() == 1) owner_.UpdateItem(*parent, TVIF_CHILDREN);
  return added;
}

namespace {

int CountWithin(const TTreeNode& node) {
  int count = 1;
  for (int i = 0; i < node.Count(); ++i) count += CountWithin(*node.Item(i));
  return count;
}

}  // namespace

void TTreeNodes::Delete(TTreeNode* node) {
  if (!node) return;
  if (node->item_ && owner_.HandleAllocated()) owner_.Perform(TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(node->item_));
  count_ -= CountWithin(*node);
  auto& siblings = SiblingsOf(node->parent_);
  siblings.erase(std::find_if(siblings.begin(), siblings.end(), [node](const auto& n) { return n.get() == node; }));
}

void TTreeNodes::Clear() {
  if (owner_.HandleAllocated()) owner_.Perform(TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(TVI_ROOT));
  roots_.clear();
  count_ = 0;
}

void TTreeNodes::BeginUpdate() {
  if (updateCount_++ == 0 && owner_.HandleAllocated()) owner_.Perform(WM_SETREDRAW, false, 0);
}

void TTreeNodes::EndUpdate() {
  if (updateCount_ == 0 || --updateCount_ > 0 || !owner_.HandleAllocated()) return;
  owner_.Perform(WM_SETREDRAW, true, 0);
  owner_.Invalidate();
}

// TTreeView

TTreeView::TTreeView(TComponent* owner) : TWinControl(owner), items_(*this) {
  TabStop = true;
  SetColor(clWindow);
  ControlStyle = csCaptureMouse | csDoubleClicks;
  SetBounds(0, 0, 121, 97);
  imagesLink_.OnChange = [this] { LinkImages(imagesLink_, Images(), TVSIL_NORMAL); };
  stateImagesLink_.OnChange = [this] { LinkImages(stateImagesLink_, StateImages(), TVSIL_STATE); };
}

TTreeView::~TTreeView() {
  Destroying();
  if (HandleAllocated()) DestroyWindow(Handle());
  items_.Clear();
}

void TTreeView::CreateParams(TCreateParams& params) {
  TWinControl::CreateParams(params);
  if (showButtons_) params.Style |= TVS_HASBUTTONS;
  if (showLines_) params.Style |= TVS_HASLINES;
  if (showRoot_) params.Style |= TVS_LINESATROOT;
  if (!hideSelection_) params.Style |= TVS_SHOWSELALWAYS;
  if (hotTrack_) params.Style |= TVS_TRACKSELECT;
  if (!readOnly_) params.Style |= TVS_EDITLABELS;
  params.ExStyle |= WS_EX_CLIENTEDGE;
  params.WindowClass.lpfnWndProc = &NativeWindowProc;
  params.WindowClass.NativeWidget = "QTreeWidget";
}

void TTreeView::CreateWnd() {
  TWinControl::CreateWnd();
  Perform(TVM_SETINDENT, static_cast<WPARAM>(indent_), 0);
  Perform(TVM_SETIMAGELIST, TVSIL_NORMAL, reinterpret_cast<LPARAM>(Images()));
  Perform(TVM_SETIMAGELIST, TVSIL_STATE, reinterpret_cast<LPARAM>(StateImages()));
  InsertItems(items_.roots_);
}

void TTreeView::DestroyWnd() {
  ForgetItems(items_.roots_);
  TWinControl::DestroyWnd();
}

void TTreeView::InsertItems(std::vector<std::unique_ptr<TTreeNode>>& nodes) {
  for (std::size_t index = 0; index < nodes.size(); ++index) {
    TTreeNode* node = nodes[index].get();
    InsertItem(*node, index);
    InsertItems(node->children_);
    if (node->expanded_) ExpandItem(*node, true);
  }
}

void TTreeView::ForgetItems(std::vector<std::unique_ptr<TTreeNode>>& nodes) {
  for (const auto& node : nodes) {
    node->item_ = nullptr;
    ForgetItems(node->children_);
  }
}

void TTreeView::InsertItem(TTreeNode& node, std::size_t index) {
  if (!HandleAllocated()) return;
  TVINSERTSTRUCT insert;
  insert.hParent = node.parent_ ? node.parent_->item_ : TVI_ROOT;
  insert.hInsertAfter = index == 0 ? TVI_FIRST : items_.SiblingsOf(node.parent_)[index - 1]->item_;
  insert.item.mask = TVIF_TEXT | TVIF_PARAM | TVIF_CHILDREN | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_STATE;
  insert.item.state = INDEXTOSTATEIMAGEMASK(std::max(node.stateIndex_, 0));
  insert.item.stateMask = TVIS_STATEIMAGEMASK;
  insert.item.iImage = node.imageIndex_;
  insert.item.iSelectedImage = node.selectedIndex_;
  insert.item.pszText = node.text_.data();
  insert.item.lParam = reinterpret_cast<LPARAM>(&node);
  insert.item.cChildren = node.HasChildren();
  node.item_ = reinterpret_cast<HTREEITEM>(Perform(TVM_INSERTITEM, 0, reinterpret_cast<LPARAM>(&insert)));
}

void TTreeView::UpdateItem(TTreeNode& node, UINT mask) {
  if (!node.item_ || !HandleAllocated()) return;
  TVITEM item;
  item.mask = mask;
  item.hItem = node.item_;
  item.pszText = node.text_.data();
  item.cChildren = node.HasChildren();
  item.iImage = node.imageIndex_;
  item.iSelectedImage = node.selectedIndex_;
  item.state = INDEXTOSTATEIMAGEMASK(std::max(node.stateIndex_, 0));
  item.stateMask = TVIS_STATEIMAGEMASK;
  Perform(TVM_SETITEM, 0, reinterpret_cast<LPARAM>(&item));
}

void TTreeView::ExpandItem(TTreeNode& node, bool expand) {
  if (node.item_ && HandleAllocated()) Perform(TVM_EXPAND, expand ? TVE_EXPAND : TVE_COLLAPSE, reinterpret_cast<LPARAM>(node.item_));
}

TTreeNode* TTreeView::Selected() {
  if (!HandleAllocated()) return nullptr;
  const auto item = reinterpret_cast<HTREEITEM>(Perform(TVM_GETNEXTITEM, TVGN_CARET, 0));
  if (!item) return nullptr;
  TVITEM values;
  values.mask = TVIF_PARAM;
  values.hItem = item;
  Perform(TVM_GETITEM, 0, reinterpret_cast<LPARAM>(&values));
  return reinterpret_cast<TTreeNode*>(values.lParam);
}

void TTreeView::SetSelected(TTreeNode* node) {
  HandleNeeded();
  Perform(TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(node ? node->item_ : nullptr));
}

TTreeNode* TTreeView::GetNodeAt(int x, int y) {
  HandleNeeded();
  TVHITTESTINFO hit;
  hit.pt = {x, y};
  if (!Perform(TVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit))) return nullptr;
  TVITEM values;
  values.mask = TVIF_PARAM;
  values.hItem = hit.hItem;
  Perform(TVM_GETITEM, 0, reinterpret_cast<LPARAM>(&values));
  return reinterpret_cast<TTreeNode*>(values.lParam);
}

void TTreeView::LinkImages(TChangeLink& link, TImageList* images, WPARAM which) {
  if (images != link.Sender()) link.Attach(images);
  if (HandleAllocated()) Perform(TVM_SETIMAGELIST, which, reinterpret_cast<LPARAM>(images));
}

void TTreeView::SetImages(TImageList* images) { LinkImages(imagesLink_, images, TVSIL_NORMAL); }

void TTreeView::SetStateImages(TImageList* images) { LinkImages(stateImagesLink_, images, TVSIL_STATE); }

void TTreeView::SetStyleFlag(bool& flag, bool value) {
  if (flag == value) return;
  flag = value;
  RecreateWnd();
}

void TTreeView::SetReadOnly(bool value) { SetStyleFlag(readOnly_, value); }
void TTreeView::SetHotTrack(bool value) { SetStyleFlag(hotTrack_, value); }
void TTreeView::SetShowButtons(bool value) { SetStyleFlag(showButtons_, value); }
void TTreeView::SetShowLines(bool value) { SetStyleFlag(showLines_, value); }
void TTreeView::SetShowRoot(bool value) { SetStyleFlag(showRoot_, value); }
void TTreeView::SetHideSelection(bool value) { SetStyleFlag(hideSelection_, value); }

int TTreeView::Indent() { return HandleAllocated() ? static_cast<int>(Perform(TVM_GETINDENT, 0, 0)) : indent_; }

void TTreeView::SetIndent(int indent) {
  indent_ = indent;
  if (HandleAllocated()) Perform(TVM_SETINDENT, static_cast<WPARAM>(indent), 0);
}

void TTreeView::SetSortType(TSortType sortType) {
  sortType_ = sortType;
  if (sortType != stNone) AlphaSort();
}

void TTreeView::SortNodes(std::vector<std::unique_ptr<TTreeNode>>& nodes) {
  std::stable_sort(nodes.begin(), nodes.end(), TextBefore);
  for (const auto& node : nodes) SortNodes(node->children_);
}

void TTreeView::AlphaSort() {
  SortNodes(items_.roots_);
  RebuildItems();
}

// The widget's items made again in the nodes' order, keeping the selection.
void TTreeView::RebuildItems() {
  if (!HandleAllocated()) return;
  TTreeNode* selected = Selected();
  Perform(TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(TVI_ROOT));
  ForgetItems(items_.roots_);
  InsertItems(items_.roots_);
  if (selected && selected->item_) Perform(TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(selected->item_));
}

bool TTreeView::CanChange(TTreeNode* node) {
  bool allow = true;
  if (OnChanging) OnChanging(this, node, allow);
  return allow;
}

void TTreeView::Change(TTreeNode* node) {
  if (OnChange) OnChange(this, node);
}

bool TTreeView::CanExpand(TTreeNode* node) {
  bool allow = true;
  if (OnExpanding) OnExpanding(this, node, allow);
  return allow;
}

bool TTreeView::CanCollapse(TTreeNode* node) {
  bool allow = true;
  if (OnCollapsing) OnCollapsing(this, node, allow);
  return allow;
}

void TTreeView::Dispatch(TMessage& message) {
  if (message.Msg == CN_NOTIFY) {
    CNNotify(message);
    return;
  }
  TWinControl::Dispatch(message);
}

void TTreeView::CNNotify(TMessage& message) {
  const auto& header = *reinterpret_cast<const NMHDR*>(message.LParam);
  if (header.code == NM_CUSTOMDRAW) {
    message.Result = CustomDraw(*reinterpret_cast<NMTVCUSTOMDRAW*>(message.LParam));
    return;
  }
  if (header.code == TVN_ENDLABELEDIT) {
    const auto& edited = *reinterpret_cast<const NMTVDISPINFO*>(message.LParam);
    if (edited.item.pszText) reinterpret_cast<TTreeNode*>(edited.item.lParam)->text_ = edited.item.pszText;
    message.Result = edited.item.pszText != nullptr;
    return;
  }
  const auto& change = *reinterpret_cast<const NMTREEVIEW*>(message.LParam);
  auto* node = reinterpret_cast<TTreeNode*>(change.itemNew.lParam);
  switch (header.code) {
    case TVN_SELCHANGING: message.Result = CanChange(node) ? 0 : 1; break;
    case TVN_SELCHANGED: Change(node); break;
    case TVN_ITEMEXPANDING:
      message.Result = (change.action == TVE_EXPAND ? CanExpand(node) : CanCollapse(node)) ? 0 : 1;
      break;
    case TVN_ITEMEXPANDED: {
      node->expanded_ = change.action == TVE_EXPAND;
      const TTVExpandedEvent& event = node->expanded_ ? OnExpanded : OnCollapsed;
      if (event) event(this, node);
      break;
    }
    default: break;
  }
}

LRESULT TTreeView::CustomDraw(NMTVCUSTOMDRAW& draw) {
  auto* node = reinterpret_cast<TTreeNode*>(draw.nmcd.lItemlParam);
  TItemDrawHandler onItem;
  if (OnCustomDrawItem)
    onItem = [&](TCustomDrawState state, bool& defaultDraw) { OnCustomDrawItem(this, node, state, defaultDraw); };
  return CustomDrawItems(*this, canvas_, draw.nmcd, draw.clrText, OnAdvancedCustomDraw, onItem);
}
