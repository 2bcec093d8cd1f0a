#include "console/LineAttrs.h"

#include <algorithm>

#include "engine/MessageChannel.h"
#include "runtime/Storage.h"

namespace {

constexpr TColor clCream = 0xF0FBFF;

struct TLookDefault {
  TLineAttr TLineAttrs::*look;
  const char* prefixStr;  // nullptr: left as it is
  TColor rowColor;
  TColor prefixColor;
  TFontStyles prefixStyles;
  TColor textColor;
  TFontStyles textStyles;
  bool syntax;
  int image;  // -1: no icon
  bool shadow;
};

constexpr TLookDefault LookDefaults[] = {
    {&TLineAttrs::Inputs, "> ", clCream, clGreen, 0, clBlack, 0, true, -1, false},
    {&TLineAttrs::Outputs, "  ", clWindow, clBlack, 0, clBlack, 0, false, -1, false},
    {&TLineAttrs::Results, "= ", clWindow, clGreen, 0, clBlack, 0, true, -1, false},
    {&TLineAttrs::Infos, "  ", clWindow, clBlack, 0, clBlue, 0, false, 4, false},
    {&TLineAttrs::Warnings, "  Warning : ", clWindow, clOlive, 0, clBlack, 0, false, 3, false},
    {&TLineAttrs::Errors, "  Error : ", clWindow, clRed, fsBold, clBlack, 0, false, 2, false},
    {&TLineAttrs::Fatals, "  FATAL : ", clMaroon, clRed, fsBold, clWhite, fsBold, false, 1, true},
    {&TLineAttrs::Splits, nullptr, clWindow, clBlack, 0, clBlack, 0, false, -1, false},
};

// The deep blue scheme; the fatal look keeps its defaults.
struct TDeepBlueLook {
  TLineAttr TLineAttrs::*look;
  TColor rowColor;
  TColor textColor;
  TColor prefixColor;
  bool boldPrefix;
  bool syntax;
  bool shadow;
};

constexpr TDeepBlueLook DeepBlue[] = {
    {&TLineAttrs::Inputs, clNavy, clCream, clLime, false, true, false},
    {&TLineAttrs::Outputs, clNavy, clCream, clLime, false, false, true},
    {&TLineAttrs::Results, clNavy, clCream, clLime, false, true, false},
    {&TLineAttrs::Infos, clNavy, clAqua, clLime, false, false, true},
    {&TLineAttrs::Warnings, clNavy, clWhite, clYellow, true, false, true},
    {&TLineAttrs::Errors, clTeal, clWhite, clRed, true, false, true},
    {&TLineAttrs::Splits, clNavy, clAqua, clAqua, false, false, true},
};

void ApplyDefault(TLineAttr& attr, const TLookDefault& look) {
  if (look.prefixStr) attr.PrefixStr = look.prefixStr;
  attr.Color = look.rowColor;
  attr.Prefix.Color = look.prefixColor;
  attr.Prefix.Styles = look.prefixStyles;
  attr.Text.Color = look.textColor;
  attr.Text.Styles = look.textStyles;
  attr.Syntax = look.syntax;
  attr.Icon = look.image >= 0;
  attr.Image = look.image;
  attr.Shadow = look.shadow;
}

}  // namespace

void TLineAttr::Assign(const TLineAttr& source) {
  Color = source.Color;
  Shadow = source.Shadow;
  Prefix.Assign(source.Prefix);
  Text.Assign(source.Text);
  Image = source.Image;
  PrefixStr = source.PrefixStr;
  Syntax = source.Syntax;
  Icon = source.Icon;
}

void TLineAttr::Clear() {
  Color = clWindow;
  Shadow = Syntax = Icon = false;
  Prefix.Color = Text.Color = clBlack;
  Prefix.Styles = Text.Styles = 0;
  Image = -1;
}

std::string TLineAttr::KeyPrefix() const {
  std::string prefix = name_;
  std::erase(prefix, ' ');
  return prefix;
}

void TLineAttr::LoadFromStorage() {
  const std::string k = KeyPrefix();
  Color = ColorFromStored(Storage->ReadInteger(k + "Color", StoredColor(Color)));
  Image = static_cast<int>(Storage->ReadInteger(k + "Image", Image));
  Icon = Storage->ReadBool(k + "Icon", Icon);
  Prefix.Color = ColorFromStored(Storage->ReadInteger(k + "LeadColor", StoredColor(Prefix.Color)));
  Prefix.Styles = StylesFromStored(Storage->ReadInteger(k + "LeadStyle", Prefix.Styles));
  Text.Color = ColorFromStored(Storage->ReadInteger(k + "TextColor", StoredColor(Text.Color)));
  Text.Styles = StylesFromStored(Storage->ReadInteger(k + "TextStyle", Text.Styles));
  Shadow = Storage->ReadBool(k + "Shadow", Shadow);
  const std::string stored = Storage->ReadString(k + "LeadStr", "#" + PrefixStr + "#");
  PrefixStr = stored.size() < 2 ? std::string() : stored.substr(1, stored.size() - 2);
  Syntax = Storage->ReadBool(k + "Syntax", Syntax);
}

void TLineAttr::SaveToStorage() const {
  const std::string k = KeyPrefix();
  Storage->WriteInteger(k + "Color", StoredColor(Color));
  Storage->WriteInteger(k + "Image", Image);
  Storage->WriteBool(k + "Icon", Icon);
  Storage->WriteInteger(k + "LeadColor", StoredColor(Prefix.Color));
  Storage->WriteInteger(k + "LeadStyle", Prefix.Styles);
  Storage->WriteInteger(k + "TextColor", StoredColor(Text.Color));
  Storage->WriteInteger(k + "TextStyle", Text.Styles);
  Storage->WriteBool(k + "Shadow", Shadow);
  Storage->WriteString(k + "LeadStr", "#" + PrefixStr + "#");
  Storage->WriteBool(k + "Syntax", Syntax);
}

TLineAttr& TLineAttrs::AttrOfKind(std::uint8_t kind) {
  switch (kind) {
    case lkResult: return Results;
    case lkInput: return Inputs;
    case lkInfo: return Infos;
    case lkWarning: return Warnings;
    case lkError: return Errors;
    case lkSplit: return Splits;
    case lkFatal: return Fatals;
    default: return Outputs;
  }
}

void TLineAttrs::Assign(const TLineAttrs& source) {
  for (std::size_t i = 0; i < std::size(Looks); ++i) Looks[i]->Assign(*source.Looks[i]);
  Color = source.Color;
}

void TLineAttrs::SetDefaults() {
  for (TLineAttr* look : Looks) look->Clear();
  Color = clWindow;
  for (const TLookDefault& look : LookDefaults) ApplyDefault(this->*look.look, look);
}

void TLineAttrs::ApplyScheme(int scheme) {
  SetDefaults();
  if (scheme == 2 || scheme == 3) {
    const TColor text = scheme == 2 ? clWhite : clLime;
    const TColor prefix = scheme == 2 ? clWhite : clGreen;
    Color = clBlack;
    for (TLineAttr* look : Looks) {
      if (look == &Fatals) continue;
      look->Color = clBlack;
      look->Syntax = false;
      look->Text.Color = text;
      look->Prefix.Color = prefix;
    }
    if (scheme == 3) Warnings.Prefix.Styles |= fsBold;
  } else if (scheme == 4) {
    Color = clNavy;
    for (const TDeepBlueLook& look : DeepBlue) {
      TLineAttr& attr = this->*look.look;
      attr.Color = look.rowColor;
      attr.Text.Color = look.textColor;
      attr.Prefix.Color = look.prefixColor;
      if (look.boldPrefix) attr.Prefix.Styles |= fsBold;
      attr.Syntax = look.syntax;
      attr.Shadow = look.shadow;
    }
  }
}

void TLineAttrs::LoadFromStorage(const std::string& section) {
  Storage->OpenSection(section, false);
  TSectionCloser closer(*Storage);
  Color = ColorFromStored(Storage->ReadInteger("MainColor", StoredColor(Color)));
  for (TLineAttr* look : Looks) look->LoadFromStorage();
}

void TLineAttrs::SaveToStorage(const std::string& section) const {
  Storage->OpenSection(section, true);
  TSectionCloser closer(*Storage);
  Storage->WriteInteger("MainColor", StoredColor(Color));
  for (const TLineAttr* look : Looks) look->SaveToStorage();
}
