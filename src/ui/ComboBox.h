#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "ui/Control.h"

namespace varkam::ui {

// An editable drop-down list (COMBOBOX, CBS_DROPDOWN) with auto-completion.
// onChange: the user edited the text, picked an item (click, Up, Down), or typing completed
// the text, with the text it now holds; never for the program's own writes. onCaret: the user
// moved the caret or the selection in the text field without editing (a click, an arrow key).
// onKeyDown: a key went down in the text field. onContextMenu: the text field's menu was asked
// for (screen point). completion: what typing a character makes of the text, when it
// completes it.
class ComboBox : public Control {
 public:
  bool Create(HWND parent);
  HWND EditHandle() const { return edit_; }

  std::wstring Text() const;
  void SetText(const std::wstring& text);  // raises nothing
  void SelectAll();
  void Copy();  // the selected text, or all of it when nothing is selected
  void SetItems(const std::vector<std::wstring>& items);  // keeps the text; raises nothing
  std::vector<std::wstring> Items() const;
  // The height of the field is the control's own; `dropDownHeight` is the open list's.
  void SetBounds(int left, int top, int width, int dropDownHeight);
  void SetItemHeight(int height);  // CB_SETITEMHEIGHT of the drop-down's rows

  struct Completed {
    std::wstring text;
    std::size_t selectionStart = 0;  // the completed part, selected to the end
    std::size_t item = 0;            // the item it came from, which Up and Down go on from
  };

  std::function<void(const std::wstring& text)> onChange;
  std::function<void()> onCaret;
  std::function<void(WORD key)> onKeyDown;
  std::function<void(POINT screen)> onContextMenu;
  std::function<std::optional<Completed>(const std::wstring& text, std::size_t selectionStart,
                                         std::size_t selectionEnd, wchar_t typed)>
      completion;

  void OnCommand(WORD code) override;

 protected:
  std::optional<LRESULT> OnOwnMessage(HWND, UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  bool Complete(wchar_t typed);
  void Raise();
  HWND edit_ = nullptr;
  int programWrites_ = 0;  // above 0 while the program writes the text
};

}  // namespace varkam::ui
