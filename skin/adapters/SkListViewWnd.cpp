#include "skin/adapters/SkListViewWnd.h"

#include <vector>

#include "runtime/AsciiCase.h"
#include "skin/ControlRoutines.h"
#include "skin/GeneralRoutines.h"
#include "skin/SkinCommonData.h"
#include "skin/adapters/ScrollTracking.h"
#include "skin/paint/MaskDrawing.h"
#include "skin/paint/PixelRoutines.h"
#include "skin/paint/SectionPainting.h"
#include "skin/paint/TextLayout.h"
#include "skin/skins/SkinManager.h"
#include "toolkit/controls/Control.h"
#include "toolkit/gdi/Bitmap.h"
#include "toolkit/gdi/Canvas.h"
#include "toolkit/gdi/DeviceContext.h"
#include "toolkit/gdi/Gdi.h"
#include "toolkit/win/ControlMessages.h"
#include "toolkit/win/MessageQueue.h"
#include "toolkit/win/Paint.h"
#include "toolkit/win/Window.h"

namespace {

constexpr unsigned TitleFormat = DT_SINGLELINE | DT_VCENTER | DT_EXPANDTABS | DT_END_ELLIPSIS;
constexpr int TitleLength = 128;
constexpr int GlyphGap = 6;

DWORD StyleOf(HWND window) { return static_cast<DWORD>(GetWindowLongPtr(window, GWL_STYLE)); }

bool IsHeaderClass(HWND window) { return SameAsciiText(GetClassName(window), "SysHeader32"); }

// The item's rectangle as LVM_GETITEMRECT answers it for LVIR_BOUNDS.
TRect ItemBounds(HWND list, int item) {
  TRect bounds{LVIR_BOUNDS, 0, 0, 0};
  SendMessage(list, LVM_GETITEMRECT, WPARAM(item), reinterpret_cast<LPARAM>(&bounds));
  return bounds;
}

// The sort glyph of the format: the down or up arrow's glyph of the default
// manager; -1 for none.
int SortGlyphMask(const TSkinManager* manager, int format) {
  if (!manager || !(format & (HDF_SORTUP | HDF_SORTDOWN))) return -1;
  const char* section = (format & HDF_SORTDOWN) ? "SCROLLBTNBOTTOM" : "SCROLLBTNTOP";
  const int sectionIndex = manager->SectionIndexOf(section);
  return sectionIndex < 0 ? -1 : manager->MaskIndexOf(sectionIndex, section, "GLYPHMASK");
}

}  // namespace

TRect PlaceColumnTitle(const TRect& textRect, int textWidth, int glyphRoom, int format) {
  TRect title = textRect;
  switch (format & HDF_JUSTIFYMASK) {
    case HDF_RIGHT: title.Left = textRect.Right - glyphRoom - textWidth; break;
    case HDF_CENTER: title.Left = textRect.Left + (textRect.Width() - textWidth - glyphRoom) / 2; break;
    default: break;
  }
  title.Right = title.Left + textWidth;
  return title;
}

// ---------------------------------------------------------------- creation and look

void TSkListViewWnd::Create(HWND handle, TSkinCommonData* skinData, TSkinManager* manager, const std::string& section,
                            bool repaint) {
  TSkEditWnd::Create(handle, skinData, manager, section, repaint);
  if (!handle) return;
  HeaderStub = MakeObjectInstance([this](TMessage& message) { HeaderProcedure(message); });
  PressedColumn = -1;
  if (const HWND header = FindWindowEx(handle, nullptr, "SysHeader32")) TakeHeaderOver(header);
}

TSkListViewWnd::~TSkListViewWnd() {
  GiveHeaderBack();
  if (HeaderStub) FreeObjectInstance(HeaderStub);
}

void TSkListViewWnd::TakeHeaderOver(HWND header) {
  HeaderHandle = header;
  HeaderPrevProc = reinterpret_cast<WNDPROC>(GetWindowLongPtr(header, GWL_WNDPROC));
  SetWindowLongPtr(header, GWL_WNDPROC, reinterpret_cast<LONG_PTR>(HeaderStub));
}

void TSkListViewWnd::GiveHeaderBack() {
  if (HeaderHandle && HeaderPrevProc && IsWindow(HeaderHandle))
    SetWindowLongPtr(HeaderHandle, GWL_WNDPROC, reinterpret_cast<LONG_PTR>(HeaderPrevProc));
  HeaderHandle = nullptr;
  HeaderPrevProc = nullptr;
}

void TSkListViewWnd::StoreStdLook() {
  TSkEditWnd::StoreStdLook();
  StdColor = static_cast<TColor>(SendMessage(Handle, LVM_GETBKCOLOR, 0, 0));
  StdFontColor = static_cast<TColor>(SendMessage(Handle, LVM_GETTEXTCOLOR, 0, 0));
}

void TSkListViewWnd::RestoreStdLook() {
  SendMessage(Handle, LVM_SETTEXTCOLOR, 0, LPARAM(ColorToRGB(clWindowText)));
  GiveHeaderBack();
  TSkEditWnd::RestoreStdLook();
}

void TSkListViewWnd::ApplySkinLook() {
  TSkEditWnd::ApplySkinLook();
  if (!Handle) return;
  const TSkinManager* manager = SkinData->GetSkinManager();
  const bool plain = DialogMode || !manager || !manager->IsSectionIndex(SkinData->SectionIndex);
  const TColor back = plain ? ColorToRGB(clWindow) : SectionValues().Color;
  const TColor text = plain ? ColorToRGB(clWindowText) : SectionValues().FontColor[0];
  SendMessage(Handle, LVM_SETBKCOLOR, 0, LPARAM(back));
  SendMessage(Handle, LVM_SETTEXTBKCOLOR, 0, LPARAM(ColorToRGB(back)));
  SendMessage(Handle, LVM_SETTEXTCOLOR, 0, LPARAM(text));
}

TSkListViewWnd::TViewStyle TSkListViewWnd::ViewStyle() const {
  switch (SendMessage(Handle, LVM_GETVIEW, 0, 0)) {
    case LV_VIEW_ICON: return vsIcon;
    case LV_VIEW_DETAILS: return vsReport;
    case LV_VIEW_SMALLICON: return vsSmallIcon;
    default: return vsList;
  }
}

// ---------------------------------------------------------------- the list's procedure

// Scrolls the list to the position of the dragged emulated thumb: by
// columns in list view, by rows in report view, by pixels otherwise.
bool TSkListViewWnd::ScrollByThumb(TMessage& message) {
  if (LOWORD(message.WParam) != SB_THUMBTRACK) {
    if (message.Msg == WM_VSCROLL) message.LParam = 0;
    message.Result = CallPrevWndProc(message.Msg, message.WParam, message.LParam);
    return true;
  }
  const int position = message.LParam ? int(message.LParam) : int(HIWORD(message.WParam));
  if (message.Msg == WM_VSCROLL && position == ScrollTracking.LastTrackPos) return true;
  int delta = position - ScrollTracking.LastTrackPos;
  if (message.Msg == WM_HSCROLL) {
    if (ViewStyle() == vsList) delta *= ItemBounds(Handle, 0).Width();
    SendMessage(Handle, LVM_SCROLL, WPARAM(delta), 0);
  } else {
    if (ViewStyle() == vsReport) delta *= ItemBounds(Handle, 0).Height();
    SendMessage(Handle, LVM_SCROLL, 0, LPARAM(delta));
  }
  return true;
}

void TSkListViewWnd::AdapterWndProc(TMessage& message) {
  if (Detached || !SkinData || !SkinData->Skinned(false)) return TSkEditWnd::AdapterWndProc(message);
  switch (message.Msg) {
    case SM_SKINCMD:
      switch (SubCommandOf(message.WParam)) {
        case scSkinChanged:
          if (reinterpret_cast<TSkinManager*>(message.LParam) != SkinData->GetSkinManager()) break;
          TSkEditWnd::AdapterWndProc(message);
          if (HeaderHandle) RedrawWindow(HeaderHandle, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
          return;
        case scGetSection: message.Result = SkinData->SectionIndex + 1; return;
        case scBeforeScroll: message.Result = 1; return;
        default: break;
      }
      break;
    case WM_HSCROLL:
    case WM_VSCROLL: ScrollByThumb(message); return;
    case WM_PAINT: ApplySkinLook(); break;
    default: break;
  }
  TSkEditWnd::AdapterWndProc(message);
  AfterMessage(message);
}

void TSkListViewWnd::AfterMessage(const TMessage& message) {
  switch (message.Msg) {
    case WM_STYLECHANGED:
    case LVM_ARRANGE:
    case LVM_INSERTITEM:
      if (!SkinData->PaintingSuspended()) SyncScrollInfo(*this, true);
      break;
    case WM_LBUTTONUP: ReleaseCapture(); break;
    case WM_PARENTNOTIFY: {
      const WORD event = LOWORD(message.WParam);
      const HWND child = ParamToHandle<HWND>(message.LParam);
      if ((event == WM_CREATE || event == WM_DESTROY) && IsHeaderClass(child)) {
        GiveHeaderBack();
        TakeHeaderOver(child);
      }
      break;
    }
    case WM_PRINT:
      if (ViewStyle() == vsReport) PrintHeader(reinterpret_cast<HDC>(message.WParam));
      break;
    default: break;
  }
}

void TSkListViewWnd::PrintHeader(HDC dc) {
  if (!HeaderHandle || !dc) return;
  const int saved = SaveDC(dc);
  OffsetWindowOrgEx(dc, -EdgeLeft, -EdgeLeft, nullptr);
  const TRect client = ClientInPrint();
  IntersectClipRect(dc, client.Left, client.Top, client.Right, client.Bottom);
  PaintHeader(dc);
  RestoreDC(dc, saved);
}

// ---------------------------------------------------------------- the header's procedure

void TSkListViewWnd::PassToHeader(TMessage& message) {
  message.Result = HeaderPrevProc && HeaderHandle
                       ? CallWindowProc(HeaderPrevProc, HeaderHandle, message.Msg, message.WParam, message.LParam)
                       : 0;
}

void TSkListViewWnd::HeaderProcedure(TMessage& message) {
  if (ViewStyle() != vsReport) return PassToHeader(message);
  const bool buttons = HeaderHandle && (StyleOf(HeaderHandle) & HDS_BUTTONS);
  switch (message.Msg) {
    case WM_PAINT: {
      PAINTSTRUCT paint;
      const HDC dc = BeginPaint(HeaderHandle, paint);
      PaintHeader(reinterpret_cast<HDC>(message.WParam) ? reinterpret_cast<HDC>(message.WParam) : dc);
      EndPaint(HeaderHandle, paint);
      return;
    }
    case WM_ERASEBKGND: return;
    case WM_WINDOWPOSCHANGING:
      if (IsWindowVisible(Handle)) SendMessage(Handle, WM_NCPAINT, 0, 0);
      return PassToHeader(message);
    case WM_NCDESTROY:
      PassToHeader(message);
      HeaderHandle = nullptr;
      HeaderPrevProc = nullptr;
      return;
    case WM_LBUTTONUP:
      if (buttons) PressedColumn = -1;
      return PassToHeader(message);
    default: break;
  }
  PassToHeader(message);
  if (message.Msg == WM_LBUTTONDOWN && buttons && HeaderHandle) {
    HDHITTESTINFO hit{.pt = {GET_X_LPARAM(message.LParam), GET_Y_LPARAM(message.LParam)}};
    SendMessage(HeaderHandle, HDM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit));
    PressedColumn = (hit.flags & (HHT_ONDIVIDER | HHT_ONDIVOPEN)) ? -1 : hit.iItem;
    RedrawWindow(HeaderHandle, nullptr, nullptr, RDW_INVALIDATE);
  }
}

void TSkListViewWnd::PaintHeader(HDC dc) {
  if (!HeaderHandle || !dc || ViewStyle() != vsReport) return;
  const int count = static_cast<int>(SendMessage(HeaderHandle, HDM_GETITEMCOUNT, 0, 0));
  std::vector<int> order(static_cast<size_t>(std::max(count, 0)));
  for (int i = 0; i < count; ++i) order[size_t(i)] = i;
  if (StyleOf(HeaderHandle) & HDS_FULLDRAG)
    SendMessage(HeaderHandle, HDM_GETORDERARRAY, WPARAM(count), reinterpret_cast<LPARAM>(order.data()));
  TRect header;
  GetClientRect(HeaderHandle, header);
  int rightmost = 0;
  for (const int item : order) {
    TRect rect;
    SendMessage(HeaderHandle, HDM_GETITEMRECT, WPARAM(item), reinterpret_cast<LPARAM>(&rect));
    if (IsRectEmpty(rect)) continue;
    PaintHeaderItem(dc, item, rect);
    rightmost = std::max(rightmost, rect.Right);
  }
  if (rightmost < header.Right) PaintHeaderItem(dc, -1, {rightmost, 0, header.Right, header.Bottom});
}

void TSkListViewWnd::PaintSortGlyph(TBitmap& bmp, int format, int state, const TRect& title) {
  const TSkinManager* manager = DefaultManager();
  const int mask = SortGlyphMask(manager, format);
  if (mask < 0) return;
  const TSize frame = manager->MaskFrameSize(mask);
  DrawMaskImage(&bmp, {title.Right + GlyphGap, (bmp.Height() - frame.cy) / 2}, state, 1, manager->Masks[mask],
                MakeBackdropRef(&bmp, 0, 0));
}

void TSkListViewWnd::PaintHeaderItem(HDC dc, int item, const TRect& rect) {
  TSkinManager* manager = SkinData->GetSkinManager();
  if (!manager) return;
  const int state = item >= 0 && PressedColumn == item ? 2 : 0;
  const auto bmp = NewBitmap24(rect.Width(), rect.Height());
  int section = manager->SectionIndexOf("COLHEADER");
  const std::string name = section >= 0 ? "COLHEADER" : "BUTTON";
  if (section < 0) section = manager->SectionIndexOf(name);
  const TControl* host = SkinData->HostControl();
  TBackdropRef listColor;
  listColor.FillColor = host ? ColorToRGB(host->Color()) : ColorToRGB(clWhite);
  PaintSection(section, name, listColor, true, state, {0, 0, rect.Width(), rect.Height()}, {0, 0}, bmp.get(), manager);
  if (item >= 0) {
    TCanvas& canvas = bmp->Canvas();
    if (const auto font = reinterpret_cast<HFONT>(SendMessage(Handle, WM_GETFONT, 0, 0))) canvas.Font().SetHandle(font);
    TRect textRect{4, 1, rect.Width() - 8, rect.Height() - 1};
    if (state == 2) OffsetRect(textRect, 1, 1);
    char text[TitleLength + 1] = {};
    HDITEM info{.mask = HDI_TEXT | HDI_FORMAT | HDI_LPARAM | HDI_IMAGE, .pszText = text, .cchTextMax = sizeof text};
    SendMessage(HeaderHandle, HDM_GETITEM, WPARAM(item), reinterpret_cast<LPARAM>(&info));
    const int glyph = SortGlyphMask(DefaultManager(), info.fmt);
    const int glyphRoom = glyph < 0 ? 0 : DefaultManager()->MaskFrameSize(glyph).cx + GlyphGap;
    TSize extent;
    GetTextExtentPoint32(canvas.Handle(), text, &extent);
    const TRect title = PlaceColumnTitle(textRect, extent.cx + 5, glyphRoom, info.fmt);
    PaintSortGlyph(*bmp, info.fmt, state, title);
    WriteSectionText(canvas, text, true, title, TitleFormat, section, state == 2, manager);
  }
  BitBlt(dc, rect.Left, rect.Top, rect.Width(), rect.Height(), bmp->Canvas().Handle(), 0, 0, SRCCOPY);
}
