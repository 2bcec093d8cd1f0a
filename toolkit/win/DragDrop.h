#pragma once
// Drag and drop between windows. A data object carries bytes under format
// names (the clipboard's registered names). A window registered with
// RegisterDragDrop (or its nearest registered ancestor) is the target of a
// drag over it: it gets enter, over, leave and drop, each with the key state
// (MK_*), the screen point and the effects the source allows, and answers
// the effect a drop would have. This layer delivers the leave itself when
// the drag moves to another target, leaves the windows or is cancelled.

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "toolkit/base/Rect.h"
#include "toolkit/win/Messages.h"

constexpr DWORD DROPEFFECT_NONE = 0;
constexpr DWORD DROPEFFECT_COPY = 1;
constexpr DWORD DROPEFFECT_MOVE = 2;
constexpr DWORD DROPEFFECT_LINK = 4;

// The key state of drag events: MK_LBUTTON ... MK_MBUTTON, and Alt.
constexpr DWORD MK_ALT = 0x20;

// Format names compare ignoring case, as the clipboard's do.
class TDataObject {
public:
  // Replaces the bytes of a format already held.
  void SetData(const std::string& formatName, std::vector<std::uint8_t> bytes);
  bool HasFormat(const std::string& formatName) const;
  // Empty when the format is not held.
  std::vector<std::uint8_t> Data(const std::string& formatName) const;
  std::vector<std::string> Formats() const;

private:
  std::vector<std::pair<std::string, std::vector<std::uint8_t>>> formats_;
};

class IDropTarget {
public:
  virtual ~IDropTarget() = default;
  // Each answers one of the allowed effects, or DROPEFFECT_NONE to refuse.
  virtual DWORD DragEnter(const TDataObject& data, DWORD keyState, TPoint screenPoint, DWORD allowedEffects) = 0;
  virtual DWORD DragOver(DWORD keyState, TPoint screenPoint, DWORD allowedEffects) = 0;
  virtual void DragLeave() = 0;
  virtual DWORD Drop(const TDataObject& data, DWORD keyState, TPoint screenPoint, DWORD allowedEffects) = 0;
};

// False when the window is registered already; the caller keeps the target.
bool RegisterDragDrop(HWND window, IDropTarget* target);
bool RevokeDragDrop(HWND window);

enum TDragResult { DRAGDROP_S_DROP, DRAGDROP_S_CANCEL };

// Runs a drag of the data with the mouse until it is dropped or cancelled;
// effect: what the target did (DROPEFFECT_NONE when cancelled).
TDragResult DoDragDrop(const TDataObject& data, DWORD allowedEffects, DWORD& effect);

// The desktop's side, for the window backend: the drag over a window, its
// drop there, and the drag leaving a window (nullptr: the drag ended or
// was cancelled wherever it was).
DWORD DesktopDragOver(HWND window, const TDataObject& data, DWORD keyState, TPoint screenPoint, DWORD allowed);
DWORD DesktopDrop(HWND window, const TDataObject& data, DWORD keyState, TPoint screenPoint, DWORD allowed);
void DesktopDragLeave(HWND window);

// Runs drags on the desktop (a backend installs it); without one every
// drag is cancelled at once.
class IDragSource {
public:
  virtual ~IDragSource() = default;
  virtual TDragResult Run(const TDataObject& data, DWORD allowedEffects, DWORD& effect) = 0;
  // The window starts or stops taking drags from the desktop.
  virtual void AcceptDrops(HWND window, bool accept) = 0;
};
void SetDragSource(IDragSource* source);
