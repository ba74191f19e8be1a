#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "content/ContentPaths.h"

namespace veltrane {

// How the article is to be written. Each has a default under which the templates read as they
// always did.
struct ArticleOptions {
  std::string language = "English";
  std::string tone = "friendly";  // one of ArticleTones()
  std::size_t length = 0;         // words; 0 for the templates' own range
  std::string experience;         // the writer's own, first-hand; empty for none

  bool operator==(const ArticleOptions&) const = default;
};

struct ToneChoice {
  std::string_view name;    // "friendly"
  std::string_view phrase;  // how the templates say it
};
const std::vector<ToneChoice>& ArticleTones();

// The texts of "#LANGUAGE#", "#TONE#", "#LENGTH#" and "#EXPERIENCE#". An unknown tone is used
// as the writer typed it.
std::string LanguageText(const ArticleOptions& options);
std::string ToneText(const ArticleOptions& options);
std::string LengthText(const ArticleOptions& options);
std::string ExperienceText(const ArticleOptions& options);

// The words a length may have: a writer's article, not a tweet nor a book.
inline constexpr std::size_t kShortestLength = 300;
inline constexpr std::size_t kLongestLength = 10000;

// Why an option cannot be used, or nothing when all can.
std::optional<std::string> ArticleOptionsError(const ArticleOptions& options);

// An article type: a folder of templates below "templates". The problem-solution article, the
// templates at the folder's top, has the empty key.
struct ArticleType {
  std::string key;   // the folder's name
  std::string name;  // as the window shows it
  bool operator==(const ArticleType&) const = default;
};
inline constexpr std::string_view kDefaultTypeName = "Problem and Solution";

// The default type first, then every folder of "templates" in any root that holds a
// "name.txt", in natural order of their names; a user's folder of the same name overrides the
// shipped name, as a file overrides its shipped one.
std::vector<ArticleType> ListArticleTypes(const ContentRoots& roots);

// The template of a type: the first root that has that file; the last root's path when none
// has.
std::filesystem::path TemplatePath(const ContentRoots& roots, bool includeFree,
                                   std::string_view typeKey);

}  // namespace veltrane
