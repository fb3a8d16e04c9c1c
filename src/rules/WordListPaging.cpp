#include "rules/WordListPaging.h"

#include <algorithm>

namespace varkam {

std::int32_t LastPageTop(PageShape shape) {
  return shape.wordCount - shape.visibleRows + 1;
}

std::int32_t PageTopFor(std::int32_t index, PageShape shape) {
  if (shape.wordCount <= 0) {
    return 0;
  }
  return std::max(1, std::min(index, LastPageTop(shape)));
}

std::int32_t RowsFrom(std::int32_t pageTop, PageShape shape) {
  if (pageTop < 1) {
    return 0;
  }
  return std::clamp<std::int32_t>(shape.wordCount - pageTop + 1, 0, shape.visibleRows);
}

std::optional<std::int32_t> RowOf(std::int32_t index, std::int32_t pageTop, PageShape shape) {
  const std::int64_t row = std::int64_t{index} - pageTop;
  if (row < 0 || row >= RowsFrom(pageTop, shape)) {
    return std::nullopt;
  }
  return static_cast<std::int32_t>(row);
}

std::optional<std::int32_t> EntryForLookup(std::int32_t found, std::int32_t wordCount) {
  if (found == 0) {
    return std::nullopt;
  }
  return wordCount > 0 ? std::min(found, wordCount) : found;
}

bool IsNavigationKey(std::uint16_t key) {
  switch (key) {
    case KeyPageUp:
    case KeyPageDown:
    case KeyEnd:
    case KeyHome:
    case KeyUp:
    case KeyDown: return true;
    default: return false;
  }
}

std::optional<NavigationStep> PlanNavigation(std::uint16_t key, std::int32_t current,
                                             std::int32_t pageTop, PageShape shape) {
  const std::int32_t a = current;
  const std::int32_t n = shape.wordCount;
  const std::int32_t r = shape.visibleRows;
  NavigationStep step;
  switch (key) {
    case KeyPageUp: step.target = a > r ? a - r + 1 : 1; break;
    case KeyPageDown: step.target = a < n - r + 1 ? a + r - 1 : n; break;
    case KeyEnd: step.target = n; break;
    case KeyHome: step.target = 1; break;
    case KeyUp: step.target = a > 1 ? a - 1 : a; break;
    case KeyDown: step.target = a < n ? a + 1 : a; break;
    default: return std::nullopt;
  }
  // An entry above the page comes into its first row, one below it into its last row.
  if (step.target < pageTop) {
    step.fillFrom = step.target;
  } else if (std::int64_t{step.target} >= std::int64_t{pageTop} + r) {
    step.fillFrom = step.target - r + 1;
  }
  return step;
}

}  // namespace varkam
