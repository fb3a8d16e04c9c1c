#pragma once

// The search box's recent words: at most 20, newest first, for this run only.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace varkam {

// The search text as a completion leaves it: the text, and where its selected end begins.
struct Completion {
  std::string text;
  std::size_t selectionStart = 0;
  std::size_t recentWord = 0;  // which recent word completed it, newest first
  bool operator==(const Completion&) const = default;
};

class RecentWords;

// Typing `typed` into `text` with the selection [selectionStart, selectionEnd): completed from
// the first recent word that goes on from the text before the selection plus `typed`, ignoring
// case, when the selection ends at the text's end. The letters before the completed part are
// the user's, as typed.
std::optional<Completion> CompleteTyping(const RecentWords& recent, std::string_view text,
                                         std::size_t selectionStart, std::size_t selectionEnd,
                                         char typed);

class RecentWords {
 public:
  static constexpr std::size_t MaxItems = 20;
  static constexpr std::size_t MaxLength = 32;

  const std::vector<std::string>& Items() const { return items_; }

  // Records `word` (its first 32 characters) unless it is there already, ignoring case. A
  // word from the clipboard always goes in; a typed one only when it is longer than one
  // character and names the entry found, that is equals `highlightedRow` ignoring case and
  // "&". A typed word that goes on from the newest item replaces it.
  void Add(std::string_view word, bool fromClipboard,
           std::optional<std::string_view> highlightedRow);

  // The first recent word that begins with `typed`, ignoring case, for completing it.
  std::optional<std::size_t> CompletionFor(std::string_view typed) const;

 private:
  std::vector<std::string> items_;
};

}  // namespace varkam
