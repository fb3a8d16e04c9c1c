// The real Varkam.exe as a separate process, driven from outside as a user drives it: typing,
// list keys, a copy to the clipboard, the about box, closing; and a start with a data file
// missing.

#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <thread>

#include "e2e/EndToEnd.h"
#include "persian/PersianEncode.h"
#include "support/Processes.h"
#include "support/WindowsClipboard.h"

namespace varkam::testing {

std::wstring ProgramPath;

DictionaryLayout Animals() {
  DictionaryLayout layout;
  const std::pair<const char*, const char16_t*> words[] = {
      {"ant", u"\u0645\u0648\u0631\u0686\u0647"},
      {"bee", u"\u0632\u0646\u0628\u0648\u0631"},
      {"cat", u"\u06AF\u0631\u0628\u0647"},
      {"dog", u"\u0633\u06AF"},
      {"eel", u"\u0645\u0627\u0631\u0645\u0627\u0647\u06CC"}};
  for (const auto& [word, meaning] : words) {
    layout.entries.emplace_back(word, persian::UnicodeToPersian(meaning));
  }
  return layout;
}

HWND MeaningPane(HWND main) {
  for (HWND child = FindWindowExW(main, nullptr, L"Edit", nullptr); child != nullptr;
       child = FindWindowExW(main, child, L"Edit", nullptr)) {
    if (GetWindowLongW(child, GWL_STYLE) & ES_MULTILINE) {
      return child;
    }
  }
  return nullptr;
}

namespace {

TEST(EndToEnd, AUserLooksWordsUpAndClosesTheWindow) {
  TestFolder folder;
  WriteDictionary(folder, Animals());
  ASSERT_TRUE(PutTextOnClipboard(L""));
  Program program(ProgramPath, folder.Path());
  ASSERT_TRUE(program.Started());
  HWND main = nullptr;
  ASSERT_TRUE(WaitFor([&] { return (main = TopWindowOf(program.Id(), L"TForm1")) != nullptr; }));
  EXPECT_TRUE(WaitFor([&] { return TextOf(main) == L"ant  (Varkam)"; }));
  HWND combo = FindWindowExW(main, nullptr, L"ComboBox", nullptr);
  HWND edit = FindWindowExW(combo, nullptr, L"Edit", nullptr);
  HWND list = FindWindowExW(main, nullptr, L"ListBox", nullptr);
  HWND meaning = MeaningPane(main);
  ASSERT_TRUE(combo && edit && list && meaning);

  // Typing a word shows its entry at once.
  SendMessageW(edit, WM_KEYDOWN, VK_ESCAPE, 1);
  for (const wchar_t c : std::wstring(L"dog")) {
    SendMessageW(edit, WM_CHAR, c, 1);
  }
  EXPECT_EQ(TextOf(main), L"dog  (Varkam)");
  EXPECT_EQ(TextOf(meaning), L"\u0633\u06AF\r\n");
  EXPECT_EQ(TextOf(edit), L"dog");

  // The list keys move through the entries.
  SendMessageW(list, WM_KEYDOWN, VK_DOWN, 1);
  EXPECT_TRUE(WaitFor([&] { return TextOf(main) == L"eel  (Varkam)"; }));
  SendMessageW(list, WM_KEYDOWN, VK_HOME, 1);
  EXPECT_TRUE(WaitFor([&] { return TextOf(main) == L"ant  (Varkam)"; }));
  EXPECT_EQ(TextOf(edit), L"ant");

  // A word copied anywhere is looked up by itself.
  ASSERT_TRUE(PutTextOnClipboard(L"cat"));
  EXPECT_TRUE(WaitFor([&] { return TextOf(main) == L"cat  (Varkam)"; }));
  EXPECT_EQ(TextOf(meaning), L"\u06AF\u0631\u0628\u0647\r\n");

  // The about box opens from its button, centred, and closes with Enter, not with Escape.
  RECT client{};
  GetClientRect(main, &client);
  const LPARAM button = MAKELPARAM(client.right - 11, 13);
  PostMessageW(main, WM_LBUTTONDOWN, MK_LBUTTON, button);
  PostMessageW(main, WM_LBUTTONUP, 0, button);
  HWND about = nullptr;
  ASSERT_TRUE(
      WaitFor([&] { return (about = TopWindowOf(program.Id(), L"TAboutBox")) != nullptr; }));
  EXPECT_EQ(TextOf(about), L"About");
  RECT aboutClient{};
  GetClientRect(about, &aboutClient);
  EXPECT_EQ(aboutClient.right, 310);
  EXPECT_EQ(aboutClient.bottom, 433);
  RECT aboutBounds{};
  RECT mainBounds{};
  GetWindowRect(about, &aboutBounds);
  GetWindowRect(main, &mainBounds);
  EXPECT_NEAR(aboutBounds.left + aboutBounds.right, mainBounds.left + mainBounds.right, 2)
      << "centred over the main window";
  EXPECT_NEAR(aboutBounds.top + aboutBounds.bottom, mainBounds.top + mainBounds.bottom, 2);
  HWND ok = FindWindowExW(about, nullptr, L"Button", nullptr);
  ASSERT_NE(ok, nullptr);
  EXPECT_EQ(TextOf(ok), L"OK");
  EXPECT_FALSE(IsWindowEnabled(main)) << "the box is modal";
  PostMessageW(ok, WM_KEYDOWN, VK_ESCAPE, 1);
  std::this_thread::sleep_for(std::chrono::milliseconds(300));
  EXPECT_TRUE(IsWindowVisible(about)) << "Escape does not close it";
  PostMessageW(ok, WM_KEYDOWN, VK_RETURN, 1);
  EXPECT_TRUE(WaitFor([&] { return TopWindowOf(program.Id(), L"TAboutBox") == nullptr; }));
  EXPECT_TRUE(WaitFor([&] { return IsWindowEnabled(main) != 0; }));

  // Closing ends the program and leaves the 22-byte settings file.
  RECT bounds{};
  GetWindowRect(main, &bounds);
  PostMessageW(main, WM_CLOSE, 0, 0);
  ASSERT_TRUE(program.Ended());
  std::string expected = "\1" + Int32Bytes(bounds.right - bounds.left) +
                         Int32Bytes(bounds.bottom - bounds.top) + Int32Bytes(bounds.left) +
                         Int32Bytes(bounds.top) + std::string("\1\0\0\1\0", 5);
  EXPECT_EQ(folder.ReadFile("DicSet.vq"), expected);
}

// A build replaces the dictionary while the window has it open, as vqbuild does: the old files
// move into previous/ and the new ones take their place. The window goes on with the
// dictionary it opened; the next start shows the new one.
TEST(EndToEnd, ADictionaryReplacedWhileTheWindowIsOpenTakesEffectAtTheNextStart) {
  TestFolder folder;
  WriteDictionary(folder, Animals());
  TestFolder replacement;
  WriteDictionary(replacement, {{{"yak", persian::UnicodeToPersian(u"\u06CC\u0627\u06A9")}}});
  ASSERT_TRUE(PutTextOnClipboard(L""));
  {
    Program program(ProgramPath, folder.Path());
    ASSERT_TRUE(program.Started());
    HWND main = nullptr;
    ASSERT_TRUE(WaitFor([&] { return (main = TopWindowOf(program.Id(), L"TForm1")) != nullptr; }));
    ASSERT_TRUE(WaitFor([&] { return TextOf(main) == L"ant  (Varkam)"; }));
    CreateDirectoryW((folder / "previous").c_str(), nullptr);
    for (const wchar_t* name : {L"Dat01.vq", L"Dat02.vq", L"Dat03.vq", L"Dat04.vq"}) {
      EXPECT_TRUE(MoveFileExW((folder.Path() / name).c_str(),
                              (folder.Path() / "previous" / name).c_str(), 0))
          << "moving the open " << std::filesystem::path(name).string() << " aside: error "
          << GetLastError();
      EXPECT_TRUE(CopyFileW((replacement.Path() / name).c_str(), (folder.Path() / name).c_str(),
                            TRUE));
    }
    HWND combo = FindWindowExW(main, nullptr, L"ComboBox", nullptr);
    HWND edit = FindWindowExW(combo, nullptr, L"Edit", nullptr);
    SendMessageW(edit, WM_KEYDOWN, VK_ESCAPE, 1);
    for (const wchar_t c : std::wstring(L"dog")) {
      SendMessageW(edit, WM_CHAR, c, 1);
    }
    EXPECT_EQ(TextOf(main), L"dog  (Varkam)") << "the dictionary it opened";
    EXPECT_EQ(TextOf(MeaningPane(main)), L"\u0633\u06AF\r\n");
    PostMessageW(main, WM_CLOSE, 0, 0);
    ASSERT_TRUE(program.Ended());
  }
  Program again(ProgramPath, folder.Path());
  ASSERT_TRUE(again.Started());
  HWND main = nullptr;
  ASSERT_TRUE(WaitFor([&] { return (main = TopWindowOf(again.Id(), L"TForm1")) != nullptr; }));
  EXPECT_TRUE(WaitFor([&] { return TextOf(main) == L"yak  (Varkam)"; })) << "the new dictionary";
  PostMessageW(main, WM_CLOSE, 0, 0);
  EXPECT_TRUE(again.Ended());
}

TEST(EndToEnd, AMissingDataFileIsReportedAndTheProgramEnds) {
  TestFolder folder;
  WriteDictionary(folder, Animals());
  std::filesystem::remove(folder / "Dat03.vq");
  Program program(ProgramPath, folder.Path());
  ASSERT_TRUE(program.Started());
  HWND box = nullptr;
  ASSERT_TRUE(WaitFor([&] { return (box = TopWindowOf(program.Id(), L"#32770")) != nullptr; }));
  EXPECT_EQ(TextOf(box), L"Error");
  EXPECT_EQ(TextOf(GetDlgItem(box, 0xFFFF)), L"Some file was not founded");
  int buttons = 0;
  for (HWND child = FindWindowExW(box, nullptr, L"Button", nullptr); child != nullptr;
       child = FindWindowExW(box, child, L"Button", nullptr)) {
    ++buttons;
    EXPECT_EQ(TextOf(child), L"OK");
  }
  EXPECT_EQ(buttons, 1);
  PostMessageW(box, WM_COMMAND, IDOK, 0);
  EXPECT_TRUE(program.Ended());
  EXPECT_EQ(TopWindowOf(program.Id(), L"TForm1"), nullptr);
  EXPECT_FALSE(std::filesystem::exists(folder / "DicSet.vq"));
}

}  // namespace
}  // namespace varkam::testing

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  if (argc < 2) {
    std::fprintf(stderr, "usage: end_to_end_tests PATH-TO-Varkam.exe\n");
    return 2;
  }
  varkam::testing::ProgramPath = varkam::testing::WindowsPath(argv[1]);
  return RUN_ALL_TESTS();
}
