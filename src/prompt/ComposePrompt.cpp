#include "prompt/ComposePrompt.h"

#include "content/ContentPaths.h"
#include "content/Failure.h"
#include "content/TextEncoding.h"
#include "content/TextFile.h"
#include "prompt/CustomReplace.h"

namespace veltrane {
namespace {

// The filling steps, each made by `replace(text, placeholder, value)`.
template <class Replace>
std::string Fill(std::string_view templateText, bool includeFree, std::string_view nicheName,
                 std::string_view subnicheName, const ProblemSections& sections,
                 Replace&& replace) {
  std::string text = replace(templateText, "#NICHE#", nicheName);
  if (includeFree) text = replace(text, "#SUBNICHE#", subnicheName);
  text = replace(text, "#PROBLEM#", sections.problemText);
  if (includeFree) text = replace(text, "#FREE#", sections.freeText);
  return replace(text, "#PAID#", sections.paidText);
}

// "2.5 GiB": one decimal, rounded up, so a size just over a limit never reads as the limit.
// Whole numbers only, so the user's locale cannot change the decimal point.
std::string ReadableSize(std::uint64_t bytes) {
  static constexpr const char* kUnits[] = {"KiB", "MiB", "GiB", "TiB"};
  if (bytes < 1024) return std::to_string(bytes) + " bytes";
  std::uint64_t unit = 1024;
  std::size_t index = 0;
  while (index + 1 < std::size(kUnits) && bytes / unit >= 1024) {
    unit *= 1024;
    ++index;
  }
  const std::uint64_t tenths = bytes / unit * 10 + (bytes % unit * 10 + unit - 1) / unit;
  return std::to_string(tenths / 10) + "." + std::to_string(tenths % 10) + " " + kUnits[index];
}

}  // namespace

std::string FillTemplate(std::string_view templateText, bool includeFree,
                         std::string_view nicheName, std::string_view subnicheName,
                         const ProblemSections& sections) {
  return Fill(templateText, includeFree, nicheName, subnicheName, sections, CustomReplace);
}

std::string ComposePrompt(const std::filesystem::path& appDir, bool includeFree,
                          std::string_view nicheName, std::string_view subnicheName,
                          const ProblemSections& sections) {
  return ComposePrompt(ContentRoots{appDir}, includeFree, nicheName, subnicheName, sections);
}

std::string ComposePrompt(const ContentRoots& roots, bool includeFree, std::string_view nicheName,
                          std::string_view subnicheName, const ProblemSections& sections) {
  const std::filesystem::path templatePath = TemplatePath(roots, includeFree);
  const std::string templateText = ReadTextFile(templatePath);
  return Fill(
      templateText, includeFree, nicheName, subnicheName, sections,
      [&templatePath](std::string_view text, std::string_view placeholder, std::string_view value) {
        const ReplacePlan plan(text, placeholder, value);
        if (plan.ResultSize() > kMaxPromptBytes) {
          throw Failure("Could not compose the prompt from the template \"" +
                        DisplayPath(templatePath) + "\": it would be " +
                        ReadableSize(plan.ResultSize()) +
                        ", larger than the limit of 16 MiB for a prompt.");
        }
        return plan.Build();
      });
}

}  // namespace veltrane
