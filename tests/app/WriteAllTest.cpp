#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "app/CommandLine.h"
#include "support/ContentTree.h"

namespace veltrane::cli {
namespace {
namespace fs = std::filesystem;

std::variant<Options, std::string> ParseWords(std::vector<std::string_view> words) {
  return Parse(words);
}

std::string Read(const fs::path& path) {
  std::ifstream file(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << file.rdbuf();
  return bytes.str();
}

// Each file holds exactly what --print gives for its problem.
TEST(WriteAll, WritesWhatPrintPrintsForEveryProblem) {
  test::TempDir app;
  test::TempDir out;
  test::ContentTree(app)
      .Templates("#NICHE# / #SUBNICHE#\r\n#PROBLEM#\r\n#FREE#\r\n#PAID#",
                 "#NICHE#: #PROBLEM#\r\n#PAID#")
      .Problem("niches/0/2/Slow Website.txt",
               test::ProblemText("Slow.", "PageSpeed: finds it.", "Kinsta: hosts."))
      .Problem("niches/0/2/Odd: \"Name\".txt",
               "[PROBLEM]\r\nP \xE2\x80\xA9 q\r\n\r\n[FREE]\r\nA\rB\r\n\r\n[PAID]\r\nC\r\n")
      .Problem("niches/0/5/Hosting Problem.txt", test::ProblemText("H.", "F", "P"));
  const ContentRoots roots{app.path()};
  const std::string dir = out.path().string();
  for (const bool free : {true, false}) {
    std::vector<std::string_view> words{"--print", "--all", "--niche", "0", "--out", dir};
    if (!free) words.push_back("--no-free");
    const Outcome all = cli::Run(std::get<Options>(ParseWords(words)), roots);
    ASSERT_EQ(all.status, 0) << all.err;
    const struct {
      const char* file;
      const char* subniche;
      const char* problem;
    } files[] = {{"SEO/Odd- -Name-.txt", "2", "Odd: \"Name\""},
                 {"SEO/Slow Website.txt", "2", "Slow Website"},
                 {"Hosting/Hosting Problem.txt", "5", "Hosting Problem"}};
    for (const auto& f : files) {
      SCOPED_TRACE(f.file);
      std::vector<std::string_view> print{"--print",  "--niche",   "0",      "--subniche",
                                          f.subniche, "--problem", f.problem};
      if (!free) print.push_back("--no-free");
      EXPECT_EQ(Read(out.path() / f.file),
                cli::Run(std::get<Options>(ParseWords(print)), roots).out);
    }
    const std::string csv = Read(out.path() / "calendar.csv");
    EXPECT_EQ(std::count(csv.begin(), csv.end(), '\n'), 4) << csv;
    EXPECT_NE(csv.find(",Internet Marketing,SEO,\"Odd: \"\"Name\"\"\",SEO/Odd- -Name-.txt\r\n"),
              std::string::npos)
        << csv;
  }
}

}  // namespace
}  // namespace veltrane::cli
