#include "toolkit/controls/PageControl.h"

#include <algorithm>

#include "toolkit/win/ControlMessages.h"
#include "toolkit/win/WindowBackend.h"

// TTabSheet

TTabSheet::TTabSheet(TComponent* owner) : TWinControl(owner) {
  ControlStyle |= csAcceptsControls;
  // The dialog's face, which the controls on the page are drawn against.
  SetColor(clBtnFace);
  SetVisible(false);
}

TTabSheet::~TTabSheet() {
  Destroying();
  SetPageControl(nullptr);
}

void TTabSheet::SetPageControl(TPageControl* pageControl) {
  if (pageControl == pageControl_) return;
  if (pageControl_) pageControl_->RemovePage(this);
  pageControl_ = pageControl;
  SetParent(pageControl);
  if (pageControl_) pageControl_->InsertPage(this);
}

int TTabSheet::PageIndex() const {
  if (!pageControl_) return -1;
  const auto& pages = pageControl_->pages_;
  return static_cast<int>(std::find(pages.begin(), pages.end(), this) - pages.begin());
}

void TTabSheet::SetPageIndex(int index) {
  if (pageControl_) pageControl_->MovePage(this, index);
}

void TTabSheet::SetTabVisible(bool visible) {
  if (visible == tabVisible_) return;
  tabVisible_ = visible;
  if (pageControl_) pageControl_->UpdateTabs();
}

int TTabSheet::TabIndex() const {
  if (!pageControl_ || !tabVisible_) return -1;
  int index = 0;
  for (const TTabSheet* page : pageControl_->pages_) {
    if (page == this) return index;
    if (page->tabVisible_) ++index;
  }
  return -1;
}

void TTabSheet::Dispatch(TMessage& message) {
  TWinControl::Dispatch(message);
  if (message.Msg == CM_TEXTCHANGED && pageControl_) pageControl_->UpdateTabs();
}

// TPageControl

TPageControl::TPageControl(TComponent* owner) : TWinControl(owner) {
  TabStop = true;
  ControlStyle |= csAcceptsControls;
  SetBounds(0, 0, 289, 193);
}

TPageControl::~TPageControl() {
  Destroying();
  for (TTabSheet* page : std::vector<TTabSheet*>(pages_)) page->pageControl_ = nullptr;
  pages_.clear();
}

void TPageControl::CreateParams(TCreateParams& params) {
  TWinControl::CreateParams(params);
  params.Style |= WS_CLIPCHILDREN;
  params.WindowClass.lpfnWndProc = &NativeWindowProc;
  params.WindowClass.NativeWidget = "QTabBar";
}

// Pages placed before the window existed covered the tabs: only the window
// knows where its tabs end.
void TPageControl::CreateWnd() {
  TWinControl::CreateWnd();
  UpdateTabs();
  Realign();
}

void TPageControl::InsertPage(TTabSheet* page) {
  pages_.push_back(page);
  if (!activePage_) activePage_ = page;
  UpdateTabs();
  ShowActivePage();
  Realign();
}

void TPageControl::RemovePage(TTabSheet* page) {
  const auto found = std::find(pages_.begin(), pages_.end(), page);
  if (found == pages_.end()) return;
  const size_t index = static_cast<size_t>(found - pages_.begin());
  pages_.erase(found);
  if (activePage_ == page) activePage_ = pages_.empty() ? nullptr : pages_[std::min(index, pages_.size() - 1)];
  if (IsDestroying()) return;
  UpdateTabs();
  ShowActivePage();
}

void TPageControl::MovePage(TTabSheet* page, int index) {
  pages_.erase(std::find(pages_.begin(), pages_.end(), page));
  index = std::clamp(index, 0, static_cast<int>(pages_.size()));
  pages_.insert(pages_.begin() + index, page);
  UpdateTabs();
}

void TPageControl::UpdateTabs() {
  if (!HandleAllocated() || IsDestroying()) return;
  Perform(TCM_DELETEALLITEMS, 0, 0);
  int tab = 0;
  for (TTabSheet* page : pages_) {
    if (!page->TabVisible()) continue;
    std::string caption = page->Caption();
    TCITEM item;
    item.mask = TCIF_TEXT;
    item.pszText = caption.data();
    Perform(TCM_INSERTITEM, static_cast<WPARAM>(tab++), reinterpret_cast<LPARAM>(&item));
  }
  const int active = activePage_ ? activePage_->TabIndex() : -1;
  Perform(TCM_SETCURSEL, static_cast<WPARAM>(active), 0);
}

void TPageControl::ShowActivePage() {
  for (TTabSheet* page : pages_) page->SetVisible(page == activePage_);
}

void TPageControl::SetActivePage(TTabSheet* page) {
  if (page && page->PageControl() != this) return;
  activePage_ = page;
  if (HandleAllocated()) Perform(TCM_SETCURSEL, static_cast<WPARAM>(page ? page->TabIndex() : -1), 0);
  ShowActivePage();
}

int TPageControl::ActivePageIndex() const { return activePage_ ? activePage_->PageIndex() : -1; }

void TPageControl::SetActivePageIndex(int index) {
  SetActivePage(index >= 0 && index < PageCount() ? pages_[static_cast<size_t>(index)] : nullptr);
}

int TPageControl::IndexOfTabAt(int x, int y) {
  HandleNeeded();
  const auto count = static_cast<int>(Perform(TCM_GETITEMCOUNT, 0, 0));
  for (int tab = 0; tab < count; ++tab) {
    TRect rect;
    Perform(TCM_GETITEMRECT, static_cast<WPARAM>(tab), reinterpret_cast<LPARAM>(&rect));
    if (PtInRect(rect, {x, y})) return tab;
  }
  return -1;
}

TRect TPageControl::DisplayRect() {
  TRect rect = ClientRect();
  if (HandleAllocated()) Perform(TCM_ADJUSTRECT, false, reinterpret_cast<LPARAM>(&rect));
  return rect;
}

void TPageControl::AlignControls(TRect& rect) {
  const TRect display = DisplayRect();
  for (TTabSheet* page : pages_) page->SetBounds(display.Left, display.Top, display.Width(), display.Height());
  TWinControl::AlignControls(rect);
}

bool TPageControl::CanChange() {
  bool allow = true;
  if (OnChanging) OnChanging(this, allow);
  return allow;
}

void TPageControl::Change() {
  if (OnChange) OnChange(this);
}

void TPageControl::Dispatch(TMessage& message) {
  if (message.Msg == CN_NOTIFY) {
    CNNotify(message);
    return;
  }
  TWinControl::Dispatch(message);
}

void TPageControl::CNNotify(TMessage& message) {
  const auto& header = *reinterpret_cast<const NMHDR*>(message.LParam);
  if (header.code == TCN_SELCHANGING) {
    message.Result = CanChange() ? 0 : 1;
    return;
  }
  if (header.code != TCN_SELCHANGE) return;
  const auto tab = static_cast<int>(Perform(TCM_GETCURSEL, 0, 0));
  for (TTabSheet* page : pages_)
    if (page->TabIndex() == tab) activePage_ = page;
  ShowActivePage();
  Change();
}
