// List boxes (QListWidget, with checkable items for check lists) and combo
// boxes (QComboBox) as Qt widgets. Items carry their strings and a data
// value; selection by code notifies nothing, the user's choice notifies
// LBN_SELCHANGE or CBN_SELCHANGE. Owner-drawn list items are painted by
// the parent's WM_DRAWITEM into a bitmap of the item's size.

#include <utility>

#include <QAbstractItemView>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QStyleOptionComboBox>
#include <QStylePainter>
#include <QStyledItemDelegate>

#include "runtime/AsciiCase.h"
#include "toolkit/gdi/Bitmap.h"
#include "toolkit/gdi/Canvas.h"
#include "toolkit/qt/QtInput.h"
#include "toolkit/qt/QtBitmap.h"
#include "toolkit/qt/QtNativeKinds.h"
#include "toolkit/win/ControlMessages.h"
#include "toolkit/win/MessageQueue.h"
#include "toolkit/win/Window.h"
#include "toolkit/win/WindowBackend.h"

namespace {

constexpr int DataRole = Qt::UserRole;

DWORD StyleOf(HWND window) { return static_cast<DWORD>(GetWindowLongPtr(window, GWL_STYLE)); }

QString TextParam(LPARAM lParam) { return QString::fromUtf8(reinterpret_cast<const char*>(lParam)); }

// Copies an item's text into the caller's buffer (large enough, as the
// text-length message said) and answers its length.
LRESULT CopyText(const QString& text, LPARAM buffer) {
  const std::string bytes = text.toStdString();
  bytes.copy(reinterpret_cast<char*>(buffer), bytes.size());
  reinterpret_cast<char*>(buffer)[bytes.size()] = '\0';
  return static_cast<LRESULT>(bytes.size());
}

// Where a string goes in a sorted list: after the last that sorts before it or equal, ignoring case.
template <class TextAt>
int SortedPlace(int count, const QString& text, TextAt textAt) {
  const std::string key = text.toStdString();
  int place = 0;
  while (place < count && CompareAsciiText(textAt(place).toStdString(), key) <= 0) ++place;
  return place;
}

TRect RectOf(const QRect& rect) { return {rect.left(), rect.top(), rect.right() + 1, rect.bottom() + 1}; }

// Items of an owner-drawn list: the parent paints each with WM_DRAWITEM.
class TOwnerDrawDelegate final : public QStyledItemDelegate {
public:
  TOwnerDrawDelegate(HWND window, UINT controlType, QObject* parent)
      : QStyledItemDelegate(parent), window_(window), controlType_(controlType) {}
  int ItemHeight = 16;
  bool OwnerDraw = false;

  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    return {QStyledItemDelegate::sizeHint(option, index).width(), ItemHeight};
  }
  void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    if (!OwnerDraw) {
      QStyledItemDelegate::paint(painter, option, index);
      return;
    }
    const UINT state = (option.state & QStyle::State_Selected ? ODS_SELECTED : 0) |
                       (option.state & QStyle::State_HasFocus ? ODS_FOCUS : 0);
    Draw(*painter, option.rect, index, state);
  }
  void Draw(QPainter& painter, const QRect& rect, const QModelIndex& index, UINT state) const {
    TBitmap bitmap(rect.width(), rect.height(), pf32bit);
    DRAWITEMSTRUCT item;
    item.CtlType = controlType_;
    item.CtlID = static_cast<UINT>(GetWindowLongPtr(window_, GWL_ID));
    item.itemID = static_cast<UINT>(index.row());
    item.itemAction = ODA_DRAWENTIRE;
    item.itemState = state;
    item.hwndItem = window_;
    item.hDC = bitmap.Canvas().Handle();
    item.rcItem = {0, 0, rect.width(), rect.height()};
    item.itemData = static_cast<UINT_PTR>(index.data(DataRole).toULongLong());
    Guarded([&] { SendMessage(GetParent(window_), WM_DRAWITEM, item.CtlID, reinterpret_cast<LPARAM>(&item)); });
    painter.drawImage(rect.topLeft(), ImageView(*bitmap.Handle()));
  }

private:
  HWND window_;
  UINT controlType_;
};

class TNativeListBox final : public TNativeWidget {
public:
  TNativeListBox(HWND window, QWidget* parent, bool checkable)
      : TNativeWidget(window, new QListWidget(parent)),
        delegate_(new TOwnerDrawDelegate(window, ODT_LISTBOX, Widget())),
        checkable_(checkable) {
    const DWORD style = StyleOf(window);
    list().setFrameStyle(QFrame::NoFrame);
    list().setItemDelegate(delegate_);
    list().setUniformItemSizes(true);
    delegate_->ItemHeight = list().fontMetrics().height() + 2;
    delegate_->OwnerDraw = (style & (LBS_OWNERDRAWFIXED | LBS_OWNERDRAWVARIABLE)) != 0;
    list().setVerticalScrollBarPolicy((style & WS_VSCROLL) ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
    list().setHorizontalScrollBarPolicy((style & WS_HSCROLL) ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
    QObject::connect(&list(), &QListWidget::currentRowChanged, Context(), [this] { NotifyCommand(LBN_SELCHANGE); });
    QObject::connect(&list(), &QListWidget::itemDoubleClicked, Context(), [this] { NotifyCommand(LBN_DBLCLK); });
    QObject::connect(&list(), &QListWidget::itemChanged, Context(), [this](QListWidgetItem* item) {
      const QSignalBlocker blocker(list());
      list().setCurrentItem(item);
      NotifyCommand(LBN_NATIVECHECK);
    });
  }

protected:
  bool ControlMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override {
    switch (message) {
      case LB_ADDSTRING: result = Insert(Sorted() ? SortedPlace(lParam) : list().count(), lParam); return true;
      case LB_INSERTSTRING: {
        const auto index = static_cast<int>(static_cast<intptr_t>(wParam));
        result = Insert(index < 0 ? list().count() : index, lParam);
        return true;
      }
      case LB_DELETESTRING:
        if (!Valid(wParam)) return Fail(result);
        Silently([&] { delete list().takeItem(static_cast<int>(wParam)); });
        result = list().count();
        return true;
      case LB_RESETCONTENT: Silently([&] { list().clear(); }); return true;
      case LB_GETCOUNT: result = list().count(); return true;
      case LB_GETCURSEL: result = list().currentRow(); return true;
      case LB_GETCARETINDEX: result = list().currentRow(); return true;
      case LB_SETCURSEL: {
        const auto index = static_cast<int>(static_cast<intptr_t>(wParam));
        Silently([&] { list().setCurrentRow(Valid(wParam) ? index : -1); });
        result = Valid(wParam) ? index : LB_ERR;
        return true;
      }
      case LB_GETTEXT: result = Valid(wParam) ? CopyText(list().item(static_cast<int>(wParam))->text(), lParam) : LB_ERR; return true;
      case LB_GETTEXTLEN:
        result = Valid(wParam) ? static_cast<LRESULT>(list().item(static_cast<int>(wParam))->text().toStdString().size()) : LB_ERR;
        return true;
      case LB_GETITEMDATA: result = Valid(wParam) ? list().item(static_cast<int>(wParam))->data(DataRole).toLongLong() : LB_ERR; return true;
      case LB_SETITEMDATA:
        if (!Valid(wParam)) return Fail(result);
        Silently([&] { list().item(static_cast<int>(wParam))->setData(DataRole, QVariant::fromValue<qlonglong>(lParam)); });
        return true;
      case LB_GETTOPINDEX: {
        const QModelIndex top = list().indexAt(QPoint(1, 1));
        result = top.isValid() ? top.row() : 0;
        return true;
      }
      case LB_SETTOPINDEX:
        if (!Valid(wParam)) return Fail(result);
        list().scrollToItem(list().item(static_cast<int>(wParam)), QAbstractItemView::PositionAtTop);
        return true;
      case LB_GETITEMHEIGHT: result = delegate_->ItemHeight; return true;
      case LB_SETITEMHEIGHT:
        delegate_->ItemHeight = static_cast<int>(LOWORD(static_cast<uintptr_t>(lParam)));
        list().reset();
        return true;
      case LB_GETITEMRECT:
        if (!Valid(wParam)) return Fail(result);
        *reinterpret_cast<TRect*>(lParam) = ItemRect(static_cast<int>(wParam));
        return true;
      case LB_ITEMFROMPOINT: result = ItemFromPoint(lParam); return true;
      case CM_NATIVEGETCHECK:
        result = Valid(wParam) && list().item(static_cast<int>(wParam))->checkState() == Qt::Checked ? BST_CHECKED : BST_UNCHECKED;
        return true;
      case CM_NATIVESETCHECK:
        if (!Valid(wParam)) return Fail(result);
        Silently([&] { list().item(static_cast<int>(wParam))->setCheckState(lParam == BST_CHECKED ? Qt::Checked : Qt::Unchecked); });
        return true;
      default: return false;
    }
  }
  LRESULT DialogCode() const override { return DLGC_WANTARROWS | DLGC_WANTCHARS; }

private:
  QListWidget& list() const { return *static_cast<QListWidget*>(Widget()); }
  bool Sorted() const { return (StyleOf(Window()) & LBS_SORT) != 0; }
  bool Valid(WPARAM index) const { return static_cast<intptr_t>(index) >= 0 && static_cast<int>(index) < list().count(); }
  static bool Fail(LRESULT& result) {
    result = LB_ERR;
    return true;
  }
  // Changes made by messages notify nothing.
  template <class Change>
  void Silently(Change change) {
    const QSignalBlocker blocker(list());
    change();
    list().viewport()->update();
  }
  int SortedPlace(LPARAM lParam) const {
    return ::SortedPlace(list().count(), TextParam(lParam), [this](int row) { return list().item(row)->text(); });
  }
  LRESULT Insert(int index, LPARAM lParam) {
    if (index > list().count()) return LB_ERR;
    Silently([&] {
      auto* item = new QListWidgetItem(TextParam(lParam));
      if (checkable_) {
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Unchecked);
      }
      list().insertItem(index, item);
    });
    return index;
  }
  // Item rectangles in the window's client coordinates.
  TRect ItemRect(int index) const {
    const QRect rect = list().visualItemRect(list().item(index));
    return RectOf(rect.translated(list().viewport()->pos()));
  }
  LRESULT ItemFromPoint(LPARAM lParam) const {
    const QPoint point = QPoint(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)) - list().viewport()->pos();
    const QModelIndex index = list().indexAt(point);
    if (index.isValid()) return static_cast<LRESULT>(MAKELONG(static_cast<WORD>(index.row()), 0));
    const int nearest = list().count() ? list().count() - 1 : 0;
    return static_cast<LRESULT>(MAKELONG(static_cast<WORD>(nearest), 1));
  }

  TOwnerDrawDelegate* delegate_;
  bool checkable_;
};

// A combo box that tells its window when its list opens and closes, and
// whose chosen item an owner-drawn box has its parent paint.
class TComboWidget final : public QComboBox {
public:
  using QComboBox::QComboBox;
  std::function<void(bool)> OnDropped;
  TOwnerDrawDelegate* OwnerDraw = nullptr;
  void showPopup() override {
    dropped_ = true;
    if (OnDropped) OnDropped(true);
    QComboBox::showPopup();
  }
  // Qt also hides the list of a combo box that is hidden or freed without
  // having shown it: only a list that dropped down closes up.
  void hidePopup() override {
    QComboBox::hidePopup();
    if (!std::exchange(dropped_, false)) return;
    if (OnDropped) OnDropped(false);
  }

protected:
  void paintEvent(QPaintEvent* event) override {
    if (!OwnerDraw) {
      QComboBox::paintEvent(event);
      return;
    }
    QStylePainter painter(this);
    QStyleOptionComboBox option;
    initStyleOption(&option);
    option.currentText.clear();
    option.currentIcon = QIcon();
    painter.drawComplexControl(QStyle::CC_ComboBox, option);
    if (currentIndex() < 0) return;
    const QRect field = style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, this);
    const UINT focus = hasFocus() ? ODS_SELECTED | ODS_FOCUS : 0;
    OwnerDraw->Draw(painter, field, model()->index(currentIndex(), modelColumn(), rootModelIndex()), ODS_COMBOBOXEDIT | focus);
  }

private:
  bool dropped_ = false;
};

class TNativeComboBox final : public TNativeWidget {
public:
  TNativeComboBox(HWND window, QWidget* parent) : TNativeWidget(window, new TComboWidget(parent)) {
    const DWORD style = StyleOf(window);
    combo().setEditable((style & 0x3) != CBS_DROPDOWNLIST);
    combo().setFrame(false);
    combo().setInsertPolicy(QComboBox::NoInsert);
    if (style & CBS_OWNERDRAWFIXED) {
      auto* delegate = new TOwnerDrawDelegate(window, ODT_COMBOBOX, Widget());
      delegate->OwnerDraw = true;
      delegate->ItemHeight = combo().fontMetrics().height() + 2;
      combo().setItemDelegate(delegate);
      combo().OwnerDraw = delegate;
    }
    if (QLineEdit* edit = combo().lineEdit())
      QObject::connect(edit, &QLineEdit::textEdited, Context(), [this] { NotifyCommand(CBN_EDITCHANGE); });
    QObject::connect(&combo(), qOverload<int>(&QComboBox::currentIndexChanged), Context(),
                     [this] { NotifyCommand(CBN_SELCHANGE); });
    combo().OnDropped = [this](bool dropped) { NotifyCommand(dropped ? CBN_DROPDOWN : CBN_CLOSEUP); };
  }
  // The widget goes later than this: it must not call back.
  ~TNativeComboBox() override { combo().OnDropped = nullptr; }

protected:
  bool ControlMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override {
    switch (message) {
      case CB_ADDSTRING: result = Insert(Sorted() ? SortedPlace(lParam) : combo().count(), lParam); return true;
      case CB_INSERTSTRING: {
        const auto index = static_cast<int>(static_cast<intptr_t>(wParam));
        result = Insert(index < 0 ? combo().count() : index, lParam);
        return true;
      }
      case CB_DELETESTRING:
        if (!Valid(wParam)) return Fail(result);
        Silently([&] { combo().removeItem(static_cast<int>(wParam)); });
        result = combo().count();
        return true;
      case CB_RESETCONTENT: Silently([&] { combo().clear(); }); return true;
      case CB_GETCOUNT: result = combo().count(); return true;
      case CB_GETCURSEL: result = combo().currentIndex(); return true;
      case CB_SETCURSEL:
        Silently([&] { combo().setCurrentIndex(Valid(wParam) ? static_cast<int>(wParam) : -1); });
        result = Valid(wParam) ? static_cast<LRESULT>(wParam) : CB_ERR;
        return true;
      case CB_GETLBTEXT: result = Valid(wParam) ? CopyText(combo().itemText(static_cast<int>(wParam)), lParam) : CB_ERR; return true;
      case CB_GETLBTEXTLEN:
        result = Valid(wParam) ? static_cast<LRESULT>(combo().itemText(static_cast<int>(wParam)).toStdString().size()) : CB_ERR;
        return true;
      case CB_GETITEMDATA: result = Valid(wParam) ? combo().itemData(static_cast<int>(wParam), DataRole).toLongLong() : CB_ERR; return true;
      case CB_SETITEMDATA:
        if (!Valid(wParam)) return Fail(result);
        combo().setItemData(static_cast<int>(wParam), QVariant::fromValue<qlonglong>(lParam), DataRole);
        return true;
      case CB_GETITEMHEIGHT: result = combo().view()->sizeHintForRow(0) > 0 ? combo().view()->sizeHintForRow(0) : combo().fontMetrics().height(); return true;
      case CB_SHOWDROPDOWN:
        if (wParam)
          combo().showPopup();
        else
          combo().hidePopup();
        result = 1;
        return true;
      case CB_GETDROPPEDSTATE: result = combo().view()->isVisible(); return true;
      case CB_SETMINVISIBLE: combo().setMaxVisibleItems(static_cast<int>(wParam)); result = 1; return true;
      case CB_GETDROPPEDCONTROLRECT: {
        QWidget* popup = combo().view()->window();
        const QRect rect = popup->isVisible() ? QRect(popup->mapToGlobal(QPoint(0, 0)), popup->size())
                                              : QRect(combo().mapToGlobal(QPoint(0, combo().height())), combo().size());
        *reinterpret_cast<TRect*>(lParam) = RectOf(rect);
        result = 1;
        return true;
      }
      default: return false;
    }
  }
  std::string Text() const override { return combo().currentText().toStdString(); }
  void SetText(const std::string& text) override {
    if (combo().isEditable()) Silently([&] { combo().setEditText(QString::fromStdString(text)); });
  }
  LRESULT DialogCode() const override { return DLGC_WANTARROWS | DLGC_WANTCHARS; }

private:
  TComboWidget& combo() const { return *static_cast<TComboWidget*>(Widget()); }
  bool Sorted() const { return (StyleOf(Window()) & CBS_SORT) != 0; }
  bool Valid(WPARAM index) const { return static_cast<intptr_t>(index) >= 0 && static_cast<int>(index) < combo().count(); }
  static bool Fail(LRESULT& result) {
    result = CB_ERR;
    return true;
  }
  template <class Change>
  void Silently(Change change) {
    const QSignalBlocker blocker(combo());
    change();
  }
  int SortedPlace(LPARAM lParam) const {
    return ::SortedPlace(combo().count(), TextParam(lParam), [this](int row) { return combo().itemText(row); });
  }
  // Qt makes the first item of an empty list current; the platform's list stays without a choice.
  LRESULT Insert(int index, LPARAM lParam) {
    if (index > combo().count()) return CB_ERR;
    Silently([&] {
      const int current = combo().currentIndex();
      const QString editText = combo().currentText();
      combo().insertItem(index, TextParam(lParam));
      combo().setCurrentIndex(current < 0 ? -1 : current + (index <= current ? 1 : 0));
      if (combo().isEditable()) combo().setEditText(editText);
    });
    return index;
  }
};

}  // namespace

std::unique_ptr<TNativeWidget> MakeNativeListBox(HWND window, QWidget* parent) {
  return std::make_unique<TNativeListBox>(window, parent, false);
}

std::unique_ptr<TNativeWidget> MakeNativeCheckListBox(HWND window, QWidget* parent) {
  return std::make_unique<TNativeListBox>(window, parent, true);
}

std::unique_ptr<TNativeWidget> MakeNativeComboBox(HWND window, QWidget* parent) {
  return std::make_unique<TNativeComboBox>(window, parent);
}
