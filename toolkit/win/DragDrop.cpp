#include "toolkit/win/DragDrop.h"

#include <algorithm>
#include <map>

#include "runtime/AsciiCase.h"
#include "toolkit/win/Window.h"

namespace {

std::map<HWND, IDropTarget*>& Targets() {
  static std::map<HWND, IDropTarget*> targets;
  return targets;
}

IDragSource* Source = nullptr;

// The target the drag is over now, and the last effect it answered.
HWND CurrentTarget = nullptr;
DWORD CurrentEffect = DROPEFFECT_NONE;

// The window or its nearest registered ancestor.
HWND TargetWindowOf(HWND window) {
  for (; window; window = GetParent(window))
    if (Targets().count(window)) return window;
  return nullptr;
}

// An answer is one of the allowed effects, or none.
DWORD Allowed(DWORD effect, DWORD allowed) {
  for (const DWORD single : {DROPEFFECT_MOVE, DROPEFFECT_COPY, DROPEFFECT_LINK})
    if ((effect & single) && (allowed & single)) return single;
  return DROPEFFECT_NONE;
}

void LeaveCurrent() {
  const HWND leaving = CurrentTarget;
  CurrentTarget = nullptr;
  CurrentEffect = DROPEFFECT_NONE;
  if (leaving && Targets().count(leaving)) Targets()[leaving]->DragLeave();
}

}  // namespace

void TDataObject::SetData(const std::string& formatName, std::vector<std::uint8_t> bytes) {
  for (auto& format : formats_)
    if (SameAsciiText(format.first, formatName)) {
      format.second = std::move(bytes);
      return;
    }
  formats_.emplace_back(formatName, std::move(bytes));
}

bool TDataObject::HasFormat(const std::string& formatName) const {
  return std::any_of(formats_.begin(), formats_.end(),
                     [&](const auto& format) { return SameAsciiText(format.first, formatName); });
}

std::vector<std::uint8_t> TDataObject::Data(const std::string& formatName) const {
  for (const auto& format : formats_)
    if (SameAsciiText(format.first, formatName)) return format.second;
  return {};
}

std::vector<std::string> TDataObject::Formats() const {
  std::vector<std::string> names;
  for (const auto& format : formats_) names.push_back(format.first);
  return names;
}

bool RegisterDragDrop(HWND window, IDropTarget* target) {
  if (!window || !target || !IsWindow(window) || Targets().count(window)) return false;
  Targets()[window] = target;
  if (Source) Source->AcceptDrops(window, true);
  return true;
}

bool RevokeDragDrop(HWND window) {
  if (!Targets().count(window)) return false;
  if (CurrentTarget == window) LeaveCurrent();
  Targets().erase(window);
  if (Source) Source->AcceptDrops(window, false);
  return true;
}

TDragResult DoDragDrop(const TDataObject& data, DWORD allowedEffects, DWORD& effect) {
  effect = DROPEFFECT_NONE;
  if (!Source) return DRAGDROP_S_CANCEL;
  const TDragResult result = Source->Run(data, allowedEffects, effect);
  if (result == DRAGDROP_S_CANCEL) effect = DROPEFFECT_NONE;
  return result;
}

DWORD DesktopDragOver(HWND window, const TDataObject& data, DWORD keyState, TPoint screenPoint, DWORD allowed) {
  const HWND target = TargetWindowOf(window);
  if (target != CurrentTarget) {
    LeaveCurrent();
    if (!target) return DROPEFFECT_NONE;
    CurrentTarget = target;
    CurrentEffect = Allowed(Targets()[target]->DragEnter(data, keyState, screenPoint, allowed), allowed);
    return CurrentEffect;
  }
  if (!target) return DROPEFFECT_NONE;
  CurrentEffect = Allowed(Targets()[target]->DragOver(keyState, screenPoint, allowed), allowed);
  return CurrentEffect;
}

// The drop goes to the target the drag is over, when its last answer
// accepted it; otherwise the target gets a leave instead.
DWORD DesktopDrop(HWND window, const TDataObject& data, DWORD keyState, TPoint screenPoint, DWORD allowed) {
  if (TargetWindowOf(window) != CurrentTarget) DesktopDragOver(window, data, keyState, screenPoint, allowed);
  if (!CurrentTarget || CurrentEffect == DROPEFFECT_NONE) {
    LeaveCurrent();
    return DROPEFFECT_NONE;
  }
  IDropTarget* target = Targets()[CurrentTarget];
  CurrentTarget = nullptr;
  CurrentEffect = DROPEFFECT_NONE;
  return Allowed(target->Drop(data, keyState, screenPoint, allowed), allowed);
}

void DesktopDragLeave(HWND window) {
  if (CurrentTarget && (!window || TargetWindowOf(window) == CurrentTarget)) LeaveCurrent();
}

void SetDragSource(IDragSource* source) { Source = source; }
