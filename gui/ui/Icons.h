#pragma once

#include <windows.h>

namespace cvn::ui {

// A filled circle of `color` on a transparent square; the caller destroys the icon.
HICON CreateDotIcon(int size, COLORREF color);

}  // namespace cvn::ui
