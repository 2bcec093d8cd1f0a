#pragma once
// A shown white form under the test skin: the skin is written into a fresh
// folder, loaded by a manager (the default one) and announced to the form's
// controls as the manager announces a skin, and taken away again the same
// way. The form is not the application's, so the announcement reaches its
// controls directly.

#include <filesystem>

#include "skin/ControlRoutines.h"
#include "skin/SkinCommonData.h"
#include "skin/SkinnedForms.h"
#include "skin/skins/SkinManager.h"
#include "tests/runtime/TempFolder.h"
#include "tests/skin/TestSkinWriter.h"
#include "tests/toolkit/FormFixture.h"
#include "tests/toolkit/Pixels.h"

// Sub-command sub of the manager to every control of the form, and to the
// application's forms.
inline void DeliverSkinCommand(TSkinManager& manager, TWinControl* form, WORD sub) {
  TMessage message{SM_SKINCMD, SkinCommand(sub), reinterpret_cast<LPARAM>(&manager), 0};
  if (form) BroadcastToChildren(form, message);
  BroadcastToForms(message);
}

// The new skin (sub-command 1), then the refresh (16, 3) that repaints.
inline void AnnounceSkin(TSkinManager& manager, TWinControl* form) {
  manager.GlobalInfo.SkinActive = false;
  manager.RefreshCachedIndexes();
  DeliverSkinCommand(manager, form, scSkinApplied);
  manager.GlobalInfo.SkinActive = true;
  DeliverSkinCommand(manager, form, scBeforeRefresh);
  DeliverSkinCommand(manager, form, scSkinChanged);
  ProcessEverything();
}

class SkinnedFormFixture : public FormFixture {
protected:
  SkinnedFormFixture() {
    std::filesystem::create_directories(temp / "Skins");
    WriteTestSkin(temp / "Skins");
    manager.SetSkinDirectory(temp / "Skins");
    manager.SetSkinName("TestSkin");
  }
  // The controls go before the manager they ask.
  ~SkinnedFormFixture() override {
    delete form;
    form = nullptr;
  }

  void LoadAndAnnounce() {
    manager.LoadSkin();
    AnnounceSkin(manager, form);
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
