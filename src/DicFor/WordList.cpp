// The word list: one page of headwords, paged by the scroll bar and the navigation keys.

#include "DicFor/TForm1.h"

namespace varkam {

void TForm1::ScrollBar1Change(int position) {
  Run([position](LookupSession& session) -> const WindowView& { return session.Scroll(position); });
}

void TForm1::ListBox1Click(int row) {
  Run([row](LookupSession& session) -> const WindowView& { return session.ClickRow(row); });
}

// A key the session takes whole is consumed: the list's own handling of it would move the
// highlight a second time. Otherwise the list handles it its own way.
bool TForm1::ListBox1KeyDown(WORD key) {
  const bool taken = session_ && session_->TakesListKey(key);
  Run([key](LookupSession& session) -> const WindowView& { return session.PressListKey(key); });
  return taken;
}

void TForm1::ListBox1DblClick() {
  Run([](LookupSession& session) -> const WindowView& { return session.DoubleClickList(); });
}

}  // namespace varkam
