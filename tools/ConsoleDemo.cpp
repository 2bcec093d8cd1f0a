// The main window's console on a desktop with its command line and a real
// engine: every line kind, a nested listing, the three kinds of separator and a selected
// line, in the colour scheme given by --scheme N (1 default, 2 black and
// white, 3 monogreen, 4 deep blue). --type TEXT types the text into the
// command line and presses Enter, as a user would, once the window shows.
// With --screenshot FILE the demo saves a picture of itself and ends.

#include <cstdlib>
#include <cstring>

#include <memory>

#include "console/Console.h"
#include "console/Sounds.h"
#include "console/XEdit.h"
#include "runtime/Storage.h"
#include "shell/Images.h"
#include "shell/MainForm.h"
#include "toolkit/controls/Application.h"
#include "toolkit/controls/Form.h"
#include "toolkit/gdi/Bitmap.h"
#include "toolkit/gdi/ImageList.h"
#include "toolkit/qt/QtPlatform.h"
#include "toolkit/qt/SyntheticInput.h"
#include "toolkit/win/Keys.h"
#include "tools/DemoRun.h"

namespace {

// The value after the option; null when the option is not given.
const char* OptionValue(int argc, char** argv, const char* option) {
  for (int i = 1; i + 1 < argc; ++i)
    if (std::strcmp(argv[i], option) == 0) return argv[i + 1];
  return nullptr;
}

int SchemeOf(int argc, char** argv) {
  const char* scheme = OptionValue(argc, argv, "--scheme");
  return scheme ? std::atoi(scheme) : 1;
}

void TypeAndEnter(TForm& form, TXEdit& commandLine, const std::string& text) {
  form.Show();
  commandLine.SetFocus();
  SettleFor(300);
  SynthesizeTyping(form.Handle(), text);
  SynthesizeKeyStroke(form.Handle(), VK_RETURN, "\r");
  SettleFor(100);
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
  const TFreshSettingsFolder settings;
  Storage = std::make_unique<TStorage>("console-demo.ini", 0);
  StartQtPlatform(argc, argv);
  Application().SetTitle("Console demo");
  auto images = std::make_unique<TImages>(nullptr);
  TImageList icons;
  FillIcons(icons);
  auto* form = Application().CreateForm<TMainForm>();
  form->SetBounds(60, 60, 560, 380);
  TConsole* console = form->Console;
  console->SetImages(&icons);
  console->ApplyScheme(SchemeOf(argc, argv));
  form->ApplyEditColors();
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
  if (const char* text = OptionValue(argc, argv, "--type")) TypeAndEnter(*form, *form->CommandLine, text);
  const int result = RunDemo(argc, argv, form);
  // While Qt still runs: a focused text widget torn down at exit crashes in Qt.
  delete form;
  images.reset();
  AppSounds.reset();
  Storage.reset();
  return result;
}
