// Start-up: the application window with its title, the keyboard layouts, the main window, and
// the message loop until the main window closes.

#include <windows.h>

#include <commctrl.h>
#include <objbase.h>

#include "DicFor/TForm1.h"
#include "ui/Application.h"
#include "ui/Control.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES | ICC_BAR_CLASSES};
  InitCommonControlsEx(&controls);
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  int exitCode = 0;
  {
    varkam::ui::Application application;
    application.Create(L"Varkam dictionary", LoadIconW(instance, L"MAINICON"));
    application.SetKeyboardLayouts("00000429", "00000409");
    varkam::ui::Control::SetFocusListener(
        [&application](HWND control) { application.ControlFocused(control); });
    ShowWindow(application.Handle(), SW_SHOWNOACTIVATE);
    varkam::TForm1 form(application);
    if (form.Create()) {
      ShowWindow(form.Handle(), SW_SHOW);
      exitCode = varkam::ui::RunMessageLoop(form.Handle());
    }
  }
  CoUninitialize();
  return exitCode;
}
