#pragma once
// Controls: components with a place on a parent, a look (colour, font,
// cursor) and mouse events. Every message for a control goes through its
// WindowProc, which starts as the control's virtual WndProc and may be
// replaced (and later given back) by whoever takes the control over; WndProc
// reaches the handler registered for the message number, or DefaultHandler.

#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "toolkit/base/Rect.h"
#include "toolkit/controls/Component.h"
#include "toolkit/controls/WindowProcChain.h"
#include "toolkit/gdi/Font.h"
#include "toolkit/win/Messages.h"

class TWinControl;
class TPopupMenu;
class TAction;
class TActionLink;

enum TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient, alCustom };
enum TMouseButton { mbLeft, mbRight, mbMiddle };
// How a control places its text across its width.
enum TAlignment { taLeftJustify, taRightJustify, taCenter };
// Which standard scroll bars a control shows.
enum TScrollStyle { ssNone, ssHorizontal, ssVertical, ssBoth };
// The state of an owner-drawn item (list box, menu): the platform's ODS_* bits.
using TOwnerDrawState = unsigned;
constexpr TOwnerDrawState odSelected = 0x0001;
constexpr TOwnerDrawState odGrayed = 0x0002;
constexpr TOwnerDrawState odDisabled = 0x0004;
constexpr TOwnerDrawState odChecked = 0x0008;
constexpr TOwnerDrawState odFocused = 0x0010;
constexpr TOwnerDrawState odDefault = 0x0020;
// The chosen item drawn in a closed combo box.
constexpr TOwnerDrawState odComboBoxEdit = 0x1000;
// The stage and the item state of custom drawing (tool bars, trees): the platform's CDIS_* bits.
enum TCustomDrawStage { cdPrePaint, cdPostPaint, cdPreErase, cdPostErase };
using TCustomDrawState = unsigned;
constexpr TCustomDrawState cdsSelected = 0x0001;
constexpr TCustomDrawState cdsGrayed = 0x0002;
constexpr TCustomDrawState cdsDisabled = 0x0004;
constexpr TCustomDrawState cdsChecked = 0x0008;
constexpr TCustomDrawState cdsFocused = 0x0010;
constexpr TCustomDrawState cdsDefault = 0x0020;
constexpr TCustomDrawState cdsHot = 0x0040;
constexpr TCustomDrawState cdsMarked = 0x0080;
constexpr TCustomDrawState cdsIndeterminate = 0x0100;

// The parent's edges a control keeps its distance to when the parent
// resizes; anchored to both opposite edges, it stretches.
using TAnchors = unsigned;
constexpr TAnchors akLeft = 0x01;
constexpr TAnchors akTop = 0x02;
constexpr TAnchors akRight = 0x04;
constexpr TAnchors akBottom = 0x08;

using TShiftState = unsigned;
constexpr TShiftState ssShift = 0x01;
constexpr TShiftState ssAlt = 0x02;
constexpr TShiftState ssCtrl = 0x04;
constexpr TShiftState ssLeft = 0x08;
constexpr TShiftState ssRight = 0x10;
constexpr TShiftState ssMiddle = 0x20;
constexpr TShiftState ssDouble = 0x40;

using TControlStyle = unsigned;
constexpr TControlStyle csAcceptsControls = 0x0001;
constexpr TControlStyle csCaptureMouse = 0x0002;
constexpr TControlStyle csClickEvents = 0x0008;
constexpr TControlStyle csFramed = 0x0010;
constexpr TControlStyle csSetCaption = 0x0020;
constexpr TControlStyle csOpaque = 0x0040;
constexpr TControlStyle csDoubleClicks = 0x0080;
// Not shown while its form is being designed.
constexpr TControlStyle csNoDesignVisible = 0x0400;
constexpr TControlStyle csReplicatable = 0x0800;
constexpr TControlStyle csNoStdEvents = 0x1000;
constexpr TControlStyle csDisplayDragImage = 0x2000;
constexpr TControlStyle csReflector = 0x4000;

using TControlState = unsigned;
constexpr TControlState csLButtonDown = 0x0001;
constexpr TControlState csClicked = 0x0002;
constexpr TControlState csFocusing = 0x0020;
constexpr TControlState csCreating = 0x0040;
// The control paints a copy of itself (into a snapshot), not its window.
constexpr TControlState csPaintCopy = 0x0080;
constexpr TControlState csCustomPaint = 0x0100;
constexpr TControlState csDestroyingHandle = 0x0200;
constexpr TControlState csAligning = 0x0400;

// Cursors of controls; Screen maps them to cursor shapes.
using TCursor = int;
constexpr TCursor crDefault = 0;
constexpr TCursor crNone = -1;
constexpr TCursor crArrow = -2;
constexpr TCursor crCross = -3;
constexpr TCursor crIBeam = -4;
constexpr TCursor crSizeNESW = -6;
constexpr TCursor crSizeNS = -7;
constexpr TCursor crSizeNWSE = -8;
constexpr TCursor crSizeWE = -9;
constexpr TCursor crUpArrow = -10;
constexpr TCursor crHourGlass = -11;
constexpr TCursor crNo = -18;
constexpr TCursor crAppStart = -19;
constexpr TCursor crHelp = -20;
constexpr TCursor crHandPoint = -21;
constexpr TCursor crSizeAll = -22;

using TMouseEvent = std::function<void(TObject* sender, TMouseButton button, TShiftState shift, int x, int y)>;
using TMouseMoveEvent = std::function<void(TObject* sender, TShiftState shift, int x, int y)>;
using TMouseWheelEvent =
    std::function<void(TObject* sender, TShiftState shift, int wheelDelta, TPoint mousePos, bool& handled)>;
using TContextPopupEvent = std::function<void(TObject* sender, TPoint mousePos, bool& handled)>;
// Resize false refuses the new size; the handler may also change it.
using TCanResizeEvent = std::function<void(TObject* sender, int& newWidth, int& newHeight, bool& resize)>;

// Message handlers of one class, found by message number.
template <class Control>
class TMessageHandlers {
public:
  using THandler = void (Control::*)(TMessage&);
  TMessageHandlers(std::initializer_list<std::pair<UINT, THandler>> handlers) : handlers_(handlers) {}
  // False when the class has no handler for the message.
  bool Dispatch(Control& control, TMessage& message) const {
    for (const auto& [number, handler] : handlers_)
      if (number == message.Msg) {
        (control.*handler)(message);
        return true;
      }
    return false;
  }

private:
  std::vector<std::pair<UINT, THandler>> handlers_;
};

class TControl : public TComponent {
public:
  explicit TControl(TComponent* owner);
  ~TControl() override;

  TWinControl* Parent() const { return parent_; }
  virtual void SetParent(TWinControl* parent);

  int Left() const { return left_; }
  int Top() const { return top_; }
  int Width() const { return width_; }
  int Height() const { return height_; }
  void SetLeft(int left) { SetBounds(left, top_, width_, height_); }
  void SetTop(int top) { SetBounds(left_, top, width_, height_); }
  void SetWidth(int width) { SetBounds(left_, top_, width, height_); }
  void SetHeight(int height) { SetBounds(left_, top_, width_, height); }
  virtual void SetBounds(int left, int top, int width, int height);
  TRect BoundsRect() const { return Bounds(left_, top_, width_, height_); }
  // The client area in client coordinates (its top-left is (0, 0)).
  virtual TRect ClientRect() const;
  int ClientWidth() const { return ClientRect().Width(); }
  int ClientHeight() const { return ClientRect().Height(); }
  void SetClientSize(int width, int height);
  // Screen position of client (0, 0).
  virtual TPoint ClientOrigin() const;
  TPoint ClientToScreen(TPoint point) const;
  TPoint ScreenToClient(TPoint point) const;

  TAlign Align() const { return align_; }
  void SetAlign(TAlign align);
  TAnchors Anchors() const { return anchors_; }
  void SetAnchors(TAnchors anchors);
  bool Visible() const { return visible_; }
  void SetVisible(bool visible);
  void Show() { SetVisible(true); }
  void Hide() { SetVisible(false); }
  // Visible with every parent, and on a window.
  virtual bool Showing() const;
  virtual bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled);
  TColor Color() const { return color_; }
  void SetColor(TColor color);
  bool ParentColor() const { return parentColor_; }
  void SetParentColor(bool value);
  TFont& Font() { return font_; }
  bool ParentFont() const { return parentFont_; }
  void SetParentFont(bool value);
  TCursor Cursor() const { return cursor_; }
  void SetCursor(TCursor cursor);
  const std::string& Caption() const { return text_; }
  void SetCaption(const std::string& caption) { SetText(caption); }
  const std::string& Text() const { return text_; }
  void SetText(const std::string& text);
  std::string Hint;
  bool ShowHint = false;
  bool ParentShowHint = true;
  // Whether the control's hint shows: its own ShowHint, or its parent's while ParentShowHint.
  bool ShowsHints() const;
  // The help context number of the control's help page; 0: none.
  int HelpContext = 0;
  // Shown on WM_CONTEXTMENU unless OnContextPopup handles it; forgotten when freed.
  TPopupMenu* PopupMenu() const { return popupMenu_; }
  void SetPopupMenu(TPopupMenu* menu);

  // The control takes caption, hint, enabled and visibility from its action
  // (ActionChange: more in clients that show more) and a click executes it.
  TAction* Action() const;
  void SetAction(TAction* action);

  TControlStyle ControlStyle = csCaptureMouse | csClickEvents | csSetCaption | csDoubleClicks;
  TControlState ControlState = 0;

  // The control's message entry: WndProc unless someone took it over.
  TWindowProc WindowProc;
  LRESULT Perform(UINT message, WPARAM wParam, LPARAM lParam);
  virtual void WndProc(TMessage& message);
  // The handling of messages without a handler of their own.
  virtual void DefaultHandler(TMessage& message);

  // The DrawText flags for the control's reading order; text here always
  // reads left to right, so they come back unchanged.
  unsigned DrawTextBiDiModeFlags(unsigned flags) const { return flags; }

  virtual void Invalidate();
  // Paints what is invalid at once.
  virtual void Update();
  void Repaint() {
    Invalidate();
    Update();
  }
  void Refresh() { Repaint(); }
  void BringToFront();
  void SendToBack();

  TNotifyEvent OnClick;
  TNotifyEvent OnDblClick;
  TNotifyEvent OnResize;
  TMouseEvent OnMouseDown;
  TMouseEvent OnMouseUp;
  TMouseMoveEvent OnMouseMove;
  TMouseWheelEvent OnMouseWheel;
  TContextPopupEvent OnContextPopup;
  TCanResizeEvent OnCanResize;
  TNotifyEvent OnMouseEnter;
  TNotifyEvent OnMouseLeave;

protected:
  void Notification(TComponent* component, TOperation operation) override;
  // Takes the properties of the control's action.
  virtual void ActionChange(const TAction& action);
  // Finds the handler of the message in this class or its ancestors.
  virtual void Dispatch(TMessage& message);
  virtual void Click();
  virtual void DblClick();
  virtual void MouseDown(TMouseButton button, TShiftState shift, int x, int y);
  virtual void MouseUp(TMouseButton button, TShiftState shift, int x, int y);
  virtual void MouseMove(TShiftState shift, int x, int y);
  virtual bool DoMouseWheel(TShiftState shift, int wheelDelta, TPoint mousePos);
  virtual void Resize();
  // Whether the control takes the new size (which it may change); OnCanResize decides.
  virtual bool CanResize(int& newWidth, int& newHeight);
  // The control's window changed place or size.
  void UpdateBoundsRect(const TRect& rect);
  // Sends a component message to every child control (windowed ones only with handles).
  virtual void NotifyControls(UINT message);
  // The colour and font the parent hands down.
  void TakeParentLook();
  // The control's window changed its text itself (the user typed): the
  // text follows without being sent to the window again.
  void KeepText(const std::string& text) { text_ = text; }
  // Whether the control itself is the mouse's target (graphic controls ask their parent).
  bool MouseCapture() const;
  void SetMouseCapture(bool capture);

private:
  void HandleMouseDown(TMessage& message, TMouseButton button, TShiftState extra);
  void HandleMouseUp(TMessage& message, TMouseButton button);
  void WMLButtonDown(TMessage& message);
  void WMRButtonDown(TMessage& message);
  void WMMButtonDown(TMessage& message);
  void WMLButtonDblClk(TMessage& message);
  void WMRButtonDblClk(TMessage& message);
  void WMMButtonDblClk(TMessage& message);
  void WMLButtonUp(TMessage& message);
  void WMRButtonUp(TMessage& message);
  void WMMButtonUp(TMessage& message);
  void WMMouseMove(TMessage& message);
  void WMMouseWheel(TMessage& message);
  void CMMouseEnter(TMessage& message);
  void CMMouseLeave(TMessage& message);
  void CMParentColorChanged(TMessage& message);
  void CMParentFontChanged(TMessage& message);
  void FontChanged();
  // Where the parent's anchoring starts from: the control's bounds and the
  // parent's client size when they were set (an empty size: not yet known).
  struct TAnchorBase {
    TRect Bounds;
    TSize ParentSize;
  };
  void RememberAnchorBase(const TRect& bounds);
  // The bounds the anchors give in a parent client area of this size.
  TRect AnchoredBounds(TSize parentSize);

  TWinControl* parent_ = nullptr;
  int left_ = 0;
  int top_ = 0;
  int width_ = 0;
  int height_ = 0;
  TAlign align_ = alNone;
  TAnchors anchors_ = akLeft | akTop;
  TAnchorBase anchorBase_;
  bool anchoring_ = false;
  bool visible_ = true;
  bool enabled_ = true;
  TColor color_ = clWindow;
  bool parentColor_ = false;
  TFont font_;
  bool parentFont_ = true;
  TCursor cursor_ = crDefault;
  std::string text_;
  std::unique_ptr<TActionLink> actionLink_;
  TPopupMenu* popupMenu_ = nullptr;

  friend class TWinControl;
};

// Whether key is the accelerator of caption: the character after a single
// "&" ("&&" is a plain "&"), compared ignoring ASCII case.
bool IsAccel(char32_t key, const std::string& caption);

// Mouse messages carry the shift state in WParam and the point in LParam.
TShiftState ShiftStateOfKeys(WPARAM keys);
TShiftState KeyboardShiftState();
