#include "toolkit/win/MessageBox.h"

#include <algorithm>

#include <gtest/gtest.h>

#include "toolkit/qt/DialogDriver.h"
#include "toolkit/qt/QtDialogs.h"
#include "toolkit/win/Keys.h"

namespace {

struct TButtonSet {
  UINT Type;
  std::vector<std::string> Buttons;  // sorted
  std::vector<int> Answers;          // of the buttons, in the same order
  int CloseAnswer;                   // 0: Esc and the close box do nothing
};

const TButtonSet ButtonSets[] = {
    {MB_OK, {"OK"}, {IDOK}, IDOK},
    {MB_OKCANCEL, {"Cancel", "OK"}, {IDCANCEL, IDOK}, IDCANCEL},
    {MB_ABORTRETRYIGNORE, {"Abort", "Ignore", "Retry"}, {IDABORT, IDIGNORE, IDRETRY}, 0},
    {MB_YESNOCANCEL, {"Cancel", "No", "Yes"}, {IDCANCEL, IDNO, IDYES}, IDCANCEL},
    {MB_YESNO, {"No", "Yes"}, {IDNO, IDYES}, 0},
    {MB_RETRYCANCEL, {"Cancel", "Retry"}, {IDCANCEL, IDRETRY}, IDCANCEL},
    {MB_CANCELTRYCONTINUE, {"Cancel", "Continue", "Try Again"}, {IDCANCEL, IDCONTINUE, IDTRYAGAIN}, IDCANCEL},
};

std::vector<std::string> Sorted(std::vector<std::string> texts) {
  std::sort(texts.begin(), texts.end());
  return texts;
}

int ShowBox(UINT type) { return QtMessageBoxes().Show(nullptr, "Text", "Caption", type); }

TEST(QtMessageBox, EachButtonSetShowsItsButtonsAndAnswersEachOne) {
  for (const TButtonSet& set : ButtonSets)
    for (size_t i = 0; i < set.Buttons.size(); ++i) {
      std::vector<std::string> shown;
      WhenModalDialogShown([&] {
        shown = ModalDialogButtons();
        EXPECT_TRUE(ClickModalDialogButton(set.Buttons[i]));
      });
      EXPECT_EQ(ShowBox(set.Type), set.Answers[i]) << "type " << set.Type << ", button " << set.Buttons[i];
      EXPECT_EQ(Sorted(shown), set.Buttons) << "type " << set.Type;
    }
}

// A box that cannot be closed stays up after Esc and the close box; a button then answers it.
TEST(QtMessageBox, EscAndTheCloseBoxAnswerOnlyWhereTheBoxHasACloseAnswer) {
  for (const TButtonSet& set : ButtonSets)
    for (const bool useEsc : {true, false}) {
      bool stillShowing = false;
      WhenModalDialogShown([&] {
        if (useEsc)
          PressModalDialogKey(VK_ESCAPE);
        else
          CloseModalDialog();
        stillShowing = ModalDialogShowing();
        if (stillShowing) ClickModalDialogButton(set.Buttons.front());
      });
      const int answer = ShowBox(set.Type);
      const std::string how = useEsc ? "Esc" : "close box";
      if (set.CloseAnswer) {
        EXPECT_FALSE(stillShowing) << how << " on type " << set.Type;
        EXPECT_EQ(answer, set.CloseAnswer) << how << " on type " << set.Type;
      } else {
        EXPECT_TRUE(stillShowing) << how << " on type " << set.Type;
        EXPECT_EQ(answer, set.Answers.front()) << how << " on type " << set.Type;
      }
    }
}

TEST(QtMessageBox, TopmostKeepsTheBoxAboveEveryWindow) {
  for (const UINT placement : {0u, MB_TOPMOST}) {
    bool onTop = false;
    WhenModalDialogShown([&] {
      onTop = ModalDialogStaysOnTop();
      ClickModalDialogButton("OK");
    });
    ShowBox(MB_OK | MB_SETFOREGROUND | placement);
    EXPECT_EQ(onTop, placement == MB_TOPMOST);
  }
}

}  // namespace
