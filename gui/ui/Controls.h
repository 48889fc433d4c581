// The standard controls the forms use, each a thin wrapper created on a form.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <string>

#include "Form.h"
#include "Window.h"

namespace cvn::ui {

class Label : public Window {
 public:
  void Create(Form& form, const std::string& caption, int left, int top, int width, int height, DWORD style = SS_LEFT) {
    handle_ = form.CreateChild("STATIC", caption, style, 0, left, top, width, height);
  }
};

class Button : public Window {
 public:
  void Create(Form& form, const std::string& caption, int left, int top, int width, int height) {
    handle_ = form.CreateChild("BUTTON", caption, BS_PUSHBUTTON | WS_TABSTOP, 0, left, top, width, height);
    form.OnCommand(handle_, [this] {
      if (onClick) onClick();
    });
  }
  std::function<void()> onClick;
};

class ProgressBar : public Window {
 public:
  void Create(Form& form, int left, int top, int width, int height) {
    handle_ = form.CreateChild(PROGRESS_CLASSA, "", PBS_SMOOTH, 0, left, top, width, height);
  }
  void SetMax(int max) const { Send(PBM_SETRANGE32, 0, max); }
  void SetStep(int step) const { Send(PBM_SETSTEP, step); }
  void StepIt() const { Send(PBM_STEPIT); }
  void SetPosition(int position) const { Send(PBM_SETPOS, position); }
  int Position() const { return static_cast<int>(Send(PBM_GETPOS)); }
};

// An image list of small icons; owns its HIMAGELIST.
class ImageList {
 public:
  ImageList() = default;
  ~ImageList() {
    if (list_) ImageList_Destroy(list_);
  }
  ImageList(const ImageList&) = delete;
  ImageList& operator=(const ImageList&) = delete;

  void Create(int width, int height) { list_ = ImageList_Create(width, height, ILC_COLOR32 | ILC_MASK, 8, 8); }
  int AddIcon(HICON icon) const { return ImageList_AddIcon(list_, icon); }
  int Count() const { return ImageList_GetImageCount(list_); }
  HIMAGELIST Handle() const { return list_; }

 private:
  HIMAGELIST list_ = nullptr;
};

// A report-style list view.
class ListView : public Window {
 public:
  void Create(Form& form, int left, int top, int width, int height, DWORD style, DWORD listExStyle);
  void AddColumn(int width) const;
  void SetSmallImages(const ImageList& images) const { Send(LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(images.Handle())); }
  int AddItem(const std::string& caption, int image) const;
  void SetSubItem(int item, int column, const std::string& text) const;
  void SetImage(int item, int image) const;
  void EnsureVisible(int item) const { Send(LVM_ENSUREVISIBLE, item, FALSE); }
  int Count() const { return static_cast<int>(Send(LVM_GETITEMCOUNT)); }
  std::string Text(int item, int column) const;
  int Image(int item) const;
};

// A timer of a form: raises onTimer every interval while enabled.
class Timer {
 public:
  void Create(Form& form, UINT intervalMs, bool enabled);
  void SetInterval(UINT intervalMs);
  UINT Interval() const { return interval_; }
  void SetEnabled(bool enabled);
  bool Enabled() const { return enabled_; }
  std::function<void()> onTimer;

 private:
  HWND owner_ = nullptr;
  UINT_PTR id_ = 0;
  UINT interval_ = 0;
  bool enabled_ = false;
};

}  // namespace cvn::ui
