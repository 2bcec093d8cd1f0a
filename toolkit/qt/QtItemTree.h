#pragma once
// The Qt tree widget under the tree view and the report-style list view,
// for the Qt backend's own files. Its painting asks the control's owner to
// custom-draw: the whole client area before the items, then each row into
// a bitmap of its own that starts as what lies under the row (the owner's
// whole-area drawing), which shows alone when the owner says so; else the
// owner may give the row's text another font and colour. Under hot
// tracking the row under the mouse is hot: drawn underlined in the
// hot-light colour, and reported so. An item shows its state image before
// its image. The first column's label is edited in place (F2, or a click
// on the selected item) when the owner lets it begin, and the new text
// stays when the owner accepts it. Without full-row selection only the
// first column shows the selection and takes clicks.

#include <string>
#include <utility>
#include <vector>

#include "toolkit/base/Handles.h"
#include "toolkit/base/Rect.h"
#include "toolkit/gdi/Color.h"
#include "toolkit/gdi/DeviceContext.h"

class QPoint;
class QTreeWidget;
class QTreeWidgetItem;
class QWidget;
class TImageList;
struct NMCUSTOMDRAW;

// What the widget asks of the native control it realises.
class IItemTreeOwner {
public:
  virtual ~IItemTreeOwner() = default;
  // Custom drawing into dc: item null for the whole client area, else one
  // row with its CDIS_* state; rect and dc's coordinates are the control's
  // client coordinates. Answers CDRF_*; with CDRF_NEWFONT, textColor
  // is the colour of the row's text and the font selected into dc its font.
  virtual LRESULT AskCustomDraw(QTreeWidgetItem* item, UINT state, HDC dc, const TRect& rect, TColor& textColor) = 0;
  virtual bool MayEditLabel(QTreeWidgetItem& item) = 0;
  virtual bool AcceptsLabel(QTreeWidgetItem& item, const std::string& text) = 0;
};

struct TItemTreeStyle {
  bool HotTracking = false;
  bool FullRowSelect = true;
};

QTreeWidget* MakeItemTree(QWidget* parent, IItemTreeOwner& owner, TItemTreeStyle style);
void SetItemTreeStyle(QTreeWidget& tree, TItemTreeStyle style);

// Sends the window's parent NM_CUSTOMDRAW at the stage: the header is
// filled in, the rest of the record is the caller's. Answers CDRF_*.
LRESULT SendCustomDraw(HWND window, NMCUSTOMDRAW& draw, DWORD stage, HDC dc, const TRect& rect);

enum class TItemImage { Normal, Selected, State };
// The images of the tree's image list (Normal) or state image list
// (State), copied; null: none. A list that changed is given again.
void SetItemTreeImages(QTreeWidget& tree, TItemImage list, const TImageList* images);
// An index of the list; -1 (0 for a state image) shows none.
void SetItemImage(QTreeWidget& tree, QTreeWidgetItem& item, TItemImage slot, int index);
// Several slots at once, shown once.
using TItemImageIndexes = std::vector<std::pair<TItemImage, int>>;
void SetItemImages(QTreeWidget& tree, QTreeWidgetItem& item, const TItemImageIndexes& images);
int ItemImage(const QTreeWidgetItem& item, TItemImage slot);

// Whether a label's editor is open; keys go to it then (else to the tree),
// Enter and Esc included.
bool ItemTreeEditing(QTreeWidget& tree);
QWidget* ItemTreeKeyTarget(QTreeWidget& tree);

// The mouse is at a point of the widget's viewport; null: it left.
void TrackHotItem(QTreeWidget& tree, const QPoint* point);
// The item at a point of the viewport that takes clicks (only the first
// column without full-row selection); null for none.
QTreeWidgetItem* ItemTreeHit(QTreeWidget& tree, const QPoint& point);
