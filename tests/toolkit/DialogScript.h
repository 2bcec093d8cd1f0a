#pragma once
// Common dialogs answered from a script while the object lives: each request
// is recorded and gets the next scripted answer; a request beyond the
// script fails the test and answers as cancelled.

#include <deque>
#include <vector>

#include <gtest/gtest.h>

#include "toolkit/controls/Dialogs.h"

class TScriptedDialogs : public ICommonDialogs {
public:
  TScriptedDialogs() : previous_(CommonDialogs()) { SetCommonDialogs(this); }
  ~TScriptedDialogs() override { SetCommonDialogs(previous_); }

  void Script(TDialogAnswer answer) { answers_.push_back(std::move(answer)); }
  void ScriptCancel() { answers_.push_back({}); }

  TDialogAnswer Run(const TDialogRequest& request) override {
    Requests.push_back(request);
    if (answers_.empty()) {
      ADD_FAILURE() << "unscripted dialog \"" << request.Title << "\"";
      return {};
    }
    TDialogAnswer answer = std::move(answers_.front());
    answers_.pop_front();
    return answer;
  }

  std::vector<TDialogRequest> Requests;

private:
  std::deque<TDialogAnswer> answers_;
  ICommonDialogs* previous_;
};
