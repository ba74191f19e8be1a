#include "prompt/ComposePrompt.h"

#include "content/ContentPaths.h"
#include "content/TextFile.h"
#include "prompt/CustomReplace.h"

namespace veltrane {

std::string FillTemplate(std::string_view templateText, bool includeFree,
                         std::string_view nicheName, std::string_view subnicheName,
                         const ProblemSections& sections) {
  std::string text = CustomReplace(templateText, "#NICHE#", nicheName);
  if (includeFree) text = CustomReplace(text, "#SUBNICHE#", subnicheName);
  text = CustomReplace(text, "#PROBLEM#", sections.problemText);
  if (includeFree) text = CustomReplace(text, "#FREE#", sections.freeText);
  return CustomReplace(text, "#PAID#", sections.paidText);
}

std::string ComposePrompt(const std::filesystem::path& appDir, bool includeFree,
                          std::string_view nicheName, std::string_view subnicheName,
                          const ProblemSections& sections) {
  const std::string templateText = ReadTextFile(TemplatePath(appDir, includeFree));
  return FillTemplate(templateText, includeFree, nicheName, subnicheName, sections);
}

}  // namespace veltrane
