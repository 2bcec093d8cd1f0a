#pragma once
// A shown white form under the test skin: the skin is written into a fresh
// folder and switched on and off by a manager (the default one). The form
// is the application's, as the manager announces to those.

#include <filesystem>

#include "skin/SkinCommonData.h"
#include "skin/skins/SkinManager.h"
#include "toolkit/controls/Application.h"
#include "tests/runtime/TempFolder.h"
#include "tests/skin/TestSkinWriter.h"
#include "tests/toolkit/FormFixture.h"
#include "tests/toolkit/Pixels.h"

class SkinnedFormFixture : public FormFixture {
protected:
  SkinnedFormFixture() {
    Application().InsertComponent(form);
    std::filesystem::create_directories(temp / "Skins");
    WriteTestSkin(temp / "Skins");
    manager.SetSkinDirectory(temp / "Skins");
    // No form here has a provider to fade it in and repaint it after a
    // skin change: the controls repaint themselves.
    manager.AnimEffects.SkinChanging.Active = false;
  }
  // The controls go before the manager they ask.
  ~SkinnedFormFixture() override {
    delete form;
    form = nullptr;
  }

  void LoadAndAnnounce() {
    manager.SetSkinName("TestSkin");
    ProcessEverything();
  }
  void SwitchOff() {
    manager.SetActive(false);
    ProcessEverything();
  }
  TSkinGeneralData& Section(const std::string& name) { return manager.SectionData.at(manager.SectionIndexOf(name)); }
  // The form's pixels from the control's client point.
  TColor PixelOf(const TGdiBitmap& image, TControl& control, TPoint point) {
    const TPoint at = InForm(control, point);
    return image.Pixel(at.X, at.Y);
  }

  TempFolder temp;
  TSkinManager manager{nullptr};
};
