#pragma once

// Splits a fuzz input into files of a scratch folder: each file takes a length from two bytes
// of the input, then that many bytes (the last file takes the rest).

#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <string>
#include <string_view>

namespace varkam::fuzz {

inline const std::filesystem::path& ScratchFolder() {
  static const std::filesystem::path folder = [] {
    auto path =
        std::filesystem::temp_directory_path() / ("varkam-fuzz-" + std::to_string(::getpid()));
    std::filesystem::create_directories(path);
    return path;
  }();
  return folder;
}

inline void SplitIntoFiles(const std::uint8_t* data, std::size_t size,
                           std::initializer_list<const char*> names) {
  std::string_view rest(reinterpret_cast<const char*>(data), size);
  std::size_t left = names.size();
  for (const char* name : names) {
    std::size_t length = rest.size();
    if (--left > 0 && rest.size() >= 2) {
      length = (static_cast<std::uint8_t>(rest[0]) | (static_cast<std::uint8_t>(rest[1]) << 8));
      rest.remove_prefix(2);
      length = std::min(length, rest.size());
    }
    std::ofstream(ScratchFolder() / name, std::ios::binary | std::ios::trunc)
        .write(rest.data(), static_cast<std::streamsize>(length));
    rest.remove_prefix(length);
  }
}

}  // namespace varkam::fuzz
