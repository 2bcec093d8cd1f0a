#pragma once
// The base of every window adapter: an object that takes an existing window
// over by its handle, paints it from the active skin without the window's
// own code knowing, and gives it back as it found it.
//
// A window whose skin data has a host control (or whose host object is a
// form provider: its form) keeps its window procedure; only the control's
// WindowProc chain gets the adapter on top. Any other window is subclassed
// through GWL_WNDPROC with an object-instance stub. Either way the adapter
// removes its own takeover wherever it sits in the chain, so adapters and
// other takeovers of one window may be given back in any order; a host
// control freed first is heard of through its free notification, and the
// stub is freed once, with the adapter, after the window is given back.
//
// Making an adapter: TSkMainWnd::Make<Class>(handle, data, manager,
// section, repaint, extra constructor arguments...). It constructs the
// object, then runs the virtual Create, so descendants' overrides of
// StoreStdLook and of the attaching step take part as they would in a
// virtual constructor. Freeing one: through TSkAdapterPtr (or Destroy),
// never delete, so that a descendant's RestoreStdLook still runs.
//
// Descendants that attach differently override AttachOnCreate: the
// scroll-bar adapter attaches there with its emulated bars
// (AttachScrollWindow) instead of AttachWindow. Descendants that create
// differently (the edit family) override Create and compose it from the
// protected steps below.

#include <memory>
#include <string>
#include <utility>

#include "runtime/Object.h"
#include "toolkit/base/Handles.h"
#include "toolkit/base/Rect.h"
#include "toolkit/controls/WindowProcChain.h"
#include "skin/paint/PixelRoutines.h"
#include "toolkit/gdi/Color.h"
#include "toolkit/win/Messages.h"

class TComponent;
class TControl;
class TWinControl;
class TSkinCommonData;
class TSkinManager;
class TSkMainWnd;

// The window property through which an adapter is found from its window.
inline constexpr const char* AdapterProperty = "SKSBSC";

// Adapters made while it is set start in dialog mode (the dialog skinning
// layer sets it while it adapts a standard dialog's children).
extern bool DialogModeActive;
// Set while the control adapter releases all its adapters at once: adapters
// freed meanwhile leave the look of their windows alone (outside a skin's
// removal), but still give back windows that exist.
extern bool DetachAllRunning;

// Sent to an adapted window before its cache gets the disabled look; the
// window may answer by setting AdapterDisabledKind.
constexpr WORD scBeforeDisabledPaint = 35;
extern TSkinDisabledKind AdapterDisabledKind;

struct TSkAdapterFree {
  void operator()(TSkMainWnd* adapter) const;
};
template <class Adapter = TSkMainWnd>
using TSkAdapterPtr = std::unique_ptr<Adapter, TSkAdapterFree>;

class TSkMainWnd : public TObject {
public:
  TSkMainWnd();

  // The virtual constructor of the adapters; see the top of this file.
  template <class Adapter = TSkMainWnd, class... Extra>
  static TSkAdapterPtr<Adapter> Make(HWND handle, TSkinCommonData* skinData, TSkinManager* manager,
                                     const std::string& section, bool repaint, Extra&&... extra) {
    TSkAdapterPtr<Adapter> adapter(new Adapter(std::forward<Extra>(extra)...));
    adapter->Create(handle, skinData, manager, section, repaint);
    return adapter;
  }
  // Gives the window back unless it was (see DetachAllRunning), frees the
  // stub and the skin data it owns, and frees the adapter.
  void Destroy();

  // The five virtual slots. Create: visual styles off (unless the section
  // is "DIALOG"), the skin data bound (made when none is given; its empty
  // section takes the given one), dialog mode and the window's own look
  // kept, the window text read, the window attached, the host made opaque.
  virtual void Create(HWND handle, TSkinCommonData* skinData, TSkinManager* manager, const std::string& section,
                      bool repaint);
  virtual void StoreStdLook() {}
  virtual void RestoreStdLook() {}
  virtual void ApplySkinLook() { SkinLookApplied = true; }
  // The base procedure: its own messages, the skin commands while the
  // manager is active, everything else to the replaced procedure.
  virtual void AdapterWndProc(TMessage& message);

  // The replaced procedure's answer; 0 when there is none.
  LRESULT CallPrevWndProc(UINT msg, WPARAM wParam, LPARAM lParam);
  // Sets the property and takes the window over (see the top of this file).
  void AttachWindow(HWND handle);
  // Gives the window procedure back, removes the property, puts the
  // window's own look back and, when visible, measures and paints its frame
  // again; the adapter then ignores the window. The owner frees it after.
  void DetachWindow(HWND handle, bool repaint);
  // Paints the background of the cache bitmap when it is stale: the skin
  // section over the parent's background (without corner repair for a
  // dialog), or in dialog mode with a skin border colour a plain window
  // colour and a frame.
  void PrepareAdapterCache(TSkinCommonData& data, HWND handle, bool dialog);
  // The control (or form) whose WindowProc the adapter took over; null
  // when it subclassed the window, or once that control was freed.
  TControl* TakeoverTarget() const { return target_; }

  bool DialogMode = false;
  std::string WndText;
  TRect ScreenRect;
  TSize WndSize;
  // Relative to the parent's window rectangle, less the parent's client offset.
  TPoint PosInParent;
  TRect ParentRect;
  HWND ParentHandle = nullptr;
  // The replaced window method; empty when the window was subclassed.
  TWndMethodRef SavedWindowProc;
  // The replaced window procedure; null when the window method was replaced.
  WNDPROC PrevWndProc = nullptr;
  HWND Handle = nullptr;
  TSkinManager* Manager = nullptr;
  TSkinCommonData* SkinData = nullptr;
  // Set while the adapter sends a scroll message of its own.
  bool OwnScrolling = false;
  bool SkinLookApplied = false;
  TColor StdColor = 0;
  TColor StdFontColor = 0;
  bool Detached = false;
  bool OwnsSkinData = false;
  WNDPROC WndProcStub = nullptr;

protected:
  virtual ~TSkMainWnd();

  // The steps of Create, for descendants that create differently.
  void TurnVisualStylesOff(HWND handle);
  void BindSkinData(TSkinCommonData* skinData, TSkinManager* manager, const std::string& section);
  void TakeDialogModeAndLook();
  void ReadWindowText();
  virtual void AttachOnCreate(HWND handle, bool repaint);
  void MakeHostOpaque();

private:
  class THostWatch;
  friend class THostWatch;

  static void WndProcOf(TObject* self, TMessage& message);
  // The base procedure's first table; true when the message is done.
  bool HandleOwnMessage(TMessage& message);
  // The skin commands of an active manager; true when handled.
  bool HandleSkinCommandOfAdapter(TMessage& message);
  bool ManagerActive() const;
  void GiveProcedureBack();
  void HostFreed();

  TControl* target_ = nullptr;
  std::unique_ptr<THostWatch> hostWatch_;
};

// Measures and paints the window's frame again: with repaint through a
// frame change, without by WM_NCPAINT.
void RefreshFrame(HWND handle, bool repaint);
// The adapter's window and parent rectangles, size and place in the parent
// (less the client offset the parent answers to sub-command 61).
void ReadWindowGeometry(TSkMainWnd& adapter);
// Gives the cut-out corners of the borders mask (frame 0 from every caller)
// the parent's background in the adapter's cache.
void FillTransparentCorners(TSkinCommonData& data, int frame, TSkMainWnd& adapter);
// The top-level window's answer to sub-command 25 (LParam 0).
LRESULT SendToTopWindow(HWND handle);
// Depth first over the owned components, in index order: the first
// windowed control whose allocated handle is handle; null when none.
TWinControl* FindControlByHandle(HWND handle, TComponent* component);
