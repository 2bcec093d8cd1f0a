#include "tools/SkinMenusPage.h"

#include <string>

#include "runtime/StringList.h"
#include "skin/menus/SkinableMenus.h"
#include "skin/skins/SkinManager.h"
#include "tests/skin/TestSkinWriter.h"
#include "toolkit/controls/Application.h"
#include "toolkit/controls/Form.h"
#include "toolkit/controls/Menus.h"
#include "toolkit/controls/Timer.h"
#include "toolkit/qt/Screenshot.h"
#include "toolkit/win/Menu.h"
#include "tools/DemoRun.h"

namespace {

// Sections the test skin lacks: the extra line and the icon strip.
const char* const ExtraSections[] = {"[EXTRALINE]", "COLOR=$00804000", "FONTCOLOR=$00FFFFFF", "[ICOLINE]",
                                     "COLOR=$00E8D8C8"};

// The form owns the folder, the manager and the menu through this component.
class TMenusOwner : public TComponent {
public:
  explicit TMenusOwner(TComponent* owner) : TComponent(owner), manager(nullptr), menu(nullptr) {
    TStringList sections;
    for (const char* line : ExtraSections) sections.Add(line);
    manager.SetSkinDirectory(folder.Path());
    manager.SetSkinName("TestSkin");
    manager.SetCommonSections(sections);
    manager.MenuSupport().IcoLineSkin = "ICOLINE";
    manager.MenuSupport().UseExtraLine = true;
    manager.MenuSupport().ExtraLineFont().SetName("DejaVu Sans");
    manager.MenuSupport().ExtraLineFont().SetSize(11);
    manager.OnGetMenuExtraLineData = [](TMenuItem*, std::string&, std::string& caption, std::unique_ptr<TBitmap>&,
                                        bool&) { caption = "&Quantrel"; };
    FillMenu();
    manager.SkinableMenus().HookPopupMenu(&menu, true);
  }

  TTestSkinFolder folder;
  TSkinManager manager;
  TPopupMenu menu;

private:
  TMenuItem* Add(TMenuItem& parent, const char* caption) {
    auto* item = new TMenuItem(nullptr);
    item->SetCaption(caption);
    parent.Add(item);
    return item;
  }
  void FillMenu() {
    Add(menu.Items(), "-Workspace-");
    TMenuItem* open = Add(menu.Items(), "&Open...");
    open->SetShortCut(TShortCut(scCtrl | 'O'));
    open->SetDefault(true);
    Add(menu.Items(), "&Save")->SetShortCut(TShortCut(scCtrl | 'S'));
    Add(menu.Items(), "-");
    for (const char* caption : {"&Degrees", "&Radians"}) {
      TMenuItem* item = Add(menu.Items(), caption);
      item->SetRadioItem(true);
      item->SetGroupIndex(1);
    }
    menu.Items().Items(5)->SetChecked(true);
    Add(menu.Items(), "Show &grid")->SetChecked(true);
    Add(menu.Items(), "&Print")->SetEnabled(false);
    Add(menu.Items(), "-");
    TMenuItem* recent = Add(menu.Items(), "Recent &files");
    Add(*recent, "sums.tarn");
    Add(*recent, "plots.tarn");
  }
};

TMenusOwner* OwnerOf(TForm* form) {
  for (int i = 0; i < form->ComponentCount(); ++i)
    if (auto* owner = dynamic_cast<TMenusOwner*>(form->Components(i))) return owner;
  return nullptr;
}

}  // namespace

TForm* CreateMenusPage() {
  ReadOSVersion();
  auto* form = Application().CreateForm<TForm>();
  form->SetCaption("Skin demo: a pop-up menu under the test skin");
  form->SetBounds(60, 60, 420, 420);
  new TMenusOwner(form);
  return form;
}

void OpenPageMenu(TForm* form) {
  const TPoint corner = form->ClientToScreen({40, 30});
  OwnerOf(form)->menu.Popup(corner.X, corner.Y);
}

bool SaveMenusPage(TForm* form, const char* fileName) {
  form->Show();
  SettleFor(800);
  bool saved = false;
  TTimer timer(form);
  timer.SetInterval(800);
  timer.SetOnTimer([&](TObject*) {
    timer.SetEnabled(false);
    saved = SaveScreenshot(form->Handle(), fileName);
    EndMenu();
  });
  timer.SetEnabled(true);
  OpenPageMenu(form);
  return saved;
}
