#pragma once

// The clipboard as the main window reads it: what kind of content is there, and its text.

#include <windows.h>

#include <optional>
#include <string>

namespace varkam::ui {

struct ClipboardContent {
  std::optional<std::u16string> text;  // in UTF-16, when there is text
  // Marked by its owner (a password manager, say) as not for clipboard viewers.
  bool privateContent = false;
};

// What the clipboard holds now, read while it is opened once; nothing when another program
// has it open. Of the text, at most `limit` code units are read, however long it is.
std::optional<ClipboardContent> ReadClipboard(HWND owner, std::size_t limit);

}  // namespace varkam::ui
