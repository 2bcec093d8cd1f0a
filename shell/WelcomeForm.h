#pragma once
// The welcome screen: what a new user can start with, grouped under four
// headings. Every entry behaves like a link: one click closes the dialog
// with OK and its task code, which the main window carries out. Headings
// and the empty rows between the groups can be neither selected nor
// collapsed. Whether it shows at start is its "Show at startup" box,
// remembered between runs.

#include "toolkit/controls/Form.h"
#include "toolkit/gdi/ImageList.h"

class TButton;
class TCheckBox;
class TTreeNode;
class TTreeView;

class TWelcomeForm : public TForm {
public:
  static constexpr TColor SkyBlue = 0xF0CAA6;

  explicit TWelcomeForm(TComponent* owner);
  // Stores the state of "Show at startup".
  ~TWelcomeForm() override;

  bool GetShowAtStart() const;
  // The state of the check box, written now as the window's end writes it.
  void SaveSettings();

  TTreeView* Tree;
  TCheckBox* chkShow;
  TButton* CloseButton;
  // The four heading pictures.
  TImageList Images;
  // The code of the entry chosen last; 0 until one is.
  int TaskCode = 0;

protected:
  void CreateParams(TCreateParams& params) override;

private:
  void CreateControls();
  void BuildTree();
  void TreeAdvancedCustomDraw(const TRect& rect);
  void TreeCustomDrawItem(TTreeNode* node, bool hot);
  void TreeChanging(TTreeNode* node, bool& allowChange);
  void TreeChange(TTreeNode* node);
};

// Nil until the start-up makes the window.
extern TWelcomeForm* WelcomeForm;
