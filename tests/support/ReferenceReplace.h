#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace veltrane::test {

// The replacement rule as written by hand: rebuild the text at each occurrence and go on
// searching just after the inserted text, with 1-based positions and copies. Quadratic; for
// tests and fuzzing only. An empty search leaves the text as it is.
std::string ReferenceReplace(std::string text, const std::string& search,
                             const std::string& replacement);

// Occurrences of `search` in `text`, left to right without overlap; none of an empty one.
std::size_t CountOccurrences(std::string_view text, std::string_view search);

}  // namespace veltrane::test
