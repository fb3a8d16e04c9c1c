#pragma once

// A child control: a standard window class, wrapped. Its parent hands it the notifications it
// sends (OnCommand, OnScroll, OnColor, OnNotify) and the wrapper turns them into its handler
// fields; messages to the control itself reach OnOwnMessage through a subclass.
//
// Convention for every wrapper: handler fields are named onXxx and are raised only for what the
// user does, and each hands the user's value with it (the text, the row, the position).
// Writing a text, a selection or a scroll bar's position from the program raises nothing.

#include <windows.h>

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace varkam::ui {

class Control {
 public:
  Control() = default;
  virtual ~Control();
  Control(const Control&) = delete;
  Control& operator=(const Control&) = delete;

  HWND Handle() const { return handle_; }
  static Control* FromHandle(HWND window);

  // Told whenever one of the wrappers' controls receives the keyboard focus.
  static void SetFocusListener(std::function<void(HWND)> listener);

  void SetBounds(int left, int top, int width, int height);
  void SetVisible(bool visible);
  bool Visible() const;
  void SetFont(HFONT font);

  // Parent-side notifications.
  virtual void OnCommand(WORD) {}
  virtual void OnScroll(WORD) {}
  virtual HBRUSH OnColor(HDC) { return nullptr; }
  virtual LRESULT OnNotify(NMHDR*) { return 0; }

 protected:
  bool CreateControl(HWND parent, const wchar_t* className, DWORD style, DWORD exStyle,
                     const wchar_t* text = L"");
  // Subclasses `window` (the control or one of its children) so that its messages reach
  // OnOwnMessage.
  void Subclass(HWND window);
  // Return a value to consume the message, nothing to let the control handle it.
  virtual std::optional<LRESULT> OnOwnMessage(HWND, UINT, WPARAM, LPARAM) { return std::nullopt; }

 private:
  static LRESULT CALLBACK SubclassProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                            UINT_PTR id, DWORD_PTR self);
  HWND handle_ = nullptr;
  std::vector<HWND> subclassed_;
};

// Window text in UTF-16, and the system's ANSI code page for the dictionary's byte strings.
std::wstring TextOf(HWND window);
std::wstring FromAnsi(const std::string& text);
std::string ToAnsi(const std::wstring& text);
// Nothing when the code page cannot hold every character of the text as it is.
std::optional<std::string> ToAnsiExactly(std::u16string_view text);

}  // namespace varkam::ui
