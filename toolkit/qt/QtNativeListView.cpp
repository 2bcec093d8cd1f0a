// A list view in report style as a Qt tree widget without a tree: columns
// with a header, one row per item, the item's caption in the first column
// and its sub-items after it. Items carry their owner's value (lParam). A
// change of selection, the user's or LVM_SETITEMSTATE's, reports
// LVN_ITEMCHANGED for each item whose selected state changed; a double
// click on an item reports NM_DBLCLK. Painting asks the parent to
// custom-draw (NM_CUSTOMDRAW with NMLVCUSTOMDRAW): the whole client area,
// then each row. Without LVS_EX_FULLROWSELECT only the first column shows
// the selection and takes clicks; with LVS_EDITLABELS the caption is
// edited in place (LVN_BEGINLABELEDIT, LVN_ENDLABELEDIT). An item's state
// image is bits 12-15 of its state.

#include <algorithm>

#include <QHeaderView>
#include <QSignalBlocker>
#include <QTreeWidget>

#include "toolkit/qt/QtItemTree.h"
#include "toolkit/qt/QtNativeKinds.h"
#include "toolkit/qt/QtPainter.h"
#include "toolkit/win/ControlMessages.h"
#include "toolkit/win/Window.h"

namespace {

constexpr int ParamRole = Qt::UserRole;

TRect RectOf(const QRect& rect) { return {rect.left(), rect.top(), rect.right() + 1, rect.bottom() + 1}; }
TColor RgbOf(const QColor& color) { return RGB(color.red(), color.green(), color.blue()); }

DWORD StyleOf(HWND window) { return static_cast<DWORD>(GetWindowLongPtr(window, GWL_STYLE)); }

class TNativeListView final : public TNativeWidget, private IItemTreeOwner {
public:
  TNativeListView(HWND window, QWidget* parent) : TNativeWidget(window, MakeItemTree(parent, *this, {.FullRowSelect = false})) {
    const DWORD style = StyleOf(window);
    list().setFrameStyle(QFrame::NoFrame);
    list().setRootIsDecorated(false);
    list().setItemsExpandable(false);
    list().setUniformRowHeights(true);
    list().setColumnCount(0);
    list().setHeaderHidden(style & LVS_NOCOLUMNHEADER);
    list().header()->setStretchLastSection(false);
    list().setSelectionMode((style & LVS_SINGLESEL) ? QAbstractItemView::SingleSelection : QAbstractItemView::ExtendedSelection);
    list().setSelectionBehavior(QAbstractItemView::SelectRows);
    QObject::connect(&list(), &QTreeWidget::itemSelectionChanged, Context(), [this] { ReportSelection(); });
    QObject::connect(&list(), &QTreeWidget::itemDoubleClicked, Context(), [this] {
      NMHDR header;
      Notify(header, NM_DBLCLK);
    });
  }

protected:
  bool ControlMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override {
    const auto index = static_cast<int>(static_cast<intptr_t>(wParam));
    switch (message) {
      case LVM_GETITEMCOUNT: result = list().topLevelItemCount(); return true;
      case LVM_GETVIEW: result = LV_VIEW_DETAILS; return true;
      case LVM_GETBKCOLOR: result = static_cast<LRESULT>(RgbOf(list().palette().color(QPalette::Base))); return true;
      case LVM_GETTEXTCOLOR: result = static_cast<LRESULT>(RgbOf(list().palette().color(QPalette::Text))); return true;
      case LVM_GETNEXTITEM: result = NextItem(index, static_cast<UINT>(lParam)); return true;
      case LVM_INSERTCOLUMN: InsertColumn(index, *reinterpret_cast<const LVCOLUMN*>(lParam)); result = index; return true;
      case LVM_DELETECOLUMN: result = DeleteColumn(index); return true;
      case LVM_GETCOLUMNWIDTH: result = list().columnWidth(index); return true;
      case LVM_SETCOLUMNWIDTH: list().setColumnWidth(index, static_cast<int>(lParam)); result = 1; return true;
      case LVM_INSERTITEM: result = InsertItem(*reinterpret_cast<const LVITEM*>(lParam)); return true;
      case LVM_DELETEITEM:
        if (!Valid(index)) return Fail(result);
        Silently([&] { delete list().takeTopLevelItem(index); });
        result = 1;
        return true;
      case LVM_DELETEALLITEMS: Silently([&] { list().clear(); }); result = 1; return true;
      case LVM_SETITEMTEXT: {
        const auto& item = *reinterpret_cast<const LVITEM*>(lParam);
        if (!Valid(index)) return Fail(result);
        Silently([&] { list().topLevelItem(index)->setText(item.iSubItem, QString::fromUtf8(item.pszText ? item.pszText : "")); });
        result = 1;
        return true;
      }
      case LVM_SETITEMSTATE: SetState(index, *reinterpret_cast<const LVITEM*>(lParam)); result = 1; return true;
      case LVM_GETITEMSTATE: result = Valid(index) ? StateOf(index) & static_cast<UINT>(lParam) : 0; return true;
      case LVM_SETIMAGELIST:
        if (wParam == LVSIL_STATE) SetItemTreeImages(list(), TItemImage::State, reinterpret_cast<const TImageList*>(lParam));
        return true;
      case LVM_SETEXTENDEDLISTVIEWSTYLE: {
        result = static_cast<LRESULT>(extendedStyle_);
        const auto changing = wParam ? static_cast<DWORD>(wParam) : ~DWORD{0};
        extendedStyle_ = (extendedStyle_ & ~changing) | (static_cast<DWORD>(lParam) & changing);
        SetItemTreeStyle(list(), {.FullRowSelect = (extendedStyle_ & LVS_EX_FULLROWSELECT) != 0});
        return true;
      }
      case LVM_GETEXTENDEDLISTVIEWSTYLE: result = static_cast<LRESULT>(extendedStyle_); return true;
      case LVM_GETITEMRECT:
        if (!Valid(index)) return Fail(result);
        *reinterpret_cast<TRect*>(lParam) =
            RectOf(list().visualItemRect(list().topLevelItem(index)).translated(list().viewport()->pos()));
        result = 1;
        return true;
      case LVM_HITTEST: {
        auto& hit = *reinterpret_cast<LVHITTESTINFO*>(lParam);
        QTreeWidgetItem* item = ItemTreeHit(list(), QPoint(hit.pt.X, hit.pt.Y) - list().viewport()->pos());
        hit.iItem = item ? list().indexOfTopLevelItem(item) : -1;
        result = hit.iItem;
        return true;
      }
      default: return false;
    }
  }
  LRESULT DialogCode() const override {
    return DLGC_WANTARROWS | DLGC_WANTCHARS | (ItemTreeEditing(list()) ? DLGC_WANTALLKEYS : 0);
  }
  QWidget* KeyTarget() const override { return ItemTreeKeyTarget(list()); }

private:
  QTreeWidget& list() const { return *static_cast<QTreeWidget*>(Widget()); }

  LRESULT AskCustomDraw(QTreeWidgetItem* item, UINT state, HDC dc, const TRect& rect, TColor& textColor) override {
    NMLVCUSTOMDRAW draw;
    if (item) {
      draw.nmcd.dwItemSpec = static_cast<UINT_PTR>(list().indexOfTopLevelItem(item));
      draw.nmcd.lItemlParam = ParamOf(*item);
      draw.nmcd.uItemState = state;
    }
    const LRESULT answer = SendCustomDraw(Window(), draw.nmcd, item ? CDDS_ITEMPREPAINT : CDDS_PREPAINT, dc, rect);
    textColor = draw.clrText;
    return answer;
  }

  LRESULT NotifyLabel(QTreeWidgetItem& item, UINT code, const std::string* text) {
    NMLVDISPINFO info;
    info.item.mask = LVIF_PARAM | LVIF_TEXT;
    info.item.iItem = list().indexOfTopLevelItem(&item);
    info.item.lParam = ParamOf(item);
    std::string caption = text ? *text : item.text(0).toStdString();
    info.item.pszText = caption.data();
    return Notify(info.hdr, code);
  }
  bool MayEditLabel(QTreeWidgetItem& item) override {
    return (StyleOf(Window()) & LVS_EDITLABELS) && NotifyLabel(item, LVN_BEGINLABELEDIT, nullptr) == 0;
  }
  bool AcceptsLabel(QTreeWidgetItem& item, const std::string& text) override {
    return NotifyLabel(item, LVN_ENDLABELEDIT, &text) != 0;
  }
  static LPARAM ParamOf(const QTreeWidgetItem& item) {
    return static_cast<LPARAM>(item.data(0, ParamRole).toLongLong());
  }
  bool Valid(int index) const { return index >= 0 && index < list().topLevelItemCount(); }
  static bool Fail(LRESULT& result) {
    result = 0;
    return true;
  }
  template <class Change>
  void Silently(Change change) {
    const QSignalBlocker blocker(list());
    change();
    RememberSelection();
  }

  void InsertColumn(int index, const LVCOLUMN& column) {
    const int count = list().columnCount();
    index = std::clamp(index, 0, count);
    QTreeWidgetItem* header = list().headerItem();
    list().setColumnCount(count + 1);
    for (int c = count; c > index; --c) header->setText(c, header->text(c - 1));
    header->setText(index, QString::fromUtf8(column.pszText ? column.pszText : ""));
    list().setColumnWidth(index, column.cx);
  }

  LRESULT DeleteColumn(int index) {
    const int count = list().columnCount();
    if (index < 0 || index >= count) return 0;
    QTreeWidgetItem* header = list().headerItem();
    for (int c = index; c + 1 < count; ++c) {
      header->setText(c, header->text(c + 1));
      list().setColumnWidth(c, list().columnWidth(c + 1));
    }
    list().setColumnCount(count - 1);
    return 1;
  }

  LRESULT InsertItem(const LVITEM& values) {
    const int index = std::clamp(values.iItem, 0, list().topLevelItemCount());
    auto* item = new QTreeWidgetItem;
    item->setText(0, QString::fromUtf8(values.pszText ? values.pszText : ""));
    item->setData(0, ParamRole, QVariant::fromValue<qlonglong>(values.lParam));
    Silently([&] { list().insertTopLevelItem(index, item); });
    return index;
  }

  UINT StateOf(int index) const {
    QTreeWidgetItem* item = list().topLevelItem(index);
    return (item->isSelected() ? LVIS_SELECTED : 0) | (list().currentItem() == item ? LVIS_FOCUSED : 0) |
           (static_cast<UINT>(std::max(ItemImage(*item, TItemImage::State), 0)) << 12);
  }

  LRESULT NextItem(int after, UINT flags) const {
    for (int index = after + 1; index < list().topLevelItemCount(); ++index)
      if ((StateOf(index) & flags) == (flags & (LVNI_SELECTED | LVNI_FOCUSED))) return index;
    return -1;
  }

  void SetState(int index, const LVITEM& values) {
    const QSignalBlocker blocker(list());
    const int first = index < 0 ? 0 : index;
    const int last = index < 0 ? list().topLevelItemCount() - 1 : index;
    // A single-selection list keeps one item selected, by code as by the user.
    const bool selecting = (values.stateMask & LVIS_SELECTED) && (values.state & LVIS_SELECTED);
    if (selecting && index >= 0 && list().selectionMode() == QAbstractItemView::SingleSelection)
      list().clearSelection();
    for (int i = first; i <= last && Valid(i); ++i) {
      QTreeWidgetItem* item = list().topLevelItem(i);
      if (values.stateMask & LVIS_SELECTED) item->setSelected(values.state & LVIS_SELECTED);
      if ((values.stateMask & LVIS_FOCUSED) && (values.state & LVIS_FOCUSED))
        list().setCurrentItem(item, 0, QItemSelectionModel::NoUpdate);
      if (values.stateMask & LVIS_STATEIMAGEMASK)
        SetItemImage(list(), *item, TItemImage::State, static_cast<int>((values.state & LVIS_STATEIMAGEMASK) >> 12));
    }
    ReportSelection();
  }

  void RememberSelection() {
    selected_.clear();
    for (int i = 0; i < list().topLevelItemCount(); ++i) selected_.push_back(list().topLevelItem(i)->isSelected());
  }

  // Each item whose selected state changed since the last report.
  void ReportSelection() {
    std::vector<bool> before = selected_;
    RememberSelection();
    before.resize(selected_.size(), false);
    // Items losing the selection report before the one gaining it, as on the platform.
    for (bool gaining : {false, true})
      for (size_t i = 0; i < selected_.size(); ++i) {
        if (selected_[i] == before[i] || selected_[i] != gaining) continue;
        NMLISTVIEW change;
        change.iItem = static_cast<int>(i);
        change.uChanged = LVIF_STATE;
        change.uNewState = gaining ? LVIS_SELECTED : 0;
        change.uOldState = gaining ? 0 : LVIS_SELECTED;
        change.lParam = ParamOf(*list().topLevelItem(static_cast<int>(i)));
        Notify(change.hdr, LVN_ITEMCHANGED);
      }
  }

  std::vector<bool> selected_;
  DWORD extendedStyle_ = 0;
};

}  // namespace

std::unique_ptr<TNativeWidget> MakeNativeListView(HWND window, QWidget* parent) {
  return std::make_unique<TNativeListView>(window, parent);
}
