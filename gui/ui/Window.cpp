#include "Window.h"

namespace cvn::ui {

std::string Window::Caption() const {
  std::string text(static_cast<std::size_t>(GetWindowTextLengthA(handle_)) + 1, '\0');
  text.resize(static_cast<std::size_t>(GetWindowTextA(handle_, text.data(), static_cast<int>(text.size()))));
  return text;
}

RECT Window::Bounds() const {
  RECT rect{};
  GetWindowRect(handle_, &rect);
  return rect;
}

}  // namespace cvn::ui
