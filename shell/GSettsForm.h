#pragma once
// The modal dialog " Graph Settings" of both graph windows: titles,
// grids, axes, scales, export format and background of a renderer, and
// the name, visibility, colours, line and fill styles, draw kind and
// shader of each of its data sets. A window loads its renderer
// (LoadFrom2D, LoadFrom3D), shows the dialog and on OK applies it back
// (ApplyTo2D, ApplyTo3D). The Data page edits copies of the data sets'
// styles, so Cancel leaves the graph as it was; the copies wait for the
// next Load. The mode (2D or 3D) decides which controls are enabled and
// which graph styles a data set is offered; the data set chosen last stays
// chosen while the mode does.
//
// Scales show 4 significant digits; a scale text the user left as shown
// keeps the option's exact value; an edited one is converted as typed. Styles go back only to the list they
// were loaded from: when the renderer's list changed in between, Apply
// writes the options and the background alone. Made once at start-up,
// after the graph windows.

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "toolkit/controls/Form.h"

class TButton;
class TCheckBox;
class TCheckListBox;
class TColorBox;
class TComboBox;
class TCustomEdit;
class TFontDialog;
class TLabel;
class TLabeledEdit;
class TPageControl;
class TRadioGroup;
class TTabSheet;
class TXData;
class TXGOptions;
class TXGraph;
class TXGraph3D;

class TGSettsForm : public TForm {
public:
  explicit TGSettsForm(TComponent* owner);
  ~TGSettsForm() override;

  void LoadFrom2D(TXGraph& Graph);
  void LoadFrom3D(TXGraph3D& Graph);
  void ApplyTo2D(TXGraph& Graph);
  void ApplyTo3D(TXGraph3D& Graph);
  void WriteOptions(const TXGOptions& Options);
  // A field whose text does not convert shows a warning box and keeps its value.
  void ReadOptions(TXGOptions& Options);

  // 0 for 2D, 1 for 3D; the controls of the mode enabled, the choice
  // forgotten. Nothing when the mode stays and Force is off.
  void SetMode(std::uint8_t NewMode, bool Force);
  // The graph styles offered to data sets of the class code in this mode.
  void FillStyleList(std::uint8_t Kind);
  // -1 when the draw kind has no entry.
  int StyleToIndex(std::uint8_t DrawKind) const;
  // 10 for an index outside the list.
  std::uint8_t IndexToStyle(int Index) const;
  // The copy at the chosen line; nil when none is chosen.
  TXData* SelectedData();
  void UpdateDataControls();
  // 4 significant digits, 1 exponent digit.
  static std::string FormatReal(long double Value);

  // Components.
  TPageControl* PageControl;
  TTabSheet* GeneralPage;
  TTabSheet* DataPage;
  TTabSheet* ScalesPage;
  TTabSheet* BackgroundPage;
  TTabSheet* OptionsPage;
  // General.
  TLabeledEdit* edtTitle;
  TLabeledEdit* edtXCaption;
  TLabeledEdit* edtYCaption;
  TLabeledEdit* edtZCaption;
  TCheckBox* chkXLabels;
  TCheckBox* chkYLabels;
  TCheckBox* chkZLabels;
  TCheckBox* chkXGrid;
  TCheckBox* chkYGrid;
  TCheckBox* chkZGrid;
  TCheckBox* chkXMinor;
  TCheckBox* chkYMinor;
  TCheckBox* chkZMinor;
  TCheckBox* chkLegend;
  TCheckBox* chkHeights;
  TCheckBox* chkFastDraw;
  TCheckBox* chkAxesInFront;
  TComboBox* cmbCoords;
  TRadioGroup* rgAxes;
  // Data.
  TCheckListBox* lstDatas;
  TLabeledEdit* edtSName;
  TComboBox* cmbDStyles;
  TComboBox* cmbPStyle;
  TComboBox* cmbBStyle;
  TLabel* lblPWidth;
  TComboBox* cmbPWidth;
  TComboBox* cmbScatSym;
  TComboBox* cmbBarKind;
  TComboBox* cmbRender;
  TComboBox* cmbShader;
  TColorBox* colPen;
  TColorBox* colBrush;
  // Scales, X, Y and Z.
  std::array<TCheckBox*, 3> chkAuto;
  std::array<TLabeledEdit*, 3> edtMin;
  std::array<TLabeledEdit*, 3> edtMax;
  std::array<TLabeledEdit*, 3> edtInc;
  TLabeledEdit* edtMantissa;
  TLabeledEdit* edtExponent;
  // Background.
  TComboBox* cmbBPS;
  TColorBox* colBP;
  TComboBox* cmbBPW;
  TColorBox* ColBB;
  TComboBox* cmbBBS;
  TColorBox* colGrid;
  TComboBox* cmbGrid;
  TComboBox* cmbGW;
  TButton* FontButton;
  TFontDialog* FontDialog;
  // Options.
  TComboBox* cmbExport;
  TCheckBox* chkGrayscale;
  TButton* OKButton;
  TButton* CancelButton;
  TButton* HelpButton;

  // Fields.
  std::uint8_t Mode = 0;
  std::vector<std::unique_ptr<TXData>> Datas;
  int DataIndex = -1;
  std::uint8_t DataKind = 0;

protected:
  void CreateParams(TCreateParams& params) override;

private:
  void CreateGeneralPage();
  void CreateDataPage();
  void CreateScalesPage();
  void CreateBackgroundPage();
  void CreateOptionsPage();
  void CreateButtons();
  TTabSheet* AddPage(const char* caption);

  template <class TGraph>
  void LoadFrom(TGraph& Graph, std::uint8_t GraphMode);
  template <class TGraph>
  void ApplyTo(TGraph& Graph);
  // The edit's real; the exact old value while the user has not edited it.
  void ReadScale(TCustomEdit& Edit, long double& Value, const std::string& Name);
  void ReadInteger(TCustomEdit& Edit, std::int32_t& Value, const std::string& Name);
  void Warn(const std::string& Text);

  // Handlers.
  void lstDatasClick();
  void edtSNameChange();
  void cmbDStylesChange();
  void cmbPStyleChange();
  void cmbBStyleChange();
  void cmbPWidthChange();
  void AutoClick(int Axis);
  // Runs the change on the chosen copy, unless the controls are being filled.
  template <class TChange>
  void ChangeSelected(TChange change);

  // The draw kinds of the Graph Style entries.
  std::vector<std::uint8_t> styles_;
  // The renderer and its list's change count the copies were made from.
  const void* loadedGraph_ = nullptr;
  std::uint64_t loadedChanges_ = 0;
  // Set while the controls are being filled, so that their events change nothing.
  bool filling_ = false;
};

// Nil until the start-up makes the dialog.
extern TGSettsForm* GSettsForm;
