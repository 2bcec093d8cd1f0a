#include "skin/adapters/SkToolBarWnd.h"

#include <memory>
#include <sstream>
#include <vector>

#include "skin/ControlRoutines.h"
#include "skin/GeneralRoutines.h"
#include "skin/SkinCommonData.h"
#include "skin/ToolButtonLook.h"
#include "skin/adapters/AdapterPainting.h"
#include "skin/paint/MaskDrawing.h"
#include "skin/paint/PixelRoutines.h"
#include "skin/paint/SectionPainting.h"
#include "skin/paint/TextLayout.h"
#include "skin/skins/SkinManager.h"
#include "toolkit/gdi/Bitmap.h"
#include "toolkit/gdi/Canvas.h"
#include "toolkit/gdi/Gdi.h"
#include "toolkit/gdi/ImageList.h"
#include "toolkit/win/ControlMessages.h"
#include "toolkit/win/Input.h"
#include "toolkit/win/MessageQueue.h"
#include "toolkit/win/Paint.h"
#include "toolkit/win/Styles.h"
#include "toolkit/win/Window.h"

namespace {

constexpr unsigned OneLineFlags = 0x8015;  // DT_CENTER, DT_VCENTER, DT_WORDBREAK, DT_END_ELLIPSIS
constexpr unsigned FirstLineFlags = 0x1;   // DT_CENTER
constexpr unsigned RestLineFlags = 0x8000; // DT_END_ELLIPSIS

std::vector<std::string> WordsOf(const std::string& text) {
  std::vector<std::string> words;
  std::istringstream stream(text);
  for (std::string word; stream >> word;) words.push_back(word);
  return words;
}

std::string Joined(const std::vector<std::string>& words, size_t from, size_t to) {
  std::string line;
  for (size_t i = from; i < to; ++i) line += (i > from ? " " : "") + words[i];
  return line;
}

// Whether controls on the section take its text colours.
bool OwnFontGiven(const TSkinManager& manager, int section) {
  return manager.IsSectionIndex(section) && manager.Section(section).GiveOwnFont;
}

}  // namespace

TButtonTextLines SplitButtonText(const std::string& text, int width,
                                 const std::function<int(const std::string&)>& measure) {
  const std::vector<std::string> words = WordsOf(text);
  if (words.size() <= 2 || measure(text) <= width) return {text, {}};
  size_t first = 1;
  while (first < words.size() && measure(Joined(words, 0, first + 1)) <= width) ++first;
  if (first == words.size()) return {text, {}};
  return {Joined(words, 0, first), Joined(words, first, words.size())};
}

void TSkToolBarWnd::AdapterWndProc(TMessage& message) {
  if (HandledUnskinned(*this, message)) return;
  switch (message.Msg) {
    case WM_PAINT: Paint(message.WParam); return;
    case WM_ERASEBKGND: message.Result = 1; return;
    case WM_NCPAINT: PaintBorder(); return;
    case WM_SIZE:
    case WM_WINDOWPOSCHANGED:
      SkinData->CacheStale = true;
      TSkMainWnd::AdapterWndProc(message);
      SendMessage(Handle, WM_NCPAINT, 0, 0);
      return;
    default: break;
  }
  TSkMainWnd::AdapterWndProc(message);
  if (message.Msg == WM_MOUSEMOVE) TrackHotWindow(Handle);
}

void TSkToolBarWnd::BuildCache() {
  ReadWindowGeometry(*this);
  if (!SkinData->CacheStale && SkinData->CacheBitmap()) return;
  SkinData->CacheStale = true;
  GetClientRect(Handle, ClientArea);
  PrepareAdapterCache(*SkinData, Handle, false);
  FillTransparentCorners(*SkinData, 0, *this);
  BorderSize = (WndSize.cy - ClientArea.Height()) / 2;
  SkinData->CacheStale = false;
}

// The parent's answer, else the skin data's own test.
bool TSkToolBarWnd::Suspended() {
  const HWND parent = GetParent(Handle);
  SkinData->PaintSuspended = (parent && (SendSkinCommand(parent, scIsPaintingSuspended, 0) & 0xFF) == 1) ||
                             SkinData->PaintingSuspended();
  return SkinData->PaintSuspended;
}

void TSkToolBarWnd::Paint(WPARAM wParam) {
  PAINTSTRUCT paint;
  BeginPaint(Handle, paint);
  if (!Suspended()) {
    BuildCache();
    TBitmap* cache = SkinData->CacheBitmap();
    const std::unique_ptr<TBitmap> picture = NewBitmap24(cache->Width(), cache->Height());
    BitBlt(picture->Canvas().Handle(), 0, 0, cache->Width(), cache->Height(), cache->Canvas().Handle(), 0, 0,
           SRCCOPY);
    const auto count = static_cast<int>(SendMessage(Handle, TB_BUTTONCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
      TRect r;
      if (!SendMessage(Handle, TB_GETITEMRECT, i, reinterpret_cast<LPARAM>(&r))) continue;
      OffsetRect(r, BorderSize, BorderSize);
      PaintButton(i, r, picture.get());
    }
    const TAdapterDC dc(Handle, wParam);
    BitBlt(dc.Handle(), 0, 0, cache->Width() - 2 * BorderSize, cache->Height() - 2 * BorderSize,
           picture->Canvas().Handle(), BorderSize, BorderSize, SRCCOPY);
  }
  EndPaint(Handle, paint);
}

// Only a bar with a client edge has a border of its own to paint.
void TSkToolBarWnd::PaintBorder() {
  if (!(GetWindowLongPtr(Handle, GWL_EXSTYLE) & WS_EX_CLIENTEDGE) || Suspended()) return;
  BuildCache();
  TRect client;
  ClientRectInWindow(Handle, client);
  const HDC dc = GetWindowDC(Handle);
  CopyBandsAroundClient(dc, SkinData->CacheBitmap()->Canvas().Handle(), client, WndSize.cx, WndSize.cy);
  ReleaseDC(Handle, dc);
}

// r is the button's rectangle in the cache (client coordinates moved by the border).
void TSkToolBarWnd::PaintButton(int index, const TRect& r, TBitmap* target) {
  TBBUTTON button{};
  if (!SendMessage(Handle, TB_GETBUTTON, index, reinterpret_cast<LPARAM>(&button))) return;
  const std::unique_ptr<TBitmap> bmp = NewBitmap24(r.Width(), r.Height());
  const bool enabled = button.fsState & TBSTATE_ENABLED;
  const bool pressed = enabled && (button.fsState & TBSTATE_PRESSED);
  int state = pressed ? 2 : 0;
  if (enabled && !pressed) {
    TPoint cursor;
    GetCursorPos(cursor);
    TRect screen = r;
    OffsetRect(screen, -BorderSize, -BorderSize);
    TPoint origin{0, 0};
    ClientToScreen(Handle, origin);
    OffsetRect(screen, origin.X, origin.Y);
    if (PtInRect(screen, cursor)) state = 1;
  }
  const int shift = pressed ? 1 : 0;
  TSkinManager* manager = AdapterManager(*this);
  TBitmap* cache = SkinData->CacheBitmap();
  const TBackdropRef backdrop = MakeBackdropRef(cache, 0, 0);
  if (manager)
    PaintSection(manager->SectionIndexOf("TOOLBUTTON"), "TOOLBUTTON", backdrop, true, state,
                 {0, 0, r.Width(), r.Height()}, {r.Left, r.Top}, bmp.get(), manager);
  TSize imageSize{0, 0};
  PaintImage(button, state, shift, bmp.get(), imageSize);
  PaintText(button.idCommand, state, shift, imageSize, bmp.get());
  if (!enabled) DimImage(bmp.get(), dkBlended, nullptr, backdrop, {r.Left, r.Top});
  BitBlt(target->Canvas().Handle(), r.Left, r.Top, r.Width(), r.Height(), bmp->Canvas().Handle(), 0, 0, SRCCOPY);
}

void TSkToolBarWnd::PaintImage(const TBBUTTON& button, int state, int shift, TBitmap* bmp, TSize& imageSize) {
  const auto images = reinterpret_cast<HIMAGELIST>(SendMessage(Handle, TB_GETIMAGELIST, 0, 0));
  if (button.iBitmap < 0 || !images) return;
  ImageList_GetIconSize(images, &imageSize.cx, &imageSize.cy);
  ImageList_SetBkColor(images, CLR_NONE);
  int arrowWidth = 0;
  if (button.fsStyle & BTNS_WHOLEDROPDOWN) {
    TSkinManager* manager = AdapterManager(*this);
    const int glyph = manager ? manager->MaskIndexOfNames("SCROLLBTNBOTTOM", "GLYPHMASK") : -1;
    if (manager && manager->IsMaskIndex(glyph)) {
      const TSize frame = manager->MaskFrameSize(glyph);
      arrowWidth = frame.cx;
      DrawMaskImage(bmp, {bmp->Width() + shift - frame.cx - 2, shift + (bmp->Height() - frame.cy) / 2}, state, 1,
                    manager->Masks[glyph], MakeBackdropRef(bmp, 0, 0));
    }
  }
  ImageList_Draw(images, button.iBitmap, bmp->Canvas().Handle(),
                 shift + (bmp->Width() - imageSize.cx - arrowWidth) / 2, shift + 4, ILD_NORMAL);
}

void TSkToolBarWnd::PaintText(int command, int state, int shift, TSize imageSize, TBitmap* bmp) {
  const std::string text = ButtonText(command);
  if (text.empty()) return;
  TCanvas& canvas = bmp->Canvas();
  if (const auto font = reinterpret_cast<HFONT>(SendMessage(Handle, WM_GETFONT, 0, 0))) canvas.Font().SetHandle(font);
  canvas.Brush().SetStyle(bsClear);
  const TRect t{shift + 2, shift + 2 + (imageSize.cy > 0 ? imageSize.cy + 2 : 0), bmp->Width() + shift - 2,
                shift + bmp->Height() - 2};
  TSkinManager* manager = AdapterManager(*this);
  const auto write = [&](const std::string& line, const TRect& rect, unsigned flags) {
    if (state > 0 && manager && !OwnFontGiven(*manager, SkinData->SectionIndex))
      WriteSectionText(canvas, line.c_str(), true, rect, flags, manager->SectionIndexOf("TOOLBUTTON"), true, manager);
    else
      WriteControlText(canvas, line.c_str(), true, rect, flags, *SkinData, state > 0);
  };
  const TButtonTextLines lines =
      SplitButtonText(text, t.Width(), [&canvas](const std::string& s) { return TextWidthOf(canvas, s); });
  if (lines.Rest.empty()) return write(lines.First, t, OneLineFlags);
  TTextMetric metric{};
  GetTextMetrics(canvas.Handle(), &metric);
  write(lines.First, {t.Left, t.Top, t.Right, t.Top + metric.tmHeight}, FirstLineFlags);
  write(lines.Rest, {t.Left, t.Top + metric.tmHeight, t.Right, t.Bottom}, RestLineFlags);
}

// TB_GETBUTTONTEXT takes no buffer size: the length comes first.
std::string TSkToolBarWnd::ButtonText(int command) const {
  const LRESULT length = SendMessage(Handle, TB_GETBUTTONTEXT, command, 0);
  if (length <= 0) return {};
  std::string text(static_cast<size_t>(length) + 1, '\0');
  if (SendMessage(Handle, TB_GETBUTTONTEXT, command, reinterpret_cast<LPARAM>(text.data())) < 0) return {};
  text.resize(static_cast<size_t>(length));
  return text;
}
