#include "rules/RecentWords.h"

#include <algorithm>

#include "UnitDitionary.h"

namespace varkam {

namespace {

std::string WithoutAmpersands(std::string_view text) {
  std::string out(text);
  std::erase(out, '&');
  return out;
}

}  // namespace

void RecentWords::Add(std::string_view word, bool fromClipboard,
                      std::optional<std::string_view> highlightedRow) {
  const std::string w(word.substr(0, std::min(word.size(), MaxLength)));
  const bool known = std::any_of(items_.begin(), items_.end(),
                                 [&](const std::string& item) { return SameWord(item, w); });
  if (!known) {
    if (fromClipboard) {
      items_.insert(items_.begin(), w);
    } else if (w.size() > 1 && highlightedRow &&
               SameWord(WithoutAmpersands(w), WithoutAmpersands(*highlightedRow))) {
      // Typing on past a recorded word (ca, then cat) replaces it; the case must match.
      if (!items_.empty() && w.compare(0, items_.front().size(), items_.front()) == 0) {
        items_.erase(items_.begin());
      }
      items_.insert(items_.begin(), w);
    }
  }
  if (items_.size() > MaxItems) {
    items_.resize(MaxItems);
  }
}

std::optional<std::size_t> RecentWords::CompletionFor(std::string_view typed) const {
  if (typed.empty()) {
    return std::nullopt;
  }
  for (std::size_t i = 0; i < items_.size(); ++i) {
    if (items_[i].size() >= typed.size() && SameWord(items_[i].substr(0, typed.size()), typed)) {
      return i;
    }
  }
  return std::nullopt;
}

std::optional<Completion> CompleteTyping(const RecentWords& recent, std::string_view text,
                                         std::size_t selectionStart, std::size_t selectionEnd,
                                         char typed) {
  // Only at the end: typing inside the text edits it as it stands.
  if (selectionEnd != text.size() || selectionStart > selectionEnd) {
    return std::nullopt;
  }
  const std::string prefix = std::string(text.substr(0, selectionStart)) + typed;
  const auto index = recent.CompletionFor(prefix);
  if (!index) {
    return std::nullopt;
  }
  return Completion{prefix + recent.Items()[*index].substr(prefix.size()), prefix.size(), *index};
}

}  // namespace varkam
