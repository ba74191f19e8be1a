#include "content/ProblemWriter.h"

#include "content/Failure.h"
#include "content/TextEncoding.h"
#include "content/TextFile.h"

#include <algorithm>
#include <utility>

namespace veltrane {
namespace {

static_assert(kMaxProblemNameBytes + std::string_view(".txt").size() == kMaxFileNameBytes);

// The code point of the UTF-8 sequence starting at `at`, and how many bytes it takes; the text
// is valid UTF-8.
std::pair<char32_t, std::size_t> CodePointAt(std::string_view text, std::size_t at) {
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[at + i]); };
  const unsigned char lead = byte(0);
  if (lead < 0x80) return {lead, 1};
  const std::size_t size = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : 2;
  char32_t point = lead & (0x3F >> (size - 1));
  for (std::size_t i = 1; i < size; ++i) point = (point << 6) | (byte(i) & 0x3F);
  return {point, size};
}

// Start of the UTF-8 sequence that ends at `end`.
std::size_t StartOfLast(std::string_view text, std::size_t end) {
  std::size_t at = end - 1;
  while (at > 0 && (static_cast<unsigned char>(text[at]) & 0xC0) == 0x80) --at;
  return at;
}

// Unicode's White_Space property.
bool IsWhiteSpace(char32_t c) {
  return (c >= 0x09 && c <= 0x0D) || c == 0x20 || c == 0x85 || c == 0xA0 || c == 0x1680 ||
         (c >= 0x2000 && c <= 0x200A) || c == 0x2028 || c == 0x2029 || c == 0x202F || c == 0x205F ||
         c == 0x3000;
}

// C0 and C1 controls, DEL, and the line and paragraph separators: none belongs in a file name
// that the list shows on one line.
bool IsControlOrBreak(char32_t c) {
  return c < 0x20 || (c >= 0x7F && c <= 0x9F) || c == 0x2028 || c == 0x2029;
}

// The text's lines without the empty ones, joined by CR LF; `keepFinalBreak` keeps one line
// break at the end where the text had one.
std::string WithoutEmptyLines(std::string_view text, bool keepFinalBreak, bool& dropped) {
  std::string lines;  // line breaks as line feeds
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r') {
      if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
      lines += '\n';
    } else {
      lines += text[i];
    }
  }
  const bool finalBreak = keepFinalBreak && lines.ends_with('\n');
  if (finalBreak) lines.pop_back();

  std::string out;
  if (!lines.empty() || finalBreak) {
    for (std::size_t from = 0;;) {
      const std::size_t end = std::min(lines.find('\n', from), lines.size());
      if (end == from) {
        dropped = true;
      } else {
        if (!out.empty()) out += "\r\n";
        out.append(lines, from, end - from);
      }
      if (end == lines.size()) break;
      from = end + 1;
    }
  }
  if (finalBreak && !out.empty()) out += "\r\n";
  return out;
}

}  // namespace

ProblemToSave PrepareProblem(std::string_view problem, std::string_view free,
                             std::string_view paid) {
  ProblemToSave result;
  result.sections.problemText = WithoutEmptyLines(problem, false, result.emptyLinesDropped);
  result.sections.freeText = WithoutEmptyLines(free, false, result.emptyLinesDropped);
  result.sections.paidText = WithoutEmptyLines(paid, true, result.emptyLinesDropped);
  return result;
}

std::string ProblemFileText(const ProblemSections& sections) {
  std::string file = "[PROBLEM]\r\n" + sections.problemText + "\r\n\r\n[FREE]\r\n" +
                     sections.freeText + "\r\n\r\n[PAID]\r\n" + sections.paidText;
  if (SplitProblemText(file) != sections) {
    throw Failure(
        "The problem cannot be saved as it stands: one of its texts holds \"[PROBLEM]\", "
        "\"[FREE]\" or \"[PAID]\", which would move it to another section when the file is read "
        "back. Remove the marker and save again.");
  }
  return file;
}

std::variant<std::string, NameRefusal> CheckProblemName(std::string_view typed) {
  if (!IsValidUtf8(typed)) return NameRefusal{"A problem name must be UTF-8 text."};
  std::string_view name = typed;
  while (!name.empty() && IsWhiteSpace(CodePointAt(name, 0).first)) {
    name.remove_prefix(CodePointAt(name, 0).second);
  }
  while (!name.empty() && IsWhiteSpace(CodePointAt(name, StartOfLast(name, name.size())).first)) {
    name.remove_suffix(name.size() - StartOfLast(name, name.size()));
  }

  if (name.empty()) return NameRefusal{"Give the problem a name."};
  if (name.starts_with('.')) {
    return NameRefusal{"A problem name cannot start with \".\": the file would be hidden."};
  }
  if (name.find('/') != std::string_view::npos) {
    return NameRefusal{"A problem name cannot contain \"/\"."};
  }
  if (name.find('\0') != std::string_view::npos) {
    return NameRefusal{"A problem name cannot contain a NUL character."};
  }
  for (std::size_t at = 0; at < name.size();) {
    const auto [point, size] = CodePointAt(name, at);
    if (IsControlOrBreak(point)) {
      return NameRefusal{
          "A problem name cannot contain a line break, a tab or another control character."};
    }
    at += size;
  }
  if (name.size() > kMaxProblemNameBytes) {
    return NameRefusal{"The name is too long: " + std::to_string(name.size()) +
                       " bytes in UTF-8, and a problem name may have at most " +
                       std::to_string(kMaxProblemNameBytes) + "."};
  }
  return std::string(name);
}

std::optional<std::string> ProblemNameError(std::string_view name) {
  auto checked = CheckProblemName(name);
  if (auto* refusal = std::get_if<NameRefusal>(&checked)) return std::move(refusal->reason);
  return std::nullopt;
}

}  // namespace veltrane
