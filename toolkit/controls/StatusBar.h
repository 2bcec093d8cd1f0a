#pragma once
// A bar of text panels along the bottom of a window, each a lowered box of
// its Width (the last one reaching the right edge); SimplePanel shows
// SimpleText across the whole bar instead. It answers the status bar
// messages (SB_GETPARTS, SB_GETRECT, SB_GETTEXT, SB_SETTEXT, SB_ISSIMPLE)
// from its panels, as the skin's status bar adapter asks them.

#include <memory>
#include <string>
#include <vector>

#include "toolkit/controls/CustomControl.h"

class TStatusBar;

enum TStatusPanelBevel { pbNone, pbLowered, pbRaised };

class TStatusPanel {
public:
  explicit TStatusPanel(TStatusBar& bar) : bar_(bar) {}

  const std::string& Text() const { return text_; }
  void SetText(const std::string& text);
  int Width() const { return width_; }
  void SetWidth(int width);
  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment alignment);
  TStatusPanelBevel Bevel() const { return bevel_; }
  void SetBevel(TStatusPanelBevel bevel);

private:
  TStatusBar& bar_;
  std::string text_;
  int width_ = 50;
  TAlignment alignment_ = taLeftJustify;
  TStatusPanelBevel bevel_ = pbLowered;
};

class TStatusPanels {
public:
  explicit TStatusPanels(TStatusBar& bar) : bar_(bar) {}

  int Count() const { return static_cast<int>(panels_.size()); }
  TStatusPanel& Items(int index) const;
  TStatusPanel& operator[](int index) const { return Items(index); }
  TStatusPanel& Add();
  void Delete(int index);
  void Clear();

private:
  TStatusBar& bar_;
  std::vector<std::unique_ptr<TStatusPanel>> panels_;
};

class TStatusBar : public TCustomControl {
public:
  // The part number of the simple panel in SB_SETTEXT and SB_GETTEXT.
  static constexpr int SimpleId = 255;

  explicit TStatusBar(TComponent* owner);

  TStatusPanels& Panels() { return panels_; }
  bool SimplePanel() const { return simplePanel_; }
  void SetSimplePanel(bool simple);
  const std::string& SimpleText() const { return simpleText_; }
  void SetSimpleText(const std::string& text);
  // The box of a panel in client coordinates (the whole bar for the simple panel).
  TRect PanelRect(int index);

  // A panel changed: the bar paints it again.
  void PanelsChanged();

protected:
  void Paint() override;
  void Dispatch(TMessage& message) override;

private:
  // The right edge of each panel; the last reaches the bar's right edge.
  std::vector<int> PanelEdges();
  void PaintPanel(const TRect& rect, const std::string& text, TAlignment alignment, TStatusPanelBevel bevel);
  const std::string* TextOfPart(WPARAM part);
  void SBGetParts(TMessage& message);
  void SBGetRect(TMessage& message);
  void SBGetText(TMessage& message);
  void SBGetTextLength(TMessage& message);
  void SBSetText(TMessage& message);
  void SBSimple(TMessage& message);
  void SBIsSimple(TMessage& message);

  TStatusPanels panels_{*this};
  bool simplePanel_ = false;
  std::string simpleText_;
};
