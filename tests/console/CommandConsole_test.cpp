#include "console/CommandConsole.h"

#include <gtest/gtest.h>

#include "console/Console.h"
#include "console/Syntax.h"
#include "console/XEdit.h"
#include "engine/XBuilder.h"
#include "libraries/StandardLibraries.h"
#include "runtime/Storage.h"
#include "tests/runtime/TempFolder.h"
#include "tests/toolkit/Pixels.h"
#include "tests/toolkit/ToolkitTestSupport.h"
#include "toolkit/controls/Form.h"
#include "toolkit/qt/SyntheticInput.h"
#include "toolkit/win/Keys.h"

namespace {

struct TShownLine {
  std::string Text;
  int Kind;
  bool operator==(const TShownLine&) const = default;
};

std::ostream& operator<<(std::ostream& out, const TShownLine& line) { return out << line.Kind << ":" << line.Text; }

// The console and command line of the main window on a shown form, with a
// real engine and the user's keys through Qt.
class CommandConsoleTest : public ::testing::Test {
protected:
  CommandConsoleTest() {
    Storage = std::make_unique<TStorage>("Console.ini", 0);
    TXEdit::ResetNameCounter();
    form = new TForm(nullptr);
    form->SetBounds(40, 40, 480, 320);
    commands = std::make_unique<TCommandConsole>(*form, engine, syntax, true);
    form->Show();
    commands->CommandLine->SetFocus();
    ProcessEverything();
  }
  ~CommandConsoleTest() override {
    commands.reset();
    delete form;
    ProcessEverything();
    Storage.reset();
  }

  // Typed key by key into the focused window, then Enter.
  void Type(const std::string& text) {
    SynthesizeTyping(form->Handle(), text);
    ProcessEverything();
  }
  void Enter(const std::string& text) {
    Type(text);
    SynthesizeKeyStroke(form->Handle(), VK_RETURN, "\r");
    ProcessEverything();
  }
  std::vector<TShownLine> Lines() {
    std::vector<TShownLine> lines;
    TDataDrawTree& tree = *commands->Console->Tree;
    for (PDataNode node = tree.FirstRootNodeRaw(); node; node = tree.NextSiblingOf(node)) {
      const TConsLineRec* line = commands->Console->LineRecord(node);
      lines.push_back({line->Text, line->Data.Kind});
    }
    return lines;
  }

  TempFolder config;
  ScopedEnvironment configHome{"XDG_CONFIG_HOME", config.Path().string()};
  CountedPtr<ITarnscript> engine = MakeCounted<TXBuilder>(StandardCatalogues());
  TSyntax syntax;
  TForm* form;
  std::unique_ptr<TCommandConsole> commands;
};

TEST_F(CommandConsoleTest, ALineTypedAndEnteredShowsItsResultInTheConsole) {
  Enter("1+2");
  EXPECT_EQ(Lines(), (std::vector<TShownLine>{{"1+2", lkInput}, {"3", lkResult}}));
  EXPECT_EQ(commands->CommandLine->History(), std::vector<std::string>{"1+2"});
  EXPECT_EQ(commands->CommandLine->GetSource(), "");
  EXPECT_TRUE(commands->CommandLine->Focused());

  TConsole& console = *commands->Console;
  console.Tree->Invalidate();
  ProcessEverything();
  const CountedPtr<TGdiBitmap> image = RenderWindow(form->Handle());
  PDataNode result = console.Tree->NextSiblingOf(console.Tree->FirstRootNodeRaw());
  const TRect row = console.Tree->NodeDisplayRect(result, ColumnNone, false);
  const TPoint origin = form->ScreenToClient(console.Tree->ClientOrigin());
  const int left = origin.X + row.Left, top = origin.Y + row.Top;
  const TColor background = image->Pixel(origin.X + row.Right - 2, top + 1);
  int greenEnd = -1, inkAfterGreen = 0;
  for (int x = left; x < origin.X + row.Right; ++x)
    for (int y = top; y < origin.Y + row.Bottom; ++y) {
      const TColor pixel = image->Pixel(x, y);
      if (pixel == ColorToRGB(clGreen))
        greenEnd = x;
      else if (pixel != background && greenEnd >= 0 && x > greenEnd + 2)
        ++inkAfterGreen;
    }
  EXPECT_GE(greenEnd, 0) << "the green prefix \"= \"";
  EXPECT_GT(inkAfterGreen, 5) << "the 3 after it";
}

TEST_F(CommandConsoleTest, AssignedVariablesServeLaterLines) {
  Enter("y := 4");
  Enter("y*2");
  ASSERT_FALSE(Lines().empty());
  EXPECT_EQ(Lines().back(), (TShownLine{"8", lkResult}));
}

TEST_F(CommandConsoleTest, TheCompactViewEvaluatesEveryChangeIntoTheResultLine) {
  commands->SetCompact(true);
  ProcessEverything();
  Type("2*3");
  EXPECT_EQ(commands->ResultLine->GetSource(), "6");
  EXPECT_TRUE(commands->CommandLine->Focused()) << "the result line keeps no focus";
  SynthesizeKeyStroke(form->Handle(), VK_BACK, "");
  ProcessEverything();
  EXPECT_EQ(commands->CommandLine->GetSource(), "2*");
  EXPECT_EQ(commands->ResultLine->GetSource(), "");
  EXPECT_TRUE(Lines().empty()) << "the console shows nothing of it";
}

}  // namespace
