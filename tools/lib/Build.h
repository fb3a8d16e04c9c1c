#pragma once

// The dictionary compiler: source texts and StarDict dictionaries to the four data files.

#include <chrono>
#include <cstddef>
#include <filesystem>
#include <ostream>
#include <vector>

namespace varkam::tools {

struct BuildOptions {
  std::vector<std::filesystem::path> inputs;  // source texts, or StarDict .ifo files
  std::filesystem::path outputFolder = ".";
  bool skipBad = false;              // leave bad lines out instead of failing
  bool mergeCase = false;            // join headwords that differ only in letter case
  // How long to wait for another build writing into the same folder.
  std::chrono::milliseconds lockWait = std::chrono::seconds(60);
  std::ostream* progress = nullptr;  // where to show progress, if anywhere
};

struct BuildResult {
  std::size_t written = 0;
  std::size_t distinctMeanings = 0;
  std::size_t badLines = 0;
  bool wroteFiles = false;  // false when a bad line failed the build
};

// Reports each bad line to `report` as "FILE:LINE: what is wrong", and warnings likewise, among
// them each headword the lookup cannot reach since another differs from it only in letter
// case (mergeCase joins their meanings into one entry instead).
// Without skipBad any bad line leaves the output folder as it was. Throws std::runtime_error
// for an input that cannot be read or data files that cannot be written.
BuildResult BuildDictionary(const BuildOptions& options, std::ostream& report);

}  // namespace varkam::tools
