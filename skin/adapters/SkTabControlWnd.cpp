#include "skin/adapters/SkTabControlWnd.h"

#include <array>

#include "skin/ControlRoutines.h"
#include "skin/GeneralRoutines.h"
#include "skin/SkinCommonData.h"
#include "skin/adapters/AdapterPainting.h"
#include "skin/paint/SectionPainting.h"
#include "skin/paint/TextLayout.h"
#include "skin/skins/SkinManager.h"
#include "toolkit/gdi/Bitmap.h"
#include "toolkit/gdi/Canvas.h"
#include "toolkit/gdi/Gdi.h"
#include "toolkit/gdi/Icon.h"
#include "toolkit/gdi/ImageList.h"
#include "toolkit/win/ControlMessages.h"
#include "toolkit/win/MessageQueue.h"
#include "toolkit/win/Paint.h"
#include "toolkit/win/Window.h"

namespace {

constexpr std::array<const char*, 4> FrameSections{"PAGECONTROL", "PAGECONTROLBOTTOM", "PAGECONTROLLEFT",
                                                  "PAGECONTROLRIGHT"};
constexpr unsigned TabTextFormat = DT_SINGLELINE | DT_VCENTER | DT_CENTER;

struct TTabItem {
  std::string Text;
  int Image = -1;
};

TTabItem ReadTab(HWND window, int index) {
  std::string buffer(4096, '\0');
  TCITEM item;
  item.mask = TCIF_TEXT | TCIF_IMAGE | TCIF_STATE;
  item.dwStateMask = 0x10;
  item.pszText = buffer.data();
  item.cchTextMax = static_cast<int>(buffer.size());
  if (!SendMessage(window, TCM_GETITEM, WPARAM(index), reinterpret_cast<LPARAM>(&item))) return {};
  return {buffer.c_str(), item.iImage};
}

}  // namespace

// ---------------------------------------------------------------- geometry

int TSkTabControlWnd::TabCount() { return int(SendMessage(Handle, TCM_GETITEMCOUNT, 0, 0)); }
int TSkTabControlWnd::Selected() { return int(SendMessage(Handle, TCM_GETCURSEL, 0, 0)); }

TTabOrientation TSkTabControlWnd::Orientation() {
  return TabOrientationOf(DWORD(GetWindowLongPtr(Handle, GWL_STYLE)));
}

TRect TSkTabControlWnd::GetDisplayRect() {
  TRect r{0, 0, WndSize.cx, WndSize.cy};
  SendMessage(Handle, TCM_ADJUSTRECT, 0, reinterpret_cast<LPARAM>(&r));
  return DisplayRectFromAdjusted(r);
}

TRect TSkTabControlWnd::GetPageRect() { return PageRectOf(WndSize, GetDisplayRect(), Orientation(), TabCount() > 0); }

TRect TSkTabControlWnd::StripRect() { return StripRectOf(WndSize, GetDisplayRect(), Orientation(), TabCount() > 0); }

TRect TSkTabControlWnd::TabRect(int index, bool active) {
  if (index < 0 || index >= TabCount() || Selected() < 0) return {};
  TRect item{};
  SendMessage(Handle, TCM_GETITEMRECT, WPARAM(index), reinterpret_cast<LPARAM>(&item));
  const DWORD style = DWORD(GetWindowLongPtr(Handle, GWL_STYLE));
  return AdjustTabRect(item, TabOrientationOf(style), TabStyleOf(style), active);
}

int TSkTabControlWnd::TabRow(int index) {
  TRect item{};
  SendMessage(Handle, TCM_GETITEMRECT, WPARAM(index), reinterpret_cast<LPARAM>(&item));
  return TabRowOf(item, StripRect(), Orientation(), int(SendMessage(Handle, TCM_GETROWCOUNT, 0, 0)));
}

// ---------------------------------------------------------------- the window procedure

void TSkTabControlWnd::AdapterWndProc(TMessage& message) {
  if (HandledUnskinned(*this, message)) return;
  switch (message.Msg) {
    case SM_SKINCMD:
      if (AnswerSkinCommand(message)) return;
      break;
    case WM_PAINT: {
      PAINTSTRUCT paint;
      BeginPaint(Handle, paint);
      EndPaint(Handle, paint);
      return;
    }
    case WM_ERASEBKGND:
      if (IsWindowVisible(Handle)) {
        if (!AnimationRunning) Paint(0);
        RefreshArrows();
        message.Result = 0;
        return;
      }
      break;
    case WM_NCPAINT:
      return;
    case WM_PRINT:
      RefreshArrows();
      Paint(message.WParam);
      return;
  }
  TSkMainWnd::AdapterWndProc(message);
  switch (message.Msg) {
    case WM_SIZE: Resized(); break;
    case TCM_SETCURSEL: RedrawWindow(Handle, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME); break;
    case CM_CONTROLLISTCHANGE: RefreshArrows(); break;
  }
}

bool TSkTabControlWnd::AnswerSkinCommand(TMessage& message) {
  const bool fromOwn = reinterpret_cast<TSkinManager*>(message.LParam) == AdapterManager(*this);
  switch (SubCommandOf(message.WParam)) {
    case scSkinApplied:
      TellNewSkin(*this, message, fromOwn);
      return true;
    case scSkinRemoved:
      if (fromOwn) {
        HandleCommonMessage(message, SkinData);
        RefreshArrows();
      }
      BroadcastToChildWindows(Handle, message);
      if (fromOwn)
        RedrawWindow(Handle, nullptr, nullptr,
                     RDW_INVALIDATE | RDW_INTERNALPAINT | RDW_ERASE | RDW_UPDATENOW | RDW_ERASENOW | RDW_FRAME);
      return true;
    case scSkinChanged:
      TakeSkinChange(*this, message, fromOwn);
      if (fromOwn) RefreshArrows();
      BroadcastToChildWindows(Handle, message);
      return true;
    case scResumePainting:
      SkinData->PaintSuspended = false;
      InvalidateRect(Handle, nullptr, true);
      return true;
    case scIsSkinnable: message.Result = 1; return true;
    case scIsPaintingSuspended: message.Result = SkinData->PaintSuspended ? 1 : 0; return true;
    case scGetTabManager: message.Result = reinterpret_cast<LRESULT>(AdapterManager(*this)); return true;
    case scGetBackdrop: HandleCommonMessage(message, SkinData); return true;
    default: return false;
  }
}

void TSkTabControlWnd::Resized() {
  RefreshArrows();
  const TSize before = storedSize_;
  ReadWindowGeometry(*this);
  storedSize_ = WndSize;
  if (WndSize.cx < before.cx || WndSize.cy < before.cy)
    RedrawWindow(Handle, nullptr, nullptr, RDW_INVALIDATE | RDW_NOINTERNALPAINT | RDW_NOERASE | RDW_NOCHILDREN | RDW_FRAME);
}

void TSkTabControlWnd::RefreshArrows() {
  ArrowAdapter.reset();
  if (!SkinData->Skinned(false)) return;
  if (const HWND arrows = FindWindowEx(Handle, nullptr, "msctls_updown32"))
    ArrowAdapter = TSkMainWnd::Make<TSkSpinWnd>(arrows, nullptr, AdapterManager(*this), "UPDOWNBTN", false);
}

// ---------------------------------------------------------------- painting

int TSkTabControlWnd::FrameSectionIndex() {
  const TSkinManager* manager = AdapterManager(*this);
  if (!manager) return -1;
  if (TabCount() == 0) return manager->SectionIndexOf("CHECKBOX");
  if (SkinData->SkinSection() != "PAGECONTROL") return manager->SectionIndexOf(SkinData->SkinSection());
  return manager->SectionIndexOf(FrameSections[Orientation()]);
}

void TSkTabControlWnd::TabSection(int& section, int& borderMask) {
  section = borderMask = -1;
  const TSkinManager* manager = AdapterManager(*this);
  if (!manager || manager->CachedIndexes.TabSections[toTop] < 0) return;
  switch (TabStyleOf(DWORD(GetWindowLongPtr(Handle, GWL_STYLE)))) {
    case tsButtons:
      section = manager->SectionIndexOf("BUTTON");
      borderMask = manager->MaskIndexOfNames("BUTTON", "BORDERSMASK");
      break;
    case tsFlatButtons:
      section = manager->SectionIndexOf("TOOLBUTTON");
      borderMask = manager->MaskIndexOfNames("TOOLBUTTON", "BORDERSMASK");
      break;
    case tsTabs:
      section = manager->CachedIndexes.TabSections[Orientation()];
      borderMask = manager->CachedIndexes.TabBorders[Orientation()];
      break;
  }
  if (!manager->IsMaskIndex(borderMask)) section = borderMask = -1;
}

void TSkTabControlWnd::Paint(WPARAM wParam) {
  ReadWindowGeometry(*this);
  SkinData->PaintSuspended = SkinData->PaintingSuspended();
  if (SkinData->PaintSuspended) return;
  const TAdapterDC dc(Handle, wParam);
  const int saved = SaveDC(dc.Handle());
  SkinData->CacheStale = true;
  const int frame = FrameSectionIndex();
  SkinData->SectionIndex = frame;
  TBackdropRef backdrop;
  if (SkinData->HostControl())
    SkinData->ParentBackdrop(backdrop);
  else
    SkinData->WindowParentBackdrop(Handle, backdrop);
  SkinData->PrepareCacheBitmap();
  TBitmap* cache = SkinData->CacheBitmap();
  cache->SetSize(WndSize.cx, WndSize.cy);
  const bool hasTabs = TabCount() > 0;
  if (hasTabs) PaintStripAndTabs(backdrop);
  const TRect page = GetPageRect();
  TSkinManager* manager = AdapterManager(*this);
  const std::string frameName = manager && manager->IsSectionIndex(frame) ? manager->Section(frame).SectionName : "";
  PaintSection(frame, frameName, backdrop, true, 0, page, {PosInParent.X + page.Left, PosInParent.Y + page.Top}, cache,
               manager);
  SkinData->CacheStale = false;
  const int selected = Selected();
  const TRect active = hasTabs ? TabRect(selected, true) : TRect{};
  if (!IsRectEmpty(active)) ExcludeClipRect(dc.Handle(), active.Left, active.Top, active.Right, active.Bottom);
  BitBlt(dc.Handle(), 0, 0, WndSize.cx, WndSize.cy, cache->Canvas().Handle(), 0, 0, SRCCOPY);
  RestoreDC(dc.Handle(), saved);
  if (IsRectEmpty(active)) return;
  // What lies under it first: a tab without a face shows its text over the strip and frame.
  TBitmap tab(active.Width(), active.Height(), pf24bit);
  BitBlt(tab.Canvas().Handle(), 0, 0, active.Width(), active.Height(), cache->Canvas().Handle(), active.Left,
         active.Top, SRCCOPY);
  PaintTab(selected, 2, {-active.Left, -active.Top}, tab);
  BitBlt(dc.Handle(), active.Left, active.Top, active.Width(), active.Height(), tab.Canvas().Handle(), 0, 0, SRCCOPY);
}

void TSkTabControlWnd::PaintStripAndTabs(const TBackdropRef& backdrop) {
  TBitmap* cache = SkinData->CacheBitmap();
  FillFromBackdrop(cache, backdrop, StripRect(), PosInParent);
  const int rows = std::max(int(SendMessage(Handle, TCM_GETROWCOUNT, 0, 0)), 1);
  const int count = TabCount(), selected = Selected();
  for (int row = 1; row <= rows; ++row)
    for (int i = 0; i < count; ++i)
      if (i != selected && TabRow(i) == row) PaintTab(i, 0, {0, 0}, *cache);
}

void TSkTabControlWnd::PaintTab(int index, int state, TPoint offset, TBitmap& target) {
  TCanvas& canvas = target.Canvas();
  TFont saved;
  saved.Assign(canvas.Font());
  canvas.Font().SetHandle(reinterpret_cast<HFONT>(SendMessage(Handle, WM_GETFONT, 0, 0)));
  const bool active = state == 2 && index == Selected();
  TRect r = TabRect(index, active);
  PaintTabFace(index, r, state, offset, target);
  OffsetRect(r, offset.X, offset.Y);
  PaintTabContent(index, r, active, target);
  canvas.Font().Assign(saved);
}

void TSkTabControlWnd::PaintTabFace(int index, const TRect& r, int state, TPoint offset, TBitmap& target) {
  int section = -1, borderMask = -1;
  TabSection(section, borderMask);
  if (section < 0 || IsRectEmpty(r)) return;
  TSkinManager* manager = AdapterManager(*this);
  const std::string& name = manager->Section(section).SectionName;
  TBitmap* cache = SkinData->CacheBitmap();
  TBitmap face(r.Width(), r.Height(), pf24bit);
  const TRect whole{0, 0, r.Width(), r.Height()};
  if (state == 2 && index == Selected()) {
    BitBlt(face.Canvas().Handle(), 0, 0, r.Width(), r.Height(), cache->Canvas().Handle(), r.Left, r.Top, SRCCOPY);
    BitBlt(target.Canvas().Handle(), r.Left + offset.X, r.Top + offset.Y, r.Width(), r.Height(),
           face.Canvas().Handle(), 0, 0, SRCCOPY);
    PaintSectionQuick(section, borderMask, -1, -1, name, MakeBackdropRef(&face, 0, 0), true, state,
                      {r.Left + offset.X, r.Top + offset.Y, r.Right + offset.X, r.Bottom + offset.Y}, {0, 0}, &target,
                      manager);
    return;
  }
  PaintSectionQuick(section, borderMask, -1, -1, name, MakeBackdropRef(cache, 0, 0), true, state, whole, r.TopLeft(),
                    &face, manager);
  const HDC dc = target.Canvas().Handle();
  const int saved = SaveDC(dc);
  const TTabOrientation orientation = Orientation();
  if (orientation == toTop || orientation == toLeft) {
    const TRect page = GetPageRect();
    ExcludeClipRect(dc, page.Left, page.Top, page.Right, page.Bottom);
  }
  BitBlt(dc, r.Left + offset.X, r.Top + offset.Y, r.Width(), r.Height(), face.Canvas().Handle(), 0, 0, SRCCOPY);
  RestoreDC(dc, saved);
}

void TSkTabControlWnd::PaintTabContent(int index, TRect r, bool selected, TBitmap& target) {
  const TTabItem item = ReadTab(Handle, index);
  TCanvas& canvas = target.Canvas();
  TSkinManager* manager = AdapterManager(*this);
  int section = -1, borderMask = -1;
  TabSection(section, borderMask);
  const auto images = reinterpret_cast<HIMAGELIST>(SendMessage(Handle, TCM_GETIMAGELIST, 0, 0));
  int cx = 0, cy = 0;
  const bool withImage = images && item.Image >= 0 && ImageList_GetIconSize(images, &cx, &cy);
  const auto drawImage = [&](int x, int y) {
    const HICON icon = ImageList_GetIcon(images, item.Image, ILD_NORMAL);
    DrawIconEx(canvas.Handle(), x, y, icon, 0, 0, 0, nullptr, DI_NORMAL);
    DestroyIcon(icon);
  };
  canvas.Brush().SetStyle(bsClear);
  const TTabOrientation orientation = Orientation();
  if (orientation == toTop || orientation == toBottom) {
    if (withImage) {
      drawImage(r.Left + (r.Width() - (canvas.TextWidth(item.Text) + cx + 8)) / 2, r.Top + (r.Height() - cx) / 2);
      r.Left += cx;
    }
    if (manager && manager->IsSectionIndex(section))
      WriteSectionText(canvas, item.Text.c_str(), true, r, TabTextFormat, section, selected, manager);
    else
      canvas.TextRect(r, item.Text, TabTextFormat);
    return;
  }
  // Vertical tabs: their text turned along them, in the tab section's colours.
  TFont& font = canvas.Font();
  font.SetName("Arial");
  font.SetStyle(font.Style() & ~fsBold);
  font.SetOrientation(orientation == toLeft ? -2700 : -900);
  if (manager && manager->IsSectionIndex(section))
    font.SetColor(selected ? manager->Section(section).HotFontColor[0] : manager->Section(section).FontColor[0]);
  if (orientation == toRight) OffsetRect(r, -2, -1);
  const TSize text = canvas.TextExtent(item.Text);
  const int textX = r.Left + (r.Width() - text.cy) / 2;
  if (withImage) {
    if (selected) OffsetRect(r, 2, 0);
    const int imageX = r.Left + (r.Width() - cx) / 2;
    if (orientation == toLeft) {
      const int y = r.Bottom - (r.Height() - (cy + text.cx + 4)) / 2 - cy;
      drawImage(imageX, y);
      canvas.TextRect(r, textX, y - 4, item.Text);
    } else {
      const int y = r.Top + (r.Height() - (cy + text.cx + 4)) / 2;
      drawImage(imageX, y);
      canvas.TextRect(r, textX + text.cy, y + cy + 4, item.Text);
    }
    return;
  }
  if (orientation == toLeft)
    canvas.TextRect(r, textX, r.Bottom - (r.Height() - text.cx) / 2, item.Text);
  else
    canvas.TextRect(r, textX + text.cy, r.Top + (r.Height() - text.cx) / 2, item.Text);
}
