#pragma once
// A caption drawn on its parent: aligned across its width (Alignment) and
// down its height (Layout), wrapped at words when asked, "&" underlining
// the accelerator that gives the focus to FocusControl. With AutoSize the
// label takes the size of its text, keeping the edge its alignment names.

#include "toolkit/controls/GraphicControl.h"

class TWinControl;

enum TTextLayout { tlTop, tlCenter, tlBottom };

class TLabel : public TGraphicControl {
public:
  explicit TLabel(TComponent* owner);

  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment alignment);
  TTextLayout Layout() const { return layout_; }
  void SetLayout(TTextLayout layout);
  bool AutoSize() const { return autoSize_; }
  void SetAutoSize(bool autoSize);
  bool WordWrap() const { return wordWrap_; }
  void SetWordWrap(bool wordWrap);
  // A transparent label leaves its parent's background where it has no ink.
  bool Transparent() const { return transparent_; }
  void SetTransparent(bool transparent);
  bool ShowAccelChar() const { return showAccelChar_; }
  void SetShowAccelChar(bool show);
  TWinControl* FocusControl() const { return focusControl_; }
  void SetFocusControl(TWinControl* control);

protected:
  void Paint() override;
  void Dispatch(TMessage& message) override;
  void Notification(TComponent* component, TOperation operation) override;

private:
  unsigned TextFormat() const;
  // The text's extent when laid out within the given width.
  TRect TextBounds(TCanvas& canvas, int width);
  void AdjustBounds();
  void Changed();
  void CMTextChanged(TMessage& message);
  void CMDialogChar(TMessage& message);

  TAlignment alignment_ = taLeftJustify;
  TTextLayout layout_ = tlTop;
  bool autoSize_ = true;
  bool wordWrap_ = false;
  bool transparent_ = false;
  bool showAccelChar_ = true;
  TWinControl* focusControl_ = nullptr;
};
