#include "ui/Clipboard.h"

#include <string_view>

#include "ui/Resources.h"

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
  const LockedMemory data(GetClipboardData(CF_UNICODETEXT));
  if (const auto* units = static_cast<const char16_t*>(data.Get())) {
    // The block may be larger than its text, and an odd program may leave out the final NUL.
    const std::u16string_view block(units, data.Size() / sizeof(char16_t));
    const std::u16string_view head = block.substr(0, limit);
    content.text = std::u16string(head.substr(0, head.find(u'\0')));
  }
  return content;
}

}  // namespace varkam::ui
