#include "shell/GraphWindow.h"

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <type_traits>
#include <utility>

#include "graphics/GraphPlotTarget.h"
#include "graphics/PlotStyles.h"
#include "graphics/XGraph.h"
#include "graphics/XGraph3D.h"
#include "runtime/Help.h"
#include "shell/ActionBars.h"
#include "shell/GSettsForm.h"
#include "shell/Images.h"
#include "toolkit/controls/ActionList.h"
#include "toolkit/controls/Application.h"
#include "toolkit/controls/CoolBar.h"
#include "toolkit/controls/Dialogs.h"
#include "toolkit/controls/Menus.h"
#include "toolkit/controls/PaintBox.h"
#include "toolkit/controls/Panel.h"
#include "toolkit/controls/ToolBar.h"
#include "toolkit/win/MessageBox.h"
#include "toolkit/win/Paint.h"

std::string WithExtension(const std::string& fileName, const std::string& extension) {
  return std::filesystem::path(fileName).replace_extension(extension).string();
}

template <class TGraph>
TGraphWindow<TGraph>::TGraphWindow(TComponent* owner, const TGraphWindowDesign& design, TAction* toggle)
    : TToolForm(owner, design.Section, toggle, design.Bounds), design_(design) {
  SetCaption(design.Caption);
  ShowHint = true;
  Graph = std::make_unique<TGraph>();
  CreateActions();
  CreateComponents();
  Graph->SetFont(PaintBox->Font());
  SetPlotTarget(design.PlotWindow, MakeCounted<TGraphPlotTarget<TGraph>>(*Graph, [this] { ShowGraph(); }));
  OnCanResize = [this](TObject*, int& width, int& height, bool&) { FormCanResize(width, height); };
}

template <class TGraph>
TGraphWindow<TGraph>::~TGraphWindow() {
  SetPlotTarget(design_.PlotWindow, nullptr);
  WriteSettings();
  OnCanResize = nullptr;
  PaintBox->OnPaint = nullptr;
  ScrPanel->OnResize = nullptr;
}

template <class TGraph>
void TGraphWindow<TGraph>::EnableWithData(TAction* action) {
  EnableWhen(action, [this] { return Graph->Count() > 0; });
}

template <class TGraph>
void TGraphWindow<TGraph>::CreateActions() {
  ActionList = new TActionList(this);
  ActionList->Images = Images ? &Images->SNorm : nullptr;
  actSettings = MakeAction(this, ActionList, {"Se&ttings ...", design_.SettingsHint, "", giSettings});
  actCopy = MakeAction(this, ActionList, {"&Copy", design_.CopyHint, "Ctrl+C", giCopy});
  actSave = MakeAction(this, ActionList, {"&Save ...", design_.SaveHint, "Ctrl+S", giSave});
  actClear = MakeAction(this, ActionList, {"C&lear", design_.ClearHint, "", giClear});
  actHelp = MakeAction(this, ActionList, {"&Help", "", "F1", -1});
  for (TAction* action : {actCopy, actSave, actClear}) EnableWithData(action);
  actSettings->OnExecute = [this](TObject*) { actSettingsExecute(); };
  actCopy->OnExecute = [this](TObject*) { actCopyExecute(); };
  actSave->OnExecute = [this](TObject*) { actSaveExecute(); };
  actClear->OnExecute = [this](TObject*) { actClearExecute(); };
  actHelp->OnExecute = [this](TObject*) { ShowHelp(design_.HelpTopic); };
}

template <class TGraph>
void TGraphWindow<TGraph>::CreateComponents() {
  CoolBar = new TCoolBar(this);
  CoolBar->SetAlign(alTop);
  CoolBar->SetAutoSize(true);
  CoolBar->SetParent(this);
  ToolBar = MakeFlatToolBar(this, *CoolBar);
  PopupMenu = new TPopupMenu(this);
  PopupMenu->SetImages(ActionList->Images);
  ScrPanel = new TPanel(this);
  ScrPanel->SetBevelOuter(bvNone);
  ScrPanel->SetBorderStyle(bsSingle);
  ScrPanel->SetAlign(alClient);
  ScrPanel->DoubleBuffered = true;
  ScrPanel->SetParent(this);
  PaintBox = new TPaintBox(this);
  PaintBox->SetParentFont(false);
  PaintBox->Font().SetName("Courier New");
  PaintBox->Font().SetHeight(-13);
  PaintBox->SetPopupMenu(PopupMenu);
  PaintBox->SetParent(ScrPanel);
  PaintBox->OnPaint = [this](TObject*) { PaintBoxPaint(); };
  ScrPanel->OnResize = [this](TObject*) { ScrPanelResize(); };
  ScrPanelResize();
  SaveDialog = new TSaveDialog(this);
  SaveDialog->Filter = PictureFilter;
  SaveDialog->Options = ofOverwritePrompt | ofHideReadOnly;
}

// Painted through the paint message, so that the paint box's canvas is
// set up as for any other paint.
template <class TGraph>
void TGraphWindow<TGraph>::ShowGraph() {
  PaintBox->Invalidate();
  if (!Visible()) Show();
  UpdateWindowTree(Handle());
  PresentNow(Handle());
}

template <class TGraph>
void TGraphWindow<TGraph>::PaintBoxPaint() {
  Graph->PaintTo(PaintBox->Canvas(), PaintBox->ClientRect());
}

template <class TGraph>
void TGraphWindow<TGraph>::ScrPanelResize() {
  PaintBox->SetBounds(PaintBox->Left(), PaintBox->Top(), ScrPanel->ClientWidth() - 2 * PaintBox->Left() + 1,
                      ScrPanel->ClientHeight() - 2 * PaintBox->Top() + 1);
}

template <class TGraph>
void TGraphWindow<TGraph>::FormCanResize(int& newWidth, int& newHeight) {
  newWidth = std::max(newWidth, design_.MinWidth);
  newHeight = std::max(newHeight, design_.MinHeight);
}

template <class TGraph>
void TGraphWindow<TGraph>::actCopyExecute() {
  Graph->CopyToClipboard(PaintBox->ClientRect());
}

// The chosen filter becomes the graph's export format, also for Copy. A
// file error reaches the application's error box with the format as it was.
template <class TGraph>
void TGraphWindow<TGraph>::actSaveExecute() {
  std::uint8_t& format = Graph->Options.ExportFormat;
  SaveDialog->FilterIndex = format + 1;
  SaveDialog->DefaultExt = PictureExtension(format);
  if (!SaveDialog->Execute(Handle())) return;
  const auto chosen = static_cast<std::uint8_t>(SaveDialog->FilterIndex - 1);
  const std::string fileName = WithExtension(SaveDialog->FileName, PictureExtension(chosen));
  if (fileName != SaveDialog->FileName && !MayReplace(fileName)) return;
  const std::uint8_t previous = std::exchange(format, chosen);
  try {
    Graph->SaveToFile(fileName, PaintBox->ClientRect());
  } catch (...) {
    format = previous;
    throw;
  }
}

template <class TGraph>
bool TGraphWindow<TGraph>::MayReplace(const std::string& fileName) {
  std::error_code error;
  if (!std::filesystem::exists(fileName, error)) return true;
  return MessageBox(Handle(), "File \"" + fileName + "\" already exists. Replace it?", Application().Title(),
                    MB_YESNO | MB_ICONQUESTION) == IDYES;
}

template <class TGraph>
void TGraphWindow<TGraph>::actClearExecute() {
  Graph->Clear();
  PaintBox->Refresh();
}

template <class TGraph>
void TGraphWindow<TGraph>::actSettingsExecute() {
  if (!GSettsForm) return;
  constexpr bool is2D = std::is_same_v<TGraph, TXGraph>;
  if constexpr (is2D)
    GSettsForm->LoadFrom2D(*Graph);
  else
    GSettsForm->LoadFrom3D(*Graph);
  if (GSettsForm->ShowModal() != mrOk) return;
  if constexpr (is2D)
    GSettsForm->ApplyTo2D(*Graph);
  else
    GSettsForm->ApplyTo3D(*Graph);
  PaintBox->Repaint();
}

template class TGraphWindow<TXGraph>;
template class TGraphWindow<TXGraph3D>;
