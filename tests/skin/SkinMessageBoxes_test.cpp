#include "skin/SkinMessageBoxes.h"

#include <stdexcept>

#include <gtest/gtest.h>

namespace {

// Answers every box with IDOK and remembers it, with the place requested while it was open.
class TRecordedBoxes : public IMessageBoxes {
public:
  TRecordedBoxes() : previous_(MessageBoxes()) { SetMessageBoxes(this); }
  ~TRecordedBoxes() override { SetMessageBoxes(previous_); }

  int Show(HWND, const std::string& text, const std::string& caption, UINT type) override {
    Text = text;
    Caption = caption;
    Type = type;
    PositionDuring = RequestedBoxPosition();
    if (Fails) throw std::runtime_error("no desktop");
    return IDOK;
  }

  std::string Text;
  std::string Caption;
  UINT Type = 0xFFFF;
  TPoint PositionDuring;
  bool Fails = false;

private:
  IMessageBoxes* previous_;
};

TEST(SkinMessageBoxes, TypeAndButtonsChooseCaptionIconAndButtons) {
  TRecordedBoxes boxes;
  const struct {
    TMsgDlgButtons Buttons;
    TMsgDlgType Type;
    const char* Caption;
    UINT Flags;
  } cases[] = {
      {mbAbort | mbRetry | mbIgnore, mtError, "Error", MB_ABORTRETRYIGNORE | MB_ICONERROR},
      {mbOK | mbCancel, mtConfirmation, "Confirm", MB_OKCANCEL | MB_ICONQUESTION},
      {mbYes | mbNo | mbHelp, mtInformation, "Information", MB_YESNO | MB_ICONINFORMATION | MB_HELP},
      {mbYes | mbNo | mbCancel, mtWarning, "Warning", MB_YESNOCANCEL | MB_ICONWARNING},
      {mbRetry | mbCancel, mtCustom, "", MB_RETRYCANCEL},
      {mbOK | mbYes, mtCustom, "", MB_OK},
      {mbIgnore, mtError, "Error", MB_ABORTRETRYIGNORE | MB_ICONERROR},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(MessageBoxOfType("text", c.Type, c.Buttons, 0), IDOK);
    EXPECT_EQ(boxes.Caption, c.Caption) << c.Buttons;
    EXPECT_EQ(boxes.Type, c.Flags) << c.Buttons;
  }
  ShowWarning("careful");
  EXPECT_EQ(boxes.Caption, "Warning");
  EXPECT_EQ(boxes.Type, MB_OK | MB_ICONWARNING);
  EXPECT_EQ(boxes.Text, "careful");
  ShowError("broken");
  EXPECT_EQ(boxes.Type, MB_OK | MB_ICONERROR);
  MessageBoxOfTypeAt("Own caption", "text", mtError, mbOK, 0, -1, -1);
  EXPECT_EQ(boxes.Caption, "Own caption") << "a given caption wins";
}

TEST(SkinMessageBoxes, TheRequestedPlaceHoldsOnlyWhileTheBoxIsOpen) {
  TRecordedBoxes boxes;
  EXPECT_EQ(RequestedBoxPosition(), (TPoint{-1, -1}));
  MessageBoxOfTypeAt("", "text", mtWarning, mbOK, 0, 200, 150);
  EXPECT_EQ(boxes.PositionDuring, (TPoint{200, 150}));
  EXPECT_EQ(RequestedBoxPosition(), (TPoint{-1, -1}));
  boxes.Fails = true;
  EXPECT_THROW(MessageBoxOfTypeAt("", "text", mtWarning, mbOK, 0, 30, 40), std::runtime_error);
  EXPECT_EQ(boxes.PositionDuring, (TPoint{30, 40}));
  EXPECT_EQ(RequestedBoxPosition(), (TPoint{-1, -1})) << "put back also after a box that raised";
}

}  // namespace
