// The 2D and 3D graph windows as the user meets them: F3 and F6, their
// actions, tool bars and menus, ShowGraph, Save, sizes, and their places
// and reopening across starts. The 3D window's mouse is in
// Graph3DForm_test.cpp, plots typed in the main window in GraphPlots_test.cpp.

#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>

#include "graphics/PlotStyles.h"
#include "runtime/Params.h"
#include "tests/graphics/SamplePlots.h"
#include "tests/shell/GraphWindowsFixture.h"
#include "tests/toolkit/DialogScript.h"
#include "toolkit/controls/Clipboard.h"
#include "toolkit/controls/CoolBar.h"
#include "toolkit/controls/Dialogs.h"
#include "toolkit/controls/Menus.h"
#include "toolkit/controls/ToolBar.h"
#include "toolkit/win/Styles.h"
#include "toolkit/win/WindowBackend.h"

namespace {

namespace fs = std::filesystem;

constexpr TInputModifiers Ctrl{false, true, false};

// What a picture file holds, by its first bytes.
std::string PictureKind(const fs::path& file) {
  if (!fs::exists(file)) return "none";
  const std::string bytes = ReadFileText(file.string());
  const auto word32 = [&bytes](std::size_t at) {
    std::uint32_t value = 0;
    if (at + 4 <= bytes.size()) std::memcpy(&value, bytes.data() + at, 4);
    return value;
  };
  if (bytes.starts_with("BM") && bytes.size() > 30) return "BMP, " + std::to_string(std::uint8_t(bytes[28])) + " bits";
  if (word32(0) == 0x9AC6CDD7u) return "WMF";
  if (word32(0) == 1 && word32(40) == 0x464D4520u) return "EMF";
  return "other: " + bytes.substr(0, 16);
}

using TFiles = std::map<std::string, std::string>;

// The files below the folder, by their relative names, and their kinds.
TFiles FilesIn(const fs::path& folder) {
  TFiles files;
  for (const fs::directory_entry& entry : fs::recursive_directory_iterator(folder))
    if (entry.is_regular_file()) files[fs::relative(entry.path(), folder).string()] = PictureKind(entry.path());
  return files;
}

// Each window's own part of the tests.
struct TWindowCase {
  const char* Name;
  TToolForm* (*Window)();
  TAction* TMainForm::*Toggle;
  WORD Key;
  TRect Design;
  const char* Caption;
  const char* Content;
  const char* HelpPage;
};

const TWindowCase Windows[] = {
    {"2D", []() -> TToolForm* { return GraphForm; }, &TMainForm::actGraphs, VK_F3, Bounds(248, 165, 544, 363),
     " 2D Graph", "Sin(x*y)", "a1_02_06.htm"},
    {"3D", []() -> TToolForm* { return Graph3DForm; }, &TMainForm::actGraphs3D, VK_F6, Bounds(192, 114, 544, 364),
     " 3D Graph", "Sinc function", "a1_02_08.htm"},
};

class GraphFormTest : public GraphWindowsTest {
protected:
  GraphFormTest() : desktopClipboard(SetClipboardStore(&clipboard)) {}
  ~GraphFormTest() override { SetClipboardStore(desktopClipboard); }

  void ShowBoth() {
    GraphForm->Toggle();
    Graph3DForm->Toggle();
    ProcessEverything();
  }
  // Calls check with each window as its own type.
  template <class TCheck>
  void ForBoth(TCheck check) {
    check(*GraphForm);
    check(*Graph3DForm);
  }

  TMemoryClipboardStore clipboard;
  IClipboardStore* desktopClipboard;
  TScriptedDialogs dialogs;
  TRecordingMessageBoxes boxes;
};

TEST_F(GraphFormTest, OnAFirstStartF3AndF6ShowTheWindowsAtTheirDesignPlacesWithTheirDefaultContents) {
  StartGraphs();
  for (const TWindowCase& c : Windows) {
    TToolForm& window = *c.Window();
    TAction& toggle = *(form->*c.Toggle);
    EXPECT_FALSE(window.Visible()) << c.Name;
    toggle.Update();
    EXPECT_TRUE(toggle.Enabled()) << c.Name;
    PressInMain(c.Key);
    EXPECT_TRUE(window.Visible()) << c.Name;
    EXPECT_TRUE(toggle.Checked()) << c.Name;
    EXPECT_EQ(window.BoundsRect(), c.Design) << c.Name;
    EXPECT_EQ(window.Caption(), c.Caption);
    PressInMain(c.Key);
    EXPECT_FALSE(window.Visible()) << c.Name << ": the key again hides it";
    EXPECT_FALSE(toggle.Checked()) << c.Name;
  }
  ASSERT_EQ(GraphForm->Graph->Count(), 1);
  EXPECT_EQ(GraphForm->Graph->GetItem(0)->Name, Windows[0].Content);
  ASSERT_EQ(Graph3DForm->Graph->Count(), 1);
  EXPECT_EQ(Graph3DForm->Graph->GetItem(0)->Name, Windows[1].Content);
}

// The 2D window's settings hold options worth setting before any plot.
TEST_F(GraphFormTest, CopySaveAndClearNeedDataAnd2DSettingsDoesNot) {
  StartGraphs();
  ShowBoth();
  const auto enabled = [](std::initializer_list<TAction*> actions) {
    std::vector<bool> states;
    for (TAction* action : actions) states.push_back(action->Enabled());
    return states;
  };
  const auto actions2D = {GraphForm->actSettings, GraphForm->actCopy, GraphForm->actSave, GraphForm->actClear};
  const auto actions3D = {Graph3DForm->actSettings, Graph3DForm->actCopy, Graph3DForm->actSave,
                          Graph3DForm->actClear, Graph3DForm->actReset};
  Idle();
  EXPECT_EQ(enabled(actions2D), (std::vector<bool>{true, true, true, true}));
  EXPECT_EQ(enabled(actions3D), (std::vector<bool>{true, true, true, true, true}));
  ForBoth([](auto& window) {
    window.actClear->Execute();
    EXPECT_EQ(window.Graph->Count(), 0);
  });
  Idle();
  EXPECT_EQ(enabled(actions2D), (std::vector<bool>{true, false, false, false}));
  EXPECT_EQ(enabled(actions3D), (std::vector<bool>(5, false)));
  EXPECT_EQ(PixelsUnlikePaintTo(*GraphForm), 0) << "the cleared graph is shown";
}

TEST_F(GraphFormTest, CtrlCCopiesTheGraphNotTheConsolesLinesAndF1OpensTheWindowsPage) {
  StartGraphs();
  Enter("1+1");
  form->Console->Tree->SelectAllNodes(false);
  ShowBoth();
  Idle();
  ForBoth([this](auto& window) {
    clipboard.Clear();
    window.Graph->Options.ExportFormat = 2;
    PressIn(window, 'C', Ctrl);
    EXPECT_TRUE(clipboard.HasFormat(CF_ENHMETAFILE)) << window.Caption();
    EXPECT_FALSE(clipboard.HasFormat(CF_TEXT)) << window.Caption() << ": not the console's lines";
  });
  clipboard.Clear();
  clipboard.Busy = true;
  PressIn(*GraphForm, 'C', Ctrl);
  EXPECT_TRUE(boxes.Shown.empty()) << "a busy clipboard is left alone, without a word";
  for (const TWindowCase& c : Windows) {
    help.Pages.clear();
    PressIn(*c.Window(), VK_F1);
    EXPECT_EQ(help.Pages, std::vector<std::string>{HelpFolder() + c.HelpPage}) << c.Name;
  }
}

TEST_F(GraphFormTest, ActionsToolBarsAndMenusHoldTheirItemsInOrder) {
  StartGraphs();
  struct TActionCase {
    TAction* Action;
    const char* Caption;
    const char* ShortCut;
    int Image;
    const char* Hint;
  };
  TGraphForm& g2 = *GraphForm;
  TGraph3DForm& g3 = *Graph3DForm;
  const TActionCase actions[] = {
      {g2.actSettings, "Se&ttings ...", "", 8, " Graph settings "},
      {g2.actCopy, "&Copy", "Ctrl+C", 4, " Copy graph to clipboard "},
      {g2.actSave, "&Save ...", "Ctrl+S", 2, " Save graph as image "},
      {g2.actClear, "C&lear", "", 15, " Clear graph "},
      {g2.actHelp, "&Help", "F1", -1, ""},
      {g3.actSettings, "Se&ttings ...", "", 8, " 3D graph settings "},
      {g3.actCopy, "&Copy", "Ctrl+C", 4, " Copy graph to the clipboard "},
      {g3.actSave, "&Save ...", "Ctrl+S", 2, " Save graph to a file "},
      {g3.actClear, "C&lear", "", 15, " Clear the graph "},
      {g3.actReset, "&Reset", "", 18, " Reset graph orientation "},
      {g3.actHelp, "&Help", "F1", -1, ""},
  };
  for (const TActionCase& c : actions) {
    EXPECT_EQ(c.Action->Caption(), c.Caption);
    EXPECT_EQ(c.Action->ShortCut(), TextToShortCut(c.ShortCut)) << c.Caption;
    EXPECT_EQ(c.Action->ImageIndex(), c.Image) << c.Caption;
    EXPECT_EQ(c.Action->Hint(), c.Hint) << c.Caption;
  }
  const auto buttons = [](TToolBar& bar) {
    std::vector<TAction*> items;
    for (int i = 0; i < bar.ButtonCount(); ++i) items.push_back(bar.Buttons(i)->Action());
    return items;
  };
  const auto menu = [](TPopupMenu& popup) {
    std::vector<std::string> items;
    for (int i = 0; i < popup.Items().Count(); ++i) items.push_back(popup.Items().Items(i)->Caption());
    return items;
  };
  using TActions = std::vector<TAction*>;
  using TCaptions = std::vector<std::string>;
  EXPECT_EQ(buttons(*g2.ToolBar), (TActions{g2.actSettings, nullptr, g2.actCopy, g2.actSave, nullptr, g2.actClear,
                                            nullptr}));
  EXPECT_EQ(buttons(*g3.ToolBar), (TActions{g3.actSettings, nullptr, g3.actCopy, g3.actSave, nullptr, g3.actReset,
                                            nullptr, g3.actClear, nullptr}));
  EXPECT_EQ(menu(*g2.PopupMenu), (TCaptions{"Se&ttings ...", "-", "&Copy", "&Save ..."}));
  EXPECT_EQ(menu(*g3.PopupMenu), (TCaptions{"Se&ttings ...", "-", "&Reset", "&Copy", "&Save ..."}));
  EXPECT_EQ(g2.PaintBox->PopupMenu(), g2.PopupMenu);
  EXPECT_EQ(g3.PaintBox->Cursor(), crHandPoint);
  EXPECT_EQ(g2.PaintBox->Cursor(), crDefault);
  EXPECT_EQ(g2.PaintBox->Font().Name(), "Courier New");
  EXPECT_EQ(g2.PaintBox->Font().Height(), -13);
}

TEST_F(GraphFormTest, ShowGraphPaintsAtOnceAndShowsAHiddenWindow) {
  StartGraphs();
  TGraphForm& graph = *GraphForm;
  SamplePlots::CanonicalSine(*graph.Graph);
  ASSERT_FALSE(graph.Visible());
  graph.ShowGraph();
  EXPECT_TRUE(graph.Visible());
  EXPECT_TRUE(form->actGraphs->Checked());
  EXPECT_TRUE(graph.ReopenFlag());
  EXPECT_EQ(PixelsUnlikePaintTo(graph), 0);

  const std::vector<TColor> sine = ShownPixels(graph);
  SamplePlots::PolarTwin(*graph.Graph);
  graph.ShowGraph();
  EXPECT_NE(ShownPixels(graph), sine) << "painted before any message was handled";
  EXPECT_EQ(PixelsUnlikePaintTo(graph), 0);

  Graph3DForm->ShowGraph();
  EXPECT_TRUE(Graph3DForm->Visible());
  EXPECT_TRUE(form->actGraphs3D->Checked());
  EXPECT_EQ(PixelsUnlikePaintTo(*Graph3DForm), 0);
}

TEST_F(GraphFormTest, NothingPlottedIsLostWhenAWindowIsClosedOrResized) {
  StartGraphs();
  SamplePlots::CanonicalSine(*GraphForm->Graph);
  for (const TWindowCase& c : Windows) {
    TToolForm& window = *c.Window();
    PressInMain(c.Key);
    const TRect place = window.BoundsRect();
    ForBoth([&](auto& graph) {
      if (&graph != &window) return;
      const std::vector<TColor> shown = ShownPixels(graph);
      const int count = graph.Graph->Count();
      DesktopCloseRequest(graph.Handle());
      ProcessEverything();
      EXPECT_FALSE(graph.Visible()) << c.Name;
      EXPECT_FALSE(graph.ReopenFlag()) << c.Name;
      PressInMain(c.Key);
      EXPECT_TRUE(graph.Visible()) << c.Name;
      EXPECT_EQ(graph.Graph->Count(), count) << c.Name;
      EXPECT_EQ(ShownPixels(graph), shown) << c.Name << " after the close box and " << c.Name;
      graph.SetBounds(0, 0, 1024, 768);
      ProcessEverything();
      EXPECT_EQ(PixelsUnlikePaintTo(graph), 0) << c.Name << " at 1024 x 768";
      graph.SetBounds(place.Left, place.Top, place.Width(), place.Height());
      ProcessEverything();
      EXPECT_EQ(ShownPixels(graph), shown) << c.Name << " after a resize and back";
    });
  }
}

TEST_F(GraphFormTest, SaveWritesTheChosenFormatAndNeverReplacesAFileUnasked) {
  StartGraphs();
  ShowBoth();
  TGraphForm& graph = *GraphForm;
  struct TCase {
    const char* What;
    std::uint8_t FormatBefore;
    int Filter;  // 0: cancelled
    const char* Name;
    const char* Present;  // made before the save
    int BoxAnswer;        // 0: no box
    TFiles After;         // every file of the folder and what it holds
    std::uint8_t FormatAfter;
  };
  const TCase cases[] = {
      {"a bitmap, the extension added", 2, 1, "pic", nullptr, 0, {{"pic.bmp", "BMP, 24 bits"}}, 0},
      {"the typed extension swapped", 0, 2, "x.bmp", nullptr, 0, {{"x.wmf", "WMF"}}, 1},
      {"a dot in a folder's name", 1, 3, "a.b/pic", nullptr, 0, {{"a.b/pic.emf", "EMF"}}, 2},
      {"No keeps the file the swap would replace", 0, 2, "x.bmp", "x.wmf", IDNO, {{"x.wmf", "other: kept"}}, 0},
      {"Yes replaces it", 0, 2, "x.bmp", "x.wmf", IDYES, {{"x.wmf", "WMF"}}, 1},
      {"cancelled", 1, 0, "", nullptr, 0, {}, 1},
  };
  for (const TCase& c : cases) {
    TempFolder folder;
    fs::create_directories(folder.Path() / "a.b");
    if (c.Present) std::ofstream(folder.Path() / c.Present) << "kept";
    graph.Graph->Options.ExportFormat = c.FormatBefore;
    dialogs.Requests.clear();
    boxes.Shown.clear();
    boxes.Answer = c.BoxAnswer;
    if (c.Filter)
      dialogs.Script({true, (folder.Path() / c.Name).string(), c.Filter});
    else
      dialogs.ScriptCancel();
    PressIn(graph, 'S', Ctrl);
    ASSERT_EQ(dialogs.Requests.size(), 1u) << c.What;
    const TDialogRequest& request = dialogs.Requests[0];
    EXPECT_EQ(request.Kind, TDialogKind::Save);
    EXPECT_EQ(request.Filters, ParseFileFilter(PictureFilter));
    EXPECT_EQ(request.FilterIndex, c.FormatBefore + 1) << c.What;
    EXPECT_EQ("." + request.DefaultExt, PictureExtension(c.FormatBefore)) << c.What;
    EXPECT_EQ(request.Options, ofOverwritePrompt | ofHideReadOnly);
    EXPECT_EQ(request.Owner, graph.Handle());
    EXPECT_EQ(FilesIn(folder.Path()), c.After) << c.What;
    EXPECT_EQ(int(graph.Graph->Options.ExportFormat), int(c.FormatAfter)) << c.What;
    if (c.BoxAnswer) {
      ASSERT_EQ(boxes.Shown.size(), 1u) << c.What;
      EXPECT_EQ(boxes.Shown[0].Text,
                "File \"" + (folder.Path() / c.Present).string() + "\" already exists. Replace it?");
      EXPECT_EQ(boxes.Shown[0].Type & MB_TYPEMASK, MB_YESNO);
    } else {
      EXPECT_TRUE(boxes.Shown.empty()) << c.What;
    }
  }
  clipboard.Clear();
  PressIn(graph, 'C', Ctrl);
  EXPECT_TRUE(clipboard.HasFormat(CF_METAFILEPICT)) << "the last format saved is the next copy's";
  EXPECT_FALSE(clipboard.HasFormat(CF_ENHMETAFILE));
}

TEST_F(GraphFormTest, AFileErrorOfSaveShowsTheApplicationsErrorBoxAndChangesNothing) {
  StartGraphs();
  ShowBoth();
  TempFolder folder;
  const std::string name = (folder.Path() / "missing" / "pic").string();
  ForBoth([&](auto& graph) {
    boxes.Shown.clear();
    graph.Graph->Options.ExportFormat = 1;
    const int count = graph.Graph->Count();
    dialogs.Script({true, name, 1});
    PressIn(graph, 'S', Ctrl);
    ASSERT_EQ(boxes.Shown.size(), 1u) << graph.Caption();
    EXPECT_TRUE(boxes.Shown[0].Text.starts_with("Cannot create file \"" + name + ".bmp\"")) << boxes.Shown[0].Text;
    EXPECT_EQ(boxes.Shown[0].Caption, Application().Title());
    EXPECT_EQ(int(graph.Graph->Options.ExportFormat), 1) << "the format as it was";
    EXPECT_EQ(graph.Graph->Count(), count);
    EXPECT_TRUE(graph.Visible());
  });
}

TEST_F(GraphFormTest, SizesKeepTheirMinimumsAndThePaintBoxOverhangsThePanelByAPixel) {
  StartGraphs();
  ShowBoth();
  Graph3DForm->SetBounds(20, 30, 300, 150);
  EXPECT_EQ(Graph3DForm->BoundsRect(), Bounds(20, 30, 320, 200));
  GraphForm->SetBounds(20, 30, 199, 151);
  EXPECT_EQ(GraphForm->BoundsRect(), Bounds(20, 30, 200, 151));
  ProcessEverything();
  ForBoth([](auto& window) {
    EXPECT_EQ(window.PaintBox->BoundsRect(),
              Bounds(0, 0, window.ScrPanel->ClientWidth() + 1, window.ScrPanel->ClientHeight() + 1))
        << window.Caption();
    EXPECT_EQ(window.ScrPanel->BoundsRect().Bottom, window.ClientHeight()) << "the panel fills what the bar leaves";
    EXPECT_EQ(window.ScrPanel->Top(), window.CoolBar->Height());
  });
}

TEST_F(GraphFormTest, PlacesAndVisibilityRoundTripThroughARestart) {
  StartGraphs();
  ShowBoth();
  GraphForm->SetBounds(10, 20, 600, 400);
  Graph3DForm->SetBounds(30, 40, 640, 480);
  RestartGraphs();
  EXPECT_EQ(Stored("GRAPHFORM", "Left"), "10");
  EXPECT_EQ(Stored("GRAPHFORM", "Top"), "20");
  EXPECT_EQ(Stored("GRAPHFORM", "Width"), "600");
  EXPECT_EQ(Stored("GRAPHFORM", "Height"), "400");
  EXPECT_EQ(Stored("GRAPHFORM", "Visible"), "1");
  EXPECT_EQ(Stored("GRAPH3DFORM", "Visible"), "1");
  EXPECT_TRUE(GraphForm->Visible()) << "reopened at the first activation";
  EXPECT_TRUE(Graph3DForm->Visible());
  EXPECT_EQ(GraphForm->BoundsRect(), Bounds(10, 20, 600, 400));
  EXPECT_EQ(Graph3DForm->BoundsRect(), Bounds(30, 40, 640, 480));

  DesktopCloseRequest(GraphForm->Handle());
  ProcessEverything();
  RestartGraphs();
  EXPECT_EQ(Stored("GRAPHFORM", "Visible"), "0") << "closed by the user";
  EXPECT_FALSE(GraphForm->Visible());
  EXPECT_TRUE(Graph3DForm->Visible());

  ProgramArguments = {WriteProgramFile("a.tarn", "program A;\nbegin\nend.\n")};
  RestartGraphs();
  EXPECT_FALSE(Graph3DForm->Visible()) << "a file given on the command line";
  FreeGraphs();
  Free();
  Storage = std::make_unique<TStorage>("Quantrel.ini", 0);
  EXPECT_EQ(Stored("GRAPH3DFORM", "Visible"), "0");
}

TEST_F(GraphFormTest, WithWinsInTaskEachWindowHasATaskBarEntryOfItsOwn) {
  Params.WinsInTask = true;
  StartGraphs();
  ShowBoth();
  for (const TWindowCase& c : Windows) {
    HWND window = c.Window()->Handle();
    EXPECT_TRUE(GetWindowLongPtr(window, GWL_EXSTYLE) & WS_EX_APPWINDOW) << c.Name;
    EXPECT_EQ(GetWindow(window, GW_OWNER), nullptr) << c.Name;
  }
}

TEST(GraphPictureNames, TheFileNamesExtensionIsReplacedNotAFoldersDot) {
  const std::pair<const char*, const char*> cases[] = {
      {"pic", "pic.emf"},       {"x.bmp", "x.emf"},   {"a.b/pic", "a.b/pic.emf"},
      {"a.b/p.q.r", "a.b/p.q.emf"}, {".hidden", ".hidden.emf"}, {"dir/pic.", "dir/pic.emf"},
  };
  for (const auto& [name, expected] : cases) EXPECT_EQ(WithExtension(name, ".emf"), expected) << name;
}

}  // namespace
