#include "Icons.h"

namespace cvn::ui {

HICON CreateDotIcon(int size, COLORREF color) {
  const HDC screen = GetDC(nullptr);
  const HDC dc = CreateCompatibleDC(screen);
  const HBITMAP image = CreateCompatibleBitmap(screen, size, size);
  const HBITMAP mask = CreateBitmap(size, size, 1, 1, nullptr);
  ReleaseDC(nullptr, screen);

  // Mask: white (transparent) everywhere but the circle.
  HGDIOBJ previous = SelectObject(dc, mask);
  PatBlt(dc, 0, 0, size, size, WHITENESS);
  SelectObject(dc, GetStockObject(BLACK_BRUSH));
  SelectObject(dc, GetStockObject(BLACK_PEN));
  Ellipse(dc, 0, 0, size, size);

  SelectObject(dc, image);
  PatBlt(dc, 0, 0, size, size, BLACKNESS);
  const HBRUSH brush = CreateSolidBrush(color);
  const HPEN pen = CreatePen(PS_SOLID, 1, color);
  SelectObject(dc, brush);
  SelectObject(dc, pen);
  Ellipse(dc, 0, 0, size, size);
  SelectObject(dc, previous);

  ICONINFO info{TRUE, 0, 0, mask, image};
  const HICON icon = CreateIconIndirect(&info);
  DeleteObject(brush);
  DeleteObject(pen);
  DeleteObject(image);
  DeleteObject(mask);
  DeleteDC(dc);
  return icon;
}

}  // namespace cvn::ui
