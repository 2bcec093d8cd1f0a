#pragma once
// The form skinning provider: a component dropped on a form that makes the
// form look like the active skin. It takes the form's window method over
// (NewWindowProc), gives the form a frame of its own while it is skinned,
// and lets a control adapter skin the form's child controls. Without an
// active skin it passes nearly every message on and the form looks
// standard. A form answers sub-command 4 with its provider.
//
// The sources: SkinProvider.cpp (making, freeing, loading, properties),
// ProviderSkinning.cpp (taking a skin and giving it back, menus),
// ProviderWindowProc.cpp (the window method and its skin commands),
// ProviderGeometry.cpp (the non-client measures), TitleButtons.cpp (the
// user caption buttons and the caption icon).

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "runtime/Collection.h"
#include "skin/adapters/SkMainWnd.h"
#include "skin/forms/CaptionButtons.h"
#include "skin/menus/MenuLineSource.h"
#include "toolkit/base/Rect.h"
#include "toolkit/controls/Component.h"
#include "toolkit/controls/Control.h"
#include "toolkit/controls/WindowProcChain.h"
#include "toolkit/gdi/Color.h"
#include "toolkit/win/Messages.h"

class TBitmap;
class TForm;
class TMenuItem;
class TSkCtrlAdapter;
class TSkScrollWnd;
class TSkinCommonData;
class TSkinManager;
class TSkinProvider;
class TSkinSystemMenu;
struct TBackdropQuery;

enum TSkinGripMode { gmNone, gmRightBottom };
enum TSkinResizeMode { rmStandard, rmBorder };

// Asked by the control adapter for each child control it meets: clearing
// canBeAdded leaves the control alone, skinSection may name another section.
using TAddItemEvent = std::function<void(TComponent* item, bool& canBeAdded, std::string& skinSection)>;

// The skin data's class code of a form provider.
constexpr int ProviderClassCode = 224;

// A user caption button; its record places and draws it like the system ones.
class TSkinTitleButton : public TCollectionItem {
public:
  TSkinTitleButton();
  ~TSkinTitleButton() override;

  bool Enabled = true;
  std::string Name = "TSkinTitleButton";
  bool UseSkinData = true;
  TMouseEvent OnMouseDown;
  TMouseEvent OnMouseUp;
  TCaptionButtonData Data;

  // Owned; written by copying the picture in. Null or empty: no glyph.
  TBitmap* Glyph() const { return glyph_.get(); }
  void SetGlyph(const TBitmap* glyph);
  const std::string& DisplayName() const { return Name; }
  void Assign(const TCollectionItem& source) override;

private:
  std::unique_ptr<TBitmap> glyph_;
};

class TSkinTitleButtons : public TCollection {
public:
  explicit TSkinTitleButtons(TSkinProvider* provider);
  TSkinProvider* Provider() const { return provider_; }
  TSkinTitleButton& Item(int index) const { return static_cast<TSkinTitleButton&>(Items(index)); }
  TSkinTitleButton& AddButton() { return static_cast<TSkinTitleButton&>(Add()); }

private:
  TSkinProvider* provider_;
};

// The caption icon's options: a glyph of its own and a size (0: automatic).
// Writing them does not repaint.
class TSkinTitleIcon : public TPersistent {
public:
  TSkinTitleIcon();
  ~TSkinTitleIcon() override;
  TBitmap* Glyph() const { return glyph_.get(); }
  void SetGlyph(const TBitmap* glyph);
  int Width = 0;
  int Height = 0;

private:
  std::unique_ptr<TBitmap> glyph_;
};

class TSkinProvider : public TComponent, public TSkMenuLineSource {
public:
  // Attaches to the first form of the owner chain: takes its window method
  // over and lists it among the skinned forms (not while designing, nor as
  // a second provider of the form); ends with AfterConstruction.
  explicit TSkinProvider(TComponent* owner);
  // Gives back what it took, in the reverse order of taking it.
  ~TSkinProvider() override;

  // ---- published properties
  TAlignment CaptionAlignment() const { return captionAlignment_; }
  void SetCaptionAlignment(TAlignment value);
  // The form's skin data (section "FORM").
  virtual TSkinCommonData& SkinData() const;
  TSkinGripMode GripMode = gmNone;
  bool MakeSkinMenu = false;
  // Empty: "MENULINE".
  const std::string& MenuLineSkin() const { return menuLineSkin_; }
  void SetMenuLineSkin(const std::string& value);
  TSkinResizeMode ResizeMode = rmStandard;
  bool ScreenSnap = false;
  int SnapBuffer = 10;
  bool ShowAppIcon() const { return showAppIcon_; }
  void SetShowAppIcon(bool value);
  TSkinTitleButtons& TitleButtons() const { return *titleButtons_; }
  // Copies the buttons in, item by item.
  void SetTitleButtons(const TSkinTitleButtons& value);
  TSkinTitleIcon& TitleIcon() const { return *titleIcon_; }
  // Empty: "FORMTITLE".
  const std::string& TitleSkin() const { return titleSkin_; }
  void SetTitleSkin(const std::string& value);
  bool UseGlobalColor() const { return useGlobalColor_; }
  void SetUseGlobalColor(bool value);
  TAddItemEvent OnSkinItem;

  // The form that owns it, whether or not this provider attached to it.
  // Window adapters of the form take over this form's window method.
  virtual TForm* Form() const;
  // The form this provider skins; null without a form in the owner chain
  // and for a second provider of a form.
  TForm* HostForm() const { return hostForm_; }
  // The skin data's Skinned test with the active check.
  bool Skinned() const;

  // ---- lifecycle
  // With an active manager (not while designing): AttachSkin.
  void AfterConstruction();
  // Called by whoever sets the provider up once its properties are read.
  void Loaded() override;
  // Creates the control adapter and lets it attach the form's controls;
  // nothing while designing or unskinned.
  virtual void AdaptControls();

  // ---- taking a skin and giving it back
  void AttachSkin();
  // Tells the control adapter the skin went and frees it.
  void DetachSkin();
  // Hands a copy of the message to the control adapter; its failures are swallowed.
  void SendToAdapter(const TMessage& message);
  // Takes WS_SYSMENU off the form (Remove) or gives it back when it took it.
  void ToggleSysMenuStyle(bool remove);
  // Hooks (or unhooks) the form's menus into the default manager's skinnable menus.
  void SkinFormMenus(bool enable);
  // Tells the main menu's first item once that the menu changed; false
  // without items or when called again from inside.
  bool RefreshMainMenu();
  // Makes this provider the MDI frame's one (Enable).
  void EnableMdiClientSkin(bool enable);
  // Marks every cached picture stale and repaints the frame; the send's result.
  LRESULT RequestFullRepaint();
  // Cuts the form's window region again and rebuilds the cached pictures of its frame.
  virtual void RebuildRegionAndCaches();

  // The form's window method while the provider is attached.
  void NewWindowProc(TMessage& message);

  // ---- non-client measures (ProviderGeometry.cpp)
  bool HasFrame() const;
  bool HasSizingFrame() const;
  bool BigButtons() const;
  bool IconShown() const;
  bool GripShown() const;
  bool MenuLineShown() const;
  bool ChildButtonsShown() const;
  bool CacheSizeStale() const;
  bool SingleStateBorder() const;
  int FrameWidth() const;
  int FrameHeight() const override;
  int EdgeHeight() const;
  int TitleHeight() const;
  int MenuBarHeight() const;
  // Counted once, until MenuRowCount is set to -1; at least 1.
  int MenuRows();
  int PaintWidth() const;
  int ClientOffsetX() const;
  int ClientOffsetY() const;
  int TopAreaHeight() const;
  int IconWidth() const;
  int IconHeight() const;
  static int IconSizeFor(int height);
  TRect IconRect() const;
  TPoint FormOrigin() const;
  TPoint ToFormPoint(int x, int y) const;
  TPoint GripPosition() const;

  // The menu line for the skinnable menus: its picture (none until the
  // frame is painted from the skin) below the caption and the frame.
  TBitmap* MenuLineImage() const override;
  int CaptionHeight() const override { return TitleHeight(); }

  // The walk of MenuRows over the menu line, shared by the frame's items
  // and the merged items of its active MDI child.
  struct TMenuWalk {
    int X = 0;
    int Rows = 1;
    int LastGroup = -1;
    int ChildIndex = 0;
  };
  // Counts a row when an item of width no longer fits after X, then places it.
  void PlaceMenuItem(TMenuWalk& walk, int width) const;
  // Places the active MDI child's merged items of groups up to limit, while
  // the frame's items from frameIndex on do not come first; true when the
  // child took over the group limit (the frame's item is then left out).
  bool PlaceChildItems(TMenuWalk& walk, int frameIndex, int limit) const;

  // ---- state
  std::vector<TRect> BorderCutRects;  // cut out of the window region
  bool RegionStale = true;
  int HotCode = 0;  // the caption button hot or pressed
  std::unique_ptr<TBitmap> ButtonsBackdrop;
  // The provider took WS_SYSMENU off the form: its own caption then shows
  // the close button, and the system menu its window items.
  bool SysMenuStyleRemoved = false;
  bool DwmAttributesSet = false;
  bool MdiSetupPending = false;
  bool MenuItemsRefreshed = false;
  TCaptionButtons Buttons;
  TRect LastClientRect{};
  bool InMenuLoop = false;
  BYTE LastShowState = 0;  // 1 normal, 2 iconic, 3 zoomed
  bool ShowAnimationActive = false;
  TSkAdapterPtr<TSkScrollWnd> ScrollWnd;
  std::unique_ptr<TSkCtrlAdapter> ControlAdapter;
  bool SettingRegion = false;
  bool TitleStale = true;
  bool ActiveLook = true;
  std::unique_ptr<TBitmap> MenuLineBitmap;
  int MenuRowCount = -1;
  TSkinSystemMenu* SysMenu = nullptr;  // owned; made at the first skin attach
  std::unique_ptr<TBitmap> TitleCache;
  std::unique_ptr<TForm> CoverForm;
  TWndMethodRef CoverSavedWindowProc;
  bool FirstPaintDone = false;
  // The form's window method before the provider took it over.
  TWndMethodRef SavedWindowProc;

protected:
  // For stand-ins in tests: a provider that attaches to nothing and keeps
  // no skin data of its own worth asking (they answer SkinData themselves).
  struct TBare {};
  TSkinProvider(TComponent* owner, TBare);

  void Notification(TComponent* component, TOperation operation) override;

private:
  static void WindowProcOf(TObject* self, TMessage& message);
  void AttachToForm();
  bool Designing() const;
  bool IsMdiFrame() const;
  // The form, or this provider with it, is being destroyed.
  bool FormGoing() const;
  // The form's own method, WS_SYSMENU and the desktop's frame come back.
  void GiveFormBack();
  // An MDI child's menu merged into its frame's menu line changed.
  void TellMdiFrameMenuChanged();
  // The manager's global colour, unless the form keeps its own.
  void ApplyGlobalColor();
  // The form has a frame of its own (or the desktop's back); the desktop's
  // frame comes back only where the provider took it away.
  void SetFrameOwn(bool own);
  // A caption property changed: the cache goes stale and a visible form repaints its frame.
  void CaptionLookChanged();
  // The user buttons take the skin's "TITLEBUTTON" mask.
  void PickUserButtonMasks();

  // ProviderWindowProc.cpp
  // Sub-commands 2, 7, 34, 36, 60 and 61, and the attach of 1; true when the message ends there.
  bool HandleCommandOfEveryState(TMessage& message);
  void SkinRemoved(TMessage& message);
  void AnswerBackgroundRequest(TBackdropQuery& query);
  void PassThrough(TMessage& message);
  void SkinAppliedUnskinned(const TMessage& message);
  void AfterMdiChildActivation();
  void SkinnedWindowProc(TMessage& message);
  void WindowCreated(TMessage& message);
  void SkinAppliedSkinned();
  void SkinChangedSkinned();

  TForm* hostForm_ = nullptr;
  // The same form seen as a component: still asked while the form's own parts are being destroyed.
  TComponent* hostComponent_ = nullptr;
  std::unique_ptr<TSkinCommonData> skinData_;
  TAlignment captionAlignment_ = taLeftJustify;
  std::string menuLineSkin_;
  bool showAppIcon_ = true;
  std::unique_ptr<TSkinTitleButtons> titleButtons_;
  std::unique_ptr<TSkinTitleIcon> titleIcon_;
  std::string titleSkin_;
  bool useGlobalColor_ = true;
  bool tookOwnFrame_ = false;
};

// Process-wide state of the providers (the MDI frame's provider is
// MdiMainProvider of the skinnable menus).
extern TSkinProvider* ActiveChildProvider;  // of the active MDI child
extern bool ButtonPressed;                  // a caption button is held down
extern bool MaximizeNewChild;               // a new MDI child comes up maximized
extern bool UseDwmFrames;
// Puts the shared state back as at start (the MDI frame's provider is the menus').
void ResetProviderGlobals();
