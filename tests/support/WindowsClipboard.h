#pragma once

// The Windows tests' way to copy text, as another program does.

#include <windows.h>

#include <string>

namespace varkam::testing {

// Puts `text` on the clipboard as Unicode text, with the extra empty formats named (such as the
// marks password managers set); false when the clipboard could not be opened.
bool PutTextOnClipboard(const std::wstring& text, std::initializer_list<const wchar_t*> marks = {});

}  // namespace varkam::testing
