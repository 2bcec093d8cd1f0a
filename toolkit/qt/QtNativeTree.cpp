// A tree view as a Qt tree widget. Items are the widget's; each carries
// the value its owner gave it (lParam, the owner's node). A change of
// selection or expansion by the user, or of selection by TVM_SELECTITEM,
// asks the parent first (TVN_SELCHANGING, TVN_ITEMEXPANDING: nonzero
// vetoes) and then reports it. Every paint asks the parent to custom-draw
// (NM_CUSTOMDRAW): the whole client area before the items (CDDS_PREPAINT),
// then each item into a bitmap of its row (CDDS_ITEMPREPAINT), which shows
// alone when the parent answers CDRF_SKIPDEFAULT.

#include <QHeaderView>
#include <QMouseEvent>
#include <QPainter>
#include <QSignalBlocker>
#include <QIcon>
#include <QPixmap>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>

#include "toolkit/gdi/Bitmap.h"
#include "toolkit/gdi/Canvas.h"
#include "toolkit/gdi/ImageList.h"
#include "toolkit/qt/QtBitmap.h"
#include "toolkit/qt/QtFont.h"
#include "toolkit/qt/QtInput.h"
#include "toolkit/qt/QtNativeKinds.h"
#include "toolkit/qt/QtPainter.h"
#include "toolkit/win/ControlMessages.h"
#include "toolkit/win/MessageQueue.h"
#include "toolkit/win/Window.h"

namespace {

constexpr int ParamRole = Qt::UserRole;
constexpr int ImageRole = Qt::UserRole + 1;
constexpr int SelectedImageRole = Qt::UserRole + 2;

HTREEITEM HandleOf(QTreeWidgetItem* item) { return reinterpret_cast<HTREEITEM>(item); }
QTreeWidgetItem* ItemOf(HTREEITEM handle) { return reinterpret_cast<QTreeWidgetItem*>(handle); }
LPARAM ParamOf(const QTreeWidgetItem* item) { return item ? static_cast<LPARAM>(item->data(0, ParamRole).toLongLong()) : 0; }
TRect RectOf(const QRect& rect) { return {rect.left(), rect.top(), rect.right() + 1, rect.bottom() + 1}; }
TColor RgbOf(const QColor& color) { return RGB(color.red(), color.green(), color.blue()); }

// Custom drawing asks the window's parent; the tree widget and its delegate share this.
class TCustomDraw {
public:
  explicit TCustomDraw(HWND window) : window_(window) {}

  // Stage CDDS_PREPAINT or CDDS_ITEMPREPAINT into dc; answers the parent's CDRF_* and the record as it left it.
  LRESULT Ask(NMTVCUSTOMDRAW& draw, DWORD stage, HDC dc, const TRect& rect) const {
    draw.nmcd.hdr.hwndFrom = window_;
    draw.nmcd.hdr.idFrom = static_cast<UINT_PTR>(GetWindowLongPtr(window_, GWL_ID));
    draw.nmcd.hdr.code = NM_CUSTOMDRAW;
    draw.nmcd.dwDrawStage = stage;
    draw.nmcd.hdc = dc;
    draw.nmcd.rc = rect;
    LRESULT result = CDRF_DODEFAULT;
    Guarded([&] {
      result = SendMessage(GetParent(window_), WM_NOTIFY, draw.nmcd.hdr.idFrom, reinterpret_cast<LPARAM>(&draw));
    });
    return result;
  }

private:
  HWND window_;
};

class TTreeWidget final : public QTreeWidget {
public:
  TTreeWidget(HWND window, QWidget* parent) : QTreeWidget(parent), customDraw(window) {
    setHeaderHidden(true);
    viewport()->setAutoFillBackground(false);
  }

  TCustomDraw customDraw;
  QTreeWidgetItem* HotItem = nullptr;

protected:
  // The parent may paint the whole client area first; what it leaves is the tree's background.
  void paintEvent(QPaintEvent* event) override {
    const QRect area = viewport()->rect();
    TBitmap bitmap(area.width(), area.height(), pf32bit);
    bitmap.Canvas().Brush().SetColor(RgbOf(palette().color(QPalette::Base)));
    bitmap.Canvas().FillRect({0, 0, area.width(), area.height()});
    NMTVCUSTOMDRAW draw;
    const LRESULT answer = customDraw.Ask(draw, CDDS_PREPAINT, bitmap.Canvas().Handle(), {0, 0, area.width(), area.height()});
    {
      QPainter painter(viewport());
      painter.drawImage(0, 0, ImageView(*bitmap.Handle()));
    }
    if (!(answer & CDRF_SKIPDEFAULT)) QTreeWidget::paintEvent(event);
  }

  // Each row, branches included, may be painted by the parent into a bitmap of its own.
  void drawRow(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    QTreeWidgetItem* item = itemFromIndex(index);
    const QRect rect = option.rect;
    TBitmap bitmap(rect.width(), rect.height(), pf32bit);
    bitmap.Canvas().Brush().SetColor(RgbOf(option.palette.color(QPalette::Base)));
    bitmap.Canvas().FillRect({0, 0, rect.width(), rect.height()});
    NMTVCUSTOMDRAW draw;
    draw.nmcd.dwItemSpec = reinterpret_cast<UINT_PTR>(HandleOf(item));
    draw.nmcd.lItemlParam = ParamOf(item);
    draw.nmcd.uItemState = (selectionModel()->isSelected(index) ? CDIS_SELECTED : 0) |
                           (currentIndex() == index && hasFocus() ? CDIS_FOCUS : 0) | (item == HotItem ? CDIS_HOT : 0);
    for (QTreeWidgetItem* parent = item->parent(); parent; parent = parent->parent()) ++draw.iLevel;
    const LRESULT answer = customDraw.Ask(draw, CDDS_ITEMPREPAINT, bitmap.Canvas().Handle(), {0, 0, rect.width(), rect.height()});
    if (answer & CDRF_SKIPDEFAULT) {
      painter->drawImage(rect.topLeft(), ImageView(*bitmap.Handle()));
      return;
    }
    QStyleOptionViewItem changed = option;
    if (answer & CDRF_NEWFONT) {
      changed.palette.setColor(QPalette::Text, QColorOf(draw.clrText));
      if (auto* font = static_cast<TGdiFont*>(GetCurrentObject(bitmap.Canvas().Handle(), OBJ_FONT)))
        changed.font = QFontOfHandle(font);
    }
    QTreeWidget::drawRow(painter, changed, index);
  }

};

class TNativeTreeView final : public TNativeWidget {
public:
  TNativeTreeView(HWND window, QWidget* parent) : TNativeWidget(window, new TTreeWidget(window, parent)) {
    const auto style = static_cast<DWORD>(GetWindowLongPtr(window, GWL_STYLE));
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
        if (wParam == TVSIL_NORMAL) SetImages(reinterpret_cast<const TImageList*>(lParam));
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
      case WM_MOUSEMOVE: TrackHotItem(lParam); return false;
      case WM_MOUSELEAVE: SetHotItem(nullptr); return false;
      default: return false;
    }
  }
  LRESULT DialogCode() const override { return DLGC_WANTARROWS | DLGC_WANTCHARS; }

private:
  TTreeWidget& tree() const { return *static_cast<TTreeWidget*>(Widget()); }

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
    if (insert.hInsertAfter == TVI_FIRST)
      place = 0;
    else if (insert.hInsertAfter && insert.hInsertAfter != TVI_LAST && insert.hInsertAfter != TVI_ROOT)
      place = parent->indexOfChild(ItemOf(insert.hInsertAfter)) + 1;
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
      SetHotItem(nullptr);
      Silently([&] { tree().clear(); });
      count_ = 0;
      return;
    }
    QTreeWidgetItem* item = ItemOf(handle);
    if (tree().HotItem == item || (tree().HotItem && IsWithin(tree().HotItem, item))) tree().HotItem = nullptr;
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

  // The list's images as icons, made once when the list is given (the widget keeps no pointer to it).
  void SetImages(const TImageList* images) {
    icons_.clear();
    if (images) {
      tree().setIconSize(QSize(images->Width(), images->Height()));
      for (int index = 0; index < images->Count(); ++index) {
        TBitmap image(images->Width(), images->Height(), pf32bit);
        images->GetBitmap(index, image);
        // The bitmap's fourth byte is its alpha.
        QImage pixels = ImageView(*image.Handle()).copy();
        pixels.reinterpretAsFormat(QImage::Format_ARGB32);
        icons_.push_back(QPixmap::fromImage(pixels));
      }
    }
    Silently([&] {
      for (QTreeWidgetItemIterator it(&tree()); *it; ++it) ShowIcon(**it);
    });
  }

  void ShowIcon(QTreeWidgetItem& item) const {
    const int image = item.data(0, ImageRole).toInt();
    const int selected = item.data(0, SelectedImageRole).toInt();
    const auto valid = [this](int index) { return index >= 0 && index < static_cast<int>(icons_.size()); };
    QIcon icon;
    if (valid(image)) icon.addPixmap(icons_[static_cast<size_t>(image)], QIcon::Normal);
    if (valid(selected)) icon.addPixmap(icons_[static_cast<size_t>(selected)], QIcon::Selected);
    item.setIcon(0, icon);
  }

  void ApplyItem(QTreeWidgetItem& item, const TVITEM& values) {
    if (values.mask & (TVIF_IMAGE | TVIF_SELECTEDIMAGE)) {
      if (values.mask & TVIF_IMAGE) item.setData(0, ImageRole, values.iImage);
      if (values.mask & TVIF_SELECTEDIMAGE) item.setData(0, SelectedImageRole, values.iSelectedImage);
      ShowIcon(item);
    }
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
      values.state = (item->isExpanded() ? TVIS_EXPANDED : 0) | (tree().currentItem() == item ? TVIS_SELECTED : 0);
    if (values.mask & TVIF_CHILDREN)
      values.cChildren = item->childCount() > 0 || item->childIndicatorPolicy() == QTreeWidgetItem::ShowIndicator;
    return 1;
  }

  HTREEITEM HitTest(TVHITTESTINFO& info) {
    const QPoint point = QPoint(info.pt.X, info.pt.Y) - tree().viewport()->pos();
    QTreeWidgetItem* item = tree().itemAt(point);
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

  void TrackHotItem(LPARAM lParam) {
    const QPoint point = QPoint(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)) - tree().viewport()->pos();
    SetHotItem(tree().itemAt(point));
  }

  void SetHotItem(QTreeWidgetItem* item) {
    if (item == tree().HotItem) return;
    tree().HotItem = item;
    tree().viewport()->update();
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
  std::vector<QPixmap> icons_;
};

}  // namespace

std::unique_ptr<TNativeWidget> MakeNativeTreeView(HWND window, QWidget* parent) {
  return std::make_unique<TNativeTreeView>(window, parent);
}
