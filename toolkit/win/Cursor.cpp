#include "toolkit/win/Cursor.h"

#include "toolkit/win/WindowBackend.h"

namespace {

HCURSOR Current = nullptr;

}  // namespace

HCURSOR LoadCursor(void*, uintptr_t id) {
  return id >= IDC_ARROW && id <= IDC_HELP ? reinterpret_cast<HCURSOR>(id) : nullptr;
}

HCURSOR SetCursor(HCURSOR cursor) {
  const HCURSOR old = Current;
  if (cursor == old) return old;
  Current = cursor;
  if (IWindowBackend* backend = WindowBackend()) backend->SetCursorShape(cursor);
  return old;
}

HCURSOR GetCursor() { return Current; }
