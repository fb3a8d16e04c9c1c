#pragma once

// Commands with check marks, the pop-up menus that show them, and the window's timer.

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace varkam::ui {

// A command. Its check mark is its state; every menu item bound to it shows that mark.
struct Action {
  std::wstring caption;
  bool checked = false;
  bool visible = true;
  std::function<void()> onExecute;

  void Execute() const {
    if (onExecute) {
      onExecute();
    }
  }
};

// One item of a pop-up menu: bound to an action, or with a caption and handler of its own,
// or a separator, or a submenu.
struct MenuItem {
  std::wstring name;
  Action* action = nullptr;
  std::wstring caption;
  std::function<void()> onClick;
  std::vector<MenuItem> submenu;
  bool separator = false;

  static MenuItem Separator() {
    MenuItem item;
    item.separator = true;
    return item;
  }
};

class PopupMenu {
 public:
  PopupMenu() = default;
  explicit PopupMenu(std::vector<MenuItem> items) : items_(std::move(items)) {}

  MenuItem* Find(const std::wstring& name);

  // The menu as it would open now: items of invisible actions left out, check marks from the
  // actions. The caller destroys it; each command identifier is a place in `commands`.
  HMENU Build(std::vector<const MenuItem*>& commands) const;

  // Opens the menu at a screen point and runs the chosen item.
  void Show(HWND owner, POINT screen) const;

 private:
  std::vector<MenuItem> items_;
};

// Runs a menu item as a click on it does.
void Choose(const MenuItem& item);

// A window timer: onTimer every interval, while the owner lives.
class Timer {
 public:
  void Start(HWND owner, UINT_PTR id, UINT milliseconds);
  bool Owns(UINT_PTR id) const { return owner_ != nullptr && id == id_; }
  void OnTimer() const {
    if (onTimer) {
      onTimer();
    }
  }

  std::function<void()> onTimer;

 private:
  HWND owner_ = nullptr;
  UINT_PTR id_ = 0;
};

}  // namespace varkam::ui
