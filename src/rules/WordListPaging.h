#pragma once

// The word list's paging: which headwords a page holds, which row shows an entry, and where
// the navigation keys lead. The list shows one page of VisibleRows consecutive headwords from
// PageTop; the scroll bar stands for the rest of the dictionary.

#include <cstdint>
#include <optional>

namespace varkam {

struct PageShape {
  std::int32_t wordCount = 0;
  std::uint16_t visibleRows = 0;
};

// The page top at which the last headword stands in the last row.
std::int32_t LastPageTop(PageShape shape);

// The page top that filling the list from `index` gives: moved back to the last page top when
// needed, and never below headword 1, so a dictionary with fewer headwords than rows starts at
// headword 1. 0 for an empty dictionary.
std::int32_t PageTopFor(std::int32_t index, PageShape shape);

// How many rows a page from `pageTop` fills: VisibleRows, or fewer when the dictionary ends
// first. No row ever stands for an index below 1 or above WordCount.
std::int32_t RowsFrom(std::int32_t pageTop, PageShape shape);

// The row that shows `index` in the page from `pageTop`, if it is in that page.
std::optional<std::int32_t> RowOf(std::int32_t index, std::int32_t pageTop, PageShape shape);

// The entry a lookup's answer leads to: nothing for 0 (a walk back to record 0), and the last
// headword for WordCount + 1, so that a text after every headword shows the nearest one.
std::optional<std::int32_t> EntryForLookup(std::int32_t found, std::int32_t wordCount);

// Windows virtual-key codes of the navigation keys.
enum NavigationKey : std::uint16_t {
  KeyPageUp = 33,
  KeyPageDown = 34,
  KeyEnd = 35,
  KeyHome = 36,
  KeyUp = 38,
  KeyDown = 40,
};

bool IsNavigationKey(std::uint16_t key);

// Where a navigation key pressed in the word list leads from the current entry, and the page
// top to fill first when that entry is not in the page in view.
struct NavigationStep {
  std::int32_t target = 0;
  std::optional<std::int32_t> fillFrom;
};

// Nothing for a key that is not one of the six navigation keys.
std::optional<NavigationStep> PlanNavigation(std::uint16_t key, std::int32_t current,
                                             std::int32_t pageTop, PageShape shape);

}  // namespace varkam
