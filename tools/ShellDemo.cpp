// The shell's foundations on one form: the five image lists as rows of
// pictures, a TXButton whose menu drops below it, and a TXHint over a
// button; and the About box. With --screenshot FILE it saves the form with
// the hint as FILE, with the menu dropped as FILE's name followed by
// "-menu.png", and the About box (both views) as "-about.png" and
// "-about2.png".

#include <cstring>
#include <string>

#include "shell/Images.h"
#include "shell/Splash.h"
#include "shell/XButton.h"
#include "shell/XHint.h"
#include "tools/DemoRun.h"
#include "toolkit/controls/Application.h"
#include "toolkit/controls/Form.h"
#include "toolkit/controls/Menus.h"
#include "toolkit/controls/PaintBox.h"
#include "toolkit/controls/Timer.h"
#include "toolkit/qt/QtPlatform.h"
#include "toolkit/qt/Screenshot.h"
#include "toolkit/win/Input.h"
#include "toolkit/win/Menu.h"

namespace {

struct TListRow {
  const char* Name;
  const TImageList& List;
};

void PaintLists(TPaintBox& box, const TImages& images) {
  const TListRow rows[] = {{"Norm", images.Norm},
                           {"Hot", images.Hot},
                           {"SNorm", images.SNorm},
                           {"SDis", images.SDis},
                           {"SHot", images.SHot}};
  TCanvas& canvas = box.Canvas();
  canvas.Brush().SetColor(clWindow);
  canvas.FillRect(box.ClientRect());
  int y = 6;
  for (const TListRow& row : rows) {
    canvas.TextOut(6, y + 2, row.Name);
    for (int i = 0; i < row.List.Count(); ++i) row.List.Draw(canvas, 60 + i * 20, y, i);
    y += 24;
  }
}

TPopupMenu* MakeMenu(TForm& form) {
  auto* menu = new TPopupMenu(&form);
  for (const char* caption : {"&Settings...", "&Clear console", "-", "&Help"}) {
    auto* item = new TMenuItem(&form);
    item->SetCaption(caption);
    menu->Items().Add(item);
  }
  return menu;
}

std::string PictureName(std::string fileName, const std::string& suffix) {
  const size_t dot = fileName.rfind(".png");
  return fileName.substr(0, dot) + suffix + ".png";
}

// The splash as the About box shows it, in both views.
bool SaveAboutBox(const std::string& fileName) {
  TfrmSplash splash(nullptr);
  splash.FillAboutText();
  splash.Show();
  SettleFor(500);
  bool saved = SaveScreenshot(splash.Handle(), PictureName(fileName, "-about"));
  splash.SetAboutView(true);
  SettleFor(300);
  saved = SaveScreenshot(splash.Handle(), PictureName(fileName, "-about2")) && saved;
  return saved;
}

// Presses the button; while the menu shows, the picture is taken and the menu closed.
bool SaveWithMenuDropped(TForm& form, TXButton& button, const std::string& fileName) {
  bool saved = false;
  TTimer timer(&form);
  timer.SetInterval(800);
  timer.SetOnTimer([&](TObject*) {
    timer.SetEnabled(false);
    saved = SaveScreenshot(form.Handle(), fileName);
    EndMenu();
  });
  timer.SetEnabled(true);
  const TPoint press = button.ClientToScreen({8, 8});
  InjectMouseButton(press, TInputButton::Left, true, false, {});
  InjectMouseButton(press, TInputButton::Left, false, false, {});
  return saved;
}

}  // namespace

int main(int argc, char** argv) {
  StartQtPlatform(argc, argv);
  TImages images(&Application());
  auto* form = Application().CreateForm<TForm>();
  form->SetCaption("Shell demo");
  form->SetBounds(100, 100, 760, 300);
  auto* lists = new TPaintBox(form);
  lists->SetParent(form);
  lists->SetBounds(0, 0, 760, 130);
  lists->OnPaint = [&](TObject*) { PaintLists(*lists, images); };

  auto* menuButton = new TXButton(form);
  menuButton->SetParent(form);
  menuButton->SetBounds(10, 140, 90, 26);
  menuButton->SetCaption("Menu");
  menuButton->CopyImage(images.Norm, 0);
  menuButton->SetDropMenu(MakeMenu(*form));

  auto* hinted = new TXButton(form);
  hinted->SetParent(form);
  hinted->SetBounds(300, 140, 90, 26);
  hinted->SetCaption("Hinted");
  hinted->CopyImage(images.Norm, 10);

  TXHint hint(form);
  const auto showHint = [&] {
    const std::string text = "A gradient hint: \"a&b\" keeps its ampersand and a long text wraps onto more lines";
    TRect rect = hint.CalcHintRect(220, text, nullptr);
    const TPoint corner = hinted->ClientToScreen({0, hinted->Height() + 4});
    OffsetRect(rect, corner.X, corner.Y);
    hint.ActivateHint(rect, text);
  };

  if (argc == 3 && std::strcmp(argv[1], "--screenshot") == 0) {
    form->Show();
    SettleFor(1000);
    showHint();
    SettleFor(800);
    const bool withHint = SaveScreenshot(form->Handle(), argv[2]);
    hint.ReleaseHandle();
    SettleFor(300);
    const bool withMenu = SaveWithMenuDropped(*form, *menuButton, PictureName(argv[2], "-menu"));
    const bool about = SaveAboutBox(argv[2]);
    return withHint && withMenu && about ? 0 : 1;
  }
  hinted->OnClick = [&](TObject*) { showHint(); };
  return RunDemo(argc, argv, form);
}
