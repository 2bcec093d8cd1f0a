// Real controls published to scripts: a script reads and writes a shown
// button's and edit's properties and handles their events, with input
// delivered by Qt.
#include <gtest/gtest.h>

#include "engine/MessageChannel.h"
#include "engine/Var.h"
#include "engine/Variant.h"
#include "engine/XBuilder.h"
#include "libraries/StandardLibraries.h"
#include "tests/engine/KindsFixture.h"
#include "tests/toolkit/NativeControlFixture.h"
#include "toolkit/controls/Button.h"
#include "toolkit/controls/Edit.h"
#include "toolkit/controls/Label.h"
#include "toolkit/win/Window.h"

namespace {

constexpr const char* Handlers =
    "library H;\n"
    "procedure Clicked(Sender : TObject); begin Write('clicked') end;\n"
    "procedure KP(Sender : TObject; var Key : Char); begin if Key = 'a' then Key := 'b' end;\n"
    "procedure M(Sender : TObject; Button : TMouseButton; Shift : TShiftState; X, Y : Integer);\n"
    "begin Write(Button, Shift, X, Y) end;\n"
    "end.";

class HostControlsTest : public NativeControlTest {
protected:
  HostControlsTest() {
    SetMessageSink(Sink);
    button = Make<TButton>(10, 10, 120, 30);
    button->SetName("Button1");
    button->SetCaption("Button1");
    button->OnClick = [this](TObject* sender) { ownClicks.push_back(sender); };
    edit = Make<TEdit>(10, 60, 120, 24);
    edit->SetName("Edit1");
    edit->OnKeyPress = [this](TObject*, char32_t& key) { ownKeys.push_back(key); };
    EXPECT_TRUE(Engine->AddClient(*button, ""));
    EXPECT_TRUE(Engine->AddClient(*edit, ""));
    EXPECT_TRUE(Engine->CompileText(Handlers));
  }
  // The engine goes before the controls: its records give them their handlers back.
  ~HostControlsTest() override {
    Engine = CountedPtr<TXBuilder>();
    SetMessageSink(nullptr);
  }

  // The texts of the lines a console line writes.
  std::vector<std::string> Eval(const std::string& line) {
    Sink->Lines.clear();
    TVariant value;
    Engine->Evaluate(line, false, true, -1, value);
    return Written();
  }
  // The errors of evaluating each line in turn.
  std::vector<std::string> Errors(std::initializer_list<std::string> lines) {
    std::vector<std::string> errors;
    for (const std::string& line : lines) {
      Eval(line);
      for (const std::string& error : Sink->ErrorTexts()) errors.push_back(error);
    }
    return errors;
  }
  std::vector<std::string> Written() const {
    std::vector<std::string> texts;
    for (const TLine& written : Sink->Lines) texts.push_back(written.Text);
    return texts;
  }
  void ClickButton() {
    Sink->Lines.clear();
    Click(button->Handle(), TPoint{60, 15});
  }

  CountedPtr<TRecordingSink> Sink = MakeCounted<TRecordingSink>();
  CountedPtr<TXBuilder> Engine = MakeCounted<TXBuilder>(StandardCatalogues());
  TButton* button = nullptr;
  TEdit* edit = nullptr;
  std::vector<TObject*> ownClicks;
  std::vector<char32_t> ownKeys;
};

TEST_F(HostControlsTest, ControlsPublishedWithoutANameTakeTheirComponentNames) {
  ASSERT_NE(Engine->FindVariable("Button1"), nullptr);
  ASSERT_NE(Engine->FindVariable("Edit1"), nullptr);
  EXPECT_EQ(Engine->FindVariable("Button1")->Kind()->Name(), "TButton");
  EXPECT_EQ(Engine->FindVariable("Edit1")->Kind()->Name(), "TEdit");
  const auto& record = dynamic_cast<TRecVar&>(*Engine->FindVariable("Button1"));
  std::vector<std::string> names;
  for (int i = 0; i < record.FieldCount(); ++i) names.push_back(record.Field(i)->Name());
  EXPECT_EQ(names, (std::vector<std::string>{"Name", "Tag", "Left", "Top", "Width", "Height", "Visible", "Enabled",
                                             "Color", "Font", "Hint", "ShowHint", "OnClick", "OnDblClick",
                                             "OnMouseDown", "OnMouseUp", "OnMouseMove", "OnKeyDown", "OnKeyUp",
                                             "OnKeyPress", "Caption"}))
      << "every event of the toolkit's shapes is bound to one of System's event types";
}

TEST_F(HostControlsTest, EveryControlThatShowsATextPublishesIt) {
  auto* check = Make<TCheckBox>(10, 100, 120, 20);
  check->SetCaption("Check");
  auto* label = Make<TLabel>(10, 130, 120, 20);
  label->SetCaption("Label");
  auto* memo = Make<TMemo>(10, 160, 120, 60);
  ASSERT_TRUE(Engine->AddClient(*check, "Check"));
  ASSERT_TRUE(Engine->AddClient(*label, "Label"));
  ASSERT_TRUE(Engine->AddClient(*memo, "Memo"));
  ASSERT_TRUE(Engine->AddClient(*form, "Form"));
  EXPECT_EQ(Eval("Check.Caption + Label.Caption"), std::vector<std::string>{"'CheckLabel'"});
  EXPECT_EQ(Errors({"Memo.Text := 'm'", "Form.Caption := 'F'"}), std::vector<std::string>{});
  EXPECT_EQ(memo->Text(), "m");
  EXPECT_EQ(form->Caption(), "F");
}

TEST_F(HostControlsTest, ScriptsReadAndWriteTheShownControlsProperties) {
  EXPECT_EQ(Eval("Button1.Caption"), std::vector<std::string>{"'Button1'"});
  EXPECT_EQ(Eval("Button1.Left + Button1.Width"), std::vector<std::string>{"130"});
  EXPECT_EQ(Errors({"Button1.Caption := 'Go'"}), std::vector<std::string>{});
  ProcessEverything();
  EXPECT_EQ(button->Caption(), "Go");
  EXPECT_EQ(GetWindowText(button->Handle()), "Go");
  const std::unique_ptr<TBitmap> shown = Grab(*button);
  button->SetCaption("Button1");
  ProcessEverything();
  const std::unique_ptr<TBitmap> before = Grab(*button);
  button->SetCaption("Go");
  ProcessEverything();
  const std::unique_ptr<TBitmap> go = Grab(*button);
  EXPECT_FALSE(SamePixels(*shown->Handle(), *before->Handle())) << "the caption changed on the screen";
  EXPECT_TRUE(SamePixels(*shown->Handle(), *go->Handle())) << "what a caption of \"Go\" shows";

  EXPECT_EQ(Errors({"Edit1.Text := 'abc'", "Edit1.Font.Style := [fsBold]", "Edit1.Enabled := False",
                    "Edit1.Hint := 'h'"}),
            std::vector<std::string>{});
  EXPECT_EQ(edit->Text(), "abc");
  EXPECT_EQ(GetWindowText(edit->Handle()), "abc");
  EXPECT_EQ(edit->Font().Style(), fsBold);
  EXPECT_FALSE(edit->Enabled());
  EXPECT_EQ(edit->Hint, "h");
  edit->SetWidth(77);
  EXPECT_EQ(Eval("Edit1.Width"), std::vector<std::string>{"77"}) << "read afresh";
}

TEST_F(HostControlsTest, AProcedureAssignedToOnClickRunsOnARealClick) {
  ClickButton();
  EXPECT_EQ(ownClicks, std::vector<TObject*>{button}) << "the control's own handler before any assignment";
  EXPECT_EQ(Errors({"Button1.OnClick := Clicked"}), std::vector<std::string>{});
  ClickButton();
  EXPECT_EQ(Written(), std::vector<std::string>{"clicked"});
  EXPECT_EQ(ownClicks.size(), 1u);
  EXPECT_FALSE(Engine->IsRunning());
}

TEST_F(HostControlsTest, AMouseProcedureGetsTheRealPressesArguments) {
  EXPECT_EQ(Errors({"Button1.OnMouseDown := M"}), std::vector<std::string>{});
  Sink->Lines.clear();
  SynthesizeMouse(button->Handle(), TPoint{20, 5}, TSyntheticMouse::Press, TInputButton::Right, {.Shift = true});
  SynthesizeMouse(button->Handle(), TPoint{20, 5}, TSyntheticMouse::Release, TInputButton::Right);
  ProcessEverything();
  EXPECT_EQ(Written(), std::vector<std::string>{"mbRight[ ssShift, ssRight ]205"});
}

TEST_F(HostControlsTest, AKeyPressProcedureChangesWhatTheEditGets) {
  EXPECT_EQ(Errors({"Edit1.OnKeyPress := KP"}), std::vector<std::string>{});
  edit->SetFocus();
  Type(edit->Handle(), "axa");
  EXPECT_EQ(edit->Text(), "bxb");
  EXPECT_TRUE(ownKeys.empty());
}

TEST_F(HostControlsTest, RemovingTheVariablesGivesTheControlsTheirOwnHandlersBack) {
  EXPECT_EQ(Errors({"Button1.OnClick := Clicked", "Edit1.OnKeyPress := KP"}), std::vector<std::string>{});
  Engine->RemoveClient("Button1");
  Engine->RemoveClient("Edit1");
  EXPECT_EQ(Engine->FindVariable("Button1"), nullptr);
  EXPECT_EQ(Engine->FindVariable("Edit1"), nullptr);
  ClickButton();
  EXPECT_TRUE(Written().empty());
  EXPECT_EQ(ownClicks, std::vector<TObject*>{button});
  edit->SetFocus();
  Type(edit->Handle(), "a");
  EXPECT_EQ(edit->Text(), "a");
  EXPECT_EQ(ownKeys, std::vector<char32_t>{U'a'});
}

}  // namespace
