#pragma once

// The file operations the tools need to read their inputs and to replace a dictionary. Each
// failure is a std::runtime_error that names the path as the user gave it and the system's
// reason. A link is never followed where something is removed, moved or created: it is an
// entry of its own. On Windows every path is handed to the system in its long form, so that a
// folder deep down works as a short one does.

#include <chrono>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

namespace varkam::tools::files {

enum class Kind { Missing, File, Folder, Link, Pipe, Other };

// What is at `path` itself (a link is a Link, whatever it points to).
Kind KindOf(const std::filesystem::path& path);

// "a file", "a folder", "a link", "a pipe", "a device or a socket"; "nothing" for Missing.
std::string KindName(Kind kind);

// The whole of a file that is read once. A folder or a device in its place is named, and so is
// a pipe unless `pipeAllowed` (a pipe is never opened otherwise, so it cannot hold the reader
// up). A file too large for memory is named with its size.
std::string ReadWholeFile(const std::filesystem::path& path, bool pipeAllowed = false);

// A file created for the caller alone: fails when anything is there, never writes through a
// link. Its bytes are on the disk once this returns.
void WriteNewFile(const std::filesystem::path& path, std::string_view content);

// The folder and any of its parents that are missing.
void MakeFolders(const std::filesystem::path& path);

// A file, a link or a pipe; never a folder.
void RemoveFile(const std::filesystem::path& path);

// False, and nothing done, when the folder holds anything.
bool RemoveEmptyFolder(const std::filesystem::path& path);

// Moves a file within its folder or into another on the same disk, in place of a file at `to`.
void Rename(const std::filesystem::path& from, const std::filesystem::path& to);

// The folder's renames are on the disk once this returns.
void SyncFolder(const std::filesystem::path& folder);

// An exclusive hold on a folder for one process, through the file "vqbuild.lock" in it. It
// waits up to `wait` while another process holds the folder (calling `onWait` once when it
// starts to wait), then throws. The lock file goes when the hold ends; one left by a process
// that was killed is empty and is taken over. A lock file that holds data, or anything else
// of that name, is not vqbuild's: it is refused and left as it is.
class FolderLock {
 public:
  FolderLock(const std::filesystem::path& folder, std::chrono::milliseconds wait,
             const std::function<void()>& onWait = {});
  ~FolderLock();
  FolderLock(const FolderLock&) = delete;
  FolderLock& operator=(const FolderLock&) = delete;

 private:
  std::filesystem::path path_;
  std::intptr_t handle_ = -1;
};

inline constexpr const char* LockFileName = "vqbuild.lock";

// One turn of FolderLock's wait for another build: it gives up once `timedOut`, tells of the
// wait once (through `onWait`, with `waiting` remembering it), then sleeps a moment.
void WaitForHolder(bool timedOut, bool& waiting, const std::function<void()>& onWait,
                   const std::filesystem::path& folder, const std::filesystem::path& lock);

}  // namespace varkam::tools::files
