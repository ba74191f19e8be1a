#include "content/BlockScan.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace veltrane::detail {
namespace {

struct Implementation {
  const char* name;
  ScanFunction scan;
};

// Every implementation this processor can run.
std::vector<Implementation> Implementations() {
  std::vector<Implementation> all{{"scalar", NextBracketOrSeparatorScalar}};
#if defined(__SSE2__)
  all.push_back({"sse2", NextBracketOrSeparatorSse2});
#endif
#if defined(__x86_64__) || defined(__i386__)
  if (HasAvx2()) all.push_back({"avx2", NextBracketOrSeparatorAvx2});
#endif
  return all;
}

// Offset of the hit scanning `text` from `from`, or text.size().
std::size_t Scan(ScanFunction scan, const std::string& text, std::size_t from) {
  const char* begin = text.data();
  return static_cast<std::size_t>(scan(begin, begin + from, begin + text.size()) - begin);
}

TEST(BlockScan, FindsBracketsAndSeparatorsOnly) {
  const std::string pad(40, 'x');  // puts hits past the first vector chunk
  const struct {
    std::string text;
    std::size_t from;
    std::size_t expected;
  } cases[] = {
      {"x[", 1, 1},
      {"x\r\n\r\n", 1, 2},  // reported at the first line feed
      {"x\r\n\r", 1, 4},    // cut short at the end: no separator
      {"x\n\n\n", 1, 4},    // line feeds alone are no separator
      {"x\r\n\n\r\n", 1, 6},
      {"x\r\r\n\r\n", 1, 3},
      {"x\r\n\r\n", 3, 5},  // from inside the separator
      {"x" + pad + "\r\n\r\n[", 1, 42},
      {"x" + pad + "\n\r\n" + pad + "[", 1, 84},  // "\n\r\n" without its CR
      {"x" + pad + pad, 1, 81},
      {"[" + pad + "\r\n\r\n", 1, 42},
      {"x" + pad + "\r\n\r\n", 1, 42},  // separator in the last bytes
      {"", 0, 0},
  };
  for (const Implementation& impl : Implementations()) {
    for (const auto& c : cases) {
      SCOPED_TRACE(std::string(impl.name) + " " + testing::PrintToString(c.text));
      EXPECT_EQ(Scan(impl.scan, c.text, c.from), c.expected);
    }
  }
}

TEST(BlockScan, AllImplementationsAgreeOnRandomText) {
  std::mt19937 rng(99);
  const char alphabet[] = {'\r', '\n', '[', 'a', ' ', '\r', '\n'};
  std::uniform_int_distribution<std::size_t> letter(0, std::size(alphabet) - 1);
  std::uniform_int_distribution<int> length(1, 200);
  const auto implementations = Implementations();
  for (int i = 0; i < 20000; ++i) {
    std::string text(static_cast<std::size_t>(length(rng)), 'a');
    for (char& c : text) c = rng() % 3 == 0 ? alphabet[letter(rng)] : 'a';
    const std::size_t from = 1 + rng() % text.size();
    const std::size_t expected = Scan(NextBracketOrSeparatorScalar, text, from);
    for (const Implementation& impl : implementations) {
      ASSERT_EQ(Scan(impl.scan, text, from), expected)
          << impl.name << " " << testing::PrintToString(text) << " from " << from;
    }
  }
}

}  // namespace
}  // namespace veltrane::detail
