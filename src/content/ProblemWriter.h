#pragma once

#include <string>
#include <string_view>
#include <variant>

#include "content/ProblemReader.h"
#include "content/TextFile.h"

namespace veltrane {

struct ProblemToSave {
  ProblemSections sections;
  bool emptyLinesDropped = false;
};

// The three texts as a problem file can hold them: line breaks as CR LF, and no empty lines,
// since an empty line ends a block. The paid text, last in the file, keeps a final line break.
ProblemToSave PrepareProblem(std::string_view problem, std::string_view free,
                             std::string_view paid);

// A well-formed problem file of the three texts: the "[PROBLEM]", "[FREE]" and "[PAID]" blocks
// in that order. Throws Failure when the file would not read back as the same three texts,
// which a section marker inside a text can cause.
std::string ProblemFileText(const ProblemSections& sections);

// The longest problem name, in bytes of UTF-8: with ".txt" it fills a file name, and the
// temporary file of its save has a shorter name whatever the problem's.
inline constexpr std::size_t kMaxProblemNameBytes =
    kMaxFileNameBytes - std::string_view(".txt").size();

struct NameRefusal {
  std::string reason;  // for the user, saying what to change

  bool operator==(const NameRefusal&) const = default;
};

// The name a typed problem name saves under, or why it cannot be a file name of the user's.
// White space at either end (any Unicode white space) is dropped first; what is left must not be
// empty, start with ".", hold "/", a line break or another control character, or be longer than
// kMaxProblemNameBytes.
std::variant<std::string, NameRefusal> CheckProblemName(std::string_view typed);

}  // namespace veltrane
