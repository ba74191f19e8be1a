#pragma once

#include <cstdio>
#include <cstdlib>
#include <string_view>

namespace veltrane::fuzz {

// Aborts, so libFuzzer keeps the input and a corpus replay fails, whatever NDEBUG says.
[[noreturn]] inline void CheckFailed(const char* condition, const char* file, int line) {
  std::fprintf(stderr, "%s:%d: check failed: %s\n", file, line, condition);
  std::abort();
}

// Every byte of `part` is found in `whole`, in the same order.
inline bool IsSubsequence(std::string_view part, std::string_view whole) {
  std::size_t matched = 0;
  for (const char c : whole) {
    if (matched < part.size() && part[matched] == c) ++matched;
  }
  return matched == part.size();
}

}  // namespace veltrane::fuzz

#define FUZZ_CHECK(condition) \
  ((condition) ? (void)0 : ::veltrane::fuzz::CheckFailed(#condition, __FILE__, __LINE__))

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size);
