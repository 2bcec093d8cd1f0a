#pragma once
// Adapters of windows that show only a background and some text or an
// icon: a static text, an icon static, a link window, and a transparent
// panel that shows its parent's skinned background behind its children.
// They change only painting: the parent's background goes into the cache
// bitmap, the content over it, and the cache onto the window.

#include "skin/adapters/SkMainWnd.h"

class TBitmap;
class TDeviceContext;
using HDC = TDeviceContext*;

class TSkStaticWnd : public TSkMainWnd {
public:
  void AdapterWndProc(TMessage& message) override;

protected:
  // Draws the content over the background in the cache.
  virtual void PaintContent(TBitmap& cache);
  // The text with the section's colours in the system's message font.
  void PaintText(TBitmap& cache, const std::string& text);

private:
  // Whether the window keeps the system's painting: a tab stop or a static edge.
  bool PaintsItself() const;
  void PaintOnErase(HDC given);
};

// A static that shows the icon it answers to STM_GETICON.
class TSkIconWnd : public TSkStaticWnd {
protected:
  void PaintContent(TBitmap& cache) override;
};

// A link window: its text without the "<A>" and "</A>" tags (case-sensitive).
class TSkLinkWnd : public TSkStaticWnd {
protected:
  void PaintContent(TBitmap& cache) override;
};

// Shows its parent's background around its child windows; of a child group
// box it leaves out only the caption band and borders.
class TSkTransPanelWnd : public TSkMainWnd {
public:
  void AdapterWndProc(TMessage& message) override;

protected:
  virtual void PaintPanel();
};

// The text a link window shows: every "<A>", then every "</A>" removed.
std::string LinkTextShown(const std::string& text);
