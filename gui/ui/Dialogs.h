// Every message box and modal form passes through one replaceable seam, so tests can
// answer a question or drive a modal form without a window manager.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace cvn::ui {

class Form;

class DialogSeam {
 public:
  virtual ~DialogSeam() = default;
  // MessageBoxA's flags and results; `at` places the box's top-left corner on the screen.
  virtual int ShowMessageBox(HWND owner, const std::string& text, const std::string& caption, UINT flags,
                         std::optional<POINT> at) = 0;
  // Runs `form` modally and returns its modal result.
  virtual int ShowModal(Form& form) = 0;
};

// Replaces the seam; nullptr restores the real message boxes and modal loops.
void SetDialogSeam(DialogSeam* seam);

int ShowMessage(HWND owner, const std::string& text, const std::string& caption, UINT flags,
                std::optional<POINT> at = std::nullopt);
int ShowModal(Form& form);

}  // namespace cvn::ui
