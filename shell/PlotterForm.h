#pragma once
// The plotter window " Plotter": the user picks one of six plot kinds,
// types one to three expressions and the ranges, and F9 writes a small
// program around them (shell/PlotterProgram.h) and runs it; the plot goes
// to the graph windows. With "Source" checked the program also opens as a
// new tab of the program editor. The expressions of the plots that ran
// without an error form a history, most recent first, kept with the
// window's place in "PLOTTERFORM". The window has a fixed size.
//
// While a program runs the window asks nothing of the engine: Plot is
// disabled and the fields keep their colours until the run ends.

#include <string>
#include <vector>

#include "shell/PlotterProgram.h"
#include "shell/ToolForm.h"
#include "toolkit/gdi/ImageList.h"

class TAction;
class TActionList;
class TCheckBox;
class TComboBox;
class TEdit;
class TLabel;
class TListBox;
class TPanel;
class TSpeedButton;
class TStorage;
class TToolBar;
class TXEdit;

class TPlotterForm : public TToolForm {
public:
  // Needs the main window: its engine, its syntax and its Plotter action.
  explicit TPlotterForm(TComponent* owner);
  ~TPlotterForm() override;

  // Writes the program of the fields and runs it; nothing unless IsReady.
  void Plot();
  bool IsReady();
  bool IsRealExpr(const std::string& text);
  static bool IsInteger(const std::string& text);
  TPlotterKind PlotKind() const;
  void UpdateKind();
  // The fields as the program is written from them.
  TPlotterFields Fields() const;

  // Components.
  TToolBar* KindBar;
  TLabel* txtX;
  TLabel* txtY;
  TLabel* txtZ;
  TSpeedButton* HistButtons[3];
  TLabel* txtYMin;
  TLabel* txtYMax;
  TLabel* txtYPnt;
  TEdit* edtXPnt;
  TEdit* edtYPnt;
  TLabel* txtAxes;
  TComboBox* cmbAxes;
  TCheckBox* chkAppend;
  TCheckBox* chkSource;
  TSpeedButton* PlotButton;
  TListBox* HistList;
  TActionList* ActionList;
  TAction* actExecute;
  TAction* actHelp;
  TImageList KindImages{39, 38};

  // Fields.
  TXEdit* EditF;
  TXEdit* EditY;
  TXEdit* EditZ;
  TXEdit* EditXMin;
  TXEdit* EditXMax;
  TXEdit* EditYMin;
  TXEdit* EditYMax;
  TXEdit* HistTarget = nullptr;
  int KindTag = 0;
  int HistTag = 0;
  std::vector<std::string> History;

  static constexpr int HistoryLimit = 32;

private:
  void CreateKindBar();
  void CreateExpressionRows();
  void CreateRangeRows();
  void CreateSettingsRow();
  void CreateActions();
  void CreateHistoryList();
  TXEdit* MakeEdit(int left, int top, int width);
  TLabel* MakeLabel(const char* caption, int left, int top);
  TEdit* MakePointsEdit(int left, int top);

  bool AreRangesReady(TXEdit* min, TXEdit* max);
  static bool AreOptionalPointsReady(TEdit* points);
  void ReadHistory(TStorage& storage);
  void WriteHistory(TStorage& storage) const;
  void AddToHistory(const std::string& text);
  bool InHistory(const std::string& text) const;

  void edtFloatChange(TXEdit* edit);
  void edtIntChange(TEdit* edit);
  void edtIntKeyPress(char32_t& key);
  void cmbAxesChange();
  void ToolButtonClick(int tag);
  void HistButtonClick(int tag);
  void HistListClick();
  void HistListKeyDown(unsigned short& key);
  void HistListExit();
  void CloseHistList();
};

// Nil until the start-up makes the plotter.
extern TPlotterForm* PlotterForm;
