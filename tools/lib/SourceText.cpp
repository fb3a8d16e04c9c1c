#include "lib/SourceText.h"

#include <algorithm>
#include <array>
#include <stdexcept>

#include "lib/Files.h"
#include "lib/Paths.h"
#include "lib/Utf8.h"

namespace varkam::tools {

using namespace std::string_view_literals;

namespace {

constexpr std::size_t EncodingSample = 4096;

std::string Utf16Text(std::string_view bytes, bool littleEndian) {
  std::u16string wide;
  wide.reserve(bytes.size() / 2);
  for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
    const auto first = static_cast<unsigned char>(bytes[i]);
    const auto second = static_cast<unsigned char>(bytes[i + 1]);
    wide += static_cast<char16_t>(littleEndian ? first | (second << 8) : (first << 8) | second);
  }
  return Utf16ToUtf8(wide);
}

}  // namespace

// ASCII letters, tabs and line breaks, which every source has, have NUL bytes beside them in
// UTF-16 and UTF-32: at the odd places or the even ones, or three in each four bytes.
std::string LikelyWideEncoding(std::string_view bytes) {
  const std::size_t sample = std::min(bytes.size(), EncodingSample) / 4 * 4;
  std::array<std::size_t, 4> zeros{};
  for (std::size_t i = 0; i < sample; ++i) {
    zeros[i % 4] += bytes[i] == '\0' ? 1 : 0;
  }
  const std::size_t units = sample / 4;
  const std::size_t all = zeros[0] + zeros[1] + zeros[2] + zeros[3];
  if (all < 4 || all * 4 < units) {
    return {};  // too few NULs to be wide text: a stray one is a bad line's to report
  }
  const auto mostly = [units](std::size_t count) { return count * 10 >= units * 9; };
  const auto hardly = [all](std::size_t count) { return count * 20 <= all; };
  if (mostly(zeros[2]) && mostly(zeros[3]) && hardly(zeros[0])) {
    return "UTF-32 (little-endian)";
  }
  if (mostly(zeros[0]) && mostly(zeros[1]) && hardly(zeros[3])) {
    return "UTF-32 (big-endian)";
  }
  if (hardly(zeros[0] + zeros[2])) {
    return "UTF-16 (little-endian)";
  }
  if (hardly(zeros[1] + zeros[3])) {
    return "UTF-16 (big-endian)";
  }
  return {};
}

std::string ReadSourceText(const std::filesystem::path& input) {
  std::string bytes = files::ReadWholeFile(input, true);
  const std::string_view text(bytes);
  const std::string advice = "; save it as UTF-8, or as UTF-16 with its byte order mark";
  if (text.starts_with("\xFF\xFE\0\0"sv) || text.starts_with("\0\0\xFE\xFF"sv)) {
    throw std::runtime_error(PathText(input) +
                             ": UTF-32 text (it begins with the byte order "
                             "mark of UTF-32)" +
                             advice);
  }
  if (text.starts_with("\xEF\xBB\xBF")) {
    return bytes.substr(3);
  }
  const bool littleEndian = text.starts_with("\xFF\xFE");
  if (!littleEndian && !text.starts_with("\xFE\xFF")) {
    if (const std::string encoding = LikelyWideEncoding(text); !encoding.empty()) {
      throw std::runtime_error(PathText(input) + ": looks like " + encoding +
                               " text without a byte order mark" + advice);
    }
    return bytes;
  }
  if (bytes.size() % 2 != 0) {
    throw std::runtime_error(PathText(input) +
                             ": UTF-16 text (it begins with a byte order mark) with an odd "
                             "number of bytes");
  }
  return Utf16Text(text.substr(2), littleEndian);
}

}  // namespace varkam::tools
