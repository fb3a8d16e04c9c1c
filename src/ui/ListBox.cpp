#include "ui/ListBox.h"

namespace varkam::ui {

bool ListBox::Create(HWND parent) {
  if (!CreateControl(parent, L"LISTBOX", LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VISIBLE,
                     WS_EX_CLIENTEDGE)) {
    return false;
  }
  Subclass(Handle());
  return true;
}

void ListBox::SetRows(const std::vector<std::wstring>& rows) {
  // One repaint for the whole page, not one a row.
  SendMessageW(Handle(), WM_SETREDRAW, FALSE, 0);
  SendMessageW(Handle(), LB_RESETCONTENT, 0, 0);
  for (const std::wstring& row : rows) {
    SendMessageW(Handle(), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(row.c_str()));
  }
  SendMessageW(Handle(), WM_SETREDRAW, TRUE, 0);
  InvalidateRect(Handle(), nullptr, TRUE);
}

int ListBox::RowCount() const {
  return static_cast<int>(SendMessageW(Handle(), LB_GETCOUNT, 0, 0));
}

std::wstring ListBox::RowText(int row) const {
  const LRESULT length = SendMessageW(Handle(), LB_GETTEXTLEN, static_cast<WPARAM>(row), 0);
  if (length == LB_ERR) {
    return {};
  }
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  SendMessageW(Handle(), LB_GETTEXT, static_cast<WPARAM>(row),
               reinterpret_cast<LPARAM>(text.data()));
  text.resize(static_cast<std::size_t>(length));
  return text;
}

int ListBox::HighlightedRow() const {
  return static_cast<int>(SendMessageW(Handle(), LB_GETCURSEL, 0, 0));
}

void ListBox::Highlight(int row) {
  SendMessageW(Handle(), LB_SETCURSEL, static_cast<WPARAM>(row), 0);
}

void ListBox::SetRowHeight(int height) {
  SendMessageW(Handle(), LB_SETITEMHEIGHT, 0, height);
}

void ListBox::OnCommand(WORD code) {
  if (code == LBN_SELCHANGE && onClick) {
    onClick(HighlightedRow());
  } else if (code == LBN_DBLCLK && onDoubleClick) {
    onDoubleClick();
  }
}

std::optional<LRESULT> ListBox::OnOwnMessage(HWND, UINT message, WPARAM wParam, LPARAM) {
  if (message == WM_KEYDOWN && onKeyDown && onKeyDown(static_cast<WORD>(wParam))) {
    return 0;
  }
  return std::nullopt;  // the list handles the key its own way
}

}  // namespace varkam::ui
