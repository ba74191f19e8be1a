// Replaces with arbitrary texts and holds the result against a hand-written reference and the
// length the occurrences imply.
#include <algorithm>
#include <string>
#include <string_view>

#include "FuzzCheck.h"
#include "prompt/CustomReplace.h"
#include "support/ReferenceReplace.h"

namespace {

// The reference is quadratic; longer texts would only slow the search down.
constexpr std::size_t kMaxTextBytes = 1024;

}  // namespace

// Byte 0 gives the search text's length (0 to 16), byte 1 the replacement's (0 to 32); the two
// follow, and the rest is the text. Short searches keep matches frequent.
extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size) {
  if (size < 2) return 0;
  std::string_view rest(reinterpret_cast<const char*>(data) + 2, size - 2);
  const std::size_t searchLength = std::min<std::size_t>(data[0] % 17, rest.size());
  const std::string search(rest.substr(0, searchLength));
  rest.remove_prefix(searchLength);
  const std::size_t replacementLength = std::min<std::size_t>(data[1] % 33, rest.size());
  const std::string replacement(rest.substr(0, replacementLength));
  rest.remove_prefix(replacementLength);
  const std::string text(rest.substr(0, kMaxTextBytes));

  const std::string got = veltrane::CustomReplace(text, search, replacement);
  FUZZ_CHECK(got == veltrane::test::ReferenceReplace(text, search, replacement));
  if (search.empty()) {
    FUZZ_CHECK(got == text);
  } else {
    const std::size_t k = veltrane::test::CountOccurrences(text, search);
    FUZZ_CHECK(got.size() + k * search.size() == text.size() + k * replacement.size());
  }
  return 0;
}
