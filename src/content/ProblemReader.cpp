#include "content/ProblemReader.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <vector>

#include "content/BlockScan.h"
#include "content/TextEncoding.h"
#include "content/TextFile.h"

namespace veltrane {
namespace {

constexpr std::size_t kLineBreakLength = 2;

struct Marker {
  std::string_view text;
  std::string ProblemSections::*section;
};

// Tested in this order: a block that holds more than one marker belongs to the first.
constexpr std::array<Marker, 3> kMarkers{{
    {"[PROBLEM]", &ProblemSections::problemText},
    {"[FREE]", &ProblemSections::freeText},
    {"[PAID]", &ProblemSections::paidText},
}};

// The next block starts at the first '[' from `from`: in well-formed files right after the
// separator's second line break, so look there before calling memchr.
std::size_t FindBracket(std::string_view text, std::size_t from) {
  const std::size_t near = std::min(text.size(), from + 4);
  for (std::size_t i = from; i < near; ++i) {
    if (text[i] == '[') return i;
  }
  return text.find('[', near);
}

// Picked once: the widest scan the processor runs. A function-local static, so a split made
// while other files' static objects are built never finds it unset.
detail::ScanFunction NextBracketOrSeparator() {
  static const detail::ScanFunction best = detail::BestScan();
  return best;
}

// Index into kMarkers of the marker that stands at the start of `rest`, or -1. Spelled out
// with fixed lengths so the compiler compares in registers.
int MarkerAt(std::string_view rest) {
  const char* p = rest.data();
  if (rest.size() >= 9 && std::memcmp(p, "[PROBLEM]", 9) == 0) return 0;
  if (rest.size() < 6) return -1;
  if (std::memcmp(p, "[FREE]", 6) == 0) return 1;
  if (std::memcmp(p, "[PAID]", 6) == 0) return 2;
  return -1;
}

struct Block {
  std::size_t end;     // where its blank-line separator starts, or the text's size
  int marker;          // index into kMarkers of the first marker by precedence, or -1
  bool markerAtStart;  // that marker is the block's first word
};

// The block that starts at the '[' at `start`. A marker lies wholly inside its block, since a
// marker holds no line break and the separator is made of them.
Block ScanBlock(std::string_view text, std::size_t start) {
  const char* const begin = text.data();
  const char* const end = begin + text.size();
  Block block{text.size(), MarkerAt(text.substr(start)), true};
  const detail::ScanFunction scan = NextBracketOrSeparator();
  for (const char* p = begin + start + 1; (p = scan(begin, p, end)) != end; ++p) {
    if (*p == '\n') {
      block.end = static_cast<std::size_t>(p - 1 - begin);
      break;
    }
    if (block.marker != 0) {  // nothing outranks the first marker
      const int m = MarkerAt(text.substr(static_cast<std::size_t>(p - begin)));
      if (m >= 0 && (block.marker < 0 || m < block.marker)) {
        block.marker = m;
        block.markerAtStart = false;
      }
    }
  }
  return block;
}

// Bytes that a marked block loses: the marker's length plus a line break, in characters.
std::size_t MarkerLineBytes(std::string_view block, const Block& scanned) {
  const std::size_t n =
      kMarkers[static_cast<std::size_t>(scanned.marker)].text.size() + kLineBreakLength;
  // The usual case: the block starts with its marker and a CR LF, all ASCII.
  // A stray continuation byte after it would belong to the line feed's character.
  if (scanned.markerAtStart && block.size() >= n && block[n - 2] == '\r' && block[n - 1] == '\n' &&
      (block.size() == n || (static_cast<unsigned char>(block[n]) & 0xC0) != 0x80)) {
    return n;
  }
  return SkipCharacters(block, 0, n);
}

}  // namespace

ProblemSections SplitProblemText(std::string_view text) {
  // Gather the pieces first and copy once, so each section is allocated at its final size.
  struct Piece {
    std::string ProblemSections::*section;
    std::string_view text;
  };
  std::vector<Piece> pieces;
  pieces.reserve(text.size() / 128);
  std::string ProblemSections::*current = nullptr;
  std::size_t pos = 0;
  while (pos < text.size()) {
    const std::size_t start = FindBracket(text, pos);
    if (start == std::string_view::npos) break;
    const Block scanned = ScanBlock(text, start);
    const std::size_t end = scanned.end;

    std::string_view block = text.substr(start, end - start);
    if (scanned.marker >= 0) {
      const Marker& marker = kMarkers[static_cast<std::size_t>(scanned.marker)];
      current = marker.section;
      // The marker line is dropped by length, wherever the marker itself stands.
      block.remove_prefix(MarkerLineBytes(block, scanned));
    }
    if (current != nullptr && !block.empty()) pieces.push_back({current, block});
    pos = end + kLineBreakLength;
  }

  ProblemSections sections;
  for (const Marker& marker : kMarkers) {
    std::size_t size = 0;
    for (const Piece& piece : pieces) {
      if (piece.section == marker.section) size += piece.text.size();
    }
    (sections.*marker.section).reserve(size);
  }
  for (const Piece& piece : pieces) (sections.*piece.section).append(piece.text);
  return sections;
}

bool HasAnyBlock(std::string_view text) {
  // Every '[' starts a block or lies inside one, so any marker anywhere is in some block.
  return std::any_of(kMarkers.begin(), kMarkers.end(), [text](const Marker& marker) {
    return text.find(marker.text) != std::string_view::npos;
  });
}

std::string NormalizeLineEnds(std::string_view text) {
  std::string out;
  out.reserve(text.size() + text.size() / 32);
  std::size_t from = 0;
  for (std::size_t lf = text.find('\n'); lf != std::string_view::npos;
       lf = text.find('\n', lf + 1)) {
    out.append(text, from, lf - from);
    if (lf == 0 || text[lf - 1] != '\r') out.push_back('\r');
    out.push_back('\n');
    from = lf + 1;
  }
  out.append(text, from);
  return out;
}

ProblemSections ReadProblemFile(const std::filesystem::path& path) {
  return SplitProblemText(NormalizeLineEnds(ReadTextFile(path)));
}

ProblemSections ReadProblemFile(const std::filesystem::path& path, bool& hasAnyBlock) {
  const std::string text = NormalizeLineEnds(ReadTextFile(path));
  hasAnyBlock = HasAnyBlock(text);
  return SplitProblemText(text);
}

}  // namespace veltrane
