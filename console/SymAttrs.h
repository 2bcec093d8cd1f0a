#pragma once
// The colour model of Tarnscript text: the look (colour and font style) of
// each of the fourteen token classes, shared by the console, the command
// line, the settings preview and the program editor.

#include <array>
#include <cstdint>
#include <functional>
#include <string>

#include "toolkit/gdi/Color.h"
#include "toolkit/gdi/Font.h"

struct TToken;

// A token class: an index into TSymAttrs, or skEndOfLine.
using TSymKind = std::uint8_t;
enum : TSymKind {
  skText = 0,
  skInteger = 1,
  skHex = 2,
  skFloat = 3,
  skSymbol = 4,
  skString = 5,
  skReserved = 6,
  skComment = 7,
  skFunc = 8,
  skVar = 9,
  skConst = 10,
  skType = 11,
  skBinary = 12,
  skGutter = 13,
  skEndOfLine = 255,  // no further token; never an index
};
constexpr int SymKindCount = 14;

// Tells what an identifier denotes: 1 variable, 2 constant, 3 routine,
// 4 type, 5 enumeration member; any other answer means unknown. Empty when
// identifiers are not classified.
using TClassifier = std::function<std::uint8_t(const std::string& name)>;

class TSymAttr {
public:
  explicit TSymAttr(std::string name) : name_(std::move(name)) {}

  // Colour and style only; the name belongs to the attribute.
  void Assign(const TSymAttr& source);
  const std::string& Name() const { return name_; }

  TColor Color = clBlack;
  TFontStyles Styles = 0;

private:
  std::string name_;
};

class TSymAttrs {
public:
  TSymAttrs();
  TSymAttrs(const TSymAttrs&) = delete;
  TSymAttrs& operator=(const TSymAttrs&) = delete;

  // Any index outside 0..13 (skEndOfLine too) gives the plain-text attribute.
  TSymAttr& GetAttr(int index);
  const TSymAttr& GetAttr(int index) const;
  // An index outside 0..13 changes nothing.
  void SetAttr(int index, const TSymAttr& attr);
  void Assign(const TSymAttrs& source);

  // Every attribute black without style.
  void ResetAll();
  void SetDefaults();
  TSymKind MapToken(const TToken& token, const TClassifier& classifier) const;

  // Colours are stored as their signed 32-bit value, styles as their bits.
  void LoadFromStorage(const std::string& section);
  void SaveToStorage(const std::string& section) const;

  TSymAttr& Text() { return attrs_[skText]; }
  TSymAttr& Integers() { return attrs_[skInteger]; }
  TSymAttr& Floats() { return attrs_[skFloat]; }
  TSymAttr& Symbols() { return attrs_[skSymbol]; }
  TSymAttr& Strings() { return attrs_[skString]; }
  TSymAttr& Funcs() { return attrs_[skFunc]; }
  TSymAttr& Reserved() { return attrs_[skReserved]; }
  TSymAttr& Comments() { return attrs_[skComment]; }
  TSymAttr& Vars() { return attrs_[skVar]; }
  TSymAttr& Consts() { return attrs_[skConst]; }
  TSymAttr& TypeId() { return attrs_[skType]; }
  TSymAttr& Hexs() { return attrs_[skHex]; }
  TSymAttr& Binaries() { return attrs_[skBinary]; }
  TSymAttr& Gutter() { return attrs_[skGutter]; }

private:
  std::array<TSymAttr, SymKindCount> attrs_;
};

// Stored colours are signed 32-bit numbers (clWindow is -16777211).
std::int64_t StoredColor(TColor color);
TColor ColorFromStored(std::int64_t stored);
// Only the four style bits of a stored value count.
TFontStyles StylesFromStored(std::int64_t stored);
