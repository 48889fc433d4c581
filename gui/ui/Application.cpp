#include "Application.h"

#include "Dialogs.h"
#include "Form.h"

namespace cvn::ui {
namespace {

void Dispatch(MSG& msg) {
  if (msg.message == WM_KEYDOWN) {
    Form* form = Form::FromWindow(msg.hwnd);
    if (form && form->keyPreview && form->KeyDown(msg.wParam)) return;
  }
  TranslateMessage(&msg);
  DispatchMessageA(&msg);
}

}  // namespace

void ProcessMessages() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(msg.wParam));
      return;
    }
    Dispatch(msg);
  }
}

void RunUntilClosed(HWND window) {
  MSG msg;
  while (IsWindow(window) && GetMessageA(&msg, nullptr, 0, 0) > 0) Dispatch(msg);
}

void ShowError(const std::string& text) { ShowMessage(nullptr, text, "Corvane", MB_OK | MB_ICONERROR); }

}  // namespace cvn::ui
