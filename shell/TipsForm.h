#pragma once
// The tip of the day: one tip from the tips file beside the program (one a
// line, UTF-8), on a dark panel whose light bulb lights up when a tip
// shows. Each showing starts dark and half a second later lights up with a
// random tip; "Next Tip" goes dark while pressed and shows the following
// tip when let go. Whether it shows at start is its check box, remembered
// between runs.

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "runtime/StringList.h"
#include "toolkit/controls/Form.h"
#include "toolkit/gdi/Bitmap.h"
#include "toolkit/gdi/ImageList.h"

class TButton;
class TCheckBox;
class TPaintBox;
class TPanel;
class TTimer;

// The lines of a tip in a width, split at blanks; a run of blanks becomes
// one. A word wider than the whole width is broken where the width ends.
std::vector<std::string> WrapTip(std::string_view tip, int width, const std::function<int(std::string_view)>& textWidth);

class TfrmTips : public TForm {
public:
  static constexpr const char* TipsFileName = "Quantrel.tip";
  static constexpr const char* Title = "Did you know ...";
  static constexpr TColor PanelColor = RGB(102, 102, 102);
  static constexpr TColor DarkColor = 0xC0C0C0;
  static constexpr int TextLeft = 104;
  static constexpr int Margin = 8;
  static constexpr int LineHeight = 16;

  // Reads the tips file; a missing one is an error line in the console.
  // Seeds the random generator from the clock.
  explicit TfrmTips(TComponent* owner);
  // Stores the state of "Show Tips at startup".
  ~TfrmTips() override;

  bool GetShowAtStart() const;
  // The state of the check box, written now as the window's end writes it.
  void SaveSettings();
  void SetLit(bool Value);
  // Paints the panel into the back buffer and onto the paint box.
  void Draw();
  // Where the tip's lines go in the paint box, below the title and its rule.
  TRect TipRect();

  TPanel* pnlMain;
  TPaintBox* PaintBox;
  TButton* Button1;
  TButton* Button3;
  TCheckBox* chkShowTips;
  // The dark picture, then the lit one.
  TImageList Images;
  TTimer* Timer;

  bool Lit = false;
  TStringList Tips;
  int TipIndex = -1;
  TBitmap Buffer;

protected:
  void CreateParams(TCreateParams& params) override;

private:
  void CreateControls();
  void ReadTips();
  void DrawTitle(TCanvas& canvas, int width);
  void DrawTip(TCanvas& canvas, const TRect& rect);
  void FormShow();
  void TimerTimer();
  void Button3MouseDown();
  void Button3MouseUp();
  void PlaySwitch();
};

// Nil until the start-up makes the window.
extern TfrmTips* frmTips;
