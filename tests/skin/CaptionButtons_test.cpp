// The glyphs a skinned caption's buttons take from the skin, and the
// records behind the hit codes.

#include <gtest/gtest.h>

#include "skin/forms/CaptionButtons.h"
#include "tests/skin/TestSkinFixture.h"
#include "toolkit/win/Messages.h"

namespace {

class CaptionButtonsTest : public TestSkinFixture {
protected:
  int Global(const char* name) const { return manager.MaskIndexOfNames("GLOBALINFO", name); }
  // The test skin with these "GLOBALINFO" keys taken out, loaded.
  void LoadWithout(std::initializer_list<const char*> keys) {
    std::string text = TestSkinOptions();
    for (const char* key : keys) {
      const size_t at = text.find(std::string("\n") + key + "=");
      ASSERT_NE(at, std::string::npos) << key;
      text.erase(at + 1, text.find('\n', at + 1) - at);
    }
    WriteOptions(text);
    manager.LoadSkin();
  }
  void ExpectButton(const TCaptionButtonData& button, const char* mask, bool aligned, const char* which) const {
    EXPECT_EQ(button.ImageIndex, mask ? Global(mask) : -1) << which;
    EXPECT_EQ(button.Aligned, aligned) << which;
  }

  TCaptionButtons buttons;
};

struct TGlyphCase {
  bool Big, MdiFrame;
  const char *Min, *Max, *Close, *Help, *ChildMin, *ChildMax, *ChildClose;
  bool Aligned, ChildAligned;
};

TEST_F(CaptionButtonsTest, BigOrSmallGlyphsByTheFormAndTheChildButtonsOnlyForMdiFrames) {
  const TGlyphCase cases[] = {
      {true, false, "BICONMIN", "BICONMAX", "BICONCLOSE", "BICONHELP", nullptr, nullptr, nullptr, true, false},
      {false, false, "SICONMIN", "SICONMAX", "SICONCLOSE", "SICONHELP", nullptr, nullptr, nullptr, false, false},
      {true, true, "BICONMIN", "BICONMAX", "BICONCLOSE", "BICONHELP", "SICONMIN", "SICONMAX", "SICONCLOSE", true,
       false},
      {false, true, "SICONMIN", "SICONMAX", "SICONCLOSE", "SICONHELP", "SICONMIN", "SICONMAX", "SICONCLOSE", false,
       false},
  };
  for (const TGlyphCase& c : cases) {
    SCOPED_TRACE(testing::Message() << "big " << c.Big << ", MDI frame " << c.MdiFrame);
    buttons = {};
    PickCaptionGlyphs(buttons, manager, c.Big, c.MdiFrame);
    ExpectButton(buttons.MinButton, c.Min, c.Aligned, "min");
    ExpectButton(buttons.MaxButton, c.Max, c.Aligned, "max");
    ExpectButton(buttons.CloseButton, c.Close, c.Aligned, "close");
    ExpectButton(buttons.HelpButton, c.Help, c.Aligned, "help");
    ExpectButton(buttons.ChildMinButton, c.ChildMin, c.ChildAligned, "child min");
    ExpectButton(buttons.ChildMaxButton, c.ChildMax, c.ChildAligned, "child max");
    ExpectButton(buttons.ChildCloseButton, c.ChildClose, c.ChildAligned, "child close");
    EXPECT_EQ(buttons.UserButtonMask, Global("TITLEBUTTON"));
    EXPECT_GE(buttons.UserButtonMask, 0);
  }
}

TEST_F(CaptionButtonsTest, ASkinWithoutSmallGlyphsGivesEveryButtonTheBigOnesAligned) {
  LoadWithout({"SICONCLOSE", "SICONMIN", "SICONMAX", "SICONHELP", "SICONNORM"});
  PickCaptionGlyphs(buttons, manager, false, true);
  ExpectButton(buttons.CloseButton, "BICONCLOSE", true, "close");
  ExpectButton(buttons.HelpButton, "BICONHELP", true, "help");
  ExpectButton(buttons.ChildMinButton, "BICONMIN", true, "child min");
  ExpectButton(buttons.ChildCloseButton, "BICONCLOSE", true, "child close");
}

TEST_F(CaptionButtonsTest, MissingSmallPiecesFallBackOnTheBigOnes) {
  LoadWithout({"SICONHELP", "SICONMIN"});
  PickCaptionGlyphs(buttons, manager, false, true);
  ExpectButton(buttons.HelpButton, "BICONHELP", false, "help: the big glyph, not aligned");
  ExpectButton(buttons.MinButton, nullptr, false, "min");
  // Without a small child minimize the child buttons copy the form's own, aligned.
  ExpectButton(buttons.ChildMinButton, nullptr, true, "child min");
  ExpectButton(buttons.ChildMaxButton, "SICONMAX", true, "child max");
  ExpectButton(buttons.ChildCloseButton, "SICONCLOSE", true, "child close");
}

TEST_F(CaptionButtonsTest, NothingWithoutGlobalInfoOrForADesignedManager) {
  manager.SetDesigning(true);
  PickCaptionGlyphs(buttons, manager, false, true);
  EXPECT_EQ(buttons.ChildCloseButton.ImageIndex, -1) << "no child buttons while designing";
  EXPECT_EQ(buttons.CloseButton.ImageIndex, Global("SICONCLOSE"));

  std::string text = TestSkinOptions();
  text.replace(text.find("[GLOBALINFO]"), 12, "[OTHERINFO]");
  WriteOptions(text);
  manager.SetDesigning(false);
  manager.LoadSkin();
  TCaptionButtons untouched;
  untouched.CloseButton.ImageIndex = 7;
  PickCaptionGlyphs(untouched, manager, true, true);
  EXPECT_EQ(untouched.CloseButton.ImageIndex, 7);
  EXPECT_EQ(untouched.UserButtonMask, -1);
}

TEST(CaptionButtonRecords, HitCodesNameTheirRecords) {
  TCaptionButtons buttons;
  const std::pair<int, TCaptionButtonData*> codes[] = {
      {HTMINBUTTON, &buttons.MinButton},        {HTMAXBUTTON, &buttons.MaxButton},
      {HTCLOSE, &buttons.CloseButton},          {HTHELP, &buttons.HelpButton},
      {HTCHILDCLOSE, &buttons.ChildCloseButton}, {HTCHILDMAX, &buttons.ChildMaxButton},
      {HTCHILDMIN, &buttons.ChildMinButton}};
  for (const auto& [code, record] : codes) EXPECT_EQ(buttons.ButtonOfCode(code), record) << code;
  for (int code : {0, HTCAPTION, HTSYSMENU, HTUSERBUTTON, HTUSERBUTTON + 1}) EXPECT_EQ(buttons.ButtonOfCode(code), nullptr);
}

}  // namespace
