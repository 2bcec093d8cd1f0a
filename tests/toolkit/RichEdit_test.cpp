#include "toolkit/controls/RichEdit.h"

#include "tests/toolkit/NativeControlFixture.h"
#include "toolkit/controls/Clipboard.h"

namespace {

class RichEditTest : public NativeControlTest {
protected:
  RichEditTest() {
    edit = Make<TRichEdit>(10, 10, 200, 24);
    edit->SetText("> 1+2");
    edit->OnChange = [this](TObject*) { ++changes; };
    edit->SetFocus();
  }
  void Colour(int start, int length, TColor color) {
    edit->SetSelStart(start);
    edit->SetSelLength(length);
    edit->SelAttributes().SetColor(color);
  }
  TColor ColourAt(int position) {
    edit->SetSelStart(position);
    edit->SetSelLength(1);
    return edit->SelAttributes().Color();
  }

  TRichEdit* edit;
  int changes = 0;
};

TEST_F(RichEditTest, FormattingColoursCharactersWithoutChangingTheTextOrTheCaret) {
  Colour(0, 2, clBlue);
  Colour(2, 1, clRed);
  edit->SetSelStart(4);
  edit->SelAttributes().SetStyle(fsBold);
  EXPECT_EQ(edit->SelStart(), 4) << "formatting leaves the caret";
  EXPECT_EQ(changes, 0) << "formatting is no change of the text";
  const std::vector<TColor> expected{clBlue, clBlue, clRed, clBlack, clBlack};
  for (int i = 0; i < 5; ++i) EXPECT_EQ(ColourAt(i), expected[static_cast<size_t>(i)]) << "character " << i;

  edit->SetSelStart(0);
  edit->SetSelLength(0);
  const auto grab = Grab(*edit);
  int redPixels = 0, blueLeftOfRed = 0;
  TRect redInk{1000, 1000, -1, -1};
  for (int y = 0; y < grab->Height(); ++y)
    for (int x = 0; x < grab->Width(); ++x) {
      const TColor pixel = grab->Handle()->Pixel(x, y);
      if (pixel == clRed) {
        ++redPixels;
        redInk = {std::min(redInk.Left, x), std::min(redInk.Top, y), std::max(redInk.Right, x + 1), std::max(redInk.Bottom, y + 1)};
      }
    }
  for (int y = 0; y < grab->Height(); ++y)
    for (int x = 0; x < redInk.Left; ++x) blueLeftOfRed += grab->Handle()->Pixel(x, y) == clBlue;
  EXPECT_GT(redPixels, 5);
  EXPECT_LE(redInk.Width(), 10) << "red ink in one character cell only";
  EXPECT_GT(blueLeftOfRed, 5) << "the blue \"> \" before it";
}

TEST_F(RichEditTest, TypingNotifiesAndEnterReachesTheOwnerAsCharacters) {
  std::vector<char32_t> keys;
  edit->OnKeyPress = [&keys](TObject*, char32_t& key) { keys.push_back(key); };
  edit->SetSelStart(5);
  Type(edit->Handle(), "3");
  EXPECT_EQ(edit->Text(), "> 1+23");
  EXPECT_EQ(changes, 1);
  Press(edit->Handle(), VK_RETURN);
  Press(edit->Handle(), VK_RETURN, {false, true, false});
  EXPECT_EQ(keys, (std::vector<char32_t>{'3', 13, 10}));
  EXPECT_EQ(edit->Text(), "> 1+23") << "one line: Enter types nothing";
}

TEST_F(RichEditTest, PositionsCountBytes) {
  edit->SetText("\xCF\x80=1");
  Colour(0, 2, clRed);
  EXPECT_EQ(ColourAt(0), clRed);
  EXPECT_EQ(ColourAt(2), clBlack) << "the character after the two bytes of pi";
}

TEST_F(RichEditTest, PastedTextKeepsItsLineBreaks) {
  Clipboard().SetAsText("a\r\nb");
  edit->SetText("");
  Press(edit->Handle(), 'V', {false, true, false});
  EXPECT_EQ(edit->Text(), "a\nb");
  EXPECT_GE(changes, 1);
}

TEST_F(RichEditTest, FormatsAndSelectionsWhileTheRedrawIsHeldStandWhenItComesBack) {
  edit->SetSelStart(3);
  edit->Perform(WM_SETREDRAW, false, 0);
  Colour(0, 2, clBlue);
  EXPECT_EQ(edit->SelStart(), 0);
  EXPECT_EQ(edit->SelLength(), 2);
  edit->SetSelStart(3);
  edit->Perform(WM_SETREDRAW, true, 0);
  EXPECT_EQ(edit->SelStart(), 3);
  EXPECT_EQ(edit->SelLength(), 0);
  EXPECT_EQ(ColourAt(1), clBlue);
  EXPECT_EQ(ColourAt(2), clBlack);
  EXPECT_EQ(edit->Text(), "> 1+2");
  EXPECT_EQ(changes, 0);
}

TEST_F(RichEditTest, ADoubleClickIsReportedAfterTheWidgetSelectedTheWord) {
  edit->SetText("abc def");
  int selectedAtDoubleClick = -1;
  edit->OnDblClick = [&](TObject*) { selectedAtDoubleClick = edit->SelLength(); };
  DoubleClick(edit->Handle(), {8, edit->ClientHeight() / 2});
  EXPECT_EQ(selectedAtDoubleClick, 3) << "the word abc";
}

}  // namespace
