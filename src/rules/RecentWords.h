#pragma once

// The search box's recent words: at most 20, newest first, for this run only.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace varkam {

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
