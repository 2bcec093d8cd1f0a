#pragma once
// A tree view realised by the desktop's tree widget. The nodes (TTreeNode,
// held by TTreeNodes) are the control's: their text, data and children
// live here, and the widget shows them as items that carry their node.
// The user's (or code's) change of selection asks OnChanging and raises
// OnChange; expanding and collapsing ask OnExpanding / OnCollapsing. Every
// paint offers OnAdvancedCustomDraw the whole client area and
// OnCustomDrawItem each node, on Canvas. A text the user edited in place
// becomes the node's.

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "toolkit/controls/CustomDrawItems.h"
#include "toolkit/controls/WinControl.h"
#include "toolkit/gdi/Canvas.h"
#include "toolkit/gdi/ImageList.h"
#include "toolkit/win/ControlMessages.h"

class TTreeNodes;
class TTreeView;

class TTreeNode {
public:
  TTreeNode(TTreeNodes& owner, TTreeNode* parent, std::string text, void* data);
  TTreeNode(const TTreeNode&) = delete;
  TTreeNode& operator=(const TTreeNode&) = delete;

  TTreeNodes& Owner() const { return owner_; }
  TTreeView& TreeView() const;
  const std::string& Text() const { return text_; }
  void SetText(const std::string& text);
  void* Data = nullptr;
  // Images of the tree's Images: the node's, and the one it shows while selected.
  int ImageIndex() const { return imageIndex_; }
  void SetImageIndex(int index);
  int SelectedIndex() const { return selectedIndex_; }
  void SetSelectedIndex(int index);
  // An image of the tree's StateImages shown before the node's image;
  // counted from 1, as the platform's state images are (0 or -1: none).
  int StateIndex() const { return stateIndex_; }
  void SetStateIndex(int index);

  TTreeNode* Parent() const { return parent_; }
  // 0 for a node at the top.
  int Level() const;
  int Count() const { return static_cast<int>(children_.size()); }
  TTreeNode* Item(int index) const { return children_.at(static_cast<size_t>(index)).get(); }
  // The place among its parent's children.
  int Index() const;
  TTreeNode* getFirstChild() const { return children_.empty() ? nullptr : children_.front().get(); }
  TTreeNode* getNextSibling() const;
  // Children, or a button as if it had some (filled when expanded).
  bool HasChildren() const { return hasChildren_ || !children_.empty(); }
  void SetHasChildren(bool value);

  bool Expanded() const { return expanded_; }
  void SetExpanded(bool expanded);
  void Expand(bool recurse);
  void Collapse(bool recurse);
  bool Selected() const;
  void SetSelected(bool selected);
  // The node's row (or only its text) in the tree's client coordinates; empty when not shown.
  TRect DisplayRect(bool textOnly) const;
  HTREEITEM ItemId() const { return item_; }
  // Frees the node and its children.
  void Delete();

private:
  friend class TTreeNodes;
  friend class TTreeView;

  TTreeNodes& owner_;
  TTreeNode* parent_;
  std::vector<std::unique_ptr<TTreeNode>> children_;
  std::string text_;
  bool hasChildren_ = false;
  bool expanded_ = false;
  int imageIndex_ = -1;
  int selectedIndex_ = -1;
  int stateIndex_ = -1;
  HTREEITEM item_ = nullptr;
};

class TTreeNodes {
public:
  explicit TTreeNodes(TTreeView& owner) : owner_(owner) {}
  TTreeNodes(const TTreeNodes&) = delete;
  TTreeNodes& operator=(const TTreeNodes&) = delete;

  TTreeView& Owner() const { return owner_; }
  // Every node, at every level.
  int Count() const { return count_; }
  TTreeNode* GetFirstNode() const { return roots_.empty() ? nullptr : roots_.front().get(); }
  // A new last node beside sibling (at the top without one).
  TTreeNode* Add(TTreeNode* sibling, const std::string& text) { return AddObject(sibling, text, nullptr); }
  TTreeNode* AddObject(TTreeNode* sibling, const std::string& text, void* data);
  // A new last child of parent (at the top without one).
  TTreeNode* AddChild(TTreeNode* parent, const std::string& text) { return AddChildObject(parent, text, nullptr); }
  TTreeNode* AddChildObject(TTreeNode* parent, const std::string& text, void* data);
  void Delete(TTreeNode* node);
  void Clear();
  // Changes between them are shown at the end.
  void BeginUpdate();
  void EndUpdate();

private:
  friend class TTreeNode;
  friend class TTreeView;
  std::vector<std::unique_ptr<TTreeNode>>& SiblingsOf(TTreeNode* parent) { return parent ? parent->children_ : roots_; }

  TTreeView& owner_;
  std::vector<std::unique_ptr<TTreeNode>> roots_;
  int count_ = 0;
  int updateCount_ = 0;
};

enum TSortType { stNone, stData, stText, stBoth };

using TTVChangedEvent = std::function<void(TObject* sender, TTreeNode* node)>;
using TTVChangingEvent = std::function<void(TObject* sender, TTreeNode* node, bool& allowChange)>;
using TTVExpandingEvent = std::function<void(TObject* sender, TTreeNode* node, bool& allowExpansion)>;
using TTVCollapsingEvent = std::function<void(TObject* sender, TTreeNode* node, bool& allowCollapse)>;
using TTVExpandedEvent = std::function<void(TObject* sender, TTreeNode* node)>;
using TTVCustomDrawItemEvent =
    std::function<void(TObject* sender, TTreeNode* node, TCustomDrawState state, bool& defaultDraw)>;
using TTVAdvancedCustomDrawEvent = TAdvancedCustomDrawEvent;

class TTreeView : public TWinControl {
public:
  explicit TTreeView(TComponent* owner);
  ~TTreeView() override;

  TTreeNodes& Items() { return items_; }
  TTreeNode* Selected();
  void SetSelected(TTreeNode* node);

  // Lists not owned; a list that goes away is forgotten.
  TImageList* Images() const { return imagesLink_.Sender(); }
  void SetImages(TImageList* images);
  TImageList* StateImages() const { return stateImagesLink_.Sender(); }
  void SetStateImages(TImageList* images);
  // Without it the user edits a node's text in place (F2, or a click on the selected node).
  bool ReadOnly() const { return readOnly_; }
  void SetReadOnly(bool value);
  // The node under the mouse is drawn hot (underlined in the hot-light colour).
  bool HotTrack() const { return hotTrack_; }
  void SetHotTrack(bool value);
  bool ShowButtons() const { return showButtons_; }
  void SetShowButtons(bool value);
  bool ShowLines() const { return showLines_; }
  void SetShowLines(bool value);
  bool ShowRoot() const { return showRoot_; }
  void SetShowRoot(bool value);
  bool HideSelection() const { return hideSelection_; }
  void SetHideSelection(bool value);
  int Indent();
  void SetIndent(int indent);
  TSortType SortType() const { return sortType_; }
  // Any sort type but stNone keeps the nodes sorted by text.
  void SetSortType(TSortType sortType);
  // Sorts every level by text, ignoring case.
  void AlphaSort();
  // The node at a client point, or null.
  TTreeNode* GetNodeAt(int x, int y);

  // The canvas custom drawing paints on.
  TCanvas& Canvas() { return canvas_; }

  TTVChangedEvent OnChange;
  TTVChangingEvent OnChanging;
  TTVExpandingEvent OnExpanding;
  TTVCollapsingEvent OnCollapsing;
  TTVExpandedEvent OnExpanded;
  TTVExpandedEvent OnCollapsed;
  TTVCustomDrawItemEvent OnCustomDrawItem;
  TTVAdvancedCustomDrawEvent OnAdvancedCustomDraw;

protected:
  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;
  void DestroyWnd() override;
  void Dispatch(TMessage& message) override;
  virtual bool CanChange(TTreeNode* node);
  virtual void Change(TTreeNode* node);
  virtual bool CanExpand(TTreeNode* node);
  virtual bool CanCollapse(TTreeNode* node);

private:
  friend class TTreeNode;
  friend class TTreeNodes;
  // The node's item in the widget, after its parent's; index: its place
  // among its siblings (known to the callers, which walk or insert there).
  void InsertItem(TTreeNode& node, std::size_t index);
  void InsertItems(std::vector<std::unique_ptr<TTreeNode>>& nodes);
  void ForgetItems(std::vector<std::unique_ptr<TTreeNode>>& nodes);
  void UpdateItem(TTreeNode& node, UINT mask);
  void ExpandItem(TTreeNode& node, bool expand);
  void SortNodes(std::vector<std::unique_ptr<TTreeNode>>& nodes);
  void RebuildItems();
  void SetStyleFlag(bool& flag, bool value);
  void CNNotify(TMessage& message);
  LRESULT CustomDraw(NMTVCUSTOMDRAW& draw);

  void LinkImages(TChangeLink& link, TImageList* images, WPARAM which);

  TTreeNodes items_;
  TCanvas canvas_;
  TChangeLink imagesLink_;
  TChangeLink stateImagesLink_;
  bool readOnly_ = false;
  bool hotTrack_ = false;
  bool showButtons_ = true;
  bool showLines_ = true;
  bool showRoot_ = true;
  bool hideSelection_ = true;
  int indent_ = 19;
  TSortType sortType_ = stNone;
};
