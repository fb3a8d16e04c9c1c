// The settings file "DicSet.vq" in the current folder: read at creation, rewritten at close.

#include <algorithm>
#include <cstdint>

#include "DicFor/TForm1.h"
#include "platform/NewFile.h"

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

// The file opened for this program alone; empty when it could not be opened.
ui::KernelHandle OpenAlone(const wchar_t* name, DWORD access, DWORD disposition) {
  HANDLE file = CreateFileW(name, access, 0, nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
  return ui::KernelHandle(file == INVALID_HANDLE_VALUE ? nullptr : file);
}

}  // namespace

std::optional<SettingsRecord> ReadSettingsFile() {
  QuietErrors quiet;
  const ui::KernelHandle file = OpenAlone(SettingsFile, GENERIC_READ, OPEN_EXISTING);
  if (!file) {
    return std::nullopt;
  }
  std::array<std::uint8_t, SettingsRecordSize> bytes{};
  DWORD total = 0;
  DWORD got = 0;
  while (total < bytes.size() &&
         ReadFile(file.Get(), bytes.data() + total, static_cast<DWORD>(bytes.size() - total), &got,
                  nullptr) &&
         got > 0) {
    total += got;
  }
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
    if (!OpenAlone(SettingsFile, GENERIC_WRITE, OPEN_EXISTING)) {
      return false;  // another program holds it
    }
  }
  DeleteFileW(PendingSettingsFile);  // one left by a write that was stopped
  const auto bytes = EncodeSettings(settings);
  const auto failure = platform::WriteNewFile(
      PendingSettingsFile,
      std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
  if (failure || !MoveFileExW(PendingSettingsFile, SettingsFile,
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
  // The size the system will let the window have: a window stored stretched over two
  // monitors gets less, and is judged at that size.
  const Bounds largest{0, 0, GetSystemMetrics(SM_CXMAXTRACK), GetSystemMetrics(SM_CYMAXTRACK)};
  const auto edge = [](int at, int size) {
    return static_cast<LONG>(std::min<long long>(0LL + at + size, INT32_MAX));
  };
  const RECT window{bounds->left, bounds->top, edge(bounds->left, bounds->width),
                    edge(bounds->top, bounds->height)};
  MONITORINFO monitor{sizeof monitor};
  if (!GetMonitorInfoW(MonitorFromRect(&window, MONITOR_DEFAULTTONEAREST), &monitor)) {
    return bounds;
  }
  const RECT& work = monitor.rcWork;
  return PlaceOnWorkArea(
      *bounds, {work.left, work.top, work.right - work.left, work.bottom - work.top}, largest);
}

Bounds TForm1::RestoredBounds() const {
  RECT bounds{};
  GetWindowRect(Handle(), &bounds);
  if (IsIconic(Handle()) || IsZoomed(Handle())) {
    WINDOWPLACEMENT placement{sizeof placement};
    GetWindowPlacement(Handle(), &placement);
    bounds = placement.rcNormalPosition;
  }
  return {bounds.left, bounds.top, bounds.right - bounds.left, bounds.bottom - bounds.top};
}

}  // namespace varkam
