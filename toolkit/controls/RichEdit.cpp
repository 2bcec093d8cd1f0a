#include "toolkit/controls/RichEdit.h"

// TTextAttributes

CHARFORMAT TTextAttributes::Format() const {
  CHARFORMAT format;
  edit_.HandleNeeded();
  edit_.Perform(EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&format));
  return format;
}

void TTextAttributes::Apply(CHARFORMAT format) {
  edit_.HandleNeeded();
  edit_.Perform(EM_SETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&format));
}

TColor TTextAttributes::Color() const { return Format().crTextColor; }

void TTextAttributes::SetColor(TColor color) {
  CHARFORMAT format;
  format.dwMask = CFM_COLOR;
  if (color == clWindowText)
    format.dwEffects = CFE_AUTOCOLOR;
  else
    format.crTextColor = ColorToRGB(color);
  Apply(format);
}

TFontStyles TTextAttributes::Style() const {
  const DWORD effects = Format().dwEffects;
  TFontStyles style = 0;
  if (effects & CFE_BOLD) style |= fsBold;
  if (effects & CFE_ITALIC) style |= fsItalic;
  if (effects & CFE_UNDERLINE) style |= fsUnderline;
  if (effects & CFE_STRIKEOUT) style |= fsStrikeOut;
  return style;
}

void TTextAttributes::SetStyle(TFontStyles style) {
  CHARFORMAT format;
  format.dwMask = CFM_BOLD | CFM_ITALIC | CFM_UNDERLINE | CFM_STRIKEOUT;
  if (style & fsBold) format.dwEffects |= CFE_BOLD;
  if (style & fsItalic) format.dwEffects |= CFE_ITALIC;
  if (style & fsUnderline) format.dwEffects |= CFE_UNDERLINE;
  if (style & fsStrikeOut) format.dwEffects |= CFE_STRIKEOUT;
  Apply(format);
}

// TRichEdit

TRichEdit::TRichEdit(TComponent* owner) : TCustomEdit(owner), selAttributes_(*this) { AutoSelect = false; }

void TRichEdit::CreateParams(TCreateParams& params) {
  TCustomEdit::CreateParams(params);
  params.WindowClass.NativeWidget = "QTextEdit";
}
