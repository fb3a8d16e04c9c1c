#include <gtest/gtest.h>

#include "rules/EntryTexts.h"
#include "rules/LayoutRules.h"
#include "rules/RecentWords.h"
#include "rules/SettingsRecord.h"
#include "rules/WordListPaging.h"

namespace varkam {
namespace {

const PageShape Large{100000, 15};

TEST(WordListPaging, PagesStopAtTheLastPageTop) {
  EXPECT_EQ(LastPageTop(Large), 99986);
  EXPECT_EQ(PageTopFor(100000, Large), 99986) << "the thumb dragged to the bottom";
  EXPECT_EQ(PageTopFor(50, Large), 50);
  EXPECT_EQ(RowsFrom(99986, Large), 15);
  EXPECT_EQ(RowOf(100000, 99986, Large), 14);
  EXPECT_EQ(RowOf(99985, 99986, Large), std::nullopt);
  EXPECT_EQ(RowOf(100001, 99986, Large), std::nullopt);
}

TEST(WordListPaging, ASmallDictionaryStartsAtHeadwordOne) {
  const PageShape small{5, 15};
  EXPECT_EQ(PageTopFor(3, small), 1);
  EXPECT_EQ(PageTopFor(0, small), 1);
  EXPECT_EQ(RowsFrom(1, small), 5);
  EXPECT_EQ(RowOf(5, 1, small), 4);
  EXPECT_EQ(RowOf(6, 1, small), std::nullopt);
  EXPECT_EQ(PageTopFor(1, {0, 15}), 0);
  EXPECT_EQ(RowsFrom(0, {0, 15}), 0);
  EXPECT_EQ(RowsFrom(1, {20, 0}), 0) << "no rows fit";
}

std::int32_t TargetOf(std::uint16_t key, std::int32_t current, std::int32_t pageTop,
                      PageShape shape = Large) {
  const auto step = PlanNavigation(key, current, pageTop, shape);
  return step ? step->target : -1;
}

TEST(WordListPaging, NavigationKeysLeadWhereTheListExpects) {
  EXPECT_EQ(TargetOf(KeyPageDown, 99980, 99980), 99994);
  EXPECT_EQ(TargetOf(KeyPageDown, 99985, 99980), 99999);
  EXPECT_EQ(TargetOf(KeyPageDown, 99986, 99986), 100000);
  EXPECT_EQ(TargetOf(KeyPageDown, 99999, 99986), 100000);
  EXPECT_EQ(TargetOf(KeyPageUp, 14, 1), 1);
  EXPECT_EQ(TargetOf(KeyPageUp, 15, 1), 1);
  EXPECT_EQ(TargetOf(KeyPageUp, 16, 2), 2);
  EXPECT_EQ(TargetOf(KeyPageUp, 30, 16), 16);
  EXPECT_EQ(TargetOf(KeyHome, 500, 490), 1);
  EXPECT_EQ(TargetOf(KeyEnd, 500, 490), 100000);
  EXPECT_EQ(TargetOf(KeyUp, 1, 1), 1);
  EXPECT_EQ(TargetOf(KeyDown, 100000, 99986), 100000);
  EXPECT_EQ(TargetOf(37, 5, 1), -1) << "Left is no navigation key";
  EXPECT_EQ(TargetOf(39, 5, 1), -1);
  EXPECT_EQ(TargetOf(13, 5, 1), -1);
}

TEST(WordListPaging, ALookupShowsAHeadwordOrNothing) {
  EXPECT_EQ(EntryForLookup(0, 17), std::nullopt) << "a walk back to record 0 changes nothing";
  EXPECT_EQ(EntryForLookup(5, 17), 5);
  EXPECT_EQ(EntryForLookup(18, 17), 17) << "after every headword: the last one";
  EXPECT_EQ(EntryForLookup(1, 0), 1) << "an empty dictionary shows its empty entry";
}

TEST(WordListPaging, AnEntryOutsideThePageComesIntoItsFirstOrLastRow) {
  const auto down = PlanNavigation(KeyDown, 24, 10, Large);  // the last row of 10..24
  ASSERT_TRUE(down && down->fillFrom);
  EXPECT_EQ(*down->fillFrom, 11);
  const auto up = PlanNavigation(KeyUp, 10, 10, Large);
  ASSERT_TRUE(up && up->fillFrom);
  EXPECT_EQ(*up->fillFrom, 9);
  const auto inPage = PlanNavigation(KeyDown, 12, 10, Large);
  ASSERT_TRUE(inPage);
  EXPECT_FALSE(inPage->fillFrom) << "the list moves its own highlight within the page";
  const auto end = PlanNavigation(KeyEnd, 12, 10, Large);
  EXPECT_EQ(*end->fillFrom, 99986);
}

TEST(RecentWords, TypedWordsGoInWhenTheyNameTheEntryFound) {
  RecentWords recent;
  recent.Add("c", false, "ca");
  EXPECT_TRUE(recent.Items().empty()) << "one character is never recorded";
  recent.Add("ca", false, "ca");
  recent.Add("cat", false, "cat");
  EXPECT_EQ(recent.Items(), std::vector<std::string>{"cat"}) << "cat replaces ca";
  recent.Add("Cat", false, "cat");
  EXPECT_EQ(recent.Items(), std::vector<std::string>{"cat"}) << "already there, ignoring case";
  recent.Add("dogz", false, "dog");
  recent.Add("dog", false, std::nullopt);
  EXPECT_EQ(recent.Items().size(), 1u) << "a miss, or no highlighted row, records nothing";
  recent.Add("R&B", false, "r&b");
  recent.Add("rock", false, "&Rock");
  EXPECT_EQ(recent.Items(), (std::vector<std::string>{"rock", "R&B", "cat"}));
}

TEST(RecentWords, ThePrefixRuleRespectsCase) {
  RecentWords recent;
  recent.Add("Ca", false, "ca");
  recent.Add("cat", false, "cat");
  EXPECT_EQ(recent.Items(), (std::vector<std::string>{"cat", "Ca"}));
}

// Case is ignored for every letter of the code page, as the lookup's locale does: "café" and
// "CAFÉ" are one recent word.
TEST(RecentWords, CaseIsIgnoredForAccentedLettersToo) {
  RecentWords recent;
  recent.Add("caf\xE9", true, std::nullopt);
  recent.Add("CAF\xC9", true, std::nullopt);
  recent.Add(
      "\x9C"
      "uvre",
      true, std::nullopt);
  recent.Add(
      "\x8C"
      "UVRE",
      true, std::nullopt);
  EXPECT_EQ(recent.Items(), (std::vector<std::string>{"\x9C"
                                                      "uvre",
                                                      "caf\xE9"}));
  EXPECT_EQ(recent.CompletionFor("CAF\xC9"), 1u);
  recent.Add("\xF7", true, std::nullopt);
  recent.Add("\xD7", true, std::nullopt);
  EXPECT_EQ(recent.Items().size(), 4u) << "the division and multiplication signs are no letters";
}

TEST(RecentWords, ClipboardWordsAlwaysGoInAndTwentyAreKept) {
  RecentWords recent;
  recent.Add("x", true, std::nullopt);
  recent.Add("not a headword", true, std::nullopt);
  recent.Add("X", true, std::nullopt);
  EXPECT_EQ(recent.Items(), (std::vector<std::string>{"not a headword", "x"}));
  for (int i = 0; i < 20; ++i) {
    recent.Add("word" + std::to_string(i), true, std::nullopt);
  }
  EXPECT_EQ(recent.Items().size(), 20u);
  EXPECT_EQ(recent.Items().front(), "word19");
  EXPECT_EQ(recent.Items().back(), "word0");

  const std::string forty(40, 'q');
  recent.Add(forty, true, std::nullopt);
  EXPECT_EQ(recent.Items().front(), std::string(32, 'q'));
  RecentWords typed;
  typed.Add(forty, false, std::string(32, 'q'));
  EXPECT_EQ(typed.Items().front(), std::string(32, 'q'));
}

TEST(RecentWords, CompletionFindsTheFirstWordThatBeginsWithTheText) {
  RecentWords recent;
  for (const char* word : {"apple", "Apply", "banana"}) {
    recent.Add(word, true, std::nullopt);
  }
  EXPECT_EQ(recent.CompletionFor("ap"), 1u);  // newest first: banana, Apply, apple
  EXPECT_EQ(recent.CompletionFor("APPLE"), 2u);
  EXPECT_EQ(recent.CompletionFor("c"), std::nullopt);
  EXPECT_EQ(recent.CompletionFor(""), std::nullopt);
}

TEST(LayoutRules, TheDesignClientArea) {
  const Layout full = ArrangeLayout({.clientWidth = 359, .clientHeight = 336});
  EXPECT_EQ(full.visibleRows, 24);
  EXPECT_EQ(full.listBox, (Bounds{0, 0, 73, 317}));
  EXPECT_EQ(full.scrollBar, (Bounds{73, 0, 15, 316}));
  EXPECT_EQ(full.splitter, (Bounds{88, 0, 20, 316}));
  EXPECT_EQ(full.statusBar, (Bounds{0, 317, 359, 19}));
  EXPECT_EQ(full.comboBox.left, 92);
  EXPECT_EQ(full.comboBox.top, 4);
  EXPECT_EQ(full.comboBox.width, 242);
  EXPECT_EQ(full.aboutButton, (Bounds{336, 0, 23, 27}));
  EXPECT_EQ(full.memo, (Bounds{92, 29, 267, 288}));

  const Layout normal =
      ArrangeLayout({.clientWidth = 359, .clientHeight = 336, .listShown = false});
  EXPECT_EQ(normal.comboBox.left, 0);
  EXPECT_EQ(normal.comboBox.width, 334);
  EXPECT_EQ(normal.memo.left, 0);
  EXPECT_EQ(normal.memo.width, 359);

  const Layout noStatus = ArrangeLayout({.clientWidth = 359,
                                         .clientHeight = 336,
                                         .listShown = true,
                                         .listWidth = 73,
                                         .statusBarShown = false});
  EXPECT_EQ(noStatus.visibleRows, 25);
  EXPECT_EQ(noStatus.listBox.height, 336);
  EXPECT_EQ(noStatus.memo.height, 307);
}

// The design's client area at 120, 144 and 192 dpi (1.25, 1.5 and 2 times as large), with the
// design's list width at that dpi: every size is scaled to the nearest pixel.
TEST(LayoutRules, EverySizeFollowsTheDpi) {
  const Layout at120 = ArrangeLayout({.clientWidth = 449,
                                      .clientHeight = 420,
                                      .listShown = true,
                                      .listWidth = 91,
                                      .statusBarShown = true,
                                      .dpi = 120});
  EXPECT_EQ(at120.fontHeight, 14);
  EXPECT_EQ(at120.rowHeight, 16);
  EXPECT_EQ(at120.visibleRows, 24);
  EXPECT_EQ(at120.listBox, (Bounds{0, 0, 91, 396}));
  EXPECT_EQ(at120.scrollBar, (Bounds{91, 0, 19, 395}));
  EXPECT_EQ(at120.splitter, (Bounds{110, 0, 25, 395}));
  EXPECT_EQ(at120.statusBar, (Bounds{0, 396, 449, 24}));
  EXPECT_EQ(at120.comboBox, (Bounds{115, 5, 302, 0}));
  EXPECT_EQ(at120.aboutButton, (Bounds{420, 0, 29, 34}));
  EXPECT_EQ(at120.memo, (Bounds{115, 37, 334, 359}));

  const Layout at144 = ArrangeLayout({.clientWidth = 539,
                                      .clientHeight = 504,
                                      .listShown = true,
                                      .listWidth = 110,
                                      .statusBarShown = true,
                                      .dpi = 144});
  EXPECT_EQ(at144.fontHeight, 17);
  EXPECT_EQ(at144.rowHeight, 20);
  EXPECT_EQ(at144.visibleRows, 23) << "rows of 20 pixels, not 19.5";
  EXPECT_EQ(at144.listBox, (Bounds{0, 0, 110, 475}));
  EXPECT_EQ(at144.scrollBar, (Bounds{110, 0, 23, 473}));
  EXPECT_EQ(at144.splitter, (Bounds{133, 0, 30, 473}));
  EXPECT_EQ(at144.statusBar, (Bounds{0, 475, 539, 29}));
  EXPECT_EQ(at144.comboBox, (Bounds{139, 6, 362, 0}));
  EXPECT_EQ(at144.aboutButton, (Bounds{504, 0, 35, 41}));
  EXPECT_EQ(at144.memo, (Bounds{139, 44, 400, 431}));

  // Twice the design is exactly twice every number of the design's worked example.
  const Layout design = ArrangeLayout({.clientWidth = 359, .clientHeight = 336});
  const Layout at192 =
      ArrangeLayout({.clientWidth = 718, .clientHeight = 672, .listWidth = 146, .dpi = 192});
  const auto twice = [](const Bounds& b) {
    return Bounds{2 * b.left, 2 * b.top, 2 * b.width, 2 * b.height};
  };
  EXPECT_EQ(at192.fontHeight, 2 * design.fontHeight);
  EXPECT_EQ(at192.rowHeight, 2 * design.rowHeight);
  EXPECT_EQ(at192.visibleRows, design.visibleRows);
  for (const auto part :
       {&Layout::listBox, &Layout::scrollBar, &Layout::splitter, &Layout::statusBar,
        &Layout::comboBox, &Layout::aboutButton, &Layout::memo}) {
    EXPECT_EQ(at192.*part, twice(design.*part));
  }

  const Layout normal = ArrangeLayout({.clientWidth = 539,
                                       .clientHeight = 504,
                                       .listShown = false,
                                       .listWidth = 110,
                                       .statusBarShown = false,
                                       .dpi = 144});
  EXPECT_EQ(normal.comboBox.left, 0);
  EXPECT_EQ(normal.comboBox.width, 501);
  EXPECT_EQ(normal.memo, (Bounds{0, 44, 539, 460}));
  EXPECT_EQ(normal.visibleRows, 24) << "the status bar's 29 pixels go to the rows";
}

// A display that reports no dpi, a negative one or an absurd one (the registry holds any
// number) is drawn at the design's dpi, or at 960 when it reports more.
TEST(LayoutRules, ADpiOutsideReasonIsBroughtWithin) {
  EXPECT_EQ(ArrangeLayout({.clientWidth = 359,
                           .clientHeight = 336,
                           .listShown = true,
                           .listWidth = 73,
                           .statusBarShown = true,
                           .dpi = 0}),
            ArrangeLayout({.clientWidth = 359, .clientHeight = 336}));
  EXPECT_EQ(ArrangeLayout({.clientWidth = 359,
                           .clientHeight = 336,
                           .listShown = true,
                           .listWidth = 73,
                           .statusBarShown = true,
                           .dpi = -144}),
            ArrangeLayout({.clientWidth = 359, .clientHeight = 336}));
  EXPECT_EQ(MaxSplitterLeft(359, 0), 290);
  const Layout huge = ArrangeLayout({.clientWidth = 4000,
                                     .clientHeight = 4000,
                                     .listShown = true,
                                     .listWidth = 730,
                                     .statusBarShown = true,
                                     .dpi = 1'000'000});
  EXPECT_EQ(huge.dpi, 960);
  EXPECT_EQ(huge.fontHeight, 110);
  EXPECT_EQ(huge.rowHeight, 130);

  // A display of 1 to 3 dpi made the rows 0 pixels high, and the row count divided by them.
  for (const int coarse : {1, 2, 3, 23}) {
    const Layout tiny = ArrangeLayout({.clientWidth = 359, .clientHeight = 336, .dpi = coarse});
    EXPECT_EQ(tiny.dpi, MinimumDpi) << coarse;
    EXPECT_GE(tiny.rowHeight, 1);
    EXPECT_GE(tiny.fontHeight, 1);
    EXPECT_GE(tiny.statusBar.height, 1);
    EXPECT_GE(tiny.scrollBar.width, 1);
  }
  EXPECT_EQ(Scaled(1, MinimumDpi), 1) << "a quarter pixel is still one";
  EXPECT_EQ(Scaled(0, MinimumDpi), 0);
}

TEST(LayoutRules, SizesRoundToTheNearestPixel) {
  EXPECT_EQ(Scaled(13, 144), 20);  // 19.5
  EXPECT_EQ(Scaled(73, 120), 91);  // 91.25
  EXPECT_EQ(Scaled(-11, 144), -17);
  EXPECT_EQ(Rescaled(110, 144, 96), 73);
  EXPECT_EQ(Rescaled(73, 96, 96), 73);
}

// A window too small for its bands gives its controls no room, never a negative size (a
// 37-pixel window had a meaning pane -11 pixels high).
TEST(LayoutRules, NoSizeIsNegative) {
  for (const int height : {0, 10, 37, 50}) {
    for (const int width : {0, 30, 120}) {
      const Layout layout = ArrangeLayout({.clientWidth = width, .clientHeight = height});
      for (const Bounds& b : {layout.listBox, layout.scrollBar, layout.splitter, layout.comboBox,
                              layout.aboutButton, layout.memo, layout.statusBar}) {
        EXPECT_GE(b.width, 0) << width << " x " << height;
        EXPECT_GE(b.height, 0) << width << " x " << height;
      }
    }
  }
}

TEST(LayoutRules, RowsFromTheClientHeight) {
  EXPECT_EQ(ArrangeLayout({.clientWidth = 200, .clientHeight = 37}).visibleRows, 1);
  EXPECT_EQ(ArrangeLayout({.clientWidth = 200, .clientHeight = 36}).visibleRows, 0);
  EXPECT_EQ(ArrangeLayout({.clientWidth = 200, .clientHeight = 50}).visibleRows, 2);
  EXPECT_EQ(ArrangeLayout({.clientWidth = 200,
                           .clientHeight = 37 - 19,
                           .listShown = true,
                           .listWidth = 73,
                           .statusBarShown = false})
                .visibleRows,
            1);
  EXPECT_EQ(ArrangeLayout({.clientWidth = 200, .clientHeight = 0}).visibleRows, 0)
      << "never a negative row count";
  EXPECT_EQ(ArrangeLayout({.clientWidth = 200,
                           .clientHeight = 10,
                           .listShown = true,
                           .listWidth = 73,
                           .statusBarShown = false})
                .visibleRows,
            0);
}

TEST(LayoutRules, TheSplitterMovesThreePixelsOrMoreAndKeepsTheListWide) {
  EXPECT_EQ(SplitterLeftAfterDrag(88, 5, 6, 359), std::nullopt);
  EXPECT_EQ(SplitterLeftAfterDrag(88, 5, 3, 359), std::nullopt);
  EXPECT_EQ(SplitterLeftAfterDrag(88, 5, 8, 359), 91);
  EXPECT_EQ(SplitterLeftAfterDrag(88, 5, 2, 359), 85);
  EXPECT_EQ(SplitterLeftAfterDrag(40, 5, 1, 359), 36);            // list 21 wide
  EXPECT_EQ(SplitterLeftAfterDrag(40, 5, 0, 359), std::nullopt);  // list 20 wide
}

// Dragged past the right edge, the splitter stops where all of it is still in the window.
TEST(LayoutRules, TheSplittersLimitsFollowTheDpi) {
  // At 144 dpi: moves under 5 pixels do nothing, the list stays 32 wide (23 of scroll bar),
  // and the 30-pixel splitter stays inside.
  EXPECT_EQ(SplitterLeftAfterDrag(133, 5, 9, 539, 144), std::nullopt);
  EXPECT_EQ(SplitterLeftAfterDrag(133, 5, 1, 539, 144), std::nullopt);
  EXPECT_EQ(SplitterLeftAfterDrag(133, 5, 10, 539, 144), 138);
  EXPECT_EQ(SplitterLeftAfterDrag(60, 5, 0, 539, 144), 55);
  EXPECT_EQ(SplitterLeftAfterDrag(60, 5, -1, 539, 144), std::nullopt);
  EXPECT_EQ(MaxSplitterLeft(539, 144), 435);
  EXPECT_EQ(SplitterLeftAfterDrag(133, 5, 900, 539, 144), 435);
  EXPECT_EQ(MaxSplitterLeft(718, 192), 580);
}

// The splitter stays inside the window, and leaves the search box 40 pixels to type in.
TEST(LayoutRules, TheSplitterStaysInsideTheClientArea) {
  EXPECT_EQ(MaxSplitterLeft(359), 290);
  EXPECT_EQ(SplitterLeftAfterDrag(88, 5, 900, 359), 290);
  EXPECT_EQ(SplitterLeftAfterDrag(290, 5, 9, 359), std::nullopt) << "already at the edge";
  EXPECT_EQ(SplitterLeftAfterDrag(290, 5, -100, 359), 185) << "and it comes back";
  EXPECT_EQ(MaxSplitterLeft(10), ScrollBarWidth + MinimumListWidth) << "a tiny window";
  const Layout widest = ArrangeLayout({.clientWidth = 359,
                                       .clientHeight = 336,
                                       .listWidth = MaxSplitterLeft(359) - ScrollBarWidth});
  EXPECT_EQ(widest.comboBox.width, MinimumSearchBoxWidth);
}

TEST(TitleScroller, RunsTheHeadwordThroughFifteenCharacters) {
  TitleScroller scroller;
  scroller.Restart("apple");
  EXPECT_EQ(scroller.Text().size(), 19u);
  const std::string first = scroller.Tick();
  EXPECT_EQ(first, "apple   -Varkam");
  EXPECT_EQ(scroller.Tick().substr(0, 4), "pple");
  for (int tick = 3; tick <= 19; ++tick) {
    scroller.Tick();
  }
  EXPECT_EQ(scroller.Tick(), first) << "the 20th tick shows the first title again";
  scroller.Restart(std::string(32, 'w'));
  EXPECT_EQ(scroller.Text().size(), 46u);
  EXPECT_EQ(CaptionFor("apple"), "apple  (Varkam)");
}

TEST(SettingsRecord, TwentyTwoBytesInTheirPlaces) {
  SettingsRecord settings;
  settings.width = 300;
  settings.height = -2;
  settings.left = 0x01020304;
  settings.top = 152;
  settings.switches.stayOnTop = true;
  settings.switches.fullView = false;
  const auto bytes = EncodeSettings(settings);
  const std::array<std::uint8_t, 22> expected = {1, 0x2C, 1,   0, 0, 0xFE, 0xFF, 0xFF, 0xFF, 4, 3,
                                                 2, 1,    152, 0, 0, 0,    1,    1,    0,    0, 0};
  EXPECT_EQ(bytes, expected);
  EXPECT_EQ(DecodeSettings(bytes), settings);
}

TEST(SettingsRecord, AnyNonZeroByteIsOnAndAShortFileCountsAsNone) {
  std::array<std::uint8_t, 23> bytes{};
  bytes.fill(0x80);
  const auto settings = DecodeSettings(bytes);
  ASSERT_TRUE(settings);
  EXPECT_TRUE(settings->switches.saveOnExit && settings->switches.clipboardMeaning &&
              settings->switches.stayOnTop && settings->switches.hideStatusBar &&
              settings->switches.fullView && settings->switches.taskbarScrolling);
  EXPECT_EQ(settings->width, static_cast<std::int32_t>(0x80808080));
  EXPECT_EQ(DecodeSettings(std::span(bytes).first(21)), std::nullopt);
  EXPECT_EQ(DecodeSettings({}), std::nullopt);
}

}  // namespace
}  // namespace varkam
