// The measures of a skinned form's window: frame, caption, menu line, where
// the client area starts, the caption icon, and tests of the form's style.
// All but the menu line's row count are read afresh from the form, its
// window, the system metrics and the skin each time.

#include <algorithm>

#include "skin/SkinCommonData.h"
#include "skin/adapters/SkScrollWnd.h"
#include "skin/forms/SkinProvider.h"
#include "skin/menus/SkinableMenus.h"
#include "skin/skins/SkinManager.h"
#include "toolkit/controls/Form.h"
#include "toolkit/controls/Menus.h"
#include "toolkit/gdi/Bitmap.h"
#include "toolkit/win/Menu.h"
#include "toolkit/win/Styles.h"
#include "toolkit/win/SysMetrics.h"
#include "toolkit/win/Window.h"

namespace {

// The toolkit's forms have no inner border inside their frame.
constexpr int FormBorderWidth = 0;

// The group limit the active MDI child's last items are placed with.
constexpr int AllGroups = 99999;

HWND WindowOf(TForm* form) { return form && form->HandleAllocated() ? form->Handle() : nullptr; }

LONG_PTR StyleOf(TForm* form) {
  const HWND window = WindowOf(form);
  return window ? GetWindowLongPtr(window, GWL_STYLE) : 0;
}

bool IsIconicForm(TForm* form) {
  const HWND window = WindowOf(form);
  return window && IsIconic(window);
}

TFormBorderStyle BorderStyleOf(const TForm* form) { return form ? form->BorderStyle() : bsNone; }

bool IsMdiChild(const TForm* form) { return form && form->FormStyle() == fsMDIChild; }

bool IsMaximized(const TForm* form) { return form && form->WindowState() == wsMaximized; }

// An MDI child's frame is the sizing frame unless the child is fixed; any
// other form's is the dialog frame unless it can be sized. (So an MDI child
// with bsDialog gets the sizing frame, and a plain dialog the dialog frame.)
int FrameMetric(const TForm* form, bool vertical) {
  const TFormBorderStyle style = BorderStyleOf(form);
  if (IsMdiChild(form)) {
    const bool fixed = style == bsSingle || style == bsToolWindow;
    if (vertical) return GetSystemMetrics(fixed ? SM_CYFIXEDFRAME : SM_CYSIZEFRAME);
    return GetSystemMetrics(fixed ? SM_CXFIXEDFRAME : SM_CXSIZEFRAME);
  }
  const bool dialogFrame = style == bsSingle || style == bsDialog || style == bsToolWindow;
  if (vertical) return GetSystemMetrics(dialogFrame ? SM_CYDLGFRAME : SM_CYFRAME);
  return GetSystemMetrics(dialogFrame ? SM_CXDLGFRAME : SM_CXFRAME);
}

struct TWindowAndClient {
  TRect Window;
  TRect Client;
};

TWindowAndClient RectsOf(TForm* form) {
  TWindowAndClient rects;
  if (const HWND window = WindowOf(form)) {
    GetWindowRect(window, rects.Window);
    GetClientRect(window, rects.Client);
  }
  return rects;
}

// The thickness of the form's emulated bar while it is shown.
int EmulatedBarThickness(const TSkScrollWnd* bars, bool vertical) {
  return bars ? ShownThickness(vertical ? bars->VertBar : bars->HorzBar) : 0;
}

bool HasVisibleItem(TMainMenu* menu) {
  if (!menu) return false;
  const TMenuItem& items = menu->Items();
  for (int i = 0; i < items.Count(); ++i)
    if (items.Items(i)->Visible()) return true;
  return false;
}

// The skinnable menus measure and draw the item on the menu line.
bool OnMenuLine(const TMenuItem& item) { return item.OnMeasureItem && item.OnAdvancedDrawItem && item.Visible(); }

// The width the window's menu bar gives the item at the position.
int ItemWidth(HWND window, TMenu& menu, int position) {
  TRect rect;
  return GetMenuItemRect(window, menu.Handle(), UINT(position), rect) ? rect.Width() : 0;
}

}  // namespace

bool TSkinProvider::HasFrame() const { return BorderStyleOf(HostForm()) != bsNone || IsMdiChild(HostForm()); }

bool TSkinProvider::HasSizingFrame() const { return (StyleOf(HostForm()) & WS_THICKFRAME) != 0; }

bool TSkinProvider::BigButtons() const {
  const TFormBorderStyle style = BorderStyleOf(HostForm());
  return style == bsSingle || style == bsSizeable;
}

bool TSkinProvider::IconShown() const { return BigButtons() && ShowAppIcon(); }

bool TSkinProvider::GripShown() const { return GripMode == gmRightBottom && !IsMaximized(HostForm()); }

bool TSkinProvider::MenuLineShown() const {
  const TForm* form = HostForm();
  if (!form || form->BorderStyle() == bsDialog || IsMdiChild(form) || !form->Menu()) return false;
  if (HasVisibleItem(form->Menu())) return true;
  const TForm* child = form->FormStyle() == fsMDIForm ? form->ActiveMDIChild() : nullptr;
  return child && HasVisibleItem(child->Menu());
}

bool TSkinProvider::ChildButtonsShown() const {
  const TForm* form = HostForm();
  return ActiveChildProvider && form && form->FormStyle() == fsMDIForm && form->Menu() &&
         IsMaximized(form->ActiveMDIChild());
}

bool TSkinProvider::CacheSizeStale() const {
  const TBitmap* cache = SkinData().CacheBitmap();
  return !cache || !HostForm() || cache->Width() != PaintWidth() || cache->Height() != HostForm()->Height();
}

bool TSkinProvider::SingleStateBorder() const {
  const TSkinCommonData& data = SkinData();
  const TSkinManager* manager = data.GetSkinManager();
  return !manager || !manager->IsMaskIndex(data.BorderMaskIndex) || manager->Masks[data.BorderMaskIndex].ImageCount == 1;
}

int TSkinProvider::FrameWidth() const { return HasFrame() ? FrameMetric(HostForm(), false) : 0; }

int TSkinProvider::FrameHeight() const { return HasFrame() ? FrameMetric(HostForm(), true) : 0; }

int TSkinProvider::EdgeHeight() const { return FrameHeight() + FormBorderWidth; }

int TSkinProvider::TitleHeight() const {
  const bool captioned = HasFrame() && (StyleOf(HostForm()) & WS_CAPTION) == WS_CAPTION;
  if (!captioned && !IsIconicForm(HostForm())) return 0;
  const TFormBorderStyle style = BorderStyleOf(HostForm());
  return GetSystemMetrics(style == bsToolWindow || style == bsSizeToolWin ? SM_CYSMCAPTION : SM_CYCAPTION);
}

int TSkinProvider::MenuBarHeight() const {
  return HostForm() && HostForm()->Menu() ? GetSystemMetrics(SM_CYMENU) - 1 : 0;
}

// The walk's X runs from the menu line's left end, one frame in from the
// window's left edge, and a row holds what ends within the width less both
// frames from that edge: the rule the window core wraps its bar by.
void TSkinProvider::PlaceMenuItem(TMenuWalk& walk, int width) const {
  const int rowWidth = HostForm()->Width() - 3 * FrameWidth() - 2 * FormBorderWidth;
  TMenuRowWrap wrap{.RowWidth = rowWidth, .X = walk.X, .Rows = walk.Rows};
  wrap.Place(width);
  walk.X = wrap.X;
  walk.Rows = wrap.Rows;
}

// Each child group up to the limit is placed where it comes up, from its
// first item on until a later group starts while frame items remain: child
// groups between the frame's come between them, and a child group equal to
// a frame item's group takes that item's place.
bool TSkinProvider::PlaceChildItems(TMenuWalk& walk, int frameIndex, int limit) const {
  TForm* child = HostForm()->ActiveMDIChild();
  TMainMenu* menu = child ? child->Menu() : nullptr;
  if (!menu) return false;
  const TMenuItem& items = menu->Items();
  const bool frameItemsRemain = HostForm()->Menu() && frameIndex < HostForm()->Menu()->Items().Count();
  bool tookGroup = false;
  int first = walk.ChildIndex;
  while (first < items.Count()) {
    const TMenuItem& item = *items.Items(first);
    if (item.GroupIndex() <= walk.LastGroup || item.GroupIndex() > limit || !OnMenuLine(item)) {
      ++first;
      continue;
    }
    walk.LastGroup = item.GroupIndex();
    tookGroup = walk.LastGroup >= limit;
    for (int next = first; next < items.Count(); ++next) {
      const TMenuItem& placed = *items.Items(next);
      if (placed.GroupIndex() > walk.LastGroup && frameItemsRemain) break;
      if (OnMenuLine(placed)) PlaceMenuItem(walk, ItemWidth(child->Handle(), *menu, next));
      walk.LastGroup = placed.GroupIndex();
      walk.ChildIndex = next + 1;
    }
    first = walk.ChildIndex;
  }
  return tookGroup;
}

int TSkinProvider::MenuRows() {
  if (MenuRowCount != -1) return MenuRowCount;
  TMenuWalk walk;
  TForm* form = HostForm();
  if (TMainMenu* menu = form ? form->Menu() : nullptr) {
    const HWND window = form->Handle();
    int position = 0;  // on the form's menu bar
    const TMenuItem& items = menu->Items();
    // A maximized child with a system menu shows its icon first on the line.
    const TForm* child = form->ActiveMDIChild();
    if (items.Count() > 0 && MdiMainProvider == this && IsMaximized(child) && (child->BorderIcons() & biSystemMenu))
      walk.X += ItemWidth(window, *menu, position++);
    for (int i = 0; i < items.Count(); ++i) {
      const TMenuItem& item = *items.Items(i);
      if (item.GroupIndex() == walk.LastGroup || PlaceChildItems(walk, i, item.GroupIndex()) || !OnMenuLine(item))
        continue;
      PlaceMenuItem(walk, ItemWidth(window, *menu, position++));
    }
    PlaceChildItems(walk, items.Count(), AllGroups);
  }
  MenuRowCount = walk.Rows;
  return MenuRowCount;
}

int TSkinProvider::PaintWidth() const {
  if (!HostForm()) return 0;
  return IsIconicForm(HostForm()) ? RectsOf(HostForm()).Window.Width() : HostForm()->Width();
}

int TSkinProvider::ClientOffsetX() const {
  const TWindowAndClient rects = RectsOf(HostForm());
  return (rects.Window.Width() - rects.Client.Width() - EmulatedBarThickness(ScrollWnd.get(), true)) / 2;
}

int TSkinProvider::ClientOffsetY() const {
  const TWindowAndClient rects = RectsOf(HostForm());
  const int edge = TitleHeight() != 0 ? EdgeHeight() : 0;
  return rects.Window.Height() - rects.Client.Height() - edge - EmulatedBarThickness(ScrollWnd.get(), false);
}

int TSkinProvider::TopAreaHeight() const {
  const TWindowAndClient rects = RectsOf(HostForm());
  int height = rects.Window.Height() - rects.Client.Height();
  if (TitleHeight() != 0) height -= FrameHeight() + FormBorderWidth;
  height = std::max(height, 0);
  if (IsIconicForm(HostForm())) height += FrameHeight();
  if (Skinned()) height -= EmulatedBarThickness(ScrollWnd.get(), false);
  return height;
}

int TSkinProvider::IconSizeFor(int height) {
  if (height < 9) return 0;
  if (height <= 16) return 8;
  if (height <= 27) return 16;
  return 32;
}

int TSkinProvider::IconWidth() const {
  if (!IconShown()) return 0;
  return TitleIcon().Width != 0 ? TitleIcon().Width : IconSizeFor(TitleHeight());
}

int TSkinProvider::IconHeight() const {
  if (!IconShown()) return 0;
  return TitleIcon().Height != 0 ? TitleIcon().Height : IconSizeFor(TitleHeight());
}

TRect TSkinProvider::IconRect() const {
  const TSkinManager* manager = SkinData().GetSkinManager();
  const int left = FrameWidth() + (manager ? manager->GlobalInfo.CaptionButtonsLeft : 0);
  const int top = (TitleHeight() + FrameHeight() - IconHeight()) / 2;
  return {left, top, left + IconWidth(), top + IconHeight()};
}

TPoint TSkinProvider::FormOrigin() const {
  TForm* form = HostForm();
  const HWND window = WindowOf(form);
  if (!window) return {};
  if (!IsMdiChild(form)) return RectsOf(form).Window.TopLeft();
  TPoint origin{0, 0};
  ClientToScreen(window, origin);
  const int title = IsIconicForm(form) ? 0 : TitleHeight();
  return {origin.X - FrameWidth(), origin.Y - FrameHeight() - title};
}

TPoint TSkinProvider::ToFormPoint(int x, int y) const {
  const TPoint origin = FormOrigin();
  return {x - origin.X, y - origin.Y};
}

// Where the grip's image goes in the cache: its lower right corner on the
// inner edge of the frame. The cache is PaintWidth wide once painted; before
// that it may be empty, and the grip is still found in its place.
TPoint TSkinProvider::GripPosition() const {
  const TSkinManager* manager = SkinData().GetSkinManager();
  const int mask = manager ? manager->MaskIndexOfNames("GLOBALINFO", "GRIPIMAGE") : -1;
  const TSize grip = manager && manager->IsMaskIndex(mask) ? manager->MaskFrameSize(mask) : TSize{};
  const int formHeight = HostForm() ? HostForm()->Height() : 0;
  return {PaintWidth() - grip.cx - FrameWidth(), formHeight - grip.cy - FrameHeight()};
}
