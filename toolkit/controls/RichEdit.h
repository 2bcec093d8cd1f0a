#pragma once
// A rich edit realised by the desktop's text widget: plain text whose
// characters carry a colour and a style. SelAttributes reads the format of
// the selection's first character and formats the selection; formatting
// neither raises OnChange nor moves the caret or the selection. Without
// ES_MULTILINE it is one line (the command line's kind): no wrapping, no
// scroll bars, and Enter types nothing; the owner sees Enter and Ctrl+Enter
// as the characters 13 and 10. Pasted text keeps its line breaks.

#include "toolkit/controls/Edit.h"
#include "toolkit/gdi/Font.h"
#include "toolkit/win/ControlMessages.h"

class TRichEdit;

class TTextAttributes {
public:
  explicit TTextAttributes(TRichEdit& edit) : edit_(edit) {}

  TColor Color() const;
  void SetColor(TColor color);
  TFontStyles Style() const;
  void SetStyle(TFontStyles style);

private:
  CHARFORMAT Format() const;
  void Apply(CHARFORMAT format);

  TRichEdit& edit_;
};

class TRichEdit : public TCustomEdit {
public:
  explicit TRichEdit(TComponent* owner);

  TTextAttributes& SelAttributes() { return selAttributes_; }

protected:
  void CreateParams(TCreateParams& params) override;

private:
  TTextAttributes selAttributes_;
};
