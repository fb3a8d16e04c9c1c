#include <windows.h>

#include <algorithm>
#include <new>
#include <stdexcept>
#include <thread>
#include <utility>

#include "lib/Files.h"
#include "lib/Paths.h"
#include "lib/Utf8.h"
#include "platform/NewFile.h"

namespace varkam::tools::files {

namespace {

// The system's words for an error, without the full stop and line break it ends with.
std::string SystemMessage(DWORD code) {
  wchar_t* text = nullptr;
  const DWORD length = FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, code, 0, reinterpret_cast<LPWSTR>(&text), 0, nullptr);
  std::wstring message = length > 0 ? std::wstring(text, length) : L"";
  LocalFree(text);
  while (!message.empty() && (message.back() == L'.' || iswspace(message.back()))) {
    message.pop_back();
  }
  if (message.empty()) {
    return "error " + std::to_string(code);
  }
  return Utf16ToUtf8(std::u16string(message.begin(), message.end()));
}

std::runtime_error SystemError(const std::string& what, const std::filesystem::path& path,
                               DWORD code = GetLastError()) {
  return std::runtime_error(what + " " + PathText(path) + ": " + SystemMessage(code));
}

// The path as "\\?\C:\..." or "\\?\UNC\server\...": the system takes it whole, past the 260
// characters that the ordinary form is cut at.
std::wstring LongForm(const std::filesystem::path& path) {
  std::wstring text = path.native();
  std::replace(text.begin(), text.end(), L'/', L'\\');
  if (text.rfind(L"\\\\?\\", 0) == 0 || text.rfind(L"\\\\.\\", 0) == 0) {
    return text;
  }
  const DWORD needed = GetFullPathNameW(text.c_str(), 0, nullptr, nullptr);
  if (needed == 0) {
    return text;
  }
  std::wstring full(needed, L'\0');
  full.resize(GetFullPathNameW(text.c_str(), needed, full.data(), nullptr));
  if (full.rfind(L"\\\\", 0) == 0) {
    return L"\\\\?\\UNC\\" + full.substr(2);
  }
  return L"\\\\?\\" + full;
}

DWORD AttributesOf(const std::filesystem::path& path) {
  return GetFileAttributesW(LongForm(path).c_str());
}

// The handle is closed however the caller leaves.
class Handle {
 public:
  explicit Handle(HANDLE handle) : handle_(handle) {}
  ~Handle() {
    if (Valid()) {
      CloseHandle(handle_);
    }
  }
  Handle(const Handle&) = delete;
  Handle& operator=(const Handle&) = delete;
  bool Valid() const { return handle_ != INVALID_HANDLE_VALUE; }
  HANDLE Get() const { return handle_; }
  HANDLE Release() { return std::exchange(handle_, INVALID_HANDLE_VALUE); }

 private:
  HANDLE handle_;
};

std::string ReadAll(HANDLE file, const std::filesystem::path& path, std::uint64_t expected) {
  std::string bytes;
  try {
    bytes.reserve(static_cast<std::size_t>(expected));
    char chunk[1 << 16];
    while (true) {
      DWORD got = 0;
      if (!ReadFile(file, chunk, sizeof chunk, &got, nullptr)) {
        if (GetLastError() == ERROR_BROKEN_PIPE) {
          return bytes;  // the writer of a pipe has closed it
        }
        throw SystemError("cannot read", path);
      }
      if (got == 0) {
        return bytes;
      }
      bytes.append(chunk, got);
    }
  } catch (const std::bad_alloc&) {
    throw std::runtime_error(PathText(path) + ": too large to read into memory (" +
                             std::to_string(std::max<std::uint64_t>(expected, bytes.size())) +
                             " bytes)");
  } catch (const std::length_error&) {
    throw std::runtime_error(PathText(path) + ": too large to read into memory (" +
                             std::to_string(expected) + " bytes)");
  }
}

}  // namespace

Kind KindOf(const std::filesystem::path& path) {
  const DWORD attributes = AttributesOf(path);
  if (attributes == INVALID_FILE_ATTRIBUTES) {
    return Kind::Missing;
  }
  if (attributes & FILE_ATTRIBUTE_REPARSE_POINT) {
    return Kind::Link;
  }
  return (attributes & FILE_ATTRIBUTE_DIRECTORY) ? Kind::Folder : Kind::File;
}

std::string ReadWholeFile(const std::filesystem::path& path, bool pipeAllowed) {
  const DWORD attributes = AttributesOf(path);
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
    throw std::runtime_error(PathText(path) + " is a folder, not a file");
  }
  Handle file(CreateFileW(LongForm(path).c_str(), GENERIC_READ,
                          FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                          OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.Valid()) {
    throw SystemError("cannot read", path);
  }
  const DWORD type = GetFileType(file.Get());
  if (type == FILE_TYPE_PIPE && !pipeAllowed) {
    throw std::runtime_error(PathText(path) + " is a pipe, not a file");
  }
  if (type != FILE_TYPE_DISK && type != FILE_TYPE_PIPE) {
    throw std::runtime_error(PathText(path) + " is a device, not a file");
  }
  LARGE_INTEGER size{};
  if (type == FILE_TYPE_DISK && !GetFileSizeEx(file.Get(), &size)) {
    throw SystemError("cannot read", path);
  }
  return ReadAll(file.Get(), path, static_cast<std::uint64_t>(size.QuadPart));
}

void WriteNewFile(const std::filesystem::path& path, std::string_view content) {
  if (const auto failure = platform::WriteNewFile(LongForm(path), content)) {
    throw SystemError(failure->stage == platform::NewFileFailure::Stage::Create ? "cannot create"
                                                                                : "cannot write",
                      path, failure->code);
  }
}

void MakeFolders(const std::filesystem::path& path) {
  const DWORD attributes = AttributesOf(path);
  if (attributes != INVALID_FILE_ATTRIBUTES) {
    if (attributes & FILE_ATTRIBUTE_DIRECTORY) {
      return;
    }
    throw std::runtime_error(PathText(path) + " is a file, not a folder");
  }
  if (path.has_parent_path() && path.parent_path() != path) {
    MakeFolders(path.parent_path());
  }
  if (!CreateDirectoryW(LongForm(path).c_str(), nullptr) &&
      GetLastError() != ERROR_ALREADY_EXISTS) {
    throw SystemError("cannot make the folder", path);
  }
}

void RemoveFile(const std::filesystem::path& path) {
  const DWORD attributes = AttributesOf(path);
  if (attributes == INVALID_FILE_ATTRIBUTES) {
    return;
  }
  // A link to a folder is removed as a folder is, which leaves what it points to.
  const bool removed = (attributes & FILE_ATTRIBUTE_DIRECTORY)
                           ? RemoveDirectoryW(LongForm(path).c_str())
                           : DeleteFileW(LongForm(path).c_str());
  if (!removed && GetLastError() != ERROR_FILE_NOT_FOUND) {
    throw SystemError("cannot remove", path);
  }
}

bool RemoveEmptyFolder(const std::filesystem::path& path) {
  if (RemoveDirectoryW(LongForm(path).c_str())) {
    return true;
  }
  const DWORD error = GetLastError();
  if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) {
    return true;
  }
  if (error == ERROR_DIR_NOT_EMPTY) {
    return false;
  }
  throw SystemError("cannot remove the folder", path, error);
}

void Rename(const std::filesystem::path& from, const std::filesystem::path& to) {
  if (!MoveFileExW(LongForm(from).c_str(), LongForm(to).c_str(),
                   MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    throw std::runtime_error("cannot move " + PathText(from) + " to " + PathText(to) + ": " +
                             SystemMessage(GetLastError()));
  }
}

void SyncFolder(const std::filesystem::path&) {
  // MoveFileEx with MOVEFILE_WRITE_THROUGH has put each rename on the disk already.
}

FolderLock::FolderLock(const std::filesystem::path& folder, std::chrono::milliseconds wait,
                       const std::function<void()>& onWait)
    : path_(folder / LockFileName) {
  const auto start = std::chrono::steady_clock::now();
  bool waiting = false;
  while (true) {
    // Opened with no sharing: a second opener is refused while the first holds it.
    Handle file(CreateFileW(LongForm(path_).c_str(), GENERIC_READ | GENERIC_WRITE | DELETE, 0,
                            nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (file.Valid()) {
      LARGE_INTEGER size{};
      if (!GetFileSizeEx(file.Get(), &size) || size.QuadPart != 0) {
        throw std::runtime_error(PathText(path_) +
                                 " is not vqbuild's lock file (that is empty); move it away");
      }
      handle_ = reinterpret_cast<std::intptr_t>(file.Release());
      return;
    }
    const DWORD error = GetLastError();
    const Kind kind = KindOf(path_);
    if (kind == Kind::Folder || kind == Kind::Link) {
      throw std::runtime_error(PathText(path_) + " is " + KindName(kind) +
                               ", not vqbuild's lock file; move it away");
    }
    const auto waited = std::chrono::steady_clock::now() - start;
    // A file being removed by the holder before is refused for a moment too.
    const bool held = error == ERROR_SHARING_VIOLATION ||
                      (error == ERROR_ACCESS_DENIED && waited < std::chrono::seconds(2));
    if (!held) {
      throw SystemError("cannot lock the folder: cannot open", path_, error);
    }
    WaitForHolder(waited >= wait, waiting, onWait, folder, path_);
  }
}

FolderLock::~FolderLock() {
  const HANDLE file = reinterpret_cast<HANDLE>(handle_);
  FILE_DISPOSITION_INFO remove{TRUE};
  SetFileInformationByHandle(file, FileDispositionInfo, &remove, sizeof remove);
  CloseHandle(file);
}

}  // namespace varkam::tools::files
