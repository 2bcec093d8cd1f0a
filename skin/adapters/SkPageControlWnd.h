#pragma once
// A page control painted as a skinned tab control, whose pages (its child
// windows) are taken over by page adapters: a page shows its control's
// skinned background, and its children's background requests pass up to
// the control. Page adapters live in one process-wide list; each goes with
// its page's window, and the skin layer's shut-down frees the rest.

#include <cstddef>

#include "skin/adapters/SkTabControlWnd.h"

class TDeviceContext;
using HDC = TDeviceContext*;

class TSkPageControlWnd : public TSkTabControlWnd {
public:
  void AdapterWndProc(TMessage& message) override;
  // Takes over every page not yet adapted.
  void AttachPages();
};

class TSkPageWnd : public TSkMainWnd {
public:
  void AdapterWndProc(TMessage& message) override;

private:
  bool AnswerSkinCommand(TMessage& message);
  void Paint(HDC dc);
};

// The page adapters alive.
std::size_t PageAdapterCount();
// Frees every page adapter, from the first, and empties the list.
void FreePageAdapters();
