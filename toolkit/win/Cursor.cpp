#include "toolkit/win/Cursor.h"

#include <map>
#include <utility>

#include "toolkit/win/WindowBackend.h"

namespace {

HCURSOR Current = nullptr;

// Picture cursors by handle; their handles lie above every standard cursor
// number. Never destroyed: cursors may be freed by other statics at exit.
std::map<uintptr_t, TCursorPicture>& Pictures() {
  static auto* pictures = new std::map<uintptr_t, TCursorPicture>;
  return *pictures;
}
uintptr_t NextPictureHandle = 0x10000;

}  // namespace

HCURSOR LoadCursor(void*, uintptr_t id) {
  return id >= IDC_ARROW && id <= IDC_HELP ? reinterpret_cast<HCURSOR>(id) : nullptr;
}

HCURSOR CreatePictureCursor(TCursorPicture picture) {
  if (picture.Width <= 0 || picture.Height <= 0 ||
      picture.Pixels.size() != static_cast<size_t>(picture.Width) * static_cast<size_t>(picture.Height))
    return nullptr;
  const uintptr_t handle = NextPictureHandle++;
  Pictures().emplace(handle, std::move(picture));
  return reinterpret_cast<HCURSOR>(handle);
}

const TCursorPicture* CursorPicture(HCURSOR cursor) {
  const auto found = Pictures().find(reinterpret_cast<uintptr_t>(cursor));
  return found == Pictures().end() ? nullptr : &found->second;
}

bool DestroyCursor(HCURSOR cursor) {
  if (Pictures().erase(reinterpret_cast<uintptr_t>(cursor)) == 0) return false;
  if (Current == cursor) SetCursor(LoadCursor(nullptr, IDC_ARROW));
  return true;
}

HCURSOR SetCursor(HCURSOR cursor) {
  const HCURSOR old = Current;
  if (cursor == old) return old;
  Current = cursor;
  if (IWindowBackend* backend = WindowBackend()) backend->SetCursorShape(cursor);
  return old;
}

HCURSOR GetCursor() { return Current; }
