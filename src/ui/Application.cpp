#include "ui/Application.h"

namespace varkam::ui {

bool Application::Create(const std::wstring& title, HICON icon) {
  const int left = GetSystemMetrics(SM_CXSCREEN) / 2;
  const int top = GetSystemMetrics(SM_CYSCREEN) / 2;
  if (!CreateBound(L"VarkamApplication",
                   WS_POPUP | WS_CAPTION | WS_CLIPSIBLINGS | WS_SYSMENU | WS_MINIMIZEBOX, 0, left,
                   top, 0, 0, nullptr, icon)) {
    return false;
  }
  SetTitle(title);
  if (icon != nullptr) {
    SendMessageW(Handle(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
  }
  return true;
}

void Application::Minimize() {
  ShowWindow(Handle(), SW_MINIMIZE);
}

LRESULT Application::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_SYSCOMMAND:
      if ((wParam & 0xFFF0) == SC_CLOSE && mainWindow_ != nullptr) {
        PostMessageW(mainWindow_, WM_CLOSE, 0, 0);
        return 0;
      }
      break;
    case WM_ACTIVATE:
      // The taskbar button activates this window; the main window is the one to work in.
      if (LOWORD(wParam) != WA_INACTIVE && mainWindow_ != nullptr && IsWindowVisible(mainWindow_) &&
          IsWindowEnabled(mainWindow_)) {
        SetActiveWindow(mainWindow_);
        return 0;
      }
      break;
    default: break;
  }
  return Default(message, wParam, lParam);
}

void Application::SetKeyboardLayouts(std::string rightToLeft, std::string leftToRight) {
  rightToLeftLayout_ = std::move(rightToLeft);
  leftToRightLayout_ = std::move(leftToRight);
}

void Application::ControlFocused(HWND control) {
  if (!middleEast_) {
    return;
  }
  const bool rightToLeft = (GetWindowLongW(control, GWL_EXSTYLE) & WS_EX_RTLREADING) != 0;
  const std::string& layout = rightToLeft ? rightToLeftLayout_ : leftToRightLayout_;
  if (!layout.empty()) {
    LoadKeyboardLayoutA(layout.c_str(), KLF_ACTIVATE);
    lastLayout_ = layout;
  }
}

int RunMessageLoop(HWND mainWindow) {
  MSG message{};
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    if (message.message == WM_KEYDOWN && message.wParam == VK_TAB &&
        IsChild(mainWindow, message.hwnd)) {
      const bool back = (GetKeyState(VK_SHIFT) & 0x8000) != 0;
      HWND from = message.hwnd;  // the main window's child that holds the focus
      while (GetParent(from) != mainWindow) {
        from = GetParent(from);
      }
      if (HWND next = GetNextDlgTabItem(mainWindow, from, back)) {
        SetFocus(next);
      }
      continue;
    }
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return static_cast<int>(message.wParam);
}

}  // namespace varkam::ui
