#include "prompt/Batch.h"

#include <gtest/gtest.h>

#include <cstdio>

#include "support/TempDir.h"

namespace veltrane {
namespace {
using namespace std::chrono;
using test::TempDir;

year_month_day Day(const char* iso) {
  int y = 0;
  unsigned m = 0;
  unsigned d = 0;
  EXPECT_EQ(std::sscanf(iso, "%4d-%2u-%2u", &y, &m, &d), 3) << iso;
  return {year(y), month(m), day(d)};
}

TEST(Batch, DaysFollowTheRhythm) {
  const struct {
    const char* start;
    Rhythm rhythm;
    std::size_t index;
    const char* day;
  } cases[] = {
      {"2025-12-31", Rhythm::Daily, 1, "2026-01-01"},
      {"2025-02-22", Rhythm::Weekly, 1, "2025-03-01"},
      {"2024-02-22", Rhythm::Weekly, 1, "2024-02-29"},
      {"2025-12-25", Rhythm::EveryTwoWeeks, 2, "2026-01-22"},
      {"2024-01-31", Rhythm::Monthly, 0, "2024-01-31"},
      {"2024-01-31", Rhythm::Monthly, 1, "2024-02-29"},
      {"2024-01-31", Rhythm::Monthly, 2, "2024-03-31"},  // not carried from February's 29
      {"2024-01-31", Rhythm::Monthly, 13, "2025-02-28"},
      {"2025-11-30", Rhythm::Monthly, 3, "2026-02-28"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.start) + " + " + std::to_string(c.index));
    EXPECT_EQ(IsoDate(PlannedDay(Day(c.start), c.rhythm, c.index)), c.day);
  }
  EXPECT_EQ(ParseRhythm("2weeks"), Rhythm::EveryTwoWeeks);
  EXPECT_EQ(ParseRhythm("fortnightly"), std::nullopt);
}

TEST(Batch, FileNamesAreSafeEverywhere) {
  std::string accents;
  for (int i = 0; i < 70; ++i) accents += "\xc3\xa9";
  const struct {
    std::string name;
    std::string safe;
  } cases[] = {
      {"Self Esteem & Body Image", "Self Esteem & Body Image"},
      {"Before/After: what? \"now\" <b>|*", "Before-After- what- -now- -b---"},
      {"..hidden. ", "hidden"},
      {" \t", "-"},
      {"...", "Untitled"},
      {"a\\b\x01\x7f", "a-b--"},
      {std::string(130, 'x') + "e", std::string(120, 'x')},
      {"\xff"
       "bad",
       "\xc3\xbf"
       "bad"},                                        // not UTF-8: read as Windows-1252
      {"a" + accents, "a" + accents.substr(0, 118)},  // cut between characters, never inside one
  };
  for (const auto& c : cases) EXPECT_EQ(SafeFileName(c.name), c.safe) << c.name;
}

TEST(Batch, PlansOneFilePerProblemAndResumes) {
  TempDir app;
  const std::string text = test::ProblemText("P", "F: f", "A: a");
  app.Write("niches/1/3/Late, \"Slow\" Payments.txt", text);
  app.Write("niches/1/3/A-B.txt", text);
  app.Write("niches/1/3/A:B.txt", text);
  app.Write("niches/1/4/Only One.txt", text);
  const ContentRoots roots{app.path()};

  const std::vector<BatchItem> items =
      PlanBatch(roots, 1, {3, 4}, true, ".txt", Day("2025-01-30"), Rhythm::Weekly);
  std::vector<std::string> files;
  for (const BatchItem& item : items) files.push_back(item.file.generic_string());
  EXPECT_EQ(files, (std::vector<std::string>{"Freelancing/A-B.txt", "Freelancing/A-B (2).txt",
                                             "Freelancing/Late, -Slow- Payments.txt",
                                             "Interview Preparation/Only One.txt"}));
  EXPECT_EQ(CalendarCsv(items),
            "date,niche,subniche,problem,file\r\n"
            "2025-01-30,Careers and Employment,Freelancing,A-B,Freelancing/A-B.txt\r\n"
            "2025-02-06,Careers and Employment,Freelancing,A:B,Freelancing/A-B (2).txt\r\n"
            "2025-02-13,Careers and Employment,Freelancing,\"Late, \"\"Slow\"\" Payments\","
            "\"Freelancing/Late, -Slow- Payments.txt\"\r\n"
            "2025-02-20,Careers and Employment,Interview Preparation,Only One,"
            "Interview Preparation/Only One.txt\r\n");

  // A run that stopped after two files goes on with the other two.
  TempDir out;
  out.Write(items[0].file, "written");
  out.Write(items[2].file, "written");
  const std::vector<BatchItem> left = StillToWrite(items, out.path());
  ASSERT_EQ(left.size(), 2u);
  EXPECT_EQ(left[0].file, items[1].file);
  EXPECT_EQ(left[1].file, items[3].file);
}

TEST(Batch, ArticleFilesNameWhereTheyCameFrom) {
  const ArticleHeader header{"Health", "Sleep / Rest", "Can't \"switch off\"\nat night",
                             false,    "llama3.2:3b",  "2025-03-31 14:05"};
  const std::string text = ArticleFileText(header, "# Title\n\nBody");
  EXPECT_EQ(text,
            "---\n"
            "niche: \"Health\"\n"
            "subniche: \"Sleep / Rest\"\n"
            "problem: \"Can't \\\"switch off\\\"\\x0aat night\"\n"
            "article_type: \"Problem-solution article with paid resources only\"\n"
            "options: \"no free resource\"\n"
            "model: \"llama3.2:3b\"\n"
            "date: \"2025-03-31 14:05\"\n"
            "---\n\n"
            "# Title\n\nBody\n");
  EXPECT_EQ(ArticlePath("/a", header, "2025-03-31 14-05"),
            std::filesystem::path("/a/Health/Sleep - Rest/Can't -switch off--at night "
                                  "2025-03-31 14-05.md"));
}

}  // namespace
}  // namespace veltrane
