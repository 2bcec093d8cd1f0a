#include "skin/ControlRoutines.h"

#include "skin/SkinCommonData.h"
#include "skin/SkinPanel.h"
#include "tests/skin/MessageSpy.h"
#include "tests/toolkit/FormFixture.h"

namespace {

using ControlRoutinesTest = FormFixture;

TEST_F(ControlRoutinesTest, BroadcastLooksThroughAPlainPanel) {
  auto* plain = new TPanel(form);
  plain->SetParent(form);
  auto* skinnable = new TSkinPanel(form);
  skinnable->SetParent(plain);
  const TSeen plainSeen = Record(*plain);
  const TSeen skinnableSeen = Record(*skinnable);
  ShowForm();
  TMessage message{SM_SKINCMD, SkinCommand(scInvalidateCache), 0, 0};
  BroadcastToChildren(form, message);
  EXPECT_TRUE(HasSkinCommand(skinnableSeen, scInvalidateCache, 0));
  EXPECT_FALSE(HasSkinCommand(plainSeen, scInvalidateCache, 0)) << "the plain panel is only looked through";
}

TEST_F(ControlRoutinesTest, AWindowedControlWithoutHandleHearsNothing) {
  auto* panel = new TSkinPanel(form);
  const TSeen seen = Record(*panel);
  EXPECT_EQ(SendSkinCommandTo(panel, scIsSkinnable, 0), 0);
  EXPECT_TRUE(seen->empty());
  panel->SetParent(form);
  ShowForm();
  EXPECT_EQ(SendSkinCommandTo(panel, scIsSkinnable, 0), 1);
  EXPECT_TRUE(WindowAnswersOne(panel->Handle(), scIsSkinnable));
  EXPECT_FALSE(WindowAnswersOne(form->Handle(), scIsSkinnable)) << "a plain form answers 0";
}

TEST_F(ControlRoutinesTest, ColoursOfParentsAndWindows) {
  auto* plain = new TPanel(form);
  plain->SetParent(form);
  plain->SetColor(clBtnFace);
  EXPECT_EQ(ParentColorOf(plain), ColorToRGB(clBtnFace)) << "a plain control's own colour";
  EXPECT_EQ(ParentColorOf(nullptr), clSkinKey);
  auto* skinnable = new TSkinPanel(form);
  skinnable->SetParent(form);
  AnswerSkinCommand(*skinnable, scGetColor, 0x00123456);
  EXPECT_EQ(ParentColorOf(skinnable), 0x00123456U) << "a skinnable control's answer";
  ShowForm();
  EXPECT_EQ(WindowColorOf(skinnable->Handle()), 0x00123456U);
  EXPECT_EQ(WindowColorOf(nullptr), clSkinKey);
}

TEST_F(ControlRoutinesTest, APaintableControlHasAParentAndAHandle) {
  auto* panel = new TPanel(form);
  EXPECT_FALSE(ControlCanPaint(panel)) << "no parent";
  panel->SetParent(form);
  EXPECT_FALSE(ControlCanPaint(panel)) << "no handle yet";
  ShowForm();
  EXPECT_TRUE(ControlCanPaint(panel));
  EXPECT_FALSE(ControlCanPaint(nullptr));
}

TEST_F(ControlRoutinesTest, ClientRectangleInWindowCoordinates) {
  auto* panel = new TPanel(form);
  panel->SetParent(form);
  panel->SetBounds(10, 10, 100, 50);
  panel->SetBorderStyle(bsSingle);
  ShowForm();
  TRect rect;
  ClientRectInWindow(panel->Handle(), rect);
  EXPECT_EQ(rect, (TRect{2, 2, 98, 48})) << "inside the sunken edge";
}

}  // namespace
