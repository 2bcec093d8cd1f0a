#include "tools/SkinEditsPage.h"

#include <memory>
#include <string>
#include <vector>

#include "skin/SkinCommonData.h"
#include "skin/adapters/SkCheckBoxWnd.h"
#include "skin/adapters/SkComboBoxWnd.h"
#include "skin/adapters/SkEditWnd.h"
#include "skin/adapters/SkGridWnd.h"
#include "skin/adapters/SkListViewWnd.h"
#include "skin/adapters/SkStaticWnd.h"
#include "skin/adapters/SkTreeViewWnd.h"
#include "skin/skins/SkinManager.h"
#include "tests/skin/DataTreeMaker.h"
#include "tests/skin/TestSkinWriter.h"
#include "tests/toolkit/ProtocolFakes.h"
#include "toolkit/controls/Application.h"
#include "toolkit/controls/Form.h"
#include "toolkit/controls/StringGrid.h"
#include "toolkit/gdi/DeviceContext.h"
#include "toolkit/gdi/Gdi.h"
#include "toolkit/gdi/GdiObject.h"
#include "toolkit/win/MessageQueue.h"
#include "toolkit/win/Paint.h"
#include "toolkit/win/Window.h"

namespace {

SCROLLINFO Bar(int maximum, int page, int position) {
  return {.fMask = SIF_ALL, .nMin = 0, .nMax = maximum, .nPage = UINT(page), .nPos = position};
}

// The fake combo paints nothing of its own, where a real combo shows its
// selected item and its list the items: the page paints them for it,
// through procedures put under the adapters (which paint frame and button
// over the combo, and frame and bars around the list, afterwards).
const char* const PreviousProcedure = "EditsPage.Previous";
const char* const ComboOfList = "EditsPage.Combo";

WNDPROC PreviousOf(HWND window) { return reinterpret_cast<WNDPROC>(GetProp(window, PreviousProcedure)); }

void Subclass(HWND window, WNDPROC procedure) {
  SetProp(window, PreviousProcedure, reinterpret_cast<void*>(GetWindowLongPtr(window, GWL_WNDPROC)));
  SetWindowLongPtr(window, GWL_WNDPROC, reinterpret_cast<LONG_PTR>(procedure));
}

std::string ComboItem(HWND combo, LRESULT index) {
  std::string text(static_cast<size_t>(SendMessage(combo, CB_GETLBTEXTLEN, WPARAM(index), 0)) + 1, '\0');
  text.resize(static_cast<size_t>(
      SendMessage(combo, CB_GETLBTEXT, WPARAM(index), reinterpret_cast<LPARAM>(text.data()))));
  return text;
}

// One line of text in rect, on the background colour, as a list box draws an item.
void PaintItem(HDC dc, TRect rect, const std::string& text, TColor background, TColor ink) {
  const HBRUSH brush = CreateSolidBrush(ColorToRGB(background));
  FillRect(dc, rect, brush);
  DeleteObject(brush);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, ColorToRGB(ink));
  rect.Left += 4;
  DrawText(dc, text, rect, DT_SINGLELINE | DT_VCENTER);
}

LRESULT ComboProcedure(HWND combo, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_PAINT) {
    const HDC dc = GetDC(combo);
    TRect client;
    GetClientRect(combo, client);
    const LRESULT current = SendMessage(combo, CB_GETCURSEL, 0, 0);
    PaintItem(dc, client, current >= 0 ? ComboItem(combo, current) : std::string(), clWindow, clWindowText);
    ReleaseDC(combo, dc);
  }
  return CallWindowProc(PreviousOf(combo), combo, message, wParam, lParam);
}

LRESULT ComboListProcedure(HWND list, UINT message, WPARAM wParam, LPARAM lParam) {
  const LRESULT result = CallWindowProc(PreviousOf(list), list, message, wParam, lParam);
  if (message == WM_PAINT) {
    const auto combo = static_cast<HWND>(GetProp(list, ComboOfList));
    const HDC dc = GetDC(list);
    TRect client;
    GetClientRect(list, client);
    const int height = static_cast<int>(SendMessage(combo, CB_GETITEMHEIGHT, 0, 0));
    const LRESULT current = SendMessage(combo, CB_GETCURSEL, 0, 0);
    for (LRESULT i = 0; i < SendMessage(combo, CB_GETCOUNT, 0, 0); ++i) {
      const TRect row{client.Left, client.Top + int(i) * height, client.Right, client.Top + int(i + 1) * height};
      const bool selected = i == current;
      PaintItem(dc, row, ComboItem(combo, i), selected ? clHighlight : clWindow,
                selected ? clHighlightText : clWindowText);
    }
    ReleaseDC(list, dc);
  }
  return result;
}

// The form owns the skin, the raw windows and their adapters through this component.
class TEditsPage : public TComponent {
public:
  explicit TEditsPage(TForm* form) : TComponent(form), form_(*form) {
    manager_.AnimEffects.SkinChanging.Active = false;
    manager_.SetSkinDirectory(folder_.Path());
    manager_.SetSkinName("TestSkin");
    manager_.SetActive(true);
    AddEditsAndLists();
    AddListViewAndCombo();
    AddGrid();
    AddStatics();
    AddCheckBoxes();
  }
  ~TEditsPage() override {
    adapters_.clear();
    windows_.clear();
  }

private:
  TProtocolFake& Add(const std::string& className, const TRect& bounds, TFakeState state, DWORD style,
                     DWORD exStyle = 0, const std::string& text = "") {
    windows_.push_back(std::make_unique<TProtocolFake>(className, form_.Handle(), bounds, std::move(state),
                                                       WS_CHILD | WS_VISIBLE | style, exStyle));
    if (!text.empty()) SetWindowText(windows_.back()->Handle(), text);
    return *windows_.back();
  }
  template <class Adapter>
  Adapter& Adapt(TProtocolFake& window, const char* section, bool repaint = true) {
    auto adapter = TSkMainWnd::Make<Adapter>(window.Handle(), nullptr, &manager_, section, repaint);
    Adapter& made = *adapter;
    adapters_.push_back(std::move(adapter));
    return made;
  }

  void AddEditsAndLists() {
    TFakeState edit;
    edit.VertBar = Bar(99, 20, 30);
    edit.HorzBar = Bar(199, 100, 20);
    Adapt<TSkEditWnd>(Add("edit", Bounds(10, 10, 200, 110), edit, WS_HSCROLL | WS_VSCROLL, WS_EX_CLIENTEDGE), "EDIT");
    TFakeState list;
    for (int i = 0; i < 30; ++i) list.Items.push_back({"List item " + std::to_string(i + 1)});
    list.VertBar = Bar(29, 6, 4);
    list.TopIndex = 4;
    Adapt<TSkEditWnd>(Add("listbox", Bounds(10, 130, 200, 100), list, WS_VSCROLL, WS_EX_CLIENTEDGE), "EDIT");
  }

  void AddListViewAndCombo() {
    TFakeState view;
    view.Columns = {{"Name", HDF_CENTER | HDF_SORTUP, 110}, {"Size", HDF_RIGHT, 70}, {"Kind", HDF_LEFT, 80}};
    view.Items = {{"one", {0, 20, 260, 38}}, {"two", {0, 38, 260, 56}}};
    view.VertBar = Bar(49, 8, 10);
    Adapt<TSkListViewWnd>(Add("SysListView32", Bounds(230, 10, 280, 140), view, WS_VSCROLL, WS_EX_CLIENTEDGE),
                          "EDIT");
    TFakeState combo;
    combo.Items = {{"First choice"}, {"Second choice"}, {"Third choice"}};
    combo.Current = 1;
    TProtocolFake& box = Add("combobox", Bounds(230, 160, 280, 24), combo, CBS_DROPDOWNLIST);
    Subclass(box.Handle(), &ComboProcedure);
    Subclass(box.Inner(), &ComboListProcedure);
    SetProp(box.Inner(), ComboOfList, box.Handle());
    Adapt<TSkComboBoxWnd>(box, "EDIT");
    SendMessage(box.Handle(), CB_SHOWDROPDOWN, true, 0);
    AddDataTree();
  }

  void AddDataTree() {
    TWinControl* tree = MakeDataTree(&form_);
    tree->SetBounds(530, 10, 200, 140);
    AdaptHosted<TSkDataTreeViewWnd>(*tree);
  }

  void AddGrid() {
    auto* grid = new TStringGrid(&form_);
    grid->SetParent(&form_);
    grid->SetBounds(530, 160, 200, 120);
    AdaptHosted<TSkGridWnd>(*grid);
  }

  // A toolkit control with skin data of "EDIT" hosted by it, taken over.
  template <class Adapter>
  void AdaptHosted(TWinControl& control) {
    hostedData_.push_back(std::make_unique<TSkinCommonData>(&control, true));
    TSkinCommonData& data = *hostedData_.back();
    data.SetSkinSection("EDIT");
    data.ResolveIndexes();
    auto adapter = TSkMainWnd::Make<Adapter>(control.Handle(), &data, &manager_, "EDIT", true);
    adapter->ApplySkinLook();
    adapters_.push_back(std::move(adapter));
  }

  void AddStatics() {
    Adapt<TSkStaticWnd>(Add("static", Bounds(10, 250, 200, 20), {}, SS_LEFT, 0, "A skinned static text"), "CHECKBOX");
    Adapt<TSkLinkWnd>(Add("SysLink", Bounds(10, 275, 200, 20), {}, 0, 0, "Go <A>here</A> now"), "CHECKBOX");
    Adapt<TSkStaticWnd>(Add("static", Bounds(10, 300, 200, 20), {}, SS_LEFT, WS_EX_STATICEDGE, "Static edge: its own"),
                        "CHECKBOX");
  }

  void AddCheckBoxes() {
    const struct {
      DWORD style;
      WPARAM check;
      const char* caption;
    } boxes[] = {
        {BS_AUTOCHECKBOX, BST_UNCHECKED, "Unchecked"}, {BS_AUTOCHECKBOX, BST_CHECKED, "Checked"},
        {BS_AUTO3STATE, BST_INDETERMINATE, "Indeterminate"}, {BS_AUTORADIOBUTTON, BST_UNCHECKED, "Radio off"},
        {BS_AUTORADIOBUTTON, BST_CHECKED, "Radio on"}, {BS_AUTOCHECKBOX | BS_RIGHTBUTTON, BST_CHECKED, "Glyph right"},
        {BS_AUTOCHECKBOX, BST_CHECKED, "Disabled"},
    };
    int top = 250;
    for (const auto& box : boxes) {
      TFakeState state;
      state.Check = box.check;
      TProtocolFake& window = Add("button", Bounds(230, top, 160, 22), state, box.style, 0, box.caption);
      if (std::string(box.caption) == "Disabled") EnableWindow(window.Handle(), false);
      Adapt<TSkCheckBoxWnd>(window, "CHECKBOX", false);
      top += 26;
    }
  }

  TForm& form_;
  TTestSkinFolder folder_;
  TSkinManager manager_{nullptr};
  std::vector<std::unique_ptr<TSkinCommonData>> hostedData_;
  std::vector<std::unique_ptr<TProtocolFake>> windows_;
  std::vector<TSkAdapterPtr<>> adapters_;
};

}  // namespace

TForm* CreateEditsPage() {
  auto* form = Application().CreateForm<TForm>();
  form->SetCaption("Skin demo: edits, lists, combo box, grid and check boxes under the test skin");
  form->SetBounds(60, 60, 760, 460);
  new TEditsPage(form);
  return form;
}
