#pragma once
// The skin manager as the skin data of a control sees it: the questions a
// control asks about the loaded skin (its sections, their values and border
// masks, whether a skin is active, the skin's global colour). The loaded
// tables and their look-up rules live behind these questions. The first
// manager made becomes the process's default manager; a control without a
// manager of its own follows it. This program makes none.

#include <array>
#include <string>

#include "toolkit/base/Handles.h"
#include "toolkit/controls/Component.h"
#include "toolkit/gdi/Color.h"

// The values of one skin section that a control's look depends on.
// Transparency and the percentages run from 0 to 100.
struct TSkinGeneralData {
  std::string SectionName;
  TColor Color = 0;
  // [0] the text colour; [1]..[4] colours of an outline of the text
  // (left, top, right, bottom copies), -1 for a copy that is not drawn.
  std::array<TColor, 5> FontColor{0, TColor(-1), TColor(-1), TColor(-1), TColor(-1)};
  bool GiveOwnFont = false;
  int Transparency = 0;
  int GradientPercent = 0;
  int ImagePercent = 0;
  TColor HotColor = 0;
  int HotTransparency = 0;
  int HotGradientPercent = 0;
  int HotImagePercent = 0;
};

// The widths of a border mask's four sides; NoBorderInNormalState: the
// mask draws nothing for the normal state.
struct TMaskBorders {
  int Left = 0;
  int Top = 0;
  int Right = 0;
  int Bottom = 0;
  bool NoBorderInNormalState = false;
};

class TSkinManager : public TComponent {
public:
  explicit TSkinManager(TComponent* owner);
  ~TSkinManager() override;

  virtual int SectionCount() const = 0;
  // -1 when the skin has no section of that name (names compare exactly).
  virtual int SectionIndexOf(const std::string& sectionName) const = 0;
  // The mask (or texture) named maskName of the section, looked for in the
  // section and then up its chain of parent sections; -1 when none has it.
  virtual int MaskIndexOf(int sectionIndex, const std::string& sectionName, const std::string& maskName) const = 0;
  virtual int TextureIndexOf(int sectionIndex, const std::string& sectionName, const std::string& name) const = 0;
  // sectionIndex must be below SectionCount.
  virtual const TSkinGeneralData& Section(int sectionIndex) const = 0;
  virtual TMaskBorders MaskBorders(int maskIndex) const = 0;
  // A skin is loaded and has been announced to the windows.
  virtual bool SkinActive() const = 0;
  // The skin's global background colour as RGB.
  virtual TColor GlobalColor() const = 0;

  bool IsSectionIndex(int index) const { return index >= 0 && index < SectionCount(); }

  // Whether a change of skin fades each skinned form in, and over how many
  // milliseconds. Not animated until the manager's animation effects exist.
  virtual bool SkinChangeAnimated() const { return false; }
  virtual int SkinChangeAnimationTime() const { return 0; }

  // The window under the mouse changed: the one it left hears sub-command
  // 30, the new one 29 (LParam: this manager).
  void ChangeHotWindow(HWND window);

private:
  HWND hotWindow_ = nullptr;
};

// Null while no manager exists.
TSkinManager* DefaultManager();
