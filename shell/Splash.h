#pragma once
// The splash window, which lives for the whole run: at start-up it shows
// the progress of making the windows (a log of messages, the newest at the
// bottom, above a progress strip); at the main window's first activation
// its log becomes the About text and it hides; the About command shows it
// again, modally, as the About box. A key, a click on the banner or on the
// text closes the About box; a click on the lower strip switches between
// the two About texts.

#include <string>
#include <vector>

#include "runtime/SysInfo.h"
#include "shell/LibMan.h"
#include "toolkit/controls/Form.h"
#include "toolkit/gdi/Bitmap.h"

class TImage;
class TPaintBox;
class TPanel;

class TfrmSplash : public TForm, public ILoadProgress {
public:
  static constexpr TColor ConsoleColor = RGB(64, 64, 64);
  static constexpr TColor TextColor = RGB(208, 208, 208);
  static constexpr TColor BarColor = RGB(192, 128, 0);
  static constexpr TColor ProgressColor = RGB(255, 192, 0);
  // A log entry drawn as a rule.
  static constexpr const char* Rule = "---";
  // The second About view's lines.
  static constexpr const char* AuthorLine = "Written by the Quantrel developers";
  static constexpr const char* ContactLine = "Contact: quantrel@example.org";

  // Becomes LoadProgress while that is nil.
  explicit TfrmSplash(TComponent* owner);
  ~TfrmSplash() override;

  // Appends to the log and repaints at once.
  void AddMessage(const std::string& Text) override;
  // Clamped to 0..100; a repaint only when the value changes.
  void SetProgress(int P) override;
  // The log becomes the About text of the current view.
  void FillAboutText();
  void SetAboutView(bool V);
  // Major.minor.build and the comments of the program's version.
  std::string GetVersionText() const;

  TImage* imgHigh;
  TPanel* pnlConsole;
  TPaintBox* scrConsole;
  TImage* imgLow;

  int Progress = 0;
  // Oldest first; every message is kept, only the newest fit.
  std::vector<std::string> Messages;
  TBitmap Buffer;
  TSysInfo SysInfo;
  TInfo Info;
  bool AboutView = false;

protected:
  void CreateParams(TCreateParams& params) override;

private:
  // Paints the log into the back buffer and copies it to the paint box;
  // called by the paint box and after every change.
  void scrConsolePaint();
  void PaintProgress(TCanvas& canvas, int width, int height);
  void PaintLog(TCanvas& canvas, int width, int height);
  void PaintNow();
  void FormKeyPress(char32_t& key);
  void FormClick();
  void imgLowClick();
};

// Major.minor.build and the comments of a version.
std::string VersionText(const TInfo& info);

// Nil until the main block makes the splash.
extern TfrmSplash* frmSplash;
