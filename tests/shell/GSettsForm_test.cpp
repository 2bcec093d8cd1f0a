// The graph settings dialog, opened by the graph windows' Settings buttons
// and driven by real clicks and keys while it shows modally: its modes,
// style lists and Data page rules, conversion warnings, what OK and Cancel
// leave in the renderer, and its place in the start-up.

#include "shell/GSettsForm.h"

#include <cstdio>
#include <sstream>

#include "runtime/Params.h"
#include "tests/shell/DialogInput.h"
#include "tests/shell/GraphWindowsFixture.h"
#include "tests/toolkit/DialogScript.h"
#include "toolkit/controls/Button.h"
#include "toolkit/controls/Clipboard.h"
#include "toolkit/controls/Label.h"
#include "toolkit/controls/PageControl.h"
#include "toolkit/controls/RadioGroup.h"
#include "toolkit/controls/ToolBar.h"
#include "toolkit/win/Styles.h"

namespace {

constexpr TInputModifiers Ctrl{false, true, false};

std::string Exact(long double x) {
  char text[64];
  std::snprintf(text, sizeof text, "%La", x);
  return text;
}

// Every option, the reals to the last bit.
std::string Dump(const TXGOptions& o) {
  std::ostringstream out;
  out << o.Title << '|' << o.TitleX << '|' << o.TitleY << '|' << o.TitleZ << '|' << o.GridX << o.GridY << o.GridZ
      << o.LabelsX << o.LabelsY << o.LabelsZ << o.MinorGridX << o.MinorGridY << o.MinorGridZ << '|'
      << int(o.ExportFormat) << int(o.AxesKind) << '|' << o.Mantissa << ',' << o.Exponent << '|' << o.AutoX << o.AutoY
      << o.AutoZ << o.AxesInFront << o.Legend << o.HeightsBar << int(o.CoordSys) << o.FastDraw << o.BlackWhite;
  for (const TPoint3D* p : {&o.Min, &o.Max, &o.Inc}) out << '|' << Exact(p->X) << ',' << Exact(p->Y) << ',' << Exact(p->Z);
  return out.str();
}

// A data set's style.
std::string Dump(const TXData& d) {
  std::ostringstream out;
  out << d.Name << '|' << int(d.Opts.DrawKind) << int(d.Opts.Renderer) << int(d.Opts.BarKind) << int(d.Opts.Symbol)
      << int(d.Opts.Shader) << '|' << int(d.Pen.Style) << ',' << d.Pen.Width << ',' << d.Pen.Color << '|'
      << int(d.Brush.Style) << ',' << d.Brush.Color << '|' << d.Visible;
  return out.str();
}

template <class TGraph>
std::vector<std::string> Styles(const TGraph& graph) {
  std::vector<std::string> styles;
  for (int i = 0; i < graph.Count(); ++i) styles.push_back(Dump(*graph.GetItem(i)));
  return styles;
}

class GSettsFormTest : public GraphWindowsTest, protected DialogInput {
protected:
  GSettsFormTest() : desktopClipboard(SetClipboardStore(&clipboard)) {}
  ~GSettsFormTest() override { SetClipboardStore(desktopClipboard); }

  void SetUp() override { StartGraphs(); }

  // The window shown and active, its Settings button clicked, the steps run in the dialog.
  template <class TWindow>
  void InSettings(TWindow& window, std::function<void()> steps) {
    if (!window.Visible()) window.Toggle();
    window.SetFocus();
    Idle();
    WhenShown(*dialog(), std::move(steps));
    const TControl& button = *window.ToolBar->Buttons(0);
    ASSERT_EQ(button.Action(), window.actSettings);
    SynthesizeClick(window.ToolBar->Handle(), {button.Left() + button.Width() / 2, button.Top() + button.Height() / 2});
    ProcessEverything();
  }
  static TGSettsForm* dialog() { return GSettsForm; }
  static void Ok() { ClickButton(*GSettsForm->OKButton); }
  static void Cancel() { ClickButton(*GSettsForm->CancelButton); }
  static void ShowPage(TTabSheet* page) {
    GSettsForm->PageControl->SetActivePage(page);
    ProcessEverything();
  }
  // A line of the Data List, on its page.
  static void ClickData(int line) {
    ShowPage(GSettsForm->DataPage);
    ClickItem(*GSettsForm->lstDatas, line);
  }
  // The entries of a drop-down list.
  static std::vector<std::string> Entries(TComboBox& list) {
    std::vector<std::string> entries;
    for (int i = 0; i < list.Items().Count(); ++i) entries.push_back(list.Items().Strings(i));
    return entries;
  }
  // The 2D graph with data sets of these class codes, named after their places.
  static void Fill2D(std::initializer_list<std::uint8_t> kinds) {
    GraphForm->Graph->Clear();
    for (std::uint8_t kind : kinds) GraphForm->Graph->AddData("D" + std::to_string(GraphForm->Graph->Count()), kind);
  }
  static void Fill3D(std::initializer_list<std::uint8_t> kinds) {
    Graph3DForm->Graph->Clear();
    for (std::uint8_t kind : kinds) Graph3DForm->Graph->AddData("E" + std::to_string(Graph3DForm->Graph->Count()), kind);
  }

  TMemoryClipboardStore clipboard;
  IClipboardStore* desktopClipboard;
  TScriptedDialogs dialogs;
  TRecordingMessageBoxes boxes;
};

TEST_F(GSettsFormTest, EachModeEnablesItsControls) {
  const auto enabled = [] {
    TGSettsForm& d = *GSettsForm;
    std::vector<bool> states;
    for (TControl* control : std::initializer_list<TControl*>{d.rgAxes, d.cmbCoords, d.edtZCaption, d.chkZLabels,
                                                              d.chkZGrid, d.chkXMinor, d.chkYMinor, d.chkZMinor,
                                                              d.chkAxesInFront, d.chkFastDraw})
      states.push_back(control->Enabled());
    return states;
  };
  InSettings(*GraphForm, [&] {
    EXPECT_EQ(dialog()->Caption(), " Graph Settings");
    EXPECT_EQ(dialog()->Mode, 0);
    EXPECT_EQ(enabled(), (std::vector<bool>{true, true, false, false, false, true, true, false, true, false}));
    std::vector<std::string> pages;
    for (int i = 0; i < dialog()->PageControl->PageCount(); ++i) pages.push_back(dialog()->PageControl->Pages(i)->Caption());
    EXPECT_EQ(pages, (std::vector<std::string>{" General ", " Data ", " Scales ", " Background ", " Options "}));
    Cancel();
  });
  InSettings(*Graph3DForm, [&] {
    EXPECT_EQ(dialog()->Mode, 1);
    EXPECT_EQ(enabled(), (std::vector<bool>{false, false, true, true, true, false, false, false, false, true}));
    Cancel();
  });
}

TEST_F(GSettsFormTest, EachClassIsOfferedTheStylesOfItsModeAndScatterTakesASymbolSize) {
  using TNames = std::vector<std::string>;
  const TNames series{" Line", " Scatter", " Wall", " Bars", " Stem"};
  const TNames vectors{" Vector Field"};
  Fill2D({SeriesKind, Series3DKind, MeshKind, FieldKind});
  InSettings(*GraphForm, [&] {
    const TNames expected[] = {series, {" Error plot"}, {" Scatter", " Surface", " Contour Lines"}, vectors};
    for (int i = 0; i < 4; ++i) {
      ClickData(i);
      EXPECT_EQ(Entries(*dialog()->cmbDStyles), expected[i]) << i;
      EXPECT_EQ(dialog()->DataKind, GraphForm->Graph->GetItem(i)->Kind);
    }
    ClickData(0);
    EXPECT_EQ(dialog()->cmbDStyles->Text(), " Line");
    EXPECT_EQ(dialog()->lblPWidth->Caption(), "Line Width");
    EXPECT_FALSE(dialog()->cmbBStyle->Enabled()) << "a line has no fill";
    EXPECT_FALSE(dialog()->colBrush->Enabled());
    Choose(*dialog()->cmbDStyles, 1);
    EXPECT_EQ(dialog()->Datas[0]->Opts.DrawKind, dkScatter);
    EXPECT_EQ(dialog()->lblPWidth->Caption(), "Symbol Size");
    EXPECT_TRUE(dialog()->cmbScatSym->Enabled());
    EXPECT_FALSE(dialog()->cmbShader->Enabled()) << "a series has no shader";
    EXPECT_FALSE(dialog()->cmbBarKind->Enabled());
    Choose(*dialog()->cmbDStyles, 3);
    EXPECT_TRUE(dialog()->cmbBarKind->Enabled());
    EXPECT_FALSE(dialog()->cmbScatSym->Enabled());
    Cancel();
  });
  Fill3D({SeriesKind, Series3DKind, MeshKind, ShapeKind, FieldKind});
  InSettings(*Graph3DForm, [&] {
    const TNames expected[] = {series, {" Line", " Scatter", " Stem"}, {" Scatter", " Surface"}, {" Shape"}, vectors};
    for (int i = 0; i < 5; ++i) {
      ClickData(i);
      EXPECT_EQ(Entries(*dialog()->cmbDStyles), expected[i]) << i;
    }
    ClickData(2);
    EXPECT_EQ(dialog()->cmbDStyles->Text(), " Surface");
    EXPECT_TRUE(dialog()->cmbRender->Enabled()) << "a solid surface";
    EXPECT_TRUE(dialog()->cmbShader->Enabled());
    Choose(*dialog()->cmbBStyle, 1);
    EXPECT_FALSE(dialog()->cmbRender->Enabled()) << "no fill, no renderer";
    EXPECT_FALSE(dialog()->cmbShader->Enabled());
    Cancel();
  });
}

// A draw kind a class has no entry for (here a series drawn as contours)
// shows no entry and stays as it is.
TEST_F(GSettsFormTest, ADrawKindWithoutAnEntryShowsNoneAndIsKept) {
  Fill2D({SeriesKind});
  GraphForm->Graph->GetItem(0)->Opts.DrawKind = dkContour;
  InSettings(*GraphForm, [&] {
    EXPECT_EQ(dialog()->cmbDStyles->ItemIndex(), -1);
    EXPECT_EQ(dialog()->Datas[0]->Opts.DrawKind, dkContour);
    EXPECT_EQ(dialog()->IndexToStyle(9), 10);
    EXPECT_EQ(dialog()->StyleToIndex(dkContour), -1);
    Ok();
  });
  EXPECT_EQ(GraphForm->Graph->GetItem(0)->Opts.DrawKind, dkContour);
}

TEST_F(GSettsFormTest, TheLastDataSetIsChosenFirstAndTheUsersChoiceStaysWhileTheModeDoes) {
  Fill2D({SeriesKind, SeriesKind, SeriesKind});
  Fill3D({MeshKind, MeshKind});
  const auto chosen = [] { return std::make_pair(dialog()->lstDatas->ItemIndex(), dialog()->edtSName->Text()); };
  InSettings(*GraphForm, [&] {
    EXPECT_EQ(chosen(), std::make_pair(2, std::string("D2")));
    ClickData(0);
    Cancel();
  });
  InSettings(*GraphForm, [&] {
    EXPECT_EQ(chosen(), std::make_pair(0, std::string("D0")));
    Ok();
  });
  InSettings(*Graph3DForm, [&] {
    EXPECT_EQ(chosen(), std::make_pair(1, std::string("E1")));
    ClickData(0);
    Cancel();
  });
  InSettings(*GraphForm, [&] {
    EXPECT_EQ(chosen(), std::make_pair(2, std::string("D2"))) << "the mode changed";
    Cancel();
  });
}

TEST_F(GSettsFormTest, BrokenLinesAreOnePixelWideAndContourLinesHaveNoFill) {
  Fill2D({SeriesKind, MeshKind});
  GraphForm->Graph->GetItem(0)->Pen.Width = 4;
  InSettings(*GraphForm, [&] {
    ClickData(0);
    EXPECT_EQ(dialog()->cmbPWidth->Text(), " 4");
    Choose(*dialog()->cmbPStyle, 1);
    EXPECT_EQ(dialog()->Datas[0]->Pen.Style, psDash);
    EXPECT_EQ(dialog()->Datas[0]->Pen.Width, 1);
    EXPECT_EQ(dialog()->cmbPWidth->Text(), " 1");
    Choose(*dialog()->cmbPStyle, 0);
    EXPECT_EQ(dialog()->Datas[0]->Pen.Width, 1) << "kept until changed";
    Choose(*dialog()->cmbPWidth, 2);
    EXPECT_EQ(dialog()->Datas[0]->Pen.Width, 3);

    ClickData(1);
    EXPECT_EQ(dialog()->Datas[1]->Brush.Style, bsSolid);
    Choose(*dialog()->cmbDStyles, 2);
    EXPECT_EQ(dialog()->Datas[1]->Opts.DrawKind, dkContour);
    EXPECT_EQ(dialog()->Datas[1]->Brush.Style, bsClear);
    EXPECT_EQ(dialog()->cmbBStyle->Text(), " None");
    EXPECT_TRUE(dialog()->cmbShader->Enabled());
    EXPECT_FALSE(dialog()->cmbBStyle->Enabled());
    Ok();
  });
  EXPECT_EQ(GraphForm->Graph->GetItem(0)->Pen.Width, 3);
  EXPECT_EQ(GraphForm->Graph->GetItem(1)->Opts.DrawKind, dkContour);
  EXPECT_EQ(GraphForm->Graph->GetItem(1)->Brush.Style, bsClear);
}

TEST_F(GSettsFormTest, AFieldThatDoesNotConvertIsWarnedAboutAndKeptTheOthersAreApplied) {
  TXGOptions& options = GraphForm->Graph->Options;
  options.AutoX = false;
  options.Min.X = -2;
  InSettings(*GraphForm, [&] {
    ShowPage(dialog()->ScalesPage);
    EXPECT_TRUE(dialog()->edtMin[0]->Enabled());
    EXPECT_FALSE(dialog()->edtMin[1]->Enabled()) << "Y is automatic";
    TypeInto(*dialog()->edtMin[0], " 1e");
    TypeInto(*dialog()->edtMax[0], "7.5");
    TypeInto(*dialog()->edtMantissa, "abc");
    TypeInto(*dialog()->edtExponent, "2");
    ShowPage(dialog()->GeneralPage);
    TypeInto(*dialog()->edtTitle, "Waves");
    Ok();
  });
  ASSERT_EQ(boxes.Shown.size(), 2u);
  EXPECT_EQ(boxes.Shown[0].Text, "X min: failed to convert to real");
  EXPECT_EQ(boxes.Shown[0].Type, MB_OK | MB_ICONWARNING);
  EXPECT_EQ(boxes.Shown[1].Text, "Mantissa: failed to convert to integer");
  EXPECT_EQ(options.Min.X, -2);
  EXPECT_EQ(options.Max.X, 7.5L);
  EXPECT_EQ(options.Mantissa, 4);
  EXPECT_EQ(options.Exponent, 2);
  EXPECT_EQ(options.Title, "Waves");
  EXPECT_FALSE(dialog()->Showing()) << "the dialog closes anyway";
}

// The edits show 4 digits; what the user leaves as shown keeps its value.
TEST_F(GSettsFormTest, UntouchedScalesKeepEveryBitATypedOneIsStoredAsTyped) {
  TXGOptions& options = GraphForm->Graph->Options;
  options.AutoX = options.AutoY = false;
  options.Min = {0.1L, -3.14159L, 0};
  options.Max = {1234567, 3.14159L, 1};
  options.Inc = {0.3333333L, 1e-7L, 1};
  GraphForm->ShowGraph();
  const std::string before = Dump(options);
  InSettings(*GraphForm, [&] {
    ShowPage(dialog()->ScalesPage);
    EXPECT_EQ(dialog()->edtMax[1]->Text(), "3.142");
    EXPECT_EQ(dialog()->edtMax[1]->Text(), TGSettsForm::FormatReal(3.14159L));
    Ok();
  });
  EXPECT_EQ(Dump(options), before);
  InSettings(*GraphForm, [&] {
    ShowPage(dialog()->ScalesPage);
    TypeInto(*dialog()->edtMax[1], "3.142");
    Ok();
  });
  EXPECT_EQ(options.Max.Y, 3.142L);
  EXPECT_EQ(Exact(options.Min.Y), Exact(-3.14159L));
  EXPECT_TRUE(boxes.Shown.empty());
}

TEST_F(GSettsFormTest, CancelAndAnUnchangedOkLoseNothing) {
  ASSERT_EQ(Graph3DForm->Graph->Count(), 1);
  Fill2D({SeriesKind, MeshKind, FieldKind});
  GraphForm->Graph->GetItem(1)->Visible = false;
  GraphForm->Graph->Options.AutoY = false;
  GraphForm->Graph->Options.Max.Y = 2.718281828L;
  GraphForm->ShowGraph();
  Graph3DForm->ShowGraph();
  ProcessEverything();
  const std::string options2D = Dump(GraphForm->Graph->Options);
  const std::string options3D = Dump(Graph3DForm->Graph->Options);
  const std::vector<std::string> styles2D = Styles(*GraphForm->Graph);
  const std::vector<std::string> styles3D = Styles(*Graph3DForm->Graph);
  const std::vector<TColor> pixels2D = ShownPixels(*GraphForm);
  const std::vector<TColor> pixels3D = ShownPixels(*Graph3DForm);
  const auto unchanged = [&](const char* after) {
    EXPECT_EQ(Dump(GraphForm->Graph->Options), options2D) << after;
    EXPECT_EQ(Dump(Graph3DForm->Graph->Options), options3D) << after;
    EXPECT_EQ(Styles(*GraphForm->Graph), styles2D) << after;
    EXPECT_EQ(Styles(*Graph3DForm->Graph), styles3D) << after;
    EXPECT_EQ(ShownPixels(*GraphForm), pixels2D) << after;
    EXPECT_EQ(ShownPixels(*Graph3DForm), pixels3D) << after;
  };
  InSettings(*GraphForm, [&] {
    ShowPage(dialog()->DataPage);
    ClickData(0);
    TypeInto(*dialog()->edtSName, "Renamed");
    EXPECT_EQ(dialog()->lstDatas->Items().Strings(0), "Renamed");
    Choose(*dialog()->cmbPStyle, 2);
    Cancel();
  });
  unchanged("Cancel");
  InSettings(*GraphForm, [&] { Ok(); });
  unchanged("OK in 2D");
  InSettings(*Graph3DForm, [&] { Ok(); });
  unchanged("OK in 3D");
  for (TToolForm* window : std::initializer_list<TToolForm*>{GraphForm, Graph3DForm}) {
    window->Toggle();
    window->Toggle();
  }
  ProcessEverything();
  unchanged("hidden and shown");
}

TEST_F(GSettsFormTest, ARenamedHiddenDataSetAndTheBackgroundReachTheRendererOnOk) {
  Fill2D({SeriesKind, SeriesKind});
  TFontChoice font{"DejaVu Serif", -17, fsBold, clMaroon};
  dialogs.Script({true, "", 1, "", 0, font});
  InSettings(*GraphForm, [&] {
    ShowPage(dialog()->DataPage);
    ClickData(0);
    TypeInto(*dialog()->edtSName, "Renamed");
    ChooseColour(*dialog()->colPen, clRed);
    const TRect box = dialog()->lstDatas->ItemRect(1);
    SynthesizeClick(dialog()->lstDatas->Handle(), {box.Left + 8, box.Top + box.Height() / 2});
    ProcessEverything();
    EXPECT_FALSE(dialog()->lstDatas->Checked(1));
    EXPECT_TRUE(dialog()->lstDatas->Checked(0)) << "renaming keeps the check";
    ShowPage(dialog()->BackgroundPage);
    Choose(*dialog()->cmbBPS, 2);
    ChooseColour(*dialog()->colBP, clNavy);
    Choose(*dialog()->cmbBPW, 2);
    ChooseColour(*dialog()->ColBB, clYellow);
    Choose(*dialog()->cmbBBS, 6);
    ChooseColour(*dialog()->colGrid, clGreen);
    Choose(*dialog()->cmbGrid, 1);
    Choose(*dialog()->cmbGW, 1);
    ClickButton(*dialog()->FontButton);
    EXPECT_NE(GraphForm->Graph->FramePen.Color, clNavy) << "read only on OK";
    Ok();
  });
  const TXGraph& graph = *GraphForm->Graph;
  EXPECT_EQ(graph.GetItem(0)->Name, "Renamed");
  EXPECT_EQ(graph.GetItem(0)->Pen.Color, clRed);
  EXPECT_FALSE(graph.GetItem(1)->Visible);
  EXPECT_EQ(graph.FramePen.Style, psDot);
  EXPECT_EQ(graph.FramePen.Color, clNavy);
  EXPECT_EQ(graph.FramePen.Width, 3);
  EXPECT_EQ(graph.BackBrush.Color, clYellow);
  EXPECT_EQ(graph.BackBrush.Style, bsCross);
  EXPECT_EQ(graph.GridPen.Color, clGreen);
  EXPECT_EQ(graph.GridPen.Style, psDash);
  EXPECT_EQ(graph.GridPen.Width, 2);
  EXPECT_EQ(graph.Font.Name(), "DejaVu Serif");
  EXPECT_EQ(graph.Font.Height(), -17);
  ASSERT_EQ(dialogs.Requests.size(), 1u);
  EXPECT_EQ(dialogs.Requests[0].Kind, TDialogKind::Font);
  EXPECT_EQ(PixelsUnlikePaintTo(*GraphForm), 0) << "repainted";
}

TEST_F(GSettsFormTest, TheExportFormatAndGrayscaleReachTheOptionsAndTheNextCopy) {
  InSettings(*GraphForm, [&] {
    EXPECT_EQ(dialog()->cmbExport->Text(), " Enhanced Metafile");
    ShowPage(dialog()->OptionsPage);
    Choose(*dialog()->cmbExport, 0);
    Toggle(*dialog()->chkGrayscale);
    Ok();
  });
  EXPECT_EQ(GraphForm->Graph->Options.ExportFormat, 0);
  EXPECT_TRUE(GraphForm->Graph->Options.BlackWhite);
  clipboard.Clear();
  PressIn(*GraphForm, 'C', Ctrl);
  EXPECT_TRUE(clipboard.HasFormat(CF_BITMAP) || clipboard.HasFormat(CF_DIB));
  EXPECT_FALSE(clipboard.HasFormat(CF_ENHMETAFILE));
}

// Styles go back by index only to the list they were copied from.
TEST_F(GSettsFormTest, ADataSetAddedWhileTheDialogShowsKeepsEveryStyleButTheOptionsApply) {
  Fill2D({SeriesKind, SeriesKind});
  std::vector<std::string> styles;
  InSettings(*GraphForm, [&] {
    ClickData(0);
    TypeInto(*dialog()->edtSName, "Lost");
    ShowPage(dialog()->GeneralPage);
    TypeInto(*dialog()->edtTitle, "Kept");
    GraphForm->Graph->AddData("Late", SeriesKind);
    styles = Styles(*GraphForm->Graph);
    Ok();
  });
  EXPECT_EQ(Styles(*GraphForm->Graph), styles);
  EXPECT_EQ(GraphForm->Graph->Options.Title, "Kept");
  GraphForm->Graph->Clear();
  GraphForm->Graph->AddData("A", SeriesKind);
  GraphForm->Graph->AddData("B", SeriesKind);
  InSettings(*GraphForm, [&] {
    ClickData(0);
    TypeInto(*dialog()->edtSName, "Lost");
    GraphForm->Graph->Clear();
    GraphForm->Graph->AddData("C", SeriesKind);
    GraphForm->Graph->AddData("D", SeriesKind);
    Ok();
  });
  EXPECT_EQ(GraphForm->Graph->GetItem(0)->Name, "C") << "the same count, another list";
}

TEST_F(GSettsFormTest, HelpOpensTheDialogsPage) {
  InSettings(*GraphForm, [&] {
    ClickButton(*dialog()->HelpButton);
    Cancel();
  });
  EXPECT_EQ(help.Pages, std::vector<std::string>{HelpFolder() + "a1_02_07.htm"});
}

TEST_F(GSettsFormTest, SettingsOfAnEmpty2DGraphAreOpenTheEmpty3DGraphsAreNot) {
  GraphForm->Graph->Clear();
  Graph3DForm->Graph->Clear();
  GraphForm->Toggle();
  Graph3DForm->Toggle();
  Idle();
  EXPECT_TRUE(GraphForm->actSettings->Enabled());
  EXPECT_FALSE(Graph3DForm->actSettings->Enabled());
  InSettings(*GraphForm, [&] {
    EXPECT_EQ(dialog()->lstDatas->Items().Count(), 0);
    ShowPage(dialog()->GeneralPage);
    Toggle(*dialog()->chkLegend);
    Ok();
  });
  EXPECT_TRUE(GraphForm->Graph->Options.Legend);
}

class GSettsFormInTaskTest : public GSettsFormTest {
protected:
  void SetUp() override {
    Params.WinsInTask = true;
    GSettsFormTest::SetUp();
  }
};

TEST_F(GSettsFormInTaskTest, TheDialogIsAToolWindow) {
  InSettings(*GraphForm, [&] {
    EXPECT_TRUE(GetWindowLongPtr(dialog()->Handle(), GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
    Cancel();
  });
}

}  // namespace
