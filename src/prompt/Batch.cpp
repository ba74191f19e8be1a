#include "prompt/Batch.h"

#include <algorithm>
#include <cstdio>
#include <set>

#include "content/NameFold.h"
#include "content/NicheCatalog.h"
#include "content/ProblemReader.h"
#include "content/TextEncoding.h"
#include "prompt/ComposePrompt.h"
#include "ui/TextBoxText.h"

namespace veltrane {
namespace {

using namespace std::chrono;

constexpr std::size_t kLongestName = 120;

std::string_view NicheName(int niche) {
  return NicheCatalog()[static_cast<std::size_t>(niche)].name;
}
std::string_view SubnicheName(int niche, int subniche) {
  return NicheCatalog()[static_cast<std::size_t>(niche)]
      .subniches[static_cast<std::size_t>(subniche)];
}

// A value of the front matter as a YAML double-quoted string.
std::string Quoted(std::string_view text) {
  std::string out = "\"";
  for (const char c : text) {
    if (c == '"' || c == '\\') {
      out += '\\';
      out += c;
    } else if (static_cast<unsigned char>(c) < 0x20) {
      char escape[8];
      std::snprintf(escape, sizeof escape, "\\x%02x", static_cast<unsigned>(c));
      out += escape;
    } else {
      out += c;
    }
  }
  return out + '"';
}

}  // namespace

std::optional<Rhythm> ParseRhythm(std::string_view word) {
  if (word == "daily") return Rhythm::Daily;
  if (word == "weekly") return Rhythm::Weekly;
  if (word == "2weeks") return Rhythm::EveryTwoWeeks;
  if (word == "monthly") return Rhythm::Monthly;
  return std::nullopt;
}

year_month_day PlannedDay(year_month_day start, Rhythm rhythm, std::size_t index) {
  const int step = static_cast<int>(index);
  switch (rhythm) {
    case Rhythm::Daily:
      return sys_days(start) + days(step);
    case Rhythm::Weekly:
      return sys_days(start) + days(7 * step);
    case Rhythm::EveryTwoWeeks:
      return sys_days(start) + days(14 * step);
    case Rhythm::Monthly:
      break;
  }
  const year_month month = start.year() / start.month() + months(step);
  const day last = year_month_day_last(month.year(), month_day_last(month.month())).day();
  return month / std::min(start.day(), last);
}

std::string IsoDate(year_month_day day) {
  char text[16];
  std::snprintf(text, sizeof text, "%04d-%02u-%02u", static_cast<int>(day.year()),
                static_cast<unsigned>(day.month()), static_cast<unsigned>(day.day()));
  return text;
}

std::string SafeFileName(std::string_view name) {
  std::string safe;
  for (const char c : name) {
    const auto byte = static_cast<unsigned char>(c);
    const bool refused = byte < 0x20 || byte == 0x7f ||
                         std::string_view("/\\:*?\"<>|").find(c) != std::string_view::npos;
    safe += refused ? '-' : c;
  }
  // Invalid UTF-8 would be a name no desktop shows well.
  if (!IsValidUtf8(safe)) safe = DecodeText(safe);
  const auto trimmed = [](char c) { return c == ' ' || c == '.'; };
  while (!safe.empty() && trimmed(safe.back())) safe.pop_back();
  const std::size_t first = std::find_if_not(safe.begin(), safe.end(), trimmed) - safe.begin();
  safe.erase(0, first);
  if (safe.size() > kLongestName) {
    std::size_t cut = kLongestName;
    while (cut > 0 && (static_cast<unsigned char>(safe[cut]) & 0xC0) == 0x80) --cut;
    safe.resize(cut);
    while (!safe.empty() && trimmed(safe.back())) safe.pop_back();
  }
  return safe.empty() ? std::string("Untitled") : safe;
}

std::string ProblemPrompt(const ContentRoots& roots, int niche, int subniche,
                          const ProblemEntry& problem, bool includeFree) {
  const ProblemSections read = ReadProblemFile(
      ProblemFolderPath(roots.at(problem.root), std::to_string(niche), std::to_string(subniche)) /
      problem.fileName);
  // As the window's boxes hold the texts, then as its prompt box holds the prompt.
  const ProblemSections boxes{read.problemText, AsTextBoxHolds(read.freeText),
                              AsTextBoxHolds(read.paidText)};
  return AsTextBoxHolds(
      ComposePrompt(roots, includeFree, NicheName(niche), SubnicheName(niche, subniche), boxes));
}

std::vector<BatchItem> PlanBatch(const ContentRoots& roots, int niche,
                                 const std::vector<int>& subniches, bool folderPerSubniche,
                                 std::string_view extension, year_month_day start, Rhythm rhythm) {
  std::vector<BatchItem> items;
  for (const int subniche : subniches) {
    const std::filesystem::path folder =
        folderPerSubniche ? std::filesystem::path(SafeFileName(SubnicheName(niche, subniche)))
                          : std::filesystem::path();
    std::set<std::string> taken;  // names folded: a desktop may ignore letter case
    for (const ProblemEntry& problem :
         ListProblems(roots, std::to_string(niche), std::to_string(subniche))) {
      const std::string base = SafeFileName(problem.name);
      std::string name = base;
      for (int n = 2; !taken.insert(FoldName(name)).second; ++n) {
        name = base + " (" + std::to_string(n) + ")";
      }
      items.push_back({niche, subniche, problem, folder / (name + std::string(extension)), {}});
    }
  }
  for (std::size_t i = 0; i < items.size(); ++i) items[i].day = PlannedDay(start, rhythm, i);
  return items;
}

std::vector<BatchItem> StillToWrite(const std::vector<BatchItem>& items,
                                    const std::filesystem::path& folder) {
  std::vector<BatchItem> left;
  for (const BatchItem& item : items) {
    if (!IsPresent(folder / item.file)) left.push_back(item);
  }
  return left;
}

std::string CalendarCsv(const std::vector<BatchItem>& items) {
  const auto field = [](std::string_view text) {
    if (text.find_first_of(",\"\r\n") == std::string_view::npos) return std::string(text);
    std::string quoted = "\"";
    for (const char c : text) {
      if (c == '"') quoted += '"';
      quoted += c;
    }
    return quoted + '"';
  };
  std::string csv = "date,niche,subniche,problem,file\r\n";
  for (const BatchItem& item : items) {
    csv += IsoDate(item.day) + ',' + field(NicheName(item.niche)) + ',' +
           field(SubnicheName(item.niche, item.subniche)) + ',' + field(item.problem.name) + ',' +
           field(item.file.generic_string()) + "\r\n";
  }
  return csv;
}

std::string ArticleTypeLabel(bool includeFree) {
  return includeFree ? "Problem-solution article with a free resource and paid ones"
                     : "Problem-solution article with paid resources only";
}

std::string ArticleFileText(const ArticleHeader& header, std::string_view article) {
  std::string text = "---\n";
  text += "niche: " + Quoted(header.niche) + "\n";
  text += "subniche: " + Quoted(header.subniche) + "\n";
  text += "problem: " + Quoted(header.problem) + "\n";
  text += "article_type: " + Quoted(ArticleTypeLabel(header.includeFree)) + "\n";
  text += std::string("options: ") +
          (header.includeFree ? "\"free resources recommended\"" : "\"no free resource\"") + "\n";
  text += "model: " + Quoted(header.model) + "\n";
  text += "date: " + Quoted(header.date) + "\n";
  text += "---\n\n";
  text += article;
  if (!article.empty() && article.back() != '\n') text += '\n';
  return text;
}

std::filesystem::path ArticlePath(const std::filesystem::path& articles,
                                  const ArticleHeader& header, std::string_view stamp) {
  return articles / SafeFileName(header.niche) / SafeFileName(header.subniche) /
         (SafeFileName(header.problem) + " " + std::string(stamp) + ".md");
}

}  // namespace veltrane
