#pragma once

// The one way the program and the tools write a file: created new, for the caller alone,
// written whole, flushed to the disk and closed with the close looked at.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string_view>

namespace varkam::platform {

// Where a write failed, and the system's code for why (errno, or GetLastError on Windows).
struct NewFileFailure {
  enum class Stage { Create, Write } stage;
  std::uint32_t code;
};

// Creates `path`, which must not exist (a file or a link of that name is never written
// through), writes `content` into it and has it on the disk and closed before it returns.
// Nothing when all went well; a file that failed after its creation is left for the caller to
// remove.
std::optional<NewFileFailure> WriteNewFile(const std::filesystem::path& path,
                                           std::string_view content);

}  // namespace varkam::platform
