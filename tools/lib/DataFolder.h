#pragma once

// The folder the tools read a dictionary from.

#include <filesystem>
#include <optional>
#include <string>

namespace varkam::tools {

// What keeps the four data files in `folder` from being read as files: one that is a folder,
// a pipe or a device, named. Nothing when each is a regular file or missing (the dictionary
// reports missing files itself). Nothing is opened, so a pipe cannot hold the caller up.
std::optional<std::string> DataFilesProblem(const std::filesystem::path& folder);

}  // namespace varkam::tools
