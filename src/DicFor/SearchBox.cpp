// The search box: every edit looks the text up and brings the entry found into view; the
// drop-down list keeps the recent words.

#include "DicFor/TForm1.h"
#include "ui/Clipboard.h"

namespace varkam {

// The box shows what the user typed: the session hears it, and nothing is written back.
void TForm1::ComboBox1Change(const std::wstring& typed) {
  const std::string text = ui::ToAnsi(typed);
  shown_.searchText = text;
  shown_.searchSelected = false;
  // A failure in one keystroke (no memory left for its texts) leaves the window running as it
  // was; there is nobody to tell in the middle of typing. The dictionary itself never throws:
  // what it cannot read, it reads as empty.
  try {
    Run([&text](LookupSession& session) -> const WindowView& { return session.TypeText(text); });
  } catch (const std::exception&) {
  }
}

void TForm1::ComboBox1Caret() {
  shown_.searchSelected = false;
  Run([](LookupSession& session) -> const WindowView& { return session.MoveSearchCaret(); });
}

std::optional<ui::ComboBox::Completed> TForm1::ComboBox1Completion(const std::wstring& text,
                                                                   std::size_t selectionStart,
                                                                   std::size_t selectionEnd,
                                                                   wchar_t typed) {
  const auto typedByte = ui::ToAnsiExactly(std::u16string(1, static_cast<char16_t>(typed)));
  if (!session_ || !typedByte || typedByte->size() != 1) {
    return std::nullopt;
  }
  const auto completion =
      session_->CompletionOf(ui::ToAnsi(text), selectionStart, selectionEnd, (*typedByte)[0]);
  if (!completion) {
    return std::nullopt;
  }
  return ui::ComboBox::Completed{ui::FromAnsi(completion->text), completion->selectionStart,
                                 completion->recentWord};
}

void TForm1::ComboBox1KeyDown(WORD key) {
  if (key == VK_RETURN) {
    Run([](LookupSession& session) -> const WindowView& { return session.SelectSearchText(); });
  } else if (key == VK_ESCAPE) {
    Run([](LookupSession& session) -> const WindowView& { return session.ClearSearchText(); });
  }
}

// The clipboard's first line, as a paste into a single-line field takes it; no lookup follows
// until the user edits it.
void TForm1::Paste3Click() {
  if (const auto content = ui::ReadClipboard(Handle(), CopiedTextLimit); content && content->text) {
    const std::string line = ui::ToAnsi(
        std::wstring(FirstLine(*content->text).begin(), FirstLine(*content->text).end()));
    Run([&line](LookupSession& session) -> const WindowView& {
      return session.PasteSearchText(line);
    });
  }
}

void TForm1::SelectAll3Click() {
  Run([](LookupSession& session) -> const WindowView& { return session.SelectSearchText(); });
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
