#pragma once
// A skin manager whose tables the test fills by hand, with its skin
// announced: sections, and borders masks of given widths. The first one
// made is the default manager.

#include <string>

#include "skin/skins/SkinManager.h"

class TTestSkinManager : public TSkinManager {
public:
  explicit TTestSkinManager(TComponent* owner = nullptr) : TSkinManager(owner) { GlobalInfo.SkinActive = true; }

  // The reference holds until the next section is added.
  TSkinGeneralData& AddSection(const std::string& name) {
    SectionData.emplace_back();
    SectionData.back().SectionName = name;
    return SectionData.back();
  }
  // Gives the section a borders mask of these widths.
  void SetBorders(const std::string& sectionName, TMaskBorders borders) {
    TSkinMaskData mask;
    mask.SectionName = sectionName;
    mask.PropertyName = "BORDERSMASK";
    mask.Manager = this;
    mask.WL = std::int16_t(borders.Left);
    mask.WT = std::int16_t(borders.Top);
    mask.WR = std::int16_t(borders.Right);
    mask.WB = std::int16_t(borders.Bottom);
    mask.StretchMode = borders.NoBorderInNormalState ? smNoNormalBorder : 0;
    Masks.push_back(std::move(mask));
  }
};
