#include "DicFor/LayoutRules.h"

#include <algorithm>
#include <limits>

namespace varkam {

Layout ArrangeLayout(const LayoutInput& input) {
  const int listLeft = input.listShown ? input.listLeft : 0;
  const int listWidth = input.listShown ? input.listWidth : 0;
  const int scrollWidth = input.listShown ? ScrollBarWidth : 0;
  const int gap = input.listShown ? BandGap : 0;
  const int statusHeight = input.statusBarShown ? StatusBarHeight : 0;
  const int ch = input.clientHeight;
  const int cw = input.clientWidth;

  Layout layout;
  const int rows = (ch - statusHeight - 4 - 1) / ListRowHeight;
  layout.visibleRows = static_cast<std::uint16_t>(
      std::clamp(rows, 0, int{std::numeric_limits<std::uint16_t>::max()}));

  layout.listBox = {input.listLeft, 0, input.listWidth, ch - statusHeight};
  layout.scrollBar = {listLeft + listWidth, 0, ScrollBarWidth, layout.listBox.height - 1};
  layout.splitter = {layout.scrollBar.left + ScrollBarWidth, layout.scrollBar.top, SplitterWidth,
                     layout.scrollBar.height};
  layout.statusBar = {0, layout.listBox.top + layout.listBox.height, cw, StatusBarHeight};
  layout.comboBox.top = 4;
  layout.comboBox.left = scrollWidth + listWidth + listLeft + gap;
  layout.comboBox.width = cw - gap - listWidth - scrollWidth - AboutButtonWidth - 2;
  layout.aboutButton = {layout.comboBox.left + layout.comboBox.width + 2, 0, AboutButtonWidth,
                        SearchRowHeight};
  layout.memo.height = ch - MemoGap - statusHeight - SearchRowHeight;
  layout.memo.top = layout.aboutButton.top + SearchRowHeight + MemoGap;
  layout.memo.left = layout.comboBox.left;
  layout.memo.width = layout.aboutButton.left + layout.aboutButton.width - layout.comboBox.left;
  return layout;
}

int MaxSplitterLeft(int clientWidth) {
  return std::max(clientWidth - SplitterWidth, ScrollBarWidth + MinimumListWidth);
}

std::optional<int> SplitterLeftAfterDrag(int splitterLeft, int grabX, int x, int clientWidth) {
  const int moved = x - grabX;
  const int left = std::min(splitterLeft + moved, MaxSplitterLeft(clientWidth));
  if (left < ScrollBarWidth + MinimumListWidth || (moved >= -2 && moved <= 2) ||
      left == splitterLeft) {
    return std::nullopt;
  }
  return left;
}

}  // namespace varkam
