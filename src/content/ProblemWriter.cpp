#include "content/ProblemWriter.h"

#include "content/Failure.h"

#include <algorithm>

namespace veltrane {
namespace {

constexpr std::size_t kMaxNameBytes = 250;  // with ".txt", within the 255 a file name may have

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

std::optional<std::string> ProblemNameError(std::string_view name) {
  if (name.empty()) return "Give the problem a name.";
  if (name.starts_with('.')) {
    return "A problem name cannot start with \".\": the file would be hidden.";
  }
  if (name.find('/') != std::string_view::npos) return "A problem name cannot contain \"/\".";
  if (name.find('\0') != std::string_view::npos) {
    return "A problem name cannot contain a NUL character.";
  }
  if (name.size() > kMaxNameBytes) {
    return "The name is too long: " + std::to_string(name.size()) +
           " bytes in UTF-8, and a problem name may have at most " + std::to_string(kMaxNameBytes) +
           ".";
  }
  return std::nullopt;
}

}  // namespace veltrane
