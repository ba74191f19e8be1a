#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace veltrane::test {

// The replacement rule as written by hand: rebuild the text at each occurrence and go on
// searching just after the inserted text, with 1-based positions and copies. Quadratic; for
// tests and fuzzing only. An empty search leaves the text as it is.
std::string ReferenceReplace(std::string text, const std::string& search,
                             const std::string& replacement);

// A template filled by hand in one pass: at each position the first of `values` (placeholder,
// value) that starts there is replaced, and the scan goes on after it.
std::string ReferenceFill(const std::string& text,
                          const std::vector<std::pair<std::string, std::string>>& values);

// Occurrences of `search` in `text`, left to right without overlap; none of an empty one.
std::size_t CountOccurrences(std::string_view text, std::string_view search);

}  // namespace veltrane::test
