#pragma once
// The frame adapter: a component dropped on a frame (its owner) that gives
// the frame the skin's look. It takes the frame's window method over from
// construction to destruction, paints the frame's background and border
// from its section ("GROUPBOX" unless told otherwise), answers the skin
// command for the frame, passes skin changes on to the frame's children,
// skins the frame's pop-up menus and keeps the frame's scroll adapter.
// Placed on anything but a frame it shows an error box and handles nothing.
// While the skin is not active every message reaches the frame's own
// window method, so the frame behaves as an unskinned frame.

#include <memory>

#include "skin/adapters/SkMainWnd.h"
#include "toolkit/controls/Component.h"
#include "toolkit/controls/WindowProcChain.h"

class TFrame;
class TSkinCommonData;
class TSkScrollWnd;
class TDeviceContext;
using HDC = TDeviceContext*;

class TSkinFrameAdapter : public TComponent {
public:
  // owner should be a TFrame: it becomes the handled frame and the skin
  // data's host control.
  explicit TSkinFrameAdapter(TComponent* owner);
  ~TSkinFrameAdapter() override;

  // Its section is set through SkinData().SetSkinSection.
  TSkinCommonData& SkinData() const { return *skinData_; }
  // Null when the owner was not a frame.
  TFrame* Frame() const { return frame_; }
  // The frame's scroll adapter while the skin asks for one, else null.
  TSkScrollWnd* ScrollWnd() const { return scrollWnd_.get(); }

  void Loaded() override;

private:
  static void WndProcOf(TObject* self, TMessage& message);
  void AfterConstruction();
  // An empty section, or one named as this class, becomes "GROUPBOX".
  void ApplyDefaultSection();
  bool FrameIsSkinnable() const;
  bool Designing() const;
  bool FrameDesigned() const;
  void CallSaved(TMessage& message);

  // The window method and its steps.
  void NewWindowProc(TMessage& message);
  // The sub-commands answered in any state; false for the others.
  bool HandleOwnSkinCommand(TMessage& message);
  void SkinApplied(TMessage& message);
  void SkinRemoved(TMessage& message);
  void SkinChanged(TMessage& message);
  void HoldRedrawWhileScrolling(bool before);
  bool Skinnable() const;
  void SkinnedSkinCommand(TMessage& message);
  void SkinnedMessage(TMessage& message);
  bool HasComplexLook() const;
  LRESULT ColorAnswer();
  void SizeOrMove(TMessage& message);
  void EraseMessage(TMessage& message);
  void ParentNotify(TMessage& message);
  void PrintMessage(TMessage& message);

  // Skin changes on the way to the frame's children and forms.
  void HookPopupMenus();
  void ColorDesignHost(bool skinned);
  void AskFormToAdapt();
  void Redraw(unsigned flags);

  // Painting.
  bool MayPaint() const;
  void PaintMessage(TMessage& message);
  void PaintBackground(HDC dc);
  void PaintCached(HDC dc);
  void BuildCache();
  void PaintDirect(HDC dc);

  std::unique_ptr<TSkinCommonData> skinData_;
  TWndMethodRef savedWindowProc_;
  TFrame* frame_ = nullptr;
  TSkAdapterPtr<TSkScrollWnd> scrollWnd_;
};
