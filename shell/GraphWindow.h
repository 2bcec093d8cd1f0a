#pragma once
// What the 2D and the 3D graph window share: a tool window around one
// renderer (TXGraph or TXGraph3D), which it owns and paints into a paint
// box filling the window below a tool bar. The plotting routines reach the
// renderer through the window's plot target, set while the window lives;
// each plot paints at once and shows a hidden window. The user copies the
// picture, saves it as a bitmap or metafile, opens the graph settings
// dialog on it, and clears the graph; a closed window keeps its data.
//
// The renderers and everything they draw live in graphics/; the windows
// stand on the shell's tool-window base, pictures and desktop placement,
// which graphics/ may not use.

#include <memory>
#include <string>

#include "libraries/PlotTargets.h"
#include "shell/ToolForm.h"

class TAction;
class TActionList;
class TCoolBar;
class TPaintBox;
class TPanel;
class TPopupMenu;
class TSaveDialog;
class TToolBar;

// What tells the two windows apart, besides their renderer.
struct TGraphWindowDesign {
  const char* Section;
  const char* Caption;
  TRect Bounds;
  int MinWidth;
  int MinHeight;
  const char* HelpTopic;
  TPlotWindow PlotWindow;
  const char* SettingsHint;
  const char* CopyHint;
  const char* SaveHint;
  const char* ClearHint;
};

constexpr const char* PictureFilter = "Bitmaps (*.bmp)|*.bmp|Metafiles (*.wmf)|*.wmf|Enhanced Metafiles (*.emf)|*.emf";

// The small picture of each action (Images.h).
enum TGraphImage { giSave = 2, giCopy = 4, giSettings = 8, giClear = 15, giReset = 18 };

// The name with its extension (the file name's, not a folder's) replaced,
// or given one when it has none.
std::string WithExtension(const std::string& fileName, const std::string& extension);

template <class TGraph>
class TGraphWindow : public TToolForm {
public:
  // Sets the plot target off, writes the settings, frees the renderer last.
  ~TGraphWindow() override;

  // Paints the graph into the paint box now, shows the window when it is
  // hidden, and puts the picture on the screen before it returns, also in
  // the middle of a running script.
  void ShowGraph();

  // Components.
  TPanel* ScrPanel;
  TPaintBox* PaintBox;
  TCoolBar* CoolBar;
  TToolBar* ToolBar;
  TSaveDialog* SaveDialog;
  TPopupMenu* PopupMenu;
  TActionList* ActionList;
  TAction* actSettings;
  TAction* actCopy;
  TAction* actSave;
  TAction* actClear;
  TAction* actHelp;

  std::unique_ptr<TGraph> Graph;

protected:
  TGraphWindow(TComponent* owner, const TGraphWindowDesign& design, TAction* toggle);

  // Enabled while the graph holds a data set.
  void EnableWithData(TAction* action);

private:
  void CreateActions();
  void CreateComponents();
  // A full redraw through the renderer's back buffer.
  void PaintBoxPaint();
  // The paint box one pixel wider and higher than the panel's client area.
  void ScrPanelResize();
  void FormCanResize(int& newWidth, int& newHeight);
  void actCopyExecute();
  void actSaveExecute();
  void actClearExecute();
  // The graph settings dialog on the renderer; applied and repainted on OK.
  void actSettingsExecute();
  // Asks before a file the dialog did not ask about is replaced.
  bool MayReplace(const std::string& fileName);

  // One of the designs at namespace scope of the windows' units.
  const TGraphWindowDesign& design_;
};
