#include "ui/Window.h"

#include "ui/Control.h"
#include "ui/Resources.h"

namespace varkam::ui {

Window::~Window() {
  if (handle_ != nullptr) {
    SetWindowLongPtrW(handle_, GWLP_USERDATA, 0);
    DestroyWindow(handle_);
  }
}

void Window::DestroyHandle() {
  if (handle_ != nullptr) {
    DestroyWindow(handle_);
  }
}

int DpiOf(HWND window) {
  // Looked up at run time: older systems have no dpi of their own for each window.
  using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);
  static const auto getDpiForWindow = reinterpret_cast<GetDpiForWindowFunction>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetDpiForWindow")));
  int dpi = getDpiForWindow != nullptr && window != nullptr
                ? static_cast<int>(getDpiForWindow(window))
                : 0;
  if (dpi <= 0) {
    const ScreenDeviceContext screen;
    dpi = GetDeviceCaps(screen.Get(), LOGPIXELSY);
  }
  return dpi > 0 ? dpi : USER_DEFAULT_SCREEN_DPI;
}

SIZE OuterSize(int width, int height, DWORD style, DWORD exStyle, int dpi) {
  using AdjustForDpiFunction = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);
  static const auto adjustForDpi = reinterpret_cast<AdjustForDpiFunction>(reinterpret_cast<void*>(
      GetProcAddress(GetModuleHandleW(L"user32.dll"), "AdjustWindowRectExForDpi")));
  RECT frame{0, 0, width, height};
  if (adjustForDpi == nullptr ||
      !adjustForDpi(&frame, style, FALSE, exStyle, static_cast<UINT>(dpi))) {
    AdjustWindowRectEx(&frame, style, FALSE, exStyle);
  }
  return {frame.right - frame.left, frame.bottom - frame.top};
}

bool Window::CreateBound(const wchar_t* className, DWORD style, DWORD exStyle, int left, int top,
                         int width, int height, HWND owner, HICON icon) {
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof windowClass;
  if (!GetClassInfoExW(GetModuleHandleW(nullptr), className, &windowClass)) {
    windowClass.lpfnWndProc = Procedure;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = className;
    windowClass.hIcon = icon;
    windowClass.style = CS_DBLCLKS;
    if (!RegisterClassExW(&windowClass)) {
      return false;
    }
  }
  CreateWindowExW(exStyle, className, L"", style, left, top, width, height, owner, nullptr,
                  GetModuleHandleW(nullptr), this);
  return handle_ != nullptr;
}

LRESULT CALLBACK Window::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* self = static_cast<Window*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    self->handle_ = window;
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }
  auto* self = reinterpret_cast<Window*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (self == nullptr) {
    return DefWindowProcW(window, message, wParam, lParam);
  }
  const LRESULT result = self->Dispatch(message, wParam, lParam);
  if (message == WM_NCDESTROY) {
    SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    self->handle_ = nullptr;
  }
  return result;
}

// Notifications from child controls go to their wrappers.
LRESULT Window::Dispatch(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      if (Control* control = Control::FromHandle(reinterpret_cast<HWND>(lParam))) {
        control->OnCommand(HIWORD(wParam));
        return 0;
      }
      break;
    case WM_VSCROLL:
    case WM_HSCROLL:
      if (Control* control = Control::FromHandle(reinterpret_cast<HWND>(lParam))) {
        control->OnScroll(LOWORD(wParam));
        return 0;
      }
      break;
    case WM_NOTIFY:
      if (Control* control = Control::FromHandle(reinterpret_cast<NMHDR*>(lParam)->hwndFrom)) {
        return control->OnNotify(reinterpret_cast<NMHDR*>(lParam));
      }
      break;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
      if (Control* control = Control::FromHandle(reinterpret_cast<HWND>(lParam))) {
        if (HBRUSH brush = control->OnColor(reinterpret_cast<HDC>(wParam))) {
          return reinterpret_cast<LRESULT>(brush);
        }
      }
      break;
    default: break;
  }
  return OnMessage(message, wParam, lParam);
}

LRESULT Window::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  return Default(message, wParam, lParam);
}

LRESULT Window::Default(UINT message, WPARAM wParam, LPARAM lParam) {
  return DefWindowProcW(handle_, message, wParam, lParam);
}

std::wstring Window::Caption() const {
  return TextOf(handle_);
}

void Window::SetCaption(const std::wstring& caption) {
  SetWindowTextW(handle_, caption.c_str());
}

}  // namespace varkam::ui
