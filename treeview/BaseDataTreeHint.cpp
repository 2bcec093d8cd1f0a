// Hints and tooltips: the tree's answer when the application is about to
// show a hint (what text, where, and in which window), the pause before it,
// and the area in which the mouse moves without a new one.

#include <algorithm>

#include "toolkit/controls/Application.h"
#include "toolkit/controls/Form.h"
#include "toolkit/win/Input.h"
#include "toolkit/win/Keys.h"
#include "toolkit/win/Messages.h"
#include "toolkit/win/SysMetrics.h"
#include "toolkit/win/Window.h"
#include "treeview/BaseDataTree.h"
#include "treeview/CustomDataDrawTree.h"
#include "treeview/DTHeader.h"
#include "treeview/DataTreeHintWindow.h"
#include "treeview/DataTreeOptions.h"

THintAnimationType TBaseDataTree::EffectiveHintAnimation() const {
  if (HintAnimation != hatSystemDefault) return HintAnimation;
  bool animation = false;
  SystemParametersInfo(SPI_GETTOOLTIPANIMATION, 0, &animation, 0);
  if (!animation) return hatNone;
  bool fade = false;
  SystemParametersInfo(SPI_GETTOOLTIPFADE, 0, &fade, 0);
  return fade ? hatFade : hatSlide;
}

bool TBaseDataTree::HintMessage(TMessage& message) {
  switch (message.Msg) {
    case CM_HINTSHOW:
      message.Result = AnswerHintShow(*reinterpret_cast<THintInfo*>(message.LParam));
      return true;
    case CM_HINTSHOWPAUSE: {
      TPoint cursor;
      GetCursorPos(cursor);
      const bool headerHint = HintWindowGone() && OverHeaderWithHints(ScreenToClient(cursor));
      if (headerHint || HintMode == hmTooltip) *reinterpret_cast<int*>(message.LParam) = 0;
      return true;
    }
    default: return false;
  }
}

void TBaseDataTree::ForgetHintArea() {
  lastHintArea_ = TRect{};
  ChangeTreeStates({}, {tsHint});
}

bool TBaseDataTree::OverHeaderWithHints(TPoint client) const {
  const TDTHeaderOptions options = header_->Options();
  return options.Contains(hoVisible) && options.Contains(hoShowHint) && header_->PointInHeader(client);
}

// Answers 0 when the hint shows (info then describes it), else 1.
LRESULT TBaseDataTree::AnswerHintShow(THintInfo& info) {
  if (PtInRect(lastHintArea_, info.CursorPos)) return 1;
  THitInfo hit;
  HitTestAt(info.CursorPos.X, info.CursorPos.Y, true, hit);
  bool shown = false;
  TColumnIndex column = hit.HitColumn;
  PDataNode node = hit.HitNode;
  TRect hintRect;
  std::string defaultHint;
  if (HintsPossible(hit.HitNode)) {
    info.HintStr = " ";
    if (OverHeaderWithHints(info.CursorPos)) {
      node = nullptr;
      shown = HeaderHint(info, column, defaultHint);
    } else {
      shown = NodeHintAt(info, hit, hintRect, defaultHint);
    }
  }
  if (!shown) {
    ForgetHintArea();
    return 1;
  }
  info.HintWindowClass = HintWindowClassOf<TDataTreeHintWindow>();
  *hintRecord_ = TDTHintData{};
  hintRecord_->Tree = this;
  hintRecord_->Node = node;
  hintRecord_->Column = column;
  hintRecord_->HintRect = hintRect;
  hintRecord_->DefaultHint = defaultHint;
  lastHintArea_ = info.CursorRect;
  info.HintData = hintRecord_.get();
  ChangeTreeStates({tsHint}, {});
  return 0;
}

bool TBaseDataTree::HintsPossible(PDataNode hitNode) {
  bool ownHints;
  if (states_.Contains(tsEditing)) {
    ownHints = hitNode != focusedNode_;
  } else if (const TForm* form = GetParentForm(this)) {
    ownHints = form->Active() || GetActiveWindow() != nullptr;
  } else {
    ownHints = Focused();
  }
  for (TDataTreeState busy : {tsOLEDragging, tsVCLDragging, tsDrawSelPending, tsDrawSelecting, tsScrolling})
    if (states_.Contains(busy)) return false;
  return ownHints && GetCapture() == nullptr && ShowsHints() && header_->States().Empty();
}

bool TBaseDataTree::HeaderHint(THintInfo& info, TColumnIndex& column, std::string& defaultHint) {
  const TDataTreeColumns& columns = header_->Columns();
  column = columns.ColumnAtPoint(info.CursorPos.X, true);
  if (!columns.ColumnExists(column) || GetKeyState(VK_LBUTTON) < 0) return false;
  defaultHint = columns.ColumnAt(column).Hint;
  if (defaultHint.empty()) return false;
  const int height = header_->Height();
  int left = 0;
  int right = 0;
  columns.ColumnHorzExtent(column, left, right);
  info.CursorRect = Rect(left - effectiveOffsetX_, -height, right - effectiveOffsetX_, 0);
  const TPoint headerBottom = ClientToScreen(Point(0, 0));
  info.HintPos.Y = std::max(info.HintPos.Y, headerBottom.Y);
  return true;
}

bool TBaseDataTree::NodeHintAt(THintInfo& info, const THitInfo& hit, TRect& hintRect, std::string& defaultHint) {
  const PDataNode node = hit.HitNode;
  const TColumnIndex column = hit.HitColumn;
  if (!node || column == ColumnNotFound || HintMode == hmDefault) {
    if (HintMode == hmDefault) {
      info.HintStr = GetShortHint(Hint);
      return true;
    }
    if (HintMode != hmHintAndDefault) return false;
    defaultHint = GetShortHint(Hint);
    return !defaultHint.empty();
  }
  if (auto* drawTree = dynamic_cast<TCustomDataDrawTree*>(this)) {
    drawTree->FireGetHintSize(node, column, hintRect);
    if (hintRect.Right <= hintRect.Left || hintRect.Bottom <= hintRect.Top) return false;
  }
  const bool usesColumns = header_->HasColumns();
  const TRect row = NodeDisplayRect(node, column, false);
  int left = usesColumns ? row.Left : 0;
  int right = usesColumns ? row.Right : ClientWidth();
  TColumnIndex spanned = column;
  if (usesColumns) SpanEmptyCells(node, spanned, left, right);
  if (HintMode != hmTooltip) {
    info.CursorRect = Rect(left, row.Top, right, row.Bottom);
    info.HintPos.Y = std::max(info.HintPos.Y, ClientToScreen(Point(0, row.Bottom)).Y) + 2;
    return true;
  }
  TRect text;
  const TPoint cursor = info.CursorPos;
  if (!node->Has(nsMultiline)) {
    text = NodeDisplayRect(node, column, true, true);
    const bool cutOff = text.Right > std::min(right, ClientWidth()) || text.Left < std::max(left, 0) ||
                        text.Bottom > ClientHeight() || text.Top < 0;
    if (!PtInRect(text, cursor) || cursor.X < left || cursor.X >= right || !cutOff) return false;
  } else {
    if (!hit.HitPositions.Contains(htOnItemLabel)) return false;
    IntersectRect(text, NodeDisplayRect(node, column, true), ClientRect());
  }
  info.HintPos = ClientToScreen(text.TopLeft());
  info.CursorRect = text;
  return true;
}
