// The editor settings dialog, opened from the program editor's Edit menu
// and driven by keys and clicks while it shows modally.

#include "shell/EdSettsForm.h"

#include "console/SrcEdit.h"
#include "runtime/Params.h"
#include "tests/shell/SettingsFixture.h"
#include "toolkit/controls/PageControl.h"

namespace {

enum { NoHighlight, Custom, Default, Classic, Midnight, Blues, Soft };

class EdSettsFormTest : public SettingsTest {
protected:
  void StartWithEditor() {
    StartAll();
    ShowEditor();
  }
  void ShowColours() {
    edSetts->PageControl->SetActivePage(edSetts->ColoursPage);
    ProcessEverything();
  }
  void Ok() { ClickButton(*edSetts->OKButton); }
  void Cancel() { ClickButton(*edSetts->CancelButton); }
  TSymAttrs& PreviewAttrs() { return edSetts->Syntax->Attrs(); }
  std::vector<TTarnEditor*> TabEditors() {
    std::vector<TTarnEditor*> editors;
    for (int i = 0; i < editor->PageControl->PageCount(); ++i)
      editors.push_back(static_cast<TSrcTab*>(editor->PageControl->Pages(i))->Edit()->Editor());
    return editors;
  }
};

TEST_F(EdSettsFormTest, TheGutterWidthShowsItsNearestEntryAndEnableGivesTheChosenOne) {
  struct TCase {
    int Stored;
    bool Enabled;
    const char* Shown;
  };
  for (const TCase& loaded : {TCase{0, false, " 48"}, TCase{20, true, " 16"}, TCase{200, true, " 80"}}) {
    form ? RestartAll() : StartAll();
    ShowEditor();
    editor->Setts.GutterWidth = loaded.Stored;
    InEditorSettings([&] {
      EXPECT_EQ(edSetts->chkGutter->Checked(), loaded.Enabled) << loaded.Stored;
      EXPECT_EQ(edSetts->cmbGutWidth->Text(), loaded.Shown) << loaded.Stored;
      EXPECT_EQ(edSetts->cmbGutWidth->Enabled(), loaded.Enabled);
      EXPECT_EQ(edSetts->clbGutter->Enabled(), loaded.Enabled);
      EXPECT_EQ(edSetts->chkGutLines->Enabled(), loaded.Enabled);
      EXPECT_EQ(edSetts->Preview->GutterWidth(), loaded.Stored) << "kept until a width is chosen";
      if (!loaded.Enabled) {
        Toggle(*edSetts->chkGutter);
        EXPECT_EQ(edSetts->Preview->GutterWidth(), 48);
        EXPECT_TRUE(edSetts->cmbGutWidth->Enabled());
        Choose(*edSetts->cmbGutWidth, 1);
        EXPECT_EQ(edSetts->Preview->GutterWidth(), 16);
      }
      Ok();
    });
    EXPECT_EQ(editor->Setts.GutterWidth, loaded.Enabled ? loaded.Stored : 16);
  }
}

TEST_F(EdSettsFormTest, BluesGivesEveryTabItsLook) {
  StartWithEditor();
  Key('N', Ctrl);
  Key('N', Ctrl);
  InEditorSettings([&] {
    EXPECT_EQ(edSetts->Caption(), "Editor Settings");
    EXPECT_EQ(edSetts->cmbScheme->Text(), " Default") << "the scheme a first opening shows";
    ShowColours();
    Choose(*edSetts->cmbScheme, Blues);
    EXPECT_EQ(edSetts->clbEditor->Selected(), clSkyBlue);
    Ok();
  });
  const TSymAttrs& attrs = editor->Syntax->Attrs();
  EXPECT_EQ(attrs.GetAttr(skText).Color, clNavy);
  EXPECT_EQ(attrs.GetAttr(skReserved).Color, clBlue);
  EXPECT_EQ(attrs.GetAttr(skReserved).Styles, fsBold);
  EXPECT_EQ(attrs.GetAttr(skComment).Color, clGray);
  EXPECT_EQ(attrs.GetAttr(skComment).Styles, fsItalic);
  EXPECT_EQ(attrs.GetAttr(skBinary).Color, clGreen) << "with the hex numbers";
  EXPECT_EQ(attrs.GetAttr(skGutter).Color, clGray) << "the gutter text stays";
  ASSERT_EQ(TabEditors().size(), 2u);
  for (TTarnEditor* tab : TabEditors()) EXPECT_EQ(tab->Color(), TColor(0xF0CAA6));
  InEditorSettings([&] {
    EXPECT_EQ(edSetts->cmbScheme->Text(), " Blues") << "the last choice stays";
    Cancel();
  });
}

TEST_F(EdSettsFormTest, AnElementsColourMakesTheSchemeCustomTheGutterColourDoesNot) {
  StartWithEditor();
  InEditorSettings([&] {
    ShowColours();
    Choose(*edSetts->cmbScheme, Midnight);
    EXPECT_EQ(edSetts->Preview->Color(), clBlack);
    ChooseColour(*edSetts->clbGutter, clSilver);
    EXPECT_EQ(edSetts->Preview->GutterColor(), clSilver);
    EXPECT_EQ(edSetts->cmbScheme->ItemIndex(), Midnight);
    ClickItem(*edSetts->lsbElement, skString);
    EXPECT_EQ(edSetts->clbElement->Selected(), clYellow);
    ChooseColour(*edSetts->clbElement, clRed);
    EXPECT_EQ(PreviewAttrs().GetAttr(skString).Color, clRed);
    EXPECT_EQ(edSetts->cmbScheme->Text(), " Custom");

    Choose(*edSetts->cmbScheme, Classic);
    ClickItem(*edSetts->lsbElement, skComment);
    Toggle(*edSetts->chkItalic);
    EXPECT_EQ(PreviewAttrs().GetAttr(skComment).Styles, fsItalic);
    EXPECT_EQ(edSetts->cmbScheme->ItemIndex(), Custom);

    Choose(*edSetts->cmbScheme, NoHighlight);
    for (int kind = 0; kind < SymKindCount; ++kind) {
      EXPECT_EQ(PreviewAttrs().GetAttr(kind).Color, clBlack) << kind;
      EXPECT_EQ(PreviewAttrs().GetAttr(kind).Styles, 0) << kind;
    }
    EXPECT_EQ(edSetts->Preview->Color(), clWindow);
    EXPECT_EQ(edSetts->clbEditor->Selected(), clNavy) << "the editor colour box left as it was";
    Choose(*edSetts->cmbScheme, Default);
    EXPECT_EQ(PreviewAttrs().GetAttr(skReserved).Styles, fsBold);
    EXPECT_EQ(PreviewAttrs().GetAttr(skFunc).Color, clNavy);
    EXPECT_EQ(edSetts->clbEditor->Selected(), clWindow);
    ChooseColour(*edSetts->clbEditor, clCream);
    EXPECT_EQ(edSetts->Preview->Color(), clCream);
    EXPECT_EQ(edSetts->cmbScheme->ItemIndex(), Custom);
    Cancel();
  });
  EXPECT_EQ(editor->Syntax->Attrs().GetAttr(skReserved).Color, clBlack) << "cancelled";
}

TEST_F(EdSettsFormTest, ExecutionTimeOffIsTakenAtOkOnly) {
  Params.ExecTime = true;
  Store("PARAMS", "ExecTime", "1");
  StartWithEditor();
  Key('N', Ctrl);
  const auto timeLines = [&] {
    Key(VK_F9);
    int count = 0;
    for (const TShownLine& line : EditorConsole()) count += line.Text.starts_with("Execution time : ");
    return count;
  };
  EXPECT_EQ(timeLines(), 1);
  for (const bool confirm : {false, true}) {
    InEditorSettings([&] {
      EXPECT_TRUE(edSetts->chkExectime->Checked());
      Toggle(*edSetts->chkExectime);
      confirm ? Ok() : Cancel();
    });
    EXPECT_EQ(Params.ExecTime, !confirm);
    EXPECT_EQ(timeLines(), confirm ? 0 : 1);
  }
}

TEST_F(EdSettsFormTest, SaveAutomaticallyGreysPromptUserWhichKeepsItsState) {
  StartWithEditor();
  InEditorSettings([&] {
    EXPECT_TRUE(edSetts->chkPrompt->Checked());
    EXPECT_TRUE(edSetts->chkPrompt->Enabled());
    Toggle(*edSetts->chkSaveAuto);
    EXPECT_FALSE(edSetts->chkPrompt->Enabled());
    EXPECT_TRUE(edSetts->chkPrompt->Checked());
    Ok();
  });
  EXPECT_TRUE(editor->Setts.SaveAuto);
  EXPECT_TRUE(editor->Setts.SavePrompt);
  InEditorSettings([&] {
    EXPECT_FALSE(edSetts->chkPrompt->Enabled()) << "greyed from the start";
    Cancel();
  });
}

TEST_F(EdSettsFormTest, OpeningListsTheFourteenElementsAndHelpShowsItsPage) {
  StartWithEditor();
  InEditorSettings([&] {
    ShowColours();
    ASSERT_EQ(edSetts->lsbElement->Items().Count(), SymKindCount);
    EXPECT_EQ(edSetts->lsbElement->Items().Strings(0), " Plain text");
    EXPECT_EQ(edSetts->lsbElement->Items().Strings(13), " Gutter text");
    EXPECT_EQ(edSetts->lsbElement->ItemIndex(), 0);
    EXPECT_EQ(edSetts->Preview->Lines().Count(), 11);
    EXPECT_TRUE(edSetts->Preview->ReadOnly());
    ClickButton(*edSetts->HelpButton);
    Cancel();
  });
  EXPECT_EQ(help.Pages, std::vector<std::string>{HelpFolder() + "a1_02_05.htm"});
}

TEST_F(EdSettsFormTest, TheMidnightPreviewShowsItsColoursAndTheGutterNumbers) {
  StartWithEditor();
  InEditorSettings([&] {
    ShowColours();
    Choose(*edSetts->cmbScheme, Midnight);
    TTarnEditor& preview = *edSetts->Preview;
    const CountedPtr<TGdiBitmap> image = RenderWindow(preview.Handle());
    const int gutter = preview.GutterWidth();
    const TRect text{gutter + 2, 2, preview.ClientWidth() - 20, preview.ClientHeight() - 20};
    EXPECT_GT(CountPixels(*image, text, clBlack), text.Width() * text.Height() / 2) << "the black background";
    EXPECT_GT(CountPixels(*image, text, clAqua), 20) << "the reserved words";
    EXPECT_GT(CountPixels(*image, text, clWhite), 20) << "the names";
    const TRect numbers{2, 2, gutter - 2, preview.ClientHeight() - 20};
    EXPECT_GT(CountPixels(*image, numbers, ColorToRGB(clGray)), 20) << "the gutter's numbers";
    Cancel();
  });
}

}  // namespace
