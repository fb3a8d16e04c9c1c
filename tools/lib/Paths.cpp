#include "lib/Paths.h"

#include "lib/Utf8.h"

namespace varkam::tools {

#ifdef _WIN32

std::filesystem::path PathFromUtf8(std::string_view text) {
  const auto wide = Utf8ToUtf16(text);
  if (!wide) {
    return std::filesystem::path(std::string(text));  // not UTF-8: the system's code page
  }
  // char16_t and wchar_t are both UTF-16 code units on Windows.
  return std::filesystem::path(std::wstring(wide->begin(), wide->end()));
}

std::string PathText(const std::filesystem::path& path) {
  const std::wstring& wide = path.native();
  return Utf16ToUtf8(std::u16string(wide.begin(), wide.end()));
}

#else

std::filesystem::path PathFromUtf8(std::string_view text) {
  return std::filesystem::path(std::string(text));
}

std::string PathText(const std::filesystem::path& path) {
  return path.native();
}

#endif

std::filesystem::path WithEnding(const std::filesystem::path& path, std::string_view ending) {
  std::filesystem::path result = path;
  result += PathFromUtf8(ending).native();
  return result;
}

}  // namespace varkam::tools
