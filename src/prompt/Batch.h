#pragma once

#include <chrono>
#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "content/ContentPaths.h"
#include "content/ProblemListing.h"

// A whole subniche at a time: one prompt (or article) file per problem and a calendar that
// spreads them over the weeks. No Qt here.
namespace veltrane {

enum class Rhythm { Daily, Weekly, EveryTwoWeeks, Monthly };

// "daily", "weekly", "2weeks" or "monthly".
std::optional<Rhythm> ParseRhythm(std::string_view word);

// The day of the `index`th file from `start`. Monthly steps keep the start's day of the month
// where the month has it and take the month's last day where it has not (31 January, then
// 28 or 29 February, then 31 March).
std::chrono::year_month_day PlannedDay(std::chrono::year_month_day start, Rhythm rhythm,
                                       std::size_t index);
std::string IsoDate(std::chrono::year_month_day day);  // "2025-03-31"

// A name made safe for a file on any desktop: no path separators, control characters or
// characters Windows refuses, no leading or trailing dots and spaces, at most 120 bytes
// (whole characters). Never empty.
std::string SafeFileName(std::string_view name);

// The prompt Generate makes for the problem, its file's texts unedited, with the template that
// `includeFree` chooses: as --print prints it. Throws Failure when a file cannot be read.
std::string ProblemPrompt(const ContentRoots& roots, int niche, int subniche,
                          const ProblemEntry& problem, bool includeFree);

struct BatchItem {
  int niche = 0;
  int subniche = 0;
  ProblemEntry problem;
  std::filesystem::path file;  // relative to the chosen folder
  std::chrono::year_month_day day;
};

// One item per problem of each subniche, in the order given: the files in `folderOf(subniche)`
// named after their problems with `extension` (".txt", ".md"), names that would clash made
// distinct, and one day after another from `start`.
std::vector<BatchItem> PlanBatch(const ContentRoots& roots, int niche,
                                 const std::vector<int>& subniches, bool folderPerSubniche,
                                 std::string_view extension, std::chrono::year_month_day start,
                                 Rhythm rhythm);

// The items whose files are not in `folder` yet: a run that stopped goes on from there.
std::vector<BatchItem> StillToWrite(const std::vector<BatchItem>& items,
                                    const std::filesystem::path& folder);

// calendar.csv: date,niche,subniche,problem,file, quoted as RFC 4180 asks, lines ending CR LF.
std::string CalendarCsv(const std::vector<BatchItem>& items);

// What an article file starts with: a front-matter block naming where it came from.
struct ArticleHeader {
  std::string niche;
  std::string subniche;
  std::string problem;
  bool includeFree = true;
  std::string model;
  std::string date;  // "2025-03-31 14:05"
};
std::string ArticleFileText(const ArticleHeader& header, std::string_view article);
std::string ArticleTypeLabel(bool includeFree);

// Where Save puts an article: <articles>/<niche>/<subniche>/<problem> <stamp>.md, each part
// made safe. `stamp` is "yyyy-MM-dd HH-mm".
std::filesystem::path ArticlePath(const std::filesystem::path& articles,
                                  const ArticleHeader& header, std::string_view stamp);

}  // namespace veltrane
