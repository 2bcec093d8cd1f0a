#pragma once
// The main window on a shown form, offscreen, with the real engine, a
// program folder (LIBS, DATA) and a settings folder of its own, the
// recording sound backend and the help recorded instead of shown. Input
// comes as real Qt key and mouse events.

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "console/Console.h"
#include "console/Sounds.h"
#include "console/XEdit.h"
#include "runtime/Help.h"
#include "runtime/Params.h"
#include "runtime/Storage.h"
#include "shell/Images.h"
#include "shell/MainForm.h"
#include "tests/runtime/TempFolder.h"
#include "tests/shell/RecordedViewer.h"
#include "tests/toolkit/ToolkitTestSupport.h"
#include "toolkit/qt/SyntheticInput.h"
#include "toolkit/win/Keys.h"
#include "toolkit/win/PlaySound.h"

// The program's own resources (sounds, examples) in the source tree.
inline std::filesystem::path ProgramResources() { return RESOURCES_DIR; }

inline std::filesystem::path ProgramSounds() { return ProgramResources() / "sounds"; }

struct TShownLine {
  std::string Text;
  int Kind;
  bool operator==(const TShownLine&) const = default;
};

inline std::ostream& operator<<(std::ostream& out, const TShownLine& line) {
  return out << line.Kind << ":" << line.Text;
}

class MainFormTest : public ::testing::Test {
protected:
  MainFormTest() {
    std::filesystem::create_directories(program.Path() / "LIBS");
    std::filesystem::create_directories(program.Path() / "DATA");
    SetAppFolder(program.Path().string() + "/");
    SetSoundBackend(&sounds);
    SetHelpViewer(&help);
    Storage = std::make_unique<TStorage>("Quantrel.ini", 0);
    images = std::make_unique<TImages>(nullptr);
  }
  ~MainFormTest() override {
    Free();
    images.reset();
    AppSounds.reset();
    Storage.reset();
    ProgramArguments.clear();
    Params = TParams();
    SetHelpViewer(nullptr);
    SetSoundBackend(nullptr);
    SetAppFolder("");
  }

  // A start of the program: the window made, shown and activated.
  TMainForm& Start() {
    Make();
    return ShowMade();
  }
  void Make() {
    TXEdit::ResetNameCounter();
    form = new TMainForm(nullptr);
  }
  TMainForm& ShowMade() {
    form->Show();
    ProcessEverything();
    form->CommandLine->SetFocus();
    ProcessEverything();
    return *form;
  }
  // The end of the program: the window freed, the sounds and the store written.
  void Free() {
    delete form;
    form = nullptr;
    ProcessEverything();
    AppSounds.reset();
    if (Storage) Storage.reset();
  }
  TMainForm& Restart() {
    Free();
    Storage = std::make_unique<TStorage>("Quantrel.ini", 0);
    return Start();
  }

  void Type(const std::string& text) {
    SynthesizeTyping(form->Handle(), text);
    ProcessEverything();
  }
  void Press(WORD key, TInputModifiers modifiers = {}) {
    SynthesizeKeyStroke(form->Handle(), key, key == VK_RETURN ? "\r" : "", modifiers);
    ProcessEverything();
  }
  void Enter(const std::string& text) {
    Type(text);
    Press(VK_RETURN);
  }
  std::vector<TShownLine> Lines() const {
    std::vector<TShownLine> lines;
    TDataDrawTree& tree = *form->Console->Tree;
    for (PDataNode node = tree.FirstRootNodeRaw(); node; node = tree.NextSiblingOf(node)) {
      const TConsLineRec* line = form->Console->LineRecord(node);
      lines.push_back({std::string(line->Text()), line->Data.Kind});
    }
    return lines;
  }
  TShownLine LastLine() const {
    const std::vector<TShownLine> lines = Lines();
    return lines.empty() ? TShownLine{"<none>", -1} : lines.back();
  }
  std::string Stored(const std::string& section, const std::string& key) {
    Storage->OpenSection(section, false);
    TSectionCloser closer(*Storage);
    return Storage->ReadString(key, "<none>");
  }
  void Store(const std::string& section, const std::string& key, const std::string& value) {
    Storage->OpenSection(section, false);
    TSectionCloser closer(*Storage);
    Storage->WriteString(key, value);
  }
  // The event plays a sound of the program's own, copied into DATA.
  void BindSound(int event, const std::string& name) {
    std::filesystem::copy_file(ProgramSounds() / "switch.wav", program.Path() / "DATA" / name);
    Store("SOUNDS", "First", "0");
    Store("SOUNDS", "SoundCount", "1");
    Store("SOUNDS", "Sound0", Storage->AppFolder + "DATA/" + name);
    Store("SOUNDS", "Event" + std::to_string(event), "0");
  }
  std::string WriteProgramFile(const std::string& name, const std::string& text) {
    const std::string path = program / name;
    std::ofstream(path, std::ios::binary) << text;
    return path;
  }

  TempFolder program;
  TempFolder config;
  ScopedEnvironment configHome{"XDG_CONFIG_HOME", config.Path().string()};
  ScopedEnvironment dataHome{"XDG_DATA_HOME", (config.Path() / "data").string()};
  TNullSoundBackend sounds;
  TRecordedViewer help;
  std::unique_ptr<TImages> images;
  TMainForm* form = nullptr;
};
