#pragma once

#include <string>
#include <string_view>

namespace veltrane {

// Lower case for ASCII letters only; every other byte stays.
constexpr char AsciiLower(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c;
}

// A name folded for comparison: Unicode case folding after canonical composition, so "Émile"
// and "émile" (composed or not) and "Mine" and "MINE" give the same key. Bytes that are not
// UTF-8 are kept as they are, so such names still compare, though only to themselves.
std::string FoldName(std::string_view name);

// Whether two names are one name, letter case ignored in the whole of Unicode.
bool SameName(std::string_view a, std::string_view b);

// FoldName with accents dropped as well ("Café" and "cafe" give one key): for searching, where
// a writer types without accents.
std::string SearchKey(std::string_view text);

}  // namespace veltrane
