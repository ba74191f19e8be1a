#include "support/ReferenceSplit.h"

#include <array>
#include <string_view>

namespace veltrane::test {
namespace {

bool IsContinuationByte(char c) {
  return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

// `block` without its first `count` characters, counted with 1-based positions.
std::string DropCharacters(const std::string& block, long count) {
  const long size = static_cast<long>(block.size());
  long i = 1;
  for (; count > 0 && i <= size; --count) {
    ++i;
    while (i <= size && IsContinuationByte(block[static_cast<std::size_t>(i - 1)])) ++i;
  }
  return block.substr(static_cast<std::size_t>(i - 1));
}

}  // namespace

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
        block = DropCharacters(block, static_cast<long>(marker.size()) + 2);
        break;
      }
    }
    if (current >= 0) sections[static_cast<std::size_t>(current)] += block;
    p = e + 2;
  }
  return {sections[0], sections[1], sections[2]};
}

}  // namespace veltrane::test
