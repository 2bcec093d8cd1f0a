// Measuring and painting menus in the classic look: the system menu
// colours, the menu font, a check column at the left of pop-up items, the
// shortcut (the text after a tab) in a column at the right, and an arrow
// for submenus. The bar's open item looks pressed.

#include <algorithm>

#include "toolkit/gdi/Gdi.h"
#include "toolkit/gdi/GdiBitmap.h"
#include "toolkit/win/Edges.h"
#include "toolkit/win/MenuRecord.h"
#include "toolkit/win/MessageQueue.h"
#include "toolkit/win/SysMetrics.h"

namespace {

constexpr int CheckColumn = 22;   // check mark or picture
constexpr int ArrowColumn = 18;   // submenu arrow
constexpr int ShortcutGap = 24;   // between the text and the shortcut columns
constexpr int SeparatorHeight = 9;
constexpr int BarItemPadding = 7;

HFONT MenuFont(bool bold) {
  static HFONT fonts[2] = {nullptr, nullptr};
  HFONT& font = fonts[bold ? 1 : 0];
  if (!font) {
    NONCLIENTMETRICS metrics;
    SystemParametersInfo(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
    if (bold) metrics.lfMenuFont.lfWeight = FW_BOLD;
    font = CreateFontIndirect(metrics.lfMenuFont);
  }
  return font;
}

// A device context for measuring text in the menu font.
class TMeasuringDC {
public:
  TMeasuringDC() : dc_(CreateCompatibleDC(nullptr)) { SelectObject(dc_, MenuFont(false)); }
  ~TMeasuringDC() { DeleteDC(dc_); }
  TMeasuringDC(const TMeasuringDC&) = delete;
  TMeasuringDC& operator=(const TMeasuringDC&) = delete;
  HDC Handle() const { return dc_; }

private:
  HDC dc_;
};

struct TItemTexts {
  std::string Label;
  std::string Shortcut;
};

TItemTexts SplitText(const std::string& text) {
  const size_t tab = text.find('\t');
  if (tab == std::string::npos) return {text, {}};
  return {text.substr(0, tab), text.substr(tab + 1)};
}

int TextWidth(HDC dc, const std::string& text) {
  TRect rect{0, 0, 0, 0};
  DrawText(dc, text, rect, DT_SINGLELINE | DT_CALCRECT);
  return rect.Width();
}

int TextHeight(HDC dc) {
  TTextMetric metric;
  GetTextMetrics(dc, &metric);
  return metric.tmHeight;
}

int PopupItemHeight(HDC dc) { return std::max(TextHeight(dc) + 6, 20); }

TSize MeasureOwnerDrawn(const TMenuItemRecord& item, HWND owner, int defaultHeight) {
  MEASUREITEMSTRUCT measure;
  measure.CtlType = ODT_MENU;
  measure.itemID = item.Id;
  measure.itemHeight = static_cast<UINT>(defaultHeight);
  measure.itemData = item.Data;
  SendMessage(owner, WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&measure));
  return {static_cast<int>(measure.itemWidth), static_cast<int>(measure.itemHeight)};
}

void FillSys(HDC dc, const TRect& rect, int color) { FillRect(dc, rect, GetSysColorBrush(color)); }

// Ink of text: an embossed look for disabled items outside a highlight.
void DrawItemText(HDC dc, const std::string& text, TRect rect, unsigned format, bool enabled, bool selected,
                  int textColor) {
  SetBkMode(dc, TRANSPARENT);
  if (!enabled && !selected) {
    TRect shadow = rect;
    OffsetRect(shadow, 1, 1);
    SetTextColor(dc, GetSysColor(COLOR_BTNHIGHLIGHT));
    DrawText(dc, text, shadow, format);
  }
  SetTextColor(dc, GetSysColor(enabled ? textColor : selected ? COLOR_BTNSHADOW : COLOR_GRAYTEXT));
  if (!enabled && selected) SetTextColor(dc, GetSysColor(COLOR_GRAYTEXT));
  DrawText(dc, text, rect, format);
}

void DrawCheckMark(HDC dc, const TRect& column, bool radio, TColor color) {
  const int cx = column.Left + column.Width() / 2;
  const int cy = column.Top + column.Height() / 2;
  const HBRUSH brush = CreateSolidBrush(color);
  if (radio) {
    const HPEN pen = CreatePen(0, 1, color);
    const HGDIOBJ oldPen = SelectObject(dc, pen);
    const HGDIOBJ oldBrush = SelectObject(dc, brush);
    Ellipse(dc, cx - 3, cy - 3, cx + 3, cy + 3);
    SelectObject(dc, oldPen);
    SelectObject(dc, oldBrush);
    DeleteObject(pen);
  } else {
    // A tick three pixels thick: down-right then up-right.
    for (int i = 0; i < 3; ++i) {
      FillRect(dc, {cx - 3 + i, cy - 1 + i, cx - 2 + i, cy + 2 + i}, brush);
      FillRect(dc, {cx + i, cy + 1 - i, cx + 1 + i, cy + 4 - i}, brush);
    }
    FillRect(dc, {cx + 3, cy - 2, cx + 4, cy + 1}, brush);
  }
  DeleteObject(brush);
}

void DrawSubmenuArrow(HDC dc, const TRect& rect, TColor color) {
  const int x = rect.Right - ArrowColumn / 2 - 2;
  const int cy = rect.Top + rect.Height() / 2;
  const HBRUSH brush = CreateSolidBrush(color);
  for (int i = 0; i < 4; ++i) FillRect(dc, {x + i, cy - 3 + i, x + i + 1, cy + 4 - i}, brush);
  DeleteObject(brush);
}

void DrawItemBitmap(HDC dc, HBITMAP bitmap, const TRect& column) {
  const HDC source = CreateCompatibleDC(dc);
  const HGDIOBJ old = SelectObject(source, bitmap);
  const TSize size{bitmap->Width(), bitmap->Height()};
  BitBlt(dc, column.Left + (column.Width() - size.cx) / 2, column.Top + (column.Height() - size.cy) / 2, size.cx,
         size.cy, source, 0, 0, SRCCOPY);
  SelectObject(source, old);
  DeleteDC(source);
}

void DrawSeparator(HDC dc, const TRect& rect) {
  const int y = rect.Top + rect.Height() / 2 - 1;
  FillSys(dc, {rect.Left + 1, y, rect.Right - 1, y + 1}, COLOR_BTNSHADOW);
  FillSys(dc, {rect.Left + 1, y + 1, rect.Right - 1, y + 2}, COLOR_BTNHIGHLIGHT);
}

void SendDrawItem(HDC dc, HMENU menu, const TMenuItemRecord& item, const TRect& rect, UINT state, HWND owner) {
  DRAWITEMSTRUCT draw;
  draw.CtlType = ODT_MENU;
  draw.itemID = item.Id;
  draw.itemAction = ODA_DRAWENTIRE;
  draw.itemState = state;
  draw.hwndItem = reinterpret_cast<HWND>(menu);
  draw.hDC = dc;
  draw.rcItem = rect;
  draw.itemData = item.Data;
  const int level = SaveDC(dc);
  SendMessage(owner, WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&draw));
  RestoreDC(dc, level);
}

UINT OwnerDrawState(const TMenuItemRecord& item, bool selected) {
  UINT state = selected ? ODS_SELECTED : 0;
  if (!item.IsEnabled()) state |= ODS_GRAYED | ODS_DISABLED;
  if (item.State & MFS_CHECKED) state |= ODS_CHECKED;
  if (item.State & MFS_DEFAULT) state |= ODS_DEFAULT;
  return state;
}

}  // namespace

TPopupLayout LayoutPopupMenu(HMENU menu, HWND owner) {
  TPopupLayout layout;
  const TMenuRecord* record = FindMenuRecord(menu);
  if (!record) return layout;
  const TMeasuringDC measuring;
  const HDC dc = measuring.Handle();
  const int itemHeight = PopupItemHeight(dc);
  // Columns start at a break; each is as wide as its widest item.
  int columnLeft = 0, y = 0, labelWidth = 0, shortcutWidth = 0, ownerWidth = 0;
  size_t columnStart = 0;
  const auto closeColumn = [&](size_t end) {
    int width = CheckColumn + labelWidth + (shortcutWidth ? ShortcutGap + shortcutWidth : 0) + ArrowColumn;
    width = std::max(width, ownerWidth);
    for (size_t i = columnStart; i < end; ++i) {
      layout.Items[i].Left = columnLeft;
      layout.Items[i].Right = columnLeft + width;
    }
    columnLeft += width;
    layout.Size.cy = std::max(layout.Size.cy, y);
    y = labelWidth = shortcutWidth = ownerWidth = 0;
    columnStart = end;
  };
  for (size_t i = 0; i < record->Items.size(); ++i) {
    const TMenuItemRecord& item = record->Items[i];
    if (i > 0 && (item.Type & (MFT_MENUBREAK | MFT_MENUBARBREAK))) closeColumn(i);
    int height = itemHeight;
    if (item.Type & MFT_OWNERDRAW) {
      const TSize size = MeasureOwnerDrawn(item, owner, itemHeight);
      height = size.cy;
      ownerWidth = std::max(ownerWidth, size.cx);
    } else if (item.IsSeparator()) {
      height = SeparatorHeight;
    } else {
      const TItemTexts texts = SplitText(item.Text);
      SelectObject(dc, MenuFont((item.State & MFS_DEFAULT) != 0));
      labelWidth = std::max(labelWidth, TextWidth(dc, texts.Label));
      if (!texts.Shortcut.empty()) shortcutWidth = std::max(shortcutWidth, TextWidth(dc, texts.Shortcut));
      SelectObject(dc, MenuFont(false));
    }
    layout.Items.push_back({0, y, 0, y + height});
    y += height;
  }
  closeColumn(record->Items.size());
  layout.Size.cx = columnLeft;
  return layout;
}

std::vector<TRect> LayoutMenuBar(HMENU menu, HWND window, int rowWidth) {
  std::vector<TRect> items;
  const TMenuRecord* record = FindMenuRecord(menu);
  if (!record) return items;
  const TMeasuringDC measuring;
  const int height = GetSystemMetrics(SM_CYMENU);
  TMenuRowWrap wrap{.RowWidth = rowWidth};
  for (const auto& item : record->Items) {
    const int width = (item.Type & MFT_OWNERDRAW) ? MeasureOwnerDrawn(item, window, height).cx
                                                  : TextWidth(measuring.Handle(), SplitText(item.Text).Label) + 2 * BarItemPadding;
    const int left = wrap.Place(width);
    const int top = (wrap.Rows - 1) * height;
    items.push_back({left, top, left + width, top + height});
  }
  return items;
}

int TMenuRowWrap::Place(int width) {
  if (X > 0 && X + width > RowWidth) {
    X = 0;
    ++Rows;
  }
  const int left = X;
  X += width;
  return left;
}

void DrawMenuItemStandard(HDC dc, HMENU menu, UINT position, const TRect& rect, UINT state) {
  const TMenuItemRecord* item = FindMenuItem(menu, position, MF_BYPOSITION);
  if (!item) return;
  const bool selected = (state & ODS_SELECTED) != 0;
  const bool enabled = !(state & (ODS_GRAYED | ODS_DISABLED));
  FillSys(dc, rect, selected ? COLOR_HIGHLIGHT : COLOR_MENU);
  if (item->IsSeparator()) {
    DrawSeparator(dc, rect);
    return;
  }
  const int textColor = selected ? COLOR_HIGHLIGHTTEXT : COLOR_MENUTEXT;
  const TRect column{rect.Left, rect.Top, rect.Left + CheckColumn, rect.Bottom};
  if (item->Bitmap)
    DrawItemBitmap(dc, item->Bitmap, column);
  else if (state & ODS_CHECKED)
    DrawCheckMark(dc, column, (item->Type & MFT_RADIOCHECK) != 0, GetSysColor(enabled ? textColor : COLOR_GRAYTEXT));
  if (item->Bitmap && (state & ODS_CHECKED)) {
    TRect frame = column;
    DrawEdge(dc, frame, BDR_SUNKENOUTER, BF_RECT);
  }
  const int level = SaveDC(dc);
  SelectObject(dc, MenuFont((state & ODS_DEFAULT) != 0));
  const TItemTexts texts = SplitText(item->Text);
  const TRect textRect{rect.Left + CheckColumn, rect.Top, rect.Right - ArrowColumn, rect.Bottom};
  const unsigned format = DT_SINGLELINE | DT_VCENTER;
  DrawItemText(dc, texts.Label, textRect, format | DT_LEFT, enabled, selected, textColor);
  if (!texts.Shortcut.empty())
    DrawItemText(dc, texts.Shortcut, textRect, format | DT_RIGHT | DT_NOPREFIX, enabled, selected, textColor);
  RestoreDC(dc, level);
  if (item->SubMenu) DrawSubmenuArrow(dc, rect, GetSysColor(enabled ? textColor : COLOR_GRAYTEXT));
}

void PaintPopupItem(HDC dc, HMENU menu, int position, const TRect& rect, bool selected, HWND owner) {
  const TMenuItemRecord* item = FindMenuItem(menu, static_cast<UINT>(position), MF_BYPOSITION);
  if (!item) return;
  const UINT state = OwnerDrawState(*item, selected);
  if (item->Type & MFT_OWNERDRAW)
    SendDrawItem(dc, menu, *item, rect, state, owner);
  else
    DrawMenuItemStandard(dc, menu, static_cast<UINT>(position), rect, state);
}

void PaintMenuBar(HDC dc, HMENU menu, const TRect& bar, int hot, HWND window, int rowWidth) {
  FillSys(dc, bar, COLOR_MENU);
  const TMenuRecord* record = FindMenuRecord(menu);
  if (!record) return;
  const int level = SaveDC(dc);
  IntersectClipRect(dc, bar.Left, bar.Top, bar.Right, bar.Bottom);
  SelectObject(dc, MenuFont(false));
  const std::vector<TRect> items = LayoutMenuBar(menu, window, rowWidth);
  for (size_t i = 0; i < items.size(); ++i) {
    TRect rect = items[i];
    OffsetRect(rect, bar.Left, bar.Top);
    const TMenuItemRecord& item = record->Items[i];
    const bool pressed = static_cast<int>(i) == hot;
    if (item.Type & MFT_OWNERDRAW) {
      SendDrawItem(dc, menu, item, rect, OwnerDrawState(item, pressed) | (pressed ? ODS_HOTLIGHT : 0), window);
      continue;
    }
    if (pressed) {
      TRect frame = rect;
      DrawEdge(dc, frame, BDR_SUNKENOUTER, BF_RECT);
      OffsetRect(rect, 1, 1);
    }
    DrawItemText(dc, SplitText(item.Text).Label, rect, DT_SINGLELINE | DT_VCENTER | DT_CENTER, item.IsEnabled(), false,
                 COLOR_MENUTEXT);
  }
  RestoreDC(dc, level);
}
