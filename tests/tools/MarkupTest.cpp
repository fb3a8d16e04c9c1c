#include <gtest/gtest.h>

#include <chrono>
#include <string>

#include "lib/Markup.h"

namespace varkam::tools {
namespace {

struct Stripped {
  std::string text;
  std::string problem;
};

Stripped Strip(std::string_view markup) {
  Stripped stripped;
  stripped.text = MarkupToText(markup, stripped.problem);
  return stripped;
}

// HTML's named references, Persian's guillemets and non-joiner among them, are characters;
// a name HTML lacks, or an "&" that begins no reference, stays as written.
TEST(MarkupToText, DecodesNamedAndNumberedReferences) {
  EXPECT_EQ(Strip("&laquo;\u0633\u06AF&raquo;").text, "\u00AB\u0633\u06AF\u00BB");
  EXPECT_EQ(Strip("\u0645\u06CC&zwnj;\u062E\u0648\u0627\u0647\u0645").text,
            "\u0645\u06CC\u200C\u062E\u0648\u0627\u0647\u0645");
  EXPECT_EQ(Strip("caf&eacute; &Eacute;T&Eacute; &hellip;&nbsp;&#x627;&#1587;").text,
            "caf\u00E9 \u00C9T\u00C9 \u2026\u00A0\u0627\u0633");
  EXPECT_EQ(Strip("&amp;lt; &EACUTE; &nosuch; R&D; a & b &#x; &#12z;").text,
            "&lt; &EACUTE; &nosuch; R&D; a & b &#x; &#12z;");
  EXPECT_EQ(Strip("&#1114112;").problem, "the character reference &#1114112; names no character");
  EXPECT_EQ(Strip(std::string("a&") + std::string(40, 'x') + ";").text,
            "a&" + std::string(40, 'x') + ";");
}

TEST(MarkupToText, TagsGoInAnyLetterCaseAndLineBreaksStay) {
  EXPECT_EQ(Strip("\u0633\u06AF<BR>\u06AF\u0631\u0628\u0647").text,
            "\u0633\u06AF\n\u06AF\u0631\u0628\u0647");
  EXPECT_EQ(Strip("a<Br/>b<br />c<P>d</P>e</DIV>f<K>k</k>").text, "a\nb\ncd\ne\nfk\n");
  EXPECT_EQ(Strip("<FONT color=\"red\"><I>x</I></FONT><span style='a'>y</SPAN>").text, "xy");
  EXPECT_EQ(Strip("a<!-- <b>note</b> -->b<!DOCTYPE html><?xml version=\"1.0\"?>c").text, "abc");
  EXPECT_EQ(Strip("<kref>k</kref><abr>n.</abr><dtrn>t</dtrn><ex>e</ex><c c=\"x\">c</c>").text,
            "kn.tec");
}

// Text between a stray "<" and ">" would be lost with the tags: it is reported; a "<" that
// begins no tag, or has no ">" after it, is text.
TEST(MarkupToText, TextBetweenAStrayLessThanAndGreaterThanIsReported) {
  const Stripped lost = Strip("x<y and y>z");
  EXPECT_EQ(
      lost.problem,
      "the text \"<y and y>\" would be lost: it stands between \"<\" and \">\" but is no tag");
  EXPECT_EQ(Strip("a < b and c > d, x<3, i<-j").text, "a < b and c > d, x<3, i<-j");
  EXPECT_EQ(Strip("a<b").text, "a<b");
  EXPECT_EQ(Strip("a <!-- never closed").text, "a <!-- never closed");
  const Stripped long_ = Strip("<unknowntagwithalongname " + std::string(100, 'q') + ">");
  EXPECT_EQ(long_.problem.substr(0, 60),
            "the text \"<unknowntagwithalongname " + std::string(15, 'q') + "...\" would");
}

// A hostile text of two megabytes of "<", "<a" or "&" is read once through, not once a character.
TEST(MarkupToText, MegabytesOfStrayMarkupTakeNoTime) {
  const auto start = std::chrono::steady_clock::now();
  for (const std::string unit : {"<", "<a", "&", "<!--", "<b x='"}) {
    std::string markup;
    while (markup.size() < (2u << 20)) {
      markup += unit;
    }
    EXPECT_EQ(Strip(markup).text, markup) << unit;
  }
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(10));
}

}  // namespace
}  // namespace varkam::tools
