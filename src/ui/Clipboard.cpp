#include "ui/Clipboard.h"

#include <string_view>

namespace varkam::ui {

namespace {

// Open for the life of one reading.
class OpenedClipboard {
 public:
  explicit OpenedClipboard(HWND owner) : open_(OpenClipboard(owner) != 0) {}
  ~OpenedClipboard() {
    if (open_) {
      CloseClipboard();
    }
  }
  OpenedClipboard(const OpenedClipboard&) = delete;
  OpenedClipboard& operator=(const OpenedClipboard&) = delete;
  bool IsOpen() const { return open_; }

 private:
  bool open_;
};

}  // namespace

std::optional<ClipboardContent> ReadClipboard(HWND owner, std::size_t limit) {
  OpenedClipboard clipboard(owner);
  if (!clipboard.IsOpen()) {
    return std::nullopt;
  }
  static const UINT viewerIgnore = RegisterClipboardFormatW(L"Clipboard Viewer Ignore");
  static const UINT excludeFromMonitors =
      RegisterClipboardFormatW(L"ExcludeClipboardContentFromMonitorProcessing");
  ClipboardContent content;
  bool text = false;
  for (UINT format = EnumClipboardFormats(0); format != 0; format = EnumClipboardFormats(format)) {
    text = text || format == CF_TEXT;
    content.privateContent =
        content.privateContent || format == viewerIgnore || format == excludeFromMonitors;
  }
  if (!text) {
    return content;
  }
  HANDLE data = GetClipboardData(CF_UNICODETEXT);
  const auto* units = data != nullptr ? static_cast<const char16_t*>(GlobalLock(data)) : nullptr;
  if (units != nullptr) {
    // The block may be larger than its text, and an odd program may leave out the final NUL.
    const std::u16string_view block(units, GlobalSize(data) / sizeof(char16_t));
    const std::u16string_view head = block.substr(0, limit);
    content.text = std::u16string(head.substr(0, head.find(u'\0')));
    GlobalUnlock(data);
  }
  return content;
}

}  // namespace varkam::ui
