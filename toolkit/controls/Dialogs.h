#pragma once
// The common dialogs: files to open and save, a colour, a font, a folder.
// Each asks one replaceable service: the desktop's dialogs in the program,
// a scripted answerer in tests.

#include <string>
#include <vector>

#include "toolkit/base/Handles.h"
#include "toolkit/controls/Component.h"
#include "toolkit/gdi/Color.h"
#include "toolkit/gdi/Font.h"

using TOpenOptions = unsigned;
constexpr TOpenOptions ofOverwritePrompt = 0x02;
constexpr TOpenOptions ofHideReadOnly = 0x04;
constexpr TOpenOptions ofPathMustExist = 0x800;
constexpr TOpenOptions ofFileMustExist = 0x1000;

// One entry of a filter: "Variable File (*.xvar)" with the masks "*.xvar".
struct TFileFilter {
  std::string Description;
  std::vector<std::string> Masks;
  bool operator==(const TFileFilter&) const = default;
};

// A filter in the form "Description|mask;mask|Description|mask".
std::vector<TFileFilter> ParseFileFilter(const std::string& filter);

enum class TDialogKind { Open, Save, Color, Font, Folder };

struct TFontChoice {
  std::string Name{};
  int Height = 0;  // pixels; negative: the character height without leading
  TFontStyles Style = 0;
  TColor Color = 0;
  bool operator==(const TFontChoice&) const = default;
};

struct TDialogRequest {
  TDialogKind Kind = TDialogKind::Open;
  HWND Owner = nullptr;
  std::string Title{};
  std::vector<TFileFilter> Filters{};
  int FilterIndex = 1;  // 1-based
  std::string Folder{};  // the initial folder; the folder of SelectFolder
  std::string FileName{};
  std::string DefaultExt{};  // without its dot
  TOpenOptions Options = 0;
  TColor Color = 0;
  TFontChoice Font{};
};

struct TDialogAnswer {
  bool Confirmed = false;
  std::string FileName{};
  int FilterIndex = 1;
  std::string Folder{};
  TColor Color = 0;
  TFontChoice Font{};
};

class ICommonDialogs {
public:
  virtual ~ICommonDialogs() = default;
  virtual TDialogAnswer Run(const TDialogRequest& request) = 0;
};

// Installs the service (the caller keeps ownership); nullptr: every dialog
// answers as cancelled.
void SetCommonDialogs(ICommonDialogs* dialogs);
ICommonDialogs* CommonDialogs();

class TOpenDialog : public TComponent {
public:
  explicit TOpenDialog(TComponent* owner) : TComponent(owner) {}

  // True when the user confirmed; then FileName and FilterIndex hold the choice.
  bool Execute(HWND owner = nullptr);

  std::string Title;
  std::string Filter;
  int FilterIndex = 1;
  std::string DefaultExt;  // with or without its dot
  std::string FileName;
  std::string InitialDir;
  TOpenOptions Options = ofHideReadOnly;

protected:
  virtual TDialogKind Kind() const { return TDialogKind::Open; }
};

class TSaveDialog : public TOpenDialog {
public:
  using TOpenDialog::TOpenDialog;

protected:
  TDialogKind Kind() const override { return TDialogKind::Save; }
};

class TColorDialog : public TComponent {
public:
  explicit TColorDialog(TComponent* owner) : TComponent(owner) {}
  bool Execute(HWND owner = nullptr);
  TColor Color = 0;
};

class TFontDialog : public TComponent {
public:
  explicit TFontDialog(TComponent* owner) : TComponent(owner) {}
  bool Execute(HWND owner = nullptr);
  TFont& Font() { return font_; }

private:
  TFont font_;
};

// Lets the user pick a folder; folder holds the initial one and, when the
// user confirmed, the choice.
bool SelectFolder(const std::string& title, std::string& folder, HWND owner = nullptr);
