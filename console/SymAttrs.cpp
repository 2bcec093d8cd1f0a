#include "console/SymAttrs.h"

#include <utility>

#include "engine/Token.h"
#include "runtime/Storage.h"

namespace {

struct TSymDefault {
  const char* name;
  TColor color;
  TFontStyles styles;
};

// By TSymKind.
constexpr TSymDefault SymDefaults[SymKindCount] = {
    {"Plain text", clBlack, 0},      {"Integer numbers", clMaroon, 0}, {"Hex numbers", clTeal, 0},
    {"Real numbers", clMaroon, 0},   {"Symbols", clGray, 0},           {"Strings", clPurple, 0},
    {"Reserved words", clBlack, fsBold}, {"Comments", clGray, fsItalic}, {"Functions", clNavy, 0},
    {"Variables", clBlack, 0},       {"Constants", clOlive, 0},        {"Types", clBlack, 0},
    {"Binary numbers", clGreen, 0},  {"Gutter text", clGray, 0},
};

constexpr TFontStyles StyleBits = fsBold | fsItalic | fsUnderline | fsStrikeOut;

TSymKind KindOfIdentifier(std::uint8_t answer) {
  switch (answer) {
    case 1: return skVar;
    case 2: return skConst;
    case 3: return skFunc;
    case 4: return skType;
    case 5: return skConst;
    default: return skText;
  }
}

template <std::size_t... Kinds>
std::array<TSymAttr, SymKindCount> NamedAttrs(std::index_sequence<Kinds...>) {
  return {TSymAttr(SymDefaults[Kinds].name)...};
}

bool IsIndex(int index) { return index >= 0 && index < SymKindCount; }

}  // namespace

std::int64_t StoredColor(TColor color) { return static_cast<std::int32_t>(color); }

TColor ColorFromStored(std::int64_t stored) { return static_cast<TColor>(static_cast<std::uint32_t>(stored)); }

TFontStyles StylesFromStored(std::int64_t stored) { return static_cast<TFontStyles>(stored) & StyleBits; }

void TSymAttr::Assign(const TSymAttr& source) {
  Color = source.Color;
  Styles = source.Styles;
}

TSymAttrs::TSymAttrs() : attrs_(NamedAttrs(std::make_index_sequence<SymKindCount>())) { SetDefaults(); }

TSymAttr& TSymAttrs::GetAttr(int index) { return attrs_[IsIndex(index) ? index : skText]; }

const TSymAttr& TSymAttrs::GetAttr(int index) const { return attrs_[IsIndex(index) ? index : skText]; }

void TSymAttrs::SetAttr(int index, const TSymAttr& attr) {
  if (IsIndex(index)) attrs_[index].Assign(attr);
}

void TSymAttrs::Assign(const TSymAttrs& source) {
  for (int i = 0; i < SymKindCount; ++i) SetAttr(i, source.GetAttr(i));
}

void TSymAttrs::ResetAll() {
  for (TSymAttr& attr : attrs_) {
    attr.Color = clBlack;
    attr.Styles = 0;
  }
}

void TSymAttrs::SetDefaults() {
  ResetAll();
  for (int i = 0; i < SymKindCount; ++i) {
    attrs_[i].Color = SymDefaults[i].color;
    attrs_[i].Styles = SymDefaults[i].styles;
  }
}

TSymKind TSymAttrs::MapToken(const TToken& token, const TClassifier& classifier) const {
  switch (token.TokClass) {
    case tcInteger: return skInteger;
    case tcHex: return skHex;
    case tcBinary: return skBinary;
    case tcReal: return skFloat;
    case tcIdentifier:
      if (token.Code != tkNone) return skReserved;
      return classifier ? KindOfIdentifier(classifier(token.Text)) : TSymKind{skText};
    case tcString: return skString;
    case tcSymbol: return skSymbol;
    case tcComment: return skComment;
    default: return skText;
  }
}

void TSymAttrs::LoadFromStorage(const std::string& section) {
  Storage->OpenSection(section, false);
  TSectionCloser closer(*Storage);
  for (int i = 0; i < SymKindCount; ++i) {
    const std::string number = std::to_string(i);
    attrs_[i].Color = ColorFromStored(Storage->ReadInteger("Color" + number, StoredColor(attrs_[i].Color)));
    attrs_[i].Styles = StylesFromStored(Storage->ReadInteger("Styles" + number, attrs_[i].Styles));
  }
}

void TSymAttrs::SaveToStorage(const std::string& section) const {
  Storage->OpenSection(section, true);
  TSectionCloser closer(*Storage);
  for (int i = 0; i < SymKindCount; ++i) {
    const std::string number = std::to_string(i);
    Storage->WriteInteger("Color" + number, StoredColor(attrs_[i].Color));
    Storage->WriteInteger("Styles" + number, attrs_[i].Styles);
  }
}
