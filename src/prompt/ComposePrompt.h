#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "content/ContentPaths.h"
#include "content/ProblemReader.h"
#include "prompt/ArticleOptions.h"

namespace veltrane {

// Placeholders multiply the texts, so a template within the file size cap could ask for a
// prompt of gigabytes; ComposePrompt refuses anything larger than this before building it.
inline constexpr std::uint64_t kMaxPromptBytes = 16u * 1024u * 1024u;

struct Placeholder {
  std::string_view name;  // "#NICHE#"
  std::string_view value;
};

// The texts of the article options' placeholders, kept together so that placeholders can
// point into them.
struct OptionTexts {
  explicit OptionTexts(const ArticleOptions& options);
  std::string language;
  std::string tone;
  std::string length;
  std::string experience;
};

// The placeholders of a prompt: "#NICHE#", "#SUBNICHE#", "#PROBLEM#", "#FREE#" and "#PAID#",
// then, where given, "#LANGUAGE#", "#TONE#", "#LENGTH#" and "#EXPERIENCE#"; the variant
// without free resources leaves "#FREE#" as it stands.
std::vector<Placeholder> PromptPlaceholders(bool includeFree, std::string_view nicheName,
                                            std::string_view subnicheName,
                                            const ProblemSections& sections,
                                            const OptionTexts* options = nullptr);

// Fills every placeholder of the template in one pass, left to right: a value is never
// searched again, so a "#PAID#" that a writer typed into a problem text stays as written.
std::string FillTemplate(std::string_view templateText, const std::vector<Placeholder>& values);

// Reads the template that includeFree chooses and fills it. Throws Failure naming the
// template when it cannot be read, or when the prompt would be larger than kMaxPromptBytes,
// which is checked before anything is built.
std::string ComposePrompt(const ContentRoots& roots, bool includeFree, std::string_view nicheName,
                          std::string_view subnicheName, const ProblemSections& sections,
                          std::string_view typeKey = {}, const ArticleOptions& options = {});

}  // namespace veltrane
