#pragma once
// Native widgets, for the Qt backend's own files: the Qt widget that
// realises a window whose class names it, filling the window's client area
// inside its host widget. Input on the widget (and on its inner widgets) is
// reported to the window core instead of reaching the widget; the window's
// default procedure (NativeWindowProc) hands it back through Message. Each
// kind of widget answers its control protocol in ControlMessage.

#include <memory>
#include <string>

#include "toolkit/base/Handles.h"
#include "toolkit/base/Rect.h"

class QEvent;
class QObject;
class QWidget;
struct NMHDR;
struct SCROLLINFO;

class TNativeWidget {
public:
  // Widget: made by the kind, a child of the host widget; the host deletes it.
  TNativeWidget(HWND window, QWidget* widget);
  virtual ~TNativeWidget();
  TNativeWidget(const TNativeWidget&) = delete;
  TNativeWidget& operator=(const TNativeWidget&) = delete;

  // The default procedure's handling; false leaves the message to DefWindowProc.
  bool Message(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
  // The widget's own scroll bar; false when it has none.
  virtual bool ScrollInfo(int bar, SCROLLINFO& info);

  // The input filter's part: an event on the widget or an inner widget.
  bool FilterEvent(QObject* watched, QEvent* event);

protected:
  HWND Window() const { return window_; }
  QWidget* Widget() const { return widget_; }
  // The kind's protocol (EM_*, LB_*, ...); false for messages it does not answer.
  virtual bool ControlMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) = 0;
  virtual std::string Text() const;
  virtual void SetText(const std::string& text);
  // WM_GETDLGCODE's answer.
  virtual LRESULT DialogCode() const { return 0; }
  // Whether a click gives the window the focus.
  virtual bool FocusOnClick() const { return true; }
  // Where keys go: the widget, or an inner widget of its own that takes them for now (an item's editor).
  virtual QWidget* KeyTarget() const { return widget_; }
  // Where the widget goes in the client area (client coordinates); the whole of it by default.
  virtual TRect WidgetArea(const TRect& client) const { return client; }
  // Notifications to the parent window: WM_COMMAND (id, code, window) and WM_NOTIFY.
  void NotifyCommand(WORD code) const;
  LRESULT Notify(NMHDR& header, UINT code) const;
  // The context of the kind's signal connections: they end with this object, before the widget goes.
  QObject* Context() const { return filter_; }
  // Watches the widget and every inner widget it makes, now or later.
  void WatchInput(QObject* object);
  // Puts the widget where WidgetArea says, again when that area changes (a tab bar that gets its first tab).
  void PlaceInClientArea();

private:
  bool DeliverInput(UINT message, WPARAM wParam, LPARAM lParam);
  void DeliverKey(UINT message, WPARAM wParam);
  void DeliverMouse(UINT message, WPARAM wParam, LPARAM lParam);
  void DeliverWheel(UINT message, WPARAM wParam, LPARAM lParam);
  void DeliverContextMenu(LPARAM lParam);
  void Render(LPARAM dc);
  void ApplyColors(WPARAM background, LPARAM text);
  void ApplyFont(WPARAM font);
  void Scroll(int bar, WORD request);

  HWND window_;
  QWidget* widget_;
  QObject* filter_;
  QWidget* pressTarget_ = nullptr;
  // Where the widget's area starts in the client area.
  TPoint areaOffset_{0, 0};
  WPARAM font_ = 0;
};

// The widget a class names ("QLineEdit", "QPushButton", ...) as a child of
// the host widget parent; null for names no kind makes.
std::unique_ptr<TNativeWidget> CreateNativeWidget(const std::string& name, HWND window, QWidget* parent);
// Whether an input event on its way now is one a default procedure is handing to its widget.
bool DeliveringNativeInput();
