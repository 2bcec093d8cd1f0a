#include "tools/SkinScrollPage.h"

#include <memory>
#include <string>
#include <vector>

#include "skin/SkinCommonData.h"
#include "skin/adapters/SkScrollWnd.h"
#include "skin/skins/SkinManager.h"
#include "tests/skin/TestSkinWriter.h"
#include "toolkit/controls/Application.h"
#include "toolkit/controls/Form.h"
#include "toolkit/controls/Label.h"
#include "toolkit/controls/Panel.h"
#include "toolkit/controls/ScrollBox.h"
#include "toolkit/win/ScrollBar.h"
#include "toolkit/win/Window.h"

namespace {

constexpr const char* DemoClass = "SkinDemoScrollWindow";
constexpr int CellWidth = 260;
constexpr int CellHeight = 150;
constexpr int Margin = 16;
constexpr int CaptionHeight = 20;

// A raw window that scrolls as its bars ask and otherwise leaves all to DefWindowProc.
LRESULT ScrollingWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message != WM_HSCROLL && message != WM_VSCROLL) return DefWindowProc(window, message, wParam, lParam);
  const int bar = message == WM_HSCROLL ? SB_HORZ : SB_VERT;
  SCROLLINFO info;
  info.fMask = SIF_ALL;
  GetScrollInfo(window, bar, info);
  int position = info.nPos;
  switch (LOWORD(wParam)) {
    case SB_LINEUP: position -= 1; break;
    case SB_LINEDOWN: position += 1; break;
    case SB_PAGEUP: position -= static_cast<int>(info.nPage); break;
    case SB_PAGEDOWN: position += static_cast<int>(info.nPage); break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: position = HIWORD(wParam); break;
    default: return 0;
  }
  SetScrollPos(window, bar, position, false);
  return 0;
}

void SetBar(HWND window, int bar, int nMax, UINT nPage, int nPos) {
  SCROLLINFO info;
  info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_DISABLENOSCROLL;
  info.nMax = nMax;
  info.nPage = nPage;
  info.nPos = nPos;
  SetScrollInfo(window, bar, info, false);
}

TRect Cell(int column, int row) {
  return Bounds(Margin + column * (CellWidth + Margin), Margin + CaptionHeight + row * (CellHeight + Margin + CaptionHeight),
                CellWidth, CellHeight);
}

void AddCaption(TForm* form, const TRect& cell, const std::string& text) {
  auto* label = new TLabel(form);
  label->SetBounds(cell.Left, cell.Top - CaptionHeight + 2, cell.Width(), CaptionHeight - 4);
  label->SetCaption(text);
  label->SetParent(form);
}

// The form owns the test skin, its manager and the adapters through this component.
class TScrollPageSkin : public TComponent {
public:
  explicit TScrollPageSkin(TForm* form) : TComponent(form), manager_(nullptr) {
    manager_.SetSkinDirectory(folder_.Path());
    manager_.SetSkinName("TestSkin");
    WNDCLASS windowClass;
    windowClass.lpfnWndProc = &ScrollingWindowProc;
    windowClass.hbrBackground = COLOR_WINDOW + 1;
    windowClass.lpszClassName = DemoClass;
    RegisterClass(windowClass);
    AddRawWindow(form, Cell(0, 0), WS_EX_CLIENTEDGE, "raw window, both bars");
    AddScrollBox(form, Cell(1, 0));
    AddRawWindow(form, Cell(0, 1), WS_EX_CLIENTEDGE | WS_EX_LEFTSCROLLBAR, "raw window, WS_EX_LEFTSCROLLBAR");
    const HWND inactive = AddRawWindow(form, Cell(1, 1), WS_EX_CLIENTEDGE, "raw window, inactive vertical bar");
    EnableScrollBar(inactive, SB_VERT, ESB_DISABLE_BOTH);
  }
  ~TScrollPageSkin() override { adapters_.clear(); }

private:
  HWND AddRawWindow(TForm* form, const TRect& cell, DWORD exStyle, const std::string& caption) {
    AddCaption(form, cell, caption);
    const HWND window = CreateWindowEx(exStyle, DemoClass, "", WS_CHILD | WS_VISIBLE | WS_HSCROLL | WS_VSCROLL,
                                       cell.Left, cell.Top, cell.Width(), cell.Height(), form->Handle(), nullptr,
                                       nullptr);
    SetBar(window, SB_HORZ, 99, 25, 30);
    SetBar(window, SB_VERT, 99, 20, 10);
    adapters_.push_back(TSkMainWnd::Make<TSkScrollWnd>(window, nullptr, &manager_, "PANEL", true));
    return window;
  }

  void AddScrollBox(TForm* form, const TRect& cell) {
    AddCaption(form, cell, "TScrollBox, both bars");
    auto* box = new TScrollBox(form);
    box->SetBounds(cell.Left, cell.Top, cell.Width(), cell.Height());
    box->SetParent(form);
    // Children reach far beyond the box, so both bars show; none lies over
    // the bars (the toolkit does not clip children to their parent's client area).
    AddContent(form, box, Bounds(10, 10, 150, 60), "top left");
    AddContent(form, box, Bounds(2 * cell.Width(), 3 * cell.Height(), 150, 60), "far away");
    boxSkin_ = std::make_unique<TSkinCommonData>(box, false);
    boxSkin_->SetSkinManager(&manager_);
    boxSkin_->SetSkinSection("PANEL");
    boxSkin_->ResolveIndexes();
    adapters_.push_back(TSkMainWnd::Make<TSkScrollWnd>(box->Handle(), boxSkin_.get(), &manager_, "", true));
  }

  static void AddContent(TForm* form, TScrollBox* box, const TRect& bounds, const std::string& caption) {
    auto* content = new TPanel(form);
    content->SetBounds(bounds.Left, bounds.Top, bounds.Width(), bounds.Height());
    content->SetCaption(caption);
    content->SetColor(clWindow);
    content->SetParent(box);
  }

  TTestSkinFolder folder_;
  TSkinManager manager_;
  std::unique_ptr<TSkinCommonData> boxSkin_;
  std::vector<TSkAdapterPtr<TSkScrollWnd>> adapters_;
};

}  // namespace

TForm* CreateScrollPage() {
  auto* form = Application().CreateForm<TForm>();
  form->SetCaption("Skin demo: emulated scroll bars under the test skin");
  form->SetClientSize(2 * CellWidth + 3 * Margin, 2 * (CellHeight + CaptionHeight) + 3 * Margin);
  form->SetLeft(40);
  form->SetTop(40);
  new TScrollPageSkin(form);
  return form;
}
