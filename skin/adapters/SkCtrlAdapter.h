#pragma once
// The control adapter of a skinned form. It walks the form's components
// and child controls and keeps one item for every windowed control whose
// exact class name the skin manager lists among its seventeen lists of
// foreign controls: the item's window adapter (chosen by the list) takes
// the control's window over and paints it from the skin. Labels turn
// transparent in the skin's text colour; frames get a frame adapter of
// their own instead of an item. Nothing is walked unless the manager's
// skinning rules include foreign controls.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "runtime/Object.h"
#include "skin/adapters/SkMainWnd.h"
#include "toolkit/win/Messages.h"

class TControl;
class TWinControl;
class TSkinCommonData;
class TSkinProvider;
class TSkCtrlAdapter;

// Set while AttachAll walks a form; a walk asked for meanwhile (from the
// provider's OnSkinItem, say) returns at once.
extern bool AttachAllRunning;

// The tag that keeps a control unskinned.
constexpr intptr_t NoSkinTag = -98;

// One adapted control: its skin data (class code 227) and the window
// adapter its list chose; the control itself is borrowed.
class TSkAdapterItem : public TPersistent {
public:
  explicit TSkAdapterItem(TSkCtrlAdapter* ownerAdapter);
  ~TSkAdapterItem() override;

  // Takes the control over with the adapter of the first list naming its
  // exact class (the skin data's manager's lists). Nothing without a
  // handle, for an already skinned control or, without a parent, beyond
  // binding the skin data to it.
  virtual void Attach(TWinControl* ctrl);

  TWinControl* Ctrl = nullptr;
  std::unique_ptr<TSkinCommonData> SkinData;
  TSkCtrlAdapter* const OwnerAdapter;
  // Null while the control is not taken over.
  TSkAdapterPtr<> WndAdapter;
};

using TSkAdapterItems = std::vector<std::unique_ptr<TSkAdapterItem>>;

class TSkCtrlAdapter : public TPersistent {
public:
  explicit TSkCtrlAdapter(TSkinProvider* provider);
  // Drops the dead items, then releases the rest at once.
  ~TSkCtrlAdapter() override;

  // Whether a walk would add the control: not tagged NoSkinTag; windowed
  // ones with a handle and not skinned yet; labels and frames as
  // OnSkinItem answers; other graphic controls never; anything else when
  // a list names its exact class.
  virtual bool IsSkinnable(TControl* control);
  // Null outside 0..Count-1.
  virtual TSkAdapterItem* ItemAt(int index) const;
  // Adds the control (with FallbackSection), or refreshes its item.
  void AttachControl(TWinControl* ctrl);
  // Adds the control, asking OnSkinItem first (which may refuse it or
  // change the section); a frame gets a frame adapter. A control that
  // already has an item gets the section, and a new window adapter when
  // its old one was detached.
  virtual void AttachControl(TWinControl* ctrl, const std::string& skinSection);
  // Frees the item; the last item takes its place.
  virtual void DetachItem(int index);
  // Sends the message to the windows of the live items; an exception from
  // a receiver ends the round quietly.
  virtual void SendToAll(TMessage& message);

  // Walks root's components and child controls, and each windowed one
  // within them in turn (null: the provider's form). The walk is refused
  // while another runs, or when the provider's manager does not skin
  // foreign controls.
  void AttachAll(TWinControl* root = nullptr);
  // Frees every item, the last first, as one bulk release (DetachAllRunning).
  void DetachAll();
  // Frees the items whose window adapter is gone or detached, keeping the
  // others' order.
  void DropDeadItems();
  int Count() const { return static_cast<int>(ItemList.size()); }

  // The section of controls added without one; nothing assigns it.
  std::string FallbackSection;
  TSkAdapterItems ItemList;
  TSkinProvider* const Provider;

private:
  // Steps of a walk under the running flag.
  void Walk(TWinControl* root);
  void AttachIfSkinnable(TControl* control);
  // The provider's answer to OnSkinItem; true when it has none.
  bool AskProvider(TComponent* item, std::string& skinSection) const;
  TSkAdapterItem* ItemOf(TWinControl* ctrl) const;
};
