#include "toolkit/qt/QtItemTree.h"

#include <algorithm>
#include <map>
#include <memory>
#include <tuple>
#include <vector>

#include <QApplication>
#include <QIcon>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPersistentModelIndex>
#include <QPixmap>
#include <QSignalBlocker>
#include <QStyledItemDelegate>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>

#include "toolkit/gdi/Bitmap.h"
#include "toolkit/gdi/Canvas.h"
#include "toolkit/gdi/DeviceContext.h"
#include "toolkit/gdi/Gdi.h"
#include "toolkit/gdi/ImageList.h"
#include "toolkit/qt/QtBitmap.h"
#include "toolkit/qt/QtFont.h"
#include "toolkit/qt/QtInput.h"
#include "toolkit/qt/QtPainter.h"
#include "toolkit/win/ControlMessages.h"
#include "toolkit/win/Window.h"

namespace {

int RoleOf(TItemImage slot) { return Qt::UserRole + 1 + static_cast<int>(slot); }

TColor RgbOf(const QColor& color) { return RGB(color.red(), color.green(), color.blue()); }

// The list's images, made once when the list is given (the widget keeps no pointer to it).
std::vector<QPixmap> PixmapsOf(const TImageList* images) {
  std::vector<QPixmap> pixmaps;
  if (!images) return pixmaps;
  for (int index = 0; index < images->Count(); ++index) {
    TBitmap image(images->Width(), images->Height(), pf32bit);
    images->GetBitmap(index, image);
    // The bitmap's fourth byte is its alpha.
    QImage pixels = ImageView(*image.Handle()).copy();
    pixels.reinterpretAsFormat(QImage::Format_ARGB32);
    pixmaps.push_back(QPixmap::fromImage(pixels));
  }
  return pixmaps;
}

class TItemTree final : public QTreeWidget {
public:
  TItemTree(QWidget* parent, IItemTreeOwner& owner, TItemTreeStyle style);

  QTreeWidgetItem* ItemOf(const QModelIndex& index) const { return itemFromIndex(index); }
  void SetImages(TItemImage list, const TImageList* images);
  void ShowImages(QTreeWidgetItem& item) const;
  void SetHot(const QModelIndex& index);
  QTreeWidgetItem* Hit(const QPoint& point) const;
  // An area of the viewport in the control's client coordinates.
  TRect ClientRectOf(const QRect& area) const;
  QWidget* Editor() const {
    QWidget* focus = QApplication::focusWidget();
    return state() == EditingState && focus && isAncestorOf(focus) ? focus : nullptr;
  }

  IItemTreeOwner& Owner;
  TItemTreeStyle Style;

protected:
  void paintEvent(QPaintEvent* event) override;
  void drawRow(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
  bool edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;

private:
  QPixmap Composed(const QPixmap* state, const QPixmap* image) const;
  const QPixmap* ImageOf(const QTreeWidgetItem& item, TItemImage slot) const;
  QIcon IconOf(const QTreeWidgetItem& item) const;

  std::vector<QPixmap> images_;
  // The icons composed so far, by state, normal and selected image index:
  // many items share few, and composing one paints.
  mutable std::map<std::tuple<int, int, int>, QIcon> icons_;
  std::vector<QPixmap> stateImages_;
  QSize imageSize_;
  QSize stateSize_;
  QPersistentModelIndex hot_;
  // What the current paint shows under the rows: the owner's whole-area
  // drawing, or the plain background.
  std::unique_ptr<TBitmap> background_;
};

// Without full-row selection the other columns never show the selection;
// an edited label's new text stays only when the owner accepts it.
class TItemDelegate final : public QStyledItemDelegate {
public:
  explicit TItemDelegate(TItemTree& tree) : QStyledItemDelegate(&tree), tree_(tree) {}

protected:
  void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override {
    QStyledItemDelegate::initStyleOption(option, index);
    if (!tree_.Style.FullRowSelect && index.column() > 0) option->state &= ~QStyle::State_Selected;
  }
  // Rows are as high as the images they show.
  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    QSize size = QStyledItemDelegate::sizeHint(option, index);
    size.setHeight(std::max(size.height(), tree_.iconSize().height()));
    return size;
  }
  void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override {
    const auto* line = qobject_cast<QLineEdit*>(editor);
    QTreeWidgetItem* item = tree_.ItemOf(index);
    bool accepted = false;
    Guarded([&] { accepted = line && item && tree_.Owner.AcceptsLabel(*item, line->text().toStdString()); });
    if (accepted) QStyledItemDelegate::setModelData(editor, model, index);
  }

private:
  TItemTree& tree_;
};

TItemTree::TItemTree(QWidget* parent, IItemTreeOwner& owner, TItemTreeStyle style)
    : QTreeWidget(parent), Owner(owner), Style(style) {
  viewport()->setAutoFillBackground(false);
  setEditTriggers(EditKeyPressed | SelectedClicked);
  setItemDelegate(new TItemDelegate(*this));
}

// The owner draws in the control's client coordinates: a device context
// whose origin puts them where the area lies on the bitmap.
LRESULT AskOwner(IItemTreeOwner& owner, QTreeWidgetItem* item, UINT state, TCanvas& canvas, const TRect& area,
                 TColor& textColor) {
  SetViewportOrgEx(canvas.Handle(), -area.Left, -area.Top, nullptr);
  LRESULT answer = CDRF_DODEFAULT;
  Guarded([&] { answer = owner.AskCustomDraw(item, state, canvas.Handle(), area, textColor); });
  SetViewportOrgEx(canvas.Handle(), 0, 0, nullptr);
  return answer;
}

TRect TItemTree::ClientRectOf(const QRect& area) const {
  const QRect client = area.translated(viewport()->pos());
  return {client.left(), client.top(), client.right() + 1, client.bottom() + 1};
}

// The owner may paint the whole client area first; what it leaves is the background.
void TItemTree::paintEvent(QPaintEvent* event) {
  const QRect area = viewport()->rect();
  background_ = std::make_unique<TBitmap>(area.width(), area.height(), pf32bit);
  background_->Canvas().Brush().SetColor(RgbOf(palette().color(QPalette::Base)));
  background_->Canvas().FillRect({0, 0, area.width(), area.height()});
  TColor textColor = 0;
  const LRESULT answer = AskOwner(Owner, nullptr, 0, background_->Canvas(), ClientRectOf(area), textColor);
  {
    QPainter painter(viewport());
    painter.drawImage(0, 0, ImageView(*background_->Handle()));
  }
  if (!(answer & CDRF_SKIPDEFAULT)) QTreeWidget::paintEvent(event);
}

// Each row, branches included, may be painted by the owner into a bitmap of
// its own, over what lies under the row.
void TItemTree::drawRow(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const {
  QTreeWidgetItem* item = itemFromIndex(index);
  const QRect rect = option.rect;
  TBitmap bitmap(rect.width(), rect.height(), pf32bit);
  if (background_)
    BitBlt(bitmap.Canvas().Handle(), 0, 0, rect.width(), rect.height(), background_->Canvas().Handle(), rect.left(),
           rect.top(), SRCCOPY);
  const bool hot = Style.HotTracking && hot_.isValid() && hot_.row() == index.row() && hot_.parent() == index.parent();
  const UINT state = (selectionModel()->isSelected(index) ? CDIS_SELECTED : 0) |
                     (currentIndex() == index && hasFocus() ? CDIS_FOCUS : 0) | (hot ? CDIS_HOT : 0);
  TColor textColor = 0;
  const LRESULT answer = AskOwner(Owner, item, state, bitmap.Canvas(), ClientRectOf(rect), textColor);
  if (answer & CDRF_SKIPDEFAULT) {
    painter->drawImage(rect.topLeft(), ImageView(*bitmap.Handle()));
    return;
  }
  QStyleOptionViewItem changed = option;
  if (hot) {
    changed.font.setUnderline(true);
    changed.palette.setColor(QPalette::Text, QColorOf(ColorToRGB(clHotLight)));
  }
  if (answer & CDRF_NEWFONT) {
    changed.palette.setColor(QPalette::Text, QColorOf(textColor));
    if (auto* font = static_cast<TGdiFont*>(GetCurrentObject(bitmap.Canvas().Handle(), OBJ_FONT)))
      changed.font = QFontOfHandle(font);
  }
  QTreeWidget::drawRow(painter, changed, index);
}

bool TItemTree::edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) {
  if (!(trigger & editTriggers())) return QTreeWidget::edit(index, trigger, event);
  QTreeWidgetItem* item = itemFromIndex(index);
  bool allowed = false;
  Guarded([&] { allowed = item && index.column() == 0 && Owner.MayEditLabel(*item); });
  if (!allowed) return false;
  item->setFlags(item->flags() | Qt::ItemIsEditable);
  return QTreeWidget::edit(index, trigger, event);
}

void TItemTree::mousePressEvent(QMouseEvent* event) {
  const QModelIndex index = indexAt(event->position().toPoint());
  if (index.isValid() && !Hit(event->position().toPoint())) {
    clearSelection();
    return;
  }
  QTreeWidget::mousePressEvent(event);
}

QTreeWidgetItem* TItemTree::Hit(const QPoint& point) const {
  const QModelIndex index = indexAt(point);
  if (!index.isValid() || (!Style.FullRowSelect && index.column() > 0)) return nullptr;
  return itemFromIndex(index);
}

void TItemTree::SetHot(const QModelIndex& index) {
  const QModelIndex first = index.sibling(index.row(), 0);
  if (first == hot_) return;
  hot_ = first;
  viewport()->update();
}

void TItemTree::SetImages(TItemImage list, const TImageList* images) {
  (list == TItemImage::State ? stateImages_ : images_) = PixmapsOf(images);
  (list == TItemImage::State ? stateSize_ : imageSize_) = images ? QSize(images->Width(), images->Height()) : QSize();
  const int width = (stateImages_.empty() ? 0 : stateSize_.width()) + (images_.empty() ? 0 : imageSize_.width());
  const int height = std::max(stateImages_.empty() ? 0 : stateSize_.height(), images_.empty() ? 0 : imageSize_.height());
  setIconSize(width > 0 ? QSize(width, height) : QSize());
  icons_.clear();
  for (QTreeWidgetItemIterator it(this); *it; ++it) ShowImages(**it);
}

// State indexes count from 1: the platform's state image 0 is none.
const QPixmap* TItemTree::ImageOf(const QTreeWidgetItem& item, TItemImage slot) const {
  const std::vector<QPixmap>& pixmaps = slot == TItemImage::State ? stateImages_ : images_;
  const int index = ItemImage(item, slot);
  const int first = slot == TItemImage::State ? 1 : 0;
  return index >= first && index < static_cast<int>(pixmaps.size()) ? &pixmaps[static_cast<size_t>(index)] : nullptr;
}

// The state image, then the image, as one picture of the icon size.
QPixmap TItemTree::Composed(const QPixmap* state, const QPixmap* image) const {
  QPixmap picture(iconSize());
  picture.fill(Qt::transparent);
  QPainter painter(&picture);
  const int imageLeft = stateImages_.empty() ? 0 : stateSize_.width();
  if (state) painter.drawPixmap(0, (picture.height() - state->height()) / 2, *state);
  if (image) painter.drawPixmap(imageLeft, (picture.height() - image->height()) / 2, *image);
  return picture;
}

QIcon TItemTree::IconOf(const QTreeWidgetItem& item) const {
  const auto key = std::make_tuple(ItemImage(item, TItemImage::State), ItemImage(item, TItemImage::Normal),
                                   ItemImage(item, TItemImage::Selected));
  if (const auto found = icons_.find(key); found != icons_.end()) return found->second;
  const QPixmap* state = ImageOf(item, TItemImage::State);
  const QPixmap* image = ImageOf(item, TItemImage::Normal);
  const QPixmap* selected = ImageOf(item, TItemImage::Selected);
  QIcon icon;
  if (state || image) icon.addPixmap(Composed(state, image), QIcon::Normal);
  if (selected) icon.addPixmap(Composed(state, selected), QIcon::Selected);
  return icons_.emplace(key, icon).first->second;
}

void TItemTree::ShowImages(QTreeWidgetItem& item) const { item.setIcon(0, IconOf(item)); }

TItemTree& TreeOf(QTreeWidget& tree) { return static_cast<TItemTree&>(tree); }

}  // namespace

QTreeWidget* MakeItemTree(QWidget* parent, IItemTreeOwner& owner, TItemTreeStyle style) {
  return new TItemTree(parent, owner, style);
}

void SetItemTreeStyle(QTreeWidget& tree, TItemTreeStyle style) {
  TreeOf(tree).Style = style;
  tree.viewport()->update();
}

LRESULT SendCustomDraw(HWND window, NMCUSTOMDRAW& draw, DWORD stage, HDC dc, const TRect& rect) {
  draw.hdr.hwndFrom = window;
  draw.hdr.idFrom = static_cast<UINT_PTR>(GetWindowLongPtr(window, GWL_ID));
  draw.hdr.code = NM_CUSTOMDRAW;
  draw.dwDrawStage = stage;
  draw.hdc = dc;
  draw.rc = rect;
  return SendMessage(GetParent(window), WM_NOTIFY, draw.hdr.idFrom, reinterpret_cast<LPARAM>(&draw));
}

void SetItemTreeImages(QTreeWidget& tree, TItemImage list, const TImageList* images) {
  const QSignalBlocker blocker(tree);
  TreeOf(tree).SetImages(list, images);
}

void SetItemImage(QTreeWidget& tree, QTreeWidgetItem& item, TItemImage slot, int index) {
  SetItemImages(tree, item, {{slot, index}});
}

void SetItemImages(QTreeWidget& tree, QTreeWidgetItem& item, const TItemImageIndexes& images) {
  const QSignalBlocker blocker(tree);
  for (const auto& [slot, index] : images) item.setData(0, RoleOf(slot), index);
  TreeOf(tree).ShowImages(item);
}

int ItemImage(const QTreeWidgetItem& item, TItemImage slot) {
  const QVariant index = item.data(0, RoleOf(slot));
  return index.isValid() ? index.toInt() : -1;
}

bool ItemTreeEditing(QTreeWidget& tree) { return TreeOf(tree).Editor() != nullptr; }

QWidget* ItemTreeKeyTarget(QTreeWidget& tree) {
  QWidget* editor = TreeOf(tree).Editor();
  return editor ? editor : &tree;
}

void TrackHotItem(QTreeWidget& tree, const QPoint* point) {
  TItemTree& itemTree = TreeOf(tree);
  itemTree.SetHot(point && itemTree.Style.HotTracking ? tree.indexAt(*point) : QModelIndex());
}

QTreeWidgetItem* ItemTreeHit(QTreeWidget& tree, const QPoint& point) { return TreeOf(tree).Hit(point); }
