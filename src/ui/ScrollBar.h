#pragma once

#include <functional>

#include "ui/Control.h"

namespace varkam::ui {

// A vertical scroll bar control with a page size of 0. onChange: the user asked for a new
// position (arrows, track, thumb, each position a drag passes), within the range; the program
// then puts the thumb where it belongs. The program's own writes raise nothing.
class ScrollBar : public Control {
 public:
  bool Create(HWND parent);

  int Position() const { return position_; }
  int Maximum() const { return maximum_; }
  int LargeChange() const { return largeChange_; }
  // The range, the thumb (kept within the range) and the step of a click in the track. An
  // empty range (maximum below minimum) disables the bar.
  void SetState(int minimum, int maximum, int position, int largeChange);

  std::function<void(int position)> onChange;

  void OnScroll(WORD code) override;

 protected:
  std::optional<LRESULT> OnOwnMessage(HWND, UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void Apply();
  void Ask(int position);
  int position_ = 0;
  int minimum_ = 0;
  int maximum_ = 100;
  int largeChange_ = 10;
};

}  // namespace varkam::ui
