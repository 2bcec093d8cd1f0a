#pragma once
// The skinnable menus: the application's menus made owner-drawn and their
// items measured and painted from the active skin. Pop-up items come from
// "MENUITEM" over a picture of the whole menu window built from "MAINMENU"
// (the menu images), separators from "DIVIDERV", caption items ("-Tools-")
// from "TOOLBAR", and the items of a form's menu line from "MENUITEM" and
// "MENULINE" over the form provider's picture of the menu line. Menus are
// never subclassed: hooking only sets the items' measuring and drawing
// events (where no other handler is) and the menus' OwnerDraw switch, and
// releasing clears only the handlers that are this object's.
//
// Every skin manager owns one.

#include <memory>
#include <string>
#include <vector>

#include "skin/menus/MenuLineSource.h"
#include "skin/menus/MenuSupport.h"
#include "toolkit/base/Handles.h"
#include "toolkit/controls/Control.h"
#include "toolkit/gdi/Color.h"

class TBitmap;
class TCanvas;
class TMainMenu;
class TMenuItem;
class TPopupMenu;
class TSkinManager;
class TSkinProvider;

// One picture of a whole pop-up menu window (24 bits, the window's size),
// made at the first paint of one of its items; its items copy their
// background out of it. FirstItem, the first item of the menu, is the key.
struct TSkMenuImage {
  TMenuItem* FirstItem = nullptr;
  // Shared, so that a painter keeps the picture it copies from while a
  // menu window that goes meanwhile empties the list.
  std::shared_ptr<TBitmap> Image;
  HWND Wnd = nullptr;        // null when the painter had no window
  bool HaveExtraLine = false;
};


// Sub-commands of the skin command to a pop-up menu window: has its border
// been drawn (answers 0 or 1), and the menus drew it.
constexpr WORD scIsMenuBorderDrawn = 8;
constexpr WORD scMenuBorderDrawn = 14;
// Posted to the application window: shape the menu window of the item in
// LParam (a TMenuItem), or the menu window in LParam.
constexpr UINT WM_SHAPEMENUOFITEM = 0xBCB3;
constexpr UINT WM_SHAPEMENUWINDOW = 0xBCB4;

class TSkinableMenus : public TPersistent {
public:
  explicit TSkinableMenus(TSkinManager* owner);
  ~TSkinableMenus() override;

  // Inner margin of an item.
  int Margin = 2;
  TAlignment Alignment = taLeftJustify;
  // Kept; nothing reads it.
  int BevelWidth = 0;
  // The menu window's frame in the menu image.
  int BorderWidth = 3;
  // The font of caption items; the setter copies.
  TFont& CaptionFont() const { return *captionFont_; }
  void SetCaptionFont(const TFont& font);
  // The borders mask width of "MAINMENU" (3 when the mask gives 0 or less,
  // 0 without it); -1 asks for it again at the next read.
  int SkinBorderWidth();
  void SetSkinBorderWidth(int value) { skinBorderWidth_ = value; }
  // The gap between the glyph column and the text.
  int Spacing = 6;
  TSkinMenuManagerDrawItemEvent OnDrawItem;
  // Cut out of the region of the menu window whose image was built last.
  std::vector<TRect> CornerRects;
  TSkinManager* Owner = nullptr;
  // Guards the window shaping against re-entry.
  bool Shaping = false;

  bool Active() const { return active_; }
  void SetActive(bool value);
  // Active follows whether the manager's skin is active.
  void UpdateActive();
  // Every menu owned, at any depth, by the application's components.
  void HookAll(bool value);
  void HookMainMenu(TMainMenu* menu, bool value);
  void HookPopupMenu(TPopupMenu* menu, bool value);
  // The sub-items of item at every depth; never a menu line's items.
  void HookItems(TMenuItem* item, bool value);
  void HookItem(TMenuItem* item, bool value);

  // The event handlers hooking sets.
  void MeasureItem(TObject* sender, TCanvas& canvas, int& width, int& height);
  void DrawItem(TObject* sender, TCanvas& canvas, TRect rect, TOwnerDrawState state);
  void MeasureTopLineItem(TObject* sender, TCanvas& canvas, int& width, int& height);
  void DrawTopLineItem(TObject* sender, TCanvas& canvas, TRect rect, TOwnerDrawState state);

  int ItemHeight(TCanvas& canvas, TMenuItem* item);
  // The tallest column, and the sum of the columns' widths, of the item's menu.
  int MenuHeight(TCanvas& canvas, TMenuItem* item);
  int MenuWidth(TCanvas& canvas, TMenuItem* item);
  // The MDI frame's active child is maximised.
  bool ActiveMDIChildMaximized() const;

  // The image of the item's menu (by its first item); built with that size
  // and window when there is none and width is not 0. Without an item, the
  // image of the window. False with entry empty when there is none.
  bool FindMenuImage(TMenuItem* item, int width, TSkMenuImage& entry, HWND wnd, int height);
  void BuildMenuImage(TMenuItem* firstItem, int width, HWND wnd, int height);
  // The window's procedure becomes MenuWndProc, and its region the image
  // less CornerRects, once per showing.
  void ShapeMenuWindow(HWND wnd, TBitmap* image);
  // The extra line's width in the menu of the entry; 0 when it has none.
  int ExtraLineWidthOf(const TSkMenuImage& entry) const;

private:
  void HookItemTree(TMenuItem* item, bool value, bool skipTopLine);
  void HookComponent(TComponent* component, bool value);
  void ReleaseHandlers(TMenuItem* item);
  void SetPopupHandlers(TMenuItem* item);
  void SetTopLineHandlers(TMenuItem* item);
  bool Designing() const;
  bool PopupsSkinned() const;
  int SectionIndexOf(const char* section) const;
  // The extra line of a new menu: asks the manager's event; false when none is shown.
  bool AskExtraLineData(TMenuItem* firstItem);
  void DrawExtraLine(TBitmap* image, int border);
  void PaintMenuFrameNextTo(HWND wnd, TBitmap* image, TMenuItem* item, const TRect& rect, int extraWidth);
  void PostShapeRequest(TMenuItem* item);
  void FillMenuGaps(TCanvas& canvas, TBitmap* image, TMenuItem* item, const TRect& rect);
  void DrawCheckGlyph(TBitmap* bmp, TMenuItem* item, bool hot);
  void DrawItemGlyph(TBitmap* bmp, TMenuItem* item, const TRect& rect, bool hot);
  void DrawSysMenuGlyph(TBitmap* bmp, TMenuItem* item, const TRect& rect, bool hot);
  void DrawCaptionAndShortcut(TBitmap* bmp, TMenuItem* item, const TRect& rect, TOwnerDrawState state, bool hot);
  void DrawDivider(TCanvas& canvas, const TRect& rect, const TSkMenuImage& entry, TBitmap* image, TMenuItem* item);
  void DrawCaptionItem(TCanvas& canvas, const TRect& rect, const TSkMenuImage& entry, TBitmap* image,
                       TMenuItem* item);
  TSkinProvider* MenuLineProvider(TMenuItem* item) const;

  bool active_ = false;
  int skinBorderWidth_ = 0;
  std::unique_ptr<TFont> captionFont_;
};

// The procedure put on skinned menu windows: the frame and background are
// the image's, so the window paints neither; the previous procedure is kept
// in GWL_USERDATA.
LRESULT MenuWndProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam);
// Frees every menu image. Any menu window's destruction drops them all.
void ClearMenuImages();

// Process-wide state of the menus, reset by ResetMenuGlobals.
// What the item measured or painted last was.
extern TSkinMenuItemType CurrentItemType;
// A pop-up item was measured since a menu window was last destroyed: the
// menu window adapter paints the window's frame and background meanwhile.
extern bool MenuMeasured;
// The provider of the MDI frame; null until MDI skinning sets it.
extern TSkinProvider* MdiMainProvider;
// The system locale reads right to left. Nothing sets it here; menus have
// no reading order of their own, so it alone turns their layout.
extern bool SysLocaleMiddleEast;
// The menu images, in the order their menus were first painted.
extern std::vector<TSkMenuImage> MenuImages;
// The manager's last answer about the extra line: its section, its
// caption (without "&") and its glyph, freed once drawn.
extern std::string ExtraLineSection;
extern std::string ExtraLineCaption;
extern std::unique_ptr<TBitmap> ExtraLineGlyph;
// Margin, glyph width and Spacing of the menu built last: dividers start right of it.
extern int IconStripWidth;
void ResetMenuGlobals();
