#pragma once
// The program editor window made after the main window, as at start-up,
// shown, with a folder of the user's programs; keys and clicks as real Qt
// events, dialogs and message boxes answered by script.

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "console/Console.h"
#include "console/SrcEdit.h"
#include "console/TarnEditor.h"
#include "shell/EditorForm.h"
#include "tests/shell/MainFormFixture.h"
#include "tests/toolkit/DialogScript.h"
#include "toolkit/controls/ActionList.h"
#include "toolkit/controls/PageControl.h"
#include "toolkit/controls/StatusBar.h"
#include "toolkit/controls/ToolBar.h"
#include "toolkit/controls/TreeView.h"

inline std::string FileContent(const std::string& fileName) {
  std::ifstream file(fileName, std::ios::binary);
  std::stringstream text;
  text << file.rdbuf();
  return text.str();
}

class EditorFormTest : public MainFormTest {
protected:
  EditorFormTest() { ResetSourcePageCount(); }
  ~EditorFormTest() override { FreeEditor(); }

  // A start of the program: the main window, then the editor.
  TEditorForm& StartEditor() {
    Make();
    editor = new TEditorForm(nullptr);
    ShowMade();
    return *editor;
  }
  // F4 in the main window.
  TEditorForm& ShowEditor() {
    form->CommandLine->SetFocus();
    Press(VK_F4);
    return *editor;
  }
  TEditorForm& StartShown() {
    StartEditor();
    return ShowEditor();
  }
  void FreeEditor() {
    delete editor;
    editor = nullptr;
  }
  // The end of the program and the next start, on the same settings.
  TEditorForm& RestartEditor() {
    FreeEditor();
    Free();
    Storage = std::make_unique<TStorage>("Quantrel.ini", 0);
    ResetSourcePageCount();
    return StartEditor();
  }

  void Key(WORD key, TInputModifiers modifiers = {}) {
    SynthesizeKeyStroke(editor->Handle(), key, "", modifiers);
    ProcessEverything();
  }
  void TypeInEditor(const std::string& text) {
    SynthesizeTyping(editor->Handle(), text);
    ProcessEverything();
  }
  // The active tab's editor; fails the test without one.
  TTarnEditor& ActiveEditor() {
    TSrcEdit* edit = editor->ActiveEdit();
    if (!edit) throw std::runtime_error("no tab is active");
    return *edit->Editor();
  }
  void SetText(const std::string& text) {
    ActiveEditor().Lines().SetText(text);
    ActiveEditor().Modified = true;
  }
  std::vector<std::string> Rows() {
    std::vector<std::string> rows;
    const TStrings& lines = ActiveEditor().Lines();
    for (int i = 0; i < lines.Count(); ++i) rows.push_back(lines.Strings(i));
    return rows;
  }
  std::vector<std::string> Captions() const {
    std::vector<std::string> captions;
    for (int i = 0; i < editor->PageControl->PageCount(); ++i) captions.push_back(editor->PageControl->Pages(i)->Caption());
    return captions;
  }
  std::string ActiveCaption() const {
    return editor->PageControl->ActivePage() ? editor->PageControl->ActivePage()->Caption() : "<none>";
  }
  std::vector<TShownLine> EditorConsole() const {
    std::vector<TShownLine> lines;
    TDataDrawTree& tree = *editor->Console->Tree;
    for (PDataNode node = tree.FirstRootNodeRaw(); node; node = tree.NextSiblingOf(node)) {
      const TConsLineRec* line = editor->Console->LineRecord(node);
      lines.push_back({std::string(line->Text()), line->Data.Kind});
    }
    return lines;
  }
  std::string Status(int panel) const { return editor->StatusBar->Panels()[panel].Text(); }
  // The actions' and the status bar's idle update.
  void Idle() { Application().DoIdle(); }
  std::string WriteProgram(const std::string& name, const std::string& text) {
    const std::string path = programs / name;
    std::ofstream(path, std::ios::binary) << text;
    return path;
  }
  std::vector<std::string> ChildrenOf(TTreeNode* node) const {
    std::vector<std::string> children;
    for (int i = 0; i < node->Count(); ++i) children.push_back(node->Item(i)->Text());
    return children;
  }
  std::vector<std::string> Roots() const {
    std::vector<std::string> roots;
    for (TTreeNode* root = editor->FileTree->Items().GetFirstNode(); root; root = root->getNextSibling())
      roots.push_back(root->Text());
    return roots;
  }

  TempFolder programs;
  TScriptedDialogs dialogs;
  TRecordingMessageBoxes boxes;
  TEditorForm* editor = nullptr;
};
