#include "toolkit/qt/QtAccessibility.h"

#include <QAccessible>
#include <QWidget>

#include <utility>

#include "toolkit/qt/QtWindowHost.h"
#include "toolkit/win/Styles.h"
#include "toolkit/win/Window.h"

namespace {

const std::pair<DWORD, QAccessible::Event> EventPairs[] = {
    {EVENT_OBJECT_FOCUS, QAccessible::Focus},
    {EVENT_OBJECT_SELECTION, QAccessible::Selection},
    {EVENT_OBJECT_STATECHANGE, QAccessible::StateChanged},
    {EVENT_OBJECT_NAMECHANGE, QAccessible::NameChanged},
    {EVENT_OBJECT_LOCATIONCHANGE, QAccessible::LocationChanged},
    {EVENT_OBJECT_VALUECHANGE, QAccessible::ValueChanged},
};

// The widget that shows the window: its own, else its top-level window's.
QWidget* ShowingWidget(HWND window) {
  if (QWidget* widget = WidgetOfWindow(window)) return widget;
  const HWND root = GetAncestor(window, GA_ROOT);
  return root ? WidgetOfWindow(root) : nullptr;
}

TQtAccessibilityProbe& Probe() {
  static TQtAccessibilityProbe probe;
  return probe;
}

void ReportToProbe(const QAccessibleEvent& event, HWND window) {
  for (const auto& [winEvent, qtEvent] : EventPairs)
    if (qtEvent == event.type()) Probe()(winEvent, window);
}

// Without an assistive technology listening, Qt would still build the
// widget's accessible interface for every event, and each console line
// moves the focus.
void ForwardToQt(DWORD event, HWND window, LONG, LONG) {
  if (!QAccessible::isActive() && !Probe()) return;
  QWidget* widget = window ? ShowingWidget(window) : nullptr;
  if (!widget) return;
  for (const auto& [winEvent, qtEvent] : EventPairs) {
    if (winEvent != event) continue;
    QAccessibleEvent accessibleEvent(widget, qtEvent);
    if (Probe()) ReportToProbe(accessibleEvent, window);
    if (QAccessible::isActive()) QAccessible::updateAccessibility(&accessibleEvent);
    return;
  }
}

}  // namespace

void StartQtAccessibilityBridge() { SetWinEventBridge(ForwardToQt); }

void SetQtAccessibilityProbe(TQtAccessibilityProbe probe) { Probe() = std::move(probe); }
