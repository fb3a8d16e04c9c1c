#pragma once

#include <functional>

#include "ui/Control.h"

namespace varkam::ui {

// A vertical scroll bar control with a page size of 0. onChange: the position changed, by the
// user (arrows, track, thumb, each position a drag passes) or by the program.
class ScrollBar : public Control {
 public:
  bool Create(HWND parent);

  int Position() const { return position_; }
  int Minimum() const { return minimum_; }
  int Maximum() const { return maximum_; }
  int LargeChange() const { return largeChange_; }
  void SetPosition(int position);  // kept within the range
  void SetMinimum(int minimum);    // may move the position
  void SetMaximum(int maximum);
  void SetLargeChange(int step) { largeChange_ = step; }

  std::function<void()> onChange;

  void OnScroll(WORD code) override;

 protected:
  std::optional<LRESULT> OnOwnMessage(HWND, UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void Apply();
  int position_ = 0;
  int minimum_ = 0;
  int maximum_ = 100;
  int largeChange_ = 10;
};

}  // namespace varkam::ui
