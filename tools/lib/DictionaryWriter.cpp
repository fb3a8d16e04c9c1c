#include "lib/DictionaryWriter.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <stdexcept>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#endif

#include "UnitDitionary.h"
#include "lib/Paths.h"

namespace varkam::tools {

namespace {

void AppendInt32(std::string& out, std::int64_t value) {
  const auto bits = static_cast<std::uint32_t>(value);
  for (int shift = 0; shift < 32; shift += 8) {
    out += static_cast<char>((bits >> shift) & 0xFF);
  }
}

void AppendWordRecord(std::string& out, std::string_view word) {
  std::array<char, WordRecordSize> record{};
  record[0] = static_cast<char>(word.size());
  std::copy(word.begin(), word.end(), record.begin() + 1);
  out.append(record.data(), record.size());
}

// The fourth file is never interpreted; it says what made it and is otherwise zero.
std::string FourthDataFile() {
  std::string content = "Varkam dictionary data, written by vqbuild.\r\n";
  content.resize(ReservedBlockSize, '\0');
  return content;
}

std::filesystem::path PendingName(const std::filesystem::path& final) {
  return WithEnding(final, ".new");
}

// A new file, created for this build alone: an existing file or a link of that name is never
// written through. Its bytes are on the disk before it is closed.
void WriteNewFile(const std::filesystem::path& path, const std::string& content) {
#ifdef _WIN32
  HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    throw std::runtime_error("cannot create " + PathText(path));
  }
  DWORD written = 0;
  const bool complete =
      WriteFile(file, content.data(), static_cast<DWORD>(content.size()), &written, nullptr) &&
      written == content.size() && FlushFileBuffers(file);
  if (!CloseHandle(file) || !complete) {
    throw std::runtime_error("cannot write " + PathText(path));
  }
#else
  const auto SystemError = [](const std::string& what, const std::filesystem::path& path) {
    return what + " " + PathText(path) + ": " + std::strerror(errno);
  };
  const int file = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644);
  if (file < 0) {
    throw std::runtime_error(SystemError("cannot create", path));
  }
  std::size_t done = 0;
  while (done < content.size()) {
    const ssize_t wrote = ::write(file, content.data() + done, content.size() - done);
    if (wrote < 0 && errno == EINTR) {
      continue;
    }
    if (wrote <= 0) {
      const std::string error = SystemError("cannot write", path);
      ::close(file);
      throw std::runtime_error(error);
    }
    done += static_cast<std::size_t>(wrote);
  }
  if (::fsync(file) != 0) {
    const std::string error = SystemError("cannot write", path);
    ::close(file);
    throw std::runtime_error(error);
  }
  if (::close(file) != 0) {
    throw std::runtime_error(SystemError("cannot write", path));
  }
#endif
}

// The renames of a folder are on the disk once this returns.
void SyncFolder(const std::filesystem::path& folder) {
#ifndef _WIN32
  const int handle = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (handle >= 0) {
    ::fsync(handle);
    ::close(handle);
  }
#else
  (void)folder;  // MoveFileEx's renames need no more
#endif
}

// A file left by a build that was stopped, or a link planted there, goes; a folder of that
// name stays, and the build then fails on it.
void RemoveLeftover(const std::filesystem::path& path) {
  std::error_code error;
  const auto status = std::filesystem::symlink_status(path, error);
  if (!error && !std::filesystem::is_directory(status)) {
    std::filesystem::remove(path, error);
  }
}

void RemoveQuietly(const std::filesystem::path& path) {
  std::error_code ignored;  // what cannot be tidied away is left; the dictionary is whole
  std::filesystem::remove_all(path, ignored);
}

bool Exists(const std::filesystem::path& path) {
  std::error_code error;
  return std::filesystem::exists(std::filesystem::symlink_status(path, error));
}

}  // namespace

void RenameFile(const std::filesystem::path& from, const std::filesystem::path& to) {
  std::error_code error;
  std::filesystem::rename(from, to, error);
  if (error) {
    throw std::runtime_error("cannot move " + PathText(from) + " to " + PathText(to) + ": " +
                             error.message());
  }
}

WrittenDictionary WriteDictionaryFiles(const std::filesystem::path& folder,
                                       std::vector<CompiledEntry> entries,
                                       const FileRename& rename) {
  std::stable_sort(entries.begin(), entries.end(), [](const auto& a, const auto& b) {
    return CompareWords(a.headword, b.headword) < 0;
  });
  if (entries.size() > static_cast<std::size_t>(INT32_MAX / WordRecordSize - 1)) {
    throw std::runtime_error("too many entries for the word-index file");
  }

  std::string words;
  std::string offsets;
  std::string texts;
  words.reserve((entries.size() + 1) * WordRecordSize);
  offsets.reserve((entries.size() + 1) * MeaningOffsetSize);
  AppendWordRecord(words, "");
  AppendInt32(offsets, static_cast<std::int64_t>(entries.size()));
  std::unordered_map<std::string_view, std::int64_t> offsetOf;
  for (const CompiledEntry& entry : entries) {
    AppendWordRecord(words, entry.headword);
    const auto [known, added] = offsetOf.try_emplace(entry.stored, texts.size());
    if (added) {
      texts += static_cast<char>(entry.stored.size());
      texts += entry.stored;
      if (texts.size() > static_cast<std::size_t>(INT32_MAX)) {
        throw std::runtime_error("the meanings take more than 2 GiB");
      }
    }
    AppendInt32(offsets, known->second);
  }

  const std::string fourth = FourthDataFile();
  const std::pair<std::string_view, const std::string&> files[] = {
      {WordIndexFileName, words},
      {MeaningOffsetFileName, offsets},
      {MeaningTextFileName, texts},
      {FourthDataFileName, fourth},
  };
  const std::filesystem::path staging = folder / (std::string(PreviousFolderName) + ".new");
  std::vector<std::pair<std::filesystem::path, std::filesystem::path>> moved;
  const auto move = [&](const std::filesystem::path& from, const std::filesystem::path& to) {
    rename(from, to);
    moved.emplace_back(from, to);
  };
  try {
    for (const auto& [name, content] : files) {
      RemoveLeftover(PendingName(folder / name));
      WriteNewFile(PendingName(folder / name), content);
    }
    // The dictionary there now goes aside whole, then the new one takes its place.
    RemoveQuietly(staging);
    std::filesystem::create_directory(staging);
    for (const auto& [name, content] : files) {
      if (Exists(folder / name)) {
        move(folder / name, staging / name);
      }
    }
    for (const auto& [name, content] : files) {
      move(PendingName(folder / name), folder / name);
    }
    SyncFolder(folder);
  } catch (const std::exception&) {
    // Back to the four files there were, in the reverse order of the moves.
    for (auto step = moved.rbegin(); step != moved.rend(); ++step) {
      std::error_code ignored;
      std::filesystem::rename(step->second, step->first, ignored);
    }
    for (const auto& [name, content] : files) {
      RemoveLeftover(PendingName(folder / name));
    }
    RemoveQuietly(staging);
    throw;
  }
  // The dictionary replaced is kept beside the new one, in place of the one kept before.
  if (moved.size() > std::size(files)) {
    RemoveQuietly(folder / PreviousFolderName);
    std::error_code kept;
    std::filesystem::rename(staging, folder / PreviousFolderName, kept);
  }
  RemoveQuietly(staging);
  return {entries.size(), offsetOf.size()};
}

}  // namespace varkam::tools
