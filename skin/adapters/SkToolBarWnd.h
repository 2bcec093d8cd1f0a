#pragma once
// The adapter of a native tool bar window ("ToolbarWindow32"): it asks the
// bar for its buttons through TB_* messages and paints each one from the
// "TOOLBUTTON" section (disabled ones faded, pressed ones with their
// content a pixel lower and right, the one under the cursor hot) with its
// image-list image and its text, and the bar's border only when the bar
// has a client edge.

#include <functional>
#include <string>

#include "skin/adapters/SkMainWnd.h"

class TBitmap;
struct TBBUTTON;
class TDeviceContext;
using HDC = TDeviceContext*;

// A native button's text on one line (Rest empty) or two.
struct TButtonTextLines {
  std::string First;
  std::string Rest;
};
// Words are split at blanks. One line when the text fits width or has at
// most two words; otherwise the first line is the longest run of whole
// words that fits (at least one word) and the rest goes to the second,
// which its drawing cuts with "..." where it does not fit.
TButtonTextLines SplitButtonText(const std::string& text, int width,
                                 const std::function<int(const std::string&)>& measure);

class TSkToolBarWnd : public TSkMainWnd {
public:
  void AdapterWndProc(TMessage& message) override;

  // The client rectangle when the cache was last built.
  TRect ClientArea;
  // (window height - client height) div 2.
  int BorderSize = 0;

private:
  void BuildCache();
  bool Suspended();
  void Paint(WPARAM wParam);
  void PaintBorder();
  void PaintButton(int index, const TRect& r, TBitmap* target);
  void PaintImage(const TBBUTTON& button, int state, int shift, TBitmap* bmp, TSize& imageSize);
  void PaintText(int command, int state, int shift, TSize imageSize, TBitmap* bmp);
  // The button's text, read at its length; empty when it has none.
  std::string ButtonText(int command) const;
};
