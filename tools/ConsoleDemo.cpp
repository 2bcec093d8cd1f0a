// The console on a desktop: every line kind, a nested listing, the three
// kinds of separator and a selected line, in the colour scheme given by
// --scheme N (1 default, 2 black and white, 3 monogreen, 4 deep blue).
// With --screenshot FILE the demo saves a picture of itself and ends.

#include <cstdlib>
#include <cstring>

#include "console/Console.h"
#include "console/Syntax.h"
#include "toolkit/controls/Application.h"
#include "toolkit/controls/Form.h"
#include "toolkit/gdi/Bitmap.h"
#include "toolkit/gdi/ImageList.h"
#include "toolkit/qt/QtPlatform.h"
#include "tools/DemoRun.h"

namespace {

int SchemeOf(int argc, char** argv) {
  for (int i = 1; i + 1 < argc; ++i)
    if (std::strcmp(argv[i], "--scheme") == 0) return std::atoi(argv[i + 1]);
  return 1;
}

// Stand-ins for the program's line icons: 1 fatal, 2 error, 3 warning, 4 information.
void FillIcons(TImageList& icons) {
  for (const TColor color : {clBlack, clMaroon, clRed, clOlive, clBlue}) {
    TBitmap icon(16, 16);
    icon.Canvas().Brush().SetColor(clWhite);
    icon.Canvas().FillRect({0, 0, 16, 16});
    icon.Canvas().Brush().SetColor(color);
    icon.Canvas().Ellipse(2, 2, 14, 14);
    icons.AddMasked(icon, clWhite);
  }
}

}  // namespace

int main(int argc, char** argv) {
  StartQtPlatform(argc, argv);
  Application().SetTitle("Console demo");
  TSyntax syntax;
  TImageList icons;
  FillIcons(icons);
  auto* form = Application().CreateForm<TForm>();
  form->SetCaption("Console demo");
  form->SetBounds(60, 60, 560, 380);
  auto* console = new TConsole(form);
  console->SetParent(form);
  console->SetAlign(alClient);
  console->Syntax = &syntax;
  console->SetImages(&icons);
  console->ApplyScheme(SchemeOf(argc, argv));
  console->AddLine("x := Sqrt(2) + 1", lkInput, 0);
  console->AddLine("2.41421356237309505", lkResult, 0);
  console->AddLine("ShowMat({{1, 2}, {3, 4}})", lkInput, 0);
  console->AddLine("Matrix 2 x 2", lkOutput, 0);
  console->AddLine("Row 1:  1  2", lkOutput, 1);
  console->AddLine("Row 2:  3  4", lkOutput, 1);
  console->AddLine("-", lkSplit, 0);
  console->AddLine("Library \"Math\" loaded successfully", lkInfo, 0);
  console->AddLine("Variable \"y\" is never used", lkWarning, 0);
  console->AddLine("Division by zero at [1:7] ", lkError, 0);
  console->AddLine("=", lkSplit, 0);
  console->AddLine("Stack overflow", lkFatal, 0);
  console->AddLine("*", lkSplit, 0);
  console->AddLine("'text' + 'more'", lkInput, 0);
  PDataNode selected = console->Tree->FirstRootNodeRaw();
  selected = console->Tree->NextSiblingOf(selected);
  console->Tree->SetNodeSelected(selected, true);
  return RunDemo(argc, argv, form);
}
