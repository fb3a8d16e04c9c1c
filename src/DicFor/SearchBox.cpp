// The search box: every edit looks the text up and brings the entry found into view; the
// drop-down list keeps the recent words.

#include "DicFor/TForm1.h"

namespace varkam {

void TForm1::LookUpText(const std::string& text) {
  const auto entry = EntryForLookup(dictionary_->FindWord(text), dictionary_->WordCount());
  if (!entry) {
    return;
  }
  const std::int32_t index = *entry;
  ShowEntry(index, ShowKeepSearchBox);
  if (!RowOf(index, pageTop_, Shape())) {
    FillPage(index);
  }
  SelectRow(index);
}

void TForm1::AddToHistory(const std::string& word, bool fromClipboard) {
  std::optional<std::string> highlighted;
  if (ListBox1.HighlightedRow() >= 0) {
    highlighted = HighlightedRowText();
  }
  const auto before = recentWords_.Items();
  recentWords_.Add(word, fromClipboard, highlighted);
  if (recentWords_.Items() != before) {
    std::vector<std::wstring> items;
    for (const auto& item : recentWords_.Items()) {
      items.push_back(ui::FromAnsi(item));
    }
    ComboBox1.SetItems(items);
  }
}

void TForm1::ComboBox1Change() {
  // A failure in one keystroke's lookup leaves the window running as it was.
  try {
    const std::string text = ui::ToAnsi(ComboBox1.Text());
    LookUpText(text);
    AddToHistory(text, false);
  } catch (...) {
  }
}

void TForm1::ComboBox1KeyDown(WORD key) {
  if (key == VK_RETURN) {
    ComboBox1.SelectAll();
  } else if (key == VK_ESCAPE) {
    ComboBox1.SetText(L"");
  }
}

void TForm1::Paste3Click() {
  // The clipboard's text comes in through the hidden single-line field, so that it arrives
  // as a paste does: its first line only.
  const std::wstring kept = Edit1.Text();
  Edit1.SetText(L"");
  Edit1.Paste();
  ComboBox1.SetText(Edit1.Text());
  Edit1.SetText(kept);
}

void TForm1::SelectAll3Click() {
  ComboBox1.SelectAll();
}

void TForm1::MenuCopyClick() {
  ComboBox1.Copy();
}

void TForm1::copy1Click() {
  TntMemo1.CopySelection();
}

void TForm1::SelectAll1Click() {
  TntMemo1.SelectAll();
}

}  // namespace varkam
