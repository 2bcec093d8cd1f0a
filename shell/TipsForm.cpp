#include "shell/TipsForm.h"

#include "console/Sounds.h"
#include "engine/MessageChannel.h"
#include "runtime/Random.h"
#include "runtime/Storage.h"
#include "runtime/Utf8Cells.h"
#include "runtime/WholeFile.h"
#include "shell/WindowParams.h"
#include "shell/XpmPicture.h"
#include "toolkit/controls/Button.h"
#include "toolkit/controls/PaintBox.h"
#include "toolkit/controls/Panel.h"
#include "toolkit/controls/Timer.h"

// The two pictures, drawn by tools/draw-images.py.
#include "resources/images/Tips.xpm"

TfrmTips* frmTips = nullptr;

namespace {

constexpr const char* Section = "TIPS";
constexpr int PictureWidth = 100;
constexpr int PictureHeight = 110;
constexpr int TitleTop = 10;
constexpr int TitleSize = 14;
constexpr int TipSize = 10;

bool IsBlank(char c) { return c == ' '; }

// The longest start of a word narrower than the width, one character at least.
std::size_t FittingBytes(std::string_view word, int width, const std::function<int(std::string_view)>& textWidth) {
  std::size_t bytes = CellBytes(word);
  while (bytes < word.size()) {
    const std::size_t next = bytes + CellBytes(word.substr(bytes));
    if (textWidth(word.substr(0, next)) >= width) break;
    bytes = next;
  }
  return bytes;
}

}  // namespace

std::vector<std::string> WrapTip(std::string_view tip, int width,
                                 const std::function<int(std::string_view)>& textWidth) {
  std::vector<std::string> lines;
  std::size_t p = 0;
  const auto skipBlanks = [&] {
    while (p < tip.size() && IsBlank(tip[p])) ++p;
  };
  skipBlanks();
  while (p < tip.size()) {
    std::string line;
    while (p < tip.size()) {
      std::size_t end = p;
      while (end < tip.size() && !IsBlank(tip[end])) ++end;
      std::string_view word = tip.substr(p, end - p);
      if (textWidth(line + std::string(word)) >= width) {
        if (!line.empty()) break;
        word = word.substr(0, FittingBytes(word, width, textWidth));
        line = std::string(word);
        p += word.size();
        break;
      }
      line += std::string(word) + " ";
      p = end;
      skipBlanks();
    }
    if (!line.empty() && line.back() == ' ') line.pop_back();
    lines.push_back(std::move(line));
    skipBlanks();
  }
  return lines;
}

TfrmTips::TfrmTips(TComponent* owner) : TForm(owner), Images(PictureWidth, PictureHeight) {
  SetBorderStyle(bsToolWindow);
  SetCaption(" Tip of the Day");
  Position = poScreenCenter;
  SetFormStyle(fsStayOnTop);
  Font().SetName("MS Sans Serif");
  Font().SetHeight(-11);
  SetClientSize(392, 218);
  TBitmap pictures;
  DecodeXpm(TipsPictures, pictures);
  Images.Add(pictures, nullptr);
  CreateControls();
  Lit = false;
  TipIndex = -1;
  Buffer.SetPixelFormat(pf24bit);
  {
    Storage->OpenSection(Section, false);
    TSectionCloser closer(*Storage);
    chkShowTips->SetChecked(Storage->ReadBool("ShowStart", true));
  }
  ReadTips();
  TRandom::SeedFromClock();
  OnShow = [this](TObject*) { FormShow(); };
  // Closed before it lit up: no tip and no sound behind the user's back.
  OnHide = [this](TObject*) { Timer->SetEnabled(false); };
}

TfrmTips::~TfrmTips() {
  SaveSettings();
  if (frmTips == this) frmTips = nullptr;
}

// With WinsInTask a tool window of the desktop's.
void TfrmTips::CreateParams(TCreateParams& params) {
  TForm::CreateParams(params);
  ApplyWinsInTask(params, TWindowRole::ModalDialog);
}

void TfrmTips::CreateControls() {
  pnlMain = new TPanel(this);
  pnlMain->SetParent(this);
  pnlMain->SetBounds(8, 8, 377, 169);
  pnlMain->SetBevelOuter(bvLowered);
  pnlMain->DoubleBuffered = true;
  PaintBox = new TPaintBox(this);
  PaintBox->SetParent(pnlMain);
  PaintBox->SetAlign(alClient);
  PaintBox->SetParentFont(false);
  PaintBox->Font().SetName("Verdana");
  PaintBox->Font().SetHeight(-13);
  PaintBox->OnPaint = [this](TObject*) { Draw(); };

  const auto button = [this](int left, const char* caption) {
    auto* made = new TButton(this);
    made->SetParent(this);
    made->SetBounds(left, 186, 75, 25);
    made->SetCaption(caption);
    return made;
  };
  Button1 = button(308, "Close");
  Button1->SetDefault(true);
  Button1->ModalResult = mrOk;
  Button3 = button(228, "Next Tip");
  Button3->OnMouseDown = [this](TObject*, TMouseButton, TShiftState, int, int) { Button3MouseDown(); };
  Button3->OnMouseUp = [this](TObject*, TMouseButton, TShiftState, int, int) { Button3MouseUp(); };

  chkShowTips = new TCheckBox(this);
  chkShowTips->SetParent(this);
  chkShowTips->SetCaption(" Show Tips at startup");
  chkShowTips->SetBounds(8, 190, 150, 17);
  chkShowTips->SetChecked(true);

  Timer = new TTimer(this);
  Timer->SetEnabled(false);
  Timer->SetInterval(500);
  Timer->SetOnTimer([this](TObject*) { TimerTimer(); });
}

// A file that cannot be read (missing, a folder) leaves no tips.
void TfrmTips::ReadTips() {
  std::string content;
  if (!ReadWholeFile(Storage->AppFolder + TipsFileName, content)) {
    WriteMessage(std::string("Failed to open tips file : ") + TipsFileName, lkError, 0);
    return;
  }
  Tips.SetText(content);
}

void TfrmTips::SaveSettings() {
  if (!Storage) return;
  Storage->OpenSection(Section, true);
  TSectionCloser closer(*Storage);
  Storage->WriteBool("ShowStart", GetShowAtStart());
}

bool TfrmTips::GetShowAtStart() const { return chkShowTips->Checked(); }

void TfrmTips::SetLit(bool Value) {
  Lit = Value;
  PaintBox->Invalidate();
}

void TfrmTips::FormShow() {
  SetLit(false);
  Timer->SetEnabled(true);
}

void TfrmTips::TimerTimer() {
  Timer->SetEnabled(false);
  TipIndex = Tips.Count() > 0 ? static_cast<int>(TRandom::Below(static_cast<std::uint32_t>(Tips.Count()))) : 0;
  SetLit(true);
  PlaySwitch();
}

void TfrmTips::Button3MouseDown() {
  SetLit(false);
  PlaySwitch();
}

void TfrmTips::Button3MouseUp() {
  ++TipIndex;
  if (TipIndex >= Tips.Count()) TipIndex = 0;
  SetLit(true);
  PlaySwitch();
}

void TfrmTips::PlaySwitch() {
  if (AppSounds) AppSounds->Play(sndTipsSwitch, false);
}

TRect TfrmTips::TipRect() {
  TCanvas& canvas = Buffer.Canvas();
  canvas.Font().Assign(PaintBox->Font());
  canvas.Font().SetSize(TitleSize);
  canvas.Font().SetStyle(fsBold);
  const int rule = TitleTop + canvas.TextHeight(Title) + 4;
  return {TextLeft, rule + LineHeight, PaintBox->Width() - Margin, PaintBox->Height() - Margin};
}

void TfrmTips::Draw() {
  const int width = PaintBox->Width(), height = PaintBox->Height();
  Buffer.SetSize(width, height);
  TCanvas& canvas = Buffer.Canvas();
  canvas.Brush().SetStyle(bsSolid);
  canvas.Brush().SetColor(PanelColor);
  canvas.Pen().SetColor(PanelColor);
  canvas.Rectangle(0, 0, width, height);
  Images.Draw(canvas, 0, 0, Lit ? 1 : 0);
  DrawTitle(canvas, width);
  if (Lit) DrawTip(canvas, TipRect());
  PaintBox->Canvas().Draw(0, 0, Buffer);
}

void TfrmTips::DrawTitle(TCanvas& canvas, int width) {
  canvas.Font().Assign(PaintBox->Font());
  canvas.Font().SetSize(TitleSize);
  canvas.Font().SetStyle(fsBold);
  canvas.Brush().SetStyle(bsClear);
  if (Lit) {
    canvas.Font().SetColor(clBlack);
    canvas.TextOut(TextLeft + 1, TitleTop + 1, Title);
  }
  const TColor ink = Lit ? clWhite : DarkColor;
  canvas.Font().SetColor(ink);
  canvas.TextOut(TextLeft, TitleTop, Title);
  canvas.Pen().SetColor(ink);
  const int rule = TitleTop + canvas.TextHeight(Title) + 4;
  canvas.MoveTo(TextLeft, rule);
  canvas.LineTo(width - Margin, rule);
}

void TfrmTips::DrawTip(TCanvas& canvas, const TRect& rect) {
  if (Tips.Count() == 0 || TipIndex < 0) return;
  canvas.Font().Assign(PaintBox->Font());
  canvas.Font().SetSize(TipSize);
  canvas.Font().SetStyle(0);
  canvas.Brush().SetStyle(bsClear);
  int y = rect.Top;
  const auto textWidth = [&](std::string_view text) { return canvas.TextWidth(text); };
  for (const std::string& line : WrapTip(Tips.Strings(TipIndex), rect.Width(), textWidth)) {
    if (y >= rect.Bottom) break;
    canvas.Font().SetColor(clBlack);
    canvas.TextOut(rect.Left + 1, y + 1, line);
    canvas.Font().SetColor(clWhite);
    canvas.TextOut(rect.Left, y, line);
    y += LineHeight;
  }
}
