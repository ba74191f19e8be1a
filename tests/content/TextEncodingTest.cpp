#include <gtest/gtest.h>

#include <string>

#include "content/TextEncoding.h"

namespace veltrane {
namespace {

TEST(DecodeText, Utf8KeptOtherBytesReadAsWindows1252) {
  const struct {
    std::string bytes;
    std::string expected;
  } cases[] = {
      {"", ""},
      {"plain ASCII\r\n", "plain ASCII\r\n"},
      {"caf\xC3\xA9", "caf\xC3\xA9"},                                        // UTF-8 stays
      {"\xEF\xBB\xBF[PROBLEM]", "[PROBLEM]"},                                // leading BOM dropped
      {"a\xEF\xBB\xBF", "a\xEF\xBB\xBF"},                                    // only a leading one
      {"\xEF\xBB\xBF\xEF\xBB\xBFx", "\xEF\xBB\xBFx"},                        // only one
      {"caf\xE9", "caf\xC3\xA9"},                                            // Latin-1 range
      {"\x80", "\xE2\x82\xAC"},                                              // euro sign
      {"\x93quoted\x94", "\xE2\x80\x9Cquoted\xE2\x80\x9D"},                  // curly quotes
      {"\x96", "\xE2\x80\x93"},                                              // en dash
      {"\x81\x8D\x8F\x90\x9D", "\xC2\x81\xC2\x8D\xC2\x8F\xC2\x90\xC2\x9D"},  // undefined: C1
      {"\xFF", "\xC3\xBF"},
      {"\xC0\xAF", "\xC3\x80\xC2\xAF"},                          // overlong: not UTF-8
      {"\xED\xA0\x80", "\xC3\xAD\xC2\xA0\xE2\x82\xAC"},          // surrogate: not UTF-8
      {"\xC3", "\xC3\x83"},                                      // cut sequence
      {"\xEF\xBB\xBF\xE9", "\xC3\xAF\xC2\xBB\xC2\xBF\xC3\xA9"},  // BOM in a 1252 file is text
      // UTF-16 with its mark, in either byte order; what is no character becomes U+FFFD.
      {std::string("\xFF\xFE[\0P\0]\0\r\0\n\0", 12), "[P]\r\n"},
      {std::string("\xFE\xFF\0[\0P\0]\0\r\0\n", 12), "[P]\r\n"},
      {"\xFF\xFE", ""},
      {std::string("\xFF\xFE\xE9\0\xAC\x20", 6), "\xC3\xA9\xE2\x82\xAC"},  // é €
      {std::string("\xFF\xFE\x3D\xD8\x00\xDE", 6), "\xF0\x9F\x98\x80"},    // a surrogate pair
      {std::string("\xFE\xFF\xD8\x3D\xDE\x00", 6), "\xF0\x9F\x98\x80"},
      {"\xFF\xFE\x3D\xD8", "\xEF\xBF\xBD"},                      // lone high, at the end
      {std::string("\xFF\xFE\x3D\xD8x\0", 6), "\xEF\xBF\xBDx"},  // lone high, then text
      {std::string("\xFF\xFE\x00\xDEx\0", 6), "\xEF\xBF\xBDx"},  // lone low
      {std::string("\xFF\xFE\x3D\xD8\x3D\xD8\x00\xDE", 8),
       "\xEF\xBF\xBD\xF0\x9F\x98\x80"},                   // high, then a pair
      {std::string("\xFF\xFEx\0y", 5), "x\xEF\xBF\xBD"},  // an odd last byte
      {"\xFF\xFE\xFF\xFE", "\xEF\xBB\xBF"},               // only the first mark goes
      {"\xFE", "\xC3\xBE"},                               // half a mark is Windows-1252
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.bytes));
    EXPECT_EQ(DecodeText(c.bytes), c.expected);
  }
}

TEST(DecodeText, EverySingleByteGivesValidUtf8) {
  for (int b = 0; b < 256; ++b) {
    const std::string text = DecodeText(std::string("x") + static_cast<char>(b) + "y");
    EXPECT_TRUE(IsValidUtf8(text)) << b;
    EXPECT_EQ(text.front(), 'x');
    EXPECT_EQ(text.back(), 'y');
  }
}

TEST(DecodeName, KeepsALeadingByteOrderMark) {
  EXPECT_EQ(DecodeName("\xEF\xBB\xBFname"), "\xEF\xBB\xBFname");
  EXPECT_EQ(DecodeName("na\xEFme"), "na\xC3\xAFme");
}

TEST(SkipCharacters, CountsCharactersNotBytes) {
  const struct {
    std::string text;
    std::size_t from;
    std::size_t count;
    std::size_t expected;
  } cases[] = {
      {"abcdef", 0, 3, 3},
      {"abc", 0, 8, 3},  // fewer characters than asked
      {"", 0, 2, 0},
      {"\xC3\xA9\xC3\xA9x", 0, 2, 4},  // two-byte characters
      {"\xE2\x82\xAC"
       "abc",
       0, 1, 3},                       // a three-byte character
      {"\xF0\x9F\x98\x80z", 0, 1, 4},  // a four-byte character
      {"ab\xC3\xA9", 1, 2, 4},         // from the middle
      {"\xA9\xA9\xA9"
       "a",
       0, 1, 3},  // stray continuation bytes go with the first
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.text));
    EXPECT_EQ(SkipCharacters(c.text, c.from, c.count), c.expected);
  }
}

}  // namespace
}  // namespace veltrane
