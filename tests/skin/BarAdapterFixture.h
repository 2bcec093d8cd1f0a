#pragma once
// A borderless form with one bar control on it (a tool bar, a status bar),
// and the bar taken over by its window adapter under the test skin. The
// test's own fixture fills the bar and shows the form.

#include <memory>

#include "skin/SkinCommonData.h"
#include "skin/SkinGlobals.h"
#include "skin/adapters/SkMainWnd.h"
#include "tests/skin/TestSkinFixture.h"
#include "tests/toolkit/ToolkitTestSupport.h"
#include "toolkit/controls/Form.h"

template <class Bar, class Adapter>
class BarAdapterFixture : public TestSkinFixture {
protected:
  BarAdapterFixture() {
    form = new TForm(nullptr);
    form->SetBorderStyle(bsNone);
    form->SetBounds(10, 10, 300, 80);
    bar = new Bar(form);
    bar->SetParent(form);
  }
  ~BarAdapterFixture() override {
    adapter.reset();
    data.reset();
    delete form;
    ResetSkinLayerGlobals();
  }

  void Adapt(const char* section) {
    data = std::make_unique<TSkinCommonData>(bar, true);
    adapter = TSkMainWnd::Make<Adapter>(bar->Handle(), data.get(), &manager, section, true);
    bar->Invalidate();
    ProcessEverything();
  }

  TForm* form;
  Bar* bar;
  std::unique_ptr<TSkinCommonData> data;
  TSkAdapterPtr<Adapter> adapter;
};
