#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

#include "content/ContentPaths.h"
#include "content/ProblemReader.h"

namespace veltrane {

// Placeholders multiply the texts, so a template within the file size cap could ask for a
// prompt of gigabytes; ComposePrompt refuses anything larger than this before building it.
inline constexpr std::uint64_t kMaxPromptBytes = 16u * 1024u * 1024u;

// Fills a template's placeholders, in this order: "#NICHE#", "#SUBNICHE#", "#PROBLEM#",
// "#FREE#", "#PAID#"; the variant without free resources fills only "#NICHE#", "#PROBLEM#" and
// "#PAID#". A value may bring in a placeholder that a later step then fills.
std::string FillTemplate(std::string_view templateText, bool includeFree,
                         std::string_view nicheName, std::string_view subnicheName,
                         const ProblemSections& sections);

// Reads the template that includeFree chooses and fills it. Throws Failure naming the
// template when it cannot be read, or when a filling step would make the text larger than
// kMaxPromptBytes; each step is checked before it is built.
std::string ComposePrompt(const ContentRoots& roots, bool includeFree, std::string_view nicheName,
                          std::string_view subnicheName, const ProblemSections& sections);
std::string ComposePrompt(const std::filesystem::path& appDir, bool includeFree,
                          std::string_view nicheName, std::string_view subnicheName,
                          const ProblemSections& sections);

}  // namespace veltrane
