#pragma once
// Selections of the text widgets between Qt and the edit messages, for the
// Qt backend's own files. The toolkit's texts are UTF-8 byte strings, so
// the positions of EM_GETSEL and EM_SETSEL (and SelStart) count bytes; Qt
// counts UTF-16 units.

#include "toolkit/base/Handles.h"

class QString;

// A selection in Qt positions: the caret is at one end.
struct TTextSelection {
  int Start;
  int End;
};

// EM_GETSEL's answer, MAKELONG(start, end) in bytes; fills the DWORDs WParam and LParam point to.
LRESULT AnswerSelection(const QString& text, TTextSelection selection, WPARAM wParam, LPARAM lParam);
// EM_SETSEL's request (byte positions; end -1: to the end; start -1: no
// selection, the caret stays) as Qt positions in the text.
TTextSelection RequestedSelection(const QString& text, int caret, WPARAM wParam, LPARAM lParam);
