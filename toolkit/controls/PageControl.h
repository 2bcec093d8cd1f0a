#pragma once
// A page control: tabs on the desktop's tab bar above pages that are the
// toolkit's windows (TTabSheet). Only the active page shows. A tab chosen
// by the user asks OnChanging (which may refuse) and then raises OnChange;
// ActivePage set by code raises nothing. Pages come and go at run time.

#include <functional>
#include <vector>

#include "toolkit/controls/WinControl.h"

class TPageControl;

using TTabChangingEvent = std::function<void(TObject* sender, bool& allowChange)>;

class TTabSheet : public TWinControl {
public:
  explicit TTabSheet(TComponent* owner);
  ~TTabSheet() override;

  TPageControl* PageControl() const { return pageControl_; }
  void SetPageControl(TPageControl* pageControl);
  // The page's place among its page control's pages.
  int PageIndex() const;
  void SetPageIndex(int index);
  // A page whose tab is not visible can still be active.
  bool TabVisible() const { return tabVisible_; }
  void SetTabVisible(bool visible);
  // The tab's place among the visible tabs, -1 when its tab is hidden.
  int TabIndex() const;

protected:
  void Dispatch(TMessage& message) override;

private:
  friend class TPageControl;
  TPageControl* pageControl_ = nullptr;
  bool tabVisible_ = true;
};

class TPageControl : public TWinControl {
public:
  explicit TPageControl(TComponent* owner);
  ~TPageControl() override;

  int PageCount() const { return static_cast<int>(pages_.size()); }
  TTabSheet* Pages(int index) const { return pages_.at(static_cast<size_t>(index)); }
  TTabSheet* ActivePage() const { return activePage_; }
  void SetActivePage(TTabSheet* page);
  int ActivePageIndex() const;
  void SetActivePageIndex(int index);
  // The visible tab at a client point, -1 where there is none.
  int IndexOfTabAt(int x, int y);
  // Where pages go: the client area below the tabs.
  TRect DisplayRect();

  TTabChangingEvent OnChanging;
  TNotifyEvent OnChange;

protected:
  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;
  void AlignControls(TRect& rect) override;
  void Dispatch(TMessage& message) override;
  virtual bool CanChange();
  virtual void Change();

private:
  friend class TTabSheet;
  void InsertPage(TTabSheet* page);
  void RemovePage(TTabSheet* page);
  void MovePage(TTabSheet* page, int index);
  // Makes the tab bar's tabs those of the visible pages again, keeping the active one chosen.
  void UpdateTabs();
  void ShowActivePage();
  void CNNotify(TMessage& message);

  std::vector<TTabSheet*> pages_;
  TTabSheet* activePage_ = nullptr;
};
