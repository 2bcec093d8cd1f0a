#include "skin/adapters/SkTreeViewWnd.h"

#include "runtime/PublishedProperties.h"
#include "skin/GeneralRoutines.h"
#include "skin/SkinCommonData.h"
#include "skin/paint/Backdrop.h"
#include "skin/paint/FrameRoutines.h"
#include "skin/paint/MaskDrawing.h"
#include "skin/paint/PixelRoutines.h"
#include "skin/paint/SectionPainting.h"
#include "skin/paint/TextLayout.h"
#include "skin/skins/SkinManager.h"
#include "toolkit/controls/TreeView.h"
#include "toolkit/gdi/Bitmap.h"
#include "toolkit/gdi/Canvas.h"
#include "toolkit/gdi/DeviceContext.h"
#include "toolkit/gdi/Gdi.h"
#include "toolkit/win/ScrollBar.h"
#include "toolkit/win/ControlMessages.h"
#include "toolkit/win/MessageQueue.h"
#include "toolkit/win/Paint.h"
#include "toolkit/win/Window.h"

void TSkTreeViewWnd::RestoreStdLook() {
  TSkEditWnd::RestoreStdLook();
  SendMessage(Handle, TVM_SETBKCOLOR, 0, LPARAM(ColorToRGB(clWindow)));
}

TColor TSkTreeViewWnd::Background() const {
  const TSkinManager* manager = SkinData ? SkinData->GetSkinManager() : nullptr;
  if (DialogMode || !manager || !manager->IsSectionIndex(SkinData->SectionIndex)) return clWindow;
  return SectionValues().HotColor;
}

void TSkTreeViewWnd::ApplySkinLook() {
  SkinLookApplied = true;
  if (!DialogMode) {
    if (!SkinData) return;
    const TSkinManager* manager = SkinData->GetSkinManager();
    if (!manager || !manager->IsSectionIndex(SkinData->SectionIndex)) return;
    if (TControl* host = SkinData->HostControl()) {
      const TColor fontColor = SectionValues().HotFontColor[0];
      if (!SkinData->CustomFont() && host->Font().Color() != fontColor) host->Font().SetColor(fontColor);
      if (SkinData->CustomColor() || ColorToRGB(SectionValues().HotColor) == host->Color()) return;
    }
  }
  SendMessage(Handle, TVM_SETBKCOLOR, 0, LPARAM(ColorToRGB(Background())));
}

bool TSkTreeViewWnd::ErasesItself() const {
  const auto* tree = dynamic_cast<const TTreeView*>(SkinData->HostControl());
  return tree && tree->OnAdvancedCustomDraw;
}

void TSkTreeViewWnd::Erase(TMessage& message) {
  if (ErasesItself()) {
    message.Result = CallPrevWndProc(message.Msg, message.WParam, message.LParam);
    return;
  }
  SkinData->PaintSuspended = SkinData->PaintingSuspended();
  if (SkinData->PaintSuspended) return;
  if (SkinData->CacheStale) PrepareAdapterCache(*SkinData, Handle, DialogMode);
  ReadWindowGeometry(*this);
  const auto given = reinterpret_cast<HDC>(message.WParam);
  const HDC dc = given ? given : GetWindowDC(Handle);
  FillDeviceRect(dc, {0, 0, WndSize.cx, WndSize.cy}, ColorToRGB(Background()));
  if (!given) ReleaseDC(Handle, dc);
  message.Result = 0;
}

void TSkTreeViewWnd::AdapterWndProc(TMessage& message) {
  if (Detached || !SkinData || !SkinData->Skinned(false)) return TSkEditWnd::AdapterWndProc(message);
  if (message.Msg == WM_ERASEBKGND) return Erase(message);
  TSkEditWnd::AdapterWndProc(message);
  if (message.Msg == WM_LBUTTONUP) ReleaseCapture();
}

// ---------------------------------------------------------------- the data tree

namespace {

const char* const AdvancedHeaderDraw = "OnAdvancedHeaderDraw";
const char* const HeaderDrawQueryElements = "OnHeaderDrawQueryElements";
// Background, drop mark, sort glyph and text: every part but the header glyph.
constexpr std::uint64_t SkinnedHeaderElements = 0x1B;
constexpr unsigned CellTextFormat = DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS;

bool IsMethodProperty(TObject* object, const std::string& name) {
  const TPublishedProperty* property = object ? FindPublishedProperty(*object, name) : nullptr;
  return property && property->Kind == TPropertyKind::Method;
}

template <class Handler>
TMethod MethodOf(Handler handler, TObject* self) {
  return {reinterpret_cast<const void*>(handler), self};
}

// The header cells' section: "COLHEADER", else "BUTTON", of the default manager.
int HeaderSection(const TSkinManager& manager, std::string& name) {
  name = manager.SectionIndexOf("COLHEADER") >= 0 ? "COLHEADER" : "BUTTON";
  return manager.SectionIndexOf(name);
}

}  // namespace

TObject* TSkDataTreeViewWnd::Header() const { return ObjectProperty(SkinData->HostControl(), "Header"); }

void TSkDataTreeViewWnd::StoreStdLook() {
  TSkEditWnd::StoreStdLook();
  if (TObject* colors = ObjectProperty(SkinData->HostControl(), "VETColors")) {
    StdCompressedTextColor = TColor(OrdPropertyValue(colors, "CompressedTextColor"));
    StdFileTextColor = TColor(OrdPropertyValue(colors, "FileTextColor"));
    StdFolderTextColor = TColor(OrdPropertyValue(colors, "FolderTextColor"));
  }
  if (TObject* header = Header()) StdHeaderOwnerDraw = SetPropertyContains(header, "Options", "hoOwnerDraw");
}

void TSkDataTreeViewWnd::SetTextColors(TColor compressed, TColor file, TColor folder) {
  TObject* colors = ObjectProperty(SkinData->HostControl(), "VETColors");
  if (!colors) return;
  SetOrdPropertyValue(colors, "CompressedTextColor", compressed);
  SetOrdPropertyValue(colors, "FileTextColor", file);
  SetOrdPropertyValue(colors, "FolderTextColor", folder);
}

// The header's owner-draw events get the adapter's handlers, unless the
// application paints the header itself.
void TSkDataTreeViewWnd::TakeHeaderEvents() {
  TObject* tree = SkinData->HostControl();
  if (!IsMethodProperty(tree, AdvancedHeaderDraw) || GetMethodProp(*tree, AdvancedHeaderDraw) != TMethod{}) return;
  SetMethodProp(*tree, AdvancedHeaderDraw, MethodOf(&PaintHeaderCell, this));
  if (IsMethodProperty(tree, HeaderDrawQueryElements) && GetMethodProp(*tree, HeaderDrawQueryElements) == TMethod{})
    SetMethodProp(*tree, HeaderDrawQueryElements, MethodOf(&QueryHeaderElements, this));
  if (HasProperty(tree, HeaderDrawQueryElements)) ChangeSetProperty(Header(), "Options", "hoOwnerDraw", true);
}

void TSkDataTreeViewWnd::GiveHeaderEventsBack() {
  TObject* tree = SkinData->HostControl();
  if (!tree) return;
  if (IsMethodProperty(tree, AdvancedHeaderDraw) &&
      GetMethodProp(*tree, AdvancedHeaderDraw) == MethodOf(&PaintHeaderCell, this))
    SetMethodProp(*tree, AdvancedHeaderDraw, TMethod{});
  if (IsMethodProperty(tree, HeaderDrawQueryElements) &&
      GetMethodProp(*tree, HeaderDrawQueryElements) == MethodOf(&QueryHeaderElements, this))
    SetMethodProp(*tree, HeaderDrawQueryElements, TMethod{});
  if (TObject* header = Header()) ChangeSetProperty(header, "Options", "hoOwnerDraw", StdHeaderOwnerDraw);
}

void TSkDataTreeViewWnd::ApplySkinLook() {
  TSkEditWnd::ApplySkinLook();
  const TSkinManager* manager = SkinData->GetSkinManager();
  if (!manager || !manager->IsSectionIndex(SkinData->SectionIndex)) return;
  const TColor text = SectionValues().HotFontColor[0];
  SetTextColors(text, text, text);
  TakeHeaderEvents();
}

void TSkDataTreeViewWnd::RestoreStdLook() {
  TSkEditWnd::RestoreStdLook();
  TControl* tree = SkinData->HostControl();
  if (!tree || tree->IsDestroying()) return;
  SetTextColors(StdCompressedTextColor, StdFileTextColor, StdFolderTextColor);
  GiveHeaderEventsBack();
}

void TSkDataTreeViewWnd::QueryHeaderElements(TObject*, TDTHeader*, THeaderPaintInfo&, THeaderPaintElements& elements) {
  elements = THeaderPaintElements::FromBits(SkinnedHeaderElements);
}

void TSkDataTreeViewWnd::PaintHeaderCell(TObject* self, TDTHeader*, THeaderPaintInfo& info,
                                         THeaderPaintElements elements) {
  static_cast<TSkDataTreeViewWnd*>(self)->PaintCell(info, elements);
}

void TSkDataTreeViewWnd::PaintCell(THeaderPaintInfo& info, THeaderPaintElements elements) {
  TSkinManager* manager = DefaultManager();
  if (!SkinData->Skinned(false) || OwnScrolling || !manager || !info.Canvas) return;
  TCanvas& target = *info.Canvas;
  const TRect& cell = info.CellRect;
  std::string name;
  const int section = HeaderSection(*manager, name);
  if (!info.Column) {
    if (!manager->IsSectionIndex(SkinData->SectionIndex)) return;
    target.Brush().SetStyle(bsSolid);
    target.Brush().SetColor(SectionValues().Color);
    target.FillRect(cell);
    return;
  }
  const int state = info.Pressed ? 2 : info.Hover ? 1 : 0;
  const auto bmp = NewBitmap24(cell.Width(), cell.Height());
  const TRect whole{0, 0, cell.Width(), cell.Height()};
  if (elements.Contains(hpeBackground)) {
    PaintSection(section, name, MakeBackdropRef(SkinData->CacheBitmap(), 0, 0), true, state, whole,
                 {cell.Left, cell.Top}, bmp.get(), manager);
    BitBlt(target.Handle(), cell.Left, cell.Top, cell.Width(), cell.Height(), bmp->Canvas().Handle(), 0, 0, SRCCOPY);
    return;
  }
  BitBlt(bmp->Canvas().Handle(), 0, 0, cell.Width(), cell.Height(), target.Handle(), cell.Left, cell.Top, SRCCOPY);
  TCanvas& canvas = bmp->Canvas();
  canvas.Font().Assign(target.Font());
  TRect text = info.TextRect;
  OffsetRect(text, -cell.Left, -cell.Top);
  const std::string caption = GetStrProp(*info.Column, "Text");
  if (elements.Contains(hpeText) && !elements.Contains(hpeDropMark))
    WriteSectionText(canvas, caption.c_str(), true, text, 0, section, state != 0, manager);
  if (elements.Contains(hpeSortGlyph) && info.ShowSortGlyph) {
    const bool ascending = OrdPropertyValue(Header(), "SortDirection") != 0;
    const char* glyphSection = ascending ? "SCROLLBTNTOP" : "SCROLLBTNBOTTOM";
    const int sectionIndex = manager->SectionIndexOf(glyphSection);
    const int mask = sectionIndex < 0 ? -1 : manager->MaskIndexOf(sectionIndex, glyphSection, "GLYPHMASK");
    if (manager->IsMaskIndex(mask))
      DrawMaskImage(bmp.get(), {info.SortGlyphPos.X - cell.Left, (cell.Height() - manager->MaskFrameSize(mask).cy) / 2},
                    state, 1, manager->Masks[mask], MakeBackdropRef(bmp.get(), 0, 0));
  }
  if (elements.Contains(hpeDropMark))
    WriteSectionText(canvas, caption.c_str(), true, text, CellTextFormat, section, state != 0, manager);
  BitBlt(target.Handle(), cell.Left, cell.Top, cell.Width(), cell.Height(), canvas.Handle(), 0, 0, SRCCOPY);
}

void TSkDataTreeViewWnd::PaintNonClient() {
  if (!ReadyToPaintNonClient()) return;
  FillTransparentCorners(*SkinData, 0, *this);
  const HDC dc = GetWindowDC(Handle);
  const int saved = SaveDC(dc);
  // The tree prints its header with its own frame; the skinned frame goes over that.
  CallPrevWndProc(WM_PRINT, reinterpret_cast<WPARAM>(dc), PRF_NONCLIENT);
  if (TBitmap* cache = SkinData->CacheBitmap())
    BlitFrame(dc, 0, 0, cache->Width(), cache->Height(), cache->Canvas().Handle(), 0, 0, EdgeLeft);
  PaintScrollBars(*this, dc);
  RestoreDC(dc, saved);
  ReleaseDC(Handle, dc);
}

void TSkDataTreeViewWnd::Print(HDC dc) {
  SkinData->PaintSuspended = false;
  if (SkinData->CacheStale) {
    ApplySkinLookOnce();
    PrepareAdapterCache(*SkinData, Handle, false);
  }
  TObject* header = Header();
  const bool headerShown = header && SetPropertyContains(header, "Options", "hoVisible");
  const int top = EdgeLeft + (headerShown ? int(OrdPropertyValue(header, "Height")) : 0);
  const int saved = SaveDC(dc);
  OffsetWindowOrgEx(dc, -EdgeLeft, -top, nullptr);
  CallPrevWndProc(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), 0);
  RestoreDC(dc, saved);
  CallPrevWndProc(WM_PRINT, reinterpret_cast<WPARAM>(dc), PRF_NONCLIENT);
  FillTransparentCorners(*SkinData, 0, *this);
  if (TBitmap* cache = SkinData->CacheBitmap())
    BlitFrame(dc, 0, 0, cache->Width(), cache->Height(), cache->Canvas().Handle(), 0, 0, EdgeLeft);
  PaintScrollBars(*this, dc);
}

// The tree scrolls to the tracked position at once.
void TSkDataTreeViewWnd::FollowTrackedThumb(const TMessage& message) {
  if (LOWORD(message.WParam) != SB_THUMBTRACK) return;
  const int kind = message.Msg == WM_HSCROLL ? SB_HORZ : SB_VERT;
  TSkScrollBar& bar = kind == SB_HORZ ? HorzBar : VertBar;
  bar.Info.nPos = bar.Info.nTrackPos;
  bar.Info.fMask = SIF_ALL;
  SetScrollInfo(Handle, kind, bar.Info, false);
}

void TSkDataTreeViewWnd::AdapterWndProc(TMessage& message) {
  if (Detached || !SkinData || !SkinData->Skinned(false)) return TSkEditWnd::AdapterWndProc(message);
  switch (message.Msg) {
    case WM_ERASEBKGND: return;
    case WM_NCPAINT:
      if (IsWindowVisible(Handle)) PaintNonClient();
      return;
    case WM_HSCROLL:
    case WM_VSCROLL: FollowTrackedThumb(message); break;
    case WM_PRINT: Print(reinterpret_cast<HDC>(message.WParam)); return;
    default: break;
  }
  TSkEditWnd::AdapterWndProc(message);
}
