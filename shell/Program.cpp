#include "shell/Program.h"

#include <memory>

#include "console/Sounds.h"
#include "engine/IOSystem.h"
#include "runtime/Help.h"
#include "runtime/Params.h"
#include "runtime/Storage.h"
#include "shell/Images.h"
#include "shell/MainForm.h"
#include "toolkit/controls/Application.h"
#include "toolkit/qt/HelpViewer.h"
#include "toolkit/qt/QtPlatform.h"

int RunProgram(int argc, char** argv) {
  ProgramArguments.assign(argv + 1, argv + argc);
  Storage = std::make_unique<TStorage>("", 0);
  Params.Load();
  StartQtPlatform(argc, argv);
  Application().SetTitle("Quantrel");
  // The data sources live around the engine: their plug-ins' code must stay
  // loaded until every source the engine opened is released.
  IOSystem = std::make_unique<TIOSystem>();
  SetHelpViewer(&HelpViewer());
  auto images = std::make_unique<TImages>(nullptr);
  Application().CreateForm<TMainForm>();
  Application().Run();
  // While Qt still runs: a focused text widget torn down at exit crashes in Qt.
  delete MainForm;
  images.reset();
  IOSystem.reset();
  AppSounds.reset();
  Params.Save();
  Storage.reset();
  return 0;
}
