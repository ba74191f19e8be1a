#include "prompt/ArticleOptions.h"

#include <dirent.h>

#include <algorithm>
#include <map>
#include <memory>

#include "content/ProblemListing.h"
#include "content/TextFile.h"

namespace veltrane {

const std::vector<ToneChoice>& ArticleTones() {
  static const std::vector<ToneChoice> tones{
      {"friendly", "friendly and encouraging, like a knowledgeable friend"},
      {"professional", "professional and measured, like a trusted adviser"},
      {"direct", "direct and to the point, like a busy expert"},
  };
  return tones;
}

std::string LanguageText(const ArticleOptions& options) {
  return options.language.empty() ? std::string("English") : options.language;
}

std::string ToneText(const ArticleOptions& options) {
  for (const ToneChoice& tone : ArticleTones()) {
    if (tone.name == options.tone) return std::string(tone.phrase);
  }
  return options.tone.empty() ? std::string(ArticleTones().front().phrase) : options.tone;
}

std::string LengthText(const ArticleOptions& options) {
  if (options.length == 0) return "about 1,500 to 2,000 words";
  // Thousands with a comma, as the templates write numbers.
  const std::string digits = std::to_string(options.length);
  std::string grouped;
  for (std::size_t i = 0; i < digits.size(); ++i) {
    if (i > 0 && (digits.size() - i) % 3 == 0) grouped += ',';
    grouped += digits[i];
  }
  return "about " + grouped + " words";
}

std::string ExperienceText(const ArticleOptions& options) {
  if (options.experience.find_first_not_of(" \t\r\n") == std::string::npos) {
    return "put this line on its own, exactly as written, for the writer to replace later with "
           "their own experience of the problem or the resources:\r\n"
           "[WRITER'S EXPERIENCE: add your own experience here, or delete this line]";
  }
  return "write a short first-person passage from the writer's own experience below; use only "
         "what it says, adding no results, figures or details:\r\n" +
         options.experience;
}

std::optional<std::string> ArticleOptionsError(const ArticleOptions& options) {
  if (options.length != 0 &&
      (options.length < kShortestLength || options.length > kLongestLength)) {
    return "The length must be between " + std::to_string(kShortestLength) + " and " +
           std::to_string(kLongestLength) + " words.";
  }
  if (options.language.find_first_of("\r\n#") != std::string::npos ||
      options.tone.find_first_of("\r\n#") != std::string::npos) {
    return "The language and the tone must be one line each, without \"#\".";
  }
  return std::nullopt;
}

std::vector<ArticleType> ListArticleTypes(const ContentRoots& roots) {
  std::map<std::string, std::string> names;                         // by folder
  for (auto root = roots.rbegin(); root != roots.rend(); ++root) {  // earlier roots win
    const std::filesystem::path folder = *root / "templates";
    std::unique_ptr<DIR, int (*)(DIR*)> dir(::opendir(folder.c_str()), &::closedir);
    if (!dir) continue;
    while (const dirent* entry = ::readdir(dir.get())) {
      const std::string key = entry->d_name;
      if (key.starts_with('.')) continue;
      const std::filesystem::path nameFile = folder / key / "name.txt";
      if (!IsPresent(nameFile)) continue;
      try {
        std::string name = ReadTextFile(nameFile);
        name = name.substr(0, name.find_first_of("\r\n"));
        if (!name.empty()) names[key] = name;
      } catch (const std::exception&) {
        // A name that cannot be read leaves the type out, not the list.
      }
    }
  }
  std::vector<ArticleType> types{{"", std::string(kDefaultTypeName)}};
  for (auto& [key, name] : names) types.push_back({key, std::move(name)});
  std::sort(types.begin() + 1, types.end(),
            [](const ArticleType& a, const ArticleType& b) { return NaturalLess(a.name, b.name); });
  return types;
}

std::filesystem::path TemplatePath(const ContentRoots& roots, bool includeFree,
                                   std::string_view typeKey) {
  if (typeKey.empty()) return TemplatePath(roots, includeFree);
  const char* file = includeFree ? "template-free.txt" : "template.txt";
  for (const std::filesystem::path& root : roots) {
    const std::filesystem::path path = root / "templates" / typeKey / file;
    if (IsPresent(path)) return path;
  }
  return roots.empty() ? std::filesystem::path()
                       : roots.back() / "templates" / std::string(typeKey) / file;
}

}  // namespace veltrane
