#pragma once
// Helpers of the toolkit tests: message boxes that answer by themselves,
// running Qt's events and the window messages until nothing is waiting,
// and (Pixels.h) looking at rendered pixels.

#include <string>
#include <vector>

#include "tests/toolkit/Pixels.h"
#include "toolkit/controls/Application.h"
#include "toolkit/win/Input.h"
#include "toolkit/win/MessageBox.h"
#include "toolkit/win/Paint.h"

// Answers every box at once and remembers what each one said.
class TRecordingMessageBoxes : public IMessageBoxes {
public:
  struct TShown {
    std::string Text;
    std::string Caption;
    UINT Type;
  };

  TRecordingMessageBoxes() : previous_(MessageBoxes()) { SetMessageBoxes(this); }
  ~TRecordingMessageBoxes() override { SetMessageBoxes(previous_); }

  int Show(HWND, const std::string& text, const std::string& caption, UINT type) override {
    Shown.push_back({text, caption, type});
    return Answer;
  }

  std::vector<TShown> Shown;
  int Answer = IDOK;

private:
  IMessageBoxes* previous_;
};

// The Ctrl key held, for synthetic key strokes and clicks.
inline constexpr TInputModifiers Ctrl{.Control = true};

// Qt's events, then the messages they caused, until both are quiet.
inline void ProcessEverything() {
  for (int round = 0; round < 5; ++round) Application().ProcessMessages();
}
