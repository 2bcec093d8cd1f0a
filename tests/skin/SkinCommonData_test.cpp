#include "skin/SkinCommonData.h"

#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "skin/ControlRoutines.h"
#include "skin/SkinPanel.h"
#include "tests/skin/MessageSpy.h"
#include "tests/skin/SkinFixture.h"
#include "toolkit/controls/Panel.h"
#include "toolkit/gdi/Bitmap.h"
#include "toolkit/gdi/Canvas.h"
#include "toolkit/win/MessageQueue.h"

namespace {

// A host whose class name is its default section.
class TFooBar : public TPanel {
public:
  using TPanel::TPanel;
};

class SkinDataTest : public SkinFixture {
protected:
  // A plain panel on the form (or on parent), hosting skin data of the section "EDIT".
  TPanel* AddHost(TWinControl* parent = nullptr) {
    auto* host = new TPanel(form);
    host->SetParent(parent ? parent : form);
    host->SetBounds(10, 10, 100, 50);
    return host;
  }
  std::unique_ptr<TSkinCommonData> EditData(TObject* host) {
    auto data = std::make_unique<TSkinCommonData>(host, false);
    data->SetSkinSection("EDIT");
    return data;
  }
  LRESULT Command(TSkinCommonData& data, WORD sub, LPARAM lParam = 0, WORD lo = 0) {
    TMessage message{SM_SKINCMD, SkinCommand(sub, lo), lParam, 0};
    HandleSkinCommand(message, &data);
    return message.Result;
  }
};

TEST_F(SkinDataTest, AnEmptySectionTakesTheDefaultOfTheClassCode) {
  struct TCase {
    int ClassCode;
    const char* Section;
  };
  auto* foo = new TFooBar(form);
  for (const TCase c : {TCase{51, "PANEL"}, TCase{54, "TOOLBAR"}, TCase{2, "EDIT"}, TCase{227, "EDIT"},
                        TCase{19, "BAR"}, TCase{92, "SPEEDBUTTON"}, TCase{300, "TFOOBAR"}}) {
    TSkinCommonData data(foo, false);
    data.ClassCode = c.ClassCode;
    data.Loaded();
    EXPECT_EQ(data.SkinSection(), c.Section) << "class code " << c.ClassCode;
  }
  TSkinCommonData panelData(foo, false);
  panelData.ClassCode = 51;
  panelData.Loaded();
  EXPECT_EQ(panelData.SectionIndex, 0) << "the default section is resolved at once";
  EXPECT_TRUE(panelData.Skinned(true));
}

TEST_F(SkinDataTest, SectionNamesAreUpperCaseAndAnUnchangedOneSendsNothing) {
  TPanel* host = AddHost();
  const TSeen seen = Record(*host);
  TSkinCommonData data(host, false);
  data.SetSkinSection("toolbar");
  EXPECT_EQ(data.SkinSection(), "TOOLBAR");
  EXPECT_EQ(data.SectionIndex, 1);
  EXPECT_TRUE(HasSkinCommand(seen, scSkinChanged, reinterpret_cast<LPARAM>(&manager)));
  data.SetSkinSection("");
  EXPECT_EQ(data.SkinSection(), "UNKNOWN");
  EXPECT_EQ(data.SectionIndex, -1);
  EXPECT_TRUE(HasSkinCommand(seen, scSkinRemoved, reinterpret_cast<LPARAM>(&manager))) << "no such section";
  seen->clear();
  data.SetSkinSection("UNKNOWN");
  EXPECT_TRUE(seen->empty()) << "the stored value again";
}

TEST_F(SkinDataTest, TheDefaultManagerIsNeverStoredAsTheOwnOne) {
  TSkinCommonData data(AddHost(), false);
  data.SetSkinManager(&manager);
  EXPECT_EQ(data.SkinManager(), nullptr);
  EXPECT_FALSE(data.SkinManagerStored());
  EXPECT_EQ(data.GetSkinManager(), &manager);
}

TEST_F(SkinDataTest, AHostFailingOverItsNewManagerDoesNotStopTheAssignment) {
  TPanel* host = AddHost();
  auto data = EditData(host);
  host->WindowProc = [host](TMessage& message) {
    if (message.Msg == SM_SKINCMD) throw std::runtime_error("host failed");
    host->WndProc(message);
  };
  TTestSkinManager other;
  other.AddSection("EDIT");
  EXPECT_NO_THROW(data->SetSkinManager(&other));
  EXPECT_EQ(data->SkinManager(), &other);
  EXPECT_EQ(data->SectionIndex, 0) << "resolved in the new manager";
  host->WindowProc = [host](TMessage& message) { host->WndProc(message); };
  data->SetSkinManager(nullptr);
}

TEST_F(SkinDataTest, ArrivalChangeAndRemovalFromAnotherManagerChangeNothing) {
  TTestSkinManager other;
  auto data = EditData(AddHost());
  data->CacheStale = false;
  for (WORD sub : {scSkinApplied, scSkinRemoved, scSkinChanged}) Command(*data, sub, reinterpret_cast<LPARAM>(&other));
  EXPECT_EQ(data->SectionIndex, 2);
  EXPECT_FALSE(data->PaintSuspended);
  EXPECT_FALSE(data->CacheStale);

  Command(*data, scSkinRemoved, reinterpret_cast<LPARAM>(&manager));
  EXPECT_EQ(data->SectionIndex, -1) << "from its own manager the skin goes";
  EXPECT_TRUE(data->PaintSuspended);
  Command(*data, scSkinApplied, reinterpret_cast<LPARAM>(&manager));
  EXPECT_EQ(data->SectionIndex, 2);
}

TEST_F(SkinDataTest, QuestionsAboutPaintingAndTheSection) {
  TSkinCommonData data(AddHost(), false);
  data.SetSkinSection("PANEL");
  data.CacheStale = true;
  EXPECT_EQ(Command(data, scIsPaintingSuspended), 1);
  data.PartlyPainted = true;
  EXPECT_EQ(Command(data, scWasPartlyPainted), 1);
  EXPECT_EQ(Command(data, scGetSection), 1) << "section index 0, plus one";
  EXPECT_EQ(Command(data, scIsSkinnable), 1);
}

TEST_F(SkinDataTest, ComplexBackgroundFollowsAFullyTransparentSectionsParent) {
  TPanel* parent = AddHost();
  auto data = EditData(AddHost(parent));
  Edit().GradientPercent = 10;
  EXPECT_EQ(Command(*data, scHasComplexBackground), 1);
  Edit().GradientPercent = 0;
  Edit().Transparency = 100;
  AnswerSkinCommand(*parent, scHasComplexBackground, 3);
  ShowForm();
  EXPECT_EQ(Command(*data, scHasComplexBackground), 3);
}

TEST_F(SkinDataTest, ColourAnswersBlendTheSectionOverTheParent) {
  TPanel* parent = AddHost();
  TPanel* host = AddHost(parent);
  host->SetColor(clBtnFace);
  TSkinCommonData unskinned(host, false);
  unskinned.SetSkinSection("NOSUCHSECTION");
  EXPECT_EQ(Command(unskinned, scGetColor), LRESULT(ColorToRGB(clBtnFace)));

  auto data = EditData(host);
  Edit().Color = 0x00336699;
  EXPECT_EQ(Command(*data, scGetColor), 0x00336699);

  Edit().Transparency = 100;
  parent->SetColor(clWhite);
  AnswerSkinCommand(*parent, scGetColor, clSkinKey);
  EXPECT_EQ(Command(*data, scGetColor), 0x00FFFFFF) << "a parent without a colour gives its Color";

  Edit().Transparency = 50;
  Edit().Color = clWhite;
  parent->SetColor(clBlack);
  parent->WindowProc = [parent](TMessage& message) { parent->WndProc(message); };
  EXPECT_EQ(Command(*data, scGetColor), 0x007F7F7F) << "the painters' blend, not 205";
  EXPECT_EQ(data->ControlColor(0), 0x007F7F7FU) << "the colour a child is told is the one painted";

  Edit().Color = clBlack;
  parent->SetColor(clWhite);
  EXPECT_EQ(Command(*data, scGetColor), 0x007F7F7F) << "a plain parent, which answers 21 with 0, shows its Color";
}

TEST_F(SkinDataTest, AHalfTransparentSectionWithoutHostBlendsOverItsWindowsParent) {
  TPanel* window = AddHost();
  ShowForm();
  TComponent owner(nullptr);
  auto data = EditData(&owner);
  Edit().Transparency = 50;
  Edit().Color = clWhite;
  EXPECT_EQ(data->ControlColor(0, window->Handle()), 0x007F7F7FU) << "the form answers 21 with 0: black";
}

TEST_F(SkinDataTest, PlainBackgroundIsRecomputedAndTheChildrenAreTold) {
  auto* panel = new TSkinPanel(form);
  panel->SetParent(form);
  TPanel* child = AddHost(panel);
  const TSeen seen = Record(*child);
  ShowForm();
  TSkinCommonData& data = panel->SkinData();
  data.StateFlags = 0;
  EXPECT_EQ(Command(data, scPlainBackground, 1), sfPlainBackground) << "a plain panel section";
  EXPECT_EQ(data.StateFlags, sfPlainBackground);
  EXPECT_TRUE(HasSkinCommand(seen, scPlainBackground, 1));
}

TEST_F(SkinDataTest, WhenTheLookIsComplex) {
  TPanel* parent = AddHost();
  TPanel* host = AddHost(parent);
  ShowForm();
  struct TCase {
    int BorderSum;
    int Transparency;
    bool WithParent;
    bool Complex;
  };
  for (const TCase c : {TCase{24, 0, true, false}, TCase{25, 0, true, true}, TCase{0, 40, true, true},
                        TCase{0, 100, false, true}, TCase{0, 100, true, false}}) {
    manager.Masks.clear();
    manager.SetBorders("EDIT", {c.BorderSum - 3 * 6, 6, 6, 6, false});
    Edit().Transparency = c.Transparency;
    host->SetParent(c.WithParent ? parent : nullptr);
    AnswerSkinCommand(*parent, scPlainBackground, sfPlainBackground);
    auto data = EditData(host);
    EXPECT_EQ(data->LookIsComplex(), c.Complex)
        << "borders " << c.BorderSum << ", transparency " << c.Transparency << (c.WithParent ? "" : ", no parent");
  }
}

TEST_F(SkinDataTest, OnlyHostsThatMayBeHotTakeTheMouse) {
  struct TCase {
    int ClassCode;
    bool Inside;
  };
  TPanel* host = AddHost();
  for (const TCase c : {TCase{51, false}, TCase{54, false}, TCase{75, true}, TCase{300, true}}) {
    TSkinCommonData data(host, false);
    data.ClassCode = c.ClassCode;
    TMessage enter{CM_MOUSEENTER, 0, 0, 0};
    HandleCommonMessage(enter, &data);
    EXPECT_EQ(data.MouseInside, c.Inside) << "class code " << c.ClassCode;
  }
}

TEST_F(SkinDataTest, ResizingAGradientTellsTheChildrenNotAnchoredRightOrBottom) {
  auto* panel = new TSkinPanel(form);
  panel->SetParent(form);
  TPanel* free = AddHost(panel);
  TPanel* anchored = AddHost(panel);
  anchored->SetAnchors(akLeft | akTop | akRight);
  const TSeen freeSeen = Record(*free);
  const TSeen anchoredSeen = Record(*anchored);
  manager.SectionData[0].GradientPercent = 30;
  TSkinCommonData& data = panel->SkinData();
  data.CacheStale = false;
  TMessage size{WM_SIZE, 0, 0, 0};
  HandleCommonMessage(size, &data);
  EXPECT_TRUE(data.CacheStale);
  EXPECT_TRUE(std::any_of(freeSeen->begin(), freeSeen->end(), [](const TMessage& m) {
    return m.Msg == SM_SKINCMD && m.WParam == SkinCommand(scParentImageChanged, 1);
  }));
  EXPECT_FALSE(HasSkinCommand(anchoredSeen, scParentImageChanged, 0));
}

TEST_F(SkinDataTest, BackgroundAnswersByTransparencyAndCache) {
  TPanel* parent = AddHost();
  TPanel* host = AddHost(parent);
  host->SetColor(clYellow);
  parent->SetColor(clAqua);
  ShowForm();
  auto withCache = std::make_unique<TSkinCommonData>(host, true);
  withCache->SetSkinSection("EDIT");
  auto withoutCache = EditData(host);
  TComponent owner(nullptr);
  auto hostless = EditData(&owner);
  Edit().Color = 0x00102030;
  manager.AddSection("GLOBALINFO").Color = 0x00C0B0A0;
  struct TCase {
    const char* Name;
    TSkinCommonData* Data;
    int Transparency;
    int Gradient;
    BYTE Kind;
    TColor Color;
    TBitmap* Bmp;
  };
  TBitmap* cache = withCache->CacheBitmap();
  for (const TCase c : {TCase{"plain", withCache.get(), 0, 0, bkColor, 0x00102030, cache},
                        TCase{"gradient, cached", withCache.get(), 0, 20, bkImage, 0, cache},
                        TCase{"half transparent, cached", withCache.get(), 50, 0, bkImage, 0, cache},
                        TCase{"half transparent, no cache", withoutCache.get(), 50, 0, bkColor, clSkinKey, nullptr},
                        TCase{"transparent: the parent's", withoutCache.get(), 100, 0, bkColor, clAqua, nullptr},
                        TCase{"transparent, no host", hostless.get(), 100, 0, bkColor, 0x00C0B0A0, nullptr}}) {
    Edit().Transparency = c.Transparency;
    Edit().GradientPercent = c.Gradient;
    TBackdropQuery query;
    query.Offset = {5, 5};
    c.Data->AnswerBackgroundRequest(query, 0, nullptr);
    EXPECT_EQ(query.Kind, c.Kind) << c.Name;
    EXPECT_EQ(query.Bmp, c.Bmp) << c.Name;
    if (c.Kind == bkColor) {
      EXPECT_EQ(query.Color, c.Color) << c.Name;
    }
    if (c.Kind == bkImage) {
      EXPECT_EQ(query.Offset, (TPoint{0, 0})) << c.Name;
    }
  }

  Edit().Transparency = 0;
  Edit().GradientPercent = 0;
  TBitmap target(20, 20, pf24bit);
  TBackdropQuery drawn;
  drawn.DrawNow = true;
  drawn.DC = target.Canvas().Handle();
  drawn.Rect = {2, 2, 12, 12};
  withCache->AnswerBackgroundRequest(drawn, 0, nullptr);
  EXPECT_EQ(target.Canvas().Pixel(5, 5), 0x00102030U) << "drawn at once into the rectangle";
  EXPECT_NE(target.Canvas().Pixel(15, 15), 0x00102030U);

  withCache->SetCustomColor(true);
  TBackdropQuery custom;
  withCache->AnswerBackgroundRequest(custom, 0, nullptr);
  EXPECT_EQ(custom.Color, clYellow) << "a custom colour is the host's";
}

TEST_F(SkinDataTest, HotStateAndSuspendedPainting) {
  TPanel* host = AddHost();
  host->TabStop = true;
  ShowForm();
  auto data = EditData(host);
  data->ClassCode = 75;
  data->UpdatePlainFlag(false);
  EXPECT_TRUE(data->StateFlags & sfPlainBackground) << "a panel host with a plain section";
  EXPECT_FALSE(data->MustUseCache());
  data->MouseInside = true;
  EXPECT_TRUE(data->IsActiveState()) << "the mouse over a host that may be hot";
  EXPECT_TRUE(data->MustUseCache());
  host->SetEnabled(false);
  EXPECT_FALSE(data->IsActiveState()) << "never while disabled";
  host->SetEnabled(true);
  data->MouseInside = false;
  data->HasFocus = true;
  EXPECT_TRUE(data->IsActiveState());
  data->HasFocus = false;

  const TSeen seen = Record(*host);
  data->SuspendPaint();
  EXPECT_TRUE(HasSkinCommand(seen, scPaintSuspended, 0));
  EXPECT_TRUE(data->PaintingSuspended()) << "not painted through the cache: its own flag";
  data->ResumePaint();
  EXPECT_TRUE(HasSkinCommand(seen, scPaintResumed, 0));
  EXPECT_FALSE(data->PaintingSuspended());
  data->PaintSuspended = false;
  data->StateFlags = 0;
  AnswerSkinCommand(*form, scIsPaintingSuspended, 1);
  EXPECT_TRUE(data->PaintingSuspended()) << "through the cache: the parent's answer";
}

TEST_F(SkinDataTest, AMoveMattersOnlyWhenTheLookShowsTheParent) {
  TPanel* parent = AddHost();
  TPanel* host = AddHost(parent);
  ShowForm();
  auto data = EditData(host);
  data->CacheStale = false;
  EXPECT_FALSE(data->DependsOnParentImage()) << "an opaque section";
  Edit().Transparency = 30;
  AnswerSkinCommand(*parent, scHasComplexBackground, 1);
  EXPECT_TRUE(data->DependsOnParentImage());
  TMessage move{WM_MOVE, 0, 0, 0};
  HandleCommonMessage(move, data.get());
  EXPECT_TRUE(data->CacheStale);
  AnswerSkinCommand(*parent, scHasComplexBackground, 0);
  EXPECT_FALSE(data->DependsOnParentImage()) << "a transparent section over a plain parent";
}

}  // namespace
