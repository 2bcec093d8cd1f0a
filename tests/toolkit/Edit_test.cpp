#include "toolkit/controls/Edit.h"

#include "tests/toolkit/NativeControlFixture.h"
#include "toolkit/controls/Clipboard.h"
#include "toolkit/controls/Label.h"

namespace {

class EditTest : public NativeControlTest {
protected:
  EditTest() {
    edit = Make<TEdit>(10, 10, 150, 24);
    edit->OnChange = [this](TObject*) { ++changes; };
    edit->SetFocus();
    ProcessEverything();
  }

  TEdit* edit;
  int changes = 0;
};

TEST_F(EditTest, TypingGivesTheTextWithOneChangePerCharacter) {
  Type(edit->Handle(), "a1b2");
  EXPECT_EQ(edit->Text(), "a1b2");
  EXPECT_EQ(GetWindowText(edit->Handle()), "a1b2");
  EXPECT_EQ(changes, 4);
  EXPECT_EQ(CountOf(WM_COMMAND, EN_CHANGE, edit->Handle()), 4u) << "the parent hears each change";
}

TEST_F(EditTest, KeyPressSwallowsCharactersWhileEditingKeysStillWork) {
  std::vector<char32_t> pressed;
  edit->OnKeyPress = [&pressed](TObject*, char32_t& key) {
    pressed.push_back(key);
    if ((key >= 'a' && key <= 'z') || (key >= 'A' && key <= 'Z')) key = 0;
  };
  Type(edit->Handle(), "a1b2");
  EXPECT_EQ(edit->Text(), "12");
  Press(edit->Handle(), VK_LEFT);
  Press(edit->Handle(), VK_BACK);
  EXPECT_EQ(edit->Text(), "2") << "Backspace after Left deletes the 1";
  Type(edit->Handle(), "34");
  Press(edit->Handle(), 'A', {false, true, false});
  EXPECT_EQ(pressed.back(), 1u) << "Ctrl+A arrives as character 1";
  Type(edit->Handle(), "5");
  EXPECT_EQ(edit->Text(), "5") << "Ctrl+A selected everything";
}

TEST_F(EditTest, AProcedureInTheChainDecidesWhatTheWidgetGets) {
  {
    TCharacterDropper dropFives(edit->Handle(), '5');
    Type(edit->Handle(), "456");
    EXPECT_EQ(edit->Text(), "46");
  }
  Type(edit->Handle(), "5");
  EXPECT_EQ(edit->Text(), "465");
}

TEST_F(EditTest, CharactersSentByCodeType) {
  SendMessage(edit->Handle(), WM_CHAR, 'x', 0);
  SendMessage(edit->Handle(), WM_CHAR, 'y', 0);
  EXPECT_EQ(edit->Text(), "xy");
  EXPECT_EQ(changes, 2);
}

TEST_F(EditTest, TextSetByCodeNotifiesOnceAndSelectionFollowsTheProtocol) {
  edit->SetText("hello world");
  EXPECT_EQ(changes, 1);
  edit->SetSelStart(6);
  edit->SetSelLength(5);
  EXPECT_EQ(edit->SelText(), "world");
  DWORD start = 0, end = 0;
  const auto answer = static_cast<DWORD>(SendMessage(edit->Handle(), EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                                                     reinterpret_cast<LPARAM>(&end)));
  EXPECT_EQ(start, 6u);
  EXPECT_EQ(end, 11u);
  EXPECT_EQ(answer, MAKELONG(6, 11));
  edit->SetSelText("there");
  EXPECT_EQ(edit->Text(), "hello there");
  SendMessage(edit->Handle(), EM_SETSEL, 0, -1);
  EXPECT_EQ(edit->SelLength(), 11);
}

TEST_F(EditTest, ReadOnlyMaxLengthAndModified) {
  edit->SetModified(false);
  edit->SetMaxLength(3);
  Type(edit->Handle(), "abcd");
  EXPECT_EQ(edit->Text(), "abc");
  EXPECT_TRUE(edit->Modified());
  EXPECT_EQ(SendMessage(edit->Handle(), EM_GETMODIFY, 0, 0), 1);
  edit->SetReadOnly(true);
  Press(edit->Handle(), VK_BACK);
  EXPECT_EQ(edit->Text(), "abc");
}

TEST_F(EditTest, AMemosMaxLengthLimitsTypingAndPastingButNotCode) {
  auto* memo = Make<TMemo>(10, 50, 200, 100);
  memo->SetMaxLength(5);
  memo->SetFocus();
  Type(memo->Handle(), "ab\rcdef");
  EXPECT_EQ(memo->Text(), "ab\ncd") << "a line break counts as a character";
  SendMessage(memo->Handle(), EM_SETSEL, 0, 2);
  Clipboard().SetAsText("123456");
  Press(memo->Handle(), 'V', {false, true, false});
  EXPECT_EQ(memo->Text(), "12\ncd") << "the paste fills the room the selection leaves";
  memo->SetText("longer than five");
  EXPECT_EQ(memo->Text(), "longer than five");
}

TEST_F(EditTest, FocusFollowsClicksAndAutoSelectSelectsOnEntryByKeyboard) {
  auto* other = Make<TEdit>(10, 50, 150, 24);
  other->SetText("other");
  Click(other->Handle(), {5, 5});
  EXPECT_EQ(GetFocus(), other->Handle());
  EXPECT_EQ(other->SelLength(), 0) << "a click places the caret";
  edit->SetText("mine");
  Press(other->Handle(), VK_TAB, {true, false, false});
  EXPECT_EQ(GetFocus(), edit->Handle());
  EXPECT_EQ(edit->SelLength(), 4);
}

TEST_F(EditTest, FontColourShowsInTheRenderedPixels) {
  edit->SetText("MMMM");
  const TColor red = RGB(255, 0, 0);
  EXPECT_EQ(CountPixels(*Grab(*edit)->Handle(), edit->ClientRect(), red), 0);
  edit->Font().SetColor(red);
  ProcessEverything();
  EXPECT_GT(CountPixels(*Grab(*edit)->Handle(), edit->ClientRect(), red), 20);
}

TEST_F(EditTest, MemoLinesAreTheLinesOfItsText) {
  auto* memo = Make<TMemo>(10, 50, 200, 100);
  memo->Lines().Add("one");
  memo->Lines().Add("two");
  memo->Lines().Insert(1, "between");
  EXPECT_EQ(memo->Text(), "one\nbetween\ntwo");
  memo->SetFocus();
  SendMessage(memo->Handle(), EM_SETSEL, 3, 3);
  Press(memo->Handle(), VK_RETURN);
  EXPECT_EQ(memo->Lines().Count(), 4) << "Enter types a line break in a memo";
  EXPECT_EQ(memo->Lines().Strings(1), "");
  memo->Lines().Delete(1);
  EXPECT_EQ(memo->Lines().Text(), "one\nbetween\ntwo\n");
}

TEST_F(EditTest, LabeledEditKeepsItsLabelAboveIt) {
  auto* labeled = Make<TLabeledEdit>(20, 100, 120, 24);
  labeled->EditLabel().SetCaption("&Name");
  labeled->SetBounds(30, 120, 120, 24);
  EXPECT_EQ(labeled->EditLabel().Left(), 30);
  EXPECT_EQ(labeled->EditLabel().Top() + labeled->EditLabel().Height() + labeled->LabelSpacing, 120);
  labeled->Hide();
  EXPECT_FALSE(labeled->EditLabel().Visible());
}

}  // namespace

namespace {

// An edit of several lines, as the tree's editing link makes one.
class TMultiLineEdit : public TEdit {
public:
  using TEdit::TEdit;

protected:
  void CreateParams(TCreateParams& params) override {
    TEdit::CreateParams(params);
    params.Style |= ES_MULTILINE | ES_AUTOVSCROLL | WS_VSCROLL;
  }
};

TEST_F(EditTest, AMultiLineEditReportsUpdatesAndTakesAFormattingRectangle) {
  auto* multi = Make<TMultiLineEdit>(10, 50, 200, 80);
  multi->SetFocus();
  Type(multi->Handle(), "ab");
  EXPECT_EQ(CountOf(WM_COMMAND, EN_UPDATE, multi->Handle()), 2u);
  EXPECT_EQ(CountOf(WM_COMMAND, EN_CHANGE, multi->Handle()), 2u);
  const TRect wanted{4, 4, 150, 60};
  SendMessage(multi->Handle(), EM_SETRECTNP, 0, reinterpret_cast<LPARAM>(&wanted));
  TRect rect;
  SendMessage(multi->Handle(), EM_GETRECT, 0, reinterpret_cast<LPARAM>(&rect));
  EXPECT_EQ(rect.Left, 4);
  EXPECT_EQ(rect.Top, 4);
  EXPECT_NE(SendMessage(multi->Handle(), WM_GETDLGCODE, 0, 0) & DLGC_WANTALLKEYS, 0) << "Enter stays in it";
}

}  // namespace

namespace {

// Texts are UTF-8: selection positions count bytes, as indices into Text do.
TEST_F(EditTest, SelectionPositionsCountTheBytesOfTheText) {
  edit->SetText("a\xCF\x80" "b");
  edit->SetSelStart(1);
  edit->SetSelLength(2);
  EXPECT_EQ(edit->SelText(), "\xCF\x80");
  edit->SetSelStart(3);
  Type(edit->Handle(), "c");
  EXPECT_EQ(edit->Text(), "a\xCF\x80" "cb");
  EXPECT_EQ(edit->SelStart(), 4);
}

}  // namespace
