#include "rules/LookupSession.h"

#include <algorithm>

#include "persian/PersianDecode.h"

namespace varkam {

LookupSession::LookupSession(std::unique_ptr<TDictionary> dictionary)
    : dictionary_(std::move(dictionary)) {}

PageShape LookupSession::Shape() const {
  return {dictionary_->WordCount(), view_.layout.visibleRows};
}

const WindowView& LookupSession::Start(const std::optional<SettingsRecord>& stored, int clientWidth,
                                       int clientHeight, int dpi) {
  ApplyStored(stored);
  dpi_ = UsableDpi(dpi);
  listWidth_ = Scaled(DesignListWidth, dpi_);
  clientWidth_ = clientWidth;
  clientHeight_ = clientHeight;
  started_ = true;
  view_.scrollBar.minimum = 1;
  view_.scrollBar.maximum = dictionary_->WordCount();
  ShowEntry(1, true);
  Arrange();
  return view_;
}

// A switch comes back as it was stored only when Save on exit was on; otherwise the design
// state stands, with Save on exit as stored.
void LookupSession::ApplyStored(const std::optional<SettingsRecord>& stored) {
  if (!stored) {
    return;
  }
  view_.switches.saveOnExit = stored->switches.saveOnExit;
  if (stored->switches.saveOnExit) {
    view_.switches = stored->switches;
  }
}

// Every layout: the rows that fit, the page refilled from the entry on display, its row
// highlighted. The meaning on display stays; the marquee starts again at its headword.
void LookupSession::Arrange(bool keepPage) {
  if (!started_) {
    return;
  }
  // The splitter stays where it can be grabbed, however narrow the window becomes.
  const int scrollBarWidth = Scaled(ScrollBarWidth, dpi_);
  const int listWidth =
      std::max(std::min(listWidth_, MaxSplitterLeft(clientWidth_, dpi_) - scrollBarWidth),
               Scaled(MinimumListWidth, dpi_));
  view_.layout = ArrangeLayout({.clientWidth = clientWidth_,
                                .clientHeight = clientHeight_,
                                .listShown = view_.switches.fullView,
                                .listWidth = listWidth,
                                .statusBarShown = !view_.switches.hideStatusBar,
                                .dpi = dpi_});
  const bool pageShowsEntry =
      RowOf(currentIndex_, PageTopFor(pageTop_, Shape()), Shape()).has_value();
  FillPage(keepPage && pageShowsEntry ? pageTop_ : currentIndex_);
  scroller_.Restart(view_.statusText);
  SelectRow(currentIndex_);
  if (view_.layout.visibleRows >= 2) {
    view_.scrollBar.largeChange = view_.layout.visibleRows - 1;
  }
}

void LookupSession::ShowEntry(std::int32_t index, bool writeSearchText) {
  currentIndex_ = index;
  const std::string headword = dictionary_->GetWord(index);
  if (writeSearchText) {
    WriteSearchText(headword);
  }
  view_.caption = CaptionFor(headword);
  view_.statusText = headword;
  scroller_.Restart(headword);
  view_.meaning = persian::PersianToUnicode(dictionary_->GetMeaning(index)) + u"\r\n";
}

// A write of the program leaves the text selected, as the combo box does for its own text.
void LookupSession::WriteSearchText(std::string_view text) {
  view_.searchText = std::string(text);
  view_.searchSelected = true;
}

// After every fill the thumb stands at the page top and no row is highlighted; a page that is
// there already is not read again. A fill from the page top in view, with the rows it was
// filled for, leaves the list untouched: a scroll-bar action that does not move the thumb (the
// up arrow at the top, a click on the thumb) keeps the highlighted row, and with it the keys.
void LookupSession::FillPage(std::int32_t index) {
  if (index == pageTop_ && filledRows_ == view_.layout.visibleRows) {
    return;
  }
  const std::int32_t top = PageTopFor(index, Shape());
  if (top != pageTop_ || filledRows_ != view_.layout.visibleRows) {
    view_.rows.clear();
    const std::int32_t rows = RowsFrom(top, Shape());
    for (std::int32_t row = 0; row < rows; ++row) {
      view_.rows.push_back(dictionary_->GetWord(top + row));
    }
    pageTop_ = top;
    filledRows_ = view_.layout.visibleRows;
  }
  view_.scrollBar.position = std::clamp(pageTop_, view_.scrollBar.minimum,
                                        std::max(view_.scrollBar.minimum, view_.scrollBar.maximum));
  view_.highlightedRow = -1;
}

void LookupSession::SelectRow(std::int32_t index) {
  auto row = RowOf(index, pageTop_, Shape());
  if (!row) {
    row = RowOf(index, PageTopFor(index, Shape()), Shape());  // the page FillPage(index) makes
  }
  view_.highlightedRow = row ? *row : -1;
}

std::optional<std::string> LookupSession::HighlightedRowText() const {
  if (view_.highlightedRow < 0 || view_.highlightedRow >= std::ssize(view_.rows)) {
    return std::nullopt;
  }
  return view_.rows[static_cast<std::size_t>(view_.highlightedRow)];
}

void LookupSession::LookUp(std::string_view text) {
  const auto entry = EntryForLookup(dictionary_->FindWord(text), dictionary_->WordCount());
  if (!entry) {
    return;
  }
  ShowEntry(*entry, false);
  if (!RowOf(*entry, pageTop_, Shape())) {
    FillPage(*entry);
  }
  SelectRow(*entry);
}

const WindowView& LookupSession::TypeText(std::string_view text) {
  view_.searchText = std::string(text);
  view_.searchSelected = false;
  LookUp(text);
  const auto highlighted = HighlightedRowText();
  recentWords_.Add(text, false, highlighted);
  view_.recentWords = recentWords_.Items();
  return view_;
}

const WindowView& LookupSession::MoveSearchCaret() {
  view_.searchSelected = false;
  return view_;
}

const WindowView& LookupSession::ClearSearchText() {
  WriteSearchText("");
  return view_;
}

const WindowView& LookupSession::SelectSearchText() {
  view_.searchSelected = true;
  return view_;
}

const WindowView& LookupSession::PasteSearchText(std::string_view firstLine) {
  WriteSearchText(firstLine.substr(0, CopiedTextLimit));
  return view_;
}

std::optional<Completion> LookupSession::CompletionOf(std::string_view text,
                                                      std::size_t selectionStart,
                                                      std::size_t selectionEnd, char typed) const {
  return CompleteTyping(recentWords_, text, selectionStart, selectionEnd, typed);
}

bool LookupSession::TakesListKey(std::uint16_t key) const {
  return view_.highlightedRow >= 0 && IsNavigationKey(key);
}

const WindowView& LookupSession::PressListKey(std::uint16_t key) {
  view_.searchSelected = true;
  if (view_.highlightedRow < 0) {
    return view_;  // after the thumb has moved, the list's own handling highlights a row
  }
  const auto step = PlanNavigation(key, currentIndex_, pageTop_, Shape());
  if (!step) {
    return view_;
  }
  if (step->fillFrom) {
    FillPage(*step->fillFrom);
  }
  SelectRow(step->target);
  if (step->target != currentIndex_) {
    ShowEntry(step->target, true);
  } else if (const auto highlighted = HighlightedRowText()) {
    WriteSearchText(*highlighted);
  }
  return view_;
}

const WindowView& LookupSession::ClickRow(std::int32_t row) {
  if (row >= 0 && row < std::ssize(view_.rows)) {
    ShowEntry(pageTop_ + row, true);
    view_.highlightedRow = row;
  }
  return view_;
}

const WindowView& LookupSession::DoubleClickList() {
  return ShowFullView(false);
}

const WindowView& LookupSession::Scroll(std::int32_t position) {
  FillPage(position);
  return view_;
}

const WindowView& LookupSession::Resize(int clientWidth, int clientHeight) {
  if (clientWidth != clientWidth_ || clientHeight != clientHeight_) {
    clientWidth_ = clientWidth;
    clientHeight_ = clientHeight;
    Arrange();
  }
  return view_;
}

const WindowView& LookupSession::ChangeDpi(int dpi, int clientWidth, int clientHeight) {
  dpi = UsableDpi(dpi);
  listWidth_ = Rescaled(listWidth_, dpi_, dpi);
  dpi_ = dpi;
  clientWidth_ = clientWidth;
  clientHeight_ = clientHeight;
  Arrange(true);
  return view_;
}

const WindowView& LookupSession::GrabSplitter(int x) {
  grabX_ = x;
  return view_;
}

const WindowView& LookupSession::DragSplitter(int x) {
  const auto left =
      SplitterLeftAfterDrag(view_.layout.splitter.left, grabX_, x, clientWidth_, dpi_);
  if (left) {
    listWidth_ = *left - Scaled(ScrollBarWidth, dpi_);
    Arrange();
  }
  return view_;
}

const WindowView& LookupSession::CopiedText(const std::optional<std::string>& firstLine) {
  if (!ReadsCopiedText() || !firstLine) {
    return view_;
  }
  const std::string word = WordOfCopiedText(*firstLine);
  if (word.empty()) {
    return view_;
  }
  LookUp(word);
  recentWords_.Add(word, true, std::nullopt);
  view_.recentWords = recentWords_.Items();
  WriteSearchText(word);
  return view_;
}

const WindowView& LookupSession::Toggle(Switch which) {
  bool& state = view_.switches.*PlaceOf(which).field;
  state = !state;
  if (which == Switch::HideStatusBar || which == Switch::FullView) {
    Arrange();  // the controls they show or hide take or give back room
  }
  return view_;
}

const WindowView& LookupSession::ShowFullView(bool full) {
  view_.switches.fullView = full;
  Arrange();
  return view_;
}

const WindowView& LookupSession::Tick() {
  if (view_.switches.taskbarScrolling) {
    view_.title = scroller_.Tick();
  }
  return view_;
}

SettingsRecord LookupSession::SettingsToWrite(const Bounds& window) const {
  return {window.width, window.height, window.left, window.top, view_.switches};
}

std::u16string_view FirstLine(std::u16string_view text) {
  return text.substr(0, text.find_first_of(std::u16string_view(u"\r\n\0", 3)));
}

namespace {

// Quotes and brackets in the code page: straight, curly (0x91-0x94), low (0x82, 0x84) and
// angle quotes (0xAB, 0xBB).
constexpr std::string_view Opening = "\"'([{<\x91\x93\x82\x84\xAB";
constexpr std::string_view Closing = "\"')]}>\x92\x94\xBB";
constexpr std::string_view Final = ".,:;?!\x85";  // \x85 is the ellipsis
constexpr std::string_view Blank = " \t";

}  // namespace

std::string WordOfCopiedText(std::string_view line) {
  line = line.substr(0, CopiedTextLimit);
  for (bool changed = true; changed && !line.empty();) {
    const std::size_t size = line.size();
    line.remove_prefix(std::min(line.size(), line.find_first_not_of(Blank)));
    while (!line.empty() && Opening.find(line.front()) != std::string_view::npos) {
      line.remove_prefix(1);
    }
    while (!line.empty() && (Closing.find(line.back()) != std::string_view::npos ||
                             Final.find(line.back()) != std::string_view::npos ||
                             Blank.find(line.back()) != std::string_view::npos)) {
      line.remove_suffix(1);
    }
    changed = line.size() != size;
  }
  // "dog's", with a straight or a curly apostrophe.
  if (line.size() > 2 && (line[line.size() - 1] == 's' || line[line.size() - 1] == 'S') &&
      (line[line.size() - 2] == '\'' || line[line.size() - 2] == '\x92')) {
    line.remove_suffix(2);
  }
  return std::string(line.substr(0, MaxWordLength));
}

std::optional<Bounds> StoredWindowBounds(const std::optional<SettingsRecord>& stored) {
  if (!stored || !stored->switches.saveOnExit) {
    return std::nullopt;
  }
  return Bounds{stored->left, stored->top, stored->width, stored->height};
}

Bounds DesignWindowBounds(int dpi) {
  dpi = UsableDpi(dpi);
  const SettingsRecord design;
  return {design.left, design.top, Scaled(design.width, dpi), Scaled(design.height, dpi)};
}

}  // namespace varkam
