#include "Dialogs.h"

#include "Form.h"

namespace cvn::ui {
namespace {

// Moves the next message box of this thread to a given corner as it is activated.
thread_local POINT boxCorner;
thread_local HHOOK boxHook = nullptr;

LRESULT CALLBACK PlaceBox(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HCBT_ACTIVATE) {
    SetWindowPos(reinterpret_cast<HWND>(wParam), nullptr, boxCorner.x, boxCorner.y, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    UnhookWindowsHookEx(boxHook);
    boxHook = nullptr;
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

class RealDialogs : public DialogSeam {
 public:
  int ShowMessageBox(HWND owner, const std::string& text, const std::string& caption, UINT flags,
                 std::optional<POINT> at) override {
    if (at) {
      boxCorner = *at;
      boxHook = SetWindowsHookExA(WH_CBT, PlaceBox, nullptr, GetCurrentThreadId());
    }
    const int result = MessageBoxA(owner, text.c_str(), caption.c_str(), flags);
    if (boxHook) {
      UnhookWindowsHookEx(boxHook);
      boxHook = nullptr;
    }
    return result;
  }
  int ShowModal(Form& form) override { return form.RunModalLoop(); }
};

RealDialogs realDialogs;
DialogSeam* current = &realDialogs;

}  // namespace

void SetDialogSeam(DialogSeam* seam) { current = seam ? seam : &realDialogs; }

int ShowMessage(HWND owner, const std::string& text, const std::string& caption, UINT flags,
                std::optional<POINT> at) {
  return current->ShowMessageBox(owner, text, caption, flags, at);
}

int ShowModal(Form& form) { return current->ShowModal(form); }

}  // namespace cvn::ui
