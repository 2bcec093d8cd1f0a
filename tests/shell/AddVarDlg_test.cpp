// The New Variable dialog: its types, the check of the name as it is
// typed, its two modes and its double click.

#include "runtime/Params.h"
#include "tests/shell/WorkFormFixture.h"
#include "toolkit/win/Styles.h"

namespace {

class AddVarDlgTest : public WorkFormTest {
protected:
  // The dialog shown without its modal loop, so that its looks can be read between keys.
  void ShowDialog(bool nameOnly) {
    dialog->NameOnly = nameOnly;
    dialog->Show();
    ProcessEverything();
  }
  void TypeName(const std::string& name) {
    dialog->NameEdit->SetText("");
    SynthesizeTyping(dialog->Handle(), name);
    Idle();
  }
  bool Red() { return dialog->NameEdit->Font().Color() == clRed; }
  std::vector<std::string> Groups() {
    std::vector<std::string> groups;
    for (TTreeNode* node = dialog->KindTree->Items().GetFirstNode(); node; node = node->getNextSibling())
      groups.push_back(node->Text());
    return groups;
  }
  std::vector<std::string> TypesOf(const std::string& group) {
    std::vector<std::string> types;
    for (TTreeNode* node = dialog->KindTree->Items().GetFirstNode(); node; node = node->getNextSibling())
      if (node->Text() == group)
        for (TTreeNode* type = node->getFirstChild(); type; type = type->getNextSibling())
          types.push_back(type->Text());
    return types;
  }
  void DoubleClick(TTreeNode* node) {
    const TRect row = node->DisplayRect(true);
    TPoint point{(row.Left + row.Right) / 2, (row.Top + row.Bottom) / 2};
    ClientToScreen(dialog->KindTree->Handle(), point);
    TRect window;
    GetWindowRect(dialog->KindTree->Handle(), window);
    // As the desktop delivers it: a click, then the second press as a double click.
    for (TSyntheticMouse action : {TSyntheticMouse::Press, TSyntheticMouse::Release, TSyntheticMouse::DoubleClick,
                                   TSyntheticMouse::Release})
      SynthesizeMouse(dialog->KindTree->Handle(), {point.X - window.Left, point.Y - window.Top}, action,
                      TInputButton::Left);
    ProcessEverything();
  }
};

TEST_F(AddVarDlgTest, TheTypesComeGroupedInTheEnginesOrder) {
  Open();
  LoadLibrary("shapes.tarn", ShapesLibrary);
  EXPECT_EQ(dialog->Caption(), " New Variable");
  EXPECT_EQ(Groups(), (std::vector<std::string>{"Fundamental Types", "Array Types", "Record Types",
                                                "Enumerated Types", "Set Types"}));
  const std::vector<std::string> fundamental = TypesOf("Fundamental Types");
  for (const char* type : {"Integer", "Char", "Real", "Boolean", "String"})
    EXPECT_NE(std::find(fundamental.begin(), fundamental.end(), type), fundamental.end()) << type;
  EXPECT_EQ(TypesOf("Enumerated Types"), std::vector<std::string>{"TShade"}) << "no built-in enumeration";
  EXPECT_EQ(TypesOf("Record Types"), std::vector<std::string>{"TPoint"}) << "no built-in record (TPlotStyle)";
  const std::vector<std::string> arrays = TypesOf("Array Types");
  for (const char* type : {"Vector", "Matrix", "TPoints"})
    EXPECT_NE(std::find(arrays.begin(), arrays.end(), type), arrays.end()) << type;
}

TEST_F(AddVarDlgTest, ANameInUseOrMalformedIsRedAndKeepsOKDisabled) {
  Open();
  ShowDialog(false);
  dialog->KindTree->SetSelected(KindNode("Integer"));
  TypeName("w");
  EXPECT_FALSE(Red());
  EXPECT_TRUE(dialog->actOK->Enabled());
  EXPECT_TRUE(dialog->Button1->Enabled());
  Enter("ans");
  for (const char* name : {"ans", "ANS", "begin", "Integer", "1x", "", "Real"}) {
    TypeName(name);
    EXPECT_TRUE(Red()) << name;
    EXPECT_FALSE(dialog->actOK->Enabled()) << name;
  }
  TypeName("w");
  dialog->KindTree->SetSelected(dialog->KindTree->Items().GetFirstNode());
  Idle();
  EXPECT_FALSE(dialog->actOK->Enabled()) << "a group is no type";
}

TEST_F(AddVarDlgTest, NameOnlyModeDisablesTheTypes) {
  Open();
  ShowDialog(true);
  EXPECT_FALSE(dialog->KindTree->Enabled());
  EXPECT_EQ(dialog->KindTree->Color(), clBtnFace);
  dialog->KindTree->SetSelected(nullptr);
  TypeName("w");
  EXPECT_TRUE(dialog->actOK->Enabled()) << "no type needed";
  dialog->Hide();
  ShowDialog(false);
  EXPECT_TRUE(dialog->KindTree->Enabled());
  EXPECT_EQ(dialog->KindTree->Color(), clWindow);
}

TEST_F(AddVarDlgTest, SetVarNameKeepsATextOfOtherCase) {
  Open();
  dialog->NameEdit->SetText("x");
  dialog->SetVarName("X");
  EXPECT_EQ(dialog->GetVarName(), "x");
  dialog->SetVarName("y");
  EXPECT_EQ(dialog->GetVarName(), "y");
}

TEST_F(AddVarDlgTest, ADoubleClickOnATypeAcceptsAndOnAGroupOnlyToggles) {
  Open();
  dialog->NameOnly = false;
  dialog->NameEdit->SetText("w");
  TTreeNode* group = dialog->KindTree->Items().GetFirstNode();
  bool expandedAfter = true;
  TModalResult groupResult = mrNone;
  RunLater(20, [&] {
    dialog->KindTree->SetSelected(group);
    DoubleClick(group);
    expandedAfter = group->Expanded();
    groupResult = dialog->ModalResult();
    group->Expand(false);
    ProcessEverything();
    TTreeNode* integer = KindNode("Integer");
    dialog->KindTree->SetSelected(integer);
    DoubleClick(integer);
    if (dialog->ModalResult() == mrNone) dialog->SetModalResult(mrCancel);
  });
  EXPECT_EQ(dialog->ShowModal(), mrOk);
  EXPECT_FALSE(expandedAfter) << "the group closed";
  EXPECT_EQ(groupResult, mrNone);
  EXPECT_EQ(dialog->SelectedKind(), BaseKind(kcInteger));
}

TEST_F(AddVarDlgTest, WithWinsInTaskTheWorkspaceOwnsTheDialog) {
  Params.WinsInTask = true;
  Open();
  EXPECT_EQ(GetWindow(dialog->Handle(), GW_OWNER), work->Handle());
  EXPECT_TRUE(GetWindowLongPtr(dialog->Handle(), GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
}

TEST_F(AddVarDlgTest, HelpOpensTheDialogsPage) {
  Open();
  dialog->Button3->Click();
  EXPECT_EQ(help.Pages, std::vector<std::string>{HelpFolder() + "a1_02_12.htm"});
}

}  // namespace
