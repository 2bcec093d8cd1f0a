#pragma once
// The look of each console line kind (row colour, prefix, fonts, icon,
// shadow, token colouring) and the console's background, with the defaults,
// the four colour schemes and the stored form.

#include <cstdint>
#include <string>

#include "console/SymAttrs.h"

class TLineAttr {
public:
  explicit TLineAttr(std::string name) : name_(std::move(name)) {}
  TLineAttr(const TLineAttr&) = delete;
  TLineAttr& operator=(const TLineAttr&) = delete;

  // Everything but the name.
  void Assign(const TLineAttr& source);
  // Everything but the name and PrefixStr.
  void Clear();
  const std::string& Name() const { return name_; }

  // Ten keys, prefixed with the name without blanks, in the section the
  // caller has open. The prefix text is stored between two "#" so that its
  // blanks survive.
  void LoadFromStorage();
  void SaveToStorage() const;

  TColor Color = clWindow;  // background of the row
  int Image = -1;           // icon in the console's image list; -1 none
  bool Icon = true;
  TSymAttr Prefix{"Prefix"};
  TSymAttr Text{"Text"};
  bool Shadow = false;  // a black copy one pixel right and down under the text
  std::string PrefixStr;
  bool Syntax = false;  // text coloured by tokens instead of in Text's colour

private:
  std::string KeyPrefix() const;

  std::string name_;
};

class TLineAttrs {
public:
  TLineAttrs() { SetDefaults(); }
  TLineAttrs(const TLineAttrs&) = delete;
  TLineAttrs& operator=(const TLineAttrs&) = delete;

  // The look of a TLineKind; Outputs for any value outside 1..7.
  TLineAttr& AttrOfKind(std::uint8_t kind);
  void Assign(const TLineAttrs& source);

  void SetDefaults();
  // The defaults, then scheme 2 black and white, 3 monogreen, 4 deep blue;
  // 1 and any other value keep the defaults.
  void ApplyScheme(int scheme);

  void LoadFromStorage(const std::string& section);
  void SaveToStorage(const std::string& section) const;

  TLineAttr Inputs{"Inputs"};
  TLineAttr Outputs{"Outputs"};
  TLineAttr Results{"Results"};
  TLineAttr Infos{"Information"};
  TLineAttr Warnings{"Warnings"};
  TLineAttr Errors{"Errors"};
  TLineAttr Fatals{"Fatal errors"};
  TLineAttr Splits{"Splitters"};
  TColor Color = clWindow;  // the console's background

private:
  // In their stored order.
  TLineAttr* const Looks[8] = {&Inputs, &Outputs, &Results, &Infos, &Warnings, &Errors, &Fatals, &Splits};
};
