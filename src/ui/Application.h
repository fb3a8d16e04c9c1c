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
  void Minimize();

  // The keyboard layouts switched on focus changes: one for controls that read right to left,
  // one for the others; an empty name is not switched to. They are switched only while the
  // process counts as Middle East enabled, which the main window makes it whatever the system.
  void SetKeyboardLayouts(std::string rightToLeft, std::string leftToRight);
  void SetMiddleEastEnabled(bool enabled) { middleEast_ = enabled; }
  void ControlFocused(HWND control);
  const std::string& LastKeyboardLayout() const { return lastLayout_; }

 protected:
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  HWND mainWindow_ = nullptr;
  std::string rightToLeftLayout_;
  std::string leftToRightLayout_;
  std::string lastLayout_;
  bool middleEast_ = false;
};

// Runs the message loop until the application ends. Tab moves the focus between the main
// window's tab stops.
int RunMessageLoop(HWND mainWindow);

}  // namespace varkam::ui
