#include "shell/GraphForm.h"

#include "engine/Tarnscript.h"
#include "graphics/XGraph.h"
#include "shell/ActionBars.h"
#include "shell/Graph2DInt.h"
#include "shell/MainForm.h"
#include "toolkit/controls/Menus.h"

TGraphForm* GraphForm = nullptr;

namespace {

const TGraphWindowDesign Design{"GRAPHFORM",
                                " 2D Graph",
                                Bounds(248, 165, 544, 363),
                                TGraphForm::MinWidth,
                                TGraphForm::MinHeight,
                                "a1_02_06.htm",
                                pwGraph2D,
                                " Graph settings ",
                                " Copy graph to clipboard ",
                                " Save graph as image ",
                                " Clear graph "};

}  // namespace

TGraphForm::TGraphForm(TComponent* owner, TAction* toggle) : TGraphWindow<TXGraph>(owner, Design, toggle) {
  AddToolButtons(*ToolBar, {actSettings, nullptr, actCopy, actSave, nullptr, actClear, nullptr});
  AddMenuItems(PopupMenu->Items(), {actSettings, nullptr, actCopy, actSave});
  Host = std::make_unique<TGraph2DInt>(this);
  engine_ = MainForm->Engine;
  engine_->AddClient(*Host, "");
}

TGraphForm::~TGraphForm() {
  engine_->RemoveClient(Host->TarnName());
  Host.reset();
  if (GraphForm == this) GraphForm = nullptr;
}
