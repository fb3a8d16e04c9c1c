// Showing an entry: its headword in the caption, the status bar, the title scroller and (in
// mode 0) the search box, its meaning decoded into the right-to-left meaning pane.

#include "DicFor/TForm1.h"
#include "persian/PersianDecode.h"

namespace varkam {

void TForm1::ShowEntry(std::int32_t index, std::uint8_t mode) {
  if (mode == ShowCurrentAgain) {
    index = currentIndex_;
  } else {
    currentIndex_ = index;
  }
  const std::string headword = dictionary_->GetWord(index);
  const std::wstring shown = ui::FromAnsi(headword);
  if (mode == ShowAndWriteSearchBox) {
    ComboBox1.SetText(shown);
  }
  SetCaption(ui::FromAnsi(CaptionFor(headword)));
  scroller_.Restart(headword);
  StatusBar1.SetText(shown);
  // char16_t and wchar_t are both UTF-16 code units on Windows.
  const std::u16string meaning = persian::PersianToUnicode(dictionary_->GetMeaning(index));
  TntMemo1.SetText(std::wstring(meaning.begin(), meaning.end()) + L"\r\n");
}

void TForm1::Timer1Timer() {
  if (ActionTaskbarScroller.checked) {
    application_.SetTitle(ui::FromAnsi(scroller_.Tick()));
  }
}

}  // namespace varkam
