// The word list: one page of headwords, paged by the scroll bar and the navigation keys.

#include "DicFor/TForm1.h"

namespace varkam {

void TForm1::ScrollBar1Change(int position) {
  Run([position](LookupSession& session) -> const WindowView& { return session.Scroll(position); });
}

void TForm1::ListBox1Click() {
  const int row = ListBox1.HighlightedRow();
  Run([row](LookupSession& session) -> const WindowView& { return session.ClickRow(row); });
}

// The navigation keys are the session's to handle whole: the list's own handling of them would
// move the highlight a second time.
bool TForm1::ListBox1KeyDown(WORD key) {
  Run([key](LookupSession& session) -> const WindowView& { return session.PressListKey(key); });
  ComboBox1.SelectAll();  // typing after a move in the list replaces the headword
  return IsNavigationKey(key);
}

void TForm1::ListBox1DblClick() {
  Run([](LookupSession& session) -> const WindowView& { return session.DoubleClickList(); });
}

}  // namespace varkam
