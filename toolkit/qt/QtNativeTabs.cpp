// A tab control as a Qt tab bar along the top of the window's client area;
// the pages below are the toolkit's own windows. A change of tab by the
// user asks the parent first (TCN_SELCHANGING, which may veto it) and then
// reports it (TCN_SELCHANGE); a change by TCM_SETCURSEL reports nothing.

#include <QSignalBlocker>
#include <QTabBar>

#include "toolkit/qt/QtNativeKinds.h"
#include "toolkit/win/ControlMessages.h"

namespace {

TRect RectOf(const QRect& rect) { return {rect.left(), rect.top(), rect.right() + 1, rect.bottom() + 1}; }

class TNativeTabControl final : public TNativeWidget {
public:
  TNativeTabControl(HWND window, QWidget* parent) : TNativeWidget(window, new QTabBar(parent)) {
    tabs().setDrawBase(true);
    tabs().setExpanding(false);
    tabs().setUsesScrollButtons(true);
    QObject::connect(&tabs(), &QTabBar::currentChanged, Context(), [this](int index) { UserChose(index); });
  }

protected:
  bool ControlMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override {
    const auto index = static_cast<int>(static_cast<intptr_t>(wParam));
    switch (message) {
      case TCM_GETITEMCOUNT: result = tabs().count(); return true;
      case TCM_GETCURSEL: result = tabs().currentIndex(); return true;
      case TCM_SETCURSEL:
        result = tabs().currentIndex();
        if (index >= 0 && index < tabs().count()) Silently([&] { tabs().setCurrentIndex(index); });
        return true;
      case TCM_INSERTITEM: {
        const auto* item = reinterpret_cast<const TCITEM*>(lParam);
        Silently([&] { result = tabs().insertTab(index, QString::fromUtf8(item->pszText ? item->pszText : "")); });
        PlaceInClientArea();
        return true;
      }
      case TCM_SETITEM:
        if (index < 0 || index >= tabs().count()) return Fail(result);
        tabs().setTabText(index, QString::fromUtf8(reinterpret_cast<const TCITEM*>(lParam)->pszText));
        result = 1;
        return true;
      case TCM_GETITEM: {
        if (index < 0 || index >= tabs().count()) return Fail(result);
        auto* item = reinterpret_cast<TCITEM*>(lParam);
        if ((item->mask & TCIF_TEXT) && item->pszText && item->cchTextMax > 0) {
          const std::string text = tabs().tabText(index).toStdString();
          const size_t count = std::min(text.size(), static_cast<size_t>(item->cchTextMax - 1));
          text.copy(item->pszText, count);
          item->pszText[count] = '\0';
        }
        if (item->mask & TCIF_IMAGE) item->iImage = -1;
        result = 1;
        return true;
      }
      case TCM_DELETEITEM:
        if (index < 0 || index >= tabs().count()) return Fail(result);
        Silently([&] { tabs().removeTab(index); });
        PlaceInClientArea();
        result = 1;
        return true;
      case TCM_DELETEALLITEMS:
        Silently([&] {
          while (tabs().count()) tabs().removeTab(0);
        });
        PlaceInClientArea();
        result = 1;
        return true;
      case TCM_GETITEMRECT:
        if (index < 0 || index >= tabs().count()) return Fail(result);
        *reinterpret_cast<TRect*>(lParam) = RectOf(tabs().tabRect(index).translated(tabs().pos()));
        result = 1;
        return true;
      case TCM_ADJUSTRECT: {
        auto& rect = *reinterpret_cast<TRect*>(lParam);
        rect.Top += wParam ? -BarHeight() : BarHeight();
        return true;
      }
      case TCM_GETIMAGELIST: result = 0; return true;
      default: return false;
    }
  }
  LRESULT DialogCode() const override { return DLGC_WANTARROWS; }
  TRect WidgetArea(const TRect& client) const override { return {client.Left, client.Top, client.Right, client.Top + BarHeight()}; }

private:
  QTabBar& tabs() const { return *static_cast<QTabBar*>(Widget()); }
  int BarHeight() const { return tabs().sizeHint().height(); }
  static bool Fail(LRESULT& result) {
    result = 0;
    return true;
  }
  template <class Change>
  void Silently(Change change) {
    const QSignalBlocker blocker(tabs());
    change();
    shown_ = tabs().currentIndex();
  }
  // Qt has already moved to the tab: it goes back while the parent is asked.
  void UserChose(int index) {
    Silently([&] { tabs().setCurrentIndex(shown_); });
    NMHDR header;
    if (Notify(header, TCN_SELCHANGING) != 0) return;
    Silently([&] { tabs().setCurrentIndex(index); });
    Notify(header, TCN_SELCHANGE);
  }

  int shown_ = -1;
};

}  // namespace

std::unique_ptr<TNativeWidget> MakeNativeTabControl(HWND window, QWidget* parent) {
  return std::make_unique<TNativeTabControl>(window, parent);
}
