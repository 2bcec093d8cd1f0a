#include "console/SrcEdit.h"

#include <gtest/gtest.h>

#include "console/Syntax.h"
#include "console/TarnEditor.h"
#include "tests/toolkit/ToolkitTestSupport.h"
#include "toolkit/controls/Form.h"

namespace {

class SourceTabs : public ::testing::Test {
protected:
  SourceTabs() {
    ResetSourcePageCount();
    form = new TForm(nullptr);
    form->SetBounds(20, 20, 640, 420);
    pages = new TPageControl(form);
    pages->SetParent(form);
    pages->SetAlign(alClient);
    form->Show();
  }
  ~SourceTabs() override { delete form; }

  TSrcTab* NewPage() {
    auto* tab = new TSrcTab(form);
    tab->SetPageControl(pages);
    pages->SetActivePage(tab);
    ProcessEverything();
    return tab;
  }

  TForm* form;
  TPageControl* pages;
};

TEST_F(SourceTabs, PagesAreNumberedOnceInARun) {
  TSrcTab* first = NewPage();
  EXPECT_EQ(first->Name(), "TabSheet1");
  EXPECT_EQ(first->Edit()->Name(), "SrcEdit1");
  EXPECT_EQ(first->Edit()->Caption(), "Untitled1");
  EXPECT_EQ(first->Caption(), "Untitled1");
  delete first;
  TSrcTab* second = NewPage();
  EXPECT_EQ(second->Name(), "TabSheet2");
  EXPECT_EQ(second->Edit()->Name(), "SrcEdit2");
  EXPECT_EQ(second->Caption(), "Untitled2");
}

TEST_F(SourceTabs, ANewPageHoldsAPlainProgramEditor) {
  TSrcTab* tab = NewPage();
  TTarnEditor* editor = tab->Edit()->Editor();
  EXPECT_EQ(editor->GutterWidth(), 48);
  EXPECT_TRUE(editor->GutLines);
  EXPECT_FALSE(editor->SmartTab);
  EXPECT_FALSE(editor->AutoIndent);
  EXPECT_FALSE(editor->HasSyntax());
  EXPECT_EQ(tab->Edit()->FileName, "");
  EXPECT_EQ(editor->Align(), alClient);
  EXPECT_EQ(editor->Width(), tab->Edit()->ClientWidth()) << "the editor fills its page";
}

TEST_F(SourceTabs, AColouredProgramPage) {
  TSyntax syntax;
  TSrcTab* tab = NewPage();
  TTarnEditor* editor = tab->Edit()->Editor();
  editor->Syntax = &syntax;
  editor->Lines().SetText("program P;\r\nbegin\r\n  WriteLn('hi')\r\nend.");
  editor->Invalidate();
  ProcessEverything();
  const CountedPtr<TGdiBitmap> image = RenderWindow(form->Handle());
  const TPoint origin = form->ScreenToClient(editor->ClientOrigin());
  const TRect text = editor->CellRect(8, 2);  // inside 'hi'
  const TRect onForm = Bounds(origin.X + text.Left, origin.Y + text.Top, text.Width() * 4, text.Height());
  EXPECT_GT(CountPixels(*image, onForm, ColorToRGB(clPurple)), 0) << "the string in its colour";
}

TEST(SourceTabsBeforeAWindow, PagesAddedBeforeTheWindowLeaveTheTabsVisible) {
  ResetSourcePageCount();
  TForm form(nullptr);
  form.SetBounds(20, 20, 400, 300);
  auto* pages = new TPageControl(&form);
  pages->SetParent(&form);
  pages->SetAlign(alClient);
  auto* tab = new TSrcTab(&form);
  tab->SetPageControl(pages);
  form.Show();
  ProcessEverything();
  EXPECT_GT(tab->Top(), 0) << "the page lies below the tabs";
  EXPECT_EQ(tab->BoundsRect(), pages->DisplayRect());
}

}  // namespace
