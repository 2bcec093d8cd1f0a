#pragma once
// The published types of the tree view control: option sets, tree states,
// change reasons and the other enumerations, members in declaration order.

#include <cstdint>

#include "runtime/EnumSet.h"
#include "toolkit/controls/ButtonLayout.h"

// A column of the header; -1: no column.
using TColumnIndex = int;
constexpr TColumnIndex ColumnNone = -1;
constexpr TColumnIndex ColumnNotFound = -2;

enum TDataTreeState {
  tsCancelHintAnimation, tsChangePending, tsCheckPropagation, tsCollapsing, tsToggleFocusedSelection,
  tsClearPending, tsClipboardFlushing, tsCopyPending, tsCutPending, tsDrawSelPending, tsDrawSelecting,
  tsEditing, tsEditPending, tsExpanding, tsHint, tsInAnimation, tsIncrementalSearching,
  tsIncrementalSearchPending, tsIterating, tsKeyCheckPending, tsLeftButtonDown, tsLeftDblClick,
  tsMouseCheckPending, tsMiddleButtonDown, tsMiddleDblClick, tsNeedScale, tsNeedRootCountUpdate,
  tsOLEDragging, tsOLEDragPending, tsPainting, tsRightButtonDown, tsRightDblClick, tsPopupMenuShown,
  tsScrolling, tsScrollPending, tsSizing, tsStopValidation, tsStructureChangePending, tsSynchMode,
  tsThumbTracking, tsUpdateHiddenChildrenNeeded, tsUpdating, tsUseCache, tsUserDragObject, tsUseThemes,
  tsValidating, tsValidationNeeded, tsVCLDragging, tsVCLDragPending, tsWheelPanning, tsWheelScrolling,
  tsWindowCreating,
};
using TDataTreeStates = TEnumSet<TDataTreeState>;
static_assert(tsWindowCreating == 51, "52 tree states");

enum TChangeReason { crIgnore, crAccumulated, crChildAdded, crChildDeleted, crNodeAdded, crNodeCopied, crNodeMoved };
enum TDTUpdateState { usBegin, usBeginSynch, usSynch, usUpdate, usEnd, usEndSynch };

enum TDataNodeInitState { ivsDisabled, ivsExpanded, ivsHasChildren, ivsMultiline, ivsSelected };
using TDataNodeInitStates = TEnumSet<TDataNodeInitState>;

enum TDTNodeAttachMode { amNoWhere, amInsertBefore, amInsertAfter, amAddChildFirst, amAddChildLast };

enum TDTPaintOption {
  toHideFocusRect, toHideSelection, toHotTrack, toPopupMode, toShowBackground, toShowButtons,
  toShowDropmark, toShowHorzGridLines, toShowRoot, toShowTreeLines, toShowVertGridLines, toThemeAware,
  toUseBlendedImages, toGhostedIfUnfocused, toFullVertGridLines, toAlwaysHideSelection,
  toUseBlendedSelection, toStaticBackground,
};
using TDTPaintOptions = TEnumSet<TDTPaintOption>;

enum TDTAnimationOption { toAnimatedToggle };
using TDTAnimationOptions = TEnumSet<TDTAnimationOption>;

enum TDTAutoOption {
  toAutoDropExpand, toAutoExpand, toAutoScroll, toAutoScrollOnExpand, toAutoSort, toAutoSpanColumns,
  toAutoTristateTracking, toAutoHideButtons, toAutoDeleteMovedNodes, toDisableAutoscrollOnFocus,
  toAutoChangeScale, toAutoFreeOnCollapse, toDisableAutoscrollOnEdit, toAutoBidiColumnOrdering,
};
using TDTAutoOptions = TEnumSet<TDTAutoOption>;

enum TDTSelectionOption {
  toDisableDrawSelection, toExtendedFocus, toFullRowSelect, toLevelSelectConstraint, toMiddleClickSelect,
  toMultiSelect, toRightClickSelect, toSiblingSelectConstraint, toCenterScrollIntoView, toSimpleDrawSelection,
};
using TDTSelectionOptions = TEnumSet<TDTSelectionOption>;

enum TDTMiscOption {
  toAcceptOLEDrop, toCheckSupport, toEditable, toFullRepaintOnResize, toGridExtensions, toInitOnSave,
  toReportMode, toToggleOnDblClick, toWheelPanning, toReadOnly, toVariableNodeHeight, toFullRowDrag,
};
using TDTMiscOptions = TEnumSet<TDTMiscOption>;

enum TDTImageKind { ikNormal, ikSelected, ikState, ikOverlay };

enum TDTColumnOption {
  coAllowClick, coDraggable, coEnabled, coParentBidiMode, coParentColor, coResizable, coShowDropMark,
  coVisible, coAutoSpring, coFixed,
};
using TDTColumnOptions = TEnumSet<TDTColumnOption>;

enum TDTHeaderOption {
  hoAutoResize, hoColumnResize, hoDblClickResize, hoDrag, hoHotTrack, hoOwnerDraw, hoRestrictDrag,
  hoShowHint, hoShowImages, hoShowSortGlyphs, hoVisible, hoAutoSpring,
};
using TDTHeaderOptions = TEnumSet<TDTHeaderOption>;

enum TSortDirection { sdAscending, sdDescending };
enum TBiDiMode { bdLeftToRight, bdRightToLeft, bdRightToLeftNoAlign, bdRightToLeftReadingOnly };
enum TDataTreeColumnStyle { vsText, vsOwnerDraw };
using TDTHeaderColumnLayout = TButtonLayout;
enum TDTHeaderStyle { hsThickButtons, hsFlatButtons, hsPlates, hsXPStyle };
enum TDTHeaderState { hdDragging, hdDragPending, hdLoading, hdTracking, hdTrackPending };
using TDTHeaderStates = TEnumSet<TDTHeaderState>;

enum TDTLineStyle { lsCustomStyle, lsDotted, lsSolid };
enum TDTLineMode { lmNormal, lmBands };
// The tree's own bevel inside its window border (the toolkit's controls have none).
enum TBevelKind { bkNone, bkTile, bkSoft, bkFlat };
enum TBevelEdge { beLeft, beTop, beRight, beBottom };
using TBevelEdges = TEnumSet<TBevelEdge>;
enum TDTButtonStyle { bsRectangle, bsTriangle };
enum TDTButtonFillMode { fmTreeColor, fmWindowColor, fmShaded, fmTransparent };
enum TDTDragImageKind { diComplete, diMainColumnOnly, diNoImage };
enum TItemEraseAction { eaColor, eaDefault, eaNone };
enum TDTHintMode { hmDefault, hmHint, hmHintAndDefault, hmTooltip };
enum TDTTooltipLineBreakStyle { hlbDefault, hlbForceSingleLine, hlbForceMultiLine };
enum THintAnimationType { hatNone, hatFade, hatSlide, hatSystemDefault };
enum TDTNodeAlignment { naFromBottom, naFromTop, naProportional };

// What a node's CheckType byte shows in front of its images.
enum TNodeCheckType : uint8_t { nctNone, nctTriStateBox, nctCheckBox, nctRadioButton, nctButton };
enum TCheckImageKind { ckLightCheck, ckDarkCheck, ckLightTick, ckDarkTick, ckFlat, ckXP, ckCustom, ckSystem, ckSystemFlat };

enum TDTIncrementalSearch { isAll, isNone, isInitializedOnly, isVisibleOnly };
enum TDTSearchDirection { sdForward, sdBackward };
enum TDTSearchStart { ssAlwaysStartOver, ssLastHit, ssFocusedNode };

// Where a point lies relative to the rows, by bit.
enum THitPosition {
  htAbove, htBelow, htNowhere, htOnItem, htOnItemButton, htOnItemCheckbox, htOnItemIndent, htOnItemLabel,
  htOnItemLeft, htOnItemRight, htOnNormalIcon, htOnStateIcon, htToLeft, htToRight,
};
using THitPositions = TEnumSet<THitPosition>;

// What SetScrollOffset updates besides the offsets.
using TOffsetUpdateFlags = unsigned;
constexpr TOffsetUpdateFlags oufHeader = 1;
constexpr TOffsetUpdateFlags oufScrollBars = 2;
constexpr TOffsetUpdateFlags oufClientArea = 4;
constexpr TOffsetUpdateFlags oufFrame = 8;
constexpr TOffsetUpdateFlags oufAll = 15;

// Where a drop would go relative to the node under the mouse.
enum TDropMode { dmNowhere, dmAbove, dmOnNode, dmBelow };
enum TDragState { dsDragEnter, dsDragLeave, dsDragMove };
enum TDragOperation { doCopy, doMove, doLink };
using TDragOperations = TEnumSet<TDragOperation>;
// dtVCL (the framework's control drag) is accepted, but the toolkit has none: such a drag does not start.
enum TDTDragType { dtOLE, dtVCL };
