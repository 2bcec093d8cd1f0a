#include "shell/WelcomeForm.h"

#include <cstdint>

#include "graphics/RGBColor.h"
#include "runtime/AsciiCase.h"
#include "runtime/Storage.h"
#include "shell/Splash.h"
#include "shell/WindowParams.h"
#include "shell/XpmPicture.h"
#include "toolkit/controls/Application.h"
#include "toolkit/controls/Button.h"
#include "toolkit/controls/TreeView.h"
#include "toolkit/gdi/Bitmap.h"

// The heading pictures, drawn by tools/draw-images.py.
#include "resources/images/Welcome.xpm"

TWelcomeForm* WelcomeForm = nullptr;

namespace {

constexpr const char* Section = "WELCOME";
constexpr int FormWidth = 370;
constexpr int FormHeight = 461;
constexpr int PictureSize = 16;
// Where a row's drawing starts, and how much further an entry's does.
constexpr int RowMargin = 8;
constexpr int EntryIndent = 24;

struct TWelcomeEntry {
  const char* Caption;
  int Code;
};

struct TWelcomeGroup {
  const char* Heading;
  std::initializer_list<TWelcomeEntry> Entries;
};

// In order; each heading shows the picture of its place.
const TWelcomeGroup Groups[] = {
    {"Calculations",
     {{"Console in the full mode", 4},
      {"Console in the compact mode", 5},
      {"Toolboxes", 6},
      {"Dimensions conversion", 7},
      {"Algebra solving", 8},
      {"Geometry solving", 9},
      {"Constants", 10}}},
    {"Programming", {{"Create new program", 2}, {"Create new library", 3}, {"Open source file ...", 1}}},
    {"Plotting 2D or 3D graphs", {{"Function or expression plots", 11}, {"Data plots", 12}}},
    {"Data analysis", {{"Data import", 13}, {"Data analysis", 14}}},
};

void* CodeData(int code) { return reinterpret_cast<void*>(static_cast<std::intptr_t>(code)); }
int CodeOf(const TTreeNode& node) { return static_cast<int>(reinterpret_cast<std::intptr_t>(node.Data)); }

bool IsEntry(const TTreeNode* node) { return node && node->Parent(); }

}  // namespace

TWelcomeForm::TWelcomeForm(TComponent* owner) : TForm(owner), Images(PictureSize, PictureSize) {
  SetBorderStyle(bsToolWindow);
  Position = poScreenCenter;
  Font().SetName("MS Sans Serif");
  Font().SetHeight(-11);
  SetClientSize(FormWidth, FormHeight);
  const std::string version = frmSplash ? frmSplash->GetVersionText() : VersionText(TInfo());
  SetCaption(" Welcome to " + AsciiUppered(Application().Title()) + " " + version);
  TBitmap pictures;
  DecodeXpm(WelcomePictures, pictures);
  Images.Add(pictures, nullptr);
  CreateControls();
  {
    Storage->OpenSection(Section, false);
    TSectionCloser closer(*Storage);
    chkShow->SetChecked(Storage->ReadBool("ShowStart", true));
  }
  BuildTree();
  TaskCode = 0;
}

TWelcomeForm::~TWelcomeForm() {
  SaveSettings();
  if (WelcomeForm == this) WelcomeForm = nullptr;
}

// With WinsInTask a tool window of the main window's.
void TWelcomeForm::CreateParams(TCreateParams& params) {
  TForm::CreateParams(params);
  TForm* main = Application().MainForm();
  ApplyWinsInTask(params, TWindowRole::ModalDialog, main && main->HandleAllocated() ? main->Handle() : nullptr);
}

void TWelcomeForm::SaveSettings() {
  if (!Storage) return;
  Storage->OpenSection(Section, true);
  TSectionCloser closer(*Storage);
  Storage->WriteBool("ShowStart", GetShowAtStart());
}

bool TWelcomeForm::GetShowAtStart() const { return chkShow->Checked(); }

void TWelcomeForm::CreateControls() {
  Tree = new TTreeView(this);
  Tree->SetParent(this);
  Tree->SetBounds(4, 4, 362, 422);
  Tree->SetAnchors(akLeft | akTop | akRight | akBottom);
  Tree->SetParentFont(false);
  Tree->Font().SetName("Verdana");
  Tree->Font().SetHeight(-13);
  Tree->Font().SetStyle(fsBold);
  Tree->SetHotTrack(true);
  Tree->SetImages(&Images);
  Tree->SetIndent(19);
  Tree->SetReadOnly(true);
  Tree->SetShowButtons(false);
  Tree->SetShowLines(false);
  Tree->SetShowRoot(false);
  Tree->OnAdvancedCustomDraw = [this](TObject*, const TRect& rect, TCustomDrawStage stage, bool&) {
    if (stage == cdPrePaint) TreeAdvancedCustomDraw(rect);
  };
  Tree->OnCustomDrawItem = [this](TObject*, TTreeNode* node, TCustomDrawState state, bool& defaultDraw) {
    defaultDraw = false;
    TreeCustomDrawItem(node, state & cdsHot);
  };
  Tree->OnChanging = [this](TObject*, TTreeNode* node, bool& allowChange) { TreeChanging(node, allowChange); };
  Tree->OnCollapsing = [](TObject*, TTreeNode*, bool& allowCollapse) { allowCollapse = false; };
  Tree->OnChange = [this](TObject*, TTreeNode* node) { TreeChange(node); };

  chkShow = new TCheckBox(this);
  chkShow->SetParent(this);
  chkShow->SetCaption("Show at startup");
  chkShow->SetBounds(8, 436, 150, 17);
  chkShow->SetAnchors(akLeft | akBottom);
  chkShow->SetChecked(true);

  CloseButton = new TButton(this);
  CloseButton->SetParent(this);
  CloseButton->SetCaption("Close");
  CloseButton->SetBounds(287, 432, 75, 25);
  CloseButton->SetAnchors(akRight | akBottom);
  CloseButton->SetDefault(true);
  CloseButton->Cancel = true;
  CloseButton->ModalResult = mrCancel;
}

// An empty row stands before every heading.
void TWelcomeForm::BuildTree() {
  TTreeNodes& items = Tree->Items();
  items.BeginUpdate();
  int picture = 0;
  for (const TWelcomeGroup& group : Groups) {
    items.Add(nullptr, "");
    TTreeNode* heading = items.Add(nullptr, group.Heading);
    heading->SetImageIndex(picture);
    heading->SetSelectedIndex(picture);
    heading->SetStateIndex(picture);
    ++picture;
    for (const TWelcomeEntry& entry : group.Entries) {
      TTreeNode* node = items.AddChildObject(heading, entry.Caption, CodeData(entry.Code));
      node->SetImageIndex(-1);
      node->SetSelectedIndex(-1);
      node->SetStateIndex(-1);
    }
    heading->Expand(false);
  }
  items.EndUpdate();
}

void TWelcomeForm::TreeAdvancedCustomDraw(const TRect& rect) {
  FillGradient(Tree->Canvas(), rect, clWhite, SkyBlue, SkyBlue, SkyBlue);
}

void TWelcomeForm::TreeCustomDrawItem(TTreeNode* node, bool hot) {
  if (!node || node->Text().empty()) return;
  TCanvas& canvas = Tree->Canvas();
  const TRect row = node->DisplayRect(false);
  const bool entry = IsEntry(node);
  int x = row.Left + RowMargin + (entry ? EntryIndent : 0);
  if (node->ImageIndex() >= 0) Images.Draw(canvas, x, (row.Top + row.Bottom - Images.Height()) / 2, node->ImageIndex());
  x += Images.Width() + RowMargin;
  canvas.Font().Assign(Tree->Font());
  if (entry) {
    canvas.Font().SetColor(clBlack);
    canvas.Font().SetStyle(hot ? fsUnderline : 0);
  }
  canvas.Brush().SetStyle(bsClear);
  canvas.TextOut(x, (row.Top + row.Bottom - canvas.TextHeight(node->Text())) / 2, node->Text());
}

void TWelcomeForm::TreeChanging(TTreeNode* node, bool& allowChange) { allowChange = IsEntry(node); }

void TWelcomeForm::TreeChange(TTreeNode* node) {
  if (!IsEntry(node)) return;
  TaskCode = CodeOf(*node);
  SetModalResult(mrOk);
}
