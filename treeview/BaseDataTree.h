#pragma once
// The owner-data tree and list control. It keeps only node records (see
// DataNode.h); what a node shows is asked for through events when needed,
// and the application keeps its own data in each node's user data area.
//
// The implementation is spread by concern:
//   BaseDataTree.cpp           construction, properties, accessors
//   BaseDataTreeStore.cpp      allocation, child counts, deletion, updates
//   BaseDataTreeLinking.cpp    initialisation, linking, unlinking, release
//   BaseDataTreeIteration.cpp  the node walkers
//   BaseDataTreeSelection.cpp  selection, focus, states, change signalling
//   BaseDataTreeEvents.cpp     the event firers
//   BaseDataTreeExpand.cpp     expanding and collapsing
//   BaseDataTreeAnimation.cpp  the slide of expanding and collapsing
//   BaseDataTreeSort.cpp       sorting siblings
//   BaseDataTreePosition.cpp   the position index and position lookups
//   BaseDataTreeHeader.cpp     the header's non-client rows and event firers
//   BaseDataTreeStream.cpp     node records in streams, tree streams, moving nodes
//   BaseDataTreeClipboard.cpp  clipboard formats, copy, cut and paste, edit actions
//   BaseDataTreeDragDrop.cpp   dragging nodes, the drop target and the drop mark
//   BaseDataTreeAccessibility.cpp  the desktop's object request and the tree-view messages
// The header and its columns: DTHeader.cpp, DTHeaderMouse.cpp, DataTreeColumns.cpp.
//   BaseDataTreeGeometry.cpp   rectangles, hit tests, offsets, scroll bars, repaints
//   BaseDataTreePaint.cpp      the row-by-row paint pipeline and its pieces
//   BaseDataTreeInput.cpp      keys, mouse, wheel, scroll bars, automatic scrolling
//   BaseDataTreeRubberBand.cpp the rubber band: its rectangle, the selection it makes, its drawing
//   BaseDataTreeCheck.cpp      check boxes, radio buttons and push buttons
//   BaseDataTreeSearch.cpp     incremental search
//   BaseDataTreeHint.cpp       hints and tooltips over nodes and header columns
//
// The tree works fully without a window: every window effect (repainting,
// scroll bars, scrolling into view) does nothing while there is none.

#include <cstddef>
#include <functional>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "toolkit/controls/CustomControl.h"
#include "toolkit/controls/Form.h"
#include "toolkit/controls/Panel.h"
#include "toolkit/gdi/ImageList.h"
#include "toolkit/win/DragDrop.h"
#include "treeview/DTEditLink.h"
#include "treeview/DataNode.h"
#include "treeview/DataTransfer.h"
#include "treeview/DataTreeEvents.h"
#include "treeview/DataTreeTypes.h"
#include "treeview/NodePool.h"
#include "treeview/PaintInfo.h"

class TAction;
class TBitmap;
class TClipboardFormats;
class TDTDragManager;
class TDTDragImage;
class IDTAccessible;
struct TVITEM;
class TCustomDataTreeOptions;
class TDTColors;
class TDTHeader;
class TImageList;
class TScrollBarOptions;
struct TDTHintData;
struct THintInfo;
class TStream;

// The node, column and positions at a point.
struct THitInfo {
  PDataNode HitNode = nullptr;
  THitPositions HitPositions;
  TColumnIndex HitColumn = ColumnNone;
};

class TBaseDataTree : public TCustomControl {
  friend class TCustomDataTreeOptions;
  friend class TDataTreeColumn;
  friend class TDataTreeColumns;
  friend class TDTHeader;

public:
  explicit TBaseDataTree(TComponent* owner);
  ~TBaseDataTree() override;

  // ---- Store -------------------------------------------------------------
  PDataNode RootNode() const { return root_; }
  unsigned RootNodeCount() const { return root_->ChildCount; }
  void SetRootNodeCount(unsigned count);
  unsigned DefaultNodeHeight() const { return defaultNodeHeight_; }
  void SetDefaultNodeHeight(unsigned height);
  // Bytes of user data per node; -1 while not yet known.
  int NodeDataSize() const { return nodeDataSize_; }
  void SetNodeDataSize(int size);
  unsigned InternalDataSize() const { return internalDataSize_; }
  // Number of rows that scrolling can bring into view.
  unsigned VisibleCount() const { return visibleCount_; }
  int UpdateCount() const { return updateCount_; }
  TDataTreeStates TreeStates() const { return states_; }
  TCustomDataTreeOptions& TreeOptions() { return *options_; }
  TDTHeader& Header() { return *header_; }
  unsigned Indent() const { return indent_; }
  unsigned ChangeDelay() const { return changeDelay_; }
  void SetChangeDelay(unsigned milliseconds) { changeDelay_ = milliseconds; }
  const TNodePool& NodePool() const { return pool_; }

  PDataNode AppendChildNode(PDataNode parent = nullptr, void* userData = nullptr);
  void SetNodeChildCount(PDataNode node, unsigned newCount);
  void RemoveChildNodes(PDataNode node, bool resetHasChildren = false);
  void RemoveNode(PDataNode node, bool reindex = true);
  virtual void RemoveSelectedNodes();
  virtual void Clear();
  void BeginUpdate();
  void EndUpdate();
  void SetNodeRowHeight(PDataNode node, unsigned height);

  // Address of the user data area; nil for nil and the root.
  void* NodeUserData(PDataNode node) const;
  unsigned NodeLevel(PDataNode node) const;
  bool IsDescendantOf(PDataNode node, PDataNode potentialParent) const;
  void EnsureNodeInitialized(PDataNode node, bool recursive);
  void EnsureChildrenInitialized(PDataNode node, bool recursive);
  virtual void ReinitializeNode(PDataNode node, bool recursive);
  virtual void ReinitializeChildren(PDataNode node, bool recursive);
  virtual void ResetNodeChildren(PDataNode node);

  // Order of two nodes in a full walk: 0 same; 1 node2 is an ancestor of
  // node1, -1 the reverse; else the difference of the sibling indexes below
  // the nearest common parent.
  int CompareNodeOrder(PDataNode node1, PDataNode node2) const;

  bool IsNodeSelected(PDataNode node) const { return node && node->Has(nsSelected); }
  bool NodeFullyShown(PDataNode node) const;
  bool PathExpanded(PDataNode node) const;
  bool HasShownLaterSibling(PDataNode node) const;
  unsigned NodeRowHeight(PDataNode node);

  // ---- Selection and focus ------------------------------------------------
  int SelectionCount() const { return selectionLive_; }
  // The selected nodes ascending by address; inside updates it may hold
  // flagged entries (lowest bit set) of nodes removed meanwhile.
  const TNodeArray& Selection() const { return selection_; }
  void SetNodeSelected(PDataNode node, bool value);
  virtual void UnselectAll();
  void SelectRange(PDataNode startNode, PDataNode endNode, bool addOnly);
  void ToggleRange(PDataNode startNode, PDataNode endNode);
  void DeselectRange(PDataNode startNode, PDataNode endNode);
  void SelectAllNodes(bool visibleOnly);
  PDataNode FocusedNode() const { return focusedNode_; }
  void SetFocusedNode(PDataNode node);
  TColumnIndex FocusedColumn() const { return focusedColumn_; }
  // Moves the focus to a node and a column together.
  void FocusNodeAndColumn(PDataNode node, TColumnIndex column);
  // Asks OnFocusChanging, then moves the focus to the column (scrolling the focused node into view when asked).
  void MoveFocusColumn(TColumnIndex column, bool scrollIntoView = true);
  PDataNode RangeAnchor() const { return rangeAnchor_; }
  int LastSelectionLevel() const { return lastSelectionLevel_; }
  PDataNode LastChangedNode() const { return lastChangedNode_; }
  PDataNode LastStructureChangeNode() const { return lastStructureChangeNode_; }
  TChangeReason LastStructureChangeReason() const { return lastStructureChangeReason_; }
  PDataNode CurrentHotNode() const { return currentHotNode_; }
  PDataNode DropTargetNode() const { return dropTargetNode_; }
  PDataNode PressedCheckNode() const { return pressedCheckNode_; }
  TCheckState PendingCheckState() const { return pendingCheckState_; }
  PDataNode LastSearchNode() const { return lastSearchNode_; }
  TColumnIndex EditColumn() const { return editColumn_; }

  // Paints the node's row again (nothing while there is no window).
  virtual void RepaintNode(PDataNode node);

  // ---- Editing ----------------------------------------------------------------
  // Focuses the node and opens its editor for the column; true while an edit runs.
  virtual bool StartNodeEdit(PDataNode node, TColumnIndex column);
  // End a running edit with or without its value; true when there was none
  // or the editor agreed (a merely pending edit is dropped and gives false).
  bool AcceptNodeEdit();
  bool CancelNodeEdit();
  bool EditInProgress() const { return states_.Contains(tsEditing); }
  bool IsRubberBandActive() const;
  // Milliseconds from the second click on a selected node to the start of its edit.
  unsigned EditDelay = 1000;
  // Whether editing the cell is allowed: toEditable, enabled, not read-only, and OnEditing.
  virtual bool CanEditNode(PDataNode node, TColumnIndex column);

  // Takes the other tree's settings (not under toReadOnly): looks, header, options, node sizes and counts.
  void Assign(TBaseDataTree& source);
  // The control can be focused, and its form (when it has one) is enabled and visible.
  bool CanTakeFocus() const;

  // ---- Check boxes -------------------------------------------------------------
  // The state a click on a node of the type and state leads to.
  static TCheckState NextCheckState(TNodeCheckType checkType, TCheckState checkState);
  // Asks OnChecking, then applies the state (ignored when unchanged or for a disabled node).
  void SetNodeCheckState(PDataNode node, TCheckState state);
  TCheckImageKind CheckImageKind() const { return checkImageKind_; }
  void SetCheckImageKind(TCheckImageKind kind);
  TImageList* CustomCheckImages() const { return customCheckImagesLink_.Sender(); }
  void SetCustomCheckImages(TImageList* images);
  // The shared list of a kind; nil for ckCustom.
  static TImageList* CheckImageListFor(TCheckImageKind kind);
  // The check image list in use: the kind's, else CustomCheckImages.
  TImageList* ActiveCheckImages() const;
  // The index into the check images for the node's type and state; -1 for nctNone.
  int CheckImageIndexOf(PDataNode node) const;

  // ---- Incremental search -------------------------------------------------------
  TDTIncrementalSearch IncrementalSearch() const { return incrementalSearch_; }
  void SetIncrementalSearch(TDTIncrementalSearch mode);
  TDTSearchDirection IncrementalSearchDirection = sdForward;
  TDTSearchStart IncrementalSearchStart = ssFocusedNode;
  unsigned IncrementalSearchTimeout = 1000;
  // What was typed so far (UTF-8).
  const std::string& SearchText() const { return searchBuffer_; }
  PDataNode LastFoundNode() const { return lastSearchNode_; }
  // One typed character (a code point; 8 is backspace, 0 only restarts the timeout).
  void IncrementalSearchKey(char32_t charCode);

  // ---- Hints ---------------------------------------------------------------------
  TDTHintMode HintMode = hmDefault;
  THintAnimationType HintAnimation = hatSystemDefault;
  // HintAnimation with the system's default resolved.
  THintAnimationType EffectiveHintAnimation() const;
  // Client coordinates in which the mouse moves without a new hint.
  const TRect& LastHintArea() const { return lastHintArea_; }
  // What the hint shown last was about.
  const TDTHintData& HintRecord() const { return *hintRecord_; }

  // ---- Expanding ------------------------------------------------------------
  void ToggleExpanded(PDataNode node);
  void SetNodeExpanded(PDataNode node, bool expanded);
  virtual void ExpandAll(PDataNode node);
  virtual void CollapseAll(PDataNode node);
  // The nearest ancestor whose child rows are shown; the root at the latest.
  PDataNode NearestVisibleAncestor(PDataNode node) const;

  // ---- Sorting ----------------------------------------------------------------
  virtual void SortChildren(PDataNode node, TColumnIndex column, TSortDirection direction, bool doInit = true);
  void SortWholeTree(TColumnIndex column, TSortDirection direction, bool doInit = true);

  // ---- Iteration ------------------------------------------------------------
  PDataNode FirstRootNode();
  PDataNode FirstRootNodeRaw() const { return root_->FirstChild; }
  PDataNode FirstChildOf(PDataNode node);
  PDataNode LastChildOf(PDataNode node);
  PDataNode LastChildOfRaw(PDataNode node) const;
  PDataNode NextSiblingOf(PDataNode node);
  PDataNode PrevSiblingOf(PDataNode node);
  PDataNode NextVisibleSiblingOf(PDataNode node);
  PDataNode PrevVisibleSiblingOf(PDataNode node);
  PDataNode PrevVisibleSiblingOfRaw(PDataNode node) const;
  PDataNode FirstVisibleChildOf(PDataNode node);
  PDataNode LastVisibleChildOf(PDataNode node);
  PDataNode LastVisibleChildOfRaw(PDataNode node) const;
  PDataNode NextNodeInOrder(PDataNode node);
  PDataNode NextNodeInOrderRaw(PDataNode node) const;
  PDataNode PrevNodeInOrder(PDataNode node);
  PDataNode PrevNodeInOrderRaw(PDataNode node) const;
  PDataNode LastNodeInOrder(PDataNode node);
  PDataNode LastNodeInOrderRaw(PDataNode node) const;
  PDataNode FirstInitializedNode() const;
  PDataNode NextInitializedNode(PDataNode node) const;
  PDataNode FirstSelectedNode();
  PDataNode NextSelectedNode(PDataNode node);
  PDataNode FirstCutCopyNode();
  PDataNode NextCutCopyNode(PDataNode node);
  PDataNode FirstVisibleNode();
  PDataNode FirstVisibleNodeRaw() const;
  PDataNode NextVisibleNode(PDataNode node);
  PDataNode NextVisibleNodeRaw(PDataNode node) const;
  PDataNode PrevVisibleNode(PDataNode node);
  PDataNode PrevVisibleNodeRaw(PDataNode node) const;
  PDataNode LastVisibleNode(PDataNode node);
  PDataNode LastVisibleNodeRaw(PDataNode node) const;
  TNodeArray SortedSelection(bool considerChildrenAbove) const;
  TNodeArray SortedCutCopyNodes(bool considerChildrenAbove) const;

  // ---- Positions --------------------------------------------------------------
  // The node whose row covers Y (X is not used) and the top of that row;
  // nil, with nodeTop unchanged, past the last row. Relative: Y is a client
  // coordinate.
  PDataNode NodeAtPosition(int x, int y, bool relative, int& nodeTop);
  // The node at the top of the client area.
  PDataNode TopVisibleNode();
  // The top of a node's row in tree coordinates; false when the node is not fully shown.
  bool NodeRowTop(PDataNode node, int& top);
  int OffsetX() const { return offsetX_; }
  int OffsetY() const { return offsetY_; }
  // The horizontal offset as painted: a positive number.
  int EffectiveOffsetX() const { return effectiveOffsetX_; }
  // The scrollable width: the columns', else the widest row in the window.
  int RangeX() const;
  // The scrollable height: every shown row plus BottomSpace.
  int RangeY() const;
  // Clamps and applies the offsets; answers whether they changed.
  bool SetScrollOffset(TPoint value, TOffsetUpdateFlags flags, const TRect* clip);
  bool SetHorzOffset(int x);
  bool SetVertOffset(int y);
  // Scrolls so that the node's row is in view (expanding its ancestors); answers whether it scrolled.
  bool ScrollNodeIntoView(PDataNode node, bool center, bool horizontally = false);
  // Scrolls so that the node's row is the top row.
  void ScrollNodeToTop(PDataNode node);
  virtual void RefreshScrollBars(bool doRepaint);
  void UpdateVertScrollBar(bool doRepaint);
  void UpdateHorzScrollBar(bool doRepaint);
  // The rectangle of a node's row, cell (a column) or text, in client
  // coordinates; empty for a node that is not fully shown.
  TRect NodeDisplayRect(PDataNode node, TColumnIndex column, bool textOnly, bool unclipped = false);
  virtual void HitTestAt(int x, int y, bool relative, THitInfo& hitInfo);
  int WidestCellInColumn(TColumnIndex column);
  void MeasureNodeHeight(TCanvas& canvas, PDataNode node);
  unsigned BottomSpace() const { return bottomSpace_; }
  void SetBottomSpace(unsigned space);
  void SetIndent(unsigned indent);
  int Margin() const { return margin_; }
  void SetMargin(int margin);
  TDTColors& Colors() { return *colors_; }
  TScrollBarOptions& ScrollBarOptions() { return *scrollBarOptions_; }
  // Called by the columns when their layout changed.
  void ColumnsChanged();
  // A column's width changed (ColumnNone: several): rows are measured and
  // painted again, and OnColumnResize tells.
  void ColumnResized(TColumnIndex column);

  bool WantTabs = false;
  // The cursor over the hot node under toHotTrack.
  TCursor HotCursor = crDefault;
  // Milliseconds in an edge zone before automatic scrolling starts, and between its steps.
  unsigned AutoScrollDelay = 1000;
  unsigned AutoScrollInterval = 1;
  // Wheel panning: the window showing the directions (nil while not panning)
  // and the name of the panning cursor shown ("" while not panning).
  HWND PanningWindow() const { return panningWindow_; }
  const std::string& PanningCursorName() const { return panningCursorName_; }
  // bsSingle: a sunken edge (with Ctl3D) or a plain border around the window.
  TBorderStyle BorderStyle() const { return borderStyle_; }
  void SetBorderStyle(TBorderStyle style);
  bool Ctl3D() const { return ctl3D_; }
  void SetCtl3D(bool value);
  // A bevel of BevelKind on BevelEdges (BevelWidth per inner and outer cut that is not bvNone),
  // then BorderWidth pixels in the BorderColor, between the window border and the header.
  TBevelKind BevelKind() const { return bevelKind_; }
  void SetBevelKind(TBevelKind kind);
  TPanelBevel BevelInner() const { return bevelInner_; }
  void SetBevelInner(TPanelBevel bevel);
  TPanelBevel BevelOuter() const { return bevelOuter_; }
  void SetBevelOuter(TPanelBevel bevel);
  TBevelEdges BevelEdges() const { return bevelEdges_; }
  void SetBevelEdges(TBevelEdges edges);
  int BevelWidth() const { return bevelWidth_; }
  void SetBevelWidth(int width);
  int BorderWidth() const { return borderWidth_; }
  void SetBorderWidth(int width);
  // Paints the bevel and the border into the window's device context.
  void PaintFrame(HDC dc);
  // The system border's sizes, negative, as the window's style gives them.
  TSize BorderInsets();
  // Under right-to-left alignment (BiDiMode bdRightToLeft) the shift that
  // puts the columns' right end at the client area's right end, in the
  // header as in the rows (the vertical scroll bar stays on the right, so
  // the header's part above it is not the columns'); 0 left to right and
  // when the columns are wider.
  int RightToLeftOffset() const;
  // The node image lists: a change to a list repaints the tree, a freed list is forgotten.
  TImageList* Images() const { return imagesLink_.Sender(); }
  void SetImages(TImageList* images);
  TImageList* StateImages() const { return stateImagesLink_.Sender(); }
  void SetStateImages(TImageList* images);
  // Repaints the tree after one of its image lists changed.
  void ImageListChanged();
  // The picture behind the rows under toShowBackground (transparent where the bitmap says so).
  const TBitmap& Background() const { return *background_; }
  void SetBackground(const TBitmap& picture);
  int BackgroundOffsetX() const { return backgroundOffset_.X; }
  void SetBackgroundOffsetX(int x);
  int BackgroundOffsetY() const { return backgroundOffset_.Y; }
  void SetBackgroundOffsetY(int y);
  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment alignment);
  // The reading direction of the tree and of the columns that follow it (coParentBidiMode).
  TBiDiMode BiDiMode() const { return biDiMode_; }
  void SetBiDiMode(TBiDiMode mode);
  // Whether a cell of the column (ColumnNone: the tree) reads right to left.
  bool ReadsRightToLeft(TColumnIndex column) const;
  int TextMargin() const { return textMargin_; }
  void SetTextMargin(int margin);
  // lsCustomStyle takes its pattern from OnGetLineStyle.
  TDTLineStyle LineStyle() const { return lineStyle_; }
  void SetLineStyle(TDTLineStyle style);
  TDTLineMode LineMode() const { return lineMode_; }
  void SetLineMode(TDTLineMode mode);
  TDTButtonStyle ButtonStyle() const { return buttonStyle_; }
  void SetButtonStyle(TDTButtonStyle style);
  TDTButtonFillMode ButtonFillMode() const { return buttonFillMode_; }
  void SetButtonFillMode(TDTButtonFillMode mode);
  TDTNodeAlignment NodeAlignment() const { return nodeAlignment_; }
  void SetNodeAlignment(TDTNodeAlignment alignment);
  int SelectionCurveRadius() const { return selectionCurveRadius_; }
  void SetSelectionCurveRadius(int radius);
  int SelectionBlendFactor = 128;
  unsigned AnimationDuration() const { return animationDuration_; }
  // A duration other than 0 switches the toggle animation on, 0 off.
  void SetAnimationDuration(unsigned milliseconds);
  // Calls the callback with (step, step size, data) at evenly spaced times
  // until it answers false, the steps are used up or Duration milliseconds
  // passed, then once with (0, 0); nothing while animating or for Duration 0.
  using TAnimationCallback = std::function<bool(int step, int stepSize, void* data)>;
  void RunAnimation(unsigned steps, unsigned duration, const TAnimationCallback& callback, void* data);
  // How the animation waits between its steps; the default sleeps.
  std::function<void(unsigned milliseconds)> AnimationWait;
  void WaitAnimationStep(unsigned milliseconds);
  // Scales the row height with the form (M / D) under toAutoChangeScale.
  void ChangeScale(int m, int d);

  // ---- Painting --------------------------------------------------------------------
  // Paints the part Window of the tree (tree coordinates) onto the canvas at Target.
  void PaintTreeTo(TCanvas& targetCanvas, const TRect& window, TPoint target, TPaintTreeOptions paintOptions);
  // The line type of every indentation level of the node's row; answers the number of selected ancestors.
  int ComputeLineImage(PDataNode node, TLineImage& lineImage) const;
  // The y of the node's lines and of its button within its row.
  void ComputeVerticalAlignment(PDataNode node, int& vAlign, int& vButtonAlign) const;
  // The 9 x 9 expand button (minus when expanded).
  TBitmap& ButtonBitmap(bool expanded);
  // Draws the buttons again (after a change of their style, fill or colours).
  void BuildButtonBitmaps();

  // ---- Content hooks -------------------------------------------------------------
  virtual std::string NodeHint(PDataNode node, TColumnIndex column, TDTTooltipLineBreakStyle& lineBreakStyle);
  virtual std::string NodeTooltip(PDataNode node, TColumnIndex column, TDTTooltipLineBreakStyle& lineBreakStyle);
  virtual int NodeContentWidth(PDataNode node, TColumnIndex column, TCanvas& canvas);
  // The font, text and text rectangle (client coordinates) of a cell, as hints show it.
  virtual void CellTextInfo(PDataNode node, TColumnIndex column, TFont& font, TRect& r, std::string& text);
  // The header's main column changed: a running edit is cancelled.
  virtual void MainColumnSwitched();

  // ---- Streams and moving ------------------------------------------------------------
  // Moves a node (ChildrenOnly: its children) of this tree to Target of this
  // or another tree; another tree gets copies read from the node records and
  // the originals are deleted.
  void MoveNodeTo(PDataNode source, PDataNode target, TDTNodeAttachMode mode, bool childrenOnly);
  // The stream header and the records of the top-level nodes, or of Node alone.
  virtual void SaveTreeToStream(TStream& stream, PDataNode node = nullptr);
  // Checks the whole stream first: a bad one raises its error and leaves the tree as it was.
  virtual void LoadTreeFromStream(TStream& stream);
  virtual void LoadTreeFromFile(const std::string& fileName);
  // Fills a node linked in this tree from the record at the stream's
  // position, with its subtree; a record that fails is removed again.
  void LoadNodeFromStream(TStream& stream, int version, PDataNode node);
  // Writes the node's record: a node chunk with its sub-chunks and the children's records.
  void WriteNodeChunk(TStream& stream, PDataNode node);

  // ---- Clipboard --------------------------------------------------------------------
  // The names of the registered formats this tree offers.
  TClipboardFormats& ClipboardFormats() { return *clipboardFormats_; }
  // Where pasted nodes go, relative to the focused node.
  TDTNodeAttachMode DefaultPasteMode = amAddChildLast;
  // Every offered format is rendered onto the clipboard at once; the
  // selection becomes the copy (cut) set when that succeeds.
  virtual void CopySelectionToClipboard();
  virtual void CutSelectionToClipboard();
  // Inserts the clipboard's tree data at the focused node; a cut from a
  // tree of this process is moved. False when nothing could be inserted.
  virtual bool PasteClipboardNodes();
  // Forgets the copy or cut set.
  void DropCutCopySet();
  // Deletes the nodes of a pending cut.
  void CompleteCutCopy();
  // The standard edit actions (their EditKind); false for other actions.
  bool HandleEditAction(TAction& action);
  bool HandleEditActionUpdate(TAction& action);
  // Inserts the nodes a data object carries in "Data Tree Data" at Target;
  // Optimized moves them from Source, a tree of this process, instead.
  bool InsertFromDataObject(TBaseDataTree* source, IDTDataObject& dataObject, PDataNode targetNode,
                            TDTNodeAttachMode mode, bool optimized);
  // The data object of the tree's formats: OnCreateDataObject's, else the tree's own.
  CountedPtr<IDTDataObject> CreateDataObject(bool forClipboard);
  // The formats registered for this tree's kind and named in ClipboardFormats, then OnGetUserClipboardFormats'.
  virtual void CollectClipboardFormats(TFormatEtcArray& formats);
  // Renders a format of the tree's data: "Data Tree Data" from the cut or copy set (ForClipboard) or the
  // dragged nodes; others through OnRenderOLEData.
  virtual HRESULT RenderTreeData(const TFormatEtc& format, TStgMedium& medium, bool forClipboard);
  // The tree of this process a data object came from; nil for other processes and trees since destroyed.
  static TBaseDataTree* SourceTreeOf(IDTDataObject& dataObject);
  // What "Data Tree Reference" carries: the process id and the tree's serial, never its address.
  std::vector<uint8_t> TreeReference() const;
  uint64_t TreeSerial() const { return serial_; }
  // The living tree with that serial, or nil.
  static TBaseDataTree* LivingTree(uint64_t serial);
  static UINT TreeReferenceFormat();
  static UINT TreeDataFormat();

  // ---- Drag and drop ----------------------------------------------------------------
  TDragOperations DragOperations{doCopy, doMove};
  TDTDragType DragType = dtOLE;
  // Milliseconds a collapsed drop target waits before it expands.
  unsigned AutoExpandDelay = 1000;
  TDropMode LastDropMode() const { return lastDropMode_; }
  // The drag manager, made on first use (OnCreateDragManager's, else the tree's own).
  CountedPtr<TDTDragManager> ObtainDragManager();
  // The drop effects a drag from this tree allows: copy 1, move 2, link 4 (all for no operations).
  DWORD AllowedDropEffects() const;
  // Starts a drag of the selection at once (Immediate) or once the mouse moves past the threshold.
  void StartNodeDrag(bool immediate, int threshold = -1);
  bool IsDragging() const;
  // Drags the selection (without descendants of selected nodes) from the client point; a move
  // under toAutoDeleteMovedNodes deletes the dragged nodes the drop did not take.
  void RunOleDrag(TPoint startPoint);
  // Hands the data object's formats, rendered, to the toolkit's drag and drop.
  TDragResult RunDragDrop(IDTDataObject& dataObject, DWORD allowedEffects, DWORD& effect);
  // The drop target's side; points are screen points.
  HRESULT OleDragEnter(DWORD keyState, TPoint screenPoint, DWORD& effect);
  HRESULT OleDragOver(TObject* source, DWORD keyState, TDragState dragState, TPoint screenPoint, DWORD& effect);
  void OleDragLeave();
  HRESULT OleDrop(IDTDataObject& dataObject, DWORD keyState, TPoint screenPoint, DWORD& effect);
  DWORD ProposeDropEffect(TObject* source, TShiftState shift, TPoint pt, DWORD allowedEffects) const;
  void AutoExpandDropTarget();
  // Repaints TreeRect (client coordinates) while the drag image of SourceTree may lie over this
  // window: the image takes the new pixels into what it keeps of the screen, with UpdateNCArea
  // also the frame's, and shows them at once with ReshowDragImage.
  void RefreshUnderDragImage(TBaseDataTree* sourceTree, TRect treeRect, bool updateNCArea, bool reshowDragImage);
  bool HasDragImage() const { return DragImageKind != diNoImage; }
  TDTDragImageKind DragImageKind = diComplete;
  // The size of the part of the tree around the hot spot the drag image shows.
  int DragWidth = 350;
  int DragHeight = 350;
  // Paints the selected rows around the hot spot (client point) into the drag image.
  void PrepareNodeDragImage(TPoint hotSpot, IDTDataObject& dataObject);
  // The picture that follows the mouse in a drag from this tree; nil before the first drag.
  TDTDragImage* NodeDragImage() const { return dragImage_.get(); }
  // The nodes of the drag in progress.
  const TNodeArray& DragSelection() const { return dragSelection_; }

  // ---- Accessibility ----------------------------------------------------------------
  // The accessible objects of the tree window and of its items, from the accessibility factory.
  CountedPtr<IDTAccessible> TreeAccessible;
  CountedPtr<IDTAccessible> ItemAccessible;
  std::string AccessibleName;

  // ---- Events -----------------------------------------------------------------------
  TDTDragOverEvent OnDragOver;
  TDTDragDropEvent OnDragDrop;
  TDTCreateDragManagerEvent OnCreateDragManager;
  TDTRenderOLEDataEvent OnRenderOLEData;
  TDTGetUserClipboardFormatsEvent OnGetUserClipboardFormats;
  TDTCreateDataObjectEvent OnCreateDataObject;
  TDTSaveNodeEvent OnSaveNode;
  TDTLoadNodeEvent OnLoadNode;
  TDTChangeEvent OnChange;
  TDTStructureChangeEvent OnStructureChange;
  TDTInitChildrenEvent OnInitChildren;
  TDTInitNodeEvent OnInitNode;
  TDTFreeNodeEvent OnFreeNode;
  TDTGetImageEvent OnGetImageIndex;
  TDTGetImageExEvent OnGetImageIndexEx;
  TDTHotNodeChangeEvent OnHotChange;
  TDTChangingEvent OnExpanding;
  TDTChangingEvent OnCollapsing;
  TDTCheckChangingEvent OnChecking;
  TDTChangeEvent OnExpanded;
  TDTChangeEvent OnCollapsed;
  TDTChangeEvent OnChecked;
  TDTChangeEvent OnResetNode;
  TDTNodeMovingEvent OnNodeMoving;
  TDTChangeEvent OnNodeMoved;
  TDTNodeCopyingEvent OnNodeCopying;
  TDTChangeEvent OnNodeCopied;
  TDTEditChangingEvent OnEditing;
  TDTEditChangeEvent OnEditCancelled;
  TDTEditChangeEvent OnEdited;
  TDTCreateEditorEvent OnCreateEditor;
  TDTFocusChangingEvent OnFocusChanging;
  TDTFocusChangeEvent OnFocusChanged;
  TDTPopupEvent OnGetPopupMenu;
  TDTHelpContextEvent OnGetHelpContext;
  TDTHeaderClickEvent OnHeaderClick;
  TDTHeaderClickEvent OnHeaderDblClick;
  TDTHeaderMouseEvent OnHeaderMouseDown;
  TDTHeaderMouseEvent OnHeaderMouseUp;
  TDTHeaderMouseMoveEvent OnHeaderMouseMove;
  TDTColumnClickEvent OnColumnClick;
  TDTColumnDblClickEvent OnColumnDblClick;
  TDTHeaderNotifyEvent OnColumnResize;
  TDTGetHeaderCursorEvent OnGetHeaderCursor;
  TDTPaintEvent OnAfterPaint;
  TDTPaintEvent OnBeforePaint;
  TDTAfterItemPaintEvent OnAfterItemPaint;
  TDTBeforeItemPaintEvent OnBeforeItemPaint;
  TDTBeforeItemEraseEvent OnBeforeItemErase;
  TDTAfterItemEraseEvent OnAfterItemErase;
  TDTCellPaintEvent OnAfterCellPaint;
  TDTCellPaintEvent OnBeforeCellPaint;
  TDTHeaderPaintEvent OnHeaderDraw;
  TDTHeaderDrawQueryElementsEvent OnHeaderDrawQueryElements;
  TDTAdvancedHeaderPaintEvent OnAdvancedHeaderDraw;
  TDTGetLineStyleEvent OnGetLineStyle;
  TDTBackgroundPaintEvent OnPaintBackground;
  TDTMeasureItemEvent OnMeasureItem;
  TDTDragAllowedEvent OnDragAllowed;
  TDTHeaderDraggedEvent OnHeaderDragged;
  TDTHeaderDraggedOutEvent OnHeaderDraggedOut;
  TDTHeaderDraggingEvent OnHeaderDragging;
  TDTGetNodeDataSizeEvent OnGetNodeDataSize;
  TDTKeyActionEvent OnKeyAction;
  TDTScrollEvent OnScroll;
  TDTUpdatingEvent OnUpdating;
  TDTGetCursorEvent OnGetCursor;
  TDTStateChangeEvent OnStateChange;
  TDTGetCellIsEmptyEvent OnGetCellIsEmpty;
  TDTScrollBarShowEvent OnShowScrollbar;
  TDTCompareEvent OnCompareNodes;
  TDTIncrementalSearchEvent OnIncrementalSearch;

protected:
  // ---- Store internals ------------------------------------------------------
  PDataNode AllocateNode();
  void PrepareRootNode(size_t oldSize);
  void ShiftTotalCount(PDataNode node, int64_t value, bool relative = true);
  void ShiftTotalHeight(PDataNode node, int64_t value, bool relative = true);
  void RecountTotals(PDataNode node);
  void RecomputeTotalHeights(PDataNode node);
  // Removes in place the entries whose lowest address bit is set; answers
  // the number kept, -1 for a count of 0.
  static int CompactNodeArray(TNodeArray& nodes, int count);
  // Reserves internal data behind every node record; answers its offset from the node start.
  unsigned ReserveInternalData(unsigned size);
  size_t NodeBlockSize() const;
  // A descendant's own option holder in place of the base one (at construction).
  void ReplaceTreeOptions(std::unique_ptr<TCustomDataTreeOptions> options);

  // ---- Node records (BaseDataTreeStream.cpp) ---------------------------------
  // The sub-chunks of a node chunk: the base chunk with the children, then the user chunk.
  virtual void WriteNodeChunks(TStream& stream, PDataNode node);
  // Fills in the size of the chunk whose header starts at StartPos and leaves the stream at EndPos.
  static void CloseChunkHeader(TStream& stream, int64_t startPos, int64_t endPos);
  // Reads a node chunk into an existing node; its children are appended raw, without counters.
  void ReadNodeChunk(TStream& stream, int version, PDataNode node);
  // Reads one sub-chunk whose header was read; answers whether it was handled.
  virtual bool ReadNodeSubChunk(TStream& stream, int version, PDataNode node, int chunkType, int chunkSize);
  void SkipNodeChunk(TStream& stream);
  // Walks one record up to Limit without changing anything; raises the load errors.
  void CheckNodeChunk(TStream& stream, int version, int64_t limit, int depth);
  // Checks one sub-chunk's body (the stream is after its header, ChunkEnd is its end).
  virtual void CheckNodeSubChunk(TStream& stream, int version, int chunkType, int64_t chunkEnd, int depth);
  virtual void FireSaveNode(PDataNode node, TStream& stream);
  virtual void FireLoadNode(PDataNode node, TStream& stream);

  // ---- Linking ---------------------------------------------------------------
  void RunNodeInit(PDataNode node);
  void InitNodeChildren(PDataNode node);
  void LinkNode(PDataNode node, PDataNode destination, TBaseDataTree& target, TDTNodeAttachMode mode);
  void UnlinkNode(PDataNode node, bool keepFocus, bool reindex);
  void UpdateAllChildrenHidden(PDataNode node);
  void UpdateAllChildrenHiddenEverywhere();
  unsigned CountShownDescendants(PDataNode node) const;
  int LevelDifference(PDataNode node1, PDataNode node2) const;
  void FlagCutCopySelection();
  void ForgetNodeReferences(PDataNode node);

  // ---- States, selection, focus, change signalling ---------------------------------
  void ChangeTreeStates(TDataTreeStates enter, TDataTreeStates leave);
  bool MergeIntoSelection(TNodeArray& items, int count, bool forceInsert);
  bool SelectOneNode(PDataNode node, bool forceInsert);
  virtual void SelectNode(PDataNode node);
  virtual void SelectNodeArray(TNodeArray& items, int count, bool forceInsert);
  virtual bool FindInSelection(PDataNode node, int& index, int lowBound, int highBound) const;
  virtual void DeselectNode(PDataNode node);
  virtual bool FlagDeselected(PDataNode node);
  virtual void DropSelection();
  virtual void ResetAnchor();
  virtual void CacheTempNode(PDataNode node);
  virtual void ClearTempNodeCache();
  void PackSelection();
  virtual void FocusNode(PDataNode node, bool ask);
  virtual void NoteChange(bool isStructure, PDataNode node, TChangeReason reason);
  virtual void SignalChange(PDataNode node);
  virtual void SignalStructureChange(PDataNode node, TChangeReason reason);
  const TNodeArray& TempNodes() const { return tempNodes_; }
  int TempNodeCount() const { return tempNodeCount_; }

  // ---- Editing flow ------------------------------------------------------------------
  // Opens the editor of the focused node in EditColumn.
  void BeginEditing();
  bool FinishEditing();
  bool CancelEditing();
  // Gives the editor the bounds of the edited cell's text.
  void PlaceEditor();
  IDTEditLink* EditLink() const { return editLink_.get(); }

  // ---- Event firers: each alone calls its event and answers the default when unassigned ----
  virtual CountedPtr<IDTEditLink> FireCreateEditor(PDataNode node, TColumnIndex column);
  virtual void FireEditing(PDataNode node, TColumnIndex column, bool& allowed);
  virtual void FireEdited(PDataNode node, TColumnIndex column);
  virtual void FireEditCancelled(TColumnIndex column);
  virtual void FireChange(PDataNode node);
  virtual void FireStructureChange(PDataNode node, TChangeReason reason);
  virtual void FireFocusChanged(PDataNode node, TColumnIndex column);
  virtual bool FireFocusChanging(PDataNode oldNode, PDataNode newNode, TColumnIndex oldColumn,
                                 TColumnIndex newColumn);
  virtual void FireInitNode(PDataNode parent, PDataNode node, TDataNodeInitStates& initialStates);
  virtual void FireInitChildren(PDataNode node, unsigned& childCount);
  virtual void FireFreeNode(PDataNode node);
  virtual void FireResetNode(PDataNode node);
  virtual void FireGetNodeDataSize(int& size);
  virtual void FireUpdating(TDTUpdateState state);
  virtual bool FireExpanding(PDataNode node);
  virtual bool FireCollapsing(PDataNode node);
  virtual void FireExpanded(PDataNode node);
  virtual void FireCollapsed(PDataNode node);
  virtual bool FireChecking(PDataNode node, TCheckState& newState);
  virtual void FireChecked(PDataNode node);
  virtual int FireCompareNodes(PDataNode node1, PDataNode node2, TColumnIndex column);
  virtual bool FireGetCellIsEmpty(PDataNode node, TColumnIndex column);
  virtual bool FireKeyAction(WORD& charCode, TShiftState& shift);
  virtual int FireIncrementalSearch(PDataNode node, const std::string& searchText);
  virtual bool FireDragAllowed(PDataNode node, TColumnIndex column);
  virtual TImageList* FireGetImageIndex(PDataNode node, TDTImageKind kind, TColumnIndex column, bool& ghosted,
                                        int& imageIndex);
  virtual void FireHotChange(PDataNode oldNode, PDataNode newNode);
  virtual bool FireNodeCopying(PDataNode node, PDataNode target);
  virtual bool FireNodeMoving(PDataNode node, PDataNode target);
  virtual void FireNodeCopied(PDataNode node);
  virtual void FireNodeMoved(PDataNode node);
  virtual void FireColumnClick(TColumnIndex column, TShiftState shift);
  virtual void FireColumnDblClick(TColumnIndex column, TShiftState shift);
  virtual void FireMeasureItem(TCanvas& canvas, PDataNode node, int& nodeHeight);
  virtual void FireScroll(int deltaX, int deltaY);
  virtual void FireGetCursor(TCursor& cursor);
  virtual bool FireHeaderDragging(TColumnIndex column);
  virtual void FireHeaderClick(TColumnIndex column, TMouseButton button, TShiftState shift, int x, int y);
  virtual void FireHeaderDblClick(TColumnIndex column, TMouseButton button, TShiftState shift, int x, int y);
  virtual void FireHeaderMouseDown(TMouseButton button, TShiftState shift, int x, int y);
  virtual void FireHeaderMouseUp(TMouseButton button, TShiftState shift, int x, int y);
  virtual void FireHeaderMouseMove(TShiftState shift, int x, int y);
  virtual void FireHeaderDragged(TColumnIndex column, int oldPosition);
  virtual void FireHeaderDraggedOut(TColumnIndex column, TPoint dropPosition);
  virtual void FireGetHeaderCursor(HCURSOR& cursor);
  virtual void FireHeaderDraw(TCanvas& canvas, TColumnIndex column, const TRect& r, bool hover, bool pressed,
                              TDTDropMarkMode dropMark);
  virtual void FireHeaderDrawQueryElements(THeaderPaintInfo& paintInfo, THeaderPaintElements& elements);
  virtual void FireAdvancedHeaderDraw(THeaderPaintInfo& paintInfo, THeaderPaintElements elements);
  // Changes the node's check state and propagates it; false when it did not take place.
  bool PropagateCheckState(PDataNode node, TCheckState state);
  // Node's state is about to become NewCheckState: the tri-state parent follows its children.
  bool UpdateParentCheckState(PDataNode node, TCheckState newCheckState);
  // Applies a click's state; OnChecked tells when it took place. Answers the change's result.
  bool ApplyCheckClick(PDataNode node, TCheckState newState);
  // Raises the accessibility notice that the client object's state changed.
  void NotifyStateChanged();

  void Dispatch(TMessage& message) override;

  static constexpr UINT_PTR ExpandTimer = 1;
  static constexpr UINT_PTR EditTimer = 2;
  static constexpr UINT_PTR HeaderTimer = 3;
  static constexpr UINT_PTR ScrollTimer = 4;
  static constexpr UINT_PTR SearchTimer = 7;
  static constexpr UINT_PTR ChangeTimer = 5;
  static constexpr UINT_PTR StructureChangeTimer = 6;

  // ---- Window effects (nothing while there is no window) ----------------------------
  void RepaintColumn(TColumnIndex column);
  void RepaintFromNodeDown(PDataNode node);
  void RedrawNodeNow(PDataNode node);
  void SetScrollBarShown(int bar, bool show);
  bool NodeHasImage(PDataNode node, TDTImageKind kind, TColumnIndex column);
  void HitPositionLeftToRight(int pos, int right, TAlignment alignment, THitInfo& hitInfo);
  void HitPositionRightToLeft(int pos, int right, TAlignment alignment, THitInfo& hitInfo);
  // What a slide step of the expand/collapse animation works on.
  struct TToggleAnimationData {
    HDC DC = nullptr;
    HBRUSH Brush = nullptr;
    TRect ScrollRect;
    bool Expand = false;
  };
  // One slide step: moves the area by the step size; the first clears the uncovered stripe.
  bool AnimationStep(int step, int stepSize, void* data);
  int WidestVisibleRow();
  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;
  void Paint() override;
  void Resize() override;
  void KeyDown(WORD& key, TShiftState shift) override;
  bool DoMouseWheel(TShiftState shift, int wheelDelta, TPoint mousePos) override;
  // Selects as a click with these keys does; DragPending holds a Ctrl toggle back until the release.
  void ApplyClickSelection(PDataNode oldFocused, PDataNode node, TShiftState shift, bool dragPending);
  void MouseButtonDown(int x, int y, TShiftState shift);
  // A press on a node's check image: the pressed look until the release; false when refused.
  bool PressCheckImage(PDataNode node);
  void ReleaseCheckImage(int x, int y);
  void PressCheckKey();
  void ReleaseCheckKey(bool apply);
  void DrawCheckImage(TDTPaintInfo& paintInfo);
  // Width of the check image and its gap, when the node shows one in the column.
  int CheckImageWidth(PDataNode node, TColumnIndex column) const;
  void MouseButtonUp(int x, int y, TShiftState shift);
  void MouseDoubleClick(int x, int y, TShiftState shift);
  // Clears the selection for a click: to the node alone (KeepOnlyNode), else entirely.
  void ClearSelectionForClick(PDataNode node, bool keepOnlyNode);
  // The node under the mouse becomes the hot node (nil: none); OnHotChange tells, toHotTrack repaints.
  void TrackHotNode(PDataNode node);
  // The node at the client point becomes hot when the mouse is over its text or check box (anywhere
  // on its row under toFullRowSelect).
  void TrackHotNode(int x, int y);
  // The content moved: the node now under a still mouse becomes hot.
  void TrackHotNodeUnderMouse();
  // The menu OnGetPopupMenu gives for the node, asking its parents while it says so; nil without one.
  TPopupMenu* FindPopupMenu(PDataNode node, TColumnIndex column, TPoint position);
  bool NodeHasPopupMenu(PDataNode node, TColumnIndex column, TPoint position);
  // Shows the node's menu at the client position.
  void ShowPopupMenu(PDataNode node, TColumnIndex column, TPoint position);
  // Brings the selection in line with the band after it moved, by the keys
  // held at its start: none, the band is the selection; Ctrl toggles what it
  // meets; Shift adds it. Answers whether the selection changed.
  bool ApplyRubberBand();
  // Moves the band's corner to the client point (clamped to the tree);
  // answers whether the band changed.
  bool UpdateRubberBandRect(int x, int y);
  // The scanners for the main column's reading direction: they walk the rows
  // between the top and bottom of both bands and change those whose text lies
  // in exactly one of them (additions collected for one bulk step). The
  // column's bounds are in band coordinates.
  bool CollectRubberBandLTR(const TRect& lastRect, const TRect& newRect, int columnLeft, int columnRight,
                            TAlignment alignment);
  bool CollectRubberBandRTL(const TRect& lastRect, const TRect& newRect, int columnLeft, int columnRight,
                            TAlignment alignment);
  // The node's own content in a cell: nothing in the base tree.
  virtual void PaintNodeContent(TDTPaintInfo& paintInfo);
  // Before a cell is painted: may widen it; answers the next column to paint.
  virtual void AdjustCellRect(TDTPaintInfo& paintInfo, TColumnIndex& nextNonEmpty);
  // Extends Right over the visible cells after the column that read left to
  // right and are empty; answers the first cell that is not (ColumnNotFound: none).
  TColumnIndex SpanFollowingEmptyCells(PDataNode node, TColumnIndex column, int& right);
  // Puts the image at the reading side of R and moves that edge past it (with a 2-pixel gap).
  void PlaceImage(TImageList& images, int vAlign, TRect& r, TPaintImageEntry& entry, bool rightToLeft) const;
  // The left edge of an indentation level's element: from the cell's right edge when reading right to left.
  int LevelLeft(const TDTPaintInfo& paintInfo, size_t level) const;
  void IndentPaintPositions(TDTPaintInfo& paintInfo, int levels) const;
  void DrawDottedHorzLine(TDTPaintInfo& paintInfo, TColor color, int left, int right, int y);
  void DrawDottedVertLine(TDTPaintInfo& paintInfo, TColor color, int top, int bottom, int x);
  void DrawLineSegment(TDTPaintInfo& paintInfo, TColor color, int x, int y, int height, int vAlign,
                       TDTLineType style);
  void PaintLineImage(TDTPaintInfo& paintInfo, const TLineImage& lineImage, int vAlign);
  // PictureOffset moves R into the window for the background picture.
  void EraseNodeBackground(TDTPaintInfo& paintInfo, const TRect& r, TPoint pictureOffset);
  // The background picture over R (canvas coordinates; R moved by Offset lies in the window):
  // once at its offsets with toStaticBackground, else tiled.
  void DrawFixedBackground(TCanvas& canvas, const TRect& r, TPoint offset);
  void DrawTiledBackground(TCanvas& canvas, const TRect& r, TPoint offset);
  void PaintCellSelection(TDTPaintInfo& paintInfo);
  // A normal or state image, blended or ghosted as the options say; DoOverlay adds the node's overlay image.
  void PaintNodeImage(TDTPaintInfo& paintInfo, TPaintImageSlot slot, bool doOverlay);
  void ResolveImage(TDTPaintInfo& paintInfo, TDTImageKind kind, TPaintImageSlot slot, TImageList* defaultImages);
  void SetRedraw(bool updating);
  void KillTreeTimer(UINT_PTR id);

  // ---- Position index ------------------------------------------------------------------
  // Forgets the positions of the rows from the node's on (nil: all rows).
  void InvalidatePositionCache(PDataNode fromNode = nullptr);
  // The last index entry at or before the node in tree order (nil when none) and its top.
  PDataNode CacheLookupNode(PDataNode node, int& top);
  // The last index entry whose top is at most Y (nil when none) and its top.
  PDataNode CacheLookupPosition(int y, int& top);

  void Loaded() override;
  // Puts the columns read while loading into their order and widths.
  void LoadedColumns();
  bool BeingDestroyed() const;
  bool ReadOnly() const;
  // Asks OnGetNodeDataSize for the size while it is not yet known.
  void SettleNodeDataSize();

private:
  struct TSortOrder {
    TColumnIndex Column;
    TSortDirection Direction;
  };

  struct TLineBrush {
    std::unique_ptr<TBitmap> Bitmap;
    TColor Color = 0;
    TColor Background = 0;
  };
  // The 8 x 8 pattern of the tree lines in a colour on the tree's colour.
  TBitmap& LineBrushBitmap(TColor color);
  // The line pattern of LineStyle: 8 rows of 16 bits, the low 8 used, bit 7
  // the leftmost pixel, a 0 bit drawn in the line colour.
  const std::uint16_t* FireGetLineStyle();
  // The plus or minus button of ButtonStyle and ButtonFillMode, on the magenta key.
  std::unique_ptr<TBitmap> DrawClassicButton(bool plus);
  void ButtonLookChanged();
  void InvalidateUnlessLoading();
  // Makes the line brushes again at their next use (after a change of LineStyle).
  void ForgetLineBrushes();
  // Points the image lists' change links at ImageListChanged and at forgetting a freed list.
  void LinkImageLists();
  void DrawDottedLine(TDTPaintInfo& paintInfo, TColor color, const TRect& pixels);
  bool ShowsFocus() const;
  void UseSelectionColors(TCanvas& canvas) const;
  TPaintTreeOptions EffectivePaintOptions(TPaintTreeOptions options) const;
  void PaintRows(TCanvas& targetCanvas, const TRect& window, TPoint target, TPaintTreeOptions paintOptions);
  void PaintRow(TCanvas& canvas, PDataNode node, const TRect& window, TPaintTreeOptions options,
                const TLineImage& lineImage, int buttonX, TPoint patternOrigin, TPoint pictureOffset);
  // The picture is drawn when the pass and toShowBackground ask for it and there is one.
  bool ShowsBackground(TPaintTreeOptions options) const;
  void DrawBackground(TCanvas& canvas, const TRect& r, TPoint offset);
  void DrawBackgroundPart(TCanvas& canvas, const TRect& dest, TPoint source);
  void PaintCell(TDTPaintInfo& paintInfo, TColumnIndex column, const TRect& cell, TPaintTreeOptions options,
                 const TLineImage& lineImage, int vAlign, int buttonX, int buttonY);
  // Whether the column's cells get a vertical grid line in this paint.
  bool DrawsVertGridLine(TColumnIndex column, TPaintTreeOptions paintOptions) const;
  void PaintBelowRows(TCanvas& targetCanvas, const TRect& window, TPoint target, const TRect& area,
                      TPaintTreeOptions paintOptions);
  // Carries the line image, button position and select level from a row to the next.
  void AdvanceLineImage(PDataNode node, PDataNode next, TLineImage& lineImage, int& indentSize, int& buttonX,
                        int& selectLevel) const;
  void NavigationKey(WORD key, TShiftState shift);
  void AfterNavigation(TShiftState shift, PDataNode oldFocused, bool clearNeeded, bool extendRange,
                       bool needInvalidate);
  void OtherKey(WORD key, TShiftState shift);
  // The first visible column from the start (Forward) or the end that OnFocusChanging
  // accepts for the node; ColumnNone without columns, ColumnNotFound when all are refused.
  TColumnIndex FirstAcceptedColumn(PDataNode target, bool forward);
  // Moves the focus to the next (previous) accepted cell, row by row.
  void TabToColumn(bool forward);
  // F1: the help context of the focused node (OnGetHelpContext), else of the control or its parents.
  void ShowHelpOfFocus();
  // Where the Application key opens the node's menu: the middle of its text, at most the column's width in.
  TPoint ApplicationKeyPoint(PDataNode node);
  void ScrollByWheel(int wheelDelta, TShiftState shift);
  void StartRubberBand(int x, int y, TShiftState shift);
  // The mouse moved (or the tree scrolled under it) with a band pending or active.
  void MoveRubberBand(int x, int y);
  void EndRubberBand();
  // The horizontal extent of a row's text as the band sees it (Top and
  // Bottom unused), given the row's node.
  using TBandTextSpan = std::function<TRect(PDataNode node)>;
  bool ScanRubberBand(const TRect& lastRect, const TRect& newRect, const TBandTextSpan& textSpan);
  // Selects or deselects a node the band entered (InNewRect) or left.
  bool ChangeBandNode(PDataNode node, bool inNewRect);
  // The text of the node's cell placed between Left and Right by the alignment; all of it when it does not fit.
  TRect PlacedText(PDataNode node, TColumnIndex column, int left, int right, TAlignment alignment);
  // Invalidates the union of the band and its last position, in client coordinates.
  void InvalidateRubberBand();
  // Draws the band into a canvas whose (0, 0) is the tree point Origin, within Clip (canvas coordinates).
  void PaintRubberBand(TCanvas& canvas, TPoint origin, const TRect& clip);
  // Automatic scrolling while a rubber band reaches an edge of the window.
  enum TAutoScrollDirection : unsigned { ScrollLeft = 1, ScrollUp = 2, ScrollRight = 4, ScrollDown = 8 };
  bool CanAutoScrollNow() const;
  unsigned AutoScrollDirections(int x, int y);
  void ArmAutoScroll(int x, int y);
  void StopAutoScroll();
  void ScrollTimerTick();
  // Scroll deltas of one automatic scroll step towards the directions.
  TPoint AutoScrollDelta(unsigned directions, TPoint mouse, bool inside, bool panning) const;
  bool WheelPanningRuns() const;
  // Wheel panning: the panning window centred on Position (client), the
  // mouse captured and timer 4 ticking every 20 ms, until EndWheelPanning.
  void BeginWheelPanning(TPoint position);
  void EndWheelPanning();
  void UpdatePanningCursor(int x, int y);
  // The panning image's pixels that are not the magenta key, in rows of runs.
  HRGN PanningImageRegion() const;
  void PanningWindowHandler(TMessage& message);
  void MiddleButtonDown(TMessage& message, int x, int y, TShiftState shift);
  void MiddleButtonUp(TMessage& message, int x, int y, TShiftState shift);
  // A double click of a button: its state around the handling, which runs when Handled.
  void DoubleClickMessage(TMessage& message, TDataTreeState state, bool handled, TShiftState shift);
  // A column is being resized or dragged.
  bool HeaderBusy() const;
  // 1 reading left to right, -1 right to left.
  int ReadingDirection() const;
  // After a focus change: the whole window, or only the focused node of a ghosted empty selection.
  void RepaintForFocus();
  void ScrollBarMessage(TMessage& message, bool vertical);
  // The header's messages and the non-client rows it takes; false for any other.
  bool HeaderMessage(TMessage& message);
  // Paints the header strip into the window's frame.
  void PaintHeader();
  // The width of the bevel on each bevelled edge (0 without a bevel).
  int BevelEdgeSize() const;
  // The frame's properties changed: the window lays its frame out again.
  void FrameChanged();
  // Handles a mouse, key-code, focus or scroll-bar message; false for any other.
  bool InputMessage(TMessage& message);
  // Width of the state and normal images a node shows in a column, each with its gap.
  int ImagesWidth(PDataNode node, TColumnIndex column);
  // Pixels from the row's left to the node's content in the main column.
  int Indentation(PDataNode node) const;
  void SpanEmptyCells(PDataNode node, TColumnIndex& column, int& left, int& right);
  void ScrollClientArea(int deltaX, int deltaY, const TRect* clip);
  // True when the whole client area waits to be painted.
  bool ClientAreaInvalid();
  bool ScrollIntoViewHorizontally(const TRect& r);
  void SetUpScrollBar(int bar, int range, int page, int position, bool doRepaint);
  // A range's start: nil and rows not shown become the nearest shown row before them.
  PDataNode RangeStart(PDataNode startNode);
  // Repaints the shown rows of the selected nodes.
  void RepaintShownSelection();
  // Sorts the first count nodes of the chain, which moves past them; answers the sorted run.
  PDataNode SortRun(PDataNode& chain, unsigned count, const TSortOrder& order);
  void SortSubtree(PDataNode node, TColumnIndex column, TSortDirection direction, bool doInit);
  // Sorts a node's children by the header's sort column under toAutoSort, outside updates.
  void AutoSortChildren(PDataNode node);

  // Hints: the answers to the hint-show and hint-pause notifications.
  bool HintMessage(TMessage& message);
  LRESULT AnswerHintShow(THintInfo& info);
  bool HintsPossible(PDataNode hitNode);
  bool HeaderHint(THintInfo& info, TColumnIndex& column, std::string& defaultHint);
  bool NodeHintAt(THintInfo& info, const THitInfo& hit, TRect& hintRect, std::string& defaultHint);
  bool OverHeaderWithHints(TPoint client) const;
  void ForgetHintArea();

  // Incremental search: the walk of the search mode, its steps and the start node.
  void ForgetSearch();
  void SearchFor(char32_t charCode);
  PDataNode SearchWalkEnd(bool forward);
  PDataNode SearchWalkNext(PDataNode node, bool forward);
  PDataNode SearchStep(PDataNode node, bool forward);
  PDataNode SearchStartNode();

  struct TPositionEntry {
    PDataNode Node;
    uint32_t Top;
  };

  PDataNode NodeOrRoot(PDataNode node) const { return node ? node : root_; }
  // Initialises a node not yet initialised; answers it.
  PDataNode Initialized(PDataNode node);
  // The next node in tree order after the node's subtree (nil at the end).
  PDataNode NextNodeAfterSubtree(PDataNode node) const;
  PDataNode NextFlaggedNode(PDataNode node, uint16_t flag) const;
  TNodeArray CollectNodes(uint16_t flag, bool considerChildrenAbove) const;
  PDataNode NextShownRow(PDataNode node) const;
  PDataNode NextShownRowAfterSubtree(PDataNode node) const;
  void CreateChildren(PDataNode node, unsigned count);
  void RemoveLastChildren(PDataNode node, unsigned count);
  void ResetRootTotals();
  // Adds the next entry; false when the rows end first (the index is then complete).
  bool ExtendPositionIndex();
  // Makes the first entry when there is none; false when there are no rows.
  bool StartPositionIndex();
  size_t LastEntryAtOrBefore(PDataNode node) const;
  void ExpandNode(PDataNode node);
  // Whether toggling the node now slides the rows below it.
  bool ToggleAnimates(PDataNode node, bool expand);
  // Slides the area from the node's row bottom to the client bottom by its
  // children's height, at most to the client bottom, in one-pixel steps.
  void AnimateToggle(PDataNode node, bool expand, unsigned childrenHeight);
  void ClearAnimationStripe(const TToggleAnimationData& animation, const TRect& stripe);
  void CollapseNode(PDataNode node);
  void ReadNodeChunkWithin(TStream& stream, int version, PDataNode node, int64_t limit);
  // After a record was read into the node: counters, flags, shown rows and the selection.
  void SettleLoadedNode(PDataNode node, const TDataNode& before, unsigned shownRowsBefore);
  // A record failed: the children it added are freed, the node is restored and removed.
  void DiscardFailedRecord(PDataNode node, const TDataNode& before, PDataNode lastChildBefore);
  void FreeSubtreeRaw(PDataNode node);
  // Links new nodes for the records of a stream at Target: the first by Mode, each further
  // one after the one before, so they keep their order. Each new node is handed to Arrived,
  // which answers whether it stays.
  void InsertRecords(TStream& stream, int64_t end, PDataNode target, TDTNodeAttachMode mode, unsigned count,
                     const std::function<bool(PDataNode)>& arrived);
  // WM_GETOBJECT, the tree-view item queries, and copy, cut and paste by message.
  bool AccessibilityMessage(TMessage& message);
  bool OwnsNode(PDataNode node) const;
  PDataNode NextItemOf(UINT code, PDataNode node);
  // TVM_GETITEMRECT: R's first bytes hold the node on the way in.
  bool ItemRect(bool textOnly, TRect& r);
  bool FillItem(TVITEM& item);
  void RegisterDropTarget();
  void RevokeDropTarget();
  // The drag from this tree ended: its image goes, the drag selection is emptied.
  void EndNodeDrag();
  // The prepared drag image of the tree a drag over this one comes from; nil for other drags.
  TDTDragImage* SourceDragImage() const;
  // toAcceptOLEDrop changed: the window is registered as a drop target, or no longer.
  void AcceptDropsChanged();
  // The drop mode of a client point over a node's row.
  TDropMode DropModeAt(PDataNode node, const THitInfo& hit, TPoint pt);
  bool AboveRowMiddle(PDataNode node, TPoint pt);
  // Scrolls by one step towards the edge zones Pt lies in; true when the tree scrolled.
  bool DragScroll(TPoint pt, TOffsetUpdateFlags flags);
  // The node's row in client coordinates; empty for no node.
  TRect RowRectOf(PDataNode node);
  // Starts the wait after which a collapsed drop target with children expands.
  void ArmDropExpand(PDataNode node);
  // A line in the drop mark colour above or below the drop target's row.
  void PaintDropMark(TCanvas& canvas, PDataNode node, const TRect& rowRect);
  // The arrow along the top (dmAbove) or bottom (dmBelow) of R in the drop mark colour.
  void PaintDropIndicator(TCanvas& canvas, const TRect& r);
  bool FireDragOver(TObject* source, TShiftState shift, TDragState state, TPoint pt, TDropMode mode, DWORD& effect);
  static uint64_t EnterTreeRegistry(TBaseDataTree* tree);
  static void LeaveTreeRegistry(uint64_t serial);
  // Empties the clipboard that holds this tree's pending cut or copy.
  void EmptyClipboard();
  // Flags the selection as the cut or copy set (State) and renders the tree's formats onto the clipboard.
  void PutSelectionOnClipboard(TDataTreeState state);
  // Moves the cut or dragged nodes of Source, a tree of this process, to Target, keeping their order.
  void InsertOptimized(TBaseDataTree& source, PDataNode target, TDTNodeAttachMode mode);
  void InsertRecordsFrom(TBaseDataTree* source, IDTDataObject& dataObject, PDataNode target, TDTNodeAttachMode mode);
  void MoveWithinTree(PDataNode source, PDataNode target, TDTNodeAttachMode mode, bool childrenOnly);
  void MoveToOtherTree(TBaseDataTree& targetTree, PDataNode source, PDataNode target, TDTNodeAttachMode mode,
                       bool childrenOnly);

  std::unique_ptr<TDTHeader> header_;
  std::unique_ptr<TClipboardFormats> clipboardFormats_;
  uint64_t serial_ = 0;
  CountedPtr<TDTDragManager> dragManager_;
  std::unique_ptr<TDTDragImage> dragImage_;
  bool dropTargetRegistered_ = false;
  TDropMode lastDropMode_ = dmNowhere;
  int dragThreshold_ = 5;
  TPoint dragStart_;
  // The nodes of the drag in progress, without descendants of other dragged nodes.
  TNodeArray dragSelection_;
  std::unique_ptr<TCustomDataTreeOptions> options_;
  std::unique_ptr<TDTColors> colors_;
  std::unique_ptr<TScrollBarOptions> scrollBarOptions_;
  std::unique_ptr<std::byte[]> rootBlock_;
  PDataNode root_ = nullptr;
  TNodePool pool_;
  bool destroying_ = false;

  unsigned defaultNodeHeight_ = 18;
  unsigned indent_ = 18;
  int nodeDataSize_ = -1;
  unsigned internalDataSize_ = 0;
  int updateCount_ = 0;
  TDataTreeStates states_;
  unsigned visibleCount_ = 0;
  unsigned changeDelay_ = 0;

  CountedPtr<IDTEditLink> editLink_;
  PDataNode focusedNode_ = nullptr;
  TColumnIndex focusedColumn_ = ColumnNone;
  TColumnIndex editColumn_ = ColumnNone;
  PDataNode rangeAnchor_ = nullptr;
  int lastSelectionLevel_ = -1;
  PDataNode lastChangedNode_ = nullptr;
  PDataNode lastStructureChangeNode_ = nullptr;
  TChangeReason lastStructureChangeReason_ = crIgnore;
  PDataNode currentHotNode_ = nullptr;
  PDataNode dropTargetNode_ = nullptr;
  PDataNode pressedCheckNode_ = nullptr;
  TCheckState pendingCheckState_ = csUncheckedNormal;
  TCheckImageKind checkImageKind_ = ckLightCheck;
  TChangeLink imagesLink_;
  TChangeLink stateImagesLink_;
  TChangeLink customCheckImagesLink_;
  TAlignment alignment_ = taLeftJustify;
  int textMargin_ = 4;
  TDTLineStyle lineStyle_ = lsDotted;
  TDTLineMode lineMode_ = lmNormal;
  TDTButtonStyle buttonStyle_ = bsRectangle;
  TDTButtonFillMode buttonFillMode_ = fmTreeColor;
  TDTNodeAlignment nodeAlignment_ = naProportional;
  int selectionCurveRadius_ = 0;
  // Nested check changes; tsCheckPropagation while above 0.
  int checkNesting_ = 0;
  PDataNode lastSearchNode_ = nullptr;
  TDTIncrementalSearch incrementalSearch_ = isNone;
  std::unique_ptr<TDTHintData> hintRecord_;
  TRect lastHintArea_;
  std::string searchBuffer_;

  // The selected nodes ascending by address; inside updates entries of
  // removed nodes stay flagged (lowest bit set) until the selection is packed.
  TNodeArray selection_;
  int selectionLive_ = 0;
  TNodeArray tempNodes_;
  int tempNodeCount_ = 0;

  int offsetX_ = 0;
  int offsetY_ = 0;
  int effectiveOffsetX_ = 0;
  int widestRow_ = 0;
  unsigned bottomSpace_ = 0;
  int margin_ = 4;
  unsigned animationDuration_ = 200;
  TBorderStyle borderStyle_ = bsSingle;
  TBiDiMode biDiMode_ = bdLeftToRight;
  // The rubber band in tree coordinates (client x + EffectiveOffsetX, client
  // y - OffsetY): its top-left corner is where it started, its bottom-right
  // follows the mouse; the last one is the band at the update before. Also
  // the keys held at its start and, for a Shift band, the selection it
  // started from.
  TRect newSelRect_;
  TRect lastSelRect_;
  TShiftState drawSelShiftState_ = 0;
  std::set<PDataNode> bandStartSelection_;
  TPoint lastMouse_;
  std::optional<uint64_t> autoScrollStart_;
  // Where the middle button started wheel panning (client coordinates).
  TPoint lastClickPos_;
  // The column of the last button press (ColumnNone: none).
  TColumnIndex clickColumn_ = ColumnNone;
  HWND panningWindow_ = nullptr;
  WNDPROC panningProcedure_ = nullptr;
  std::unique_ptr<TBitmap> panningImage_;
  HCURSOR panningCursor_ = nullptr;
  std::string panningCursorName_;
  bool ctl3D_ = true;
  TBevelKind bevelKind_ = bkNone;
  TPanelBevel bevelInner_ = bvRaised;
  TPanelBevel bevelOuter_ = bvLowered;
  TBevelEdges bevelEdges_{beLeft, beTop, beRight, beBottom};
  int bevelWidth_ = 1;
  int borderWidth_ = 0;
  std::unique_ptr<TBitmap> background_;
  TPoint backgroundOffset_;
  int paintWindowLeft_ = 0;
  std::unique_ptr<TBitmap> plusBitmap_;
  std::unique_ptr<TBitmap> minusBitmap_;
  TLineBrush treeLineBrush_;
  TLineBrush gridLineBrush_;

  // Every PositionStride-th shown row with its top, in display order, as
  // far as it was needed: a change drops the entries from its node on, and a
  // lookup extends the index only as far as the row it asks for. Complete:
  // the last entry's block reaches the last row.
  std::vector<TPositionEntry> positionIndex_;
  bool indexComplete_ = false;
};
