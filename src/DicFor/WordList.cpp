// The word list: one page of VisibleRows headwords from PageTop, paged by the scroll bar and
// the navigation keys.

#include "DicFor/TForm1.h"

namespace varkam {

PageShape TForm1::Shape() const {
  return {dictionary_->WordCount(), visibleRows_};
}

void TForm1::FillPage(std::int32_t index) {
  const std::int32_t top = PageTopFor(index, Shape());
  if (top == pageTop_ && visibleRows_ == filledRows_) {
    return;
  }
  ListBox1.Clear();
  const std::int32_t rows = RowsFrom(top, Shape());
  for (std::int32_t row = 0; row < rows; ++row) {
    ListBox1.AddRow(ui::FromAnsi(dictionary_->GetWord(top + row)));
  }
  // The page top is stored before the thumb moves: moving it calls FillPage again through
  // ScrollBar1Change, and that call must find the page already there.
  pageTop_ = top;
  ScrollBar1.SetPosition(top);
  filledRows_ = visibleRows_;
}

void TForm1::SelectRow(std::int32_t index) {
  auto row = RowOf(index, pageTop_, Shape());
  if (!row) {
    row = RowOf(index, PageTopFor(index, Shape()), Shape());  // the page FillPage(index) makes
  }
  ListBox1.Highlight(row ? *row : -1);
}

void TForm1::NavigateKey(std::uint16_t key) {
  if (ListBox1.HighlightedRow() < 0) {
    return;
  }
  const auto step = PlanNavigation(key, currentIndex_, pageTop_, Shape());
  if (!step) {
    return;
  }
  // Within the page the list's own handling of the key, which comes after this, moves the
  // highlight.
  if (step->fillFrom) {
    FillPage(*step->fillFrom);
    SelectRow(step->target);
  }
  ComboBox1.SetText(ListBox1.RowText(ListBox1.HighlightedRow()));
  if (step->target != currentIndex_) {
    ShowEntry(step->target, ShowAndWriteSearchBox);
  }
}

void TForm1::ScrollBar1Change() {
  FillPage(ScrollBar1.Position());
}

void TForm1::ListBox1Click() {
  const int row = ListBox1.HighlightedRow();
  if (row >= 0) {
    ShowEntry(pageTop_ + row, ShowAndWriteSearchBox);
  }
}

void TForm1::ListBox1KeyDown(WORD key) {
  NavigateKey(key);
  ComboBox1.SelectAll();  // typing after a move in the list replaces the headword
}

std::string TForm1::HighlightedRowText() const {
  return ui::ToAnsi(ListBox1.RowText(ListBox1.HighlightedRow()));
}

}  // namespace varkam
