// Hooking the application's menus, and measuring and painting their items
// from the skin. The menu images the pop-up items copy their background
// from are in MenuImages.cpp.

#include "skin/menus/SkinableMenus.h"

#include <algorithm>
#include <cmath>
#include <functional>

#include "skin/ControlRoutines.h"
#include "skin/GeneralRoutines.h"
#include "skin/SkinCommonData.h"
#include "skin/forms/SkinProvider.h"
#include "skin/paint/FrameRoutines.h"
#include "skin/paint/MaskDrawing.h"
#include "skin/paint/PixelRoutines.h"
#include "skin/paint/SectionPainting.h"
#include "skin/paint/TextLayout.h"
#include "skin/paint/AlphaImages.h"
#include "skin/skins/SkinManager.h"
#include "toolkit/controls/Application.h"
#include "toolkit/controls/Form.h"
#include "toolkit/controls/Menus.h"
#include "toolkit/controls/Screen.h"
#include "toolkit/gdi/Bitmap.h"
#include "toolkit/gdi/Canvas.h"
#include "toolkit/gdi/Gdi.h"
#include "toolkit/gdi/ImageList.h"
#include "toolkit/win/MessageQueue.h"
#include "toolkit/win/Paint.h"
#include "toolkit/win/SysMetrics.h"
#include "toolkit/win/Window.h"

TSkinMenuItemType CurrentItemType = smNormal;
bool MenuMeasured = false;
TSkinProvider* MdiMainProvider = nullptr;
bool SysLocaleMiddleEast = false;

namespace {

// Set while the manager's extra-line event runs for a measured item.
bool ExtraLineBusy = false;

constexpr unsigned MeasureFlags = 0x560;   // DT_CALCRECT, DT_NOCLIP, DT_EXPANDTABS, DT_SINGLELINE
constexpr unsigned ShortcutFlags = 0x460;  // DT_CALCRECT, DT_SINGLELINE, DT_EXPANDTABS
constexpr unsigned TopLineFlags = 0x165;   // DT_CENTER, DT_VCENTER, DT_SINGLELINE, DT_EXPANDTABS, DT_NOCLIP
constexpr unsigned CaptionItemFlags = 37;  // DT_CENTER, DT_VCENTER, DT_SINGLELINE
// Image coordinates are canvas coordinates plus the platform's menu frame.
constexpr int MenuFrame = 3;

template <auto Method>
void MeasureThunk(TObject* self, TObject* sender, TCanvas& canvas, int& width, int& height) {
  (static_cast<TSkinableMenus*>(self)->*Method)(sender, canvas, width, height);
}

template <auto Method>
void DrawThunk(TObject* self, TObject* sender, TCanvas& canvas, TRect rect, TOwnerDrawState state) {
  (static_cast<TSkinableMenus*>(self)->*Method)(sender, canvas, rect, state);
}

bool IsSeparatorCaption(const std::string& caption) { return caption == "-"; }

bool IsCaptionItem(const std::string& caption) {
  return caption.size() >= 2 && caption.front() == '-' && caption.back() == '-';
}

TSkinMenuItemType KindOf(const TMenuItem* item) {
  if (IsSeparatorCaption(item->Caption())) return smDivider;
  return IsCaptionItem(item->Caption()) ? smCaption : smNormal;
}

bool IsTopLineItem(const TMenuItem* item) {
  const TMenuItem* parent = item->Parent();
  return parent && !parent->Parent() && dynamic_cast<TMainMenu*>(item->GetParentMenu());
}

TMenuItem* FirstItemOf(const TMenuItem* item) {
  const TMenuItem* parent = item->Parent();
  return parent && parent->Count() > 0 ? parent->Items(0) : nullptr;
}

std::vector<TMenuItem*> VisibleItems(const TMenuItem* parent) {
  std::vector<TMenuItem*> items;
  for (int i = 0; i < parent->Count(); ++i)
    if (parent->Items(i)->Visible()) items.push_back(parent->Items(i));
  return items;
}

// The item or one before it in its parent starts a new column.
bool AfterBreak(const TMenuItem* item) {
  const TMenuItem* parent = item->Parent();
  if (!parent) return false;
  for (int i = 0; i <= parent->IndexOf(item); ++i)
    if (parent->Items(i)->Break() != mbNone) return true;
  return false;
}

TSize GlyphSize(TMenuItem* item) {
  if (!item->Bitmap().Empty()) return {item->Bitmap().Width(), item->Bitmap().Height()};
  const TMenu* menu = item->GetParentMenu();
  if (menu && menu->Images()) return {menu->Images()->Width(), menu->Images()->Height()};
  return {16, 16};
}

bool RightToLeft() { return SysLocaleMiddleEast; }

// The menu font; bold on request.
void SetMenuFont(TCanvas& canvas, bool bold) {
  canvas.Font().Assign(Screen().MenuFont());
  canvas.Font().SetStyle(bold ? TFontStyles(fsBold) : TFontStyles());
}

unsigned AlignmentFlags(TAlignment alignment) {
  return alignment == taRightJustify ? DT_RIGHT : alignment == taCenter ? DT_CENTER : DT_LEFT;
}

int MeasuredWidth(TCanvas& canvas, const std::string& text, unsigned flags) {
  TRect r{0, 0, 1, 0};
  canvas.TextRect(r, text, flags);
  return r.Width();
}

void CopyFromImage(HDC dc, int x, int y, int width, int height, TBitmap* image, int srcX, int srcY) {
  BitBlt(dc, x, y, width, height, image->Canvas().Handle(), srcX, srcY, SRCCOPY);
}

// The characters of the system menu's commands, for items without a picture.
const char* SysCommandGlyph(intptr_t command) {
  switch (command) {
    case SC_MINIMIZE: return "\u2013";
    case SC_MAXIMIZE: return "\u25A1";
    case SC_CLOSE: return "\u2715";
    case SC_RESTORE: return "\u2750";
    default: return nullptr;
  }
}

TMenuMeasureItemEvent PopupMeasureEvent(TSkinableMenus* self) {
  return TMenuMeasureItemEvent::OfMethod(&MeasureThunk<&TSkinableMenus::MeasureItem>, self);
}
TAdvancedMenuDrawItemEvent PopupDrawEvent(TSkinableMenus* self) {
  return TAdvancedMenuDrawItemEvent::OfMethod(&DrawThunk<&TSkinableMenus::DrawItem>, self);
}
TMenuMeasureItemEvent TopLineMeasureEvent(TSkinableMenus* self) {
  return TMenuMeasureItemEvent::OfMethod(&MeasureThunk<&TSkinableMenus::MeasureTopLineItem>, self);
}
TAdvancedMenuDrawItemEvent TopLineDrawEvent(TSkinableMenus* self) {
  return TAdvancedMenuDrawItemEvent::OfMethod(&DrawThunk<&TSkinableMenus::DrawTopLineItem>, self);
}

}  // namespace

TSkinableMenus::TSkinableMenus(TSkinManager* owner) : Owner(owner), captionFont_(std::make_unique<TFont>()) {}

TSkinableMenus::~TSkinableMenus() { Owner = nullptr; }

void TSkinableMenus::SetCaptionFont(const TFont& font) { captionFont_->Assign(font); }

int TSkinableMenus::SkinBorderWidth() {
  if (skinBorderWidth_ >= 0) return skinBorderWidth_;
  const int mask = Owner ? Owner->MaskIndexOfNames("MAINMENU", "BORDERSMASK") : -1;
  if (mask < 0) return skinBorderWidth_ = 0;
  const int width = Owner->Masks[mask].BorderWidth;
  return skinBorderWidth_ = width > 0 ? width : 3;
}

bool TSkinableMenus::Designing() const { return Owner && (Owner->ComponentState() & csDesigning); }

bool TSkinableMenus::PopupsSkinned() const { return Owner && Owner->SkinnedPopups(); }

int TSkinableMenus::SectionIndexOf(const char* section) const { return Owner ? Owner->SectionIndexOf(section) : -1; }

// ---- Hooking -----------------------------------------------------------

void TSkinableMenus::SetActive(bool value) {
  if (value != active_) HookAll(value);
}

void TSkinableMenus::UpdateActive() { SetActive(Owner && Owner->SkinActive()); }

void TSkinableMenus::HookAll(bool value) {
  active_ = value;
  if (Designing()) return;
  TApplication& application = Application();
  for (int i = 0; i < application.ComponentCount(); ++i) HookComponent(application.Components(i), value);
}

void TSkinableMenus::HookComponent(TComponent* component, bool value) {
  const bool popups = value && PopupsSkinned();
  if (auto* mainMenu = dynamic_cast<TMainMenu*>(component)) {
    HookMainMenu(mainMenu, value);
    for (int i = 0; i < mainMenu->Items().Count(); ++i) HookItems(mainMenu->Items().Items(i), popups);
  } else if (auto* popupMenu = dynamic_cast<TPopupMenu*>(component)) {
    HookPopupMenu(popupMenu, popups);
  } else if (auto* item = dynamic_cast<TMenuItem*>(component); item && !dynamic_cast<TMainMenu*>(item->GetParentMenu())) {
    HookItems(item, popups);
  }
  for (int i = 0; i < component->ComponentCount(); ++i) HookComponent(component->Components(i), value);
}

void TSkinableMenus::HookMainMenu(TMainMenu* menu, bool value) {
  TMenuItem& items = menu->Items();
  for (int i = 0; i < items.Count(); ++i) {
    TMenuItem* item = items.Items(i);
    if (!value) {
      ReleaseHandlers(item);
    } else if (Owner && Owner->SkinActive()) {
      if (!PopupsSkinned()) return;
      SetTopLineHandlers(item);
    }
  }
  if (!menu->IsDestroying()) menu->SetOwnerDraw(value);
}

void TSkinableMenus::HookPopupMenu(TPopupMenu* menu, bool value) {
  menu->SetOwnerDraw(value);
  if (value)
    menu->MenuAnimation |= maNone;
  else
    menu->MenuAnimation &= ~maNone;
  HookItemTree(&menu->Items(), value, false);
}

void TSkinableMenus::HookItems(TMenuItem* item, bool value) { HookItemTree(item, value, true); }

void TSkinableMenus::HookItemTree(TMenuItem* item, bool value, bool skipTopLine) {
  for (int i = 0; i < item->Count(); ++i) {
    TMenuItem* child = item->Items(i);
    if (!value)
      ReleaseHandlers(child);
    else if (!(skipTopLine && IsTopLineItem(child)))
      SetPopupHandlers(child);
    HookItemTree(child, value, skipTopLine);
  }
}

void TSkinableMenus::HookItem(TMenuItem* item, bool value) {
  if (TMenu* menu = item->GetParentMenu()) menu->SetOwnerDraw(value);
  if (!value)
    ReleaseHandlers(item);
  else if (IsTopLineItem(item))
    SetTopLineHandlers(item);
  else if (PopupsSkinned())
    SetPopupHandlers(item);
}

void TSkinableMenus::SetPopupHandlers(TMenuItem* item) {
  if (!item->OnAdvancedDrawItem) item->OnAdvancedDrawItem = PopupDrawEvent(this);
  if (!item->OnMeasureItem) item->OnMeasureItem = PopupMeasureEvent(this);
}

void TSkinableMenus::SetTopLineHandlers(TMenuItem* item) {
  item->OnAdvancedDrawItem = TopLineDrawEvent(this);
  item->OnMeasureItem = TopLineMeasureEvent(this);
}

void TSkinableMenus::ReleaseHandlers(TMenuItem* item) {
  const TMethod& draw = item->OnAdvancedDrawItem.Method();
  if (draw == PopupDrawEvent(this).Method() || draw == TopLineDrawEvent(this).Method())
    item->OnAdvancedDrawItem = nullptr;
  const TMethod& measure = item->OnMeasureItem.Method();
  if (measure == PopupMeasureEvent(this).Method() || measure == TopLineMeasureEvent(this).Method())
    item->OnMeasureItem = nullptr;
}

// ---- Sizes -------------------------------------------------------------

int TSkinableMenus::ItemHeight(TCanvas& canvas, TMenuItem* item) {
  SetMenuFont(canvas, false);
  const TSkinMenuItemType kind = KindOf(item);
  if (kind == smDivider) return 2;
  const int r = static_cast<int>(std::nearbyint(canvas.TextHeight("W") * 1.25));
  if (kind == smCaption) return r + 2 * Margin;
  return std::max(r, static_cast<int>(GlyphSize(item).cy)) + 2 * Margin;
}

int TSkinableMenus::MenuHeight(TCanvas& canvas, TMenuItem* item) {
  int tallest = 0, column = 0;
  for (TMenuItem* child : VisibleItems(item->Parent())) {
    if (child->Break() != mbNone) {
      tallest = std::max(tallest, column);
      column = 0;
    }
    column += ItemHeight(canvas, child);
  }
  return std::max(tallest, column);
}

int TSkinableMenus::MenuWidth(TCanvas& canvas, TMenuItem* item) {
  int total = 0, column = 0;
  for (TMenuItem* child : VisibleItems(item->Parent())) {
    if (child->Break() != mbNone) {
      total += column + 4;
      column = 0;
    }
    int width = 0, height = 0;
    MeasureItem(child, canvas, width, height);
    column = std::max(column, width + 12);
  }
  return total + column;
}

// ---- Pop-up items --------------------------------------------------------

void TSkinableMenus::MeasureItem(TObject* sender, TCanvas& canvas, int& width, int& height) {
  auto* item = dynamic_cast<TMenuItem*>(sender);
  if (!item || item->IsDestroying() || !item->Parent()) return;
  MenuMeasured = true;
  TSkMenuImage entry;
  const bool imageExists = FindMenuImage(item, 0, entry, nullptr, 0);
  CurrentItemType = KindOf(item);
  if (!imageExists) {
    entry.FirstItem = FirstItemOf(item);
    if (!ExtraLineBusy && !Designing()) {
      ExtraLineBusy = true;
      entry.HaveExtraLine = AskExtraLineData(entry.FirstItem);
      ExtraLineBusy = false;
    }
  }
  SetMenuFont(canvas, item->Default());
  std::string text;
  if (CurrentItemType == smCaption)
    text = "-" + item->Caption() + "-";
  else if (CurrentItemType == smNormal)
    text = item->Caption() + ShortCutToText(item->ShortCut());
  const int textWidth = text.empty() ? 0 : MeasuredWidth(canvas, text, MeasureFlags);
  width = 2 * GlyphSize(item).cx + textWidth + 3 * Margin + Spacing;
  if (entry.HaveExtraLine && !AfterBreak(item)) width += ExtraLineWidthOf(entry);
  height = ItemHeight(canvas, item);
}

void TSkinableMenus::DrawItem(TObject* sender, TCanvas& canvas, TRect rect, TOwnerDrawState state) {
  auto* item = dynamic_cast<TMenuItem*>(sender);
  if (!Owner || !item || !item->Parent()) return;
  const int firstColumn = AfterBreak(item) ? 0 : 1;
  const HWND wnd = IsNTPlatform ? WindowFromDC(canvas.Handle()) : nullptr;
  TSize size;
  if (TRect bounds; wnd && GetWindowRect(wnd, bounds)) {
    size = {bounds.Width(), bounds.Height()};
  } else {
    size = {MenuWidth(canvas, item) + 2 * BorderWidth, MenuHeight(canvas, item) + 2 * BorderWidth};
  }
  TSkMenuImage entry;
  FindMenuImage(item, size.cx, entry, wnd, size.cy);
  // Held here: a menu window destroyed while this paint runs drops the list.
  const std::shared_ptr<TBitmap> image = entry.Image;
  const int extraWidth = ExtraLineWidthOf(entry) * firstColumn;
  if (wnd && image) PaintMenuFrameNextTo(wnd, image.get(), item, rect, extraWidth);
  if (!wnd) PostShapeRequest(item);
  const TSkinMenuItemType kind = KindOf(item);
  if (kind == smDivider) return DrawDivider(canvas, rect, entry, image.get(), item);
  if (kind == smCaption) return DrawCaptionItem(canvas, rect, entry, image.get(), item);
  CurrentItemType = smNormal;
  if (!image) return;
  FillMenuGaps(canvas, image.get(), item, rect);

  const bool enabled = item->Enabled();
  const bool hot = enabled && (state & (odSelected | odHotLight));
  std::unique_ptr<TBitmap> bmp = NewBitmap24(rect.Width() - extraWidth, rect.Height());
  if (const int section = SectionIndexOf("MENUITEM"); section >= 0)
    PaintSection(section, "MENUITEM", MakeBackdropRef(image.get(), MenuFrame, MenuFrame), true,
                 enabled && (state & odSelected) ? 1 : 0, {0, 0, bmp->Width(), bmp->Height()},
                 {extraWidth + rect.Left, rect.Top}, bmp.get(), Owner);
  if (state & odChecked) DrawCheckGlyph(bmp.get(), item, enabled && (state & odSelected));
  DrawItemGlyph(bmp.get(), item, rect, hot);
  DrawCaptionAndShortcut(bmp.get(), item, rect, state, hot);
  if (OnDrawItem) OnDrawItem(item, bmp->Canvas(), {0, 0, bmp->Width(), bmp->Height()}, state, CurrentItemType);
  if (!enabled) {
    TRect source = rect;
    OffsetRect(source, extraWidth + BorderWidth, BorderWidth);
    BlendKeyedRect(bmp.get(), 0, 0, image.get(), source, 0.4, 0xFF00FF);
  }
  BitBlt(canvas.Handle(), extraWidth + rect.Left, rect.Top, bmp->Width(), bmp->Height(), bmp->Canvas().Handle(), 0, 0,
         SRCCOPY);
  if (item == FirstItemOf(item) && extraWidth > 0)
    CopyFromImage(canvas.Handle(), 0, 0, extraWidth + MenuFrame, image->Height(), image.get(), MenuFrame, MenuFrame);
}

// The window's frame beside the item, straight from the image: the top
// strip at the first item, the bottom one at the last, the sides always.
void TSkinableMenus::PaintMenuFrameNextTo(HWND wnd, TBitmap* image, TMenuItem* item, const TRect& rect,
                                          int extraWidth) {
  const HDC dc = GetWindowDC(wnd);
  if (!dc) return;
  const std::vector<TMenuItem*> visible = VisibleItems(item->Parent());
  const int w = image->Width(), h = image->Height();
  if (!visible.empty() && visible.front() == item) CopyFromImage(dc, 0, 0, w, BorderWidth, image, 0, 0);
  if (!visible.empty() && visible.back() == item)
    CopyFromImage(dc, 0, h - BorderWidth, w, BorderWidth, image, 0, h - BorderWidth);
  const int top = BorderWidth + rect.Top;
  CopyFromImage(dc, 0, top, extraWidth + std::max(SkinBorderWidth(), BorderWidth), rect.Height(), image, 0, top);
  CopyFromImage(dc, w - BorderWidth, top, BorderWidth, rect.Height(), image, w - BorderWidth, top);
  ReleaseDC(wnd, dc);
}

// Without a window the manager's application hook shapes the menu window later.
void TSkinableMenus::PostShapeRequest(TMenuItem* item) {
  const HWND application = Application().Handle();
  MSG queued;
  if (PeekMessage(queued, application, WM_SHAPEMENUOFITEM, WM_SHAPEMENUWINDOW, PM_NOREMOVE)) return;
  PostMessage(application, WM_SHAPEMENUOFITEM, 0, reinterpret_cast<LPARAM>(item));
}

// What the items leave of the menu: below the last item of a column, and
// the gap left of a column break.
void TSkinableMenus::FillMenuGaps(TCanvas& canvas, TBitmap* image, TMenuItem* item, const TRect& rect) {
  const TMenuItem* parent = item->Parent();
  const int index = parent->IndexOf(item);
  const bool nextBreaks = index + 1 < parent->Count() && parent->Items(index + 1)->Break() != mbNone;
  const bool last = index == parent->Count() - 1;
  const int bottom = image->Height() - 2 * MenuFrame;
  if (nextBreaks || (last && rect.Bottom < bottom))
    CopyFromImage(canvas.Handle(), rect.Left, rect.Bottom, rect.Width(), bottom - rect.Bottom, image,
                  rect.Left + MenuFrame, rect.Bottom + MenuFrame);
  if (item->Break() != mbNone)
    CopyFromImage(canvas.Handle(), rect.Left - 4, rect.Top, 4, bottom, image, rect.Left - 1, rect.Top + MenuFrame);
}

void TSkinableMenus::DrawCheckGlyph(TBitmap* bmp, TMenuItem* item, bool hot) {
  int mask = Owner->MaskIndexOfNames("GLOBALINFO", item->RadioItem() ? "RADIOCHECKED" : "CHECK");
  if (mask < 0) mask = Owner->MaskIndexOfNames("GLOBALINFO", "BOXCHECKED");
  if (mask < 0) return;
  const TSkinMaskData& data = Owner->Masks[mask];
  const int height = data.SourceRect.Height() / (data.MaskType + 1);
  DrawMaskImage(bmp, {Margin, (bmp->Height() - height) / 2}, hot ? 1 : 0, 1, data, MakeBackdropRef(bmp, 0, 0));
}

void TSkinableMenus::DrawItemGlyph(TBitmap* bmp, TMenuItem* item, const TRect& rect, bool hot) {
  if (!item->Bitmap().Empty()) {
    TBitmap& glyph = item->Bitmap();
    const int top = (bmp->Height() - glyph.Height()) / 2;
    const int left = RightToLeft() ? rect.Right - top - glyph.Width() : top;
    if (glyph.PixelFormat() == pf32bit)
      DrawAlphaImage(Bounds(left, top, glyph.Width(), glyph.Height()), {0, 0, glyph.Width(), glyph.Height()}, bmp,
                     &glyph, EmptyBackdrop, false);
    else
      bmp->Canvas().Draw(left, top, glyph);
    return;
  }
  const TMenu* menu = item->GetParentMenu();
  if (menu && menu->Images() && item->ImageIndex() >= 0) {
    const TImageList& images = *menu->Images();
    const int top = (bmp->Height() - images.Height()) / 2;
    const int left = RightToLeft() ? rect.Right - top - images.Width() : top;
    images.Draw(bmp->Canvas(), left, top, item->ImageIndex(), true);
  } else if (menu && menu->Name() == "SysMenu") {
    DrawSysMenuGlyph(bmp, item, rect, hot);
  }
}

void TSkinableMenus::DrawSysMenuGlyph(TBitmap* bmp, TMenuItem* item, const TRect& rect, bool hot) {
  const char* glyph = SysCommandGlyph(item->Tag);
  if (!glyph) return;
  TCanvas& canvas = bmp->Canvas();
  canvas.Font().SetName("DejaVu Sans");
  canvas.Font().SetStyle({});
  canvas.Font().SetSize(10);
  const int h = canvas.TextHeight(glyph);
  const int top = (bmp->Height() - h) / 2;
  const int left = RightToLeft() ? rect.Right - top - 16 : 4;
  WriteSectionText(canvas, glyph, item->Enabled(), {left, top, left + h + 10, top + h}, 0, SectionIndexOf("MENUITEM"),
                   hot, Owner);
}

void TSkinableMenus::DrawCaptionAndShortcut(TBitmap* bmp, TMenuItem* item, const TRect& rect, TOwnerDrawState state,
                                            bool hot) {
  TCanvas& canvas = bmp->Canvas();
  SetMenuFont(canvas, state & odDefault);
  const int indent = GlyphSize(item).cx + 2 * Margin + Spacing;
  TRect textRect{0, 0, rect.Width(), rect.Height()};
  if (RightToLeft())
    textRect.Right -= indent;
  else
    textRect.Left += indent;
  std::string caption = item->Caption();
  unsigned flags = AlignmentFlags(Alignment);
  if (!caption.empty() && caption.front() == '\b') {
    caption = caption.substr(1) + "      ";
    flags = DT_RIGHT;
  }
  flags |= DT_EXPANDTABS | DT_SINGLELINE | DT_VCENTER | DT_NOCLIP;
  if (RightToLeft()) flags |= DT_RIGHT;
  if (state & odNoAccel) flags |= DT_HIDEPREFIX;
  const int section = SectionIndexOf("MENUITEM");
  WriteSectionText(canvas, caption.c_str(), item->Enabled(), textRect, flags, section, hot, Owner);
  const std::string shortcut = ShortCutToText(item->ShortCut());
  if (shortcut.empty()) return;
  const int width = MeasuredWidth(canvas, shortcut, ShortcutFlags);
  const int right = bmp->Width() - 8;
  const TRect shortcutRect = RightToLeft() ? TRect{6, 0, 6 + width, bmp->Height()}
                                           : TRect{right - width, 0, right, bmp->Height()};
  WriteSectionText(canvas, shortcut.c_str(), item->Enabled(), shortcutRect, DT_SINGLELINE | DT_VCENTER, section, hot,
                   Owner);
}

void TSkinableMenus::DrawDivider(TCanvas& canvas, const TRect& rect, const TSkMenuImage& entry, TBitmap* image,
                                 TMenuItem*) {
  const int section = SectionIndexOf("DIVIDERV");
  const int mask = Owner->MaskIndexOf(section, "DIVIDERV", "BORDERSMASK");
  if (mask < 0) {
    TRect frame = rect;
    int width = 1;
    DrawBevelFrames(canvas.Handle(), frame, ColorToRGB(clGray), ColorToRGB(clWhite), width);
    return;
  }
  std::unique_ptr<TBitmap> bmp = NewBitmap24(rect.Width(), rect.Height());
  if (image)
    CopyFromImage(bmp->Canvas().Handle(), 0, 0, bmp->Width(), bmp->Height(), image, rect.Left + MenuFrame,
                  rect.Top + MenuFrame);
  const int extraWidth = ExtraLineWidthOf(entry);
  TRect line{extraWidth + Margin + Spacing, 0, rect.Width() - Margin, rect.Height()};
  if (line.Left < extraWidth + IconStripWidth) line.Left = extraWidth + IconStripWidth + 2;
  DrawMaskRect(bmp.get(), line, true, MakeBackdropRef(bmp.get(), 0, 0), Owner->Masks[mask], 0, true);
  BitBlt(canvas.Handle(), rect.Left, rect.Top, rect.Width(), rect.Height(), bmp->Canvas().Handle(), 0, 0, SRCCOPY);
}

void TSkinableMenus::DrawCaptionItem(TCanvas& canvas, const TRect& rect, const TSkMenuImage& entry, TBitmap* image,
                                     TMenuItem* item) {
  std::unique_ptr<TBitmap> bmp = NewBitmap24(rect.Width(), rect.Height());
  const int extraWidth = ExtraLineWidthOf(entry);
  const TRect content{extraWidth + 1, 1, bmp->Width() - 1, bmp->Height() - 1};
  if (image) {
    const HDC dc = bmp->Canvas().Handle();
    if (extraWidth > 0)
      CopyFromImage(dc, 0, 0, extraWidth + 1, bmp->Height(), image, rect.Left + MenuFrame, rect.Top + MenuFrame);
    BlitFrame(dc, 0, 0, bmp->Width(), bmp->Height(), image->Canvas().Handle(), rect.Left + MenuFrame,
              rect.Top + MenuFrame, 1);
  }
  const int section = SectionIndexOf("TOOLBAR");
  if (section >= 0 && image)
    PaintSection(section, "TOOLBAR", MakeBackdropRef(image, MenuFrame, MenuFrame), true, 0, content,
                 {extraWidth + rect.Left, rect.Top}, bmp.get(), Owner);
  TCanvas& bmpCanvas = bmp->Canvas();
  bmpCanvas.Font().Assign(CaptionFont());
  const std::string text = ExtractNthWord(1, item->Caption(), "-");
  const TSkinManager* manager = DefaultManager();
  WriteSectionText(bmpCanvas, text.c_str(), true, {extraWidth, 0, bmp->Width(), bmp->Height()}, CaptionItemFlags,
                   manager ? manager->SectionIndexOf("TOOLBAR") : -1, false, nullptr);
  BitBlt(canvas.Handle(), rect.Left, rect.Top, rect.Width(), rect.Height(), bmp->Canvas().Handle(), 0, 0, SRCCOPY);
}

// ---- The menu line -------------------------------------------------------

void TSkinableMenus::MeasureTopLineItem(TObject* sender, TCanvas& canvas, int& width, int& height) {
  auto* item = dynamic_cast<TMenuItem*>(sender);
  if (!item) return;
  height = GetSystemMetrics(SM_CYMENU) - 1;
  SetMenuFont(canvas, false);
  width = canvas.TextWidth(RemoveChar(item->Caption(), '&'));
  const TMenu* menu = item->GetParentMenu();
  if (menu && menu->Images() && item->ImageIndex() >= 0) width += menu->Images()->Width() + 6;
}

TSkinProvider* TSkinableMenus::MenuLineProvider(TMenuItem* item) const {
  if (MdiMainProvider) return MdiMainProvider;
  const TMenu* menu = item->GetParentMenu();
  if (!menu || !menu->WindowHandle()) return nullptr;
  try {
    return reinterpret_cast<TSkinProvider*>(SendSkinCommand(menu->WindowHandle(), scGetProvider, 0));
  } catch (...) {
    return nullptr;
  }
}

void TSkinableMenus::DrawTopLineItem(TObject* sender, TCanvas& canvas, TRect rect, TOwnerDrawState state) {
  auto* item = dynamic_cast<TMenuItem*>(sender);
  if (!Owner || !item) return;
  auto* source = dynamic_cast<TSkMenuLineSource*>(MenuLineProvider(item));
  if (!source) return;
  TBitmap* lineImage = source->MenuLineImage();
  const int offset = source->CaptionHeight() + source->FrameHeight();
  const bool enabled = item->Enabled();
  const bool lit = state & (odSelected | odHotLight);
  // A disabled item is composed apart and blended with the line's picture.
  std::unique_ptr<TBitmap> apart = enabled ? nullptr : NewBitmap24(rect.Width(), rect.Height());
  TCanvas& target = apart ? apart->Canvas() : canvas;
  const TRect itemRect = apart ? TRect{0, 0, rect.Width(), rect.Height()} : rect;
  const int section = SectionIndexOf("MENUITEM");
  if (section >= 0 && lineImage) {
    const TBackdropRef backdrop = MakeBackdropRef(lineImage, 0, 0);
    const TPoint at{rect.Left, rect.Top - offset};
    if (apart)
      PaintSection(section, "MENUITEM", backdrop, true, lit ? 1 : 0, itemRect, at, apart.get(), Owner);
    else
      PaintSectionToDC(section, "MENUITEM", backdrop, true, lit ? 1 : 0, itemRect, at, canvas.Handle(), Owner);
  }
  int glyphWidth = 0;
  const TMenu* menu = item->GetParentMenu();
  const int rectHeight = itemRect.Height();
  if (!item->Bitmap().Empty()) {
    TBitmap& glyph = item->Bitmap();
    const int left = RightToLeft() ? itemRect.Right - glyph.Width() - 3 : itemRect.Left + 3;
    target.Draw(left, itemRect.Top + (rectHeight - glyph.Height()) / 2, glyph);
    glyphWidth = glyph.Width() - 1;
  } else if (menu && menu->Images() && item->ImageIndex() >= 0) {
    const TImageList& images = *menu->Images();
    const int left = RightToLeft() ? itemRect.Right - images.Width() - 3 : itemRect.Left + 3;
    images.Draw(target, left, itemRect.Top + (rectHeight - images.Height()) / 2, item->ImageIndex(), true);
    glyphWidth = images.Width() + 3;
  }
  SetMenuFont(target, state & odDefault);
  TRect textRect{itemRect.Left + Margin, itemRect.Top, itemRect.Right - Margin, itemRect.Bottom};
  if (RightToLeft())
    textRect.Right -= glyphWidth;
  else
    textRect.Left += glyphWidth;
  unsigned flags = TopLineFlags | AlignmentFlags(Alignment);
  if (state & odNoAccel) flags |= DT_HIDEPREFIX;
  WriteSectionText(target, item->Caption().c_str(), enabled, textRect, flags, SectionIndexOf("MENULINE"),
                   enabled && lit, Owner);
  if (OnDrawItem) OnDrawItem(item, target, itemRect, state, smTopLine);
  if (!apart) return;
  if (lineImage) {
    TRect source = rect;
    OffsetRect(source, 0, -offset);
    MixBitmapRect(apart.get(), lineImage, 102, source, {0, 0});
  }
  BitBlt(canvas.Handle(), rect.Left, rect.Top, rect.Width(), rect.Height(), apart->Canvas().Handle(), 0, 0, SRCCOPY);
}

bool TSkinableMenus::ActiveMDIChildMaximized() const {
  const auto* frame = MdiMainProvider ? dynamic_cast<TForm*>(MdiMainProvider->Owner()) : nullptr;
  if (!frame || frame->FormStyle() != fsMDIForm) return false;
  const TForm* child = frame->ActiveMDIChild();
  return child && child->WindowState() == wsMaximized;
}
