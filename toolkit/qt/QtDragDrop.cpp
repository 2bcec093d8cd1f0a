#include "toolkit/qt/QtDragDrop.h"

#include <QDrag>
#include <QDropEvent>
#include <QMimeData>
#include <QWidget>

#include <map>
#include <memory>

#include "toolkit/qt/QtMimeTypes.h"
#include "toolkit/qt/QtWindowHost.h"
#include "toolkit/win/Styles.h"
#include "toolkit/win/Window.h"

namespace {

DWORD EffectsOf(Qt::DropActions actions) {
  return (actions & Qt::CopyAction ? DROPEFFECT_COPY : 0) | (actions & Qt::MoveAction ? DROPEFFECT_MOVE : 0) |
         (actions & Qt::LinkAction ? DROPEFFECT_LINK : 0);
}

Qt::DropAction ActionOf(DWORD effect) {
  switch (effect) {
    case DROPEFFECT_COPY: return Qt::CopyAction;
    case DROPEFFECT_MOVE: return Qt::MoveAction;
    case DROPEFFECT_LINK: return Qt::LinkAction;
    default: return Qt::IgnoreAction;
  }
}

Qt::DropActions ActionsOf(DWORD effects) {
  Qt::DropActions actions;
  for (const DWORD effect : {DROPEFFECT_COPY, DROPEFFECT_MOVE, DROPEFFECT_LINK})
    if (effects & effect) actions |= ActionOf(effect);
  return actions;
}

DWORD KeyStateOf(const QDropEvent& event) {
  const Qt::MouseButtons buttons = event.buttons();
  const Qt::KeyboardModifiers modifiers = event.modifiers();
  return (buttons & Qt::LeftButton ? MK_LBUTTON : 0) | (buttons & Qt::RightButton ? MK_RBUTTON : 0) |
         (buttons & Qt::MiddleButton ? MK_MBUTTON : 0) | (modifiers & Qt::ShiftModifier ? MK_SHIFT : 0) |
         (modifiers & Qt::ControlModifier ? MK_CONTROL : 0) | (modifiers & Qt::AltModifier ? MK_ALT : 0);
}

TDataObject DataOf(const QMimeData& mime) {
  TDataObject data;
  for (const QString& type : mime.formats()) {
    const std::string name = FormatNameOfMimeType(type);
    if (!name.empty()) data.SetData(name, FormatBytesOf(name, mime.data(type)));
  }
  return data;
}

// Takes a top-level window's drag events to the window core, for the
// registered window under the point (itself or one of its children).
class TDropFilter final : public QObject {
public:
  explicit TDropFilter(HWND window) : window_(window) {}

  bool eventFilter(QObject* watched, QEvent* event) override {
    switch (event->type()) {
      case QEvent::DragEnter:
      case QEvent::DragMove: return Over(*static_cast<QWidget*>(watched), *static_cast<QDragMoveEvent*>(event));
      case QEvent::DragLeave: DesktopDragLeave(window_); return true;
      case QEvent::Drop: return Drop(*static_cast<QWidget*>(watched), *static_cast<QDropEvent*>(event));
      default: return false;
    }
  }

private:
  // An enter is taken even when refused, so that Qt goes on reporting the
  // moves: the target may accept at another point.
  bool Over(QWidget& widget, QDragMoveEvent& event) {
    const TPoint point = ScreenPoint(widget, event);
    const DWORD effect = DesktopDragOver(WindowAt(point), DataOf(*event.mimeData()), KeyStateOf(event), point,
                                         EffectsOf(event.possibleActions()));
    event.setDropAction(ActionOf(effect));
    event.setAccepted(effect != DROPEFFECT_NONE || event.type() == QEvent::DragEnter);
    return true;
  }

  bool Drop(QWidget& widget, QDropEvent& event) {
    const TPoint point = ScreenPoint(widget, event);
    const DWORD effect =
        DesktopDrop(WindowAt(point), DataOf(*event.mimeData()), KeyStateOf(event), point, EffectsOf(event.possibleActions()));
    event.setDropAction(ActionOf(effect));
    event.setAccepted(effect != DROPEFFECT_NONE);
    return true;
  }

  // The window under the point when it lies in this top-level window, else the top-level window.
  HWND WindowAt(TPoint screenPoint) const {
    const HWND under = WindowFromPoint(screenPoint);
    return under && GetAncestor(under, GA_ROOT) == window_ ? under : window_;
  }

  static TPoint ScreenPoint(QWidget& widget, const QDropEvent& event) {
    const QPoint global = widget.mapToGlobal(event.position().toPoint());
    return {global.x(), global.y()};
  }

  HWND window_;
};

class TQtDragSource final : public IDragSource {
public:
  TDragResult Run(const TDataObject& data, DWORD allowedEffects, DWORD& effect) override {
    auto* mime = new QMimeData;
    for (const std::string& name : data.Formats()) {
      const auto bytes = data.Data(name);
      mime->setData(MimeTypeOf(name), MimeBytesOf(name, bytes));
    }
    QDrag drag(&owner_);
    drag.setMimeData(mime);
    const Qt::DropAction action = drag.exec(ActionsOf(allowedEffects));
    DesktopDragLeave(nullptr);
    effect = EffectsOf(action);
    return action == Qt::IgnoreAction ? DRAGDROP_S_CANCEL : DRAGDROP_S_DROP;
  }

  // Drags reach a top-level window: it takes them while it or a child window is registered.
  void AcceptDrops(HWND window, bool accept) override {
    if (accept) {
      const HWND root = GetAncestor(window, GA_ROOT);
      const HWND host = root ? root : window;
      QWidget* widget = WidgetOfWindow(host);
      if (!widget) return;
      hosts_[window] = host;
      if (++registered_[host] > 1) return;
      widget->setAcceptDrops(true);
      auto& filter = filters_[host];
      filter = std::make_unique<TDropFilter>(host);
      widget->installEventFilter(filter.get());
      return;
    }
    // The host is remembered: a window going away may have lost its parent already.
    const auto found = hosts_.find(window);
    if (found == hosts_.end()) return;
    const HWND host = found->second;
    hosts_.erase(found);
    if (--registered_[host] > 0) return;
    registered_.erase(host);
    filters_.erase(host);
    if (QWidget* widget = WidgetOfWindow(host)) widget->setAcceptDrops(false);
  }

private:
  QObject owner_;
  std::map<HWND, std::unique_ptr<TDropFilter>> filters_;
  std::map<HWND, int> registered_;
  std::map<HWND, HWND> hosts_;
};

}  // namespace

IDragSource& QtDragSource() {
  static TQtDragSource source;
  return source;
}
