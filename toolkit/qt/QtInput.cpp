#include "toolkit/qt/QtInput.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QWheelEvent>

#include "toolkit/qt/QtKeys.h"
#include "toolkit/win/Input.h"
#include "toolkit/win/Keys.h"

namespace {

TPoint ScreenPoint(const QPointF& global) { return {qRound(global.x()), qRound(global.y())}; }

TInputModifiers ModifiersOf(Qt::KeyboardModifiers modifiers) {
  return {modifiers.testFlag(Qt::ShiftModifier), modifiers.testFlag(Qt::ControlModifier),
          modifiers.testFlag(Qt::AltModifier)};
}

bool ButtonOf(Qt::MouseButton qtButton, TInputButton& button) {
  switch (qtButton) {
    case Qt::LeftButton: button = TInputButton::Left; return true;
    case Qt::RightButton: button = TInputButton::Right; return true;
    case Qt::MiddleButton: button = TInputButton::Middle; return true;
    default: return false;
  }
}

// The control character a key types as on the platform (0: none):
// Backspace, Tab, Enter and Esc, Ctrl+Enter a line feed, Ctrl with a letter
// the characters 1 to 26, whatever the desktop's text says.
char32_t ControlCharacterOf(WORD key, Qt::KeyboardModifiers modifiers) {
  if (modifiers.testFlag(Qt::AltModifier)) return 0;
  const bool control = modifiers.testFlag(Qt::ControlModifier);
  if (control && key >= 'A' && key <= 'Z') return key - 'A' + 1;
  switch (key) {
    case VK_BACK: return control ? 0x7F : 8;
    case VK_TAB: return control ? 0 : 9;
    case VK_RETURN: return control ? 10 : 13;
    case VK_ESCAPE: return 27;
    default: return 0;
  }
}

std::u32string CharactersOf(const QKeyEvent& event, WORD key) {
  if (event.type() != QEvent::KeyPress) return {};
  if (const char32_t character = ControlCharacterOf(key, event.modifiers())) return std::u32string(1, character);
  return event.text().toStdU32String();
}

std::uint64_t LastTimestamp = 0;

}  // namespace

std::uint64_t LastInputTimestamp() { return LastTimestamp; }

void ReportKeyEvent(const QKeyEvent& event) {
  LastTimestamp = event.timestamp();
  const bool keypad = event.modifiers().testFlag(Qt::KeypadModifier);
  const WORD key = VirtualKeyOfQtKey(event.key(), keypad);
  const bool down = event.type() == QEvent::KeyPress;
  const std::u32string characters = CharactersOf(event, key);
  Guarded([&] { InjectKey(key, down, event.isAutoRepeat(), characters, ModifiersOf(event.modifiers())); });
}

void ReportMouseEvent(const QMouseEvent& event) {
  LastTimestamp = event.timestamp();
  const TPoint point = ScreenPoint(event.globalPosition());
  const TInputModifiers modifiers = ModifiersOf(event.modifiers());
  if (event.type() == QEvent::MouseMove) {
    Guarded([&] { InjectMouseMove(point, modifiers); });
    return;
  }
  TInputButton button;
  if (!ButtonOf(event.button(), button)) return;
  const bool down = event.type() != QEvent::MouseButtonRelease;
  const bool doubleClick = event.type() == QEvent::MouseButtonDblClick;
  Guarded([&] { InjectMouseButton(point, button, down, doubleClick, modifiers); });
}

void ReportWheelEvent(const QWheelEvent& event) {
  LastTimestamp = event.timestamp();
  const QPoint angle = event.angleDelta();
  const bool horizontal = angle.y() == 0 && angle.x() != 0;
  // Qt counts a wheel turned left as positive; the platform counts right.
  const int delta = horizontal ? -angle.x() : angle.y();
  Guarded([&] { InjectMouseWheel(ScreenPoint(event.globalPosition()), delta, horizontal, ModifiersOf(event.modifiers())); });
}
