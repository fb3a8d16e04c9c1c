#include "rules/AboutBoxLayout.h"

#include <algorithm>

#include "rules/LayoutRules.h"  // the windows share their font height

namespace varkam {

AboutBoxLayout ArrangeAboutBox(int dpi) {
  dpi = UsableDpi(dpi);
  // Design positions are scaled where they stand in the client area, so that neighbours meet
  // at every dpi as they do at 96.
  const auto scaled = [dpi](Bounds design) {
    const int left = Scaled(design.left, dpi);
    const int top = Scaled(design.top, dpi);
    return Bounds{left, top, Scaled(design.left + design.width, dpi) - left,
                  Scaled(design.top + design.height, dpi) - top};
  };
  constexpr int PanelLeft = 4;
  constexpr int PanelTop = 4;
  AboutBoxLayout layout;
  layout.dpi = dpi;
  layout.clientWidth = Scaled(310, dpi);
  layout.clientHeight = Scaled(433, dpi);
  layout.fontHeight = Scaled(FontHeight, dpi);
  layout.panel = scaled({PanelLeft, PanelTop, 303, 423});
  layout.programIconFrame = scaled({PanelLeft + 2, PanelTop + 2, 298, 149});
  layout.image1Frame = scaled({PanelLeft + 2, PanelTop + 152, 298, 266});
  layout.bannerWidth = Scaled(298, dpi);
  layout.bannerHeight = Scaled(166, dpi);
  layout.okButton = scaled({15, 397, 64, 22});
  layout.versionLabel = scaled({PanelLeft + 8, PanelTop + 448, 78, 13});
  layout.copyrightLabel = scaled({PanelLeft + 8, PanelTop + 420, 151, 13});
  layout.contactLine = scaled({PanelLeft + 8, PanelTop + 433, 233, 13});
  layout.pictureScale = dpi <= DesignDpi ? 1 : 2;
  return layout;
}

}  // namespace varkam
