// Splits arbitrary bytes: the result must match a literal reading of the format's rules, and
// every section must be made of input bytes in input order.
#include <array>
#include <string>
#include <string_view>

#include "FuzzCheck.h"
#include "content/ProblemReader.h"

namespace {

using veltrane::ProblemSections;

bool IsContinuationByte(char c) {
  return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

// Deliberately naive: 1-based positions, copies, no lookahead tricks, so it cannot share the
// splitter's shortcuts. A character is a byte plus the continuation bytes that follow it.
ProblemSections ReferenceSplit(const std::string& t) {
  const long length = static_cast<long>(t.size());
  auto at = [&](long i) { return t[static_cast<std::size_t>(i - 1)]; };
  auto find = [&](long start, std::string_view needle) -> long {  // 0 when absent
    const long n = static_cast<long>(needle.size());
    for (long i = start; i + n - 1 <= length; ++i) {
      long k = 0;
      while (k < n && at(i + k) == needle[static_cast<std::size_t>(k)]) ++k;
      if (k == n) return i;
    }
    return 0;
  };
  auto dropCharacters = [](const std::string& block, long count) {
    const long size = static_cast<long>(block.size());
    long i = 1;
    for (; count > 0 && i <= size; --count) {
      ++i;
      while (i <= size && IsContinuationByte(block[static_cast<std::size_t>(i - 1)])) ++i;
    }
    return block.substr(static_cast<std::size_t>(i - 1));
  };

  constexpr std::array<std::string_view, 3> kMarkers{"[PROBLEM]", "[FREE]", "[PAID]"};
  std::array<std::string, 3> sections;
  int current = -1;
  long p = 1;
  while (p <= length) {
    const long s = find(p, "[");
    if (s == 0) break;
    long e = find(s, "\r\n\r\n");
    if (e == 0) e = length + 1;
    std::string block = t.substr(static_cast<std::size_t>(s - 1), static_cast<std::size_t>(e - s));
    for (int m = 0; m < 3; ++m) {
      const std::string_view marker = kMarkers[static_cast<std::size_t>(m)];
      if (block.find(marker) != std::string::npos) {
        current = m;
        block = dropCharacters(block, static_cast<long>(marker.size()) + 2);
        break;
      }
    }
    if (current >= 0) sections[static_cast<std::size_t>(current)] += block;
    p = e + 2;
  }
  return {sections[0], sections[1], sections[2]};
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size) {
  const std::string input(reinterpret_cast<const char*>(data), size);
  const ProblemSections got = veltrane::SplitProblemText(input);

  // Nothing is invented or reordered, and no byte is used twice.
  FUZZ_CHECK(got.problemText.size() + got.freeText.size() + got.paidText.size() <= size);
  FUZZ_CHECK(veltrane::fuzz::IsSubsequence(got.problemText, input));
  FUZZ_CHECK(veltrane::fuzz::IsSubsequence(got.freeText, input));
  FUZZ_CHECK(veltrane::fuzz::IsSubsequence(got.paidText, input));

  const ProblemSections expected = ReferenceSplit(input);
  FUZZ_CHECK(got.problemText == expected.problemText);
  FUZZ_CHECK(got.freeText == expected.freeText);
  FUZZ_CHECK(got.paidText == expected.paidText);
  return 0;
}
