#pragma once
// Menu components: a tree of TMenuItem under a TMainMenu (a form's menu bar)
// or a TPopupMenu. Each item with children keeps a pop-up menu of the window
// core in step with them; an item's command id comes back as WM_COMMAND to
// the menu's owner window, which clicks the item. Shortcuts are shown at the
// right of items and found by IsShortCut.

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "runtime/MethodEvent.h"
#include "toolkit/controls/Control.h"
#include "toolkit/win/Menu.h"

class TBitmap;
class TCanvas;
class TImageList;
class TMenu;
class TAction;
class TActionLink;

// A key with its modifiers: the virtual key in the low byte.
using TShortCut = WORD;
constexpr TShortCut scNone = 0;
constexpr TShortCut scShift = 0x2000;
constexpr TShortCut scCtrl = 0x4000;
constexpr TShortCut scAlt = 0x8000;

TShortCut ShortCut(WORD key, TShiftState shift);
void ShortCutToKey(TShortCut shortCut, WORD& key, TShiftState& shift);
// "Ctrl+C", "F9", "Shift+Ctrl+Del"; "" for scNone.
std::string ShortCutToText(TShortCut shortCut);
// The reverse of ShortCutToText, ignoring case; scNone for text it does not know.
TShortCut TextToShortCut(const std::string& text);

enum TMenuBreak { mbNone, mbBreak, mbBarBreak };
enum TPopupAlignment { paLeft, paRight, paCenter };
// A set of these.
using TMenuAnimation = unsigned;
constexpr TMenuAnimation maLeftToRight = 0x01;
constexpr TMenuAnimation maRightToLeft = 0x02;
constexpr TMenuAnimation maTopToBottom = 0x04;
constexpr TMenuAnimation maBottomToTop = 0x08;
constexpr TMenuAnimation maNone = 0x10;

// Handlers with an identity, so that whoever sets one can tell later
// whether the event still holds its own.
using TMenuMeasureItemEvent = TMethodEvent<void(TObject* sender, TCanvas& canvas, int& width, int& height)>;
using TAdvancedMenuDrawItemEvent = TMethodEvent<void(TObject* sender, TCanvas& canvas, TRect rect, TOwnerDrawState state)>;

class TMenuItem : public TComponent {
public:
  explicit TMenuItem(TComponent* owner);
  ~TMenuItem() override;

  const std::string& Caption() const { return caption_; }
  void SetCaption(const std::string& caption);
  bool IsLine() const { return caption_ == "-"; }
  bool Checked() const { return checked_; }
  // Checking a radio item unchecks the other radio items of its group among its siblings.
  void SetChecked(bool checked);
  bool RadioItem() const { return radioItem_; }
  void SetRadioItem(bool radioItem);
  int GroupIndex() const { return groupIndex_; }
  void SetGroupIndex(int groupIndex);
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled);
  bool Visible() const { return visible_; }
  void SetVisible(bool visible);
  bool Default() const { return default_; }
  void SetDefault(bool isDefault);
  TShortCut ShortCut() const { return shortCut_; }
  void SetShortCut(TShortCut shortCut);
  int ImageIndex() const { return imageIndex_; }
  void SetImageIndex(int imageIndex);
  TMenuBreak Break() const { return break_; }
  void SetBreak(TMenuBreak value);
  // A picture shown in the check column when the menu has no image for the item.
  TBitmap& Bitmap();
  void BitmapChanged() { Changed(); }
  const std::string& Hint() const { return hint_; }
  void SetHint(const std::string& hint) { hint_ = hint; }

  // The item takes caption, hint, enabled, checked, image, shortcut and
  // visibility from its action and follows its changes; a click executes it.
  TAction* Action() const;
  void SetAction(TAction* action);

  int Count() const { return static_cast<int>(items_.size()); }
  TMenuItem* Items(int index) const { return items_.at(static_cast<size_t>(index)); }
  TMenuItem* Parent() const { return parent_; }
  int IndexOf(const TMenuItem* item) const;
  int MenuIndex() const { return parent_ ? parent_->IndexOf(this) : -1; }
  void Add(TMenuItem* item);
  void Insert(int index, TMenuItem* item);
  // Takes the item out (without freeing it).
  void Delete(int index);
  void Remove(TMenuItem* item);
  // Frees every child.
  void Clear();
  // The child whose caption, without "&", is the text (ignoring case).
  TMenuItem* Find(const std::string& caption) const;

  // The id its choice comes back with.
  UINT Command() const { return command_; }
  // The pop-up menu of the children.
  HMENU Handle();
  TMenu* GetParentMenu() const;

  // Executes the action (its OnUpdate first), else runs OnClick when enabled.
  virtual void Click();
  TNotifyEvent OnClick;
  TMenuMeasureItemEvent OnMeasureItem;
  TAdvancedMenuDrawItemEvent OnAdvancedDrawItem;

  // Menu messages for an owner window: WM_COMMAND of a menu item,
  // WM_INITMENUPOPUP, and WM_MEASUREITEM / WM_DRAWITEM of menu items.
  // False for messages (or items) that are not the menus'.
  static bool DispatchMenuMessage(TMessage& message);

private:
  friend class TMenu;
  void Changed();
  void RebuildHandle();
  // The child's place among the visible children.
  int VisiblePosition(const TMenuItem* child) const;
  MENUITEMINFO ItemInfo();
  HBITMAP Picture();
  bool IsOwnerDraw() const;
  void UncheckGroup();
  void MeasureItem(MEASUREITEMSTRUCT& measure);
  void DrawItem(const DRAWITEMSTRUCT& draw);

  std::string caption_;
  bool checked_ = false;
  bool radioItem_ = false;
  int groupIndex_ = 0;
  bool enabled_ = true;
  bool visible_ = true;
  bool default_ = false;
  TShortCut shortCut_ = scNone;
  int imageIndex_ = -1;
  TMenuBreak break_ = mbNone;
  std::string hint_;
  std::unique_ptr<TBitmap> bitmap_;
  std::unique_ptr<TBitmap> picture_;  // the image drawn in the check column
  std::unique_ptr<TActionLink> actionLink_;

  TMenuItem* parent_ = nullptr;
  std::vector<TMenuItem*> items_;
  TMenu* menu_ = nullptr;  // set on the root item of a menu
  UINT command_ = 0;
  HMENU handle_ = nullptr;
  bool menuBar_ = false;
};

class TMenu : public TComponent {
public:
  explicit TMenu(TComponent* owner);
  ~TMenu() override;

  TMenuItem& Items() { return *items_; }
  HMENU Handle() { return items_->Handle(); }
  TImageList* Images() const { return images_; }
  void SetImages(TImageList* images);
  // Every item is drawn by OnAdvancedDrawItem (or in the standard look when it has none).
  bool OwnerDraw() const { return ownerDraw_; }
  void SetOwnerDraw(bool ownerDraw);

  // The window that receives the menu's messages.
  HWND WindowHandle() const { return window_; }
  void SetWindowHandle(HWND window);

  TMenuItem* FindItemByCommand(UINT command);
  // The item of the shortcut is clicked when enabled, or its action executes
  // when enabled after its OnUpdate (true); otherwise the key passes.
  bool IsShortCut(WORD key, TShiftState shift);

  // An item changed: the bar is drawn again.
  virtual void MenuChanged();

protected:
  TMenu(TComponent* owner, bool menuBar);

private:
  std::unique_ptr<TMenuItem> items_;
  TImageList* images_ = nullptr;
  bool ownerDraw_ = false;
  HWND window_ = nullptr;
};

// The hidden owner window of pop-up menus: their messages come here.
HWND PopupList();

class TMainMenu : public TMenu {
public:
  explicit TMainMenu(TComponent* owner) : TMenu(owner, true) {}
};

class TPopupMenu : public TMenu {
public:
  explicit TPopupMenu(TComponent* owner);

  // Shows the menu at the screen point; returns once it has closed and the
  // chosen item (if any) has run.
  virtual void Popup(int x, int y);
  // The control the menu was last shown for.
  TComponent* PopupComponent = nullptr;
  bool AutoPopup = true;
  TPopupAlignment Alignment = paLeft;
  // Accepted; menus open without animation.
  TMenuAnimation MenuAnimation = 0;
  TNotifyEvent OnPopup;
};
