#pragma once
// The import and export dialog of the workspace window: a data source
// (a plug-in of the I/O system), its specifier and options, and the
// routine that moves the variable, offered by the variable's type. The
// device list is filled once, at creation; the dialog keeps its choices
// between showings.

#include <cstdint>
#include <string>

#include "engine/Tarnscript.h"

#include "toolkit/controls/Form.h"

class TAction;
class TActionList;
class TButton;
class TFunc;
class TIOPlugin;
class TKind;
class TLabeledEdit;
class TListItem;
class TListView;
class TOpenDialog;
class TSaveDialog;
class TSpeedButton;
class TVar;

class TImExDlg : public TForm {
public:
  static constexpr std::uint8_t UsesFileName = 1;
  static constexpr std::uint8_t UsesSpecifier = 2;
  static constexpr std::uint8_t UsesOptions = 4;

  TImExDlg(TComponent* owner, CountedPtr<ITarnscript> engine);

  // var: nil for an import with no variable selected.
  void Setup(TVar* var, bool import);
  TIOPlugin* SelectedDevice();
  TFunc* SelectedFilter();
  std::string GetSpecifier();
  std::string GetOptions();
  // The device's type name + "://" + specifier + ":" + options.
  std::string OpenString();
  bool CanAccept();

  TListView* DeviceList;
  TListView* FilterList;
  TLabeledEdit* SpecEdit;
  TSpeedButton* BrowseBtn;
  TLabeledEdit* OptsEdit;
  TButton* Button1;
  TButton* Button2;
  TButton* Button3;
  TOpenDialog* OpenDialog;
  TSaveDialog* SaveDialog;
  TActionList* Actions;
  TAction* actOK;
  TAction* actBrowse;
  bool Import = true;

protected:
  void CreateParams(TCreateParams& params) override;

private:
  void CreateControls();
  TListView* MakeList(int top, int height);
  void FillDevices();
  void FillFilters(const TKind* kind);
  void DeviceListChange();
  void Browse();

  CountedPtr<ITarnscript> engine_;
  int narrowSpecWidth_ = 0;
  std::string browseFolder_;
};

// Nil until the start-up makes the dialog.
extern TImExDlg* ImExDlg;
