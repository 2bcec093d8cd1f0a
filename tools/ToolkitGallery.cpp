// The toolkit's controls on one form, to look at them on a desktop: a main
// menu, pages of controls with sample content, pop-up menus, actions and
// hints. With --screenshot DIR the gallery saves a picture of each page, of
// an open pop-up menu with its submenu, of a dropped-down combo box and of
// a hint, and ends (scripts/gallery-screenshot.sh runs it under Xvfb).

#include <cmath>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "runtime/AsciiCase.h"
#include "toolkit/controls/ActionList.h"
#include "toolkit/controls/Application.h"
#include "toolkit/controls/Button.h"
#include "toolkit/controls/ComboBox.h"
#include "toolkit/controls/CoolBar.h"
#include "toolkit/controls/Edit.h"
#include "toolkit/controls/Form.h"
#include "toolkit/controls/GroupBox.h"
#include "toolkit/controls/Image.h"
#include "toolkit/controls/Label.h"
#include "toolkit/controls/ListBox.h"
#include "toolkit/controls/ListView.h"
#include "toolkit/controls/Menus.h"
#include "toolkit/controls/PageControl.h"
#include "toolkit/controls/PaintBox.h"
#include "toolkit/controls/RadioGroup.h"
#include "toolkit/controls/RichEdit.h"
#include "toolkit/controls/Panel.h"
#include "toolkit/controls/ScrollBox.h"
#include "toolkit/controls/SpeedButton.h"
#include "toolkit/controls/Splitter.h"
#include "toolkit/controls/StatusBar.h"
#include "toolkit/controls/StringGrid.h"
#include "toolkit/controls/ToolBar.h"
#include "toolkit/controls/TreeView.h"
#include "toolkit/gdi/Bitmap.h"
#include "toolkit/gdi/ImageList.h"
#include "toolkit/qt/QtPlatform.h"
#include "toolkit/qt/Screenshot.h"
#include "toolkit/qt/SyntheticInput.h"
#include "toolkit/win/Keys.h"
#include "tools/DemoRun.h"

namespace {

template <class Control>
Control* Place(TWinControl* parent, int left, int top, int width, int height) {
  auto* control = new Control(parent->Owner() ? parent->Owner() : parent);
  control->SetParent(parent);
  control->SetBounds(left, top, width, height);
  return control;
}

template <class Control>
Control* Aligned(TWinControl* parent, TAlign align, int size) {
  auto* control = Place<Control>(parent, 0, 0, size, size);
  control->SetAlign(align);
  return control;
}

// Sixteen-pixel pictures drawn here: a coloured shape each.
void AddPicture(TImageList& images, TColor color, int shape) {
  TBitmap picture(16, 16, pf24bit);
  TCanvas& canvas = picture.Canvas();
  canvas.Brush().SetColor(clFuchsia);
  canvas.FillRect({0, 0, 16, 16});
  canvas.Brush().SetColor(color);
  canvas.Pen().SetColor(RGB(GetRValue(color) / 2, GetGValue(color) / 2, GetBValue(color) / 2));
  if (shape == 0) canvas.Ellipse(1, 1, 15, 15);
  if (shape == 1) canvas.Rectangle(2, 2, 14, 14);
  if (shape == 2) canvas.Polygon(std::vector<TPoint>{{3, 2}, {14, 8}, {3, 14}});
  if (shape == 3) canvas.Polygon(std::vector<TPoint>{{8, 1}, {15, 8}, {8, 15}, {1, 8}});
  images.AddMasked(picture, clFuchsia);
}

class TGallery {
public:
  TGallery() {
    form_ = Application().CreateForm<TForm>();
    form_->SetCaption("Toolkit gallery");
    form_->SetBounds(40, 40, 760, 560);
    form_->ShowHint = true;
    MakePictures();
    MakeActions();
    MakeMainMenu();
    MakePopupMenu();
    MakeStatusBar();
    MakePageControl();
    AddPage("Drawn", [this](TWinControl* page) { FillDrawnPage(page); });
    AddPage("Bars", [this](TWinControl* page) { FillBarsPage(page); });
    AddPage("Grid", [this](TWinControl* page) { FillGridPage(page); });
    AddPage("Scroll box", [this](TWinControl* page) { FillScrollPage(page); });
    AddPage("Edits", [this](TWinControl* page) { FillEditsPage(page); });
    AddPage("Buttons", [this](TWinControl* page) { FillButtonsPage(page); });
    AddPage("Lists", [this](TWinControl* page) { FillListsPage(page); });
    AddPage("Tree", [this](TWinControl* page) { FillTreePage(page); });
    ShowPage(0);
  }

  TForm& Form() { return *form_; }
  int PageCount() const { return pages_->PageCount(); }
  const std::string& PageName(int index) const { return pages_->Pages(index)->Caption(); }

  void ShowPage(int index) {
    pages_->SetActivePageIndex(index);
    ShowPageName();
  }

  // Drops the combo box of the lists page down, or closes it.
  void DropDownCombo(bool dropped) {
    ShowPage(PageIndexOf("Lists"));
    combo_->SetDroppedDown(dropped);
  }

  // Opens the pop-up menu over the page with its submenu, and calls back while it is open.
  void ShowPopupMenu(const std::function<void()>& whileOpen) {
    int step = 0;
    Application().OnIdle = [&](TObject*, bool&) {
      if (step <= 1) InjectKey(VK_DOWN, true, false, U"", {});
      if (step == 2) InjectKey(VK_RIGHT, true, false, U"", {});
      if (step == 3) {
        whileOpen();
        EndMenu();
      }
      ++step;
    };
    const TPoint at = pages_->Pages(0)->ClientToScreen({180, 60});
    popup_->Popup(at.X, at.Y);
    Application().OnIdle = nullptr;
  }

  // The mouse rests on a speed button until its hint shows.
  void PointAtHinted() {
    ShowPage(0);
    const TPoint target = hinted_->ClientToScreen({hinted_->Width() / 2, hinted_->Height() / 2});
    TRect bounds;
    GetWindowRect(form_->Handle(), bounds);
    SynthesizeMouse(form_->Handle(), {target.X - bounds.Left, target.Y - bounds.Top}, TSyntheticMouse::Move,
                    TInputButton::Left);
  }

private:
  void MakePictures() {
    images_ = new TImageList(16, 16);
    AddPicture(*images_, RGB(40, 160, 60), 2);   // run
    AddPicture(*images_, RGB(200, 50, 40), 1);   // abort
    AddPicture(*images_, RGB(60, 110, 210), 0);  // copy
    AddPicture(*images_, RGB(230, 170, 30), 3);  // settings
  }

  TAction* NewAction(const std::string& caption, const std::string& hint, TShortCut shortCut, int image) {
    auto* action = new TAction(form_);
    action->SetActionList(actions_);
    action->SetCaption(caption);
    action->SetHint(hint);
    action->SetShortCut(shortCut);
    action->SetImageIndex(image);
    return action;
  }

  void MakeActions() {
    actions_ = new TActionList(form_);
    actions_->Images = images_;
    run_ = NewAction("&Run", "Runs the program|Runs the program in the editor", ShortCut(VK_F9, 0), 0);
    abort_ = NewAction("&Abort", "Stops the running program", ShortCut(VK_F9, ssCtrl), 1);
    copy_ = NewAction("&Copy", "Copies the selection", ShortCut('C', ssCtrl), 2);
    run_->OnExecute = [this](TObject*) { running_ = true; };
    abort_->OnExecute = [this](TObject*) { running_ = false; };
    run_->OnUpdate = [this](TObject*) { run_->SetEnabled(!running_); };
    abort_->OnUpdate = [this](TObject*) { abort_->SetEnabled(running_); };
  }

  TMenuItem* NewItem(TMenuItem& parent, const std::string& caption, TShortCut shortCut = scNone) {
    auto* item = new TMenuItem(form_);
    item->SetCaption(caption);
    item->SetShortCut(shortCut);
    parent.Add(item);
    return item;
  }

  TMenuItem* NewActionItem(TMenuItem& parent, TAction* action) {
    auto* item = NewItem(parent, "");
    item->SetAction(action);
    return item;
  }

  void MakeMainMenu() {
    auto* menu = new TMainMenu(form_);
    menu->SetImages(images_);
    TMenuItem* file = NewItem(menu->Items(), "&File");
    NewItem(*file, "&New", ShortCut('N', ssCtrl));
    NewItem(*file, "&Open...", ShortCut('O', ssCtrl));
    NewItem(*file, "-");
    TMenuItem* libraries = NewItem(*file, "&Libraries");
    for (const char* name : {"Algebra", "Graphics", "Statistics"}) NewItem(*libraries, name);
    NewItem(*file, "-");
    NewItem(*file, "E&xit")->OnClick = [](TObject*) { Application().Terminate(); };
    TMenuItem* edit = NewItem(menu->Items(), "&Edit");
    NewItem(*edit, "&Undo", ShortCut('Z', ssCtrl))->SetEnabled(false);
    NewItem(*edit, "-");
    NewActionItem(*edit, copy_);
    NewItem(*edit, "&Paste", ShortCut('V', ssCtrl));
    TMenuItem* program = NewItem(menu->Items(), "&Program");
    NewActionItem(*program, run_);
    NewActionItem(*program, abort_);
    TMenuItem* view = NewItem(menu->Items(), "&View");
    for (const char* size : {"&Small icons", "&Large icons"}) {
      TMenuItem* item = NewItem(*view, size);
      item->SetRadioItem(true);
      item->SetGroupIndex(1);
      item->OnClick = [item](TObject*) { item->SetChecked(true); };
    }
    view->Items(0)->SetChecked(true);
    NewItem(*view, "-");
    TMenuItem* statusBar = NewItem(*view, "Status &bar");
    statusBar->SetChecked(true);
    statusBar->OnClick = [this, statusBar](TObject*) {
      statusBar->SetChecked(!statusBar->Checked());
      status_->SetVisible(statusBar->Checked());
    };
    NewItem(*NewItem(menu->Items(), "&Help"), "&About...");
    form_->SetMenu(menu);
  }

  void MakePopupMenu() {
    popup_ = new TPopupMenu(form_);
    popup_->SetImages(images_);
    popup_->SetOwnerDraw(false);
    TMenuItem* run = NewActionItem(popup_->Items(), run_);
    run->SetDefault(true);
    TMenuItem* mode = NewItem(popup_->Items(), "&Mode");
    for (const char* caption : {"&Degrees", "&Radians", "&Grads"}) {
      TMenuItem* item = NewItem(*mode, caption);
      item->SetRadioItem(true);
      item->SetGroupIndex(2);
      item->OnClick = [item](TObject*) { item->SetChecked(true); };
    }
    mode->Items(1)->SetChecked(true);
    NewItem(*mode, "-");
    NewItem(*mode, "&Exact results")->SetChecked(true);
    NewItem(popup_->Items(), "Disabled item")->SetEnabled(false);
    NewItem(popup_->Items(), "-");
    NewActionItem(popup_->Items(), copy_);
    TMenuItem* colour = NewItem(popup_->Items(), "Colours");
    colour->OnMeasureItem = [](TObject*, TCanvas&, int& width, int& height) {
      width = 190;
      height = 26;
    };
    colour->OnAdvancedDrawItem = [](TObject* sender, TCanvas& canvas, TRect rect, TOwnerDrawState state) {
      canvas.Brush().SetColor((state & odSelected) ? clHighlight : clMenu);
      canvas.FillRect(rect);
      const int steps = 6;
      for (int i = 0; i < steps; ++i) {
        canvas.Brush().SetColor(RGB(255 - i * 40, 80 + i * 30, 60 + i * 35));
        canvas.FillRect({rect.Left + 24 + i * 18, rect.Top + 4, rect.Left + 40 + i * 18, rect.Bottom - 4});
      }
      canvas.Brush().SetStyle(bsClear);
      canvas.Font().SetColor((state & odSelected) ? clHighlightText : clMenuText);
      canvas.TextOut(rect.Left + 24 + steps * 18 + 6, rect.Top + 6, static_cast<TMenuItem*>(sender)->Caption());
    };
    popup_->SetOwnerDraw(true);
  }

  void MakeStatusBar() {
    status_ = Aligned<TStatusBar>(form_, alBottom, 22);
    status_->Panels().Add().SetWidth(128);
    status_->Panels().Add().SetWidth(256);
    status_->Panels().Add();
    status_->Panels()[0].SetText("Ready");
    status_->Panels()[2].SetText("Toolkit gallery");
  }

  int PageIndexOf(const std::string& name) const {
    for (int i = 0; i < PageCount(); ++i)
      if (PageName(i) == name) return i;
    return 0;
  }

  void MakePageControl() {
    pages_ = Aligned<TPageControl>(form_, alClient, 0);
    pages_->OnChange = [this](TObject*) { ShowPageName(); };
  }

  void ShowPageName() { status_->Panels()[1].SetText("Page: " + PageName(pages_->ActivePageIndex())); }

  void AddPage(const std::string& name, const std::function<void(TWinControl*)>& fill) {
    auto* page = new TTabSheet(form_);
    page->SetPageControl(pages_);
    page->SetCaption(name);
    page->SetPopupMenu(popup_);
    fill(page);
  }

  void FillDrawnPage(TWinControl* page) {
    auto* caption = Place<TLabel>(page, 12, 10, 320, 18);
    caption->SetCaption("Labels, paint boxes, images, group boxes, panels and speed buttons; right-click for the menu.");
    caption->SetAutoSize(true);
    auto* wrapped = Place<TLabel>(page, 12, 34, 200, 72);
    wrapped->SetWordWrap(true);
    wrapped->SetCaption("A label that wraps its words, with an &accelerator.");

    auto* paint = Place<TPaintBox>(page, 230, 34, 200, 120);
    paint->OnPaint = [paint](TObject*) {
      TCanvas& canvas = paint->Canvas();
      canvas.Brush().SetColor(clWhite);
      canvas.Rectangle(0, 0, paint->Width(), paint->Height());
      canvas.Pen().SetColor(RGB(0, 90, 200));
      std::vector<TPoint> curve;
      for (int x = 1; x < paint->Width() - 1; ++x)
        curve.push_back({x, paint->Height() / 2 - static_cast<int>(std::lround(std::sin(x / 16.0) * 40))});
      canvas.Polyline(curve);
      canvas.Brush().SetStyle(bsClear);
      canvas.TextOut(6, 4, "TPaintBox");
    };

    TBitmap picture(96, 96, pf24bit);
    for (int y = 0; y < 96; ++y)
      for (int x = 0; x < 96; ++x) picture.Canvas().SetPixel(x, y, RGB(x * 255 / 95, y * 255 / 95, 160));
    auto* image = Place<TImage>(page, 450, 34, 120, 120);
    image->SetBitmap(picture);
    image->SetCenter(true);

    auto* group = Place<TGroupBox>(page, 12, 112, 200, 104);
    group->SetCaption("Group box");
    for (int i = 0; i < 3; ++i) Place<TLabel>(group, 14, 22 + i * 24, 160, 18)->SetCaption("Item " + std::to_string(i + 1));

    auto* left = Place<TPanel>(page, 12, 230, 200, 120);
    left->SetCaption("Raised panel");
    auto* right = Place<TPanel>(page, 230, 230, 340, 120);
    right->SetBevelOuter(bvLowered);
    right->SetBevelInner(bvRaised);
    right->SetCaption("");
    auto* side = Aligned<TPanel>(right, alLeft, 120);
    side->SetCaption("Sized");
    auto* splitter = Aligned<TSplitter>(right, alLeft, 4);
    splitter->SetLeft(side->Width());
    Aligned<TPanel>(right, alClient, 0)->SetCaption("Split by TSplitter");

    auto* buttons = Place<TPanel>(page, 12, 370, 560, 40);
    buttons->SetBevelOuter(bvNone);
    int x = 4;
    for (TAction* action : {run_, abort_, copy_}) {
      auto* button = Place<TSpeedButton>(buttons, x, 6, 80, 26);
      button->SetAction(action);
      button->ShowHint = true;
      if (action == copy_) hinted_ = button;
      x += 84;
    }
    for (const char* caption : {"Left", "Centre", "Right"}) {
      auto* button = Place<TSpeedButton>(buttons, x, 6, 60, 26);
      button->SetCaption(caption);
      button->SetFlat(true);
      button->SetGroupIndex(1);
      x += 62;
    }
    static_cast<TSpeedButton*>(buttons->Controls(3))->SetDown(true);
  }

  TToolBar* NewToolBar(TWinControl* parent, bool captions) {
    auto* bar = Aligned<TToolBar>(parent, alTop, captions ? 44 : 26);
    bar->SetFlat(true);
    bar->SetShowCaptions(captions);
    bar->SetImages(images_);
    for (TAction* action : {run_, abort_, copy_}) Place<TToolButton>(bar, 0, 0, 23, 22)->SetAction(action);
    Place<TToolButton>(bar, 0, 0, 8, 22)->SetStyle(tbsSeparator);
    for (int i = 0; i < 3; ++i) {
      auto* check = Place<TToolButton>(bar, 0, 0, 23, 22);
      check->SetStyle(tbsCheck);
      check->SetGrouped(true);
      check->SetImageIndex(3);
      check->SetCaption("Mode " + std::to_string(i + 1));
      if (i == 0) check->SetDown(true);
    }
    auto* drop = Place<TToolButton>(bar, 0, 0, 23, 22);
    drop->SetStyle(tbsDropDown);
    drop->SetImageIndex(3);
    drop->SetCaption("Menu");
    drop->DropdownMenu = popup_;
    return bar;
  }

  void FillBarsPage(TWinControl* page) {
    NewToolBar(page, false);
    NewToolBar(page, true);
    auto* cool = Aligned<TCoolBar>(page, alTop, 30);
    NewToolBar(cool, false)->SetAlign(alNone);
    cool->SetAutoSize(true);
    auto* note = Place<TLabel>(page, 12, 150, 500, 18);
    note->SetCaption("Tool bars (flat, with captions, in a cool bar); the status bar is at the bottom.");
    note->SetAutoSize(true);
  }

  void FillGridPage(TWinControl* page) {
    auto* grid = Aligned<TStringGrid>(page, alClient, 0);
    grid->SetColCount(8);
    grid->SetRowCount(30);
    grid->SetOptions(grid->Options() | goColSizing | goEditing);
    for (int col = 1; col < grid->ColCount(); ++col) grid->SetCells(col, 0, std::string(1, static_cast<char>('A' + col - 1)));
    for (int row = 1; row < grid->RowCount(); ++row) {
      grid->SetCells(0, row, std::to_string(row));
      for (int col = 1; col < grid->ColCount(); ++col) grid->SetCells(col, row, std::to_string(row * col));
    }
  }

  void FillScrollPage(TWinControl* page) {
    auto* box = Place<TScrollBox>(page, 12, 12, 360, 300);
    for (int i = 0; i < 10; ++i) {
      auto* row = Place<TPanel>(box, 0, i * 54, 320, 50);
      row->SetCaption("Row " + std::to_string(i + 1) + " of ten");
    }
  }

  void FillEditsPage(TWinControl* page) {
    auto* edit = Place<TEdit>(page, 12, 32, 240, 24);
    edit->SetText("An edit with text");
    auto* labeled = Place<TLabeledEdit>(page, 12, 90, 240, 24);
    labeled->EditLabel().SetCaption("&Labeled edit");
    labeled->SetText("1.5e-3");
    auto* memo = Place<TMemo>(page, 280, 32, 300, 160);
    memo->Lines().Add("A memo with lines,");
    memo->Lines().Add("word wrap and a vertical scroll bar.");
    for (int i = 1; i <= 12; ++i) memo->Lines().Add("line " + std::to_string(i));
    memo->SetScrollBars(ssVertical);
  }

  void FillButtonsPage(TWinControl* page) {
    auto* ok = Place<TButton>(page, 12, 16, 90, 26);
    ok->SetCaption("&OK");
    ok->SetDefault(true);
    auto* cancel = Place<TButton>(page, 110, 16, 90, 26);
    cancel->SetCaption("Cancel");
    cancel->Cancel = true;
    Place<TButton>(page, 208, 16, 90, 26)->SetAction(run_);
    auto* disabled = Place<TButton>(page, 306, 16, 90, 26);
    disabled->SetCaption("Disabled");
    disabled->SetEnabled(false);
    const char* checks[] = {"&Word wrap", "Show &line numbers", "&Grayed state"};
    for (int i = 0; i < 3; ++i) {
      auto* check = Place<TCheckBox>(page, 12, 60 + i * 24, 200, 20);
      check->SetCaption(checks[i]);
      check->AllowGrayed = i == 2;
      check->SetState(i == 0 ? cbChecked : i == 2 ? cbGrayed : cbUnchecked);
    }
    auto* radios = Place<TRadioGroup>(page, 230, 60, 200, 110);
    radios->SetCaption("&Axes");
    for (const char* axis : {"x and y", "x only", "none"}) radios->Items().Add(axis);
    radios->SetItemIndex(0);
  }

  void FillListsPage(TWinControl* page) {
    const char* functions[] = {"sin", "cos", "tan", "exp", "ln", "sqrt", "abs", "round", "trunc", "frac"};
    Place<TLabel>(page, 12, 12, 200, 16)->SetCaption("Combo box:");
    combo_ = Place<TComboBox>(page, 12, 30, 200, 24);
    combo_->SetStyle(csDropDownList);
    for (const char* name : functions) combo_->Items().Add(name);
    combo_->SetItemIndex(2);
    Place<TLabel>(page, 230, 12, 200, 16)->SetCaption("List box:");
    auto* list = Place<TListBox>(page, 230, 30, 160, 200);
    for (const char* name : functions) list->Items().Add(name);
    list->SetItemIndex(4);
    Place<TLabel>(page, 410, 12, 200, 16)->SetCaption("Check list box:");
    auto* checks = Place<TCheckListBox>(page, 410, 30, 160, 200);
    for (const char* name : {"Real", "Complex", "Integer", "Matrix", "String"}) checks->Items().Add(name);
    checks->SetChecked(0, true);
    checks->SetChecked(3, true);
    FillListView(page);
  }

  void FillListView(TWinControl* page) {
    Place<TLabel>(page, 12, 244, 200, 16)->SetCaption("List view:");
    auto* view = Place<TListView>(page, 12, 262, 558, 150);
    view->SetRowSelect(true);
    view->SetStateImages(images_);
    for (const auto& [caption, width] : {std::pair{"Variable", 140}, {"Kind", 120}, {"Value", 260}}) {
      TListColumn* column = view->Columns().Add();
      column->SetCaption(caption);
      column->SetWidth(width);
    }
    const struct {
      const char* Name;
      const char* Kind;
      const char* Value;
    } variables[] = {{"x", "Real", "1.5"}, {"n", "Integer", "42"}, {"z", "Complex", "3+4i"}, {"A", "Matrix", "[1, 2; 3, 4]"}};
    for (const auto& variable : variables) {
      TListItem* item = view->Items().Add();
      item->SetCaption(variable.Name);
      item->SubItems().Add(variable.Kind);
      item->SubItems().Add(variable.Value);
      item->SetStateIndex(view->Items().Count() % 3 + 1);
    }
    view->SetItemIndex(1);
  }

  void FillTreePage(TWinControl* page) {
    auto* tree = Aligned<TTreeView>(page, alLeft, 300);
    TTreeNodes& nodes = tree->Items();
    const struct {
      const char* Library;
      std::vector<const char*> Routines;
    } libraries[] = {{"Algebra", {"det", "inv", "rank"}},
                     {"Graphics", {"Plot", "Plot3D", "Contour"}},
                     {"Statistics", {"mean", "median", "stddev"}}};
    for (const auto& library : libraries) {
      TTreeNode* node = nodes.Add(nullptr, library.Library);
      for (const char* routine : library.Routines) nodes.AddChild(node, routine);
    }
    nodes.GetFirstNode()->Expand(false);
    nodes.GetFirstNode()->getNextSibling()->Expand(false);
    tree->SetSelected(nodes.GetFirstNode()->getFirstChild());
    Aligned<TSplitter>(page, alLeft, 4)->SetLeft(300);
    auto* rich = Place<TRichEdit>(page, 320, 20, 300, 24);
    rich->SetText("> Plot(sin(x), 0, 2*pi)");
    rich->SetSelStart(0);
    rich->SetSelLength(2);
    rich->SelAttributes().SetColor(clBlue);
    rich->SetSelStart(2);
    rich->SetSelLength(4);
    rich->SelAttributes().SetColor(RGB(160, 0, 0));
    rich->SelAttributes().SetStyle(fsBold);
    rich->SetSelLength(0);
    Place<TLabel>(page, 320, 50, 300, 16)->SetCaption("A tree view, a splitter and a coloured rich edit line.");
  }

  TForm* form_ = nullptr;
  TImageList* images_ = nullptr;
  TActionList* actions_ = nullptr;
  TAction* run_ = nullptr;
  TAction* abort_ = nullptr;
  TAction* copy_ = nullptr;
  bool running_ = false;
  TPopupMenu* popup_ = nullptr;
  TStatusBar* status_ = nullptr;
  TPageControl* pages_ = nullptr;
  TComboBox* combo_ = nullptr;
  TSpeedButton* hinted_ = nullptr;
};

std::string FileName(const std::string& name) {
  std::string file;
  for (char c : name) file += c == ' ' ? '-' : AsciiLower(c);
  return file;
}

// Saves the pictures into folder; false when one could not be written.
bool TakeScreenshots(TGallery& gallery, const std::string& folder) {
  bool saved = true;
  const auto save = [&](const std::string& name) {
    saved = SaveScreenshot(gallery.Form().Handle(), folder + "/" + name + ".png") && saved;
  };
  gallery.Form().Show();
  SettleFor(1200);
  for (int i = 0; i < gallery.PageCount(); ++i) {
    gallery.ShowPage(i);
    SettleFor(400);
    save("page-" + FileName(gallery.PageName(i)));
  }
  gallery.ShowPage(0);
  SettleFor(300);
  gallery.ShowPopupMenu([&] {
    SettleFor(400);
    save("popup-menu");
  });
  gallery.PointAtHinted();
  SettleFor(Application().HintPause + 600);
  save("hint");
  gallery.DropDownCombo(true);
  SettleFor(600);
  save("combo-dropdown");
  gallery.DropDownCombo(false);
  SettleFor(100);
  return saved;
}

}  // namespace

int main(int argc, char** argv) {
  StartQtPlatform(argc, argv);
  Application().SetTitle("Toolkit gallery");
  TGallery gallery;
  if (argc == 3 && std::strcmp(argv[1], "--screenshot") == 0) return TakeScreenshots(gallery, argv[2]) ? 0 : 1;
  gallery.Form().Show();
  Application().Run();
  return 0;
}
