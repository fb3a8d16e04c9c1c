#include <gtest/gtest.h>

#include "persian/PersianDecode.h"

namespace varkam::persian {
namespace {

std::u16string Decode(std::initializer_list<int> stored) {
  std::string bytes;
  for (const int byte : stored) {
    bytes += static_cast<char>(byte);
  }
  return PersianToUnicode(bytes);
}

TEST(PersianToUnicode, TheFirstStoredByteIsNeverShown) {
  EXPECT_EQ(PersianToUnicode(""), u"");
  EXPECT_EQ(Decode({0xA4}), u"");
  EXPECT_EQ(Decode({0x61, 0x62}), u"b");
  EXPECT_EQ(Decode({0xF4, 0x92, 0x90}), u"\u0627\u0628 ");
}

TEST(PersianToUnicode, RightToLeftBytesAreReversedAndNeutralRunsKeepTheirOrder) {
  EXPECT_EQ(Decode({0x20, 0x41, 0x42, 0x20, 0xA4}), u"\u0631AB ");
  EXPECT_EQ(Decode({0x20, 0x81, 0x82, 0x83}), u"123");
  EXPECT_EQ(Decode({0x20, 0xA4, 0x0D, 0x0A, 0x90}), u"\u0627\n\r\u0631");
  EXPECT_EQ(Decode({0x20, 0xB0, 0xFF}), u"\u00FF\u00B0");
  // Two Latin runs on either side of a Persian word, each in its stored order.
  EXPECT_EQ(Decode({0x20, 0x6F, 0x6B, 0x20, 0xA4, 0x90, 0x20, 0x68, 0x69}), u" hi\u0627\u0631ok ");
}

TEST(PersianToUnicode, BracketsAreMirrored) {
  EXPECT_EQ(Decode({0x58, 0x28, 0xA4, 0x29}), u"(\u0631)");
  EXPECT_EQ(Decode({0x20, 0x5B, 0x7B, 0x7D, 0x5D}), u"]}{[");
}

TEST(PersianToUnicode, LamAlefGivesTwoLetters) {
  EXPECT_EQ(Decode({0x20, 0xF2}), u"\u0644\u0627");
  EXPECT_EQ(Decode({0x20, 0xF2, 0xF5}), u"\u0645\u0644\u0627");
}

// A final form directly followed by another letter marks a word boundary with a space.
TEST(PersianToUnicode, FinalFormsMeetingALetterAddASpace) {
  EXPECT_EQ(Decode({0x20, 0x92, 0x90}), u"\u0627\u0628");
  EXPECT_EQ(Decode({0xF4, 0x92, 0x20, 0x90}), u"\u0627 \u0628 ");
  EXPECT_EQ(Decode({0x20, 0xF4, 0x41, 0x92}), u"\u0628A\u0645");
  EXPECT_EQ(Decode({0x20, 0xF4, 0x28, 0x92}), u"\u0628)\u0645");
  EXPECT_EQ(Decode({0x20, 0xF4, 0x01, 0x92}), u"\u0628 \u0001\u0645");
  EXPECT_EQ(Decode({0x20, 0xF4, 0x1B, 0x92}), u"\u0628\u001B\u0645");
  EXPECT_EQ(Decode({0x20, 0xF4, 0x8A, 0x92}), u"\u0628 \u060C\u0645");
}

TEST(PersianToUnicode, TheTablesFoldFormsToOneLetter) {
  EXPECT_EQ(Decode({0x20, 0x80, 0x89}), u"09") << "ASCII digits, not Persian ones";
  EXPECT_EQ(Decode({0x20, 0xFE, 0xFC}), u"\u0649 \u064A") << "the yeh forms";
  EXPECT_EQ(Decode({0x20, 0xED, 0xEE}), u"\u06A9\u06A9") << "kaf is keheh";
  EXPECT_EQ(Decode({0x20, 0xF9, 0xFA, 0xFB}), u"\u0647\u0647\u0647");
  EXPECT_EQ(Decode({0x20, 0xAF, 0xE0}), u"\u0638\u0637");
  EXPECT_EQ(Decode({0x20, 0x8C, 0x8F, 0x8E, 0x8D}), u"\u0622\u0626\u0621\u061F");
}

TEST(DecodePersianByte, EveryPairGivesOneOrTwoCodeUnitsAsTheClassesSay) {
  for (int current = 0; current < 256; ++current) {
    for (int following = 0; following < 256; ++following) {
      const auto c = static_cast<std::uint8_t>(current);
      const auto f = static_cast<std::uint8_t>(following);
      const std::u16string result = DecodePersianByte(c, f);
      const bool space = IsFinalFormByte(c) && (f >= 0x8A || (f < 0x20 && !IsBlankByte(f)));
      const std::size_t expected = IsNeutralByte(c) ? 1 : (c == LamAlefByte || space) ? 2 : 1;
      ASSERT_EQ(result.size(), expected) << current << " " << following;
      ASSERT_EQ(result[0], PersianCodeUnit(c));
      if (space) {
        ASSERT_EQ(result[1], u' ');
      }
    }
  }
}

TEST(PersianToUnicode, AFullLengthMeaningKeepsEveryByte) {
  std::string stored = " ";
  for (int i = 0; i < 254; ++i) {
    stored += static_cast<char>(i % 2 ? 0xA4 : 0x90);  // reh and alef never add a space
  }
  const std::u16string result = PersianToUnicode(stored);
  ASSERT_EQ(result.size(), 254u);
  EXPECT_EQ(result.front(), u'\u0631');
  EXPECT_EQ(result.back(), u'\u0627');
  std::string latin = " " + std::string(100, 'x') + "\xA4" + std::string(153, 'y');
  const std::u16string mixed = PersianToUnicode(latin);
  EXPECT_EQ(mixed, std::u16string(153, u'y') + u"\u0631" + std::u16string(100, u'x'));
}

}  // namespace
}  // namespace varkam::persian
