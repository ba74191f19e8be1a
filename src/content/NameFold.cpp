#include "content/NameFold.h"

#include <utf8proc.h>

#include <algorithm>
#include <cstdlib>
#include <memory>

namespace veltrane {
namespace {

std::string Map(std::string_view text, int options) {
  // ASCII, as most names are, folds to its lower case: no library call, no allocation but one.
  if (std::all_of(text.begin(), text.end(),
                  [](char c) { return static_cast<unsigned char>(c) < 0x80; })) {
    std::string folded(text);
    for (char& c : folded) c = AsciiLower(c);
    return folded;
  }
  utf8proc_uint8_t* mapped = nullptr;
  const utf8proc_ssize_t length = utf8proc_map(
      reinterpret_cast<const utf8proc_uint8_t*>(text.data()),
      static_cast<utf8proc_ssize_t>(text.size()), &mapped, static_cast<utf8proc_option_t>(options));
  // Not UTF-8 (or out of memory): the bytes themselves are the key.
  if (length < 0) return std::string(text);
  const std::unique_ptr<utf8proc_uint8_t, decltype(&std::free)> owner(mapped, &std::free);
  return std::string(reinterpret_cast<const char*>(mapped), static_cast<std::size_t>(length));
}

}  // namespace

std::string FoldName(std::string_view name) {
  return Map(name, UTF8PROC_STABLE | UTF8PROC_COMPOSE | UTF8PROC_CASEFOLD);
}

bool SameName(std::string_view a, std::string_view b) {
  return a == b || FoldName(a) == FoldName(b);
}

std::string SearchKey(std::string_view text) {
  return Map(text, UTF8PROC_STABLE | UTF8PROC_COMPOSE | UTF8PROC_CASEFOLD | UTF8PROC_STRIPMARK);
}

}  // namespace veltrane
