#pragma once

#include <functional>
#include <string>
#include <vector>

#include "ui/Control.h"

namespace varkam::ui {

// A list of text rows (LISTBOX). onClick: the user moved the highlight (LBN_SELCHANGE), to the
// row it hands;
// onDoubleClick: LBN_DBLCLK; onKeyDown: a key went down, before the list handles it; true when
// the handler dealt with it, so the list leaves it alone.
class ListBox : public Control {
 public:
  bool Create(HWND parent);

  void SetRows(const std::vector<std::wstring>& rows);  // LB_RESETCONTENT, LB_ADDSTRING
  int RowCount() const;                                 // LB_GETCOUNT
  std::wstring RowText(int row) const;                  // LB_GETTEXT
  int HighlightedRow() const;                           // LB_GETCURSEL: -1 for none
  void Highlight(int row);                              // LB_SETCURSEL: -1 for none; raises nothing
  void SetRowHeight(int height);                        // LB_SETITEMHEIGHT

  std::function<void(int row)> onClick;
  std::function<void()> onDoubleClick;
  std::function<bool(WORD key)> onKeyDown;

  void OnCommand(WORD code) override;

 protected:
  std::optional<LRESULT> OnOwnMessage(HWND, UINT message, WPARAM wParam, LPARAM) override;
};

}  // namespace varkam::ui
