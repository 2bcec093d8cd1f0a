#pragma once
// Push buttons painted from the skin: TSkBtnWnd paints a push button's face
// from its section ("BUTTON" as a rule) with a normal, hot or pressed
// frame, and its caption in the section's text colours; TSkBitBtnWnd adds
// the glyph of a toolkit bit button (TBitBtn), or the bitmap a plain button
// shows. The eight painting steps are virtual, so descendants replace any
// of them. A button realised by a Qt widget keeps its own client area: its
// adapter's picture shows where the button is printed (WM_PRINT).

#include "skin/adapters/SkMainWnd.h"

class TBitBtn;
class TCanvas;

class TSkBtnWnd : public TSkMainWnd {
public:
  void AdapterWndProc(TMessage& message) override;

  // The face's frame, and the hot text: 2 pushed; 0 disabled; 1 focused,
  // under the mouse or a default push button; else 0.
  int CurrentState();

  virtual void DrawCaption();
  virtual void DrawGlyph() {}
  virtual TSize GetGlyphSize() { return {}; }
  virtual void WriteCaption(const TRect& r, unsigned format);
  virtual TRect GetCaptionRect();
  // The width the caption may wrap in: 0 without a text.
  virtual int MaxCaptionWidth();
  virtual TSize GetTextSize();
  // The whole face into the skin data's cache bitmap.
  virtual void PrepareCache();

protected:
  // BM_GETSTATE's answer.
  LRESULT ButtonState();
  // With BS_MULTILINE a caption wraps between words.
  unsigned WrapFlag() const;
  TCanvas& CacheCanvas();

private:
  void Paint(TMessage& message);
  // Runs the framework's handling with redrawing off, then repaints the face.
  void HandleQuietly(TMessage& message);
  void MouseCrossed(TMessage& message, bool entered);
  void FocusChanged(TMessage& message);
  bool ShowsThroughOnMove() const;
  void Repaint();
};

class TSkBitBtnWnd : public TSkBtnWnd {
public:
  void DrawGlyph() override;
  TSize GetGlyphSize() override;
  TRect GetCaptionRect() override;
  int MaxCaptionWidth() override;
  TRect GetGlyphRect();

private:
  // The toolkit bit button hosting the skin data; null for a plain button.
  TBitBtn* Owner() const;
};
