#pragma once

// The about box at a display's dpi: its client area, its frames and controls, all the design's
// 96-dpi pixels scaled, and its two pictures drawn at the scaled size. The pictures ship at
// the design's size and at twice it; the larger is shrunk with an area filter, so that their
// text stays sharp at every scale between.

#include "rules/Geometry.h"

namespace varkam {

struct AboutBoxLayout {
  int dpi = DesignDpi;
  int clientWidth = 0;
  int clientHeight = 0;
  int fontHeight = 0;
  Bounds panel;             // the double bevel
  Bounds programIconFrame;  // the banner's frame; the banner is taller, and cut to it
  Bounds image1Frame;       // the picture that opens the web site
  int bannerWidth = 0;      // the banner as drawn from the frame's top left corner
  int bannerHeight = 0;
  Bounds okButton;
  Bounds versionLabel;  // the three lines below the panel's visible part, never shown
  Bounds copyrightLabel;
  Bounds contactLine;
  int pictureScale = 1;  // which pictures to draw from: 1, or 2 for the larger ones
  bool operator==(const AboutBoxLayout&) const = default;
};

AboutBoxLayout ArrangeAboutBox(int dpi);

}  // namespace varkam
