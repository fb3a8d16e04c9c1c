#include <gtest/gtest.h>

#include <random>

#include "rules/AboutBoxLayout.h"
#include "rules/Resample.h"

namespace varkam {
namespace {

TEST(AboutBoxLayout, TheDesignAt96Dpi) {
  const AboutBoxLayout box = ArrangeAboutBox(96);
  EXPECT_EQ(box.clientWidth, 310);
  EXPECT_EQ(box.clientHeight, 433);
  EXPECT_EQ(box.fontHeight, 11);
  EXPECT_EQ(box.panel, (Bounds{4, 4, 303, 423}));
  EXPECT_EQ(box.programIconFrame, (Bounds{6, 6, 298, 149}));
  EXPECT_EQ(box.image1Frame, (Bounds{6, 156, 298, 266}));
  EXPECT_EQ(box.bannerWidth, 298);
  EXPECT_EQ(box.bannerHeight, 166);
  EXPECT_EQ(box.okButton, (Bounds{15, 397, 64, 22}));
  EXPECT_EQ(box.versionLabel, (Bounds{12, 452, 78, 13}));
  EXPECT_EQ(box.pictureScale, 1) << "the pictures as they are, unscaled";
  EXPECT_EQ(ArrangeAboutBox(0), box);
}

TEST(AboutBoxLayout, LargerDpisScaleEveryFrameAndTakeTheLargerPictures) {
  const AboutBoxLayout at144 = ArrangeAboutBox(144);
  EXPECT_EQ(at144.clientWidth, 465);
  EXPECT_EQ(at144.clientHeight, 650);
  EXPECT_EQ(at144.fontHeight, 17);
  EXPECT_EQ(at144.panel, (Bounds{6, 6, 455, 635}));
  EXPECT_EQ(at144.programIconFrame, (Bounds{9, 9, 447, 224}));
  EXPECT_EQ(at144.image1Frame, (Bounds{9, 234, 447, 399}));
  EXPECT_EQ(at144.bannerWidth, 447);
  EXPECT_EQ(at144.bannerHeight, 249);
  EXPECT_EQ(at144.okButton, (Bounds{23, 596, 96, 33}));
  EXPECT_EQ(at144.pictureScale, 2);

  const AboutBoxLayout at192 = ArrangeAboutBox(192);
  EXPECT_EQ(at192.clientWidth, 620);
  EXPECT_EQ(at192.image1Frame, (Bounds{12, 312, 596, 532}));
  EXPECT_EQ(at192.okButton, (Bounds{30, 794, 128, 44}));
  EXPECT_EQ(ArrangeAboutBox(120).pictureScale, 2);
  EXPECT_EQ(ArrangeAboutBox(1'000'000).clientWidth, 3100) << "no larger than at 960 dpi";

  // The frames meet as at 96 dpi: the picture starts right under the banner's frame's row.
  for (const int dpi : {120, 144, 168, 192}) {
    const AboutBoxLayout box = ArrangeAboutBox(dpi);
    EXPECT_EQ(box.programIconFrame.left, box.image1Frame.left) << dpi;
    EXPECT_EQ(box.programIconFrame.width, box.image1Frame.width) << dpi;
    EXPECT_LT(box.programIconFrame.top + box.programIconFrame.height, box.image1Frame.top) << dpi;
    EXPECT_LE(box.image1Frame.top + box.image1Frame.height, box.panel.top + box.panel.height)
        << dpi;
  }
}

constexpr std::uint32_t Black = 0xFF000000;
constexpr std::uint32_t White = 0xFFFFFFFF;
constexpr std::uint32_t Blue = 0xFF1B4F9C;
constexpr std::uint32_t Teal = 0xFF1F9E9A;

TEST(Resample, AreasAreAveraged) {
  EXPECT_EQ(Resample({2, 2, {Black, White, White, Black}}, 1, 1).values,
            std::vector<std::uint32_t>{0xFF808080});
  // Two-thirds as wide, as the larger pictures are drawn at 144 dpi: the middle pixel covers
  // two thirds of a pixel of each colour.
  EXPECT_EQ(Resample({4, 1, {Blue, Blue, Teal, Teal}}, 3, 1).values,
            (std::vector<std::uint32_t>{Blue, 0xFF1D779B, Teal}));
  const Pixels solid{4, 4, std::vector<std::uint32_t>(16, Teal)};
  EXPECT_EQ(Resample(solid, 3, 3).values, std::vector<std::uint32_t>(9, Teal))
      << "the weights of every pixel add up to one";
  EXPECT_EQ(Resample(solid, 7, 5).values, std::vector<std::uint32_t>(35, Teal));
  EXPECT_EQ(Resample({1, 1, {0x80FFFFFF}}, 2, 1).values,
            (std::vector<std::uint32_t>{0x80FFFFFF, 0x80FFFFFF}))
      << "alpha is a channel like the others";
}

TEST(Resample, SizesAtTheEdges) {
  const Pixels picture{2, 1, {Blue, Teal}};
  EXPECT_EQ(Resample(picture, 2, 1), picture);
  const Pixels none = Resample(picture, 0, 3);
  EXPECT_EQ(none.width, 0);
  EXPECT_TRUE(none.values.empty());
  const Pixels fromNothing = Resample(Pixels{}, 2, 2);
  EXPECT_EQ(fromNothing.values.size(), 4u) << "a picture that did not load draws as nothing";
}

// A picture drawn twice as large, each pixel a 2 x 2 block, comes back exactly at half size.
TEST(Resample, HalvingTheDoubledPictureGivesThePictureBack) {
  std::mt19937 random(12);
  Pixels picture{37, 23, {}};
  for (int i = 0; i < picture.width * picture.height; ++i) {
    picture.values.push_back(static_cast<std::uint32_t>(random()));
  }
  Pixels doubled{picture.width * 2, picture.height * 2, {}};
  for (int y = 0; y < doubled.height; ++y) {
    for (int x = 0; x < doubled.width; ++x) {
      doubled.values.push_back(picture.values[(y / 2) * picture.width + x / 2]);
    }
  }
  EXPECT_EQ(Resample(doubled, picture.width, picture.height), picture);
}

}  // namespace
}  // namespace varkam
