#pragma once
// Options a skin manager holds for the rest of the skin layer: the class
// names of foreign controls to skin, the animation switches and which kinds
// of window are skinned.

#include <array>
#include <cstdint>
#include <string>

#include "runtime/Object.h"

class TSkinManager;

// Which windows the dialog hook and the control adapters skin: forms made
// without a provider, standard dialogs, foreign controls.
using TSkSkinningRules = unsigned;
constexpr TSkSkinningRules srStdForms = 0x1;
constexpr TSkSkinningRules srStdDialogs = 0x2;
constexpr TSkSkinningRules srThirdParty = 0x4;

// Class names of foreign controls, one string per kind, the names parted by
// line breaks. The kinds are numbered as the manager's lists.
class ThirdPartyList : public TPersistent {
public:
  enum TKind {
    ThirdEdits,
    ThirdButtons,
    ThirdBitBtns,
    ThirdCheckBoxes,
    ThirdComboBoxes,
    ThirdGrids,
    ThirdGroupBoxes,
    ThirdListViews,
    ThirdPanels,
    ThirdTreeViews,
    ThirdWWEdits,
    ThirdGridEh,
    ThirdDataTrees,
    ThirdPageControl,
    ThirdTabControl,
    ThirdToolBar,
    ThirdStatusBar,
    KindCount
  };

  const std::string& Names(TKind kind) const { return names_.at(kind); }
  void SetNames(TKind kind, const std::string& value) { names_.at(kind) = value; }

private:
  std::array<std::string, KindCount> names_;
};

// Mouse events that animate a skinned button.
using TSkBtnEvents = unsigned;
constexpr TSkBtnEvents beMouseEnter = 0x1;
constexpr TSkBtnEvents beMouseLeave = 0x2;
constexpr TSkBtnEvents beMouseDown = 0x4;
constexpr TSkBtnEvents beMouseUp = 0x8;

class TSkBtnEffects : public TPersistent {
public:
  explicit TSkBtnEffects(TSkinManager* manager) : Manager(manager) {}
  TSkBtnEvents Events = beMouseEnter | beMouseLeave | beMouseDown | beMouseUp;
  TSkinManager* const Manager;
};

// A fade of Time milliseconds while Active.
class TSkFormAnimation : public TPersistent {
public:
  explicit TSkFormAnimation(std::uint16_t time = 0) : Time(time) {}
  bool Active = true;
  std::uint16_t Time;
};

class TSkDialogShow : public TSkFormAnimation {};
class TSkFormShow : public TSkFormAnimation {};
class TSkPageChange : public TSkFormAnimation {};
class TSkSkinChanging : public TSkFormAnimation {
public:
  TSkSkinChanging() : TSkFormAnimation(100) {}
};

// What the button adapters, form providers, page controls and the freezing
// of forms around a change of skin animate.
class TSkAnimEffects : public TPersistent {
public:
  explicit TSkAnimEffects(TSkinManager* manager) : Buttons(manager), Manager(manager) {}
  TSkBtnEffects Buttons;
  TSkDialogShow DialogShow;
  TSkFormShow FormShow;
  TSkPageChange PageChange;
  TSkSkinChanging SkinChanging;
  TSkinManager* const Manager;
};
