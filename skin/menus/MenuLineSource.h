#pragma once
// What the painter of the menu line asks a form provider (through the
// form's answer to sub-command 4): the provider's picture of the menu line
// and where the line lies below the window's top.

class TBitmap;

class TSkMenuLineSource {
public:
  virtual ~TSkMenuLineSource() = default;
  // Null while the provider has no picture of the line: the items are
  // then drawn over the menu bar's own background.
  virtual TBitmap* MenuLineImage() const = 0;
  virtual int CaptionHeight() const = 0;
  virtual int FrameHeight() const = 0;
};
