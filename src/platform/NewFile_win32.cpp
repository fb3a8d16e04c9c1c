#include "platform/NewFile.h"

#include <windows.h>

#include <algorithm>

namespace varkam::platform {

std::optional<NewFileFailure> WriteNewFile(const std::filesystem::path& path,
                                           std::string_view content) {
  const HANDLE file = ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    return NewFileFailure{NewFileFailure::Stage::Create, GetLastError()};
  }
  const auto failed = [file] {
    const DWORD code = GetLastError();
    ::CloseHandle(file);
    return NewFileFailure{NewFileFailure::Stage::Write, code};
  };
  for (std::size_t done = 0; done < content.size();) {
    const auto part = static_cast<DWORD>(std::min<std::size_t>(content.size() - done, 1 << 30));
    DWORD written = 0;
    if (!::WriteFile(file, content.data() + done, part, &written, nullptr) || written == 0) {
      return failed();
    }
    done += written;
  }
  if (!::FlushFileBuffers(file)) {
    return failed();
  }
  // A close that fails may have lost the bytes.
  if (!::CloseHandle(file)) {
    return NewFileFailure{NewFileFailure::Stage::Write, GetLastError()};
  }
  return std::nullopt;
}

}  // namespace varkam::platform
