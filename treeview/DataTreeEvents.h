#pragma once
// The events of the tree view control. Sender is the tree, or its header
// for the header events; a var parameter of an event is a reference whose
// value on entry is the default the tree uses when no handler changes it.

#include <cstdint>
#include <functional>
#include <vector>

#include "runtime/CountedPtr.h"
#include "runtime/MethodEvent.h"
#include "toolkit/base/Rect.h"
#include "toolkit/controls/Control.h"
#include "toolkit/controls/HeaderPaintInfo.h"
#include "toolkit/gdi/Color.h"
#include "treeview/DataNode.h"
#include "treeview/DataTransfer.h"
#include "treeview/DataTreeTypes.h"

class IDTEditLink;
class TBaseDataTree;
class TCanvas;
class TDTHeader;
class TImageList;
class TPopupMenu;
class TStream;
class TDTDragManager;

using TDTChangeEvent = std::function<void(TBaseDataTree* sender, PDataNode node)>;
using TDTStructureChangeEvent = std::function<void(TBaseDataTree* sender, PDataNode node, TChangeReason reason)>;
using TDTInitNodeEvent = std::function<void(TBaseDataTree* sender, PDataNode parentNode, PDataNode node,
                                            TDataNodeInitStates& initialStates)>;
using TDTInitChildrenEvent = std::function<void(TBaseDataTree* sender, PDataNode node, unsigned& childCount)>;
using TDTFreeNodeEvent = std::function<void(TBaseDataTree* sender, PDataNode node)>;
using TDTGetImageEvent = std::function<void(TBaseDataTree* sender, PDataNode node, TDTImageKind kind,
                                            TColumnIndex column, bool& ghosted, int& imageIndex)>;
using TDTGetImageExEvent =
    std::function<void(TBaseDataTree* sender, PDataNode node, TDTImageKind kind, TColumnIndex column,
                       bool& ghosted, int& imageIndex, TImageList*& imageList)>;
using TDTHotNodeChangeEvent = std::function<void(TBaseDataTree* sender, PDataNode oldNode, PDataNode newNode)>;
using TDTChangingEvent = std::function<void(TBaseDataTree* sender, PDataNode node, bool& allowed)>;
using TDTCheckChangingEvent =
    std::function<void(TBaseDataTree* sender, PDataNode node, TCheckState& newState, bool& allowed)>;
using TDTNodeMovingEvent =
    std::function<void(TBaseDataTree* sender, PDataNode node, PDataNode target, bool& allowed)>;
using TDTNodeCopyingEvent = TDTNodeMovingEvent;
using TDTEditChangingEvent =
    std::function<void(TBaseDataTree* sender, PDataNode node, TColumnIndex column, bool& allowed)>;
using TDTEditChangeEvent = std::function<void(TBaseDataTree* sender, PDataNode node, TColumnIndex column)>;
// The handler must give a link when it is assigned.
using TDTCreateEditorEvent = std::function<void(TBaseDataTree* sender, PDataNode node, TColumnIndex column,
                                                CountedPtr<IDTEditLink>& editLink)>;
using TDTFocusChangingEvent = std::function<void(TBaseDataTree* sender, PDataNode oldNode, PDataNode newNode,
                                                 TColumnIndex oldColumn, TColumnIndex newColumn, bool& allowed)>;
using TDTFocusChangeEvent = std::function<void(TBaseDataTree* sender, PDataNode node, TColumnIndex column)>;
// AskParent (preset True) lets the tree ask again for the node's parent when no menu came.
using TDTPopupEvent = std::function<void(TBaseDataTree* sender, PDataNode node, TColumnIndex column, TPoint position,
                                         bool& askParent, TPopupMenu*& popupMenu)>;
using TDTHelpContextEvent =
    std::function<void(TBaseDataTree* sender, PDataNode node, TColumnIndex column, int& helpContext)>;
using TDTHeaderClickEvent = std::function<void(TDTHeader* sender, TColumnIndex column, TMouseButton button,
                                               TShiftState shift, int x, int y)>;
using TDTHeaderMouseEvent =
    std::function<void(TDTHeader* sender, TMouseButton button, TShiftState shift, int x, int y)>;
using TDTHeaderMouseMoveEvent = std::function<void(TDTHeader* sender, TShiftState shift, int x, int y)>;
using TDTColumnClickEvent = std::function<void(TBaseDataTree* sender, TColumnIndex column, TShiftState shift)>;
using TDTColumnDblClickEvent = TDTColumnClickEvent;
using TDTHeaderNotifyEvent = std::function<void(TDTHeader* sender, TColumnIndex column)>;
using TDTGetHeaderCursorEvent = std::function<void(TDTHeader* sender, HCURSOR& cursor)>;
using TDTPaintEvent = std::function<void(TBaseDataTree* sender, TCanvas& targetCanvas)>;
using TDTBeforeItemPaintEvent = std::function<void(TBaseDataTree* sender, TCanvas& targetCanvas, PDataNode node,
                                                   const TRect& itemRect, bool& customDraw)>;
using TDTAfterItemPaintEvent =
    std::function<void(TBaseDataTree* sender, TCanvas& targetCanvas, PDataNode node, const TRect& itemRect)>;
using TDTBeforeItemEraseEvent =
    std::function<void(TBaseDataTree* sender, TCanvas& targetCanvas, PDataNode node, const TRect& itemRect,
                       TColor& itemColor, TItemEraseAction& eraseAction)>;
using TDTAfterItemEraseEvent = TDTAfterItemPaintEvent;
using TDTCellPaintEvent = std::function<void(TBaseDataTree* sender, TCanvas& targetCanvas, PDataNode node,
                                             TColumnIndex column, const TRect& cellRect)>;
using TDTHeaderPaintEvent = std::function<void(TDTHeader* sender, TCanvas& headerCanvas, TColumnIndex column,
                                               const TRect& r, bool hover, bool pressed, TDTDropMarkMode dropMark)>;
// The header's owner-draw events are set by name too (the skin layer), which
// tells its own handler from the application's by the handler's identity.
using TDTHeaderDrawQueryElementsEvent =
    TMethodEvent<void(TDTHeader* sender, THeaderPaintInfo& paintInfo, THeaderPaintElements& elements)>;
using TDTAdvancedHeaderPaintEvent =
    TMethodEvent<void(TDTHeader* sender, THeaderPaintInfo& paintInfo, THeaderPaintElements elements)>;
using TDTGetLineStyleEvent = std::function<void(TBaseDataTree* sender, const void*& bits)>;
using TDTBackgroundPaintEvent =
    std::function<void(TBaseDataTree* sender, TCanvas& targetCanvas, const TRect& r, bool& handled)>;
using TDTMeasureItemEvent =
    std::function<void(TBaseDataTree* sender, TCanvas& targetCanvas, PDataNode node, int& nodeHeight)>;
using TDTDragAllowedEvent =
    std::function<void(TBaseDataTree* sender, PDataNode node, TColumnIndex column, bool& allowed)>;
using TDTHeaderDraggedEvent = std::function<void(TDTHeader* sender, TColumnIndex column, int oldPosition)>;
using TDTHeaderDraggedOutEvent = std::function<void(TDTHeader* sender, TColumnIndex column, TPoint dropPosition)>;
using TDTHeaderDraggingEvent = std::function<void(TDTHeader* sender, TColumnIndex column, bool& allowed)>;
using TDTGetNodeDataSizeEvent = std::function<void(TBaseDataTree* sender, int& nodeDataSize)>;
using TDTKeyActionEvent =
    std::function<void(TBaseDataTree* sender, WORD& charCode, TShiftState& shift, bool& doDefault)>;
using TDTScrollEvent = std::function<void(TBaseDataTree* sender, int deltaX, int deltaY)>;
using TDTUpdatingEvent = std::function<void(TBaseDataTree* sender, TDTUpdateState state)>;
using TDTGetCursorEvent = std::function<void(TBaseDataTree* sender, TCursor& cursor)>;
using TDTStateChangeEvent =
    std::function<void(TBaseDataTree* sender, TDataTreeStates enter, TDataTreeStates leave)>;
using TDTGetCellIsEmptyEvent =
    std::function<void(TBaseDataTree* sender, PDataNode node, TColumnIndex column, bool& isEmpty)>;
using TDTScrollBarShowEvent =
    std::function<void(TBaseDataTree* sender, int bar, bool show)>;
using TDTCompareEvent = std::function<void(TBaseDataTree* sender, PDataNode node1, PDataNode node2,
                                           TColumnIndex column, int& result)>;
using TDTIncrementalSearchEvent =
    std::function<void(TBaseDataTree* sender, PDataNode node, const std::string& searchText, int& result)>;
// The node's own data in a node record: written to, or read from, a stream.
using TDTSaveNodeEvent = std::function<void(TBaseDataTree* sender, PDataNode node, TStream& stream)>;
using TDTLoadNodeEvent = TDTSaveNodeEvent;
// Renders a format the tree does not render itself; Result preset E_FAIL.
using TDTRenderOLEDataEvent = std::function<void(TBaseDataTree* sender, const TFormatEtc& format, TStgMedium& medium,
                                                 bool forClipboard, HRESULT& result)>;
using TDTGetUserClipboardFormatsEvent = std::function<void(TBaseDataTree* sender, TFormatEtcArray& formats)>;
using TDTCreateDataObjectEvent = std::function<void(TBaseDataTree* sender, CountedPtr<IDTDataObject>& dataObject)>;
// Accept (preset False: without a handler nothing is dropped) lets the drag go on with Effect.
using TDTDragOverEvent = std::function<void(TBaseDataTree* sender, TObject* source, TShiftState shift, TDragState state,
                                            TPoint pt, TDropMode mode, DWORD& effect, bool& accept)>;
using TDTDragDropEvent =
    std::function<void(TBaseDataTree* sender, TObject* source, IDTDataObject& dataObject,
                       const std::vector<UINT>& formats, TShiftState shift, TPoint pt, DWORD& effect, TDropMode mode)>;
using TDTCreateDragManagerEvent = std::function<void(TBaseDataTree* sender, CountedPtr<TDTDragManager>& manager)>;
