#include <gtest/gtest.h>

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

TEST_F(MainWindow, OpensOnTheFirstEntryWithItsRowHighlighted) {
  Open(SeventeenWords());
  EXPECT_EQ(form->CurrentIndex(), 1);
  EXPECT_EQ(form->PageTop(), 1);
  EXPECT_EQ(form->VisibleRows(), 24);
  EXPECT_EQ(form->ListBox1.RowCount(), 17) << "a small dictionary shows the rows it has";
  EXPECT_EQ(Row(0), L"a");
  EXPECT_EQ(Row(16), L"zebra");
  EXPECT_EQ(form->ListBox1.HighlightedRow(), 0);
  EXPECT_EQ(Caption(), L"a  (Varkam)");
  EXPECT_EQ(SearchText(), L"a");
  EXPECT_EQ(StatusText(), L"a");
  EXPECT_EQ(Meaning(), L"\u0627\u0631\r\n");
  EXPECT_EQ(GetFocus(), form->ComboBox1.EditHandle());
}

TEST_F(MainWindow, TheRoadOfOneTypedWord) {
  Open(SeventeenWords());
  KeyInSearchBox(VK_ESCAPE);
  EXPECT_EQ(SearchText(), L"");
  EXPECT_EQ(form->CurrentIndex(), 1) << "Escape leaves the entry on display";

  Type(L"m");
  EXPECT_EQ(form->CurrentIndex(), 9);
  EXPECT_EQ(HighlightedRowText(), L"make");
  EXPECT_EQ(Caption(), L"make  (Varkam)");
  Type(L"aking");
  EXPECT_EQ(SearchText(), L"making") << "the search box keeps what was typed";
  EXPECT_EQ(form->CurrentIndex(), 9) << "making stems to make";
  EXPECT_EQ(StatusText(), L"make");
  EXPECT_TRUE(form->ComboBox1.Items().empty()) << "making is not the headword found";
}

TEST_F(MainWindow, TypedWordsEnterTheRecentWordsWhenTheyNameTheEntry) {
  Open(SeventeenWords());
  KeyInSearchBox(VK_ESCAPE);
  Type(L"c");
  EXPECT_TRUE(form->ComboBox1.Items().empty());
  Type(L"a");
  EXPECT_EQ(form->ComboBox1.Items(), std::vector<std::wstring>{L"ca"});
  Type(L"t");
  EXPECT_EQ(form->ComboBox1.Items(), std::vector<std::wstring>{L"cat"}) << "cat replaces ca";
  EXPECT_EQ(SearchText(), L"cat");

  // Typing again completes from the recent words, with the completed part selected.
  KeyInSearchBox(VK_ESCAPE);
  Type(L"c");
  EXPECT_EQ(SearchText(), L"cat");
  EXPECT_EQ(SearchSelection(), std::make_pair(DWORD{1}, DWORD{3}));
  EXPECT_EQ(form->CurrentIndex(), 6);
  SendMessageW(form->ComboBox1.EditHandle(), WM_CHAR, VK_BACK, 1);
  Pump();
  EXPECT_EQ(SearchText(), L"c") << "Backspace removes the completion";
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

TEST_F(MainWindow, ClicksAndKeysInTheList) {
  Open(SeventeenWords());
  ClickRow(3);
  EXPECT_EQ(form->CurrentIndex(), 4);
  EXPECT_EQ(SearchText(), L"box");
  EXPECT_EQ(Caption(), L"box  (Varkam)");
  KeyInList(VK_DOWN);
  EXPECT_EQ(form->CurrentIndex(), 5);
  EXPECT_EQ(HighlightedRowText(), L"ca");
  EXPECT_EQ(SearchText(), L"ca");
  EXPECT_EQ(SearchSelection(), std::make_pair(DWORD{0}, DWORD{2}));
  KeyInList(VK_END);
  EXPECT_EQ(form->CurrentIndex(), 17);
  KeyInList(VK_DOWN);
  EXPECT_EQ(form->CurrentIndex(), 17);
  KeyInList(VK_HOME);
  EXPECT_EQ(form->CurrentIndex(), 1);
  KeyInList(VK_UP);
  EXPECT_EQ(form->CurrentIndex(), 1);
  EXPECT_EQ(SearchText(), L"a");
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

TEST_F(MainWindow, TheTitleScrollerRunsOnlyWhenSwitchedOn) {
  Open(SeventeenWords());
  form->Timer1Timer();
  EXPECT_EQ(application.Title(), L"Varkam dictionary");
  form->ActionTaskbarScroller.Execute();
  ClickRow(1);
  form->Timer1Timer();
  EXPECT_EQ(application.Title(), L"apple   -Varkam");
  form->Timer1Timer();
  EXPECT_EQ(application.Title(), L"pple   -Varkam-");
}

TEST_F(MainWindow, AnEmptyDictionaryOpensAndNothingFails) {
  Open(DictionaryLayout{});
  EXPECT_EQ(form->ListBox1.RowCount(), 0);
  EXPECT_EQ(SearchText(), L"");
  EXPECT_EQ(Meaning(), L"\r\n");
  Type(L"dog");
  KeyInList(VK_DOWN);
  KeyInList(VK_END);
  Scroll(SB_LINEDOWN);
  Scroll(SB_BOTTOM);
  EXPECT_EQ(form->ListBox1.RowCount(), 0);
  EXPECT_FALSE(IsWindowEnabled(form->ScrollBar1.Handle()));
}

}  // namespace
}  // namespace varkam::testing
