#include "skin/adapters/SkGridWnd.h"

#include <gtest/gtest.h>

#include "runtime/Collection.h"
#include "runtime/PublishedProperties.h"
#include "skin/ControlRoutines.h"
#include "skin/SkinCommonData.h"
#include "tests/skin/AdapterFixture.h"
#include "toolkit/controls/Form.h"
#include "toolkit/controls/StringGrid.h"
#include "toolkit/controls/ToolkitProperties.h"
#include "toolkit/gdi/Font.h"
#include "toolkit/win/ScrollBar.h"

namespace {

// A vendor grid's column: fonts and a colour of its own.
class TGridColumn : public TCollectionItem {
public:
  TFont HeaderFont;
  TFont Font;
  TColor Color = clWindow;
};

// A vendor's grid publishing title and footer colours and columns.
class TDBAdvGrid : public TStringGrid {
public:
  using TStringGrid::TStringGrid;
  TFont TitleFont;
  TFont FixedFont;
  TColor FooterColor = clBtnFace;
  TCollection Columns{[] { return std::make_unique<TGridColumn>(); }};
};

// A data-aware grid: it publishes a data source.
class TDataGrid : public TStringGrid {
public:
  using TStringGrid::TStringGrid;
};

void RegisterVendorGrids() {
  static const bool registered = [] {
    RegisterToolkitProperties();
    RegisterObjectProperty<TDBAdvGrid>("TitleFont", [](TDBAdvGrid& g) -> TObject* { return &g.TitleFont; });
    RegisterObjectProperty<TDBAdvGrid>("FixedFont", [](TDBAdvGrid& g) -> TObject* { return &g.FixedFont; });
    RegisterObjectProperty<TDBAdvGrid>("Columns", [](TDBAdvGrid& g) -> TObject* { return &g.Columns; });
    RegisterOrdinalProperty<TDBAdvGrid>(
        "FooterColor", [](TDBAdvGrid& g) { return std::int64_t(g.FooterColor); },
        [](TDBAdvGrid& g, std::int64_t v) { g.FooterColor = TColor(v); });
    RegisterObjectProperty<TGridColumn>("HeaderFont", [](TGridColumn& c) -> TObject* { return &c.HeaderFont; });
    RegisterObjectProperty<TGridColumn>("Font", [](TGridColumn& c) -> TObject* { return &c.Font; });
    RegisterOrdinalProperty<TGridColumn>(
        "Color", [](TGridColumn& c) { return std::int64_t(c.Color); },
        [](TGridColumn& c, std::int64_t v) { c.Color = TColor(v); });
    RegisterObjectProperty<TDataGrid>("DataSource", [](TDataGrid&) -> TObject* { return nullptr; });
    return true;
  }();
  (void)registered;
}

class SkGridWndTest : public AdapterFixture {
protected:
  SkGridWndTest() {
    RegisterVendorGrids();
    form.SetBounds(50, 50, 400, 300);
  }
  template <class Grid>
  Grid& AddGrid() {
    auto* grid = new Grid(&form);
    grid->SetParent(&form);
    grid->SetBounds(10, 10, 300, 200);
    data = std::make_unique<TSkinCommonData>(grid, true);
    data->SetSkinSection("EDIT");
    data->ResolveIndexes();
    adapter = TSkMainWnd::Make<TSkGridWnd>(grid->Handle(), data.get(), &manager, "EDIT", false);
    return *grid;
  }
  void RemoveSkin(HWND window) {
    SendMessage(window, SM_SKINCMD, SkinCommand(scSkinRemoved), reinterpret_cast<LPARAM>(&manager));
  }
  const TSkinGeneralData& Edit() const { return manager.Section(Section("EDIT")); }
  TColor StoredGlobal() const { return manager.Section(Section("GLOBALINFO")).Color; }

  TForm form{nullptr};
  std::unique_ptr<TSkinCommonData> data;
  TSkAdapterPtr<TSkGridWnd> adapter;
};

TEST_F(SkGridWndTest, AStringGridsFixedColourIsTheGlobalOneUntilTheSkinGoes) {
  TStringGrid& grid = AddGrid<TStringGrid>();
  grid.SetFixedColor(0x00123456);
  adapter->StoreStdLook();
  const TScrollStyle bars = grid.ScrollBars();
  adapter->ApplySkinLook();
  EXPECT_EQ(grid.FixedColor(), manager.GlobalColor());
  int windowsMade = 0;
  const TWndMethodRef below = grid.WindowProc.Current();
  grid.WindowProc = [&windowsMade, below](TMessage& message) {
    windowsMade += message.Msg == WM_CREATE;
    below(message);
  };
  RemoveSkin(grid.Handle());
  EXPECT_EQ(grid.FixedColor(), TColor(0x00123456));
  (void)grid.Handle();
  EXPECT_GE(windowsMade, 1) << "the scroll bars were set to none and back: the window was made again";
  EXPECT_EQ(grid.ScrollBars(), bars);
  grid.WindowProc = below;
}

TEST_F(SkGridWndTest, AnAdvancedGridsFontsAndColumnsTakeTheSkinsColoursAndGetThemBack) {
  auto& grid = AddGrid<TDBAdvGrid>();
  auto& column = static_cast<TGridColumn&>(grid.Columns.Add());
  grid.TitleFont.SetColor(0x00000011);
  grid.FixedFont.SetColor(0x00000022);
  grid.FooterColor = 0x00000033;
  column.Font.SetColor(clWindowText);
  adapter->StoreStdLook();
  adapter->ApplySkinLook();
  EXPECT_EQ(grid.TitleFont.Color(), manager.GlobalFontColor());
  EXPECT_EQ(grid.FixedFont.Color(), manager.GlobalFontColor());
  EXPECT_EQ(column.HeaderFont.Color(), manager.GlobalFontColor());
  EXPECT_EQ(column.Font.Color(), Edit().HotFontColor[0]);
  EXPECT_EQ(column.Color, Edit().Color);
  EXPECT_EQ(grid.FooterColor, StoredGlobal());
  RemoveSkin(grid.Handle());
  EXPECT_EQ(grid.TitleFont.Color(), TColor(0x00000022)) << "the fixed font's colour was kept for both";
  EXPECT_EQ(grid.FixedFont.Color(), TColor(0x00000022));
  EXPECT_EQ(column.HeaderFont.Color(), TColor(0x00000022));
  EXPECT_EQ(grid.FooterColor, TColor(0x00000033));
}

TEST_F(SkGridWndTest, AGridPublishingNoColoursChangesOnlyTheEditColours) {
  auto& grid = AddGrid<TDataGrid>();
  grid.SetFixedColor(0x00123456);
  adapter->StoreStdLook();
  adapter->ApplySkinLook();
  EXPECT_EQ(grid.FixedColor(), manager.GlobalColor()) << "FixedColor is published by every string grid";
  EXPECT_EQ(grid.Font().Color(), Edit().HotFontColor[0]);
}

TEST_F(SkGridWndTest, DroppingADataAwareGridsThumbLeavesItOnePastTheTrackedPosition) {
  auto& grid = AddGrid<TDataGrid>();
  grid.SetRowCount(200);
  SCROLLINFO info{.fMask = SIF_ALL};
  GetScrollInfo(grid.Handle(), SB_VERT, info);
  ASSERT_GT(info.nMax, 42);
  adapter->VertBar.Info = info;
  adapter->VertBar.Info.nTrackPos = 40;
  // The test grid is no data-aware grid and would put its own position
  // back: keep the request from it, and see what the window's scroll
  // information says afterwards.
  const TWndMethodRef grids = adapter->SavedWindowProc;
  adapter->SavedWindowProc = TWndMethodRef();
  TMessage message{WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 40), 0, 0};
  adapter->AdapterWndProc(message);
  adapter->SavedWindowProc = grids;
  EXPECT_EQ(GetScrollPos(grid.Handle(), SB_VERT), 41);
}

}  // namespace
