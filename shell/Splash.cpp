#include "shell/Splash.h"

#include <algorithm>

#include "shell/WindowParams.h"
#include "shell/XpmPicture.h"
#include "toolkit/controls/Image.h"
#include "toolkit/controls/PaintBox.h"
#include "toolkit/controls/Panel.h"
#include "toolkit/win/Paint.h"

// The pictures, drawn by tools/draw-images.py.
#include "resources/images/SplashHigh.xpm"
#include "resources/images/SplashLow.xpm"

TfrmSplash* frmSplash = nullptr;

namespace {

constexpr int SplashWidth = 450;
constexpr int HighHeight = 120;
constexpr int ConsoleHeight = 150;
constexpr int LowHeight = 20;

constexpr int BarHeight = 4;
constexpr int LineHeight = 14;
// Where the text ends: this far left of the right edge.
constexpr int RightMargin = 40;
constexpr int RuleLeft = 100;

TImage* MakePicture(TfrmSplash& form, const char* const* picture, int top) {
  auto* image = new TImage(&form);
  image->SetParent(&form);
  DecodeXpm(picture, image->Bitmap());
  image->SetBounds(0, top, image->Bitmap().Width(), image->Bitmap().Height());
  return image;
}

}  // namespace

TfrmSplash::TfrmSplash(TComponent* owner) : TForm(owner) {
  SetBorderStyle(bsNone);
  SetCaption("About");
  Position = poScreenCenter;
  imgHigh = MakePicture(*this, SplashHighPicture, 0);
  pnlConsole = new TPanel(this);
  pnlConsole->SetParent(this);
  pnlConsole->SetBevelOuter(bvNone);
  pnlConsole->SetBounds(0, HighHeight, SplashWidth, ConsoleHeight);
  pnlConsole->Font().SetName("Verdana");
  pnlConsole->SetColor(ConsoleColor);
  scrConsole = new TPaintBox(this);
  scrConsole->SetParent(pnlConsole);
  scrConsole->SetAlign(alClient);
  scrConsole->Font().SetName("Verdana");
  scrConsole->Font().SetHeight(-13);
  scrConsole->Font().SetStyle(fsBold);
  imgLow = MakePicture(*this, SplashLowPicture, HighHeight + ConsoleHeight);
  imgLow->SetCursor(crHandPoint);
  // Sized to its contents.
  SetClientSize(SplashWidth, HighHeight + ConsoleHeight + LowHeight);
  Buffer.SetPixelFormat(pf32bit);

  scrConsole->OnPaint = [this](TObject*) { scrConsolePaint(); };
  OnKeyPress = [this](TObject*, char32_t& key) { FormKeyPress(key); };
  OnClick = [this](TObject*) { FormClick(); };
  imgHigh->OnClick = OnClick;
  scrConsole->OnClick = OnClick;
  imgLow->OnClick = [this](TObject*) { imgLowClick(); };
  if (!LoadProgress) LoadProgress = this;
}

TfrmSplash::~TfrmSplash() {
  if (LoadProgress == this) LoadProgress = nullptr;
  if (frmSplash == this) frmSplash = nullptr;
}

// With WinsInTask it stands on its own, with the tool-window style.
void TfrmSplash::CreateParams(TCreateParams& params) {
  TForm::CreateParams(params);
  ApplyWinsInTask(params, TWindowRole::ModalDialog);
}

void TfrmSplash::AddMessage(const std::string& Text) {
  Messages.push_back(Text);
  PaintNow();
}

void TfrmSplash::SetProgress(int P) {
  if (P == Progress) return;
  Progress = std::clamp(P, 0, 100);
  PaintNow();
}

std::string VersionText(const TInfo& info) {
  return info.Major + "." + info.Minor + "." + info.Build + " " + info.Comments;
}

std::string TfrmSplash::GetVersionText() const { return VersionText(Info); }

void TfrmSplash::FillAboutText() {
  Messages = {"Version  " + GetVersionText(), "", Rule};
  if (AboutView) {
    Messages.push_back(AuthorLine);
    Messages.push_back(ContactLine);
  } else {
    Messages.push_back(SysInfo.GetOSText());
    Messages.push_back(SysInfo.GetMemoryText());
  }
  Messages.push_back(Rule);
  PaintNow();
}

void TfrmSplash::SetAboutView(bool V) {
  if (V == AboutView) return;
  AboutView = V;
  FillAboutText();
}

// Shown at once: at start-up no loop runs yet to show it.
void TfrmSplash::PaintNow() {
  scrConsolePaint();
  if (pnlConsole->HandleAllocated()) PresentNow(pnlConsole->Handle());
}

void TfrmSplash::scrConsolePaint() {
  const int width = scrConsole->Width(), height = scrConsole->Height();
  Buffer.SetSize(width, height);
  TCanvas& canvas = Buffer.Canvas();
  canvas.Brush().SetStyle(bsSolid);
  canvas.Brush().SetColor(scrConsole->Color());
  canvas.FillRect({0, 0, width, height});
  PaintProgress(canvas, width, height);
  if (!Messages.empty()) PaintLog(canvas, width, height);
  scrConsole->Canvas().Draw(0, 0, Buffer);
}

void TfrmSplash::PaintProgress(TCanvas& canvas, int width, int height) {
  canvas.Brush().SetColor(BarColor);
  canvas.FillRect({0, height - BarHeight, width, height});
  if (Progress == 0) return;
  canvas.Brush().SetColor(ProgressColor);
  canvas.FillRect({0, height - BarHeight, width * Progress / 100, height});
}

// From the newest entry upwards, right-aligned with a black shadow, until
// an entry would start above the box.
void TfrmSplash::PaintLog(TCanvas& canvas, int width, int height) {
  canvas.Font().Assign(scrConsole->Font());
  canvas.Brush().SetStyle(bsClear);
  const int right = width - RightMargin;
  int y = height - 28;
  for (auto entry = Messages.rbegin(); entry != Messages.rend(); ++entry) {
    if (*entry == Rule) {
      canvas.Pen().SetColor(clBlack);
      canvas.MoveTo(RuleLeft + 1, y + 8);
      canvas.LineTo(right + 1, y + 8);
      canvas.Pen().SetColor(TextColor);
      canvas.MoveTo(RuleLeft, y + 7);
      canvas.LineTo(right, y + 7);
    } else if (!entry->empty()) {
      const int x = right - canvas.TextWidth(*entry);
      canvas.Font().SetColor(clBlack);
      canvas.TextOut(x + 1, y + 1, *entry);
      canvas.Font().SetColor(TextColor);
      canvas.TextOut(x, y, *entry);
    }
    y -= LineHeight;
    if (y < -13) break;
  }
}

void TfrmSplash::FormKeyPress(char32_t&) { SetModalResult(mrOk); }

void TfrmSplash::FormClick() { SetModalResult(mrOk); }

void TfrmSplash::imgLowClick() { SetAboutView(!AboutView); }
