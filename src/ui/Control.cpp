#include "ui/Control.h"

#include <commctrl.h>

namespace varkam::ui {

namespace {

std::function<void(HWND)>& FocusListener() {
  static std::function<void(HWND)> listener;
  return listener;
}

}  // namespace

void Control::SetFocusListener(std::function<void(HWND)> listener) {
  FocusListener() = std::move(listener);
}

// A wrapper that goes before its window leaves nothing behind that points to it.
Control::~Control() {
  for (HWND window : subclassed_) {
    if (IsWindow(window)) {
      RemoveWindowSubclass(window, SubclassProcedure, 1);
    }
  }
  if (handle_ != nullptr && IsWindow(handle_)) {
    RemovePropW(handle_, L"VarkamControl");
  }
}

Control* Control::FromHandle(HWND window) {
  if (window == nullptr) {
    return nullptr;
  }
  // Only the wrappers' own controls carry this property; other windows are not ours.
  return static_cast<Control*>(GetPropW(window, L"VarkamControl"));
}

bool Control::CreateControl(HWND parent, const wchar_t* className, DWORD style, DWORD exStyle,
                            const wchar_t* text) {
  handle_ = CreateWindowExW(exStyle, className, text, style | WS_CHILD, 0, 0, 0, 0, parent, nullptr,
                            GetModuleHandleW(nullptr), nullptr);
  if (handle_ != nullptr) {
    SetPropW(handle_, L"VarkamControl", this);
  }
  return handle_ != nullptr;
}

void Control::Subclass(HWND window) {
  SetWindowSubclass(window, SubclassProcedure, 1, reinterpret_cast<DWORD_PTR>(this));
  subclassed_.push_back(window);
}

LRESULT CALLBACK Control::SubclassProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                            UINT_PTR, DWORD_PTR self) {
  if (message == WM_NCDESTROY) {
    RemoveWindowSubclass(window, SubclassProcedure, 1);
    RemovePropW(window, L"VarkamControl");
    return DefSubclassProc(window, message, wParam, lParam);
  }
  if (message == WM_SETFOCUS && FocusListener()) {
    FocusListener()(window);
  }
  if (const auto result =
          reinterpret_cast<Control*>(self)->OnOwnMessage(window, message, wParam, lParam)) {
    return *result;
  }
  return DefSubclassProc(window, message, wParam, lParam);
}

void Control::SetBounds(int left, int top, int width, int height) {
  MoveWindow(handle_, left, top, width, height, TRUE);
}

void Control::SetVisible(bool visible) {
  ShowWindow(handle_, visible ? SW_SHOW : SW_HIDE);
}

bool Control::Visible() const {
  return (GetWindowLongW(handle_, GWL_STYLE) & WS_VISIBLE) != 0;
}

void Control::SetFont(HFONT font) {
  SendMessageW(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
}

std::wstring TextOf(HWND window) {
  const int length = GetWindowTextLengthW(window);
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  text.resize(static_cast<std::size_t>(GetWindowTextW(window, text.data(), length + 1)));
  return text;
}

std::wstring FromAnsi(const std::string& text) {
  if (text.empty()) {
    return {};
  }
  const int size = static_cast<int>(text.size());
  std::wstring wide(static_cast<std::size_t>(size), L'\0');
  wide.resize(static_cast<std::size_t>(
      MultiByteToWideChar(CP_ACP, 0, text.data(), size, wide.data(), size)));
  return wide;
}

std::string ToAnsi(const std::wstring& text) {
  if (text.empty()) {
    return {};
  }
  const int size = static_cast<int>(text.size());
  const int needed =
      WideCharToMultiByte(CP_ACP, 0, text.data(), size, nullptr, 0, nullptr, nullptr);
  std::string narrow(static_cast<std::size_t>(needed), '\0');
  WideCharToMultiByte(CP_ACP, 0, text.data(), size, narrow.data(), needed, nullptr, nullptr);
  return narrow;
}

std::optional<std::string> ToAnsiExactly(std::u16string_view text) {
  if (text.empty()) {
    return std::string();
  }
  // char16_t and wchar_t are both UTF-16 code units on Windows.
  const auto* wide = reinterpret_cast<const wchar_t*>(text.data());
  const int size = static_cast<int>(text.size());
  BOOL defaulted = FALSE;
  const int needed = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide, size, nullptr, 0,
                                         nullptr, &defaulted);
  if (needed <= 0 || defaulted) {
    return std::nullopt;
  }
  std::string narrow(static_cast<std::size_t>(needed), '\0');
  WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide, size, narrow.data(), needed, nullptr,
                      nullptr);
  return narrow;
}

}  // namespace varkam::ui
