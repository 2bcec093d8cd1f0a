#include "tools/SkinMenusPage.h"

#include <memory>
#include <string>

#include "runtime/StringList.h"
#include "skin/SkinCommonData.h"
#include "skin/adapters/SkStatusBarWnd.h"
#include "skin/adapters/SkToolBarVCLWnd.h"
#include "skin/menus/SkinableMenus.h"
#include "skin/skins/SkinManager.h"
#include "tests/skin/TestSkinWriter.h"
#include "toolkit/controls/Application.h"
#include "toolkit/controls/Form.h"
#include "toolkit/controls/Menus.h"
#include "toolkit/controls/StatusBar.h"
#include "toolkit/controls/Timer.h"
#include "toolkit/controls/ToolBar.h"
#include "toolkit/gdi/Bitmap.h"
#include "toolkit/gdi/Canvas.h"
#include "toolkit/gdi/ImageList.h"
#include "toolkit/win/ControlMessages.h"
#include "toolkit/qt/Screenshot.h"
#include "toolkit/win/Menu.h"
#include "tools/DemoRun.h"

namespace {

// Sections the test skin lacks: the extra line and the icon strip.
const char* const ExtraSections[] = {"[EXTRALINE]", "COLOR=$00804000", "FONTCOLOR=$00FFFFFF", "[ICOLINE]",
                                     "COLOR=$00E8D8C8"};

// Four glyphs of sixteen pixels: a disc of one hue each on the key colour.
void FillGlyphs(TImageList& list) {
  for (TColor color : {RGB(40, 150, 90), RGB(200, 120, 40), RGB(60, 90, 200), RGB(170, 60, 150)}) {
    TBitmap glyph(16, 16, pf24bit);
    TCanvas& canvas = glyph.Canvas();
    canvas.Brush().SetColor(clFuchsia);
    canvas.FillRect({0, 0, 16, 16});
    canvas.Brush().SetColor(color);
    canvas.Pen().SetColor(RGB(40, 40, 40));
    canvas.Ellipse(2, 2, 14, 14);
    list.AddMasked(glyph, clFuchsia);
  }
}

// The form owns the folder, the manager, the menu, the bars and their
// adapters through this component; the adapters go before the bars it owns.
class TMenusOwner : public TComponent {
public:
  explicit TMenusOwner(TForm* form) : TComponent(form), manager(nullptr), menu(nullptr) {
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
    AddToolBar(form);
    AddStatusBar(form);
  }

  TTestSkinFolder folder;
  TSkinManager manager;
  TPopupMenu menu;

private:
  // A bar that is not flat: a drop-down button shown dropped, a checked
  // button and a disabled one, taken over by the tool bar adapter.
  void AddToolBar(TForm* form) {
    FillGlyphs(glyphs_);
    auto* bar = new TToolBar(this);
    bar->SetAlign(alTop);
    bar->SetFlat(false);
    bar->SetShowCaptions(true);
    bar->SetImages(&glyphs_);
    bar->SetButtonWidth(52);
    bar->SetButtonHeight(38);
    bar->SetHeight(44);
    bar->SetParent(form);
    const TToolButtonStyle styles[] = {tbsButton, tbsDropDown, tbsCheck, tbsButton};
    const char* const captions[] = {"New", "Open", "Grid", "Print"};
    for (int i = 0; i < 4; ++i) {
      auto* button = new TToolButton(this);
      button->SetStyle(styles[i]);
      button->SetCaption(captions[i]);
      button->SetImageIndex(i);
      button->SetParent(bar);
    }
    bar->Buttons(2)->SetDown(true);
    bar->Buttons(3)->SetEnabled(false);
    barData_ = std::make_unique<TSkinCommonData>(bar, true);
    barAdapter_ = TSkMainWnd::Make<TSkToolBarVCLWnd>(bar->Handle(), barData_.get(), &manager, "TOOLBAR", true);
    // The bar's own drop-down notification, as a click on the arrow sends
    // it; the menu is given afterwards so that the bar does not open it.
    NMTOOLBAR record;
    record.hdr = {bar->Handle(), 0, TBN_DROPDOWN};
    record.iItem = 1;
    bar->Perform(CN_NOTIFY, 0, reinterpret_cast<LPARAM>(&record));
    bar->Buttons(1)->DropdownMenu = &menu;
  }
  void AddStatusBar(TForm* form) {
    auto* bar = new TStatusBar(this);
    bar->SetParent(form);
    for (const char* text : {"Ready", "Degrees", "Line 12, column 4"}) {
      TStatusPanel& panel = bar->Panels().Add();
      panel.SetWidth(130);
      panel.SetText(text);
    }
    statusData_ = std::make_unique<TSkinCommonData>(bar, true);
    statusAdapter_ =
        TSkMainWnd::Make<TSkStatusBarWnd>(bar->Handle(), statusData_.get(), &manager, "STATUSBAR", true);
  }
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

  TImageList glyphs_{16, 16};
  std::unique_ptr<TSkinCommonData> barData_;
  std::unique_ptr<TSkinCommonData> statusData_;
  TSkAdapterPtr<TSkToolBarVCLWnd> barAdapter_;
  TSkAdapterPtr<TSkStatusBarWnd> statusAdapter_;
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
  form->SetCaption("Skin demo: a tool bar, a status bar and a pop-up menu under the test skin");
  form->SetBounds(60, 60, 460, 440);
  new TMenusOwner(form);
  return form;
}

void OpenPageMenu(TForm* form) {
  const TPoint corner = form->ClientToScreen({40, 64});
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
