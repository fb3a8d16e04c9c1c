#include "rules/LayoutRules.h"

#include <algorithm>
#include <limits>

namespace varkam {

Layout ArrangeLayout(const LayoutInput& input) {
  const int dpi = UsableDpi(input.dpi);
  const auto scaled = [dpi](int designPixels) { return Scaled(designPixels, dpi); };
  const int scrollBarWidth = scaled(ScrollBarWidth);
  const int aboutButtonWidth = scaled(AboutButtonWidth);
  const int searchRowHeight = scaled(SearchRowHeight);
  const int listWidth = input.listShown ? input.listWidth : 0;
  const int scrollWidth = input.listShown ? scrollBarWidth : 0;
  const int gap = input.listShown ? scaled(BandGap) : 0;
  const int statusHeight = input.statusBarShown ? scaled(StatusBarHeight) : 0;
  const int ch = input.clientHeight;
  const int cw = input.clientWidth;

  Layout layout;
  layout.dpi = dpi;
  layout.fontHeight = scaled(FontHeight);
  layout.rowHeight = scaled(ListRowHeight);
  const int rows = (ch - statusHeight - scaled(4 + 1)) / layout.rowHeight;
  layout.visibleRows = static_cast<std::uint16_t>(
      std::clamp(rows, 0, int{std::numeric_limits<std::uint16_t>::max()}));

  layout.listBox = {0, 0, input.listWidth, ch - statusHeight};
  layout.scrollBar = {listWidth, 0, scrollBarWidth, layout.listBox.height - scaled(1)};
  layout.splitter = {layout.scrollBar.left + scrollBarWidth, layout.scrollBar.top,
                     scaled(SplitterWidth), layout.scrollBar.height};
  layout.statusBar = {0, layout.listBox.top + layout.listBox.height, cw, scaled(StatusBarHeight)};
  layout.comboBox.top = scaled(4);
  layout.comboBox.left = scrollWidth + listWidth + gap;
  layout.comboBox.width = cw - gap - listWidth - scrollWidth - aboutButtonWidth - scaled(2);
  layout.aboutButton = {layout.comboBox.left + layout.comboBox.width + scaled(2), 0,
                        aboutButtonWidth, searchRowHeight};
  layout.memo.height = ch - scaled(MemoGap) - statusHeight - searchRowHeight;
  layout.memo.top = layout.aboutButton.top + searchRowHeight + scaled(MemoGap);
  layout.memo.left = layout.comboBox.left;
  layout.memo.width = layout.aboutButton.left + layout.aboutButton.width - layout.comboBox.left;
  // A window smaller than the bands leaves a control no room, never less.
  for (Bounds* bounds : {&layout.listBox, &layout.scrollBar, &layout.splitter, &layout.comboBox,
                         &layout.aboutButton, &layout.memo, &layout.statusBar}) {
    bounds->width = std::max(bounds->width, 0);
    bounds->height = std::max(bounds->height, 0);
  }
  return layout;
}

int MaxSplitterLeft(int clientWidth, int dpi) {
  dpi = UsableDpi(dpi);
  // The search band right of the splitter: the gap, the search box, the about button.
  const int searchBand = Scaled(BandGap, dpi) + Scaled(MinimumSearchBoxWidth, dpi) +
                         Scaled(2, dpi) + Scaled(AboutButtonWidth, dpi);
  return std::max(clientWidth - std::max(Scaled(SplitterWidth, dpi), searchBand),
                  Scaled(ScrollBarWidth, dpi) + Scaled(MinimumListWidth, dpi));
}

std::optional<int> SplitterLeftAfterDrag(int splitterLeft, int grabX, int x, int clientWidth,
                                         int dpi) {
  dpi = UsableDpi(dpi);
  const int moved = x - grabX;
  const int deadZone = Scaled(3, dpi);  // moves shorter than this do nothing
  const int left = std::min(splitterLeft + moved, MaxSplitterLeft(clientWidth, dpi));
  if (left < Scaled(ScrollBarWidth, dpi) + Scaled(MinimumListWidth, dpi) ||
      (moved > -deadZone && moved < deadZone) || left == splitterLeft) {
    return std::nullopt;
  }
  return left;
}

}  // namespace varkam
