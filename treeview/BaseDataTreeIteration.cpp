// The node walkers. The plain forms initialise the nodes they hand out and
// create missing children of nodes they descend into; the Raw forms follow
// the links as they are. No walker hands out the hidden root.

#include "runtime/Exceptions.h"
#include "treeview/BaseDataTree.h"

namespace {

constexpr const char* RootNotAllowed = "Node must not be the hidden root node.";

}  // namespace

PDataNode TBaseDataTree::Initialized(PDataNode node) {
  if (node && !node->Has(nsInitialized)) RunNodeInit(node);
  return node;
}

PDataNode TBaseDataTree::NextNodeAfterSubtree(PDataNode node) const {
  for (; node != root_; node = node->Parent)
    if (node->NextSibling) return node->NextSibling;
  return nullptr;
}

PDataNode TBaseDataTree::FirstRootNode() { return Initialized(root_->FirstChild); }

PDataNode TBaseDataTree::FirstChildOf(PDataNode node) {
  node = NodeOrRoot(node);
  Initialized(node);
  if (!node->Has(nsHasChildren)) return nullptr;
  if (node->ChildCount == 0) InitNodeChildren(node);
  return Initialized(node->FirstChild);
}

PDataNode TBaseDataTree::LastChildOf(PDataNode node) {
  node = NodeOrRoot(node);
  Initialized(node);
  if (!node->Has(nsHasChildren)) return nullptr;
  if (node->ChildCount == 0) InitNodeChildren(node);
  return Initialized(node->LastChild);
}

PDataNode TBaseDataTree::LastChildOfRaw(PDataNode node) const {
  if (!node || node == root_) return root_->LastChild;
  return node->Has(nsHasChildren) ? node->LastChild : nullptr;
}

PDataNode TBaseDataTree::NextSiblingOf(PDataNode node) {
  if (!node) return nullptr;
  QASSERT(node != root_, RootNotAllowed);
  return Initialized(node->NextSibling);
}

PDataNode TBaseDataTree::PrevSiblingOf(PDataNode node) {
  if (!node) return nullptr;
  QASSERT(node != root_, RootNotAllowed);
  return Initialized(node->PrevSibling);
}

PDataNode TBaseDataTree::NextVisibleSiblingOf(PDataNode node) {
  QASSERT(node && node != root_, "Invalid parameter.");
  do node = NextSiblingOf(node);
  while (node && !node->Has(nsVisible));
  return node;
}

PDataNode TBaseDataTree::PrevVisibleSiblingOf(PDataNode node) {
  QASSERT(node && node != root_, "Invalid parameter.");
  do node = PrevSiblingOf(node);
  while (node && !node->Has(nsVisible));
  return node;
}

PDataNode TBaseDataTree::PrevVisibleSiblingOfRaw(PDataNode node) const {
  QASSERT(node && node != root_, "Invalid parameter.");
  do node = node->PrevSibling;
  while (node && !node->Has(nsVisible));
  return node;
}

PDataNode TBaseDataTree::FirstVisibleChildOf(PDataNode node) {
  PDataNode child = FirstChildOf(node);
  if (child && !child->Has(nsVisible)) child = NextVisibleSiblingOf(child);
  return child;
}

PDataNode TBaseDataTree::LastVisibleChildOf(PDataNode node) {
  PDataNode child = nullptr;
  if (!node || node == root_)
    child = LastChildOf(root_);
  else if (node->Has(nsExpanded) && NodeFullyShown(node))
    child = LastChildOf(node);
  if (child && !child->Has(nsVisible)) child = PrevVisibleSiblingOf(child);
  return child;
}

PDataNode TBaseDataTree::LastVisibleChildOfRaw(PDataNode node) const {
  PDataNode child = nullptr;
  if (!node || node == root_)
    child = LastChildOfRaw(root_);
  else if (node->Has(nsExpanded) && NodeFullyShown(node))
    child = LastChildOfRaw(node);
  if (child && !child->Has(nsVisible)) child = PrevVisibleSiblingOfRaw(child);
  return child;
}

PDataNode TBaseDataTree::NextNodeInOrder(PDataNode node) {
  if (!node) return nullptr;
  QASSERT(node != root_, RootNotAllowed);
  if (node->Has(nsHasChildren) && node->ChildCount == 0) InitNodeChildren(node);
  return Initialized(node->FirstChild ? node->FirstChild : NextNodeAfterSubtree(node));
}

PDataNode TBaseDataTree::NextNodeInOrderRaw(PDataNode node) const {
  if (!node) return nullptr;
  QASSERT(node != root_, RootNotAllowed);
  return node->FirstChild ? node->FirstChild : NextNodeAfterSubtree(node);
}

PDataNode TBaseDataTree::PrevNodeInOrder(PDataNode node) {
  if (!node) return nullptr;
  QASSERT(node != root_, RootNotAllowed);
  if (const PDataNode previous = PrevSiblingOf(node)) return LastNodeInOrder(previous);
  return node->Parent == root_ ? nullptr : Initialized(node->Parent);
}

PDataNode TBaseDataTree::PrevNodeInOrderRaw(PDataNode node) const {
  if (!node) return nullptr;
  QASSERT(node != root_, RootNotAllowed);
  if (node->PrevSibling) return LastNodeInOrderRaw(node->PrevSibling);
  return node->Parent == root_ ? nullptr : node->Parent;
}

PDataNode TBaseDataTree::LastNodeInOrder(PDataNode node) {
  PDataNode run = NodeOrRoot(node);
  while (const PDataNode child = LastChildOf(run)) run = child;
  return run == root_ ? nullptr : run;
}

PDataNode TBaseDataTree::LastNodeInOrderRaw(PDataNode node) const {
  PDataNode run = NodeOrRoot(node);
  while (const PDataNode child = LastChildOfRaw(run)) run = child;
  return run == root_ ? nullptr : run;
}

PDataNode TBaseDataTree::FirstInitializedNode() const {
  const PDataNode first = root_->FirstChild;
  if (!first || first->Has(nsInitialized)) return first;
  return NextInitializedNode(first);
}

PDataNode TBaseDataTree::NextInitializedNode(PDataNode node) const {
  do node = NextNodeInOrderRaw(node);
  while (node && !node->Has(nsInitialized));
  return node;
}

PDataNode TBaseDataTree::NextFlaggedNode(PDataNode node, uint16_t flag) const {
  PDataNode run = !node || node == root_ ? root_->FirstChild : NextNodeInOrderRaw(node);
  while (run && !run->Has(flag)) run = NextNodeInOrderRaw(run);
  return run;
}

PDataNode TBaseDataTree::FirstSelectedNode() { return NextSelectedNode(nullptr); }

PDataNode TBaseDataTree::NextSelectedNode(PDataNode node) {
  if (selectionLive_ <= 0) return nullptr;
  return Initialized(NextFlaggedNode(node, nsSelected));
}

PDataNode TBaseDataTree::FirstCutCopyNode() { return NextCutCopyNode(nullptr); }

PDataNode TBaseDataTree::NextCutCopyNode(PDataNode node) {
  if (!states_.Contains(tsCutPending) && !states_.Contains(tsCopyPending)) return nullptr;
  return Initialized(NextFlaggedNode(node, nsCutOrCopy));
}

PDataNode TBaseDataTree::FirstVisibleNode() {
  if (!root_->Has(nsHasChildren)) return nullptr;
  PDataNode node = FirstChildOf(root_);
  while (node && !node->Has(nsVisible)) node = NextSiblingOf(node);
  return node;
}

PDataNode TBaseDataTree::FirstVisibleNodeRaw() const {
  if (!root_->Has(nsHasChildren)) return nullptr;
  PDataNode node = root_->FirstChild;
  while (node && !node->Has(nsVisible)) node = node->NextSibling;
  return node;
}

PDataNode TBaseDataTree::NextShownRow(PDataNode node) const {
  if (node->Has(nsExpanded))
    for (PDataNode child = node->FirstChild; child; child = child->NextSibling)
      if (child->Has(nsVisible)) return child;
  return NextShownRowAfterSubtree(node);
}

PDataNode TBaseDataTree::NextShownRowAfterSubtree(PDataNode node) const {
  for (; node != root_; node = node->Parent)
    for (PDataNode sibling = node->NextSibling; sibling; sibling = sibling->NextSibling)
      if (sibling->Has(nsVisible)) return sibling;
  return nullptr;
}

PDataNode TBaseDataTree::NextVisibleNode(PDataNode node) {
  if (!node) return nullptr;
  QASSERT(node != root_, RootNotAllowed);
  if (!NodeFullyShown(node)) node = NearestVisibleAncestor(node);
  if (node != root_ && node->Has(nsExpanded) && node->Has(nsHasChildren) && node->ChildCount == 0)
    InitNodeChildren(node);
  if (node->Has(nsExpanded) && node->FirstChild) {
    const PDataNode child = FirstChildOf(node);
    if (child->Has(nsVisible)) return child;
    node = child;
  } else if (node == root_) {
    return nullptr;
  }
  while (true) {
    if (const PDataNode next = NextSiblingOf(node)) {
      if (next->Has(nsVisible)) return next;
      node = next;
      continue;
    }
    node = node->Parent;
    if (node == root_) return nullptr;
  }
}

PDataNode TBaseDataTree::NextVisibleNodeRaw(PDataNode node) const {
  if (!node) return nullptr;
  QASSERT(node != root_, RootNotAllowed);
  if (!NodeFullyShown(node)) node = NearestVisibleAncestor(node);
  return NextShownRow(node);
}

PDataNode TBaseDataTree::PrevVisibleNode(PDataNode node) {
  if (!node) return nullptr;
  QASSERT(node != root_, RootNotAllowed);
  if (!NodeFullyShown(node)) {
    PDataNode ancestor = NearestVisibleAncestor(node);
    if (ancestor == root_) ancestor = nullptr;
    const PDataNode last = LastVisibleNode(ancestor);
    return Initialized(last ? last : ancestor);
  }
  for (PDataNode sibling = PrevSiblingOf(node); sibling; sibling = PrevSiblingOf(sibling))
    if (sibling->Has(nsVisible)) {
      const PDataNode last = LastVisibleNode(sibling);
      return Initialized(last ? last : sibling);
    }
  return node->Parent == root_ ? nullptr : Initialized(node->Parent);
}

PDataNode TBaseDataTree::PrevVisibleNodeRaw(PDataNode node) const {
  if (!node) return nullptr;
  QASSERT(node != root_, RootNotAllowed);
  if (!NodeFullyShown(node)) {
    PDataNode ancestor = NearestVisibleAncestor(node);
    if (ancestor == root_) ancestor = nullptr;
    const PDataNode last = LastVisibleNodeRaw(ancestor);
    return last ? last : ancestor;
  }
  for (PDataNode sibling = node->PrevSibling; sibling; sibling = sibling->PrevSibling)
    if (sibling->Has(nsVisible)) {
      const PDataNode last = LastVisibleNodeRaw(sibling);
      return last ? last : sibling;
    }
  return node->Parent == root_ ? nullptr : node->Parent;
}

PDataNode TBaseDataTree::LastVisibleNode(PDataNode node) {
  PDataNode last = nullptr;
  for (PDataNode child = LastVisibleChildOf(node); child; child = LastVisibleChildOf(child)) last = child;
  return last;
}

PDataNode TBaseDataTree::LastVisibleNodeRaw(PDataNode node) const {
  PDataNode last = nullptr;
  for (PDataNode child = LastVisibleChildOfRaw(node); child; child = LastVisibleChildOfRaw(child)) last = child;
  return last;
}

TNodeArray TBaseDataTree::CollectNodes(uint16_t flag, bool considerChildrenAbove) const {
  TNodeArray nodes;
  PDataNode run = root_->FirstChild;
  while (run) {
    if (run->Has(flag)) {
      nodes.push_back(run);
      if (considerChildrenAbove) {
        run = NextNodeAfterSubtree(run);
        continue;
      }
    }
    run = NextNodeInOrderRaw(run);
  }
  return nodes;
}

TNodeArray TBaseDataTree::SortedSelection(bool considerChildrenAbove) const {
  return CollectNodes(nsSelected, considerChildrenAbove);
}

TNodeArray TBaseDataTree::SortedCutCopyNodes(bool considerChildrenAbove) const {
  return CollectNodes(nsCutOrCopy, considerChildrenAbove);
}
