#pragma once
// The product path: a skinnable control without any skin manager must pass
// every message to its inherited procedure except a few skin commands, and
// look exactly like the plain control beside it.

#include <algorithm>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "skin/SkinCommonData.h"
#include "tests/skin/MessageSpy.h"
#include "toolkit/controls/Application.h"
#include "toolkit/gdi/Bitmap.h"
#include "toolkit/gdi/Canvas.h"
#include "toolkit/win/ControlMessages.h"
#include "toolkit/win/MessageQueue.h"
#include "toolkit/win/Paint.h"

// Sends each message through the control's window method and through its
// window's procedure, and expects it to reach the inherited procedure both
// times unless it is a skin command whose sub-command is in kept.
template <class Control>
void ExpectMessagesPassedOn(TSpied<Control>& control, const std::vector<WORD>& kept) {
  TBitmap target(40, 30, pf24bit);
  const auto dc = reinterpret_cast<WPARAM>(target.Canvas().Handle());
  NMTOOLBAR notification;
  notification.hdr = {control.Handle(), 0, TBN_DELETINGBUTTON};
  notification.iItem = 99;
  TBackdropQuery query;
  struct TCase {
    std::string Name;
    TMessage Message;
  };
  std::vector<TCase> cases = {
      {"WM_ERASEBKGND", {WM_ERASEBKGND, dc, 0, 0}},
      {"WM_PRINT", {WM_PRINT, dc, PRF_CLIENT | PRF_NONCLIENT, 0}},
      {"WM_NCPAINT", {WM_NCPAINT, 1, 0, 0}},
      {"WM_PAINT", {WM_PAINT, 0, 0, 0}},
      {"CN_NOTIFY", {CN_NOTIFY, 0, reinterpret_cast<LPARAM>(&notification), 0}},
      {"WM_MOUSEMOVE", {WM_MOUSEMOVE, 0, MAKELPARAM(300, 5), 0}},
      {"WM_SETCURSOR", {WM_SETCURSOR, reinterpret_cast<WPARAM>(control.Handle()), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE), 0}},
      {"WM_SIZE", {WM_SIZE, SIZE_RESTORED, MAKELPARAM(control.ClientWidth(), control.ClientHeight()), 0}},
      {"WM_MOVE", {WM_MOVE, 0, 0, 0}},
      {"CM_TEXTCHANGED", {CM_TEXTCHANGED, 0, 0, 0}},
      {"CM_COLORCHANGED", {CM_COLORCHANGED, 0, 0, 0}},
      {"CM_ENABLEDCHANGED", {CM_ENABLEDCHANGED, 0, 0, 0}},
      {"CM_MOUSEENTER", {CM_MOUSEENTER, 0, 0, 0}},
      {"CM_MOUSELEAVE", {CM_MOUSELEAVE, 0, 0, 0}},
  };
  for (WORD sub : {scSkinApplied, scSkinRemoved, scSkinChanged, scResumePainting, scIsSkinnable,
                   scIsPaintingSuspended, scHasComplexBackground, scGetColor, scGetSection, scGetBackdrop,
                   scPlainBackground, scGetApplication}) {
    const LPARAM lParam = sub == scGetBackdrop ? reinterpret_cast<LPARAM>(&query) : 0;
    cases.push_back({"SM_SKINCMD " + std::to_string(sub), {SM_SKINCMD, SkinCommand(sub), lParam, 0}});
  }
  for (const TCase& c : cases) {
    const bool isKept = c.Message.Msg == SM_SKINCMD &&
                        std::find(kept.begin(), kept.end(), SubCommandOf(c.Message.WParam)) != kept.end();
    for (const bool throughWindow : {false, true}) {
      control.Reached.clear();
      if (throughWindow)
        SendMessage(control.Handle(), c.Message.Msg, c.Message.WParam, c.Message.LParam);
      else
        control.Perform(c.Message.Msg, c.Message.WParam, c.Message.LParam);
      const bool reached = std::any_of(control.Reached.begin(), control.Reached.end(), [&c](const TMessage& m) {
        return m.Msg == c.Message.Msg && m.WParam == c.Message.WParam;
      });
      EXPECT_EQ(reached, !isKept) << c.Name << (throughWindow ? " through the window" : " through WindowProc");
    }
  }
}

// The answers of the skin commands a control keeps for itself.
inline void ExpectOwnAnswers(TControl& control) {
  EXPECT_EQ(control.Perform(SM_SKINCMD, SkinCommand(scIsSkinnable), 0), 1);
  EXPECT_EQ(control.Perform(SM_SKINCMD, SkinCommand(scGetApplication), 0), reinterpret_cast<LRESULT>(&Application()));
  EXPECT_EQ(control.Perform(SM_SKINCMD, SkinCommand(scGetSection), 0), 0) << "not skinned";
}

// How many pixels differ; images of another size differ everywhere.
inline int DifferentPixels(const TGdiBitmap& a, const TGdiBitmap& b) {
  if (a.Width() != b.Width() || a.Height() != b.Height()) return a.Width() * a.Height() + 1;
  int count = 0;
  for (int y = 0; y < a.Height(); ++y)
    for (int x = 0; x < a.Width(); ++x)
      if (a.Pixel(x, y) != b.Pixel(x, y)) ++count;
  return count;
}
