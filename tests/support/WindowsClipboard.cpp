#include "support/WindowsClipboard.h"

namespace varkam::testing {

namespace {

HGLOBAL Copy(const void* bytes, std::size_t size) {
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, size);
  CopyMemory(GlobalLock(memory), bytes, size);
  GlobalUnlock(memory);
  return memory;
}

}  // namespace

bool PutTextOnClipboard(const std::wstring& text, std::initializer_list<const wchar_t*> marks) {
  // Another program may hold the clipboard for a moment.
  bool opened = false;
  for (int tries = 0; tries < 100 && !opened; ++tries) {
    opened = OpenClipboard(nullptr) != 0;
    if (!opened) {
      Sleep(20);
    }
  }
  if (!opened) {
    return false;
  }
  EmptyClipboard();
  SetClipboardData(CF_UNICODETEXT, Copy(text.c_str(), (text.size() + 1) * sizeof(wchar_t)));
  for (const wchar_t* mark : marks) {
    SetClipboardData(RegisterClipboardFormatW(mark), Copy("", 1));
  }
  return CloseClipboard() != 0;
}

}  // namespace varkam::testing
