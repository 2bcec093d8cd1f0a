#pragma once
// A shown white form and a test skin manager, the default one, holding the
// sections "PANEL" (0), "TOOLBAR" (1) and "EDIT" (2), all plain colours.

#include "skin/SkinGlobals.h"
#include "tests/skin/TestSkinManager.h"
#include "tests/toolkit/FormFixture.h"

class SkinFixture : public FormFixture {
protected:
  SkinFixture() {
    ResetSkinLayerGlobals();
    manager.AddSection("PANEL");
    manager.AddSection("TOOLBAR");
    manager.AddSection("EDIT");
  }
  // The controls go before the manager they ask.
  ~SkinFixture() override {
    delete form;
    form = nullptr;
    ResetSkinLayerGlobals();
  }

  TSkinGeneralData& Edit() { return manager.SectionData[2]; }

  TTestSkinManager manager;
};
