// The settings window: its colours, options, sounds and libraries pages,
// driven by keys and clicks while it shows modally over the main window.

#include "shell/SettingsForm.h"

#include <filesystem>
#include <fstream>

#include "console/Sounds.h"
#include "runtime/Help.h"
#include "shell/LibMan.h"
#include "tests/runtime/Packer.h"
#include "tests/shell/SettingsFixture.h"
#include "toolkit/controls/GroupBox.h"
#include "toolkit/controls/Menus.h"
#include "toolkit/win/Styles.h"
#include "toolkit/win/Window.h"

namespace fs = std::filesystem;

namespace {

constexpr int DeepBlue = 4;

class SettingsFormTest : public SettingsTest {
protected:
  SettingsFormTest() { SetDocumentOpener(&opener); }
  ~SettingsFormTest() override { SetDocumentOpener(nullptr); }
  void ShowPage(TTabSheet* page) {
    settings->PageControl->SetActivePage(page);
    ProcessEverything();
  }
  void Ok() { ClickButton(*settings->OKButton); }
  std::vector<std::string> Rows(TCustomListBox& list) {
    std::vector<std::string> rows;
    for (int i = 0; i < list.Items().Count(); ++i) rows.push_back(list.Items().Strings(i));
    return rows;
  }
  std::string SoundCell(int row) {
    TStrings& cells = settings->lstSounds->Items().Item(row)->SubItems();
    return cells.Count() > 0 ? cells.Strings(0) : "";
  }
  std::string Library(const std::string& name, const std::string& text = "") {
    const fs::path file = program.Path() / "libs" / name;
    fs::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary) << text;
    return file.string();
  }
  std::string SourceLibrary(const std::string& name) {
    return Library(name + ".tarn", "library " + name + ";\nbegin end.");
  }
  std::string PackedLibrary(const std::string& name) {
    return Library(name + ".tarl", PackText("library " + name + ";\nbegin end.", PackedLibraryKey, PackedLibrarySeed));
  }
  void StoreLibraries(const std::vector<std::string>& files) {
    Store("LIBS", "Count", std::to_string(files.size()));
    Store("LIBS", "Libraries", "1");
    for (size_t i = 0; i < files.size(); ++i) {
      Store("LIBS", "L_" + std::to_string(i + 1) + "_File", files[i]);
      Store("LIBS", "L_" + std::to_string(i + 1) + "_Load", "1");
    }
  }
  std::vector<std::string> Files(const TLibMan& manager) {
    std::vector<std::string> files;
    for (int i = 0; i < manager.Count(); ++i) files.push_back(manager.GetItem(i).FileName);
    return files;
  }
  TDataDrawTree& PreviewTree() { return *settings->Preview->Tree; }
  TRecordedOpener opener;
  PDataNode PreviewLine(int index) {
    PDataNode node = PreviewTree().FirstRootNodeRaw();
    for (int i = 0; node && i < index; ++i) node = PreviewTree().NextSiblingOf(node);
    return node;
  }
};

TEST_F(SettingsFormTest, DeepBlueCancelledLeavesTheConsoleAndConfirmedTurnsBothConsolesNavy) {
  StartAll();
  const TColor background = form->Console->GetBackColor();
  InSettings([&] {
    EXPECT_EQ(settings->ClientWidth(), 579);
    EXPECT_EQ(settings->ClientHeight(), 408);
    EXPECT_EQ(settings->PageControl->ActivePage(), settings->LibrariesPage) << "the first page shows first";
    EXPECT_EQ(settings->cmbScheme->Text(), " Custom ");
    KeyIn(*settings->PageControl, VK_RIGHT);
    EXPECT_EQ(settings->PageControl->ActivePage(), settings->ColoursPage);
    Choose(*settings->cmbScheme, DeepBlue);
    EXPECT_EQ(settings->cmbScheme->Text(), " Deep blue");
    EXPECT_EQ(settings->Preview->GetBackColor(), clNavy);
    EXPECT_EQ(settings->clbConsole->Selected(), clNavy) << "the controls show the scheme";
    KeyIn(*settings->cmbScheme, VK_ESCAPE, "\x1b");
  });
  EXPECT_FALSE(settings->Visible());
  EXPECT_EQ(form->Console->GetBackColor(), background);
  EXPECT_EQ(form->Syntax->Attrs().Integers().Color, clMaroon);

  InSettings([&] {
    EXPECT_EQ(settings->cmbScheme->Text(), " Custom ") << "each showing starts from the console";
    EXPECT_EQ(settings->Preview->GetBackColor(), background);
    Choose(*settings->cmbScheme, DeepBlue);
    KeyIn(*settings->cmbScheme, VK_RETURN, "\r");
  });
  for (TConsole* console : {form->Console, editor->Console}) {
    EXPECT_EQ(console->GetBackColor(), clNavy);
    EXPECT_EQ(console->LineAttrs.Errors.Color, clTeal);
    EXPECT_EQ(console->LineAttrs.Inputs.Text.Color, clCream);
  }
  EXPECT_EQ(form->Syntax->Attrs().Integers().Color, clYellow);
  EXPECT_EQ(form->CommandLine->Color(), clNavy) << "the command line takes the input look";
}

TEST_F(SettingsFormTest, ASyntaxStyleMakesTheSchemeCustomAndAColourDoesNot) {
  StartAll();
  InSettings([&] {
    ShowPage(settings->ColoursPage);
    Choose(*settings->cmbScheme, DeepBlue);
    ChooseColour(*settings->clbLine, clRed);
    EXPECT_EQ(settings->Preview->LineAttrs.Outputs.Color, clRed) << "Outputs, the first look, is chosen";
    ClickItem(*settings->lsbSyntax, skInteger);
    ChooseColour(*settings->clbElement, clBlue);
    EXPECT_EQ(settings->Syntax->Attrs().Integers().Color, clBlue);
    EXPECT_EQ(settings->cmbScheme->ItemIndex(), DeepBlue) << "colours keep the scheme";
    Toggle(*settings->chkSynBold);
    EXPECT_EQ(settings->Syntax->Attrs().Integers().Styles, fsBold);
    EXPECT_EQ(settings->cmbScheme->Text(), " Custom ");
    Ok();
  });
  EXPECT_EQ(form->Syntax->Attrs().Integers().Color, clBlue);
  EXPECT_EQ(form->Syntax->Attrs().Integers().Styles, fsBold);
  EXPECT_EQ(form->Console->LineAttrs.Outputs.Color, clRed);
}

TEST_F(SettingsFormTest, EachLookEditReachesThePreviewAtOnce) {
  StartAll();
  InSettings([&] {
    ShowPage(settings->ColoursPage);
    TLineAttr& errors = settings->Preview->LineAttrs.Errors;
    ClickItem(*settings->lsbElement, lkError);
    EXPECT_EQ(settings->edtPrefix->Text(), "  Error : ");
    TypeInto(*settings->edtPrefix, "E: ");
    ChooseColour(*settings->clbPrefix, clGreen);
    Toggle(*settings->chkPrefItalic);
    ChooseColour(*settings->clbText, clPurple);
    Toggle(*settings->chkTextBold);
    Toggle(*settings->chkShadow);
    Toggle(*settings->chkIcon);
    EXPECT_EQ(errors.PrefixStr, "E: ");
    EXPECT_EQ(errors.Prefix.Color, clGreen);
    EXPECT_EQ(errors.Prefix.Styles, fsBold | fsItalic);
    EXPECT_EQ(errors.Text.Color, clPurple);
    EXPECT_EQ(errors.Text.Styles, fsBold);
    EXPECT_TRUE(errors.Shadow);
    EXPECT_FALSE(errors.Icon);
    Toggle(*settings->chkSyntax);
    EXPECT_TRUE(errors.Syntax);
    EXPECT_FALSE(settings->grpText->Enabled()) << "the text's font is the tokens' then";
    ChooseColour(*settings->clbConsole, clBlack);
    EXPECT_EQ(settings->Preview->GetBackColor(), clBlack);
    EXPECT_EQ(settings->clbLine->Selected(), clWindow) << "the line colour stays the look's";
    KeyIn(*settings->cmbScheme, VK_ESCAPE, "\x1b");
  });
  EXPECT_EQ(form->Console->LineAttrs.Errors.PrefixStr, "  Error : ") << "cancelled";
}

TEST_F(SettingsFormTest, AClickOnTheFatalSampleLineChoosesItsLook) {
  StartAll();
  InSettings([&] {
    ShowPage(settings->ColoursPage);
    EXPECT_EQ(Rows(*settings->lsbElement), (std::vector<std::string>{" Outputs", " Results", " Inputs", " Information",
                                                                      " Warnings", " Errors", " Splitters", " Fatal errors"}));
    EXPECT_EQ(settings->lsbSyntax->Items().Count(), 13) << "every token class but the gutter's";
    EXPECT_EQ(settings->lsbSyntax->Items().Strings(12), " Binary numbers");
    const TRect row = PreviewTree().NodeDisplayRect(PreviewLine(7), ColumnNone, false);
    SynthesizeClick(PreviewTree().Handle(), {row.Left + 60, (row.Top + row.Bottom) / 2});
    ProcessEverything();
    EXPECT_EQ(settings->lsbElement->ItemIndex(), lkFatal);
    EXPECT_EQ(settings->edtPrefix->Text(), "  FATAL : ");
    EXPECT_EQ(settings->clbLine->Selected(), clMaroon);
    EXPECT_EQ(settings->clbText->Selected(), clWhite);
    EXPECT_TRUE(settings->chkShadow->Checked());
    KeyIn(*settings->lsbElement, VK_ESCAPE, "\x1b");
  });
}

TEST_F(SettingsFormTest, ThePreviewShowsTheEightSampleLinesInDeepBlue) {
  StartAll();
  InSettings([&] {
    ShowPage(settings->ColoursPage);
    Choose(*settings->cmbScheme, DeepBlue);
    TDataDrawTree& tree = PreviewTree();
    EXPECT_LE(tree.NodeDisplayRect(PreviewLine(7), ColumnNone, false).Bottom, tree.ClientHeight()) << "all eight show";
    const CountedPtr<TGdiBitmap> image = RenderWindow(tree.Handle());
    // The row colour of each line, where no text lies.
    const TColor rows[] = {clNavy, clNavy, clNavy, clNavy, clNavy, clNavy, clTeal, clMaroon};
    for (int i = 0; i < 8; ++i) {
      const TRect row = tree.NodeDisplayRect(PreviewLine(i), ColumnNone, false);
      const TRect tail{row.Right - 40, row.Top + 1, row.Right - 2, row.Bottom - 1};
      if (i == 0) {
        EXPECT_GT(CountPixels(*image, row, clAqua), row.Width()) << "the separator's two rules";
        continue;
      }
      EXPECT_GT(CountPixels(*image, tail, rows[i]), tail.Width() * tail.Height() * 3 / 4) << "row " << i;
      const TRect text{row.Left, row.Top, row.Left + 200, row.Bottom};
      EXPECT_GT(text.Width() * text.Height() - CountPixels(*image, text, rows[i]), 10) << "the ink of row " << i;
    }
    KeyIn(*settings->cmbScheme, VK_ESCAPE, "\x1b");
  });
}

TEST_F(SettingsFormTest, AnInvalidMantissaIsRedAndIgnoredAndAValidOnePrintsAtOnce) {
  StartAll();
  for (const char* text : {"19", "abc", "0", ""}) {
    InSettings([&] {
      ShowPage(settings->OptionsPage);
      TypeInto(*settings->edtMan, text);
      EXPECT_EQ(settings->edtMan->Font().Color(), clRed) << text;
      EXPECT_TRUE(settings->OKButton->Enabled());
      Ok();
    });
    EXPECT_EQ(Params.FMantissa, 8) << text;
  }
  InSettings([&] {
    ShowPage(settings->OptionsPage);
    EXPECT_EQ(settings->edtMan->Text(), "8");
    TypeInto(*settings->edtMan, "12");
    EXPECT_NE(settings->edtMan->Font().Color(), clRed);
    TypeInto(*settings->edtExp, "5");
    EXPECT_EQ(settings->edtExp->Font().Color(), clRed);
    Toggle(*settings->chkOnTop);
    Toggle(*settings->chkClip);
    Ok();
  });
  EXPECT_EQ(Params.FMantissa, 12);
  EXPECT_EQ(Params.FExponent, 1);
  EXPECT_TRUE(Params.CopyClip);
  EXPECT_EQ(form->FormStyle(), fsStayOnTop) << "at once";
  Enter("1/3");
  EXPECT_EQ(LastLine(), (TShownLine{"0.333333333333", lkResult}));
}

TEST_F(SettingsFormTest, RemoveAllUnbindsEveryEventAndDisabledSoundsPlayNothing) {
  BindSound(sndResult, "ding.wav");
  StartAll();
  InSettings([&] {
    ShowPage(settings->SoundsPage);
    EXPECT_EQ(settings->lstSounds->Items().Item(sndResult)->Caption(), " Result");
    EXPECT_EQ(SoundCell(sndResult), Storage->AppFolder + "DATA/ding.wav");
    EXPECT_EQ(SoundCell(sndFatal), "");
    EXPECT_TRUE(EnabledNow(settings->actRemoveAll));
    PressButton(*settings, settings->actRemoveAll);
    EXPECT_EQ(SoundCell(sndResult), "");
    EXPECT_FALSE(EnabledNow(settings->actRemoveAll));
    Ok();
  });
  for (int i = 0; i < AppSounds->EventCount(); ++i) EXPECT_EQ(AppSounds->GetEvent(i).Sound, -1) << i;

  RestartAll();
  BindSound(sndResult, "dong.wav");
  RestartAll();
  InSettings([&] {
    ShowPage(settings->SoundsPage);
    Toggle(*settings->chkNoSounds);
    Ok();
  });
  EXPECT_FALSE(AppSounds->Enabled);
  sounds.ClearRequests();
  Enter("1+1");
  EXPECT_TRUE(sounds.Requests().empty()) << "the result plays nothing";
}

TEST_F(SettingsFormTest, SetTakesTheFileAsChosenAndPlayPlaysItOnce) {
  StartAll();
  const fs::path chosen = program.Path() / "My Sounds" / "Ding.WAV";
  fs::create_directories(chosen.parent_path());
  fs::copy_file(ProgramSounds() / "switch.wav", chosen);
  InSettings([&] {
    ShowPage(settings->SoundsPage);
    EXPECT_FALSE(EnabledNow(settings->actBrowse)) << "no row chosen";
    ClickRow(*settings->lstSounds, sndError);
    EXPECT_TRUE(EnabledNow(settings->actBrowse));
    EXPECT_FALSE(EnabledNow(settings->actPlay)) << "the row has no sound";
    dialogs.Script({.Confirmed = true, .FileName = chosen.string()});
    PressButton(*settings, settings->actBrowse);
    ASSERT_EQ(dialogs.Requests.size(), 1u);
    EXPECT_EQ(dialogs.Requests[0].Folder, Storage->AppFolder + "DATA/");
    EXPECT_EQ(SoundCell(sndError), chosen.string()) << "the letter case kept";
    sounds.ClearRequests();
    PressButton(*settings, settings->actPlay);
    ASSERT_EQ(sounds.Requests().size(), 1u);
    EXPECT_EQ(sounds.Requests()[0].Kind, TNullSoundBackend::TKind::Play);
    EXPECT_TRUE(sounds.Requests()[0].Wait);
    ClickRow(*settings->lstSounds, sndError, true);
    EXPECT_EQ(sounds.Requests().size(), 2u) << "a double click plays as well";
    ClickRow(*settings->lstSounds, sndInfo);
    dialogs.ScriptCancel();
    PressButton(*settings, settings->actBrowse);
    ASSERT_EQ(dialogs.Requests.size(), 2u);
    EXPECT_EQ(dialogs.Requests[1].Folder, chosen.parent_path().string() + "/") << "where the last file was";
    EXPECT_EQ(SoundCell(sndInfo), "") << "cancelled";
    Ok();
  });
  const TSound* sound = AppSounds->GetSound(AppSounds->GetEvent(sndError).Sound);
  ASSERT_NE(sound, nullptr);
  EXPECT_EQ(sound->FileName(), chosen.string());
}

TEST_F(SettingsFormTest, AddTakesAnExistingFileOnceHoweverItIsNamed) {
  const std::string first = SourceLibrary("First");
  const fs::path link = program.Path() / "libs" / "link.tarn";
  fs::create_symlink(first, link);
  StartAll();
  InSettings([&] {
    EXPECT_TRUE(Rows(*settings->LibList).empty());
    for (const std::string& file : {first, first, link.string(), (program.Path() / "libs/none.tarn").string()}) {
      dialogs.Script({.Confirmed = true, .FileName = file});
      PressButton(*settings, settings->actAddLib);
    }
    EXPECT_EQ(Rows(*settings->LibList), std::vector<std::string>{" First"});
    EXPECT_TRUE(settings->LibList->Checked(0));
    EXPECT_EQ(settings->edtFile->Text(), first);
    EXPECT_EQ(dialogs.Requests[0].Filters.size(), 2u);
    Ok();
  });
  EXPECT_EQ(Files(*form->LibMan), std::vector<std::string>{first});
  EXPECT_TRUE(form->LibMan->GetItem(0).Load);
}

TEST_F(SettingsFormTest, UpDownAndRemoveMoveTheRowsAndTheBoxSetsItsOwnRow) {
  const std::vector<std::string> files{SourceLibrary("A"), SourceLibrary("B"), SourceLibrary("C")};
  StoreLibraries(files);
  StartAll();
  InSettings([&] {
    EXPECT_EQ(Rows(*settings->LibList), (std::vector<std::string>{" A", " B", " C"})) << "the names loaded";
    EXPECT_EQ(settings->LibList->ItemIndex(), 0);
    EXPECT_EQ(settings->edtFile->Text(), files[0]);
    EXPECT_FALSE(EnabledNow(settings->actMoveUp));
    EXPECT_TRUE(EnabledNow(settings->actMoveDown));
    ClickItem(*settings->LibList, 2);
    EXPECT_TRUE(EnabledNow(settings->actMoveUp));
    EXPECT_FALSE(EnabledNow(settings->actMoveDown));
    PressButton(*settings, settings->actMoveUp);
    EXPECT_EQ(Rows(*settings->LibList), (std::vector<std::string>{" A", " C", " B"}));
    EXPECT_EQ(settings->LibList->ItemIndex(), 2) << "the choice stays on its place";
    EXPECT_EQ(settings->edtFile->Text(), files[1]);

    ClickItem(*settings->LibList, 0);
    const TRect third = settings->LibList->ItemRect(2);
    SynthesizeClick(settings->LibList->Handle(), {third.Left + 8, (third.Top + third.Bottom) / 2});
    ProcessEverything();
    EXPECT_FALSE(settings->Libraries->GetItem(2).Load) << "the row whose box was clicked";
    EXPECT_TRUE(settings->Libraries->GetItem(0).Load);

    ClickItem(*settings->LibList, 1);
    PressButton(*settings, settings->actRemoveLib);
    EXPECT_EQ(Rows(*settings->LibList), (std::vector<std::string>{" A", " B"}));
    EXPECT_EQ(settings->edtFile->Text(), settings->LibList->ItemIndex() < 0 ? "" : Files(*settings->Libraries)[settings->LibList->ItemIndex()]);
    Ok();
  });
  EXPECT_EQ(Files(*form->LibMan), (std::vector<std::string>{files[0], files[1]}));
  EXPECT_FALSE(form->LibMan->GetItem(1).Load);
}

TEST_F(SettingsFormTest, HelpShowsTheLibrarysOwnAndARemovedLibraryLeavesTheHelpMenu) {
  const std::string alpha = SourceLibrary("Alpha");
  Library("Alpha.txt", "help");
  const std::string beta = SourceLibrary("Beta");
  Library("Beta.htm", "help");
  const std::string plain = SourceLibrary("Plain");
  StoreLibraries({alpha, beta, plain});
  StartAll();
  ASSERT_EQ(form->mnuLibraries->Count(), 2);
  InSettings([&] {
    EXPECT_TRUE(EnabledNow(settings->actLibHelp));
    PressButton(*settings, settings->actLibHelp);
    EXPECT_EQ(opener.Opened, std::vector<std::string>{(program.Path() / "libs/Alpha.txt").string()});
    ClickItem(*settings->LibList, 2);
    EXPECT_FALSE(EnabledNow(settings->actLibHelp)) << "no help beside it";
    ClickItem(*settings->LibList, 0);
    PressButton(*settings, settings->actRemoveLib);
    Ok();
  });
  ASSERT_EQ(form->mnuLibraries->Count(), 1);
  EXPECT_EQ(form->mnuLibraries->Items(0)->Caption(), "Beta");
  opener.Opened.clear();
  form->mnuLibraries->Items(0)->Click();
  EXPECT_EQ(opener.Opened, std::vector<std::string>{(program.Path() / "libs/Beta.htm").string()});
}

TEST_F(SettingsFormTest, F5AndTheSettingsItemsOfBothMenusOpenIt) {
  StartAll();
  InSettings([&] { KeyIn(*settings->PageControl, VK_ESCAPE, "\x1b"); });
  EXPECT_FALSE(settings->Visible());
  for (TPopupMenu* menu : {form->MainMenu, form->PopupMenu}) {
    TMenuItem* item = nullptr;
    for (int i = 0; i < menu->Items().Count(); ++i)
      if (menu->Items().Items(i)->Action() == form->actSettings) item = menu->Items().Items(i);
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(item->Caption(), "&Settings ...");
    bool shown = false;
    WhenShown(*settings, [&] {
      shown = true;
      KeyIn(*settings->PageControl, VK_ESCAPE, "\x1b");
    });
    item->Click();
    EXPECT_TRUE(shown);
  }
  InSettings([&] {
    settings->actHelp->Update();
    KeyIn(*settings->PageControl, VK_F1);
    ClickButton(*settings->HelpButton);
    KeyIn(*settings->PageControl, VK_ESCAPE, "\x1b");
  });
  EXPECT_EQ(help.Pages, (std::vector<std::string>{HelpFolder() + "a1_02_03.htm", HelpFolder() + "a1_02_03.htm"}));
}

TEST_F(SettingsFormTest, WithWinsInTaskTheWindowIsAToolWindowOfTheMainWindow) {
  Params.WinsInTask = true;
  Store("PARAMS", "WinsInTask", "1");
  StartAll();
  EXPECT_TRUE(GetWindowLongPtr(settings->Handle(), GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
  EXPECT_EQ(GetWindow(settings->Handle(), GW_OWNER), form->Handle());
  EXPECT_TRUE(GetWindowLongPtr(edSetts->Handle(), GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
  EXPECT_EQ(GetWindow(edSetts->Handle(), GW_OWNER), editor->Handle());
}

}  // namespace
