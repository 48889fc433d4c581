// The message loop of the program's one user-interface thread.
#pragma once

#include <windows.h>

#include <string>

namespace cvn::ui {

// Handles every pending message, then returns: long waits call it between slices.
void ProcessMessages();
// Runs until `window` is destroyed.
void RunUntilClosed(HWND window);
// The general error display: an error box for what a handler could not handle itself.
void ShowError(const std::string& text);

}  // namespace cvn::ui
