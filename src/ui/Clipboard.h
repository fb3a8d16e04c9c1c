#pragma once

// The clipboard as the main window reads it: what kind of content is there, and its text.

#include <windows.h>

#include <optional>
#include <string>

namespace varkam::ui {

struct ClipboardContent {
  bool text = false;
  // Marked by its owner (a password manager, say) as not for clipboard viewers.
  bool privateContent = false;
};

// What the clipboard holds now; nothing when another program has it open.
std::optional<ClipboardContent> InspectClipboard(HWND owner);

// The clipboard's text in UTF-16; nothing when there is none or the clipboard is held.
std::optional<std::u16string> ClipboardText(HWND owner);

}  // namespace varkam::ui
