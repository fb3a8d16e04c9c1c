#pragma once

// The main window as a portable session. It owns what the window knows: the dictionary, the
// entry on display, the page of the word list, the recent words, the marquee, the layout
// inputs and the switches. Every event the window meets (typing, a key in the list, a move of
// the scroll bar, a resize, a splitter drag, copied text, a switch) is a command, and each
// command answers with one WindowView that says all the window shows. TForm1 renders that
// answer; nothing it shows is read back from a control.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "UnitDitionary.h"
#include "rules/EntryTexts.h"
#include "rules/LayoutRules.h"
#include "rules/RecentWords.h"
#include "rules/SettingsRecord.h"
#include "rules/WordListPaging.h"

namespace varkam {

struct ScrollBarState {
  std::int32_t minimum = 0;
  std::int32_t maximum = 100;
  std::int32_t position = 0;
  std::int32_t largeChange = 10;  // until the first layout
  bool operator==(const ScrollBarState&) const = default;
};

// All the window shows. Texts in single bytes are the dictionary's own (code page 1252).
struct WindowView {
  std::string caption;
  std::string statusText;
  // The search box: its text, and whether that text stands all selected, so that typing
  // replaces it (as after a program's write, Enter, or a key in the list). The user's edits and
  // moves of the caret reach the session too, so this is always what the box shows.
  std::string searchText;
  bool searchSelected = false;
  std::u16string meaning;
  std::vector<std::string> rows;
  std::int32_t highlightedRow = -1;
  ScrollBarState scrollBar;
  std::vector<std::string> recentWords;
  Layout layout;
  Switches switches;
  std::string title;  // the application's title while the marquee runs; empty before
};

class LookupSession {
 public:
  explicit LookupSession(std::unique_ptr<TDictionary> dictionary);

  const WindowView& View() const { return view_; }
  const RecentWords& History() const { return recentWords_; }
  std::int32_t CurrentIndex() const { return currentIndex_; }
  std::int32_t PageTop() const { return pageTop_; }
  std::uint16_t VisibleRows() const { return view_.layout.visibleRows; }

  // The window is created: the stored switches (when Save on exit was on), the first layout
  // at the window's dpi, the scroll bar over the whole dictionary, entry 1 shown with its row
  // highlighted.
  const WindowView& Start(const std::optional<SettingsRecord>& stored, int clientWidth,
                          int clientHeight, int dpi = DesignDpi);

  // The user edited the search text: the entry found is shown and the text may become a
  // recent word.
  const WindowView& TypeText(std::string_view text);
  // The user moved the caret or the selection in the search box without editing.
  const WindowView& MoveSearchCaret();
  // Escape: the search box is emptied; the entry on display stays.
  const WindowView& ClearSearchText();
  // Enter, or the menu's Select All: the search text stands selected.
  const WindowView& SelectSearchText();
  // The menu's Paste: the clipboard's first line (in the code page) goes into the search box as
  // a paste into a single-line field takes it, no more of it than a lookup can use; nothing is
  // looked up until the user edits it.
  const WindowView& PasteSearchText(std::string_view firstLine);

  // Typing `typed` into the search box as it stands completes the text from the recent words
  // when the caret (or the selection) ends at the text's end and a recent word goes on from the
  // text before the selection plus `typed`: the letters typed stay as typed, and the completed
  // part stands selected, so that typing on narrows it. Nothing otherwise.
  std::optional<Completion> CompletionOf(std::string_view text, std::size_t selectionStart,
                                         std::size_t selectionEnd, char typed) const;

  // A key in the word list: a navigation key moves the entry; after any key the search text
  // stands selected, so that typing replaces the headword there.
  const WindowView& PressListKey(std::uint16_t key);
  // Whether the session handles a key of the word list whole, so that the list must not move
  // its highlight a second time: a navigation key while a row is highlighted. With none (after
  // the thumb has moved) the list's own handling highlights a row, which shows its entry.
  bool TakesListKey(std::uint16_t key) const;
  const WindowView& ClickRow(std::int32_t row);
  const WindowView& DoubleClickList();  // the Normal view

  // The user moved the scroll bar: the page from that position, no row highlighted.
  const WindowView& Scroll(std::int32_t position);

  const WindowView& Resize(int clientWidth, int clientHeight);

  // The window moved to a display of another dpi and took the size the system suggested: the
  // layout and the list's width are scaled, and the entry on display and the page stay.
  const WindowView& ChangeDpi(int dpi, int clientWidth, int clientHeight);

  // The splitter is pressed, then dragged; both points relative to the splitter's left edge.
  const WindowView& GrabSplitter(int x);
  const WindowView& DragSplitter(int x);

  // Whether a clipboard change is read at all: only while Clipboard meaning is on. The window
  // asks before it opens the clipboard, so that it never holds another program's clipboard
  // open for a text it will not use; CopiedText asks again, so that the rule has one place.
  bool ReadsCopiedText() const { return view_.switches.clipboardMeaning; }

  // The first line of text copied on the desktop, in the code page; nothing when the code
  // page cannot hold it. Its word (WordOfCopiedText) is looked up, written into the search box
  // and recorded while Clipboard meaning is on.
  const WindowView& CopiedText(const std::optional<std::string>& firstLine);

  const WindowView& Toggle(Switch which);
  const WindowView& ShowFullView(bool full);

  // The marquee's 200 ms step.
  const WindowView& Tick();

  // What the settings file keeps at closing, with the window's outer bounds.
  SettingsRecord SettingsToWrite(const Bounds& window) const;

 private:
  PageShape Shape() const;
  void ApplyStored(const std::optional<SettingsRecord>& stored);
  // Lays the window out; the page is kept when `keepPage` and it still shows the entry.
  void Arrange(bool keepPage = false);
  void LookUp(std::string_view text);
  void ShowEntry(std::int32_t index, bool writeSearchText);
  void WriteSearchText(std::string_view text);
  void FillPage(std::int32_t index);
  void SelectRow(std::int32_t index);
  std::optional<std::string> HighlightedRowText() const;

  std::unique_ptr<TDictionary> dictionary_;
  WindowView view_;
  std::int32_t currentIndex_ = 0;
  std::int32_t pageTop_ = 0;
  std::uint16_t filledRows_ = 0;  // the row count the page was last filled for
  TitleScroller scroller_;
  RecentWords recentWords_;
  int clientWidth_ = 0;
  int clientHeight_ = 0;
  int dpi_ = DesignDpi;
  int listWidth_ = DesignListWidth;  // in pixels at dpi_
  int grabX_ = 0;
  bool started_ = false;
};

// The first line of a copied text: up to its first line break or NUL, as a single-line text
// field takes a paste.
std::u16string_view FirstLine(std::u16string_view text);

// How much of a copied text is read: a headword has at most 32 characters, so no more can
// matter, and a copy of millions of characters costs no more than a word.
inline constexpr std::size_t CopiedTextLimit = 256;

// The word a reader meant by a copied line (in the code page): the line without the spaces,
// quotes, brackets and final punctuation around it and without a possessive 's, cut to the
// length of a headword. "house,", "(house)", "\x93house\x94" and "house's" give "house".
std::string WordOfCopiedText(std::string_view line);

// The outer bounds the settings give the window: only when Save on exit was on. They are the
// pixels of the display they were stored on, and are not scaled.
std::optional<Bounds> StoredWindowBounds(const std::optional<SettingsRecord>& stored);

// The outer bounds a window opens with when the settings give none: the design's place, and its
// size scaled to the dpi of the display it opens on.
Bounds DesignWindowBounds(int dpi);

}  // namespace varkam
