// A top-level window that owns its controls and handlers. One window procedure stores the
// form's `this` and forwards every message; no exception escapes into Windows.
#pragma once

#include <windows.h>

#include <functional>
#include <map>
#include <string>

#include "Window.h"

namespace cvn::ui {

class Form : public Window {
 public:
  Form() = default;
  virtual ~Form();
  Form(const Form&) = delete;
  Form& operator=(const Form&) = delete;

  // Creates the window, hidden. `style` is a WS_ combination for the frame.
  void CreateForm(const std::string& caption, int clientWidth, int clientHeight, DWORD style,
                  HWND owner = nullptr);
  void Show() const { ShowWindow(handle_, SW_SHOW); }
  void CenterOver(HWND other) const;
  // Asks the form to close, as the close box does (CloseQuery may refuse).
  void Close() const { PostMessageA(handle_, WM_CLOSE, 0, 0); }

  // With key preview on, the form sees key presses before the focused control does.
  bool keyPreview = false;

  // Modal use: ShowModal (Dialogs.h) runs this until a modal result is set.
  int RunModalLoop();
  void SetModalResult(int result) { modalResult_ = result; }
  int ModalResult() const { return modalResult_; }

  // For controls: a new child window and the handlers it raises.
  HWND CreateChild(const char* windowClass, const std::string& text, DWORD style, DWORD exStyle, int left,
                   int top, int width, int height);
  void OnCommand(HWND child, std::function<void()> handler) { commands_[child] = std::move(handler); }
  UINT_PTR AddTimer(std::function<void()> handler);
  void SetStaticColors(HWND child, COLORREF text, COLORREF background);

  // The form a window belongs to, if any.
  static Form* FromWindow(HWND window);
  // Key preview: true when the form handled the key.
  virtual bool KeyDown(WPARAM key) { (void)key; return false; }

 protected:
  // False keeps the form open.
  virtual bool CloseQuery() { return true; }
  // The window is about to be destroyed.
  virtual void Closed() {}
  virtual LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

 private:
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

  struct StaticColors {
    COLORREF text;
    HBRUSH background;
  };

  std::map<HWND, std::function<void()>> commands_;
  std::map<UINT_PTR, std::function<void()>> timers_;
  std::map<HWND, StaticColors> staticColors_;
  int nextChildId_ = 100;
  UINT_PTR nextTimerId_ = 1;
  int modalResult_ = 0;
};

}  // namespace cvn::ui
