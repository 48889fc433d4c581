// Answers message boxes in tests: records each one and gives the next scripted answer.
#pragma once

#include <deque>
#include <string>
#include <vector>

#include "gui/ui/Dialogs.h"

namespace cvn::test {

class ScriptedDialogs : public ui::DialogSeam {
 public:
  ScriptedDialogs() { ui::SetDialogSeam(this); }
  ~ScriptedDialogs() override { ui::SetDialogSeam(nullptr); }

  std::deque<int> answers;  // IDOK when none is left
  std::vector<std::string> shown;

  int ShowMessageBox(HWND, const std::string& text, const std::string&, UINT, std::optional<POINT>) override {
    shown.push_back(text);
    if (answers.empty()) return IDOK;
    const int answer = answers.front();
    answers.pop_front();
    return answer;
  }
  int ShowModal(ui::Form&) override { return IDCANCEL; }
};

}  // namespace cvn::test
