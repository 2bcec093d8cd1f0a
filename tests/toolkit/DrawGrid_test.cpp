#include "toolkit/controls/DrawGrid.h"

#include <set>
#include <utility>

#include "tests/toolkit/FormFixture.h"
#include "toolkit/controls/Edit.h"
#include "toolkit/qt/SyntheticInput.h"
#include "toolkit/win/Keys.h"

namespace {

// A grid of 1000 x 1000 cells whose texts exist only when asked for.
class DrawGridTest : public FormFixture {
protected:
  DrawGridTest() {
    grid = new TDrawGrid(form);
    grid->SetParent(form);
    grid->SetBounds(10, 10, 300, 200);
    grid->SetColCount(1000);
    grid->SetRowCount(1000);
    grid->SetDefaultColWidth(50);
    grid->SetDefaultRowHeight(20);
    grid->SetOptions(grid->Options() | goEditing);
    grid->OnGetCellText = [this](TObject*, int col, int row, std::string& text) {
      asked.insert({col, row});
      text = std::to_string(col * 1000 + row);
    };
    grid->OnSetEditText = [this](TObject*, int, int, const std::string& value) { typed.push_back(value); };
    grid->OnAcceptEditText = [this](TObject*, int col, int row, const std::string& value) {
      accepted.push_back({{col, row}, value});
    };
  }

  void Key(WORD key, const char* text = "") {
    SynthesizeKeyStroke(form->Handle(), key, text);
    ProcessEverything();
  }
  // Opens the editor on cell (2, 2) and types "9" after its text.
  void EditCellTwoTwo() {
    ShowForm();
    grid->SetFocus();
    grid->SetSelection({2, 2, 2, 2});
    Key(VK_F2);
    ASSERT_TRUE(grid->EditorMode());
    Key('9', "9");
  }

  TDrawGrid* grid;
  std::set<std::pair<int, int>> asked;
  std::vector<std::string> typed;
  std::vector<std::pair<std::pair<int, int>, std::string>> accepted;
};

TEST_F(DrawGridTest, TextsAreAskedForOnlyForTheCellsShown) {
  ShowForm();
  grid->Invalidate();
  ProcessEverything();
  EXPECT_FALSE(asked.empty());
  EXPECT_LT(asked.size(), 100u) << "a 300 x 200 view of a million cells";
  EXPECT_TRUE(asked.count({1, 1}));
  EXPECT_FALSE(asked.count({20, 20}));
}

TEST_F(DrawGridTest, TheEditorStartsWithTheCellsTextAndAnAcceptedEditReportsItsText) {
  EditCellTwoTwo();
  EXPECT_EQ(grid->InplaceEditor()->Text(), "20029");
  EXPECT_EQ(typed, std::vector<std::string>{"20029"}) << "opening is no change";
  Key(VK_RETURN, "\r");
  EXPECT_FALSE(grid->EditorMode());
  EXPECT_TRUE(grid->Focused());
  ASSERT_EQ(accepted.size(), 1u);
  EXPECT_EQ(accepted[0], (std::pair<std::pair<int, int>, std::string>{{2, 2}, "20029"}));
}

// Every way out of an edit but Esc keeps the text typed.
TEST_F(DrawGridTest, AnEditEndsKeepingItsTextUnlessEscPutsTheOldTextBack) {
  auto* other = new TEdit(form);
  other->SetParent(form);
  other->SetBounds(10, 250, 100, 20);
  struct TCase {
    const char* Name;
    std::function<void()> End;
    bool Accepted;
  };
  const TCase cases[] = {
      {"Enter", [this] { Key(VK_RETURN, "\r"); }, true},
      {"another cell", [this] { Key(VK_DOWN); }, true},
      {"the focus leaving the grid", [other] { other->SetFocus(); }, true},
      {"Esc", [this] { Key(VK_ESCAPE, "\x1b"); }, false},
  };
  for (const TCase& c : cases) {
    typed.clear();
    accepted.clear();
    EditCellTwoTwo();
    c.End();
    ProcessEverything();
    EXPECT_FALSE(grid->EditorMode()) << c.Name;
    EXPECT_EQ(accepted.size(), c.Accepted ? 1u : 0u) << c.Name;
    if (!c.Accepted) {
      EXPECT_EQ(typed.back(), "2002") << c.Name << ": the old text comes back";
    }
  }
  typed.clear();
  ShowForm();
  grid->SetFocus();
  grid->SetSelection({3, 3, 3, 3});
  Key(VK_F2);
  Key(VK_RETURN, "\r");
  EXPECT_TRUE(accepted.empty()) << "an edit that changed nothing accepts nothing";
}

}  // namespace
