#include <gtest/gtest.h>

#include <random>
#include <string>

#include "prompt/CustomReplace.h"
#include "support/ReferenceReplace.h"

namespace veltrane {
namespace {

TEST(CustomReplace, LeftToRightWithoutOverlapOrRescan) {
  const struct {
    std::string text, search, replacement, expected;
  } cases[] = {
      {"", "#NICHE#", "x", ""},
      {"abc", "#NICHE#", "x", "abc"},
      {"aaa", "a", "aa", "aaaaaa"},
      {"aaa", "aa", "b", "ba"},
      {"aaaa", "aa", "b", "bb"},
      {"#NICHE#-#NICHE#", "#NICHE#", "x#NICHE#x", "x#NICHE#x-x#NICHE#x"},
      {"x#NICHE#y#NICHE#z", "#NICHE#", "", "xyz"},
      {"#NIC#NICHE#HE#", "#NICHE#", "", "#NICHE#"},
      {"aabbab", "ab", "", "ab"},
      {"abb", "ab", "a", "ab"},
      {"#niche# #NICHE#", "#NICHE#", "Yoga", "#niche# Yoga"},
      {"#NICHE#", "#NICHE#", "Self Esteem & Body Image", "Self Esteem & Body Image"},
      {"ab", "abc", "x", "ab"},  // search longer than the text
      {"abc", "abc", "", ""},    // the whole text
      {"abc", "", "x", "abc"},   // empty search: unchanged
      {"", "", "x", ""},
      {"caf\xC3\xA9#X#", "#X#", "\xE2\x82\xAC", "caf\xC3\xA9\xE2\x82\xAC"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text + " | " + c.search + " | " + c.replacement);
    EXPECT_EQ(CustomReplace(c.text, c.search, c.replacement), c.expected);
  }
}

TEST(CustomReplace, AgreesWithTheRebuildReferenceAndKeepsLengthArithmetic) {
  std::mt19937 rng(42);
  std::uniform_int_distribution<int> len(0, 24);
  std::uniform_int_distribution<int> shortLen(0, 4);
  std::uniform_int_distribution<int> letter(0, 2);  // a tiny alphabet makes many matches
  auto word = [&](int n) {
    std::string s;
    for (int i = 0; i < n; ++i) s += static_cast<char>('a' + letter(rng));
    return s;
  };
  for (int i = 0; i < 50000; ++i) {
    const std::string text = word(len(rng));
    const std::string search = word(1 + shortLen(rng));
    const std::string replacement = word(shortLen(rng));
    const std::string result = CustomReplace(text, search, replacement);
    ASSERT_EQ(result, test::ReferenceReplace(text, search, replacement))
        << text << " | " << search << " | " << replacement;

    const std::size_t k = test::CountOccurrences(text, search);
    ASSERT_EQ(result.size() + k * search.size(), text.size() + k * replacement.size());
  }
}

TEST(CustomReplace, NoPositionLimitInLongTexts) {
  // Occurrences beyond 32,767 and 65,536 characters are replaced like any other.
  std::string text(40000, '.');
  text += "#PAID#";
  text += std::string(30000, '.');
  text += "#PAID#";
  text += std::string(100000, '.');
  text += "#PAID#";
  const std::string result = CustomReplace(text, "#PAID#", std::string(50000, 'p'));
  EXPECT_EQ(result.size(), text.size() + 3 * (50000 - 6));
  EXPECT_EQ(result.find('#'), std::string::npos);
  EXPECT_EQ(result.substr(40000, 50000), std::string(50000, 'p'));
  EXPECT_EQ(result.back(), 'p');
}

}  // namespace
}  // namespace veltrane
