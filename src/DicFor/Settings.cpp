// The settings file "DicSet.vq" in the current folder: read at creation, rewritten at close.

#include "DicFor/TForm1.h"

namespace varkam {

namespace {

constexpr const wchar_t* SettingsFile = L"DicSet.vq";
constexpr const wchar_t* PendingSettingsFile = L"DicSet.vq.new";

// The system's critical-error dialogs stay away while the file is tried.
class QuietErrors {
 public:
  QuietErrors() : previous_(SetErrorMode(SEM_FAILCRITICALERRORS)) {}
  ~QuietErrors() { SetErrorMode(previous_); }
  QuietErrors(const QuietErrors&) = delete;
  QuietErrors& operator=(const QuietErrors&) = delete;

 private:
  UINT previous_;
};

}  // namespace

std::optional<SettingsRecord> ReadSettingsFile() {
  QuietErrors quiet;
  HANDLE file = CreateFileW(SettingsFile, GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    return std::nullopt;
  }
  std::array<std::uint8_t, SettingsRecordSize> bytes{};
  DWORD total = 0;
  DWORD got = 0;
  while (total < bytes.size() &&
         ReadFile(file, bytes.data() + total, static_cast<DWORD>(bytes.size() - total), &got,
                  nullptr) &&
         got > 0) {
    total += got;
  }
  CloseHandle(file);
  return DecodeSettings(std::span(bytes).first(total));
}

// The 22 bytes go to a file beside the old one; only a complete file replaces it, so the
// settings are never lost. A file that is write-protected or held open by another program
// stays as it was.
bool WriteSettingsFile(const SettingsRecord& settings) {
  QuietErrors quiet;
  const DWORD attributes = GetFileAttributesW(SettingsFile);
  if (attributes != INVALID_FILE_ATTRIBUTES) {
    if (attributes & FILE_ATTRIBUTE_READONLY) {
      return false;
    }
    HANDLE old = CreateFileW(SettingsFile, GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                             FILE_ATTRIBUTE_NORMAL, nullptr);
    if (old == INVALID_HANDLE_VALUE) {
      return false;
    }
    CloseHandle(old);
  }
  HANDLE file = CreateFileW(PendingSettingsFile, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    return false;
  }
  const auto bytes = EncodeSettings(settings);
  DWORD written = 0;
  const bool complete =
      WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
      written == bytes.size() && FlushFileBuffers(file);
  const bool closed = CloseHandle(file) != 0;
  if (!complete || !closed ||
      !MoveFileExW(PendingSettingsFile, SettingsFile,
                   MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    DeleteFileW(PendingSettingsFile);
    return false;
  }
  return true;
}

// A window stored on a monitor that is no longer there opens on the nearest one, whole enough
// to be taken by its caption.
std::optional<Bounds> TForm1::StoredPlacement(const std::optional<SettingsRecord>& stored) const {
  const auto bounds = StoredWindowBounds(stored);
  if (!bounds) {
    return std::nullopt;
  }
  const RECT window{bounds->left, bounds->top, bounds->left + bounds->width,
                    bounds->top + bounds->height};
  MONITORINFO monitor{sizeof monitor};
  if (!GetMonitorInfoW(MonitorFromRect(&window, MONITOR_DEFAULTTONEAREST), &monitor)) {
    return bounds;
  }
  const RECT& work = monitor.rcWork;
  return PlaceOnWorkArea(*bounds,
                         {work.left, work.top, work.right - work.left, work.bottom - work.top});
}

Bounds TForm1::RestoredBounds() const {
  RECT bounds{};
  GetWindowRect(Handle(), &bounds);
  if (IsIconic(Handle())) {
    WINDOWPLACEMENT placement{sizeof placement};
    GetWindowPlacement(Handle(), &placement);
    bounds = placement.rcNormalPosition;
  }
  return {bounds.left, bounds.top, bounds.right - bounds.left, bounds.bottom - bounds.top};
}

}  // namespace varkam
