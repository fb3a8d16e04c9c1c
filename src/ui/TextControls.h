#pragma once

// The controls that show text: the read-only meaning pane, the status bar, buttons and labels.

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
  void SetText(const std::wstring& text);
};

// A push button. onClick: the user clicked it, or pressed Enter while it is the default one.
class Button : public Control {
 public:
  bool Create(HWND parent, const wchar_t* caption, int id, bool isDefault);
  std::function<void()> onClick;
  void OnCommand(WORD code) override;
};

// A line of text that only shows: a static text, or a read-only single-line edit.
class Label : public Control {
 public:
  bool Create(HWND parent, const wchar_t* className, const wchar_t* text, DWORD style);
};

}  // namespace varkam::ui
