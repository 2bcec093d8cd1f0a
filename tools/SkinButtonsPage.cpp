#include "tools/SkinButtonsPage.h"

#include <memory>
#include <string>
#include <vector>

#include "skin/SkinCommonData.h"
#include "skin/adapters/SkBtnWnd.h"
#include "skin/adapters/SkGroupBoxWnd.h"
#include "skin/adapters/SkPageControlWnd.h"
#include "skin/adapters/SkPanelWnd.h"
#include "skin/adapters/SkSpinWnd.h"
#include "skin/skins/SkinManager.h"
#include "tests/skin/TestSkinWriter.h"
#include "tests/toolkit/ProtocolFakes.h"
#include "toolkit/controls/Application.h"
#include "toolkit/controls/Button.h"
#include "toolkit/controls/GroupBox.h"
#include "toolkit/controls/PageControl.h"
#include "toolkit/gdi/Bitmap.h"
#include "toolkit/gdi/Canvas.h"

namespace {

// The form owns the skin, the raw windows and the adapters through this
// component; the adapters go first, then the windows and the skin data.
class TGallery : public TComponent {
public:
  explicit TGallery(TForm* form) : TComponent(form), form_(form), manager_(nullptr) {
    manager_.SetSkinDirectory(folder_.Path());
    manager_.SetSkinName("TestSkin");
  }
  ~TGallery() override {
    adapters_.clear();
    FreePageAdapters();
    fakes_.clear();
  }

  HWND Raw(const char* className, const TRect& bounds, DWORD style, const char* text = "", TFakeState state = {}) {
    fakes_.push_back(std::make_unique<TProtocolFake>(className, form_->Handle(), bounds, std::move(state),
                                                     WS_CHILD | WS_VISIBLE | style));
    SetWindowText(fakes_.back()->Handle(), text);
    return fakes_.back()->Handle();
  }
  template <class Adapter>
  Adapter* Adapt(HWND window, const std::string& section, TControl* host = nullptr) {
    TSkinCommonData* data = nullptr;
    if (host) {
      data_.push_back(std::make_unique<TSkinCommonData>(host, true));
      data = data_.back().get();
    }
    auto adapter = TSkMainWnd::Make<Adapter>(window, data, &manager_, section, false);
    Adapter* made = adapter.get();
    adapters_.push_back(std::move(adapter));
    return made;
  }

private:
  TForm* form_;
  TTestSkinFolder folder_;
  TSkinManager manager_;
  std::vector<std::unique_ptr<TSkinCommonData>> data_;
  std::vector<std::unique_ptr<TProtocolFake>> fakes_;
  std::vector<TSkAdapterPtr<>> adapters_;
};

template <class Control>
Control* Place(TForm* form, const TRect& bounds, const std::string& caption = "") {
  auto* control = new Control(form);
  control->SetParent(form);
  control->SetBounds(bounds.Left, bounds.Top, bounds.Width(), bounds.Height());
  if (!caption.empty()) control->SetCaption(caption);
  return control;
}

// Four 16 x 16 glyphs: up, disabled, clicked, down, each a disc of its own colour on magenta.
void SetGlyphs(TBitBtn* button) {
  TBitmap strip(64, 16, pf24bit);
  TCanvas& canvas = strip.Canvas();
  canvas.Brush().SetColor(clFuchsia);
  canvas.FillRect({0, 0, 64, 16});
  const TColor colors[4] = {RGB(40, 140, 60), RGB(150, 150, 150), RGB(40, 90, 200), RGB(200, 80, 40)};
  for (int f = 0; f < 4; ++f) {
    canvas.Brush().SetColor(colors[f]);
    canvas.Ellipse(f * 16 + 2, 2, f * 16 + 14, 14);
  }
  button->SetNumGlyphs(4);
  button->SetGlyph(strip);
}

void AddButtons(TForm* form, TGallery& gallery) {
  const HWND defaultButton = gallery.Raw("button", Bounds(10, 10, 80, 26), BS_DEFPUSHBUTTON, "Default");
  const HWND focused = gallery.Raw("button", Bounds(100, 10, 80, 26), BS_PUSHBUTTON, "&Focused");
  const HWND disabled = gallery.Raw("button", Bounds(190, 10, 80, 26), BS_PUSHBUTTON, "Disabled");
  EnableWindow(disabled, false);
  for (HWND button : {defaultButton, focused, disabled}) gallery.Adapt<TSkBtnWnd>(button, "BUTTON");
  SetFocus(focused);
  const char* layouts[4] = {"Left", "Right", "Top", "Bottom"};
  for (int i = 0; i < 4; ++i) {
    auto* button = Place<TBitBtn>(form, Bounds(280 + i * 90, 4, 84, 44), layouts[i]);
    button->SetLayout(TButtonLayout(i));
    SetGlyphs(button);
    gallery.Adapt<TSkBitBtnWnd>(button->Handle(), "BUTTON", button);
  }
}

void AddContainers(TForm* form, TGallery& gallery) {
  auto* group = Place<TGroupBox>(form, Bounds(10, 60, 160, 90), "Options");
  gallery.Adapt<TSkGroupBoxWnd>(group->Handle(), "GROUPBOX", group);
  const struct {
    TPanelBevel Outer, Inner;
    TBorderStyle Border;
  } bevels[4] = {{bvRaised, bvNone, bsNone}, {bvLowered, bvNone, bsNone}, {bvLowered, bvRaised, bsNone},
                 {bvNone, bvNone, bsSingle}};
  for (int i = 0; i < 4; ++i) {
    auto* panel = Place<TPanel>(form, Bounds(180 + i * 95, 60, 88, 40), PanelSectionOf(bevels[i].Outer,
                                                                                       bevels[i].Inner, bevels[i].Border));
    panel->SetBevelOuter(bevels[i].Outer);
    panel->SetBevelInner(bevels[i].Inner);
    panel->SetBorderStyle(bevels[i].Border);
    gallery.Adapt<TSkPanelWnd>(panel->Handle(), "PANEL", panel);
  }
  gallery.Adapt<TSkSpinWnd>(gallery.Raw("msctls_updown32", Bounds(180, 110, 16, 24), 0), "UPDOWNBTN");
  gallery.Adapt<TSkSpinWnd>(gallery.Raw("msctls_updown32", Bounds(204, 114, 32, 16), UDS_HORZ), "UPDOWNBTN");
  gallery.Adapt<TSkSizerWnd>(gallery.Raw("scrollbar", Bounds(250, 114, 20, 20), 0), "CHECKBOX");
}

// Three tabs along the side the style puts them on; two rows with rows 2.
TFakeState Tabs(DWORD style, int rows) {
  TFakeState state;
  const bool vertical = style & TCS_VERTICAL;
  for (int i = 0; i < 3 * rows; ++i) {
    const int along = 4 + (i % 3) * 50, across = 2 + (i / 3) * 22;
    TRect r = vertical ? Bounds(across, along, 20, 48) : Bounds(along, across, 48, 20);
    if (style & TCS_BOTTOM && !vertical) OffsetRect(r, 0, 150 - 24 * rows);
    if (style & TCS_RIGHT && vertical) OffsetRect(r, 180 - 24 * rows, 0);
    state.Items.push_back({"Tab " + std::to_string(i + 1), r});
  }
  state.Current = 1;
  state.Rows = rows;
  const int band = 24 * rows;
  if (!vertical) state.DisplayInset = style & TCS_BOTTOM ? TRect{2, 2, 2, band} : TRect{2, band, 2, 2};
  else state.DisplayInset = style & TCS_RIGHT ? TRect{2, 2, band, 2} : TRect{band, 2, 2, 2};
  return state;
}

void AddTabs(TForm* form, TGallery& gallery) {
  const struct {
    DWORD Style;
    int Rows;
  } controls[5] = {{0, 2}, {TCS_BOTTOM, 1}, {TCS_VERTICAL, 1}, {TCS_VERTICAL | TCS_RIGHT, 1}, {TCS_BUTTONS, 1}};
  for (int i = 0; i < 5; ++i) {
    const TRect bounds = Bounds(10 + (i % 3) * 200, 160 + (i / 3) * 160, 180, 150);
    gallery.Adapt<TSkTabControlWnd>(
        gallery.Raw("SysTabControl32", bounds, controls[i].Style, "", Tabs(controls[i].Style, controls[i].Rows)),
        "PAGECONTROL");
  }
  auto* pages = Place<TPageControl>(form, Bounds(410, 320, 200, 150));
  for (const char* caption : {"First", "Second"}) {
    auto* page = new TTabSheet(form);
    page->SetCaption(caption);
    page->SetPageControl(pages);
  }
  gallery.Adapt<TSkPageControlWnd>(pages->Handle(), "PAGECONTROL", pages);
}

}  // namespace

TForm* CreateButtonsPage() {
  auto* form = Application().CreateForm<TForm>();
  form->SetCaption("Skin demo: buttons, containers, spins and tabs under the test skin");
  form->SetBounds(60, 60, 650, 490);
  form->SetColor(RGB(236, 233, 226));
  auto* gallery = new TGallery(form);
  AddButtons(form, *gallery);
  AddContainers(form, *gallery);
  AddTabs(form, *gallery);
  return form;
}
