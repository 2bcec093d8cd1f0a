#pragma once
// The test skin written into a fresh folder "Skins" and a manager that has
// loaded and announced it; the first manager made is the default one.

#include <filesystem>
#include <fstream>
#include <string>

#include <gtest/gtest.h>

#include "skin/SkinGlobals.h"
#include "skin/skins/SkinManager.h"
#include "tests/runtime/TempFolder.h"
#include "tests/skin/TestSkinWriter.h"

class TestSkinFixture : public ::testing::Test {
protected:
  TestSkinFixture() : skins(temp / "Skins"), skin(WriteTestSkinInto(skins)) {
    ResetSkinLayerGlobals();
    manager.SetSkinDirectory(skins);
    manager.SetSkinName("TestSkin");
  }
  ~TestSkinFixture() override { ResetSkinLayerGlobals(); }

  // The test skin's file of that name, to replace or remove.
  std::string SkinFile(const std::string& name) const { return skin + "/" + name; }
  void WriteOptions(const std::string& text) const { std::ofstream(SkinFile("Options.dat"), std::ios::binary) << text; }

  int Section(const std::string& name) const { return manager.SectionIndexOf(name); }
  // The mask of the section by name (no parents); fails the test when missing.
  const TSkinMaskData& Mask(const std::string& section, const std::string& name) const {
    const int index = manager.MaskIndexOfNames(section, name);
    if (index < 0) throw std::runtime_error("no mask " + section + " " + name);
    return manager.Masks[index];
  }

  TempFolder temp;
  const std::string skins;
  const std::string skin;
  TSkinManager manager{nullptr};

private:
  static std::string WriteTestSkinInto(const std::string& folder) {
    std::filesystem::create_directories(folder);
    return WriteTestSkin(folder);
  }
};
