#pragma once

// How a build puts a new dictionary in the place of the one in a folder, and how the next build
// sets right one that was stopped halfway.
//
// The four new files are written beside their final names as "NAME.new" and flushed. The
// staging folder "previous.new" is made with the note "vqbuild-undo.txt" in it; the old files
// move into it; the note "vqbuild-finish.txt", which lists them, joins it; the new files take
// their names; the old ones take the place of the four data files in "previous/"; the notes and
// the staging folder go. A build stopped before the finish note is undone by the next one, a
// build stopped after it is finished. Nothing is removed but the build's own names and the four
// data files kept in "previous/"; a name the build needs that something else holds is refused.

#include <array>
#include <filesystem>
#include <functional>
#include <string>

namespace varkam::tools {

inline constexpr const char* PreviousFolderName = "previous";
inline constexpr const char* StagingFolderName = "previous.new";
inline constexpr const char* UndoNoteName = "vqbuild-undo.txt";
inline constexpr const char* FinishNoteName = "vqbuild-finish.txt";

// Moves a file, throwing std::runtime_error naming both places when it cannot.
using FileRename =
    std::function<void(const std::filesystem::path& from, const std::filesystem::path& to)>;
void RenameFile(const std::filesystem::path& from, const std::filesystem::path& to);

using DataFileContents = std::array<std::string, 4>;  // "Dat01.vq" to "Dat04.vq"
using Notify = std::function<void(const std::string&)>;

// The caller holds the folder against other builds. Each throws std::runtime_error naming what
// failed, and tells `notify` (when given) what the user should know besides.

// Finishes or undoes a replacement that was stopped halfway; nothing when there is none.
void SetRightAStoppedReplacement(const std::filesystem::path& folder, const Notify& notify);

// Puts the four files in the place of the dictionary in `folder`, whole or not at all: when a
// step fails, the old files are back and nothing of the new ones is left. A dictionary replaced
// that cannot be moved into "previous/" stays in the staging folder, and `notify` says so.
void ReplaceDictionary(const std::filesystem::path& folder, const DataFileContents& contents,
                       const FileRename& rename, const Notify& notify);

}  // namespace varkam::tools
