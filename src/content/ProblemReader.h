#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace veltrane {

struct ProblemSections {
  std::string problemText;
  std::string freeText;
  std::string paidText;

  bool operator==(const ProblemSections&) const = default;
};

// Splits a problem file's text into its sections. A block runs from a "[" to the next empty
// line (CR LF CR LF); a block that holds "[PROBLEM]", "[FREE]" or "[PAID]" (first match in that
// order) starts that section and loses its marker line, that is the marker's length plus two
// characters; other blocks are appended whole to the current section. Never fails.
ProblemSections SplitProblemText(std::string_view text);

// Whether the text holds a block that starts a section, one with "[PROBLEM]", "[FREE]" or
// "[PAID]". Without one every section is empty: the file is likely no problem file at all.
bool HasAnyBlock(std::string_view text);

// Turns every line feed not preceded by a carriage return into CR LF, so files saved by
// Linux editors split like the CR LF files they stand for.
std::string NormalizeLineEnds(std::string_view text);

// Reads a problem file whole and splits it. Throws Failure naming the path when it cannot be
// read.
ProblemSections ReadProblemFile(const std::filesystem::path& path);
// The same, also telling whether the file held any section's block (see HasAnyBlock).
ProblemSections ReadProblemFile(const std::filesystem::path& path, bool& hasAnyBlock);

}  // namespace veltrane
