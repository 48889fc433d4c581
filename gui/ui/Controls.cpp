#include "Controls.h"

#include <vector>

namespace cvn::ui {

void ListView::Create(Form& form, int left, int top, int width, int height, DWORD style, DWORD listExStyle) {
  handle_ = form.CreateChild(WC_LISTVIEWA, "", LVS_REPORT | style, WS_EX_CLIENTEDGE, left, top, width, height);
  Send(LVM_SETEXTENDEDLISTVIEWSTYLE, listExStyle, listExStyle);
}

void ListView::AddColumn(int width) const {
  LVCOLUMNA column{};
  column.mask = LVCF_WIDTH;
  column.cx = width;
  Send(LVM_INSERTCOLUMNA, 1000, reinterpret_cast<LPARAM>(&column));
}

int ListView::AddItem(const std::string& caption, int image) const {
  LVITEMA item{};
  item.mask = LVIF_TEXT | LVIF_IMAGE;
  item.iItem = Count();
  item.pszText = const_cast<char*>(caption.c_str());
  item.iImage = image;
  return static_cast<int>(Send(LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
}

void ListView::SetSubItem(int item, int column, const std::string& text) const {
  LVITEMA sub{};
  sub.iSubItem = column;
  sub.pszText = const_cast<char*>(text.c_str());
  Send(LVM_SETITEMTEXTA, item, reinterpret_cast<LPARAM>(&sub));
}

void ListView::SetImage(int item, int image) const {
  LVITEMA row{};
  row.mask = LVIF_IMAGE;
  row.iItem = item;
  row.iImage = image;
  Send(LVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&row));
}

std::string ListView::Text(int item, int column) const {
  std::vector<char> buffer(1024);
  LVITEMA row{};
  row.iSubItem = column;
  row.pszText = buffer.data();
  row.cchTextMax = static_cast<int>(buffer.size());
  const auto length = Send(LVM_GETITEMTEXTA, item, reinterpret_cast<LPARAM>(&row));
  return std::string(buffer.data(), static_cast<std::size_t>(length));
}

int ListView::Image(int item) const {
  LVITEMA row{};
  row.mask = LVIF_IMAGE;
  row.iItem = item;
  Send(LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&row));
  return row.iImage;
}

void Timer::Create(Form& form, UINT intervalMs, bool enabled) {
  owner_ = form.Handle();
  id_ = form.AddTimer([this] {
    if (onTimer) onTimer();
  });
  interval_ = intervalMs;
  SetEnabled(enabled);
}

void Timer::SetInterval(UINT intervalMs) {
  interval_ = intervalMs;
  if (enabled_) SetTimer(owner_, id_, interval_, nullptr);
}

void Timer::SetEnabled(bool enabled) {
  enabled_ = enabled;
  if (enabled) SetTimer(owner_, id_, interval_, nullptr);
  else KillTimer(owner_, id_);
}

}  // namespace cvn::ui
