#include "ui/Actions.h"

namespace varkam::ui {

namespace {

MenuItem* FindIn(std::vector<MenuItem>& items, const std::wstring& name) {
  for (MenuItem& item : items) {
    if (item.name == name) {
      return &item;
    }
    if (MenuItem* found = FindIn(item.submenu, name)) {
      return found;
    }
  }
  return nullptr;
}

void Append(HMENU menu, const std::vector<MenuItem>& items,
            std::vector<const MenuItem*>& commands) {
  for (const MenuItem& item : items) {
    if (item.separator) {
      AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
      continue;
    }
    if (item.action != nullptr && !item.action->visible) {
      continue;
    }
    const std::wstring& caption = item.action != nullptr ? item.action->caption : item.caption;
    const bool checked = item.action != nullptr && item.action->checked;
    if (!item.submenu.empty()) {
      HMENU submenu = CreatePopupMenu();
      Append(submenu, item.submenu, commands);
      AppendMenuW(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(submenu), caption.c_str());
      continue;
    }
    commands.push_back(&item);
    AppendMenuW(menu, MF_STRING | (checked ? MF_CHECKED : MF_UNCHECKED), commands.size(),
                caption.c_str());
  }
}

}  // namespace

MenuItem* PopupMenu::Find(const std::wstring& name) {
  return FindIn(items_, name);
}

HMENU PopupMenu::Build(std::vector<const MenuItem*>& commands) const {
  HMENU menu = CreatePopupMenu();
  Append(menu, items_, commands);
  return menu;
}

void PopupMenu::Show(HWND owner, POINT screen) const {
  std::vector<const MenuItem*> commands;
  HMENU menu = Build(commands);
  const auto chosen = static_cast<std::size_t>(TrackPopupMenuEx(
      menu, TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_NONOTIFY, screen.x, screen.y, owner, nullptr));
  DestroyMenu(menu);
  if (chosen >= 1 && chosen <= commands.size()) {
    Choose(*commands[chosen - 1]);
  }
}

void Choose(const MenuItem& item) {
  if (item.action != nullptr) {
    item.action->Execute();
  } else if (item.onClick) {
    item.onClick();
  }
}

void Timer::Start(HWND owner, UINT_PTR id, UINT milliseconds) {
  owner_ = owner;
  id_ = id;
  SetTimer(owner, id, milliseconds, nullptr);
}

}  // namespace varkam::ui
