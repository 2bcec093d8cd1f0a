#pragma once
// The skin data of a control, and the skin command message through which
// the skin manager, forms and controls talk to each other.
//
// Every skinnable control owns one TSkinCommonData. It names the skin
// section that gives the control its look, keeps that section's indexes in
// the manager, owns a cache bitmap of the skinned look and carries the small
// state painting needs. A control is skinned only while a manager exists,
// holds a skin and knows the control's section (SectionIndex >= 0); else
// every operation falls back to the control's own colour and look.

#include <memory>
#include <string>

#include "runtime/Object.h"
#include "toolkit/base/Rect.h"
#include "toolkit/gdi/Color.h"
#include "toolkit/win/Messages.h"

class TBitmap;
class TDeviceContext;
using HDC = TDeviceContext*;
class TControl;
class TWinControl;
class TSkinManager;
class TSkinProvider;
struct TSkinGeneralData;

// The skin command: the sub-command travels in the high word of WParam, a
// small argument (Lo) in the low word; LParam depends on the sub-command.
constexpr UINT SM_SKINCMD = 0xA100;

// Sub-commands.
constexpr WORD scSkinApplied = 1;         // LParam: the manager
constexpr WORD scSkinRemoved = 2;         // LParam: the manager
constexpr WORD scSkinChanged = 3;         // refresh; LParam: the manager
constexpr WORD scGetProvider = 4;         // a form answers its form provider
constexpr WORD scResumePainting = 6;      // a suspended receiver redraws itself
constexpr WORD scIsSkinnable = 7;         // answers 1
constexpr WORD scSetPaintSuspended = 8;   // Lo 1: suspend, 0: resume
constexpr WORD scFreezeCache = 9;         // Lo 1: freeze, 0: release
constexpr WORD scIsPaintingSuspended = 10;
constexpr WORD scWasPartlyPainted = 11;
constexpr WORD scParentLookChanged = 12;  // Lo 1: a transparent look goes stale
constexpr WORD scChildRepainting = 15;    // LParam: the graphic child, or 0 when done
constexpr WORD scBeforeRefresh = 16;
constexpr WORD scInvalidateCache = 17;
constexpr WORD scHasComplexBackground = 19;
constexpr WORD scParentImageChanged = 20; // Lo 1: also invalidate
constexpr WORD scGetColor = 21;
constexpr WORD scPartlyPainted = 22;
constexpr WORD scPaintBackdropToCache = 23;
constexpr WORD scAdaptControl = 25;       // to a form; LParam: the control
constexpr WORD scGetSection = 26;         // answers SectionIndex + 1
constexpr WORD scGetCaptionHeight = 27;
constexpr WORD scMouseEntered = 29;       // LParam: the manager
constexpr WORD scMouseLeft = 30;          // LParam: the manager
constexpr WORD scPaintSuspended = 31;
constexpr WORD scPaintResumed = 32;
constexpr WORD scGetBackdrop = 34;        // LParam: a TBackdropQuery
constexpr WORD scPlainBackground = 36;    // LParam 1: recompute and tell the children
constexpr WORD scBeforeScroll = 51;
constexpr WORD scAfterScroll = 52;
constexpr WORD scGetApplication = 60;
constexpr WORD scGetClientOffset = 61;    // answers X in the low word, Y in the high word

constexpr WPARAM SkinCommand(WORD subCommand, WORD lo = 0) { return WPARAM(subCommand) << 16 | lo; }
constexpr WORD SubCommandOf(WPARAM wParam) { return WORD(wParam >> 16 & 0xFFFF); }
constexpr WORD LoOf(WPARAM wParam) { return WORD(wParam & 0xFFFF); }

// Magenta: the key colour of transparent skin pixels, and "no colour" in answers.
constexpr TColor clSkinKey = 0xFF00FF;

// What lies behind an area, as a control's parent answers sub-command 34.
struct TBackdropQuery {
  TBitmap* Bmp = nullptr;  // answer: the image to copy from
  TColor Color = 0;        // answer: the fill colour
  TPoint Offset;           // in: the asker's place in the answerer; out: its place in Bmp
  TRect Rect;              // the asker's area in DC, for DrawNow
  BYTE Kind = 0;           // 0 no answer yet, 1 a plain colour, 2 an image
  bool DrawNow = false;    // the answerer paints Rect of DC itself
  HDC DC = nullptr;
};
constexpr BYTE bkNone = 0;
constexpr BYTE bkColor = 1;
constexpr BYTE bkImage = 2;

// What lies behind a painted area: Bmp at (X, Y) when Ready, else FillColor
// (0xFF00FF when the background is a picture).
struct TBackdropRef {
  TBitmap* Bmp = nullptr;
  int X = 0;
  int Y = 0;
  TColor FillColor = clSkinKey;
  bool Ready = false;
};

// Bit 0 of StateFlags: the look is one plain colour, so children may fill
// instead of copying their background.
constexpr WORD sfPlainBackground = 0x0001;

// The blend of a colour over its parent's for a transparency of 0 (own
// colour) to 100 (the parent's), per channel as the painters blend it.
TColor BlendOverParent(TColor own, TColor parent, int transparency);

// Whether hosts of the class code never get a hot look from the mouse.
bool InNoHotStateCodes(int classCode);

class TSkinCommonData {
public:
  // The host (owner) sets ClassCode right after.
  TSkinCommonData(TObject* owner, bool withCacheBitmap);
  ~TSkinCommonData();
  TSkinCommonData(const TSkinCommonData&) = delete;
  TSkinCommonData& operator=(const TSkinCommonData&) = delete;

  // Always upper case; an empty name assigned is kept as "UNKNOWN".
  const std::string& SkinSection() const { return skinSection_; }
  void SetSkinSection(const std::string& value);
  bool CustomFont() const { return customFont_; }
  void SetCustomFont(bool value);
  bool CustomColor() const { return customColor_; }
  void SetCustomColor(bool value);
  // The own manager; null follows the default manager.
  TSkinManager* SkinManager() const { return skinManager_; }
  void SetSkinManager(TSkinManager* value);
  bool SkinManagerStored() const { return skinManager_ != nullptr; }
  // The own manager, else the default one; may be null.
  TSkinManager* GetSkinManager() const;

  TControl* HostControl() const { return hostControl_; }
  TObject* HostObject() const { return hostObject_; }
  // Binds the data to another owner (the control adapter's items to their
  // control); the host control is the owner when it is one.
  void SetHost(TObject* owner);
  TBitmap* CacheBitmap() const { return cacheBitmap_.get(); }

  // Called by the host at the end of its construction and after loading.
  void Loaded();
  void ApplyDefaultSection();
  void ResolveIndexes();

  bool Skinned(bool checkActive) const;
  bool MustUseCache() const;
  bool IsActiveState() const;
  bool PaintingSuspended() const;
  bool DependsOnParentImage() const;
  bool LookIsComplex() const;
  bool IsTransparentSection() const;
  void UpdatePlainFlag(bool tellChildren);
  // State 0: the normal look, else the hot one; window is used only without a host control.
  TColor ControlColor(int state, HWND window = nullptr) const;
  int MaxBorderWidth() const;

  void Invalidate();
  void PrepareCacheBitmap();
  void SuspendPaint();
  void ResumePaint();
  void SetPaintSuspended(bool value) { PaintSuspended = value; }
  void AnswerBackgroundRequest(TBackdropQuery& query, int state, HWND window);
  // What lies behind the host: its parent's answer to the background
  // request. Unskinned or without a parent: not ready, of ControlColor(0).
  void ParentBackdrop(TBackdropRef& ref) const;
  // The same for a window, asking its parent window; without one the
  // reference is only made not ready.
  void WindowParentBackdrop(HWND window, TBackdropRef& ref) const;
  // The direct paths keep no cache: it goes until the next cached paint.
  void ReleaseCacheBitmap();

  bool PaintSuspended = false;
  int BorderMaskIndex = -1;
  int SectionIndex = -1;
  int PatternIndex = -1;
  int HotPatternIndex = -1;
  TControl* RepaintingChild = nullptr;
  bool CacheFrozen = false;
  bool CacheStale = true;
  bool PartlyPainted = true;
  int ClassCode = 0;
  bool HasFocus = false;
  bool MouseInside = false;
  WORD StateFlags = 0;

private:
  friend bool HandleSkinCommand(TMessage& message, TSkinCommonData* data);
  friend bool HandleCommonMessage(TMessage& message, TSkinCommonData* data);

  const char* DefaultSection() const;
  // The values of the control's section; SectionIndex must be valid.
  const TSkinGeneralData& Section() const;
  int TransparencyOf(int state) const;
  TColor FallbackColor() const;
  // The form provider that hosts this data; null for any other host.
  TSkinProvider* HostProvider() const;
  // Sends the host the skin command (LParam 0).
  void TellHost(WORD subCommand);
  // The colour behind a fully transparent section as RGB.
  TColor ParentColor(HWND window) const;
  bool HostMayChange() const;
  void ApplySectionColorsToEdit();
  void ResetEditColors();
  void AnswerFromCache(TBackdropQuery& query);
  void SkinApplied();
  void SkinRemoved();
  void SkinChanged();
  LRESULT ColorAnswer() const;
  LRESULT ComplexBackgroundAnswer() const;
  void ParentImageChanged(WORD lo);
  void TellChildren(WPARAM wParam, LPARAM lParam, bool skipRightOrBottomAnchored);

  std::string skinSection_;
  bool customFont_ = false;
  bool customColor_ = false;
  TSkinManager* skinManager_ = nullptr;
  TControl* hostControl_ = nullptr;
  TObject* hostObject_ = nullptr;
  std::unique_ptr<TBitmap> cacheBitmap_;
};

// True: handled, the caller does not pass the message on. Both take a null Data.
bool HandleSkinCommand(TMessage& message, TSkinCommonData* data);
bool HandleCommonMessage(TMessage& message, TSkinCommonData* data);

// Copies the cache from srcOrigin's top-left to dstRect of dc, leaving out
// the parent's visible graphic, opaque (and, designing, all) children
// moved by the offsets; with repairCorners the cache's corners first take
// the parent's background.
void CopyCacheToDC(TWinControl* parent, TSkinCommonData& data, const TRect& srcOrigin, int offsetY, int offsetX,
                   bool repairCorners, HDC dc, const TRect& dstRect);
// The same, leaving out the window's visible child windows; of a group box
// (without client edge) only its frame, while a default manager exists.
void CopyCacheToDCByWindows(HWND window, TSkinCommonData& data, const TRect& srcOrigin, int offsetY, int offsetX,
                            bool repairCorners, HDC dc, const TRect& dstRect);

// The section whose text colours a tool button's caption takes (or that of
// another control drawn in its parent's font): its parent's, or further up
// while a section is more than half transparent, when that section gives
// its own font; else defaultSection.
int FontSectionOfToolButton(TControl* button, int defaultSection, TSkinManager* manager);
