#pragma once
// A parameter list filling a shown form, offscreen, on a real engine with
// the standard libraries and a library of routines of every argument kind.
// Input comes as real Qt key and mouse events.

#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "Edits/EdList.h"
#include "Edits/EdRes.h"
#include "Edits/EdRow.h"
#include "console/Syntax.h"
#include "console/XEdit.h"
#include "engine/Func.h"
#include "engine/RunState.h"
#include "engine/XBuilder.h"
#include "libraries/StandardLibraries.h"
#include "runtime/Params.h"
#include "tests/Edits/ToolsLibrary.h"
#include "tests/engine/KindsFixture.h"
#include "tests/toolkit/ToolkitTestSupport.h"
#include "toolkit/controls/Form.h"
#include "toolkit/gdi/Bitmap.h"
#include "toolkit/gdi/Canvas.h"
#include "toolkit/win/Keys.h"
#include "toolkit/win/Paint.h"
#include "toolkit/qt/SyntheticInput.h"

class EdListTest : public ::testing::Test {
protected:
  EdListTest() {
    TEdRow::ResetNameCounters();
    SetMessageSink(sink);
    SetMessagePump([] { Application().ProcessMessages(); });
    syntax.Classifier = [this](const std::string& name) { return engine->ClassifyIdentifier(name); };
    EXPECT_TRUE(engine->CompileText(ToolsLibrary)) << Errors();
    form = new TForm(nullptr);
    form->SetBounds(100, 100, 420, 700);
    list = new TEdList(form, TEdHost{engine, &syntax, [this] { ++consoleClears; }});
    list->SetParent(form);
    list->SetAlign(alClient);
    form->Show();
    ProcessEverything();
  }
  ~EdListTest() override {
    delete form;
    SetMessagePump(nullptr);
    SetMessageSink(nullptr);
    Params = TParams();
  }

  std::string Errors() const {
    std::string text;
    for (const std::string& error : sink->ErrorTexts()) text += error + "\n";
    return text;
  }
  TFunc* Routine(const std::string& name) { return static_cast<TFuncVar*>(engine->FindVariable(name))->Func(); }
  void Show(const std::string& name) {
    list->SetRoutine(Routine(name));
    ProcessEverything();
  }
  template <class TRow>
  TRow& Row(std::size_t index) {
    auto* row = dynamic_cast<TRow*>(list->Rows().at(index).get());
    if (!row) throw std::logic_error("row " + std::to_string(index) + " is a " + list->Rows().at(index)->Name());
    return *row;
  }
  std::vector<std::string> RowNames() const {
    std::vector<std::string> names;
    for (const auto& row : list->Rows()) names.push_back(row->Name());
    return names;
  }
  std::string Result() const { return list->ResultRow() ? list->ResultRow()->ResultText() : "<no result row>"; }
  // The control's client area as it paints itself.
  std::unique_ptr<TBitmap> Grab(TWinControl& control) {
    auto bitmap = std::make_unique<TBitmap>(control.ClientWidth(), control.ClientHeight(), pf32bit);
    control.Perform(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(bitmap->Canvas().Handle()), PRF_CLIENT);
    return bitmap;
  }
  // The user's typing into the control, which gets the focus first.
  void Type(TWinControl& control, const std::string& text) {
    control.SetFocus();
    SynthesizeTyping(control.Handle(), text);
    ProcessEverything();
  }
  // Replaces an edit's text by the user's typing.
  void Retype(TWinControl& control, const std::string& text) {
    control.SetFocus();
    SynthesizeKeyStroke(control.Handle(), 'A', "", {false, true, false});
    SynthesizeKeyStroke(control.Handle(), VK_DELETE, "");
    Type(control, text);
  }

  CountedPtr<TRecordingSink> sink = MakeCounted<TRecordingSink>();
  CountedPtr<TXBuilder> engine = MakeCounted<TXBuilder>(StandardCatalogues());
  TSyntax syntax;
  TForm* form;
  TEdList* list;
  int consoleClears = 0;
};
