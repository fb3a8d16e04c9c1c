#include "lib/DataFolder.h"

#include "UnitDitionary.h"
#include "lib/Paths.h"

namespace varkam::tools {

std::optional<std::string> DataFilesProblem(const std::filesystem::path& folder) {
  for (const std::string_view name :
       {WordIndexFileName, MeaningOffsetFileName, MeaningTextFileName, FourthDataFileName}) {
    const std::filesystem::path path = folder / name;
    std::error_code error;
    const auto status = std::filesystem::status(path, error);
    if (error || !std::filesystem::exists(status) || std::filesystem::is_regular_file(status)) {
      continue;
    }
    const char* kind = std::filesystem::is_directory(status) ? "a folder"
                       : std::filesystem::is_fifo(status)    ? "a pipe"
                                                             : "not a regular file";
    return PathText(path) + " is " + kind + ", not a data file";
  }
  return std::nullopt;
}

}  // namespace varkam::tools
