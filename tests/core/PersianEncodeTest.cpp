#include <gtest/gtest.h>

#include <random>

#include "persian/PersianDecode.h"
#include "persian/PersianEncode.h"

namespace varkam::persian {
namespace {

std::string Bytes(std::initializer_list<int> values) {
  std::string bytes;
  for (const int value : values) {
    bytes += static_cast<char>(value);
  }
  return bytes;
}

TEST(UnicodeToPersian, WritesThePadByteThenGlyphFormsInVisualOrder) {
  EXPECT_EQ(UnicodeToPersian(u""), "");
  EXPECT_EQ(UnicodeToPersian(u"\u0633\u06AF"), Bytes({0x20, 0xEF, 0xA8}));  // dog
  // seen initial, lam medial, alef final, meem isolated (alef does not join on its left)
  EXPECT_EQ(UnicodeToPersian(u"\u0633\u0644\u0627\u0645"), Bytes({0x20, 0xF4, 0xF2, 0xA8}));
  EXPECT_EQ(UnicodeToPersian(u"\u0647\u0647\u0647"), Bytes({0x20, 0xF9, 0xFA, 0xFB}));
  EXPECT_EQ(UnicodeToPersian(u"\u0639\u0639\u0639 \u0639"),
            Bytes({0x20, 0xE1, 0x20, 0xE2, 0xE3, 0xE4}));
  EXPECT_EQ(UnicodeToPersian(u"\u0644\u0622"), Bytes({0x20, 0x8D, 0xF3}));
}

TEST(UnicodeToPersian, NeutralRunsKeepTheirOrderAndBracketsAreMirrored) {
  EXPECT_EQ(UnicodeToPersian(u"abc \u0633\u06AF"), Bytes({0x20, 0xEF, 0xA8, 'a', 'b', 'c', ' '}));
  EXPECT_EQ(UnicodeToPersian(u"(\u0633\u06AF)"), Bytes({0x20, '(', 0xEF, 0xA8, ')'}));
  EXPECT_EQ(UnicodeToPersian(u"\u06F1\u06F2 12"), Bytes({0x20, 0x81, 0x82, ' ', 0x81, 0x82}));
  EXPECT_EQ(UnicodeToPersian(u"\u0631\r\n\u0631"), Bytes({0x20, 0xA4, '\n', '\r', 0xA4}));
}

TEST(CanonicalPersian, FoldsWhatTheCodePageCannotTellApart) {
  EXPECT_EQ(CanonicalPersian(u"\u0643\u062A\u0627\u0628"), u"\u06A9\u062A\u0627\u0628");
  EXPECT_EQ(CanonicalPersian(u"\u06CC\u06A9\u06CC"), u"\u064A\u06A9\u0649");
  EXPECT_EQ(CanonicalPersian(u"\u0645\u06CC\u200C\u062E\u0648\u0627\u0647\u0645"),
            u"\u0645\u0649 \u062E\u0648\u0627\u0647\u0645");
  EXPECT_EQ(CanonicalPersian(u"\u0634\u06CC\u0621"), u"\u0634\u064A\u0621");
  EXPECT_EQ(CanonicalPersian(u"\u0643\u062A\u0627\u0628\u060C"), u"\u06A9\u062A\u0627\u0628\u060C");
  EXPECT_EQ(CanonicalPersian(u"\u0645\u064E\u0631\u0652\u062F\u200D"), u"\u0645\u0631\u062F");
  EXPECT_EQ(CanonicalPersian(u"\u0623\u0644\u0625\u0644\u0623"), u"\u0627\u0644\u0627\u0644\u0627");
  EXPECT_EQ(CanonicalPersian(u"\u0645\u062F\u0631\u0633\u0629\u0626\u064A"),
            u"\u0645\u062F\u0631\u0633\u0647\u0626\u0649");
  EXPECT_EQ(CanonicalPersian(u"\u06F2\u0660\u00A0x"), u"20 x");
}

// Punctuation shows as it is written: a letter before a comma, a question mark or hamza takes
// its joining form, so no space comes between them; yeh before a punctuation mark cannot.
TEST(UnicodeToPersian, PunctuationIsShownAsWritten) {
  const std::pair<std::u16string, std::u16string> readings[] = {
      {u"\u0633\u06AF\u060C \u062A\u0627\u0632\u06CC",  // سگ، تازی
       u"\u0633\u06AF\u060C \u062A\u0627\u0632\u0649"},
      {u"\u0686\u0647\u061F \u0686\u0631\u0627\u061F",  // چه؟ چرا؟
       u"\u0686\u0647\u061F \u0686\u0631\u0627\u061F"},
      {u"\u062E\u0627\u0646\u0647\u060C \u06A9\u062A\u0627\u0628",  // خانه، کتاب
       u"\u062E\u0627\u0646\u0647\u060C \u06A9\u062A\u0627\u0628"},
      {u"\u0634\u06CC\u0621", u"\u0634\u064A\u0621"},   // شیء, one word
      {u"\u062A\u0627\u0632\u06CC\u060C \u0633\u06AF",  // تازی، سگ: the code page's limit
       u"\u062A\u0627\u0632\u0649 \u060C \u0633\u06AF"},
      {u"\u0633\u0644\u0627\u0645\u061F", u"\u0633\u0644\u0627\u0645\u061F"},
      {u"\u0628\u060C", u"\u0628\u060C"},  // an isolated letter takes its initial form
  };
  for (const auto& [source, shown] : readings) {
    EXPECT_EQ(PersianToUnicode(UnicodeToPersian(source)), shown);
    EXPECT_EQ(CanonicalPersian(source), shown);
  }
  // The gaf of سگ before the comma is stored in its medial form, 0xF0, not its final 0xEF.
  EXPECT_EQ(UnicodeToPersian(u"\u0633\u06AF\u060C"), Bytes({0x20, 0x8A, 0xF0, 0xA8}));
}

// A meaning of any length costs time and memory in proportion to it: one far over the limit
// is refused before it is worked through.
TEST(UnicodeToPersian, AHugeMeaningIsRefusedAtOnce) {
  const std::u16string huge(10'000'000, u'\u0633');
  try {
    UnicodeToPersian(huge);
    ADD_FAILURE() << "a 10 MB meaning was stored";
  } catch (const PersianEncodeError& error) {
    EXPECT_EQ(std::string(error.what()),
              "the meaning has 10000000 characters, more than the Persian code page's 255 bytes "
              "can hold");
  }
  // Near the limit the exact size is told.
  EXPECT_THROW(UnicodeToPersian(std::u16string(400, u'x')), PersianEncodeError);
  EXPECT_EQ(UnicodeToPersian(std::u16string(254, u'x')).size(), 255u);
  // Marks take no byte, so many of them on a short word do not count against it.
  std::u16string marked;
  for (int i = 0; i < 600; ++i) {
    marked += u"\u064E";
  }
  EXPECT_EQ(UnicodeToPersian(u"\u0633" + marked).size(), 2u);
}

TEST(UnicodeToPersian, NamesTheCharacterItCannotHoldAndWhereItStands) {
  const auto expectError = [](std::u16string_view text, const std::string& message,
                              std::size_t position) {
    try {
      UnicodeToPersian(text);
      ADD_FAILURE() << message;
    } catch (const PersianEncodeError& error) {
      EXPECT_EQ(error.what(), message);
      EXPECT_EQ(error.Position(), position);
    }
  };
  expectError(u"\u00AB\u0633\u06AF\u00BB",
              "U+00AB at character 1 has no byte in the Persian code page", 0);
  expectError(u"\u0633\u06AF \U0001F415",
              "U+1F415 at character 4 has no byte in the Persian code page", 3);
  expectError(u"a\u0001", "U+0001 at character 2 has no byte in the Persian code page", 1);
  expectError(std::u16string(255, u'\u0627'),
              "the meaning takes 256 bytes in the Persian code page, more than 255", 0);
  EXPECT_EQ(UnicodeToPersian(std::u16string(254, u'\u0627')).size(), 255u);
  EXPECT_THROW(CanonicalPersian(u"\u00AB"), PersianEncodeError);
}

// Everything the code page holds, and what it folds or drops, in random order.
std::u16string RandomText(std::mt19937& random) {
  static const std::u16string alphabet =
      u"\u0621\u0622\u0623\u0624\u0625\u0626\u0627\u0628\u0629\u062A\u062B\u062C\u062D\u062E"
      u"\u062F\u0630\u0631\u0632\u0633\u0634\u0635\u0636\u0637\u0638\u0639\u063A\u0640\u0641"
      u"\u0642\u0643\u0644\u0645\u0646\u0647\u0648\u0649\u064A\u064B\u064E\u0651\u0654\u0670"
      u"\u067E\u0686\u0698\u06A9\u06AF\u06C0\u06CC\u06F0\u06F5\u0660\u0669\u060C\u061F\u200C"
      u"\u200D\u00A0\u00B0\u00BB\u00DF\u00FF\t\r\n ()[]{}<>09azAZ.,-!\\\"'#";
  std::u16string text;
  const std::size_t length = random() % 80;
  for (std::size_t i = 0; i < length; ++i) {
    // Letters come in clusters often enough to build real words.
    const bool letter = random() % 3 != 0;
    text += alphabet[letter ? random() % 50 : random() % alphabet.size()];
  }
  return text;
}

TEST(UnicodeToPersian, IsTheInverseOfTheDecodingOverManyTexts) {
  std::mt19937 random(1405);
  for (int round = 0; round < 20000; ++round) {
    const std::u16string text = RandomText(random);
    const std::string stored = UnicodeToPersian(text);
    const std::u16string canonical = CanonicalPersian(text);
    ASSERT_EQ(PersianToUnicode(stored), canonical) << "round " << round;
    ASSERT_EQ(UnicodeToPersian(canonical), stored) << "round " << round;
    ASSERT_EQ(CanonicalPersian(canonical), canonical) << "round " << round;
  }
}

}  // namespace
}  // namespace varkam::persian
