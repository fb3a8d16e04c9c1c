#include <gtest/gtest.h>

#include <atomic>
#include <csignal>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "UnitDitionary.h"
#include "lib/DictionaryWriter.h"
#include "lib/Files.h"
#include "persian/PersianDecode.h"
#include "tools/ToolsTesting.h"

namespace varkam::tools {
namespace {

using namespace std::string_literals;
using namespace support;

TEST(WriteDictionaryFiles, SortsStablyStoresMeaningsOnceAndPadsTheFourthFile) {
  TestFolder folder;
  const auto written = WriteDictionaryFiles(folder.Path(), {{"zebra", " z"},
                                                            {"Cat", " first"},
                                                            {"apple", " shared"},
                                                            {"cat", " second"},
                                                            {"box", " shared"}});
  EXPECT_EQ(written.entries, 5u);
  EXPECT_EQ(written.distinctMeanings, 4u);
  TDictionary dictionary(folder.Path());
  ASSERT_FALSE(dictionary.TakeMissingFlag());
  ASSERT_EQ(dictionary.WordCount(), 5);
  const char* const order[] = {"apple", "box", "Cat", "cat", "zebra"};
  const char* const meanings[] = {" shared", " shared", " first", " second", " z"};
  for (int i = 0; i < 5; ++i) {
    EXPECT_EQ(dictionary.GetWord(i + 1), order[i]);
    EXPECT_EQ(dictionary.GetMeaning(i + 1), meanings[i]);
  }
  EXPECT_EQ(folder.ReadFile("Dat01.vq").substr(0, 33), std::string(33, '\0')) << "record 0";
  EXPECT_EQ(folder.ReadFile("Dat01.vq").substr(33 * 5, 33), "\x05zebra" + std::string(27, '\0'));
  EXPECT_EQ(folder.ReadFile("Dat03.vq").size(), 8u + 7 + 8 + 3);
  EXPECT_EQ(folder.ReadFile("Dat04.vq").size(), 16326u);
}

// The encoding alone, with nothing written: the dictionary's reader takes its bytes as they
// are, and a build writes exactly them.
TEST(EncodeDictionary, GivesTheBytesTheReaderReads) {
  const std::vector<CompiledEntry> entries = {{"cat", " a"}, {"apple", " b"}, {"box", " a"}};
  const EncodedDictionary encoded = EncodeDictionary(entries);
  EXPECT_EQ(encoded.distinctMeanings, 2u);
  TestFolder read;
  const char* const names[] = {"Dat01.vq", "Dat02.vq", "Dat03.vq", "Dat04.vq"};
  for (std::size_t i = 0; i < 4; ++i) {
    read.WriteFile(names[i], encoded.files[i]);
  }
  TDictionary dictionary(read.Path());
  ASSERT_EQ(dictionary.WordCount(), 3);
  EXPECT_EQ(dictionary.GetWord(1), "apple");
  EXPECT_EQ(dictionary.GetMeaning(3), " a");
  EXPECT_EQ(dictionary.FindWord("box"), 2);
  TestFolder written;
  WriteDictionaryFiles(written.Path(), entries);
  for (std::size_t i = 0; i < 4; ++i) {
    EXPECT_EQ(written.ReadFile(names[i]), encoded.files[i]) << names[i];
  }
}

TEST(WriteDictionaryFiles, AFailedWriteLeavesTheOldFilesAsTheyWere) {
  TestFolder folder;
  WriteDictionaryFiles(folder.Path(), {{"old", " x"}});
  const std::string before = folder.ReadFile("Dat03.vq");
  std::filesystem::create_directory(folder / "Dat03.vq.new");  // cannot be created as a file
  EXPECT_THROW(WriteDictionaryFiles(folder.Path(), {{"new", " y"}}), std::runtime_error);
  EXPECT_EQ(folder.ReadFile("Dat03.vq"), before);
  EXPECT_EQ(TDictionary(folder.Path()).GetWord(1), "old");
  EXPECT_FALSE(std::filesystem::exists(folder / "Dat01.vq.new"));
}

// A move that fails halfway through the new files: the four old ones come back whole.
TEST(WriteDictionaryFiles, AFailedMoveBringsBackTheOldDictionary) {
  TestFolder folder;
  WriteDictionaryFiles(folder.Path(), {{"older", " x"}});
  WriteDictionaryFiles(folder.Path(), {{"old", " y"}, {"other", " z"}});
  const auto before = FilesIn(folder.Path());
  const auto kept = FilesIn(folder / PreviousFolderName);
  int moves = 0;
  const FileRename failingThird = [&moves](const auto& from, const auto& to) {
    if (from.extension() == ".new" && ++moves == 3) {
      throw std::runtime_error("cannot move " + from.string());
    }
    RenameFile(from, to);
  };
  EXPECT_THROW(WriteDictionaryFiles(folder.Path(), {{"new", " w"}}, {failingThird}),
               std::runtime_error);
  EXPECT_EQ(moves, 3);
  EXPECT_TRUE(FilesIn(folder.Path()) == before) << "no pending file, no staging folder left";
  EXPECT_TRUE(FilesIn(folder / PreviousFolderName) == kept);
  EXPECT_EQ(TDictionary(folder.Path()).GetWord(1), "old");
}

TEST(WriteDictionaryFiles, TheDictionaryReplacedIsKeptInPrevious) {
  TestFolder folder;
  WriteDictionaryFiles(folder.Path(), {{"first", " x"}});
  EXPECT_FALSE(std::filesystem::exists(folder / PreviousFolderName)) << "nothing was replaced";
  const auto first = FilesIn(folder.Path());
  WriteDictionaryFiles(folder.Path(), {{"second", " y"}});
  EXPECT_TRUE(FilesIn(folder / PreviousFolderName) == first);
  EXPECT_EQ(TDictionary(folder / PreviousFolderName).GetWord(1), "first");
  WriteDictionaryFiles(folder.Path(), {{"third", " z"}});
  EXPECT_EQ(TDictionary(folder / PreviousFolderName).GetWord(1), "second");
  EXPECT_EQ(TDictionary(folder.Path()).GetWord(1), "third");
}

#ifndef _WIN32
// A link planted where a pending file goes is never written through.
TEST(WriteDictionaryFiles, APlantedLinkIsNotWrittenThrough) {
  TestFolder folder;
  folder.WriteFile("victim", "precious");
  std::filesystem::create_symlink(folder / "victim", folder / "Dat03.vq.new");
  WriteDictionaryFiles(folder.Path(), {{"word", " x"}});
  EXPECT_EQ(folder.ReadFile("victim"), "precious");
  EXPECT_EQ(TDictionary(folder.Path()).GetMeaning(1), " x");
  EXPECT_FALSE(std::filesystem::exists(std::filesystem::symlink_status(folder / "Dat03.vq.new")));
}
#endif

std::string WordIn(const std::filesystem::path& folder) {
  TDictionary dictionary(folder);
  return dictionary.TakeMissingFlag() ? "(no dictionary)" : dictionary.GetWord(1);
}

std::string ErrorOf(const std::function<void()>& action) {
  try {
    action();
  } catch (const std::runtime_error& error) {
    return error.what();
  }
  return "no error";
}

// The folder "previous/" may hold what the user keeps there: a build replaces its four data
// files and nothing else, and "previous.new/" is never removed with what is in it.
TEST(WriteDictionaryFiles, OnlyTheFourKeptDataFilesAreReplacedInPrevious) {
  TestFolder folder;
  std::filesystem::create_directories(folder / "previous/photos");
  folder.WriteFile("previous/photos/me.jpg", "a photo");
  folder.WriteFile("previous/notes.txt", "notes");
  WriteDictionaryFiles(folder.Path(), {{"first", " x"}});
  WriteDictionaryFiles(folder.Path(), {{"second", " y"}});
  WriteDictionaryFiles(folder.Path(), {{"third", " z"}});
  EXPECT_EQ(folder.ReadFile("previous/photos/me.jpg"), "a photo");
  EXPECT_EQ(folder.ReadFile("previous/notes.txt"), "notes");
  EXPECT_EQ(WordIn(folder / PreviousFolderName), "second");
  EXPECT_EQ(WordIn(folder.Path()), "third");
  EXPECT_FALSE(std::filesystem::exists(folder / StagingFolderName));
  EXPECT_FALSE(std::filesystem::exists(folder / "vqbuild.lock"));

  // A dictionary of fewer files replaces the kept one whole: none of the older one stays.
  std::filesystem::remove(folder / "Dat04.vq");
  WriteDictionaryFiles(folder.Path(), {{"fourth", " w"}});
  EXPECT_FALSE(std::filesystem::exists(folder / "previous/Dat04.vq"));
  EXPECT_EQ(folder.ReadFile("previous/notes.txt"), "notes");
}

// Where a name the build needs is taken by something the build did not make, nothing is
// removed or written, and the message names it.
TEST(WriteDictionaryFiles, ANameTakenBySomethingElseIsRefused) {
  const std::function<void(const TestFolder&)> takers[] = {
      [](const TestFolder& f) { f.WriteFile("previous", "a file of the user's"); },
      [](const TestFolder& f) {
        std::filesystem::create_directories(f / "previous/Dat02.vq");
        f.WriteFile("previous/Dat02.vq/inside", "x");
      },
      [](const TestFolder& f) {
        std::filesystem::create_directories(f / "elsewhere");
        f.WriteFile("elsewhere/Dat01.vq", "not to be replaced");
        std::filesystem::create_directory_symlink(f / "elsewhere", f / "previous");
      },
      [](const TestFolder& f) { f.WriteFile("previous.new", "a file of the user's"); },
      [](const TestFolder& f) {
        std::filesystem::create_directories(f / "previous.new");
        f.WriteFile("previous.new/Dat01.vq", "the user's, without a note of vqbuild's");
      },
      [](const TestFolder& f) { std::filesystem::create_directories(f / "Dat02.vq.new/x"); },
      [](const TestFolder& f) { std::filesystem::create_directories(f / "vqbuild.lock"); },
      [](const TestFolder& f) { f.WriteFile("vqbuild.lock", "the user's own lock"); },
      [](const TestFolder& f) {
        f.WriteFile("target", "");
        std::filesystem::create_symlink(f / "target", f / "vqbuild.lock");
      },
  };
  const char* const named[] = {"previous",     "previous/Dat02.vq", "previous",
                               "previous.new", "previous.new",      "Dat02.vq.new",
                               "vqbuild.lock", "vqbuild.lock",      "vqbuild.lock"};
  for (std::size_t i = 0; i < std::size(takers); ++i) {
    TestFolder folder;
    WriteDictionaryFiles(folder.Path(), {{"old", " x"}});
    takers[i](folder);
    const auto before = Tree(folder.Path());
    const std::string error = ErrorOf([&] {
      WriteDictionaryFiles(folder.Path(), {{"new", " y"}});
    });
    EXPECT_NE(error.find((folder / named[i]).string() + " "), std::string::npos)
        << i << ": " << error;
    EXPECT_NE(error.find("move it away"), std::string::npos) << error;
    EXPECT_TRUE(Tree(folder.Path()) == before) << i << ": " << error;
  }
}

// The dictionary replaced is never lost where "previous/" cannot take it: it stays in the
// staging folder and the user is told; a later build that still cannot move it there stops.
TEST(WriteDictionaryFiles, AReplacedDictionaryThatCannotBeKeptStaysAndIsTold) {
  TestFolder folder;
  WriteDictionaryFiles(folder.Path(), {{"old", " x"}});
  const auto old = FilesIn(folder.Path());
  WriteOptions options;
  options.rename = [](const auto& from, const auto& to) {
    if (to.parent_path().filename() == PreviousFolderName) {
      throw std::runtime_error("cannot move " + from.string() + ": Read-only file system");
    }
    RenameFile(from, to);
  };
  std::vector<std::string> notes;
  options.note = [&notes](const std::string& note) { notes.push_back(note); };
  WriteDictionaryFiles(folder.Path(), {{"new", " y"}}, options);
  EXPECT_EQ(WordIn(folder.Path()), "new");
  ASSERT_EQ(notes.size(), 1u);
  EXPECT_NE(notes[0].find("it is kept in " + (folder / StagingFolderName).string()),
            std::string::npos)
      << notes[0];
  EXPECT_EQ(WordIn(folder / StagingFolderName), "old");

  std::filesystem::create_directories(folder / "previous/Dat01.vq");
  const auto before = Tree(folder.Path());
  const std::string error = ErrorOf([&] { WriteDictionaryFiles(folder.Path(), {{"next", " z"}}); });
  EXPECT_NE(error.find("holds the dictionary an earlier build replaced"), std::string::npos)
      << error;
  EXPECT_TRUE(Tree(folder.Path()) == before);

  std::filesystem::remove(folder / "previous/Dat01.vq");
  notes.clear();
  WriteDictionaryFiles(folder.Path(), {{"next", " z"}},
                       {RenameFile, std::chrono::seconds(1), options.note});
  EXPECT_EQ(notes, std::vector<std::string>{"a build into " + folder.Path().string() +
                                            " was stopped halfway; it is finished now"});
  EXPECT_EQ(WordIn(folder / PreviousFolderName), "new");
  EXPECT_EQ(WordIn(folder.Path()), "next");
}

#ifndef _WIN32
// Renames counted from 1; the build is killed, as by a power cut, just before the one given.
FileRename KilledAt(int rename, int& count) {
  return [rename, &count](const auto& from, const auto& to) {
    if (++count == rename) {
      std::raise(SIGKILL);
    }
    RenameFile(from, to);
  };
}

// A build killed before any one of its renames leaves the folder for the next build to set
// right: undone up to the finish note, finished after it; nothing is lost either way.
TEST(WriteDictionaryFiles, ABuildKilledAtAnyRenameIsSetRightByTheNext) {
  for (const bool replacing : {true, false}) {
    int renames = 0;
    TestFolder counting;
    if (replacing) {
      WriteDictionaryFiles(counting.Path(), {{"old", " x"}});
    }
    WriteDictionaryFiles(counting.Path(), {{"new", " y"}}, {KilledAt(0, renames)});
    EXPECT_EQ(renames, replacing ? 13 : 5) << "old aside, the finish note, new in, old kept";
    const int undoneUpTo = replacing ? 5 : 1;
    for (int kill = 1; kill <= renames; ++kill) {
      TestFolder folder;
      if (replacing) {
        WriteDictionaryFiles(folder.Path(), {{"older", " o"}});
        WriteDictionaryFiles(folder.Path(), {{"old", " x"}});
        folder.WriteFile("previous/mine.txt", "kept by the user");
      }
      int count = 0;
      EXPECT_EXIT(WriteDictionaryFiles(folder.Path(), {{"new", " y"}}, {KilledAt(kill, count)}),
                  ::testing::KilledBySignal(SIGKILL), "");
      std::vector<std::string> notes;
      WriteDictionaryFiles(folder.Path(), {{"next", " z"}},
                           {RenameFile, std::chrono::seconds(1),
                            [&notes](const std::string& note) { notes.push_back(note); }});
      ASSERT_EQ(notes.size(), 1u) << kill;
      EXPECT_NE(notes[0].find(kill <= undoneUpTo ? "it is undone" : "it is finished now"),
                std::string::npos)
          << kill << ": " << notes[0];
      EXPECT_EQ(WordIn(folder.Path()), "next") << kill;
      const std::string kept = kill <= undoneUpTo ? (replacing ? "old" : "(no dictionary)") : "new";
      EXPECT_EQ(WordIn(folder / PreviousFolderName), kept) << kill;
      const auto files = FilesIn(folder.Path());
      EXPECT_EQ(files.size(), 4u + (kept == "(no dictionary)" ? 0 : 1)) << kill << " no leftovers";
      if (replacing) {
        EXPECT_EQ(folder.ReadFile("previous/mine.txt"), "kept by the user");
      }
    }
  }
}
#endif

// Builds into one folder take turns: each finds the folder whole, and the last one's
// dictionary is there with the one before it kept.
TEST(WriteDictionaryFiles, BuildsIntoOneFolderAtOnceTakeTurns) {
  TestFolder folder;
  WriteDictionaryFiles(folder.Path(), {{"first", " first"}});
  std::atomic<int> failures{0};
  const auto builder = [&](const std::string& word) {
    for (int i = 0; i < 10; ++i) {
      try {
        WriteDictionaryFiles(folder.Path(), {{word, " " + word}, {word + "s", " " + word}});
      } catch (const std::exception& error) {
        ++failures;
        ADD_FAILURE() << error.what();
      }
    }
  };
  std::thread alpha(builder, "alpha");
  std::thread beta(builder, "beta");
  alpha.join();
  beta.join();
  EXPECT_EQ(failures, 0);
  for (const auto& place : {folder.Path(), folder / PreviousFolderName}) {
    TDictionary dictionary(place);
    ASSERT_FALSE(dictionary.TakeMissingFlag());
    ASSERT_EQ(dictionary.WordCount(), 2);
    EXPECT_EQ(dictionary.GetMeaning(1), " " + dictionary.GetWord(1));
    EXPECT_EQ(dictionary.GetWord(2), dictionary.GetWord(1) + "s");
  }
  EXPECT_EQ(FilesIn(folder.Path()).size(), 5u) << "the four files and previous/, nothing else";
}

// A build waits for the folder while another holds it, and gives up on one that never lets go
// (a program that stopped answering) with the folder as it was.
TEST(WriteDictionaryFiles, ABuildWaitsForTheFolderAndGivesUpOnAHolderThatNeverLetsGo) {
  TestFolder folder;
  WriteDictionaryFiles(folder.Path(), {{"old", " x"}});
  const auto before = Tree(folder.Path());
  std::vector<std::string> notes;
  const WriteOptions options{RenameFile, std::chrono::milliseconds(300),
                             [&notes](const std::string& note) { notes.push_back(note); }};
  auto held = std::make_unique<files::FolderLock>(folder.Path(), std::chrono::milliseconds(0));
  const std::string error = ErrorOf([&] {
    WriteDictionaryFiles(folder.Path(), {{"new", " y"}}, options);
  });
  EXPECT_EQ(error, "another build is still writing into " + folder.Path().string() + " (it holds " +
                       (folder / "vqbuild.lock").string() +
                       "); it may have stopped answering. Nothing was written");
  EXPECT_EQ(notes, std::vector<std::string>{"another build is writing into " +
                                            folder.Path().string() + "; waiting for it to end"});
  held.reset();
  EXPECT_TRUE(Tree(folder.Path()) == before);

  held = std::make_unique<files::FolderLock>(folder.Path(), std::chrono::milliseconds(0));
  std::thread letGo([&held] {
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    held.reset();
  });
  WriteDictionaryFiles(folder.Path(), {{"new", " y"}},
                       {RenameFile, std::chrono::seconds(10), options.note});
  letGo.join();
  EXPECT_EQ(WordIn(folder.Path()), "new");
}

}  // namespace
}  // namespace varkam::tools
