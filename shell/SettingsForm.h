#pragma once
// The settings window " Settings": on four pages the libraries loaded at
// start, the console's colours (line looks and token colours, with a live
// preview console and four schemes), the sound of each event and the
// program options. It works on copies: the main window loads the current
// state into it, shows it modally and takes the edits back only after OK;
// Cancel discards them, since every showing loads again. Made once at
// start-up, after the main window.
//
// The sources: SettingsForm.cpp (making the window, loading and storing,
// the options), SettingsFormColours.cpp (the colours page) and
// SettingsFormLists.cpp (the libraries and the sounds pages).

#include <functional>
#include <memory>
#include <string>

#include "toolkit/controls/Form.h"

class TAction;
class TActionList;
class TButton;
class TCheckBox;
class TCheckListBox;
class TColorBox;
class TComboBox;
class TConsole;
class TEdit;
class TGroupBox;
class TLibMan;
class TLineAttr;
class TListBox;
class TListView;
class TOpenDialog;
class TPageControl;
class TPanel;
class TSounds;
class TSymAttr;
class TSyntax;
class TTabSheet;

class TSettingsForm : public TForm {
public:
  // Needs the main window: its classifier of identifiers.
  explicit TSettingsForm(TComponent* owner);
  ~TSettingsForm() override;

  // The preview takes the console's look; the options page shows Params.
  void LoadConsole(TConsole& console);
  void LoadLibraries(const TLibMan& manager);
  void LoadSounds(TSounds& sounds);
  void StoreLibraries(TLibMan& manager);
  void StoreSounds(TSounds& sounds);
  // Writes the options page into Params (the main window's stay-on-top at
  // once; the task bar at the next start) and answers the preview, whose
  // look the main window then takes.
  TConsole& ApplyOptions();

  // The library's name as loaded at start, else its file's base name.
  std::string LibDisplayName(int index) const;
  // An integer; within min .. max when min < max.
  static bool ValidateInt(const std::string& text, int min, int max);
  // The looks the colours page edits: of the chosen line kind, of the chosen token class.
  TLineAttr& CurrentLook();
  TSymAttr& CurrentSymAttr();

  // Components.
  TPageControl* PageControl;
  TTabSheet* LibrariesPage;
  TTabSheet* ColoursPage;
  TTabSheet* SoundsPage;
  TTabSheet* OptionsPage;
  TButton* OKButton;
  TButton* CancelButton;
  TButton* HelpButton;
  // " Libraries ".
  TCheckListBox* LibList;
  TEdit* edtFile;
  // " Colours ".
  TComboBox* cmbScheme;
  TColorBox* clbConsole;
  TColorBox* clbLine;
  TEdit* edtPrefix;
  TListBox* lsbElement;
  TGroupBox* grpPrefix;
  TColorBox* clbPrefix;
  TCheckBox* chkPrefItalic;
  TCheckBox* chkPrefBold;
  TGroupBox* grpText;
  TColorBox* clbText;
  TCheckBox* chkTextItalic;
  TCheckBox* chkTextBold;
  TCheckBox* chkSyntax;
  TCheckBox* chkIcon;
  TCheckBox* chkShadow;
  TListBox* lsbSyntax;
  TColorBox* clbElement;
  TCheckBox* chkSynItalic;
  TCheckBox* chkSynBold;
  TPanel* PreviewPanel;
  // " Sounds ".
  TCheckBox* chkNoSounds;
  TListView* lstSounds;
  // " Options ".
  TCheckBox* chkOnTop;
  TCheckBox* chkTaskbar;
  TEdit* edtMan;
  TEdit* edtExp;
  TCheckBox* chkUseShow;
  TCheckBox* chkVEdit;
  TCheckBox* chkMEdit;
  TCheckBox* chkUseExpr;
  TCheckBox* chkClip;
  TActionList* ActionList;
  TAction* actBrowse;
  TAction* actRemove;
  TAction* actRemoveAll;
  TAction* actPlay;
  TAction* actAddLib;
  TAction* actRemoveLib;
  TAction* actMoveUp;
  TAction* actMoveDown;
  TAction* actLibHelp;
  TAction* actHelp;
  TOpenDialog* OpenDialog;
  TOpenDialog* OpenSound;

  // Fields.
  std::unique_ptr<TSyntax> Syntax;
  TConsole* Preview;
  std::unique_ptr<TLibMan> Libraries;

protected:
  // With WinsInTask the window belongs to the main window, as a tool window.
  void CreateParams(TCreateParams& params) override;

private:
  // Making the window (SettingsForm.cpp).
  void CreateActions();
  void CreatePages();
  void CreateButtons();
  void CreateOptionsPage();
  void CreateDialogs();
  void ShowValidity(TEdit& edit, int min, int max);

  // The colours page (SettingsFormColours.cpp).
  void CreateColoursPage();
  void CreatePreview();
  void lsbElementClick();
  void lsbSyntaxClick();
  void cmbSchemeChange();
  void PreviewPanelClick();
  // An edit of the chosen look or token class, shown at once in the preview.
  void ChangeLook(const std::function<void(TLineAttr& look)>& change);
  void ChangeSymAttr(const std::function<void(TSymAttr& attr)>& change);
  void clbConsoleChange();
  void SynStyleClick();

  // The libraries and the sounds pages (SettingsFormLists.cpp).
  void CreateLibrariesPage();
  void CreateSoundsPage();
  void CreateListActions();
  void LibListClick();
  void LibListClickCheck();
  void AddLibrary();
  void RemoveLibrary();
  void MoveLibrary(int offset);
  void AddLibraryRow(int index);
  void SetSound();
  void ClearSounds(bool all);
  void PlaySelectedSound();
  int SelectedLibrary();
  // The sound file of a row; empty when it has none.
  std::string SoundOf(int row);
  bool AnySound();

  // Set while the controls are being filled, so that their events change nothing.
  bool showing_ = false;
  // Where "Set" opens; empty: the program's "DATA" folder.
  std::string soundFolder_;
};

// Nil until the start-up makes the window.
extern TSettingsForm* SettingsForm;
