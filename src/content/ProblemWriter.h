#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "content/ProblemReader.h"

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

// Why a problem name cannot be a file name of the user's, or nothing when it can.
std::optional<std::string> ProblemNameError(std::string_view name);

}  // namespace veltrane
