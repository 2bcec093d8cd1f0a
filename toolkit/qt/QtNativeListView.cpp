// A list view in report style as a Qt tree widget without a tree: columns
// with a header, one row per item, the item's caption in the first column
// and its sub-items after it. Items carry their owner's value (lParam). A
// change of selection, the user's or LVM_SETITEMSTATE's, reports
// LVN_ITEMCHANGED for each item whose selected state changed; a double
// click on an item reports NM_DBLCLK.

#include <QHeaderView>
#include <QSignalBlocker>
#include <QTreeWidget>

#include "toolkit/qt/QtNativeKinds.h"
#include "toolkit/qt/QtPainter.h"
#include "toolkit/win/ControlMessages.h"
#include "toolkit/win/Window.h"

namespace {

constexpr int ParamRole = Qt::UserRole;

TRect RectOf(const QRect& rect) { return {rect.left(), rect.top(), rect.right() + 1, rect.bottom() + 1}; }
TColor RgbOf(const QColor& color) { return RGB(color.red(), color.green(), color.blue()); }

class TNativeListView final : public TNativeWidget {
public:
  TNativeListView(HWND window, QWidget* parent) : TNativeWidget(window, new QTreeWidget(parent)) {
    const auto style = static_cast<DWORD>(GetWindowLongPtr(window, GWL_STYLE));
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
      case LVM_GETITEMRECT:
        if (!Valid(index)) return Fail(result);
        *reinterpret_cast<TRect*>(lParam) =
            RectOf(list().visualItemRect(list().topLevelItem(index)).translated(list().viewport()->pos()));
        result = 1;
        return true;
      case LVM_HITTEST: {
        auto& hit = *reinterpret_cast<LVHITTESTINFO*>(lParam);
        QTreeWidgetItem* item = list().itemAt(QPoint(hit.pt.X, hit.pt.Y) - list().viewport()->pos());
        hit.iItem = item ? list().indexOfTopLevelItem(item) : -1;
        result = hit.iItem;
        return true;
      }
      default: return false;
    }
  }
  LRESULT DialogCode() const override { return DLGC_WANTARROWS | DLGC_WANTCHARS; }

private:
  QTreeWidget& list() const { return *static_cast<QTreeWidget*>(Widget()); }
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
    return (item->isSelected() ? LVIS_SELECTED : 0) | (list().currentItem() == item ? LVIS_FOCUSED : 0);
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
    for (int i = first; i <= last && Valid(i); ++i) {
      QTreeWidgetItem* item = list().topLevelItem(i);
      if (values.stateMask & LVIS_SELECTED) item->setSelected(values.state & LVIS_SELECTED);
      if ((values.stateMask & LVIS_FOCUSED) && (values.state & LVIS_FOCUSED))
        list().setCurrentItem(item, 0, QItemSelectionModel::NoUpdate);
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
        change.lParam = static_cast<LPARAM>(list().topLevelItem(static_cast<int>(i))->data(0, ParamRole).toLongLong());
        Notify(change.hdr, LVN_ITEMCHANGED);
      }
  }

  std::vector<bool> selected_;
};

}  // namespace

std::unique_ptr<TNativeWidget> MakeNativeListView(HWND window, QWidget* parent) {
  return std::make_unique<TNativeListView>(window, parent);
}
