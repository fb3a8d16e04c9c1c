#pragma once

// A top-level window bound to its C++ object: the object is bound on WM_NCCREATE (from
// lpCreateParams, kept in GWLP_USERDATA) and every message goes to a member. Notifications of
// child controls (WM_COMMAND, WM_VSCROLL, WM_NOTIFY, WM_CTLCOLOR*) go to the control's own
// wrapper, which turns them into its handler fields; the window never takes them apart.

#include <windows.h>

#include <string>

namespace varkam::ui {

class Window {
 public:
  Window() = default;
  virtual ~Window();
  Window(const Window&) = delete;
  Window& operator=(const Window&) = delete;

  HWND Handle() const { return handle_; }

  // Destroys the window; a derived window calls it first thing in its destructor, while its
  // own members and handlers are still there for the last messages.
  void DestroyHandle();

  std::wstring Caption() const;
  void SetCaption(const std::wstring& caption);

 protected:
  // Registers the class once and creates the window bound to this object.
  bool CreateBound(const wchar_t* className, DWORD style, DWORD exStyle, int left, int top,
                   int width, int height, HWND owner, HICON icon = nullptr);

  // The window's own messages; the default is DefWindowProcW.
  virtual LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT Default(UINT message, WPARAM wParam, LPARAM lParam);

 private:
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT Dispatch(UINT message, WPARAM wParam, LPARAM lParam);

  HWND handle_ = nullptr;
};

// The outer size of a window whose client area is `width` by `height` at `dpi`: its frame and
// caption as the system draws them there.
SIZE OuterSize(int width, int height, DWORD style, DWORD exStyle, int dpi);

// The dots per inch of the display `window` is on, as the window is told: GetDpiForWindow where
// the system has it, else the system's dpi. Never 0.
int DpiOf(HWND window);

}  // namespace varkam::ui
