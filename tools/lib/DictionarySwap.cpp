#include "lib/DictionarySwap.h"

#include <algorithm>
#include <optional>
#include <stdexcept>
#include <string_view>
#include <utility>
#include <vector>

#include "UnitDitionary.h"
#include "lib/Files.h"
#include "lib/Paths.h"

namespace varkam::tools {

namespace {

using files::Kind;
using files::KindOf;
using Path = std::filesystem::path;

constexpr std::array<std::string_view, 4> DataFileNames = {WordIndexFileName, MeaningOffsetFileName,
                                                           MeaningTextFileName, FourthDataFileName};

// What a user who comes upon the staging folder reads in either note.
constexpr std::string_view NoteText =
    "vqbuild keeps the dictionary it replaces in this folder while it moves the new one into\r\n"
    "place. If you can read this, that build was stopped halfway. The next vqbuild into the\r\n"
    "folder above sets it right: with vqbuild-undo.txt alone here it puts this dictionary back,\r\n"
    "with vqbuild-finish.txt it finishes moving the new one in and keeps this one in\r\n"
    "\"previous\". This folder may hold the only copy of a dictionary: do not delete it.\r\n";
constexpr std::string_view KeptLabel = "kept:";

std::runtime_error InTheWay(const Path& path, Kind kind, const std::string& why) {
  return std::runtime_error(PathText(path) + " is " + files::KindName(kind) + ": " + why +
                            "; move it away. Nothing was written");
}

void RemoveIfThere(const Path& path) {
  if (KindOf(path) != Kind::Missing) {
    files::RemoveFile(path);
  }
}

struct Move {
  Path from;
  Path to;
};

// The places of one folder's replacement, and its steps.
class Replacement {
 public:
  Replacement(const Path& folder, const FileRename& rename, const Notify& notify)
      : folder_(folder),
        staging_(folder / StagingFolderName),
        previous_(folder / PreviousFolderName),
        rename_(rename),
        notify_(notify) {}

  void CheckNames() const;
  void WriteNewFiles(const DataFileContents& contents) const;
  void Replace();
  void SetRight();

 private:
  Path Final(std::string_view name) const { return folder_ / name; }
  Path Pending(std::string_view name) const { return WithEnding(folder_ / name, ".new"); }
  Path Aside(std::string_view name) const { return staging_ / name; }
  Path Kept(std::string_view name) const { return previous_ / name; }
  Path Note(const char* name) const { return staging_ / name; }

  std::vector<std::string_view> NamesInUse() const;
  void CheckPrevious() const;
  void RemovePending() const noexcept;
  void MoveAll(const std::vector<std::string_view>& names,
               Path (Replacement::*from)(std::string_view) const,
               Path (Replacement::*to)(std::string_view) const, std::vector<Move>& moved);
  void WriteFinishNote(const std::vector<std::string_view>& names);
  std::optional<std::string> Undo(bool madePrevious) noexcept;
  void Keep(const std::vector<std::string_view>& names, const FileRename& rename) const;
  void Tidy() const noexcept;
  std::vector<std::string_view> ReadFinishNote() const;
  void FinishStopped();
  void UndoStopped();
  std::runtime_error Stuck(const std::string& what) const;
  void Tell(const std::string& what) const {
    if (notify_) {
      notify_(what);
    }
  }

  Path folder_;
  Path staging_;
  Path previous_;
  const FileRename& rename_;
  const Notify& notify_;
  std::vector<Move> asideMoves_;  // old files into the staging folder
  std::vector<Move> inMoves_;     // new files into their places
};

std::vector<std::string_view> Replacement::NamesInUse() const {
  std::vector<std::string_view> names;
  for (const std::string_view name : DataFileNames) {
    const Kind kind = KindOf(Final(name));
    if (kind == Kind::File || kind == Kind::Link) {
      names.push_back(name);
    }
  }
  return names;
}

void Replacement::CheckNames() const {
  for (const std::string_view name : DataFileNames) {
    if (const Kind kind = KindOf(Pending(name)); kind == Kind::Folder) {
      throw InTheWay(Pending(name), kind, "vqbuild writes a new data file under that name");
    }
    if (const Kind kind = KindOf(Final(name));
        kind != Kind::Missing && kind != Kind::File && kind != Kind::Link) {
      throw std::runtime_error(PathText(Final(name)) + " is " + files::KindName(kind) +
                               ", not a data file. Nothing was written");
    }
  }
  if (!NamesInUse().empty()) {
    CheckPrevious();
  }
}

// The dictionary replaced goes into "previous/": a folder, whose four data files alone are
// replaced. Anything else there is the user's and is never touched.
void Replacement::CheckPrevious() const {
  const Kind kind = KindOf(previous_);
  if (kind == Kind::Missing) {
    return;
  }
  if (kind != Kind::Folder) {
    throw InTheWay(previous_, kind,
                   "vqbuild keeps the dictionary it replaces in a folder of that name");
  }
  for (const std::string_view name : DataFileNames) {
    if (const Kind kept = KindOf(Kept(name)); kept != Kind::Missing && kept != Kind::File) {
      throw InTheWay(Kept(name), kept,
                     "vqbuild keeps a data file of the dictionary it replaces under that name");
    }
  }
}

void Replacement::RemovePending() const noexcept {
  for (const std::string_view name : DataFileNames) {
    try {
      RemoveIfThere(Pending(name));
    } catch (const std::exception&) {
      // what cannot be tidied away is left; the next build removes it
    }
  }
}

// A file left by a build that was stopped, or a link planted there, goes: the names are the
// build's own.
void Replacement::WriteNewFiles(const DataFileContents& contents) const {
  try {
    for (std::size_t i = 0; i < DataFileNames.size(); ++i) {
      RemoveIfThere(Pending(DataFileNames[i]));
      files::WriteNewFile(Pending(DataFileNames[i]), contents[i]);
    }
  } catch (const std::exception&) {
    RemovePending();
    throw;
  }
}

void Replacement::MoveAll(const std::vector<std::string_view>& names,
                          Path (Replacement::*from)(std::string_view) const,
                          Path (Replacement::*to)(std::string_view) const,
                          std::vector<Move>& moved) {
  for (const std::string_view name : names) {
    const Move move{(this->*from)(name), (this->*to)(name)};
    rename_(move.from, move.to);
    moved.push_back(move);
  }
}

// The list of what went aside, then the note's name, which is what makes the build one to
// finish rather than undo.
void Replacement::WriteFinishNote(const std::vector<std::string_view>& names) {
  std::string note(KeptLabel);
  for (const std::string_view name : names) {
    note += ' ';
    note += name;
  }
  note += "\r\n";
  note += NoteText;
  const Path pending = WithEnding(Note(FinishNoteName), ".new");
  files::WriteNewFile(pending, note);
  rename_(pending, Note(FinishNoteName));
}

void Replacement::Replace() {
  const std::vector<std::string_view> old = NamesInUse();
  const bool madePrevious = !old.empty() && KindOf(previous_) == Kind::Missing;
  const std::vector<std::string_view> all(DataFileNames.begin(), DataFileNames.end());
  try {
    if (madePrevious) {
      files::MakeFolders(previous_);
    }
    files::MakeFolders(staging_);
    files::WriteNewFile(Note(UndoNoteName), NoteText);
    MoveAll(old, &Replacement::Final, &Replacement::Aside, asideMoves_);
    WriteFinishNote(old);
    MoveAll(all, &Replacement::Pending, &Replacement::Final, inMoves_);
    files::SyncFolder(folder_);
  } catch (const std::exception& error) {
    if (const auto stuck = Undo(madePrevious)) {
      throw std::runtime_error(std::string(error.what()) + "; " + *stuck);
    }
    throw;
  }
  try {
    Keep(old, rename_);
  } catch (const std::exception& error) {
    Tell("the dictionary replaced could not be moved into " + PathText(previous_) + " (" +
         error.what() + "): it is kept in " + PathText(staging_) + "; move it elsewhere, or let " +
         PathText(previous_) + " be written, before the next build into " + PathText(folder_));
    return;
  }
  Tidy();
}

// Back to the files there were: the new ones out of their places while the note still says
// finish, then the note gone, then the old ones back.
std::optional<std::string> Replacement::Undo(bool madePrevious) noexcept {
  try {
    for (auto move = inMoves_.rbegin(); move != inMoves_.rend(); ++move) {
      files::Rename(move->to, move->from);
    }
    RemoveIfThere(Note(FinishNoteName));
    RemoveIfThere(WithEnding(Note(FinishNoteName), ".new"));
    for (auto move = asideMoves_.rbegin(); move != asideMoves_.rend(); ++move) {
      files::Rename(move->to, move->from);
    }
  } catch (const std::exception& error) {
    return std::string("putting the dictionary back failed too (") + error.what() + "): it is in " +
           PathText(staging_) + ", and the next build into " + PathText(folder_) + " sets it right";
  }
  RemovePending();
  try {
    RemoveIfThere(Note(UndoNoteName));
    files::RemoveEmptyFolder(staging_);
    if (madePrevious) {
      files::RemoveEmptyFolder(previous_);
    }
  } catch (const std::exception&) {
    // an empty folder or a note left over; the next build removes them
  }
  return std::nullopt;
}

// The files put aside take the place of the data files kept before; any of those four that
// the dictionary replaced lacked goes too, so that "previous/" holds one dictionary.
void Replacement::Keep(const std::vector<std::string_view>& names, const FileRename& rename) const {
  if (names.empty()) {
    return;
  }
  files::MakeFolders(previous_);
  for (const std::string_view name : DataFileNames) {
    if (std::find(names.begin(), names.end(), name) == names.end()) {
      if (KindOf(Kept(name)) == Kind::File) {
        files::RemoveFile(Kept(name));
      }
    } else if (KindOf(Aside(name)) != Kind::Missing) {
      rename(Aside(name), Kept(name));
    }
  }
}

// The finish note goes first: a build stopped after that is undone, and there is nothing left
// to undo.
void Replacement::Tidy() const noexcept {
  try {
    RemoveIfThere(Note(FinishNoteName));
    RemoveIfThere(Note(UndoNoteName));
    files::RemoveEmptyFolder(staging_);
  } catch (const std::exception&) {
    // a note or an empty folder left over; the next build finishes tidying
  }
}

std::runtime_error Replacement::Stuck(const std::string& what) const {
  return std::runtime_error("cannot set right the build into " + PathText(folder_) +
                            " that was stopped halfway: " + what +
                            "; the dictionary it replaced is in " + PathText(staging_) +
                            ". Nothing was written");
}

std::vector<std::string_view> Replacement::ReadFinishNote() const {
  const std::string note = files::ReadWholeFile(Note(FinishNoteName));
  if (note.rfind(KeptLabel, 0) != 0) {
    throw Stuck(PathText(Note(FinishNoteName)) + " is not the note vqbuild writes");
  }
  const std::string_view list = std::string_view(note).substr(0, note.find('\r'));
  std::vector<std::string_view> names;
  for (const std::string_view name : DataFileNames) {
    if (list.find(name) != std::string_view::npos) {
      names.push_back(name);
    }
  }
  return names;
}

void Replacement::FinishStopped() {
  const std::vector<std::string_view> old = ReadFinishNote();
  for (const std::string_view name : DataFileNames) {
    const Kind pending = KindOf(Pending(name));
    const Kind final = KindOf(Final(name));
    if (pending == Kind::Missing && final == Kind::Missing) {
      throw Stuck("neither " + PathText(Final(name)) + " nor its new file is there");
    }
    if (pending != Kind::Missing && final != Kind::Missing) {
      throw Stuck("both " + PathText(Final(name)) + " and its new file are there");
    }
    if (pending != Kind::Missing) {
      files::Rename(Pending(name), Final(name));
    }
  }
  files::SyncFolder(folder_);
  try {
    Keep(old, files::Rename);
  } catch (const std::exception& error) {
    throw std::runtime_error(PathText(staging_) +
                             " holds the dictionary an earlier build replaced, which cannot be "
                             "moved into " +
                             PathText(previous_) + " (" + error.what() +
                             "); move it elsewhere and build again. Nothing was written");
  }
  Tidy();
  Tell("a build into " + PathText(folder_) + " was stopped halfway; it is finished now");
}

void Replacement::UndoStopped() {
  bool putBack = false;
  for (const std::string_view name : DataFileNames) {
    if (KindOf(Aside(name)) == Kind::Missing) {
      continue;
    }
    if (KindOf(Final(name)) != Kind::Missing) {
      throw Stuck("both " + PathText(Aside(name)) + " and " + PathText(Final(name)) + " are there");
    }
    files::Rename(Aside(name), Final(name));
    putBack = true;
  }
  files::SyncFolder(folder_);
  RemovePending();
  RemoveIfThere(Note(UndoNoteName));
  files::RemoveEmptyFolder(staging_);
  Tell("a build into " + PathText(folder_) + " was stopped halfway; it is undone" +
       (putBack ? ": the dictionary in use before it is back" : ""));
}

void Replacement::SetRight() {
  const Kind kind = KindOf(staging_);
  if (kind == Kind::Missing) {
    return;
  }
  if (kind != Kind::Folder) {
    throw InTheWay(staging_, kind,
                   "vqbuild keeps the dictionary it replaces under that name while it builds");
  }
  const bool finish = KindOf(Note(FinishNoteName)) == Kind::File;
  if (!finish && KindOf(Note(UndoNoteName)) != Kind::File) {
    if (files::RemoveEmptyFolder(staging_)) {
      return;  // stopped before anything was put in it
    }
    throw std::runtime_error(PathText(staging_) + " holds files but no note of vqbuild's (" +
                             UndoNoteName +
                             "): vqbuild keeps the dictionary it replaces under that name "
                             "while it builds; move it away. Nothing was written");
  }
  RemoveIfThere(WithEnding(Note(FinishNoteName), ".new"));
  if (finish) {
    FinishStopped();
  } else {
    UndoStopped();
  }
}

}  // namespace

void RenameFile(const std::filesystem::path& from, const std::filesystem::path& to) {
  files::Rename(from, to);
}

void SetRightAStoppedReplacement(const std::filesystem::path& folder, const Notify& notify) {
  const FileRename rename = RenameFile;
  Replacement(folder, rename, notify).SetRight();
}

void ReplaceDictionary(const std::filesystem::path& folder, const DataFileContents& contents,
                       const FileRename& rename, const Notify& notify) {
  Replacement replacement(folder, rename, notify);
  replacement.CheckNames();
  replacement.WriteNewFiles(contents);
  replacement.Replace();
}

}  // namespace varkam::tools
