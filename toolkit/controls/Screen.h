#pragma once
// The screen as the application sees it: its size, the cursor shown over
// every control while set, the cursor shapes of the control cursors, the
// forms and the active form and control.

#include <map>
#include <vector>

#include "toolkit/base/Handles.h"
#include "toolkit/controls/Control.h"
#include "toolkit/win/Monitors.h"

class TForm;
class TWinControl;

class TScreen : public TComponent {
public:
  TScreen();

  // The primary monitor's size.
  int Width() const;
  int Height() const;
  // The virtual desktop: every monitor's bounds together.
  TRect DesktopRect() const;
  int DesktopLeft() const { return DesktopRect().Left; }
  int DesktopTop() const { return DesktopRect().Top; }
  int DesktopWidth() const { return DesktopRect().Width(); }
  int DesktopHeight() const { return DesktopRect().Height(); }
  // The primary monitor's work area, where forms are centred.
  TRect WorkAreaRect() const;

  int MonitorCount() const { return static_cast<int>(GetMonitors().size()); }
  TMonitor Monitors(int index) const { return GetMonitors().at(static_cast<size_t>(index)); }
  TMonitor MonitorFromPoint(TPoint point) const;
  // The monitor showing most of the window.
  TMonitor MonitorFromWindow(HWND window) const;
  int PixelsPerInch() const { return 96; }
  // The fonts of the desktop's fixed non-client metrics.
  TFont& HintFont() { return hintFont_; }
  TFont& MenuFont() { return menuFont_; }
  TFont& IconFont() { return iconFont_; }

  // Overrides every control's cursor while not crDefault.
  TCursor Cursor() const { return cursor_; }
  void SetCursor(TCursor cursor);
  HCURSOR Cursors(TCursor cursor) const;
  // Registers the shape of an application cursor number.
  void SetCursors(TCursor cursor, HCURSOR shape) { cursors_[cursor] = shape; }

  int FormCount() const { return static_cast<int>(forms_.size()); }
  TForm* Forms(int index) const { return forms_.at(static_cast<size_t>(index)); }
  int CustomFormCount() const { return FormCount(); }
  TForm* CustomForms(int index) const { return Forms(index); }
  TForm* ActiveForm() const { return activeForm_; }
  TWinControl* ActiveControl() const { return activeControl_; }

  // Kept up to date by the forms and controls themselves.
  void AddForm(TForm* form);
  void RemoveForm(TForm* form);
  void SetActiveForm(TForm* form) { activeForm_ = form; }
  void SetActiveControl(TWinControl* control) { activeControl_ = control; }
  void ForgetControl(const TControl* control);

private:
  TCursor cursor_ = crDefault;
  TFont hintFont_;
  TFont menuFont_;
  TFont iconFont_;
  std::map<TCursor, HCURSOR> cursors_;
  std::vector<TForm*> forms_;
  TForm* activeForm_ = nullptr;
  TWinControl* activeControl_ = nullptr;
};

TScreen& Screen();
