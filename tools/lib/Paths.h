#pragma once

// Paths as the tools take them from the command line and write them in messages: UTF-8 text on
// every system, though Windows keeps its paths in UTF-16.

#include <filesystem>
#include <string>
#include <string_view>

namespace varkam::tools {

std::filesystem::path PathFromUtf8(std::string_view text);
std::string PathText(const std::filesystem::path& path);

// `path` with `ending` added to its last part: "words" and ".idx" give "words.idx".
std::filesystem::path WithEnding(const std::filesystem::path& path, std::string_view ending);

}  // namespace varkam::tools
