// A non-owning wrapper of one window: each method is a single call through to Win32.
#pragma once

#include <windows.h>

#include <string>

namespace cvn::ui {

class Window {
 public:
  Window() = default;
  explicit Window(HWND handle) : handle_(handle) {}

  HWND Handle() const { return handle_; }
  bool Exists() const { return handle_ != nullptr && IsWindow(handle_); }

  void SetCaption(const std::string& text) const { SetWindowTextA(handle_, text.c_str()); }
  std::string Caption() const;
  void SetEnabled(bool enabled) const { EnableWindow(handle_, enabled); }
  bool Enabled() const { return IsWindowEnabled(handle_) != FALSE; }
  void SetVisible(bool visible) const { ShowWindow(handle_, visible ? SW_SHOW : SW_HIDE); }
  bool Visible() const { return IsWindowVisible(handle_) != FALSE; }
  void SetBounds(int left, int top, int width, int height) const {
    MoveWindow(handle_, left, top, width, height, TRUE);
  }
  RECT Bounds() const;
  void Repaint() const { UpdateWindow(handle_); }
  LRESULT Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
    return SendMessageA(handle_, message, wParam, lParam);
  }

 protected:
  HWND handle_ = nullptr;
};

}  // namespace cvn::ui
