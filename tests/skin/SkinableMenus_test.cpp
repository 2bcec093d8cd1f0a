#include "skin/menus/SkinableMenus.h"

#include <cmath>
#include <memory>

#include "skin/SkinCommonData.h"
#include "skin/ControlRoutines.h"
#include "skin/SkinToolBar.h"
#include "skin/forms/SkinProvider.h"
#include "tests/skin/BitmapBytes.h"
#include "tests/skin/MenuTestSupport.h"
#include "toolkit/controls/Application.h"
#include "toolkit/win/MessageQueue.h"
#include "toolkit/win/SysMetrics.h"

namespace {

using SkinableMenusTest = MenuFixture;

void AppDraw(TObject*, TCanvas&, TRect, TOwnerDrawState) {}

TEST_F(SkinableMenusTest, PopupHookingKeepsOtherHandlersAndReleasesOnlyItsOwn) {
  TMenuItem* own = Add(popup.Items(), "Own");
  own->OnAdvancedDrawItem = &AppDraw;
  const TMethod appDraw = own->OnAdvancedDrawItem.Method();
  TMenuItem* parent = Add(popup.Items(), "Parent");
  TMenuItem* nested = Add(*parent, "Nested");
  popup.MenuAnimation = maTopToBottom;

  Menus().HookPopupMenu(&popup, true);
  EXPECT_TRUE(popup.OwnerDraw());
  EXPECT_EQ(popup.MenuAnimation, maTopToBottom | maNone);
  EXPECT_EQ(own->OnAdvancedDrawItem.Method(), appDraw) << "the application's handler stays";
  EXPECT_TRUE(own->OnMeasureItem) << "the unassigned event is taken";
  EXPECT_TRUE(nested->OnAdvancedDrawItem && nested->OnMeasureItem) << "sub-items at every depth";

  Menus().HookPopupMenu(&popup, false);
  EXPECT_FALSE(popup.OwnerDraw());
  EXPECT_EQ(popup.MenuAnimation, maTopToBottom) << "maNone removed, the rest kept";
  EXPECT_EQ(own->OnAdvancedDrawItem.Method(), appDraw) << "kept on release";
  EXPECT_FALSE(own->OnMeasureItem);
  EXPECT_FALSE(nested->OnAdvancedDrawItem || nested->OnMeasureItem || parent->OnMeasureItem);
}

TEST_F(SkinableMenusTest, MenuLineItemsGetTheTopLineHandlersOnlyWithSkinnedPopups) {
  TMainMenu menu(nullptr);
  TMenuItem* file = Add(menu.Items(), "&File");
  TMenuItem* open = Add(*file, "Open");
  TMenuItem* edit = Add(menu.Items(), "Edit");
  edit->OnAdvancedDrawItem = &AppDraw;

  manager.SetSkinnedPopups(false);
  Menus().HookMainMenu(&menu, true);
  EXPECT_FALSE(menu.OwnerDraw()) << "left unchanged";
  EXPECT_FALSE(file->OnAdvancedDrawItem || file->OnMeasureItem);

  manager.SetSkinnedPopups(true);
  Menus().HookMainMenu(&menu, true);
  EXPECT_TRUE(menu.OwnerDraw());
  EXPECT_NE(edit->OnAdvancedDrawItem.Method(), TMethod{}) << "replaced";
  EXPECT_NE(edit->OnAdvancedDrawItem.Method(), TAdvancedMenuDrawItemEvent(&AppDraw).Method());
  int width = 0, height = 0;
  file->OnMeasureItem(file, MeasuringCanvas(), width, height);
  EXPECT_EQ(height, GetSystemMetrics(SM_CYMENU) - 1) << "measured as an item of the menu line";
  EXPECT_EQ(width, MeasuringCanvas().TextWidth("File"));
  EXPECT_FALSE(open->OnMeasureItem) << "only the first level";

  Menus().HookItems(file, true);
  EXPECT_TRUE(open->OnMeasureItem);
  Menus().HookMainMenu(&menu, false);
  EXPECT_FALSE(menu.OwnerDraw());
  EXPECT_FALSE(file->OnAdvancedDrawItem || edit->OnAdvancedDrawItem);
}

TEST_F(SkinableMenusTest, TheApplicationsMenusAreReleasedWhenTheirManagerGoes) {
  auto* other = new TSkinManager(nullptr);
  auto* menu = new TPopupMenu(&Application());
  TMenuItem* item = Add(menu->Items(), "Item");
  other->SkinableMenus().HookAll(true);
  EXPECT_TRUE(other->SkinableMenus().Active());
  EXPECT_TRUE(item->OnAdvancedDrawItem && menu->OwnerDraw());
  delete other;
  EXPECT_FALSE(item->OnAdvancedDrawItem || item->OnMeasureItem) << "no handler into the freed menus object";
  EXPECT_FALSE(menu->OwnerDraw());
  delete menu;
}

TEST_F(SkinableMenusTest, ASkinnedToolBarHooksDropDownMenusGivenToIt) {
  TForm form(nullptr);
  auto* bar = new TSkinToolBar(&form);
  bar->SetParent(&form);
  SendSkinCommand(bar->Handle(), scSkinApplied, reinterpret_cast<LPARAM>(&manager));
  ASSERT_TRUE(bar->SkinData().Skinned(false));
  auto* menu = new TPopupMenu(nullptr);
  Add(menu->Items(), "Item");
  form.InsertComponent(menu);
  EXPECT_TRUE(menu->OwnerDraw());
  EXPECT_TRUE(menu->Items().Items(0)->OnAdvancedDrawItem);
  form.RemoveComponent(menu);
  EXPECT_FALSE(menu->OwnerDraw());
  EXPECT_FALSE(menu->Items().Items(0)->OnAdvancedDrawItem);
  delete menu;
}

TEST_F(SkinableMenusTest, ItemsAreMeasuredFromTheirKindCaptionAndShortcut) {
  struct TCase {
    const char* Caption;
    TShortCut Shortcut;
    const char* MeasuredText;
    TSkinMenuItemType Kind;
  };
  const TCase cases[] = {
      {"-", scNone, "", smDivider},
      {"-Tools-", scNone, "--Tools--", smCaption},
      {"Open", TShortCut(scCtrl | 'O'), "OpenCtrl+O", smNormal},
  };
  for (const TCase& c : cases) {
    TMenuItem* item = Add(popup.Items(), c.Caption);
    item->SetShortCut(c.Shortcut);
    int height = 0;
    const int width = Measured(item, height);
    const int textWidth = *c.MeasuredText ? TextWidth(c.MeasuredText) : 0;
    EXPECT_EQ(width, 2 * 16 + textWidth + 3 * Menus().Margin + Menus().Spacing) << c.Caption;
    EXPECT_EQ(CurrentItemType, c.Kind) << c.Caption;
    if (c.Kind == smDivider) EXPECT_EQ(height, 2);
  }
  EXPECT_TRUE(MenuMeasured);
}

// R = TextHeight("W") x 1.25 rounded half to even: 12.5 gives 12, 17.5 gives 18.
TEST_F(SkinableMenusTest, ItemHeightsRoundAQuarterMoreThanTheTextHalfToEven) {
  TMenuItem* caption = Add(popup.Items(), "-Head-");
  TFont& font = Screen().MenuFont();
  const TFont saved = [&] { TFont copy; copy.Assign(font); return copy; }();
  for (const auto [textHeight, rounded] : {std::pair{10, 12}, std::pair{14, 18}}) {
    int found = 0;
    for (int size = -30; size <= 30 && !found; ++size) {
      font.SetHeight(size);
      if (MeasuringCanvas().TextHeight("W") == textHeight) found = size;
    }
    ASSERT_NE(found, 0) << "no menu font with text " << textHeight << " high";
    EXPECT_EQ(Menus().ItemHeight(MeasuringCanvas(), caption), rounded + 2 * Menus().Margin) << textHeight;
  }
  font.Assign(saved);
}

TEST_F(SkinableMenusTest, TheExtraLineWidensTheFirstColumnOnlyAndIsNeverAskedForTheSkinList) {
  manager.MenuSupport().UseExtraLine = true;
  int asked = 0;
  manager.OnGetMenuExtraLineData = [&](TMenuItem*, std::string&, std::string&, std::unique_ptr<TBitmap>&, bool&) {
    ++asked;
  };
  TMenuItem* first = Add(popup.Items(), "First");
  TMenuItem* second = Add(popup.Items(), "First");
  second->SetBreak(mbBreak);
  int height = 0;
  EXPECT_EQ(Measured(first, height), Measured(second, height) + 32);
  EXPECT_EQ(asked, 2);

  TPopupMenu skins(nullptr);
  TMenuItem* list = Add(skins.Items(), "First");
  list->SetName("SkinSelectItem");
  EXPECT_EQ(Measured(list, height), Measured(second, height));
  EXPECT_EQ(asked, 3) << "the event is not called for the skin list";
}

// The item's ring, from the MENUITEM borders mask, at the item's left edge.
TColor RingOf(TBitmap& item) { return BytesColor(item, 0, item.Height() / 2); }

TEST_F(SkinableMenusTest, AnItemIsPaintedFromMenuItemInItsStateAndFadedWhenDisabled) {
  TMenuItem* item = Add(popup.Items(), "Item");
  Add(popup.Items(), "Other");
  EXPECT_EQ(RingOf(*PaintAlone(item, 0)), TestSkin::FrameColors[0]);
  EXPECT_EQ(RingOf(*PaintAlone(item, odSelected)), TestSkin::FrameColors[1]);
  EXPECT_EQ(CurrentItemType, smNormal);

  item->SetEnabled(false);
  auto disabled = PaintAlone(item, odSelected);
  ASSERT_EQ(MenuImages.size(), 1u);
  TBitmap& image = *MenuImages[0].Image;
  const TColor under = BytesColor(image, Menus().BorderWidth, Menus().BorderWidth + disabled->Height() / 2);
  const TColor faded = RingOf(*disabled);
  for (int shift : {0, 8, 16}) {
    const double expected = 0.4 * ((TestSkin::FrameColors[0] >> shift) & 0xFF) + 0.6 * ((under >> shift) & 0xFF);
    EXPECT_NEAR((faded >> shift) & 0xFF, expected, 1.0) << "the normal look, 0.4 of it kept over the menu image";
  }
}

TEST_F(SkinableMenusTest, ACheckedItemWithoutACheckMaskShowsTheCheckedBox) {
  TMenuItem* item = Add(popup.Items(), "Checked");
  auto bmp = PaintAlone(item, odChecked);
  const int top = (bmp->Height() - 8) / 2;
  EXPECT_EQ(BytesColor(*bmp, Menus().Margin, top), TestSkin::CheckGlyphRings[0][0]) << "frame 0 of BOXCHECKED";
  EXPECT_EQ(BytesColor(*bmp, Menus().Margin + 3, top + 3), TestSkin::CheckGlyphInsides[0]) << "checked inside";
}

// Columns of black ink: the captions' text colour of MENUITEM.
TRect Ink(TBitmap& bmp) { return ColorBounds(*bmp.Handle(), {0, 0, bmp.Width(), bmp.Height()}, clBlack); }

TEST_F(SkinableMenusTest, CaptionsShortcutsAndDefaultItemsAreWrittenWhereTheyBelong) {
  TMenuItem* plain = Add(popup.Items(), "Right");
  TMenuItem* backspaced = Add(popup.Items(), "\bRight");
  const TRect left = Ink(*PaintAlone(plain, 0));
  const TRect right = Ink(*PaintAlone(backspaced, 0));
  const int blanks = 6 * MeasuringCanvas().TextWidth(" ");
  EXPECT_NEAR(left.Left, 16 + 2 * Menus().Margin + Menus().Spacing, 1) << "after the glyph column";
  EXPECT_NEAR(right.Right, 160 - blanks, 2) << "right-aligned, six blanks wider";

  TMenuItem* shortcut = Add(popup.Items(), "");
  shortcut->SetShortCut(TShortCut(scCtrl | 'O'));
  EXPECT_NEAR(Ink(*PaintAlone(shortcut, 0)).Right, 160 - 8, 1) << "the shortcut ends 8 pixels before the edge";

  const auto count = [](TBitmap& bmp) { return CountPixels(*bmp.Handle(), {0, 0, bmp.Width(), bmp.Height()}, clBlack); };
  EXPECT_GT(count(*PaintAlone(plain, odDefault)), count(*PaintAlone(plain, 0))) << "the default item is bold";
}

TEST_F(SkinableMenusTest, ASystemMenuItemWithoutAPictureShowsItsCommandsCharacter) {
  popup.SetName("SysMenu");
  TMenuItem* close = Add(popup.Items(), "");
  const auto glyphInk = [&](intptr_t tag) {
    close->Tag = tag;
    auto bmp = PaintAlone(close, 0);
    return CountPixels(*bmp->Handle(), {4, 0, 20, bmp->Height()}, clBlack);
  };
  EXPECT_EQ(glyphInk(0), 0);
  EXPECT_GT(glyphInk(SC_CLOSE), 0);
}

TEST_F(SkinableMenusTest, ASeparatorTakesTheDividerMaskOrEtchedLines) {
  Add(popup.Items(), "Item");
  TMenuItem* line = Add(popup.Items(), "-");
  auto masked = PaintAlone(line, 0);
  EXPECT_EQ(masked->Height(), 2);
  EXPECT_GT(CountPixels(*masked->Handle(), {0, 0, 160, 2}, TestSkin::FrameColors[0]), 0) << "DIVIDERV's frame 0";
  EXPECT_EQ(BytesColor(*masked, 20, 0), BytesColor(*MenuImages[0].Image, 23, 3))
      << "left of the divider (which keeps right of the icon strip), the menu image";

  manager.Masks[manager.MaskIndexOfNames("DIVIDERV", "BORDERSMASK")].PropertyName = "GONE";
  auto etched = PaintAlone(line, 0);
  EXPECT_EQ(BytesColor(*etched, 20, 0), 0x00808080u);
  EXPECT_EQ(BytesColor(*etched, 20, 1), 0x00FFFFFFu);
}

TEST_F(SkinableMenusTest, ACaptionItemShowsItsWordOverTheToolBarSection) {
  TMenuItem* caption = Add(popup.Items(), "-Tools-");
  auto bmp = PaintAlone(caption, 0);
  EXPECT_EQ(CurrentItemType, smCaption);
  const TRect ink = ColorBounds(*bmp->Handle(), {1, 1, 159, bmp->Height() - 1}, clBlack);
  const int width = MeasuringCanvas().TextWidth("Tools");
  EXPECT_NEAR(ink.Left + ink.Width() / 2, 80, 2) << "centred";
  EXPECT_LE(ink.Width(), width) << "the word alone, without dashes";
}

// Stands in for a form provider: its menu line is one colour.
class TStandInMenuLine : public TSkinProvider {
public:
  TStandInMenuLine() : TSkinProvider(nullptr, TBare{}), line_(400, 40, pf24bit) {
    line_.Canvas().Brush().SetColor(0x00203040);
    line_.Canvas().FillRect({0, 0, 400, 40});
  }
  TSkinCommonData& SkinData() const override { throw std::logic_error("not asked"); }
  void RebuildRegionAndCaches() override {}
  TBitmap* MenuLineImage() const override { return &line_; }
  int CaptionHeight() const override { return 20; }
  int FrameHeight() const override { return 4; }

private:
  mutable TBitmap line_;
};

TEST_F(SkinableMenusTest, AMenuLineItemIsWrittenInMenuLinesColoursOverTheProvidersLine) {
  TStandInMenuLine provider;
  MdiMainProvider = &provider;
  TMainMenu menu(nullptr);
  TMenuItem* file = Add(menu.Items(), "File");
  const auto paint = [&](TOwnerDrawState state) {
    auto bmp = std::make_unique<TBitmap>(60, 20, pf24bit);
    Menus().DrawTopLineItem(file, bmp->Canvas(), {0, 0, 60, 20}, state);
    return bmp;
  };
  auto normal = paint(0);
  EXPECT_GT(CountPixels(*normal->Handle(), {0, 0, 60, 20}, 0x00000080), 0) << "MENULINE's text colour";
  EXPECT_EQ(BytesColor(*normal, 0, 10), TestSkin::FrameColors[0]) << "MENUITEM over the line";
  auto hot = paint(odHotLight);
  EXPECT_GT(CountPixels(*hot->Handle(), {0, 0, 60, 20}, 0x00008000), 0) << "MENULINE's hot text colour";
  EXPECT_EQ(BytesColor(*hot, 0, 10), TestSkin::FrameColors[1]);
}

TEST_F(SkinableMenusTest, AnItemPaintedWithoutAWindowAsksTheApplicationOnceToShapeItsMenu) {
  TMenuItem* item = Add(popup.Items(), "Item");
  PaintAlone(item, 0);
  PaintAlone(item, 0);
  int requests = 0;
  for (MSG message; PeekMessage(message, Application().Handle(), WM_SHAPEMENUOFITEM, WM_SHAPEMENUWINDOW, PM_REMOVE);)
    requests += message.lParam == reinterpret_cast<LPARAM>(item);
  EXPECT_EQ(requests, 1);
  ASSERT_EQ(MenuImages.size(), 1u);
  EXPECT_EQ(MenuImages[0].Wnd, nullptr);
}

}  // namespace
