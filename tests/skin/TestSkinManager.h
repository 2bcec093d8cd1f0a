#pragma once
// A skin manager whose section table the test fills: each section may have
// a borders mask; no textures. The first one made is the default manager.

#include <deque>
#include <string>
#include <vector>

#include "skin/skins/SkinManager.h"

class TTestSkinManager : public TSkinManager {
public:
  explicit TTestSkinManager(TComponent* owner = nullptr) : TSkinManager(owner) {}

  TSkinGeneralData& AddSection(const std::string& name) {
    Sections.emplace_back();
    Sections.back().SectionName = name;
    return Sections.back();
  }
  // Gives the section a borders mask of these widths.
  void SetBorders(const std::string& sectionName, TMaskBorders borders) {
    BorderMasks.push_back({sectionName, borders});
  }

  int SectionCount() const override { return static_cast<int>(Sections.size()); }
  int SectionIndexOf(const std::string& sectionName) const override {
    for (size_t i = 0; i < Sections.size(); ++i)
      if (Sections[i].SectionName == sectionName) return static_cast<int>(i);
    return -1;
  }
  int MaskIndexOf(int sectionIndex, const std::string& sectionName, const std::string& maskName) const override {
    if (sectionIndex < 0 || maskName != "BORDERSMASK") return -1;
    for (size_t i = 0; i < BorderMasks.size(); ++i)
      if (BorderMasks[i].SectionName == sectionName) return static_cast<int>(i);
    return -1;
  }
  int TextureIndexOf(int, const std::string&, const std::string&) const override { return -1; }
  const TSkinGeneralData& Section(int sectionIndex) const override {
    return Sections.at(static_cast<size_t>(sectionIndex));
  }
  TMaskBorders MaskBorders(int maskIndex) const override {
    return BorderMasks.at(static_cast<size_t>(maskIndex)).Borders;
  }
  bool SkinActive() const override { return Active; }
  TColor GlobalColor() const override { return Global; }

  struct TBorderMask {
    std::string SectionName;
    TMaskBorders Borders;
  };
  std::deque<TSkinGeneralData> Sections;
  std::vector<TBorderMask> BorderMasks;
  bool Active = true;
  TColor Global = 0x00C0C0C0;
};
