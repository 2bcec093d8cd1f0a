// The toolkit tests run headless against a real Qt application: the offscreen
// platform at 96 DPI, so metrics and pixels do not depend on the desktop.
// The layers above the toolkit that run engines too (console, graphics,
// shell) build it with QUANTREL_TESTS_RESET_ENGINE, so that each of their
// tests also starts from the engine's first state.

#include <cstdlib>
#include <string>

#include <gtest/gtest.h>

#if QUANTREL_TESTS_RESET_ENGINE
#include "engine/RunState.h"
#endif
#include "runtime/Help.h"
#include "runtime/ProcessState.h"
#include "tests/runtime/StateReset.h"
#include "tests/toolkit/RuntimeFolder.h"
#include "toolkit/controls/Dialogs.h"
#include "toolkit/controls/ToolkitState.h"
#include "toolkit/qt/QtPlatform.h"
#include "toolkit/win/FileIcons.h"
#include "toolkit/win/MessageBox.h"
#include "toolkit/win/PlaySound.h"

namespace {

// A test that shows a message box without answering it fails instead of waiting for a user.
class TUnexpectedMessageBoxes : public IMessageBoxes {
public:
  int Show(HWND, const std::string& text, const std::string& caption, UINT) override {
    ADD_FAILURE() << "unexpected message box \"" << caption << "\": " << text;
    return IDCANCEL;
  }
};

// Likewise for the common dialogs.
class TUnexpectedDialogs : public ICommonDialogs {
public:
  TDialogAnswer Run(const TDialogRequest& request) override {
    ADD_FAILURE() << "unexpected dialog \"" << request.Title << "\"";
    return {};
  }
};

}  // namespace

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 1);
  setenv("QT_FONT_DPI", "96", 1);
  setenv("QT_ENABLE_HIGHDPI_SCALING", "0", 1);
  unsetenv("QT_SCALE_FACTOR");
  const TTestRuntimeFolder runtimeFolder;
  testing::InitGoogleTest(&argc, argv);
  // Each test starts from a fresh process's state.
#if QUANTREL_TESTS_RESET_ENGINE
  ResetStateBeforeEachTest<ResetRuntimeState, ResetEngineState, ResetToolkitState>();
#else
  ResetStateBeforeEachTest<ResetRuntimeState, ResetToolkitState>();
#endif
  StartQtPlatform(argc, argv);
  TUnexpectedMessageBoxes unexpected;
  SetMessageBoxes(&unexpected);
  TUnexpectedDialogs unexpectedDialogs;
  SetCommonDialogs(&unexpectedDialogs);
  // No test reaches the desktop's audio, help or programs unless it asks for them.
  SetSoundBackend(nullptr);
  SetHelpViewer(nullptr);
  SetDocumentOpener(nullptr);
  SetFileIcons(nullptr);
  const int result = RUN_ALL_TESTS();
  SetMessageBoxes(nullptr);
  SetCommonDialogs(nullptr);
  return result;
}
