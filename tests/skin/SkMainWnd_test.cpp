// The window adapter framework: taking windows over and giving them back
// in any order, passing messages on untouched without an active skin, and
// the skin commands it answers under the test skin.

#include "skin/adapters/SkMainWnd.h"

#include <gtest/gtest.h>

#include "skin/ControlRoutines.h"
#include "skin/SkinCommonData.h"
#include "skin/SkinGlobals.h"
#include "skin/forms/SkinProvider.h"
#include "tests/skin/BitmapBytes.h"
#include "tests/skin/MessageSpy.h"
#include "tests/skin/SkinFixture.h"
#include "tests/skin/TestSkinFixture.h"
#include "tests/toolkit/FormFixture.h"
#include "tests/toolkit/ProtocolFakes.h"
#include "toolkit/controls/Application.h"
#include "toolkit/controls/Panel.h"
#include "toolkit/controls/ScrollBox.h"
#include "toolkit/gdi/Canvas.h"
#include "toolkit/win/MessageQueue.h"

namespace {

// How often a descendant's look slots ran: the virtual constructor and
// Destroy must reach the overrides.
struct TLookCalls {
  int Stored = 0;
  int Restored = 0;
};

class TCountingAdapter : public TSkMainWnd {
public:
  explicit TCountingAdapter(TLookCalls& calls) : calls_(calls) {}
  void StoreStdLook() override { ++calls_.Stored; }
  void RestoreStdLook() override { ++calls_.Restored; }

private:
  TLookCalls& calls_;
};

struct TThemeCall {
  HWND Window;
  bool Off;  // " ", " " turns visual styles off; nil, nil gives them back
};
std::vector<TThemeCall> ThemeCalls;
long RecordThemeCall(HWND window, const char* subAppName, const char* subIdList) {
  EXPECT_EQ(subAppName == nullptr, subIdList == nullptr);
  ThemeCalls.push_back({window, subAppName != nullptr});
  return 0;
}

// Takes its form's window method over as a form provider does, and gives it back when freed.
class TTakingProvider : public TSkinProvider {
public:
  explicit TTakingProvider(TForm* form) : TSkinProvider(form, TBare{}), data_(this, false) {
    saved_ = form->WindowProc.Current();
    form->WindowProc = TWndHandler::OfMethod(&Pass, this);
  }
  ~TTakingProvider() override { Form()->WindowProc = saved_; }
  TSkinCommonData& SkinData() const override { return data_; }
  void RebuildRegionAndCaches() override {}

private:
  static void Pass(TObject* self, TMessage& message) { static_cast<TTakingProvider*>(self)->saved_(message); }

  mutable TSkinCommonData data_;
  TWndMethodRef saved_;
};

}  // namespace

class AdapterTest : public FormFixture {
protected:
  AdapterTest() { ResetSkinLayerGlobals(); }
  ~AdapterTest() override {
    ResetSkinLayerGlobals();
    SetWindowThemeProc = nullptr;
    ThemeCalls.clear();
  }

  template <class Control = TScrollBox>
  Control* NewControl() {
    auto* control = new Control(form);
    control->SetParent(form);
    control->SetBounds(10, 10, 120, 80);
    return control;
  }
  TProtocolFake NewEdit() { return TProtocolFake("edit", form->Handle(), Bounds(20, 20, 100, 24)); }
};

// ---------------------------------------------------------------- taking over and giving back

TEST_F(AdapterTest, ControlHostingTheSkinDataKeepsItsProcedureAndGetsItsMethodBack) {
  auto* box = NewControl();
  const HWND handle = box->Handle();
  const LONG_PTR procedure = GetWindowLongPtr(handle, GWL_WNDPROC);
  const TMethod own = box->WindowProc.Method();
  TSkinCommonData data(box, true);
  auto adapter = TSkMainWnd::Make(handle, &data, nullptr, "PANEL", false);

  EXPECT_EQ(GetWindowLongPtr(handle, GWL_WNDPROC), procedure);
  EXPECT_EQ(box->WindowProc.Method().Data, adapter.get());
  EXPECT_EQ(GetProp(handle, AdapterProperty), adapter.get());
  EXPECT_EQ(adapter->TakeoverTarget(), box);
  EXPECT_TRUE(box->ControlStyle & csOpaque);

  adapter.reset();
  EXPECT_EQ(box->WindowProc.Method(), own);
  EXPECT_EQ(GetProp(handle, AdapterProperty), nullptr);
  EXPECT_EQ(GetWindowLongPtr(handle, GWL_WNDPROC), procedure);
}

TEST_F(AdapterTest, RawWindowIsSubclassedThroughAStubAndGivenBack) {
  TProtocolFake edit = NewEdit();
  const HWND handle = edit.Handle();
  const LONG_PTR classProcedure = GetWindowLongPtr(handle, GWL_WNDPROC);
  auto adapter = TSkMainWnd::Make(handle, nullptr, nullptr, "EDIT", false);

  EXPECT_EQ(GetWindowLongPtr(handle, GWL_WNDPROC), reinterpret_cast<LONG_PTR>(adapter->WndProcStub));
  EXPECT_EQ(adapter->PrevWndProc, reinterpret_cast<WNDPROC>(classProcedure));
  EXPECT_TRUE(adapter->OwnsSkinData);
  EXPECT_EQ(adapter->SkinData->SkinSection(), "EDIT");

  adapter.reset();
  EXPECT_EQ(GetWindowLongPtr(handle, GWL_WNDPROC), classProcedure);
  EXPECT_EQ(GetProp(handle, AdapterProperty), nullptr);
}

// The toolkit holds 256 stubs: a stub kept after its window went would run out.
TEST_F(AdapterTest, ThousandAttachDestroyCyclesLeakNoStub) {
  for (int cycle = 0; cycle < 1000; ++cycle) {
    TProtocolFake edit = NewEdit();
    auto adapter = TSkMainWnd::Make(edit.Handle(), nullptr, nullptr, "EDIT", false);
    DestroyWindow(edit.Handle());
    ASSERT_TRUE(adapter->Detached) << "cycle " << cycle;
  }
}

TEST_F(AdapterTest, WindowsAreDetachedWhenDestroyed) {
  TProtocolFake edit = NewEdit();
  auto raw = TSkMainWnd::Make(edit.Handle(), nullptr, nullptr, "EDIT", false);
  auto* box = NewControl();
  TSkinCommonData data(box, true);
  auto hosted = TSkMainWnd::Make(box->Handle(), &data, nullptr, "PANEL", false);
  const TMethod adapterMethod = box->WindowProc.Method();

  DestroyWindow(edit.Handle());
  box->DestroyHandle();

  EXPECT_TRUE(raw->Detached);
  EXPECT_EQ(edit.Count(WM_DESTROY), 1u) << "the destroy message still reaches the window";
  EXPECT_TRUE(hosted->Detached);
  EXPECT_NE(box->WindowProc.Method(), adapterMethod);
}

TEST_F(AdapterTest, TwoAdaptersOnOneControlAreGivenBackInEitherOrder) {
  for (const bool firstGoesFirst : {true, false}) {
    auto* box = NewControl<TSpied<TScrollBox>>();
    const TMethod own = box->WindowProc.Method();
    TSkinCommonData data(box, true);
    auto first = TSkMainWnd::Make(box->Handle(), &data, nullptr, "PANEL", false);
    auto second = TSkMainWnd::Make(box->Handle(), &data, nullptr, "PANEL", false);

    (firstGoesFirst ? first : second).reset();
    box->Perform(WM_USER + 1, 0, 0);
    EXPECT_TRUE(box->HasReached(WM_USER + 1)) << "through the adapter left, to the control";
    (firstGoesFirst ? second : first).reset();

    EXPECT_EQ(box->WindowProc.Method(), own) << (firstGoesFirst ? "first freed first" : "second freed first");
    delete box;
  }
}

// Every order of giving back: the adapters left must still reach the class procedure.
TEST_F(AdapterTest, ThreeAdaptersOnARawWindowAreGivenBackInAnyOrder) {
  for (const std::string order : {"012", "021", "102", "120", "201", "210"}) {
    TProtocolFake edit = NewEdit();
    const LONG_PTR classProcedure = GetWindowLongPtr(edit.Handle(), GWL_WNDPROC);
    TSkAdapterPtr<> adapters[3];
    for (auto& adapter : adapters) adapter = TSkMainWnd::Make(edit.Handle(), nullptr, nullptr, "EDIT", false);
    for (const char index : order) {
      adapters[index - '0'].reset();
      const size_t before = edit.Count(WM_USER + 3);
      SendMessage(edit.Handle(), WM_USER + 3, 0, 0);
      EXPECT_EQ(edit.Count(WM_USER + 3), before + 1) << "order " << order << " after freeing " << index;
    }
    EXPECT_EQ(GetWindowLongPtr(edit.Handle(), GWL_WNDPROC), classProcedure) << "order " << order;
  }
}

TEST_F(AdapterTest, ProviderFormAndItsAdapterAreGivenBackInEitherOrder) {
  for (const bool providerGoesFirst : {true, false}) {
    auto* other = new TForm(nullptr);
    const TMethod own = other->WindowProc.Method();
    auto* provider = new TTakingProvider(other);
    TSkinCommonData data(provider, true);
    auto adapter = TSkMainWnd::Make(other->Handle(), &data, nullptr, "FORM", false);
    EXPECT_EQ(adapter->TakeoverTarget(), other);

    if (providerGoesFirst) {
      delete provider;
      EXPECT_EQ(other->Perform(WM_GETTEXTLENGTH, 0, 0), 0) << "the adapter calls past the freed provider";
      adapter.reset();
    } else {
      adapter.reset();
      delete provider;
    }
    EXPECT_EQ(other->WindowProc.Method(), own) << (providerGoesFirst ? "provider freed first" : "adapter freed first");
    delete other;
  }
}

TEST_F(AdapterTest, HostControlFreedFirstLeavesTheAdapterSafeToFree) {
  auto* box = NewControl();
  TSkinCommonData data(box, true);
  auto adapter = TSkMainWnd::Make(box->Handle(), &data, nullptr, "PANEL", false);
  delete box;
  EXPECT_TRUE(adapter->Detached);
  EXPECT_EQ(adapter->TakeoverTarget(), nullptr);
  adapter.reset();
}

// Freed while the control adapter releases all at once, an adapter gives
// back a window that still exists but leaves its look alone.
TEST_F(AdapterTest, DescendantsLookSlotsRunAndBulkReleaseSparesTheLook) {
  SetWindowThemeProc = &RecordThemeCall;
  for (const bool bulk : {false, true}) {
    TProtocolFake edit = NewEdit();
    const LONG_PTR classProcedure = GetWindowLongPtr(edit.Handle(), GWL_WNDPROC);
    TLookCalls calls;
    auto adapter = TSkMainWnd::Make<TCountingAdapter>(edit.Handle(), nullptr, nullptr, "EDIT", false, calls);
    EXPECT_EQ(calls.Stored, 1);
    ThemeCalls.clear();
    DetachAllRunning = bulk;
    adapter.reset();
    DetachAllRunning = false;
    EXPECT_EQ(calls.Restored, bulk ? 0 : 1) << (bulk ? "bulk" : "single");
    EXPECT_EQ(ThemeCalls.size(), bulk ? 0u : 1u) << (bulk ? "bulk" : "single");
    EXPECT_EQ(GetWindowLongPtr(edit.Handle(), GWL_WNDPROC), classProcedure) << (bulk ? "bulk" : "single");
  }
}

TEST_F(AdapterTest, SectionDialogLeavesVisualStylesOnAndAGivenSectionIsKept) {
  SetWindowThemeProc = &RecordThemeCall;
  TProtocolFake dialogChild = NewEdit();
  auto dialog = TSkMainWnd::Make(dialogChild.Handle(), nullptr, nullptr, "DIALOG", false);
  EXPECT_TRUE(ThemeCalls.empty());

  TProtocolFake edit = NewEdit();
  TSkinCommonData data(nullptr, true);
  data.SetSkinSection("BUTTON");
  auto adapter = TSkMainWnd::Make(edit.Handle(), &data, nullptr, "EDIT", false);
  ASSERT_EQ(ThemeCalls.size(), 1u);
  EXPECT_EQ(ThemeCalls[0].Window, edit.Handle());
  EXPECT_TRUE(ThemeCalls[0].Off);
  EXPECT_EQ(data.SkinSection(), "BUTTON");

  adapter.reset();
  ASSERT_EQ(ThemeCalls.size(), 2u);
  EXPECT_FALSE(ThemeCalls[1].Off) << "visual styles back when freed";
}

// ---------------------------------------------------------------- without an active manager

TEST_F(AdapterTest, WithoutAManagerMessagesPassOnWithTheirResults) {
  TFakeState state;
  state.SelStart = 2;
  state.SelEnd = 5;
  TProtocolFake plain("edit", form->Handle(), Bounds(20, 20, 100, 24), state);
  TProtocolFake adapted("edit", form->Handle(), Bounds(20, 60, 100, 24), state);
  SetWindowText(plain.Handle(), "abc");
  SetWindowText(adapted.Handle(), "abc");
  auto adapter = TSkMainWnd::Make(adapted.Handle(), nullptr, nullptr, "EDIT", false);

  const TMessage cases[] = {
      {EM_GETSEL, 0, 0},
      {WM_GETTEXTLENGTH, 0, 0},
      {SM_SKINCMD, SkinCommand(scIsSkinnable), 0},
      {SM_SKINCMD, SkinCommand(scGetColor), 0},
      {WM_SIZE, 0, MAKELONG(100, 24)},
      {WM_MOUSEMOVE, 0, MAKELONG(3, 4)},
      {WM_USER + 7, 1, 2},
  };
  for (const TMessage& m : cases) {
    const size_t before = adapted.Count(m.Msg);
    EXPECT_EQ(SendMessage(adapted.Handle(), m.Msg, m.WParam, m.LParam),
              SendMessage(plain.Handle(), m.Msg, m.WParam, m.LParam))
        << "message " << m.Msg;
    EXPECT_EQ(adapted.Count(m.Msg), before + 1) << "message " << m.Msg;
  }
}

TEST_F(AdapterTest, SetTextReachesTheWindowOnceAndTheTextFollows) {
  TProtocolFake edit = NewEdit();
  auto adapter = TSkMainWnd::Make(edit.Handle(), nullptr, nullptr, "EDIT", false);
  SetWindowText(edit.Handle(), "new text");
  EXPECT_EQ(edit.Count(WM_SETTEXT), 1u);
  EXPECT_EQ(adapter->WndText, "new text");
}

TEST_F(AdapterTest, PrintBecomesPaintWithTheSameDCAndUIStateIsSwallowed) {
  TProtocolFake edit = NewEdit();
  auto adapter = TSkMainWnd::Make(edit.Handle(), nullptr, nullptr, "EDIT", false);
  TBitmap target(100, 24, pf24bit);
  const auto dc = reinterpret_cast<WPARAM>(target.Canvas().Handle());

  SendMessage(edit.Handle(), WM_PRINT, dc, PRF_CLIENT);
  SendMessage(edit.Handle(), WM_UPDATEUISTATE, 0, 0);

  EXPECT_EQ(edit.Count(WM_PRINT), 0u);
  const auto paint = std::find_if(edit.Received.begin(), edit.Received.end(),
                                  [](const TMessage& m) { return m.Msg == WM_PAINT; });
  ASSERT_NE(paint, edit.Received.end());
  EXPECT_EQ(paint->WParam, dc);
  EXPECT_EQ(edit.Count(WM_UPDATEUISTATE), 0u);
}

// ---------------------------------------------------------------- under the test skin

class AdapterSkinTest : public TestSkinFixture {
protected:
  ~AdapterSkinTest() override { delete form; }

  LRESULT SendSub(HWND window, WORD sub, LPARAM lParam = 0) {
    return SendMessage(window, SM_SKINCMD, SkinCommand(sub), lParam);
  }
  size_t SkinCommandsReached(const TProtocolFake& fake, WORD sub) {
    return size_t(std::count_if(fake.Received.begin(), fake.Received.end(), [sub](const TMessage& m) {
      return m.Msg == SM_SKINCMD && SubCommandOf(m.WParam) == sub;
    }));
  }

  // Shown before its children come: a change of border style makes its window anew.
  static TForm* NewForm() {
    auto* form = new TForm(nullptr);
    form->SetBorderStyle(bsNone);
    form->SetBounds(10, 10, 300, 200);
    form->Show();
    return form;
  }

  TForm* form = NewForm();
  TProtocolFake edit{"edit", form->Handle(), Bounds(20, 20, 60, 30)};
  TSkinCommonData data{nullptr, true};
};

TEST_F(AdapterSkinTest, AnswersOfItsOwn) {
  auto adapter = TSkMainWnd::Make(edit.Handle(), &data, nullptr, "EDIT", false);
  EXPECT_EQ(SendSub(edit.Handle(), scIsSkinnable), 1);
  data.PaintSuspended = true;
  EXPECT_EQ(SendSub(edit.Handle(), scIsPaintingSuspended), 1);
  EXPECT_EQ(SendSub(edit.Handle(), scGetApplication), reinterpret_cast<LRESULT>(&Application()));
  EXPECT_EQ(SkinCommandsReached(edit, scIsSkinnable) + SkinCommandsReached(edit, scIsPaintingSuspended) +
                SkinCommandsReached(edit, scGetApplication),
            0u);
}

TEST_F(AdapterSkinTest, MouseMovesMakeTheWindowHotOnce) {
  auto adapter = TSkMainWnd::Make(edit.Handle(), &data, nullptr, "EDIT", false);
  SendMessage(edit.Handle(), WM_MOUSEMOVE, 0, MAKELONG(3, 3));
  SendMessage(edit.Handle(), WM_MOUSEMOVE, 0, MAKELONG(4, 3));
  EXPECT_EQ(SkinCommandsReached(edit, scMouseEntered), 1u);
  EXPECT_EQ(edit.Count(WM_MOUSEMOVE), 2u);
}

TEST_F(AdapterSkinTest, ColourAsksTheReplacedProcedureFirst) {
  for (const LRESULT answer : {LRESULT(0), LRESULT(0x123456)}) {
    auto* box = new TScrollBox(form);
    box->SetParent(form);
    TSkinCommonData hosted(box, true);
    if (answer) AnswerSkinCommand(*box, scGetColor, answer);
    auto adapter = TSkMainWnd::Make(box->Handle(), &hosted, nullptr, "EDIT", false);
    EXPECT_EQ(box->Perform(SM_SKINCMD, SkinCommand(scGetColor), 0), answer ? answer : 0xE0F0F0)
        << "the replaced procedure answers " << answer;
    adapter.reset();
    delete box;
  }
}

TEST_F(AdapterSkinTest, BackgroundRequestIsAnsweredFromTheCache) {
  auto adapter = TSkMainWnd::Make(edit.Handle(), &data, nullptr, "EDIT", false);
  TBackdropQuery query;
  SendSub(edit.Handle(), scGetBackdrop, reinterpret_cast<LPARAM>(&query));
  EXPECT_EQ(query.Kind, bkColor);
  EXPECT_EQ(query.Color, 0xE0F0F0u);
  EXPECT_EQ(query.Bmp, data.CacheBitmap());
  EXPECT_EQ(SkinCommandsReached(edit, scGetBackdrop), 0u);
}

TEST_F(AdapterSkinTest, RefreshFromItsManagerResolvesAndPaintsFromAnotherPassesOn) {
  auto adapter = TSkMainWnd::Make(edit.Handle(), &data, nullptr, "EDIT", false);
  TSkinManager* other = reinterpret_cast<TSkinManager*>(&data);  // any other sender
  data.SectionIndex = -1;
  data.PaintSuspended = true;

  SendSub(edit.Handle(), scSkinChanged, reinterpret_cast<LPARAM>(other));
  EXPECT_EQ(data.SectionIndex, -1);
  EXPECT_EQ(SkinCommandsReached(edit, scSkinChanged), 1u);
  EXPECT_EQ(edit.Count(WM_PAINT), 0u);

  SendSub(edit.Handle(), scSkinChanged, reinterpret_cast<LPARAM>(&manager));
  EXPECT_EQ(data.SectionIndex, Section("EDIT"));
  EXPECT_FALSE(data.PaintSuspended);
  EXPECT_EQ(SkinCommandsReached(edit, scSkinChanged), 1u) << "not passed on";
  EXPECT_EQ(edit.Count(WM_PAINT), 1u);
}

// A new skin and the skin's removal are acted on only from the own
// manager, and go on to the window either way.
TEST_F(AdapterSkinTest, NewSkinAndRemovalFromItsManagerOnly) {
  TLookCalls calls;
  auto adapter = TSkMainWnd::Make<TCountingAdapter>(edit.Handle(), &data, nullptr, "EDIT", false, calls);
  for (const bool own : {false, true}) {
    const auto sender = own ? reinterpret_cast<LPARAM>(&manager) : LPARAM(1);
    data.SectionIndex = -1;
    data.CacheStale = false;
    SendSub(edit.Handle(), scSkinApplied, sender);
    SendSub(edit.Handle(), scSkinRemoved, sender);
    EXPECT_EQ(data.SectionIndex, own ? Section("EDIT") : -1) << (own ? "own" : "other");
    EXPECT_EQ(data.CacheStale, own) << (own ? "own" : "other");
    EXPECT_EQ(calls.Restored, own ? 1 : 0) << (own ? "own" : "other");
  }
  EXPECT_EQ(SkinCommandsReached(edit, scSkinApplied), 2u);
  EXPECT_EQ(SkinCommandsReached(edit, scSkinRemoved), 2u);
}

TEST_F(AdapterSkinTest, ClientOffsetOfTheParentReducesThePlaceInIt) {
  auto* panel = new TPanel(form);
  panel->SetParent(form);
  panel->SetBounds(30, 40, 150, 100);
  TProtocolFake child("edit", panel->Handle(), Bounds(10, 20, 50, 24));
  auto adapter = TSkMainWnd::Make(child.Handle(), nullptr, nullptr, "EDIT", false);
  ReadWindowGeometry(*adapter);
  const TPoint plain = adapter->PosInParent;
  EXPECT_EQ(adapter->ParentHandle, panel->Handle());
  EXPECT_EQ(adapter->WndSize, (TSize{50, 24}));

  AnswerSkinCommand(*panel, scGetClientOffset, MAKELONG(3, 5));
  ReadWindowGeometry(*adapter);
  EXPECT_EQ(adapter->PosInParent, (TPoint{plain.X - 3, plain.Y - 5}));
}

TEST_F(AdapterSkinTest, DialogModeWithABorderColourPaintsAWindowColourAndAFrame) {
  manager.GlobalInfo.BorderColor = 0x0000FF;
  DialogModeActive = true;
  auto adapter = TSkMainWnd::Make(edit.Handle(), &data, nullptr, "EDIT", false);
  ASSERT_TRUE(adapter->DialogMode);

  SendSub(edit.Handle(), scPaintBackdropToCache);

  TBitmap& cache = *data.CacheBitmap();
  ASSERT_EQ(cache.Width(), 60);
  ASSERT_EQ(cache.Height(), 30);
  EXPECT_FALSE(data.CacheStale);
  for (const TPoint frame : {TPoint{0, 0}, TPoint{59, 29}, TPoint{30, 0}, TPoint{0, 15}})
    EXPECT_EQ(BytesColor(cache, frame.X, frame.Y), 0x0000FFu) << frame.X << "," << frame.Y;
  EXPECT_EQ(BytesColor(cache, 1, 1), ColorToRGB(clWindow));
  EXPECT_EQ(BytesColor(cache, 30, 15), ColorToRGB(clWindow));
}

// ---------------------------------------------------------------- helpers

using AdapterHelpersTest = SkinFixture;

// The borders mask's magenta corner pixels take the parent's colour; the
// others keep the cache's.
TEST_F(AdapterHelpersTest, TransparentCornersTakeTheParentsBackground) {
  auto master = FilledBitmap(12, 6, 0x404040);
  SetBytesColor(*master, 0, 0, clSkinKey);   // top left
  SetBytesColor(*master, 11, 5, clSkinKey);  // bottom right
  SetBytesColor(*master, 10, 5, clSkinKey);
  manager.SetMasterBitmap(std::move(master));
  const int maskIndex = manager.AddMask("EDIT", "BORDERSMASK", {0, 0, 12, 6}, 1, 0, {2, 2, 2, 2});
  form->WindowProc = [this](TMessage& message) {
    if (message.Msg == SM_SKINCMD && SubCommandOf(message.WParam) == scGetBackdrop) {
      auto& query = *reinterpret_cast<TBackdropQuery*>(message.LParam);
      query.Kind = bkColor;
      query.Color = 0x00FF00;
    } else {
      form->WndProc(message);
    }
  };
  TProtocolFake edit("edit", form->Handle(), Bounds(20, 20, 30, 16));
  TSkinCommonData data(nullptr, true);
  auto adapter = TSkMainWnd::Make(edit.Handle(), &data, &manager, "EDIT", false);
  data.BorderMaskIndex = maskIndex;
  ReadWindowGeometry(*adapter);
  data.CacheBitmap()->SetSize(30, 16);
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 30; ++x) SetBytesColor(*data.CacheBitmap(), x, y, 0x123456);

  FillTransparentCorners(data, 0, *adapter);

  TBitmap& cache = *data.CacheBitmap();
  EXPECT_EQ(BytesColor(cache, 0, 0), 0x00FF00u);
  EXPECT_EQ(BytesColor(cache, 29, 15), 0x00FF00u);
  EXPECT_EQ(BytesColor(cache, 28, 15), 0x00FF00u);
  for (const TPoint kept : {TPoint{1, 0}, TPoint{0, 15}, TPoint{29, 0}, TPoint{15, 8}})
    EXPECT_EQ(BytesColor(cache, kept.X, kept.Y), 0x123456u) << kept.X << "," << kept.Y;
}

TEST_F(AdapterHelpersTest, TopWindowAndControlByHandle) {
  auto* outer = new TPanel(form);
  outer->SetParent(form);
  auto* inner = new TScrollBox(outer);  // owned by the panel, not the form
  inner->SetParent(outer);
  auto* unshown = new TPanel(form);
  TProtocolFake child("edit", inner->Handle(), Bounds(2, 2, 40, 20));
  AnswerSkinCommand(*form, scAdaptControl, 77);

  EXPECT_EQ(SendToTopWindow(child.Handle()), 77);
  EXPECT_EQ(FindControlByHandle(inner->Handle(), form), inner);
  EXPECT_EQ(FindControlByHandle(child.Handle(), form), nullptr);
  EXPECT_FALSE(unshown->HandleAllocated()) << "looking does not make handles";
}
