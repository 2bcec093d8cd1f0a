// The plotter window with the real engine, the editor, and the plotting
// routines drawing into real 2D and 3D renderers; keys and clicks as real
// Qt events, on settings of its own.

#include "shell/PlotterForm.h"

#include <string>
#include <vector>

#include "console/XEdit.h"
#include "graphics/GraphPlotTarget.h"
#include "graphics/XGraph.h"
#include "graphics/XGraph3D.h"
#include "runtime/IniFile.h"
#include "tests/shell/EditorFormFixture.h"
#include "toolkit/controls/Button.h"
#include "toolkit/controls/ComboBox.h"
#include "toolkit/controls/Edit.h"
#include "toolkit/controls/Label.h"
#include "toolkit/controls/ListBox.h"
#include "toolkit/controls/SpeedButton.h"
#include "tests/toolkit/Pixels.h"
#include "toolkit/gdi/Bitmap.h"
#include "toolkit/win/Paint.h"
#include "toolkit/win/WindowBackend.h"

namespace {

const TColor Pink = RGB(255, 192, 192);

class PlotterFormTest : public EditorFormTest {
protected:
  PlotterFormTest() {
    SetPlotTarget(pwGraph2D, MakeCounted<TGraphPlotTarget<TXGraph>>(graph, [this] { ++shown2D; }));
    SetPlotTarget(pwGraph3D, MakeCounted<TGraphPlotTarget<TXGraph3D>>(graph3D, [this] { ++shown3D; }));
  }
  ~PlotterFormTest() override {
    FreePlotter();
    SetPlotTarget(pwGraph2D, nullptr);
    SetPlotTarget(pwGraph3D, nullptr);
  }

  // A start of the program: the main window, the editor, the plotter.
  TPlotterForm& StartPlotter() {
    Make();
    editor = new TEditorForm(nullptr);
    plotter = new TPlotterForm(nullptr);
    // Clicks go to the window on top at their place: the editor, once
    // shown, stays clear of the plotter.
    editor->SetBounds(0, 0, 290, 190);
    ShowMade();
    return *plotter;
  }
  // F7 in the main window.
  TPlotterForm& ShowPlotter() {
    form->CommandLine->SetFocus();
    Press(VK_F7);
    return *plotter;
  }
  TPlotterForm& StartShown() {
    StartPlotter();
    return ShowPlotter();
  }
  void FreePlotter() {
    delete plotter;
    plotter = nullptr;
  }
  TPlotterForm& RestartPlotter() {
    FreePlotter();
    FreeEditor();
    Free();
    Storage = std::make_unique<TStorage>("Quantrel.ini", 0);
    return StartPlotter();
  }

  // The field's whole text replaced by typing into it.
  void TypeInto(TWinControl& field, const std::string& text) {
    field.SetFocus();
    ProcessEverything();
    SynthesizeKeyStroke(plotter->Handle(), 'A', "", Ctrl);
    if (text.empty())
      SynthesizeKeyStroke(plotter->Handle(), VK_DELETE, "");
    else
      SynthesizeTyping(plotter->Handle(), text);
    ProcessEverything();
  }
  void PlotKey(WORD key) {
    SynthesizeKeyStroke(plotter->Handle(), key, key == VK_RETURN ? "\r" : "");
    ProcessEverything();
  }
  void PressF9() {
    plotter->EditF->SetFocus();
    PlotKey(VK_F9);
  }
  void ChooseKind(int tag) {
    TToolButton& button = *plotter->KindBar->Buttons(tag);
    SynthesizeClick(plotter->KindBar->Handle(), {button.Left() + 5, button.Top() + 5});
    ProcessEverything();
  }
  bool PlotEnabled() {
    Idle();
    return plotter->actExecute->Enabled();
  }
  int ErrorLines() const {
    int count = 0;
    for (const TShownLine& line : Lines()) count += line.Kind == lkError;
    return count;
  }

  TXGraph graph;
  TXGraph3D graph3D;
  int shown2D = 0;
  int shown3D = 0;
  TPlotterForm* plotter = nullptr;
};

std::string CallLine(const TPlotterFields& fields) {
  const std::string text = PlotterProgramText(fields);
  const size_t end = text.rfind("\nend.");
  const size_t start = text.rfind('\n', end - 1) + 1;
  return text.substr(start, end - start);
}

TEST(PlotterProgramTest, TheCallLineFollowsTheKindAndTheFields) {
  TPlotterFields logLog;
  logLog.XPoints = "500";
  logLog.Append = true;
  logLog.AxesType = 3;
  TPlotterFields polar;
  polar.Kind = pkParamLine2D;
  polar.F = "cos(x)";
  polar.Y = "sin(x)";
  polar.AxesType = 4;
  TPlotterFields line3D;
  line3D.Kind = pkParamLine3D;
  line3D.Z = "x";
  line3D.AxesType = 2;
  TPlotterFields surface;
  surface.Kind = pkSurface3D;
  TPlotterFields heights;
  heights.Kind = pkHeightsMap;
  heights.YPoints = "20";
  TPlotterFields contours;
  contours.Kind = pkContourLines;
  contours.XPoints = "30";
  const struct {
    TPlotterFields fields;
    const char* call;
  } cases[] = {
      {{}, "     Plot( _plotter_line, { -1, 1 }, off, psLine, atLinear );"},
      {logLog, "     Plot( _plotter_line, { -1, 1, 500 }, on, psLine, atLogLog );"},
      {polar, "     PlotParam( _plotter_X, _plotter_Y, { -1, 1 }, off, psLine, atPolar );"},
      {line3D, "     PlotParam3D( _plotter_X, _plotter_Y, _plotter_Z, { -1, 1 }, off, psLine );"},
      {surface, "     Plot3D( _plotter_mesh, { -1, 1 },{ -1, 1 }, off, msSurface );"},
      {heights, "     Plot3D( _plotter_mesh, { -1, 1 },{ -1, 1, 20 }, off, msHeights );"},
      {contours, "     Plot3D( _plotter_mesh, { -1, 1, 30 }, { -1, 1 }, off, msContour );"},
  };
  for (const auto& c : cases) EXPECT_EQ(CallLine(c.fields), c.call) << "kind " << c.fields.Kind;
}

TEST(PlotterProgramTest, EachExpressionBecomesAFunctionOfItsOwn) {
  TPlotterFields line;
  line.F = "x*sin(x)";
  EXPECT_EQ(PlotterProgramText(line),
            "\nfunction _plotter_line ( x : real ) : real;\nbegin\n     result := x*sin(x);\nend;\n\n"
            "begin\n     Plot( _plotter_line, { -1, 1 }, off, psLine, atLinear );\nend.");
  TPlotterFields helix;
  helix.Kind = pkParamLine3D;
  helix.F = "cos(x)";
  helix.Y = "sin(x)";
  helix.Z = "x";
  EXPECT_EQ(PlotterProgramText(helix),
            "\nfunction _plotter_X ( x : real ) : real;\nbegin\n     result := cos(x);\nend;\n\n"
            "function _plotter_Y ( x : real ) : real;\nbegin\n     result := sin(x);\nend;\n\n"
            "function _plotter_Z ( x : real ) : real;\nbegin\n     result := x;\nend;\n\n"
            "begin\n     PlotParam3D( _plotter_X, _plotter_Y, _plotter_Z, { -1, 1 }, off, psLine );\nend.");
  TPlotterFields mesh;
  mesh.Kind = pkSurface3D;
  mesh.F = "x*y";
  EXPECT_EQ(PlotterProgramText(mesh).substr(0, 70),
            "\nfunction _plotter_mesh ( x, y : real ) : real;\nbegin\n     result := x");
}

TEST_F(PlotterFormTest, F7ShowsTheWindowF1ItsHelpAndTheCloseBoxHidesItAndClearsItsFlag) {
  StartShown();
  EXPECT_TRUE(plotter->Visible());
  EXPECT_EQ(plotter->Caption(), " Plotter - Line");
  EXPECT_TRUE(form->actPlotter->Checked());
  EXPECT_TRUE(plotter->ReopenFlag());
  plotter->EditF->SetFocus();
  PlotKey(VK_F1);
  EXPECT_EQ(help.Pages, std::vector<std::string>{HelpFolder() + "a1_02_10.htm"}) << "the plotter's own page";
  DesktopCloseRequest(plotter->Handle());
  ProcessEverything();
  EXPECT_FALSE(plotter->Visible());
  EXPECT_FALSE(form->actPlotter->Checked());
  EXPECT_FALSE(plotter->ReopenFlag());
}

TEST_F(PlotterFormTest, F9WithSourceOpensTheVeryProgramThatRunsInTheEditor) {
  StartShown();
  TypeInto(*plotter->EditF, "x*sin(x)");
  plotter->chkSource->SetChecked(true);
  PressF9();
  ASSERT_EQ(Rows(), (std::vector<std::string>{"", "function _plotter_line ( x : real ) : real;", "begin",
                                               "     result := x*sin(x);", "end;", "", "begin",
                                               "     Plot( _plotter_line, { -1, 1 }, off, psLine, atLinear );",
                                               "end."}));
  EXPECT_TRUE(editor->Visible());
  ChooseKind(5);
  TypeInto(*plotter->edtXPnt, "30");
  PressF9();
  EXPECT_EQ(Rows()[7], "     Plot3D( _plotter_mesh, { -1, 1, 30 }, { -1, 1 }, off, msContour );");
  EXPECT_EQ(Captions().size(), 2u);
}

TEST_F(PlotterFormTest, PlotIsReadyOnlyWithEveryNeededFieldValid) {
  StartShown();
  EXPECT_FALSE(PlotEnabled()) << "F empty";
  TypeInto(*plotter->EditF, "x*sin(x)");
  TypeInto(*plotter->EditXMin, "2*pi");
  EXPECT_EQ(plotter->EditXMin->Color(), clWindow);
  EXPECT_TRUE(PlotEnabled());
  TypeInto(*plotter->EditXMax, "nosuchname");
  EXPECT_EQ(plotter->EditXMax->Color(), Pink);
  EXPECT_FALSE(PlotEnabled());
  TypeInto(*plotter->EditXMax, "10");
  TypeInto(*plotter->edtXPnt, "abc");
  EXPECT_EQ(plotter->edtXPnt->Font().Color(), clRed);
  EXPECT_FALSE(PlotEnabled());
  TypeInto(*plotter->edtXPnt, "");
  EXPECT_EQ(plotter->edtXPnt->Font().Color(), clRed) << "empty: red, yet not given";
  EXPECT_TRUE(PlotEnabled());
  TypeInto(*plotter->edtXPnt, "40");
  EXPECT_EQ(plotter->edtXPnt->Font().Color(), clWindowText);
  ChooseKind(1);
  EXPECT_FALSE(PlotEnabled()) << "kind 2 with Y empty";
  TypeInto(*plotter->EditY, "cos(x)");
  EXPECT_TRUE(PlotEnabled());
  ChooseKind(2);
  EXPECT_FALSE(PlotEnabled()) << "kind 3 with Z empty";
  ChooseKind(3);
  EXPECT_TRUE(PlotEnabled());
  TypeInto(*plotter->EditYMax, "1/");
  EXPECT_EQ(plotter->EditYMax->Color(), Pink);
  EXPECT_FALSE(PlotEnabled()) << "kind 4 with YMax 1/";
}

TEST_F(PlotterFormTest, WhileAProgramRunsThePlotterAsksNothingOfTheEngine) {
  StartShown();
  TypeInto(*plotter->EditF, "x");
  bool readyDuringRun = true;
  TColor colourDuringRun = 0;
  size_t linesDuringRun = 0;
  SetPlotTarget(pwGraph2D, MakeCounted<TGraphPlotTarget<TXGraph>>(graph, [&] {
                  const size_t before = Lines().size();
                  plotter->EditXMax->SetSource("nosuchname");
                  readyDuringRun = plotter->IsReady();
                  colourDuringRun = plotter->EditXMax->Color();
                  linesDuringRun = Lines().size() - before;
                }));
  form->Engine->CompileText("begin Plot( sin, { 0, 1 }, off, psLine, atLinear ); end.");
  EXPECT_FALSE(readyDuringRun);
  EXPECT_EQ(colourDuringRun, clWindow) << "the colour stays while the run goes on";
  EXPECT_EQ(linesDuringRun, 0u) << "no \"Reentrace attempted\"";
}

TEST_F(PlotterFormTest, EachKindEnablesItsFieldsAndCaptionsTheWindow) {
  StartShown();
  const struct {
    int tag;
    bool y, z, yRange, axes;
    const char* fLabel;
    const char* caption;
  } cases[] = {
      {0, false, false, false, true, "F( x )", " Plotter - Line"},
      {1, true, false, false, true, "X( x )", " Plotter - 2D parametric line"},
      {2, true, true, false, false, "X( x )", " Plotter - 3D parametric line"},
      {3, false, false, true, false, "F( x, y )", " Plotter - 3D surface"},
      {4, false, false, true, false, "F( x, y )", " Plotter - Heights map"},
      {5, false, false, true, false, "F( x, y )", " Plotter - Contour lines"},
  };
  for (const auto& c : cases) {
    plotter->cmbAxes->SetItemIndex(2);
    ChooseKind(c.tag);
    SCOPED_TRACE(c.caption);
    EXPECT_EQ(plotter->PlotKind(), c.tag + 1);
    EXPECT_TRUE(plotter->KindBar->Buttons(c.tag)->Down());
    EXPECT_EQ(plotter->EditY->Enabled(), c.y);
    EXPECT_EQ(plotter->EditY->Color(), c.y ? clWindow : clBtnFace);
    EXPECT_EQ(plotter->HistButtons[1]->Enabled(), c.y);
    EXPECT_EQ(plotter->EditZ->Enabled(), c.z);
    EXPECT_EQ(plotter->EditZ->Color(), c.z ? clWindow : clBtnFace);
    EXPECT_EQ(plotter->EditYMin->Enabled(), c.yRange);
    EXPECT_EQ(plotter->EditYMax->Color(), c.yRange ? clWindow : clBtnFace);
    EXPECT_EQ(plotter->edtYPnt->Enabled(), c.yRange);
    EXPECT_EQ(plotter->cmbAxes->Enabled(), c.axes);
    EXPECT_EQ(plotter->cmbAxes->ItemIndex(), 0) << "the axes type goes back to the first";
    EXPECT_EQ(plotter->txtX->Caption(), c.fLabel);
    EXPECT_EQ(plotter->Caption(), c.caption);
  }
}

TEST_F(PlotterFormTest, AChangeOfTheAxesTypeAndEnterInAPointsFieldPlotAtOnce) {
  StartShown();
  TypeInto(*plotter->EditF, "x*x");
  TypeInto(*plotter->EditXMin, "1");
  TypeInto(*plotter->EditXMax, "10");
  plotter->cmbAxes->SetFocus();
  PlotKey(VK_DOWN);
  EXPECT_EQ(plotter->cmbAxes->ItemIndex(), 1);
  EXPECT_EQ(shown2D, 1);
  EXPECT_EQ(graph.Count(), 1);
  TypeInto(*plotter->edtXPnt, "50");
  PlotKey(VK_RETURN);
  EXPECT_EQ(shown2D, 2);
  EXPECT_EQ(plotter->edtXPnt->Text(), "50") << "Enter types nothing";
}

TEST_F(PlotterFormTest, F9PlotsIntoTheGraphAndOnlyAnErrorFreeRunEntersTheHistory) {
  StartShown();
  TypeInto(*plotter->EditF, "x*sin(x)");
  TypeInto(*plotter->EditXMin, "-10");
  TypeInto(*plotter->EditXMax, "10");
  PressF9();
  EXPECT_EQ(shown2D, 1);
  EXPECT_EQ(graph.Count(), 1);
  EXPECT_EQ(plotter->History, (std::vector<std::string>{"x*sin(x)"}));
  EXPECT_EQ(ErrorLines(), 0);

  ChooseKind(3);
  TypeInto(*plotter->EditF, "x*y");
  PressF9();
  EXPECT_EQ(shown3D, 1) << "the surface goes to the 3D graph";

  ChooseKind(0);
  const std::vector<std::string> history = plotter->History;
  for (const char* faulty : {"nosuchname*x", "ln(x)"}) {
    SCOPED_TRACE(faulty);
    TypeInto(*plotter->EditF, faulty);
    TypeInto(*plotter->EditXMin, "-1");
    TypeInto(*plotter->EditXMax, "1");
    const int errorsBefore = ErrorLines();
    PressF9();
    EXPECT_GT(ErrorLines(), errorsBefore) << "the engine reports it in the main console";
    EXPECT_EQ(plotter->History, history);
  }

  TypeInto(*plotter->EditF, "x");
  TypeInto(*plotter->edtXPnt, "1");
  PressF9();
  EXPECT_NE(LastLine().Text.find("Too few plot points"), std::string::npos) << LastLine();
  EXPECT_EQ(plotter->History, history);
}

TEST_F(PlotterFormTest, TheHistoryKeepsTheMostRecentDistinctExpressions) {
  StartShown();
  TypeInto(*plotter->EditF, "x*sin(x)");
  PressF9();
  TypeInto(*plotter->EditF, "X*Sin(x)");
  PressF9();
  EXPECT_EQ(plotter->History, (std::vector<std::string>{"x*sin(x)"})) << "letter case aside, already there";
  for (int i = 1; i < 40; ++i) {
    TypeInto(*plotter->EditF, "x+" + std::to_string(i));
    PressF9();
  }
  ASSERT_EQ(plotter->History.size(), 40u);
  RestartPlotter();
  EXPECT_EQ(Stored("PLOTTERFORM", "HistCount"), "32");
  ASSERT_EQ(plotter->History.size(), 32u);
  EXPECT_EQ(plotter->History.front(), "x+39");
  EXPECT_EQ(plotter->History.back(), "x+8");
}

TEST_F(PlotterFormTest, TheHistoryListOpensBelowItsFieldAndFillsIt) {
  Store("PLOTTERFORM", "HistCount", "2");
  Store("PLOTTERFORM", "Hist_0", "x*x");
  Store("PLOTTERFORM", "Hist_1", "sin(x)");
  StartShown();
  TListBox& list = *plotter->HistList;
  TSpeedButton& button = *plotter->HistButtons[0];
  const auto clickButton = [&] {
    SynthesizeClick(plotter->Handle(), {button.Left() + 4, button.Top() + 4});
    ProcessEverything();
  };
  clickButton();
  ASSERT_TRUE(list.Visible());
  const TPoint below = plotter->ScreenToClient(plotter->EditF->ClientToScreen({0, plotter->EditF->Height() + 1}));
  EXPECT_EQ(list.BoundsRect(), Bounds(below.X, below.Y, plotter->EditF->Width(), 128));
  EXPECT_EQ(list.Items().Count(), 2);
  clickButton();
  EXPECT_FALSE(list.Visible()) << "the same button again closes it";
  clickButton();
  PlotKey(VK_ESCAPE);
  EXPECT_FALSE(list.Visible());
  EXPECT_EQ(plotter->EditF->GetSource(), "") << "Escape changes nothing";
  clickButton();
  const TRect item = list.ItemRect(1);
  SynthesizeClick(list.Handle(), {item.Left + 4, item.Top + 2});
  ProcessEverything();
  EXPECT_FALSE(list.Visible());
  EXPECT_EQ(plotter->EditF->GetSource(), "sin(x)");
}

TEST_F(PlotterFormTest, TheSectionKeepsThePlaceTheFlagAndTheHistoryOnly) {
  StartShown();
  Store("PLOTTERFORM", "Width", "2000");
  TypeInto(*plotter->EditF, "x*sin(x)");
  PressF9();
  plotter->SetBounds(120, 130, plotter->Width(), plotter->Height());
  const TSize size{plotter->Width(), plotter->Height()};
  RestartPlotter();
  EXPECT_EQ(TIniFile(Storage->FileName()).ReadSection("PLOTTERFORM"),
            (std::vector<std::string>{"Left", "Top", "Visible", "HistCount", "Hist_0"}));
  EXPECT_EQ(plotter->BoundsRect(), Bounds(120, 130, size.cx, size.cy));
  EXPECT_TRUE(plotter->ReopenFlag());
  EXPECT_EQ(plotter->History, (std::vector<std::string>{"x*sin(x)"}));
}

TEST_F(PlotterFormTest, ADamagedCountReadsTheEntriesThatAreThere) {
  for (const char* count : {"many", "-3", "7"}) {
    SCOPED_TRACE(count);
    Storage = std::make_unique<TStorage>("Quantrel.ini", 0);
    Storage->OpenSection("PLOTTERFORM", true);
    Storage->CloseSection();
    Store("PLOTTERFORM", "HistCount", count);
    Store("PLOTTERFORM", "Hist_0", "x");
    Store("PLOTTERFORM", "Hist_1", "");
    Store("PLOTTERFORM", "Hist_2", "cos(x)");
    Store("PLOTTERFORM", "Left", "40");
    StartPlotter();
    EXPECT_EQ(plotter->History, (std::vector<std::string>{"x", "cos(x)"}));
    EXPECT_EQ(plotter->Left(), 40) << "the other keys stay valid";
    FreePlotter();
    FreeEditor();
    Free();
  }
}

TEST_F(PlotterFormTest, PixelsShowThePressedKindAPinkRangeAndARedPointsField) {
  StartShown();
  TypeInto(*plotter->EditXMax, "nosuchname");
  TypeInto(*plotter->edtXPnt, "abc");
  const CountedPtr<TGdiBitmap> image = RenderWindow(plotter->Handle());
  TRect window;
  GetWindowRect(plotter->Handle(), window);
  // A control's rectangle in the window's picture.
  const auto place = [&](const TControl& control) {
    const TPoint origin = control.ClientToScreen({0, 0});
    return Bounds(origin.X - window.Left, origin.Y - window.Top, control.Width(), control.Height());
  };
  const TRect pressed = place(*plotter->KindBar->Buttons(0));
  const TRect released = place(*plotter->KindBar->Buttons(1));
  const TColor blue = RGB(0x20, 0x60, 0xE0);
  const TColor red = RGB(0xE0, 0x20, 0x20);
  EXPECT_GT(CountPixels(*image, pressed, blue), 20) << "the Line picture";
  EXPECT_GT(CountPixels(*image, released, red), 20) << "the parametric picture";
  EXPECT_NE(image->Pixel(pressed.Left, pressed.Top + pressed.Height() / 2),
            image->Pixel(released.Left, released.Top + released.Height() / 2))
      << "the pressed button's edge";
  const TRect range = place(*plotter->EditXMax);
  EXPECT_GT(CountPixels(*image, range, Pink), range.Width() * range.Height() / 3);
  TEdit& points = *plotter->edtXPnt;
  TBitmap drawn(points.ClientWidth(), points.ClientHeight(), pf32bit);
  points.Perform(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(drawn.Canvas().Handle()), PRF_CLIENT);
  EXPECT_GT(CountPixels(*drawn.Handle(), points.ClientRect(), clRed), 5) << "the points field's text is red";
}

}  // namespace
