#pragma once

// The application window: a window of no size that owns the main window and carries the
// taskbar button with the application's title, so that the title can differ from the main
// window's caption. Minimizing the main window minimizes this window, which hides the main
// window with it, and restoring it brings the main window back.

#include <string>

#include "ui/Window.h"

namespace varkam::ui {

class Application : public Window {
 public:
  bool Create(const std::wstring& title, HICON icon);
  std::wstring Title() const { return Caption(); }
  void SetTitle(const std::wstring& title) { SetCaption(title); }
  void SetMainWindow(HWND window) { mainWindow_ = window; }
  HWND MainWindow() const { return mainWindow_; }
  void Minimize();

 protected:
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  HWND mainWindow_ = nullptr;
};

// Runs the message loop until the application ends. Tab moves the focus between the main
// window's tab stops.
int RunMessageLoop(HWND mainWindow);

}  // namespace varkam::ui
