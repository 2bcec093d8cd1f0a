// The tree's accessible side: the desktop's object request, answered from
// the accessibility factory, and the native tree-view messages, answered
// with nodes as item handles. Handles that are not nodes of this tree are
// answered with 0, so a stale or foreign handle is never followed.

#include <cstring>

#include "toolkit/win/ControlMessages.h"
#include "toolkit/win/WinEvent.h"
#include "treeview/BaseDataTree.h"
#include "treeview/DTAccessibilityFactory.h"

namespace {

// The 8-bit item query; its texts are UTF-8 here.
constexpr UINT TVM_GETITEMA = TVM_GETITEM;
constexpr UINT TVGN_PREVIOUS = 0x0002;
constexpr UINT TVGN_PARENT = 0x0003;
constexpr UINT TVGN_FIRSTVISIBLE = 0x0005;
constexpr UINT TVGN_NEXTVISIBLE = 0x0006;
constexpr UINT TVGN_PREVIOUSVISIBLE = 0x0007;
constexpr UINT TVGN_DROPHILITE = 0x0008;
constexpr UINT TVGN_LASTVISIBLE = 0x000A;
constexpr UINT TVIS_FOCUSED = 0x0001;
constexpr UINT TVIS_CUT = 0x0004;
constexpr UINT TVIS_DROPHILITED = 0x0008;
constexpr UINT ItemStateMask = 0xFF2F;

// The length of the longest start of the UTF-8 text that has at most Limit bytes and ends between characters.
size_t CutAtCharacter(const std::string& text, size_t limit) {
  if (text.size() <= limit) return text.size();
  size_t length = limit;
  while (length > 0 && (static_cast<unsigned char>(text[length]) & 0xC0) == 0x80) --length;
  return length;
}

}  // namespace

bool TBaseDataTree::OwnsNode(PDataNode node) const {
  if (!node) return false;
  for (PDataNode run = root_->FirstChild; run; run = NextNodeInOrderRaw(run))
    if (run == node) return true;
  return false;
}

PDataNode TBaseDataTree::NextItemOf(UINT code, PDataNode node) {
  const bool needsNode = code == TVGN_NEXT || code == TVGN_PREVIOUS || code == TVGN_PARENT || code == TVGN_CHILD ||
                         code == TVGN_NEXTVISIBLE || code == TVGN_PREVIOUSVISIBLE;
  if (needsNode && !OwnsNode(node)) return nullptr;
  switch (code) {
    case TVGN_ROOT: return FirstRootNode();
    case TVGN_NEXT: return NextSiblingOf(node);
    case TVGN_PREVIOUS: return PrevSiblingOf(node);
    case TVGN_PARENT: return node->Parent == root_ ? nullptr : node->Parent;
    case TVGN_CHILD: return FirstChildOf(node);
    case TVGN_FIRSTVISIBLE: return FirstVisibleNode();
    case TVGN_NEXTVISIBLE: return NextVisibleNode(node);
    case TVGN_PREVIOUSVISIBLE: return PrevVisibleNode(node);
    case TVGN_DROPHILITE: return dropTargetNode_;
    case TVGN_CARET: return focusedNode_;
    case TVGN_LASTVISIBLE: return LastVisibleNode(nullptr);
    default: return nullptr;
  }
}

bool TBaseDataTree::ItemRect(bool textOnly, TRect& r) {
  PDataNode node;
  std::memcpy(&node, &r, sizeof node);
  if (!OwnsNode(node)) return false;
  Initialized(node);
  if (!node->Has(nsVisible)) return false;
  r = NodeDisplayRect(node, ColumnNone, textOnly);
  return true;
}

bool TBaseDataTree::FillItem(TVITEM& item) {
  const auto node = reinterpret_cast<PDataNode>(item.hItem);
  if (!(item.mask & TVIF_HANDLE) || !OwnsNode(node)) return false;
  Initialized(node);
  const auto imageOf = [this, node](TDTImageKind kind) {
    bool ghosted = false;
    int index = -1;
    FireGetImageIndex(node, kind, ColumnNone, ghosted, index);
    return index;
  };
  if (item.mask & TVIF_CHILDREN) item.cChildren = static_cast<int>(node->ChildCount);
  if (item.mask & TVIF_IMAGE) item.iImage = imageOf(ikNormal);
  if (item.mask & TVIF_SELECTEDIMAGE) item.iSelectedImage = imageOf(ikSelected);
  if (item.mask & TVIF_STATE) {
    item.stateMask = ItemStateMask;
    UINT state = 0;
    if (node == focusedNode_) state |= TVIS_FOCUSED;
    if (node->Has(nsSelected)) state |= TVIS_SELECTED;
    if (node->Has(nsCutOrCopy)) state |= TVIS_CUT;
    if (node == dropTargetNode_) state |= TVIS_DROPHILITED;
    if (node->Has(nsExpanded)) state |= TVIS_EXPANDED;
    state |= static_cast<UINT>(imageOf(ikState) + 1) << 12;
    state |= static_cast<UINT>(imageOf(ikOverlay) + 1) << 8;
    item.state = state;
  }
  if ((item.mask & TVIF_TEXT) && item.pszText && item.cchTextMax > 0) {
    TFont font;
    font.Assign(Font());
    TRect r;
    std::string text;
    CellTextInfo(node, ColumnNone, font, r, text);
    const size_t length = CutAtCharacter(text, static_cast<size_t>(item.cchTextMax - 1));
    std::memcpy(item.pszText, text.data(), length);
    item.pszText[length] = '\0';
  }
  return true;
}

bool TBaseDataTree::AccessibilityMessage(TMessage& message) {
  switch (message.Msg) {
    case WM_GETOBJECT:
      if (!TreeAccessible) TreeAccessible = AccessibilityFactory().ProvideAccessible(this);
      if (!ItemAccessible) ItemAccessible = AccessibilityFactory().ProvideAccessible(this);
      // No desktop accessibility bridge takes objects from us: the answer tells only whether one exists.
      message.Result = message.LParam == OBJID_CLIENT && TreeAccessible ? 1 : 0;
      return true;
    case TVM_GETNEXTITEM:
      message.Result = reinterpret_cast<LRESULT>(
          NextItemOf(static_cast<UINT>(message.WParam), reinterpret_cast<PDataNode>(message.LParam)));
      return true;
    case TVM_GETITEMRECT:
      message.Result = ItemRect(message.WParam != 0, *reinterpret_cast<TRect*>(message.LParam)) ? 1 : 0;
      return true;
    case TVM_GETITEMA:
      message.Result = FillItem(*reinterpret_cast<TVITEM*>(message.LParam)) ? 1 : 0;
      return true;
    case WM_COPY:
      CopySelectionToClipboard();
      return true;
    case WM_CUT:
      CutSelectionToClipboard();
      return true;
    case WM_PASTE:
      PasteClipboardNodes();
      return true;
    default:
      return false;
  }
}
