#include "toolkit/controls/Dialogs.h"

#include <filesystem>

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include "tests/runtime/TempFolder.h"
#include "tests/toolkit/DialogScript.h"
#include "toolkit/qt/DialogDriver.h"
#include "toolkit/qt/QtDialogs.h"
#include "toolkit/win/Keys.h"

namespace {

const char* const PictureFilter = "Bitmaps (*.bmp)|*.bmp|Metafiles (*.wmf)|*.wmf|Enhanced Metafiles (*.emf)|*.emf";

TEST(FileDialog, ThePictureSaveRecordsItsFiltersAndIndexAndTakesTheAnswer) {
  TScriptedDialogs dialogs;
  TSaveDialog save(nullptr);
  save.Filter = PictureFilter;
  save.FilterIndex = 3;
  save.DefaultExt = ".emf";
  save.Options = ofOverwritePrompt | ofHideReadOnly;
  dialogs.Script({.Confirmed = true, .FileName = "pic.bmp", .FilterIndex = 2});
  ASSERT_TRUE(save.Execute());
  EXPECT_EQ(save.FileName, "pic.bmp");
  EXPECT_EQ(save.FilterIndex, 2);
  ASSERT_EQ(dialogs.Requests.size(), 1u);
  const TDialogRequest& request = dialogs.Requests[0];
  EXPECT_EQ(request.Kind, TDialogKind::Save);
  EXPECT_EQ(request.Filters, (std::vector<TFileFilter>{{"Bitmaps (*.bmp)", {"*.bmp"}},
                                                        {"Metafiles (*.wmf)", {"*.wmf"}},
                                                        {"Enhanced Metafiles (*.emf)", {"*.emf"}}}));
  EXPECT_EQ(request.FilterIndex, 3);
  EXPECT_EQ(request.DefaultExt, "emf") << "the extension goes without its dot";
  EXPECT_EQ(request.Options, ofOverwritePrompt | ofHideReadOnly);
}

TEST(FileDialog, CancelLeavesTheNameAndIndexAlone) {
  TScriptedDialogs dialogs;
  TOpenDialog open(nullptr);
  open.FileName = "old.tarn";
  open.FilterIndex = 2;
  dialogs.ScriptCancel();
  EXPECT_FALSE(open.Execute());
  EXPECT_EQ(open.FileName, "old.tarn");
  EXPECT_EQ(open.FilterIndex, 2);
}

TEST(FileDialog, FiltersBecomeQtNameFilters) {
  const struct {
    const char* Filter;
    std::vector<std::string> Qt;
  } cases[] = {
      {"Tarnscript Files (*.tarn;*.tarl)|*.tarn;*.tarl", {"Tarnscript Files (*.tarn *.tarl)"}},
      {"Variable File (*.xvar)|*.xvar|All Files (*.*)|*.*", {"Variable File (*.xvar)", "All Files (*)"}},
      {PictureFilter, {"Bitmaps (*.bmp)", "Metafiles (*.wmf)", "Enhanced Metafiles (*.emf)"}},
      {"Text|*.txt", {"Text (*.txt)"}},
      {"", {}},
  };
  for (const auto& entry : cases) {
    std::vector<std::string> converted;
    for (const TFileFilter& filter : ParseFileFilter(entry.Filter)) converted.push_back(QtNameFilter(filter));
    EXPECT_EQ(converted, entry.Qt) << entry.Filter;
  }
}

TEST(FileDialog, TheQtSaveDialogAddsTheDefaultExtensionToATypedName) {
  TempFolder folder;
  TSaveDialog save(nullptr);
  save.Filter = "Tarnscript Files (*.tarn;*.tarl)|*.tarn;*.tarl|All Files (*.*)|*.*";
  save.DefaultExt = ".tarn";
  save.InitialDir = folder.Path().string();
  TScriptedDialogs notScripted;
  SetCommonDialogs(&QtCommonDialogs());
  WhenModalDialogShown([] {
    TypeIntoModalDialog("prog");
    PressModalDialogKey(VK_RETURN);
  });
  const bool confirmed = save.Execute();
  SetCommonDialogs(&notScripted);
  ASSERT_TRUE(confirmed);
  EXPECT_EQ(save.FileName, folder / "prog.tarn");
  EXPECT_EQ(save.FilterIndex, 1);
}

TEST(SelectFolder, AnswersTheScriptedFolderAndCancelLeavesTheFolder) {
  TScriptedDialogs dialogs;
  std::string folder = "/home/user";
  dialogs.Script({.Confirmed = true, .Folder = "/home/user/Libraries"});
  EXPECT_TRUE(SelectFolder("Select folder", folder));
  EXPECT_EQ(folder, "/home/user/Libraries");
  dialogs.ScriptCancel();
  EXPECT_FALSE(SelectFolder("Select folder", folder));
  EXPECT_EQ(folder, "/home/user/Libraries");
  EXPECT_EQ(dialogs.Requests[1].Folder, "/home/user/Libraries");
  EXPECT_EQ(dialogs.Requests[1].Kind, TDialogKind::Folder);
}

TEST(ColorAndFontDialogs, TakeTheAnswerOnlyWhenConfirmed) {
  TScriptedDialogs dialogs;
  TColorDialog color(nullptr);
  color.Color = RGB(1, 2, 3);
  dialogs.ScriptCancel();
  EXPECT_FALSE(color.Execute());
  dialogs.Script({.Confirmed = true, .Color = 0x00336699});
  EXPECT_TRUE(color.Execute());
  EXPECT_EQ(color.Color, 0x00336699u);
  TFontDialog font(nullptr);
  dialogs.Script({.Confirmed = true, .Font = {"DejaVu Sans", -13, fsBold | fsItalic, RGB(255, 0, 0)}});
  EXPECT_TRUE(font.Execute());
  EXPECT_EQ(font.Font().Name(), "DejaVu Sans");
  EXPECT_EQ(font.Font().Height(), -13);
  EXPECT_EQ(font.Font().Style(), fsBold | fsItalic);
  EXPECT_EQ(font.Font().Color(), RGB(255, 0, 0));
}

TEST(CommonDialogs, AnUnscriptedDialogFailsTheTestInsteadOfWaiting) {
  TOpenDialog open(nullptr);
  open.Title = "Open program";
  bool confirmed = true;
  EXPECT_NONFATAL_FAILURE(confirmed = open.Execute(), "unexpected dialog \"Open program\"");
  EXPECT_FALSE(confirmed);
}

}  // namespace
