#pragma once
// How the demos end: with --screenshot FILE (among the demo's own
// arguments) the form is shown, given time to settle on the desktop, saved
// as a picture, and the program ends; otherwise the application runs until
// the form closes.

#include <string>

class TForm;

int RunDemo(int argc, char** argv, TForm* form);

// FILE of --screenshot FILE among the arguments, or null.
const char* ScreenshotArgument(int argc, char** argv);

// A second picture beside FILE: "shot.png" with "-dialog" is "shot-dialog.png".
std::string PictureNameWith(const std::string& fileName, const std::string& suffix);

// Points the settings and the desktop's data (XDG_CONFIG_HOME,
// XDG_DATA_HOME) at a fresh folder while it lives, so that a demo of the
// main window starts alike every time and leaves the user's own alone.
class TFreshSettingsFolder {
public:
  TFreshSettingsFolder();
  ~TFreshSettingsFolder();
  TFreshSettingsFolder(const TFreshSettingsFolder&) = delete;
  TFreshSettingsFolder& operator=(const TFreshSettingsFolder&) = delete;

private:
  std::string path_;
};

// Handles messages for that long, so that the desktop shows what changed
// before a picture is taken.
void SettleFor(int milliseconds);
