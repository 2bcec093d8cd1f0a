#pragma once
// The program editor window's settings dialog "Editor Settings": on
// "General" the gutter, the saving of modified programs and the two
// profiling options of runs; on "Colours" the token colours, the
// background and the gutter colour, with seven schemes. A read-only
// preview editor shows every change at once. The editor window loads a
// copy of its colours and settings, shows the dialog modally and on OK
// takes them back. Made once at start-up, right after the editor window;
// the scheme combo keeps its last choice between openings.

#include <functional>
#include <memory>

#include "console/TarnEditor.h"
#include "toolkit/controls/Form.h"

class TButton;
class TCheckBox;
class TColorBox;
class TComboBox;
class TListBox;
class TPageControl;
class TPanel;
class TSymAttr;
class TSymAttrs;
class TSyntax;
class TTabSheet;

class TEdSettsForm : public TForm {
public:
  // Needs the main window: its classifier of identifiers.
  explicit TEdSettsForm(TComponent* owner);
  ~TEdSettsForm() override;

  // A copy of the attributes; the first element is chosen.
  void SetSymAttrs(const TSymAttrs& attrs);
  const TSymAttrs& GetSymAttrs() const;
  void SetEditorSetts(const TEditorSetts& setts);
  // Also sets the options ExecTime and MemTaken of Params.
  TEditorSetts GetEditorSetts();
  // The attribute of the chosen element.
  TSymAttr& SelectedAttr();

  // Components.
  TPageControl* PageControl;
  TTabSheet* GeneralPage;
  TTabSheet* ColoursPage;
  TCheckBox* chkGutter;
  TComboBox* cmbGutWidth;
  TCheckBox* chkGutLines;
  TCheckBox* chkSaveAuto;
  TCheckBox* chkPrompt;
  TCheckBox* chkExectime;
  TCheckBox* chkShowmem;
  TComboBox* cmbScheme;
  TListBox* lsbElement;
  TColorBox* clbEditor;
  TColorBox* clbElement;
  TCheckBox* chkBold;
  TCheckBox* chkItalic;
  TColorBox* clbGutter;
  TPanel* PreviewPanel;
  TButton* OKButton;
  TButton* CancelButton;
  TButton* HelpButton;

  // Fields.
  std::unique_ptr<TSyntax> Syntax;
  TTarnEditor* Preview;

protected:
  // With WinsInTask the dialog belongs to the editor window, as a tool window.
  void CreateParams(TCreateParams& params) override;

private:
  void CreateGeneralPage();
  void CreateColoursPage();
  void CreatePreview();
  void CreateButtons();

  void lsbElementClick();
  // An element's colour or style of the user's: the scheme becomes " Custom".
  void ChangeElement(TColor color, TFontStyles styles);
  void clbEditorChange();
  void chkGutterClick();
  void cmbSchemeChange();
  // The controls that need a gutter, and "Prompt user", enabled as their boxes say.
  void EnableGutterControls();
  void EnablePrompt();
  void ChooseCustom();
  // The preview's colours and gutter, changed and shown.
  void ChangePreview(const std::function<void(TEditorColors& colors)>& change);

  // Set while the controls are being filled, so that their events change nothing.
  bool showing_ = false;
};

// Nil until the start-up makes the dialog.
extern TEdSettsForm* EdSettsForm;
