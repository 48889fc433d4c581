#include "Form.h"

#include "Application.h"

namespace cvn::ui {
namespace {

constexpr char kFormClass[] = "CvnForm";
constexpr char kFormProperty[] = "CvnFormThis";

void RegisterFormClass() {
  static const bool registered = [] {
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.style = CS_HREDRAW | CS_VREDRAW;
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.hIcon = LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(1));
    windowClass.lpszClassName = kFormClass;
    return RegisterClassExA(&windowClass) != 0;
  }();
  (void)registered;
}

}  // namespace

Form::~Form() {
  if (Exists()) DestroyWindow(handle_);
  for (auto& [child, colors] : staticColors_) DeleteObject(colors.background);
}

void Form::CreateForm(const std::string& caption, int clientWidth, int clientHeight, DWORD style, HWND owner) {
  RegisterFormClass();
  RECT frame{0, 0, clientWidth, clientHeight};
  AdjustWindowRectEx(&frame, style, FALSE, WS_EX_DLGMODALFRAME);
  handle_ = CreateWindowExA(WS_EX_DLGMODALFRAME, kFormClass, caption.c_str(), style, CW_USEDEFAULT, CW_USEDEFAULT,
                            frame.right - frame.left, frame.bottom - frame.top, owner, nullptr,
                            GetModuleHandleA(nullptr), nullptr);
  SetPropA(handle_, kFormProperty, this);
  SetWindowLongPtrA(handle_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Form::Procedure));
  SendMessageA(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
}

void Form::CenterOver(HWND other) const {
  RECT area{};
  if (other && IsWindowVisible(other)) GetWindowRect(other, &area);
  else SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
  const RECT own = Bounds();
  const int width = own.right - own.left, height = own.bottom - own.top;
  SetWindowPos(handle_, nullptr, area.left + (area.right - area.left - width) / 2,
               area.top + (area.bottom - area.top - height) / 2, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
}

Form* Form::FromWindow(HWND window) {
  const HWND root = window ? GetAncestor(window, GA_ROOT) : nullptr;
  return root ? static_cast<Form*>(GetPropA(root, kFormProperty)) : nullptr;
}

HWND Form::CreateChild(const char* windowClass, const std::string& text, DWORD style, DWORD exStyle, int left,
                       int top, int width, int height) {
  const HWND child = CreateWindowExA(exStyle, windowClass, text.c_str(), WS_CHILD | WS_VISIBLE | style, left, top,
                                     width, height, handle_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(nextChildId_++)),
                                     GetModuleHandleA(nullptr), nullptr);
  SendMessageA(child, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
  return child;
}

UINT_PTR Form::AddTimer(std::function<void()> handler) {
  const UINT_PTR id = nextTimerId_++;
  timers_[id] = std::move(handler);
  return id;
}

void Form::SetStaticColors(HWND child, COLORREF text, COLORREF background) {
  auto& colors = staticColors_[child];
  if (colors.background) DeleteObject(colors.background);
  colors = {text, CreateSolidBrush(background)};
  InvalidateRect(child, nullptr, TRUE);
}

int Form::RunModalLoop() {
  modalResult_ = 0;
  const HWND owner = GetWindow(handle_, GW_OWNER);
  if (owner) EnableWindow(owner, FALSE);
  Show();
  while (modalResult_ == 0 && Exists()) {
    WaitMessage();
    ProcessMessages();
  }
  if (owner) EnableWindow(owner, TRUE);
  if (Exists()) ShowWindow(handle_, SW_HIDE);
  return modalResult_;
}

LRESULT Form::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND: {
      const auto it = commands_.find(reinterpret_cast<HWND>(lParam));
      if (it != commands_.end() && HIWORD(wParam) == BN_CLICKED) {
        it->second();
        return 0;
      }
      if (LOWORD(wParam) == IDCANCEL && lParam == 0) {
        Close();
        return 0;
      }
      break;
    }
    case WM_TIMER: {
      const auto it = timers_.find(wParam);
      if (it != timers_.end()) {
        it->second();
        return 0;
      }
      break;
    }
    case WM_CTLCOLORSTATIC: {
      const auto it = staticColors_.find(reinterpret_cast<HWND>(lParam));
      if (it != staticColors_.end()) {
        SetTextColor(reinterpret_cast<HDC>(wParam), it->second.text);
        SetBkMode(reinterpret_cast<HDC>(wParam), TRANSPARENT);
        return reinterpret_cast<LRESULT>(it->second.background);
      }
      break;
    }
    case WM_CLOSE:
      if (modalResult_ == 0) modalResult_ = IDCANCEL;
      if (CloseQuery()) {
        Closed();
        DestroyWindow(handle_);
      }
      return 0;
    case WM_NCDESTROY:
      RemovePropA(handle_, kFormProperty);
      for (const auto& [id, handler] : timers_) KillTimer(handle_, id);
      break;
  }
  return DefWindowProcA(handle_, message, wParam, lParam);
}

LRESULT CALLBACK Form::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  Form* form = static_cast<Form*>(GetPropA(window, kFormProperty));
  if (!form) return DefWindowProcA(window, message, wParam, lParam);
  try {
    return form->HandleMessage(message, wParam, lParam);
  } catch (const std::exception& error) {
    ShowError(error.what());
  } catch (...) {
    ShowError("Unexpected error");
  }
  return 0;
}

}  // namespace cvn::ui
