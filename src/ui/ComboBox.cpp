#include "ui/ComboBox.h"

namespace varkam::ui {

namespace {

// The program's own writes raise no change event.
class ProgramWrite {
 public:
  explicit ProgramWrite(int& depth) : depth_(depth) { ++depth_; }
  ~ProgramWrite() { --depth_; }
  ProgramWrite(const ProgramWrite&) = delete;
  ProgramWrite& operator=(const ProgramWrite&) = delete;

 private:
  int& depth_;
};

}  // namespace

bool ComboBox::Create(HWND parent) {
  if (!CreateControl(parent, L"COMBOBOX",
                     CBS_DROPDOWN | CBS_AUTOHSCROLL | WS_VSCROLL | WS_TABSTOP | WS_VISIBLE, 0)) {
    return false;
  }
  COMBOBOXINFO info{sizeof info};
  GetComboBoxInfo(Handle(), &info);
  edit_ = info.hwndItem;
  Subclass(edit_);
  return true;
}

std::wstring ComboBox::Text() const {
  return TextOf(edit_);
}

// As the combo box does for its own text, the new text stands selected, so that typing
// replaces it.
void ComboBox::SetText(const std::wstring& text) {
  ProgramWrite write(programWrites_);
  SetWindowTextW(edit_, text.c_str());
  SelectAll();
}

void ComboBox::SelectAll() {
  SendMessageW(Handle(), CB_SETEDITSEL, 0, MAKELPARAM(0, -1));
}

void ComboBox::Copy() {
  DWORD start = 0;
  DWORD end = 0;
  SendMessageW(edit_, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  if (start == end) {
    SelectAll();
  }
  SendMessageW(edit_, WM_COPY, 0, 0);
  if (start == end) {
    SendMessageW(edit_, EM_SETSEL, start, end);
  }
}

void ComboBox::SetItems(const std::vector<std::wstring>& items) {
  ProgramWrite write(programWrites_);
  const std::wstring text = Text();
  DWORD start = 0;
  DWORD end = 0;
  SendMessageW(edit_, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  SendMessageW(Handle(), CB_RESETCONTENT, 0, 0);  // this empties the text field too
  for (const auto& item : items) {
    SendMessageW(Handle(), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
  }
  SetWindowTextW(edit_, text.c_str());
  SendMessageW(edit_, EM_SETSEL, start, end);
}

std::vector<std::wstring> ComboBox::Items() const {
  std::vector<std::wstring> items;
  const auto count = SendMessageW(Handle(), CB_GETCOUNT, 0, 0);
  for (LRESULT i = 0; i < count; ++i) {
    const auto length = SendMessageW(Handle(), CB_GETLBTEXTLEN, static_cast<WPARAM>(i), 0);
    std::wstring item(static_cast<std::size_t>(length) + 1, L'\0');
    SendMessageW(Handle(), CB_GETLBTEXT, static_cast<WPARAM>(i),
                 reinterpret_cast<LPARAM>(item.data()));
    item.resize(static_cast<std::size_t>(length));
    items.push_back(item);
  }
  return items;
}

void ComboBox::SetBounds(int left, int top, int width, int dropDownHeight) {
  Control::SetBounds(left, top, width, dropDownHeight);
}

void ComboBox::SetItemHeight(int height) {
  SendMessageW(Handle(), CB_SETITEMHEIGHT, 0, height);
}

void ComboBox::Raise() {
  if (programWrites_ == 0 && onChange) {
    onChange(Text());
  }
}

void ComboBox::OnCommand(WORD code) {
  if (code == CBN_EDITCHANGE) {
    Raise();
  } else if (code == CBN_SELCHANGE && programWrites_ == 0) {
    // The text field still holds the old text when the selection changes.
    const auto index = SendMessageW(Handle(), CB_GETCURSEL, 0, 0);
    if (index != CB_ERR) {
      SetText(Items()[static_cast<std::size_t>(index)]);
      Raise();
    }
  }
}

// A character typed that completes the text: the completed text is written with its completed
// part selected, and the change raised once.
bool ComboBox::Complete(wchar_t typed) {
  if (!completion) {
    return false;
  }
  DWORD start = 0;
  DWORD end = 0;
  SendMessageW(edit_, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  const std::wstring text = Text();
  const auto completed = completion(text, start, end, typed);
  if (!completed) {
    return false;
  }
  {
    ProgramWrite write(programWrites_);
    SendMessageW(Handle(), CB_SETCURSEL, completed->item, 0);
    SetWindowTextW(edit_, completed->text.c_str());
    SendMessageW(edit_, EM_SETSEL, completed->selectionStart, -1);
  }
  if (completed->text != text) {
    Raise();
  }
  return true;
}

std::optional<LRESULT> ComboBox::OnOwnMessage(HWND, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_KEYDOWN:
      if (onKeyDown) {
        onKeyDown(static_cast<WORD>(wParam));
      }
      break;
    case WM_KEYUP:
    case WM_LBUTTONUP:
      // The caret may have moved: an edit raises its change before this, so the session
      // hears of the text first.
      if (onCaret) {
        onCaret();
      }
      break;
    case WM_CHAR:
      if (wParam == VK_RETURN || wParam == VK_ESCAPE) {
        return 0;  // handled on key down; a single-line field would only beep
      }
      if (wParam >= 0x20 && Complete(static_cast<wchar_t>(wParam))) {
        return 0;
      }
      break;
    case WM_CONTEXTMENU:
      if (onContextMenu) {
        onContextMenu({static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))});
        return 0;
      }
      break;
    default: break;
  }
  return std::nullopt;
}

}  // namespace varkam::ui
