// Pictures of the toolkit's services as the desktop shows them: the help
// viewer on a topic page, the input dialog with an invalid (red) text, a
// colour box dropped down and a Cancel / Try Again / Continue message box.
// services-gallery DIR saves them there and ends
// (scripts/gallery-screenshot.sh runs it under Xvfb).

#include <cstdio>
#include <string>

#include "runtime/Help.h"
#include "shell/InputForm.h"
#include "toolkit/controls/Application.h"
#include "toolkit/controls/ColorBox.h"
#include "toolkit/controls/Label.h"
#include "toolkit/qt/DialogDriver.h"
#include "toolkit/qt/HelpViewer.h"
#include "toolkit/qt/QtPlatform.h"
#include "toolkit/qt/Screenshot.h"
#include "toolkit/win/MessageBox.h"
#include "tools/DemoRun.h"

namespace {

bool SaveHelpViewer(const std::string& folder) {
  ShowHelp("a1_02_09.htm");
  SettleFor(800);
  const bool saved = HelpViewer().SaveImage(folder + "/help-viewer.png");
  HelpViewer().Close();
  return saved;
}

bool SaveInputDialog(const std::string& folder) {
  TInputForm form(nullptr);
  form.SetMode(imInteger);
  form.Edit().EditLabel().SetCaption("Number of points");
  form.Edit().SetText("12e3");
  form.Show();
  // Shown selected, the text would hide its colour.
  form.Edit().SetSelStart(4);
  SettleFor(800);
  return SaveScreenshot(form.Handle(), folder + "/input-dialog-red.png");
}

bool SaveColorBox(const std::string& folder) {
  TForm form(nullptr);
  form.SetCaption(" Colours");
  form.SetBounds(100, 100, 260, 420);
  auto* box = new TColorBox(&form);
  box->SetParent(&form);
  box->SetBounds(10, 10, 200, 24);
  box->SetStyle(cbCustomColor | cbStandardColors | cbExtendedColors | cbPrettyNames);
  box->SetSelected(clTeal);
  form.Show();
  SettleFor(500);
  box->SetDroppedDown(true);
  SettleFor(800);
  const bool saved = SaveScreenshot(form.Handle(), folder + "/color-box-dropped.png");
  box->SetDroppedDown(false);
  return saved;
}

bool SaveMessageBox(const std::string& folder) {
  bool saved = false;
  WhenModalDialogShown([&] {
    SettleFor(500);
    saved = SaveModalDialogPicture(folder + "/message-box-cancel-try-continue.png");
    ClickModalDialogButton("Cancel");
  });
  MessageBox(nullptr, "The file could not be read.", "Quantrel", MB_CANCELTRYCONTINUE | MB_ICONWARNING);
  return saved;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: services-gallery DIR\n");
    return 2;
  }
  StartQtPlatform(argc, argv);
  Application().SetTitle("Quantrel");
  const std::string folder = argv[1];
  bool saved = SaveHelpViewer(folder);
  saved = SaveInputDialog(folder) && saved;
  saved = SaveColorBox(folder) && saved;
  saved = SaveMessageBox(folder) && saved;
  return saved ? 0 : 1;
}
