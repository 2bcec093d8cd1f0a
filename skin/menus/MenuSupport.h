#pragma once
// The manager's options of skinned menus (its MenuSupport) and the events
// the skinnable menus raise.

#include <functional>
#include <memory>
#include <string>

#include "toolkit/base/Rect.h"
#include "toolkit/controls/Control.h"

class TBitmap;
class TCanvas;
class TFont;
class TMenuItem;

// What a painted menu item is: a caption item ("-Tools-"), a separator, a
// normal item of a pop-up menu, or an item of a form's menu line.
enum TSkinMenuItemType { smCaption, smDivider, smNormal, smTopLine };

// Called after an item has been painted; sender is the menu item.
using TSkinMenuManagerDrawItemEvent = std::function<void(TObject* sender, TCanvas& canvas, TRect rect,
                                                         TOwnerDrawState state, TSkinMenuItemType itemType)>;
// Asked for the vertical extra line of a new pop-up menu; the handler may
// change every argument. A glyph it leaves is owned by the menus.
using TSkGetExtraLineData = std::function<void(TMenuItem* firstItem, std::string& skinSection, std::string& caption,
                                               std::unique_ptr<TBitmap>& glyph, bool& lineVisible)>;

class TSkMenuSupport : public TPersistent {
public:
  TSkMenuSupport();
  ~TSkMenuSupport() override;

  // The section painted under the glyph column of pop-up menus.
  std::string IcoLineSkin;
  // A vertical band at the left of pop-up menus, ExtraLineWidth pixels wide.
  bool UseExtraLine = false;
  int ExtraLineWidth = 32;
  TFont& ExtraLineFont() const { return *extraLineFont_; }
  // Copies the font.
  void SetExtraLineFont(const TFont& font);

private:
  std::unique_ptr<TFont> extraLineFont_;
};
