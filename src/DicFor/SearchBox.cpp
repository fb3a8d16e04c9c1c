// The search box: every edit looks the text up and brings the entry found into view; the
// drop-down list keeps the recent words.

#include "DicFor/TForm1.h"
#include "ui/Clipboard.h"

namespace varkam {

void TForm1::ComboBox1Change(const std::wstring& typed) {
  const std::string text = ui::ToAnsi(typed);
  // A failure in one keystroke (no memory left for its texts) leaves the window running as it
  // was; there is nobody to tell in the middle of typing. The dictionary itself never throws:
  // what it cannot read, it reads as empty.
  try {
    Run([&text](LookupSession& session) -> const WindowView& { return session.TypeText(text); });
  } catch (const std::exception&) {
  }
}

void TForm1::ComboBox1KeyDown(WORD key) {
  if (key == VK_RETURN) {
    ComboBox1.SelectAll();
  } else if (key == VK_ESCAPE) {
    ComboBox1.SetText(L"");  // the entry on display stays
  }
}

// The clipboard's first line, as a paste into a single-line field takes it, and no more of it
// than a lookup can use; no lookup follows until the user edits it.
void TForm1::Paste3Click() {
  if (const auto content = ui::ReadClipboard(Handle(), CopiedTextLimit); content && content->text) {
    const std::u16string_view line = FirstLine(*content->text);
    ComboBox1.SetText(std::wstring(line.begin(), line.end()));
  }
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
