// The user's input: navigation keys, mouse buttons, the wheel and the
// standard scroll bars.

#include <algorithm>

#include "runtime/Exceptions.h"
#include "toolkit/controls/Application.h"
#include "toolkit/win/Input.h"
#include "toolkit/win/Keys.h"
#include "toolkit/win/Messages.h"
#include "toolkit/win/ScrollBar.h"
#include "treeview/BaseDataTree.h"
#include "treeview/DTDragManager.h"
#include "treeview/DTHeader.h"
#include "treeview/DataTreeOptions.h"
#include "treeview/ScrollBarOptions.h"
#include "treeview/TreeRoutines.h"
#include "toolkit/controls/Menus.h"
#include "toolkit/controls/Screen.h"
#include "toolkit/win/Cursor.h"
#include "toolkit/gdi/Canvas.h"
#include "toolkit/win/Clock.h"
#include "toolkit/win/Timers.h"

namespace {

constexpr int WheelDelta = 120;
constexpr int LinesPerNotch = 3;
// Mouse movement around the start of wheel panning that scrolls nothing.
constexpr int PanningNeutralZone = 8;

bool IsNavigationKey(WORD key) {
  switch (key) {
    case VK_BACK:
    case VK_TAB:
    case VK_PRIOR:
    case VK_NEXT:
    case VK_END:
    case VK_HOME:
    case VK_LEFT:
    case VK_UP:
    case VK_RIGHT:
    case VK_DOWN: return true;
    default: return false;
  }
}

// The sign keys typed on the main keyboard act as the keypad's.
WORD KeypadKeyOfTypedSign(WORD key) {
  const std::u32string& typed = KeyDownCharacters();
  if (typed.size() != 1) return key;
  switch (typed[0]) {
    case U'*': return VK_MULTIPLY;
    case U'+': return VK_ADD;
    case U'-': return VK_SUBTRACT;
    case U'/': return VK_DIVIDE;
    default: return key;
  }
}

}  // namespace

// ---- Keys ---------------------------------------------------------------------------------

void TBaseDataTree::KeyDown(WORD& key, TShiftState shift) {
  TCustomControl::KeyDown(key, shift);
  if (key == 0) return;
  shift &= ssShift | ssCtrl | ssAlt;
  if (!FireKeyAction(key, shift)) return;
  if (key != VK_SPACE) ReleaseCheckKey(false);
  if (IsNavigationKey(key))
    NavigationKey(key, shift);
  else
    OtherKey(key, shift);
}

void TBaseDataTree::NavigationKey(WORD key, TShiftState shift) {
  const TDTSelectionOptions selection = options_->SelectionOptions();
  const bool multiSelect = selection.Contains(toMultiSelect);
  const bool shiftRange = (shift & ssShift) && multiSelect && !states_.Contains(tsEditing);
  bool extendRange = shiftRange && (key == VK_PRIOR || key == VK_NEXT || key == VK_END || key == VK_HOME);
  const bool needInvalidate = extendRange || selectionLive_ > 1;
  const bool gridExtensions = options_->MiscOptions().Contains(toGridExtensions);
  const bool clearNeeded = !(shift != 0 && (!gridExtensions || (shift & ssShift)) && multiSelect &&
                             key != VK_BACK && key != VK_TAB);
  PDataNode oldFocused = focusedNode_;
  if (!oldFocused && shift != 0) oldFocused = FirstVisibleNode();
  if (!rangeAnchor_) rangeAnchor_ = selectionLive_ > 0 ? FirstSelectedNode() : FirstRootNode();
  const int clientHeight = ClientHeight();
  switch (key) {
    case VK_BACK:
      if (states_.Contains(tsIncrementalSearching))
        ChangeTreeStates({tsIncrementalSearchPending}, {});
      else if (focusedNode_ && focusedNode_->Parent != root_)
        SetFocusedNode(focusedNode_->Parent);
      break;
    case VK_PRIOR:
    case VK_NEXT: {
      const bool down = key == VK_NEXT;
      if (shift & ssCtrl) {
        SetVertOffset(offsetY_ + (down ? -clientHeight : clientHeight));
        break;
      }
      if (!focusedNode_) {
        SetFocusedNode(down ? LastVisibleNode(nullptr) : FirstVisibleNode());
        break;
      }
      PDataNode node = focusedNode_;
      int sum = 0;
      while (true) {
        const PDataNode next = down ? NextVisibleNode(node) : PrevVisibleNode(node);
        if (!next || sum + static_cast<int>(node->NodeHeight) >= clientHeight) break;
        sum += node->NodeHeight;
        node = next;
      }
      SetFocusedNode(node);
      break;
    }
    case VK_TAB:
      if (selection.Contains(toExtendedFocus) && header_->HasColumns()) TabToColumn(!(shift & ssShift));
      break;
    case VK_HOME:
    case VK_END: {
      // Right to left, Home goes where End goes left to right.
      const bool home = (key == VK_HOME) != ReadsRightToLeft(ColumnNone);
      const PDataNode target = home ? FirstVisibleNode() : LastVisibleNode(nullptr);
      if (!target) break;
      const TColumnIndex column = FirstAcceptedColumn(target, home);
      if (column == ColumnNotFound) break;
      if (shift == ssCtrl && !gridExtensions) {
        ScrollNodeIntoView(target, selection.Contains(toCenterScrollIntoView),
                           !options_->AutoOptions().Contains(toDisableAutoscrollOnFocus));
        SetHorzOffset(key == VK_HOME && home ? 0 : -2147483647);
        break;
      }
      if (!gridExtensions || (shift & ssCtrl)) SetFocusedNode(target);
      if (gridExtensions && !selection.Contains(toFullRowSelect) && column != ColumnNone) MoveFocusColumn(column);
      break;
    }
    case VK_LEFT:
    case VK_RIGHT: {
      const bool left = key == VK_LEFT;
      if (shift & ssCtrl) {
        SetHorzOffset(offsetX_ + (left ? 1 : -1) * ReadingDirection() * static_cast<int>(indent_));
        break;
      }
      if (!focusedNode_) {
        SetFocusedNode(FirstVisibleNode());
        break;
      }
      const PDataNode node = focusedNode_;
      const bool hasChildren = node->Has(nsHasChildren);
      if (left) {
        if (shift == 0 && node->Has(nsExpanded) && hasChildren) {
          ToggleExpanded(node);
        } else if (node->Parent != root_) {
          if (shiftRange) {
            if (node->Index != 0)
              extendRange = true;
            else if (CompareNodeOrder(node->Parent, rangeAnchor_) > 0)
              DeselectNode(node);
          }
          SetFocusedNode(node->Parent);
        }
      } else {
        if (shift == 0 && !node->Has(nsExpanded) && hasChildren) {
          ToggleExpanded(node);
        } else if (const PDataNode child = node->Has(nsExpanded) ? FirstVisibleChildOf(node) : nullptr) {
          if (shiftRange && CompareNodeOrder(child, rangeAnchor_) < 0) DeselectNode(node);
          SetFocusedNode(child);
        }
      }
      break;
    }
    case VK_UP:
    case VK_DOWN: {
      const bool up = key == VK_UP;
      if (shift & ssCtrl) {
        SetVertOffset(offsetY_ + (up ? 1 : -1) * static_cast<int>(defaultNodeHeight_));
        break;
      }
      const PDataNode target = focusedNode_ ? (up ? PrevVisibleNode(focusedNode_) : NextVisibleNode(focusedNode_))
                                            : (up ? LastVisibleNode(nullptr) : FirstVisibleNode());
      if (!target) {
        if (focusedNode_) RepaintNode(focusedNode_);
        break;
      }
      if (shiftRange && oldFocused && rangeAnchor_) {
        const int order = CompareNodeOrder(oldFocused, rangeAnchor_);
        if ((up && order > 0) || (!up && order < 0)) DeselectNode(focusedNode_);
      }
      if (focusedColumn_ == ColumnNone) focusedColumn_ = header_->MainColumn();
      SetFocusedNode(target);
      break;
    }
    default: break;
  }
  AfterNavigation(shift, oldFocused, clearNeeded, extendRange, needInvalidate);
}

void TBaseDataTree::AfterNavigation(TShiftState shift, PDataNode oldFocused, bool clearNeeded, bool extendRange,
                                    bool needInvalidate) {
  bool cleared = false;
  if (clearNeeded && (oldFocused != focusedNode_ || selectionLive_ != 1)) {
    UnselectAll();
    cleared = true;
  }
  if (shift == 0) ResetAnchor();
  if (extendRange && oldFocused && focusedNode_) SelectRange(oldFocused, focusedNode_, true);
  if (focusedNode_ && (focusedNode_ != oldFocused || cleared)) SelectNode(focusedNode_);
  if (needInvalidate && HandleAllocated()) Invalidate();
}

TColumnIndex TBaseDataTree::FirstAcceptedColumn(PDataNode target, bool forward) {
  if (!header_->HasColumns()) return ColumnNone;
  const TDataTreeColumns& columns = header_->Columns();
  TColumnIndex column = forward ? columns.FirstVisibleColumn() : columns.LastVisibleColumn();
  while (column >= 0 && !FireFocusChanging(focusedNode_, target, focusedColumn_, column))
    column = forward ? columns.NextVisibleColumn(column) : columns.PreviousVisibleColumn(column);
  return column >= 0 ? column : ColumnNotFound;
}

void TBaseDataTree::TabToColumn(bool forward) {
  if (!focusedNode_) return;
  const TDataTreeColumns& columns = header_->Columns();
  auto step = [&](TColumnIndex column) {
    return forward ? columns.NextVisibleColumn(column) : columns.PreviousVisibleColumn(column);
  };
  PDataNode node = focusedNode_;
  TColumnIndex column = step(focusedColumn_);
  while (true) {
    if (column < 0) {
      // Past the last column the walk goes on in the next row.
      node = forward ? NextVisibleNode(node) : PrevVisibleNode(node);
      if (!node) return;
      column = forward ? columns.FirstVisibleColumn() : columns.LastVisibleColumn();
      if (column < 0) return;
    }
    if (FireFocusChanging(focusedNode_, node, focusedColumn_, column)) break;
    column = step(column);
  }
  FocusNodeAndColumn(node, column);
}

TPoint TBaseDataTree::ApplicationKeyPoint(PDataNode node) {
  const TRect text = NodeDisplayRect(node, focusedColumn_, true);
  const TDataTreeColumns& columns = header_->Columns();
  const int room = columns.ColumnExists(focusedColumn_) ? columns.ColumnAt(focusedColumn_).Width() : ClientWidth();
  const int width = std::min(NodeContentWidth(node, focusedColumn_, Canvas()), room);
  return Point(text.Left + width / 2, (text.Top + text.Bottom) / 2);
}

void TBaseDataTree::ShowHelpOfFocus() {
  int context = 0;
  if (OnGetHelpContext)
    for (PDataNode run = focusedNode_; run && run != root_ && context == 0; run = run->Parent)
      OnGetHelpContext(this, run, 0, context);
  for (const TControl* control = this; control && context == 0; control = control->Parent())
    context = control->HelpContext;
  if (context != 0) Application().HelpContext(context);
}

void TBaseDataTree::OtherKey(WORD key, TShiftState shift) {
  const PDataNode node = focusedNode_;
  key = KeypadKeyOfTypedSign(key);
  const bool keypadSign = key == VK_MULTIPLY || key == VK_ADD || key == VK_SUBTRACT || key == VK_DIVIDE;
  if (keypadSign && states_.Contains(tsIncrementalSearching)) {
    ChangeTreeStates({tsIncrementalSearchPending}, {});
    return;
  }
  switch (key) {
    case VK_ESCAPE:
      if (states_.Contains(tsDrawSelPending) || states_.Contains(tsDrawSelecting)) {
        EndRubberBand();
      } else {
        CancelNodeEdit();
      }
      return;
    case VK_SPACE:
      if (options_->MiscOptions().Contains(toCheckSupport) && node && node->CheckType != nctNone) {
        PressCheckKey();
        return;
      }
      break;
    case 'A':
      if (!(shift & ssCtrl)) break;
      SelectAllNodes(true);
      return;
    case VK_APPS:
      if (node) ShowPopupMenu(node, focusedColumn_, ApplicationKeyPoint(node));
      return;
    case VK_F1:
      ShowHelpOfFocus();
      return;
    case VK_F2:
      if (shift == 0 && node && CanEditNode(node, focusedColumn_)) {
        editColumn_ = focusedColumn_;
        BeginEditing();
      }
      return;
    case VK_MULTIPLY:
      if (node) ExpandAll(node);
      return;
    case VK_DIVIDE:
      if (node) CollapseAll(node);
      return;
    case VK_ADD:
      if ((shift & ssCtrl) && (shift & ssShift))
        ExpandAll(nullptr);
      else if (!(shift & ssCtrl) && node && !node->Has(nsExpanded))
        ToggleExpanded(node);
      return;
    case VK_SUBTRACT:
      if ((shift & ssCtrl) && (shift & ssShift))
        CollapseAll(nullptr);
      else if (!(shift & ssCtrl) && node && node->Has(nsExpanded))
        ToggleExpanded(node);
      return;
    default:
      if ((shift & (ssCtrl | ssAlt)) || key < 32) return;
      break;
  }
  // The character message that follows feeds the incremental search.
  ChangeTreeStates({tsIncrementalSearchPending}, {});
}

// ---- Mouse ----------------------------------------------------------------------------------

void TBaseDataTree::MouseButtonDown(int x, int y, TShiftState keys) {
  if (WheelPanningRuns()) {
    EndWheelPanning();
    return;
  }
  if (states_.Contains(tsEditPending)) {
    KillTreeTimer(EditTimer);
    ChangeTreeStates({}, {tsEditPending});
  }
  if (states_.Contains(tsEditing) && !FinishEditing()) return;
  if (HandleAllocated() && !Focused() && CanFocus()) SetFocus();
  THitInfo hit;
  HitTestAt(x, y, true, hit);
  const PDataNode node = hit.HitNode;
  const TColumnIndex hitColumn = header_->HasColumns() ? hit.HitColumn : ColumnNone;
  clickColumn_ = hitColumn;
  const TDTSelectionOptions selection = options_->SelectionOptions();
  const TDTMiscOptions misc = options_->MiscOptions();
  const bool gridExtensions = misc.Contains(toGridExtensions);
  const bool rowWide = selection.Contains(toFullRowSelect) || gridExtensions;
  const bool columnChanged = (hit.HitPositions.Contains(htOnItemLabel) || rowWide) && hitColumn != focusedColumn_;
  const TColumnIndex newColumn = !columnChanged                         ? focusedColumn_
                                 : selection.Contains(toExtendedFocus) ? hitColumn
                                                                       : header_->MainColumn();
  const bool nodeChanged = node != focusedNode_;
  const bool altPressed = (keys & ssAlt) != 0;
  const TShiftState shift = keys & (ssShift | ssCtrl);
  const bool shiftEmpty = shift == 0;
  const bool labelHit = !altPressed && (hit.HitPositions.Contains(htOnItemLabel) ||
                                        hit.HitPositions.Contains(htOnNormalIcon));
  const bool cellHit = !altPressed && !labelHit && node && rowWide &&
                       !hit.HitPositions.Contains(htOnItemButton) && !hit.HitPositions.Contains(htOnItemCheckbox);
  const bool anyHit = labelHit || cellHit;
  const bool multiSelect = selection.Contains(toMultiSelect);
  const bool fullRowDrag = misc.Contains(toFullRowDrag);
  const bool nodeSelected = anyHit && node->Has(nsSelected);
  // Drags start by the application's leave only (OnDragAllowed), or go on.
  bool autoDrag = IsDragging() && (!cellHit || fullRowDrag);
  if (node && !autoDrag) autoDrag = FireDragAllowed(node, newColumn) && (!cellHit || fullRowDrag);
  if (node && hit.HitPositions.Contains(htOnItemButton) && node->Has(nsHasChildren)) {
    ToggleExpanded(node);
    return;
  }
  if (node && hit.HitPositions.Contains(htOnItemCheckbox)) {
    PressCheckImage(node);
    return;
  }
  if ((root_->ChildCount > 0 && shiftEmpty) || selectionLive_ == 0) {
    const PDataNode levelNode = node ? node : LastVisibleNodeRaw(nullptr);
    if (levelNode) lastSelectionLevel_ = static_cast<int>(NodeLevel(levelNode));
  }
  // A drag may take the whole selection along: the clearing waits for the release.
  if (multiSelect && shiftEmpty && anyHit && autoDrag && nodeSelected) ChangeTreeStates({tsClearPending}, {});
  const bool canClear =
      !autoDrag && !(states_.Contains(tsRightButtonDown) && NodeHasPopupMenu(node, hitColumn, Point(x, y)));
  if ((multiSelect && shiftEmpty && !anyHit && !fullRowDrag) ||
      (anyHit && (!nodeSelected || canClear) && (shiftEmpty || !multiSelect)))
    ClearSelectionForClick(node, nodeSelected || (altPressed && node && hitColumn == header_->MainColumn()));
  // A second click on the selected focused node edits it once the button is released.
  const bool onText = hit.HitPositions.Contains(htOnItemLabel) || (gridExtensions && hit.HitPositions.Contains(htOnItem));
  if (HandleAllocated() && Focused() && onText && nodeSelected && !nodeChanged && !columnChanged && shiftEmpty)
    ChangeTreeStates({tsEditPending}, {});
  if (!selection.Contains(toDisableDrawSelection) && !labelHit && !fullRowDrag && multiSelect) {
    StartRubberBand(x, y, shift);
    if (!cellHit) return;
  }
  lastClickPos_ = Point(x, y);
  if (!anyHit || !FireFocusChanging(focusedNode_, node, focusedColumn_, newColumn)) return;
  if (columnChanged) {
    RepaintColumn(focusedColumn_);
    RepaintColumn(newColumn);
    focusedColumn_ = newColumn;
  }
  const PDataNode oldFocused = focusedNode_;
  if (nodeChanged || columnChanged) FocusNode(node, false);
  if (!multiSelect || shiftEmpty) {
    if (shiftEmpty) rangeAnchor_ = node;
    if (!nodeSelected) SelectNode(node);
  } else {
    ApplyClickSelection(oldFocused, node, shift, autoDrag);
  }
  if (nodeChanged || columnChanged) FireFocusChanged(focusedNode_, focusedColumn_);
  const bool buttonDown = states_.Contains(tsLeftButtonDown) || states_.Contains(tsMiddleButtonDown) ||
                          states_.Contains(tsRightButtonDown);
  if (autoDrag && buttonDown) StartNodeDrag(false);
}

void TBaseDataTree::ClearSelectionForClick(PDataNode node, bool keepOnlyNode) {
  QASSERT(!states_.Contains(tsClearPending), "Pending and direct clearance are mutual exclusive!");
  if (!keepOnlyNode) {
    UnselectAll();
    return;
  }
  const bool several = selectionLive_ > 1;
  DropSelection();
  SelectOneNode(node, true);
  if (!several) return;
  if (HandleAllocated()) Invalidate();
  SignalChange(nullptr);
}

void TBaseDataTree::MouseButtonUp(int x, int y, TShiftState shift) {
  if (HandleAllocated() && GetCapture() == Handle()) ReleaseCapture();
  if (states_.Contains(tsVCLDragPending)) return;
  EndRubberBand();
  THitInfo hit;
  HitTestAt(x, y, true, hit);
  const TColumnIndex hitColumn = header_->HasColumns() ? hit.HitColumn : ColumnNone;
  if (states_.Contains(tsClearPending)) {
    const bool reselect = focusedNode_ && focusedNode_->Has(nsSelected);
    UnselectAll();
    if (reselect) SelectNode(focusedNode_);
  }
  if (states_.Contains(tsToggleFocusedSelection) && hit.HitNode && hit.HitNode == focusedNode_) {
    if (focusedNode_->Has(nsSelected))
      DeselectNode(focusedNode_);
    else
      SelectNode(focusedNode_);
    RepaintNode(focusedNode_);
  }
  ChangeTreeStates({}, {tsToggleFocusedSelection, tsClearPending, tsDrawSelPending, tsOLEDragging, tsOLEDragPending});
  StopAutoScroll();
  ReleaseCheckImage(x, y);
  if (clickColumn_ >= 0 && clickColumn_ == hitColumn) FireColumnClick(hitColumn, shift);
  if (!states_.Contains(tsEditPending)) return;
  if (hit.HitNode && hit.HitNode == focusedNode_ && hit.HitPositions.Contains(htOnItem) &&
      CanEditNode(focusedNode_, hitColumn)) {
    editColumn_ = focusedColumn_;
    SetTimer(Handle(), EditTimer, EditDelay, nullptr);
  } else {
    ChangeTreeStates({}, {tsEditPending});
  }
}

void TBaseDataTree::MouseDoubleClick(int x, int y, TShiftState shift) {
  if (states_.Contains(tsEditPending)) {
    KillTreeTimer(EditTimer);
    ChangeTreeStates({}, {tsEditPending});
  }
  if (states_.Contains(tsEditing) && !FinishEditing()) return;
  THitInfo hit;
  HitTestAt(x, y, true, hit);
  const TColumnIndex hitColumn = header_->HasColumns() ? hit.HitColumn : ColumnNone;
  if (hitColumn >= 0 && hitColumn == clickColumn_) FireColumnDblClick(hitColumn, shift);
  if (!hit.HitNode) return;
  if (hit.HitPositions.Contains(htOnItemCheckbox)) {
    PressCheckImage(hit.HitNode);
    return;
  }
  const THitPositions positions = hit.HitPositions;
  const bool onContent = positions.Contains(htOnItemButton) || positions.Contains(htOnItemLabel) ||
                         positions.Contains(htOnNormalIcon) || positions.Contains(htOnStateIcon) ||
                         options_->SelectionOptions().Contains(toFullRowSelect);
  if (positions.Contains(htOnItemButton) || (options_->MiscOptions().Contains(toToggleOnDblClick) && onContent))
    ToggleExpanded(hit.HitNode);
}

void TBaseDataTree::ApplyClickSelection(PDataNode oldFocused, PDataNode node, TShiftState shift, bool dragPending) {
  (void)oldFocused;
  const bool multiSelect = options_->SelectionOptions().Contains(toMultiSelect);
  if (!multiSelect) shift = 0;
  if ((shift & ssCtrl) && (shift & ssShift)) {
    SelectRange(rangeAnchor_, node, true);
  } else if (shift & ssCtrl) {
    if (!options_->SelectionOptions().Contains(toSiblingSelectConstraint)) rangeAnchor_ = node;
    if (dragPending)
      ChangeTreeStates({tsToggleFocusedSelection}, {});
    else if (node->Has(nsSelected))
      DeselectNode(node);
    else
      SelectNode(node);
  } else if (shift & ssShift) {
    if (!rangeAnchor_) rangeAnchor_ = FirstRootNode();
    SelectRange(rangeAnchor_, node, false);
  } else {
    if (!node->Has(nsSelected)) SelectNode(node);
    rangeAnchor_ = node;
  }
}

void TBaseDataTree::TrackHotNode(PDataNode node) {
  if (node == currentHotNode_) return;
  const PDataNode old = currentHotNode_;
  FireHotChange(old, node);
  currentHotNode_ = node;
  if (options_->PaintOptions().Contains(toHotTrack) || options_->MiscOptions().Contains(toCheckSupport)) {
    if (old) RepaintNode(old);
    if (node) RepaintNode(node);
  }
}

void TBaseDataTree::TrackHotNode(int x, int y) {
  THitInfo hit;
  HitTestAt(x, y, true, hit);
  const bool overContent = hit.HitPositions.Contains(htOnItemLabel) || hit.HitPositions.Contains(htOnItemCheckbox) ||
                           options_->SelectionOptions().Contains(toFullRowSelect);
  TrackHotNode(overContent ? hit.HitNode : nullptr);
}

TPopupMenu* TBaseDataTree::FindPopupMenu(PDataNode node, TColumnIndex column, TPoint position) {
  if (!OnGetPopupMenu) return nullptr;
  TPopupMenu* menu = nullptr;
  bool askParent = true;
  if (!node) {
    OnGetPopupMenu(this, nullptr, ColumnNone, position, askParent, menu);
    return menu;
  }
  for (PDataNode run = node; run != root_ && !menu && askParent; run = run->Parent)
    OnGetPopupMenu(this, run, column, position, askParent, menu);
  return menu;
}

bool TBaseDataTree::NodeHasPopupMenu(PDataNode node, TColumnIndex column, TPoint position) {
  return PopupMenu() != nullptr || FindPopupMenu(node, column, position) != nullptr;
}

void TBaseDataTree::ShowPopupMenu(PDataNode node, TColumnIndex column, TPoint position) {
  TPopupMenu* menu = FindPopupMenu(node, column, position);
  if (!menu) return;
  ChangeTreeStates({tsPopupMenuShown}, {});
  KillTreeTimer(EditTimer);
  menu->PopupComponent = this;
  const TPoint screen = ClientToScreen(position);
  menu->Popup(screen.X, screen.Y);
}

// ---- Wheel and scroll bars ---------------------------------------------------------------------

void TBaseDataTree::ScrollByWheel(int wheelDelta, TShiftState shift) {
  const int notches = wheelDelta / WheelDelta;
  if (ClientHeight() < RangeY()) {
    const int lines = (shift & ssCtrl) ? (ClientHeight() / static_cast<int>(defaultNodeHeight_)) * notches
                                       : wheelDelta * LinesPerNotch / WheelDelta;
    SetVertOffset(offsetY_ + lines * static_cast<int>(defaultNodeHeight_));
  } else {
    const int steps = (shift & ssCtrl) ? notches * ClientWidth() : notches;
    SetHorzOffset(offsetX_ + ReadingDirection() * steps * static_cast<int>(indent_));
  }
}

bool TBaseDataTree::DoMouseWheel(TShiftState shift, int wheelDelta, TPoint mousePos) {
  EndWheelPanning();
  if (TCustomControl::DoMouseWheel(shift, wheelDelta, mousePos)) return true;
  ScrollByWheel(wheelDelta, shift);
  return true;
}

void TBaseDataTree::ScrollBarMessage(TMessage& message, bool vertical) {
  const int code = LOWORD(message.WParam);
  const int increment = vertical ? scrollBarOptions_->VerticalIncrement : scrollBarOptions_->HorizontalIncrement;
  const int page = vertical ? ClientHeight() : ClientWidth();
  const int offset = vertical ? offsetY_ : offsetX_;
  // Right to left, the bar's left end shows the content's right end.
  const bool mirrored = !vertical && ReadsRightToLeft(ColumnNone);
  const int direction = vertical ? 1 : ReadingDirection();
  int next = offset;
  switch (code) {
    case SB_LINEUP: next = offset + increment * direction; break;
    case SB_LINEDOWN: next = offset - increment * direction; break;
    case SB_PAGEUP: next = offset + page * direction; break;
    case SB_PAGEDOWN: next = offset - page * direction; break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK: {
      ChangeTreeStates({tsThumbTracking}, {});
      SCROLLINFO info;
      info.fMask = SIF_TRACKPOS;
      GetScrollInfo(Handle(), vertical ? SB_VERT : SB_HORZ, info);
      next = mirrored ? ClientWidth() + info.nTrackPos - RangeX() : -info.nTrackPos;
      break;
    }
    case SB_TOP: next = 0; break;
    case SB_BOTTOM: next = vertical ? -static_cast<int>(root_->TotalHeight) : -RangeX(); break;
    case SB_ENDSCROLL:
      ChangeTreeStates({}, {tsThumbTracking});
      if (vertical)
        RefreshScrollBars(true);
      else
        UpdateHorzScrollBar(false);
      return;
    default: return;
  }
  if (vertical)
    SetVertOffset(next);
  else
    SetHorzOffset(next);
}

// ---- Message routing ---------------------------------------------------------------------------

bool TBaseDataTree::InputMessage(TMessage& message) {
  const int x = GET_X_LPARAM(message.LParam);
  const int y = GET_Y_LPARAM(message.LParam);
  const TShiftState shift = ShiftStateOfKeys(message.WParam) | (GetKeyState(VK_MENU) < 0 ? ssAlt : 0);
  const TDTSelectionOptions selection = options_->SelectionOptions();
  switch (message.Msg) {
    case WM_GETDLGCODE:
      message.Result = DLGC_WANTARROWS | DLGC_WANTCHARS | (WantTabs ? DLGC_WANTTAB : 0);
      return true;
    case WM_LBUTTONDOWN:
      ChangeTreeStates({tsLeftButtonDown}, {});
      TCustomControl::Dispatch(message);
      MouseButtonDown(x, y, shift);
      return true;
    case WM_LBUTTONUP:
      ChangeTreeStates({}, {tsLeftButtonDown});
      MouseButtonUp(x, y, shift);
      TCustomControl::Dispatch(message);
      return true;
    case WM_LBUTTONDBLCLK:
      DoubleClickMessage(message, tsLeftDblClick, true, shift);
      return true;
    case WM_MBUTTONDBLCLK:
      DoubleClickMessage(message, tsMiddleDblClick, selection.Contains(toMiddleClickSelect), shift);
      return true;
    case WM_RBUTTONDBLCLK:
      DoubleClickMessage(message, tsRightDblClick, selection.Contains(toRightClickSelect), shift);
      return true;
    case WM_NCLBUTTONDOWN:
    case WM_NCRBUTTONDOWN:
    case WM_NCMBUTTONDOWN:
      // A press on the frame or a scroll bar focuses the tree too.
      if (HandleAllocated() && !Focused() && CanFocus()) SetFocus();
      return false;
    case WM_MBUTTONDOWN:
      MiddleButtonDown(message, x, y, shift);
      return true;
    case WM_MBUTTONUP:
      MiddleButtonUp(message, x, y, shift);
      return true;
    case WM_RBUTTONDOWN:
      ChangeTreeStates({tsRightButtonDown}, {});
      if (HeaderBusy()) return true;
      TCustomControl::Dispatch(message);
      if (selection.Contains(toRightClickSelect)) MouseButtonDown(x, y, shift);
      return true;
    case WM_RBUTTONUP: {
      ChangeTreeStates({}, {tsRightButtonDown, tsPopupMenuShown});
      if (HeaderBusy()) return true;
      Application().CancelHint();
      // The tree's own menu is about to show: a band being drawn ends.
      if (IsRubberBandActive() && PopupMenu()) EndRubberBand();
      TCustomControl::Dispatch(message);
      THitInfo hit;
      HitTestAt(x, y, true, hit);
      if (selection.Contains(toRightClickSelect)) MouseButtonUp(x, y, shift);
      if (!PopupMenu()) ShowPopupMenu(hit.HitNode, hit.HitColumn, Point(x, y));
      return true;
    }
    case WM_SETCURSOR: {
      const bool panning = states_.Contains(tsWheelPanning) || states_.Contains(tsWheelScrolling);
      if (reinterpret_cast<HWND>(message.WParam) != Handle() || LOWORD(static_cast<uintptr_t>(message.LParam)) != HTCLIENT ||
          panning || Screen().Cursor() != crDefault)
        return false;
      const bool hot = options_->PaintOptions().Contains(toHotTrack) && currentHotNode_ && HotCursor != crDefault;
      TCursor cursor = hot ? HotCursor : Cursor();
      FireGetCursor(cursor);
      ::SetCursor(Screen().Cursors(cursor));
      message.Result = 1;
      return true;
    }
    case WM_CONTEXTMENU:
      ChangeTreeStates({}, {tsClearPending, tsEditPending, tsOLEDragPending, tsVCLDragPending});
      // The menu was shown by the button's release already.
      if (!states_.Contains(tsPopupMenuShown)) TCustomControl::Dispatch(message);
      return true;
    case WM_MOUSEMOVE: {
      TCustomControl::Dispatch(message);
      lastMouse_ = Point(x, y);
      // Moving the pressed middle button far makes click panning drag panning.
      if (states_.Contains(tsWheelPanning) && states_.Contains(tsWheelScrolling) &&
          (std::abs(x - lastClickPos_.X) >= MouseDragThreshold || std::abs(y - lastClickPos_.Y) >= MouseDragThreshold))
        ChangeTreeStates({}, {tsWheelScrolling});
      if (states_.Contains(tsDrawSelPending) || states_.Contains(tsDrawSelecting)) MoveRubberBand(x, y);
      if (CanAutoScrollNow()) ArmAutoScroll(x, y);
      if (WheelPanningRuns()) {
        UpdatePanningCursor(x, y);
        return true;
      }
      if (states_.Contains(tsOLEDragPending) &&
          (std::abs(x - dragStart_.X) > dragThreshold_ || std::abs(y - dragStart_.Y) > dragThreshold_)) {
        RunOleDrag(dragStart_);
        return true;
      }
      TrackHotNode(x, y);
      return true;
    }
    case WM_KEYUP:
      TCustomControl::Dispatch(message);
      if (message.WParam == VK_SPACE) ReleaseCheckKey(true);
      return true;
    case CM_MOUSELEAVE:
      ForgetHintArea();
      // A band or a drag holding the mouse goes on scrolling outside the window.
      if (!WheelPanningRuns() && !(HandleAllocated() && GetCapture() == Handle())) StopAutoScroll();
      TrackHotNode(nullptr);
      TCustomControl::Dispatch(message);
      return true;
    case WM_CHAR:
      if (states_.Contains(tsIncrementalSearchPending)) {
        IncrementalSearchKey(static_cast<char32_t>(message.WParam));
        ChangeTreeStates({}, {tsIncrementalSearchPending});
      }
      TCustomControl::Dispatch(message);
      return true;
    case WM_TIMER:
      if (message.WParam == EditTimer) {
        BeginEditing();
        return true;
      }
      if (message.WParam == SearchTimer) {
        ForgetSearch();
        return true;
      }
      if (message.WParam != ScrollTimer) return false;
      ScrollTimerTick();
      return true;
    case WM_CANCELMODE:
      for (UINT_PTR timer : {ExpandTimer, EditTimer, HeaderTimer, ScrollTimer}) KillTreeTimer(timer);
      ForgetSearch();
      EndRubberBand();
      ChangeTreeStates({}, {tsClearPending, tsEditPending, tsOLEDragPending, tsVCLDragPending});
      TCustomControl::Dispatch(message);
      return true;
    case WM_VSCROLL:
    case WM_HSCROLL:
      ScrollBarMessage(message, message.Msg == WM_VSCROLL);
      return true;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      TCustomControl::Dispatch(message);
      if (message.Msg == WM_KILLFOCUS) {
        EndWheelPanning();
        for (UINT_PTR timer : {ExpandTimer, EditTimer, HeaderTimer, ScrollTimer}) KillTreeTimer(timer);
        ForgetSearch();
        EndRubberBand();
        ChangeTreeStates({}, {tsClearPending, tsEditPending, tsLeftButtonDown, tsRightButtonDown, tsMiddleButtonDown,
                              tsScrollPending, tsScrolling, tsOLEDragPending, tsVCLDragPending});
      }
      RepaintForFocus();
      return true;
    default: return false;
  }
}

// ---- Automatic scrolling -------------------------------------------------------------------------

bool TBaseDataTree::CanAutoScrollNow() const {
  const bool panning = WheelPanningRuns();
  const bool dropTarget = dragManager_ && dragManager_->IsDropTargetNow();
  return (options_->AutoOptions().Contains(toAutoScroll) || panning) && header_->States().Empty() &&
         (IsRubberBandActive() || dropTarget || states_.Contains(tsVCLDragging) || panning);
}

unsigned TBaseDataTree::AutoScrollDirections(int x, int y) {
  if (!CanAutoScrollNow()) return 0;
  unsigned directions = 0;
  if (WheelPanningRuns()) {
    if (x < lastClickPos_.X - PanningNeutralZone) directions |= ScrollLeft;
    if (x > lastClickPos_.X + PanningNeutralZone) directions |= ScrollRight;
    if (y < lastClickPos_.Y - PanningNeutralZone) directions |= ScrollUp;
    if (y > lastClickPos_.Y + PanningNeutralZone) directions |= ScrollDown;
    return directions;
  }
  const int edge = static_cast<int>(defaultNodeHeight_);
  if (x < edge && offsetX_ != 0) directions |= ScrollLeft;
  if (ClientWidth() + effectiveOffsetX_ < RangeX() && x > ClientWidth() - edge) directions |= ScrollRight;
  if (y < edge && offsetY_ != 0) directions |= ScrollUp;
  if (ClientHeight() - offsetY_ < RangeY() && y > ClientHeight() - edge) directions |= ScrollDown;
  if (directions == 0) {
    autoScrollStart_.reset();
    return 0;
  }
  // Scrolling starts only after the mouse stayed AutoScrollDelay in an edge zone.
  const uint64_t now = Clock().Milliseconds();
  if (!autoScrollStart_) autoScrollStart_ = now;
  return now - *autoScrollStart_ < AutoScrollDelay ? 0 : directions;
}

void TBaseDataTree::ArmAutoScroll(int x, int y) {
  const bool running = states_.Contains(tsScrollPending) || states_.Contains(tsScrolling);
  if (!CanAutoScrollNow() || !HandleAllocated() || WheelPanningRuns()) return;
  const int edge = static_cast<int>(defaultNodeHeight_);
  const bool inEdge = x < edge || y < edge || x > ClientWidth() - edge || y > ClientHeight() - edge;
  if (!inEdge) {
    autoScrollStart_.reset();
    if (running) StopAutoScroll();
    return;
  }
  if (!autoScrollStart_) autoScrollStart_ = Clock().Milliseconds();
  if (running) return;
  ChangeTreeStates({tsScrollPending}, {});
  SetTimer(Handle(), ScrollTimer, AutoScrollDelay, nullptr);
}

void TBaseDataTree::StopAutoScroll() {
  KillTreeTimer(ScrollTimer);
  ChangeTreeStates({}, {tsScrollPending, tsScrolling});
  autoScrollStart_.reset();
}

void TBaseDataTree::ScrollTimerTick() {
  if (states_.Contains(tsScrollPending)) {
    SetTimer(Handle(), ScrollTimer, AutoScrollInterval, nullptr);
    ChangeTreeStates({tsScrolling}, {tsScrollPending});
  }
  const bool panning = WheelPanningRuns();
  const bool inside = PtInRect(ClientRect(), lastMouse_);
  if (!IsRubberBandActive() && !inside && !panning) return;
  const unsigned directions = AutoScrollDirections(lastMouse_.X, lastMouse_.Y);
  const TPoint delta = AutoScrollDelta(directions, lastMouse_, inside, panning);
  if (delta.X != 0 || delta.Y != 0) {
    SetScrollOffset({offsetX_ + delta.X, offsetY_ + delta.Y}, oufAll, nullptr);
    if (states_.Contains(tsDrawSelecting)) MoveRubberBand(lastMouse_.X, lastMouse_.Y);
  }
  if (directions == 0 && !panning && autoScrollStart_ &&
      Clock().Milliseconds() - *autoScrollStart_ >= AutoScrollDelay)
    StopAutoScroll();
}

TPoint TBaseDataTree::AutoScrollDelta(unsigned directions, TPoint mouse, bool inside, bool panning) const {
  const TRect client = ClientRect();
  const int vertical = std::min(scrollBarOptions_->VerticalIncrement, client.Height());
  const int horizontal = scrollBarOptions_->HorizontalIncrement;
  // Panning moves by the distance beyond the neutral zone; an edge by one
  // increment inside the window and by one per pixel outside it.
  auto step = [&](int increment, int outside, int panned) {
    return panning ? panned : inside ? increment : increment * std::abs(outside);
  };
  TPoint delta{0, 0};
  if (directions & ScrollUp)
    delta.Y = step(vertical, client.Top - mouse.Y, lastClickPos_.Y - mouse.Y - PanningNeutralZone);
  if (directions & ScrollDown)
    delta.Y = -step(vertical, mouse.Y - client.Bottom, mouse.Y - lastClickPos_.Y - PanningNeutralZone);
  if (directions & ScrollLeft)
    delta.X = step(horizontal, client.Left - mouse.X, lastClickPos_.X - mouse.X - PanningNeutralZone);
  if (directions & ScrollRight)
    delta.X = -step(horizontal, mouse.X - client.Right, mouse.X - lastClickPos_.X - PanningNeutralZone);
  delta.X *= ReadingDirection();
  return delta;
}

// ---- Middle button -------------------------------------------------------------------------------

void TBaseDataTree::DoubleClickMessage(TMessage& message, TDataTreeState state, bool handled, TShiftState shift) {
  ChangeTreeStates({state}, {});
  TCustomControl::Dispatch(message);
  if (handled) MouseDoubleClick(GET_X_LPARAM(message.LParam), GET_Y_LPARAM(message.LParam), shift);
  ChangeTreeStates({}, {state});
}

void TBaseDataTree::MiddleButtonDown(TMessage& message, int x, int y, TShiftState shift) {
  ChangeTreeStates({tsMiddleButtonDown}, {});
  if (HeaderBusy()) return;
  TCustomControl::Dispatch(message);
  const bool scrollable = ClientWidth() < RangeX() || ClientHeight() < RangeY();
  if (options_->MiscOptions().Contains(toWheelPanning) && !WheelPanningRuns() && scrollable) {
    lastClickPos_ = Point(x, y);
    BeginWheelPanning(lastClickPos_);
    return;
  }
  EndWheelPanning();
  if (options_->SelectionOptions().Contains(toMiddleClickSelect)) MouseButtonDown(x, y, shift);
}

void TBaseDataTree::MiddleButtonUp(TMessage& message, int x, int y, TShiftState shift) {
  ChangeTreeStates({}, {tsMiddleButtonDown});
  if (WheelPanningRuns()) {
    // A release before the mouse moved far keeps click panning going.
    if (states_.Contains(tsWheelScrolling))
      ChangeTreeStates({}, {tsWheelPanning});
    else
      EndWheelPanning();
    return;
  }
  if (HeaderBusy()) return;
  TCustomControl::Dispatch(message);
  if (options_->SelectionOptions().Contains(toMiddleClickSelect)) MouseButtonUp(x, y, shift);
}

bool TBaseDataTree::HeaderBusy() const {
  return header_->States().Contains(hdDragging) || header_->States().Contains(hdTracking);
}

int TBaseDataTree::ReadingDirection() const { return ReadsRightToLeft(ColumnNone) ? -1 : 1; }

void TBaseDataTree::RepaintForFocus() {
  if (!HandleAllocated()) return;
  const bool ghosted = options_->PaintOptions().Contains(toGhostedIfUnfocused);
  if (selectionLive_ > 0 || !ghosted)
    Invalidate();
  else if (focusedNode_)
    RepaintNode(focusedNode_);
}
