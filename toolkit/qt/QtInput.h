#pragma once
// Qt's input events reported to the window core as desktop input, for the
// Qt backend's own files: the host widgets and the native widgets report
// through the same conversions. Nothing thrown leaves these functions.

#include <cstdint>

class QKeyEvent;
class QMouseEvent;
class QWheelEvent;

void ReportKeyEvent(const QKeyEvent& event);
// Presses, double clicks, releases and moves.
void ReportMouseEvent(const QMouseEvent& event);
void ReportWheelEvent(const QWheelEvent& event);
// The time of the last event reported, which the events handed on to a
// widget carry: Qt tells a double click by the times of the presses it sees.
std::uint64_t LastInputTimestamp();

// Runs one piece of input or painting; nothing thrown may leave a Qt event handler.
template <class Action>
void Guarded(Action action);

#include <exception>

#include "toolkit/win/MessageQueue.h"

template <class Action>
void Guarded(Action action) {
  try {
    action();
  } catch (...) {
    HandleEscapedException(std::current_exception());
  }
}
