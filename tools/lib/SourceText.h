#pragma once

// Reading a source text file into UTF-8.

#include <filesystem>
#include <string>
#include <string_view>

namespace varkam::tools {

// A source text as UTF-8: UTF-8 with or without a byte order mark, or UTF-16 in either byte
// order with its byte order mark. A pipe is read too. Throws std::runtime_error naming the
// file when it cannot be read, and naming the likely encoding of UTF-32 text and of UTF-16
// text without its byte order mark, which would otherwise read as lines of NUL bytes.
std::string ReadSourceText(const std::filesystem::path& input);

// "UTF-16 (little-endian)" and the like for text whose NUL bytes fall as those of UTF-16 or
// UTF-32 text do; empty for anything else.
std::string LikelyWideEncoding(std::string_view bytes);

}  // namespace varkam::tools
