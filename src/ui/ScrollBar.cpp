#include "ui/ScrollBar.h"

#include <algorithm>

namespace varkam::ui {

bool ScrollBar::Create(HWND parent) {
  if (!CreateControl(parent, L"SCROLLBAR", SBS_VERT | WS_VISIBLE, 0)) {
    return false;
  }
  Subclass(Handle());
  Apply();
  return true;
}

// The control itself cannot hold an empty range; it is disabled while the range is empty.
void ScrollBar::Apply() {
  SCROLLINFO info{sizeof info, SIF_RANGE | SIF_POS | SIF_PAGE | SIF_DISABLENOSCROLL};
  info.nMin = minimum_;
  info.nMax = std::max(minimum_, maximum_);
  info.nPos = position_;
  info.nPage = 0;
  SetScrollInfo(Handle(), SB_CTL, &info, TRUE);
  EnableWindow(Handle(), maximum_ > minimum_);
}

void ScrollBar::SetState(int minimum, int maximum, int position, int largeChange) {
  minimum_ = minimum;
  maximum_ = maximum;
  position_ = std::clamp(position, minimum_, std::max(minimum_, maximum_));
  largeChange_ = largeChange;
  Apply();
}

// An action that leaves the thumb where it stands (the up arrow at the top, a click on the
// thumb) is no change.
void ScrollBar::Ask(int position) {
  position = std::clamp(position, minimum_, std::max(minimum_, maximum_));
  if (position != position_ && onChange) {
    onChange(position);
  }
}

void ScrollBar::OnScroll(WORD code) {
  switch (code) {
    case SB_LINEUP: Ask(position_ - 1); break;
    case SB_LINEDOWN: Ask(position_ + 1); break;
    case SB_PAGEUP: Ask(position_ - largeChange_); break;
    case SB_PAGEDOWN: Ask(position_ + largeChange_); break;
    case SB_TOP: Ask(minimum_); break;
    case SB_BOTTOM: Ask(maximum_); break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: {
      // The 32-bit track position; the message's own is 16 bits.
      SCROLLINFO info{sizeof info, SIF_TRACKPOS};
      GetScrollInfo(Handle(), SB_CTL, &info);
      Ask(info.nTrackPos);
      break;
    }
    default: break;
  }
}

std::optional<LRESULT> ScrollBar::OnOwnMessage(HWND window, UINT message, WPARAM, LPARAM lParam) {
  // The parent's menu, not the scroll bar's own.
  if (message == WM_CONTEXTMENU) {
    return SendMessageW(GetParent(window), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(window),
                        lParam);
  }
  return std::nullopt;
}

}  // namespace varkam::ui
