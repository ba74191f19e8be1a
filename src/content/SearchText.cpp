#include "content/SearchText.h"

#include <utf8proc.h>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "content/NameFold.h"
#include "content/TextEncoding.h"

namespace veltrane {
namespace {

constexpr auto kFoldOptions = static_cast<utf8proc_option_t>(
    UTF8PROC_STABLE | UTF8PROC_COMPOSE | UTF8PROC_CASEFOLD | UTF8PROC_STRIPMARK);
constexpr std::string_view kEllipsis = "\xE2\x80\xA6";

struct Char {
  utf8proc_int32_t code;  // -1 for a byte that is not UTF-8
  std::size_t length;
};

Char CharAt(std::string_view text, std::size_t at) {
  utf8proc_int32_t code = -1;
  const utf8proc_ssize_t length =
      utf8proc_iterate(reinterpret_cast<const utf8proc_uint8_t*>(text.data() + at),
                       static_cast<utf8proc_ssize_t>(text.size() - at), &code);
  if (length <= 0) return {-1, 1};
  return {code, static_cast<std::size_t>(length)};
}

// Whether a character can change, in normalisation, with the one before it: a combining
// mark, or a Hangul vowel or final consonant that composes into the syllable before it.
bool Attaches(utf8proc_int32_t code) {
  if (code < 0x300) return false;
  if (code >= 0x1160 && code <= 0x11FF) return true;
  const utf8proc_property_t* property = utf8proc_get_property(code);
  return property->combining_class != 0 || property->category == UTF8PROC_CATEGORY_MN ||
         property->category == UTF8PROC_CATEGORY_MC || property->category == UTF8PROC_CATEGORY_ME;
}

// A lone character that folding leaves as it is: no decomposition, no case fold, not a mark.
// Most non-ASCII characters of writers' texts are such: dashes, quotes, symbols.
bool FoldsToItself(utf8proc_int32_t code) {
  const utf8proc_property_t* property = utf8proc_get_property(code);
  return property->decomp_seqindex == UINT16_MAX && property->casefold_seqindex == UINT16_MAX &&
         property->category != UTF8PROC_CATEGORY_MN && property->category != UTF8PROC_CATEGORY_MC &&
         property->category != UTF8PROC_CATEGORY_ME;
}

// One character with its marks, folded; on the stack unless it decomposes into a great many
// code points.
void FoldPiece(std::string_view piece, std::string& out) {
  constexpr utf8proc_ssize_t kRoom = 32;
  utf8proc_int32_t buffer[kRoom];
  const utf8proc_ssize_t count =
      utf8proc_decompose(reinterpret_cast<const utf8proc_uint8_t*>(piece.data()),
                         static_cast<utf8proc_ssize_t>(piece.size()), buffer, kRoom, kFoldOptions);
  if (count < 0) {
    out.append(piece);
    return;
  }
  if (count > kRoom) {
    out.append(SearchKey(piece));
    return;
  }
  const utf8proc_ssize_t bytes = utf8proc_reencode(buffer, count, kFoldOptions);
  if (bytes < 0) {
    out.append(piece);
    return;
  }
  out.append(reinterpret_cast<const char*>(buffer), static_cast<std::size_t>(bytes));
}

// The length of the white space character at `at`, or 0: ASCII's, and Unicode's spaces and
// line breaks that writers' files and pasted queries bring.
std::size_t SpaceLength(std::string_view text, std::size_t at) {
  const auto byte = [&](std::size_t i) {
    return at + i < text.size() ? static_cast<unsigned char>(text[at + i]) : 0u;
  };
  switch (byte(0)) {
    case ' ':
    case '\t':
    case '\n':
    case '\v':
    case '\f':
    case '\r':
      return 1;
    case 0xC2:
      return byte(1) == 0x85 || byte(1) == 0xA0 ? 2 : 0;
    case 0xE1:
      return byte(1) == 0x9A && byte(2) == 0x80 ? 3 : 0;
    case 0xE2:
      if (byte(1) == 0x80) {
        const unsigned third = byte(2);
        return (third >= 0x80 && third <= 0x8A) || third == 0xA8 || third == 0xA9 || third == 0xAF
                   ? 3
                   : 0;
      }
      return byte(1) == 0x81 && byte(2) == 0x9F ? 3 : 0;
    case 0xE3:
      return byte(1) == 0x80 && byte(2) == 0x80 ? 3 : 0;
    default:
      return 0;
  }
}

// Appends `part` with each run of white space as one space; `space` says whether `out` ends
// in one.
void AppendOneLine(std::string_view part, std::string& out, bool& space) {
  for (std::size_t i = 0; i < part.size();) {
    if (const std::size_t length = SpaceLength(part, i)) {
      if (!space) out.push_back(' ');
      space = true;
      i += length;
    } else {
      out.push_back(part[i]);
      space = false;
      ++i;
    }
  }
}

std::size_t StepBack(std::string_view text, std::size_t from, std::size_t floor,
                     std::size_t count) {
  std::size_t pos = from;
  for (; count > 0 && pos > floor; --count) {
    --pos;
    while (pos > floor && (static_cast<unsigned char>(text[pos]) & 0xC0) == 0x80) --pos;
  }
  return pos;
}

}  // namespace

void SearchText::AddField(std::string_view field) {
  textStarts_.push_back(static_cast<std::uint32_t>(text_.size()));
  keyStarts_.push_back(static_cast<std::uint32_t>(key_.size()));
  const std::size_t base = text_.size();
  text_.append(field);
  key_.reserve(key_.size() + field.size() + 1);
  const std::size_t n = field.size();
  std::size_t i = 0;
  while (i < n) {
    // ASCII up to the last character before anything else, which may carry marks.
    std::size_t ascii = i;
    while (ascii < n && static_cast<unsigned char>(field[ascii]) < 0x80) ++ascii;
    const std::size_t plainEnd = ascii < n && ascii > i ? ascii - 1 : ascii;
    const std::size_t at = key_.size();
    key_.resize(at + (plainEnd - i));
    std::transform(field.begin() + static_cast<std::ptrdiff_t>(i),
                   field.begin() + static_cast<std::ptrdiff_t>(plainEnd),
                   key_.begin() + static_cast<std::ptrdiff_t>(at), AsciiLower);
    i = plainEnd;
    if (i >= n) break;

    const Char first = CharAt(field, i);
    std::size_t end = i + first.length;
    bool marked = false;
    for (Char next; end < n && Attaches((next = CharAt(field, end)).code); marked = true) {
      end += next.length;
    }
    if (!marked && first.code >= 0 && first.code < 0x80) {
      key_.push_back(AsciiLower(field[i]));
    } else if (!marked && first.code >= 0 && FoldsToItself(first.code)) {
      key_.append(field, i, end - i);  // byte for byte: no piece needed
    } else {
      const auto keyBegin = static_cast<std::uint32_t>(key_.size());
      FoldPiece(field.substr(i, end - i), key_);
      pieces_.push_back({keyBegin, static_cast<std::uint32_t>(key_.size()),
                         static_cast<std::uint32_t>(base + i),
                         static_cast<std::uint32_t>(base + end)});
    }
    i = end;
  }
  text_.push_back('\n');
  key_.push_back('\n');
}

std::string_view SearchText::Field(std::size_t index) const {
  const std::size_t begin = textStarts_.at(index);
  const std::size_t end = index + 1 < textStarts_.size() ? textStarts_[index + 1] : text_.size();
  return std::string_view(text_).substr(begin, end - begin - 1);
}

std::string_view SearchText::KeyField(std::size_t index) const {
  const std::size_t begin = keyStarts_.at(index);
  const std::size_t end = index + 1 < keyStarts_.size() ? keyStarts_[index + 1] : key_.size();
  return std::string_view(key_).substr(begin, end - begin - 1);
}

std::size_t SearchText::FieldAt(std::size_t keyOffset) const {
  const auto after = std::upper_bound(keyStarts_.begin(), keyStarts_.end(), keyOffset);
  return after == keyStarts_.begin() ? 0 : static_cast<std::size_t>(after - keyStarts_.begin() - 1);
}

std::size_t SearchText::TextOffset(std::size_t offset, bool roundUp) const {
  const auto after = std::upper_bound(pieces_.begin(), pieces_.end(), offset,
                                      [](std::size_t o, const Piece& p) { return o < p.keyBegin; });
  if (after == pieces_.begin()) return offset;
  const Piece& piece = *(after - 1);
  if (offset >= piece.keyEnd) return piece.textEnd + (offset - piece.keyEnd);
  return roundUp && offset > piece.keyBegin ? piece.textEnd : piece.textBegin;
}

SearchText::Excerpt SearchText::ExcerptAt(std::size_t keyBegin, std::size_t keyEnd,
                                          std::size_t context) const {
  const std::size_t field = FieldAt(keyBegin);
  const std::size_t fieldBegin = textStarts_[field];
  const std::size_t fieldEnd =
      (field + 1 < textStarts_.size() ? textStarts_[field + 1] : text_.size()) - 1;
  const std::size_t matchBegin = std::clamp(TextOffset(keyBegin, false), fieldBegin, fieldEnd);
  const std::size_t matchEnd = std::clamp(TextOffset(keyEnd, true), matchBegin, fieldEnd);
  const std::size_t begin = StepBack(text_, matchBegin, fieldBegin, context);
  const std::size_t end = std::min(SkipCharacters(text_, matchEnd, context), fieldEnd);
  const std::string_view text = text_;

  Excerpt excerpt;
  bool space = true;  // no space to start with
  if (begin > fieldBegin) {
    excerpt.text = kEllipsis;
    space = false;
  }
  AppendOneLine(text.substr(begin, matchBegin - begin), excerpt.text, space);
  excerpt.matchStart = excerpt.text.size();
  AppendOneLine(text.substr(matchBegin, matchEnd - matchBegin), excerpt.text, space);
  excerpt.matchLength = excerpt.text.size() - excerpt.matchStart;
  AppendOneLine(text.substr(matchEnd, end - matchEnd), excerpt.text, space);
  if (space && excerpt.text.size() > excerpt.matchStart + excerpt.matchLength) {
    excerpt.text.pop_back();
  }
  if (end < fieldEnd) excerpt.text.append(kEllipsis);
  return excerpt;
}

std::vector<std::string> QueryWords(std::string_view query) {
  const std::string key = SearchKey(query);
  std::vector<std::string> words;
  std::size_t start = 0;
  for (std::size_t i = 0; i <= key.size();) {
    const std::size_t space = i < key.size() ? SpaceLength(key, i) : 1;
    if (space == 0) {
      ++i;
      continue;
    }
    if (i > start) words.push_back(key.substr(start, i - start));
    i += space;
    start = i;
  }
  return words;
}

std::size_t FindWord(std::string_view text, std::string_view word, std::size_t from) {
  const std::size_t n = word.size();
  if (from > text.size() || text.size() - from < n) return std::string_view::npos;
  if (n == 0) return from;
  const char* const data = text.data();
  const char* p = data + from;
  const char* const lastStart = data + text.size() - n;  // the last place a match can start
  if (n == 1) {
    const void* found = std::memchr(p, word[0], static_cast<std::size_t>(lastStart - p) + 1);
    return found == nullptr ? std::string_view::npos
                            : static_cast<std::size_t>(static_cast<const char*>(found) - data);
  }
#if defined(__SSE2__)
  // Sixteen places at a time, those whose first and last bytes match compared whole.
  const __m128i first = _mm_set1_epi8(word[0]);
  const __m128i last = _mm_set1_epi8(word[n - 1]);
  for (; lastStart - p >= 15; p += 16) {
    const __m128i starts = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
    const __m128i ends = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + n - 1));
    auto mask = static_cast<unsigned>(_mm_movemask_epi8(
        _mm_and_si128(_mm_cmpeq_epi8(starts, first), _mm_cmpeq_epi8(ends, last))));
    for (; mask != 0; mask &= mask - 1) {
      const char* candidate = p + __builtin_ctz(mask);
      if (std::memcmp(candidate + 1, word.data() + 1, n - 2) == 0) {
        return static_cast<std::size_t>(candidate - data);
      }
    }
  }
#endif
  const void* found = ::memmem(p, static_cast<std::size_t>(lastStart - p) + n, word.data(), n);
  return found == nullptr ? std::string_view::npos
                          : static_cast<std::size_t>(static_cast<const char*>(found) - data);
}

}  // namespace veltrane
