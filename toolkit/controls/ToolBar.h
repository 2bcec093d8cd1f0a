#pragma once
// A tool bar and its buttons. The bar lays its buttons out in rows
// (ButtonWidth x ButtonHeight each, wider for a drop-down arrow or a
// caption), takes the mouse over them itself (hot tracking, pressing,
// checking, grouped checks, drop-down menus) and paints them as the
// platform's tool bar does, through the custom-draw protocol: each stage is
// sent to the parent as NM_CUSTOMDRAW, comes back reflected as CN_NOTIFY and
// raises OnAdvancedCustomDraw (the bar) and OnAdvancedCustomDrawButton
// (each button), whose DefaultDraw off leaves that painting to the handler.
// It answers the tool bar messages (TB_BUTTONCOUNT, TB_GETBUTTON,
// TB_GETITEMRECT, TB_GETBUTTONTEXT, TB_GET*IMAGELIST): an item rectangle is
// the button's bounds, exactly where it is drawn.

#include <functional>
#include <vector>

#include "runtime/MethodEvent.h"
#include "toolkit/controls/GraphicControl.h"
#include "toolkit/controls/ToolWindow.h"
#include "toolkit/gdi/ImageList.h"

class TPopupMenu;
class TToolBar;

enum TToolButtonStyle { tbsButton, tbsCheck, tbsDropDown, tbsSeparator, tbsDivider };

// What the standard painting leaves out after a button handler.
using TTBCustomDrawFlags = unsigned;
constexpr TTBCustomDrawFlags tbNoEdges = 0x01;
constexpr TTBCustomDrawFlags tbHiliteHotTrack = 0x02;
constexpr TTBCustomDrawFlags tbNoOffset = 0x04;
constexpr TTBCustomDrawFlags tbNoMark = 0x08;
constexpr TTBCustomDrawFlags tbNoEtchedEffect = 0x10;

class TToolButton : public TGraphicControl {
public:
  explicit TToolButton(TComponent* owner);
  ~TToolButton() override;

  void SetParent(TWinControl* parent) override;
  TToolBar* ToolBar() const { return toolBar_; }
  // The button's place among the bar's buttons, -1 off a bar.
  int Index() const;

  TToolButtonStyle Style() const { return style_; }
  void SetStyle(TToolButtonStyle style);
  int ImageIndex() const { return imageIndex_; }
  void SetImageIndex(int index);
  bool Down() const { return down_; }
  void SetDown(bool down);
  // Check buttons side by side with Grouped stay down in turn.
  bool Grouped() const { return grouped_; }
  void SetGrouped(bool grouped);
  bool AllowAllUp() const { return allowAllUp_; }
  void SetAllowAllUp(bool allow);
  bool Indeterminate() const { return indeterminate_; }
  void SetIndeterminate(bool indeterminate);
  bool Marked() const { return marked_; }
  void SetMarked(bool marked);
  // The next button starts a new row.
  bool Wrap() const { return wrap_; }
  void SetWrap(bool wrap);
  TPopupMenu* DropdownMenu = nullptr;

  void Click() override;

protected:
  // Also the image and, for check buttons, Down from the action's Checked.
  void ActionChange(const TAction& action) override;
  void Dispatch(TMessage& message) override;

private:
  friend class TToolBar;
  // Its look changed; Rearrange: its place or size may have changed too.
  void Changed();
  void Rearrange();
  void CMChanged(TMessage& message);
  void CMRearrange(TMessage& message);

  TToolBar* toolBar_ = nullptr;
  TToolButtonStyle style_ = tbsButton;
  int imageIndex_ = -1;
  bool down_ = false;
  bool grouped_ = false;
  bool allowAllUp_ = false;
  bool indeterminate_ = false;
  bool marked_ = false;
  bool wrap_ = false;
};

// Handlers with an identity, so that whoever sets one can tell later
// whether the event still holds its own.
using TTBAdvancedCustomDrawEvent =
    TMethodEvent<void(TToolBar* sender, const TRect& rect, TCustomDrawStage stage, bool& defaultDraw)>;
using TTBAdvancedCustomDrawBtnEvent =
    TMethodEvent<void(TToolBar* sender, TToolButton* button, TCustomDrawState state, TCustomDrawStage stage,
                      TTBCustomDrawFlags& flags, bool& defaultDraw)>;

class TToolBar : public TToolWindow {
public:
  explicit TToolBar(TComponent* owner);
  ~TToolBar() override;

  int ButtonCount() const { return static_cast<int>(buttons_.size()); }
  TToolButton* Buttons(int index) const { return buttons_.at(static_cast<size_t>(index)); }

  bool Flat() const { return flat_; }
  void SetFlat(bool flat);
  bool AutoSize() const { return autoSize_; }
  void SetAutoSize(bool autoSize);
  bool ShowCaptions() const { return showCaptions_; }
  void SetShowCaptions(bool show);
  // Captions right of the images instead of below them.
  bool List() const { return list_; }
  void SetList(bool list);
  bool Wrapable() const { return wrapable_; }
  void SetWrapable(bool wrapable);
  int ButtonWidth() const { return buttonWidth_; }
  void SetButtonWidth(int width);
  int ButtonHeight() const { return buttonHeight_; }
  void SetButtonHeight(int height);
  // Lists not owned (a list that goes away is forgotten); HotImages serve
  // hot and pressed buttons, DisabledImages disabled ones.
  TImageList* Images() const { return imageLink_.Sender(); }
  void SetImages(TImageList* images);
  TImageList* HotImages() const { return hotImageLink_.Sender(); }
  void SetHotImages(TImageList* images);
  TImageList* DisabledImages() const { return disabledImageLink_.Sender(); }
  void SetDisabledImages(TImageList* images);

  // The enabled, clickable button at a client point.
  TToolButton* ButtonAtPos(TPoint point) const;
  // Width of the arrow part of a drop-down button.
  static int DropDownWidth();
  // Paints one button with the standard look (what DefaultDraw leaves on).
  void DrawButton(TToolButton& button, TCustomDrawState state, TTBCustomDrawFlags flags);
  // The state a button is drawn in now.
  TCustomDrawState ButtonState(const TToolButton& button) const;

  TTBAdvancedCustomDrawEvent OnAdvancedCustomDraw;
  TTBAdvancedCustomDrawBtnEvent OnAdvancedCustomDrawButton;

  void WndProc(TMessage& message) override;

protected:
  void Paint() override;
  void AlignControls(TRect& rect) override;
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseMove(TShiftState shift, int x, int y) override;
  void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
  void Dispatch(TMessage& message) override;

private:
  friend class TToolButton;
  void InsertButton(TToolButton* button);
  void RemoveButton(TToolButton* button);
  // Places the buttons in rows; with AutoSize the bar takes their height.
  void ArrangeButtons();
  TSize ButtonSize(TToolButton& button, int widestCaption);
  int CaptionWidth(TToolButton& button);
  // Sends one custom-draw stage to the parent; answers its CDRF_* flags.
  LRESULT SendCustomDraw(DWORD stage, const TRect& rect, TToolButton* button, TCustomDrawState state);
  void PaintButton(TToolButton& button, LRESULT barAnswer);
  LRESULT CustomDrawBar(DWORD stage, const TRect& rect);
  LRESULT CustomDrawButton(DWORD stage, TToolButton& button, TCustomDrawState state);
  void DrawGlyph(TToolButton& button, TCustomDrawState state, bool pushed);
  void DrawCaption(TToolButton& button, TCustomDrawState state, bool pushed);
  void DrawDropDownArrow(TToolButton& button, TCustomDrawState state);
  void SetHotButton(TToolButton* button);
  void RepaintButton(TToolButton* button);
  // A check button was clicked: toggles it, releasing the others of its group.
  void ToggleCheck(TToolButton& button);
  void LinkImages(TChangeLink& link, TImageList* images);
  // Releases the other buttons of a grouped check button's group.
  void ReleaseGroup(TToolButton& button);
  // Asks the parent (TBN_DROPDOWN) and opens the button's menu at its bottom-left.
  void DropDown(TToolButton& button);
  // Shows the button's menu below it; CN_DROPDOWNCLOSED follows once it has closed.
  void TrackMenu(TToolButton& button);
  bool InDropDownArrow(const TToolButton& button, TPoint point) const;
  void CNNotify(TMessage& message);
  void CNDropDownClosed(TMessage& message);
  void WMMouseLeave(TMessage& message);
  void TBButtonCount(TMessage& message);
  void TBGetButton(TMessage& message);
  void TBGetItemRect(TMessage& message);
  void TBGetButtonText(TMessage& message);
  void TBGetImageList(TMessage& message);
  void TBGetHotImageList(TMessage& message);
  void TBGetDisabledImageList(TMessage& message);

  std::vector<TToolButton*> buttons_;
  bool flat_ = false;
  bool autoSize_ = false;
  bool showCaptions_ = false;
  bool list_ = false;
  bool wrapable_ = true;
  int buttonWidth_ = 23;
  int buttonHeight_ = 22;
  // Each list's link knows the list while it lives.
  TChangeLink imageLink_;
  TChangeLink hotImageLink_;
  TChangeLink disabledImageLink_;
  TToolButton* hot_ = nullptr;
  TToolButton* pressed_ = nullptr;
  bool pressedInside_ = false;
  TToolButton* dropped_ = nullptr;
  bool arranging_ = false;
};
