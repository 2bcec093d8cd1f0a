// A tree view as a Qt tree widget. Items are the widget's; each carries
// the value its owner gave it (lParam, the owner's node). A change of
// selection or expansion by the user, or of selection by TVM_SELECTITEM,
// asks the parent first (TVN_SELCHANGING, TVN_ITEMEXPANDING: nonzero
// vetoes) and then reports it. Every paint asks the parent to custom-draw
// (NM_CUSTOMDRAW with NMTVCUSTOMDRAW): the whole client area before the
// items, then each item. With TVS_TRACKSELECT the item under the mouse is
// hot; with TVS_EDITLABELS its label is edited in place, asking
// TVN_BEGINLABELEDIT (nonzero: no editing) and TVN_ENDLABELEDIT (nonzero:
// the new text stays). An item's state image is bits 12-15 of its state.

#include <algorithm>

#include <QSignalBlocker>
#include <QTreeWidget>

#include "toolkit/qt/QtItemTree.h"
#include "toolkit/qt/QtNativeKinds.h"
#include "toolkit/qt/QtPainter.h"
#include "toolkit/win/ControlMessages.h"
#include "toolkit/win/MessageQueue.h"
#include "toolkit/win/Window.h"

namespace {

constexpr int ParamRole = Qt::UserRole;

HTREEITEM HandleOf(QTreeWidgetItem* item) { return reinterpret_cast<HTREEITEM>(item); }
QTreeWidgetItem* ItemOf(HTREEITEM handle) { return reinterpret_cast<QTreeWidgetItem*>(handle); }
LPARAM ParamOf(const QTreeWidgetItem* item) { return item ? static_cast<LPARAM>(item->data(0, ParamRole).toLongLong()) : 0; }
TRect RectOf(const QRect& rect) { return {rect.left(), rect.top(), rect.right() + 1, rect.bottom() + 1}; }

DWORD StyleOf(HWND window) { return static_cast<DWORD>(GetWindowLongPtr(window, GWL_STYLE)); }

class TNativeTreeView final : public TNativeWidget, private IItemTreeOwner {
public:
  TNativeTreeView(HWND window, QWidget* parent)
      : TNativeWidget(window, MakeItemTree(parent, *this, {.HotTracking = (StyleOf(window) & TVS_TRACKSELECT) != 0})) {
    const DWORD style = StyleOf(window);
    tree().setHeaderHidden(true);
    tree().setFrameStyle(QFrame::NoFrame);
    tree().setRootIsDecorated(style & TVS_LINESATROOT);
    tree().setItemsExpandable(true);
    tree().setUniformRowHeights(true);
    tree().setMouseTracking(true);
    tree().setVerticalScrollBarPolicy((style & TVS_NOSCROLL) ? Qt::ScrollBarAlwaysOff : Qt::ScrollBarAsNeeded);
    QObject::connect(&tree(), &QTreeWidget::currentItemChanged, Context(),
                     [this](QTreeWidgetItem* current, QTreeWidgetItem* previous) { SelectionChanged(current, previous); });
    QObject::connect(&tree(), &QTreeWidget::itemExpanded, Context(),
                     [this](QTreeWidgetItem* item) { ExpansionChanged(item, true); });
    QObject::connect(&tree(), &QTreeWidget::itemCollapsed, Context(),
                     [this](QTreeWidgetItem* item) { ExpansionChanged(item, false); });
    QObject::connect(&tree(), &QTreeWidget::itemDoubleClicked, Context(), [this] {
      NMHDR header;
      Notify(header, NM_DBLCLK);
    });
  }

protected:
  bool ControlMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override {
    switch (message) {
      case TVM_INSERTITEM: result = reinterpret_cast<LRESULT>(Insert(*reinterpret_cast<const TVINSERTSTRUCT*>(lParam))); return true;
      case TVM_DELETEITEM: Delete(reinterpret_cast<HTREEITEM>(lParam)); result = 1; return true;
      case TVM_EXPAND: Expand(ItemOf(reinterpret_cast<HTREEITEM>(lParam)), static_cast<UINT>(wParam)); result = 1; return true;
      case TVM_GETITEMRECT: result = ItemRect(static_cast<bool>(wParam), *reinterpret_cast<TRect*>(lParam)); return true;
      case TVM_GETCOUNT: result = count_; return true;
      case TVM_GETINDENT: result = tree().indentation(); return true;
      case TVM_SETINDENT: tree().setIndentation(static_cast<int>(wParam)); return true;
      case TVM_SETIMAGELIST:
        SetItemTreeImages(tree(), wParam == TVSIL_STATE ? TItemImage::State : TItemImage::Normal,
                          reinterpret_cast<const TImageList*>(lParam));
        return true;
      case TVM_GETNEXTITEM: result = reinterpret_cast<LRESULT>(NextItem(static_cast<UINT>(wParam), reinterpret_cast<HTREEITEM>(lParam))); return true;
      case TVM_SELECTITEM: tree().setCurrentItem(ItemOf(reinterpret_cast<HTREEITEM>(lParam))); result = 1; return true;
      case TVM_GETITEM: result = GetItem(*reinterpret_cast<TVITEM*>(lParam)); return true;
      case TVM_SETITEM: result = SetItem(*reinterpret_cast<const TVITEM*>(lParam)); return true;
      case TVM_HITTEST: result = reinterpret_cast<LRESULT>(HitTest(*reinterpret_cast<TVHITTESTINFO*>(lParam))); return true;
      case TVM_SORTCHILDREN: Sort(reinterpret_cast<HTREEITEM>(lParam)); result = 1; return true;
      case TVM_SETBKCOLOR: result = static_cast<LRESULT>(background_); SetBackground(static_cast<TColor>(lParam)); return true;
      case TVM_GETBKCOLOR: result = static_cast<LRESULT>(background_); return true;
      case WM_SETREDRAW: tree().setUpdatesEnabled(wParam != 0); return false;
      case WM_MOUSEMOVE: {
        const QPoint point = QPoint(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)) - tree().viewport()->pos();
        TrackHotItem(tree(), &point);
        return false;
      }
      case WM_MOUSELEAVE: TrackHotItem(tree(), nullptr); return false;
      default: return false;
    }
  }
  LRESULT DialogCode() const override {
    return DLGC_WANTARROWS | DLGC_WANTCHARS | (ItemTreeEditing(tree()) ? DLGC_WANTALLKEYS : 0);
  }
  QWidget* KeyTarget() const override { return ItemTreeKeyTarget(tree()); }

private:
  QTreeWidget& tree() const { return *static_cast<QTreeWidget*>(Widget()); }

  LRESULT AskCustomDraw(QTreeWidgetItem* item, UINT state, HDC dc, const TRect& rect, TColor& textColor) override {
    NMTVCUSTOMDRAW draw;
    draw.nmcd.dwItemSpec = reinterpret_cast<UINT_PTR>(HandleOf(item));
    draw.nmcd.lItemlParam = ParamOf(item);
    draw.nmcd.uItemState = state;
    if (item)
      for (QTreeWidgetItem* parent = item->parent(); parent; parent = parent->parent()) ++draw.iLevel;
    const LRESULT answer = SendCustomDraw(Window(), draw.nmcd, item ? CDDS_ITEMPREPAINT : CDDS_PREPAINT, dc, rect);
    textColor = draw.clrText;
    return answer;
  }

  LRESULT NotifyLabel(QTreeWidgetItem& item, UINT code, const std::string* text) {
    NMTVDISPINFO info;
    info.item.mask = TVIF_HANDLE | TVIF_PARAM | TVIF_TEXT;
    info.item.hItem = HandleOf(&item);
    info.item.lParam = ParamOf(&item);
    std::string label = text ? *text : item.text(0).toStdString();
    info.item.pszText = label.data();
    return Notify(info.hdr, code);
  }
  bool MayEditLabel(QTreeWidgetItem& item) override {
    return (StyleOf(Window()) & TVS_EDITLABELS) && NotifyLabel(item, TVN_BEGINLABELEDIT, nullptr) == 0;
  }
  bool AcceptsLabel(QTreeWidgetItem& item, const std::string& text) override {
    return NotifyLabel(item, TVN_ENDLABELEDIT, &text) != 0;
  }

  template <class Change>
  void Silently(Change change) {
    const QSignalBlocker blocker(tree());
    change();
  }

  HTREEITEM Insert(const TVINSERTSTRUCT& insert) {
    auto* item = new QTreeWidgetItem;
    ApplyItem(*item, insert.item);
    QTreeWidgetItem* parent = insert.hParent && insert.hParent != TVI_ROOT ? ItemOf(insert.hParent) : tree().invisibleRootItem();
    int place = parent->childCount();
    // After the last child, the common case, without a search.
    const auto after = [&] {
      QTreeWidgetItem* previous = ItemOf(insert.hInsertAfter);
      return place > 0 && parent->child(place - 1) == previous ? place : parent->indexOfChild(previous) + 1;
    };
    if (insert.hInsertAfter == TVI_FIRST)
      place = 0;
    else if (insert.hInsertAfter && insert.hInsertAfter != TVI_LAST && insert.hInsertAfter != TVI_ROOT)
      place = after();
    Silently([&] { parent->insertChild(place, item); });
    ++count_;
    return HandleOf(item);
  }

  static int Descendants(const QTreeWidgetItem* item) {
    int count = item->childCount();
    for (int i = 0; i < item->childCount(); ++i) count += Descendants(item->child(i));
    return count;
  }

  void Delete(HTREEITEM handle) {
    if (handle == TVI_ROOT || !handle) {
      Silently([&] { tree().clear(); });
      count_ = 0;
      return;
    }
    QTreeWidgetItem* item = ItemOf(handle);
    count_ -= 1 + Descendants(item);
    const bool wasCurrent = tree().currentItem() == item || (tree().currentItem() && IsWithin(tree().currentItem(), item));
    Silently([&] { delete item; });
    if (wasCurrent) Silently([&] { tree().setCurrentItem(nullptr); });
  }

  static bool IsWithin(const QTreeWidgetItem* item, const QTreeWidgetItem* ancestor) {
    for (const QTreeWidgetItem* parent = item->parent(); parent; parent = parent->parent())
      if (parent == ancestor) return true;
    return false;
  }

  void Expand(QTreeWidgetItem* item, UINT action) {
    if (!item) return;
    const bool expand = action == TVE_EXPAND || (action == TVE_TOGGLE && !item->isExpanded());
    Silently([&] { item->setExpanded(expand); });
  }

  LRESULT ItemRect(bool textOnly, TRect& rect) {
    QTreeWidgetItem* item = ItemOf(*reinterpret_cast<HTREEITEM*>(&rect));
    QRect area = tree().visualItemRect(item);
    if (!area.isValid()) return 0;
    if (!textOnly) area.setLeft(0);
    rect = RectOf(area.translated(tree().viewport()->pos()));
    return 1;
  }

  HTREEITEM NextItem(UINT relation, HTREEITEM from) {
    QTreeWidgetItem* item = from && from != TVI_ROOT ? ItemOf(from) : nullptr;
    switch (relation) {
      case TVGN_CARET: return HandleOf(tree().currentItem());
      case TVGN_ROOT: return HandleOf(tree().topLevelItem(0));
      case TVGN_CHILD: return HandleOf(item ? item->child(0) : tree().topLevelItem(0));
      case TVGN_NEXT: {
        if (!item) return nullptr;
        QTreeWidgetItem* parent = item->parent() ? item->parent() : tree().invisibleRootItem();
        return HandleOf(parent->child(parent->indexOfChild(item) + 1));
      }
      default: return nullptr;
    }
  }

  void ApplyItem(QTreeWidgetItem& item, const TVITEM& values) {
    TItemImageIndexes images;
    if (values.mask & TVIF_IMAGE) images.push_back({TItemImage::Normal, values.iImage});
    if (values.mask & TVIF_SELECTEDIMAGE) images.push_back({TItemImage::Selected, values.iSelectedImage});
    if ((values.mask & TVIF_STATE) && (values.stateMask & TVIS_STATEIMAGEMASK))
      images.push_back({TItemImage::State, static_cast<int>((values.state & TVIS_STATEIMAGEMASK) >> 12)});
    if (!images.empty()) SetItemImages(tree(), item, images);
    if (values.mask & TVIF_TEXT) item.setText(0, QString::fromUtf8(values.pszText ? values.pszText : ""));
    if (values.mask & TVIF_PARAM) item.setData(0, ParamRole, QVariant::fromValue<qlonglong>(values.lParam));
    if (values.mask & TVIF_CHILDREN)
      item.setChildIndicatorPolicy(values.cChildren ? QTreeWidgetItem::ShowIndicator
                                                    : QTreeWidgetItem::DontShowIndicatorWhenChildless);
  }

  LRESULT SetItem(const TVITEM& values) {
    if (!values.hItem) return 0;
    Silently([&] { ApplyItem(*ItemOf(values.hItem), values); });
    return 1;
  }

  LRESULT GetItem(TVITEM& values) {
    if (!values.hItem) return 0;
    QTreeWidgetItem* item = ItemOf(values.hItem);
    if (values.mask & TVIF_PARAM) values.lParam = ParamOf(item);
    if ((values.mask & TVIF_TEXT) && values.pszText && values.cchTextMax > 0) {
      const std::string text = item->text(0).toStdString();
      const size_t count = std::min(text.size(), static_cast<size_t>(values.cchTextMax - 1));
      text.copy(values.pszText, count);
      values.pszText[count] = '\0';
    }
    if (values.mask & TVIF_STATE)
      values.state = (item->isExpanded() ? TVIS_EXPANDED : 0) | (tree().currentItem() == item ? TVIS_SELECTED : 0) |
                     INDEXTOSTATEIMAGEMASK(std::max(ItemImage(*item, TItemImage::State), 0));
    if (values.mask & TVIF_CHILDREN)
      values.cChildren = item->childCount() > 0 || item->childIndicatorPolicy() == QTreeWidgetItem::ShowIndicator;
    return 1;
  }

  HTREEITEM HitTest(TVHITTESTINFO& info) {
    const QPoint point = QPoint(info.pt.X, info.pt.Y) - tree().viewport()->pos();
    QTreeWidgetItem* item = ItemTreeHit(tree(), point);
    info.hItem = HandleOf(item);
    info.flags = item ? TVHT_ONITEM : TVHT_NOWHERE;
    return info.hItem;
  }

  void Sort(HTREEITEM parent) {
    QTreeWidgetItem* item = parent && parent != TVI_ROOT ? ItemOf(parent) : tree().invisibleRootItem();
    Silently([&] { item->sortChildren(0, Qt::AscendingOrder); });
  }

  void SetBackground(TColor color) {
    background_ = color;
    QPalette palette = tree().palette();
    palette.setColor(QPalette::Base, color == CLR_DEFAULT ? QColor(Qt::white) : QColorOf(color));
    tree().setPalette(palette);
  }

  // Qt has already made the change: it is undone while the parent is asked.
  void SelectionChanged(QTreeWidgetItem* current, QTreeWidgetItem* previous) {
    Silently([&] { tree().setCurrentItem(previous); });
    NMTREEVIEW change;
    change.action = TVC_UNKNOWN;
    change.itemOld.hItem = HandleOf(previous);
    change.itemOld.lParam = ParamOf(previous);
    change.itemNew.hItem = HandleOf(current);
    change.itemNew.lParam = ParamOf(current);
    if (Notify(change.hdr, TVN_SELCHANGING) != 0) return;
    Silently([&] { tree().setCurrentItem(current); });
    Notify(change.hdr, TVN_SELCHANGED);
  }

  void ExpansionChanged(QTreeWidgetItem* item, bool expanded) {
    Silently([&] { item->setExpanded(!expanded); });
    NMTREEVIEW change;
    change.action = expanded ? TVE_EXPAND : TVE_COLLAPSE;
    change.itemNew.hItem = HandleOf(item);
    change.itemNew.lParam = ParamOf(item);
    if (Notify(change.hdr, TVN_ITEMEXPANDING) != 0) return;
    Silently([&] { item->setExpanded(expanded); });
    Notify(change.hdr, TVN_ITEMEXPANDED);
  }

  int count_ = 0;
  TColor background_ = CLR_DEFAULT;
};

}  // namespace

std::unique_ptr<TNativeWidget> MakeNativeTreeView(HWND window, QWidget* parent) {
  return std::make_unique<TNativeTreeView>(window, parent);
}
