#pragma once
// A group box painted from the skin: the parent's background behind the
// caption band, the section's frame whose top line runs through the
// band's middle, and the caption erasing the line behind it. Its children
// paint themselves over it: the picture is copied around them. In a
// standard dialog (dialog mode) only the frame and the band are painted;
// the interior stays as the dialog painted it.

#include "skin/adapters/SkMainWnd.h"

// The caption band of a caption of the text size in a box width wide:
// (6, 0, TW + 14, max(TH, 4) + 2), ending at width - 1 when the caption is wider.
TRect GroupBoxCaptionBand(TSize text, int width);

class TSkGroupBoxWnd : public TSkMainWnd {
public:
  void AdapterWndProc(TMessage& message) override;
  // The caption band as the window's font measures its text.
  TRect CaptionBand();

private:
  void Paint(WPARAM wParam, LPARAM lParam);
  void PrepareCache();
  void SelectCaptionFont();
};

// Asks the form (the owner's parent form, else the top-level window) to
// adapt a child just made in the container.
void AnnounceNewChild(TSkMainWnd& container);
