#include "content/TextEncoding.h"

#include <utf8cpp/utf8.h>

#include <array>
#include <cstdint>

namespace veltrane {
namespace {

// Windows-1252 at 0x80..0x9F; the five bytes it leaves undefined keep their C1 control.
constexpr std::array<char32_t, 32> kCp1252High{
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

constexpr std::string_view kBom = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LeBom = "\xFF\xFE";
constexpr std::string_view kUtf16BeBom = "\xFE\xFF";
constexpr char32_t kReplacement = 0xFFFD;

std::string FromCp1252(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size() + bytes.size() / 2);
  for (char c : bytes) {
    const auto b = static_cast<unsigned char>(c);
    if (b < 0x80) {
      out.push_back(c);
      continue;
    }
    const char32_t cp = b < 0xA0 ? kCp1252High[b - 0x80] : char32_t{b};
    utf8::append(static_cast<std::uint32_t>(cp), std::back_inserter(out));
  }
  return out;
}

// Notepad's "Unicode" files. Whatever cannot be a character (a lone surrogate, an odd last
// byte) becomes U+FFFD, so the result is always valid UTF-8.
std::string FromUtf16(std::string_view bytes, bool bigEndian) {
  const auto unit = [&](std::size_t i) {
    const auto first = static_cast<unsigned char>(bytes[i]);
    const auto second = static_cast<unsigned char>(bytes[i + 1]);
    return static_cast<char32_t>(bigEndian ? (first << 8) | second : (second << 8) | first);
  };
  std::string out;
  out.reserve(bytes.size() + bytes.size() / 2);
  std::size_t i = 0;
  for (; i + 1 < bytes.size(); i += 2) {
    char32_t cp = unit(i);
    if (cp >= 0xD800 && cp < 0xDC00 && i + 3 < bytes.size()) {
      const char32_t low = unit(i + 2);
      if (low >= 0xDC00 && low < 0xE000) {
        cp = 0x10000 + ((cp - 0xD800) << 10) + (low - 0xDC00);
        i += 2;
      }
    }
    if (cp >= 0xD800 && cp < 0xE000) cp = kReplacement;
    utf8::append(static_cast<std::uint32_t>(cp), std::back_inserter(out));
  }
  if (i < bytes.size())
    utf8::append(static_cast<std::uint32_t>(kReplacement), std::back_inserter(out));
  return out;
}

}  // namespace

bool IsValidUtf8(std::string_view bytes) {
  return utf8::is_valid(bytes.begin(), bytes.end());
}

std::string DecodeText(std::string_view bytes) {
  // Neither mark is valid UTF-8, nor likely as the first two characters of a Windows-1252 text.
  if (bytes.starts_with(kUtf16LeBom)) return FromUtf16(bytes.substr(2), false);
  if (bytes.starts_with(kUtf16BeBom)) return FromUtf16(bytes.substr(2), true);
  if (!IsValidUtf8(bytes)) return FromCp1252(bytes);
  if (bytes.starts_with(kBom)) bytes.remove_prefix(kBom.size());
  return std::string(bytes);
}

std::string DecodeName(std::string_view bytes) {
  return IsValidUtf8(bytes) ? std::string(bytes) : FromCp1252(bytes);
}

std::size_t SkipCharacters(std::string_view text, std::size_t from, std::size_t count) {
  std::size_t pos = from;
  for (; count > 0 && pos < text.size(); --count) {
    ++pos;
    while (pos < text.size() && (static_cast<unsigned char>(text[pos]) & 0xC0) == 0x80) ++pos;
  }
  return pos;
}

std::string DisplayPath(const std::filesystem::path& path) {
  return DecodeName(path.native());
}

}  // namespace veltrane
