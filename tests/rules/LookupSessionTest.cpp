#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>

#include "rules/LookupSession.h"
#include "support/TestFolder.h"

namespace varkam {
namespace {

using testing::DictionaryLayout;
using testing::NumberedWords;
using testing::TestFolder;

// Client heights that give 24, 15 and 8 rows with the status bar shown.
constexpr int DesignWidth = 359;
constexpr int DesignHeight = 336;
constexpr int FifteenRows = 19 + 5 + 15 * 13;
constexpr int EightRows = 19 + 5 + 8 * 13;

// The worked example's headwords, with "ca" for the recent-words cases.
DictionaryLayout SeventeenWords() {
  DictionaryLayout layout;
  for (const char* word : {"a", "apple", "apply", "box", "ca", "cat", "fly", "hop", "make", "quick",
                           "run", "see", "study", "stuff", "stuffy", "use", "zebra"}) {
    layout.entries.emplace_back(word, " \xA4\x90");  // shown as alef, reh
  }
  return layout;
}

class Session : public ::testing::Test {
 protected:
  LookupSession& Open(const DictionaryLayout& layout, int width = DesignWidth,
                      int height = DesignHeight,
                      const std::optional<SettingsRecord>& stored = std::nullopt) {
    WriteDictionary(folder, layout);
    session.emplace(std::make_unique<TDictionary>(folder.Path()));
    session->Start(stored, width, height);
    return *session;
  }
  const WindowView& View() const { return session->View(); }
  std::string HighlightedRow() const {
    const auto row = View().highlightedRow;
    return row < 0 ? "(none)" : View().rows.at(static_cast<std::size_t>(row));
  }

  TestFolder folder;
  std::optional<LookupSession> session;
};

TEST_F(Session, OpensOnTheFirstEntryWithItsRowHighlighted) {
  Open(SeventeenWords());
  EXPECT_EQ(session->CurrentIndex(), 1);
  EXPECT_EQ(session->PageTop(), 1);
  EXPECT_EQ(View().layout.visibleRows, 24);
  ASSERT_EQ(View().rows.size(), 17u) << "a small dictionary shows the rows it has";
  EXPECT_EQ(View().rows.front(), "a");
  EXPECT_EQ(View().rows.back(), "zebra");
  EXPECT_EQ(View().highlightedRow, 0);
  EXPECT_EQ(View().caption, "a  (Varkam)");
  EXPECT_EQ(View().searchText, "a");
  EXPECT_TRUE(View().searchSelected);
  EXPECT_EQ(View().statusText, "a");
  EXPECT_EQ(View().meaning, u"\u0627\u0631\r\n");
  EXPECT_EQ(View().scrollBar, (ScrollBarState{1, 17, 1, 23}));
  EXPECT_EQ(View().switches, Switches{});
  EXPECT_TRUE(View().recentWords.empty());
  EXPECT_TRUE(View().title.empty()) << "the marquee is off";
}

TEST_F(Session, TheRoadOfOneTypedWord) {
  Open(SeventeenWords());
  session->TypeText("m");
  EXPECT_EQ(session->CurrentIndex(), 9);
  EXPECT_EQ(HighlightedRow(), "make");
  EXPECT_EQ(View().caption, "make  (Varkam)");
  session->TypeText("making");
  EXPECT_EQ(session->CurrentIndex(), 9) << "making stems to make";
  EXPECT_EQ(View().statusText, "make");
  EXPECT_EQ(View().searchText, "making") << "the search box keeps what was typed";
  EXPECT_FALSE(View().searchSelected);
  EXPECT_TRUE(View().recentWords.empty()) << "making is not the headword found";
  session->TypeText("zzzz");
  EXPECT_EQ(session->CurrentIndex(), 17) << "past every headword lands on the last";
  EXPECT_EQ(HighlightedRow(), "zebra");
}

TEST_F(Session, TypedWordsEnterTheRecentWordsWhenTheyNameTheEntry) {
  Open(SeventeenWords());
  session->TypeText("c");
  EXPECT_TRUE(View().recentWords.empty()) << "one character";
  session->TypeText("ca");
  EXPECT_EQ(View().recentWords, std::vector<std::string>{"ca"});
  session->TypeText("cat");
  EXPECT_EQ(View().recentWords, std::vector<std::string>{"cat"}) << "cat replaces ca";
  session->TypeText("box");
  EXPECT_EQ(View().recentWords, (std::vector<std::string>{"box", "cat"}));
  EXPECT_EQ(session->History().CompletionFor("c"), 1u);
}

// What the search box shows is the session's: the user's edits and caret moves reach it, and
// Escape, Enter, Paste and the list's keys are its commands.
TEST_F(Session, TheSearchBoxShowsWhatTheSessionSays) {
  Open(SeventeenWords());
  session->TypeText("bo");
  EXPECT_EQ(View().searchText, "bo");
  EXPECT_FALSE(View().searchSelected);
  session->SelectSearchText();
  EXPECT_TRUE(View().searchSelected) << "Enter";
  session->MoveSearchCaret();
  EXPECT_FALSE(View().searchSelected) << "a click in the box";
  session->ClearSearchText();
  EXPECT_EQ(View().searchText, "") << "Escape";
  EXPECT_EQ(session->CurrentIndex(), 4) << "the entry on display stays";
  session->PasteSearchText("cat" + std::string(1000, 's'));
  EXPECT_EQ(View().searchText, "cat" + std::string(CopiedTextLimit - 3, 's'));
  EXPECT_TRUE(View().searchSelected);
  EXPECT_EQ(session->CurrentIndex(), 4) << "nothing is looked up until the user edits";
  session->MoveSearchCaret();
  session->PressListKey(37);  // Left: no move, but the text stands selected all the same
  EXPECT_TRUE(View().searchSelected);
}

// Completion from the recent words: only with the caret at the end, the typed letters kept.
TEST(RecentWords, TypingAtTheEndCompletesAndKeepsTheTypedLetters) {
  RecentWords recent;
  recent.Add("cat", true, std::nullopt);
  recent.Add("Box", true, std::nullopt);
  EXPECT_EQ(CompleteTyping(recent, "", 0, 0, 'C'), (Completion{"Cat", 1, 1}));
  EXPECT_EQ(CompleteTyping(recent, "b", 1, 1, 'o'), (Completion{"bo"
                                                                "x",
                                                                2, 0}));
  EXPECT_EQ(CompleteTyping(recent, "Cat", 1, 3, 'A'), (Completion{"CAt", 2, 1}))
      << "typing over the completed part narrows it";
  EXPECT_EQ(CompleteTyping(recent, "cat", 1, 1, 'a'), std::nullopt) << "the caret inside the text";
  EXPECT_EQ(CompleteTyping(recent, "x", 1, 1, 'y'), std::nullopt) << "no recent word goes on";
  EXPECT_EQ(CompleteTyping(recent, "cat", 3, 3, 's'), std::nullopt);
}

TEST_F(Session, ClicksAndKeysInTheList) {
  Open(SeventeenWords());
  session->ClickRow(3);
  EXPECT_EQ(session->CurrentIndex(), 4);
  EXPECT_EQ(View().searchText, "box");
  EXPECT_EQ(View().caption, "box  (Varkam)");
  session->PressListKey(KeyDown);
  EXPECT_EQ(session->CurrentIndex(), 5);
  EXPECT_EQ(HighlightedRow(), "ca");
  EXPECT_EQ(View().searchText, "ca");
  session->PressListKey(KeyEnd);
  EXPECT_EQ(session->CurrentIndex(), 17);
  session->TypeText("zz");
  session->PressListKey(KeyDown);
  EXPECT_EQ(session->CurrentIndex(), 17);
  EXPECT_EQ(View().searchText, "zebra") << "the highlighted row's text is written again";
  EXPECT_TRUE(View().searchSelected) << "so that typing replaces it";
  session->PressListKey(KeyHome);
  EXPECT_EQ(session->CurrentIndex(), 1);
  session->PressListKey(KeyUp);
  EXPECT_EQ(session->CurrentIndex(), 1);
  EXPECT_EQ(View().searchText, "a");
  session->PressListKey(37);  // Left
  EXPECT_EQ(session->CurrentIndex(), 1);
  session->ClickRow(40);
  EXPECT_EQ(session->CurrentIndex(), 1) << "no such row";
}

TEST_F(Session, PagingAtBothEndsOfAHundredThousandWords) {
  Open(NumberedWords(100000), DesignWidth, FifteenRows);
  ASSERT_EQ(View().layout.visibleRows, 15);
  EXPECT_EQ(View().scrollBar, (ScrollBarState{1, 100000, 1, 14}));

  session->Scroll(100000);
  EXPECT_EQ(session->PageTop(), 99986);
  EXPECT_EQ(View().scrollBar.position, 99986) << "the thumb comes back to the last page top";
  EXPECT_EQ(View().rows.back(), "w100000");
  EXPECT_EQ(View().highlightedRow, -1) << "scrolling pages the list only";
  EXPECT_EQ(session->CurrentIndex(), 1);
  EXPECT_EQ(View().caption, "w000001  (Varkam)");
  session->PressListKey(KeyDown);
  EXPECT_EQ(session->CurrentIndex(), 1) << "no highlighted row, no navigation";

  session->ClickRow(0);
  ASSERT_EQ(session->CurrentIndex(), 99986);
  session->PressListKey(KeyPageDown);
  EXPECT_EQ(session->CurrentIndex(), 100000);
  EXPECT_EQ(View().highlightedRow, 14);
  EXPECT_EQ(View().caption, "w100000  (Varkam)");

  session->PressListKey(KeyHome);
  EXPECT_EQ(session->PageTop(), 1);
  session->PressListKey(KeyPageDown);
  EXPECT_EQ(session->CurrentIndex(), 15);
  session->PressListKey(KeyDown);
  EXPECT_EQ(session->CurrentIndex(), 16);
  EXPECT_EQ(session->PageTop(), 2) << "Down on the last row moves the page by one";
  EXPECT_EQ(View().highlightedRow, 14);
  session->PressListKey(KeyPageUp);
  EXPECT_EQ(session->CurrentIndex(), 2);
  EXPECT_EQ(View().highlightedRow, 0);

  session->TypeText("w099990");
  EXPECT_EQ(session->CurrentIndex(), 99990);
  EXPECT_EQ(session->PageTop(), 99986);
  EXPECT_EQ(HighlightedRow(), "w099990");
}

// After every fill the thumb stands at the page top, also when the page stays as it was.
TEST_F(Session, AMoveInsideTheLastPageBringsTheThumbBack) {
  Open(NumberedWords(100), DesignWidth, EightRows);
  ASSERT_EQ(View().layout.visibleRows, 8);
  session->Scroll(100);
  EXPECT_EQ(session->PageTop(), 93);
  EXPECT_EQ(View().scrollBar.position, 93);
  session->ClickRow(2);
  session->Scroll(94);  // a line down at the bottom
  EXPECT_EQ(session->PageTop(), 93);
  EXPECT_EQ(View().scrollBar.position, 93);
  EXPECT_EQ(View().highlightedRow, -1);
  session->Scroll(92);  // and a line up from there
  EXPECT_EQ(session->PageTop(), 92);
  EXPECT_EQ(View().scrollBar.position, 92);
  EXPECT_EQ(View().rows.front(), "w000092");
}

// A scroll-bar action that leaves the thumb where it stands (the up arrow at the top, a click
// on the thumb) changes nothing, so the keys still move the highlighted row. After a real move
// the list's own key handling highlights a row again.
TEST_F(Session, TheKeysWorkAfterAnyUseOfTheScrollBar) {
  Open(NumberedWords(100), DesignWidth, EightRows);
  session->ClickRow(2);
  session->Scroll(1);
  EXPECT_EQ(View().highlightedRow, 2);
  EXPECT_TRUE(session->TakesListKey(KeyDown));
  session->PressListKey(KeyDown);
  EXPECT_EQ(session->CurrentIndex(), 4);

  session->Scroll(5);
  EXPECT_EQ(View().highlightedRow, -1);
  EXPECT_FALSE(session->TakesListKey(KeyHome)) << "the list's own handling runs";
  EXPECT_FALSE(session->TakesListKey(37)) << "Left is never the session's";
  session->PressListKey(KeyHome);
  EXPECT_EQ(session->CurrentIndex(), 4) << "the session leaves the key to the list";
  session->ClickRow(0);  // what the list's own Home does
  EXPECT_EQ(session->CurrentIndex(), 5);
  EXPECT_TRUE(session->TakesListKey(KeyDown));
  session->PressListKey(KeyDown);
  EXPECT_EQ(session->CurrentIndex(), 6);
  EXPECT_EQ(View().highlightedRow, 1);
}

TEST_F(Session, AResizeRefillsFromTheEntryOnDisplayAndKeepsItsMeaning) {
  Open(NumberedWords(100), DesignWidth, FifteenRows);
  session->TypeText("w000050");
  ASSERT_EQ(session->PageTop(), 50);
  session->Scroll(30);
  session->Resize(DesignWidth, EightRows);
  EXPECT_EQ(View().layout.visibleRows, 8);
  EXPECT_EQ(session->PageTop(), 50) << "the entry on display comes into the first row";
  EXPECT_EQ(View().rows.size(), 8u);
  EXPECT_EQ(View().highlightedRow, 0);
  EXPECT_EQ(View().scrollBar.largeChange, 7);
  EXPECT_EQ(View().caption, "w000050  (Varkam)");
  session->Resize(DesignWidth, 10);
  EXPECT_EQ(View().layout.visibleRows, 0);
  EXPECT_TRUE(View().rows.empty());
  EXPECT_EQ(View().scrollBar.largeChange, 7) << "kept while fewer than two rows fit";
  session->PressListKey(KeyDown);
  EXPECT_EQ(session->CurrentIndex(), 50) << "no rows, no navigation";
}

TEST_F(Session, ViewsAndTheStatusBarLayTheWindowOut) {
  Open(SeventeenWords());
  session->DoubleClickList();
  EXPECT_FALSE(View().switches.fullView);
  EXPECT_EQ(View().layout.comboBox.left, 0) << "the Normal view has no list band";
  session->Toggle(Switch::HideStatusBar);
  EXPECT_TRUE(View().switches.hideStatusBar);
  EXPECT_EQ(View().layout.memo.height, DesignHeight - MemoGap - SearchRowHeight);
  session->ShowFullView(true);
  EXPECT_EQ(View().layout.visibleRows, 25) << "the status bar's height goes to the rows";
  EXPECT_EQ(View().layout.splitter.left, 88);
}

TEST_F(Session, TheSplitterCanAlwaysBeDraggedBack) {
  Open(SeventeenWords());
  session->GrabSplitter(5);
  session->DragSplitter(900);
  EXPECT_EQ(View().layout.splitter.left, MaxSplitterLeft(DesignWidth));
  session->Resize(200, DesignHeight);
  EXPECT_EQ(View().layout.splitter.left, MaxSplitterLeft(200)) << "a narrower window";
  session->GrabSplitter(5);
  session->DragSplitter(-80);
  EXPECT_EQ(View().layout.splitter.left, MaxSplitterLeft(200) - 85);
  session->Resize(DesignWidth, DesignHeight);
  EXPECT_EQ(View().layout.splitter.left, MaxSplitterLeft(200) - 85);
}

TEST_F(Session, OpensAtTheDisplaysDpi) {
  WriteDictionary(folder, NumberedWords(100));
  session.emplace(std::make_unique<TDictionary>(folder.Path()));
  session->Start(std::nullopt, 539, 504, 144);
  EXPECT_EQ(View().layout.dpi, 144);
  EXPECT_EQ(View().layout.rowHeight, 20);
  EXPECT_EQ(View().layout.fontHeight, 17);
  EXPECT_EQ(View().layout.visibleRows, 23);
  EXPECT_EQ(View().rows.size(), 23u);
  EXPECT_EQ(View().layout.listBox.width, 110) << "the design's 73 pixels, scaled";
  EXPECT_EQ(View().scrollBar.largeChange, 22);
  session->GrabSplitter(5);
  session->DragSplitter(9);
  EXPECT_EQ(View().layout.splitter.left, 133) << "4 pixels are under the 144-dpi dead zone";
  session->DragSplitter(10);
  EXPECT_EQ(View().layout.splitter.left, 138);
}

// The window is moved between a 96-dpi and a 144-dpi display, with the size the system
// suggests: the entry on display, its row and the page stay while the page still shows it.
TEST_F(Session, ADpiChangeKeepsTheEntryAndThePage) {
  Open(NumberedWords(100), DesignWidth, DesignHeight);
  session->GrabSplitter(5);
  session->DragSplitter(25);
  ASSERT_EQ(View().layout.listBox.width, 93);
  session->TypeText("w000030");
  session->Scroll(20);
  session->ClickRow(5);
  ASSERT_EQ(session->CurrentIndex(), 25);
  ASSERT_EQ(session->PageTop(), 20);
  const std::u16string meaning = View().meaning;
  const std::string searchText = View().searchText;

  session->ChangeDpi(144, 539, 504);
  EXPECT_EQ(View().layout.visibleRows, 23);
  EXPECT_EQ(session->CurrentIndex(), 25);
  EXPECT_EQ(session->PageTop(), 20);
  EXPECT_EQ(HighlightedRow(), "w000025");
  EXPECT_EQ(View().rows.size(), 23u);
  EXPECT_EQ(View().rows.front(), "w000020");
  EXPECT_EQ(View().meaning, meaning);
  EXPECT_EQ(View().searchText, searchText) << "the search box keeps what it shows";
  EXPECT_EQ(View().layout.listBox.width, 140) << "93 pixels at 96 dpi, 139.5 at 144";

  session->ChangeDpi(96, DesignWidth, DesignHeight);
  EXPECT_EQ(View().layout.visibleRows, 24);
  EXPECT_EQ(session->PageTop(), 20);
  EXPECT_EQ(HighlightedRow(), "w000025");
  EXPECT_EQ(View().layout.listBox.width, 93) << "and back to where the user left it";

  session->ChangeDpi(0, DesignWidth, DesignHeight);
  EXPECT_EQ(View().layout.dpi, 96) << "a display that reports no dpi is taken as 96";
}

TEST_F(Session, ADpiChangeThatLeavesTheEntryOffThePageFillsItFromTheEntry) {
  Open(NumberedWords(100), DesignWidth, DesignHeight);
  session->PressListKey(KeyPageDown);
  ASSERT_EQ(session->CurrentIndex(), 24) << "the last row of the first page";
  ASSERT_EQ(session->PageTop(), 1);
  session->ChangeDpi(144, 539, 504);  // 23 rows: entry 24 is no longer on the page from 1
  EXPECT_EQ(session->PageTop(), 24);
  EXPECT_EQ(HighlightedRow(), "w000024");
}

TEST(WindowBounds, TheDesignWindowIsScaledAndAStoredOneIsNot) {
  EXPECT_EQ(DesignWindowBounds(96), (Bounds{338, 152, 266, 161}));
  EXPECT_EQ(DesignWindowBounds(120), (Bounds{338, 152, 333, 201}));
  EXPECT_EQ(DesignWindowBounds(144), (Bounds{338, 152, 399, 242}));
  EXPECT_EQ(DesignWindowBounds(192), (Bounds{338, 152, 532, 322}));
  EXPECT_EQ(DesignWindowBounds(0), DesignWindowBounds(96));
  SettingsRecord stored;
  stored.width = 399;
  stored.height = 242;
  EXPECT_EQ(StoredWindowBounds(stored), (Bounds{338, 152, 399, 242}))
      << "the pixels of the display it was stored on";
}

TEST_F(Session, StoredSwitchesComeBackOnlyWithSaveOnExit) {
  SettingsRecord stored;
  stored.switches.clipboardMeaning = false;
  stored.switches.stayOnTop = true;
  stored.switches.hideStatusBar = true;
  stored.switches.fullView = false;
  stored.switches.taskbarScrolling = true;
  Open(SeventeenWords(), DesignWidth, DesignHeight, stored);
  EXPECT_EQ(View().switches, (Switches{.clipboardMeaning = false,
                                       .stayOnTop = true,
                                       .hideStatusBar = true,
                                       .fullView = false,
                                       .taskbarScrolling = true,
                                       .saveOnExit = true}));
  EXPECT_EQ(View().layout.memo.left, 0);

  stored.switches.saveOnExit = false;
  Open(SeventeenWords(), DesignWidth, DesignHeight, stored);
  EXPECT_EQ(View().switches, (Switches{.saveOnExit = false}));
  EXPECT_EQ(StoredWindowBounds(stored), std::nullopt);
  EXPECT_EQ(StoredWindowBounds(std::nullopt), std::nullopt);
  stored.switches.saveOnExit = true;
  EXPECT_EQ(StoredWindowBounds(stored), (Bounds{338, 152, 266, 161}));
}

TEST_F(Session, TheSettingsToWriteHoldTheSwitchesAndTheBounds) {
  Open(SeventeenWords());
  EXPECT_EQ(session->SettingsToWrite({338, 152, 266, 161}), SettingsRecord{});
  session->Toggle(Switch::SaveOnExit);
  session->Toggle(Switch::StayOnTop);
  session->Toggle(Switch::ClipboardMeaning);
  session->Toggle(Switch::TaskbarScrolling);
  session->ShowFullView(false);
  const SettingsRecord written = session->SettingsToWrite({-5, 7, 400, 300});
  EXPECT_EQ(EncodeSettings(written),
            (std::array<std::uint8_t, 22>{0,   144, 1, 0, 0, 44, 1, 0, 0, 251, 255,
                                          255, 255, 7, 0, 0, 0,  0, 1, 0, 0,   1}));
}

TEST_F(Session, CopiedTextIsLookedUpAndAlwaysRecorded) {
  Open(SeventeenWords());
  session->CopiedText("apple");
  EXPECT_EQ(session->CurrentIndex(), 2);
  EXPECT_EQ(View().searchText, "apple");
  EXPECT_EQ(View().recentWords, std::vector<std::string>{"apple"});
  session->CopiedText("x");
  EXPECT_EQ(View().recentWords, (std::vector<std::string>{"x", "apple"}))
      << "one character, and no headword: recorded all the same";

  // Text the code page cannot hold, or none at all, changes nothing.
  session->TypeText("ap");
  const auto shown = session->CurrentIndex();
  for (const auto& text : {std::optional<std::string>{}, std::optional<std::string>{""}}) {
    session->CopiedText(text);
    EXPECT_EQ(session->CurrentIndex(), shown);
    EXPECT_EQ(View().searchText, "ap");
    EXPECT_EQ(View().recentWords.size(), 2u);
  }
  session->Toggle(Switch::ClipboardMeaning);
  session->CopiedText("box");
  EXPECT_EQ(session->CurrentIndex(), shown) << "Clipboard meaning is off";
}

// What surrounds a copied word is not part of it: quotes, brackets, final punctuation, a
// possessive 's. What is inside stays.
TEST(ClipboardText, TheWordOfACopyIsFreedOfWhatSurroundsIt) {
  for (const char* copied :
       {"house", "house,", "House.", "(house)", "\x93house\x94", "\"house\".", "house's",
        "house\x92s", "  [house]!  ", "'house'?", "\xABhouse\xBB;", "house...", "((house))"}) {
    std::string word = WordOfCopiedText(copied);
    std::transform(word.begin(), word.end(), word.begin(), [](char c) { return c | 0x20; });
    EXPECT_EQ(word, "house") << copied;
  }
  EXPECT_EQ(WordOfCopiedText("rock 'n' roll"), "rock 'n' roll");
  EXPECT_EQ(WordOfCopiedText("U.S."), "U.S");
  EXPECT_EQ(WordOfCopiedText("it's"), "it");
  EXPECT_EQ(WordOfCopiedText("'s"), "s") << "a possessive needs a word before it";
  EXPECT_EQ(WordOfCopiedText("...!?"), "");
  EXPECT_EQ(WordOfCopiedText(std::string(10'000'000, 'a')), std::string(32, 'a'));
}

TEST_F(Session, ACopiedWordIsLookedUpWithoutWhatSurroundsItAndRecordedSo) {
  Open(SeventeenWords());
  session->CopiedText(
      "\x93"
      "box"
      "\x94,");
  EXPECT_EQ(session->CurrentIndex(), 4);
  EXPECT_EQ(View().searchText, "box");
  EXPECT_EQ(View().recentWords, std::vector<std::string>{"box"});
  session->CopiedText("cat's");
  EXPECT_EQ(View().caption, "cat  (Varkam)");
  session->MoveSearchCaret();
  session->CopiedText("(...)");
  EXPECT_FALSE(View().searchSelected) << "no word at all: nothing is written";
  EXPECT_EQ(View().recentWords, (std::vector<std::string>{"cat", "box"}));

  // Ten million characters cost what a word costs: only a headword's length is looked up and
  // shown.
  session->CopiedText("zebra" + std::string(10'000'000, 'z'));
  EXPECT_EQ(View().searchText, "zebra" + std::string(27, 'z'));
  EXPECT_EQ(View().caption, "zebra  (Varkam)");
}

TEST(ClipboardText, TheFirstLineIsWhatASingleLineFieldTakes) {
  EXPECT_EQ(FirstLine(u"apple\r\nsecond line"), u"apple");
  EXPECT_EQ(FirstLine(u"one\ntwo"), u"one");
  EXPECT_EQ(FirstLine(u"cut\rhere"), u"cut");
  EXPECT_EQ(FirstLine(std::u16string(u"nul\0after", 9)), u"nul");
  EXPECT_EQ(FirstLine(u"\r\nsecond"), u"");
  EXPECT_EQ(FirstLine(u"whole"), u"whole");
}

TEST_F(Session, TheMarqueeRunsOnlyWhenSwitchedOn) {
  Open(SeventeenWords());
  session->Tick();
  EXPECT_TRUE(View().title.empty());
  session->Toggle(Switch::TaskbarScrolling);
  session->ClickRow(1);
  EXPECT_EQ(session->Tick().title, "apple   -Varkam");
  EXPECT_EQ(session->Tick().title, "pple   -Varkam-");
  session->Resize(DesignWidth, FifteenRows);
  EXPECT_EQ(session->Tick().title, "apple   -Varkam") << "a layout starts it again";
}

TEST_F(Session, AnEmptyDictionaryOpensAndNothingFails) {
  Open(DictionaryLayout{});
  EXPECT_TRUE(View().rows.empty());
  EXPECT_EQ(View().highlightedRow, -1);
  EXPECT_EQ(View().searchText, "");
  EXPECT_EQ(View().meaning, u"\r\n");
  EXPECT_EQ(View().scrollBar.maximum, 0) << "the scroll bar has nothing to stand for";
  session->TypeText("dog");
  session->PressListKey(KeyDown);
  session->PressListKey(KeyEnd);
  session->Scroll(2);
  session->ClickRow(0);
  session->CopiedText("dog");
  EXPECT_TRUE(View().rows.empty());
}

// A window stored on a monitor that is gone opens where it can be taken by its caption.
TEST(WindowPlacement, AWindowOffTheScreenComesOntoTheNearestWorkArea) {
  const Bounds work{0, 0, 1280, 1024};
  EXPECT_EQ(PlaceOnWorkArea({5000, -100000, 266, 161}, work), (Bounds{1014, 0, 266, 161}));
  EXPECT_EQ(PlaceOnWorkArea({338, 152, 266, 161}, work), (Bounds{338, 152, 266, 161}));
  EXPECT_EQ(PlaceOnWorkArea({-200, 100, 266, 161}, work), (Bounds{-200, 100, 266, 161}))
      << "partly off, but its caption can be taken";
  EXPECT_EQ(PlaceOnWorkArea({-250, 100, 266, 161}, work), (Bounds{0, 100, 266, 161}));
  EXPECT_EQ(PlaceOnWorkArea({100, 1000, 266, 161}, work), (Bounds{100, 863, 266, 161}));
  EXPECT_EQ(PlaceOnWorkArea({-5000, 100, 3000, 2000}, {1280, 40, 1920, 1040}),
            (Bounds{1280, 40, 3000, 2000}))
      << "larger than the work area: its top left corner on it";
}

// A window once stretched over two monitors gets no more than the system's largest size, and is
// judged at that size; a stored place at the end of the integers is no overflow.
TEST(WindowPlacement, AStoredPlaceIsJudgedAtTheSizeTheWindowWillGet) {
  const Bounds work{0, 0, 1280, 1024};
  const Bounds largest{0, 0, 1292, 1036};
  EXPECT_EQ(PlaceOnWorkArea({-5000, 100, 6000, 400}, work, largest), (Bounds{0, 100, 1292, 400}));
  EXPECT_EQ(PlaceOnWorkArea({INT32_MAX, INT32_MAX, 300, 200}, work), (Bounds{980, 824, 300, 200}));
  EXPECT_EQ(PlaceOnWorkArea({INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX}, work, largest),
            (Bounds{0, 0, 1292, 1036}));
  EXPECT_EQ(PlaceOnWorkArea({100, 100, 300, 200}, work, largest), (Bounds{100, 100, 300, 200}));
}

TEST_F(Session, AnAbsurdlyCoarseDisplayOpensAllTheSame) {
  WriteDictionary(folder, SeventeenWords());
  session.emplace(std::make_unique<TDictionary>(folder.Path()));
  session->Start(std::nullopt, DesignWidth, DesignHeight, 2);
  EXPECT_EQ(View().layout.dpi, MinimumDpi);
  EXPECT_GT(View().layout.visibleRows, 0);
  EXPECT_EQ(View().rows.front(), "a");
  session->ChangeDpi(1, DesignWidth, DesignHeight);
  EXPECT_EQ(session->CurrentIndex(), 1);
}

// The about box at 144 dpi, centred over the main window near the top of a 1024 x 768 screen,
// would stand 67 pixels above it.
TEST(WindowPlacement, ABoxCentredOverItsOwnerStaysWhollyOnTheScreen) {
  const Bounds work{0, 0, 1024, 768};
  EXPECT_EQ(MoveInside({300, -67, 471, 681}, work), (Bounds{300, 0, 471, 681}));
  EXPECT_EQ(MoveInside({700, 100, 471, 681}, work), (Bounds{553, 87, 471, 681}));
  EXPECT_EQ(MoveInside({300, 20, 471, 681}, work), (Bounds{300, 20, 471, 681}));
}

}  // namespace
}  // namespace varkam
