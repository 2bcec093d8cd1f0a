#pragma once
// A list view in report style realised by the desktop's list: Columns
// (caption and width) over rows of items, each with its Caption, SubItems
// for the columns after the first, Data and a state image. The items are
// the control's; the widget shows them. A change of selection, the user's
// or the code's, raises OnSelectItem for each item whose selection
// changed. Every paint offers OnAdvancedCustomDraw the whole client area
// and OnCustomDrawItem each item, on Canvas. A caption the user edited in
// place becomes the item's.

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "runtime/StringList.h"
#include "toolkit/controls/CustomDrawItems.h"
#include "toolkit/controls/TreeView.h"

class TListView;

class TListColumn {
public:
  TListColumn(TListView& view, int index) : view_(view), index_(index) {}
  const std::string& Caption() const { return caption_; }
  void SetCaption(const std::string& caption);
  int Width() const { return width_; }
  void SetWidth(int width);

private:
  friend class TListView;
  TListView& view_;
  int index_;
  std::string caption_;
  int width_ = 50;
};

class TListColumns {
public:
  explicit TListColumns(TListView& view) : view_(view) {}
  TListColumn* Add();
  int Count() const { return static_cast<int>(columns_.size()); }
  TListColumn* Items(int index) const { return columns_.at(static_cast<size_t>(index)).get(); }

private:
  friend class TListView;
  TListView& view_;
  std::vector<std::unique_ptr<TListColumn>> columns_;
};

class TListItem {
public:
  explicit TListItem(TListView& view);
  const std::string& Caption() const { return caption_; }
  void SetCaption(const std::string& caption);
  // The texts of the columns after the first.
  TStrings& SubItems() { return subItems_; }
  void* Data = nullptr;
  int Index() const;
  bool Selected() const;
  void SetSelected(bool selected);
  // An image of the view's StateImages before the caption; counted from 1,
  // as the platform's state images are (0 or -1: none).
  int StateIndex() const { return stateIndex_; }
  void SetStateIndex(int index);

private:
  friend class TListView;
  TListView& view_;
  std::string caption_;
  TStringList subItems_;
  int stateIndex_ = -1;
};

class TListItems {
public:
  explicit TListItems(TListView& view) : view_(view) {}
  TListItem* Add();
  TListItem* Insert(int index);
  void Delete(int index);
  void Clear();
  int Count() const { return static_cast<int>(items_.size()); }
  TListItem* Item(int index) const { return items_.at(static_cast<size_t>(index)).get(); }
  int IndexOf(const TListItem* item) const;

private:
  friend class TListView;
  TListView& view_;
  std::vector<std::unique_ptr<TListItem>> items_;
};

using TLVSelectItemEvent = std::function<void(TObject* sender, TListItem* item, bool selected)>;
using TLVCustomDrawItemEvent =
    std::function<void(TObject* sender, TListItem* item, TCustomDrawState state, bool& defaultDraw)>;
using TLVAdvancedCustomDrawEvent = TAdvancedCustomDrawEvent;

class TListView : public TWinControl {
public:
  explicit TListView(TComponent* owner);
  ~TListView() override;

  TListColumns& Columns() { return columns_; }
  TListItems& Items() { return items_; }
  // -1: none selected.
  int ItemIndex();
  void SetItemIndex(int index);
  TListItem* Selected();
  // The whole row shows the selection and takes clicks; without it only the caption does.
  bool RowSelect() const { return rowSelect_; }
  void SetRowSelect(bool value);
  // Without it the user edits an item's caption in place (F2, or a click on the selected item).
  bool ReadOnly() const { return readOnly_; }
  void SetReadOnly(bool value);
  // Not owned; a list that goes away is forgotten.
  TImageList* StateImages() const { return stateImagesLink_.Sender(); }
  void SetStateImages(TImageList* images);
  bool HideSelection() const { return hideSelection_; }
  void SetHideSelection(bool value);
  TSortType SortType() const { return sortType_; }
  // stText and stBoth keep the items sorted by caption, ignoring case.
  void SetSortType(TSortType sortType);
  void AlphaSort();
  // The item at a client point, or null.
  TListItem* GetItemAt(int x, int y);

  // The canvas custom drawing paints on.
  TCanvas& Canvas() { return canvas_; }

  TLVSelectItemEvent OnSelectItem;
  TLVCustomDrawItemEvent OnCustomDrawItem;
  TLVAdvancedCustomDrawEvent OnAdvancedCustomDraw;

protected:
  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;
  void Dispatch(TMessage& message) override;

private:
  friend class TListColumn;
  friend class TListColumns;
  friend class TListItem;
  friend class TListItems;
  void InsertColumn(TListColumn& column);
  void InsertItem(TListItem& item);
  void UpdateTexts(TListItem& item);
  void UpdateStateImage(TListItem& item);
  void ApplyRowSelect();
  void CNNotify(TMessage& message);
  // The widget's rows and columns made again in the control's order; chosen is selected again.
  void RebuildItems(TListItem* chosen);
  void KeepSorted();

  TListColumns columns_;
  TListItems items_;
  TCanvas canvas_;
  TChangeLink stateImagesLink_;
  bool hideSelection_ = true;
  bool rowSelect_ = false;
  bool readOnly_ = false;
  TSortType sortType_ = stNone;
};
