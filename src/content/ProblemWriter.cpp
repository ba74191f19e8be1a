#include "content/ProblemWriter.h"

#include "content/Failure.h"

#include <utf8proc.h>

#include <algorithm>

namespace veltrane {
namespace {

// Unicode's White_Space property.
bool IsWhiteSpace(utf8proc_int32_t c) {
  const utf8proc_category_t category = utf8proc_category(c);
  return (c >= 0x09 && c <= 0x0D) || c == 0x85 || category == UTF8PROC_CATEGORY_ZS ||
         category == UTF8PROC_CATEGORY_ZL || category == UTF8PROC_CATEGORY_ZP;
}

// Controls (C0, DEL, C1) and the line and paragraph separators: none belongs in a name the
// list shows on one line.
bool IsControlOrBreak(utf8proc_int32_t c) {
  const utf8proc_category_t category = utf8proc_category(c);
  return category == UTF8PROC_CATEGORY_CC || category == UTF8PROC_CATEGORY_ZL ||
         category == UTF8PROC_CATEGORY_ZP;
}

// Calls `visit` with each code point of the text and its byte range; false when the text is
// not UTF-8.
template <class Visit>
bool ForEachCodePoint(std::string_view text, Visit&& visit) {
  for (std::size_t at = 0; at < text.size();) {
    utf8proc_int32_t c = 0;
    const utf8proc_ssize_t size =
        utf8proc_iterate(reinterpret_cast<const utf8proc_uint8_t*>(text.data() + at),
                         static_cast<utf8proc_ssize_t>(text.size() - at), &c);
    if (size <= 0) return false;
    visit(c, at, at + static_cast<std::size_t>(size));
    at += static_cast<std::size_t>(size);
  }
  return true;
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
  std::size_t first = typed.size();  // the name without white space at either end
  std::size_t last = 0;
  const bool utf8 =
      ForEachCodePoint(typed, [&](utf8proc_int32_t c, std::size_t from, std::size_t to) {
        if (IsWhiteSpace(c)) return;
        first = std::min(first, from);
        last = to;
      });
  if (!utf8) return NameRefusal{"A problem name must be UTF-8 text."};
  const std::string_view name = first < last ? typed.substr(first, last - first) : "";

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
  bool control = false;
  ForEachCodePoint(name, [&](utf8proc_int32_t c, std::size_t, std::size_t) {
    control = control || IsControlOrBreak(c);
  });
  if (control) {
    return NameRefusal{
        "A problem name cannot contain a line break, a tab or another control character."};
  }
  if (name.size() > kMaxProblemNameBytes) {
    return NameRefusal{"The name is too long: " + std::to_string(name.size()) +
                       " bytes in UTF-8, and a problem name may have at most " +
                       std::to_string(kMaxProblemNameBytes) + "."};
  }
  return std::string(name);
}

}  // namespace veltrane
