#include "tools/SkinFormPage.h"

#include "skin/forms/SkinProvider.h"
#include "skin/skins/SkinFrameAdapter.h"
#include "skin/skins/SkinManager.h"
#include "tests/skin/TestSkinWriter.h"
#include "toolkit/controls/Application.h"
#include "toolkit/controls/Form.h"
#include "toolkit/controls/Frame.h"
#include "toolkit/controls/GroupBox.h"
#include "toolkit/controls/Label.h"
#include "toolkit/controls/Menus.h"
#include "toolkit/controls/Panel.h"
#include "toolkit/controls/StatusBar.h"

namespace {

// The test skin in a temporary folder and its manager, owned by the form
// before anything that asks the manager, so they go last.
class TFormSkin : public TComponent {
public:
  explicit TFormSkin(TForm* form) : TComponent(form), manager_(nullptr) {
    manager_.SetSkinDirectory(folder_.Path());
    manager_.ThirdParty.SetNames(ThirdPartyList::ThirdPanels, "TPanel");
    manager_.ThirdParty.SetNames(ThirdPartyList::ThirdGroupBoxes, "TGroupBox");
    manager_.ThirdParty.SetNames(ThirdPartyList::ThirdStatusBar, "TStatusBar");
    manager_.Loaded();
  }
  void Apply() { manager_.SetSkinName("TestSkin"); }

private:
  TTestSkinFolder folder_;
  TSkinManager manager_;
};

template <class Control>
Control* Place(TComponent* owner, TWinControl* parent, const TRect& bounds, const char* caption = "") {
  auto* control = new Control(owner);
  control->SetParent(parent);
  control->SetBounds(bounds.Left, bounds.Top, bounds.Width(), bounds.Height());
  control->SetCaption(caption);
  return control;
}

void AddMainMenu(TForm* form) {
  auto* menu = new TMainMenu(form);
  for (const char* caption : {"&File", "&Edit", "&View", "&Help"}) {
    auto* item = new TMenuItem(form);
    item->SetCaption(caption);
    menu->Items().Add(item);
  }
  form->SetMenu(menu);
}

void AddFrame(TForm* form) {
  auto* frame = Place<TFrame>(form, form, Bounds(12, 12, 216, 150));
  new TSkinFrameAdapter(frame);
  Place<TLabel>(frame, frame, Bounds(12, 12, 180, 16), "A label on a skinned frame");
  Place<TPanel>(frame, frame, Bounds(12, 40, 190, 96), "Panel on the frame");
}

}  // namespace

TForm* CreateFormPage() {
  auto* form = Application().CreateForm<TForm>();
  form->SetCaption("Skinned form");
  form->SetBorderStyle(bsSizeable);
  form->SetBounds(60, 60, 480, 320);
  auto* skin = new TFormSkin(form);
  AddMainMenu(form);
  AddFrame(form);
  Place<TGroupBox>(form, form, Bounds(240, 12, 220, 150), "Group box");
  auto* status = new TStatusBar(form);
  status->SetParent(form);
  status->SetSimplePanel(true);
  status->SetSimpleText("Status bar");
  form->HandleNeeded();
  new TSkinProvider(form);
  skin->Apply();
  return form;
}
