#include "libraries/Prompt.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(InputRules, EachModeKeepsItsOwnKeys) {
  const std::string integerKeys = std::string("\b+-0123456789");
  const std::string realOnlyKeys = "Ee.";
  for (int code = 0; code < 256; ++code) {
    char key = static_cast<char>(code);
    bool integerKey = integerKeys.find(key) != std::string::npos;
    bool realKey = integerKey || realOnlyKeys.find(key) != std::string::npos;
    EXPECT_EQ(InputKeyAccepted(imInteger, key), integerKey) << "code " << code;
    EXPECT_EQ(InputKeyAccepted(imReal, key), realKey) << "code " << code;
    EXPECT_TRUE(InputKeyAccepted(imString, key)) << "code " << code;
  }
}

TEST(InputRules, TheTextMustReadInTheFieldsMode) {
  const struct {
    const char* Text;
    bool Integer;
    bool Real;
  } cases[] = {
      {"5", true, true},         {"-12", true, true},   {"$FF", true, false},  {"1e-3", false, true},
      {"0.1", false, true},      {"", false, false},    {"abc", false, false}, {"99999999999999999999", false, true},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(InputTextValid(imInteger, c.Text), c.Integer) << c.Text;
    EXPECT_EQ(InputTextValid(imReal, c.Text), c.Real) << c.Text;
    EXPECT_TRUE(InputTextValid(imString, c.Text)) << c.Text;
  }
}

TEST(InputRules, CaptionsNameTheMode) {
  EXPECT_STREQ(InputCaption(imString), " Input String");
  EXPECT_STREQ(InputCaption(imInteger), " Input Integer");
  EXPECT_STREQ(InputCaption(imReal), " Input Real");
}

TEST(MessageBoxes, ClosingTheWindowAnswersCancelWhereThereIsOne) {
  EXPECT_EQ(CloseAnswer(mfOK | mfIconError), paOK);
  for (std::uint32_t buttons : {mfOKCancel, mfYesNoCancel, mfRetryCancel, mfCancelTryContinue})
    EXPECT_EQ(CloseAnswer(buttons | mfTopmost), paCancel) << buttons;
  for (std::uint32_t buttons : {mfYesNo, mfAbortRetryIgnore}) EXPECT_EQ(CloseAnswer(buttons), paNone) << buttons;
}

TEST(HeadlessPrompt, AnswersFromItsScriptThenAsIfClosed) {
  THeadlessPrompt prompt;
  prompt.ScriptInput(paOK, "typed");
  prompt.ScriptMessageBox(paYes);

  std::string text = "default";
  EXPECT_EQ(prompt.Input(imInteger, "n", text), paOK);
  EXPECT_EQ(text, "typed");
  EXPECT_EQ(prompt.MessageBox("Caption", "Text", mfYesNo), paYes);

  text = "again";
  EXPECT_EQ(prompt.Input(imReal, "x", text), paCancel);
  EXPECT_EQ(text, "again") << "a cancelled dialog leaves the field";
  EXPECT_EQ(prompt.MessageBox("c", "t", mfOKCancel), paCancel);

  ASSERT_EQ(prompt.Requests().size(), 4u);
  const THeadlessPrompt::TRequest& first = prompt.Requests()[0];
  EXPECT_FALSE(first.IsMessageBox);
  EXPECT_EQ(first.Mode, imInteger);
  EXPECT_EQ(first.Label, "n");
  EXPECT_EQ(first.Text, "default") << "the request records what the dialog showed";
  const THeadlessPrompt::TRequest& box = prompt.Requests()[1];
  EXPECT_TRUE(box.IsMessageBox);
  EXPECT_EQ(box.Label, "Caption");
  EXPECT_EQ(box.Text, "Text");
  EXPECT_EQ(box.Flags, static_cast<std::uint32_t>(mfYesNo));
}

TEST(HeadlessPrompt, TheProcessPromptFallsBackToAHeadlessOne) {
  auto scripted = MakeCounted<THeadlessPrompt>();
  SetPrompt(scripted);
  EXPECT_EQ(GetPrompt().get(), scripted.get());
  SetPrompt(nullptr);
  CountedPtr<IPrompt> fallback = GetPrompt();
  ASSERT_TRUE(fallback);
  EXPECT_NE(fallback.get(), scripted.get());
  std::string text = "kept";
  EXPECT_EQ(fallback->Input(imString, "l", text), paCancel);
  EXPECT_EQ(text, "kept");
}

}  // namespace
