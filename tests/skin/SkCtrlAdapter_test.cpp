// The control adapter of a skinned form under the test skin: which
// controls get items and which window adapters, the walk's re-entry flag,
// and how items are refreshed, dropped, released and told.

#include "skin/adapters/SkCtrlAdapter.h"

#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>
#include <typeinfo>
#include <vector>

#include "skin/SkinCommonData.h"
#include "skin/adapters/SkBtnWnd.h"
#include "skin/adapters/SkCheckBoxWnd.h"
#include "skin/adapters/SkEditWnd.h"
#include "skin/adapters/SkGridWnd.h"
#include "skin/adapters/SkGroupBoxWnd.h"
#include "skin/adapters/SkListViewWnd.h"
#include "skin/adapters/SkPageControlWnd.h"
#include "skin/adapters/SkPanelWnd.h"
#include "skin/adapters/SkStatusBarWnd.h"
#include "skin/adapters/SkTabControlWnd.h"
#include "skin/adapters/SkToolBarVCLWnd.h"
#include "skin/adapters/SkTreeViewWnd.h"
#include "skin/adapters/SkWWComboBoxWnd.h"
#include "skin/forms/SkinProvider.h"
#include "skin/skins/SkinFrameAdapter.h"
#include "skin/skins/SkinManager.h"
#include "tests/skin/MessageSpy.h"
#include "tests/skin/SkinnedFormFixture.h"
#include "tests/skin/SkinnedWindowFixture.h"
#include "tests/skin/StandInProvider.h"
#include "toolkit/controls/ComboBox.h"
#include "toolkit/controls/CustomControl.h"
#include "toolkit/controls/Frame.h"
#include "toolkit/controls/Label.h"
#include "toolkit/controls/Panel.h"
#include "toolkit/win/MessageQueue.h"
#include "toolkit/win/Styles.h"
#include "toolkit/win/SysMetrics.h"
#include "toolkit/win/Window.h"

namespace {

constexpr UINT WM_PROBE = WM_USER + 5;

// A foreign control as the lists name it: it counts the probes that reach it.
class TForeign : public TCustomControl {
public:
  using TCustomControl::TCustomControl;
  int Probes = 0;

protected:
  void Dispatch(TMessage& message) override {
    if (message.Msg == WM_PROBE) ++Probes;
    TCustomControl::Dispatch(message);
  }
};

// Not named by any list, though its base is.
class TOwnPanel : public TPanel {
public:
  using TPanel::TPanel;
};

bool AnswersSkinned(TWinControl& control) {
  return SendMessage(control.Handle(), SM_SKINCMD, SkinCommand(scIsSkinnable), 0) != 0;
}

class SkCtrlAdapterTest : public SkinnedWindowFixture {
protected:
  SkCtrlAdapterTest() : provider(new TStandInProvider(form, &manager)) {}

  // The user's class names for one list, one per line; the others blank.
  void List(ThirdPartyList::TKind kind, const std::string& names) {
    manager.ThirdParty.SetNames(kind, names);
    manager.Loaded();
  }
  template <class Control = TForeign>
  Control& Place(TWinControl* parent = nullptr, int left = 10) {
    auto* control = new Control(form);
    control->SetBounds(left, 10, 80, 40);
    control->SetParent(parent ? parent : form);
    return *control;
  }
  // Listed foreign controls side by side, each attached in turn.
  std::vector<TForeign*> AttachForeign(int count) {
    List(ThirdPartyList::ThirdEdits, "TForeign");
    std::vector<TForeign*> controls;
    for (int i = 0; i < count; ++i) {
      controls.push_back(&Place(nullptr, 10 + 90 * i));
      adapter.AttachControl(controls.back(), "EDIT");
    }
    return controls;
  }
  // The item of the control; null when it has none.
  TSkAdapterItem* ItemOf(const TControl& control) const {
    for (int i = 0; i < adapter.Count(); ++i)
      if (adapter.ItemAt(i)->Ctrl == &control) return adapter.ItemAt(i);
    return nullptr;
  }

  TStandInProvider* provider;  // the form's
  TSkCtrlAdapter adapter{provider};
};

// ---------------------------------------------------------------- what gets an item

TEST_F(SkCtrlAdapterTest, BlankListsMakeNoItemButLabelsTakeTheSkinsTextColour) {
  Place<TPanel>();
  Place();
  auto* label = new TLabel(form);
  label->SetParent(form);
  ASSERT_NE(label->Font().Color(), manager.GlobalFontColor());

  adapter.AttachAll();
  EXPECT_EQ(adapter.Count(), 0);
  EXPECT_TRUE(label->Transparent());
  EXPECT_EQ(label->Font().Color(), manager.GlobalFontColor());
}

TEST_F(SkCtrlAdapterTest, WithoutTheForeignControlRuleNothingIsWalked) {
  List(ThirdPartyList::ThirdPanels, "TPanel");
  Place<TPanel>();
  auto* label = new TLabel(form);
  label->SetParent(form);
  manager.SkinningRules = srStdForms | srStdDialogs;

  adapter.AttachAll();
  EXPECT_EQ(adapter.Count(), 0);
  EXPECT_FALSE(label->Transparent());
}

TEST_F(SkCtrlAdapterTest, TheFirstListNamingTheExactClassChoosesTheAdapter) {
  struct TCase {
    const char* GroupBoxes;
    const char* Panels;
    const std::type_info* Adapter;  // null: no item
    const char* Section;
  };
  const TCase cases[] = {
      {" ", "TPanel", &typeid(TSkPanelWnd), "PANEL"},
      {"TPanel", "TPanel", &typeid(TSkGroupBoxWnd), "GROUPBOX"},
      {" ", "TEdit\nTPanel", &typeid(TSkPanelWnd), "PANEL"},
      {" ", "tpanel", nullptr, ""},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(std::string(c.GroupBoxes) + " / " + c.Panels);
    manager.ThirdParty.SetNames(ThirdPartyList::ThirdGroupBoxes, c.GroupBoxes);
    List(ThirdPartyList::ThirdPanels, c.Panels);
    TPanel& panel = Place<TPanel>();
    TOwnPanel& own = Place<TOwnPanel>(nullptr, 100);
    {
      TSkCtrlAdapter walk(provider);
      walk.AttachAll();
      EXPECT_EQ(walk.Count(), c.Adapter ? 1 : 0) << "a subclass of a listed class gets none";
      if (c.Adapter && walk.Count() == 1) {
        const TSkAdapterItem& item = *walk.ItemAt(0);
        EXPECT_EQ(item.Ctrl, &panel);
        EXPECT_EQ(typeid(*item.WndAdapter), *c.Adapter);
        EXPECT_EQ(item.SkinData->SkinSection(), c.Section);
        EXPECT_EQ(item.SkinData->HostControl(), &panel);
        EXPECT_EQ(item.SkinData->ClassCode, 227);
      }
      EXPECT_FALSE(AnswersSkinned(own));
    }
    delete &panel;
    delete &own;
  }
}

TEST_F(SkCtrlAdapterTest, EachListMakesItsAdapterAndForcesItsSection) {
  struct TRow {
    ThirdPartyList::TKind Kind;
    const std::type_info& Adapter;
    const char* Section;  // of an item attached with the section "MINE"
  };
  const TRow rows[] = {
      {ThirdPartyList::ThirdEdits, typeid(TSkEditWnd), "MINE"},
      {ThirdPartyList::ThirdButtons, typeid(TSkBtnWnd), "BUTTON"},
      {ThirdPartyList::ThirdBitBtns, typeid(TSkBitBtnWnd), "BUTTON"},
      {ThirdPartyList::ThirdCheckBoxes, typeid(TSkCheckBoxWnd), "CHECKBOX"},
      {ThirdPartyList::ThirdComboBoxes, typeid(TSkComboBoxWnd), "MINE"},
      {ThirdPartyList::ThirdGrids, typeid(TSkGridWnd), "MINE"},
      {ThirdPartyList::ThirdGroupBoxes, typeid(TSkGroupBoxWnd), "GROUPBOX"},
      {ThirdPartyList::ThirdListViews, typeid(TSkListViewWnd), "MINE"},
      {ThirdPartyList::ThirdPanels, typeid(TSkPanelWnd), "PANEL"},
      {ThirdPartyList::ThirdTreeViews, typeid(TSkTreeViewWnd), "MINE"},
      {ThirdPartyList::ThirdWWEdits, typeid(TSkWWComboBoxWnd), "MINE"},
      {ThirdPartyList::ThirdGridEh, typeid(TSkGridEhWnd), "MINE"},
      {ThirdPartyList::ThirdDataTrees, typeid(TSkDataTreeViewWnd), "MINE"},
      {ThirdPartyList::ThirdPageControl, typeid(TSkPageControlWnd), "PAGECONTROL"},
      {ThirdPartyList::ThirdTabControl, typeid(TSkTabControlWnd), "PAGECONTROL"},
      {ThirdPartyList::ThirdToolBar, typeid(TSkToolBarVCLWnd), "TOOLBAR"},
      {ThirdPartyList::ThirdStatusBar, typeid(TSkStatusBarWnd), "STATUSBAR"},
  };
  ASSERT_EQ(std::size(rows), size_t(ThirdPartyList::KindCount));
  for (const TRow& row : rows) {
    SCOPED_TRACE(row.Adapter.name());
    for (int kind = 0; kind < ThirdPartyList::KindCount; ++kind)
      manager.ThirdParty.SetNames(ThirdPartyList::TKind(kind), kind == row.Kind ? "TForeign" : " ");
    manager.Loaded();
    TForeign& control = Place();
    TSkCtrlAdapter own(provider);
    own.AttachControl(&control, "mine");

    ASSERT_EQ(own.Count(), 1);
    EXPECT_EQ(typeid(*own.ItemAt(0)->WndAdapter), row.Adapter);
    EXPECT_EQ(own.ItemAt(0)->SkinData->SkinSection(), row.Section);
    EXPECT_EQ(own.ItemAt(0)->WndAdapter->Handle, control.Handle());
  }
}

TEST_F(SkCtrlAdapterTest, RefusedControlsGetNoItemByEitherPath) {
  List(ThirdPartyList::ThirdPanels, "TForeign");
  struct TCase {
    const char* Name;
    std::function<void(TForeign&)> Prepare;
    bool Skinnable;  // OnSkinItem is asked for foreign controls only when they are added
  };
  const TCase cases[] = {
      {"tagged -98", [](TForeign& c) { c.Tag = -98; }, false},
      {"without a handle",
       [](TForeign& c) {
         c.Hide();
         c.DestroyHandle();
       },
       false},
      {"skinned already", [](TForeign& c) { AnswerSkinCommand(c, scIsSkinnable, 1); }, false},
      {"refused by OnSkinItem",
       [this](TForeign&) {
         provider->OnSkinItem = [](TComponent*, bool& canBeAdded, std::string&) { canBeAdded = false; };
       },
       true},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    TForeign& control = Place();
    c.Prepare(control);
    EXPECT_EQ(adapter.IsSkinnable(&control), c.Skinnable);
    adapter.AttachAll();
    adapter.AttachControl(&control, "EDIT");
    EXPECT_EQ(adapter.Count(), 0);
    provider->OnSkinItem = nullptr;
    delete &control;
  }
}

TEST_F(SkCtrlAdapterTest, OnSkinItemNamesTheSectionAndSeesEveryControlOnce) {
  List(ThirdPartyList::ThirdEdits, "TForeign");
  TForeign& first = Place();
  TForeign& second = Place(nullptr, 100);
  std::vector<std::string> presets;
  provider->OnSkinItem = [&](TComponent* item, bool&, std::string& section) {
    presets.push_back(section);
    if (item == &second) section = "Panel";
  };
  adapter.AttachAll();

  // Asked when added, with the walk's section; the second visit through
  // the form's child list finds them skinned.
  EXPECT_EQ(presets, (std::vector<std::string>{"EDIT", "EDIT"}));
  EXPECT_EQ(ItemOf(first)->SkinData->SkinSection(), "EDIT");
  EXPECT_EQ(ItemOf(second)->SkinData->SkinSection(), "PANEL");
}

TEST_F(SkCtrlAdapterTest, AFrameGetsAFrameAdapterAndIsAskedTwice) {
  auto* frame = new TFrame(form);
  frame->SetBounds(10, 10, 200, 100);
  frame->SetParent(form);
  int asked = 0;
  provider->OnSkinItem = [&](TComponent* item, bool&, std::string&) { asked += item == frame; };
  adapter.AttachAll();

  EXPECT_EQ(asked, 2) << "whether it is skinnable, and again when added";
  EXPECT_EQ(adapter.Count(), 0);
  ASSERT_EQ(frame->ComponentCount(), 1);
  auto* frameAdapter = dynamic_cast<TSkinFrameAdapter*>(frame->Components(0));
  ASSERT_NE(frameAdapter, nullptr);
  EXPECT_EQ(frameAdapter->SkinData().SkinSection(), "GROUPBOX");
}

// ---------------------------------------------------------------- the walk

TEST_F(SkCtrlAdapterTest, AWalkAskedForDuringAWalkReturnsAtOnceEvenAfterANestedOne) {
  List(ThirdPartyList::ThirdPanels, "TPanel");
  TPanel& outer = Place<TPanel>();
  Place<TPanel>(&outer);  // walked within outer's own walk
  TPanel& after = Place<TPanel>(nullptr, 200);
  int asked = 0;
  int askedWithin = 0;
  bool inner = false;
  provider->OnSkinItem = [&](TComponent* item, bool&, std::string&) {
    if (inner) {
      ++askedWithin;
      return;
    }
    ++asked;
    if (item != &after) return;
    inner = true;
    adapter.AttachAll();
    inner = false;
  };
  adapter.AttachAll();

  EXPECT_EQ(askedWithin, 0) << "the nested call walked again";
  EXPECT_EQ(adapter.Count(), 3);
  EXPECT_FALSE(AttachAllRunning);
  EXPECT_GT(asked, 0);
}

TEST_F(SkCtrlAdapterTest, AFailingWalkLeavesLaterWalksFree) {
  List(ThirdPartyList::ThirdPanels, "TPanel");
  Place<TPanel>();
  provider->OnSkinItem = [](TComponent*, bool&, std::string&) { throw std::runtime_error("refused"); };
  EXPECT_THROW(adapter.AttachAll(), std::runtime_error);
  EXPECT_FALSE(AttachAllRunning);
  provider->OnSkinItem = nullptr;
  adapter.AttachAll();
  EXPECT_EQ(adapter.Count(), 1);
}

// ---------------------------------------------------------------- refreshing and dropping items

TEST_F(SkCtrlAdapterTest, AttachingALiveItemChangesOnlyItsSectionAndADeadOneIsAttachedAnew) {
  List(ThirdPartyList::ThirdEdits, "TForeign");
  TForeign& control = Place();
  adapter.AttachControl(&control, "EDIT");
  ASSERT_EQ(adapter.Count(), 1);
  const TSkMainWnd* first = adapter.ItemAt(0)->WndAdapter.get();

  // Without an active skin the control no longer answers as skinned.
  manager.SetActive(false);
  adapter.AttachControl(&control, "Mine");
  ASSERT_EQ(adapter.Count(), 1);
  EXPECT_EQ(adapter.ItemAt(0)->WndAdapter.get(), first);
  EXPECT_EQ(adapter.ItemAt(0)->SkinData->SkinSection(), "MINE");

  manager.SetActive(true);
  control.RecreateWnd();
  ASSERT_TRUE(adapter.ItemAt(0)->WndAdapter->Detached);
  adapter.AttachControl(&control, "EDIT");
  ASSERT_EQ(adapter.Count(), 1);
  EXPECT_FALSE(adapter.ItemAt(0)->WndAdapter->Detached);
  EXPECT_EQ(adapter.ItemAt(0)->WndAdapter->Handle, control.Handle());
  EXPECT_TRUE(AnswersSkinned(control));
}

TEST_F(SkCtrlAdapterTest, AdjacentDeadItemsGoInOneDropKeepingTheOthersOrder) {
  const std::vector<TForeign*> controls = AttachForeign(4);
  controls[1]->RecreateWnd();
  controls[2]->RecreateWnd();
  adapter.DropDeadItems();

  ASSERT_EQ(adapter.Count(), 2);
  EXPECT_EQ(adapter.ItemAt(0)->Ctrl, controls[0]);
  EXPECT_EQ(adapter.ItemAt(1)->Ctrl, controls[3]);
}

TEST_F(SkCtrlAdapterTest, DetachingAnItemGivesItsWindowBackAndMovesTheLastInto) {
  const std::vector<TForeign*> controls = AttachForeign(3);
  adapter.DetachItem(-1);
  adapter.DetachItem(3);
  EXPECT_EQ(adapter.Count(), 3);
  EXPECT_EQ(adapter.ItemAt(3), nullptr);
  EXPECT_EQ(adapter.ItemAt(-1), nullptr);

  adapter.DetachItem(0);
  ASSERT_EQ(adapter.Count(), 2);
  EXPECT_EQ(adapter.ItemAt(0)->Ctrl, controls[2]);
  EXPECT_EQ(adapter.ItemAt(1)->Ctrl, controls[1]);
  EXPECT_FALSE(AnswersSkinned(*controls[0]));
}

TEST_F(SkCtrlAdapterTest, ReleasingTheAdapterGivesEveryWindowBackInOneBulkRelease) {
  List(ThirdPartyList::ThirdEdits, "TForeign");
  TForeign& a = Place();
  TForeign& b = Place(nullptr, 100);
  {
    TSkCtrlAdapter own(provider);
    own.AttachAll();
    ASSERT_EQ(own.Count(), 2);

    DetachAllRunning = true;  // a release already under way
    own.DetachAll();
    EXPECT_EQ(own.Count(), 2);
    DetachAllRunning = false;
  }
  EXPECT_FALSE(DetachAllRunning);
  EXPECT_FALSE(AnswersSkinned(a));
  EXPECT_FALSE(AnswersSkinned(b));
  SendMessage(a.Handle(), WM_PROBE, 0, 0);
  EXPECT_EQ(a.Probes, 1) << "the control's own procedure answers again";
}

// ---------------------------------------------------------------- telling every item

// A receiver whose window fails on probes before its control hears them.
WNDPROC ControlProcedure = nullptr;
LRESULT FailingProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_PROBE) throw std::runtime_error("receiver failed");
  return CallWindowProc(ControlProcedure, window, message, wParam, lParam);
}

TEST_F(SkCtrlAdapterTest, SendToAllReachesLiveItemsAndEndsQuietlyAtAFailingOne) {
  const std::vector<TForeign*> controls = AttachForeign(4);
  controls[1]->RecreateWnd();  // dead: not told
  TMessage probe{WM_PROBE, 0, 0, 0};
  adapter.SendToAll(probe);
  EXPECT_EQ(controls[0]->Probes, 1);
  EXPECT_EQ(controls[1]->Probes, 0);
  EXPECT_EQ(controls[3]->Probes, 1);

  ControlProcedure = reinterpret_cast<WNDPROC>(
      SetWindowLongPtr(controls[2]->Handle(), GWL_WNDPROC, reinterpret_cast<LONG_PTR>(&FailingProcedure)));
  EXPECT_NO_THROW(adapter.SendToAll(probe));
  EXPECT_EQ(controls[0]->Probes, 2);
  EXPECT_EQ(controls[3]->Probes, 1) << "the round ended at the failing receiver";
  SetWindowLongPtr(controls[2]->Handle(), GWL_WNDPROC, reinterpret_cast<LONG_PTR>(ControlProcedure));
}

// ---------------------------------------------------------------- under a real provider

class ProviderControlAdapterTest : public SkinnedFormFixture {
protected:
  ProviderControlAdapterTest() {
    form->SetBorderStyle(bsSizeable);
    form->HandleNeeded();
  }
};

TEST_F(ProviderControlAdapterTest, ASkinnedFormsListedControlsAreTakenOverUntilTheSkinGoes) {
  manager.ThirdParty.SetNames(ThirdPartyList::ThirdPanels, "TPanel");
  manager.Loaded();
  auto* panel = new TPanel(form);
  panel->SetParent(form);
  auto* label = new TLabel(form);
  label->SetParent(form);
  auto* provider = new TSkinProvider(form);
  int asked = 0;
  provider->OnSkinItem = [&](TComponent*, bool&, std::string&) { ++asked; };

  LoadAndAnnounce();
  ASSERT_NE(provider->ControlAdapter, nullptr);
  EXPECT_EQ(provider->ControlAdapter->Count(), 1);
  EXPECT_TRUE(AnswersSkinned(*panel));
  EXPECT_TRUE(label->Transparent());
  EXPECT_GT(asked, 0);

  SwitchOff();
  EXPECT_EQ(provider->ControlAdapter, nullptr);
  EXPECT_FALSE(AnswersSkinned(*panel));
}

// ---------------------------------------------------------------- the foreign combo adapter

TEST_F(SkCtrlAdapterTest, TheForeignComboShowsItsButtonUnlessAPlainComboSaysOtherwise) {
  struct TCase {
    const char* Name;
    std::function<TWinControl&()> Make;
    bool RightToLeft;
    bool Button;
  };
  auto combo = [this](TComboBoxStyle style) -> std::function<TWinControl&()> {
    return [this, style]() -> TWinControl& {
      auto& box = Place<TComboBox>();
      box.SetStyle(style);
      return box;
    };
  };
  const TCase cases[] = {
      {"drop-down", combo(csDropDown), false, true},
      {"drop-down list", combo(csDropDownList), false, true},
      {"owner drawn", combo(csOwnerDrawFixed), false, false},
      {"foreign", [this]() -> TWinControl& { return Place(); }, false, true},
      {"foreign, right to left", [this]() -> TWinControl& { return Place(); }, true, true},
  };
  const int arrow = GetSystemMetrics(SM_CXVSCROLL);
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    TWinControl& control = c.Make();
    if (c.RightToLeft)
      SetWindowLongPtr(control.Handle(), GWL_EXSTYLE, GetWindowLongPtr(control.Handle(), GWL_EXSTYLE) | WS_EX_RTLREADING);
    auto wnd = TSkMainWnd::Make<TSkWWComboBoxWnd>(control.Handle(), nullptr, &manager, "EDIT", false, control);
    TRect window;
    GetWindowRect(control.Handle(), window);
    const int width = c.Button ? arrow : 0;
    const int left = c.RightToLeft ? 2 : window.Width() - width - 2;
    EXPECT_EQ(wnd->ShowsButton, c.Button);
    EXPECT_EQ(wnd->ButtonRect(), (TRect{left, 2, left + width, window.Height() - 2}));
  }
}

}  // namespace
