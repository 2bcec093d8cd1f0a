#pragma once
// Message spies. TSpied<Control> records every message that reaches the
// control's inherited procedure (its handlers, in Dispatch); Record puts a
// recorder in front of a control's window method.

#include <algorithm>
#include <memory>
#include <vector>

#include "skin/SkinCommonData.h"
#include "toolkit/controls/Control.h"

template <class Control>
class TSpied : public Control {
public:
  using Control::Control;
  std::vector<TMessage> Reached;

  bool HasReached(UINT msg) const {
    return std::any_of(Reached.begin(), Reached.end(), [msg](const TMessage& m) { return m.Msg == msg; });
  }
  // Whether a skin command with this sub-command reached it.
  bool HasReachedSkinCommand(WORD sub) const {
    return std::any_of(Reached.begin(), Reached.end(),
                       [sub](const TMessage& m) { return m.Msg == SM_SKINCMD && SubCommandOf(m.WParam) == sub; });
  }

protected:
  void Dispatch(TMessage& message) override {
    Reached.push_back(message);
    Control::Dispatch(message);
  }
};

// What a recorder saw; it lives as long as the control's window method.
using TSeen = std::shared_ptr<std::vector<TMessage>>;

// Every message through control's window method lands in the answer first.
inline TSeen Record(TControl& control) {
  auto seen = std::make_shared<std::vector<TMessage>>();
  control.WindowProc = [&control, seen](TMessage& message) {
    seen->push_back(message);
    control.WndProc(message);
  };
  return seen;
}

inline bool HasSkinCommand(const TSeen& seen, WORD sub, LPARAM lParam) {
  return std::any_of(seen->begin(), seen->end(), [sub, lParam](const TMessage& m) {
    return m.Msg == SM_SKINCMD && SubCommandOf(m.WParam) == sub && m.LParam == lParam;
  });
}

// The control answers the sub-command itself; everything else goes on as before.
inline void AnswerSkinCommand(TControl& control, WORD sub, LRESULT answer) {
  control.WindowProc = [&control, sub, answer](TMessage& message) {
    if (message.Msg == SM_SKINCMD && SubCommandOf(message.WParam) == sub)
      message.Result = answer;
    else
      control.WndProc(message);
  };
}
