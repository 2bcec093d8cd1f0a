// What the settings window and the editor settings dialog confirm is
// there at the next start of the program; a bad stored value falls back
// alone.

#include <filesystem>
#include <fstream>

#include "console/Sounds.h"
#include "shell/LibMan.h"
#include "tests/shell/SettingsFixture.h"
#include "toolkit/controls/PageControl.h"

namespace fs = std::filesystem;

namespace {

class SettingsSurvivalTest : public SettingsTest {
protected:
  void ShowPage(TTabSheet* page) {
    settings->PageControl->SetActivePage(page);
    ProcessEverything();
  }
  std::string Library(const std::string& name) {
    const fs::path file = program.Path() / "libs" / (name + ".tarn");
    fs::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary) << "library " << name << ";\nbegin end.";
    return file.string();
  }
};

TEST_F(SettingsSurvivalTest, TheConfirmedSettingsAreThereAtTheNextStart) {
  BindSound(sndResult, "ding.wav");
  const std::string stored = Library("Stored");
  Store("LIBS", "Count", "1");
  Store("LIBS", "Libraries", "1");
  Store("LIBS", "L_1_File", stored);
  Store("LIBS", "L_1_Load", "1");
  const std::string added = Library("Added");
  StartAll();
  InSettings([&] {
    dialogs.Script({.Confirmed = true, .FileName = added});
    PressButton(*settings, settings->actAddLib);
    ClickItem(*settings->LibList, 1);
    PressButton(*settings, settings->actMoveUp);
    const TRect first = settings->LibList->ItemRect(0);
    SynthesizeClick(settings->LibList->Handle(), {first.Left + 8, (first.Top + first.Bottom) / 2});
    ProcessEverything();

    ShowPage(settings->ColoursPage);
    Choose(*settings->cmbScheme, 4);
    ClickItem(*settings->lsbSyntax, skString);
    Toggle(*settings->chkSynBold);

    ShowPage(settings->SoundsPage);
    PressButton(*settings, settings->actRemoveAll);
    Toggle(*settings->chkNoSounds);

    ShowPage(settings->OptionsPage);
    TypeInto(*settings->edtMan, "12");
    Toggle(*settings->chkClip);
    Toggle(*settings->chkOnTop);
    ClickButton(*settings->OKButton);
  });
  RestartAll();

  EXPECT_EQ(form->Console->GetBackColor(), clNavy);
  EXPECT_EQ(form->Console->LineAttrs.Errors.Color, clTeal);
  EXPECT_EQ(form->Syntax->Attrs().Strings().Styles, fsBold);
  EXPECT_EQ(editor->Console->GetBackColor(), clNavy) << "the editor's console takes the look at its start";
  for (int i = 0; i < AppSounds->EventCount(); ++i) EXPECT_EQ(AppSounds->GetEvent(i).Sound, -1) << i;
  EXPECT_FALSE(AppSounds->Enabled);
  ASSERT_EQ(form->LibMan->Count(), 2);
  EXPECT_EQ(form->LibMan->GetItem(0).FileName, added);
  EXPECT_FALSE(form->LibMan->GetItem(0).Load);
  EXPECT_FALSE(form->LibMan->GetItem(0).Loaded) << "not loaded at start";
  EXPECT_TRUE(form->LibMan->GetItem(1).Loaded);
  EXPECT_EQ(Params.FMantissa, 12);
  EXPECT_TRUE(Params.CopyClip);
  EXPECT_EQ(form->FormStyle(), fsStayOnTop);
  InSettings([&] {
    EXPECT_EQ(settings->LibList->Items().Strings(0), " Added");
    EXPECT_FALSE(settings->LibList->Checked(0));
    EXPECT_TRUE(settings->chkNoSounds->Checked());
    EXPECT_EQ(settings->edtMan->Text(), "12");
    EXPECT_TRUE(settings->chkOnTop->Checked());
    KeyIn(*settings->PageControl, VK_ESCAPE, "\x1b");
  });
}

TEST_F(SettingsSurvivalTest, TheConfirmedEditorSettingsAreThereAtTheNextStart) {
  const std::string file = WriteProgram("kept.tarn", "program Kept;\nbegin\nend.\n");
  StartAll();
  ShowEditor();
  InEditorSettings([&] {
    Toggle(*edSetts->chkGutter);
    Toggle(*edSetts->chkSaveAuto);
    Toggle(*edSetts->chkExectime);
    edSetts->PageControl->SetActivePage(edSetts->ColoursPage);
    ProcessEverything();
    Choose(*edSetts->cmbScheme, 5);
    ClickButton(*edSetts->OKButton);
  });
  RestartAll();
  EXPECT_TRUE(editor->Visible()) << "open at the end, open at the next start";
  ASSERT_TRUE(editor->OpenFile(file));
  TTarnEditor& tab = ActiveEditor();
  EXPECT_EQ(tab.Color(), clSkyBlue);
  EXPECT_EQ(tab.GutterWidth(), 0);
  EXPECT_EQ(editor->Syntax->Attrs().Reserved().Color, clBlue);
  EXPECT_TRUE(Params.ExecTime);
  Key(VK_F9);
  bool timed = false;
  for (const TShownLine& line : EditorConsole()) timed |= line.Text.starts_with("Execution time : ");
  EXPECT_TRUE(timed) << "the time line printed";
  SetText("program Changed;\nbegin\nend.\n");
  Key(VK_F4, Ctrl);
  EXPECT_TRUE(boxes.Shown.empty()) << "saved without asking";
  EXPECT_EQ(FileContent(file), "program Changed;\nbegin\nend.\n");
}

TEST_F(SettingsSurvivalTest, ABadStoredValueFallsBackAlone) {
  struct TCase {
    const char* Mantissa;
    const char* Shown;
  };
  // A mantissa the console cannot print with shows the digits it prints.
  for (const TCase& stored : {TCase{"abc", "8"}, TCase{"40", "18"}, TCase{"0", "2"}}) {
    TempFolder settingsFolder;
    ScopedEnvironment home{"XDG_CONFIG_HOME", settingsFolder.Path().string()};
    Storage = std::make_unique<TStorage>("Quantrel.ini", 0);
    const std::string kept = Library("Kept");
    Store("PARAMS", "FMantissa", stored.Mantissa);
    Store("PARAMS", "FExponent", "9");
    Store("PARAMS", "MainOnTop", "1");
    Store("LIBS", "Count", "2");
    Store("LIBS", "Libraries", "1");
    Store("LIBS", "L_1_File", (program.Path() / "libs/gone.tarn").string());
    Store("LIBS", "L_1_Load", "1");
    Store("LIBS", "L_2_File", kept);
    Store("LIBS", "L_2_Load", "1");
    BindSound(sndError, "error.wav");
    Store("SOUNDS", "Event3", "5");
    Store("CONSOLECOLORS", "Color0", "red");
    Store("CONSOLECOLORS", "Styles6", "bold");
    Store("CONSOLECOLORS", "Color1", "255");
    StartAll();
    const TSymAttrs& attrs = form->Syntax->Attrs();
    EXPECT_EQ(attrs.GetAttr(skText).Color, clBlack);
    EXPECT_EQ(attrs.GetAttr(skReserved).Styles, fsBold);
    EXPECT_EQ(attrs.GetAttr(skInteger).Color, clRed) << "the others as stored";
    EXPECT_EQ(AppSounds->GetEvent(sndInfo).Sound, -1);
    EXPECT_GE(AppSounds->GetEvent(sndError).Sound, 0);
    InSettings([&] {
      ShowPage(settings->OptionsPage);
      EXPECT_EQ(settings->edtMan->Text(), stored.Shown) << stored.Mantissa;
      EXPECT_EQ(settings->edtExp->Text(), "1");
      EXPECT_TRUE(settings->chkOnTop->Checked());
      EXPECT_EQ(settings->LibList->Items().Count(), 1);
      EXPECT_EQ(settings->LibList->Items().Strings(0), " Kept");
      KeyIn(*settings->PageControl, VK_ESCAPE, "\x1b");
    });
    FreeAll();
    fs::remove_all(program.Path() / "DATA");
    fs::create_directories(program.Path() / "DATA");
  }
}

}  // namespace
