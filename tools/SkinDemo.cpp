// The skin layer's controls as the main window holds them, beside their
// plain toolkit counterparts: with no skin active they must look the same.
// Above, a cool bar with a skinnable tool bar set up as the main window's
// (flat, auto size, no edges, sixteen items, the first dropping down a menu,
// images and hot images), then one with a plain tool bar holding the same
// items; below, a skinnable panel beside a plain panel with the same
// settings. With --screenshot FILE the demo saves a picture and ends.
// With --page NAME it shows another page instead: "sections", the test
// skin's sections painted in their states, "alpha", the stock glyph
// strips with their alpha, "scroll", emulated scroll bars, "edits", raw
// controls under the test skin taken over by their window adapters,
// "buttons", the button, container, spin and tab adapters, "form", a form
// with a provider, a skinned frame and adapted controls, or "menus", a
// tool bar, a status bar and a pop-up menu held open under the test skin.

#include <algorithm>
#include <cstdio>
#include <memory>
#include <string>
#include <string_view>

#include "skin/SkinPanel.h"
#include "skin/SkinToolBar.h"
#include "toolkit/controls/Application.h"
#include "toolkit/controls/CoolBar.h"
#include "toolkit/controls/Form.h"
#include "toolkit/controls/Menus.h"
#include "toolkit/gdi/Bitmap.h"
#include "toolkit/gdi/Canvas.h"
#include "toolkit/gdi/ImageList.h"
#include "toolkit/qt/QtPlatform.h"
#include "tools/DemoRun.h"
#include "tools/SkinAlphaPage.h"
#include "tools/SkinButtonsPage.h"
#include "tools/SkinEditsPage.h"
#include "tools/SkinFormPage.h"
#include "tools/SkinMenusPage.h"
#include "tools/SkinScrollPage.h"
#include "tools/SkinSectionsPage.h"

namespace {

constexpr int GlyphCount = 14;

// Sixteen-pixel glyphs: a disc of one hue each on the key colour; hot
// glyphs are lighter.
std::unique_ptr<TImageList> MakeGlyphs(bool hot) {
  auto list = std::make_unique<TImageList>(16, 16);
  for (int i = 0; i < GlyphCount; ++i) {
    TBitmap glyph(16, 16, pf24bit);
    TCanvas& canvas = glyph.Canvas();
    canvas.Brush().SetColor(clFuchsia);
    canvas.FillRect({0, 0, 16, 16});
    const int lift = hot ? 90 : 0;
    const TColor color = RGB(std::min(255, 40 + i * 15 + lift), std::min(255, 200 - i * 12 + lift),
                             std::min(255, 90 + (i % 4) * 40 + lift));
    canvas.Brush().SetColor(color);
    canvas.Pen().SetColor(RGB(40, 40, 40));
    canvas.Ellipse(2, 2, 14, 14);
    list->AddMasked(glyph, clFuchsia);
  }
  return list;
}

// Sixteen items: a drop-down button, buttons and checks, two separators
// and a disabled button.
void AddItems(TForm* form, TToolBar* bar, TPopupMenu* menu) {
  int glyph = 0;
  for (int i = 0; i < 16; ++i) {
    auto* button = new TToolButton(form);
    if (i == 4 || i == 10) {
      button->SetStyle(tbsSeparator);
    } else {
      button->SetStyle(i == 0 ? tbsDropDown : i >= 12 ? tbsCheck : tbsButton);
      button->SetImageIndex(glyph++);
    }
    if (i == 0) button->DropdownMenu = menu;
    if (i == 7) button->SetEnabled(false);
    if (i == 12) button->SetDown(true);
    button->SetParent(bar);
  }
}

template <class Bar>
Bar* AddBarInCoolBar(TForm* form, TImageList* images, TImageList* hotImages, TPopupMenu* menu) {
  auto* cool = new TCoolBar(form);
  cool->SetAlign(alTop);
  cool->SetAutoSize(true);
  cool->SetParent(form);
  auto* bar = new Bar(form);
  bar->SetFlat(true);
  bar->SetAutoSize(true);
  bar->SetEdgeBorders(0);
  bar->SetImages(images);
  bar->SetHotImages(hotImages);
  bar->SetParent(cool);
  AddItems(form, bar, menu);
  return bar;
}

template <class Panel>
Panel* AddPanel(TForm* form, TAlign align, const std::string& caption) {
  auto* panel = new Panel(form);
  panel->SetAlign(align);
  panel->SetWidth(320);
  panel->SetBorderWidth(4);
  panel->SetCaption(caption);
  panel->SetParent(form);
  return panel;
}

// The argument after --page; empty without one.
std::string PageOf(int argc, char** argv) {
  for (int i = 1; i + 1 < argc; ++i)
    if (std::string_view(argv[i]) == "--page") return argv[i + 1];
  return {};
}

struct TDemoPage {
  const char* Name;
  TForm* (*Create)();
};

constexpr TDemoPage Pages[] = {{"sections", CreateSectionsPage}, {"alpha", CreateAlphaPage},
                               {"scroll", CreateScrollPage},     {"edits", CreateEditsPage},
                               {"buttons", CreateButtonsPage},   {"form", CreateFormPage}};

const TDemoPage* FindPage(const std::string& name) {
  for (const TDemoPage& page : Pages)
    if (name == page.Name) return &page;
  return nullptr;
}

std::string PageNames() {
  std::string names;
  for (const TDemoPage& page : Pages) names += std::string(" ") + page.Name;
  return names;
}

TForm* CreateControlsPage() {
  auto* form = Application().CreateForm<TForm>();
  form->SetCaption("Skin demo: skinnable controls without a skin");
  form->SetBounds(60, 60, 660, 300);
  const auto images = MakeGlyphs(false);
  const auto hotImages = MakeGlyphs(true);
  auto* menu = new TPopupMenu(form);
  for (const char* caption : {"New window", "Open workspace..."}) {
    auto* item = new TMenuItem(form);
    item->SetCaption(caption);
    menu->Items().Add(item);
  }
  AddBarInCoolBar<TSkinToolBar>(form, images.get(), hotImages.get(), menu);
  AddBarInCoolBar<TToolBar>(form, images.get(), hotImages.get(), menu);
  AddPanel<TSkinPanel>(form, alLeft, "TSkinPanel");
  AddPanel<TPanel>(form, alClient, "TPanel");
  return form;
}

// The menu is held open for the picture; run on its own, it opens at once.
int RunMenusPage(int argc, char** argv) {
  TForm* form = CreateMenusPage();
  if (const char* fileName = ScreenshotArgument(argc, argv)) return SaveMenusPage(form, fileName) ? 0 : 1;
  form->Show();
  OpenPageMenu(form);
  Application().Run();
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  StartQtPlatform(argc, argv);
  Application().SetTitle("Skin demo");
  const std::string page = PageOf(argc, argv);
  if (page == "menus") return RunMenusPage(argc, argv);
  const TDemoPage* chosen = FindPage(page);
  if (!page.empty() && !chosen) {
    std::fprintf(stderr, "skin-demo: no page \"%s\"; pages:%s menus\n", page.c_str(), PageNames().c_str());
    return 2;
  }
  TForm* form = chosen ? chosen->Create() : CreateControlsPage();
  return RunDemo(argc, argv, form);
}
