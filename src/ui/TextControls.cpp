#include "ui/TextControls.h"

#include <commctrl.h>

namespace varkam::ui {

bool Memo::Create(HWND parent, bool rightToLeft) {
  const DWORD exStyle =
      WS_EX_CLIENTEDGE | (rightToLeft ? WS_EX_RTLREADING | WS_EX_RIGHT | WS_EX_LEFTSCROLLBAR : 0);
  if (!CreateControl(parent, L"EDIT",
                     ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL | WS_VSCROLL | WS_TABSTOP |
                         WS_VISIBLE | (rightToLeft ? ES_RIGHT : 0),
                     exStyle)) {
    return false;
  }
  Subclass(Handle());
  return true;
}

std::optional<LRESULT> Memo::OnOwnMessage(HWND, UINT message, WPARAM, LPARAM lParam) {
  if (message == WM_CONTEXTMENU && onContextMenu) {
    onContextMenu({static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))});
    return 0;
  }
  return std::nullopt;
}

void Memo::SetText(const std::wstring& text) {
  SetWindowTextW(Handle(), text.c_str());
}

void Memo::SelectAll() {
  SendMessageW(Handle(), EM_SETSEL, 0, -1);
}

void Memo::CopySelection() {
  SendMessageW(Handle(), WM_COPY, 0, 0);
}

HBRUSH Memo::OnColor(HDC dc) {
  SetBkColor(dc, GetSysColor(COLOR_WINDOW));
  SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
  return GetSysColorBrush(COLOR_WINDOW);
}

bool StatusBar::Create(HWND parent) {
  if (!CreateControl(parent, STATUSCLASSNAMEW,
                     SBARS_SIZEGRIP | CCS_NORESIZE | CCS_NOPARENTALIGN | WS_VISIBLE, 0)) {
    return false;
  }
  SendMessageW(Handle(), SB_SIMPLE, TRUE, 0);
  return true;
}

void StatusBar::SetText(const std::wstring& text) {
  SendMessageW(Handle(), SB_SETTEXTW, SB_SIMPLEID, reinterpret_cast<LPARAM>(text.c_str()));
}

bool Button::Create(HWND parent, const wchar_t* caption, int id, bool isDefault) {
  if (!CreateControl(parent, L"BUTTON",
                     WS_VISIBLE | WS_TABSTOP | (isDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON), 0,
                     caption)) {
    return false;
  }
  SetWindowLongPtrW(Handle(), GWLP_ID, id);
  // Subclassed so that the keyboard layout follows the focus onto the button.
  Subclass(Handle());
  return true;
}

void Button::OnCommand(WORD code) {
  if (code == BN_CLICKED && onClick) {
    onClick();
  }
}

bool Label::Create(HWND parent, const wchar_t* className, const wchar_t* text, DWORD style) {
  return CreateControl(parent, className, style, 0, text);
}

}  // namespace varkam::ui
