// The form skinning provider: taking its form over and giving it back, the
// skin commands it answers in every state, the path of an unskinned form,
// and what a skin's coming and going does to the form.

#include "skin/forms/SkinProvider.h"

#include <algorithm>
#include <functional>
#include <set>

#include <gtest/gtest.h>

#include "skin/SkinCommonData.h"
#include "skin/SkinnedForms.h"
#include "skin/adapters/SkCtrlAdapter.h"
#include "skin/adapters/SkScrollWnd.h"
#include "skin/menus/SkinSystemMenu.h"
#include "skin/menus/SkinableMenus.h"
#include "skin/skins/SkinOptions.h"
#include "tests/skin/MessageSpy.h"
#include "tests/skin/SkinnedFormFixture.h"
#include "tests/toolkit/ToolkitTestSupport.h"
#include "toolkit/controls/Application.h"
#include "toolkit/controls/Form.h"
#include "toolkit/controls/Frame.h"
#include "toolkit/controls/Label.h"
#include "toolkit/controls/Menus.h"
#include "toolkit/controls/Panel.h"
#include "toolkit/gdi/Bitmap.h"
#include "toolkit/win/Styles.h"
#include "toolkit/win/Window.h"

namespace {

bool HasSysMenuStyle(HWND window) { return (GetWindowLongPtr(window, GWL_STYLE) & WS_SYSMENU) != 0; }

class ProviderTest : public SkinnedFormFixture {
protected:
  ProviderTest() {
    ResetSkinLayerGlobals();
    form->SetBorderStyle(bsSizeable);
    form->HandleNeeded();
  }
  ~ProviderTest() override { ResetSkinLayerGlobals(); }

  TSkinProvider* MakeProvider() { return provider = new TSkinProvider(form); }
  LRESULT Command(WORD sub, LPARAM lParam = 0) { return form->Perform(SM_SKINCMD, SkinCommand(sub), lParam); }
  HWND Window() const { return form->Handle(); }

  TSkinProvider* provider = nullptr;
};

// ---------------------------------------------------------------- taking the form over

TEST_F(ProviderTest, UnskinnedItPassesEveryMessageOnButItsOwnSubCommands) {
  TSeen seen = Record(*form);
  MakeProvider();
  ASSERT_FALSE(provider->Skinned());
  TBackdropQuery query;
  for (WORD sub = 0; sub <= 64; ++sub) Command(sub, sub == scGetBackdrop ? reinterpret_cast<LPARAM>(&query) : 0);
  for (UINT msg : {UINT(WM_SIZE), UINT(WM_NCACTIVATE), UINT(WM_NCPAINT), UINT(WM_USER + 7)}) form->Perform(msg, 0, 0);

  std::set<WORD> passed;
  for (const TMessage& m : *seen)
    if (m.Msg == SM_SKINCMD) passed.insert(SubCommandOf(m.WParam));
  for (WORD sub = 0; sub <= 64; ++sub) {
    const bool own = sub == 1 || sub == 2 || sub == 4 || sub == 7 || sub == 34 || sub == 36 || sub == 60 || sub == 61;
    EXPECT_EQ(passed.count(sub) == 0, own) << "sub-command " << sub;
  }
  for (UINT msg : {UINT(WM_SIZE), UINT(WM_NCACTIVATE), UINT(WM_NCPAINT), UINT(WM_USER + 7)})
    EXPECT_TRUE(std::any_of(seen->begin(), seen->end(), [msg](const TMessage& m) { return m.Msg == msg; })) << msg;
}

TEST_F(ProviderTest, ItsOwnSubCommandsAnswerInEveryState) {
  MakeProvider();
  const auto answers = [&](const char* state) {
    EXPECT_EQ(Command(scIsSkinnable), 1) << state;
    EXPECT_EQ(Command(scGetProvider), reinterpret_cast<LRESULT>(provider)) << state;
    EXPECT_EQ(Command(scGetApplication), reinterpret_cast<LRESULT>(&Application())) << state;
    EXPECT_EQ(Command(scPlainBackground), provider->SkinData().StateFlags) << state;
    EXPECT_EQ(Command(scGetClientOffset),
              LRESULT(MAKELONG(WORD(provider->ClientOffsetX()), WORD(provider->ClientOffsetY()))))
        << state;
  };
  answers("unskinned");
  LoadAndAnnounce();
  ASSERT_TRUE(provider->Skinned());
  answers("skinned");
  EXPECT_EQ(Command(scGetClientOffset), LRESULT(MAKELONG(4, 4 + 23)))
      << "its own frame: 4 pixels of border, a 23 pixel caption";
}

TEST_F(ProviderTest, AProviderWithoutAFormOrASecondOneStaysInert) {
  TComponent owner(nullptr);
  auto* loose = new TSkinProvider(&owner);
  EXPECT_EQ(loose->HostForm(), nullptr);
  EXPECT_FALSE(loose->SavedWindowProc);

  MakeProvider();
  auto* second = new TSkinProvider(form);
  EXPECT_EQ(second->HostForm(), nullptr);
  EXPECT_EQ(Command(scGetProvider), reinterpret_cast<LRESULT>(provider));
  delete second;
  EXPECT_EQ(Command(scGetProvider), reinterpret_cast<LRESULT>(provider)) << "the first keeps the form";
  delete provider;
  EXPECT_EQ(Command(scGetProvider), 0);
}

TEST_F(ProviderTest, OnAFrameItWarnsAndGoesOn) {
  TRecordingMessageBoxes boxes;
  auto* frame = new TFrame(form);
  auto* onFrame = new TSkinProvider(frame);
  ASSERT_EQ(boxes.Shown.size(), 1u);
  EXPECT_EQ(boxes.Shown[0].Text,
            "TSkinProvider component must be used with forms only!\r\nFor frames skinning may be used "
            "TSkinFrameAdapter component.");
  EXPECT_EQ(onFrame->HostForm(), form) << "the frame's form is still found";
}

TEST_F(ProviderTest, AManagerInsertedFillsOnlyAnEmptyManagerAndGoesWhenRemoved) {
  MakeProvider();
  TSkinManager first(nullptr), second(nullptr);
  form->InsertComponent(&first);
  form->InsertComponent(&second);
  EXPECT_EQ(provider->SkinData().SkinManager(), &first);
  form->RemoveComponent(&second);
  EXPECT_EQ(provider->SkinData().SkinManager(), &first) << "not its manager";
  form->RemoveComponent(&first);
  EXPECT_EQ(provider->SkinData().SkinManager(), nullptr);
}

// ---------------------------------------------------------------- a skin comes and goes

TEST_F(ProviderTest, ASkinGivesTheFormItsOwnFrameCloseButtonGlyphsAndColour) {
  MakeProvider();
  TRect client = form->ClientRect();
  const TPoint origin = form->ClientToScreen({0, 0});
  LoadAndAnnounce();

  EXPECT_TRUE(HasOwnFrame(Window()));
  EXPECT_FALSE(HasSysMenuStyle(Window()));
  ASSERT_NE(provider->SysMenu, nullptr);
  EXPECT_TRUE(provider->SysMenu->CloseShown());
  EXPECT_EQ(provider->Buttons.CloseButton.ImageIndex, manager.MaskIndexOfNames("GLOBALINFO", "BICONCLOSE"));
  EXPECT_GE(provider->Buttons.CloseButton.ImageIndex, 0);
  EXPECT_TRUE(provider->Buttons.CloseButton.Aligned) << "a sizeable form has big buttons";
  EXPECT_EQ(form->Color(), manager.GlobalColor());
  EXPECT_EQ(form->ClientRect(), client);
  EXPECT_EQ(form->ClientToScreen({0, 0}), origin);

  SwitchOff();
  EXPECT_FALSE(HasOwnFrame(Window()));
  EXPECT_TRUE(HasSysMenuStyle(Window()));
  EXPECT_FALSE(provider->SysMenu->CloseShown());
  EXPECT_EQ(form->Color(), clBtnFace);
  EXPECT_EQ(form->ClientRect(), client);
}

TEST_F(ProviderTest, AWindowMadeUnderTheSkinTakesItAtOnce) {
  TForm late(nullptr);
  late.SetBounds(20, 20, 300, 200);
  auto* lateProvider = new TSkinProvider(&late);
  LoadAndAnnounce();
  ASSERT_FALSE(late.HandleAllocated());
  late.HandleNeeded();
  EXPECT_TRUE(HasOwnFrame(late.Handle()));
  EXPECT_TRUE(lateProvider->SysMenuStyleRemoved);
  EXPECT_FALSE(HasSysMenuStyle(late.Handle()));
}

TEST_F(ProviderTest, TheMenusOfAFormOutsideTheApplicationFollowTheSkin) {
  TForm own(nullptr);
  own.HandleNeeded();
  auto* bar = new TMainMenu(&own);
  bar->Items().Add(new TMenuItem(&own));
  own.SetMenu(bar);
  auto* popup = new TPopupMenu(new TPanel(&own));
  popup->Items().Add(new TMenuItem(&own));
  manager.SetSkinnedPopups(true);
  new TSkinProvider(&own);
  LoadAndAnnounce();
  EXPECT_TRUE(bar->OwnerDraw());
  EXPECT_TRUE(popup->OwnerDraw()) << "owned by a control of the form";
  SwitchOff();
  EXPECT_FALSE(bar->OwnerDraw());
  EXPECT_FALSE(popup->OwnerDraw());
}

TEST_F(ProviderTest, AFrameTheFormHadAlreadyIsNotTakenAway) {
  SetOwnFrame(Window(), true);
  MakeProvider();
  LoadAndAnnounce();
  SwitchOff();
  EXPECT_TRUE(HasOwnFrame(Window()));
}

TEST_F(ProviderTest, AnotherManagersRemovalReachesOnlyTheChildren) {
  auto* label = new TSpied<TLabel>(form);
  label->SetParent(form);
  MakeProvider();
  LoadAndAnnounce();
  TSkinManager other(nullptr);
  Command(scSkinRemoved, reinterpret_cast<LPARAM>(&other));
  EXPECT_TRUE(label->HasReachedSkinCommand(scSkinRemoved));
  EXPECT_TRUE(HasOwnFrame(Window()));
  EXPECT_FALSE(HasSysMenuStyle(Window()));
  EXPECT_EQ(form->Color(), manager.GlobalColor());
}

TEST_F(ProviderTest, UseGlobalColorSwitchedWhileSkinned) {
  MakeProvider();
  LoadAndAnnounce();
  provider->SetUseGlobalColor(false);
  EXPECT_EQ(form->Color(), clBtnFace);
  provider->SetUseGlobalColor(true);
  EXPECT_EQ(form->Color(), manager.GlobalColor());
  provider->SkinData().SetCustomColor(true);
  provider->SetUseGlobalColor(false);
  provider->SetUseGlobalColor(true);
  EXPECT_EQ(form->Color(), clBtnFace) << "a custom colour keeps the skin's away";
}

TEST_F(ProviderTest, ACaptionPropertyChangedRepaintsAVisibleFormsFrame) {
  TSeen seen = Record(*form);
  MakeProvider();
  ShowForm();
  const std::function<void()> changes[] = {[&] { provider->SetCaptionAlignment(taCenter); },
                                           [&] { provider->SetShowAppIcon(false); },
                                           [&] { provider->SetTitleSkin("OTHERTITLE"); }};
  for (const auto& change : changes) {
    provider->SkinData().CacheStale = false;
    seen->clear();
    change();
    EXPECT_TRUE(provider->SkinData().CacheStale);
    EXPECT_TRUE(std::any_of(seen->begin(), seen->end(), [](const TMessage& m) { return m.Msg == WM_NCPAINT; }));
    seen->clear();
    change();
    EXPECT_TRUE(seen->empty()) << "the same value again changes nothing";
  }
}

TEST_F(ProviderTest, ToggleSysMenuStyleGivesBackOnlyWhatItTook) {
  MakeProvider();
  provider->ToggleSysMenuStyle(true);
  provider->ToggleSysMenuStyle(true);
  EXPECT_TRUE(provider->SysMenuStyleRemoved);
  EXPECT_FALSE(HasSysMenuStyle(Window()));
  provider->ToggleSysMenuStyle(false);
  EXPECT_FALSE(provider->SysMenuStyleRemoved);
  EXPECT_TRUE(HasSysMenuStyle(Window()));

  SetWindowLongPtr(Window(), GWL_STYLE, GetWindowLongPtr(Window(), GWL_STYLE) & ~LONG_PTR(WS_SYSMENU));
  provider->ToggleSysMenuStyle(true);
  EXPECT_FALSE(provider->SysMenuStyleRemoved) << "nothing to take";
  provider->ToggleSysMenuStyle(false);
  EXPECT_FALSE(HasSysMenuStyle(Window()));
}

TEST_F(ProviderTest, TheBackgroundOfAPictureIsTheCacheAtTheClientOffset) {
  MakeProvider();
  LoadAndAnnounce();
  TSkinGeneralData& look = Section("FORM");
  look.Transparency = look.HotTransparency = look.GradientPercent = look.HotGradientPercent = 0;
  look.ImagePercent = look.HotImagePercent = 50;
  provider->SkinData().PrepareCacheBitmap();
  TBackdropQuery query;
  query.Offset = {3, 5};
  Command(scGetBackdrop, reinterpret_cast<LPARAM>(&query));
  EXPECT_EQ(query.Kind, bkImage);
  EXPECT_EQ(query.Bmp, provider->SkinData().CacheBitmap());
  EXPECT_EQ(query.Offset, (TPoint{provider->ClientOffsetX(), provider->ClientOffsetY()}));
  EXPECT_EQ(query.Offset, (TPoint{4, 27}));
}

TEST_F(ProviderTest, AnUnskinnedMdiChildsActivationRepaintsTheSkinnedFramesMenuLine) {
  TForm frame(nullptr);
  frame.SetFormStyle(fsMDIForm);
  frame.SetBounds(50, 50, 600, 400);
  frame.Show();
  auto* frameProvider = new TSkinProvider(&frame);
  LoadAndAnnounce();
  ASSERT_EQ(MdiMainProvider, frameProvider);
  TForm child(nullptr);
  child.SetFormStyle(fsMDIChild);
  child.Show();
  auto* childProvider = new TSkinProvider(&child);
  childProvider->SkinData().SetSkinSection("NO SUCH SECTION");
  ASSERT_FALSE(childProvider->Skinned());

  frameProvider->MenuRowCount = 3;
  frameProvider->TitleStale = false;
  child.Perform(WM_NCACTIVATE, 1, 0);
  EXPECT_EQ(frameProvider->MenuRowCount, -1);
  EXPECT_TRUE(frameProvider->TitleStale);
}

// ---------------------------------------------------------------- the control adapter

class ProviderAdapterTest : public ProviderTest {
protected:
  ProviderAdapterTest() {
    manager.ThirdParty.SetNames(ThirdPartyList::ThirdPanels, "TPanel");
    manager.Loaded();
  }
  TPanel* NewPanel(TComponent* owner) {
    auto* panel = new TPanel(owner);
    panel->SetParent(form);
    panel->HandleNeeded();
    return panel;
  }
};

TEST_F(ProviderAdapterTest, AnAdaptedWindowHearsTheRemovalBeforeTheControlAdapterGoes) {
  TPanel* panel = NewPanel(form);
  MakeProvider();
  LoadAndAnnounce();
  ASSERT_NE(provider->ControlAdapter, nullptr);
  ASSERT_EQ(provider->ControlAdapter->Count(), 1);
  std::vector<bool> adapterLive;
  const TWndMethodRef below = panel->WindowProc.Current();
  panel->WindowProc = [&, below](TMessage& message) {
    if (message.Msg == SM_SKINCMD && SubCommandOf(message.WParam) == scSkinRemoved)
      adapterLive.push_back(provider->ControlAdapter != nullptr);
    below(message);
  };
  SwitchOff();
  panel->WindowProc = below;
  ASSERT_FALSE(adapterLive.empty());
  EXPECT_TRUE(adapterLive.front()) << "told by the adapter first";
  EXPECT_EQ(provider->ControlAdapter, nullptr);
}

TEST_F(ProviderAdapterTest, AControlInsertedIntoTheSkinnedFormIsAdapted) {
  MakeProvider();
  LoadAndAnnounce();
  ASSERT_NE(provider->ControlAdapter, nullptr);
  const int before = provider->ControlAdapter->Count();
  TPanel* panel = NewPanel(nullptr);
  form->InsertComponent(panel);
  EXPECT_EQ(provider->ControlAdapter->Count(), before + 1);
}

// ---------------------------------------------------------------- giving the form back

TEST_F(ProviderTest, FreedOnASkinnedFormItGivesEverythingBack) {
  TSeen seen = Record(*form);
  MakeProvider();
  LoadAndAnnounce();
  provider->ScrollWnd = TSkMainWnd::Make<TSkScrollWnd>(Window(), &provider->SkinData(), &manager, "FORM", false);
  ASSERT_TRUE(HasOwnFrame(Window()));
  delete provider;

  EXPECT_FALSE(HasOwnFrame(Window()));
  EXPECT_TRUE(HasSysMenuStyle(Window()));
  EXPECT_EQ(Command(scGetProvider), 0);
  seen->clear();
  form->Perform(WM_USER + 3, 0, 0);
  ASSERT_EQ(seen->size(), 1u) << "its own procedure answers";
  EXPECT_EQ(seen->front().Msg, UINT(WM_USER + 3));
}

TEST_F(ProviderTest, AFormFreedWithItsSkinnedProviderIsLeftClean) {
  MakeProvider();
  LoadAndAnnounce();
  provider->ScrollWnd = TSkMainWnd::Make<TSkScrollWnd>(Window(), &provider->SkinData(), &manager, "FORM", false);
  const TComponent* gone = form;
  delete form;
  form = nullptr;
  EXPECT_EQ(std::count(SkinnedForms().begin(), SkinnedForms().end(), gone), 0);
}

// ---------------------------------------------------------------- the skin data of a provider

TEST_F(ProviderTest, ItsSkinDataReachesTheForm) {
  TSeen seen = Record(*form);
  MakeProvider();
  TSkinCommonData& data = provider->SkinData();
  EXPECT_EQ(data.ClassCode, ProviderClassCode);
  EXPECT_EQ(data.SkinSection(), "FORM");
  form->SetColor(0x00123456);
  EXPECT_EQ(data.ControlColor(0), 0x00123456) << "unskinned, the form's own colour";

  data.SuspendPaint();
  data.ResumePaint();
  EXPECT_TRUE(HasSkinCommand(seen, scPaintSuspended, 0));
  EXPECT_TRUE(HasSkinCommand(seen, scPaintResumed, 0));

  LoadAndAnnounce();
  TSkinGeneralData& look = Section("FORM");
  look.Transparency = look.ImagePercent = look.GradientPercent = 0;
  data.StateFlags = 0;
  data.UpdatePlainFlag(false);
  EXPECT_EQ(data.StateFlags & sfPlainBackground, sfPlainBackground) << "one colour";
  look.GradientPercent = 50;
  data.UpdatePlainFlag(false);
  EXPECT_EQ(data.StateFlags & sfPlainBackground, 0);

  provider->TitleCache = std::make_unique<TBitmap>(10, 10);
  data.CacheStale = false;
  data.SetSkinSection("DIALOG");
  EXPECT_TRUE(data.CacheStale);
  EXPECT_EQ(provider->TitleCache, nullptr);
}

// ---------------------------------------------------------------- user caption buttons

TEST_F(ProviderTest, LoadedGivesUserButtonsTheSkinsTitleButtonMask) {
  LoadAndAnnounce();
  MakeProvider();
  TSkinTitleButton& skinned = provider->TitleButtons().AddButton();
  TSkinTitleButton& own = provider->TitleButtons().AddButton();
  own.UseSkinData = false;
  own.Data.ImageIndex = 5;
  provider->Loaded();
  EXPECT_EQ(skinned.Data.ImageIndex, manager.MaskIndexOfNames("GLOBALINFO", "TITLEBUTTON"));
  EXPECT_GE(skinned.Data.ImageIndex, 0);
  EXPECT_EQ(own.Data.ImageIndex, -1);
}

TEST_F(ProviderTest, TitleButtonsAreCopiedItemByItemWithTheirGlyphs) {
  MakeProvider();
  TSkinProvider other(nullptr);
  TSkinTitleButton& source = other.TitleButtons().AddButton();
  source.Name = "Pin";
  source.Enabled = false;
  TBitmap glyph(12, 10, pf24bit);
  source.SetGlyph(&glyph);
  provider->SetTitleButtons(other.TitleButtons());
  ASSERT_EQ(provider->TitleButtons().Count(), 1);
  const TSkinTitleButton& copy = provider->TitleButtons().Item(0);
  EXPECT_EQ(copy.DisplayName(), "Pin");
  EXPECT_FALSE(copy.Enabled);
  ASSERT_NE(copy.Glyph(), nullptr);
  EXPECT_NE(copy.Glyph(), source.Glyph()) << "a copy of its own";
  EXPECT_EQ(copy.Glyph()->Width(), 12);
}

}  // namespace
