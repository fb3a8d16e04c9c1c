#include <gtest/gtest.h>

#include <functional>
#include <utility>

#include "wine/WindowFixture.h"

namespace varkam::testing {
namespace {

// The worked example's headwords, with "ca" for the recent-words cases.
DictionaryLayout SeventeenWords() {
  DictionaryLayout layout;
  for (const char* word : {"a", "apple", "apply", "box", "ca", "cat", "fly", "hop", "make", "quick",
                           "run", "see", "study", "stuff", "stuffy", "use", "zebra"}) {
    layout.entries.emplace_back(word, std::string(" ") + "\xA4\x90");  // shown as alef, reh
  }
  return layout;
}

using MainWindow = WindowTest;

// The render contract: after each event a user's typing, keys, clicks, views and resizes
// produce, every control shows what the session's view says. What each event makes the view
// say is the session's own tests' business.
TEST_F(MainWindow, TheControlsShowWhatTheSessionSays) {
  Open(SeventeenWords());
  ExpectControlsShowTheView("opening");
  EXPECT_EQ(GetFocus(), form->ComboBox1.EditHandle()) << "the search box has the focus";
  DriveAndCheck({
      {"Escape", [&] { KeyInSearchBox(VK_ESCAPE); }},
      {"typing m", [&] { Type(L"m"); }},
      {"typing on to making", [&] { Type(L"aking"); }},
      {"typing cat", [&] { KeyInSearchBox(VK_ESCAPE), Type(L"cat"); }},
      {"Enter", [&] { KeyInSearchBox(VK_RETURN); }},
      {"a click on a row", [&] { ClickRow(3); }},
      {"Down in the list", [&] { KeyInList(VK_DOWN); }},
      {"End", [&] { KeyInList(VK_END); }},
      {"Down on the last entry", [&] { KeyInList(VK_DOWN); }},
      {"Home", [&] { KeyInList(VK_HOME); }},
      {"Up on the first entry", [&] { KeyInList(VK_UP); }},
      {"Left", [&] { KeyInList(VK_LEFT); }},
      {"the Normal view", [&] { form->ListBox1DblClick(); }},
      {"the Full view", [&] { form->ActionFull.Execute(); }},
      {"hiding the status bar", [&] { form->ActionHidStatusBar.Execute(); }},
      {"showing it again", [&] { form->ActionHidStatusBar.Execute(); }},
      {"a two-row window", [&] { SetClientSize(359, 50); }},
      {"a one-row window", [&] { SetClientSize(359, 37); }},
      {"the design's size again", [&] { SetClientSize(359, 336); }},
      {"Stay on top", [&] { form->ActionStayOnTop.Execute(); }},
      {"the marquee", [&] { form->ActionTaskbarScroller.Execute(), form->Timer1Timer(); }},
      {"its next step", [&] { form->Timer1Timer(); }},
  });
}

// The same contract where the scroll bar pages a larger list.
TEST_F(MainWindow, TheControlsShowThePageWhereverItIsTaken) {
  Open(NumberedWords(100), 359, 19 + 5 + 8 * 13);  // 8 rows
  DriveAndCheck({
      {"a page down", [&] { Scroll(SB_PAGEDOWN); }},
      {"the bottom", [&] { Scroll(SB_BOTTOM); }},
      {"a line down at the bottom", [&] { Scroll(SB_LINEDOWN); }},
      {"a line up", [&] { Scroll(SB_LINEUP); }},
      {"Home in the list, with no row highlighted", [&] { KeyInList(VK_HOME); }},
      {"Page Down", [&] { KeyInList(VK_NEXT); }},
      {"the top", [&] { Scroll(SB_TOP); }},
      {"a typed word off the page", [&] { KeyInSearchBox(VK_ESCAPE), Type(L"w000090"); }},
  });
}

TEST_F(MainWindow, AnEmptyDictionaryShowsNothingAndNothingFails) {
  Open(DictionaryLayout{});
  ExpectControlsShowTheView("opening");
  Type(L"dog");
  KeyInList(VK_DOWN);
  Scroll(SB_BOTTOM);
  ExpectControlsShowTheView("typing, a key and a scroll");
  EXPECT_FALSE(IsWindowEnabled(form->ScrollBar1.Handle()));
}

// Typing again completes from the recent words, with the completed part selected; Backspace
// takes the completion away.
TEST_F(MainWindow, TypingCompletesFromTheRecentWords) {
  Open(SeventeenWords());
  KeyInSearchBox(VK_ESCAPE);
  Type(L"cat");
  KeyInSearchBox(VK_ESCAPE);
  Type(L"c");
  EXPECT_EQ(SearchText(), L"cat");
  EXPECT_EQ(SearchSelection(), std::make_pair(DWORD{1}, DWORD{3}));
  EXPECT_EQ(form->CurrentIndex(), 6);
  SendMessageW(form->ComboBox1.EditHandle(), WM_CHAR, VK_BACK, 1);
  Pump();
  EXPECT_EQ(SearchText(), L"c") << "Backspace removes the completion";
  ExpectControlsShowTheView("Backspace");
}

// A completion keeps the letters as they were typed: only the completed part is the recent
// word's.
TEST_F(MainWindow, CompletionKeepsTheTypedLetters) {
  Open(SeventeenWords());
  KeyInSearchBox(VK_ESCAPE);
  Type(L"cat");
  KeyInSearchBox(VK_ESCAPE);
  Type(L"C");
  EXPECT_EQ(SearchText(), L"Cat");
  EXPECT_EQ(SearchSelection(), std::make_pair(DWORD{1}, DWORD{3}));
  EXPECT_EQ(form->CurrentIndex(), 6);
}

// "Ca" recorded first, then "cat" typed through its completion: the two stay apart, since a
// word only replaces the one it goes on from in the same case.
TEST_F(MainWindow, ACompletedWordInAnotherCaseIsRecordedBesideTheOther) {
  Open(SeventeenWords());
  KeyInSearchBox(VK_ESCAPE);
  Type(L"Ca");
  ASSERT_EQ(form->ComboBox1.Items(), std::vector<std::wstring>{L"Ca"});
  KeyInSearchBox(VK_ESCAPE);
  Type(L"cat");
  EXPECT_EQ(SearchText(), L"cat");
  EXPECT_EQ(form->ComboBox1.Items(), (std::vector<std::wstring>{L"cat", L"Ca"}));
}

TEST_F(MainWindow, UpAndDownInTheSearchBoxPickARecentWord) {
  Open(SeventeenWords());
  for (const wchar_t* word : {L"box", L"cat"}) {
    KeyInSearchBox(VK_ESCAPE);
    Type(word);
  }
  ASSERT_EQ(form->ComboBox1.Items(), (std::vector<std::wstring>{L"cat", L"box"}));
  ClickRow(0);
  KeyInSearchBox(VK_DOWN);
  EXPECT_EQ(SearchText(), L"cat");
  EXPECT_EQ(form->CurrentIndex(), 6);
  KeyInSearchBox(VK_DOWN);
  EXPECT_EQ(SearchText(), L"box");
  EXPECT_EQ(form->CurrentIndex(), 4);
  KeyInSearchBox(VK_UP);
  EXPECT_EQ(form->CurrentIndex(), 6);
}

TEST_F(MainWindow, EnterSelectsTheTextAndPasteShowsNothingNew) {
  Open(SeventeenWords());
  KeyInSearchBox(VK_ESCAPE);
  Type(L"box");
  KeyInSearchBox(VK_RETURN);
  EXPECT_EQ(SearchSelection(), std::make_pair(DWORD{0}, DWORD{3}));

  form->ActionAutomeaning.Execute();  // only the paste is to look at the clipboard here
  PutOnClipboard(L"apple\r\nsecond line");
  form->Paste3Click();
  EXPECT_EQ(SearchText(), L"apple");
  EXPECT_EQ(form->CurrentIndex(), 4) << "no lookup until the user edits";

  form->SelectAll3Click();
  form->MenuCopyClick();
  KeyInSearchBox(VK_ESCAPE);
  EXPECT_EQ(SearchText(), L"");
  form->Paste3Click();
  EXPECT_EQ(SearchText(), L"apple") << "Copy copies the search box's text";
}

// The scroll bar's own messages page the list, and the thumb always stands at the page top.
TEST_F(MainWindow, TheScrollBarPagesTheListAndItsThumbFollowsThePage) {
  Open(NumberedWords(100), 359, 19 + 5 + 8 * 13);  // 8 rows
  ASSERT_EQ(form->VisibleRows(), 8);
  EXPECT_EQ(form->ScrollBar1.Maximum(), 100);
  EXPECT_EQ(form->ScrollBar1.LargeChange(), 7);

  Scroll(SB_BOTTOM);
  EXPECT_EQ(form->PageTop(), 93);
  EXPECT_EQ(form->ScrollBar1.Position(), 93) << "the thumb comes back to the last page top";
  EXPECT_EQ(Row(7), L"w000100");
  EXPECT_EQ(form->ListBox1.HighlightedRow(), -1) << "scrolling pages the list only";
  Scroll(SB_LINEDOWN);
  EXPECT_EQ(form->ScrollBar1.Position(), 93);
  Scroll(SB_LINEUP);
  EXPECT_EQ(form->PageTop(), 92);
  EXPECT_EQ(Row(0), L"w000092");
  // With no row highlighted the list's own handling of the keys highlights one again.
  KeyInList(VK_HOME);
  EXPECT_EQ(form->ListBox1.HighlightedRow(), 0);
  EXPECT_EQ(form->CurrentIndex(), 92);
  EXPECT_EQ(SearchText(), L"w000092");
  KeyInList(VK_DOWN);
  EXPECT_EQ(form->CurrentIndex(), 93);
  EXPECT_EQ(form->ListBox1.HighlightedRow(), 1);
  KeyInList(VK_DOWN);
  EXPECT_EQ(form->CurrentIndex(), 94) << "row by row";

  Scroll(SB_PAGEDOWN);
  EXPECT_EQ(form->PageTop(), 93);
  Scroll(SB_TOP);
  EXPECT_EQ(form->PageTop(), 1);
  EXPECT_EQ(form->ScrollBar1.Position(), 1);

  // Actions that leave the thumb where it stands keep the highlighted row and the keys.
  ClickRow(2);
  for (const WORD code : {SB_LINEUP, SB_TOP, SB_THUMBPOSITION}) {
    Scroll(code);
    EXPECT_EQ(form->ListBox1.HighlightedRow(), 2) << code;
  }
  KeyInList(VK_DOWN);
  EXPECT_EQ(form->CurrentIndex(), 4);
}

}  // namespace
}  // namespace varkam::testing
