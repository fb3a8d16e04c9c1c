#pragma once

// The text controls that show text: the read-only meaning pane and the status bar.

#include <functional>
#include <string>

#include "ui/Control.h"

namespace varkam::ui {

// A read-only multi-line Unicode text pane, right to left when asked.
class Memo : public Control {
 public:
  bool Create(HWND parent, bool rightToLeft);
  std::wstring Text() const { return TextOf(Handle()); }
  void SetText(const std::wstring& text);
  void SelectAll();
  void CopySelection();
  // A read-only edit paints itself as static text; the meaning reads best on the window colour.
  HBRUSH OnColor(HDC dc) override;

  std::function<void(POINT screen)> onContextMenu;  // the pane's menu was asked for

 protected:
  std::optional<LRESULT> OnOwnMessage(HWND, UINT message, WPARAM, LPARAM lParam) override;
};

// A status bar with one simple panel and a size grip.
class StatusBar : public Control {
 public:
  bool Create(HWND parent);
  std::wstring Text() const { return text_; }
  void SetText(const std::wstring& text);

 private:
  std::wstring text_;
};

}  // namespace varkam::ui
